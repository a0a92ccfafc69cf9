#pragma once
// Shared by the tests and the benchmark: file bytes, a copy of the sample game, and the editor running on it.

#include "app/mywindow.h"
#include "app/widget.h"

#include <QDir>
#include <QDirIterator>
#include <QGridLayout>
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
    QString gamePath() const { return path(QStringLiteral("游戏")); }
    QString gameFile(const QString& relative) const { return gamePath() + QLatin1Char('/') + relative; }

private:
    // Chinese folder names for the game, config.ini and the backups, as players' folders often have.
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/编辑器-XXXXXX")};
    QString previousDirectory;
};

// The editor window as main() builds it, in the current directory.
struct Editor
{
    Editor()
    {
        auto* background = new MyWindow;
        background->setObjectName(QStringLiteral("mainUI"));
        background->setLayout(layout);
        widget = std::make_unique<Widget>(background, layout);
        widget->resize(1200, 800);
    }

    QGridLayout* layout = new QGridLayout;
    std::unique_ptr<Widget> widget;
};

} // namespace TestSupport

// The editor's state that the benchmark and the tests' set-ups reach into.
class WidgetTestAccess
{
public:
    static RecordTable& armyTypes(Widget& w) { return w.armyTypes; }
    static RecordTable& cities(Widget& w) { return w.cities; }
    static const StoryCatalogue& stories(const Widget& w) { return w.stories; }
    static QString stagePath(const Widget& w) { return w.stagePath; }
    static bool gameDataLoaded(const Widget& w) { return w.gameDataLoaded; }
    static void selectStory(Widget& w, int row) { w.selectStory(row, 0); }
};
