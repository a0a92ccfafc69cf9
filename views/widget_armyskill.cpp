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

void Widget::drawArmySkill(int row, int)
{
    const SortingSuspended suspended(armySkillTable);
    const QSignalBlocker blocker(armySkillTable);
    armySkillTable->setRowCount(0);
    // The army type is found by the id in the clicked row, whatever order the user sorted the table into.
    const QTableWidgetItem* idCell = armyInfoTable->item(row, 0);
    if (!idCell)
        return;
    skillArmyId = idCell->text();

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
            markCell(range, {RecordKind::Skill, ids.at(r), column - 1});
            armySkillTable->setItem(r, column, range);
        }
    }
}

void Widget::storeArmySkillEdit(int row, int column)
{
    QTableWidgetItem* cell = armySkillTable->item(row, column);
    const QTableWidgetItem* idCell = armySkillTable->item(row, 0);
    // Only the user's edits are recorded: the user edits the current cell.
    if (!cell || !idCell || cell != armySkillTable->currentItem())
        return;
    const QString id = idCell->text();
    if (!textscan::isWritableNumber(cell->text())) {
        const QSignalBlocker blocker(armySkillTable);
        cell->setText(skills.value(id).value(column - 1));
        showStatus(tr("请输入非负整数!"));
        return;
    }
    changeFields({{{RecordKind::Skill, id, column - 1}, cell->text()}},
                 armySkillTable->horizontalHeaderItem(column)->text(), ApplyMode::ViewsCurrent);
}
