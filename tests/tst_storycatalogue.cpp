#include "gamedata/storycatalogue.h"

#include <QTest>

class TestStoryCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void paths_data();
    void paths();
    void name_data();
    void name();
};

void TestStoryCatalogue::paths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one-per-line") << "<s><path>a</path></s>\n<s><path>b</path></s>\n" << QStringList{"a", "b"};
    QTest::newRow("two-on-one-line") << "<path>a</path><path>b</path>" << QStringList{"a", "b"};
    QTest::newRow("inside-comment-counts")
        << "<!-- <path>old</path> -->\n<path>new</path>" << QStringList{"old", "new"};
    QTest::newRow("verbatim-text") << "<path> ../x/\n</path>" << QStringList{" ../x/\n"};
    QTest::newRow("empty-element") << "<path></path>" << QStringList{""};
    QTest::newRow("unclosed-last-ignored") << "<path>a</path><path>b" << QStringList{"a"};
    QTest::newRow("unclosed-first-runs-to-next-close") << "<path>a<path>b</path>" << QStringList{"a<path>b"};
    QTest::newRow("none") << "<stories/>" << QStringList();
}

void TestStoryCatalogue::paths()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(parseStoryPaths(text), expected);
}

void TestStoryCatalogue::name_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "<summary storyname=\"群雄割据\" year=\"190\"/>"
                           << "群雄割据";
    QTest::newRow("first-of-two") << "<a storyname=\"一\"/><b storyname=\"二\"/>"
                                  << "一";
    QTest::newRow("empty") << "<a storyname=\"\" x=\"1\"/>"
                           << "";
    QTest::newRow("missing") << "<a name=\"x\"/>"
                             << "";
    QTest::newRow("unclosed-quote") << "<a storyname=\"x/>"
                                    << "";
}

void TestStoryCatalogue::name()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(parseStoryName(text), expected);
}

QTEST_GUILESS_MAIN(TestStoryCatalogue)
#include "tst_storycatalogue.moc"
