#include "views/changesetpreviewdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ChangeSetPreviewDialog::ChangeSetPreviewDialog(const QString& title, const QVector<RecordChange>& changes,
                                               const QVector<ChangeCheck>& checks, bool applicable, QWidget* parent)
    : QDialog(parent), checks(checks)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("changeSetPreviewDialog"));
    resize(900, 500);

    int conflicts = 0;
    int ready = 0;
    list = new QTableWidget(changes.size(), 7);
    list->setObjectName(QStringLiteral("changeSetChanges"));
    list->setHorizontalHeaderLabels(
        {tr("文件"), tr("记录"), tr("字段"), tr("修改前"), tr("修改后"), tr("游戏中的值"), tr("状态")});
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < changes.size(); ++row) {
        const RecordChange& change = changes.at(row);
        const ChangeStatus status = checks.value(row).status;
        const QString field =
            change.field > 0 ? GameDocument::fieldLabel({change.kind, change.id, change.field}) : QString();
        const QStringList texts{change.file,
                                change.id + QLatin1Char(' ') + change.name,
                                field,
                                change.before,
                                change.after,
                                checks.value(row).current,
                                changeStatusText(status)};
        for (int column = 0; column < texts.size(); ++column)
            list->setItem(row, column, new QTableWidgetItem(texts.at(column)));
        QTableWidgetItem* first = list->item(row, 0);
        if (status == ChangeStatus::Conflict && applicable) {
            // A conflict is made only when the user ticks it.
            first->setFlags(first->flags() | Qt::ItemIsUserCheckable);
            first->setCheckState(Qt::Unchecked);
            ++conflicts;
        } else if (status == ChangeStatus::Ready) {
            ++ready;
        } else {
            for (int column = 0; column < texts.size(); ++column)
                list->item(row, column)->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
        }
    }
    list->resizeColumnsToContents();

    const int notMade = changes.size() - ready - conflicts;
    auto* summary = new QLabel(
        tr("共%1项修改: %2项可应用,%3项冲突,%4项无法应用").arg(changes.size()).arg(ready).arg(conflicts).arg(notMade));
    summary->setObjectName(QStringLiteral("changeSetSummary"));

    allConflicts = new QCheckBox(tr("应用全部冲突"));
    allConflicts->setObjectName(QStringLiteral("applyAllConflicts"));
    allConflicts->setVisible(applicable && conflicts > 0);
    connect(allConflicts, &QCheckBox::toggled, this, [this](bool on) {
        for (int row = 0; row < list->rowCount(); ++row) {
            if (list->item(row, 0)->flags() & Qt::ItemIsUserCheckable)
                list->item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        }
    });

    auto* buttons = new QDialogButtonBox;
    if (applicable) {
        QPushButton* apply = buttons->addButton(tr("应用"), QDialogButtonBox::AcceptRole);
        apply->setObjectName(QStringLiteral("changeSetApplyButton"));
        apply->setEnabled(ready + conflicts > 0);
    }
    buttons->addButton(applicable ? tr("取消") : tr("关闭"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("changeSetCancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(list);
    layout->addWidget(allConflicts);
    layout->addWidget(buttons);
}

void ChangeSetPreviewDialog::offerStory(const QString& name)
{
    openStory = new QCheckBox(tr("应用后打开剧本 %1").arg(name));
    openStory->setObjectName(QStringLiteral("openStoryCheck"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(3, openStory);
}

bool ChangeSetPreviewDialog::storyWanted() const
{
    return openStory && openStory->isChecked();
}

void ChangeSetPreviewDialog::setButtonTexts(const QString& apply, const QString& cancel)
{
    if (auto* button = findChild<QPushButton*>(QStringLiteral("changeSetApplyButton")))
        button->setText(apply);
    findChild<QPushButton*>(QStringLiteral("changeSetCancelButton"))->setText(cancel);
}

QSet<int> ChangeSetPreviewDialog::chosenConflicts() const
{
    QSet<int> conflicts;
    for (int row = 0; row < list->rowCount(); ++row) {
        if (list->item(row, 0)->checkState() == Qt::Checked && checks.value(row).status == ChangeStatus::Conflict)
            conflicts.insert(row);
    }
    return conflicts;
}

QVector<int> ChangeSetPreviewDialog::chosen() const
{
    const QSet<int> conflicts = chosenConflicts();
    QVector<int> rows;
    for (int row = 0; row < list->rowCount(); ++row) {
        if (checks.value(row).status == ChangeStatus::Ready || conflicts.contains(row))
            rows.append(row);
    }
    return rows;
}
