#include "gamedata/csvwriter.h"

#include <QSaveFile>

namespace {

bool needsQuotes(const QString& field)
{
    if (field.isEmpty())
        return false;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    for (const QChar c : field) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n'))
            return true;
    }
    return false;
}

// Where a field's text starts behind the apostrophes that may stand in front of it.
int afterApostrophes(const QString& field)
{
    int at = 0;
    while (at < field.size() && field.at(at) == QLatin1Char('\''))
        ++at;
    return at;
}

bool startsFormula(const QString& field, int at)
{
    if (at >= field.size())
        return false;
    const QChar c = field.at(at);
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@');
}

void appendField(QString& out, const QString& text)
{
    const QString field = startsFormula(text, afterApostrophes(text)) ? QLatin1Char('\'') + text : text;
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += QLatin1Char('"');
    for (const QChar c : field) {
        if (c == QLatin1Char('"'))
            out += QLatin1Char('"');
        out += c;
    }
    out += QLatin1Char('"');
}

} // namespace

QString withoutFormulaGuard(const QString& field)
{
    const int at = afterApostrophes(field);
    return at > 0 && startsFormula(field, at) ? field.mid(1) : field;
}

QByteArray writeCsv(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        if (row.size() == 1 && row.front().isEmpty()) {
            text += QLatin1String("\"\"");
        } else {
            for (int column = 0; column < row.size(); ++column) {
                if (column > 0)
                    text += QLatin1Char(',');
                appendField(text, row.at(column));
            }
        }
        text += QLatin1String("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsvFile(const QString& path, const QList<QStringList>& rows)
{
    const QByteArray bytes = writeCsv(rows);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
