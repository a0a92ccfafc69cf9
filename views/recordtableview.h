#pragma once

#include "document/gamedocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QPoint;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;
struct TableShape;

// What every table of records shares: the id in column 0 and the name in column 1, a search line that
// filters them, many-cell selection, the marks of changed values, the cell context menu (undo, redo,
// revert, bulk edit, CSV export and import), and the values the user types into number cells. The view
// belongs to its table; every change it makes goes to the document.
class RecordTableView : public QObject
{
    Q_OBJECT

public:
    // `lastField` is the last field of a record the table shows; army statistics and skill ranges stand one
    // column right of their position, a city's specialties mark its whole row.
    RecordTableView(GameDocument* document, QTableWidget* table, RecordKind kind, int lastField);

    // Common set-up of every table of the editor.
    static void setupTable(QTableWidget* table, int columnCount, bool mouseTracking, const QStringList& labels);
    // The column that shows a field.
    static int columnOf(const FieldRef& ref);

    QTableWidget* table() const { return view; }
    // A layout with the table's search line, `lineWidth` wide, above the table.
    QVBoxLayout* withSearchLine(int lineWidth) const;
    // The army type whose skills are on screen; it goes with every change made in this table.
    void setShownArmy(const QString& id) { shownArmy = id; }

    // Gives a cell the look of the field's value: marked when changed, warned when a risky range.
    void markCell(QTableWidgetItem* cell, const FieldRef& ref) const;
    // Shows the values of the table's changed fields, with their marks.
    void refreshCells(const QVector<FieldValue>& values);
    // Draws every mark anew, after a save.
    void remark();
    // Makes the cell of the record's row current and the only one selected, and scrolls to it; a filter
    // that hides the row is cleared. Returns the row, or -1 when the table has no row of the id.
    int selectCell(const QString& id, int column);
    // Commits a cell editor that is still open. False, with the refusal said, when its text is refused.
    bool commitOpenEditor();

    // "批量修改…": a rule applied to the selected number cells in view.
    void bulkEdit();
    // "导出为CSV…": the rows in view, as shown, into a CSV file the user picks.
    void exportTable();
    // "从CSV导入…": the changes a CSV file holds for the table's records, after a preview.
    void importTable();

signals:
    // A message for the status bar.
    void statusMessage(const QString& text);

private:
    void storeEdit(int row, int column);
    void showCellMenu(const QPoint& pos);
    TableShape shape() const;
    // The cells that show a field in a row.
    QList<QTableWidgetItem*> cellsOf(int row, const FieldRef& ref) const;

    GameDocument* document;
    QTableWidget* view;
    RecordKind kind;
    int lastField;
    QString shownArmy;
};
