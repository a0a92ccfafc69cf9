#pragma once

class QTableWidget;

// While alive, the table's header sorting cannot move rows that are being written cell by cell.
// Afterwards sorting is available again and the rows stay in the order they were written.
class SortingSuspended
{
public:
    explicit SortingSuspended(QTableWidget* table);
    ~SortingSuspended();
    SortingSuspended(const SortingSuspended&) = delete;
    SortingSuspended& operator=(const SortingSuspended&) = delete;

private:
    QTableWidget* table;
};
