// The skill table of the army tab: the skills found for the clicked army type, with editable ranges.
#include "app/widget.h"
#include "gamedata/armyskills.h"
#include "gamedata/textscan.h"
#include "views/sortingsuspended.h"
#include "widgets/sortableitem.h"

#include <QBrush>
#include <QColor>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// Ranges above 7 are allowed, but the game may crash on them: the cell says so.
void markRisk(QTableWidgetItem* cell)
{
    const bool risky = cell->text().toLongLong() > 7;
    cell->setData(Qt::BackgroundRole, risky ? QVariant(QBrush(QColor(QStringLiteral("#ff6600")))) : QVariant());
    cell->setData(Qt::ForegroundRole, risky ? QVariant(QBrush(QColor(QStringLiteral("#1e1e1e")))) : QVariant());
    cell->setToolTip(risky ? Widget::tr("攻击范围超过7可能导致游戏崩溃") : QString());
}

} // namespace

void Widget::drawArmySkill(int row, int)
{
    const SortingSuspended suspended(armySkillTable);
    const QSignalBlocker blocker(armySkillTable);
    armySkillTable->setRowCount(0);
    // The army type is found by the id in the clicked row, whatever order the user sorted the table into.
    const QTableWidgetItem* idCell = armyInfoTable->item(row, 0);
    if (!idCell)
        return;

    const QStringList ids = skillsForArmy(armyTypes.value(idCell->text()).value(0), skills);
    SortableItem readOnly;
    readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
    readOnly.setBackground(QBrush(QColor(QStringLiteral("#555555"))));
    armySkillTable->setRowCount(ids.size());
    for (int r = 0; r < ids.size(); ++r) {
        const QStringList skill = skills.value(ids.at(r));
        readOnly.setText(ids.at(r));
        armySkillTable->setItem(r, 0, readOnly.clone());
        readOnly.setText(skill.value(0));
        armySkillTable->setItem(r, 1, readOnly.clone());
        for (int column = 2; column <= 3; ++column) {
            auto* range = new SortableItem(skill.value(column - 1));
            markRisk(range);
            armySkillTable->setItem(r, column, range);
        }
    }
}

void Widget::storeArmySkillEdit(int row, int column)
{
    QTableWidgetItem* cell = armySkillTable->item(row, column);
    const QTableWidgetItem* idCell = armySkillTable->item(row, 0);
    if (!cell || !idCell || !cell->isSelected())
        return;
    const QString id = idCell->text();
    const QSignalBlocker blocker(armySkillTable);
    if (!textscan::isWritableNumber(cell->text())) {
        cell->setText(skills.value(id).value(column - 1));
        showStatus(tr("请输入非负整数!"));
        return;
    }
    recordChange(QStringLiteral("armySkill"), id, false);
    copyCellToRecord(armySkillTable, row, column, &skills);
    // Last: when the marking changes, a table sorted by this column may move the row at once.
    markRisk(cell);
}
