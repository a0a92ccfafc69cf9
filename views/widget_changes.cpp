// Saving: every changed field goes to its file; a field stays pending until its write landed.
#include "app/widget.h"
#include "widgets/elidedlabel.h"

#include <QDir>
#include <QStatusBar>

bool Widget::saveChanges()
{
    SaveReport report;
    const int backupsBefore = backups ? backups->count() : 0;

    // Each group of fields leaves the journal only for the records whose write landed; a file that could
    // not be written, or a record left alone, keeps its fields pending and marked.
    using Writer = bool (Widget::*)(const QString&, const QStringList&, SaveReport*, QStringList*);
    struct Group
    {
        RecordKind kind;
        int first;
        int last;
        const QString& path;
        Writer write;
    };
    const Group groups[] = {
        {RecordKind::ArmyType, 7, 8, armyTypePath, &Widget::writeArmyNeeds},
        {RecordKind::ArmyType, 1, 6, stagePath, &Widget::writeStageFile},
        {RecordKind::Skill, 1, 2, skillPath, &Widget::writeSkillFile},
        {RecordKind::City, 1, 1, cityPath, &Widget::writeCityFile},
    };
    for (const Group& group : groups) {
        const QStringList ids = journal.changedIds(group.kind, group.first, group.last);
        if (ids.isEmpty())
            continue;
        QStringList landed;
        (this->*group.write)(group.path, ids, &report, &landed);
        journal.markWritten(group.kind, landed, group.first, group.last);
    }

    QStringList problems;
    for (const QString& file : report.failedFiles)
        problems.append(tr("保存失败: ") + file);
    for (const QString& records : report.unwrittenRecords)
        problems.append(tr("未写入的记录: ") + records);
    const bool saved = problems.isEmpty() && journal.isEmpty();
    if (problems.isEmpty())
        updatePendingWarning();
    else
        messageLabel->setText(problems.join(QStringLiteral("  ")));

    refreshMarks();
    emit journalChanged();

    // A failure replaces whatever the status bar said before, so an earlier success does not linger.
    statusBar->clearMessage();
    QString status = saved ? tr("保存成功!") : QString();
    if (backups && backups->count() > backupsBefore)
        status += (status.isEmpty() ? QString() : QStringLiteral("  ")) + tr("已备份原文件至: ") +
                  QDir::toNativeSeparators(backups->folder());
    if (!status.isEmpty())
        showStatus(status);
    return saved;
}
