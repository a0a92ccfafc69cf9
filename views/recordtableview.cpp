#include "views/recordtableview.h"

#include "gamedata/csvimport.h"
#include "gamedata/textscan.h"
#include "views/bulkeditdialog.h"
#include "views/changepreview.h"
#include "views/importpreviewdialog.h"
#include "views/sortingsuspended.h"
#include "widgets/appsearchline.h"
#include "widgets/prompts.h"
#include "widgets/tablefilter.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QHash>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QSet>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The cells of numbers: the editor takes digits only, and a value too wide for its cell shows whole in the
// tooltip.
class NumberDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), line));
        return editor;
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        const QString text = index.data().toString();
        // The cell's padding on both sides, as the style draws it.
        const int padding = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, view) + 1);
        if (event->type() != QEvent::ToolTip ||
            option.fontMetrics.horizontalAdvance(text) + padding <= option.rect.width())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString tip = index.data(Qt::ToolTipRole).toString();
        QToolTip::showText(event->globalPos(), tip.isEmpty() ? text : text + QLatin1Char('\n') + tip, view);
        return true;
    }
};

// Why a typed value is refused: not a whole number, or above what the game files hold.
QString refusalOf(const QString& text)
{
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return digits ? QObject::tr("数值不能超过999,999,999!") : QObject::tr("请输入非负整数!");
}

// The rows of these ids in column 0, top to bottom, in one pass over the table. A record may stand in several
// rows (an army type's skills can name one skill twice). Only the ids asked for are kept: an edit's one id is
// found in a large table without indexing every row.
QHash<QString, QVector<int>> rowsOf(const QTableWidget* table, const QSet<QString>& ids)
{
    QHash<QString, QVector<int>> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* idCell = table->item(row, 0);
        if (idCell && ids.contains(idCell->text()))
            rows[idCell->text()].append(row);
    }
    return rows;
}

} // namespace

RecordTableView::RecordTableView(GameDocument* document, QTableWidget* table, RecordKind kind, int lastField)
    : QObject(table), document(document), view(table), kind(kind), lastField(lastField)
{
    connect(table, &QWidget::customContextMenuRequested, this, &RecordTableView::showCellMenu);
    if (kind == RecordKind::City)
        return;
    // Cells rather than rows: a rule changes the cells the user picked, in one column or in several.
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    new QShortcut(
        QKeySequence(tr("Ctrl+B")), table, this, [this] { bulkEdit(); }, Qt::WidgetShortcut);
    table->setItemDelegate(new NumberDelegate(table));
    connect(table, &QTableWidget::cellChanged, this, &RecordTableView::storeEdit);
}

void RecordTableView::setupTable(QTableWidget* table, int columnCount, bool mouseTracking, const QStringList& labels)
{
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setColumnCount(columnCount);
    table->setMouseTracking(mouseTracking);
    table->setHorizontalHeaderLabels(labels);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    // Without a sort column, enabling sorting leaves the rows in the order they are written.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
}

int RecordTableView::columnOf(const FieldRef& ref)
{
    return ref.kind == RecordKind::City ? 1 : ref.field + 1;
}

QVBoxLayout* RecordTableView::withSearchLine(int lineWidth) const
{
    // Every table of the editor shows the id in its first column and the name in its second.
    auto* filter = new TableFilter(view, 0, 1);
    AppSearchLine* line = filter->searchLine();
    line->setStyleSheet(QStringLiteral("border-radius:15px;"));
    // Narrower when the window is small.
    line->setFixedHeight(30);
    line->setMinimumWidth(std::min(lineWidth, 160));
    line->setMaximumWidth(lineWidth);
    line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line, 0, Qt::AlignRight);
    layout->addWidget(view);
    return layout;
}

void RecordTableView::markCell(QTableWidgetItem* cell, const FieldRef& ref) const
{
    const JournalEntry* entry = document->journal().find(ref);
    // Skill ranges above 7 are allowed, but the game may crash on them: the cell says so.
    const bool risky = ref.kind == RecordKind::Skill && isRiskyRange(cell->text());
    showValueLook(cell, risky, entry ? &entry->fileValue : nullptr);
}

QList<QTableWidgetItem*> RecordTableView::cellsOf(int row, const FieldRef& ref) const
{
    QList<QTableWidgetItem*> cells;
    if (kind == RecordKind::City) {
        for (int column = 0; column < view->columnCount(); ++column)
            cells.append(view->item(row, column));
    } else if (ref.field <= lastField) {
        cells.append(view->item(row, columnOf(ref)));
    }
    cells.removeAll(nullptr);
    return cells;
}

void RecordTableView::refreshCells(const QVector<FieldValue>& values)
{
    if (view->rowCount() == 0)
        return;
    QSet<QString> ids;
    for (const FieldValue& value : values) {
        if (value.ref.kind == kind && value.ref.field <= lastField)
            ids.insert(value.ref.id);
    }
    if (ids.isEmpty())
        return;
    const QHash<QString, QVector<int>> rows = rowsOf(view, ids);
    QVector<QPair<QTableWidgetItem*, FieldRef>> cells;
    for (const FieldValue& value : values) {
        if (value.ref.kind != kind || value.ref.field > lastField)
            continue;
        const auto row = rows.constFind(value.ref.id);
        if (row == rows.constEnd())
            continue;
        for (int r : *row) {
            for (QTableWidgetItem* cell : cellsOf(r, value.ref))
                cells.append({cell, value.ref});
        }
    }
    if (cells.isEmpty())
        return;
    // Items, not rows: a sorted table moves rows as their values change.
    const RecordTable& records = document->records(kind);
    const SortingSuspended suspended(view);
    const QSignalBlocker blocker(view);
    for (const auto& cell : qAsConst(cells)) {
        if (kind != RecordKind::City)
            cell.first->setText(records.value(cell.second.id).value(cell.second.field));
        markCell(cell.first, cell.second);
    }
}

void RecordTableView::remark()
{
    if (view->rowCount() == 0)
        return;
    const SortingSuspended suspended(view);
    const QSignalBlocker blocker(view);
    for (int row = 0; row < view->rowCount(); ++row) {
        const QString id = view->item(row, 0)->text();
        const int first = kind == RecordKind::City ? lastField : 1;
        for (int field = first; field <= lastField; ++field) {
            const FieldRef ref{kind, id, field};
            for (QTableWidgetItem* cell : cellsOf(row, ref))
                markCell(cell, ref);
        }
    }
}

int RecordTableView::selectCell(const QString& id, int column)
{
    const QHash<QString, QVector<int>> rows = rowsOf(view, {id});
    const auto found = rows.constFind(id);
    if (found == rows.constEnd())
        return -1;
    const int row = found->first();
    if (view->isRowHidden(row)) {
        if (const auto* filter = view->findChild<TableFilter*>())
            filter->searchLine()->clear();
    }
    // The keys that asked for this (Ctrl+Z) must not make it add to the selection.
    view->setCurrentCell(row, column, QItemSelectionModel::ClearAndSelect);
    view->scrollToItem(view->item(row, column));
    return row;
}

bool RecordTableView::commitOpenEditor()
{
    // An open editor stands at the current cell (these tables hold no other index widgets).
    QWidget* editor = view->indexWidget(view->currentIndex());
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return true;
    if (!textscan::isWritableNumber(line->text())) {
        emit statusMessage(refusalOf(line->text()));
        editor->setFocus();
        return false;
    }
    emit view->itemDelegate()->commitData(editor);
    emit view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void RecordTableView::storeEdit(int row, int column)
{
    QTableWidgetItem* cell = view->item(row, column);
    const QTableWidgetItem* idCell = view->item(row, 0);
    // Only the user's edits are recorded, and the user edits the current cell: with many cells selected,
    // being selected no longer tells the edited cell from the others.
    if (!cell || !idCell || cell != view->currentItem() || column < 2)
        return;
    const FieldRef ref{kind, idCell->text(), column - 1};
    if (!textscan::isWritableNumber(cell->text())) {
        // The game files need digits here; anything else would make the record unreadable.
        const QSignalBlocker blocker(view);
        const QString typed = cell->text();
        cell->setText(document->records(kind).value(ref.id).value(ref.field));
        emit statusMessage(refusalOf(typed));
        return;
    }
    // Typed numbers are kept as canonical digits, as import and bulk edit make them: 054 over 54 is no change.
    const QString typed = QString::number(cell->text().toLongLong());
    if (typed != cell->text()) {
        const QSignalBlocker blocker(view);
        cell->setText(typed);
    }
    document->changeFields({{ref, typed}}, view->horizontalHeaderItem(column)->text(), ChangeOrigin::Typed, shownArmy);
}

void RecordTableView::showCellMenu(const QPoint& pos)
{
    const QTableWidgetItem* cell = view->itemAt(pos);
    QVector<FieldRef> cellFields;
    QVector<FieldRef> rowFields;
    if (cell) {
        const QString id = view->item(cell->row(), 0)->text();
        const int firstColumn = kind == RecordKind::City ? 1 : 2;
        for (int column = firstColumn; column < view->columnCount(); ++column) {
            const FieldRef ref{kind, id, kind == RecordKind::City ? 1 : column - 1};
            if (!document->journal().contains(ref))
                continue;
            rowFields.append(ref);
            if (column == cell->column() || kind == RecordKind::City)
                cellFields.append(ref);
        }
    }

    QUndoStack* undoStack = document->undoStack();
    QMenu menu(view);
    QAction* undo = menu.addAction(tr("撤销"), undoStack, &QUndoStack::undo, QKeySequence::Undo);
    undo->setEnabled(undoStack->canUndo());
    QAction* redo = menu.addAction(tr("重做"), undoStack, &QUndoStack::redo, QKeySequence(tr("Ctrl+Y")));
    redo->setEnabled(undoStack->canRedo());
    menu.addSeparator();
    const auto revert = [this](const QVector<FieldRef>& refs) {
        document->revertFields(refs, shownArmy);
    };
    if (kind != RecordKind::City) {
        QAction* revertCell = menu.addAction(tr("还原为文件中的值"), this, [=] { revert(cellFields); });
        revertCell->setEnabled(!cellFields.isEmpty());
    }
    QAction* revertRow = menu.addAction(tr("还原此行"), this, [=] { revert(rowFields); });
    revertRow->setEnabled(!rowFields.isEmpty());
    menu.addSeparator();
    // The city list shows no value a rule or a file could change.
    if (kind != RecordKind::City) {
        QAction* bulk = menu.addAction(tr("批量修改…"), this, &RecordTableView::bulkEdit, QKeySequence(tr("Ctrl+B")));
        // The table leaves out the cells of hidden rows.
        bulk->setEnabled(!view->selectedItems().isEmpty());
    }
    menu.addAction(tr("导出为CSV…"), this, &RecordTableView::exportTable);
    if (kind != RecordKind::City)
        menu.addAction(tr("从CSV导入…"), this, &RecordTableView::importTable);
    menu.exec(view->viewport()->mapToGlobal(pos));
}

TableShape RecordTableView::shape() const
{
    TableShape shape;
    for (int column = 0; column < view->columnCount(); ++column)
        shape.labels.append(view->horizontalHeaderItem(column)->text());
    // Army statistics and skill ranges stand from the third column on; the city list shows no number.
    if (kind != RecordKind::City) {
        for (int column = 2; column < view->columnCount(); ++column)
            shape.numberColumns.append(column);
    }
    return shape;
}

void RecordTableView::bulkEdit()
{
    if (kind == RecordKind::City || !commitOpenEditor())
        return;
    const QList<BulkCell> cells = BulkEditDialog::selectedCells(view, shape(), kind == RecordKind::Skill);
    if (cells.isEmpty()) {
        emit statusMessage(tr("请先选择要修改的单元格"));
        return;
    }
    BulkEditDialog dialog(cells, view->window());
    if (!Prompts::runDialog(dialog))
        return;
    // The cells name their records by id, so the rule lands on the right records however the table is
    // sorted or filtered.
    const BulkOutcome& outcome = dialog.outcome();
    QVector<FieldValue> values;
    values.reserve(outcome.changed);
    for (int i = 0; i < cells.size(); ++i) {
        const BulkCell& cell = cells.at(i);
        const QString& value = outcome.values.at(i);
        if (!value.isNull() && value != cell.current)
            values.append({{kind, cell.id, cell.column - 1}, value});
    }
    document->changeFields(values, tr("批量修改"), ChangeOrigin::Applied, shownArmy);
    emit statusMessage(tr("已修改%1个单元格").arg(values.size()));
}

void RecordTableView::exportTable()
{
    // A value still being typed is part of what the table shows.
    if (!commitOpenEditor())
        return;
    const QString name = kind == RecordKind::ArmyType ? tr("兵种.csv")
                         : kind == RecordKind::Skill  ? tr("兵种技能.csv")
                                                      : tr("城市.csv");
    const QString message = exportTableToCsv(view->window(), view, name);
    if (!message.isEmpty())
        emit statusMessage(message);
}

void RecordTableView::importTable()
{
    // The city list shows no value that could change.
    if (kind == RecordKind::City || !commitOpenEditor())
        return;
    // Every record of the table, as its row shows it: the id, then the fields from the name on. The skill
    // table shows the skills of one army type, but a file may hold any skill.
    const RecordTable& records = document->records(kind);
    const int fields = view->columnCount() - 1;
    QHash<QString, QStringList> rows;
    rows.reserve(records.size());
    for (auto record = records.cbegin(); record != records.cend(); ++record)
        rows.insert(record.key(), QStringList(record.key()) + record->mid(0, fields));

    QString message;
    const QList<CellChange> changes =
        importCsvChanges(view->window(), shape(), rows, &message, kind == RecordKind::Skill);
    QVector<FieldValue> values;
    values.reserve(changes.size());
    for (const CellChange& change : changes)
        values.append({{kind, change.id, change.column - 1}, change.newValue});
    document->changeFields(values, tr("从CSV导入"), ChangeOrigin::Applied, shownArmy);
    if (!values.isEmpty())
        message = tr("已导入%1个值,保存后写入游戏文件").arg(values.size());
    if (!message.isEmpty())
        emit statusMessage(message);
}
