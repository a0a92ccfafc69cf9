#include "gamedata/armytypefile.h"
#include "gamedatatest.h"

#include <QTest>

namespace {

// One record of armytype.txt with the eight values given as "LongAttack ... NeedItemId", blank-separated,
// and other keys between them as the game writes them.
QString army(const QString& type, const QString& values)
{
    const QStringList v = values.split(QLatin1Char(' '));
    return QStringLiteral("{\"Type\":%1,\"Name\":100,\"LongAttack\":%2,\"ShortAttack\":%3,\"LongDefense\":%4,"
                          "\"ShortDefense\":%5,\"Destroy\":%6,\"Speed\":1,\"Range\":%7,\"Cost\":9,"
                          "\"MustCityDesc\":%8,\"NeedItemId\":%9,}")
        .arg(type, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
}

QStringList record(const QString& values)
{
    return QStringList{QStringLiteral("弓兵")} + values.split(QLatin1Char(' '));
}

} // namespace

class TestArmyTypeFile : public QObject
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

void TestArmyTypeFile::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("well-formed") << army("1", "10 5 8 6 1 4 0 0") + "\n"
                                 << "1 -> [弓兵|10|5|8|6|1|4|0|0]";
    QTest::newRow("name-missing-from-language")
        << QString(army("2", "1 2 3 4 5 6 7 8")).replace("\"Name\":100", "\"Name\":999") + "\n"
        << "2 -> [|1|2|3|4|5|6|7|8]";
    QTest::newRow("last-record-of-id-wins")
        << army("1", "1 1 1 1 1 1 1 1") + "\n" + army("1", "2 2 2 2 2 2 2 2") << "1 -> [弓兵|2|2|2|2|2|2|2|2]";
    QTest::newRow("id-prefixes-distinct")
        << army("5", "5 5 5 5 5 5 5 5") + "\n" + army("15", "1 1 1 1 1 1 1 1") + "\n" + army("55", "2 2 2 2 2 2 2 2")
        << "15 -> [弓兵|1|1|1|1|1|1|1|1]\n5 -> [弓兵|5|5|5|5|5|5|5|5]\n"
           "55 -> [弓兵|2|2|2|2|2|2|2|2]";
    // A record lacking NeedItemId is completed from the next one, which is not read on its own.
    QTest::newRow("missing-key-completed-from-next")
        << QString(army("1", "1 1 1 1 1 1 1 1")).replace(",\"NeedItemId\":1", "") + "\n" +
               army("2", "2 2 2 2 2 2 2 2") + "\n" + army("3", "3 3 3 3 3 3 3 3")
        << "1 -> [弓兵|1|1|1|1|1|1|2|2]\n3 -> [弓兵|3|3|3|3|3|3|3|3]";
    QTest::newRow("non-digit-value-completed-from-next")
        << army("1", "-1 1 1 1 1 1 1 1") + "\n" + army("2", "2 2 2 2 2 2 2 2") << "1 -> [弓兵|2|2|2|2|2|2|2|2]";
    QTest::newRow("last-record-incomplete-not-read")
        << army("1", "1 1 1 1 1 1 1 1") + "\n" + QString(army("2", "2 2 2 2 2 2 2 2")).remove("\"Range\":2,")
        << "1 -> [弓兵|1|1|1|1|1|1|1|1]";
    QTest::newRow("blank-after-colon-not-read")
        << QString(army("1", "1 1 1 1 1 1 1 1")).replace("\"Destroy\":", "\"Destroy\": ") << "";
}

void TestArmyTypeFile::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const TextTable language{{QStringLiteral("100"), QStringLiteral("弓兵")}};
    QCOMPARE(dumpTable(parseArmyTypes(text, language)), expected);
}

void TestArmyTypeFile::patch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<RecordTable>("table");
    QTest::addColumn<bool>("needsOnly");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("notFound");
    QTest::addColumn<QStringList>("notWritten");

    const QString three = army("5", "1 1 1 1 1 1 1 1") + "\n" + army("15", "2 2 2 2 2 2 2 2") + "\n" +
                          army("55", "3 3 3 3 3 3 3 3") + "\n";
    const RecordTable five{{"5", record("9 8 7 6 5 4 3 2")}};
    QTest::newRow("all-eight-values") << three << QStringList{"5"} << five << false
                                      << army("5", "9 8 7 6 5 4 3 2") + "\n" + army("15", "2 2 2 2 2 2 2 2") + "\n" +
                                             army("55", "3 3 3 3 3 3 3 3") + "\n"
                                      << QStringList() << QStringList();
    QTest::newRow("needs-only") << three << QStringList{"5"} << five << true
                                << army("5", "1 1 1 1 1 1 3 2") + "\n" + army("15", "2 2 2 2 2 2 2 2") + "\n" +
                                       army("55", "3 3 3 3 3 3 3 3") + "\n"
                                << QStringList() << QStringList();
    QTest::newRow("id-prefix-untouched") << three << QStringList{"15"} << RecordTable{{"15", record("0 0 0 0 0 0 0 0")}}
                                         << false
                                         << army("5", "1 1 1 1 1 1 1 1") + "\n" + army("15", "0 0 0 0 0 0 0 0") + "\n" +
                                                army("55", "3 3 3 3 3 3 3 3") + "\n"
                                         << QStringList() << QStringList();
    QTest::newRow("duplicate-id-both-rewritten")
        << army("5", "1 1 1 1 1 1 1 1") + "\r\n" + army("6", "2 2 2 2 2 2 2 2") + "\r\n" + army("5", "3 3 3 3 3 3 3 3")
        << QStringList{"5"} << five << false
        << army("5", "9 8 7 6 5 4 3 2") + "\r\n" + army("6", "2 2 2 2 2 2 2 2") + "\r\n" + army("5", "9 8 7 6 5 4 3 2")
        << QStringList() << QStringList();
    // Record 1 lacks NeedItemId: the plain pattern would rewrite record 2's values.
    const QString lacking = QString(army("1", "1 1 1 1 1 1 1 1")).replace(",\"NeedItemId\":1", "") + "\n" +
                            army("2", "2 2 2 2 2 2 2 2") + "\n";
    QTest::newRow("cross-record-guard") << lacking << QStringList{"1"} << RecordTable{{"1", record("9 9 9 9 9 9 9 9")}}
                                        << false << lacking << QStringList() << QStringList{"1"};
    QTest::newRow("joined-records-kept-apart")
        << army("1", "1 1 1 1 1 1 1 1").remove(",\"NeedItemId\":1") + army("2", "2 2 2 2 2 2 2 2") + "\n"
        << QStringList{"1", "2"} << RecordTable{{"1", record("7 7 7 7 7 7 7 7")}, {"2", record("8 8 8 8 8 8 8 8")}}
        << false << army("1", "1 1 1 1 1 1 1 1").remove(",\"NeedItemId\":1") + army("2", "8 8 8 8 8 8 8 8") + "\n"
        << QStringList() << QStringList{"1"};
    // The id's key twice on its line: the reader takes the record from the second key, where it is written.
    QTest::newRow("same-id-key-twice-on-line")
        << "{\"Type\":5,\"Name\":100," + army("5", "1 1 1 1 1 1 1 1") + "\n"
        << QStringList{"5"} << five << false << "{\"Type\":5,\"Name\":100," + army("5", "9 8 7 6 5 4 3 2") + "\n"
        << QStringList() << QStringList();
    // The reader shows the first Range of a record; that is the one written.
    QTest::newRow("doubled-key-first-written")
        << QString(army("5", "1 1 1 1 1 1 1 1")).replace("\"Cost\":9,", "\"Range\":6,") << QStringList{"5"} << five
        << false << QString(army("5", "9 8 7 6 5 4 3 2")).replace("\"Cost\":9,", "\"Range\":6,") << QStringList()
        << QStringList();
    QTest::newRow("empty-id-list") << three << QStringList() << five << false << three << QStringList()
                                   << QStringList();
    QTest::newRow("id-not-found") << three << QStringList{"7", "5"}
                                  << RecordTable{{"7", record("1 1 1 1 1 1 1 1")}, {"5", record("1 1 1 1 1 1 1 1")}}
                                  << false << three << QStringList{"7"} << QStringList();
    QTest::newRow("non-digit-value-refused")
        << three << QStringList{"5", "15"}
        << RecordTable{{"5", record("9 8 7 -6 5 4 3 2")}, {"15", record("1 1 1 1 1 1 1 1234567890")}} << false << three
        << QStringList() << QStringList{"5", "15"};
    QTest::newRow("needs-only-ignores-statistics")
        << three << QStringList{"5"} << RecordTable{{"5", record("x x x x x x 0 0")}} << true
        << army("5", "1 1 1 1 1 1 0 0") + "\n" + army("15", "2 2 2 2 2 2 2 2") + "\n" + army("55", "3 3 3 3 3 3 3 3") +
               "\n"
        << QStringList() << QStringList();
    QTest::newRow("id-missing-from-table")
        << three << QStringList{"15"} << five << false << three << QStringList() << QStringList{"15"};
    QTest::newRow("same-values-same-text")
        << three << QStringList{"55"} << RecordTable{{"55", record("3 3 3 3 3 3 3 3")}} << false << three
        << QStringList() << QStringList();
}

void TestArmyTypeFile::patch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, ids);
    QFETCH(RecordTable, table);
    QFETCH(bool, needsOnly);
    QFETCH(QString, expected);
    QFETCH(QStringList, notFound);
    QFETCH(QStringList, notWritten);
    const PatchResult result =
        patchArmyTypes(text, ids, table, needsOnly ? ArmyTypeFields::Needs : ArmyTypeFields::All);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.notFound, notFound);
    QCOMPARE(result.notWritten, notWritten);
}

void TestArmyTypeFile::golden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("utf16");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<RecordTable>("table");
    QTest::addColumn<bool>("needsOnly");
    QTest::newRow("crlf-gbk") << "crlf-gbk" << false << QStringList{"5"}
                              << RecordTable{{"5", record("2 13 4 10 3 1 0 0")}} << false;
    QTest::newRow("utf16le-bom-needs") << "utf16le-bom-needs" << true << QStringList{"1", "55"}
                                       << RecordTable{{"1", record("0 0 0 0 0 0 3005 11")},
                                                      {"55", record("0 0 0 0 0 0 0 0")}}
                                       << true;
}

void TestArmyTypeFile::golden()
{
    QFETCH(QString, name);
    QFETCH(bool, utf16);
    QFETCH(QStringList, ids);
    QFETCH(RecordTable, table);
    QFETCH(bool, needsOnly);
    const QString dir = QStringLiteral(TEST_DATA_DIR "/armytype/") + name;
    const QByteArray input = readFixture(dir + "/input.txt");
    QVERIFY(!input.isEmpty());
    const PatchResult result =
        patchArmyTypes(holdExactly(input, utf16), ids, table, needsOnly ? ArmyTypeFields::Needs : ArmyTypeFields::All);
    QCOMPARE(bytesOf(result.text, utf16), readFixture(dir + "/expected.txt"));
    QCOMPARE(result.unwritten(), QStringList());
}

QTEST_GUILESS_MAIN(TestArmyTypeFile)
#include "tst_armytypefile.moc"
