#pragma once

#include "gamedata/csvimport.h"

class QTableWidget;
class QTableWidgetItem;
class QWidget;

// The attack range above which the game may crash.
constexpr qint64 safeRangeLimit = 7;
// Whether an attack range is above safeRangeLimit, which the game may crash on.
inline bool isRiskyRange(const QString& value)
{
    return value.toLongLong() > safeRangeLimit;
}

// Gives a cell the look of its value, or takes it away. An attack range above safeRangeLimit (`risky`) is
// orange with dark text and a tooltip that says why; a changed value, given the value in its file, is bold in
// the accent colour with the tooltip "原值: " and that value. Every table that shows such values uses this.
void showValueLook(QTableWidgetItem* cell, bool risky, const QString* fileValue = nullptr);

// A read-only table that lists changes with the columns "ID", "名称", "列", "修改" ("old → new").
QTableWidget* newChangeTable(QWidget* parent = nullptr);

// Lists the changes in the table, replacing its rows.
void fillChangeTable(QTableWidget* table, const QList<CellChange>& changes);
