#pragma once

#include "gamedata/editjournal.h"

#include <QString>
#include <QVector>

#include <optional>

// A place in a game file where the game's readers skip a record, read it otherwise than it looks, or meet a
// value or reference they cannot use.
struct HealthFinding
{
    QString file; // the path inside the game directory, with forward slashes
    int line = 0; // counted from 1, as a text editor counts lines
    QString id;   // as the file writes it
    QString text;
    // The table whose records the file holds, when the editor shows such records.
    std::optional<RecordKind> record;
};

enum class GameFileKind
{
    Language,
    Items,
    ArmyTypes,
    Skills,
    Cities,
    CitySpecialties,
    Stage
};

// A game file as the game reads it: its kind, its path inside the game directory, and its whole text.
struct GameFileText
{
    GameFileKind kind;
    QString file;
    QString text;
};

// Checks the files with the readers' own scanning: records swallowed by the one before them or completed by
// the next, duplicate ids, records never read and why, stage elements read inside comments, ids in unusual
// forms, references to items, army types and specialties that no file defines, language references that
// loop or lead nowhere, and skill ranges the game rejects. Per file in the order given, by line. Linear in
// the size of the texts.
QVector<HealthFinding> checkGameFiles(const QVector<GameFileText>& files);

// "FILE:LINE: ID: text", one finding as the command line prints it.
QString findingLine(const HealthFinding& finding);
