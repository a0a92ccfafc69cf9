#include "widgets/mytablewidget.h"

#include <QSignalSpy>
#include <QtTest>

class TestMyTableWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rightPressTakesRow_data();
    void rightPressTakesRow();
    void rightPressBelowRowsDoesNothing();
    void insertFirstRow_data();
    void insertFirstRow();
    void wiredTablesMoveRow();
    void leftPressSelects();
};

static void fill(MyTableWidget& table, const QList<QStringList>& rows)
{
    table.setColumnCount(3);
    table.setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < 3; ++column)
            table.setItem(row, column, new QTableWidgetItem(rows[row][column]));
}

static QString rowTexts(const QTableWidget& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << (table.item(row, column) ? table.item(row, column)->text() : QString("<none>"));
        rows << cells.join(',');
    }
    return rows.join('|');
}

static QPoint cellCentre(const QTableWidget& table, int row, int column)
{
    return table.visualItemRect(table.item(row, column)).center();
}

static void insertFirstRow(MyTableWidget& table, QStringList texts)
{
    QVERIFY(QMetaObject::invokeMethod(&table, "insertFirstRow", Qt::DirectConnection, Q_ARG(QStringList*, &texts)));
}

void TestMyTableWidget::initTestCase()
{
    qRegisterMetaType<QStringList*>("QStringList*");
}

void TestMyTableWidget::rightPressTakesRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("missingColumn");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("first-row") << 0 << 0 << -1 << "a0,b0,c0"
                               << "a1,b1,c1|a2,b2,c2";
    QTest::newRow("last-row-any-column") << 2 << 1 << -1 << "a2,b2,c2"
                                         << "a0,b0,c0|a1,b1,c1";
    QTest::newRow("missing-item-gives-empty-text") << 1 << 0 << 1 << "a1,,c1"
                                                   << "a0,b0,c0|a2,b2,c2";
}

void TestMyTableWidget::rightPressTakesRow()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, missingColumn);
    QFETCH(QString, emitted);
    QFETCH(QString, remaining);
    MyTableWidget table;
    fill(table, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}, {"a2", "b2", "c2"}});
    if (missingColumn >= 0)
        delete table.takeItem(row, missingColumn);
    table.resize(400, 300);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));

    // The list is read during the call, while the row is still in the table.
    QStringList received;
    int rowsDuringSignal = -1;
    int emissions = 0;
    connect(&table, &MyTableWidget::getRow, this, [&](QStringList* texts) {
        received = *texts;
        rowsDuringSignal = table.rowCount();
        ++emissions;
    });
    QTest::mousePress(table.viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(table, row, column));
    QCOMPARE(emissions, 1);
    QCOMPARE(received.join(','), emitted);
    QCOMPARE(rowsDuringSignal, 3);
    QCOMPARE(rowTexts(table), remaining);
}

void TestMyTableWidget::rightPressBelowRowsDoesNothing()
{
    MyTableWidget table;
    fill(table, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}});
    table.resize(400, 300);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    table.selectRow(1);
    QSignalSpy spy(&table, &MyTableWidget::getRow);

    const QPoint belowRows(cellCentre(table, 0, 0).x(), table.viewport()->height() - 5);
    QVERIFY(!table.itemAt(belowRows));
    QTest::mousePress(table.viewport(), Qt::RightButton, Qt::NoModifier, belowRows);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(rowTexts(table), QString("a0,b0,c0|a1,b1,c1"));
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(table.selectedItems().size(), 3);
}

void TestMyTableWidget::insertFirstRow_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fewer-texts-than-columns") << QStringList{"x"} << false << "x,,|5,b,c";
    QTest::newRow("no-texts") << QStringList{} << false << ",,|5,b,c";
    QTest::newRow("more-texts-than-columns") << QStringList{"x", "y", "z", "w"} << false << "x,y,z|5,b,c";
    // A sorted table places the new row by value, but its cells stay together.
    QTest::newRow("sorted-table-keeps-row-whole") << QStringList{"7", "y", "z"} << true << "5,b,c|7,y,z";
}

void TestMyTableWidget::insertFirstRow()
{
    QFETCH(QStringList, texts);
    QFETCH(bool, sorted);
    QFETCH(QString, expected);
    MyTableWidget table;
    fill(table, {{"5", "b", "c"}});
    if (sorted) {
        table.setSortingEnabled(true);
        table.sortByColumn(0, Qt::AscendingOrder);
    }
    ::insertFirstRow(table, texts);
    QCOMPARE(rowTexts(table), expected);
}

// The moved row arrives as fresh items carrying the texts only.
void TestMyTableWidget::wiredTablesMoveRow()
{
    MyTableWidget from;
    MyTableWidget to;
    fill(from, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}});
    fill(to, {{"x", "y", "z"}});
    from.item(1, 0)->setFlags(Qt::ItemIsEnabled);
    from.item(1, 0)->setBackground(Qt::red);
    from.item(1, 0)->setData(Qt::UserRole, 42);
    QVERIFY(connect(&from, SIGNAL(getRow(QStringList*)), &to, SLOT(insertFirstRow(QStringList*))));
    from.resize(400, 300);
    from.show();
    QVERIFY(QTest::qWaitForWindowExposed(&from));

    QTest::mousePress(from.viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(from, 1, 2));
    QCOMPARE(rowTexts(from), QString("a0,b0,c0"));
    QCOMPARE(rowTexts(to), QString("a1,b1,c1|x,y,z"));
    const QTableWidgetItem* moved = to.item(0, 0);
    QCOMPARE(moved->flags(), QTableWidgetItem().flags());
    QCOMPARE(moved->background(), QBrush());
    QVERIFY(!moved->data(Qt::UserRole).isValid());
}

void TestMyTableWidget::leftPressSelects()
{
    MyTableWidget table;
    fill(table, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}});
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.resize(400, 300);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QSignalSpy spy(&table, &MyTableWidget::getRow);

    QTest::mousePress(table.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(table, 1, 1));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(table.selectedItems().size(), 3);
    QCOMPARE(rowTexts(table), QString("a0,b0,c0|a1,b1,c1"));
}

QTEST_MAIN(TestMyTableWidget)
#include "tst_mytablewidget.moc"
