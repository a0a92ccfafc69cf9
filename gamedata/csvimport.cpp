#include "gamedata/csvimport.h"

#include "gamedata/bulkrule.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace {

bool isBlank(const QStringList& row)
{
    return std::all_of(row.cbegin(), row.cend(), [](const QString& field) { return field.trimmed().isEmpty(); });
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

ImportMatch matchImport(const QList<QStringList>& rows, const TableShape& table,
                        const QHash<QString, QStringList>& records)
{
    ImportMatch match;
    // Per column of the file, the table column it fills, or -1.
    QList<int> target;
    QSet<int> seen;
    QList<ImportProblem> headerProblems;
    const QStringList header = rows.value(0);
    for (const QString& field : header) {
        const QString label = field.trimmed();
        const int column = table.labels.indexOf(label);
        if (column < 0) {
            headerProblems.append({1, QStringLiteral("表格中没有“%1”列,此列被忽略").arg(label), false});
        } else if (seen.contains(column)) {
            headerProblems.append({1, QStringLiteral("“%1”列出现了不止一次,只用第一个").arg(label), false});
        }
        target.append(column >= 0 && !seen.contains(column) ? column : -1);
        seen.insert(column);
    }
    const bool takesNumbers =
        std::any_of(table.numberColumns.cbegin(), table.numberColumns.cend(), [&](int c) { return seen.contains(c); });
    if (!seen.contains(table.idColumn) || !takesNumbers) {
        match.refusal = QStringLiteral("此CSV文件不属于这个表格(表头与表格的列不符)");
        return match;
    }
    match.problems = headerProblems;

    const int idField = target.indexOf(table.idColumn);
    QHash<QString, int> rowOfId;
    for (int index = 1; index < rows.size(); ++index) {
        const QStringList& fields = rows.at(index);
        const int row = index + 1;
        const auto problem = [&](const QString& text, bool warning = false) {
            match.problems.append({row, text, warning});
        };
        if (isBlank(fields))
            continue;
        if (fields.size() != header.size()) {
            problem(QStringLiteral("此行有%1个字段,表头有%2个,整行被忽略").arg(fields.size()).arg(header.size()));
            continue;
        }
        const QString id = fields.at(idField).trimmed();
        const auto record = records.constFind(id);
        if (id.isEmpty()) {
            problem(QStringLiteral("此行没有ID,整行被忽略"));
            continue;
        }
        if (record == records.cend()) {
            problem(QStringLiteral("没有ID为“%1”的记录,整行被忽略").arg(id));
            continue;
        }
        if (rowOfId.contains(id)) {
            problem(QStringLiteral("ID“%1”已在第%2行出现,此行被忽略").arg(id).arg(rowOfId.value(id)));
            continue;
        }
        rowOfId.insert(id, row);

        const QString name = record->value(table.nameColumn);
        for (int field = 0; field < fields.size(); ++field) {
            const int column = target.at(field);
            if (column < 0 || column == table.idColumn)
                continue;
            const QString text = fields.at(field).trimmed();
            const QString old = record->value(column);
            if (!table.numberColumns.contains(column)) {
                if (text == old.trimmed())
                    continue;
                if (column == table.nameColumn)
                    problem(QStringLiteral("名称“%1”与记录中的“%2”不同").arg(text, old), true);
                else
                    problem(QStringLiteral("“%1”列是只读的,其修改被忽略").arg(table.labels.at(column)), true);
                continue;
            }
            const std::optional<qint64> value = fieldValue(text);
            if (!value) {
                problem(QStringLiteral("“%1”列的“%2”不是0到999999999之间的整数").arg(table.labels.at(column), text));
                continue;
            }
            if (wholeNumber(old) != value)
                match.changes.append({row, id, name, column, table.labels.at(column), old, QString::number(*value)});
        }
    }
    return match;
}
