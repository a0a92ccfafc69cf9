// Which skills an army type gets: the fuzzy name search, the fixed lists and the order of the result.
#include "gamedata/armyskills.h"

#include <QTest>

namespace {

// Skill id -> [text, far range, near range]. 311, a fixed id of the 岚戈 list, is missing on purpose.
RecordTable sampleSkills()
{
    const QList<QPair<QString, QString>> texts = {
        {"99", "长枪兵列阵"},    {"100", "长枪兵冲锋"}, {"101", "长枪突刺"}, {"102", "刀盾兵举盾"},
        {"301", "岚戈骑兵突袭"}, {"304", "夕照年华"},   {"305", "年关夕鼓"}, {"306", "岚戈破阵"},
        {"307", "岚戈回旋"},     {"308", "岚戈铁壁"},   {"309", "岚戈追风"}, {"318", "夕阳弓手连射"},
        {"320", "年兽咆哮"},     {"330", "长枪兵拒马"},
    };
    RecordTable skills;
    for (const auto& text : texts)
        skills.insert(text.first, {text.second, QStringLiteral("1"), QStringLiteral("2")});
    return skills;
}

} // namespace

class ArmySkillsTest : public QObject
{
    Q_OBJECT

private slots:
    void skillsForArmy_data();
    void skillsForArmy();
};

void ArmySkillsTest::skillsForArmy_data()
{
    QTest::addColumn<QString>("armyName");
    QTest::addColumn<QStringList>("expected");

    // The text search alone.
    QTest::newRow("full-name-in-numeric-order") << "长枪兵" << QStringList{"99", "100", "330"};
    QTest::newRow("one-character-shorter") << "长枪兵王" << QStringList{"99", "100", "330"};
    QTest::newRow("shortened-down-to-two-characters") << "长枪骑士团" << QStringList{"99", "100", "101", "330"};
    QTest::newRow("two-characters-is-the-shortest-tried") << "长城守军" << QStringList{};
    QTest::newRow("no-match-at-all") << "水军" << QStringList{};
    QTest::newRow("one-character-name-found") << "盾" << QStringList{"102"};
    QTest::newRow("one-character-name-not-shortened-further") << "龙" << QStringList{};
    QTest::newRow("empty-name-matches-every-skill")
        << ""
        << QStringList{"99", "100", "101", "102", "301", "304", "305", "306", "307", "308", "309", "318", "320", "330"};

    // Fixed lists on top of the search; 311 is not in the skill table and stays out.
    QTest::newRow("langge-fixed-list-and-full-name") << "岚戈骑兵" << QStringList{"301", "306", "307", "308", "309"};
    QTest::newRow("langge-ids-found-twice")
        << "岚戈枪兵" << QStringList{"301", "306", "306", "307", "307", "308", "308", "309", "309"};
    QTest::newRow("langge-list-alone-when-nothing-matches") << "水师岚戈" << QStringList{"306", "307", "308", "309"};
    QTest::newRow("langge-takes-precedence-over-xi") << "夕岚戈" << QStringList{"306", "307", "308", "309"};
    QTest::newRow("xi-fixed-list-and-full-name") << "夕阳弓手" << QStringList{"304", "305", "318"};
    QTest::newRow("xi-search-ending-on-xi-keeps-fixed-list") << "夕年" << QStringList{"304", "305"};

    // A search that ends on 年 drops 304 and 305, wherever they came from.
    QTest::newRow("nian-found-in-304-and-305") << "年" << QStringList{"320"};
    QTest::newRow("nian-xi-two-characters-empties-the-table") << "年夕" << QStringList{};
    QTest::newRow("search-ending-on-two-characters-keeps-305") << "年关大将" << QStringList{"305"};
}

void ArmySkillsTest::skillsForArmy()
{
    QFETCH(QString, armyName);
    QFETCH(QStringList, expected);
    QCOMPARE(::skillsForArmy(armyName, sampleSkills()), expected);
}

QTEST_GUILESS_MAIN(ArmySkillsTest)
#include "tst_armyskills.moc"
