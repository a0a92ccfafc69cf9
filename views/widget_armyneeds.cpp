// The recruitment needs of the clicked army type, and the switch that turns them off.
#include "app/widget.h"

#include <QGroupBox>
#include <QTableWidget>

void Widget::drawArmyNeeds(const QString& id)
{
    armyNeedsTable->setRowCount(0);
    if (pendingChanges.value(QStringLiteral("armyNeeds")).contains(id)) {
        armyNeedsGroup->setCheckable(true);
        armyNeedsGroup->setChecked(false);
        return;
    }

    const QStringList record = armyTypes.value(id);
    const QString cityText = languageTexts.value(record.value(7));
    const QString itemName = items.value(record.value(8)).value(0);
    armyNeedsGroup->setCheckable(!itemName.isEmpty());
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
    recordChange(QStringLiteral("armyNeeds"), currentArmyId, checked);
    drawArmyNeeds(currentArmyId);
}
