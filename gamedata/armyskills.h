#pragma once

#include "gamedata/gametables.h"

// The skills that belong to an army type, found by its display name, in ascending numeric order of id.
// The skill file does not say which army type owns which skill, so the match is fuzzy: the skills whose
// text contains the name, or failing that the longest beginning of the name (two characters at least)
// that any skill text contains. Army types named with 岚戈 or 夕 have fixed skills on top; a search that
// ends on 年 drops 304 and 305 again. Fixed ids that `skills` lacks are left out; an id found both ways
// stands twice.
QStringList skillsForArmy(const QString& armyName, const RecordTable& skills);
