// The recruitment needs of the clicked army type, and the switch that turns them off.
#include "app/widget.h"

#include <QGroupBox>
#include <QTableWidget>

QStringList Widget::fileNeeds(const QString& id) const
{
    const QStringList record = armyTypes.value(id);
    QStringList needs;
    for (int field = 7; field <= 8; ++field) {
        const JournalEntry* entry = journal.find({RecordKind::ArmyType, id, field});
        needs.append(entry ? entry->fileValue : record.value(field));
    }
    return needs;
}

void Widget::drawArmyNeeds(const QString& id)
{
    armyNeedsTable->setRowCount(0);
    // What the file asks for is shown; a switched-off need is a change of both fields to 0.
    const QStringList needs = fileNeeds(id);
    const QString cityText = languageTexts.value(needs.at(0));
    const QString itemName = items.value(needs.at(1)).value(0);
    const bool switchedOff = journal.recordChanged(RecordKind::ArmyType, id, 7, 8);

    // Setting a style sheet polishes the group anew, even to the same text.
    const QString look = switchedOff ? QStringLiteral("QGroupBox::title{color:#D9A64A;font-weight:bold;}") : QString();
    if (armyNeedsGroup->styleSheet() != look)
        armyNeedsGroup->setStyleSheet(look);
    armyNeedsGroup->setToolTip(switchedOff ? tr("原值: ") + cityText + QStringLiteral(" / ") + itemName : QString());
    armyNeedsGroup->setCheckable(switchedOff || !itemName.isEmpty());
    if (switchedOff) {
        armyNeedsGroup->setChecked(false);
        return;
    }
    if (itemName.isEmpty())
        return;
    armyNeedsGroup->setChecked(true);
    armyNeedsTable->setRowCount(1);
    // Shown only: the needs can be switched off, not edited.
    QTableWidgetItem readOnly;
    readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
    readOnly.setText(cityText);
    armyNeedsTable->setItem(0, 0, readOnly.clone());
    readOnly.setText(itemName);
    armyNeedsTable->setItem(0, 1, readOnly.clone());
}

void Widget::switchArmyNeeds(bool checked)
{
    const QString id = currentArmyId;
    const QStringList needs = checked ? fileNeeds(id) : QStringList{QStringLiteral("0"), QStringLiteral("0")};
    changeFields({{{RecordKind::ArmyType, id, 7}, needs.at(0)}, {{RecordKind::ArmyType, id, 8}, needs.at(1)}},
                 checked ? tr("恢复招募需求") : tr("禁用招募需求"));
    drawArmyNeeds(id);
}
