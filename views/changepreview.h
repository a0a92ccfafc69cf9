#pragma once

#include "gamedata/csvimport.h"

class QTableWidget;
class QTableWidgetItem;
class QWidget;

// The attack range above which the game may crash.
constexpr qint64 safeRangeLimit = 7;

// Gives a cell the look of an attack range above safeRangeLimit (orange, dark text, a tooltip that says why),
// or takes it away.
void showRangeWarning(QTableWidgetItem* cell, bool risky);

// A read-only table that lists changes with the columns "ID", "名称", "列", "修改" ("old → new").
QTableWidget* newChangeTable(QWidget* parent = nullptr);

// Lists the changes in the table, replacing its rows.
void fillChangeTable(QTableWidget* table, const QList<CellChange>& changes);
