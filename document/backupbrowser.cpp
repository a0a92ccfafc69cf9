#include "document/backupbrowser.h"

#include "gamedata/backups.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

QVector<BackupFolder> listBackups(const QString& backupRoot)
{
    QVector<BackupFolder> folders;
    const QDir root(backupRoot);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        // Folders are named after the run's first save: yyyyMMdd-HHmmss, with "-2" and on for a second run in
        // the same second.
        const QDateTime time = QDateTime::fromString(name.left(15), QStringLiteral("yyyyMMdd-HHmmss"));
        if (!time.isValid())
            continue;
        BackupFolder folder{root.absoluteFilePath(name), time, {}};
        for (QDirIterator it(folder.path, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            folder.files.append(QDir(folder.path).relativeFilePath(it.next()));
        folder.files.sort();
        folders.append(folder);
    }
    std::sort(folders.begin(), folders.end(), [](const BackupFolder& a, const BackupFolder& b) {
        return a.time != b.time ? a.time > b.time : a.path > b.path;
    });
    return folders;
}

QStringList restoreBackupFiles(const BackupFolder& folder, const QString& gameDirectory, BackupSession& backups)
{
    QStringList failed;
    for (const QString& file : folder.files) {
        const QString target = gameDirectory + QLatin1Char('/') + file;
        const std::optional<ExactText> copy = readExactText(folder.path + QLatin1Char('/') + file);
        if (!copy || !backups.backUp(target) || !writeTextFile(target, *copy))
            failed.append(QDir::toNativeSeparators(target));
    }
    return failed;
}
