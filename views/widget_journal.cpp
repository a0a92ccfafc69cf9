// The edit journal's side of the views: every change of a field goes through one undoable step, the views
// follow it, and changed values carry a mark with the value in the file.
#include "app/widget.h"
#include "gamedata/textscan.h"
#include "views/changepreview.h"
#include "views/pendingchangesdialog.h"
#include "views/sortingsuspended.h"
#include "widgets/appsearchline.h"
#include "widgets/elidedlabel.h"
#include "widgets/tablefilter.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QBrush>
#include <QColor>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>

#include <algorithm>

namespace {

// Where a table shows a field: army statistics and skill ranges sit one column right of their position.
int columnOf(const FieldRef& ref)
{
    return ref.kind == RecordKind::City ? 1 : ref.field + 1;
}

// The row of each id in column 0, in one pass over the table.
QHash<QString, int> rowsById(const QTableWidget* table)
{
    QHash<QString, int> rows;
    rows.reserve(table->rowCount());
    for (int row = 0; row < table->rowCount(); ++row) {
        if (const QTableWidgetItem* idCell = table->item(row, 0))
            rows.insert(idCell->text(), row);
    }
    return rows;
}

// Makes the cell of the record's row current and scrolls to it; a filter that hides the row is cleared.
// Returns the row, or -1 when the table has no row of the id.
int selectCellOf(QTableWidget* table, const QString& id, int column)
{
    const QHash<QString, int> rows = rowsById(table);
    const auto row = rows.constFind(id);
    if (row == rows.constEnd())
        return -1;
    if (table->isRowHidden(*row)) {
        if (const auto* filter = table->findChild<TableFilter*>())
            filter->searchLine()->clear();
    }
    table->setCurrentCell(*row, column);
    table->scrollToItem(table->item(*row, column));
    return *row;
}

} // namespace

RecordTable* Widget::recordsOf(RecordKind kind)
{
    switch (kind) {
    case RecordKind::ArmyType:
        return &armyTypes;
    case RecordKind::Skill:
        return &skills;
    case RecordKind::City:
        return &cities;
    }
    return nullptr;
}

void Widget::changeFields(const QVector<FieldValue>& values, const QString& description, ApplyMode firstMode)
{
    QVector<FieldValue> before;
    QVector<FieldValue> after;
    for (const FieldValue& value : values) {
        const RecordTable* records = recordsOf(value.ref.kind);
        const auto record = records->constFind(value.ref.id);
        if (record == records->constEnd() || value.ref.field >= record->size())
            continue;
        const QString& current = record->at(value.ref.field);
        if (current == value.value)
            continue;
        before.append({value.ref, current});
        after.append(value);
    }
    if (after.isEmpty())
        return;
    const QString armyId = skillArmyId;
    undoHistory->push(new FieldEditCommand(
        before, after, description,
        [this, armyId](const QVector<FieldValue>& changed, ApplyMode mode) { applyFieldValues(changed, mode, armyId); },
        firstMode));
}

void Widget::applyFieldValues(const QVector<FieldValue>& values, ApplyMode mode, const QString& armyId)
{
    for (const FieldValue& value : values) {
        RecordTable* records = recordsOf(value.ref.kind);
        auto record = records->find(value.ref.id);
        if (record == records->end() || value.ref.field >= record->size())
            continue;
        QString& field = (*record)[value.ref.field];
        journal.record(value.ref, field, value.value);
        field = value.value;
    }

    refreshArmyInfo(values);
    refreshSkills(values);
    refreshCities(values, mode);
    if (mode == ApplyMode::Reveal && !values.isEmpty())
        reveal(values.first(), armyId);
    updatePendingWarning();
    emit journalChanged();
}

void Widget::refreshArmyInfo(const QVector<FieldValue>& values)
{
    refreshCells(armyInfoTable, RecordKind::ArmyType, 6, values);
    const bool needsShown = std::any_of(values.begin(), values.end(), [this](const FieldValue& value) {
        return value.ref.kind == RecordKind::ArmyType && value.ref.field > 6 && value.ref.id == currentArmyId;
    });
    if (needsShown)
        drawArmyNeeds(currentArmyId);
}

void Widget::refreshSkills(const QVector<FieldValue>& values)
{
    refreshCells(armySkillTable, RecordKind::Skill, 2, values);
}

void Widget::refreshCells(QTableWidget* table, RecordKind kind, int lastShown, const QVector<FieldValue>& values)
{
    if (!table || table->rowCount() == 0)
        return;
    QHash<QString, int> rows;
    QVector<QPair<QTableWidgetItem*, FieldRef>> cells;
    for (const FieldValue& value : values) {
        if (value.ref.kind != kind || value.ref.field > lastShown)
            continue;
        if (rows.isEmpty())
            rows = rowsById(table);
        const auto row = rows.constFind(value.ref.id);
        if (row != rows.constEnd()) {
            if (QTableWidgetItem* cell = table->item(*row, columnOf(value.ref)))
                cells.append({cell, value.ref});
        }
    }
    if (cells.isEmpty())
        return;
    // Items, not rows: a sorted table moves rows as their values change.
    const RecordTable& records = *recordsOf(kind);
    const SortingSuspended suspended(table);
    const QSignalBlocker blocker(table);
    for (const auto& cell : qAsConst(cells)) {
        cell.first->setText(records.value(cell.second.id).value(cell.second.field));
        markCell(cell.first, cell.second);
    }
}

void Widget::refreshCities(const QVector<FieldValue>& values, ApplyMode mode)
{
    if (!cityTable)
        return;
    QHash<QString, int> rows;
    for (const FieldValue& value : values) {
        if (value.ref.kind != RecordKind::City)
            continue;
        if (rows.isEmpty())
            rows = rowsById(cityTable);
        const auto row = rows.constFind(value.ref.id);
        if (row == rows.constEnd())
            continue;
        for (int column = 0; column < cityTable->columnCount(); ++column) {
            if (QTableWidgetItem* cell = cityTable->item(*row, column))
                markCell(cell, value.ref);
        }
        // A move made by the user has already moved its row between the specialty tables.
        if (mode != ApplyMode::ViewsCurrent && value.ref.id == currentCityId)
            showCitySpecialties(*row, 0);
    }
}

void Widget::selectArmyRow(const QString& id, int column)
{
    const int row = selectCellOf(armyInfoTable, id, column);
    if (row < 0)
        return;
    rememberArmyRow(row, column);
    // The skills of an army type follow from its name, which no edit changes: a list already shown stays.
    if (id != skillArmyId)
        drawArmySkill(row, column);
    drawArmyNeeds(currentArmyId);
}

void Widget::reveal(const FieldValue& value, const QString& armyId)
{
    if (!tabWidget)
        return;
    if (storyList && storyList->isVisible()) {
        storyList->hide();
        tabWidget->show();
    }
    const FieldRef& ref = value.ref;
    if (ref.kind == RecordKind::City) {
        tabWidget->setCurrentWidget(cityPage);
        const int row = selectCellOf(cityTable, ref.id, 1);
        if (row >= 0)
            showCitySpecialties(row, 1);
        return;
    }

    tabWidget->setCurrentIndex(0);
    if (ref.kind == RecordKind::ArmyType) {
        selectArmyRow(ref.id, ref.field <= 6 ? columnOf(ref) : 1);
        return;
    }
    if (!armyId.isEmpty() && armyId != skillArmyId)
        selectArmyRow(armyId, 1);
    selectCellOf(armySkillTable, ref.id, columnOf(ref));
}

void Widget::markCell(QTableWidgetItem* cell, const FieldRef& ref) const
{
    const JournalEntry* entry = journal.find(ref);
    // Skill ranges above 7 are allowed, but the game may crash on them: the cell says so.
    const bool risky = ref.kind == RecordKind::Skill && isRiskyRange(cell->text());
    showValueLook(cell, risky, entry ? &entry->fileValue : nullptr);
}

void Widget::refreshMarks()
{
    remarkTable(armyInfoTable, RecordKind::ArmyType, 6);
    remarkTable(armySkillTable, RecordKind::Skill, 2);
    if (cityTable) {
        for (int row = 0; row < cityTable->rowCount(); ++row) {
            const FieldRef ref{RecordKind::City, cityTable->item(row, 0)->text(), 1};
            for (int column = 0; column < cityTable->columnCount(); ++column)
                markCell(cityTable->item(row, column), ref);
        }
    }
    if (armyNeedsGroup && !currentArmyId.isEmpty())
        drawArmyNeeds(currentArmyId);
}

void Widget::remarkTable(QTableWidget* table, RecordKind kind, int lastField)
{
    if (!table || table->rowCount() == 0)
        return;
    const SortingSuspended suspended(table);
    const QSignalBlocker blocker(table);
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString id = table->item(row, 0)->text();
        for (int field = 1; field <= lastField; ++field)
            markCell(table->item(row, field + 1), {kind, id, field});
    }
}

void Widget::updatePendingWarning()
{
    messageLabel->setText(journal.isEmpty() ? QString() : QStringLiteral("您有新的数据需要保存!"));
}

void Widget::revertFields(const QVector<FieldRef>& refs)
{
    QVector<FieldValue> values;
    for (const FieldRef& ref : refs) {
        if (const JournalEntry* entry = journal.find(ref))
            values.append({ref, entry->fileValue});
    }
    changeFields(values, tr("还原为文件中的值"));
}

void Widget::discardArmyStatistics()
{
    // One pass for all of them: after a bulk edit these are thousands of fields.
    QVector<FieldValue> values;
    for (const JournalEntry& entry : journal.changes(RecordKind::ArmyType, 1, 6))
        values.append({entry.ref, entry.fileValue});
    applyFieldValues(values, ApplyMode::Refresh, QString());
}

QString Widget::fileLabel(const FieldRef& ref) const
{
    const auto inGame = [this](const QString& path) {
        const QString relative = QDir(gameDirectory).relativeFilePath(path);
        return relative.startsWith(QLatin1String("..")) ? QDir::toNativeSeparators(path)
                                                        : QDir::toNativeSeparators(relative);
    };
    switch (ref.kind) {
    case RecordKind::ArmyType:
        return inGame(ref.field <= 6 ? stagePath : armyTypePath);
    case RecordKind::Skill:
        return inGame(skillPath);
    case RecordKind::City:
        return inGame(cityPath);
    }
    return QString();
}

QString Widget::recordLabel(const FieldRef& ref) const
{
    switch (ref.kind) {
    case RecordKind::ArmyType:
        return ref.id + QLatin1Char(' ') + armyTypes.value(ref.id).value(0);
    case RecordKind::Skill:
        return ref.id + QLatin1Char(' ') + skills.value(ref.id).value(0);
    case RecordKind::City:
        return ref.id + QLatin1Char(' ') + cities.value(ref.id).value(0);
    }
    return ref.id;
}

QString Widget::fieldLabel(const FieldRef& ref)
{
    static const QStringList armyFields{QString(),
                                        QStringLiteral("远程攻击"),
                                        QStringLiteral("近战攻击"),
                                        QStringLiteral("远程防御"),
                                        QStringLiteral("近战防御"),
                                        QStringLiteral("攻城破坏"),
                                        QStringLiteral("射程"),
                                        QStringLiteral("招募城市"),
                                        QStringLiteral("虎符")};
    static const QStringList skillFields{QString(), QStringLiteral("远程范围"), QStringLiteral("近战范围")};
    switch (ref.kind) {
    case RecordKind::ArmyType:
        return armyFields.value(ref.field);
    case RecordKind::Skill:
        return skillFields.value(ref.field);
    case RecordKind::City:
        return QStringLiteral("城市特性");
    }
    return QString();
}

bool Widget::commitOpenEditor()
{
    for (QTableWidget* table : {armyInfoTable, armySkillTable}) {
        // An open editor stands at the current cell (these tables hold no other index widgets).
        QWidget* editor = table ? table->indexWidget(table->currentIndex()) : nullptr;
        const auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            continue;
        if (!textscan::isWritableNumber(line->text())) {
            showStatus(tr("请输入非负整数!"));
            editor->setFocus();
            return false;
        }
        emit table->itemDelegate()->commitData(editor);
        emit table->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    return true;
}

void Widget::showCellMenu(QTableWidget* table, RecordKind kind, const QPoint& pos)
{
    const QTableWidgetItem* cell = table->itemAt(pos);
    QVector<FieldRef> cellFields;
    QVector<FieldRef> rowFields;
    if (cell) {
        const QString id = table->item(cell->row(), 0)->text();
        const int firstColumn = kind == RecordKind::City ? 1 : 2;
        for (int column = firstColumn; column < table->columnCount(); ++column) {
            const FieldRef ref{kind, id, kind == RecordKind::City ? 1 : column - 1};
            if (!journal.contains(ref))
                continue;
            rowFields.append(ref);
            if (column == cell->column() || kind == RecordKind::City)
                cellFields.append(ref);
        }
    }

    QMenu menu(table);
    QAction* undo = menu.addAction(tr("撤销"), undoHistory, &QUndoStack::undo, QKeySequence::Undo);
    undo->setEnabled(undoHistory->canUndo());
    QAction* redo = menu.addAction(tr("重做"), undoHistory, &QUndoStack::redo, QKeySequence(tr("Ctrl+Y")));
    redo->setEnabled(undoHistory->canRedo());
    menu.addSeparator();
    if (kind != RecordKind::City) {
        QAction* revertCell =
            menu.addAction(tr("还原为文件中的值"), this, [this, cellFields] { revertFields(cellFields); });
        revertCell->setEnabled(!cellFields.isEmpty());
    }
    QAction* revertRow = menu.addAction(tr("还原此行"), this, [this, rowFields] { revertFields(rowFields); });
    revertRow->setEnabled(!rowFields.isEmpty());
    menu.addSeparator();
    // The city list shows no value a rule or a file could change.
    if (kind != RecordKind::City) {
        QAction* bulk = menu.addAction(
            tr("批量修改…"), this, [this, kind] { bulkEdit(kind); }, QKeySequence(tr("Ctrl+B")));
        // The table leaves out the cells of hidden rows.
        bulk->setEnabled(!table->selectedItems().isEmpty());
    }
    menu.addAction(tr("导出为CSV…"), this, [this, kind] { exportTable(kind); });
    if (kind != RecordKind::City)
        menu.addAction(tr("从CSV导入…"), this, [this, kind] { importTable(kind); });
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void Widget::showPendingChanges()
{
    if (!pendingDialog) {
        pendingDialog = new PendingChangesDialog(this);
        pendingDialog->setObjectName(QStringLiteral("pendingChangesDialog"));
    }
    pendingDialog->show();
    pendingDialog->raise();
    pendingDialog->activateWindow();
}
