#pragma once

#include <QLineEdit>

class QTableWidget;

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
