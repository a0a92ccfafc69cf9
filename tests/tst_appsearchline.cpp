#include "widgets/appsearchline.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestAppSearchLine : public QObject
{
    Q_OBJECT

private slots:
    void search_data();
    void search();
    void refilledTableShowsNewRows();
    void tableWithoutRows();
};

// Fills the table; a null entry leaves that cell without an item.
static void fill(QTableWidget& table, const QList<QStringList>& rows)
{
    table.setRowCount(0);
    table.setColumnCount(5);
    table.setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            if (!rows[row][column].isNull())
                table.setItem(row, column, new QTableWidgetItem(rows[row][column]));
}

static QString visibleRows(const QTableWidget& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!table.isRowHidden(row))
            rows << QString::number(row);
    return rows.join(',');
}

enum class Trigger
{
    Button,
    Return
};
Q_DECLARE_METATYPE(Trigger)

static void runSearch(AppSearchLine& line, const QString& text, Trigger trigger)
{
    line.setText(text);
    if (trigger == Trigger::Button)
        QTest::mouseClick(line.findChild<QPushButton*>(), Qt::LeftButton);
    else
        QTest::keyClick(&line, Qt::Key_Return);
}

static const QList<QStringList> sampleRows = {
    {"needle", "a", "b", "c", "d"},                    // 0: only in column 0
    {"x", "a", "has needle inside", "c", "d"},         // 1: inside column 2
    {"x", "a", "b", "c", "needle"},                    // 2: only in column 4
    {"x", "NEEDLE", "b", "c", "d"},                    // 3: upper case
    {"x", "a", "b", "needle", "d"},                    // 4: last searched column
    {"x", "needle", "城防", "c", "d"},                 // 5: first searched column
    {"x", QString(), QString(), QString(), QString()}, // 6: no items
};

void TestAppSearchLine::search_data()
{
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<QString>("visible");
    QTest::newRow("columns-1-to-3-only") << 1 << 3 << "needle" << Trigger::Return << "1,4,5";
    QTest::newRow("button-searches-too") << 1 << 3 << "needle" << Trigger::Button << "1,4,5";
    QTest::newRow("case-sensitive") << 1 << 3 << "NEEDLE" << Trigger::Return << "3";
    QTest::newRow("lower-case-misses-upper-case") << 1 << 1 << "needle" << Trigger::Return << "5";
    QTest::newRow("blanks-not-trimmed") << 1 << 3 << "needle " << Trigger::Return << "1";
    QTest::newRow("chinese-substring") << 1 << 3 << "城" << Trigger::Button << "5";
    QTest::newRow("empty-text-shows-all") << 1 << 3 << "" << Trigger::Return << "0,1,2,3,4,5,6";
    QTest::newRow("column-past-table-is-empty") << 4 << 9 << "needle" << Trigger::Return << "2";
    QTest::newRow("first-past-last-shows-all") << 3 << 1 << "needle" << Trigger::Return << "0,1,2,3,4,5,6";
}

// Each case starts from a search that hid every row, so rows must also come back.
void TestAppSearchLine::search()
{
    QFETCH(int, firstColumn);
    QFETCH(int, lastColumn);
    QFETCH(QString, text);
    QFETCH(Trigger, trigger);
    QFETCH(QString, visible);
    QTableWidget table;
    fill(table, sampleRows);
    AppSearchLine line(&table, firstColumn, lastColumn);
    if (firstColumn <= lastColumn) {
        runSearch(line, "no such text", Trigger::Return);
        QCOMPARE(visibleRows(table), QString());
    }

    runSearch(line, text, trigger);
    QCOMPARE(visibleRows(table), visible);
    QCOMPARE(table.rowCount(), sampleRows.size());
}

void TestAppSearchLine::refilledTableShowsNewRows()
{
    QTableWidget table;
    fill(table, sampleRows);
    AppSearchLine line(&table, 1, 3);
    runSearch(line, "needle", Trigger::Return);
    QCOMPARE(visibleRows(table), QString("1,4,5"));

    fill(table, {{"x", "a", "b", "c", "d"}, {"x", "a", "b", "c", "d"}, {"x", "needle", "b", "c", "d"}});
    QCOMPARE(visibleRows(table), QString("0,1,2"));
    runSearch(line, "needle", Trigger::Button);
    QCOMPARE(visibleRows(table), QString("2"));
}

void TestAppSearchLine::tableWithoutRows()
{
    QTableWidget table(0, 5);
    AppSearchLine line(&table, 1, 3);
    runSearch(line, "needle", Trigger::Return);
    runSearch(line, "", Trigger::Button);
    QCOMPARE(table.rowCount(), 0);
}

QTEST_MAIN(TestAppSearchLine)
#include "tst_appsearchline.moc"
