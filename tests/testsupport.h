#pragma once
// Shared by the tests and the benchmark: file bytes, a copy of the sample game, and the editor running on it.

#include "app/mainwindow.h"
#include "document/gamedocument.h"

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
    QString gamePath() const { return path(QStringLiteral("game")); }
    QString gameFile(const QString& relative) const { return gamePath() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir;
    QString previousDirectory;
};

// The editor as main() builds it, in the current directory: the document and its window.
struct Editor
{
    Editor() : window(std::make_unique<MainWindow>(&document)) { window->resize(1200, 800); }

    GameDocument document;
    std::unique_ptr<MainWindow> window;
};

} // namespace TestSupport
