// Editing many records at once: a filter over each table, a rule applied to the selected cells, and the tables'
// round trip through a spreadsheet. Every change goes through changeFields, so it is marked, listed as pending,
// undone as one step and written only by a save.
#include "app/prompts.h"
#include "app/widget.h"
#include "gamedata/csvimport.h"
#include "views/bulkeditdialog.h"
#include "views/importpreviewdialog.h"
#include "widgets/appsearchline.h"
#include "widgets/tablefilter.h"

#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

QTableWidget* Widget::tableOf(RecordKind kind) const
{
    switch (kind) {
    case RecordKind::ArmyType:
        return armyInfoTable;
    case RecordKind::Skill:
        return armySkillTable;
    case RecordKind::City:
        return cityTable;
    }
    return nullptr;
}

TableShape Widget::shapeOf(RecordKind kind) const
{
    const QTableWidget* table = tableOf(kind);
    TableShape shape;
    for (int column = 0; column < table->columnCount(); ++column)
        shape.labels.append(table->horizontalHeaderItem(column)->text());
    // Army statistics and skill ranges stand from the third column on; the city list shows no number.
    if (kind != RecordKind::City) {
        for (int column = 2; column < table->columnCount(); ++column)
            shape.numberColumns.append(column);
    }
    return shape;
}

void Widget::allowManyCells(QTableWidget* table, RecordKind kind)
{
    // Cells rather than rows: a rule changes the cells the user picked, in one column or in several.
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    new QShortcut(
        QKeySequence(tr("Ctrl+B")), table, this, [this, kind] { bulkEdit(kind); }, Qt::WidgetShortcut);
}

QVBoxLayout* Widget::filteredTable(QTableWidget* table, int lineWidth)
{
    // Every table of the editor shows the id in its first column and the name in its second.
    auto* filter = new TableFilter(table, 0, 1);
    AppSearchLine* line = filter->searchLine();
    line->setStyleSheet(QStringLiteral("border-radius:15px;"));
    line->setFixedSize(lineWidth, 30);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line, 0, Qt::AlignRight);
    layout->addWidget(table);
    return layout;
}

void Widget::bulkEdit(RecordKind kind)
{
    QTableWidget* table = tableOf(kind);
    if (kind == RecordKind::City || !table || !commitOpenEditor())
        return;
    const QList<BulkCell> cells = BulkEditDialog::selectedCells(table, shapeOf(kind), kind == RecordKind::Skill);
    if (cells.isEmpty()) {
        showStatus(tr("请先选择要修改的单元格"));
        return;
    }
    BulkEditDialog dialog(cells, this);
    if (!Prompts::runDialog(dialog))
        return;
    // The cells name their records by id, so the rule lands on the right records however the table is
    // sorted or filtered.
    const BulkOutcome& outcome = dialog.outcome();
    QVector<FieldValue> values;
    values.reserve(outcome.changed);
    for (int i = 0; i < cells.size(); ++i) {
        const BulkCell& cell = cells.at(i);
        const QString& value = outcome.values.at(i);
        if (!value.isNull() && value != cell.current)
            values.append({{kind, cell.id, cell.column - 1}, value});
    }
    changeFields(values, tr("批量修改"));
    showStatus(tr("已修改%1个单元格").arg(values.size()));
}

void Widget::exportTable(RecordKind kind)
{
    const QString name = kind == RecordKind::ArmyType ? tr("兵种.csv")
                         : kind == RecordKind::Skill  ? tr("兵种技能.csv")
                                                      : tr("城市.csv");
    const QString message = exportTableToCsv(this, tableOf(kind), name);
    if (!message.isEmpty())
        showStatus(message);
}

void Widget::importTable(RecordKind kind)
{
    // The city list shows no value that could change.
    if (kind == RecordKind::City || !commitOpenEditor())
        return;
    // Every record of the table, as its row shows it: the id, then the fields from the name on. The skill
    // table shows the skills of one army type, but a file may hold any skill.
    const RecordTable& records = kind == RecordKind::ArmyType ? armyTypes : skills;
    const int fields = tableOf(kind)->columnCount() - 1;
    QHash<QString, QStringList> rows;
    rows.reserve(records.size());
    for (auto record = records.cbegin(); record != records.cend(); ++record)
        rows.insert(record.key(), QStringList(record.key()) + record->mid(0, fields));

    QString message;
    const QList<CellChange> changes = importCsvChanges(this, shapeOf(kind), rows, &message);
    QVector<FieldValue> values;
    values.reserve(changes.size());
    for (const CellChange& change : changes)
        values.append({{kind, change.id, change.column - 1}, change.newValue});
    changeFields(values, tr("从CSV导入"));
    if (!values.isEmpty())
        message = tr("已导入%1个值,保存后写入游戏文件").arg(values.size());
    if (!message.isEmpty())
        showStatus(message);
}
