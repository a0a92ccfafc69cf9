#include "gamedata/csvreader.h"

#include "gamedata/gbktext.h"

#include <QDir>
#include <QFile>
#include <QTextCodec>

#include <algorithm>
#include <memory>

namespace {

QString tooLarge()
{
    return QStringLiteral("文件太大(超过%1 MB),不是表格导出的CSV文件").arg(csvSizeLimit / (1024 * 1024));
}

// The text of the bytes behind `skip` decoded with the codec, or a null string when the bytes are not valid
// in it. Validity is checked by encoding the text again: Qt's GBK decoder reports no invalid bytes, it
// replaces them or drops them. A byte-order mark among the bytes stays in the text: Qt's decoders would drop
// one at the start, which the encoder does not give back.
QString decodeStrictly(const char* codecName, const QByteArray& bytes, int skip)
{
    QTextCodec* codec = QTextCodec::codecForName(codecName);
    if (!codec)
        return QString();
    const std::unique_ptr<QTextDecoder> decoder(codec->makeDecoder(QTextCodec::IgnoreHeader));
    const QString text = decoder->toUnicode(bytes.constData() + skip, bytes.size() - skip);
    const std::unique_ptr<QTextEncoder> encoder(codec->makeEncoder(QTextCodec::IgnoreHeader));
    if (encoder->fromUnicode(text) != QByteArray::fromRawData(bytes.constData() + skip, bytes.size() - skip))
        return QString();
    return text.isNull() ? QStringLiteral("") : text;
}

// The codec named by a Unicode byte-order mark at the start, and the mark's length; nullptr without one.
const char* markedCodec(const QByteArray& bytes, int* markLength)
{
    *markLength = 3;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return "UTF-8";
    *markLength = 2;
    if (bytes.startsWith("\xFF\xFE"))
        return "UTF-16LE";
    if (bytes.startsWith("\xFE\xFF"))
        return "UTF-16BE";
    *markLength = 0;
    return nullptr;
}

// The text of the bytes, or a null string with `error` set. Unmarked bytes that are not valid UTF-8 are
// taken as GBK, what a Chinese spreadsheet saves by default.
QString decode(const QByteArray& bytes, QString* error)
{
    int markLength = 0;
    const char* marked = markedCodec(bytes, &markLength);
    QString text = decodeStrictly(marked ? marked : "UTF-8", bytes, markLength);
    if (text.isNull() && !marked) {
        text = decodeStrictly("GBK", bytes, 0);
        unifyGbkText(text);
        // Bytes outside GBK's characters (0xFF, say) come back as private-use characters: not a table's text.
        const auto privateUse = [](QChar c) {
            return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
        };
        if (std::any_of(text.cbegin(), text.cend(), privateUse))
            text = QString();
    }
    if (text.isNull())
        *error = QStringLiteral("文件既不是UTF-8也不是GBK编码的文本");
    // A file saved again by a program that put its own mark before the one already there starts with two.
    int marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(0xFEFF))
        ++marks;
    return text.mid(marks);
}

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Tabs or commas, whichever the first row holds more of outside quotes.
QChar separatorOf(const QString& text)
{
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char(','))
            ++commas;
        else if (c == QLatin1Char('\t'))
            ++tabs;
        else if (isLineEnd(c) && commas + tabs > 0)
            break;
    }
    return tabs > commas ? QLatin1Char('\t') : QLatin1Char(',');
}

} // namespace

bool readCsvRows(const QByteArray& bytes, const CsvRowHandler& onRow, QString* error)
{
    error->clear();
    if (bytes.size() > csvSizeLimit) {
        *error = tooLarge();
        return false;
    }
    const QString text = decode(bytes, error);
    if (text.isNull())
        return false;
    if (text.contains(QChar(0))) {
        *error = QStringLiteral("文件含有二进制数据,不是CSV文件");
        return false;
    }

    const QChar separator = separatorOf(text);
    bool anyRow = false;
    QStringList row;
    QString field;
    bool rowHasText = false;
    // The line the character read is on, and the one the row began on: a quoted field may hold line breaks.
    int line = 1;
    int rowLine = 1;
    const auto endRow = [&] {
        if (rowHasText || !field.isEmpty()) {
            row.append(field);
            onRow(rowLine, row);
            anyRow = true;
        }
        // The row's storage serves the next row unless the handler kept a copy.
        if (row.isDetached())
            row.erase(row.begin(), row.end());
        else
            row = QStringList();
        field.clear();
        rowHasText = false;
    };
    const QChar* c = text.constData();
    const QChar* const end = c + text.size();
    while (c != end) {
        if (*c == QLatin1Char('"') && field.isEmpty()) {
            // A quoted field runs to the quote that is not doubled; text behind it up to the separator is kept.
            const int openedOn = line;
            for (++c;; ++c) {
                if (c == end) {
                    *error = QStringLiteral("第%1行的引号没有闭合").arg(openedOn);
                    return false;
                }
                if (*c == QLatin1Char('"')) {
                    if (c + 1 == end || c[1] != QLatin1Char('"'))
                        break;
                    ++c;
                } else if (*c == QLatin1Char('\n') || (*c == QLatin1Char('\r') && (c + 1 == end || c[1] != '\n'))) {
                    ++line;
                }
                field += *c;
            }
            ++c;
            rowHasText = true;
            continue;
        }
        if (*c == separator) {
            // A row of millions of fields would hold gigabytes: no table of the game is anywhere near so wide.
            if (row.size() + 1 >= csvFieldLimit) {
                *error = QStringLiteral("第%1行的字段超过%2个,不是表格").arg(rowLine).arg(csvFieldLimit);
                return false;
            }
            row.append(field);
            field.clear();
            rowHasText = true;
        } else if (isLineEnd(*c)) {
            if (*c == QLatin1Char('\r') && c + 1 != end && c[1] == QLatin1Char('\n'))
                ++c;
            endRow();
            rowLine = ++line;
        } else {
            // Up to the field's end every character is the field's, a quote included.
            const QChar* const run = c;
            while (c != end && *c != separator && !isLineEnd(*c))
                ++c;
            field.append(run, int(c - run));
            continue;
        }
        ++c;
    }
    endRow();
    if (!anyRow)
        *error = QStringLiteral("CSV文件是空的");
    return anyRow;
}

QList<QStringList> readCsv(const QByteArray& bytes, QString* error)
{
    QList<QStringList> rows;
    if (!readCsvRows(
            bytes, [&rows](int, const QStringList& fields) { rows.append(fields); }, error))
        return {};
    return rows;
}

bool readCsvFileRows(const QString& path, const CsvRowHandler& onRow, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取文件: ") + QDir::toNativeSeparators(path);
        return false;
    }
    if (file.size() > csvSizeLimit) {
        *error = tooLarge();
        return false;
    }
    // A file that grows while it is read is still cut off at the limit.
    return readCsvRows(file.read(csvSizeLimit + 1), onRow, error);
}

QList<QStringList> readCsvFile(const QString& path, QString* error)
{
    QList<QStringList> rows;
    if (!readCsvFileRows(
            path, [&rows](int, const QStringList& fields) { rows.append(fields); }, error))
        return {};
    return rows;
}
