#include "gamedata/skillfile.h"

#include "gamedata/textscan.h"

using textscan::Span;

namespace {

const char* const rangesPiece = "\"FarRange\":#,\"NearRange\":#,";
// The whole record as the reader takes it; the ranges are its fifth and sixth spans.
const char* const recordPiece = "\"ID\":#,\"Temp\":\"@\",\"Name\":#,\"SkillPoint\":#,\"FarRange\":#,\"NearRange\":#,";

const QString& slotFiller()
{
    static const QString text = QStringLiteral("占个格子");
    return text;
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

const char* skillRecordPiece()
{
    return recordPiece;
}

bool isSlotFiller(const QString& skillText)
{
    return skillText == slotFiller();
}

void decodeEscapes(QString& text)
{
    if (!text.contains(QLatin1String("\\u")))
        return;

    // The decoded prefix never holds a backslash directly followed by 'u'. Each decoded character goes back
    // in front of the rest of the input, so that it pairs with a backslash before it or a 'u' behind it
    // exactly as a new search from the start would find it.
    const QString input = text;
    const QChar* in = input.constData();
    const int n = input.size();
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    int length = 0;
    int i = 0;
    QChar pending;
    bool hasPending = false;
    for (;;) {
        QChar c;
        if (hasPending) {
            c = pending;
            hasPending = false;
        } else if (i < n) {
            c = in[i++];
        } else {
            break;
        }
        if (c == QLatin1Char('u') && length > 0 && o[length - 1] == QLatin1Char('\\')) {
            --length;
            const int digits = qMin(4, n - i);
            uint value = 0;
            for (int k = 0; k < digits; ++k) {
                const int digit = hexValue(in[i + k]);
                if (digit < 0) {
                    value = 0;
                    break;
                }
                value = value * 16 + uint(digit);
            }
            i += digits;
            pending = QChar(ushort(value));
            hasPending = true;
        } else {
            o[length++] = c;
        }
    }
    out.truncate(length);
    text = out;
}

RecordTable parseSkills(const QString& text)
{
    RecordTable skills;
    Span spans[6];
    int pos = 0;
    int matchEnd = 0;
    while (textscan::findPiece(text, recordPiece, pos, text.size(), spans, &matchEnd) >= 0) {
        pos = matchEnd;
        QString name = textscan::spanText(text, spans[1]);
        decodeEscapes(name);
        if (name == slotFiller())
            continue;
        skills.insert(textscan::spanText(text, spans[0]),
                      {name, textscan::spanText(text, spans[4]), textscan::spanText(text, spans[5])});
    }
    return skills;
}

PatchResult patchSkills(const QString& text, const QStringList& ids, const RecordTable& skills)
{
    QHash<QString, QStringList> values;
    for (const QString& id : ids) {
        const auto record = skills.constFind(id);
        if (record == skills.constEnd() || record->size() < 3)
            continue;
        if (textscan::isWritableNumber(record->at(1)) && textscan::isWritableNumber(record->at(2)))
            values.insert(id, {record->at(1), record->at(2)});
    }
    textscan::RecordShape shape{QLatin1String("\"ID\":"), ',', {rangesPiece}};
    shape.readerPieces = {recordPiece};
    shape.readerValueSpan = 4;
    // Slot fillers are no skills.
    shape.readerPassesOver = [](const QString& text, const Span* spans) {
        QString name = textscan::spanText(text, spans[1]);
        decodeEscapes(name);
        return name == slotFiller();
    };
    return textscan::patchRecords(text, ids, shape, values);
}
