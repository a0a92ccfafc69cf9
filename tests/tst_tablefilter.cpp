#include "widgets/appsearchline.h"
#include "widgets/tableexport.h"
#include "widgets/tablefilter.h"

#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

class TestTableFilter : public QObject
{
    Q_OBJECT

private slots:
    void filtersAsTyped();
};

static void fill(QTableWidget& table, const QList<QStringList>& rows)
{
    table.setRowCount(0);
    table.setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(rows[row][column]));
}

static QString shownIds(const QTableWidget& table)
{
    QStringList ids;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!table.isRowHidden(row))
            ids << table.item(row, 0)->text();
    return ids.join(',');
}

// Typing filters by id and name (not by other columns) and an export takes the rows in view; a refill stays
// filtered, Ctrl+F reaches the line of the table in focus and Esc brings every row back.
void TestTableFilter::filtersAsTyped()
{
    QWidget window;
    auto* table = new QTableWidget(0, 3);
    fill(*table, {{"1", "轻骑兵", "12"}, {"12", "弓兵", "3"}, {"20", "重骑兵", "1"}, {"3", "枪兵", "骑"}});
    auto* filter = new TableFilter(table, 0, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(filter->searchLine());
    layout->addWidget(table);
    // A second table: Ctrl+F goes to the search line of the table that has the focus.
    auto* other = new QTableWidget(1, 2);
    auto* otherFilter = new TableFilter(other, 0, 1);
    layout->addWidget(otherFilter->searchLine());
    layout->addWidget(other);
    TableFilter::installFindShortcut(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (QTableWidget* focused : {other, table}) {
        focused->setFocus();
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY((focused == table ? filter : otherFilter)->searchLine()->hasFocus());
    }
    // As an input method types: the text of a keystroke lands in the line.
    filter->searchLine()->insert("骑");
    QCOMPARE(shownIds(*table), QString("1,20"));
    QTest::keyClick(filter->searchLine(), Qt::Key_Backspace);
    QTest::keyClicks(filter->searchLine(), "2");
    QCOMPARE(shownIds(*table), QString("12,20"));
    table->setHorizontalHeaderLabels({"ID", "名称", "攻击"});
    QCOMPARE(shownRows(table),
             (QList<QStringList>{{"ID", "名称", "攻击"}, {"12", "弓兵", "3"}, {"20", "重骑兵", "1"}}));

    fill(*table, {{"2", "a", "2"}, {"5", "b", "2"}, {"22", "c", "2"}});
    QTRY_COMPARE(shownIds(*table), QString("2,22"));

    QTest::keyClick(filter->searchLine(), Qt::Key_Escape);
    QCOMPARE(filter->searchLine()->text(), QString());
    QCOMPARE(shownIds(*table), QString("2,5,22"));
}

QTEST_MAIN(TestTableFilter)
#include "tst_tablefilter.moc"
