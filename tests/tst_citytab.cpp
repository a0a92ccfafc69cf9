// The city tab on a copy of the sample game: the specialties a city holds and may take, moving them with right
// clicks, and what a save writes.
#include "tablesupport.h"

using namespace TestSupport;

class CityTabTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        open = std::make_unique<OpenEditor>();
        w = open->w;
        cities = child(w, "cityTable");
        held = child(w, "citySpecialtyTable");
        optional = child(w, "optionalSpecialtyTable");
        clickTab(w, 1);
        QVERIFY(cities->isVisible());
    }

    void cleanup() { open.reset(); }

    void showCity_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QStringList>("heldIds");
        QTest::newRow("zero-city-holds-nothing") << "0," << QStringList();
        QTest::newRow("held-in-text-order") << "12,3," << QStringList{"12", "3"};
        QTest::newRow("missing-from-catalogue") << "3,99," << QStringList{"3", "99"};
    }

    // Every specialty of the catalogue stands in exactly one of the two tables, the optional ones by number.
    void showCity()
    {
        QFETCH(QString, attributes);
        QFETCH(QStringList, heldIds);
        showCity(attributes);
        QCOMPARE(columnTexts(held, 0), heldIds);
        QStringList catalogue;
        for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 22, 25})
            catalogue += heldIds.contains(QString::number(id)) ? QString() : QString::number(id);
        catalogue.removeAll(QString());
        QCOMPARE(columnTexts(optional, 0), catalogue);
        QCOMPARE(rowTexts(optional, rowOfId(optional, "5")),
                 QStringList({"5", "桑蚕", "商业收入增加一成", "丝绸, 瓷器", "拥有桑田"}));
    }

    void moveSpecialty_data()
    {
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<QString>("id");  // a held one goes, an optional one comes
        QTest::addColumn<bool>("sorted"); // both tables sorted by id, descending, first
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("heldAfter");
        const auto row = [](const char* name, const char* attributes, const char* id, bool sorted, const char* expected,
                            const char* heldAfter) {
            QTest::newRow(name) << QString(attributes) << QString(id) << sorted << QString(expected)
                                << QString(heldAfter);
        };
        row("remove-keeps-ids-ending-in-same-digits", "12,2,22,", "2", false, "12,22,", "12,22");
        row("remove-every-entry-of-id", "3,12,3,", "3", false, "12,", "12");
        row("remove-only-entry-leaves-zero", "12,", "12", false, "0,", "");
        row("remove-after-sorting", "3,12,22,", "12", true, "3,22,", "22,3");
        row("add-to-zero-city", "0,", "7", false, "7,", "7");
        row("add-keeps-the-users-sort", "3,12,", "7", true, "3,12,7,", "12,7,3");
        row("tenth-entry-accepted", "1,2,3,4,5,6,8,9,10,", "7", false, "1,2,3,4,5,6,8,9,10,7,", "1,2,3,4,5,6,8,9,10,7");
        row("eleventh-entry-refused", "1,2,3,4,5,6,8,9,10,11,", "7", false, "1,2,3,4,5,6,8,9,10,11,",
            "1,2,3,4,5,6,8,9,10,11");
    }

    void moveSpecialty()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, id);
        QFETCH(bool, sorted);
        QFETCH(QString, expected);
        showCity(attributes);
        const bool add = rowOfId(held, id) < 0;
        QTableWidget* from = add ? optional : held;
        QTableWidget* to = add ? held : optional;
        if (sorted) {
            from->sortByColumn(0, Qt::DescendingOrder);
            to->sortByColumn(0, Qt::DescendingOrder);
        }
        const QStringList heldBefore = columnTexts(held, 0);
        const QStringList moved = rowTexts(from, rowOfId(from, id));
        child<QStatusBar>(w, "statusBar")->clearMessage();
        rightClick(from, id);
        QCOMPARE(w->document()->cities().value("1").value(1), expected);
        QTEST(columnTexts(held, 0).join(','), "heldAfter");
        const bool refused = expected == attributes;
        QCOMPARE(status(w), refused ? QStringLiteral("城市特性不能超过10个!") : QString());
        QCOMPARE(w->document()->hasPendingChanges(), !refused);
        QCOMPARE(rowOfId(from, id) < 0, !refused);
        // Unsorted, an added row stands last and a removed one first; sorted, where the sort puts it.
        const int movedTo = sorted ? rowOfId(to, id) : add ? to->rowCount() - 1 : 0;
        QVERIFY(refused || rowTexts(to, movedTo) == moved);
        // The city's row menu puts the file's list back.
        if (!refused) {
            pickFromMenu(cities, cities->item(rowOfId(cities, QStringLiteral("1")), 0), QStringLiteral("还原此行"));
            QCOMPARE(w->document()->cities().value("1").value(1), attributes);
            QCOMPARE(columnTexts(held, 0), heldBefore);
        }
    }

    // The specialty panels follow the current city, reached by a click or the keys, and go empty when a filter
    // hides it: a right click then edits nothing.
    void panelsFollowTheCurrentCity()
    {
        clickCell(cities, QStringLiteral("2"));
        QTest::keyClick(cities, Qt::Key_Down);
        QCOMPARE(columnTexts(held, 0), QStringList({"4", "9"}));
        rightClick(optional, QStringLiteral("6"));
        QCOMPARE(w->document()->cities().value("3").value(1), QStringLiteral("4,9,6,"));
        QCOMPARE(w->document()->cities().value("2").value(1), QStringLiteral("1,2,5,7,8,11,14,15,17,20,"));
        QTest::keyClick(cities, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(columnTexts(held, 0).join(','), QStringLiteral("1,3,14,16,20,22,25,9,11,6"));
        child<QLineEdit>(w, "cityTableSearch")->setText(QStringLiteral("洛阳"));
        QTRY_COMPARE(held->rowCount() + optional->rowCount(), 0);
        rightClick(optional, QString());
        QCOMPARE(w->document()->journal().size(), 1);
    }

    void saveWritesOnlyThatCity()
    {
        const QByteArray before = open->bytes("config/world/city.txt");
        clickCell(cities, QStringLiteral("1"));
        QCOMPARE(columnTexts(held, 0), QStringList({"3", "12"}));
        rightClick(held, QStringLiteral("12"));
        rightClick(optional, QStringLiteral("7"));
        // Right clicks below the rows move nothing.
        rightClick(held, QString());
        rightClick(optional, QString());
        QCOMPARE(columnTexts(held, 0), QStringList({"3", "7"}));
        press(w, "saveButton");
        QVERIFY(status(w).startsWith(QStringLiteral("保存成功!")));
        QVERIFY(!w->document()->hasPendingChanges());
        const QByteArray record(
            "{\"ID\":1,\"Temp\":\"洛阳\",\"Pos\":12,\"Level\":5,\"Troops\":40000,\"specialattributes\":\"3,");
        QCOMPARE(open->bytes("config/world/city.txt"), QByteArray(before).replace(record + "12,\"", record + "7,\""));
        // The held list folds away with its group's check box.
        QTest::keyClick(child<QWidget>(w, "citySpecialtyGroup"), Qt::Key_Space);
        QVERIFY(held->isHidden());
    }

private:
    std::unique_ptr<OpenEditor> open;
    MainWindow* w = nullptr;
    QTableWidget* cities = nullptr;
    QTableWidget* held = nullptr;
    QTableWidget* optional = nullptr;

    // Gives city 1 the special attributes text in its file, reads the game anew and clicks the city.
    void showCity(const QString& attributes)
    {
        const QString path = open->game.gameFile(QStringLiteral("config/world/city.txt"));
        QByteArray bytes = readBytes(path);
        const QByteArray key("\"specialattributes\":\"");
        const int at = bytes.indexOf(key, bytes.indexOf("{\"ID\":1,")) + key.size();
        QVERIFY(writeBytes(path, bytes.replace(at, bytes.indexOf('"', at) - at, attributes.toUtf8())));
        QVERIFY(w->document()->open(open->game.gamePath()));
        clickCell(cities, QStringLiteral("1"));
    }
};

QTEST_MAIN(CityTabTest)
#include "tst_citytab.moc"
