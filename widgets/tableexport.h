#pragma once

#include <QList>
#include <QStringList>

class QTableWidget;

// What the table shows, as rows of texts: the header labels, then every row that is not hidden, in the order
// shown, each with the display texts of its shown columns in the order shown (a cell without an item is
// empty). Written with writeCsvFile, this is the table's CSV export.
QList<QStringList> shownRows(const QTableWidget* table);
