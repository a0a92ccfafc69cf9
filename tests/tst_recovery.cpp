// Recovery after a crash: what a killed editor leaves behind comes back into the journal; a recovery file
// that cannot be read is kept aside; nothing pending leaves no file.
#include "document/gamediff.h"
#include "document/gamedocument.h"
#include "document/recovery.h"
#include "testsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

using namespace TestSupport;

class RecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void afterAKilledProcess_data();
    void afterAKilledProcess();
    void unreadableFileKeptAside();
    void nothingPendingLeavesNoFile();
};

void RecoveryTest::afterAKilledProcess_data()
{
    QTest::addColumn<QByteArray>("skillInFile"); // NearRange of skill 301 in the file when recovering
    QTest::addColumn<QString>("skillAfter");
    QTest::newRow("file-unchanged") << QByteArray("2") << "5";
    QTest::newRow("file-changed-meanwhile-is-a-conflict") << QByteArray("3") << "3";
}

void RecoveryTest::afterAKilledProcess()
{
    QFETCH(QByteArray, skillInFile);
    QFETCH(QString, skillAfter);
    GameCopy game;
    const QString recoveryPath = game.path(QStringLiteral("recovery.json"));
    QProcess editor;
    editor.start(QStringLiteral(RECOVERY_HELPER), {game.path(QStringLiteral("config.ini")), recoveryPath});
    QVERIFY2(editor.waitForReadyRead(10000),
             qPrintable(QStringLiteral("%1, exit %2: %3")
                            .arg(editor.errorString())
                            .arg(editor.exitCode())
                            .arg(QString::fromLocal8Bit(editor.readAllStandardError()))));
    editor.kill();
    QVERIFY(editor.waitForFinished());

    const QString skillFile = game.gameFile(QStringLiteral("config/battlefield/skill.txt"));
    QVERIFY(writeBytes(skillFile, withValue(readBytes(skillFile), "\"ID\":301,", "\"NearRange\":", skillInFile)));
    const std::optional<ChangeSet> set = RecoveryFile::read(recoveryPath);
    QVERIFY(set && set->error.isEmpty());
    QCOMPARE(set->gameDirectory, game.gamePath());
    QCOMPARE(set->changes.size(), 2);

    GameDocument document(game.path(QStringLiteral("config.ini")));
    QVERIFY(document.open(set->gameDirectory));
    const QVector<ChangeCheck> checks = checkChanges(document.gameDirectory(), set->changes);
    QVector<RecordChange> chosen;
    for (int i = 0; i < checks.size(); ++i) {
        if (checks.at(i).status == ChangeStatus::Ready)
            chosen.append(set->changes.at(i));
    }
    document.applyChangeSet(chosen, QStringLiteral("recover"));
    // The statistics come back with their story.
    const int story = document.storyOf(set->changes.first().file);
    QCOMPARE(story, 2);
    QVERIFY(document.openStory(story) == GameDocument::StoryOpen::Done);
    QCOMPARE(document.armyTypes().value("1").value(2), QStringLiteral("77"));
    QCOMPARE(document.skills().value("301").value(2), skillAfter);
    QCOMPARE(document.journal().size(), skillAfter == QLatin1String("5") ? 2 : 1);
}

void RecoveryTest::unreadableFileKeptAside()
{
    GameCopy game;
    const QString path = game.path(QStringLiteral("recovery.json"));
    QVERIFY(writeBytes(path, "{\"format\":\"gamedata-editor-changeset\",\"changes\":[{"));
    const std::optional<ChangeSet> set = RecoveryFile::read(path);
    QVERIFY(set && !set->error.isEmpty());
    const QString aside = RecoveryFile::keepAside(path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(readBytes(aside), QByteArray("{\"format\":\"gamedata-editor-changeset\",\"changes\":[{"));
    QVERIFY(!RecoveryFile::read(path));
}

// The file follows the journal: written soon after a change, gone once a save left nothing pending.
void RecoveryTest::nothingPendingLeavesNoFile()
{
    GameCopy game;
    GameDocument document(game.path(QStringLiteral("config.ini")));
    QVERIFY(document.open(document.configuredGameDirectory()));
    QVERIFY(document.openStory(0) == GameDocument::StoryOpen::Done);
    RecoveryFile recovery(&document, game.path(QStringLiteral("recovery.json")));
    document.changeFields({{{RecordKind::City, QStringLiteral("1"), 1}, QStringLiteral("3,")}}, QStringLiteral("e"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recovery.path()), 1000);
    QVERIFY(document.save().complete);
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(recovery.path()), 1000);
    document.undoStack()->undo();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recovery.path()), 1000);
    recovery.discard();
    QVERIFY(!QFile::exists(recovery.path()));
}

QTEST_GUILESS_MAIN(RecoveryTest)
#include "tst_recovery.moc"
