#include "app/editorsettings.h"

#include "app/windowplacement.h"

#include <QCursor>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>

#include <optional>

namespace {

// Raised when the meaning of a key changes; a file of another version is ignored as a whole.
const int kLayoutVersion = 1;
const int kLargestLength = 100000;
// The group of the splitters' sizes; every other group but the window's is a table's.
const QString kSplitters = QStringLiteral("splitters");

std::optional<int> readNumber(const QSettings& file, const QString& key, int lowest, int highest)
{
    bool ok = false;
    const int value = file.value(key).toString().trimmed().toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

TableLayout readTable(const QSettings& file)
{
    TableLayout table;
    for (const QString& text : file.value(QStringLiteral("widths")).toStringList()) {
        bool ok = false;
        const int width = text.trimmed().toInt(&ok);
        table.widths.append(ok && width > 0 && width <= kLargestLength ? width : 0);
    }
    const std::optional<int> column = readNumber(file, QStringLiteral("sortColumn"), 0, kLargestLength);
    const QString order = file.value(QStringLiteral("sortOrder")).toString();
    if (column && (order == QLatin1String("ascending") || order == QLatin1String("descending"))) {
        table.sortColumn = *column;
        table.sortOrder = order == QLatin1String("ascending") ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    return table;
}

// All the sizes, or none when any is not a number of pixels that fits.
QVector<int> readSizes(const QSettings& file, const QString& key)
{
    QVector<int> sizes;
    for (const QString& text : file.value(key).toStringList()) {
        bool ok = false;
        const int size = text.trimmed().toInt(&ok);
        if (!ok || size <= 0 || size > kLargestLength)
            return {};
        sizes.append(size);
    }
    return sizes;
}

QVector<QRect> availableAreas()
{
    QVector<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}

// The window's widgets of a kind that have an object name, which is their key in editor.ini.
template <typename T> QList<T*> namedChildren(QWidget* window)
{
    QList<T*> children = window->findChildren<T*>();
    children.erase(std::remove_if(children.begin(), children.end(), [](T* c) { return c->objectName().isEmpty(); }),
                   children.end());
    return children;
}

// The sizes the splitter keeps for its parts: the ones the user dragged it to or it was last given, also while
// it has not been laid out yet (its sizes() are then those of a placeholder geometry). Empty when it has none.
QVector<int> keptSizes(const QSplitter* splitter)
{
    QDataStream stream(splitter->saveState());
    qint32 marker = 0;
    qint32 version = 0;
    QList<int> sizes;
    stream >> marker >> version >> sizes;
    if (stream.status() != QDataStream::Ok || sizes.size() != splitter->count() ||
        std::any_of(sizes.begin(), sizes.end(), [](int size) { return size <= 0; }))
        return {};
    return sizes.toVector();
}

// The sizes a splitter starts with: each part's preferred size (a part that stretches takes the rest anyway).
QList<int> preferredSizes(const QSplitter* splitter)
{
    QList<int> sizes;
    for (int part = 0; part < splitter->count(); ++part) {
        const QSize hint = splitter->widget(part)->sizeHint();
        sizes.append(splitter->orientation() == Qt::Vertical ? hint.height() : hint.width());
    }
    return sizes;
}

TableLayout tableLayoutOf(const QTableWidget* table)
{
    TableLayout layout;
    const QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column)
        layout.widths.append(header->sectionSize(column));
    if (header->sortIndicatorSection() >= 0 && header->sortIndicatorSection() < table->columnCount()) {
        layout.sortColumn = header->sortIndicatorSection();
        layout.sortOrder = header->sortIndicatorOrder();
    }
    return layout;
}

// Applies what still fits the table: widths of columns that exist and that the user may size, and a sort
// column that exists. Setting the sort indicator sorts the table, since its sorting is enabled.
void applyTableLayout(QTableWidget* table, const TableLayout& layout)
{
    QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < std::min(layout.widths.size(), table->columnCount()); ++column) {
        const int width = layout.widths.at(column);
        if (width >= header->minimumSectionSize() && header->sectionResizeMode(column) == QHeaderView::Interactive)
            header->resizeSection(column, width);
    }
    if (layout.sortColumn < table->columnCount())
        header->setSortIndicator(layout.sortColumn, layout.sortOrder);
}

} // namespace

EditorLayout readEditorLayout(const QString& path)
{
    EditorLayout layout;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError ||
        readNumber(file, QStringLiteral("version"), 0, kLargestLength) != kLayoutVersion)
        return layout;

    const auto x = readNumber(file, QStringLiteral("window/x"), -kLargestLength, kLargestLength);
    const auto y = readNumber(file, QStringLiteral("window/y"), -kLargestLength, kLargestLength);
    const auto width = readNumber(file, QStringLiteral("window/width"), 1, kLargestLength);
    const auto height = readNumber(file, QStringLiteral("window/height"), 1, kLargestLength);
    if (x && y && width && height)
        layout.window = QRect(*x, *y, *width, *height);
    layout.maximised = file.value(QStringLiteral("window/maximised")).toString() == QLatin1String("true");

    file.beginGroup(kSplitters);
    for (const QString& name : file.childKeys()) {
        const QVector<int> sizes = readSizes(file, name);
        if (!sizes.isEmpty())
            layout.splitters.insert(name, sizes);
    }
    file.endGroup();

    for (const QString& group : file.childGroups()) {
        if (group == QLatin1String("window") || group == kSplitters)
            continue;
        file.beginGroup(group);
        layout.tables.insert(group, readTable(file));
        file.endGroup();
    }
    return layout;
}

bool writeEditorLayout(const QString& path, const EditorLayout& layout)
{
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.setValue(QStringLiteral("version"), kLayoutVersion);
    if (layout.window.isValid()) {
        file.beginGroup(QStringLiteral("window"));
        file.setValue(QStringLiteral("x"), layout.window.x());
        file.setValue(QStringLiteral("y"), layout.window.y());
        file.setValue(QStringLiteral("width"), layout.window.width());
        file.setValue(QStringLiteral("height"), layout.window.height());
        file.setValue(QStringLiteral("maximised"), layout.maximised);
        file.endGroup();
    }
    for (auto table = layout.tables.cbegin(); table != layout.tables.cend(); ++table) {
        file.beginGroup(table.key());
        QStringList widths;
        for (int width : table->widths)
            widths.append(QString::number(width));
        file.setValue(QStringLiteral("widths"), widths);
        if (table->sortColumn >= 0) {
            file.setValue(QStringLiteral("sortColumn"), table->sortColumn);
            file.setValue(QStringLiteral("sortOrder"), table->sortOrder == Qt::AscendingOrder
                                                           ? QStringLiteral("ascending")
                                                           : QStringLiteral("descending"));
        }
        file.endGroup();
    }
    file.beginGroup(kSplitters);
    for (auto splitter = layout.splitters.cbegin(); splitter != layout.splitters.cend(); ++splitter) {
        QStringList sizes;
        for (int size : *splitter)
            sizes.append(QString::number(size));
        file.setValue(splitter.key(), sizes);
    }
    file.endGroup();
    file.sync();
    return file.status() == QSettings::NoError;
}

EditorSettings::EditorSettings(const QString& path) : path(path), remembered(readEditorLayout(path)) {}

void EditorSettings::restore(QWidget* window)
{
    window->setGeometry(initialWindowGeometry(availableAreas(), QCursor::pos(), remembered.window));
    if (remembered.maximised)
        window->setWindowState(Qt::WindowMaximized);
    restoreNewTables(window);
}

void EditorSettings::restoreNewTables(QWidget* window)
{
    for (QTableWidget* table : namedChildren<QTableWidget>(window)) {
        if (defaults.contains(table->objectName()))
            continue;
        defaults.insert(table->objectName(), tableLayoutOf(table));
        applyTableLayout(table, remembered.tables.value(table->objectName()));
    }
    for (QSplitter* splitter : namedChildren<QSplitter>(window)) {
        if (restoredSplitters.contains(splitter->objectName()))
            continue;
        restoredSplitters.insert(splitter->objectName());
        const QVector<int> sizes = remembered.splitters.value(splitter->objectName());
        if (sizes.size() == splitter->count())
            splitter->setSizes(sizes.toList());
    }
}

void EditorSettings::save(QWidget* window)
{
    EditorLayout layout = remembered;
    const bool maximised = window->windowState() & Qt::WindowMaximized;
    // The normal geometry is the one to come back to, also when the window is minimised or maximised now.
    layout.window = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    layout.maximised = maximised;
    for (QTableWidget* table : namedChildren<QTableWidget>(window))
        layout.tables.insert(table->objectName(), tableLayoutOf(table));
    for (const QSplitter* splitter : namedChildren<QSplitter>(window)) {
        const QVector<int> sizes = keptSizes(splitter);
        if (!sizes.isEmpty())
            layout.splitters.insert(splitter->objectName(), sizes);
    }
    writeEditorLayout(path, layout);
}

void EditorSettings::reset(QWidget* window)
{
    remembered = EditorLayout();
    QFile::remove(path);
    for (QTableWidget* table : namedChildren<QTableWidget>(window))
        applyTableLayout(table, defaults.value(table->objectName()));
    window->setWindowState(Qt::WindowNoState);
    window->setGeometry(initialWindowGeometry(availableAreas(), QCursor::pos()));
    // The splitters share the room of the window as it now is, as at a first start.
    if (window->layout())
        window->layout()->activate();
    for (QSplitter* splitter : namedChildren<QSplitter>(window))
        splitter->setSizes(preferredSizes(splitter));
}
