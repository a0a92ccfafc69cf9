#pragma once

#include "document/gamediff.h"

#include <QSet>

class BackupSession;

// What applying a change set to a game's files did: per change its check, where Ready means written;
// the files that could not be written, and the backup folder when files were copied into it.
struct ChangeSetApplication
{
    QVector<ChangeCheck> checks;
    QStringList failedFiles;
    QString backupFolder;

    // Whether every change is in the game now (made, or there already).
    bool complete() const;
};

// Writes the changes whose "before" the game holds into the game's files, file by file, through the same
// patching, backups and atomic writes as a save. Conflicts, missing records and broken changes are left out;
// `forced` changes (by index) are written over whatever the game holds. Without backups nothing is written:
// the result says what would happen.
ChangeSetApplication applyChangeSet(const QString& gameDirectory, const QVector<RecordChange>& changes,
                                    BackupSession* backups, const QSet<int>& forced = {});
