#pragma once
// Shared by the tests and the benchmark: file bytes and a copy of the sample game.

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <memory>

namespace TestSupport {

inline QString dataPath(const QString& relative)
{
    return QStringLiteral(TEST_DATA_DIR "/") + relative;
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The bytes with the digits behind `key`, searched behind `recordStart`, replaced by `value`.
inline QByteArray withValue(QByteArray bytes, const QByteArray& recordStart, const QByteArray& key,
                            const QByteArray& value)
{
    const int at = bytes.indexOf(key, bytes.indexOf(recordStart)) + key.size();
    int end = at;
    while (end < bytes.size() && bytes.at(end) >= '0' && bytes.at(end) <= '9')
        ++end;
    return bytes.replace(at, end - at, value);
}

// A folder holding a copy of the sample game under game/ and, unless told otherwise, a config.ini naming it;
// the current directory is that folder for as long as the object lives.
class GameCopy
{
public:
    explicit GameCopy(bool writeConfig = true) : previousDirectory(QDir::currentPath())
    {
        const QString sample = dataPath(QStringLiteral("sample-game"));
        for (QDirIterator it(sample, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString file = it.next();
            writeBytes(gameFile(QDir(sample).relativeFilePath(file)), readBytes(file));
        }
        if (writeConfig)
            writeBytes(path(QStringLiteral("config.ini")), "GamePath=" + gamePath().toUtf8() + "\n");
        QDir::setCurrent(dir.path());
    }
    ~GameCopy() { QDir::setCurrent(previousDirectory); }

    QString path(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }
    QString gamePath() const { return path(QStringLiteral("游戏")); }
    QString gameFile(const QString& relative) const { return gamePath() + QLatin1Char('/') + relative; }

private:
    // Chinese folder names for the game, config.ini and the backups, as players' folders often have.
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/编辑器-XXXXXX")};
    QString previousDirectory;
};

} // namespace TestSupport
