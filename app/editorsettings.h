#pragma once

#include <QHash>
#include <QRect>
#include <QSet>
#include <QString>
#include <QVector>

class QSplitter;
class QTableWidget;
class QWidget;

// One table's column widths and sort as remembered. A width of 0 stands for none remembered; a sort column
// of -1 for no sort.
struct TableLayout
{
    QVector<int> widths;
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
};

// What editor.ini holds: the window's normal geometry (invalid when none is remembered), whether it was
// maximised, each table's layout by the table's object name, and each splitter's sizes (one per part, in
// pixels) by the splitter's object name.
struct EditorLayout
{
    QRect window;
    bool maximised = false;
    QHash<QString, TableLayout> tables;
    QHash<QString, QVector<int>> splitters;
};

// Reads editor.ini. A missing or unreadable file, or one of another layout version, gives an empty layout;
// single values that are not numbers or do not fit are left out, and so are splitter sizes of which any is.
EditorLayout readEditorLayout(const QString& path);
// Writes the whole file anew; false when it could not be written.
bool writeEditorLayout(const QString& path, const EditorLayout& layout);

// Keeps the editor's layout across runs in editor.ini: places the window and restores the named tables and
// splitters at start, writes the layout on exit, and puts the default layout back on request.
class EditorSettings
{
public:
    explicit EditorSettings(const QString& path);

    // Places the window, not yet shown, and restores the tables it holds.
    void restore(QWidget* window);
    // Restores the tables and splitters built since (the tabs appear once the game data has loaded).
    void restoreNewTables(QWidget* window);
    void save(QWidget* window);
    // Forgets the remembered layout and gives the window, its tables and its splitters their default layout.
    void reset(QWidget* window);

private:
    QString path;
    EditorLayout remembered;
    // Each table's layout as built, before anything remembered was applied to it.
    QHash<QString, TableLayout> defaults;
    // The splitters restored already.
    QSet<QString> restoredSplitters;
};
