#include "views/sortingsuspended.h"

#include <QHeaderView>
#include <QTableWidget>

SortingSuspended::SortingSuspended(QTableWidget* table) : table(table)
{
    table->setSortingEnabled(false);
}

SortingSuspended::~SortingSuspended()
{
    // No sort column: enabling sorting then keeps the written order until the user clicks a header.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
}
