#include "gamedata/stagefile.h"
#include "gamedatatest.h"

#include <QTest>

namespace {

// An armytype element with a4..a11 given blank-separated; `tail` closes it.
QString element(const QString& id, const QString& values, const QString& tail = QStringLiteral("/>"))
{
    const QStringList v = values.split(QLatin1Char(' '));
    return QStringLiteral("<armytype a0=\"%1\" a1=\"兵\" a2=\"1\" a3=\"2\" a4=\"%2\" a5=\"%3\" a6=\"%4\" a7=\"%5\" "
                          "a8=\"%6\" a9=\"%7\" a10=\"%8\" a11=\"%9\"")
               .arg(id, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]) +
           tail;
}

QStringList record(const QString& values)
{
    return QStringList{QStringLiteral("骑兵")} + values.split(QLatin1Char(' '));
}

} // namespace

class TestStageFile : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void patch_data();
    void patch();
    void golden_data();
    void golden();
};

void TestStageFile::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("six-values") << element("5", "1 2 3 4 5 6 7 8") << "5 -> [1|2|3|4|5|7]";
    QTest::newRow("last-element-of-id-wins")
        << element("5", "1 1 1 1 1 1 1 1") + "\n" + element("5", "2 2 2 2 2 2 2 2") << "5 -> [2|2|2|2|2|2]";
    // Without its own run, the element takes the next one's; the next element is not read on its own.
    QTest::newRow("differently-spaced-takes-next")
        << QString(element("1", "1 1 1 1 1 1 1 1")).replace("a5=", " a5=") + "\n" + element("2", "2 2 2 2 2 2 2 2") +
               "\n" + element("3", "3 3 3 3 3 3 3 3")
        << "1 -> [2|2|2|2|2|2]\n3 -> [3|3|3|3|3|3]";
    QTest::newRow("negative-value-not-read") << element("1", "-1 1 1 1 1 1 1 1") << "";
    QTest::newRow("a9-must-be-digits") << element("1", "1 1 1 1 1 x 1 1") << "";
    QTest::newRow("needs-closing-after-run") << element("1", "1 1 1 1 1 1 1 1", ">") << "";
    QTest::newRow("closing-of-later-element-counts")
        << element("1", "1 1 1 1 1 1 1 1", "></armytype>\n<city/>") << "1 -> [1|1|1|1|1|1]";
}

void TestStageFile::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dumpTable(parseStageStatistics(text)), expected);
}

void TestStageFile::patch_data()
{
    addPatchColumns();

    const QString stage = "<stage>\n" + element("5", "1 1 1 1 1 1 1 1") + "\n" + element("15", "2 2 2 2 2 2 2 2") +
                          "\n" + element("5", "3 3 3 3 3 3 3 3") + "\n</stage>";
    const RecordTable five{{"5", record("9 8 7 6 5 4 0 0")}};
    QTest::newRow("duplicate-id-both-rewritten-a9-a11-kept")
        << stage << QStringList{"5"} << five
        << "<stage>\n" + element("5", "9 8 7 6 5 1 4 1") + "\n" + element("15", "2 2 2 2 2 2 2 2") + "\n" +
               element("5", "9 8 7 6 5 3 4 3") + "\n</stage>"
        << QStringList() << QStringList();
    QTest::newRow("id-not-in-stage-not-found")
        << stage << QStringList{"55", "15"}
        << RecordTable{{"55", record("1 1 1 1 1 1 0 0")}, {"15", record("4 4 4 4 4 4 0 0")}}
        << "<stage>\n" + element("5", "1 1 1 1 1 1 1 1") + "\n" + element("15", "4 4 4 4 4 2 4 2") + "\n" +
               element("5", "3 3 3 3 3 3 3 3") + "\n</stage>"
        << QStringList{"55"} << QStringList();
    // Element 1 has no run of its own; the plain pattern would write element 2's values.
    const QString spaced =
        QString(element("1", "1 1 1 1 1 1 1 1")).replace("a5=", " a5=") + "\n" + element("2", "2 2 2 2 2 2 2 2") + "\n";
    QTest::newRow("cross-element-guard") << spaced << QStringList{"1"} << RecordTable{{"1", record("9 9 9 9 9 9 0 0")}}
                                         << spaced << QStringList() << QStringList{"1"};
    // With nothing behind it to complete the pattern, the element declares no values: found nowhere.
    const QString lone =
        element("2", "2 2 2 2 2 2 2 2") + "\n" + QString(element("1", "1 1 1 1 1 1 1 1")).replace("a5=", " a5=");
    QTest::newRow("unmatched-element-not-found")
        << lone << QStringList{"1"} << RecordTable{{"1", record("9 9 9 9 9 9 0 0")}} << lone << QStringList{"1"}
        << QStringList();
    QTest::newRow("open-element-written")
        << element("1", "1 1 1 1 1 1 1 1", "><x/></armytype>") << QStringList{"1"}
        << RecordTable{{"1", record("2 2 2 2 2 2 0 0")}} << element("1", "2 2 2 2 2 1 2 1", "><x/></armytype>")
        << QStringList() << QStringList();
    QTest::newRow("non-digit-value-refused")
        << stage << QStringList{"5"} << RecordTable{{"5", record("1 2 3 4 5 ６ 0 0")}} << stage << QStringList()
        << QStringList{"5"};
    QTest::newRow("empty-id-list") << stage << QStringList() << five << stage << QStringList() << QStringList();
}

void TestStageFile::patch()
{
    comparePatch(patchStage);
}

void TestStageFile::golden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("utf16");
    QTest::newRow("crlf-utf8-bom") << "crlf-utf8-bom" << false;
    QTest::newRow("utf16le-bom") << "utf16le-bom" << true;
}

// Both elements of army type 5 get the six values; 15 and everything else keep every byte. 99 has no
// element, so its values go to armytype.txt.
void TestStageFile::golden()
{
    QFETCH(QString, name);
    QFETCH(bool, utf16);
    const QString dir = QStringLiteral(TEST_DATA_DIR "/stage/") + name;
    const QByteArray input = readFixture(dir + "/input.xml");
    QVERIFY(!input.isEmpty());
    const PatchResult result = patchStage(holdExactly(input, utf16), {"5", "99"},
                                          {{"5", record("2 13 4 10 3 2 0 0")}, {"99", record("1 1 1 1 1 1 0 0")}});
    QCOMPARE(bytesOf(result.text, utf16), readFixture(dir + "/expected.xml"));
    QCOMPARE(result.notFound, QStringList{"99"});
    QCOMPARE(result.notWritten, QStringList());
}

QTEST_GUILESS_MAIN(TestStageFile)
#include "tst_stagefile.moc"
