// The change set and saving.
#include "app/widget.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

void Widget::recordChange(const QString& category, const QString& id, bool withdraw)
{
    if (withdraw) {
        QStringList ids = pendingChanges.value(category);
        ids.removeOne(id);
        if (ids.isEmpty())
            pendingChanges.remove(category);
        else
            pendingChanges.insert(category, ids);
    } else {
        QStringList& ids = pendingChanges[category];
        if (ids.contains(id))
            return;
        ids.append(id);
    }
    messageLabel->setText(QStringLiteral("您有新的数据需要保存!"));
}

bool Widget::saveChanges()
{
    const QStringList needs = pendingChanges.value(QStringLiteral("armyNeeds"));
    const QStringList info = pendingChanges.value(QStringLiteral("armyInfo"));
    const QStringList skill = pendingChanges.value(QStringLiteral("armySkill"));
    const QStringList city = pendingChanges.value(QStringLiteral("citySpc"));

    SaveReport report;
    const int backupsBefore = backups ? backups->count() : 0;
    // A category whose file could not be written keeps its ids, so the next save tries again.
    auto settle = [this](const QString& category, bool written) {
        if (written)
            pendingChanges.remove(category);
    };

    if (!needs.isEmpty()) {
        for (const QString& id : needs) {
            auto record = armyTypes.find(id);
            if (record != armyTypes.end() && record->size() > 8) {
                (*record)[7] = QStringLiteral("0");
                (*record)[8] = QStringLiteral("0");
            }
        }
        settle(QStringLiteral("armyNeeds"), writeArmyNeeds(armyTypePath, needs, &report));
        if (armyNeedsGroup)
            drawArmyNeeds(currentArmyId);
    }
    if (!info.isEmpty())
        settle(QStringLiteral("armyInfo"), writeStageFile(stagePath, info, &report));
    if (!skill.isEmpty())
        settle(QStringLiteral("armySkill"), writeSkillFile(skillPath, skill, &report));
    if (!city.isEmpty())
        settle(QStringLiteral("citySpc"), writeCityFile(cityPath, city, &report));

    QStringList problems;
    for (const QString& file : report.failedFiles)
        problems.append(tr("保存失败: ") + file);
    for (const QString& records : report.unwrittenRecords)
        problems.append(tr("未写入的记录: ") + records);
    messageLabel->setText(problems.join(QStringLiteral("  ")));

    const bool saved = report.failedFiles.isEmpty();
    QString status = saved ? tr("保存成功!") : QString();
    if (backups && backups->count() > backupsBefore)
        status += (status.isEmpty() ? QString() : QStringLiteral("  ")) + tr("已备份原文件至: ") +
                  QDir::toNativeSeparators(backups->folder());
    if (!status.isEmpty())
        showStatus(status);
    return saved;
}
