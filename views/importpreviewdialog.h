#pragma once

#include "gamedata/csvimport.h"

#include <QDialog>

class QTableWidget;

// "从CSV导入…" before anything changes: the values the import would change (id, name, column, old → new)
// and every problem with the line of the file its row begins on, the two lists split at a line the user can
// move. "应用" is offered only when something valid would change. `attackRanges`: the numbers are attack
// ranges, and one above the limit the game takes gets the warning look.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    ImportPreviewDialog(const ImportMatch& match, bool attackRanges, QWidget* parent = nullptr);
};

// "导出为CSV…": asks for a file and writes the rows of the table in view into it. Gives the message for the
// status bar; an empty one when the user cancelled.
QString exportTableToCsv(QWidget* parent, const QTableWidget* table, const QString& suggestedName);

// "从CSV导入…": asks for a file, reads it, matches it to the records (id -> the texts of the record's row in
// table column order) and shows the preview (`attackRanges` as for the dialog). Gives the changes the user chose
// to apply; none when the user cancelled or the file was refused, in which case `message` says why (else it is
// cleared).
QList<CellChange> importCsvChanges(QWidget* parent, const TableShape& shape, const QHash<QString, QStringList>& records,
                                   QString* message, bool attackRanges = false);
