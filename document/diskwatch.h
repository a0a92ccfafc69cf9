#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Notices when files the editor read change on disk behind its back. A file counts as changed when its size or
// modification time differ from those noted when the editor last read or wrote it; the editor's own writes are
// noted right after they land, so they never count. The file system's notices are gathered for a moment, as
// a tool that writes a file often touches it several times.
class DiskWatch : public QObject
{
    Q_OBJECT

public:
    explicit DiskWatch(QObject* parent = nullptr);

    // Notes the file as it is now, and watches it.
    void note(const QString& path);
    void forgetAll();
    // The noted files that changed since they were noted, each noted afresh.
    QStringList takeChanged();

signals:
    // Some watched file changed on disk, a moment ago.
    void changed();

private:
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp& other) const
        {
            return exists == other.exists && size == other.size && modified == other.modified;
        }
    };
    static Stamp stampOf(const QString& path);

    QFileSystemWatcher watcher;
    QTimer settle;
    QHash<QString, Stamp> stamps;
};
