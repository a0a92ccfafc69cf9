// Game files changed on disk while the editor holds them: values follow the disk, pending changes become
// conflicts that a save does not overwrite unasked, and the editor's own writes count for nothing.
#include "document/gamedocument.h"
#include "testsupport.h"

#include <QtTest>

using namespace TestSupport;

class DiskChangesTest : public QObject
{
    Q_OBJECT

private slots:
    void outsideChangeDuringEdit();
};

void DiskChangesTest::outsideChangeDuringEdit()
{
    GameCopy game;
    GameDocument document(game.path(QStringLiteral("config.ini")));
    QVERIFY(document.open(game.gamePath()));
    QCOMPARE(document.openStory(0), GameDocument::StoryOpen::Done);
    const FieldRef edited{RecordKind::Skill, QStringLiteral("99"), 1};
    document.changeFields({{edited, QStringLiteral("3")}}, QStringLiteral("edit"));

    // Another tool changes the edited range, a range of another skill and a statistic of the story.
    const QString skillFile = game.gameFile(QStringLiteral("config/battlefield/skill.txt"));
    QByteArray skills = readBytes(skillFile);
    skills = withValue(skills, "{\"ID\":99,", "\"FarRange\":", "5");
    skills = withValue(skills, "{\"ID\":100,", "\"NearRange\":", "40");
    QVERIFY(writeBytes(skillFile, skills));
    const QString stageFile = document.stagePath();
    QVERIFY(writeBytes(stageFile, withValue(readBytes(stageFile), "<armytype a0=\"1\"", "a5=\"", "540")));

    int followed = 0;
    connect(&document, &GameDocument::fieldsChanged, this, [&followed] { ++followed; });
    QTRY_COMPARE(followed, 1);
    QCOMPARE(document.skills().value(QStringLiteral("100")).value(2), QStringLiteral("40"));
    QCOMPARE(document.armyTypes().value(QStringLiteral("1")).value(2), QStringLiteral("540"));
    QCOMPARE(document.journal().size(), 1);
    QVERIFY(document.isConflict(edited));
    QCOMPARE(document.journal().find(edited)->fileValue, QStringLiteral("5"));

    // Kept: the disk's value stays and the save names the field; overwritten: the user's value lands.
    SaveReport report = document.save(false);
    QVERIFY(!report.complete);
    QCOMPARE(report.conflicts, QStringList(QDir::toNativeSeparators("config/battlefield/skill.txt") + " 99 远程范围"));
    QCOMPARE(readBytes(skillFile), skills);
    report = document.save(true);
    QVERIFY(report.complete);
    QCOMPARE(readBytes(skillFile), withValue(skills, "{\"ID\":99,", "\"FarRange\":", "3"));

    // The save's own write is no change from outside.
    followed = 0;
    QTest::qWait(700);
    document.followDisk();
    QCOMPARE(followed, 0);
    QVERIFY(document.conflicts().isEmpty());
    QVERIFY(!document.hasPendingChanges());
}

QTEST_GUILESS_MAIN(DiskChangesTest)
#include "tst_diskchanges.moc"
