#include "gamedata/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

namespace {

const QByteArray latin1Name = QByteArrayLiteral("ISO-8859-1");
constexpr int utf8Mib = 106;
ByteWriter byteWriter;

std::optional<QByteArray> readBytes(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The codec named by a Unicode byte-order mark at the start of the bytes, if there is one.
QTextCodec* codecForByteOrderMark(const QByteArray& bytes)
{
    if (bytes.startsWith(QByteArray("\xFF\xFE\x00\x00", 4)))
        return QTextCodec::codecForName("UTF-32LE");
    if (bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4)))
        return QTextCodec::codecForName("UTF-32BE");
    if (bytes.startsWith("\xFF\xFE"))
        return QTextCodec::codecForName("UTF-16LE");
    if (bytes.startsWith("\xFE\xFF"))
        return QTextCodec::codecForName("UTF-16BE");
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QTextCodec::codecForName("UTF-8");
    return nullptr;
}

// Turns every "\r\n" into "\n" in one pass. (QString::replace moves the rest of the text for every
// thousand matches, which takes minutes on a large file.)
void toLineFeeds(QString& text)
{
    QChar* const begin = text.data();
    const QChar* const end = begin + text.size();
    QChar* out = begin;
    for (const QChar* in = begin; in != end; ++in) {
        if (*in == QLatin1Char('\r') && in + 1 != end && in[1] == QLatin1Char('\n'))
            continue;
        *out++ = *in;
    }
    text.truncate(int(out - begin));
}

// Decodes by a UTF-16 or UTF-32 byte-order mark, else with the named codec, else by a UTF-8 mark, else
// as UTF-8 when the bytes are valid UTF-8, else with the locale codec. A wide mark wins over the name:
// such bytes read as UTF-8 would be garbage. UTF-8 is decoded once: the attempt is also the result.
QString decode(const QByteArray& bytes, const char* codecName)
{
    QTextCodec* marked = codecForByteOrderMark(bytes);
    QTextCodec* codec = marked && marked->mibEnum() != utf8Mib ? marked : nullptr;
    if (!codec && codecName)
        codec = QTextCodec::codecForName(codecName);
    if (!codec)
        codec = marked;
    if (codec)
        return codec->toUnicode(bytes);
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return QTextCodec::codecForLocale()->toUnicode(bytes);
}

// Replaces the content of an existing regular file. The bytes go to a temporary file beside it,
// which takes the file's place only once it is complete, so a failure leaves the old file whole.
WriteFailure replaceFileContent(const QString& path, const QByteArray& bytes, bool mayCreate)
{
    const QFileInfo info(path);
    if (info.exists() ? !info.isFile() : !mayCreate)
        return WriteFailure::Missing;
    // A file marked read-only stays untouched, also for an administrator whom the system would let through.
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return WriteFailure::ReadOnly;
    QSaveFile file(path);
    // The temporary file goes beside the old one: a folder that refuses it refuses the editor.
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure::AccessDenied;
    const qint64 written = byteWriter ? byteWriter(file, bytes) : file.write(bytes);
    // A write to a local disk that stops short or fails has run out of room (or of the user's quota).
    if (written != bytes.size()) {
        file.cancelWriting();
        return WriteFailure::DiskFull;
    }
    if (file.commit())
        return WriteFailure::None;
    // The complete new file could not take the old one's place: on Windows, another program holds it open.
    if (file.error() == QFileDevice::RenameError)
        return WriteFailure::InUse;
    return file.error() == QFileDevice::ResourceError ? WriteFailure::DiskFull : WriteFailure::Other;
}

bool reportWrite(WriteFailure failure, WriteFailure* why)
{
    if (why)
        *why = failure;
    return failure == WriteFailure::None;
}

} // namespace

std::optional<QString> readTextFile(const QString& path, const char* codecName)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    QString text = decode(*bytes, codecName);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.contains(QLatin1Char('\r')))
        toLineFeeds(text);
    if (text.isNull())
        text = QLatin1String("");
    return text;
}

bool writeTextFile(const QString& path, const QString& text, WriteMode mode, WriteFailure* why)
{
    return reportWrite(replaceFileContent(path, text.toUtf8(), mode == WriteMode::MayCreate), why);
}

std::optional<ExactText> readExactText(const QString& path)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    QTextCodec* marked = codecForByteOrderMark(*bytes);
    if (!marked || marked->name() == "UTF-8")
        return ExactText{QString::fromLatin1(bytes->constData(), bytes->size()), latin1Name};

    ExactText content{marked->toUnicode(*bytes), marked->name()};
    if (marked->fromUnicode(content.text) != *bytes)
        return std::nullopt;
    return content;
}

bool writeTextFile(const QString& path, const ExactText& content, WriteFailure* why)
{
    QByteArray bytes;
    if (content.codecName == latin1Name) {
        for (const QChar c : content.text) {
            if (c.unicode() > 0xFF)
                return reportWrite(WriteFailure::Other, why);
        }
        bytes = content.text.toLatin1();
    } else {
        QTextCodec* codec = QTextCodec::codecForName(content.codecName);
        if (!codec)
            return reportWrite(WriteFailure::Other, why);
        bytes = codec->fromUnicode(content.text);
    }
    return reportWrite(replaceFileContent(path, bytes, false), why);
}

void setByteWriter(ByteWriter writer)
{
    byteWriter = std::move(writer);
}
