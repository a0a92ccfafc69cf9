// The bulk-edit dialog and the import preview on their own, as the user types into and reads them, and the
// bulk rule they apply.
#include "views/bulkeditdialog.h"
#include "views/importpreviewdialog.h"

#include <QTest>
#include <QtWidgets>

Q_DECLARE_METATYPE(BulkOperation)

class DialogsTest : public QObject
{
    Q_OBJECT

private slots:
    // The number is the one typed, and each operation starts from the amount that changes nothing.
    void bulkAmount()
    {
        QList<BulkCell> cells{{"1", "甲", 2, "攻击", "10"}, {"2", "乙", 2, "攻击", "20"}};
        for (int id = 3; id <= 12; ++id)
            cells.append({QString::number(id), "丙", 2, "攻击", "30"});
        BulkEditDialog dialog(cells);
        auto* amount = dialog.findChild<QLineEdit*>("bulkAmount");
        auto* summary = dialog.findChild<QLabel*>("bulkSummary");
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        const auto choose = [&](const QString& operation) {
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
                if (button->text() == operation)
                    button->click();
            }
        };
        QCOMPARE(amount->text(), QString("100"));
        choose("增加");
        amount->selectAll();
        QTest::keyClicks(amount, "-25");
        QCOMPARE(dialog.rule().amount, -25);
        choose("乘以百分比");
        QCOMPARE(amount->text(), QString("100"));
        QCOMPARE(summary->text(), QString("修改0个单元格"));
        QVERIFY(!ok->isEnabled());
        choose("设为");
        QCOMPARE(amount->text(), QString());
        QCOMPARE(summary->text(), QString("请输入数值"));
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(amount, "999999990");
        QCOMPARE(dialog.rule().amount, 999999990);
        QCOMPARE(summary->text(), QString("修改12个单元格"));
        auto* preview = dialog.findChild<QTableWidget*>("bulkPreview");
        QCOMPARE(preview->item(1, 3)->text(), QString("20 → 999999990"));
        QCOMPARE(preview->rowCount(), 10); // the first ten changes
        QVERIFY(ok->isEnabled());
        choose("增加");
        QCOMPARE(amount->text(), QString("0"));
        QVERIFY(!ok->isEnabled());
    }

    // A file of a few bad rows lists them all, one of many lists the first problems and counts the rest; a skill
    // range above 7 is flagged.
    void importPreview()
    {
        QList<QStringList> rows{{"ID", "远程范围"}, {"1", "8"}, {"2", "7"}};
        for (int i = 0; i < listedProblemLimit + 500; ++i)
            rows.append(QStringList{"9", "1"});
        const TableShape shape{{"ID", "技能", "远程范围"}, 0, 1, {2}};
        const QHash<QString, QStringList> records{{"1", {"1", "a", "1"}}, {"2", {"2", "b", "1"}}};
        QCOMPARE(ImportPreviewDialog(matchImport(rows.mid(0, 4), shape, records), true)
                     .findChild<QLabel*>("importSummary")
                     ->text(),
                 QString("将修改2个值;1个错误,0个警告(见下表)"));
        ImportPreviewDialog dialog(matchImport(rows, shape, records), true);
        QCOMPARE(dialog.findChild<QLabel*>("importSummary")->text(),
                 QString("将修改2个值;1500个错误,0个警告(下表列出前1000个,另有500个未列出)"));
        auto* changes = dialog.findChild<QTableWidget*>("importChanges");
        auto* problems = dialog.findChild<QTableWidget*>("importProblems");
        QCOMPARE(problems->rowCount(), listedProblemLimit);
        QCOMPARE(changes->item(0, 3)->toolTip(), QString("攻击范围超过7可能导致游戏崩溃"));
        QCOMPARE(changes->item(1, 3)->toolTip(), QString());
    }

    // `expected` is null for a cell that is left out.
    void rule_data()
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
        QTest::newRow("add-to-huge-value")
            << add << qint64(-999'999'999) << "123456789012345678" << true << "999999999";
        QTest::newRow("percent-half-rounds-up") << percent << qint64(110) << "15" << true << "17";
        QTest::newRow("percent-below-half-rounds-down") << percent << qint64(110) << "14" << true << "15";
        QTest::newRow("percent-exact-on-large-values") << percent << qint64(33) << "999999999" << true << "330000000";
        QTest::newRow("percent-no-float-drift") << percent << qint64(7) << "123456789" << true << "8641975";
        QTest::newRow("percent-of-negative-is-0") << percent << qint64(50) << "-3" << true << "0";
        QTest::newRow("percent-huge-no-overflow")
            << percent << qint64(1'000'000) << "999999999999999999" << true << "999999999";
        QTest::newRow("unchanged-keeps-text") << add << qint64(0) << "007" << true << "007";
        QTest::newRow("over-max-brought-in") << add << qint64(0) << "1234567890" << true << "999999999";
        QTest::newRow("decimal-left-out") << set << qint64(1) << "1.5" << true << QString();
        QTest::newRow("empty-left-out") << set << qint64(1) << "" << true << QString();
        QTest::newRow("wide-digits-left-out") << set << qint64(1) << "５" << true << QString();
        QTest::newRow("read-only-column-left-out") << set << qint64(1) << "12" << false << QString();
    }

    void rule()
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
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
