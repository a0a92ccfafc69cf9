// The editor's small parts: config.ini, id order, which skills an army type gets, city specialty texts, where
// the window opens and how dragging its edges resizes it, the part of the background picture shown, numeric
// sorting of table cells, and Qt's own texts in Chinese.
#include "app/backgroundwindow.h"
#include "app/qttranslation.h"
#include "app/windowplacement.h"
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
        // Lists the game takes without their last comma or with blanks.
        QCOMPARE(withSpecialty("3,12", "7"), QStringLiteral("3,12,7,"));
        QCOMPARE(withoutSpecialty("3, 12,", "12"), QStringLiteral("3,"));
        QCOMPARE(withoutSpecialty("3,12", "12"), QStringLiteral("3,"));
        QVERIFY(!hasRoomForSpecialty("1,2,3,4,5,6,7,8,9,10"));

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

    void initialGeometry_data()
    {
        QTest::addColumn<QVector<QRect>>("screens");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QRect>("remembered");
        QTest::addColumn<QRect>("expected");

        const QRect fullHd(0, 0, 1920, 1040);
        const QRect laptop(1920, 0, 1366, 728);
        QTest::newRow("default-centred") << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect()
                                         << QRect(360, 120, 1200, 800);
        QTest::newRow("laptop-shrinks-to-available-area")
            << QVector<QRect>{QRect(0, 0, 1366, 728)} << QPoint(5, 5) << QRect() << QRect(83, 0, 1200, 728);
        QTest::newRow("cursor-screen-offset-added") << QVector<QRect>{fullHd, QRect(1920, 0, 1280, 984)}
                                                    << QPoint(2500, 500) << QRect() << QRect(1960, 92, 1200, 800);
        QTest::newRow("cursor-on-task-bar-takes-nearest-screen")
            << QVector<QRect>{fullHd, laptop} << QPoint(2000, 750) << QRect() << QRect(2003, 0, 1200, 728);
        QTest::newRow("remembered-kept") << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect(100, 50, 1000, 700)
                                         << QRect(100, 50, 1000, 700);
        QTest::newRow("remembered-on-left-screen-kept")
            << QVector<QRect>{fullHd, QRect(-1280, 0, 1280, 1024)} << QPoint(5, 5) << QRect(-1200, 100, 1000, 700)
            << QRect(-1200, 100, 1000, 700);
        QTest::newRow("remembered-on-missing-screen-centred-at-its-size")
            << QVector<QRect>{fullHd} << QPoint(5, 5) << QRect(2500, 100, 1000, 700) << QRect(460, 170, 1000, 700);
        QTest::newRow("remembered-too-large-shrunk-and-moved-in")
            << QVector<QRect>{laptop} << QPoint(2000, 5) << QRect(2120, 100, 1200, 800) << QRect(2086, 0, 1200, 728);
    }

    void initialGeometry()
    {
        QFETCH(QVector<QRect>, screens);
        QFETCH(QPoint, cursor);
        QFETCH(QRect, remembered);
        QFETCH(QRect, expected);
        QCOMPARE(initialWindowGeometry(screens, cursor, remembered), expected);
    }

    void edgeResize_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("middle-is-no-edge") << QPoint(500, 350) << QPoint(50, 50) << QRect(0, 0, 1000, 700);
        QTest::newRow("left-edge") << QPoint(2, 350) << QPoint(-30, 10) << QRect(-30, 0, 1030, 700);
        QTest::newRow("bottom-right-corner") << QPoint(998, 698) << QPoint(40, 30) << QRect(0, 0, 1040, 730);
        QTest::newRow("top-left-outside-frame") << QPoint(-5, -5) << QPoint(10, 10) << QRect(10, 10, 990, 690);
        QTest::newRow("minimum-holds-right") << QPoint(998, 350) << QPoint(-500, 0) << QRect(0, 0, 800, 700);
        QTest::newRow("minimum-holds-top") << QPoint(500, 1) << QPoint(0, 300) << QRect(0, 100, 1000, 600);
        // The work area reaches from (-100, -50) to (1099, 749).
        QTest::newRow("right-stops-at-work-area") << QPoint(998, 350) << QPoint(300, 0) << QRect(0, 0, 1100, 700);
        QTest::newRow("bottom-stops-at-work-area") << QPoint(500, 698) << QPoint(0, 200) << QRect(0, 0, 1000, 750);
        QTest::newRow("top-left-stops-at-work-area")
            << QPoint(1, 1) << QPoint(-300, -300) << QRect(-100, -50, 1100, 750);
    }

    void edgeResize()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, delta);
        QFETCH(QRect, expected);
        const QRect frame(0, 0, 1000, 700);
        QCOMPARE(
            resizedGeometry(frame, resizeEdgesAt(frame, press, 6), delta, QSize(800, 600), QRect(-100, -50, 1200, 800)),
            expected);
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
