#pragma once

#include "document/backupbrowser.h"

#include <QDialog>

class QTableWidget;

// "备份…": the backup folders (time, files), newest first. For the selected one the user compares it with the
// game now, restores its files, or loads its differences as pending changes; `action()` says which.
class BackupBrowserDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Action
    {
        None,
        Compare,
        Restore,
        LoadAsChanges
    };

    BackupBrowserDialog(const QVector<BackupFolder>& folders, QWidget* parent = nullptr);

    Action action() const { return chosenAction; }
    // The selected folder's path; empty when none is selected.
    QString selectedFolder() const;
    QTableWidget* table() const { return list; }

private:
    QVector<BackupFolder> folders;
    QTableWidget* list;
    Action chosenAction = Action::None;
};
