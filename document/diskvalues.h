#pragma once

#include "gamedata/editjournal.h"
#include "gamedata/gametables.h"

#include <QSet>
#include <QString>
#include <QVector>

// The game files whose values the editor edits.
enum class EditedFile
{
    ArmyTypes, // needs of every army type, statistics of those the open story does not declare
    Stage,     // statistics of the army types the open story declares
    Skills,
    Cities
};

// The values a file's text gives the fields of the records the editor holds (positions 1.. of the record, and
// the name where the file gives it), as the file's reader reads them. Records the editor does not hold are left
// out.
QVector<FieldValue> valuesInFile(EditedFile file, const QString& text, const TextTable& languageTexts,
                                 const RecordTable& held, const QSet<QString>& declaredArmyTypes);
