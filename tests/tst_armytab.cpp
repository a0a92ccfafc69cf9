// The army tab end to end: story selection, the statistics table, the change set and saving.
#include "app/prompts.h"
#include "tablesupport.h"
#include "testsupport.h"

#include <QApplication>
#include <QBrush>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace TestSupport;

class ArmyTabTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void selectingStoryFillsTable();
    void selectionFollowsStoryAfterSorting();
    void unreadableStageIsNotSelected();
    void tableOrderFlagsAndColours();
    void editRecordsOnceAndUpdatesRecord();
    void nonDigitEditsAreRefused_data();
    void nonDigitEditsAreRefused();
    void editAfterSortingHitsTheRightRecord();
    void saveWritesStageAndArmyTypeFiles();
    void failedSaveKeepsChanges();
    void switchingStoryAsksAboutPendingStatistics_data();
    void switchingStoryAsksAboutPendingStatistics();
    void storyValuesDoNotLinger();
    void quittingAsksAboutUnsavedChanges_data();
    void quittingAsksAboutUnsavedChanges();
    void ctrlSSaves();
    void needsSaveRewritesOnlyNeeds();

private:
    std::unique_ptr<GameCopy> game;
    std::unique_ptr<Editor> editor;
    Widget* w = nullptr;
    QTableWidget* stories = nullptr;
    QTableWidget* army = nullptr;
    QList<Prompts::SaveAnswer> answers;
    int questions = 0;

    void selectStoryNamed(const QString& name);
    QString message() const { return w->findChild<QLabel*>(QStringLiteral("messageLabel"))->text(); }
    QString status() const { return w->findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage(); }
    QString storyLabel() const { return w->findChild<QLabel*>(QStringLiteral("storyLabel"))->text(); }
    QByteArray armyTypeBytes() const { return readBytes(game->gameFile(QStringLiteral("config/army/armytype.txt"))); }
    QByteArray stageBytes(const QString& story) const
    {
        return readBytes(game->gameFile(QStringLiteral("story/%1/stage.xml").arg(story)));
    }
};

void ArmyTabTest::init()
{
    game = std::make_unique<GameCopy>();
    QVERIFY(game->isValid());
    editor = std::make_unique<Editor>();
    w = editor->widget.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    stories = w->findChild<QTableWidget*>(QStringLiteral("storyList"));
    army = w->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    QVERIFY(stories && army);
    answers.clear();
    questions = 0;
    Prompts::setSaveQuestion([this](QWidget*) {
        ++questions;
        return answers.isEmpty() ? Prompts::SaveAnswer::Cancel : answers.takeFirst();
    });
}

void ArmyTabTest::cleanup()
{
    Prompts::setSaveQuestion(nullptr);
    editor.reset();
    game.reset();
}

void ArmyTabTest::selectStoryNamed(const QString& name)
{
    if (!stories->isVisible())
        QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("storyButton")), Qt::LeftButton);
    const int row = columnTexts(stories, 0).indexOf(name);
    QVERIFY2(row >= 0, qPrintable(name));
    clickCell(stories, row, 0, true);
}

void ArmyTabTest::selectingStoryFillsTable()
{
    QVERIFY(stories->isVisible());
    QCOMPARE(army->rowCount(), 0);
    selectStoryNamed(QStringLiteral("群雄割据"));
    QVERIFY(!stories->isVisible());
    QVERIFY(w->findChild<QTabWidget*>(QStringLiteral("tabWidget"))->isVisible());
    QCOMPARE(storyLabel(), QStringLiteral("剧本: 【群雄割据】"));
    QCOMPARE(WidgetTestAccess::stagePath(*w), game->gameFile(QStringLiteral("story/story01/stage.xml")));
    QCOMPARE(army->rowCount(), WidgetTestAccess::armyTypes(*w).size());
    // Declared in the story: its values; not declared: armytype.txt's.
    const int spearmen = rowOfId(army, QStringLiteral("1"));
    QCOMPARE(army->item(spearmen, 3)->text(), QStringLiteral("54"));
    QCOMPARE(army->item(rowOfId(army, QStringLiteral("12")), 1)->text(),
             WidgetTestAccess::armyTypes(*w).value(QStringLiteral("12")).at(0));

    // The side menu swaps list and tabs without reading anything.
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("storyButton")), Qt::LeftButton);
    QVERIFY(stories->isVisible());
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("storyButton")), Qt::RightButton);
    QVERIFY(!stories->isVisible());
}

void ArmyTabTest::selectionFollowsStoryAfterSorting()
{
    stories->sortByColumn(0, Qt::DescendingOrder);
    const StoryCatalogue catalogue = WidgetTestAccess::stories(*w);
    const QString lastName = catalogue.last().at(1);
    QVERIFY(columnTexts(stories, 0).indexOf(lastName) != catalogue.size() - 1 || catalogue.size() == 1);
    selectStoryNamed(lastName);
    QCOMPARE(WidgetTestAccess::stagePath(*w), catalogue.last().at(0) + QStringLiteral("/stage.xml"));
    QCOMPARE(storyLabel(), QStringLiteral("剧本: 【%1】").arg(lastName));
}

void ArmyTabTest::unreadableStageIsNotSelected()
{
    selectStoryNamed(QStringLiteral("群雄割据"));
    const QString before = WidgetTestAccess::stagePath(*w);
    const QStringList shownBefore = columnTexts(army, 3);

    const StoryCatalogue catalogue = WidgetTestAccess::stories(*w);
    const QString otherName = catalogue.value(1).at(1);
    QVERIFY(QFile::remove(catalogue.value(1).at(0) + QStringLiteral("/stage.xml")));
    selectStoryNamed(otherName);
    QCOMPARE(status(), QStringLiteral("剧本数据读取失败!"));
    QCOMPARE(WidgetTestAccess::stagePath(*w), before);
    QCOMPARE(storyLabel(), QStringLiteral("剧本: 【群雄割据】"));
    QCOMPARE(columnTexts(army, 3), shownBefore);
}

void ArmyTabTest::tableOrderFlagsAndColours()
{
    selectStoryNamed(QStringLiteral("群雄割据"));
    QStringList ids = columnTexts(army, 0);
    QStringList sorted = ids;
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    QCOMPARE(ids, sorted);
    QVERIFY(ids.indexOf(QStringLiteral("12")) < ids.indexOf(QStringLiteral("101")));

    for (int col = 0; col < 8; ++col) {
        const QTableWidgetItem* cell = army->item(0, col);
        QCOMPARE(bool(cell->flags() & Qt::ItemIsEditable), col >= 2);
        QCOMPARE(cell->background().color() == QColor(QStringLiteral("#555555")), col < 2);
    }
    QCOMPARE(army->horizontalHeaderItem(7)->text(), QStringLiteral("射程"));
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QCOMPARE(message(), QString());

    // Header sorting orders numbers by value.
    army->sortByColumn(0, Qt::DescendingOrder);
    QCOMPARE(columnTexts(army, 0).first(), QStringLiteral("101"));
    army->sortByColumn(3, Qt::AscendingOrder);
    const QStringList melee = columnTexts(army, 3);
    for (int row = 1; row < melee.size(); ++row)
        QVERIFY(melee.at(row - 1).toInt() <= melee.at(row).toInt());
}

void ArmyTabTest::editRecordsOnceAndUpdatesRecord()
{
    selectStoryNamed(QStringLiteral("群雄割据"));
    const int row = rowOfId(army, QStringLiteral("3"));
    const QStringList before = WidgetTestAccess::armyTypes(*w).value(QStringLiteral("3"));
    editCell(army, row, 4, QStringLiteral("77"));
    editCell(army, row, 4, QStringLiteral("78"));
    QStringList expected = before;
    expected[3] = QStringLiteral("78");
    QCOMPARE(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("3")), expected);
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyInfo")), QStringList{"3"});
    QCOMPARE(message(), QStringLiteral("您有新的数据需要保存!"));
    clickCell(army, rowOfId(army, QStringLiteral("3")), 0);
    QCOMPARE(WidgetTestAccess::currentArmyId(*w), QStringLiteral("3"));
}

void ArmyTabTest::nonDigitEditsAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("negative") << "-5";
    QTest::newRow("letters") << "abc";
    QTest::newRow("decimal") << "1.5";
    QTest::newRow("blank-inside") << "1 2";
    QTest::newRow("ten-digits") << "1234567890";
    QTest::newRow("full-width-digits") << "１２";
}

void ArmyTabTest::nonDigitEditsAreRefused()
{
    QFETCH(QString, typed);
    selectStoryNamed(QStringLiteral("群雄割据"));
    const int row = rowOfId(army, QStringLiteral("2"));
    const QString before = army->item(row, 2)->text();
    editCell(army, row, 2, typed);
    QCOMPARE(army->item(rowOfId(army, QStringLiteral("2")), 2)->text(), before);
    QCOMPARE(status(), QStringLiteral("请输入非负整数!"));
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QCOMPARE(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("2")).at(1), before);
}

void ArmyTabTest::editAfterSortingHitsTheRightRecord()
{
    selectStoryNamed(QStringLiteral("群雄割据"));
    army->sortByColumn(6, Qt::DescendingOrder);
    // Editing the sort column moves the row while it is being edited.
    const int row = rowOfId(army, QStringLiteral("4"));
    editCell(army, row, 6, QStringLiteral("999"));
    QCOMPARE(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("4")).at(5), QStringLiteral("999"));
    QCOMPARE(army->item(rowOfId(army, QStringLiteral("4")), 6)->text(), QStringLiteral("999"));
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyInfo")), QStringList{"4"});
    clickCell(army, rowOfId(army, QStringLiteral("9")), 1);
    QCOMPARE(WidgetTestAccess::currentArmyId(*w), QStringLiteral("9"));
}

void ArmyTabTest::saveWritesStageAndArmyTypeFiles()
{
    const QByteArray stage = stageBytes(QStringLiteral("story01"));
    const QByteArray armyTypes = armyTypeBytes();
    selectStoryNamed(QStringLiteral("群雄割据"));
    // Army type 5 is declared in the story, 12 is not.
    editCell(army, rowOfId(army, QStringLiteral("5")), 3, QStringLiteral("80"));
    editCell(army, rowOfId(army, QStringLiteral("5")), 7, QStringLiteral("2"));
    editCell(army, rowOfId(army, QStringLiteral("12")), 2, QStringLiteral("33"));
    editCell(army, rowOfId(army, QStringLiteral("12")), 6, QStringLiteral("21"));

    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("saveButton")), Qt::LeftButton);
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));
    QCOMPARE(message(), QString());
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());

    QByteArray expectedStage = withValue(stage, "<armytype a0=\"5\"", " a5=\"", "80");
    expectedStage = withValue(expectedStage, "<armytype a0=\"5\"", " a10=\"", "2");
    QCOMPARE(stageBytes(QStringLiteral("story01")), expectedStage);
    QByteArray expectedArmyTypes = withValue(armyTypes, "{\"Type\":12,", "\"LongAttack\":", "33");
    expectedArmyTypes = withValue(expectedArmyTypes, "{\"Type\":12,", "\"Destroy\":", "21");
    QCOMPARE(armyTypeBytes(), expectedArmyTypes);

    // Nothing pending: the save button does nothing at all.
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("saveButton")), Qt::LeftButton);
    QCOMPARE(armyTypeBytes(), expectedArmyTypes);
}

void ArmyTabTest::failedSaveKeepsChanges()
{
    selectStoryNamed(QStringLiteral("群雄割据"));
    editCell(army, rowOfId(army, QStringLiteral("5")), 3, QStringLiteral("80"));
    const QString stage = game->gameFile(QStringLiteral("story/story01/stage.xml"));
    const QByteArray before = readBytes(stage);
    QVERIFY(QFile::setPermissions(stage, QFile::ReadOwner));

    QVERIFY(!w->saveChanges());
    QCOMPARE(message(), QStringLiteral("保存失败: ") + QDir::toNativeSeparators(stage));
    QVERIFY(!status().startsWith(QStringLiteral("保存成功!")));
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyInfo")), QStringList{"5"});
    QCOMPARE(readBytes(stage), before);

    QVERIFY(QFile::setPermissions(stage, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(w->saveChanges());
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));
    QCOMPARE(readBytes(stage), withValue(before, "<armytype a0=\"5\"", " a5=\"", "80"));
}

void ArmyTabTest::switchingStoryAsksAboutPendingStatistics_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("save-into-the-old-story") << int(Prompts::SaveAnswer::Save);
    QTest::newRow("discard") << int(Prompts::SaveAnswer::Discard);
    QTest::newRow("cancel-keeps-story") << int(Prompts::SaveAnswer::Cancel);
}

void ArmyTabTest::switchingStoryAsksAboutPendingStatistics()
{
    QFETCH(int, answer);
    const QByteArray stage1 = stageBytes(QStringLiteral("story01"));
    const QByteArray stage2 = stageBytes(QStringLiteral("story02"));
    selectStoryNamed(QStringLiteral("群雄割据"));
    editCell(army, rowOfId(army, QStringLiteral("1")), 3, QStringLiteral("66"));

    answers = {Prompts::SaveAnswer(answer)};
    const QString second = WidgetTestAccess::stories(*w).value(1).at(1);
    selectStoryNamed(second);
    QCOMPARE(questions, 1);

    switch (Prompts::SaveAnswer(answer)) {
    case Prompts::SaveAnswer::Save:
        QCOMPARE(stageBytes(QStringLiteral("story01")), withValue(stage1, "<armytype a0=\"1\"", " a5=\"", "66"));
        QCOMPARE(storyLabel(), QStringLiteral("剧本: 【%1】").arg(second));
        break;
    case Prompts::SaveAnswer::Discard:
        QCOMPARE(stageBytes(QStringLiteral("story01")), stage1);
        QCOMPARE(storyLabel(), QStringLiteral("剧本: 【%1】").arg(second));
        QVERIFY(army->item(rowOfId(army, QStringLiteral("1")), 3)->text() != QStringLiteral("66"));
        QCOMPARE(message(), QString());
        break;
    case Prompts::SaveAnswer::Cancel:
        QCOMPARE(storyLabel(), QStringLiteral("剧本: 【群雄割据】"));
        QCOMPARE(army->item(rowOfId(army, QStringLiteral("1")), 3)->text(), QStringLiteral("66"));
        QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyInfo")), QStringList{"1"});
        break;
    }
    QCOMPARE(stageBytes(QStringLiteral("story02")), stage2);
}

void ArmyTabTest::storyValuesDoNotLinger()
{
    // Army type 6 is declared by the first story and not by the second: there it shows armytype.txt's values.
    const RecordTable base = WidgetTestAccess::armyTypes(*w);
    const StoryCatalogue catalogue = WidgetTestAccess::stories(*w);
    QVERIFY(!readBytes(catalogue.value(1).at(0) + QStringLiteral("/stage.xml")).contains("<armytype a0=\"6\""));
    selectStoryNamed(catalogue.value(0).at(1));
    QVERIFY(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("6")) != base.value(QStringLiteral("6")));
    selectStoryNamed(catalogue.value(1).at(1));
    QCOMPARE(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("6")), base.value(QStringLiteral("6")));
    QCOMPARE(army->item(rowOfId(army, QStringLiteral("6")), 2)->text(), base.value(QStringLiteral("6")).at(1));
}

void ArmyTabTest::quittingAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("save-then-quit") << int(Prompts::SaveAnswer::Save) << true << true;
    QTest::newRow("quit-without-saving") << int(Prompts::SaveAnswer::Discard) << true << false;
    QTest::newRow("cancel-stays") << int(Prompts::SaveAnswer::Cancel) << false << false;
}

void ArmyTabTest::quittingAsksAboutUnsavedChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    const QByteArray stage = stageBytes(QStringLiteral("story01"));
    selectStoryNamed(QStringLiteral("群雄割据"));
    editCell(army, rowOfId(army, QStringLiteral("2")), 4, QStringLiteral("11"));
    answers = {Prompts::SaveAnswer(answer)};
    QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("quitButton")), Qt::LeftButton);
    QCOMPARE(questions, 1);
    QCOMPARE(w->isVisible(), !closes);
    QCOMPARE(stageBytes(QStringLiteral("story01")) != stage, saved);
}

void ArmyTabTest::ctrlSSaves()
{
    const QByteArray stage = stageBytes(QStringLiteral("story01"));
    selectStoryNamed(QStringLiteral("群雄割据"));
    editCell(army, rowOfId(army, QStringLiteral("6")), 7, QStringLiteral("6"));
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(stageBytes(QStringLiteral("story01")), withValue(stage, "<armytype a0=\"6\"", " a10=\"", "6"));
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());

    // With nothing pending the window closes without a question.
    w->close();
    QCOMPARE(questions, 0);
    QVERIFY(!w->isVisible());
}

void ArmyTabTest::needsSaveRewritesOnlyNeeds()
{
    const QByteArray armyTypes = armyTypeBytes();
    selectStoryNamed(QStringLiteral("群雄割据"));
    // Army type 5 has needs and story values that differ from armytype.txt.
    clickCell(army, rowOfId(army, QStringLiteral("5")), 1);
    auto* needs = w->findChild<QGroupBox*>(QStringLiteral("armyNeedsGroup"));
    QVERIFY(needs->isCheckable() && needs->isChecked());
    // What a click on the group box's check box does.
    needs->setChecked(false);
    emit needs->clicked(false);
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyNeeds")), QStringList{"5"});
    QVERIFY(w->saveChanges());

    QByteArray expected = withValue(armyTypes, "{\"Type\":5,", "\"MustCityDesc\":", "0");
    expected = withValue(expected, "{\"Type\":5,", "\"NeedItemId\":", "0");
    QCOMPARE(armyTypeBytes(), expected);
    QVERIFY(!needs->isCheckable());
}

QTEST_MAIN(ArmyTabTest)
#include "tst_armytab.moc"
