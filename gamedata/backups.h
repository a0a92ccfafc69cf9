#pragma once

#include <QSet>
#include <QString>

// Keeps a copy of every game file before the editor first rewrites it in a run, in one folder per run:
// <backup root>/<yyyyMMdd-HHmmss>/<the file's path relative to the game directory>.
class BackupSession
{
public:
    BackupSession(const QString& backupRoot, const QString& gameDirectory);

    // Copies the file as it is on disk now, unless this session copied it already. False when the
    // copy could not be made; the file must then not be written.
    bool backUp(const QString& filePath);
    // The run's folder; empty until the first copy.
    QString folder() const { return runFolder; }
    // How many files this session has copied.
    int count() const { return copied.size(); }

private:
    QString backupRoot;
    QString gameDirectory;
    QString runFolder;
    QSet<QString> copied;
};
