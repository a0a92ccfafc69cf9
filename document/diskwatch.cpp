#include "document/diskwatch.h"

#include <QFileInfo>

namespace {
// Long enough to gather the notices of one save by another tool, short enough to feel immediate.
constexpr int settleMs = 300;
} // namespace

DiskWatch::DiskWatch(QObject* parent) : QObject(parent)
{
    settle.setSingleShot(true);
    settle.setInterval(settleMs);
    connect(&settle, &QTimer::timeout, this, &DiskWatch::changed);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // A file replaced by renaming another over it (as atomic saves do) drops out of the watch.
        if (!watcher.files().contains(path) && QFileInfo::exists(path))
            watcher.addPath(path);
        settle.start();
    });
}

DiskWatch::Stamp DiskWatch::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

void DiskWatch::note(const QString& path)
{
    if (path.isEmpty())
        return;
    stamps.insert(path, stampOf(path));
    if (!watcher.files().contains(path) && QFileInfo::exists(path))
        watcher.addPath(path);
}

void DiskWatch::forgetAll()
{
    stamps.clear();
    if (!watcher.files().isEmpty())
        watcher.removePaths(watcher.files());
}

QStringList DiskWatch::takeChanged()
{
    QStringList changedFiles;
    for (auto stamp = stamps.begin(); stamp != stamps.end(); ++stamp) {
        const Stamp now = stampOf(stamp.key());
        if (now == *stamp)
            continue;
        *stamp = now;
        changedFiles.append(stamp.key());
        if (now.exists && !watcher.files().contains(stamp.key()))
            watcher.addPath(stamp.key());
    }
    return changedFiles;
}
