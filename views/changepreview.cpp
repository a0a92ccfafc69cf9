#include "views/changepreview.h"

#include "app/widget.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QTableWidget>

void showRangeWarning(QTableWidgetItem* cell, bool risky)
{
    cell->setData(Qt::BackgroundRole, risky ? QVariant(QBrush(QColor(QStringLiteral("#ff6600")))) : QVariant());
    cell->setData(Qt::ForegroundRole, risky ? QVariant(QBrush(QColor(QStringLiteral("#1e1e1e")))) : QVariant());
    cell->setToolTip(risky ? Widget::tr("攻击范围超过7可能导致游戏崩溃") : QString());
}

QTableWidget* newChangeTable(QWidget* parent)
{
    auto* table = new QTableWidget(0, 4, parent);
    table->setHorizontalHeaderLabels({Widget::tr("ID"), Widget::tr("名称"), Widget::tr("列"), Widget::tr("修改")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return table;
}

void fillChangeTable(QTableWidget* table, const QList<CellChange>& changes)
{
    table->setRowCount(0);
    table->setRowCount(changes.size());
    for (int row = 0; row < changes.size(); ++row) {
        const CellChange& change = changes.at(row);
        table->setItem(row, 0, new QTableWidgetItem(change.id));
        table->setItem(row, 1, new QTableWidgetItem(change.name));
        table->setItem(row, 2, new QTableWidgetItem(change.label));
        table->setItem(row, 3, new QTableWidgetItem(change.oldValue + QStringLiteral(" → ") + change.newValue));
    }
}
