#include "views/backupbrowserdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

BackupBrowserDialog::BackupBrowserDialog(const QVector<BackupFolder>& folders, QWidget* parent)
    : QDialog(parent), folders(folders)
{
    setWindowTitle(tr("备份"));
    setObjectName(QStringLiteral("backupBrowserDialog"));
    resize(760, 420);

    list = new QTableWidget(folders.size(), 3);
    list->setObjectName(QStringLiteral("backupList"));
    list->setHorizontalHeaderLabels({tr("时间"), tr("文件数"), tr("文件")});
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < folders.size(); ++row) {
        const BackupFolder& folder = folders.at(row);
        auto* time = new QTableWidgetItem(folder.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        time->setToolTip(QDir::toNativeSeparators(folder.path));
        list->setItem(row, 0, time);
        list->setItem(row, 1, new QTableWidgetItem(QString::number(folder.files.size())));
        list->setItem(row, 2, new QTableWidgetItem(folder.files.join(QStringLiteral(", "))));
    }
    list->resizeColumnsToContents();
    if (!folders.isEmpty())
        list->selectRow(0);

    auto* buttons = new QDialogButtonBox;
    const auto addAction = [this, buttons](const QString& text, const char* name, Action action) {
        QPushButton* button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(name));
        button->setEnabled(!this->folders.isEmpty());
        connect(button, &QPushButton::clicked, this, [this, action] {
            chosenAction = action;
            accept();
        });
    };
    addAction(tr("与游戏比较"), "compareBackupButton", Action::Compare);
    addAction(tr("恢复文件"), "restoreBackupButton", Action::Restore);
    addAction(tr("载入为修改"), "loadBackupButton", Action::LoadAsChanges);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("closeBackupsButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(folders.isEmpty() ? tr("还没有备份") : tr("每次运行第一次保存前备份的原文件")));
    layout->addWidget(list);
    layout->addWidget(buttons);
}

QString BackupBrowserDialog::selectedFolder() const
{
    const int row = list->currentRow();
    return row >= 0 && row < folders.size() ? folders.at(row).path : QString();
}
