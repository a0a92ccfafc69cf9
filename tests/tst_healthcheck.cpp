#include "document/gamehealth.h"
#include "gamedata/healthcheck.h"
#include "tablesupport.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QDialog>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

Q_DECLARE_METATYPE(GameFileKind)

namespace {

const QByteArray armyLine = R"({"Type":%1,"Name":1,"LongAttack":1,"ShortAttack":2,"LongDefense":3,"ShortDefense":4,)"
                            R"("Destroy":5,"Range":%2,"MustCityDesc":0,"NeedItemId":%3,"Icon":3},)";

QString army(const QString& id, const QString& range = QStringLiteral("1"), const QString& item = QStringLiteral("0"))
{
    return QString::fromUtf8(armyLine).arg(id, range, item) + QLatin1Char('\n');
}

QString skill(const QString& id, const QString& far, const QString& temp = QStringLiteral("x"))
{
    return QStringLiteral(R"({"ID":%1,"Temp":"%2","Name":5,"SkillPoint":1,"FarRange":%3,"NearRange":1,"Cd":2},)")
               .arg(id, temp, far) +
           QLatin1Char('\n');
}

QString element(const QString& id, const QString& a9 = QStringLiteral("5"))
{
    return QStringLiteral(R"(<armytype a0="%1" a1="x" a4="1" a5="2" a6="3" a7="4" a8="5" a9="%2" a10="1" a11="0" />)")
               .arg(id, a9) +
           QLatin1Char('\n');
}

QStringList lines(const QVector<HealthFinding>& findings)
{
    QStringList out;
    for (const HealthFinding& finding : findings)
        out += findingLine(finding);
    return out;
}

} // namespace

class HealthCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void findsInOneFile_data();
    void findsInOneFile();
    void findsMissingReferences();
    void checksTheGameOnDisk();
    void commandLine_data();
    void commandLine();
    void windowListsSavesAndShows();
};

void HealthCheckTest::findsInOneFile_data()
{
    QTest::addColumn<GameFileKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const auto row = [](const char* name, GameFileKind kind, const QString& text, const QStringList& expected) {
        QTest::newRow(name) << kind << text << expected;
    };
    const GameFileKind armyTypes = GameFileKind::ArmyTypes;
    row("sound-records", armyTypes, army("1") + army("2"), {});
    row("missing-key-completed-by-next", armyTypes, army("1").remove(QStringLiteral(R"("Range":1,)")) + army("2"),
        {"f:1: 1: 这条记录不完整（缺少 Range（键名不对或没有这个键）），游戏从后面的记录补全它的值，直到第 2 行",
         "f:2: 2: 这条记录被第 1 行的记录 1 吞并：它的值归 1，它本身不被读取"});
    row("negative-last-record", armyTypes, army("1") + army("2", "-1"),
        {"f:2: 2: 游戏不读取这条记录：Range 的值为负数: -1"});
    row("quoted-value", armyTypes, army("1", "\"1\""), {"f:1: 1: 游戏不读取这条记录：Range 的值带引号: \"1\""});
    row("blank-in-value", armyTypes, army("1", " 1"), {"f:1: 1: 游戏不读取这条记录：Range 的值含空格:  1"});
    row("cut-last-record", armyTypes, army("1") + army("2").left(40),
        {"f:2: 2: 游戏不读取这条记录：缺少 ShortAttack（键名不对或没有这个键）"});
    row("duplicate-id", armyTypes, army("3") + army("1") + army("3"),
        {"f:1: 3: id 重复：第 3 行的记录生效，这里的值不被使用"});
    row("leading-zero", armyTypes, army("07"), {"f:1: 07: id 有前导零，游戏把它当作与 7 不同的 id"});
    row("other-script-digits", armyTypes, army(QStringLiteral("١٢")),
        {"f:1: ١٢: id 含其他文字的数字，游戏把它当作另一个 id"});
    row("item-zero", GameFileKind::Items, QStringLiteral("{\"ID\":0,\"Name\":1,},\n{\"ID\":5,\"Name\":2,},\n"),
        {"f:1: 0: 物品 id 0 替换了游戏内置的空物品"});
    row("skill-range-above-seven", GameFileKind::Skills, skill("1", "7") + skill("2", "8"),
        {"f:2: 2: FarRange 为 8，大于 7，游戏不接受"});
    row("slot-fillers-are-no-duplicates", GameFileKind::Skills,
        skill("1", "1", "占个格子") + skill("1", "1", "占个格子") + skill("1", "2"), {});
    row("specialty-without-final-line-feed", GameFileKind::CitySpecialties,
        QStringLiteral(R"({"ID":1,"NAME":2,"T":1,"Specialty":"","L":2,"EffectDesc":3,"ConditionDesc":4)"),
        {"f:1: 1: 游戏不读取这条记录：ConditionDesc 的值后面直到文件末尾再无字符（最后一行缺少换行符）: 4"});
    row("city-without-name", GameFileKind::Cities,
        QStringLiteral("{\"ID\":1,\"Temp\":\"\",\"specialattributes\":\"0,\",},\n"),
        {"f:1: 1: 游戏不读取这条记录：Temp 的值为空"});
    row("stage-element-in-comment", GameFileKind::Stage, "<!--\n" + element("4") + "-->\n" + element("5"),
        {"f:2: 4: 这条记录在注释里，游戏仍然读取它"});
    row("stage-element-swallowed", GameFileKind::Stage, element("4", "-5") + element("6"),
        {"f:1: 4: 这条记录不完整（a9 的值为负数: -5），游戏从后面的记录补全它的值，直到第 2 行",
         "f:2: 6: 这条记录被第 1 行的记录 4 吞并：它的值归 4，它本身不被读取"});
    row("stage-quoted-value", GameFileKind::Stage, element("4", "\"5\""),
        {"f:1: 4: 游戏不读取这条记录：a9 的值带引号: \"5\""});
    row("stage-quoted-id", GameFileKind::Stage, element("\"6\""),
        {"f:1: \"6\": 游戏不读取这条记录：a0 的值带引号: \"6\""});
    row("stage-comment-not-read", GameFileKind::Stage, "<!-- " + element("4", "x") + " -->\n", {});
    row("language-comment-and-cut-line", GameFileKind::Language, QStringLiteral("1:a\n// 2:note\n3:b"),
        {"f:2: 2: 注释行定义了这个 id，游戏仍然读取它", "f:3: 3: 最后一行缺少换行符，游戏不读取它"});
    row("language-leading-zero", GameFileKind::Language, QStringLiteral("07:a\n10:b\n"),
        {"f:1: 07: id 有前导零，游戏把它当作与 7 不同的 id"});
    row("language-references", GameFileKind::Language, QStringLiteral("1:^2\n2:^1\n3:^9\n4:^3\n5:x\n5:y\n"),
        {"f:1: 1: 引用成环：1 → 2 → 1", "f:2: 2: 引用成环：2 → 1 → 2", "f:3: 3: 引用的 id 9 不存在，游戏显示空文本",
         "f:5: 5: id 重复：第 6 行的文本生效"});
}

void HealthCheckTest::findsInOneFile()
{
    QFETCH(GameFileKind, kind);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(lines(checkGameFiles({{kind, QStringLiteral("f"), text}})), expected);
}

void HealthCheckTest::findsMissingReferences()
{
    const QVector<GameFileText> files{
        {GameFileKind::Items, QStringLiteral("items"), QStringLiteral("{\"ID\":2001,\"Name\":1,},\n")},
        {GameFileKind::ArmyTypes, QStringLiteral("army"), army("1", "1", "2001") + army("2", "1", "2002") + army("3")},
        {GameFileKind::CitySpecialties, QStringLiteral("spc"),
         QStringLiteral(R"({"ID":3,"NAME":2,"T":1,"Specialty":"2001,2005,","L":2,"EffectDesc":3,"ConditionDesc":4},)"
                        "\n")},
        {GameFileKind::Cities, QStringLiteral("city"),
         QStringLiteral("{\"ID\":1,\"Temp\":\"a\",\"specialattributes\":\"3,4,\",},\n")},
        {GameFileKind::Stage, QStringLiteral("stage"), element("1") + element("9")}};
    QCOMPARE(lines(checkGameFiles(files)),
             QStringList({"army:2: 2: 所需物品 2002 不存在", "spc:1: 3: 产出物品 2005 不存在",
                          "city:1: 1: 城市特性 4 不存在", "stage:2: 9: 剧本声明的兵种在 armytype.txt 中不存在"}));
}

namespace {

// What the bundled sample game holds on purpose: a reference to a missing text and a range the game rejects.
const QStringList sampleFindings{"config/language/language_cn.txt:145: 4120: 引用的 id 9999 不存在，游戏显示空文本",
                                 "config/battlefield/skill.txt:21: 317: FarRange 为 8，大于 7，游戏不接受"};

void replaceInFile(const QString& path, const QByteArray& before, const QByteArray& after)
{
    QVERIFY(TestSupport::writeBytes(path, TestSupport::readBytes(path).replace(before, after)));
}

} // namespace

void HealthCheckTest::checksTheGameOnDisk()
{
    TestSupport::GameCopy game;
    QCOMPARE(lines(checkGameDirectory(game.gamePath()).value()), sampleFindings);
    replaceInFile(game.gameFile(QStringLiteral("config/army/armytype.txt")), "\"Type\":2,", "\"Type\":\"2\",");
    QCOMPARE(lines(checkGameDirectory(game.gamePath()).value()).value(1),
             QStringLiteral("config/army/armytype.txt:2: \"2\": 游戏不读取这条记录：Type 的值带引号: \"2\""));
    QVERIFY(QFile::remove(game.gameFile(QStringLiteral("config/battlefield/skill.txt"))));
    QVERIFY(!checkGameDirectory(game.gamePath()));
}

void HealthCheckTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("repaired");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("output");
    QTest::newRow("sound-game-from-config") << QStringList{"--check"} << true << 0 << QStringList();
    QTest::newRow("findings") << QStringList{"--game", "游戏", "--check"} << false << 1 << sampleFindings;
    QTest::newRow("no-game") << QStringList{"--check", "--game", "nowhere"} << false << 2 << QStringList();
    QTest::newRow("wrong-argument") << QStringList{"--check", "--games"} << false << 2 << QStringList();
}

void HealthCheckTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, repaired);
    QFETCH(int, status);
    QFETCH(QStringList, output);
    TestSupport::GameCopy game;
    if (repaired) {
        replaceInFile(game.gameFile(QStringLiteral("config/language/language_cn.txt")), "4120:^9999", "4120:x");
        replaceInFile(game.gameFile(QStringLiteral("config/battlefield/skill.txt")), "\"FarRange\":8",
                      "\"FarRange\":7");
    }
    QProcess editor;
    editor.start(QStringLiteral(EDITOR_EXECUTABLE), arguments);
    QVERIFY(editor.waitForFinished(20000));
    QCOMPARE(editor.exitCode(), status);
    // A Windows console program ends its lines as Windows text does.
#ifdef Q_OS_WIN
    const QString lineEnd = QStringLiteral("\r\n");
#else
    const QString lineEnd = QStringLiteral("\n");
#endif
    QCOMPARE(QString::fromUtf8(editor.readAllStandardOutput()).split(lineEnd, Qt::SkipEmptyParts), output);
}

void HealthCheckTest::windowListsSavesAndShows()
{
    TestSupport::GameCopy game;
    TestSupport::Editor editor;
    MainWindow* w = editor.window.get();
    w->show();
    QCOMPARE(editor.document.openStory(0), GameDocument::StoryOpen::Done);
    TestSupport::child<QAction>(w, "dataCheckAction")->trigger();
    auto* dialog = TestSupport::child<QDialog>(w, "dataCheckDialog");
    QVERIFY(dialog && dialog->isVisible());
    QTableWidget* table = TestSupport::child(dialog, "dataCheckTable");
    QCOMPARE(table->rowCount(), sampleFindings.size());

    const QString report = game.path(QStringLiteral("report.txt"));
    Prompts::setTextSavePicker([&](QWidget*, const QString&) { return report; });
    QTest::mouseClick(TestSupport::child<QPushButton>(dialog, "dataCheckSaveButton"), Qt::LeftButton);
    Prompts::setTextSavePicker({});
    QCOMPARE(QString::fromUtf8(TestSupport::readBytes(report)), sampleFindings.join(QLatin1Char('\n')) + "\n");

    // The skill's row leads to the skill, among the skills of an army type that has it.
    emit table->cellActivated(1, 0);
    auto* tabs = TestSupport::child<QTabWidget>(w, "tabWidget");
    QVERIFY(tabs->isVisible());
    QTableWidget* skills = TestSupport::child(w, "armySkillTable");
    QVERIFY(skills->currentItem());
    QCOMPARE(skills->item(skills->currentRow(), 0)->text(), QStringLiteral("317"));
}

QTEST_MAIN(HealthCheckTest)
#include "tst_healthcheck.moc"
