#pragma once

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

#include <vector>

// city.txt: ID -> [Temp, special attributes text], Temp directly behind ID and the first
// "specialattributes" behind it; a record without one takes the next record's. The last record of an id wins.
RecordTable parseCities(const QString& text);

// cityspecialattributes.txt: ID -> [NAME, EffectDesc, Specialty, ConditionDesc].
RecordTable parseCitySpecialties(const QString& text);

// The pieces the readers chain per record of city.txt and of cityspecialattributes.txt.
const std::vector<const char*>& cityRecordChain();
const std::vector<const char*>& citySpecialtyRecordChain();

// Writes the special attributes text (position 1) of each id's city into its line(s) of city.txt as the
// value of "specialattributes", changing nothing else. The text must be digit runs each followed by ",".
PatchResult patchCities(const QString& text, const QStringList& ids, const RecordTable& cities);
