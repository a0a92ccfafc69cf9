#include "app/prompts.h"
#include "gamedata/idorder.h"
#include "gamedata/specialattributes.h"
#include "tablesupport.h"
#include "testsupport.h"
#include "widgets/appsearchline.h"
#include "widgets/mybutton.h"

#include <QGroupBox>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace TestSupport;

class CityTabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void changeAttributes_data();
    void changeAttributes();
    void rowTexts_data();
    void rowTexts();

    void cityListInNumericOrderFilledOnce();
    void showCity_data();
    void showCity();
    void moveSpecialty_data();
    void moveSpecialty();
    void cityRecordedOnce();
    void groupBoxesHideTheirTables();
    void refillShowsRowsHiddenBySearch();
    void saveWritesOnlyThatCity();
    void screenshot();
};

// The city tab of an editor running on a copy of the sample game, opened the way a user opens it.
struct OpenTab
{
    GameCopy game;
    Editor editor;
    Widget& w = *editor.widget;
    QTabWidget* tabs = nullptr;
    QTableWidget* cities = nullptr;
    QTableWidget* held = nullptr;
    QTableWidget* optional = nullptr;

    // Shows the window, double-clicks the first story and clicks the city tab; gives what failed, if anything.
    QString open()
    {
        if (!game.isValid())
            return QStringLiteral("no copy of the sample game");
        if (!WidgetTestAccess::gameDataLoaded(w))
            return QStringLiteral("sample game not loaded");
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return QStringLiteral("window not shown");
        auto* storyList = w.findChild<QTableWidget*>(QStringLiteral("storyList"));
        tabs = w.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        cities = w.findChild<QTableWidget*>(QStringLiteral("cityTable"));
        held = w.findChild<QTableWidget*>(QStringLiteral("citySpecialtyTable"));
        optional = w.findChild<QTableWidget*>(QStringLiteral("optionalSpecialtyTable"));
        if (!storyList || !tabs || !cities || !held || !optional)
            return QStringLiteral("widgets not found by name");
        if (storyList->rowCount() == 0)
            return QStringLiteral("no story listed");
        // A double click is a click followed by a second press that the system reports as a double click.
        const QPoint story = storyList->visualItemRect(storyList->item(0, 0)).center();
        QTest::mouseClick(storyList->viewport(), Qt::LeftButton, {}, story);
        QTest::mouseDClick(storyList->viewport(), Qt::LeftButton, {}, story);
        if (!tabs->isVisible())
            return QStringLiteral("tab area not shown after choosing a story: ") + status();
        clickTab(1);
        if (tabs->currentIndex() != 1 || cities->rowCount() == 0)
            return QStringLiteral("city tab not opened");
        return QString();
    }

    void clickTab(int index)
    {
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
    }

    // Clicks the city's row; gives false when the list lacks it.
    bool clickCity(const QString& id)
    {
        const QTableWidgetItem* cell = find(cities, id);
        if (!cell)
            return false;
        cities->scrollToItem(cell);
        QTest::mouseClick(cities->viewport(), Qt::LeftButton, {}, cities->visualItemRect(cell).center());
        return WidgetTestAccess::currentCityId(w) == id;
    }

    // Gives the city the text and shows it.
    bool showCity(const QString& id, const QString& attributes)
    {
        RecordTable& records = WidgetTestAccess::cities(w);
        if (!records.contains(id))
            return false;
        records[id][1] = attributes;
        return clickCity(id);
    }

    // A right click on the specialty's row, as the table reports it: the position in its viewport.
    bool rightClick(QTableWidget* table, const QString& id)
    {
        const QTableWidgetItem* cell = find(table, id);
        if (!cell)
            return false;
        table->scrollToItem(cell);
        emit table->customContextMenuRequested(table->visualItemRect(cell).center());
        return true;
    }

    QString attributes(const QString& cityId) { return WidgetTestAccess::cities(w).value(cityId).value(1); }
    QString status() const { return w.findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage(); }

    static QTableWidgetItem* find(QTableWidget* table, const QString& id)
    {
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0) && table->item(row, 0)->text() == id)
                return table->item(row, 0);
        return nullptr;
    }
};

static QStringList rowWithId(QTableWidget* table, const QString& id)
{
    const QTableWidgetItem* cell = OpenTab::find(table, id);
    return cell ? rowTexts(table, cell->row()) : QStringList();
}

static bool inNumericOrder(const QStringList& ids)
{
    for (int k = 1; k < ids.size(); ++k)
        if (ids.at(k - 1).toLongLong() > ids.at(k).toLongLong())
            return false;
    return true;
}

void CityTabTest::initTestCase()
{
    // A game that fails to load must fail the test, not wait for a person.
    Prompts::setDirectoryPicker([](QWidget*, const QString&, const QString&) { return QString(); });
}

void CityTabTest::cleanupTestCase()
{
    Prompts::setDirectoryPicker(nullptr);
}

void CityTabTest::changeAttributes_data()
{
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, bool add, const char* attributes, const char* id, const char* expected) {
        QTest::newRow(name) << add << QString(attributes) << QString(id) << QString(expected);
    };

    row("remove-keeps-ids-ending-in-same-digits", false, "12,2,22,", "2", "12,22,");
    row("remove-keeps-ids-starting-with-same-digits", false, "2,22,", "2", "22,");
    row("remove-last-entry-gives-zero", false, "12,", "12", "0,");
    row("remove-every-copy", false, "3,5,3,", "3", "5,");
    row("remove-absent-id-changes-nothing", false, "12,3,", "1", "12,3,");
    row("add-to-zero-replaces-it", true, "0,", "7", "7,");
    row("add-appends-last", true, "12,3,", "7", "12,3,7,");
    row("add-keeps-ten-that-ends-in-zero", true, "10,", "7", "10,7,");
}

void CityTabTest::changeAttributes()
{
    QFETCH(bool, add);
    QFETCH(QString, attributes);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    QCOMPARE(add ? withSpecialty(attributes, id) : withoutSpecialty(attributes, id), expected);
}

void CityTabTest::rowTexts_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* id, const char* expected) {
        QTest::newRow(name) << QString(id) << QString::fromUtf8(expected);
    };

    row("names-resolved-condition-lead-in-dropped", "1", "1|剑|锋利|A, B|拥有铁矿");
    row("empty-parts-of-product-list-skipped", "2", "2|剑|锋利|A, B|拥有铁矿");
    row("empty-product-list", "3", "3|剑|锋利||拥有铁矿");
    row("item-without-entry-left-out", "4", "4|剑|锋利|B|拥有铁矿");
    row("condition-of-three-characters-empty", "5", "5|剑|锋利||");
    row("text-ids-without-text-empty", "6", "6||||");
    row("specialty-not-in-catalogue", "99", "99||||");
}

void CityTabTest::rowTexts()
{
    QFETCH(QString, id);
    QFETCH(QString, expected);
    const TextTable texts = {{"100", "剑"}, {"101", "锋利"}, {"102", "条件:拥有铁矿"}, {"103", "条件:"}};
    const RecordTable items = {{"0", {""}}, {"31", {"A"}}, {"32", {"B"}}};
    const RecordTable specialties = {
        {"1", {"100", "101", "31,32", "102"}}, {"2", {"100", "101", "31,,32,", "102"}},
        {"3", {"100", "101", "", "102"}},      {"4", {"100", "101", "33,32,0", "102"}},
        {"5", {"100", "101", "", "103"}},      {"6", {"900", "901", "", "902"}},
    };
    QCOMPARE(specialtyRowTexts(id, specialties, texts, items).join('|'), expected);
}

void CityTabTest::cityListInNumericOrderFilledOnce()
{
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    const QStringList ids = columnTexts(tab.cities, 0);
    QCOMPARE(ids, sortedByNumber(WidgetTestAccess::cities(tab.w).keys()));
    QVERIFY(inNumericOrder(ids));
    // The sample game has ids of one, two and three digits, where text order would differ.
    QVERIFY(ids.contains("2") && ids.contains("10") && ids.indexOf("2") < ids.indexOf("10"));
    QCOMPARE(columnTexts(tab.cities, 1).value(ids.indexOf("1")), WidgetTestAccess::cities(tab.w).value("1").value(0));

    WidgetTestAccess::cities(tab.w).insert("999", {"新城", "0,"});
    tab.clickTab(0);
    tab.clickTab(1);
    QCOMPARE(columnTexts(tab.cities, 0), ids);
}

void CityTabTest::showCity_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QStringList>("heldIds");

    QTest::newRow("zero-city-holds-nothing") << "0," << QStringList();
    QTest::newRow("held-in-text-order") << "12,3," << QStringList{"12", "3"};
    QTest::newRow("specialty-missing-from-catalogue") << "3,99," << QStringList{"3", "99"};
}

void CityTabTest::showCity()
{
    QFETCH(QString, attributes);
    QFETCH(QStringList, heldIds);
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    QVERIFY(tab.showCity("1", attributes));

    QCOMPARE(columnTexts(tab.held, 0), heldIds);
    const QStringList optionalIds = columnTexts(tab.optional, 0);
    QVERIFY(inNumericOrder(optionalIds));
    // Every specialty of the catalogue stands in exactly one of the two tables.
    const RecordTable& catalogue = WidgetTestAccess::citySpecialties(tab.w);
    for (const QString& id : catalogue.keys())
        QCOMPARE(heldIds.count(id) + optionalIds.count(id), 1);
    QCOMPARE(optionalIds.size(), catalogue.size() - heldIds.size() + int(heldIds.contains("99")));
    if (heldIds.contains("99"))
        QCOMPARE(rowWithId(tab.held, "99").join('|'), QStringLiteral("99||||"));
    QCOMPARE(rowWithId(tab.optional, "5").join('|'), QStringLiteral("5|桑蚕|商业收入增加一成|丝绸, 瓷器|拥有桑田"));
}

void CityTabTest::moveSpecialty_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("sortColumn"); // -1: as filled; else both tables sorted descending first
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("heldAfter"); // ids of the city's table, top to bottom
    QTest::addColumn<QString>("status");
    const auto row = [](const char* name, const char* attributes, bool add, const char* id, int sortColumn,
                        const char* expected, const char* heldAfter, const QString& status = QString()) {
        QTest::newRow(name) << QString(attributes) << add << QString(id) << sortColumn << QString(expected)
                            << QString(heldAfter) << status;
    };

    row("remove-keeps-ids-ending-in-same-digits", "12,2,22,", false, "2", -1, "12,22,", "12,22");
    row("remove-only-entry-leaves-zero", "12,", false, "12", -1, "0,", "");
    row("add-to-zero-city", "0,", true, "7", -1, "7,", "7");
    row("add-stands-last", "12,3,", true, "7", -1, "12,3,7,", "12,3,7");
    row("tenth-entry-accepted", "1,2,3,4,5,6,8,9,10,", true, "7", -1, "1,2,3,4,5,6,8,9,10,7,", "1,2,3,4,5,6,8,9,10,7");
    row("eleventh-entry-refused", "1,2,3,4,5,6,8,9,10,11,", true, "7", -1, "1,2,3,4,5,6,8,9,10,11,",
        "1,2,3,4,5,6,8,9,10,11", QStringLiteral("城市特性不能超过10个!"));
    row("remove-after-sorting-by-id", "3,12,22,", false, "12", 0, "3,22,", "22,3");
    row("add-after-sorting-by-name", "3,", true, "7", 1, "3,7,", "7,3");
    row("add-after-sorting-by-id", "3,12,", true, "7", 0, "3,12,7,", "12,7,3");
}

void CityTabTest::moveSpecialty()
{
    QFETCH(QString, attributes);
    QFETCH(bool, add);
    QFETCH(QString, id);
    QFETCH(int, sortColumn);
    QFETCH(QString, expected);
    QFETCH(QString, heldAfter);
    QFETCH(QString, status);

    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    QVERIFY(tab.showCity("1", attributes));
    QTableWidget* from = add ? tab.optional : tab.held;
    QTableWidget* to = add ? tab.held : tab.optional;
    if (sortColumn >= 0) {
        // What a click on a header does: the table the click lands in and the one the row goes to.
        from->sortByColumn(sortColumn, Qt::DescendingOrder);
        to->sortByColumn(0, Qt::DescendingOrder);
    }
    const QStringList moved = rowWithId(from, id);
    QCOMPARE(moved.size(), 5);
    const int optionalRows = tab.optional->rowCount();
    // Only what the move says may stand in the status bar, not the message of the load.
    tab.w.findChild<QStatusBar*>(QStringLiteral("statusBar"))->clearMessage();

    QVERIFY(tab.rightClick(from, id));
    QCOMPARE(tab.attributes("1"), expected);
    QCOMPARE(columnTexts(tab.held, 0).join(','), heldAfter);
    QCOMPARE(tab.status(), status);
    const QStringList changed = WidgetTestAccess::pendingChanges(tab.w).value("citySpc");
    if (!status.isEmpty()) {
        QCOMPARE(tab.optional->rowCount(), optionalRows);
        QVERIFY(changed.isEmpty());
        return;
    }
    QCOMPARE(changed, QStringList{"1"});
    QVERIFY(!OpenTab::find(from, id));
    QCOMPARE(rowWithId(to, id), moved);
    // The user's sort order stays; unsorted, an added row stands last and a removed one first.
    if (add) {
        const QList<QTableWidgetItem*> selected = tab.held->selectedItems();
        QVERIFY(!selected.isEmpty());
        QCOMPARE(tab.held->item(selected.first()->row(), 0)->text(), id);
        if (sortColumn < 0)
            QCOMPARE(selected.first()->row(), tab.held->rowCount() - 1);
    } else if (sortColumn < 0) {
        QCOMPARE(TestSupport::rowTexts(tab.optional, 0), moved);
    }
}

void CityTabTest::cityRecordedOnce()
{
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    QVERIFY(tab.showCity("1", "3,12,"));
    QVERIFY(tab.rightClick(tab.held, "12"));
    QVERIFY(tab.rightClick(tab.optional, "12"));
    QVERIFY(tab.rightClick(tab.optional, "7"));
    QCOMPARE(tab.attributes("1"), QStringLiteral("3,12,7,"));
    QCOMPARE(WidgetTestAccess::pendingChanges(tab.w).value("citySpc"), QStringList{"1"});
    QCOMPARE(tab.w.findChild<QLabel*>(QStringLiteral("messageLabel"))->text(), QStringLiteral("您有新的数据需要保存!"));

    // A click below the rows moves nothing.
    for (QTableWidget* table : {tab.held, tab.optional}) {
        const int last = table->rowCount() - 1;
        const QPoint below(5, table->rowViewportPosition(last) + table->rowHeight(last) + 5);
        QVERIFY(!table->itemAt(below));
        emit table->customContextMenuRequested(below);
    }
    QCOMPARE(tab.attributes("1"), QStringLiteral("3,12,7,"));
}

void CityTabTest::groupBoxesHideTheirTables()
{
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    auto* heldGroup = tab.w.findChild<QGroupBox*>(QStringLiteral("citySpecialtyGroup"));
    auto* optionalGroup = tab.w.findChild<QGroupBox*>(QStringLiteral("optionalSpecialtyGroup"));
    auto* search = tab.w.findChild<AppSearchLine*>(QStringLiteral("specialtySearch"));
    QVERIFY(heldGroup && optionalGroup && search);
    QVERIFY(heldGroup->isChecked() && optionalGroup->isChecked());

    clickCheckBox(optionalGroup);
    QVERIFY(!optionalGroup->isChecked());
    QVERIFY(tab.optional->isHidden());
    QVERIFY(!search->isEnabled());
    QVERIFY(!tab.held->isHidden());
    clickCheckBox(optionalGroup);
    QVERIFY(!tab.optional->isHidden());
    QVERIFY(search->isEnabled());

    clickCheckBox(heldGroup);
    QVERIFY(tab.held->isHidden());
    clickCheckBox(heldGroup);
    QVERIFY(!tab.held->isHidden());
}

void CityTabTest::refillShowsRowsHiddenBySearch()
{
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    QVERIFY(tab.showCity("1", "3,"));
    auto* search = tab.w.findChild<AppSearchLine*>(QStringLiteral("specialtySearch"));
    const QString name = rowWithId(tab.optional, "5").value(1);
    QVERIFY(!name.isEmpty());
    search->setText(name);
    QTest::keyClick(search, Qt::Key_Return);
    const QTableWidgetItem* shown = OpenTab::find(tab.optional, "5");
    QVERIFY(!tab.optional->isRowHidden(shown->row()));
    QVERIFY(tab.optional->isRowHidden(OpenTab::find(tab.optional, "7")->row()));

    QVERIFY(tab.clickCity("2"));
    for (int row = 0; row < tab.optional->rowCount(); ++row)
        QVERIFY(!tab.optional->isRowHidden(row));
}

void CityTabTest::saveWritesOnlyThatCity()
{
    OpenTab tab;
    const QString cityFile = tab.game.gameFile("config/world/city.txt");
    const QByteArray before = readBytes(cityFile);
    QCOMPARE(tab.open(), QString());

    // The sample's city 1 holds 3 and 12; 12 goes, 7 comes.
    QVERIFY(tab.clickCity("1"));
    QCOMPARE(columnTexts(tab.held, 0), (QStringList{"3", "12"}));
    QVERIFY(tab.rightClick(tab.held, "12"));
    QVERIFY(tab.rightClick(tab.optional, "7"));
    QCOMPARE(columnTexts(tab.held, 0), (QStringList{"3", "7"}));

    auto* save = tab.w.findChild<MyButton*>(QStringLiteral("saveButton"));
    QVERIFY(save);
    QTest::mousePress(save, Qt::LeftButton);
    QVERIFY(tab.status().startsWith(QStringLiteral("保存成功!")));
    QVERIFY(WidgetTestAccess::pendingChanges(tab.w).isEmpty());

    const QByteArray record = QByteArray("{\"ID\":1,\"Temp\":");
    const int start = before.indexOf(record);
    QVERIFY(start >= 0);
    const QByteArray oldValue = "\"specialattributes\":\"3,12,\",";
    const int value = before.indexOf(oldValue, start);
    QVERIFY(value > start && before.indexOf('}', start) > value);
    QByteArray expected = before;
    expected.replace(value, oldValue.size(), "\"specialattributes\":\"3,7,\",");
    QCOMPARE(readBytes(cityFile), expected);
}

// Saves a picture of the tab with a city shown and a search typed, when CITYTAB_SCREENSHOT names a file.
void CityTabTest::screenshot()
{
    const QString path = qEnvironmentVariable("CITYTAB_SCREENSHOT");
    if (path.isEmpty())
        QSKIP("set CITYTAB_SCREENSHOT to a file name to save a picture of the city tab");
    OpenTab tab;
    QCOMPARE(tab.open(), QString());
    QVERIFY(tab.clickCity("6"));
    auto* search = tab.w.findChild<AppSearchLine*>(QStringLiteral("specialtySearch"));
    search->setText(QStringLiteral("铁"));
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(tab.w.grab().save(path));
}

QTEST_MAIN(CityTabTest)
#include "tst_citytab.moc"
