#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class BackupSession;

// One run's backup folder: when the run first saved, and the game files it holds (paths in the game
// directory, forward slashes).
struct BackupFolder
{
    QString path;
    QDateTime time;
    QStringList files;
};

// The run folders under the backup root, newest first.
QVector<BackupFolder> listBackups(const QString& backupRoot);

// Writes each file of the backup folder over the game's, byte for byte and atomically, after copying the
// game's current file into `backups`. A file the game no longer has is not created. Gives the files that could
// not be restored.
QStringList restoreBackupFiles(const BackupFolder& folder, const QString& gameDirectory, BackupSession& backups);
