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
    int row = 0; // the line of the CSV file the row begins on (the header's is 1)
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

// The most problems an import lists; the others are only counted. A file of bad rows would otherwise make a
// list as long as the file.
constexpr int listedProblemLimit = 1000;

struct ImportMatch
{
    // Set when the file is not of this table at all; then there is nothing else.
    QString refusal;
    QList<CellChange> changes;
    // The first listedProblemLimit problems, and how many errors and warnings there were in all.
    QList<ImportProblem> problems;
    int errors = 0;
    int warnings = 0;
};

// Matches the rows of a CSV file to the records as they are read, one by one, the header first; see
// matchImport for what it finds.
class ImportMatcher
{
public:
    ImportMatcher(const TableShape& table, const QHash<QString, QStringList>& records);

    // A row of the file and the line it begins on.
    void addRow(int line, const QStringList& fields);
    const ImportMatch& result() const { return match; }

private:
    void addHeader(const QStringList& header);
    template <typename Text> void problem(int line, Text text, bool warning = false);

    const TableShape& table;
    const QHash<QString, QStringList>& records;
    ImportMatch match;
    bool headerRead = false;
    int headerSize = 0;
    // Per column of the file, the table column it fills, or -1.
    QList<int> target;
    int idField = -1;
    QHash<QString, int> lineOfId;
};

// Matches the rows of a CSV file (the first is the header) to the records, id -> the texts of the record's
// row in table column order, by the id column, and lists the number cells whose value differs, as canonical
// digits. A row with an unknown, empty or repeated id, or of another length than the header, changes nothing;
// a cell that is no whole number from 0 to 999,999,999 is left out; a header that is not a column of the
// table is reported and its cells are ignored. Read-only columns never change; a name that differs from
// the record's is a warning. A file without the id column or any number column of the table is refused.
// The rows are numbered from 1, as lines of a file without blank lines.
ImportMatch matchImport(const QList<QStringList>& rows, const TableShape& table,
                        const QHash<QString, QStringList>& records);

// Reads the CSV file (see readCsvRows) and matches its rows; a file that cannot be read gives an empty match and
// the reason in `error`.
ImportMatch matchImportFile(const QString& path, const TableShape& table, const QHash<QString, QStringList>& records,
                            QString* error);
