// Backups, and what the editor does when files, folders or the disk let it down.
#include "app/prompts.h"
#include "gamedata/textfile.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

using namespace TestSupport;

namespace {

const QString armyTypeFile = QStringLiteral("config/army/armytype.txt");
const QString skillFile = QStringLiteral("config/battlefield/skill.txt");
const QString cityFile = QStringLiteral("config/world/city.txt");

QString messageOf(const Widget& w)
{
    return w.findChild<QLabel*>(QStringLiteral("messageLabel"))->text();
}

QString statusOf(const Widget& w)
{
    return w.findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage();
}

// Files of a folder tree other than the given ones: leftovers of a write that did not finish.
QStringList filesIn(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

} // namespace

class SaveFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstSaveBacksUpOriginals();
    void backupThatCannotBeMadeBlocksTheWrite();
    void fileChangedUnderTheEditor_data();
    void fileChangedUnderTheEditor();
    void writeFailingMidwayLeavesOriginal_data();
    void writeFailingMidwayLeavesOriginal();
    void gamePathWithSpacesAndChinese();
    void oddGameFilesLoadWithoutCrashing_data();
    void oddGameFilesLoadWithoutCrashing();
    void hugeGameFileLoads();
    void oddConfigAsksForDirectory_data();
    void oddConfigAsksForDirectory();

private:
    int dialogs = 0;
    // Changes one skill range and one city's specialties in memory and records them.
    void recordEdits(Widget& w);
};

void SaveFaultsTest::init()
{
    dialogs = 0;
    Prompts::setDirectoryPicker([this](QWidget*, const QString&, const QString&) {
        ++dialogs;
        return QString();
    });
}

void SaveFaultsTest::cleanup()
{
    Prompts::setDirectoryPicker(nullptr);
    setByteWriter(nullptr);
}

void SaveFaultsTest::recordEdits(Widget& w)
{
    // City 1 has specialties in the sample game, so taking them away changes its record.
    w.changeFields({{{RecordKind::Skill, QStringLiteral("301"), 1}, QStringLiteral("6")},
                    {{RecordKind::City, QStringLiteral("1"), 1}, QStringLiteral("0,")}},
                   QString());
}

void SaveFaultsTest::firstSaveBacksUpOriginals()
{
    GameCopy game;
    const QByteArray skills = readBytes(game.gameFile(skillFile));
    const QByteArray cities = readBytes(game.gameFile(cityFile));
    Editor editor;
    Widget& w = *editor.widget;
    recordEdits(w);
    QVERIFY(w.saveChanges());

    const QStringList runs = QDir(game.path(QStringLiteral("backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(runs.size(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{8}-\\d{6}$")).match(runs.first()).hasMatch());
    const QString folder = game.path(QStringLiteral("backup/") + runs.first());
    QCOMPARE(filesIn(folder), QStringList({skillFile, cityFile}));
    QCOMPARE(readBytes(folder + QLatin1Char('/') + skillFile), skills);
    QCOMPARE(readBytes(folder + QLatin1Char('/') + cityFile), cities);
    QCOMPARE(statusOf(w), QStringLiteral("保存成功!  已备份原文件至: ") + QDir::toNativeSeparators(folder));
    QVERIFY(readBytes(game.gameFile(skillFile)) != skills);

    // Later saves of the run keep the first copy, the one from before the editor touched the file.
    w.changeFields({{{RecordKind::Skill, QStringLiteral("301"), 1}, QStringLiteral("5")}}, QString());
    QVERIFY(w.saveChanges());
    QCOMPARE(statusOf(w), QStringLiteral("保存成功!"));
    QCOMPARE(readBytes(folder + QLatin1Char('/') + skillFile), skills);
    QCOMPARE(QDir(game.path(QStringLiteral("backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

void SaveFaultsTest::backupThatCannotBeMadeBlocksTheWrite()
{
    GameCopy game;
    const QByteArray skills = readBytes(game.gameFile(skillFile));
    // A file where the backup folder should go: no folder can be made there.
    QVERIFY(writeBytes(game.path(QStringLiteral("backup")), "in the way"));
    Editor editor;
    Widget& w = *editor.widget;
    recordEdits(w);
    QVERIFY(!w.saveChanges());
    QCOMPARE(readBytes(game.gameFile(skillFile)), skills);
    QVERIFY(messageOf(w).contains(QStringLiteral("保存失败: ") + QDir::toNativeSeparators(game.gameFile(skillFile))));
    QCOMPARE(WidgetTestAccess::pendingChanges(w).value(QStringLiteral("armySkill")), QStringList{"301"});
    QVERIFY(!statusOf(w).startsWith(QStringLiteral("保存成功!")));
}

void SaveFaultsTest::fileChangedUnderTheEditor_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("deleted") << "deleted";
    QTest::newRow("made-read-only") << "read-only";
    QTest::newRow("replaced-by-folder") << "folder";
}

void SaveFaultsTest::fileChangedUnderTheEditor()
{
    QFETCH(QString, change);
    GameCopy game;
    Editor editor;
    Widget& w = *editor.widget;
    const QString skills = game.gameFile(skillFile);
    const QByteArray original = readBytes(skills);
    const QByteArray cities = readBytes(game.gameFile(cityFile));
    recordEdits(w);

    if (change == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(skills));
    } else if (change == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(skills, QFile::ReadOwner | QFile::ReadUser));
    } else {
        QVERIFY(QFile::remove(skills));
        QVERIFY(QDir().mkpath(skills));
    }

    QVERIFY(!w.saveChanges());
    QVERIFY(messageOf(w).contains(QStringLiteral("保存失败: ") + QDir::toNativeSeparators(skills)));
    QVERIFY(!statusOf(w).startsWith(QStringLiteral("保存成功!")));
    // The skill edit waits for the next save; the city file, which could be written, was.
    QCOMPARE(WidgetTestAccess::pendingChanges(w).keys(), QStringList{"armySkill"});
    QVERIFY(readBytes(game.gameFile(cityFile)) != cities);
    if (change == QLatin1String("deleted"))
        QVERIFY(!QFileInfo::exists(skills));
    if (change == QLatin1String("read-only"))
        QCOMPARE(readBytes(skills), original);
    QCOMPARE(filesIn(QFileInfo(skills).absolutePath()).filter(QStringLiteral("skill.txt.")), QStringList());
    QFile::setPermissions(skills, QFile::ReadOwner | QFile::WriteOwner);
}

void SaveFaultsTest::writeFailingMidwayLeavesOriginal_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("disk-full-at-start") << true;
    QTest::newRow("write-fails-midway") << false;
}

void SaveFaultsTest::writeFailingMidwayLeavesOriginal()
{
    QFETCH(bool, diskFull);
    GameCopy game;
    Editor editor;
    Widget& w = *editor.widget;
    const QByteArray skills = readBytes(game.gameFile(skillFile));
    const QByteArray cities = readBytes(game.gameFile(cityFile));
    const QStringList filesBefore = filesIn(game.gamePath());
    recordEdits(w);

    setByteWriter([diskFull](QIODevice& file, const QByteArray& bytes) -> qint64 {
        if (diskFull)
            return -1;
        file.write(bytes.left(bytes.size() / 2));
        return bytes.size() / 2;
    });
    QVERIFY(!w.saveChanges());
    setByteWriter(nullptr);

    QCOMPARE(readBytes(game.gameFile(skillFile)), skills);
    QCOMPARE(readBytes(game.gameFile(cityFile)), cities);
    QCOMPARE(filesIn(game.gamePath()), filesBefore);
    QCOMPARE(WidgetTestAccess::pendingChanges(w).keys().size(), 2);
    QVERIFY(messageOf(w).startsWith(QStringLiteral("保存失败: ")));

    // Once the disk behaves again, the same save goes through.
    QVERIFY(w.saveChanges());
    QVERIFY(WidgetTestAccess::pendingChanges(w).isEmpty());
    QVERIFY(readBytes(game.gameFile(skillFile)) != skills);
}

void SaveFaultsTest::gamePathWithSpacesAndChinese()
{
    GameCopy base(false);
    const QString gamePath = base.path(QStringLiteral("我的 游戏/三国 game"));
    QVERIFY(copyTree(dataPath(QStringLiteral("sample-game")), gamePath));
    QVERIFY(writeBytes(base.path(QStringLiteral("config.ini")), "GamePath=" + gamePath.toUtf8() + "\n"));
    Editor editor;
    Widget& w = *editor.widget;
    QCOMPARE(dialogs, 0);
    QVERIFY(WidgetTestAccess::gameDataLoaded(w));
    const QByteArray skills = readBytes(gamePath + QLatin1Char('/') + skillFile);
    recordEdits(w);
    QVERIFY(w.saveChanges());
    QVERIFY(readBytes(gamePath + QLatin1Char('/') + skillFile) != skills);
    QVERIFY(statusOf(w).startsWith(QStringLiteral("保存成功!")));
}

void SaveFaultsTest::oddGameFilesLoadWithoutCrashing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");

    QByteArray garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.append(char((i * 7919 + (i >> 3)) & 0xff));
    const QStringList files = {QStringLiteral("config/language/language_cn.txt"),
                               armyTypeFile,
                               QStringLiteral("config/world/items.txt"),
                               skillFile,
                               cityFile,
                               QStringLiteral("config/world/cityspecialattributes.txt"),
                               QStringLiteral("story/storyconfig.xml")};
    for (const QString& file : files) {
        const QString name = QFileInfo(file).completeBaseName();
        QTest::newRow(qPrintable(name + QStringLiteral("-empty"))) << file << QByteArray();
        QTest::newRow(qPrintable(name + QStringLiteral("-garbage"))) << file << garbage;
        QTest::newRow(qPrintable(name + QStringLiteral("-utf8-mark-only"))) << file << QByteArray("\xEF\xBB\xBF");
        QTest::newRow(qPrintable(name + QStringLiteral("-utf16-mark-only"))) << file << QByteArray("\xFF\xFE");
    }
}

void SaveFaultsTest::oddGameFilesLoadWithoutCrashing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    GameCopy game;
    QVERIFY(writeBytes(game.gameFile(file), content));
    Editor editor;
    Widget& w = *editor.widget;
    QVERIFY(WidgetTestAccess::gameDataLoaded(w));
    QCOMPARE(dialogs, 0);

    // Saving into such a file reports the records it could not find instead of inventing them.
    recordEdits(w);
    w.saveChanges();
    QVERIFY(!messageOf(w).contains(QStringLiteral("保存失败")));
    QCOMPARE(readBytes(game.gameFile(file)), content);
}

void SaveFaultsTest::hugeGameFileLoads()
{
    GameCopy game;
    // 200 MB of item records, all of them one item, so that the table stays small.
    const QByteArray record("{\"ID\":2001,\"Type\":4,\"Name\":3001,\"Price\":500,\"Weight\":1,\"Icon\":12},\r\n");
    QByteArray huge;
    huge.reserve(200 * 1024 * 1024 + record.size());
    while (huge.size() < 200 * 1024 * 1024)
        huge.append(record);
    QVERIFY(writeBytes(game.gameFile(QStringLiteral("config/world/items.txt")), huge));
    huge.clear();
    huge.squeeze();

    Editor editor;
    Widget& w = *editor.widget;
    QVERIFY(WidgetTestAccess::gameDataLoaded(w));
    QCOMPARE(WidgetTestAccess::items(w).size(), 2);
}

void SaveFaultsTest::oddConfigAsksForDirectory_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\xFF\xFE\x01=\x02\x03", 7);
    QTest::newRow("names-a-file") << QByteArray("GamePath=FILE\n");
}

void SaveFaultsTest::oddConfigAsksForDirectory()
{
    QFETCH(QByteArray, config);
    GameCopy game(false);
    config.replace("FILE", game.gameFile(skillFile).toUtf8());
    QVERIFY(writeBytes(game.path(QStringLiteral("config.ini")), config));
    Editor editor;
    Widget& w = *editor.widget;
    QCOMPARE(dialogs, 1);
    QVERIFY(!WidgetTestAccess::gameDataLoaded(w));
    QCOMPARE(messageOf(w), QStringLiteral("游戏目录设置不正确,或文件缺失!"));
    QCOMPARE(readBytes(game.path(QStringLiteral("config.ini"))), config);
}

QTEST_MAIN(SaveFaultsTest)
#include "tst_savefaults.moc"
