#include "gamedata/languagefile.h"
#include "gamedatatest.h"

#include <QTest>

class TestLanguageFile : public QObject
{
    Q_OBJECT

private slots:
    void languageTable_data();
    void languageTable();
    void referenceToReference();
    void items_data();
    void items();
};

void TestLanguageFile::languageTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one-entry-per-line") << "1:弓兵\n2:骑兵\n"
                                        << "1 -> [弓兵]\n2 -> [骑兵]";
    QTest::newRow("last-line-without-line-feed") << "1:a\n2:b"
                                                 << "1 -> [a]";
    QTest::newRow("empty-text") << "3:\n"
                                << "3 -> []";
    QTest::newRow("colons-stay-in-text") << "4:x:y\n"
                                         << "4 -> [x:y]";
    QTest::newRow("digits-after-other-text") << "ab12:c\n"
                                             << "12 -> [c]";
    QTest::newRow("line-without-digits-colon-skipped") << "ab:c\nno entry\n5:d\n"
                                                       << "5 -> [d]";
    QTest::newRow("entry-runs-to-line-feed") << "1:a 2:b\n"
                                             << "1 -> [a 2:b]";
    QTest::newRow("last-entry-of-id-wins") << "1:a\n1:b\n"
                                           << "1 -> [b]";
    QTest::newRow("leading-zeros-are-another-id") << "07:a\n7:b\n"
                                                  << "07 -> [a]\n7 -> [b]";
    QTest::newRow("full-width-digits-are-digits") << "１２:x\n"
                                                  << "１２ -> [x]";
    QTest::newRow("reference-to-plain-text") << "1:^2\n2:x\n"
                                             << "1 -> [x]\n2 -> [x]";
    QTest::newRow("reference-to-missing-id") << "1:^9\n"
                                             << "1 -> []";
    QTest::newRow("lone-caret") << "1:^\n"
                                << "1 -> []";
    QTest::newRow("caret-not-first-is-text") << "1:a^2\n2:x\n"
                                             << "1 -> [a^2]\n2 -> [x]";
    QTest::newRow("reference-needs-exact-id") << "1:^02\n2:x\n"
                                              << "1 -> []\n2 -> [x]";
}

void TestLanguageFile::languageTable()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dumpTable(parseLanguageTable(text)), expected);
}

// The pass runs once, in the order the ids first received a reference: a reference to a reference gets
// the target's text if the target was resolved before it, else the target's own reference; never more
// than one step.
void TestLanguageFile::referenceToReference()
{
    const TextTable forward = parseLanguageTable(QStringLiteral("1:^2\n2:^3\n3:z\n"));
    QCOMPARE(forward.value(QStringLiteral("1")), QStringLiteral("^3"));
    QCOMPARE(forward.value(QStringLiteral("2")), QStringLiteral("z"));
    QCOMPARE(forward.value(QStringLiteral("3")), QStringLiteral("z"));
    const TextTable backward = parseLanguageTable(QStringLiteral("2:^3\n1:^2\n3:z\n"));
    QCOMPARE(backward.value(QStringLiteral("1")), QStringLiteral("z"));
    // A plain text that later becomes a reference is visited where it first became one.
    const TextTable late = parseLanguageTable(QStringLiteral("1:a\n2:^1\n1:^3\n3:^4\n"));
    QCOMPARE(late.value(QStringLiteral("2")), QStringLiteral("^3"));
    QCOMPARE(late.value(QStringLiteral("1")), QStringLiteral("^4"));
}

void TestLanguageFile::items_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty-file-keeps-item-zero") << ""
                                                << "0 -> []";
    QTest::newRow("name-resolved") << "{\"ID\":3,\"Kind\":1,\"Name\":100,\"Price\":5,}\n"
                                   << "0 -> []\n3 -> [虎符]";
    QTest::newRow("name-missing-from-language") << "{\"ID\":3,\"Name\":999,}\n"
                                                << "0 -> []\n3 -> []";
    QTest::newRow("item-zero-replaces-built-in") << "{\"ID\":0,\"Name\":100,}\n"
                                                 << "0 -> [虎符]";
    QTest::newRow("record-without-name-takes-next")
        << "{\"ID\":1,\"Kind\":2,}\n{\"ID\":2,\"Name\":101,}\n{\"ID\":4,\"Name\":100,}\n"
        << "0 -> []\n1 -> [令牌]\n4 -> [虎符]";
    QTest::newRow("last-record-of-id-wins") << "{\"ID\":3,\"Name\":100,}\n{\"ID\":3,\"Name\":101,}\n"
                                            << "0 -> []\n3 -> [令牌]";
    QTest::newRow("id-prefixes-distinct")
        << "{\"ID\":5,\"Name\":100,}\n{\"ID\":15,\"Name\":101,}\n{\"ID\":55,\"Name\":100,}\n"
        << "0 -> []\n15 -> [令牌]\n5 -> [虎符]\n55 -> [虎符]";
    QTest::newRow("name-value-not-digits-skipped-to-next") << "{\"ID\":6,\"Name\":x,}\n{\"ID\":7,\"Name\":101,}\n"
                                                           << "0 -> []\n6 -> [令牌]";
}

void TestLanguageFile::items()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const TextTable language{{QStringLiteral("100"), QStringLiteral("虎符")},
                             {QStringLiteral("101"), QStringLiteral("令牌")}};
    QCOMPARE(dumpTable(parseItems(text, language)), expected);
}

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
