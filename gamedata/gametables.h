#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

// Text id -> display text, from the language table.
using TextTable = QHash<QString, QString>;

// Record id (as written in the file) -> the record's fields, in a fixed order per file:
//   items            [display name]
//   army types       [display name, LongAttack, ShortAttack, LongDefense, ShortDefense, Destroy, Range,
//                     MustCityDesc, NeedItemId]
//   skills           [skill text, FarRange, NearRange]
//   cities           [name, special attributes text]
//   city specialties [name text id, effect text id, product list, condition text id]
using RecordTable = QHash<QString, QStringList>;

// Story number (0, 1, 2, ... in catalogue order) -> [story directory, story name].
using StoryCatalogue = QMap<int, QStringList>;
