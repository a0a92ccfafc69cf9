#include "widgets/tableexport.h"

#include <QHeaderView>
#include <QTableWidget>

QList<QStringList> shownRows(const QTableWidget* table)
{
    const QHeaderView* columns = table->horizontalHeader();
    const QHeaderView* rows = table->verticalHeader();
    QList<int> shownColumns;
    for (int visual = 0; visual < table->columnCount(); ++visual) {
        const int column = columns->logicalIndex(visual);
        if (!table->isColumnHidden(column))
            shownColumns.append(column);
    }
    const auto textOf = [](const QTableWidgetItem* item) {
        return item ? item->text() : QString();
    };

    QList<QStringList> result;
    QStringList header;
    for (int column : shownColumns)
        header.append(table->model()->headerData(column, Qt::Horizontal).toString());
    result.append(header);
    for (int visual = 0; visual < table->rowCount(); ++visual) {
        const int row = rows->logicalIndex(visual);
        if (table->isRowHidden(row))
            continue;
        QStringList fields;
        fields.reserve(shownColumns.size());
        for (int column : shownColumns)
            fields.append(textOf(table->item(row, column)));
        result.append(fields);
    }
    return result;
}
