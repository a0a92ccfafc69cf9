// The army skill table and the recruitment needs box, driven through the real editor on a copy of the sample game.
#include "tablesupport.h"
#include "testsupport.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

using namespace TestSupport;

namespace {

const QString unsavedWarning = QStringLiteral("您有新的数据需要保存!");

bool isOrange(const QTableWidgetItem* cell)
{
    const QBrush brush = cell->background();
    return brush.style() != Qt::NoBrush && brush.color().hue() >= 15 && brush.color().hue() <= 45 &&
           brush.color().saturation() > 150;
}

} // namespace

class SkillNeedsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void clickFillsBothTables_data();
    void clickFillsBothTables();
    void rangeEditIsSavedAlone_data();
    void rangeEditIsSavedAlone();
    void nonDigitRangesAreRefused_data();
    void nonDigitRangesAreRefused();
    void rangesAboveSevenAreMarked_data();
    void rangesAboveSevenAreMarked();
    void clearingAndTickingAgainWithdraws();
    void savingSwitchedOffClearsOnlyTheNeeds();
    void needsCellsAreReadOnly();
    void endToEnd();

private:
    std::unique_ptr<GameCopy> game;
    std::unique_ptr<Editor> editor;
    Widget* w = nullptr;
    QTableWidget* army = nullptr;
    QTableWidget* skillTable = nullptr;
    QTableWidget* needsTable = nullptr;
    QGroupBox* needsBox = nullptr;

    void clickArmy(const QString& id, int col = 1) { clickCell(army, rowOfId(army, id), col); }
    void save() { QTest::mousePress(w->findChild<QWidget*>(QStringLiteral("saveButton")), Qt::LeftButton); }
    QString message() const { return w->findChild<QLabel*>(QStringLiteral("messageLabel"))->text(); }
    QString status() const { return w->findChild<QStatusBar*>(QStringLiteral("statusBar"))->currentMessage(); }
    QString skillFile() const { return game->gameFile(QStringLiteral("config/battlefield/skill.txt")); }
    QString armyTypeFile() const { return game->gameFile(QStringLiteral("config/army/armytype.txt")); }
    const RecordTable& skills() const { return WidgetTestAccess::skills(*w); }
    QTableWidgetItem* skillCell(const QString& id, int col) const
    {
        return skillTable->item(rowOfId(skillTable, id), col);
    }
};

void SkillNeedsTest::init()
{
    game = std::make_unique<GameCopy>();
    QVERIFY(game->isValid());
    editor = std::make_unique<Editor>();
    w = editor->widget.get();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    army = w->findChild<QTableWidget*>(QStringLiteral("armyInfoTable"));
    skillTable = w->findChild<QTableWidget*>(QStringLiteral("armySkillTable"));
    needsTable = w->findChild<QTableWidget*>(QStringLiteral("armyNeedsTable"));
    needsBox = w->findChild<QGroupBox*>(QStringLiteral("armyNeedsGroup"));
    QVERIFY(army && skillTable && needsTable && needsBox);

    // Choose the first story as a user does: a double click in the story list.
    auto* stories = w->findChild<QTableWidget*>(QStringLiteral("storyList"));
    QVERIFY(stories && stories->isVisible());
    clickCell(stories, columnTexts(stories, 0).indexOf(QStringLiteral("群雄割据")), 0, true);
    QVERIFY(army->isVisible());
    QVERIFY(army->rowCount() > 0);
}

void SkillNeedsTest::cleanup()
{
    editor.reset();
    game.reset();
}

void SkillNeedsTest::clickFillsBothTables_data()
{
    QTest::addColumn<QString>("armyId");
    QTest::addColumn<bool>("sortFirst");
    QTest::addColumn<QStringList>("skillIds");
    QTest::addColumn<QStringList>("needs"); // the needs row [city, item]; empty when no needs are shown

    const QStringList langge{"301", "306", "307", "308", "309", "311"};
    QTest::newRow("langge-fixed-list-and-name") << "7" << false << langge << QStringList{"洛阳", "洛阳虎符"};
    QTest::newRow("langge-after-sorting-both-tables") << "7" << true << langge << QStringList{"洛阳", "洛阳虎符"};
    QTest::newRow("xi-fixed-list-and-name") << "8" << false << QStringList{"304", "305", "318", "319"} << QStringList{};
    QTest::newRow("nian-without-304-and-305") << "101" << true << QStringList{"320", "321"} << QStringList{};
    QTest::newRow("needs-after-sorting") << "5" << true << QStringList{"314", "315"} << QStringList{"长安", "长安虎符"};
    QTest::newRow("needed-item-without-city")
        << "12" << false << QStringList{"324", "325"} << QStringList{"", "成都虎符"};
    QTest::newRow("city-without-item-shows-no-needs") << "6" << false << QStringList{"316", "317"} << QStringList{};
    QTest::newRow("no-skill-found") << "9" << true << QStringList{} << QStringList{};
}

void SkillNeedsTest::clickFillsBothTables()
{
    QFETCH(QString, armyId);
    QFETCH(bool, sortFirst);
    QFETCH(QStringList, skillIds);
    QFETCH(QStringList, needs);

    if (sortFirst) {
        // Fill the tables for another army type, then sort the skill table and the army table by name.
        clickArmy(QStringLiteral("7"));
        clickHeader(skillTable, 3);
        clickHeader(skillTable, 3);
        QVERIFY(columnTexts(skillTable, 0) != QStringList({"301", "306", "307", "308", "309", "311"}));
        const int before = rowOfId(army, armyId);
        clickHeader(army, 1);
        clickHeader(army, 1);
        QVERIFY(rowOfId(army, armyId) != before);
    }
    clickArmy(armyId, 5);
    QCOMPARE(WidgetTestAccess::currentArmyId(*w), armyId);

    // A sort the user chose stays on the refilled table.
    QStringList shown = columnTexts(skillTable, 0);
    if (sortFirst)
        std::sort(shown.begin(), shown.end());
    QCOMPARE(shown, skillIds);
    for (int row = 0; row < skillTable->rowCount(); ++row) {
        const QString id = skillTable->item(row, 0)->text();
        QCOMPARE(rowTexts(skillTable, row), QStringList{id} + skills().value(id));
        for (int col = 0; col < 4; ++col) {
            const QTableWidgetItem* cell = skillTable->item(row, col);
            QCOMPARE(bool(cell->flags() & Qt::ItemIsEditable), col >= 2);
            QCOMPARE(cell->background().color() == QColor(QStringLiteral("#555555")), col < 2);
        }
    }

    if (needs.isEmpty()) {
        QVERIFY(!needsBox->isCheckable());
        QCOMPARE(needsTable->rowCount(), 0);
    } else {
        QVERIFY(needsBox->isCheckable());
        QVERIFY(needsBox->isChecked());
        QCOMPARE(needsTable->rowCount(), 1);
        QCOMPARE(rowTexts(needsTable, 0), needs);
    }
    // Filling records nothing.
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QCOMPARE(message(), QString());
}

void SkillNeedsTest::rangeEditIsSavedAlone_data()
{
    QTest::addColumn<int>("sortColumn"); // -1: the order the table was filled in
    QTest::newRow("fill-order") << -1;
    QTest::newRow("sorted-by-far-range") << 2;
    QTest::newRow("sorted-by-near-range") << 3;
}

void SkillNeedsTest::rangeEditIsSavedAlone()
{
    QFETCH(int, sortColumn);
    const QByteArray before = readBytes(skillFile());
    clickArmy(QStringLiteral("7"));
    if (sortColumn >= 0)
        clickHeader(skillTable, sortColumn);
    const RecordTable skillsBefore = skills();

    // Both edits move 307's row when the table is sorted by the edited column; 8 also marks the cell.
    editCell(skillTable, rowOfId(skillTable, QStringLiteral("307")), 2, QStringLiteral("8"));
    editCell(skillTable, rowOfId(skillTable, QStringLiteral("307")), 3, QStringLiteral("4"));
    QCOMPARE(skillCell(QStringLiteral("307"), 2)->text(), QStringLiteral("8"));
    QCOMPARE(skillCell(QStringLiteral("307"), 3)->text(), QStringLiteral("4"));
    RecordTable expected = skillsBefore;
    expected[QStringLiteral("307")] = QStringList{"岚戈回旋", "8", "4"};
    QVERIFY(skills() == expected);
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armySkill")), QStringList{"307"});
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).size(), 1);
    QCOMPARE(message(), unsavedWarning);

    save();
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));
    QCOMPARE(message(), QString());
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QByteArray written = withValue(before, "{\"ID\":307,", "\"FarRange\":", "8");
    written = withValue(written, "{\"ID\":307,", "\"NearRange\":", "4");
    QCOMPARE(readBytes(skillFile()), written);
}

void SkillNeedsTest::nonDigitRangesAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "abc";
    QTest::newRow("negative") << "-3";
    QTest::newRow("empty") << "";
    QTest::newRow("decimal") << "2.5";
    QTest::newRow("blank-inside") << "1 2";
    QTest::newRow("ten-digits") << "1234567890";
    QTest::newRow("full-width-digit") << "３";
}

void SkillNeedsTest::nonDigitRangesAreRefused()
{
    QFETCH(QString, typed);
    clickArmy(QStringLiteral("7"));
    const RecordTable skillsBefore = skills();
    const QString shown = skillCell(QStringLiteral("309"), 3)->text();

    editCell(skillTable, rowOfId(skillTable, QStringLiteral("309")), 3, typed);
    QCOMPARE(skillCell(QStringLiteral("309"), 3)->text(), shown);
    QCOMPARE(status(), QStringLiteral("请输入非负整数!"));
    QVERIFY(skills() == skillsBefore);
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QCOMPARE(message(), QString());
}

void SkillNeedsTest::rangesAboveSevenAreMarked_data()
{
    QTest::addColumn<QStringList>("typed"); // typed one after another into 316's far range (7 in the file)
    QTest::addColumn<bool>("marked");
    QTest::newRow("eight-is-accepted-and-marked") << QStringList{"8"} << true;
    QTest::newRow("nine-digits") << QStringList{"999999999"} << true;
    QTest::newRow("leading-zeros") << QStringList{"0008"} << true;
    QTest::newRow("back-to-seven") << QStringList{"9", "7"} << false;
    QTest::newRow("lowered-below-seven") << QStringList{"9", "3"} << false;
}

void SkillNeedsTest::rangesAboveSevenAreMarked()
{
    QFETCH(QStringList, typed);
    QFETCH(bool, marked);
    const QString warning = QStringLiteral("攻击范围超过7可能导致游戏崩溃");
    // The catapult's skills: 316 reaches 7, 317 already reaches 8 in the file.
    clickArmy(QStringLiteral("6"));
    QCOMPARE(columnTexts(skillTable, 0), QStringList({"316", "317"}));
    QVERIFY(isOrange(skillCell(QStringLiteral("317"), 2)));
    QCOMPARE(skillCell(QStringLiteral("317"), 2)->toolTip(), warning);
    QVERIFY(!isOrange(skillCell(QStringLiteral("317"), 3)));
    QVERIFY(!isOrange(skillCell(QStringLiteral("316"), 2)));
    QCOMPARE(skillCell(QStringLiteral("316"), 2)->toolTip(), QString());

    for (const QString& text : typed)
        editCell(skillTable, rowOfId(skillTable, QStringLiteral("316")), 2, text);
    QCOMPARE(skills().value(QStringLiteral("316")).at(1), typed.last());
    // A value set back to the file's is no change.
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armySkill")),
             typed.last() == QLatin1String("7") ? QStringList() : QStringList{"316"});
    QTableWidgetItem* cell = skillCell(QStringLiteral("316"), 2);
    QCOMPARE(isOrange(cell), marked);
    const QString changedNote = typed.last() == QLatin1String("7") ? QString() : QStringLiteral("原值: 7");
    QCOMPARE(cell->toolTip(), marked ? warning + QLatin1Char('\n') + changedNote : changedNote);

    // The marking comes back whenever the table is drawn again.
    clickArmy(QStringLiteral("1"));
    clickArmy(QStringLiteral("6"));
    QCOMPARE(isOrange(skillCell(QStringLiteral("316"), 2)), marked);
}

void SkillNeedsTest::clearingAndTickingAgainWithdraws()
{
    const QByteArray armyTypes = readBytes(armyTypeFile());
    clickArmy(QStringLiteral("5"));
    clickCheckBox(needsBox);
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyNeeds")), QStringList{"5"});
    QCOMPARE(message(), unsavedWarning);
    QVERIFY(needsBox->isCheckable());
    QVERIFY(!needsBox->isChecked());
    QCOMPARE(needsTable->rowCount(), 0);
    QVERIFY(!needsTable->isEnabled());

    // Every state is set anew on each click, and 5 is still switched off when the user comes back to it.
    clickArmy(QStringLiteral("6"));
    QVERIFY(!needsBox->isCheckable());
    QVERIFY(needsTable->isEnabled());
    clickArmy(QStringLiteral("7"));
    QVERIFY(needsBox->isChecked());
    QVERIFY(needsTable->isEnabled());
    QCOMPARE(rowTexts(needsTable, 0), QStringList({"洛阳", "洛阳虎符"}));
    clickArmy(QStringLiteral("5"));
    QVERIFY(needsBox->isCheckable());
    QVERIFY(!needsBox->isChecked());
    QCOMPARE(needsTable->rowCount(), 0);

    clickCheckBox(needsBox);
    QVERIFY(!WidgetTestAccess::pendingChanges(*w).contains(QStringLiteral("armyNeeds")));
    QCOMPARE(message(), QString());
    QVERIFY(needsBox->isChecked());
    QVERIFY(needsTable->isEnabled());
    QCOMPARE(rowTexts(needsTable, 0), QStringList({"长安", "长安虎符"}));
    QCOMPARE(readBytes(armyTypeFile()), armyTypes);
}

void SkillNeedsTest::savingSwitchedOffClearsOnlyTheNeeds()
{
    const QByteArray armyTypes = readBytes(armyTypeFile());
    const QByteArray skillBytes = readBytes(skillFile());
    // The story lays its own statistics over army type 7; they must not reach armytype.txt.
    clickArmy(QStringLiteral("7"));
    clickCheckBox(needsBox);
    save();
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());

    QByteArray expected = withValue(armyTypes, "{\"Type\":7,", "\"MustCityDesc\":", "0");
    expected = withValue(expected, "{\"Type\":7,", "\"NeedItemId\":", "0");
    QCOMPARE(readBytes(armyTypeFile()), expected);
    QCOMPARE(readBytes(skillFile()), skillBytes);
    QVERIFY(!needsBox->isCheckable());
    QVERIFY(needsTable->isEnabled());

    clickArmy(QStringLiteral("5"));
    QVERIFY(needsBox->isCheckable());
    clickArmy(QStringLiteral("7"));
    QVERIFY(!needsBox->isCheckable());
    QCOMPARE(needsTable->rowCount(), 0);
}

void SkillNeedsTest::needsCellsAreReadOnly()
{
    clickArmy(QStringLiteral("7"));
    for (int col = 0; col < 2; ++col) {
        QVERIFY(!(needsTable->item(0, col)->flags() & Qt::ItemIsEditable));
        clickCell(needsTable, 0, col, true);
        QTest::keyClick(needsTable->viewport(), Qt::Key_F2);
        QTest::keyClicks(needsTable->viewport(), QStringLiteral("x"));
        for (const QLineEdit* open : needsTable->viewport()->findChildren<QLineEdit*>())
            QVERIFY(!open->isVisible());
    }
    QCOMPARE(rowTexts(needsTable, 0), QStringList({"洛阳", "洛阳虎符"}));
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
}

void SkillNeedsTest::endToEnd()
{
    const QByteArray skillBytes = readBytes(skillFile());
    const QByteArray armyTypes = readBytes(armyTypeFile());

    // 岚戈骑兵: a range above 7 and a near range, then its needs switched off.
    clickArmy(QStringLiteral("7"));
    editCell(skillTable, rowOfId(skillTable, QStringLiteral("311")), 2, QStringLiteral("9"));
    editCell(skillTable, rowOfId(skillTable, QStringLiteral("311")), 3, QStringLiteral("3"));
    clickCheckBox(needsBox);
    // 夕阳弓手: its own 318 gets a new far range.
    clickArmy(QStringLiteral("8"), 0);
    editCell(skillTable, rowOfId(skillTable, QStringLiteral("318")), 2, QStringLiteral("4"));
    QCOMPARE(message(), unsavedWarning);

    clickArmy(QStringLiteral("7"), 7);
    QCOMPARE(rowTexts(skillTable, rowOfId(skillTable, QStringLiteral("311"))),
             QStringList({"311", "岚戈天威", "9", "3"}));
    QVERIFY(isOrange(skillCell(QStringLiteral("311"), 2)));
    QVERIFY(!needsBox->isChecked());
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armySkill")), QStringList({"311", "318"}));
    QCOMPARE(WidgetTestAccess::pendingChanges(*w).value(QStringLiteral("armyNeeds")), QStringList{"7"});

    save();
    QVERIFY(status().startsWith(QStringLiteral("保存成功!")));
    QCOMPARE(message(), QString());
    QVERIFY(WidgetTestAccess::pendingChanges(*w).isEmpty());
    QVERIFY(!needsBox->isCheckable());

    QByteArray skillsWritten = withValue(skillBytes, "{\"ID\":311,", "\"FarRange\":", "9");
    skillsWritten = withValue(skillsWritten, "{\"ID\":311,", "\"NearRange\":", "3");
    skillsWritten = withValue(skillsWritten, "{\"ID\":318,", "\"FarRange\":", "4");
    QCOMPARE(readBytes(skillFile()), skillsWritten);
    QByteArray armyWritten = withValue(armyTypes, "{\"Type\":7,", "\"MustCityDesc\":", "0");
    armyWritten = withValue(armyWritten, "{\"Type\":7,", "\"NeedItemId\":", "0");
    QCOMPARE(readBytes(armyTypeFile()), armyWritten);

    // A fresh editor on the saved files shows what was saved.
    editor.reset();
    editor = std::make_unique<Editor>();
    w = editor->widget.get();
    QCOMPARE(skills().value(QStringLiteral("311")), QStringList({"岚戈天威", "9", "3"}));
    QCOMPARE(WidgetTestAccess::armyTypes(*w).value(QStringLiteral("7")).mid(7), QStringList({"0", "0"}));
}

QTEST_MAIN(SkillNeedsTest)
#include "tst_skillneeds.moc"
