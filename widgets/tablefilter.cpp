#include "widgets/tablefilter.h"

#include "widgets/appsearchline.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QTableWidget>

#include <algorithm>

TableFilter::TableFilter(QTableWidget* table, int idColumn, int nameColumn)
    : QObject(table), table(table),
      line(new AppSearchLine(table, std::min(idColumn, nameColumn), std::max(idColumn, nameColumn))),
      firstColumn(std::min(idColumn, nameColumn)), lastColumn(std::max(idColumn, nameColumn))
{
    line->setObjectName(table->objectName() + QStringLiteral("Search"));
    line->installEventFilter(this);
    connect(line, &QLineEdit::textChanged, this, &TableFilter::refilter);

    // New rows come in shown, and a row whose id or name changed is judged again. The owner writes a row's
    // cells one by one after inserting it, so the filter waits until the fill is done.
    const QAbstractItemModel* model = table->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &TableFilter::refilterLater);
    connect(model, &QAbstractItemModel::modelReset, this, &TableFilter::refilterLater);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TableFilter::refilterLater);
    connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        if (from.column() <= lastColumn && to.column() >= firstColumn)
            refilterLater();
    });
}

// A line that no layout took is still ours.
TableFilter::~TableFilter()
{
    if (line && !line->parent())
        delete line;
}

void TableFilter::refilter()
{
    refilterPending = false;
    if (!line)
        return;
    showRowsContaining(table, firstColumn, lastColumn, line->text());
    emit refiltered();
}

void TableFilter::refilterLater()
{
    // Without text no row is hidden, and new rows come in shown.
    if (refilterPending || !line || line->text().isEmpty())
        return;
    refilterPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (refilterPending)
                refilter();
        },
        Qt::QueuedConnection);
}

bool TableFilter::eventFilter(QObject* watched, QEvent* event)
{
    // The event type first: the line also sends events while it is being destroyed, when the guarded
    // pointer may no longer be looked at as a search line.
    if (event->type() == QEvent::KeyPress && watched == line &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !line->text().isEmpty()) {
        line->clear();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TableFilter::installFindShortcut(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence::Find, window);
    connect(shortcut, &QShortcut::activated, window, [window] { focusSearchInView(window); });
}

bool TableFilter::focusSearchInView(QWidget* window)
{
    const QList<TableFilter*> filters = window->findChildren<TableFilter*>();
    const auto inView = [](const TableFilter* filter) {
        return filter->line && filter->line->isVisible() && filter->table->isVisible();
    };
    const QWidget* focus = QApplication::focusWidget();
    auto chosen = std::find_if(filters.cbegin(), filters.cend(), [&](const TableFilter* filter) {
        return inView(filter) && focus && (focus == filter->table || filter->table->isAncestorOf(focus));
    });
    if (chosen == filters.cend())
        chosen = std::find_if(filters.cbegin(), filters.cend(), inView);
    if (chosen == filters.cend())
        return false;
    (*chosen)->line->setFocus(Qt::ShortcutFocusReason);
    (*chosen)->line->selectAll();
    return true;
}
