// The editor's small parts: config.ini, id order, which skills an army type gets, city specialty texts, where
// the window stands, the part of the background picture shown, numeric sorting of table cells, and Qt's own
// texts in Chinese.
#include "app/backgroundwindow.h"
#include "app/qttranslation.h"
#include "gamedata/armyskills.h"
#include "gamedata/gameconfig.h"
#include "gamedata/idorder.h"
#include "gamedata/specialattributes.h"
#include "tablesupport.h"
#include "widgets/sortableitem.h"

#include <QDialogButtonBox>
#include <QPushButton>

using TestSupport::columnTexts;

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void configAndIdOrder()
    {
        QCOMPARE(gameDirectoryFromConfig("GamePath=D:/Games/三国 游戏\nGamePath=/b\n"),
                 QStringLiteral("D:/Games/三国 游戏"));
        QCOMPARE(gameDirectoryFromConfig("GamePath=D:\\Games\\游戏\r\nx\r\n"), QStringLiteral("D:\\Games\\游戏"));
        QCOMPARE(gameDirectoryFromConfig("Path=/opt/a=b"), QStringLiteral("/opt/a=b"));
        QCOMPARE(gameDirectoryFromConfig("/opt/game\nx=y\n"), QString());
        QCOMPARE(gameDirectoryFromConfig("[Game]\r\nVolume=3\r\nGamePath=/later\r\n"), QStringLiteral("/later"));
        QCOMPARE(gameDirectoryFromConfig("GamePath=D:/\xD3\xCE\xCF\xB7"), QStringLiteral("D:/游戏"));
        // Another program's config.ini keeps every other byte; the editor's own becomes its one line.
        QCOMPARE(configWithGameDirectory("GamePath=/old\r\n", "/g"), QByteArray("GamePath=/g\n"));
        QCOMPARE(configWithGameDirectory("[Game]\r\nVolume=3", "/g"), QByteArray("GamePath=/g\r\n[Game]\r\nVolume=3"));
        QCOMPARE(configWithGameDirectory("[Game]\nGamePath=/old\nVolume=3\n", "/游"),
                 QByteArray("[Game]\nGamePath=/游\nVolume=3\n"));
        QCOMPARE(::sortedByNumber({"10", "x", "9", "07", "100", "7", "0"}),
                 QStringList({"x", "0", "07", "7", "9", "10", "100"}));
    }

    void configFilePath_data()
    {
        QTest::addColumn<bool>("inWorkingDirectory");
        QTest::addColumn<bool>("besideProgram");
        QTest::addColumn<bool>("newBesideProgram");
        QTest::addColumn<QString>("expected");
        const QString work = QStringLiteral("C:/Users/玩家/Desktop/config.ini");
        const QString program = QStringLiteral("D:/编辑器/config.ini");
        QTest::newRow("working-directory-wins") << true << true << true << work;
        QTest::newRow("found-beside-program") << false << true << false << program;
        QTest::newRow("new-beside-program-on-windows") << false << false << true << program;
        QTest::newRow("new-in-working-directory") << false << false << false << work;
    }

    void configFilePath()
    {
        QFETCH(bool, inWorkingDirectory);
        QFETCH(bool, besideProgram);
        QFETCH(bool, newBesideProgram);
        QTEST(::configFilePath(QStringLiteral("C:/Users/玩家/Desktop"), QStringLiteral("D:/编辑器"), inWorkingDirectory,
                               besideProgram, newBesideProgram),
              "expected");
    }

    // Qt's own texts (here a standard button's) come from the translation compiled in, whatever the system's
    // language.
    void qtTextsInChinese()
    {
        installQtTranslation();
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    }

    void skillsForArmy_data()
    {
        QTest::addColumn<QString>("armyName");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("shortened-down-to-two-characters") << "长枪骑士团" << QStringList{"99", "100", "101", "330"};
        QTest::newRow("two-characters-is-the-shortest-tried") << "长城守军" << QStringList{};
        QTest::newRow("one-character-name-found") << "盾" << QStringList{"102"};
        QTest::newRow("langge-fixed-list-found-twice")
            << "岚戈枪兵" << QStringList{"301", "306", "306", "307", "307", "308", "308", "309", "309"};
        QTest::newRow("langge-before-xi") << "夕岚戈" << QStringList{"306", "307", "308", "309"};
        QTest::newRow("nian-drops-304-and-305") << "年" << QStringList{"320"};
        QTest::newRow("search-ending-on-two-characters-keeps-305") << "年关大将" << QStringList{"305"};
    }

    void skillsForArmy()
    {
        QFETCH(QString, armyName);
        // 311, on the 岚戈 list, is missing on purpose.
        RecordTable skills;
        const QStringList texts{"99:长枪兵列阵",    "100:长枪兵冲锋", "101:长枪突刺", "102:刀盾兵举盾",
                                "301:岚戈骑兵突袭", "304:夕照年华",   "305:年关夕鼓", "306:岚戈破阵",
                                "307:岚戈回旋",     "308:岚戈铁壁",   "309:岚戈追风", "318:夕阳弓手连射",
                                "320:年兽咆哮",     "330:长枪兵拒马"};
        for (const QString& text : texts)
            skills.insert(text.section(':', 0, 0), {text.section(':', 1), "1", "2"});
        QTEST(::skillsForArmy(armyName, skills), "expected");
    }

    void specialties()
    {
        QCOMPARE(withoutSpecialty("12,2,22,2,", "2"), QStringLiteral("12,22,"));
        QCOMPARE(withoutSpecialty("12,", "12"), QStringLiteral("0,"));
        QCOMPARE(withSpecialty("0,", "7"), QStringLiteral("7,"));
        QCOMPARE(withSpecialty("10,", "7"), QStringLiteral("10,7,"));
        // Lists the game takes without their last comma or with blanks.
        QCOMPARE(withSpecialty("3,12", "7"), QStringLiteral("3,12,7,"));
        QCOMPARE(withoutSpecialty("3, 12,", "12"), QStringLiteral("3,"));
        QCOMPARE(withoutSpecialty("3,12", "12"), QStringLiteral("3,"));
        QVERIFY(!hasRoomForSpecialty("1,2,3,4,5,6,7,8,9,10"));
        QVERIFY(hasRoomForSpecialty("1,2,3,4,5,6,7,8,9,"));
        QVERIFY(!hasRoomForSpecialty("1,2,3,4,5,6,7,8,9,10,"));

        const TextTable texts = {{"100", "剑"}, {"101", "锋利"}, {"102", "条件:拥有铁矿"}};
        const RecordTable items = {{"0", {""}}, {"31", {"A"}}, {"32", {"B"}}};
        const RecordTable catalogue = {{"1", {"100", "101", "33,31,,32,0", "102"}}, {"2", {"900", "901", ""}}};
        QCOMPARE(specialtyRowTexts("1", catalogue, texts, items), QStringList({"1", "剑", "锋利", "A, B", "拥有铁矿"}));
        QCOMPARE(specialtyRowTexts("2", catalogue, texts, items), QStringList({"2", "", "", "", ""}));
    }

    void backgroundCrop_data()
    {
        QTest::addColumn<QSize>("target");
        QTest::addColumn<QRect>("expected");
        // The picture is 1500 x 1000 (3:2).
        QTest::newRow("same-proportions-whole-picture") << QSize(750, 500) << QRect(0, 0, 1500, 1000);
        QTest::newRow("wider-crops-top-and-bottom") << QSize(1366, 768) << QRect(0, 78, 1500, 843);
        QTest::newRow("taller-crops-the-sides") << QSize(700, 700) << QRect(250, 0, 1000, 1000);
        QTest::newRow("empty-target-whole-picture") << QSize(0, 700) << QRect(0, 0, 1500, 1000);
    }

    void backgroundCrop()
    {
        QFETCH(QSize, target);
        QTEST(coveringSourceRect(QSize(1500, 1000), target), "expected");
    }

    void sortableItemsSortNumbersByValue()
    {
        QTableWidget table(7, 1);
        const QStringList texts{"b", "10", "-2", "a", "9", "2x", ""};
        for (int row = 0; row < texts.size(); ++row)
            table.setItem(row, 0, row ? SortableItem(texts.at(row)).clone() : new SortableItem(texts.at(row)));
        table.sortItems(0);
        QCOMPARE(columnTexts(&table, 0), QStringList({"-2", "9", "10", "", "2x", "a", "b"}));
    }
};

QTEST_MAIN(RulesTest)
#include "tst_rules.moc"
