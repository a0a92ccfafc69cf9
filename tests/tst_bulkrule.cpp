#include "gamedata/bulkrule.h"

#include <QTest>

Q_DECLARE_METATYPE(BulkOperation)

class TestBulkRule : public QObject
{
    Q_OBJECT

private slots:
    void rule_data();
    void rule();
};

// `expected` is null for a cell that is left out.
void TestBulkRule::rule_data()
{
    QTest::addColumn<BulkOperation>("operation");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("takesNumber");
    QTest::addColumn<QString>("expected");
    const auto set = BulkOperation::SetTo;
    const auto add = BulkOperation::Add;
    const auto percent = BulkOperation::ScalePercent;
    QTest::newRow("set") << set << qint64(5) << "3" << true << "5";
    QTest::newRow("set-clamped") << set << qint64(2'000'000'000) << "3" << true << "999999999";
    QTest::newRow("add-negative") << add << qint64(-5) << "12" << true << "7";
    QTest::newRow("add-negative-stops-at-0") << add << qint64(-5) << "3" << true << "0";
    QTest::newRow("add-stops-at-max") << add << qint64(10) << "999999995" << true << "999999999";
    QTest::newRow("add-to-huge-value") << add << qint64(-999'999'999) << "123456789012345678" << true << "999999999";
    QTest::newRow("percent-half-rounds-up") << percent << qint64(110) << "15" << true << "17";
    QTest::newRow("percent-below-half-rounds-down") << percent << qint64(110) << "14" << true << "15";
    QTest::newRow("percent-exact-on-large-values") << percent << qint64(33) << "999999999" << true << "330000000";
    QTest::newRow("percent-no-float-drift") << percent << qint64(7) << "123456789" << true << "8641975";
    QTest::newRow("percent-of-negative-is-0") << percent << qint64(50) << "-3" << true << "0";
    QTest::newRow("percent-huge-no-overflow")
        << percent << qint64(1'000'000) << "999999999999999999" << true << "999999999";
    QTest::newRow("unchanged-keeps-text") << add << qint64(0) << "007" << true << "007";
    QTest::newRow("over-max-brought-in") << add << qint64(0) << "1234567890" << true << "999999999";
    QTest::newRow("text-left-out") << set << qint64(1) << "abc" << true << QString();
    QTest::newRow("decimal-left-out") << set << qint64(1) << "1.5" << true << QString();
    QTest::newRow("empty-left-out") << set << qint64(1) << "" << true << QString();
    QTest::newRow("wide-digits-left-out") << set << qint64(1) << "５" << true << QString();
    QTest::newRow("read-only-column-left-out") << set << qint64(1) << "12" << false << QString();
}

void TestBulkRule::rule()
{
    QFETCH(BulkOperation, operation);
    QFETCH(qint64, amount);
    QFETCH(QString, current);
    QFETCH(bool, takesNumber);
    QFETCH(QString, expected);
    BulkCell cell;
    cell.current = current;
    cell.takesNumber = takesNumber;
    const BulkOutcome outcome = applyRule({operation, amount}, QList<BulkCell>{cell, cell});
    QCOMPARE(outcome.values, QStringList({expected, expected}));
    QCOMPARE(outcome.leftOut, expected.isNull() ? 2 : 0);
    QCOMPARE(outcome.changed, !expected.isNull() && expected != current ? 2 : 0);
}

QTEST_GUILESS_MAIN(TestBulkRule)
#include "tst_bulkrule.moc"
