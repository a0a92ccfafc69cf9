#include "gamedata/idorder.h"

#include <QTest>

class TestIdOrder : public QObject
{
    Q_OBJECT

private slots:
    void sortedByNumber_data();
    void sortedByNumber();
};

void TestIdOrder::sortedByNumber_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("by-value-not-text") << QStringList{"10", "9", "100", "1"} << QStringList{"1", "9", "10", "100"};
    QTest::newRow("non-numbers-count-as-zero-stable")
        << QStringList{"3", "x", "0", "", "y"} << QStringList{"x", "0", "", "y", "3"};
    QTest::newRow("equal-values-keep-order") << QStringList{"7", "07", "5"} << QStringList{"5", "7", "07"};
}

void TestIdOrder::sortedByNumber()
{
    QFETCH(QStringList, ids);
    QFETCH(QStringList, expected);
    QCOMPARE(::sortedByNumber(ids), expected);
}

QTEST_GUILESS_MAIN(TestIdOrder)
#include "tst_idorder.moc"
