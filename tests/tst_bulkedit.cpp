// Many records at once, end to end: filter, select, bulk rule, undo, redo, export, edited CSV, import, save.
#include "gamedata/csvreader.h"
#include "gamedata/csvwriter.h"
#include "tablesupport.h"

#include <QtWidgets>

using namespace TestSupport;

class BulkEditTest : public QObject
{
    Q_OBJECT

private slots:
    void filterChangeExportImportSave();
};

void BulkEditTest::filterChangeExportImportSave()
{
    GameCopy game;
    Editor editor;
    MainWindow* w = editor.window.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    chooseStory(w, QStringLiteral("群雄割据"));
    auto* army = w->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    QByteArray expected = readBytes(game.gameFile(QStringLiteral("story/story01/stage.xml")));
    QString summary;
    Prompts::setDialogRunner([&summary](QDialog& dialog) {
        if (auto* amount = dialog.findChild<QLineEdit*>(QStringLiteral("bulkAmount")))
            amount->setText(QStringLiteral("110"));
        summary = dialog.findChild<QLabel*>()->text();
        return true;
    });
    QString suggested;
    Prompts::setCsvExportPicker([&game, &suggested](QWidget*, const QString& start) {
        suggested = QFileInfo(start).fileName();
        return game.path("army.csv");
    });
    Prompts::setCsvImportPicker([&game](QWidget*, const QString&) { return game.path("army.csv"); });

    // All selected, then filtered: ids 10 and 101 hold a 0; the cells of the rows it hides stay selected.
    clickCell(army, "10");
    QTest::keyClick(army, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "0");
    army->setFocus();
    QTest::keyClick(army, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(summary, QStringLiteral("修改10个单元格,跳过4个不能取数字的单元格"));
    QCOMPARE(status(w), QStringLiteral("已修改10个单元格"));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rowTexts(army, rowOfId(army, "10")).mid(2, 2), QStringList({"14", "87"}));
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);

    // The rows in view go out; back come a changed defence and a record the filter hides.
    pickFromMenu(army, army->item(rowOfId(army, "10"), 2), QStringLiteral("导出为CSV…"));
    QString error;
    QCOMPARE(status(w), QStringLiteral("已导出2行: ") + QDir::toNativeSeparators(game.path("army.csv")));
    QCOMPARE(suggested, QStringLiteral("兵种.csv"));
    QList<QStringList> rows = readCsvFile(game.path("army.csv"), &error);
    rows[1][5] = QStringLiteral("80");
    rows << QStringList{"1", "长枪兵", "0", "60", "42", "50", "12", "1"};
    QVERIFY(writeCsvFile(game.path("army.csv"), rows));
    pickFromMenu(army, army->item(rowOfId(army, "10"), 2), QStringLiteral("从CSV导入…"));
    QCOMPARE(w->document()->undoStack()->count(), 2);
    QCOMPARE(status(w), QStringLiteral("已导入2个值,保存后写入游戏文件"));

    QVERIFY(w->saveChanges());
    const char* const changes[][3] = {{"10", " a4=\"", "15"},   {"10", " a5=\"", "96"},  {"10", " a6=\"", "68"},
                                      {"10", " a7=\"", "80"},   {"10", " a8=\"", "24"},  {"101", " a4=\"", "46"},
                                      {"101", " a5=\"", "101"}, {"101", " a6=\"", "79"}, {"101", " a7=\"", "79"},
                                      {"101", " a8=\"", "35"},  {"1", " a5=\"", "60"}};
    for (const auto& change : changes)
        expected = withValue(expected, QByteArray("<armytype a0=\"") + change[0] + '"', change[1], change[2]);
    QCOMPARE(readBytes(game.gameFile(QStringLiteral("story/story01/stage.xml"))), expected);
}

QTEST_MAIN(BulkEditTest)
#include "tst_bulkedit.moc"
