#include "widgets/sortableitem.h"

#include <QTableWidget>
#include <QtTest>

class TestSortableItem : public QObject
{
    Q_OBJECT

private slots:
    void headerSortOrder_data();
    void headerSortOrder();
};

void TestSortableItem::headerSortOrder_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<bool>("fromPrototype");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integers-by-value") << QStringList{"10", "2", "1"} << Qt::AscendingOrder << false
                                       << QString("1,2,10");
    QTest::newRow("integers-descending") << QStringList{"2", "10", "1"} << Qt::DescendingOrder << false
                                         << QString("10,2,1");
    QTest::newRow("negative-integers") << QStringList{"3", "-10", "-2"} << Qt::AscendingOrder << false
                                       << QString("-10,-2,3");
    QTest::newRow("text-after-integers") << QStringList{"b", "10", "a", "9", ""} << Qt::AscendingOrder << false
                                         << QString("9,10,,a,b");
    QTest::newRow("digits-with-suffix-are-text")
        << QStringList{"10x", "2x", "3"} << Qt::AscendingOrder << false << QString("3,10x,2x");
    QTest::newRow("clones-of-prototype-sort-numerically")
        << QStringList{"100", "20", "3"} << Qt::AscendingOrder << true << QString("3,20,100");
}

void TestSortableItem::headerSortOrder()
{
    QFETCH(QStringList, texts);
    QFETCH(Qt::SortOrder, order);
    QFETCH(bool, fromPrototype);
    QFETCH(QString, expected);
    QTableWidget table(texts.size(), 1);
    const SortableItem prototype;
    for (int row = 0; row < texts.size(); ++row) {
        QTableWidgetItem* cell = fromPrototype ? prototype.clone() : new SortableItem(texts[row]);
        cell->setText(texts[row]);
        table.setItem(row, 0, cell);
    }
    table.sortItems(0, order);
    QStringList sorted;
    for (int row = 0; row < table.rowCount(); ++row)
        sorted << table.item(row, 0)->text();
    QCOMPARE(sorted.join(','), expected);
}

QTEST_MAIN(TestSortableItem)
#include "tst_sortableitem.moc"
