#pragma once

#include <QLineEdit>

class QString;
class QTableWidget;

// Shows the rows of the table in which one of the columns firstColumn..lastColumn contains the text (plain,
// case-sensitive substring) and hides the others. A cell without an item counts as empty text; a first column
// past the last one filters nothing. Rows whose state stays are not touched, and the table is not repainted
// row by row, so that a search as the user types stays quick on thousands of rows.
void showRowsContaining(QTableWidget* table, int firstColumn, int lastColumn, const QString& text);

// A rounded text field with a search button at its left end. Pressing the button or finishing the edit
// shows only the table rows in which one of the columns firstColumn..lastColumn contains the text.
class AppSearchLine : public QLineEdit
{
    Q_OBJECT

public:
    // The table is not owned; the widget gets its parent when a layout takes it.
    AppSearchLine(QTableWidget* table, int firstColumn, int lastColumn);

private slots:
    void seachFromTable();

private:
    QTableWidget* searchTable;
    int lastColumn;
    int firstColumn;
};
