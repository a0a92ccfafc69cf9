#include "gamedata/backups.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

BackupSession::BackupSession(const QString& backupRoot, const QString& gameDirectory)
    : backupRoot(backupRoot), gameDirectory(gameDirectory)
{}

bool BackupSession::backUp(const QString& filePath)
{
    const QString original = QFileInfo(filePath).absoluteFilePath();
    if (copied.contains(original))
        return true;

    if (runFolder.isEmpty()) {
        // One folder per run; a second run within the same second gets a suffix instead of mixing in.
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString candidate = QDir(backupRoot).absoluteFilePath(stamp);
        for (int n = 2; QFileInfo::exists(candidate); ++n)
            candidate = QDir(backupRoot).absoluteFilePath(stamp + QLatin1Char('-') + QString::number(n));
        if (!QDir().mkpath(candidate))
            return false;
        runFolder = candidate;
    }

    QString relative = QDir(gameDirectory).relativeFilePath(original);
    // A file outside the game directory keeps only its name rather than climbing out of the folder.
    if (relative.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(relative))
        relative = QFileInfo(original).fileName();
    const QString target = runFolder + QLatin1Char('/') + relative;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(original, target))
        return false;
    copied.insert(original);
    return true;
}
