#include "document/gamefilewriter.h"

#include "gamedata/armytypefile.h"
#include "gamedata/backups.h"
#include "gamedata/cityfile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

GameFileWriter::GameFileWriter(BackupSession* backups, SaveReport* report) : backups(backups), report(report) {}

bool GameFileWriter::patchFile(const QString& path, const QStringList& ids,
                               const std::function<PatchResult(const QString&)>& patch, QStringList* landed,
                               QStringList* notFound)
{
    const std::optional<ExactText> content = readExactText(path);
    bool written = false;
    WriteFailure why = QFileInfo(path).isFile() ? WriteFailure::Unreadable : WriteFailure::Missing;
    QStringList unwritten;
    if (content) {
        const PatchResult result = patch(content->text);
        unwritten = notFound ? result.notWritten : result.unwritten();
        if (notFound)
            *notFound = result.notFound;
        // The file is copied aside before its first rewrite in this run; without the copy it is not written.
        why = WriteFailure::NoBackup;
        written =
            result.text == content->text ||
            (backups && backups->backUp(path) && writeTextFile(path, ExactText{result.text, content->codecName}, &why));
        if (written && landed) {
            const QStringList left = result.unwritten();
            const QSet<QString> leftOut(left.begin(), left.end());
            for (const QString& id : ids) {
                if (!leftOut.contains(id))
                    landed->append(id);
            }
        }
    }
    if (!written) {
        report->failedFiles.append(QDir::toNativeSeparators(path));
        report->failureReasons.insert(QDir::toNativeSeparators(path), why);
    }
    if (!unwritten.isEmpty())
        report->unwrittenRecords.append(QFileInfo(path).fileName() + QLatin1Char(' ') +
                                        unwritten.join(QStringLiteral(", ")));
    return written;
}

bool GameFileWriter::writeArmyTypes(const QString& path, const QStringList& ids, const RecordTable& armyTypes,
                                    QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchArmyTypes(text, ids, armyTypes, ArmyTypeFields::All); },
        landed);
}

bool GameFileWriter::writeArmyNeeds(const QString& path, const QStringList& ids, const RecordTable& armyTypes,
                                    QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchArmyTypes(text, ids, armyTypes, ArmyTypeFields::Needs); },
        landed);
}

bool GameFileWriter::writeSkills(const QString& path, const QStringList& ids, const RecordTable& skills,
                                 QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchSkills(text, ids, skills); }, landed);
}

bool GameFileWriter::writeStage(const QString& stagePath, const QString& armyTypePath, const QStringList& ids,
                                const RecordTable& armyTypes, const QSet<QString>& declared, QStringList* landed)
{
    // An army type the story declares keeps its statistics in the story: when its element cannot be found
    // again, it is left unwritten rather than given new base statistics in armytype.txt.
    const auto patch = [&](const QString& text) {
        PatchResult result = patchStage(text, ids, armyTypes);
        for (auto id = result.notFound.begin(); id != result.notFound.end();) {
            if (declared.contains(*id)) {
                result.notWritten.append(*id);
                id = result.notFound.erase(id);
            } else {
                ++id;
            }
        }
        return result;
    };
    QStringList notDeclared;
    const bool written = patchFile(stagePath, ids, patch, landed, &notDeclared);
    if (!written || notDeclared.isEmpty())
        return written;
    return writeArmyTypes(armyTypePath, notDeclared, armyTypes, landed);
}

bool GameFileWriter::writeCities(const QString& path, const QStringList& ids, const RecordTable& cities,
                                 QStringList* landed)
{
    return patchFile(
        path, ids, [&](const QString& text) { return patchCities(text, ids, cities); }, landed);
}
