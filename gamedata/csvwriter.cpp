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

void appendField(QString& out, const QString& field)
{
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
