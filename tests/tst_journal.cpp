// Edits through the journal end to end: marks, undo and redo, revert, and saves that never lose an edit.
#include "tablesupport.h"
#include "views/recordtableview.h"
#include "widgets/elidedlabel.h"
#include "widgets/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

using namespace TestSupport;

class JournalTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void editUndoRedoRevertSave();
    void openEditorIsPartOfSaveAndClose();
    void keysSelectTheChangedCellAlone();
    void lastFieldAndMixedKindsFollow();
    void discardAtSwitchRestoresFileValues();
    void refusedRecordStaysPending();
    void failedSaveAfterSuccess();
    void unreadableArmyTypesKeepStory();
    void sortAndCityListFollowTheUser();
    void longMessageDoesNotWidenWindow();

private:
    std::unique_ptr<GameCopy> game;
    std::unique_ptr<Editor> editor;
    MainWindow* w = nullptr;
    QTableWidget* army = nullptr;
    QTableWidget* skillTable = nullptr;
    QList<Prompts::SaveAnswer> answers;
    int questions = 0;

    QString path(const char* file) const { return game->gameFile(QString::fromLatin1(file)); }
    void selectStory(int number);
    void clickArmy(const QString& id) { clickCell(army, id); }
    QTableWidgetItem* armyCell(const QString& id, int column) { return army->item(rowOfId(army, id), column); }
    QString message() const { return w->findChild<QLabel*>(QStringLiteral("messageLabel"))->text(); }
    QString status() const { return w->findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage(); }
    void key(int keys) { QTest::keySequence(w, QKeySequence(keys)); }
    QLineEdit* openEditor(const QString& id, int column)
    {
        army->setCurrentCell(rowOfId(army, id), column);
        army->editItem(armyCell(id, column));
        for (QLineEdit* open : army->viewport()->findChildren<QLineEdit*>()) {
            if (open->isVisible())
                return open;
        }
        return nullptr;
    }
    // Opens the cell's context menu and picks the entry with that text.
    void pickFromMenu(QTableWidget* table, QTableWidgetItem* cell, const QString& entry);
};

void JournalTest::init()
{
    game = std::make_unique<GameCopy>();
    editor = std::make_unique<Editor>();
    w = editor->window.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    army = w->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    skillTable = w->findChild<QTableWidget*>(QStringLiteral("armySkillTable"));
    answers.clear();
    questions = 0;
    Prompts::setSaveQuestion([this](QWidget*) {
        ++questions;
        return answers.isEmpty() ? Prompts::SaveAnswer::Cancel : answers.takeFirst();
    });
    selectStory(0);
}

void JournalTest::cleanup()
{
    answers = {Prompts::SaveAnswer::Discard};
    editor.reset();
    Prompts::setSaveQuestion(nullptr);
    game.reset();
}

void JournalTest::selectStory(int number)
{
    chooseStory(w, w->document()->stories().value(number).at(1));
}

void JournalTest::pickFromMenu(QTableWidget* table, QTableWidgetItem* cell, const QString& entry)
{
    bool picked = false;
    QTimer::singleShot(0, this, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            if (action->text() == entry && action->isEnabled()) {
                action->trigger();
                picked = true;
            }
        }
        if (menu)
            menu->close();
    });
    emit table->customContextMenuRequested(table->visualItemRect(cell).center());
    QVERIFY2(picked, qPrintable(entry));
    QApplication::setActiveWindow(w);
}

void JournalTest::editUndoRedoRevertSave()
{
    const QByteArray stage = readBytes(path("story/story01/stage.xml"));
    const QByteArray skills = readBytes(path("config/battlefield/skill.txt"));
    editCell(army, "1", 3, "66");
    clickArmy("7");
    editCell(skillTable, "301", 3, "5");
    QTableWidgetItem* attack = armyCell("1", 3);
    QVERIFY(attack->font().bold());
    QCOMPARE(attack->toolTip(), QStringLiteral("原值: 54"));

    // Undo brings the changed cell into view, also from behind a filter, and selects it.
    w->findChild<QLineEdit*>(QStringLiteral("armyInfoTableSearch"))->setText(QStringLiteral("骑"));
    QVERIFY(army->isRowHidden(rowOfId(army, "1")));
    skillTable->setCurrentCell(rowOfId(skillTable, "301"), 1);
    key(Qt::CTRL + Qt::Key_Z);
    QCOMPARE(skillTable->selectedItems(), QList<QTableWidgetItem*>{skillTable->item(rowOfId(skillTable, "301"), 3)});
    key(Qt::CTRL + Qt::Key_Z);
    QVERIFY(!army->isRowHidden(rowOfId(army, "1")));
    QCOMPARE(armyCell("1", 3)->text(), QStringLiteral("54"));
    QVERIFY(!armyCell("1", 3)->font().bold());
    QVERIFY(!w->document()->hasPendingChanges());
    QCOMPARE(army->currentItem(), armyCell("1", 3));
    QVERIFY(armyCell("1", 3)->isSelected());
    key(Qt::CTRL + Qt::Key_Y);
    key(Qt::CTRL + Qt::SHIFT + Qt::Key_Z);
    QCOMPARE(armyCell("1", 3)->text(), QStringLiteral("66"));
    QCOMPARE(skillTable->item(rowOfId(skillTable, "301"), 3)->text(), QStringLiteral("5"));

    pickFromMenu(skillTable, skillTable->item(rowOfId(skillTable, "301"), 3), QStringLiteral("还原为文件中的值"));
    QCOMPARE(skillTable->item(rowOfId(skillTable, "301"), 3)->text(), QStringLiteral("2"));
    key(Qt::CTRL + Qt::Key_S);
    QCOMPARE(readBytes(path("story/story01/stage.xml")), withValue(stage, "<armytype a0=\"1\"", " a5=\"", "66"));
    QCOMPARE(readBytes(path("config/battlefield/skill.txt")), skills);
    QVERIFY(!armyCell("1", 3)->font().bold());
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));

    // A row's revert is one step too, and undoing it brings the saved value back as a change.
    editCell(army, "2", 2, "1");
    editCell(army, "2", 4, "2");
    pickFromMenu(army, armyCell("2", 4), QStringLiteral("还原此行"));
    QVERIFY(!w->document()->hasPendingChanges());
    key(Qt::CTRL + Qt::Key_Z);
    QCOMPARE(w->document()->journal().changedIds(RecordKind::ArmyType, 1, 6), QStringList{"2"});
    QCOMPARE(w->document()->journal().size(), 2);
}

void JournalTest::openEditorIsPartOfSaveAndClose()
{
    const QByteArray stage = readBytes(path("story/story01/stage.xml"));
    QLineEdit* open = openEditor("1", 3);
    QVERIFY(open);
    open->setText("abc");
    key(Qt::CTRL + Qt::Key_S);
    QCOMPARE(status(), QStringLiteral("请输入非负整数!"));
    open->setText("77");
    key(Qt::CTRL + Qt::Key_S);
    QCOMPARE(readBytes(path("story/story01/stage.xml")), withValue(stage, "<armytype a0=\"1\"", " a5=\"", "77"));

    openEditor("1", 3)->setText("78");
    QVERIFY(!w->close());
    QCOMPARE(questions, 1);
    QCOMPARE(w->document()->journal().size(), 1);
}

void JournalTest::keysSelectTheChangedCellAlone()
{
    // The last statistic, 射程, as any other: undo and redo select its cell and nothing else.
    editCell(army, "3", 7, "9");
    for (const int keys :
         {Qt::CTRL + Qt::Key_Z, Qt::CTRL + Qt::Key_Y, Qt::CTRL + Qt::Key_Z, Qt::CTRL + Qt::SHIFT + Qt::Key_Z}) {
        clickCell(army, "2", 2);
        key(keys);
        QCOMPARE(army->selectedItems(), QList<QTableWidgetItem*>{armyCell("3", 7)});
    }
}

void JournalTest::lastFieldAndMixedKindsFollow()
{
    editCell(army, "1", 7, "3");
    clickArmy("7");
    editCell(skillTable, "301", 3, "5");
    // One step that sets back fields of two kinds redraws both.
    w->document()->revertFields({{RecordKind::Skill, "301", 2}, {RecordKind::ArmyType, "1", 6}});
    QCOMPARE(skillTable->item(rowOfId(skillTable, "301"), 3)->text(), QStringLiteral("2"));
    QCOMPARE(armyCell("1", 7)->text(), QStringLiteral("1"));
    QVERIFY(!armyCell("1", 7)->font().bold());

    // A value still being typed is exported as the table shows it, and a save takes the marks away.
    QLineEdit* open = openEditor("1", 7);
    QVERIFY(open);
    open->setText("4");
    const QString csv = game->path("army.csv");
    Prompts::setCsvExportPicker([csv](QWidget*, const QString&) { return csv; });
    army->findChild<RecordTableView*>()->exportTable();
    Prompts::setCsvExportPicker(nullptr);
    QVERIFY(readBytes(csv).contains(",4\r\n") || readBytes(csv).contains(",4\n"));
    QVERIFY(armyCell("1", 7)->font().bold());
    QVERIFY(w->saveChanges());
    QVERIFY(!armyCell("1", 7)->font().bold());

    // An import into the skill table warns of a range above 7 as the bulk preview does.
    clickArmy("7");
    const QString skillName = skillTable->item(rowOfId(skillTable, "301"), 1)->text();
    QVERIFY(writeBytes(csv, "ID,技能,远程范围,近战范围\n301," + skillName.toUtf8() + ",9,2\n"));
    QString tip;
    Prompts::setCsvImportPicker([csv](QWidget*, const QString&) { return csv; });
    Prompts::setDialogRunner([&tip](QDialog& dialog) {
        tip = dialog.findChild<QTableWidget*>(QStringLiteral("importChanges"))->item(0, 3)->toolTip();
        return false;
    });
    skillTable->findChild<RecordTableView*>()->importTable();
    Prompts::setCsvImportPicker(nullptr);
    Prompts::setDialogRunner(nullptr);
    QCOMPARE(tip, QStringLiteral("攻击范围超过7可能导致游戏崩溃"));
}

void JournalTest::discardAtSwitchRestoresFileValues()
{
    editCell(army, "1", 3, "66");
    QVERIFY(QFile::remove(path("story/story02/stage.xml")));
    answers = {Prompts::SaveAnswer::Discard};
    selectStory(1);
    QCOMPARE(status(), QStringLiteral("剧本数据读取失败!"));
    QCOMPARE(armyCell("1", 3)->text(), QStringLiteral("54"));
    QCOMPARE(w->document()->armyTypes().value("1").at(2), QStringLiteral("54"));
    QVERIFY(!w->document()->hasPendingChanges());
    QVERIFY(!w->document()->undoStack()->canUndo());
}

void JournalTest::refusedRecordStaysPending()
{
    clickArmy("7");
    editCell(skillTable, "301", 3, "5");
    const QString skills = path("config/battlefield/skill.txt");
    QVERIFY(writeBytes(skills, readBytes(skills).replace("\"SkillPoint\":5,\"FarRange\":0,\"NearRange\":2",
                                                         "\"SkillPoint\":5,\"FarRange\":0,\"Near\":2")));
    QVERIFY(!w->saveChanges());
    QCOMPARE(message(), QStringLiteral("未写入的记录: skill.txt 301"));
    QCOMPARE(status(), QString());
    QVERIFY(skillTable->item(rowOfId(skillTable, "301"), 3)->font().bold());
    QCOMPARE(w->document()->journal().changedIds(RecordKind::Skill, 1, 2), QStringList{"301"});
}

void JournalTest::failedSaveAfterSuccess()
{
    editCell(army, "1", 3, "66");
    QVERIFY(w->saveChanges());
    const QString runs = game->path("backup");
    QCOMPARE(status(), QStringLiteral("保存成功!  已备份原文件至: ") +
                           QDir::toNativeSeparators(runs + '/' +
                                                    QDir(runs).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0)));
    // The outcome stays until the next change.
    const QString outcome = status();
    QTest::qWait(2100);
    QCOMPARE(status(), outcome);
    QVERIFY(QFile::setPermissions(path("story/story01/stage.xml"), QFile::ReadOwner));
    editCell(army, "1", 3, "67");
    QCOMPARE(status(), QString());
    QVERIFY(!w->saveChanges());
    QCOMPARE(status(), QString());
    QCOMPARE(message(), QStringLiteral("保存失败: ") + QDir::toNativeSeparators(path("story/story01/stage.xml")) +
                            QStringLiteral("(文件是只读的,请在文件属性中取消“只读”后再保存)"));
}

void JournalTest::unreadableArmyTypesKeepStory()
{
    const QString label = w->findChild<QLabel*>(QStringLiteral("storyLabel"))->text();
    QVERIFY(QFile::remove(path("config/army/armytype.txt")));
    selectStory(1);
    QCOMPARE(status(), QStringLiteral("兵种数据读取失败!"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("storyLabel"))->text(), label);
    QCOMPARE(w->document()->stagePath(), path("story/story01/stage.xml"));
}

void JournalTest::sortAndCityListFollowTheUser()
{
    army->sortByColumn(3, Qt::DescendingOrder);
    selectStory(1);
    QCOMPARE(army->horizontalHeader()->sortIndicatorSection(), 3);
    QStringList shown = columnTexts(army, 3);
    QStringList sorted = shown;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    QCOMPARE(shown, sorted);

    // Reached with the keyboard, the city tab shows its cities too.
    auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(w->findChild<QTableWidget*>(QStringLiteral("cityTable"))->rowCount() > 0);
}

void JournalTest::longMessageDoesNotWidenWindow()
{
    // However many files a save names, the label shows what fits and its tooltip has them all.
    auto* label = w->findChild<ElidedLabel*>(QStringLiteral("messageLabel"));
    const QString failures = QStringLiteral("保存失败: D:/游戏/story/story01/stage.xml  ").repeated(20);
    label->setText(failures);
    QCOMPARE(label->sizeHint().width(), 0);
    QCOMPARE(label->toolTip(), failures);
}

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"
