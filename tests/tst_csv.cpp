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
    void writtenBytes();
    void roundTrip_data();
    void roundTrip();
    void read_data();
    void read();
    void refused_data();
    void refused();
    void largeFileRefusedUnread();
};

void TestCsv::writtenBytes()
{
    QCOMPARE(
        writeCsv({{"ID", "兵种"}, {"1", "a,b"}, {"say \"hi\"", " x"}, {""}, {"=1+1", "'@x", "-", "+,", "'a", "1-"}}),
        QByteArray("\xEF\xBB\xBFID,兵种\r\n1,\"a,b\"\r\n\"say \"\"hi\"\"\",\" x\"\r\n\"\"\r\n"
                   "'=1+1,''@x,'-,\"'+,\",'a,1-\r\n"));
}

void TestCsv::roundTrip_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::newRow("army-table") << Rows{{"兵种ID", "兵种", "远程攻击"}, {"1", "轻骑兵", "10"}, {"10", "弓兵", "0"}};
    QTest::newRow("quotes-commas-newlines") << Rows{{"a\"b", "c,d", "e\nf", "g\r\nh", "\"\""}, {"1", "", "", "", "x"}};
    QTest::newRow("blanks-tabs-empty-rows") << Rows{{" lead", "trail ", "in\ttab"}, {""}, {"", ""}, {"last"}};
}

void TestCsv::roundTrip()
{
    QFETCH(Rows, rows);
    QString error;
    QCOMPARE(readCsv(writeCsv(rows), &error), rows);
    QCOMPARE(error, QString());
}

void TestCsv::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");
    const Rows table{{"ID", "兵种"}, {"1", "骑兵"}};
    QTest::newRow("utf8-without-mark-lf") << QByteArray("ID,兵种\n1,骑兵\n") << table;
    QTest::newRow("gbk") << QTextCodec::codecForName("GBK")->fromUnicode("ID,兵种\r\n1,骑兵") << table;
    // Codes that ICU's GBK leaves in the private use area read as the characters Qt's own tables give them.
    QTest::newRow("gbk-codes-of-gb18030-characters")
        << QByteArray("ID,\xCB\xB5\r\n1,\xFE\x50\xA2\xE3") << Rows{{"ID", "说"}, {"1", "\u2E81\u20AC"}};
    QTest::newRow("utf16-with-mark") << QTextCodec::codecForName("UTF-16LE")->fromUnicode("\uFEFFID\t兵种\r\n1\t骑兵")
                                     << table;
    QTest::newRow("utf8-mark-written-twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFID,兵种\n1,骑兵") << table;
    QTest::newRow("utf16-mark-written-twice")
        << QTextCodec::codecForName("UTF-16BE")->fromUnicode("\uFEFF\uFEFFID,兵种\n1,骑兵") << table;
    QTest::newRow("tabs-with-commas-in-fields")
        << QByteArray("a\tb\tc\r\n1,5\t\"x\ty\"\t2\r\n") << Rows{{"a", "b", "c"}, {"1,5", "x\ty", "2"}};
    QTest::newRow("blank-lines-and-cr-ends")
        << QByteArray("a,b\r\r\n\n1,2\r3,4") << Rows{{"a", "b"}, {"1", "2"}, {"3", "4"}};
    QTest::newRow("cr-as-last-byte") << QByteArray("a,b\r1,\"2\"\r") << Rows{{"a", "b"}, {"1", "2"}};
    QTest::newRow("ragged-rows-kept") << QByteArray("a,b,c\n1\n1,2,3,4\n")
                                      << Rows{{"a", "b", "c"}, {"1"}, {"1", "2", "3", "4"}};
    QTest::newRow("quote-inside-unquoted-field") << QByteArray("a\"b,\"c\"d\n") << Rows{{"a\"b", "cd"}};
    QTest::newRow("widest-row") << QByteArray(csvFieldLimit - 1, ',')
                                << Rows{QStringList(QVector<QString>(csvFieldLimit).toList())};
}

void TestCsv::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QString error;
    QCOMPARE(readCsv(bytes, &error), rows);
    QCOMPARE(error, QString());
}

void TestCsv::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray() << "CSV文件是空的";
    QTest::newRow("only-mark-and-blank-lines") << QByteArray("\xEF\xBB\xBF\r\n\r\n") << "CSV文件是空的";
    QTest::newRow("binary") << QByteArray("ID,a\r\n1,\0\x01", 9) << "文件含有二进制数据,不是CSV文件";
    QTest::newRow("byte-outside-gbk") << QByteArray("ID,a\r\n1,\xFF\xFF\r\n") << "文件既不是UTF-8也不是GBK编码的文本";
    QTest::newRow("broken-gbk-pair") << QByteArray("ID,a\r\n1,\x81 \r\n") << "文件既不是UTF-8也不是GBK编码的文本";
    QTest::newRow("unclosed-quote-names-its-line")
        << QByteArray("ID,a\r\n1,\"x\r\ny\"\r\n2,\"open\r\n3,4\r\n") << "第4行的引号没有闭合";
    QTest::newRow("unclosed-quote-at-last-cr") << QByteArray("ID,a\r1,\"x\r") << "第2行的引号没有闭合";
    QTest::newRow("row-too-wide") << "ID,a\r\n" + QByteArray(csvFieldLimit, ',') << "第2行的字段超过10000个,不是表格";
    QTest::newRow("over-the-limit") << QByteArray(int(csvSizeLimit) + 1, 'a')
                                    << "文件太大(超过16 MB),不是表格导出的CSV文件";
}

void TestCsv::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QString message;
    QCOMPARE(readCsv(bytes, &message), Rows());
    QCOMPARE(message, error);
}

// A 100 MB file is refused by its size: it is never read (the sparse file would take seconds to read).
void TestCsv::largeFileRefusedUnread()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("big.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(100 * 1000 * 1000));
    file.close();
    QString message;
    QCOMPARE(readCsvFile(file.fileName(), &message), Rows());
    QCOMPARE(message, QString("文件太大(超过16 MB),不是表格导出的CSV文件"));
    QCOMPARE(readCsvFile(dir.filePath("missing.csv"), &message), Rows());
    QVERIFY(message.startsWith("无法读取文件: "));
}

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
