#pragma once
// Helpers shared by the tests: fixture files, byte access, and an editor on a copy of the sample game.

#include "app/mywindow.h"
#include "app/widget.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QString>
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
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Copies a directory tree; returns false if anything could not be copied.
inline bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

// A working folder holding a copy of the sample game under game/ and a config.ini naming it; the
// current directory is switched into it for as long as the object lives.
class GameCopy
{
public:
    explicit GameCopy(bool writeConfig = true)
    {
        previousDirectory = QDir::currentPath();
        copied = dir.isValid() && copyTree(dataPath(QStringLiteral("sample-game")), gamePath());
        if (writeConfig)
            writeBytes(path(QStringLiteral("config.ini")), "GamePath=" + gamePath().toUtf8() + "\n");
        QDir::setCurrent(dir.path());
    }
    ~GameCopy() { QDir::setCurrent(previousDirectory); }
    GameCopy(const GameCopy&) = delete;
    GameCopy& operator=(const GameCopy&) = delete;

    bool isValid() const { return copied; }
    QString path(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }
    QString gamePath() const { return dir.path() + QStringLiteral("/game"); }
    QString gameFile(const QString& relative) const { return gamePath() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir;
    QString previousDirectory;
    bool copied = false;
};

// The editor window as main() builds it, in the current directory.
struct Editor
{
    Editor()
    {
        auto* background = new MyWindow;
        background->setObjectName(QStringLiteral("mainUI"));
        layout = new QGridLayout;
        background->setLayout(layout);
        widget = std::make_unique<Widget>(background, layout);
        widget->resize(1200, 800);
    }

    QGridLayout* layout = nullptr;
    std::unique_ptr<Widget> widget;
};

} // namespace TestSupport

// Reaches the editor's state from the tests.
class WidgetTestAccess
{
public:
    // The changed records per kind of save, in first-changed order.
    static QHash<QString, QStringList> pendingChanges(const Widget& w)
    {
        const QPair<QString, QStringList> groups[] = {
            {QStringLiteral("armyNeeds"), w.journal.changedIds(RecordKind::ArmyType, 7, 8)},
            {QStringLiteral("armyInfo"), w.journal.changedIds(RecordKind::ArmyType, 1, 6)},
            {QStringLiteral("armySkill"), w.journal.changedIds(RecordKind::Skill, 1, 2)},
            {QStringLiteral("citySpc"), w.journal.changedIds(RecordKind::City, 1, 1)}};
        QHash<QString, QStringList> pending;
        for (const auto& group : groups) {
            if (!group.second.isEmpty())
                pending.insert(group.first, group.second);
        }
        return pending;
    }
    static RecordTable& armyTypes(Widget& w) { return w.armyTypes; }
    static RecordTable& skills(Widget& w) { return w.skills; }
    static RecordTable& cities(Widget& w) { return w.cities; }
    static const RecordTable& items(const Widget& w) { return w.items; }
    static const RecordTable& citySpecialties(const Widget& w) { return w.citySpecialties; }
    static const TextTable& languageTexts(const Widget& w) { return w.languageTexts; }
    static const StoryCatalogue& stories(const Widget& w) { return w.stories; }
    static QString stagePath(const Widget& w) { return w.stagePath; }
    static QString currentArmyId(const Widget& w) { return w.currentArmyId; }
    static QString currentCityId(const Widget& w) { return w.currentCityId; }
    static bool gameDataLoaded(const Widget& w) { return w.gameDataLoaded; }
    static QString armyTypePath(const Widget& w) { return w.armyTypePath; }
    static void selectStory(Widget& w, int row) { w.selectStory(row, 0); }
    static void reloadGameData(Widget& w, QGridLayout* layout) { w.reloadGameData(layout); }
    static bool getGameFiles(Widget& w, QString& gamePath) { return w.getGameFiles(gamePath); }
};
