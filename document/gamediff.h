#pragma once

#include "gamedata/changeset.h"
#include "gamedata/gametables.h"

#include <QString>
#include <QVector>

#include <optional>

// A game file whose values the editor edits, by its path in the game directory (forward slashes), with the
// kind of its records and the positions of the editor's record it holds.
struct EditableFile
{
    QString path;
    RecordKind kind = RecordKind::ArmyType;
    int first = 1;
    int last = 1;
    bool isStage() const { return path.endsWith(QLatin1String("/stage.xml")); }
};

// armytype.txt, skill.txt, city.txt, then each story's stage.xml in the order of storyconfig.xml.
QVector<EditableFile> editableFiles(const QString& gameDirectory);
// The editable file at a path of the game directory among the game's; nothing when the game has no such file.
std::optional<EditableFile> findEditableFile(const QVector<EditableFile>& files, const QString& path);

// The values a game file holds, at the positions of the editor's records (a stage's statistics at 1..6, the
// name at 0 where the file gives one). Nothing when the file is missing or cannot be read.
std::optional<RecordTable> readEditableValues(const QString& directory, const EditableFile& file,
                                              const TextTable& languageTexts = TextTable());

// Every edited value that differs between two game directories, as changes that turn the base into the
// changed one. `gameDirectory` names the files and records (the changed one when empty); a file missing
// from either side is left out, so a backup folder holding a few files can be the base.
QVector<RecordChange> diffGames(const QString& baseDirectory, const QString& changedDirectory,
                                const QString& gameDirectory = QString());

// What a change set's change meets in a game.
enum class ChangeStatus
{
    Ready,         // the game holds the value before: it can be made
    AlreadyMade,   // the game holds the value after already
    Conflict,      // the game holds another value
    MissingRecord, // the game has no such record
    MissingFile,   // the game has no such file, or it cannot be read
    Invalid,       // the change set's change is broken
    NotWritten     // it was to be made, but its record could not be written
};
struct ChangeCheck
{
    ChangeStatus status = ChangeStatus::Ready;
    // The value the game's file holds now.
    QString current;
};
// Checks each change against the files of the game, reading each file once.
QVector<ChangeCheck> checkChanges(const QString& gameDirectory, const QVector<RecordChange>& changes);
// Why a change was not made, as the user reads it.
QString changeStatusText(ChangeStatus status);
