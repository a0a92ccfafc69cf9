#pragma once

#include <Qt>

class QTableWidget;

// While alive, the table's header sorting cannot move rows that are being written cell by cell.
// Afterwards the rows are sorted again by the column the user chose, or, when the user chose none, stay in
// the order they were written.
class SortingSuspended
{
public:
    explicit SortingSuspended(QTableWidget* table);
    ~SortingSuspended();
    SortingSuspended(const SortingSuspended&) = delete;
    SortingSuspended& operator=(const SortingSuspended&) = delete;

private:
    QTableWidget* table;
    int column;
    Qt::SortOrder order;
};
