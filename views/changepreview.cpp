#include "views/changepreview.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QObject>
#include <QTableWidget>

void showValueLook(QTableWidgetItem* cell, bool risky, const QString* fileValue)
{
    static const QVariant accent = QBrush(QColor(QStringLiteral("#D9A64A")));
    static const QVariant risk = QBrush(QColor(QStringLiteral("#ff6600")));
    static const QVariant onRisk = QBrush(QColor(QStringLiteral("#1e1e1e")));
    QStringList tips;
    if (risky)
        tips.append(QObject::tr("攻击范围超过7可能导致游戏崩溃"));
    if (fileValue)
        tips.append(QObject::tr("原值: ") + *fileValue);

    const bool changed = fileValue;
    QFont font = cell->font();
    if (font.bold() != changed) {
        font.setBold(changed);
        cell->setFont(font);
    }
    // Each change of a cell is a signal to every view of the table: only what differs is set.
    const auto set = [cell](int role, const QVariant& value) {
        if (cell->data(role) != value)
            cell->setData(role, value);
    };
    set(Qt::BackgroundRole, risky ? risk : QVariant());
    set(Qt::ForegroundRole, risky ? onRisk : changed ? accent : QVariant());
    set(Qt::ToolTipRole, tips.isEmpty() ? QVariant() : QVariant(tips.join(QLatin1Char('\n'))));
}

QTableWidget* newChangeTable(QWidget* parent)
{
    auto* table = new QTableWidget(0, 4, parent);
    table->setHorizontalHeaderLabels({QObject::tr("ID"), QObject::tr("名称"), QObject::tr("列"), QObject::tr("修改")});
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
