#pragma once

#include "gamedata/gametables.h"

// A city's special attributes text lists its specialty ids, each followed by a comma ("12,3,"); a city
// without specialties has "0,". These functions read and change such texts and build the texts a
// specialty row shows.

// A city holds at most this many specialties.
constexpr int maxCitySpecialties = 10;

// The ids the text names, in order, blanks and empty parts dropped: "12,3," gives [12, 3], "0," gives [0], and
// a list the game also takes without its last comma or with blanks, "3, 12", gives [3, 12].
QStringList heldSpecialties(const QString& attributes);

// The number of entries: the held ids ("0," counts as one).
int specialtyEntryCount(const QString& attributes);

// False when the text already holds the most entries a city may have.
bool hasRoomForSpecialty(const QString& attributes);

// The held ids without every entry that is exactly id (removing 2 from "12,2,22," gives "12,22,"), each followed
// by a comma; "0," when nothing is left.
QString withoutSpecialty(const QString& attributes, const QString& id);

// The held ids with id appended as the last entry, each followed by a comma ("3,12" and 7 give "3,12,7,"); "0,"
// is replaced. Does not look at the limit.
QString withSpecialty(const QString& attributes, const QString& id);

// The display names of the item ids of a product list ("2001,2003,"), joined by ", ". Ids without an
// item, or whose item has no name, are left out.
QString productNames(const QString& productList, const RecordTable& items);

// The five texts of a specialty's row: id, name, effect, product names, and the condition without its
// first three characters. An id the catalogue lacks gives the id and four empty texts.
QStringList specialtyRowTexts(const QString& id, const RecordTable& specialties, const TextTable& texts,
                              const RecordTable& items);
