#include "document/diskvalues.h"

#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"

#include <functional>

namespace {

// The fields first..last of every held record that the parsed table also has; `offset` maps a held position to
// the parsed record's.
void collect(QVector<FieldValue>& values, RecordKind kind, const RecordTable& parsed, const RecordTable& held,
             int first, int last, int offset, const std::function<bool(const QString&)>& wanted = {})
{
    for (auto record = parsed.cbegin(); record != parsed.cend(); ++record) {
        if (!held.contains(record.key()) || (wanted && !wanted(record.key())))
            continue;
        for (int field = first; field <= last; ++field)
            values.append({{kind, record.key(), field}, record.value().value(field + offset)});
    }
}

} // namespace

QVector<FieldValue> valuesInFile(EditedFile file, const QString& text, const TextTable& languageTexts,
                                 const RecordTable& held, const QSet<QString>& declaredArmyTypes)
{
    QVector<FieldValue> values;
    switch (file) {
    case EditedFile::ArmyTypes: {
        const RecordTable parsed = parseArmyTypes(text, languageTexts);
        collect(values, RecordKind::ArmyType, parsed, held, 7, 8, 0);
        collect(values, RecordKind::ArmyType, parsed, held, 0, 0, 0);
        collect(values, RecordKind::ArmyType, parsed, held, 1, 6, 0,
                [&](const QString& id) { return !declaredArmyTypes.contains(id); });
        break;
    }
    case EditedFile::Stage:
        // The stage file's records are [a4 a5 a6 a7 a8 a10]: positions 1..6 of an army type.
        collect(values, RecordKind::ArmyType, parseStageStatistics(text), held, 1, 6, -1,
                [&](const QString& id) { return declaredArmyTypes.contains(id); });
        break;
    case EditedFile::Skills:
        collect(values, RecordKind::Skill, parseSkills(text), held, 0, 2, 0);
        break;
    case EditedFile::Cities:
        collect(values, RecordKind::City, parseCities(text), held, 0, 1, 0);
        break;
    }
    return values;
}
