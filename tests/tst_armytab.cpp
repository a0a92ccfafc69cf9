// The army tab on a copy of the sample game: the statistics of the chosen story, the skills and recruitment
// needs of the clicked army type, edits, and what a save writes.
#include "tablesupport.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

using namespace TestSupport;

class ArmyTabTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        open = std::make_unique<OpenEditor>();
        w = open->w;
        army = child(w, "armyInfoTable");
        skills = child(w, "armySkillTable");
        needs = child(w, "armyNeedsTable");
        needsBox = child<QGroupBox>(w, "armyNeedsGroup");
        QVERIFY(army->isVisible());
        Prompts::setSaveQuestion([this](QWidget*) { return answers.value(0, Prompts::SaveAnswer::Cancel); });
    }

    void cleanup()
    {
        Prompts::setSaveQuestion(nullptr);
        open.reset();
    }

    void storyStatistics()
    {
        QCOMPARE(columnTexts(army, 0),
                 QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "12", "25", "101"}));
        // Declared in the story: its values (a4 a5 a6 a7 a8 a10); not declared: armytype.txt's.
        QCOMPARE(rowTexts(army, rowOfId(army, "3")), QStringList({"3", "弓弩手", "48", "22", "32", "30", "10", "6"}));
        QCOMPARE(rowTexts(army, rowOfId(army, "7")).mid(2), QStringList({"20", "80", "58", "66", "18", "2"}));
        // The second story does not declare 6: it shows armytype.txt's values, not the first story's.
        chooseStory(w, QStringLiteral("官渡之战"));
        QCOMPARE(rowTexts(army, rowOfId(army, "6")).mid(2), QStringList({"60", "5", "20", "15", "90", "7"}));
    }

    void edits_data()
    {
        QTest::addColumn<bool>("skill");
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // what the cell takes: digits only; none when the value is refused
        QTest::addColumn<QString>("refusal");
        const QString notNumber = QStringLiteral("请输入非负整数!");
        const QString tooLarge = QStringLiteral("数值不能超过999,999,999!");
        QTest::newRow("army-number") << false << "2" << 2 << "77"
                                     << "77" << QString();
        QTest::newRow("army-nine-digits") << false << "2" << 2 << "999999999"
                                          << "999999999" << QString();
        QTest::newRow("army-only-digits-typed") << false << "2" << 2 << "-1.5a"
                                                << "15" << QString();
        for (const char* typed : {"abc", ""})
            QTest::addRow("army-refused-%s", typed) << false << "2" << 2 << typed << QString() << notNumber;
        QTest::newRow("army-above-the-limit") << false << "2" << 2 << "12345678901" << QString() << tooLarge;
        // A far range above 7 is accepted and marked; 7 itself is not marked. Typed numbers become canonical digits.
        QTest::newRow("skill-far-above-seven") << true << "316" << 2 << "0008"
                                               << "8" << QString();
        QTest::newRow("skill-far-seven") << true << "317" << 2 << "7"
                                         << "7" << QString();
    }

    void edits()
    {
        QFETCH(bool, skill);
        QFETCH(QString, id);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, refusal);
        const bool accepted = refusal.isEmpty();
        QTableWidget* table = skill ? skills : army;
        clickCell(army, QStringLiteral("6"));
        const QString before = table->item(rowOfId(table, id), column)->text();
        editCell(table, id, column, typed);
        const QTableWidgetItem* cell = table->item(rowOfId(table, id), column);
        QCOMPARE(cell->text(), accepted ? stored : before);
        QCOMPARE(w->document()->hasPendingChanges(), accepted);
        QCOMPARE(message(w), accepted ? QStringLiteral("您有新的数据需要保存!") : QString());
        QVERIFY(accepted || status(w) == refusal);
        // A changed value tells the file's; a far range above 7 warns.
        QStringList tips;
        if (skill && column == 2 && stored.toInt() > 7)
            tips += QStringLiteral("攻击范围超过7可能导致游戏崩溃");
        if (accepted && stored != before)
            tips += QStringLiteral("原值: ") + before;
        QCOMPARE(cell->toolTip(), tips.join(QLatin1Char('\n')));
    }

    void skillsAndNeeds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("skillIds");
        QTest::addColumn<QStringList>("needsRow"); // empty: no needs shown, and none to switch off
        const QStringList none;
        QTest::newRow("langge-fixed-list")
            << "7" << QStringList{"301", "306", "307", "308", "309", "311"} << QStringList{"洛阳", "洛阳虎符"};
        QTest::newRow("item-without-city") << "12" << QStringList{"324", "325"} << QStringList{"", "成都虎符"};
        QTest::newRow("city-without-item-no-needs") << "6" << QStringList{"316", "317"} << none;
    }

    // Each click draws both tables afresh, also after the user sorted them.
    void skillsAndNeeds()
    {
        QFETCH(QString, id);
        QFETCH(QStringList, needsRow);
        clickCell(army, QStringLiteral("5"));
        skills->sortByColumn(3, Qt::DescendingOrder);
        army->sortByColumn(1, Qt::DescendingOrder);
        clickCell(army, id, 5);
        // The user's sort stays on the refilled table.
        QStringList shown = columnTexts(skills, 0);
        std::sort(shown.begin(), shown.end());
        QTEST(shown, "skillIds");
        QCOMPARE(needsBox->isCheckable(), !needsRow.isEmpty());
        QCOMPARE(needs->rowCount() ? rowTexts(needs, 0) : QStringList(), needsRow);
        if (id == QLatin1String("7"))
            QCOMPARE(rowTexts(skills, rowOfId(skills, "307")), QStringList({"307", "岚戈回旋", "1", "2"}));
        QVERIFY(!w->document()->hasPendingChanges());
    }

    // A value too wide for its column shows whole in the tooltip, above the mark's text; the width stays the user's.
    void wideValueShowsInTooltip()
    {
        army->horizontalHeader()->resizeSection(2, 40);
        const int narrow = army->horizontalHeader()->sectionSize(2); // at least the style's smallest
        editCell(army, "2", 2, QStringLiteral("999999990"));
        const QRect cell = army->visualItemRect(army->item(rowOfId(army, "2"), 2));
        QHelpEvent help(QEvent::ToolTip, cell.center(), army->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(army->viewport(), &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("999999990\n原值: 0"));
        QCOMPARE(army->horizontalHeader()->sectionSize(2), narrow);
    }

    // The skill and needs panels show the current army row's, whatever made it current, and nothing when no
    // row is current or a filter hides it.
    void panelsFollowTheCurrentRow()
    {
        const auto shown = [this] {
            return columnTexts(skills, 0).size() + needs->rowCount();
        };
        clickCell(army, QStringLiteral("7"));
        QVERIFY(shown() > 0);
        QTest::mousePress(army->viewport(), Qt::RightButton, {},
                          army->visualItemRect(army->item(rowOfId(army, "6"), 1)).center());
        QCOMPARE(columnTexts(skills, 0), (QStringList{"316", "317"}));
        child<QLineEdit>(w, "armyInfoTableSearch")->setText(QStringLiteral("弓"));
        QTRY_COMPARE(shown(), 0);
        child<QLineEdit>(w, "armyInfoTableSearch")->clear();
        QTRY_VERIFY(shown() > 0);
        // Another story leaves the row that gets the keys current, if any, and its panels shown.
        chooseStory(w, QStringLiteral("官渡之战"));
        QCOMPARE(shown() > 0, army->currentRow() >= 0);
    }

    // A skill an army type's list names twice shows the document's value in both rows, edited and undone.
    void repeatedSkillRowsAgree()
    {
        const QString path = open->game.gameFile(QStringLiteral("config/battlefield/skill.txt"));
        QVERIFY(writeBytes(path, readBytes(path).replace("\\u5c9a\\u6208\\u7834", "\\u5c9a\\u6208\\u9a91\\u5175")));
        QVERIFY(w->document()->open(open->game.gamePath()));
        chooseStory(w, QStringLiteral("群雄割据"));
        clickCell(army, QStringLiteral("7"));
        const auto farRanges = [this] {
            QStringList ranges;
            for (int row = 0; row < skills->rowCount(); ++row)
                ranges +=
                    skills->item(row, 0)->text() == QLatin1String("306") ? skills->item(row, 2)->text() : QString();
            ranges.removeAll(QString());
            return ranges;
        };
        QCOMPARE(farRanges(), QStringList({"0", "0"}));
        editCell(skills, "306", 2, QStringLiteral("6"));
        QCOMPARE(farRanges(), QStringList({"6", "6"}));
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(farRanges(), QStringList({"0", "0"}));
    }

    void saveWritesOnlyTheEditedValues()
    {
        const QByteArray stage = bytes("story/story01/stage.xml");
        const QByteArray armyTypes = bytes("config/army/armytype.txt");
        // Sorted by the edited column, the edited row moves while it is being edited.
        army->sortByColumn(6, Qt::DescendingOrder);
        editCell(army, "5", 3, QStringLiteral("80"));
        editCell(army, "5", 7, QStringLiteral("2"));
        clickCell(army, QStringLiteral("7"));
        QTest::keyClick(needsBox, Qt::Key_Space);
        QVERIFY(needsBox->isCheckable() && !needsBox->isChecked() && needs->rowCount() == 0);
        // 5's needs switched off and on again are not written; 7's stay off when the user comes back to it.
        clickCell(army, QStringLiteral("5"));
        QTest::keyClick(needsBox, Qt::Key_Space);
        QTest::keyClick(needsBox, Qt::Key_Space);
        QCOMPARE(rowTexts(needs, 0), QStringList({"长安", "长安虎符"}));
        clickCell(army, QStringLiteral("7"));
        QVERIFY(!needsBox->isChecked());
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);

        QVERIFY(status(w).startsWith(QStringLiteral("保存成功!")));
        QCOMPARE(message(w), QString());
        // Saved switched off, the needs can still be ticked back on in this run.
        QVERIFY(!w->document()->hasPendingChanges() && needsBox->isCheckable() && !needsBox->isChecked());
        QCOMPARE(bytes("story/story01/stage.xml"),
                 withValue(withValue(stage, "a0=\"5\"", " a5=\"", "80"), "a0=\"5\"", " a10=\"", "2"));
        QCOMPARE(bytes("config/army/armytype.txt"),
                 withValue(withValue(armyTypes, "\"Type\":7,", "\"MustCityDesc\":", "0"), "\"Type\":7,",
                           "\"NeedItemId\":", "0"));
    }

    // The needs group shows what a save would write: needs saved switched off and brought back by an undo are
    // shown, marked, and switched off and on again by the user keep what the user had.
    void needsAfterSaveAndUndo()
    {
        const QByteArray armyTypes = bytes("config/army/armytype.txt");
        clickCell(army, QStringLiteral("7"));
        QTest::keyClick(needsBox, Qt::Key_Space);
        QCOMPARE(needsBox->title(), QStringLiteral("兵种招募需求(已禁用)"));
        QVERIFY(needsBox->styleSheet().contains(QLatin1String("#D9A64A"))); // marked in gold
        QVERIFY(w->saveChanges());
        QCOMPARE(needsBox->styleSheet(), QString());
        QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(needs, 0), QStringList({"洛阳", "洛阳虎符"}));
        QVERIFY(needsBox->isChecked());
        QCOMPARE(needsBox->toolTip(), QStringLiteral("原值: 已禁用"));
        QTest::keyClick(needsBox, Qt::Key_Space);
        QVERIFY(!needsBox->isChecked() && needs->rowCount() == 0);
        QCOMPARE(needsBox->title(), QStringLiteral("兵种招募需求(已禁用)"));
        QTest::keyClick(needsBox, Qt::Key_Space);
        QCOMPARE(rowTexts(needs, 0), QStringList({"洛阳", "洛阳虎符"}));
        QVERIFY(w->saveChanges());
        QCOMPARE(bytes("config/army/armytype.txt"), armyTypes);
    }

    void unsavedStatisticsAsk_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::addColumn<int>("answer");
        for (const bool quit : {false, true}) {
            QTest::addRow("%s-save", quit ? "quit" : "story") << quit << int(Prompts::SaveAnswer::Save);
            QTest::addRow("%s-discard", quit ? "quit" : "story") << quit << int(Prompts::SaveAnswer::Discard);
            QTest::addRow("%s-cancel", quit ? "quit" : "story") << quit << int(Prompts::SaveAnswer::Cancel);
        }
    }

    void unsavedStatisticsAsk()
    {
        QFETCH(bool, quit);
        QFETCH(int, answer);
        const bool stays = answer == int(Prompts::SaveAnswer::Cancel);
        const QByteArray stage = bytes("story/story01/stage.xml");
        editCell(army, "1", 3, QStringLiteral("66"));
        answers = {Prompts::SaveAnswer(answer)};
        if (quit) {
            press(w, "quitButton");
            QCOMPARE(w->isVisible(), stays);
        } else {
            chooseStory(w, QStringLiteral("官渡之战"));
            QCOMPARE(child<QLabel>(w, "storyLabel")->text(),
                     stays ? QStringLiteral("剧本: 【群雄割据】") : QStringLiteral("剧本: 【官渡之战】"));
            QCOMPARE(army->item(rowOfId(army, "1"), 3)->text() == QLatin1String("66"), stays);
            // Kept, the list highlights the story that is open, not the one clicked.
            const QList<QTableWidgetItem*> highlighted = child(w, "storyList")->selectedItems();
            QVERIFY(!stays || (highlighted.size() == 1 && highlighted.first()->text() == QStringLiteral("群雄割据")));
            // Nothing is pending once the question is settled, so closing asks no more.
            answers.clear();
            QCOMPARE(w->close(), !stays);
        }
        QCOMPARE(bytes("story/story01/stage.xml"),
                 answer == int(Prompts::SaveAnswer::Save) ? withValue(stage, "a0=\"1\"", " a5=\"", "66") : stage);
    }

private:
    std::unique_ptr<OpenEditor> open;
    MainWindow* w = nullptr;
    QTableWidget* army = nullptr;
    QTableWidget* skills = nullptr;
    QTableWidget* needs = nullptr;
    QGroupBox* needsBox = nullptr;
    QList<Prompts::SaveAnswer> answers;

    QByteArray bytes(const char* file) const { return open->bytes(file); }
};

QTEST_MAIN(ArmyTabTest)
#include "tst_armytab.moc"
