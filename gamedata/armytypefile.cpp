#include "gamedata/armytypefile.h"

#include "gamedata/textscan.h"

using textscan::Span;

namespace {

const char* const statisticsPiece = "\"LongAttack\":#,\"ShortAttack\":#,\"LongDefense\":#,\"ShortDefense\":#,"
                                    "\"Destroy\":#,";
const char* const rangePiece = "\"Range\":#,";
const char* const needsPiece = "\"MustCityDesc\":#,\"NeedItemId\":#,";
// What the reader chains; the written values start at its third span (behind Type and Name).
const std::vector<const char*> recordPieces{"\"Type\":#,", "\"Name\":#,", statisticsPiece, rangePiece, needsPiece};

} // namespace

const std::vector<const char*>& armyTypeRecordChain()
{
    return recordPieces;
}

RecordTable parseArmyTypes(const QString& text, const TextTable& languageTexts)
{
    RecordTable armyTypes;
    Span spans[10];
    Span match[5];
    int pos = 0;
    while (textscan::findChain(text, pos, recordPieces, spans, match)) {
        QStringList record{languageTexts.value(textscan::spanText(text, spans[1]))};
        for (int k = 2; k < 10; ++k)
            record += textscan::spanText(text, spans[k]);
        armyTypes.insert(textscan::spanText(text, spans[0]), record);
        pos = match[4].end;
    }
    return armyTypes;
}

PatchResult patchArmyTypes(const QString& text, const QStringList& ids, const RecordTable& armyTypes,
                           ArmyTypeFields fields)
{
    const int first = fields == ArmyTypeFields::All ? 1 : 7;
    QHash<QString, QStringList> values;
    for (const QString& id : ids) {
        const auto record = armyTypes.constFind(id);
        if (record == armyTypes.constEnd() || record->size() < 9)
            continue;
        QStringList written;
        bool writable = true;
        for (int k = 1; k <= 8; ++k) {
            if (k < first) {
                written += QString();
            } else {
                writable = writable && textscan::isWritableNumber(record->at(k));
                written += record->at(k);
            }
        }
        if (writable)
            values.insert(id, written);
    }
    textscan::RecordShape shape{QLatin1String("\"Type\":"), ',', {statisticsPiece, rangePiece, needsPiece}};
    shape.readerPieces = recordPieces;
    shape.readerValueSpan = 2;
    return textscan::patchRecords(text, ids, shape, values);
}
