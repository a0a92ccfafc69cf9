#include "gamedata/csvimport.h"
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

using Rows = QList<QStringList>;

class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes()
    {
        QCOMPARE(
            writeCsv(
                {{"ID", "兵种"}, {"1", "a,b"}, {"say \"hi\"", " x"}, {""}, {"=1+1", "'@x", "-", "+,", "'a", "1-"}}),
            QByteArray("\xEF\xBB\xBFID,兵种\r\n1,\"a,b\"\r\n\"say \"\"hi\"\"\",\" x\"\r\n\"\"\r\n"
                       "'=1+1,''@x,'-,\"'+,\",'a,1-\r\n"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::newRow("army-table") << Rows{{"兵种ID", "兵种", "远程攻击"}, {"1", "轻骑兵", "10"}, {"10", "弓兵", "0"}};
        QTest::newRow("quotes-commas-newlines")
            << Rows{{"a\"b", "c,d", "e\nf", "g\r\nh", "\"\""}, {"1", "", "", "", "x"}};
        QTest::newRow("blanks-tabs-empty-rows") << Rows{{" lead", "trail ", "in\ttab"}, {""}, {"", ""}, {"last"}};
    }

    void roundTrip()
    {
        QFETCH(Rows, rows);
        QString error;
        QCOMPARE(readCsv(writeCsv(rows), &error), rows);
        QCOMPARE(error, QString());
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Rows>("rows");
        const Rows table{{"ID", "兵种"}, {"1", "骑兵"}};
        QTest::newRow("utf8-without-mark-lf") << QByteArray("ID,兵种\n1,骑兵\n") << table;
        QTest::newRow("gbk") << QTextCodec::codecForName("GBK")->fromUnicode("ID,兵种\r\n1,骑兵") << table;
        // Codes that ICU's GBK leaves in the private use area read as the characters Qt's own tables give them.
        QTest::newRow("gbk-codes-of-gb18030-characters")
            << QByteArray("ID,\xCB\xB5\r\n1,\xFE\x50\xA2\xE3") << Rows{{"ID", "说"}, {"1", "\u2E81\u20AC"}};
        QTest::newRow("utf16-with-mark")
            << QTextCodec::codecForName("UTF-16LE")->fromUnicode("\uFEFFID\t兵种\r\n1\t骑兵") << table;
        QTest::newRow("utf8-mark-written-twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFID,兵种\n1,骑兵") << table;
        QTest::newRow("utf16-mark-written-twice")
            << QTextCodec::codecForName("UTF-16BE")->fromUnicode("\uFEFF\uFEFFID,兵种\n1,骑兵") << table;
        QTest::newRow("tabs-with-commas-in-fields")
            << QByteArray("a\tb\tc\r\n1,5\t\"x\ty\"\t2\r\n") << Rows{{"a", "b", "c"}, {"1,5", "x\ty", "2"}};
        QTest::newRow("blank-lines-and-cr-ends")
            << QByteArray("a,b\r\r\n\n1,2\r3,4") << Rows{{"a", "b"}, {"1", "2"}, {"3", "4"}};
        QTest::newRow("cr-as-last-byte") << QByteArray("a,b\r1,\"2\"\r") << Rows{{"a", "b"}, {"1", "2"}};
        QTest::newRow("ragged-rows-kept")
            << QByteArray("a,b,c\n1\n1,2,3,4\n") << Rows{{"a", "b", "c"}, {"1"}, {"1", "2", "3", "4"}};
        QTest::newRow("quote-inside-unquoted-field") << QByteArray("a\"b,\"c\"d\n") << Rows{{"a\"b", "cd"}};
        QTest::newRow("widest-row") << QByteArray(csvFieldLimit - 1, ',')
                                    << Rows{QStringList(QVector<QString>(csvFieldLimit).toList())};
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Rows, rows);
        QString error;
        QCOMPARE(readCsv(bytes, &error), rows);
        QCOMPARE(error, QString());
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << "CSV文件是空的";
        QTest::newRow("only-mark-and-blank-lines") << QByteArray("\xEF\xBB\xBF\r\n\r\n") << "CSV文件是空的";
        QTest::newRow("binary") << QByteArray("ID,a\r\n1,\0\x01", 9) << "文件含有二进制数据,不是CSV文件";
        QTest::newRow("byte-outside-gbk")
            << QByteArray("ID,a\r\n1,\xFF\xFF\r\n") << "文件既不是UTF-8也不是GBK编码的文本";
        QTest::newRow("broken-gbk-pair") << QByteArray("ID,a\r\n1,\x81 \r\n") << "文件既不是UTF-8也不是GBK编码的文本";
        QTest::newRow("unclosed-quote-names-its-line")
            << QByteArray("ID,a\r\n1,\"x\r\ny\"\r\n2,\"open\r\n3,4\r\n") << "第4行的引号没有闭合";
        QTest::newRow("unclosed-quote-at-last-cr") << QByteArray("ID,a\r1,\"x\r") << "第2行的引号没有闭合";
        QTest::newRow("row-too-wide") << "ID,a\r\n" + QByteArray(csvFieldLimit, ',')
                                      << "第2行的字段超过10000个,不是表格";
        QTest::newRow("over-the-limit") << QByteArray(int(csvSizeLimit) + 1, 'a')
                                        << "文件太大(超过16 MB),不是表格导出的CSV文件";
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QString message;
        QCOMPARE(readCsv(bytes, &message), Rows());
        QCOMPARE(message, error);
    }

    // Changes as "row id label old→new", problems as "row text", warnings marked "row ! text".
    void match_data()
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
        QTest::newRow("bad-cells-left-out")
            << Rows{header, {"1", "甲", "-1", "1000000000"}, {"2", "乙", "1.5", "999999999"}}
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
        QTest::newRow("read-only-column-never-changes")
            << Rows{{"ID", "说明", "攻击"}, {"1", "新", "10"}} << QStringList{}
            << QStringList{"2 ! “说明”列是只读的,其修改被忽略"};
        const QStringList refused{"此CSV文件不属于这个表格(表头与表格的列不符)"};
        QTest::newRow("no-id-column") << Rows{{"名称", "攻击"}, {"甲", "1"}} << QStringList{} << refused;
        QTest::newRow("no-number-column") << Rows{{"ID", "城市"}, {"1", "x"}} << QStringList{} << refused;
    }

    void match()
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
    void fileLines()
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
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
