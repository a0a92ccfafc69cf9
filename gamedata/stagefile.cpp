#include "gamedata/stagefile.h"

#include "gamedata/textscan.h"

using textscan::Span;

namespace {

const char* const statisticsPiece = "a4=\"#\" a5=\"#\" a6=\"#\" a7=\"#\" a8=\"#\" a9=\"#\" a10=\"#\" a11=\"#\"";
// What the reader chains; the statistics start at its second span (behind a0).
const std::vector<const char*> elementPieces{"<armytype a0=\"#\"", statisticsPiece, "/>"};

} // namespace

const std::vector<const char*>& stageElementChain()
{
    return elementPieces;
}

RecordTable parseStageStatistics(const QString& text)
{
    RecordTable statistics;
    Span spans[9];
    Span match[3];
    int pos = 0;
    while (textscan::findChain(text, pos, elementPieces, spans, match)) {
        QStringList record;
        for (int k : {1, 2, 3, 4, 5, 7})
            record += textscan::spanText(text, spans[k]);
        statistics.insert(textscan::spanText(text, spans[0]), record);
        pos = match[2].end;
    }
    return statistics;
}

PatchResult patchStage(const QString& text, const QStringList& ids, const RecordTable& armyTypes)
{
    QHash<QString, QStringList> values;
    for (const QString& id : ids) {
        const auto record = armyTypes.constFind(id);
        if (record == armyTypes.constEnd() || record->size() < 7)
            continue;
        bool writable = true;
        for (int k = 1; k <= 6; ++k)
            writable = writable && textscan::isWritableNumber(record->at(k));
        if (!writable)
            continue;
        // a9 and a11 stand between the written values and keep their own.
        values.insert(id, {record->at(1), record->at(2), record->at(3), record->at(4), record->at(5), QString(),
                           record->at(6), QString()});
    }
    textscan::RecordShape shape{QLatin1String("<armytype a0=\""), '"', {statisticsPiece}, true, "/>"};
    shape.readerPieces = elementPieces;
    shape.readerValueSpan = 1;
    return textscan::patchRecords(text, ids, shape, values);
}
