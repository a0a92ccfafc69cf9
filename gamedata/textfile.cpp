#include "gamedata/textfile.h"

#include "gamedata/gbktext.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

#include <algorithm>
#include <optional>

namespace {

const QByteArray latin1Name = QByteArrayLiteral("ISO-8859-1");
const QByteArray gb18030Name = QByteArrayLiteral("GB18030");
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

// A byte that does not decode stands in the text as a lone low surrogate (U+DC80 to U+DCFF), a character no
// decoded text holds, so that encoding the text gives the byte back.
constexpr ushort escapeBase = 0xDC00;

bool isEscapedByte(QChar c)
{
    return c.unicode() >= escapeBase + 0x80 && c.unicode() <= escapeBase + 0xFF;
}

// GB18030 text of the bytes. A line whose bytes would not come back from its decoded text (a broken or cut
// character) keeps its ASCII characters and holds each other byte escaped. A line feed never stands inside
// a GB18030 character, so the lines decode apart.
QString decodeGb18030(const QByteArray& bytes, QTextCodec* codec)
{
    const QString whole = codec->toUnicode(bytes);
    if (codec->fromUnicode(whole) == bytes)
        return whole;
    QString text;
    text.reserve(bytes.size());
    // The converters live in the states, which are made anew only after a line that did not decode.
    std::optional<QTextCodec::ConverterState> decoding, encoding;
    for (int begin = 0; begin < bytes.size();) {
        int end = bytes.indexOf('\n', begin);
        end = end < 0 ? bytes.size() : end + 1;
        const QByteArray line = bytes.mid(begin, end - begin);
        if (!decoding)
            decoding.emplace();
        if (!encoding)
            encoding.emplace();
        const QString decoded = codec->toUnicode(line.constData(), line.size(), &*decoding);
        if (decoding->invalidChars == 0 && decoding->remainingChars == 0 &&
            codec->fromUnicode(decoded.constData(), decoded.size(), &*encoding) == line) {
            text += decoded;
        } else {
            decoding.reset();
            encoding.reset();
            for (const char byte : line)
                text += uchar(byte) < 0x80 ? QChar(uchar(byte)) : QChar(ushort(escapeBase + uchar(byte)));
        }
        begin = end;
    }
    return text;
}

// The text of a game file exactly as it is held for reading and patching alike: decoded by a UTF-16 or UTF-32
// byte-order mark, else as UTF-8 (a mark kept as the first character) when the bytes are valid UTF-8, else as
// GB18030, the game's Chinese, on every system. Nothing when a marked file's bytes would not come back.
std::optional<ExactText> decodeExact(const QByteArray& bytes)
{
    QTextCodec* marked = codecForByteOrderMark(bytes);
    if (marked && marked->mibEnum() != utf8Mib) {
        ExactText content{marked->toUnicode(bytes), marked->name()};
        if (marked->fromUnicode(content.text) != bytes)
            return std::nullopt;
        return content;
    }
    QTextCodec* utf8 = QTextCodec::codecForMib(utf8Mib);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0 && utf8->fromUnicode(text) == bytes)
        return ExactText{text, utf8->name()};
    QTextCodec* gb18030 = QTextCodec::codecForName(gb18030Name);
    return ExactText{decodeGb18030(bytes, gb18030), gb18030Name};
}

// Encodes a text held by decodeExact: escaped bytes go back as they were, the rest through the codec.
QByteArray encodeExact(const QString& text, QTextCodec* codec)
{
    if (!std::any_of(text.begin(), text.end(), isEscapedByte))
        return codec->fromUnicode(text);
    QByteArray bytes;
    int from = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isEscapedByte(text.at(i)))
            continue;
        bytes += codec->fromUnicode(text.constData() + from, i - from);
        if (i < text.size())
            bytes += char(text.at(i).unicode() - escapeBase);
        from = i + 1;
    }
    return bytes;
}

// The text a reader gets: a codec name other than UTF-8 is taken as given (a wide byte-order mark still wins);
// otherwise the exact text, with GBK's characters where every platform puts them.
QString decode(const QByteArray& bytes, const char* codecName)
{
    QTextCodec* named = codecName ? QTextCodec::codecForName(codecName) : nullptr;
    QTextCodec* marked = codecForByteOrderMark(bytes);
    if (named && named->mibEnum() != utf8Mib && !(marked && marked->mibEnum() != utf8Mib))
        return named->toUnicode(bytes);
    std::optional<ExactText> content = decodeExact(bytes);
    if (!content)
        return marked->toUnicode(bytes);
    if (content->codecName == gb18030Name)
        unifyGbkText(content->text);
    return content->text;
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

std::optional<QByteArray> readFileBytes(const QString& path)
{
    return readBytes(path);
}

bool writeFileBytes(const QString& path, const QByteArray& bytes, WriteMode mode)
{
    return replaceFileContent(path, bytes, mode == WriteMode::MayCreate) == WriteFailure::None;
}

std::optional<ExactText> readExactText(const QString& path)
{
    const std::optional<QByteArray> bytes = readBytes(path);
    return bytes ? decodeExact(*bytes) : std::nullopt;
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
        bytes = encodeExact(content.text, codec);
    }
    return reportWrite(replaceFileContent(path, bytes, false), why);
}

void setByteWriter(ByteWriter writer)
{
    byteWriter = std::move(writer);
}
