#pragma once

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

#include <vector>

// stage.xml: a0 -> [a4, a5, a6, a7, a8, a10] of each armytype element; the last element of an a0 wins. An
// element without its own a4..a11 run takes the run of the next element that has one, which is then not
// read on its own.
RecordTable parseStageStatistics(const QString& text);

// The pieces the reader chains per armytype element, from a0 to the closing "/>".
const std::vector<const char*>& stageElementChain();

// Writes positions 1..6 of each id's army type record into a4 a5 a6 a7 a8 a10 of its armytype element(s),
// changing nothing else. Ids without any matching element go to notFound: their values belong in
// armytype.txt instead.
PatchResult patchStage(const QString& text, const QStringList& ids, const RecordTable& armyTypes);
