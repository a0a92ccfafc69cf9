#include "gamedata/cityfile.h"
#include "gamedatatest.h"

#include <QTest>

namespace {

QString city(const QString& id, const QString& name, const QString& attributes)
{
    return QStringLiteral("{\"ID\":%1,\"Temp\":\"%2\",\"Pos\":3,\"specialattributes\":\"%3\",\"Level\":1}")
        .arg(id, name, attributes);
}

QString specialty(const QString& id, const QString& products, const QString& end = QStringLiteral("}"))
{
    return QStringLiteral("{\"ID\":%1,\"NAME\":100,\"Icon\":4,\"Specialty\":\"%2\",\"Cost\":5,\"EffectDesc\":101,"
                          "\"ConditionDesc\":102")
               .arg(id, products) +
           end;
}

} // namespace

class TestCityFile : public QObject
{
    Q_OBJECT

private slots:
    void cities_data();
    void cities();
    void specialties_data();
    void specialties();
    void patch_data();
    void patch();
    void golden_data();
    void golden();
};

void TestCityFile::cities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name-and-attributes") << city("7", "xy", "3,12,") + "\n"
                                         << "7 -> [xy|3,12,]";
    QTest::newRow("no-specialties") << city("8", "洛阳", "0,") + "\n"
                                    << "8 -> [洛阳|0,]";
    QTest::newRow("last-record-of-id-wins") << city("7", "a", "1,") + "\n" + city("7", "b", "2,") << "7 -> [b|2,]";
    QTest::newRow("empty-name-not-read-here") << city("7", "", "1,") + "\n" + city("8", "b", "2,") << "8 -> [b|2,]";
    QTest::newRow("missing-attributes-takes-next")
        << QString(city("7", "a", "1,")).remove("\"specialattributes\":\"1,\",") + "\n" + city("8", "b", "2,") + "\n" +
               city("9", "c", "3,")
        << "7 -> [a|2,]\n9 -> [c|3,]";
    QTest::newRow("id-prefixes-distinct") << city("5", "a", "1,") + city("15", "b", "2,") + city("55", "c", "3,")
                                          << "15 -> [b|2,]\n5 -> [a|1,]\n55 -> [c|3,]";
}

void TestCityFile::cities()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dumpTable(parseCities(text)), expected);
}

void TestCityFile::specialties_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fields-reordered") << specialty("2", "31,32") << "2 -> [100|101|31,32|102]";
    QTest::newRow("empty-product-list") << specialty("2", "") + "\n"
                                        << "2 -> [100|101||102]";
    QTest::newRow("condition-digit-last-in-file-not-read") << specialty("2", "31", "") << "";
    // A record lacking EffectDesc runs on into the next; of the two Specialty values the non-empty one counts.
    QTest::newRow("match-over-two-records-takes-non-empty-specialty")
        << QString(specialty("2", "")).remove("\"EffectDesc\":101,\"ConditionDesc\":102") + "\n" + specialty("3", "7") +
               "\n"
        << "2 -> [100|101|7|102]";
    QTest::newRow("match-over-two-records-takes-first-non-empty")
        << QString(specialty("2", "5")).remove("\"EffectDesc\":101,\"ConditionDesc\":102") + "\n" +
               specialty("3", "7") + "\n"
        << "2 -> [100|101|5|102]";
    QTest::newRow("specialty-right-behind-name-not-read")
        << "{\"ID\":2,\"NAME\":100,\"Specialty\":\"1\",\"Cost\":5,\"EffectDesc\":101,\"ConditionDesc\":102}"
        << "";
}

void TestCityFile::specialties()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dumpTable(parseCitySpecialties(text)), expected);
}

void TestCityFile::patch_data()
{
    addPatchColumns();
    const QString text = city("7", "xy", "3,12,") + "\n" + city("77", "z", "5,") + "\n" + city("7", "xy", "3,12,");
    QTest::newRow("duplicate-id-both-rewritten")
        << text << QStringList{"7"} << RecordTable{{"7", {"xy", "3,12,40,"}}}
        << city("7", "xy", "3,12,40,") + "\n" + city("77", "z", "5,") + "\n" + city("7", "xy", "3,12,40,")
        << QStringList() << QStringList();
    QTest::newRow("zero-comma-written") << text << QStringList{"77"} << RecordTable{{"77", {"z", "0,"}}}
                                        << city("7", "xy", "3,12,") + "\n" + city("77", "z", "0,") + "\n" +
                                               city("7", "xy", "3,12,")
                                        << QStringList() << QStringList();
    const QString lacking =
        QString(city("7", "xy", "1,")).remove("\"specialattributes\":\"1,\",") + "\n" + city("8", "z", "2,");
    QTest::newRow("cross-record-guard") << lacking << QStringList{"7"} << RecordTable{{"7", {"xy", "9,"}}} << lacking
                                        << QStringList() << QStringList{"7"};
    QTest::newRow("invalid-attributes-refused")
        << text << QStringList{"7", "77", "1"}
        << RecordTable{{"7", {"xy", "3,12"}}, {"77", {"z", ""}}, {"1", {"z", "1,,"}}} << text << QStringList()
        << QStringList{"7", "77", "1"};
    QTest::newRow("id-not-found") << text << QStringList{"17"} << RecordTable{{"17", {"q", "1,"}}} << text
                                  << QStringList{"17"} << QStringList();
    // The name's closing quote doubles as the opening quote of the key: the value would run over the
    // next fields up to the real key's value, so the record is left alone.
    const QString sharedQuote = QStringLiteral("{\"ID\":21,\"Temp\":\"a\"specialattributes\":\"4,\"Troops\":1,"
                                               "\"specialattributes\":\"0,\",\"Owner\":5},\n") +
                                city("22", "b", "100,");
    QTest::newRow("quote-shared-with-name-refused")
        << sharedQuote << QStringList{"21"} << RecordTable{{"21", {"a", "58,"}}} << sharedQuote << QStringList()
        << QStringList{"21"};
    QTest::newRow("empty-id-list") << text << QStringList() << RecordTable() << text << QStringList() << QStringList();
}

void TestCityFile::patch()
{
    comparePatch(patchCities);
}

void TestCityFile::golden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<RecordTable>("table");
    QTest::newRow("lf-gbk") << "lf-gbk" << QStringList{"7", "17"}
                            << RecordTable{{"7", {"洛阳", "3,12,40,"}}, {"17", {"许昌", "21,"}}};
    QTest::newRow("crlf-utf8-bom") << "crlf-utf8-bom" << QStringList{"77"} << RecordTable{{"77", {"长安", "0,"}}};
}

void TestCityFile::golden()
{
    QFETCH(QString, name);
    QFETCH(QStringList, ids);
    QFETCH(RecordTable, table);
    const QString dir = QStringLiteral(TEST_DATA_DIR "/city/") + name;
    const QByteArray input = readFixture(dir + "/input.txt");
    QVERIFY(!input.isEmpty());
    const PatchResult result = patchCities(holdExactly(input, false), ids, table);
    QCOMPARE(result.text.toLatin1(), readFixture(dir + "/expected.txt"));
    QCOMPARE(result.unwritten(), QStringList());
}

QTEST_GUILESS_MAIN(TestCityFile)
#include "tst_cityfile.moc"
