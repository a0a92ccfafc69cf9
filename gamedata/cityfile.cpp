#include "gamedata/cityfile.h"

#include "gamedata/textscan.h"

using textscan::Span;

namespace {

const char* const specialtyPiece = ",\"Specialty\":\"@\",";
// What the city reader chains; the specialty list is its third span (behind ID and Temp).
const std::vector<const char*> cityPieces{"\"ID\":#,\"Temp\":\"$\"", "\"specialattributes\":\"*\","};
const std::vector<const char*> specialtyPieces{"\"ID\":#,\"NAME\":#,", specialtyPiece,
                                               ",\"EffectDesc\":#,\"ConditionDesc\":#!"};

// "12,3," or "0,": what the game reads as a list of specialty ids.
bool isSpecialAttributesText(const QString& value)
{
    if (value.isEmpty() || !value.endsWith(QLatin1Char(',')))
        return false;
    bool digitBefore = false;
    for (QChar c : value) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digitBefore = true;
        } else if (c == QLatin1Char(',') && digitBefore) {
            digitBefore = false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

const std::vector<const char*>& cityRecordChain()
{
    return cityPieces;
}

const std::vector<const char*>& citySpecialtyRecordChain()
{
    return specialtyPieces;
}

RecordTable parseCities(const QString& text)
{
    RecordTable cities;
    Span spans[3];
    Span match[2];
    int pos = 0;
    while (textscan::findChain(text, pos, cityPieces, spans, match)) {
        cities.insert(textscan::spanText(text, spans[0]),
                      {textscan::spanText(text, spans[1]), textscan::spanText(text, spans[2])});
        pos = match[1].end;
    }
    return cities;
}

RecordTable parseCitySpecialties(const QString& text)
{
    RecordTable specialties;
    Span spans[5];
    Span match[3];
    int pos = 0;
    while (textscan::findChain(text, pos, specialtyPieces, spans, match)) {
        // A match that ran on into later records may hold several Specialty fields between NAME and
        // EffectDesc; the first non-empty one is the one taken.
        Span specialty = spans[2];
        for (int from = match[1].begin + 1; specialty.begin == specialty.end;) {
            Span other;
            int otherEnd = 0;
            const int at = textscan::findPiece(text, specialtyPiece, from, match[2].begin, &other, &otherEnd);
            if (at < 0)
                break;
            if (other.begin != other.end)
                specialty = other;
            from = at + 1;
        }
        specialties.insert(textscan::spanText(text, spans[0]),
                           {textscan::spanText(text, spans[1]), textscan::spanText(text, spans[3]),
                            textscan::spanText(text, specialty), textscan::spanText(text, spans[4])});
        pos = match[2].end;
    }
    return specialties;
}

PatchResult patchCities(const QString& text, const QStringList& ids, const RecordTable& cities)
{
    QHash<QString, QStringList> values;
    for (const QString& id : ids) {
        const auto record = cities.constFind(id);
        if (record != cities.constEnd() && record->size() >= 2 && isSpecialAttributesText(record->at(1)))
            values.insert(id, {record->at(1)});
    }
    textscan::RecordShape shape{QLatin1String("\"ID\":"), ',', {"\"specialattributes\":\"*\","}};
    shape.quoteFreeValues = true;
    shape.readerPieces = cityPieces;
    shape.readerValueSpan = 2;
    return textscan::patchRecords(text, ids, shape, values);
}
