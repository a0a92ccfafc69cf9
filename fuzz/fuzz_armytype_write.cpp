// The army type writer, saving all values or only the recruitment needs as the first input byte says.
#include "fuzz/writerfuzz.h"
#include "gamedata/armytypefile.h"

namespace {

WriterUnderTest armyTypeWriter(ArmyTypeFields which)
{
    WriterUnderTest w;
    w.idKey = QStringLiteral("\"Type\":");
    w.idTerminator = QLatin1Char(',');
    w.elements = false;
    w.listValues = false;
    const char* const keys[] = {"\"LongAttack\":", "\"ShortAttack\":", "\"LongDefense\":",  "\"ShortDefense\":",
                                "\"Destroy\":",    "\"Range\":",       "\"MustCityDesc\":", "\"NeedItemId\":"};
    for (int k = which == ArmyTypeFields::All ? 1 : 7; k <= 8; ++k)
        w.fields.append({QLatin1String(keys[k - 1]), k, k});
    w.recordSize = 9;
    w.patch = [which](const QString& text, const QStringList& ids, const RecordTable& table) {
        return patchArmyTypes(text, ids, table, which);
    };
    w.read = [](const QString& text) {
        return parseArmyTypes(text, TextTable());
    };
    w.referenceMatches = [](const QString& text, ReferenceMatches* matches) {
        armyTypesReference(text, TextTable(), matches);
    };
    w.originalPattern = armyTypesWriterPattern;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const WriterUnderTest all = armyTypeWriter(ArmyTypeFields::All);
    static const WriterUnderTest needs = armyTypeWriter(ArmyTypeFields::Needs);
    if (size == 0)
        return 0;
    fuzzWriter(data[0] & 1 ? needs : all, data + 1, size - 1);
    return 0;
}
