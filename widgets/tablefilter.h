#pragma once

#include "widgets/appsearchline.h"

#include <QObject>
#include <QPointer>

class QTableWidget;
class QWidget;

// A search line that keeps a table filtered by its id and name: while the line holds text, only the rows
// whose id or name contains it are shown. It filters as the user types, Esc in the line clears it, and the
// filter stays applied when the table's owner refills the table or sorts it. Filtering only hides rows:
// every row still holds the cells of its record.
class TableFilter : public QObject
{
    Q_OBJECT

public:
    // The filter belongs to the table. The id and name columns stand side by side (as in every table of the
    // editor); the line searches them both. Put searchLine() into a layout to show it.
    TableFilter(QTableWidget* table, int idColumn, int nameColumn);
    ~TableFilter() override;

    AppSearchLine* searchLine() const { return line; }
    // Applies the line's text to the table at once. After a change of the table's rows the filter does this
    // by itself when control returns to the event loop; an owner that refills and at once reads which rows
    // are shown calls it directly.
    void refilter();

    // Makes Ctrl+F in the window put the focus into the search line of a filtered table in view: the table
    // that has the focus, else the first shown one. Call once per window.
    static void installFindShortcut(QWidget* window);
    // What the shortcut does; false when no filtered table of the window is in view.
    static bool focusSearchInView(QWidget* window);

signals:
    // The rows shown have just been judged again: a panel that shows the current row looks whether it is
    // still shown.
    void refiltered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refilterLater();

    QTableWidget* table;
    QPointer<AppSearchLine> line;
    int firstColumn;
    int lastColumn;
    bool refilterPending = false;
};
