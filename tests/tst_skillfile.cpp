#include "gamedata/skillfile.h"
#include "gamedatatest.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QString skill(const QString& id, const QString& temp, const QString& far, const QString& near)
{
    return QStringLiteral("{\"ID\":%1,\"Temp\":\"%2\",\"Name\":3,\"SkillPoint\":2,\"FarRange\":%3,\"NearRange\":%4,"
                          "\"Effect\":1}")
        .arg(id, temp, far, near);
}

// The escape decoder as its algorithm reads: decode the first escape of the whole text, again and again.
void decodeEscapesByRescanning(QString& text)
{
    for (int at = text.indexOf(QLatin1String("\\u")); at >= 0; at = text.indexOf(QLatin1String("\\u"))) {
        const QString hex = text.mid(at + 2, 4);
        bool valid = !hex.isEmpty();
        for (QChar c : hex)
            valid = valid && QByteArray("0123456789abcdefABCDEF").contains(char(c.unicode() < 128 ? c.unicode() : 0));
        text.replace(at, 2 + hex.size(), QChar(valid ? ushort(hex.toUInt(nullptr, 16)) : ushort(0)));
    }
}

} // namespace

class TestSkillFile : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void decodeMatchesRescanning();
    void parse_data();
    void parse();
    void patch_data();
    void patch();
    void golden();
};

void TestSkillFile::decode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no-escape") << "abc"
                               << "abc";
    QTest::newRow("escape-then-letters") << "\\u4E2Dabc"
                                         << "中abc";
    QTest::newRow("lower-case-hex") << "\\u706b\\u653b"
                                    << "火攻";
    QTest::newRow("short-escape-at-end") << "x\\u4e"
                                         << "xN";
    QTest::newRow("bare-escape-at-end") << "x\\u" << QString("x") + QChar(0);
    QTest::newRow("invalid-hex-gives-nul") << "\\uzz99!" << QString(QChar(0)) + "!";
    QTest::newRow("surrogate-pair") << "\\uD83D\\uDE00" << QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("decoded-backslash-starts-escape") << "\\u005Cu0041"
                                                     << "A";
    QTest::newRow("decoded-u-after-backslash") << "\\\\u0075" + QString("0042") << "B";
    QTest::newRow("doubled-backslash-no-special") << "\\\\u0041"
                                                  << "\\A";
    QTest::newRow("escape-takes-escape-chars") << "\\u\\u0041" << QString(QChar(0)) + "41";
}

void TestSkillFile::decode()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    decodeEscapes(text);
    QCOMPARE(text, expected);
}

// The one-pass decoder gives what decoding the first escape again and again gives, on texts made of the
// characters that matter: backslashes, u, hex digits, and hex digits that decode to backslash or u.
void TestSkillFile::decodeMatchesRescanning()
{
    static const QStringList bits{"\\", "u", "\\u",     "0",       "5",       "c",    "C",    "7",
                                  "z",  "x", "\\u005c", "\\u005C", "\\u0075", "005c", "0075", "4e2d"};
    QRandomGenerator rng(20240611);
    for (int c = 0; c < 20000; ++c) {
        QString text;
        for (int n = int(rng.bounded(12u)); n > 0; --n)
            text += bits.at(int(rng.bounded(quint32(bits.size()))));
        QString ours = text;
        QString reference = text;
        decodeEscapes(ours);
        decodeEscapesByRescanning(reference);
        if (ours != reference)
            qWarning().noquote() << "text:" << text;
        QCOMPARE(ours, reference);
    }
}

void TestSkillFile::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("escaped-name-decoded") << skill("1", "\\u706b\\u653b", "5", "1") + "\n"
                                          << "1 -> [火攻|5|1]";
    QTest::newRow("empty-name") << skill("1", "", "5", "1") + "\n"
                                << "1 -> [|5|1]";
    QTest::newRow("slot-fillers-left-out")
        << skill("1", "占个格子", "0", "0") + "\n" + skill("2", "\\u5360\\u4e2a\\u683c\\u5b50", "0", "0") + "\n" +
               skill("3", "占个格子 ", "0", "0")
        << "3 -> [占个格子 |0|0]";
    QTest::newRow("last-record-of-id-wins")
        << skill("1", "a", "1", "1") + "\n" + skill("1", "b", "2", "2") << "1 -> [b|2|2]";
    // A quote inside Temp breaks the record; no later text is swallowed into it.
    QTest::newRow("escaped-quote-not-read")
        << skill("1", "a\\\"b", "1", "1") + "\n" + skill("2", "c", "2", "2") << "2 -> [c|2|2]";
    QTest::newRow("blank-after-colon-not-read")
        << QString(skill("1", "a", "1", "1")).replace("\"FarRange\":", "\"FarRange\": ") + "\n" +
               skill("2", "c", "2", "2")
        << "2 -> [c|2|2]";
    QTest::newRow("keys-in-other-order-not-read")
        << QString(skill("1", "a", "1", "1")).replace("\"Name\":3,\"SkillPoint\":2", "\"SkillPoint\":2,\"Name\":3")
        << "";
    QTest::newRow("id-prefixes-distinct")
        << skill("5", "a", "5", "5") + skill("15", "b", "1", "1") + skill("55", "c", "2", "2")
        << "15 -> [b|1|1]\n5 -> [a|5|5]\n55 -> [c|2|2]";
}

void TestSkillFile::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dumpTable(parseSkills(text)), expected);
}

void TestSkillFile::patch_data()
{
    addPatchColumns();
    const QString text =
        skill("1", "a", "1", "1") + "\n" + skill("10", "b", "2", "2") + "\n" + skill("1", "a", "1", "1") + "\n";
    QTest::newRow("duplicate-id-both-rewritten")
        << text << QStringList{"1"} << RecordTable{{"1", {"a", "7", "3"}}}
        << skill("1", "a", "7", "3") + "\n" + skill("10", "b", "2", "2") + "\n" + skill("1", "a", "7", "3") + "\n"
        << QStringList() << QStringList();
    QTest::newRow("id-prefix-untouched") << text << QStringList{"10"} << RecordTable{{"10", {"b", "0", "9"}}}
                                         << skill("1", "a", "1", "1") + "\n" + skill("10", "b", "0", "9") + "\n" +
                                                skill("1", "a", "1", "1") + "\n"
                                         << QStringList() << QStringList();
    // Record 1 lacks NearRange right behind FarRange: the next line's ranges are not its own.
    const QString broken =
        QString(skill("1", "a", "1", "1")).replace(",\"NearRange\":1", "") + "\n" + skill("2", "b", "2", "2") + "\n";
    QTest::newRow("cross-record-guard") << broken << QStringList{"1"} << RecordTable{{"1", {"a", "7", "3"}}} << broken
                                        << QStringList() << QStringList{"1"};
    QTest::newRow("id-not-found") << text << QStringList{"2"} << RecordTable{{"2", {"a", "7", "3"}}} << text
                                  << QStringList{"2"} << QStringList();
    QTest::newRow("non-digit-value-refused")
        << text << QStringList{"1"} << RecordTable{{"1", {"a", "7", ""}}} << text << QStringList() << QStringList{"1"};
    QTest::newRow("empty-id-list") << text << QStringList() << RecordTable() << text << QStringList() << QStringList();
}

void TestSkillFile::patch()
{
    comparePatch(patchSkills);
}

// UTF-8 with byte-order mark and CRLF line ends: only the four numbers of skill 1's two records change.
void TestSkillFile::golden()
{
    const QString dir = QStringLiteral(TEST_DATA_DIR "/skill/crlf-utf8-bom");
    const QByteArray input = readFixture(dir + "/input.txt");
    QVERIFY(input.startsWith("\xEF\xBB\xBF"));
    const PatchResult result =
        patchSkills(holdExactly(input, false), {"1", "10"}, {{"1", {"火攻", "7", "3"}}, {"10", {"", "0", "0"}}});
    QCOMPARE(result.text.toLatin1(), readFixture(dir + "/expected.txt"));
    QCOMPARE(result.unwritten(), QStringList());
}

QTEST_GUILESS_MAIN(TestSkillFile)
#include "tst_skillfile.moc"
