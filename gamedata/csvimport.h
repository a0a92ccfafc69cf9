#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// What an import or a bulk edit needs to know of a table: its header labels as shown, where the id and the
// name stand (nameColumn -1 when there is none), and the columns that take whole numbers. Every other column
// is read-only for them.
struct TableShape
{
    QStringList labels;
    int idColumn = 0;
    int nameColumn = 1;
    QList<int> numberColumns;
};

// One value an import or a bulk edit would change.
struct CellChange
{
    int row = 0; // of the CSV file (the header is row 1)
    QString id;
    QString name; // as the record has it
    int column = 0;
    QString label;
    QString oldValue;
    QString newValue;
};

struct ImportProblem
{
    int row = 0;
    QString text;
    bool warning = false; // a warning leaves the row's valid changes in place
};

struct ImportMatch
{
    // Set when the file is not of this table at all; then there is nothing else.
    QString refusal;
    QList<CellChange> changes;
    QList<ImportProblem> problems;
};

// Matches the rows of a CSV file (the first is the header) to the records, id -> the texts of the record's
// row in table column order, by the id column, and lists the number cells whose value differs, as canonical
// digits. A row with an unknown, empty or repeated id, or of another length than the header, changes nothing;
// a cell that is no whole number from 0 to 999,999,999 is left out; a header that is not a column of the
// table is reported and its cells are ignored. Read-only columns never change; a name that differs from
// the record's is a warning. A file without the id column or any number column of the table is refused.
ImportMatch matchImport(const QList<QStringList>& rows, const TableShape& table,
                        const QHash<QString, QStringList>& records);
