#include "views/pendingchangesdialog.h"

#include "document/gamedocument.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int refRole = Qt::UserRole;
} // namespace

PendingChangesDialog::PendingChangesDialog(GameDocument* document, QWidget* parent)
    : QDialog(parent, Qt::Tool), document(document), table(new QTableWidget), emptyNote(new QLabel),
      revertButton(new QPushButton(tr("还原所选")))
{
    setWindowTitle(tr("查看修改"));
    resize(760, 420);

    table->setObjectName(QStringLiteral("pendingTable"));
    table->setColumnCount(5);
    table->setHorizontalHeaderLabels({tr("文件"), tr("记录"), tr("字段"), tr("文件中的值"), tr("新值")});
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    emptyNote->setObjectName(QStringLiteral("pendingEmptyNote"));
    emptyNote->setText(tr("没有未保存的修改。"));
    emptyNote->setAlignment(Qt::AlignCenter);
    revertButton->setObjectName(QStringLiteral("revertSelectedButton"));

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(revertButton, QDialogButtonBox::ActionRole);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("pendingCloseButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(revertButton, &QPushButton::clicked, this, &PendingChangesDialog::revertSelected);
    connect(table, &QTableWidget::itemSelectionChanged, this,
            [this] { revertButton->setEnabled(!table->selectedItems().isEmpty()); });
    connect(document, &GameDocument::journalChanged, this, &PendingChangesDialog::refill);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(emptyNote);
    layout->addWidget(buttons);
    refill();
}

void PendingChangesDialog::refill()
{
    const QVector<JournalEntry> changes = document->journal().changes();
    table->setRowCount(0);
    table->setRowCount(changes.size());
    for (int row = 0; row < changes.size(); ++row) {
        const JournalEntry& change = changes.at(row);
        // A value changed on disk after the user changed it is a conflict the save asks about.
        const bool conflict = document->isConflict(change.ref);
        const QStringList texts{document->fileLabel(change.ref), document->recordLabel(change.ref),
                                GameDocument::fieldLabel(change.ref),
                                conflict ? change.fileValue + tr(" (磁盘上已改变)") : change.fileValue, change.value};
        for (int column = 0; column < texts.size(); ++column) {
            auto* cell = new QTableWidgetItem(texts.at(column));
            cell->setData(refRole, QVariant::fromValue(change.ref));
            if (conflict)
                cell->setToolTip(tr("这个值在编辑器之外也被修改了；保存时会先询问"));
            table->setItem(row, column, cell);
        }
    }
    table->setVisible(!changes.isEmpty());
    emptyNote->setVisible(changes.isEmpty());
    revertButton->setEnabled(!table->selectedItems().isEmpty());
}

void PendingChangesDialog::revertSelected()
{
    QVector<FieldRef> refs;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        refs.append(index.data(refRole).value<FieldRef>());
    document->revertFields(refs);
}
