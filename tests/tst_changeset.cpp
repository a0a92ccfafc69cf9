// Change sets: the file format, the differences of two games, applying them to a game's files (also from the
// command line) and into the journal.
#include "app/commandline.h"
#include "document/backupbrowser.h"
#include "document/changesetapply.h"
#include "document/gamedocument.h"
#include "gamedata/backups.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextStream>
#include <QUndoStack>

using namespace TestSupport;

namespace {

QHash<QString, QByteArray> filesOf(const QString& directory)
{
    QHash<QString, QByteArray> files;
    for (QDirIterator it(directory, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        files.insert(QDir(directory).relativeFilePath(file), readBytes(file));
    }
    return files;
}

// Makes random changes of every kind the editor edits, in several stories, and saves each.
void changeAtRandom(GameDocument& document, quint32 seed)
{
    QRandomGenerator random(seed);
    const auto number = [&random] {
        return QString::number(random.bounded(1, 300));
    };
    for (int story : {0, 2}) {
        QVERIFY(document.openStory(story) == GameDocument::StoryOpen::Done);
        QVector<FieldValue> values;
        const QStringList armies = document.armyTypes().keys();
        for (int i = 0; i < 6; ++i)
            values.append(
                {{RecordKind::ArmyType, armies.at(random.bounded(armies.size())), random.bounded(1, 9)}, number()});
        const QStringList skills = document.skills().keys();
        values.append({{RecordKind::Skill, skills.at(random.bounded(skills.size())), random.bounded(1, 3)}, number()});
        const QStringList cities = document.cities().keys();
        values.append({{RecordKind::City, cities.at(random.bounded(cities.size())), 1}, number() + QLatin1Char(',')});
        document.changeFields(values, QStringLiteral("random"));
        QVERIFY(document.save().complete);
    }
}

} // namespace

class ChangeSetTest : public QObject
{
    Q_OBJECT

private slots:
    void readBack_data();
    void readBack();
    void diffAppliedToACopyGivesTheChangedGame();
    void commandLine_data();
    void commandLine();
    void intoTheJournal();
    void backupRestoredOrLoaded();
};

void ChangeSetTest::readBack_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("problems"); // per change: "line problem"
    const QByteArray head = "{\"format\":\"gamedata-editor-changeset\",\"version\":1,\"changes\":[\n";
    QTest::newRow("not-json") << QByteArray("{\"format\":") << "不是JSON: " << QStringList();
    QTest::newRow("other-format") << QByteArray("{\"format\":\"x\",\"changes\":[]}") << "不是修改集" << QStringList();
    QTest::newRow("newer-version") << QByteArray("{\"format\":\"gamedata-editor-changeset\",\"version\":2,"
                                                 "\"changes\":[]}")
                                   << "修改集版本过新" << QStringList();
    QTest::newRow("broken-changes-keep-their-lines")
        << head +
               "{\"file\":\"a\",\"kind\":\"unit\",\"id\":\"1\",\"field\":\"Range\",\"before\":\"1\",\"after\":\"2\"},\n"
               "{\"file\":\"a\",\"kind\":\"skill\",\"id\":\"1\",\"field\":\"Range\",\"before\":\"1\",\"after\":\"2\"},"
               "\n"
               "{\"file\":\"a\",\"kind\":\"city\",\"id\":\"1\",\n \"field\":\"specialattributes\",\"after\":\"2\"},\n"
               "{\"file\":\"a}[\\\"\",\"kind\":\"skill\",\"id\":\"1\",\"field\":\"FarRange\",\"before\":\"1\","
               "\"after\":\"2\"}]}"
        << "" << QStringList{"2 未知的记录种类", "3 未知的字段", "4 修改不完整", "6 "};
}

// A written change set reads back whole, and a broken one says what and where.
void ChangeSetTest::readBack()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QFETCH(QStringList, problems);
    const ChangeSet set = readChangeSet(text);
    QVERIFY2(error.isEmpty() ? set.error.isEmpty() : set.error.startsWith(error), qPrintable(set.error));
    QStringList found;
    for (const RecordChange& change : set.changes)
        found.append(QString::number(change.line) + QLatin1Char(' ') + change.problem);
    QCOMPARE(found, problems);

    const QVector<RecordChange> changes{{"story/story01/stage.xml", RecordKind::ArmyType, "1", "弓\"兵", 6, "1", "3"},
                                        {"config/army/armytype.txt", RecordKind::ArmyType, "7", "", 8, "2013", "0"},
                                        {"config/battlefield/skill.txt", RecordKind::Skill, "301", "x", 1, "2", "5"},
                                        {"config/world/city.txt", RecordKind::City, "1", "洛阳", 1, "3,12,", "3,"}};
    const ChangeSet written =
        readChangeSet(writeChangeSet(changes, QStringLiteral("1.0"), QStringLiteral("D:/游戏")).toUtf8());
    QCOMPARE(written.editorVersion, QStringLiteral("1.0"));
    QCOMPARE(written.gameDirectory, QStringLiteral("D:/游戏"));
    QCOMPARE(written.changes.size(), changes.size());
    for (int i = 0; i < changes.size(); ++i) {
        const RecordChange& a = changes.at(i);
        const RecordChange& b = written.changes.at(i);
        QCOMPARE(QStringList({b.file, b.id, b.name, QString::number(b.field), b.before, b.after, b.problem}),
                 QStringList({a.file, a.id, a.name, QString::number(a.field), a.before, a.after, QString()}));
        QCOMPARE(b.kind, a.kind);
        QCOMPARE(b.line, i + 7);
    }
}

// Applying the change set of two copies of a game to a third copy of the first gives the second, byte for
// byte; applying it again changes nothing.
void ChangeSetTest::diffAppliedToACopyGivesTheChangedGame()
{
    for (quint32 seed = 1; seed <= 3; ++seed) {
        GameCopy base, changed, third;
        GameDocument document(changed.path(QStringLiteral("config.ini")));
        QVERIFY(document.open(changed.gamePath()));
        changeAtRandom(document, seed);
        const QVector<RecordChange> changes = diffGames(base.gamePath(), changed.gamePath());
        QVERIFY(changes.size() > 10);
        const QVector<RecordChange> read = readChangeSet(writeChangeSet(changes, QString()).toUtf8()).changes;

        BackupSession backups(third.path(QStringLiteral("backup")), third.gamePath());
        const ChangeSetApplication result = applyChangeSet(third.gamePath(), read, &backups);
        QVERIFY(result.complete());
        QVERIFY(result.failedFiles.isEmpty());
        QCOMPARE(filesOf(third.gamePath()), filesOf(changed.gamePath()));
        QVERIFY(diffGames(third.gamePath(), changed.gamePath()).isEmpty());
        QCOMPARE(applyChangeSet(third.gamePath(), read, &backups).backupFolder, QString());
    }
}

void ChangeSetTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // %game, %set, %config stand for the paths
    QTest::addColumn<QByteArray>("gameSkill");  // the NearRange of skill 301 in the game before the apply
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("written");
    const QStringList apply{"--apply", "%set", "--game", "%game"};
    QTest::newRow("applied") << apply << QByteArray("2") << 0 << "" << true;
    QTest::newRow("game-from-config") << QStringList{"--apply", "%set"} << QByteArray("2") << 0 << "" << true;
    QTest::newRow("dry-run-writes-nothing") << apply + QStringList{"--dry-run"} << QByteArray("2") << 0 << "" << false;
    QTest::newRow("already-made") << apply << QByteArray("5") << 0 << "" << false;
    QTest::newRow("conflict") << apply << QByteArray("4") << 1 << "%set:6: 301: 冲突: 游戏中的值不是修改前的值\n"
                              << false;
    QTest::newRow("no-such-game") << QStringList{"--apply", "%set", "--game", "%config"} << QByteArray("2") << 2 << ""
                                  << false;
    QTest::newRow("unreadable-set") << QStringList{"--apply", "%game"} << QByteArray("2") << 2 << "" << false;
    QTest::newRow("no-output-named") << QStringList{"--diff", "%game", "%game"} << QByteArray("2") << 2 << "" << false;
}

// The command line's exit status and its one line per change not made.
void ChangeSetTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, gameSkill);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(bool, written);
    // The game last: its folder is the working directory, with the config.ini that names it.
    GameCopy changed, game;
    const QString skillFile = QStringLiteral("config/battlefield/skill.txt");
    const QByteArray skills = readBytes(game.gameFile(skillFile));
    QVERIFY(writeBytes(changed.gameFile(skillFile), withValue(skills, "\"ID\":301,", "\"NearRange\":", "5")));
    const QString set = game.path(QStringLiteral("set.json"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QCOMPARE(runCommand({"--diff", game.gamePath(), changed.gamePath(), "--output", set}, outStream, errStream), 0);
    QVERIFY(writeBytes(game.gameFile(skillFile), withValue(skills, "\"ID\":301,", "\"NearRange\":", gameSkill)));
    const QByteArray before = readBytes(game.gameFile(skillFile));

    arguments.replaceInStrings(QStringLiteral("%game"), game.gamePath());
    arguments.replaceInStrings(QStringLiteral("%set"), set);
    arguments.replaceInStrings(QStringLiteral("%config"), game.path(QStringLiteral("config.ini")));
    QCOMPARE(runCommand(arguments, outStream, errStream), status);
    outStream.flush();
    QCOMPARE(out, QString(output).replace(QStringLiteral("%set"), set));
    QCOMPARE(readBytes(game.gameFile(skillFile)) != before, written);
    QCOMPARE(QDir(game.path(QStringLiteral("backup"))).exists(), written);
}

// Into the window's journal: one undoable step; statistics of another story wait for it to be opened.
void ChangeSetTest::intoTheJournal()
{
    GameCopy game;
    GameDocument document(game.path(QStringLiteral("config.ini")));
    QVERIFY(document.open(game.gamePath()));
    QVERIFY(document.openStory(0) == GameDocument::StoryOpen::Done);
    const QVector<RecordChange> changes{{"story/story01/stage.xml", RecordKind::ArmyType, "1", "", 2, "54", "60"},
                                        {"story/story03/stage.xml", RecordKind::ArmyType, "1", "", 2, "", "61"},
                                        {"config/battlefield/skill.txt", RecordKind::Skill, "301", "", 2, "2", "5"}};
    document.applyChangeSet(changes, QStringLiteral("apply"));
    QCOMPARE(document.undoStack()->count(), 1);
    QCOMPARE(document.journal().size(), 2);
    QCOMPARE(document.armyTypes().value("1").at(2), QStringLiteral("60"));
    QCOMPARE(document.waitingChanges().size(), 1);
    QCOMPARE(document.pendingChangeSet().size(), 3);
    QCOMPARE(document.pendingChangeSet().first().file, changes.first().file);
    // A save cannot write what waits for its story, and says so.
    const SaveReport report = document.save();
    QVERIFY(!report.complete && document.hasPendingChanges());
    QCOMPARE(report.unwrittenRecords,
             QStringList{QDir::toNativeSeparators("story/story03/stage.xml") + " 1(等待打开其剧本)"});

    document.discardArmyStatistics();
    QVERIFY(document.openStory(2) == GameDocument::StoryOpen::Done);
    QCOMPARE(document.armyTypes().value("1").at(2), QStringLiteral("61"));
    QVERIFY(document.waitingChanges().isEmpty());
    document.undoStack()->undo();
    QVERIFY(document.armyTypes().value("1").at(2) != QStringLiteral("61"));
}

// A backup folder comes back as files (the current ones copied first) or as pending changes.
void ChangeSetTest::backupRestoredOrLoaded()
{
    GameCopy game;
    const QHash<QString, QByteArray> original = filesOf(game.gamePath());
    GameDocument document(game.path(QStringLiteral("config.ini")));
    QVERIFY(document.open(game.gamePath()));
    QVERIFY(document.openStory(0) == GameDocument::StoryOpen::Done);
    document.changeFields({{{RecordKind::ArmyType, "1", 2}, "70"}, {{RecordKind::Skill, "301", 2}, "6"}}, "edit");
    const QString backup = QDir::fromNativeSeparators(document.save().backupFolder);
    const QHash<QString, QByteArray> saved = filesOf(game.gamePath());

    // Loaded: the differences are pending, the files untouched.
    document.applyChangeSet(diffGames(game.gamePath(), backup, game.gamePath()), "load");
    QCOMPARE(document.journal().size(), 2);
    QCOMPARE(document.skills().value("301").value(2), QStringLiteral("2"));
    QCOMPARE(filesOf(game.gamePath()), saved);

    QString currentFiles;
    QVERIFY(document.restoreBackup(backup, &currentFiles).isEmpty());
    QCOMPARE(filesOf(game.gamePath()), original);
    QVERIFY(!document.hasPendingChanges());
    QCOMPARE(document.armyTypes().value("1").value(2), QStringLiteral("54"));
    const QVector<BackupFolder> folders = listBackups(document.backupRoot());
    QCOMPARE(folders.size(), 2);
    QCOMPARE(QDir::toNativeSeparators(folders.first().path), currentFiles);
    for (const QString& file : folders.first().files)
        QCOMPARE(readBytes(folders.first().path + QLatin1Char('/') + file), saved.value(file));
}

QTEST_GUILESS_MAIN(ChangeSetTest)
#include "tst_changeset.moc"
