#include "views/sortingsuspended.h"

#include <QHeaderView>
#include <QTableWidget>

SortingSuspended::SortingSuspended(QTableWidget* table)
    : table(table), column(table->horizontalHeader()->sortIndicatorSection()),
      order(table->horizontalHeader()->sortIndicatorOrder())
{
    // Without a sort column (no header clicked yet) the table moves no rows as cells are written, and enabling
    // sorting again would still reorder every row, which costs more than a small change itself.
    if (column >= 0)
        table->setSortingEnabled(false);
}

SortingSuspended::~SortingSuspended()
{
    if (column < 0)
        return;
    // Sorting again by the user's column keeps the order the user chose.
    table->horizontalHeader()->setSortIndicator(column, order);
    table->setSortingEnabled(true);
}
