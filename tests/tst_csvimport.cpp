#include "gamedata/csvimport.h"

#include <QTemporaryDir>
#include <QTest>

using Rows = QList<QStringList>;

class TestCsvImport : public QObject
{
    Q_OBJECT

private slots:
    void match_data();
    void match();
    void fileLines();
};

// Changes as "row id label old→new", problems as "row text", warnings marked "row ! text".
void TestCsvImport::match_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("problems");
    const QStringList header{"ID", "名称", "攻击", "防御"};
    QTest::newRow("only-differing-values")
        << Rows{header, {"1", "甲", "10", "25"}, {"2", "乙", " 031 ", "40"}, {"", "", "", ""}}
        << QStringList{"2 1 防御 20→25", "3 2 攻击 30→31"} << QStringList{};
    QTest::newRow("columns-in-any-order-and-subset")
        << Rows{{"防御", "ID"}, {"21", "1"}} << QStringList{"2 1 防御 20→21"} << QStringList{};
    QTest::newRow("bad-rows-change-nothing")
        << Rows{header,
                {"9", "丙", "1", "1"},
                {"", "甲", "1", "1"},
                {"1", "甲", "11"},
                {"2", "乙", "31", "41"},
                {"2", "乙", "32", "42"}}
        << QStringList{"5 2 攻击 30→31", "5 2 防御 40→41"}
        << QStringList{"2 没有ID为“9”的记录,整行被忽略", "3 此行没有ID,整行被忽略",
                       "4 此行有3个字段,表头有4个,整行被忽略", "6 ID“2”已在第5行出现,此行被忽略"};
    QTest::newRow("bad-cells-left-out") << Rows{header,
                                                {"1", "甲", "-1", "1000000000"},
                                                {"2", "乙", "1.5", "999999999"}}
                                        << QStringList{"3 2 防御 40→999999999"}
                                        << QStringList{"2 “攻击”列的“-1”不是0到999999999之间的整数",
                                                       "2 “防御”列的“1000000000”不是0到999999999之间的整数",
                                                       "3 “攻击”列的“1.5”不是0到999999999之间的整数"};
    QTest::newRow("unknown-and-doubled-columns")
        << Rows{{"ID", "备注", "攻击", "攻击"}, {"1", "x", "11", "12"}} << QStringList{"2 1 攻击 10→11"}
        << QStringList{"1 表格中没有“备注”列,此列被忽略", "1 “攻击”列出现了不止一次,只用第一个"};
    QTest::newRow("other-name-warns-and-applies")
        << Rows{header, {"1", "丁", "11", "20"}} << QStringList{"2 1 攻击 10→11"}
        << QStringList{"2 ! 名称“丁”与记录中的“甲”不同"};
    // An export puts an apostrophe before a text that a spreadsheet would run as a formula.
    QTest::newRow("formula-guard-not-a-difference")
        << Rows{header, {"3", "'-丙", "50", "60"}, {"1", "'甲", "10", "20"}, {"2", "''=乙", "30", "40"}}
        << QStringList{} << QStringList{"3 ! 名称“'甲”与记录中的“甲”不同", "4 ! 名称“'=乙”与记录中的“乙”不同"};
    QTest::newRow("read-only-column-never-changes") << Rows{{"ID", "说明", "攻击"}, {"1", "新", "10"}} << QStringList{}
                                                    << QStringList{"2 ! “说明”列是只读的,其修改被忽略"};
    const QStringList refused{"此CSV文件不属于这个表格(表头与表格的列不符)"};
    QTest::newRow("no-id-column") << Rows{{"名称", "攻击"}, {"甲", "1"}} << QStringList{} << refused;
    QTest::newRow("no-number-column") << Rows{{"ID", "城市"}, {"1", "x"}} << QStringList{} << refused;
}

void TestCsvImport::match()
{
    QFETCH(Rows, rows);
    QFETCH(QStringList, changes);
    QFETCH(QStringList, problems);
    const TableShape shape{{"ID", "名称", "攻击", "防御", "说明"}, 0, 1, {2, 3}};
    const QHash<QString, QStringList> records{{"1", {"1", "甲", "10", "20", "旧"}},
                                              {"2", {"2", "乙", "30", "40", "旧"}},
                                              {"3", {"3", "-丙", "50", "60", "旧"}}};
    const ImportMatch match = matchImport(rows, shape, records);
    QStringList foundChanges;
    for (const CellChange& c : match.changes)
        foundChanges << QString("%1 %2 %3 %4→%5").arg(c.row).arg(c.id, c.label, c.oldValue, c.newValue);
    QStringList foundProblems;
    for (const ImportProblem& p : match.problems)
        foundProblems << QString("%1 %2%3").arg(p.row).arg(p.warning ? "! " : "", p.text);
    if (!match.refusal.isEmpty())
        foundProblems << match.refusal;
    QCOMPARE(foundChanges, changes);
    QCOMPARE(foundProblems, problems);
}

// Rows are named by the line of the file they begin on, as an editor shows the file: blank lines count, and so
// do the line breaks inside a quoted field.
void TestCsvImport::fileLines()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("a.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("ID,名称,攻击\r\n\r\n\n9,丙,1\r\n\"2\",\"乙\r\n\",31\r\n1\r\n");
    file.close();
    const TableShape shape{{"ID", "名称", "攻击"}, 0, 1, {2}};
    QString error;
    const ImportMatch match = matchImportFile(file.fileName(), shape, {{"2", {"2", "乙", "30"}}}, &error);
    QCOMPARE(error, QString());
    QCOMPARE(match.changes.value(0).row, 5);
    QStringList problems;
    for (const ImportProblem& p : match.problems)
        problems << QString("%1 %2").arg(p.row).arg(p.text);
    QCOMPARE(problems, QStringList({"4 没有ID为“9”的记录,整行被忽略", "7 此行有1个字段,表头有3个,整行被忽略"}));
}

QTEST_GUILESS_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
