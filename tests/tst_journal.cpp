// Edits through the journal end to end: marks, undo and redo, revert, and saves that never lose an edit.
#include "tablesupport.h"
#include "views/recordtableview.h"

#include <QDialog>
#include <QHeaderView>
#include <QUndoStack>

using namespace TestSupport;

Q_DECLARE_METATYPE(Prompts::ConflictAnswer)

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
    void saveMessages();
    void conflictAnswers_data();
    void conflictAnswers();
    void sortStaysAcrossStories();

private:
    std::unique_ptr<OpenEditor> open;
    MainWindow* w = nullptr;
    QTableWidget* army = nullptr;
    QTableWidget* skillTable = nullptr;
    QList<Prompts::SaveAnswer> answers;
    int questions = 0;

    QString path(const char* file) const { return open->game.gameFile(QString::fromLatin1(file)); }
    void clickArmy(const QString& id) { clickCell(army, id); }
    QTableWidgetItem* armyCell(const QString& id, int column) { return army->item(rowOfId(army, id), column); }
    QString message() const { return TestSupport::message(w); }
    QString status() const { return TestSupport::status(w); }
    void key(int keys) { QTest::keySequence(w, QKeySequence(keys)); }
};

void JournalTest::init()
{
    open = std::make_unique<OpenEditor>();
    w = open->w;
    army = child(w, "armyInfoTable");
    skillTable = child(w, "armySkillTable");
    answers.clear();
    questions = 0;
    Prompts::setSaveQuestion([this](QWidget*) {
        ++questions;
        return answers.isEmpty() ? Prompts::SaveAnswer::Cancel : answers.takeFirst();
    });
}

void JournalTest::cleanup()
{
    answers = {Prompts::SaveAnswer::Discard};
    open.reset();
    Prompts::setSaveQuestion(nullptr);
}

void JournalTest::editUndoRedoRevertSave()
{
    const QByteArray stage = readBytes(path("story/story01/stage.xml"));
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

    // A row's revert is one step too, and undoing it brings the saved value back as a change.
    editCell(army, "2", 2, "1");
    editCell(army, "2", 4, "2");
    pickFromMenu(army, armyCell("2", 4), QStringLiteral("还原此行"));
    QVERIFY(!w->document()->hasPendingChanges());
    key(Qt::CTRL + Qt::Key_Z);
    QCOMPARE(w->document()->journal().changedIds(RecordKind::ArmyType, 1, 6), QStringList{"2"});
    QCOMPARE(w->document()->journal().size(), 2);
    // A cell's revert leaves the row's other change.
    pickFromMenu(army, armyCell("2", 4), QStringLiteral("还原为文件中的值"));
    QCOMPARE(armyCell("2", 2)->text(), QStringLiteral("1"));
    QCOMPARE(w->document()->journal().size(), 1);
}

void JournalTest::openEditorIsPartOfSaveAndClose()
{
    const QByteArray stage = readBytes(path("story/story01/stage.xml"));
    QLineEdit* typing = openCellEditor(army, "1", 3);
    QVERIFY(typing);
    typing->setText("abc");
    key(Qt::CTRL + Qt::Key_S);
    QCOMPARE(status(), QStringLiteral("请输入非负整数!"));
    typing->setText("77");
    key(Qt::CTRL + Qt::Key_S);
    QCOMPARE(readBytes(path("story/story01/stage.xml")), withValue(stage, "<armytype a0=\"1\"", " a5=\"", "77"));

    openCellEditor(army, "1", 3)->setText("78");
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

    // A save takes the mark of the last field away too.
    editCell(army, "1", 7, "4");
    QVERIFY(armyCell("1", 7)->font().bold());
    QVERIFY(w->saveChanges());
    QVERIFY(!armyCell("1", 7)->font().bold());

    // An import into the skill table warns of a range above 7 as the bulk preview does.
    clickArmy("7");
    const QString skillName = skillTable->item(rowOfId(skillTable, "301"), 1)->text();
    const QString csv = open->game.path("army.csv");
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
    chooseStory(w, QStringLiteral("官渡之战"));
    QCOMPARE(status(), QStringLiteral("剧本数据读取失败!"));
    QCOMPARE(armyCell("1", 3)->text(), QStringLiteral("54"));
    QCOMPARE(w->document()->armyTypes().value("1").at(2), QStringLiteral("54"));
    QVERIFY(!w->document()->hasPendingChanges());
    QVERIFY(!w->document()->undoStack()->canUndo());
}

// A save names the folder of the copies; one that fails names the files and records it left, which stay
// pending, and an earlier success does not linger in the status bar.
void JournalTest::saveMessages()
{
    editCell(army, "1", 3, "66");
    QVERIFY(w->saveChanges());
    const QString runs = open->game.path("backup");
    QCOMPARE(status(), QStringLiteral("保存成功!  已备份原文件至: ") +
                           QDir::toNativeSeparators(runs + '/' +
                                                    QDir(runs).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0)));
    // The outcome stays until the next change.
    const QString outcome = status();
    QTest::qWait(2100);
    QCOMPARE(status(), outcome);
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
    QVERIFY(QFile::setPermissions(path("story/story01/stage.xml"), QFile::ReadOwner));
    editCell(army, "1", 3, "67");
    QCOMPARE(status(), QString());
    QVERIFY(!w->saveChanges());
    QCOMPARE(status(), QString());
    QVERIFY(message().startsWith(QStringLiteral("保存失败: ") +
                                 QDir::toNativeSeparators(path("story/story01/stage.xml")) +
                                 QStringLiteral("(文件是只读的,请在文件属性中取消“只读”后再保存)")));
}

void JournalTest::conflictAnswers_data()
{
    QTest::addColumn<Prompts::ConflictAnswer>("answer");
    QTest::addColumn<QString>("nearRangeOnDisk"); // skill 301's, after the save
    QTest::addColumn<bool>("statisticSaved");
    QTest::newRow("overwrite") << Prompts::ConflictAnswer::Overwrite << "5" << true;
    QTest::newRow("keep") << Prompts::ConflictAnswer::Keep << "40" << true;
    QTest::newRow("cancel") << Prompts::ConflictAnswer::Cancel << "40" << false;
}

// A range the user changed that another program changed on disk too: the save asks, and does as answered.
void JournalTest::conflictAnswers()
{
    QFETCH(Prompts::ConflictAnswer, answer);
    Prompts::setConflictQuestion([answer](QWidget*, const QStringList&) { return answer; });
    editCell(army, "1", 3, "66");
    clickArmy("7");
    editCell(skillTable, "301", 3, "5");
    const QString skills = path("config/battlefield/skill.txt");
    QVERIFY(writeBytes(skills, withValue(readBytes(skills), "{\"ID\":301,", "\"NearRange\":", "40")));
    const QByteArray stage = readBytes(path("story/story01/stage.xml"));
    w->saveChanges();
    Prompts::setConflictQuestion(nullptr);
    const QByteArray written = readBytes(skills);
    const int at = written.indexOf("\"NearRange\":", written.indexOf("{\"ID\":301,")) + 12;
    QTEST(QString::fromLatin1(written.mid(at, written.indexOf(',', at) - at)), "nearRangeOnDisk");
    QFETCH(bool, statisticSaved);
    QCOMPARE(readBytes(path("story/story01/stage.xml")) != stage, statisticSaved);
    QCOMPARE(w->document()->hasPendingChanges(), answer != Prompts::ConflictAnswer::Overwrite);
}

void JournalTest::sortStaysAcrossStories()
{
    army->sortByColumn(3, Qt::DescendingOrder);
    chooseStory(w, QStringLiteral("官渡之战"));
    QCOMPARE(army->horizontalHeader()->sortIndicatorSection(), 3);
    QStringList shown = columnTexts(army, 3);
    QStringList sorted = shown;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    QCOMPARE(shown, sorted);
}

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"
