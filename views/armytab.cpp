#include "views/armytab.h"

#include "gamedata/idorder.h"
#include "views/recordtableview.h"
#include "views/rowstable.h"
#include "views/sortingsuspended.h"
#include "widgets/appsearchline.h"
#include "widgets/sortableitem.h"
#include "widgets/tablefilter.h"

#include <QBrush>
#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableWidget>

#include <algorithm>

namespace {

// A few rows are enough to work with a table; the user divides the rest of the room. The skills ask for many
// rows, so that a short window takes its room from the needs' note first.
const int kFewRows = 3;
const int kManyRows = 10;

// A note below a table that gives its room to the table when the window is small: squeezed below its size,
// it shows nothing rather than cut lines.
class NoteLabel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override { return QSize(0, 0); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QSize whole = sizeHint();
        if (height() >= whole.height() && width() >= whole.width())
            QLabel::paintEvent(event);
    }
};

QLabel* noteLabel(const QStringList& lines)
{
    auto* note = new NoteLabel((QStringList{QStringLiteral("★温馨提示★"), QString()} + lines).join(QLatin1Char('\n')));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The room above the note is part of it, so that it goes with the note.
    note->setContentsMargins(0, 12, 0, 0);
    return note;
}

} // namespace

ArmyTab::ArmyTab(GameDocument* document, QWidget* parent)
    : QWidget(parent), document(document), infoTable(new RowsTable(kManyRows, kFewRows)),
      skillTable(new RowsTable(kManyRows, kFewRows)), needsTable(new RowsTable(1, 1)), needsGroup(new QGroupBox)
{
    setObjectName(QStringLiteral("armyPage"));
    infoTable->setObjectName(QStringLiteral("armyInfoTable"));
    RecordTableView::setupTable(infoTable, 8, true,
                                {QStringLiteral("兵种ID"), QStringLiteral("兵种"), QStringLiteral("远程攻击"),
                                 QStringLiteral("近战攻击"), QStringLiteral("远程防御"), QStringLiteral("近战防御"),
                                 QStringLiteral("攻城破坏"), QStringLiteral("射程")});
    infoTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Fitted to their contents, these headers would each keep room for a full-height sort arrow, which leaves
    // the names clipped at the default window size; the label and a small arrow are enough. Their width stays
    // as it is when values change, so a change of thousands of cells does not lay the header out each time.
    for (int section : {0, 2, 3, 4, 5, 6, 7}) {
        QHeaderView* header = infoTable->horizontalHeader();
        const QString label = infoTable->horizontalHeaderItem(section)->text();
        header->setSectionResizeMode(section, QHeaderView::Interactive);
        header->resizeSection(section, header->fontMetrics().horizontalAdvance(label) + 28);
    }
    infoView = new RecordTableView(document, infoTable, RecordKind::ArmyType, 6);

    skillTable->setObjectName(QStringLiteral("armySkillTable"));
    RecordTableView::setupTable(
        skillTable, 4, false,
        {QStringLiteral("ID"), QStringLiteral("技能"), QStringLiteral("远程范围"), QStringLiteral("近战范围")});
    skillTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    skillTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    skillView = new RecordTableView(document, skillTable, RecordKind::Skill, 2);
    auto* skillGroup = new QGroupBox(QStringLiteral("兵种技能"));
    skillGroup->setObjectName(QStringLiteral("armySkillGroup"));
    auto* skillLayout = new QGridLayout(skillGroup);
    skillLayout->addLayout(skillView->withSearchLine(200), 0, 0);
    skillLayout->addWidget(noteLabel({QStringLiteral("◇ 技能与兵种为模糊查询对应,结果可能【不正确】."),
                                      QStringLiteral("◇ 攻击范围极值为【7】,超过此值或导致游戏崩溃.")}),
                           1, 0);
    skillLayout->setVerticalSpacing(0);

    needsTable->setObjectName(QStringLiteral("armyNeedsTable"));
    RecordTableView::setupTable(needsTable, 2, false, {QStringLiteral("城市"), QStringLiteral("虎符")});
    needsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    needsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    needsGroup->setObjectName(QStringLiteral("armyNeedsGroup"));
    needsGroup->setTitle(QStringLiteral("兵种招募需求"));
    auto* needsLayout = new QGridLayout(needsGroup);
    needsLayout->addWidget(needsTable, 0, 0);
    needsLayout->addWidget(noteLabel({QStringLiteral("◇ 如禁用招募需求,请取消表格上方的【√】."),
                                      QStringLiteral("◇ 请注意: 操作保存后将【不可逆】.")}),
                           1, 0);
    needsLayout->setVerticalSpacing(0);

    // The user divides the height between the needs and the skills; the skills, the longer list, take what
    // the needs leave. Each table keeps room for a few rows, so on a small screen the window stays usable.
    auto* panelSplitter = new QSplitter(Qt::Vertical);
    panelSplitter->setObjectName(QStringLiteral("armyPanelSplitter"));
    panelSplitter->addWidget(needsGroup);
    panelSplitter->addWidget(skillGroup);
    panelSplitter->setChildrenCollapsible(false);
    panelSplitter->setStretchFactor(1, 1);
    // An army type has one need at most.
    needsTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    needsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    needsTable->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    // Narrow margins leave the tables their rows in a short window.
    for (QGridLayout* layout : {skillLayout, needsLayout})
        layout->setContentsMargins(4, 4, 4, 4);
    auto* pageLayout = new QGridLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addLayout(infoView->withSearchLine(300), 0, 0);
    pageLayout->addWidget(panelSplitter, 0, 1);
    pageLayout->setColumnStretch(0, 3);
    pageLayout->setColumnStretch(1, 2);

    // The panels follow the current row, however it became current (a click of either button, the keys, an
    // undo), and go empty when a filter hides it.
    connect(infoTable, &QTableWidget::currentCellChanged, this, &ArmyTab::followCurrentRow);
    connect(infoTable->findChild<TableFilter*>(), &TableFilter::refiltered, this, &ArmyTab::followCurrentRow);
    connect(needsGroup, &QGroupBox::clicked, this, &ArmyTab::switchArmyNeeds);
    for (RecordTableView* view : {infoView, skillView})
        connect(view, &RecordTableView::statusMessage, this, &ArmyTab::statusMessage);
    connect(document, &GameDocument::storyOpened, this, &ArmyTab::drawArmyInfo);
    // Another game has no story open yet.
    connect(document, &GameDocument::gameOpened, this, [this] {
        {
            const QSignalBlocker blocker(infoTable);
            infoTable->setRowCount(0);
        }
        switchedOffNeeds.clear();
        showArmy(QString());
    });
    connect(document, &GameDocument::fieldsChanged, this, &ArmyTab::followChange);
    connect(document, &GameDocument::saved, this, &ArmyTab::remark);
}

bool ArmyTab::commitOpenEditor()
{
    return infoView->commitOpenEditor() && skillView->commitOpenEditor();
}

void ArmyTab::focusTable()
{
    infoTable->setFocus(Qt::OtherFocusReason);
}

void ArmyTab::drawArmyInfo()
{
    const RecordTable& armyTypes = document->armyTypes();
    {
        const SortingSuspended suspended(infoTable);
        const QSignalBlocker blocker(infoTable);
        infoTable->setRowCount(0);
        infoTable->setRowCount(armyTypes.size());

        SortableItem readOnly;
        readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
        readOnly.setBackground(QBrush(QColor(QStringLiteral("#555555"))));

        const bool anyChanged = document->hasPendingChanges();
        int row = 0;
        for (const QString& id : sortedByNumber(armyTypes.keys())) {
            const QStringList record = armyTypes.value(id);
            readOnly.setText(id);
            infoTable->setItem(row, 0, readOnly.clone());
            readOnly.setText(record.value(0));
            infoTable->setItem(row, 1, readOnly.clone());
            for (int position = 1; position <= 6; ++position) {
                auto* cell = new SortableItem(record.value(position));
                if (anyChanged)
                    infoView->markCell(cell, {RecordKind::ArmyType, id, position});
                infoTable->setItem(row, position + 1, cell);
            }
            ++row;
        }
    }
    // The refill leaves no row current: the panels of the row shown before go empty.
    showArmy(QString());
}

void ArmyTab::followCurrentRow()
{
    const int row = infoTable->currentRow();
    const QTableWidgetItem* idCell = row >= 0 && !infoTable->isRowHidden(row) ? infoTable->item(row, 0) : nullptr;
    showArmy(idCell ? idCell->text() : QString());
}

void ArmyTab::showArmy(const QString& id)
{
    if (id == currentArmyId && id == skillArmyId && !id.isEmpty())
        return;
    currentArmyId = id;
    // The skills of an army type follow from its name, which no edit changes: a list already shown stays.
    if (id != skillArmyId || id.isEmpty())
        drawArmySkill(id);
    drawArmyNeeds(id);
}

void ArmyTab::drawArmySkill(const QString& id)
{
    const SortingSuspended suspended(skillTable);
    const QSignalBlocker blocker(skillTable);
    skillTable->setRowCount(0);
    skillArmyId = id;
    infoView->setShownArmy(id);
    skillView->setShownArmy(id);
    if (id.isEmpty())
        return;

    const RecordTable& skills = document->skills();
    const QStringList ids = document->armySkills(id);
    SortableItem readOnly;
    readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
    readOnly.setBackground(QBrush(QColor(QStringLiteral("#555555"))));
    skillTable->setRowCount(ids.size());
    for (int row = 0; row < ids.size(); ++row) {
        const QStringList skill = skills.value(ids.at(row));
        readOnly.setText(ids.at(row));
        skillTable->setItem(row, 0, readOnly.clone());
        readOnly.setText(skill.value(0));
        skillTable->setItem(row, 1, readOnly.clone());
        for (int column = 2; column <= 3; ++column) {
            auto* range = new SortableItem(skill.value(column - 1));
            skillView->markCell(range, {RecordKind::Skill, ids.at(row), column - 1});
            skillTable->setItem(row, column, range);
        }
    }
}

void ArmyTab::drawArmyNeeds(const QString& id)
{
    needsTable->setRowCount(0);
    // The group shows what a save would write, the record's current needs; a switched-off need is both fields
    // at 0. A difference from the file is marked, with the file's needs in the tooltip.
    const QStringList record = document->armyTypes().value(id);
    const auto names = [this](const QString& city, const QString& item) {
        return QStringList{document->languageTexts().value(city), document->items().value(item).value(0)};
    };
    const QStringList current = names(record.value(7), record.value(8));
    const QStringList inFile = document->fileNeeds(id);
    const QStringList fileNames = names(inFile.at(0), inFile.at(1));
    const bool changed = document->journal().recordChanged(RecordKind::ArmyType, id, 7, 8);
    const bool needed = !current.at(1).isEmpty();

    // Setting a style sheet polishes the group anew, even to the same text.
    const QString look = changed ? QStringLiteral("QGroupBox::title{color:#D9A64A;font-weight:bold;}") : QString();
    if (needsGroup->styleSheet() != look)
        needsGroup->setStyleSheet(look);
    needsGroup->setToolTip(!changed ? QString()
                           : fileNames.at(1).isEmpty()
                               ? tr("原值: 已禁用")
                               : tr("原值: ") + fileNames.at(0) + QStringLiteral(" / ") + fileNames.at(1));
    // Needs the user switched off can be ticked back on, also once the file holds them switched off.
    const bool switchedOff = !needed && (changed || switchedOffNeeds.contains(id));
    needsGroup->setTitle(switchedOff ? tr("兵种招募需求(已禁用)") : QStringLiteral("兵种招募需求"));
    needsGroup->setCheckable(needed || switchedOff);
    if (!needed) {
        if (switchedOff)
            needsGroup->setChecked(false);
        return;
    }
    needsGroup->setChecked(true);
    needsTable->setRowCount(1);
    // Shown only: the needs can be switched off, not edited.
    QTableWidgetItem readOnly;
    readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
    readOnly.setText(current.at(0));
    needsTable->setItem(0, 0, readOnly.clone());
    readOnly.setText(current.at(1));
    needsTable->setItem(0, 1, readOnly.clone());
}

void ArmyTab::switchArmyNeeds(bool checked)
{
    const QString id = currentArmyId;
    const QStringList record = document->armyTypes().value(id);
    QStringList needs{QStringLiteral("0"), QStringLiteral("0")};
    if (checked) {
        // Back to the needs the user last had: those switched off in this run, else the file's.
        needs = switchedOffNeeds.value(id, document->fileNeeds(id));
    } else if (record.value(8) != QLatin1String("0")) {
        switchedOffNeeds.insert(id, {record.value(7), record.value(8)});
    }
    document->changeFields({{{RecordKind::ArmyType, id, 7}, needs.at(0)}, {{RecordKind::ArmyType, id, 8}, needs.at(1)}},
                           checked ? tr("恢复招募需求") : tr("禁用招募需求"), ChangeOrigin::Applied, skillArmyId);
    // Also puts the box back when nothing changed.
    drawArmyNeeds(id);
}

void ArmyTab::selectArmyRow(const QString& id, int column)
{
    if (infoView->selectCell(id, column) >= 0)
        showArmy(id);
}

void ArmyTab::followChange(const QVector<FieldValue>& values, ChangeOrigin origin, const QString& shownArmy)
{
    infoView->refreshCells(values);
    skillView->refreshCells(values);
    const bool needsShown = std::any_of(values.begin(), values.end(), [this](const FieldValue& value) {
        return value.ref.kind == RecordKind::ArmyType && value.ref.field > 6 && value.ref.id == currentArmyId;
    });
    if (needsShown)
        drawArmyNeeds(currentArmyId);

    // An undone or redone change is brought into view and selected.
    if (origin != ChangeOrigin::UndoRedo || values.isEmpty())
        return;
    const FieldRef& ref = values.first().ref;
    if (ref.kind == RecordKind::ArmyType) {
        selectArmyRow(ref.id, ref.field <= 6 ? RecordTableView::columnOf(ref) : 1);
    } else if (ref.kind == RecordKind::Skill) {
        if (!shownArmy.isEmpty() && shownArmy != skillArmyId)
            selectArmyRow(shownArmy, 1);
        skillView->selectCell(ref.id, RecordTableView::columnOf(ref));
    }
}

void ArmyTab::remark()
{
    infoView->remark();
    skillView->remark();
    if (!currentArmyId.isEmpty())
        drawArmyNeeds(currentArmyId);
}
