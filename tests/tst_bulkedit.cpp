// Many records at once, end to end: filter, select, bulk rule, undo, redo, export, edited CSV, import, save.
#include "app/prompts.h"
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"
#include "tablesupport.h"
#include "testsupport.h"

#include <QtWidgets>

using namespace TestSupport;

class BulkEditTest : public QObject
{
    Q_OBJECT

private slots:
    void filterChangeExportImportSave();
};

// Right-clicks a statistic of army type 10 and picks the entry of its menu.
static void pickFromMenu(QTableWidget* table, const QString& entry)
{
    QTimer::singleShot(0, table, [entry] {
        QWidget* menu = QApplication::activePopupWidget();
        for (QAction* action : menu->actions()) {
            if (action->text() == entry)
                action->trigger();
        }
        menu->close();
    });
    emit table->customContextMenuRequested(table->visualItemRect(table->item(rowOfId(table, "10"), 2)).center());
    QApplication::setActiveWindow(table->window());
}

void BulkEditTest::filterChangeExportImportSave()
{
    GameCopy game;
    Editor editor;
    Widget* w = editor.widget.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    clickCell(w->findChild<QTableWidget*>(QStringLiteral("storyList")), 0, 0, true);
    auto* army = w->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    const QString csv = game.path(QStringLiteral("army.csv"));
    QByteArray expected = readBytes(game.gameFile(QStringLiteral("story/story01/stage.xml")));
    QString summary;
    Prompts::setDialogRunner([&summary](QDialog& dialog) {
        if (auto* amount = dialog.findChild<QSpinBox*>(QStringLiteral("bulkAmount")))
            amount->setValue(110);
        summary = dialog.findChild<QLabel*>()->text();
        return true;
    });
    Prompts::setCsvExportPicker([&csv](QWidget*, const QString&) { return csv; });
    Prompts::setCsvImportPicker([&csv](QWidget*, const QString&) { return csv; });

    // Ids 10 and 101 hold a 0; 12 and 25 stand between them, hidden, in the selected rectangle.
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "0");
    clickCell(army, rowOfId(army, "10"), 1);
    QTest::mouseClick(army->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      army->visualItemRect(army->item(rowOfId(army, "101"), 3)).center());
    QTest::keyClick(army, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(summary, QStringLiteral("修改4个单元格,跳过2个不能取数字的单元格"));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rowTexts(army, rowOfId(army, "10")).mid(2, 2), QStringList({"14", "87"}));
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);

    // The rows in view go out; back come a changed defence, a record the filter hides, and a ragged row.
    pickFromMenu(army, QStringLiteral("导出为CSV…"));
    QString error;
    QList<QStringList> rows = readCsvFile(csv, &error);
    rows[1][5] = QStringLiteral("80");
    rows << QStringList{"1", "长枪兵", "0", "60", "42", "50", "12", "1"} << QStringList{"999", "无", "1"};
    QVERIFY(writeCsvFile(csv, rows));
    pickFromMenu(army, QStringLiteral("从CSV导入…"));
    QCOMPARE(summary, QStringLiteral("将修改2个值;1个错误,0个警告(见下表)"));
    QCOMPARE(w->undoStack()->count(), 2);

    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    const char* const changes[][3] = {{"10", " a4=\"", "15"},  {"10", " a5=\"", "96"},   {"10", " a7=\"", "80"},
                                      {"101", " a4=\"", "46"}, {"101", " a5=\"", "101"}, {"1", " a5=\"", "60"}};
    for (const auto& change : changes)
        expected = withValue(expected, QByteArray("<armytype a0=\"") + change[0] + '"', change[1], change[2]);
    QCOMPARE(readBytes(game.gameFile(QStringLiteral("story/story01/stage.xml"))), expected);
}

QTEST_MAIN(BulkEditTest)
#include "tst_bulkedit.moc"
