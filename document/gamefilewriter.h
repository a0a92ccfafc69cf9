#pragma once

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"
#include "gamedata/textfile.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class BackupSession;

// What a save could not do: files that could not be read or written, and per file the ids that were left
// alone (no record found, or a record that must not be touched). `backupFolder` names the run's backup
// folder when this save copied files into it; `complete` is true when every pending field landed.
struct SaveReport
{
    QStringList failedFiles;
    // Why each of the failed files was not written, by its entry in failedFiles.
    QHash<QString, WriteFailure> failureReasons;
    QStringList unwrittenRecords; // "armytype.txt 12, 15"
    QString backupFolder;
    // Changed fields left pending because their file changed on disk too: "armytype.txt 12 远程攻击".
    QStringList conflicts;
    bool complete = false;
};

// Writes changed records into the game files: each file is read exactly, patched by its pure writer, copied
// aside before its first rewrite in the run, and written back atomically only when its text changed. Every
// writer returns false when its file could not be read or written; `landed` receives the ids whose records
// now hold the values in memory, and the report what was left.
class GameFileWriter
{
public:
    // Without a backup session nothing is rewritten: a file may only change once its copy exists.
    GameFileWriter(BackupSession* backups, SaveReport* report);

    bool writeArmyTypes(const QString& path, const QStringList& ids, const RecordTable& armyTypes, QStringList* landed);
    // Writes only MustCityDesc and NeedItemId of the army types.
    bool writeArmyNeeds(const QString& path, const QStringList& ids, const RecordTable& armyTypes, QStringList* landed);
    bool writeSkills(const QString& path, const QStringList& ids, const RecordTable& skills, QStringList* landed);
    // Army types the story does not declare (not in `declared`, and without an element in the stage file) keep
    // their statistics in armytype.txt, which gets them instead.
    bool writeStage(const QString& stagePath, const QString& armyTypePath, const QStringList& ids,
                    const RecordTable& armyTypes, const QSet<QString>& declared, QStringList* landed);
    bool writeCities(const QString& path, const QStringList& ids, const RecordTable& cities, QStringList* landed);

    // Reads a file for patching, applies the patch, and writes it back when it changed. With `notFound`, the
    // ids without a record are handed back instead of being reported.
    bool patchFile(const QString& path, const QStringList& ids, const std::function<PatchResult(const QString&)>& patch,
                   QStringList* landed, QStringList* notFound = nullptr);

private:
    BackupSession* backups;
    SaveReport* report;
};
