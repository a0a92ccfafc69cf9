#pragma once

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

#include <vector>

// Which values of an army type record a save writes back.
enum class ArmyTypeFields
{
    All,  // LongAttack .. Range and MustCityDesc, NeedItemId (positions 1..8)
    Needs // MustCityDesc and NeedItemId only (positions 7 and 8)
};

// armytype.txt: Type -> [display name, LongAttack, ShortAttack, LongDefense, ShortDefense, Destroy, Range,
// MustCityDesc, NeedItemId]. A record lacking a key is completed from the records behind it, which are then
// not read on their own; the last record of an id wins.
RecordTable parseArmyTypes(const QString& text, const TextTable& languageTexts);

// The pieces the reader chains per record, from "Type" to "NeedItemId" (textscan's notation).
const std::vector<const char*>& armyTypeRecordChain();

// Writes the chosen values of each id's record into its line(s) of armytype.txt, changing nothing else.
PatchResult patchArmyTypes(const QString& text, const QStringList& ids, const RecordTable& armyTypes,
                           ArmyTypeFields fields);
