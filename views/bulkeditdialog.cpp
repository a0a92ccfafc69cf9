#include "views/bulkeditdialog.h"

#include "gamedata/csvimport.h"
#include "views/changepreview.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int previewRows = 10;
constexpr int largestPercent = 100'000;

} // namespace

BulkEditDialog::BulkEditDialog(QList<BulkCell> cells, QWidget* parent)
    : QDialog(parent), cells(std::move(cells)), operations(new QButtonGroup(this)), amount(new QSpinBox),
      summary(new QLabel), preview(newChangeTable())
{
    setWindowTitle(tr("批量修改"));
    auto* ruleLine = new QHBoxLayout;
    const QList<QPair<BulkOperation, QString>> names = {{BulkOperation::SetTo, tr("设为")},
                                                        {BulkOperation::Add, tr("增加")},
                                                        {BulkOperation::ScalePercent, tr("乘以百分比")}};
    for (const auto& [operation, name] : names) {
        auto* button = new QRadioButton(name);
        operations->addButton(button, int(operation));
        ruleLine->addWidget(button);
    }
    amount->setObjectName(QStringLiteral("bulkAmount"));
    amount->setGroupSeparatorShown(true);
    ruleLine->addWidget(amount, 1);
    summary->setObjectName(QStringLiteral("bulkSummary"));
    preview->setObjectName(QStringLiteral("bulkPreview"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ruleLine);
    layout->addWidget(summary);
    layout->addWidget(preview);
    layout->addWidget(buttons);
    resize(560, 420);

    // A percentage of 100 changes nothing until the user says what to do.
    operations->button(int(BulkOperation::ScalePercent))->setChecked(true);
    amount->setMaximum(largestPercent);
    amount->setValue(100);
    ruleChanged();
    connect(operations, &QButtonGroup::idClicked, this, &BulkEditDialog::ruleChanged);
    connect(amount, qOverload<int>(&QSpinBox::valueChanged), this, &BulkEditDialog::ruleChanged);
}

BulkRule BulkEditDialog::rule() const
{
    return {BulkOperation(operations->checkedId()), amount->value()};
}

void BulkEditDialog::ruleChanged()
{
    const BulkOperation operation = BulkOperation(operations->checkedId());
    {
        const QSignalBlocker blocker(amount);
        amount->setRange(operation == BulkOperation::Add ? -int(largestFieldValue) : 0,
                         operation == BulkOperation::ScalePercent ? largestPercent : int(largestFieldValue));
        amount->setSuffix(operation == BulkOperation::ScalePercent ? QStringLiteral(" %") : QString());
    }
    current = applyRule(rule(), cells);

    QString text = tr("修改%1个单元格").arg(current.changed);
    if (current.leftOut > 0)
        text += tr(",跳过%1个不能取数字的单元格").arg(current.leftOut);
    summary->setText(text);
    okButton->setEnabled(current.changed > 0);

    QList<CellChange> first;
    QList<bool> risky;
    for (int i = 0; i < cells.size() && first.size() < previewRows; ++i) {
        const QString& value = current.values.at(i);
        const BulkCell& cell = cells.at(i);
        if (value.isNull() || value == cell.current)
            continue;
        first.append({0, cell.id, cell.name, cell.column, cell.label, cell.current, value});
        risky.append(cell.skillRange && isRiskyRange(value));
    }
    fillChangeTable(preview, first);
    for (int row = 0; row < risky.size(); ++row)
        showValueLook(preview->item(row, 3), risky.at(row));
}

QList<BulkCell> BulkEditDialog::selectedCells(const QTableWidget* table, const TableShape& shape, bool skillRanges)
{
    QList<QPair<int, int>> places; // visual row, column
    const QList<QTableWidgetItem*> selected = table->selectedItems();
    for (const QTableWidgetItem* item : selected) {
        if (!table->isRowHidden(item->row()))
            places.append({table->verticalHeader()->visualIndex(item->row()), item->column()});
    }
    std::sort(places.begin(), places.end());

    QList<BulkCell> cells;
    for (const auto& [visualRow, column] : places) {
        const int row = table->verticalHeader()->logicalIndex(visualRow);
        const QTableWidgetItem* idCell = table->item(row, shape.idColumn);
        const QTableWidgetItem* nameCell = shape.nameColumn >= 0 ? table->item(row, shape.nameColumn) : nullptr;
        const bool takesNumber = shape.numberColumns.contains(column);
        cells.append({idCell ? idCell->text() : QString(), nameCell ? nameCell->text() : QString(), column,
                      shape.labels.value(column), table->item(row, column)->text(), takesNumber,
                      takesNumber && skillRanges});
    }
    return cells;
}
