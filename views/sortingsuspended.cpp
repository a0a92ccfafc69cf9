#include "views/sortingsuspended.h"

#include <QHeaderView>
#include <QTableWidget>

SortingSuspended::SortingSuspended(QTableWidget* table)
    : table(table), column(table->horizontalHeader()->sortIndicatorSection()),
      order(table->horizontalHeader()->sortIndicatorOrder())
{
    table->setSortingEnabled(false);
}

SortingSuspended::~SortingSuspended()
{
    // Sorting again by the user's column keeps the order the user chose. Without one (no header clicked
    // yet), enabling sorting leaves the rows in the order they were written.
    table->horizontalHeader()->setSortIndicator(column, order);
    table->setSortingEnabled(true);
}
