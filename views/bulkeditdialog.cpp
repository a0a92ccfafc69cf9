#include "views/bulkeditdialog.h"

#include "gamedata/csvimport.h"
#include "views/changepreview.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int previewRows = 10;
constexpr int largestPercent = 100'000;

} // namespace

BulkEditDialog::BulkEditDialog(QList<BulkCell> cells, QWidget* parent)
    : QDialog(parent), cells(std::move(cells)), operations(new QButtonGroup(this)), amount(new QLineEdit),
      percentSign(new QLabel(QStringLiteral("%"))), range(new QIntValidator(this)), summary(new QLabel),
      preview(newChangeTable())
{
    setWindowTitle(tr("批量修改"));
    setObjectName(QStringLiteral("bulkEditDialog"));
    // The summary is the dialog's first label, before the percent sign of the rule line.
    summary->setParent(this);
    auto* ruleLine = new QHBoxLayout;
    const struct
    {
        BulkOperation operation;
        QString name;
        const char* objectName;
    } names[] = {{BulkOperation::SetTo, tr("设为"), "bulkSet"},
                 {BulkOperation::Add, tr("增加"), "bulkAdd"},
                 {BulkOperation::ScalePercent, tr("乘以百分比"), "bulkScale"}};
    for (const auto& [operation, name, objectName] : names) {
        auto* button = new QRadioButton(name);
        button->setObjectName(QLatin1String(objectName));
        operations->addButton(button, int(operation));
        ruleLine->addWidget(button);
    }
    // A plain line of digits: the number stays as typed, with no separators put in while typing.
    amount->setObjectName(QStringLiteral("bulkAmount"));
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    range->setLocale(plain);
    amount->setValidator(range);
    ruleLine->addWidget(amount, 1);
    ruleLine->addWidget(percentSign);
    summary->setObjectName(QStringLiteral("bulkSummary"));
    preview->setObjectName(QStringLiteral("bulkPreview"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(tr("确定"));
    okButton->setObjectName(QStringLiteral("bulkOkButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bulkCancelButton"));
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
    operationChosen(int(BulkOperation::ScalePercent));
    connect(operations, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            operationChosen(id);
    });
    connect(amount, &QLineEdit::textChanged, this, &BulkEditDialog::ruleChanged);
}

BulkRule BulkEditDialog::rule() const
{
    return {BulkOperation(operations->checkedId()), amount->text().toLongLong()};
}

void BulkEditDialog::operationChosen(int id)
{
    // Each operation starts from the amount that changes nothing; "设为" has none and waits for a number.
    const BulkOperation operation = BulkOperation(id);
    range->setRange(operation == BulkOperation::Add ? -int(largestFieldValue) : 0,
                    operation == BulkOperation::ScalePercent ? largestPercent : int(largestFieldValue));
    percentSign->setVisible(operation == BulkOperation::ScalePercent);
    const QSignalBlocker blocker(amount);
    amount->setText(operation == BulkOperation::SetTo ? QString()
                    : operation == BulkOperation::Add ? QStringLiteral("0")
                                                      : QStringLiteral("100"));
    ruleChanged();
}

void BulkEditDialog::ruleChanged()
{
    if (!amount->hasAcceptableInput()) {
        current = BulkOutcome();
        summary->setText(tr("请输入数值"));
        okButton->setEnabled(false);
        fillChangeTable(preview, {});
        return;
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
