#include "document/changesetapply.h"

#include "document/gamefilewriter.h"
#include "gamedata/armytypefile.h"
#include "gamedata/backups.h"
#include "gamedata/cityfile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"

#include <QMap>
#include <QSet>

namespace {

PatchResult patchEditableFile(const EditableFile& file, const QString& text, const QStringList& ids,
                              const RecordTable& records)
{
    if (file.isStage())
        return patchStage(text, ids, records);
    switch (file.kind) {
    case RecordKind::ArmyType:
        return patchArmyTypes(text, ids, records, ArmyTypeFields::All);
    case RecordKind::Skill:
        return patchSkills(text, ids, records);
    case RecordKind::City:
        return patchCities(text, ids, records);
    }
    return {text, {}, ids};
}

} // namespace

bool ChangeSetApplication::complete() const
{
    for (const ChangeCheck& check : checks) {
        if (check.status != ChangeStatus::Ready && check.status != ChangeStatus::AlreadyMade)
            return false;
    }
    return true;
}

ChangeSetApplication applyChangeSet(const QString& gameDirectory, const QVector<RecordChange>& changes,
                                    BackupSession* backups, const QSet<int>& forced)
{
    ChangeSetApplication result;
    result.checks = checkChanges(gameDirectory, changes);
    // The changes to make, by file.
    QMap<QString, QVector<int>> byFile;
    for (int i = 0; i < changes.size(); ++i) {
        ChangeCheck& check = result.checks[i];
        if (check.status == ChangeStatus::Conflict && forced.contains(i))
            check.status = ChangeStatus::Ready;
        if (check.status == ChangeStatus::Ready)
            byFile[changes.at(i).file].append(i);
    }
    if (!backups)
        return result;

    const int backupsBefore = backups->count();
    const QVector<EditableFile> files = editableFiles(gameDirectory);
    SaveReport report;
    GameFileWriter writer(backups, &report);
    for (auto group = byFile.cbegin(); group != byFile.cend(); ++group) {
        const EditableFile file = *findEditableFile(files, group.key());
        RecordTable records = readEditableValues(gameDirectory, file).value_or(RecordTable());
        QStringList ids;
        QSet<QString> seen;
        for (int i : group.value()) {
            const RecordChange& change = changes.at(i);
            (records[change.id])[change.field] = change.after;
            if (!seen.contains(change.id)) {
                seen.insert(change.id);
                ids.append(change.id);
            }
        }
        QStringList landed;
        writer.patchFile(
            gameDirectory + QLatin1Char('/') + file.path, ids,
            [&](const QString& text) { return patchEditableFile(file, text, ids, records); }, &landed);
        const QSet<QString> written(landed.begin(), landed.end());
        for (int i : group.value()) {
            if (!written.contains(changes.at(i).id))
                result.checks[i].status = ChangeStatus::NotWritten;
        }
    }
    result.failedFiles = report.failedFiles;
    if (backups->count() > backupsBefore)
        result.backupFolder = backups->folder();
    return result;
}
