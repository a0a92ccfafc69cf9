#pragma once

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"

// skill.txt: ID -> [skill text with its \u escapes decoded, FarRange, NearRange], for each record that holds
// ID, Temp, Name, SkillPoint, FarRange and NearRange directly one after another. Slot fillers ("占个格子")
// are left out; the last record of an id wins.
RecordTable parseSkills(const QString& text);

// The one piece the reader takes a record from (textscan's notation), and whether a skill text with its
// escapes decoded marks a slot filler, which is no skill.
const char* skillRecordPiece();
bool isSlotFiller(const QString& skillText);

// Writes FarRange and NearRange of each id's skill into its line(s) of skill.txt, changing nothing else.
PatchResult patchSkills(const QString& text, const QStringList& ids, const RecordTable& skills);

// Replaces each backslash-u escape (up to four hexadecimal digits, the low 16 bits of their value; 0 when
// they are no hexadecimal number) by its character, as if the first escape of the whole text were decoded
// again and again: a decoded character can form a new escape with the text around it.
void decodeEscapes(QString& text);
