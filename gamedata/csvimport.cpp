#include "gamedata/csvimport.h"

#include "gamedata/bulkrule.h"
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace {

bool isBlank(const QStringList& row)
{
    return std::all_of(row.cbegin(), row.cend(), [](const QString& field) {
        return std::all_of(field.cbegin(), field.cend(), [](QChar c) { return c.isSpace(); });
    });
}

// A value an import may write: digits only, from 0 to largestFieldValue.
std::optional<qint64> fieldValue(const QString& text)
{
    const std::optional<qint64> value = text.startsWith(QLatin1Char('-')) ? std::nullopt : wholeNumber(text);
    if (!value || *value > largestFieldValue)
        return std::nullopt;
    return value;
}

} // namespace

ImportMatcher::ImportMatcher(const TableShape& table, const QHash<QString, QStringList>& records)
    : table(table), records(records)
{}

// The text is made only for a problem that is listed: a file may hold millions of bad rows.
template <typename Text> void ImportMatcher::problem(int line, Text text, bool warning)
{
    ++(warning ? match.warnings : match.errors);
    if (match.problems.size() < listedProblemLimit)
        match.problems.append({line, text(), warning});
}

void ImportMatcher::addHeader(const QStringList& header)
{
    headerSize = header.size();
    QSet<int> seen;
    // A header may have millions of columns: like the rows' problems, only the listed ones get a text.
    QList<ImportProblem> headerProblems;
    int headerProblemCount = 0;
    target.reserve(header.size());
    for (const QString& field : header) {
        const int column = table.labels.indexOf(field.trimmed());
        if (column < 0 || seen.contains(column)) {
            if (++headerProblemCount <= listedProblemLimit)
                headerProblems.append({1,
                                       (column < 0 ? QStringLiteral("表格中没有“%1”列,此列被忽略")
                                                   : QStringLiteral("“%1”列出现了不止一次,只用第一个"))
                                           .arg(field.trimmed()),
                                       false});
        }
        target.append(column >= 0 && !seen.contains(column) ? column : -1);
        seen.insert(column);
    }
    const bool takesNumbers =
        std::any_of(table.numberColumns.cbegin(), table.numberColumns.cend(), [&](int c) { return seen.contains(c); });
    if (!seen.contains(table.idColumn) || !takesNumbers) {
        match.refusal = QStringLiteral("此CSV文件不属于这个表格(表头与表格的列不符)");
        return;
    }
    for (const ImportProblem& headerProblem : headerProblems)
        problem(
            headerProblem.row, [&] { return headerProblem.text; }, headerProblem.warning);
    match.errors += headerProblemCount - headerProblems.size();
    idField = target.indexOf(table.idColumn);
}

void ImportMatcher::addRow(int line, const QStringList& fields)
{
    if (!headerRead) {
        headerRead = true;
        addHeader(fields);
        return;
    }
    if (!match.refusal.isEmpty() || isBlank(fields))
        return;
    if (fields.size() != headerSize) {
        problem(line, [&] {
            return QStringLiteral("此行有%1个字段,表头有%2个,整行被忽略").arg(fields.size()).arg(headerSize);
        });
        return;
    }
    const QString id = fields.at(idField).trimmed();
    const auto record = records.constFind(id);
    if (id.isEmpty()) {
        problem(line, [&] { return QStringLiteral("此行没有ID,整行被忽略"); });
        return;
    }
    if (record == records.cend()) {
        problem(line, [&] { return QStringLiteral("没有ID为“%1”的记录,整行被忽略").arg(id); });
        return;
    }
    if (lineOfId.contains(id)) {
        problem(line,
                [&] { return QStringLiteral("ID“%1”已在第%2行出现,此行被忽略").arg(id).arg(lineOfId.value(id)); });
        return;
    }
    lineOfId.insert(id, line);

    const QString name = record->value(table.nameColumn);
    for (int field = 0; field < fields.size(); ++field) {
        const int column = target.at(field);
        if (column < 0 || column == table.idColumn)
            continue;
        const QString text = fields.at(field).trimmed();
        const QString old = record->value(column);
        if (!table.numberColumns.contains(column)) {
            // An export guards text that a spreadsheet would take for a formula.
            const QString unguarded = withoutFormulaGuard(text);
            if (unguarded == old.trimmed())
                continue;
            if (column == table.nameColumn)
                problem(
                    line, [&] { return QStringLiteral("名称“%1”与记录中的“%2”不同").arg(unguarded, old); }, true);
            else
                problem(
                    line, [&] { return QStringLiteral("“%1”列是只读的,其修改被忽略").arg(table.labels.at(column)); },
                    true);
            continue;
        }
        const std::optional<qint64> value = fieldValue(text);
        if (!value) {
            problem(line, [&] {
                return QStringLiteral("“%1”列的“%2”不是0到999999999之间的整数").arg(table.labels.at(column), text);
            });
            continue;
        }
        if (wholeNumber(old) != value)
            match.changes.append({line, id, name, column, table.labels.at(column), old, QString::number(*value)});
    }
}

ImportMatch matchImport(const QList<QStringList>& rows, const TableShape& table,
                        const QHash<QString, QStringList>& records)
{
    ImportMatcher matcher(table, records);
    if (rows.isEmpty())
        matcher.addRow(1, {});
    for (int index = 0; index < rows.size(); ++index)
        matcher.addRow(index + 1, rows.at(index));
    return matcher.result();
}

ImportMatch matchImportFile(const QString& path, const TableShape& table, const QHash<QString, QStringList>& records,
                            QString* error)
{
    ImportMatcher matcher(table, records);
    if (!readCsvFileRows(
            path, [&matcher](int line, const QStringList& fields) { matcher.addRow(line, fields); }, error))
        return ImportMatch();
    return matcher.result();
}
