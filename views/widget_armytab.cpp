// The army tab: the army info table with its edits, and the common set-up of every table.
#include "app/widget.h"
#include "gamedata/idorder.h"
#include "gamedata/textscan.h"
#include "views/sortingsuspended.h"
#include "widgets/sortableitem.h"

#include <QBrush>
#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>

void Widget::setupTable(QTableWidget* table, int columnCount, bool mouseTracking, const QStringList& labels)
{
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setColumnCount(columnCount);
    table->setMouseTracking(mouseTracking);
    table->setHorizontalHeaderLabels(labels);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    // Without a sort column, enabling sorting leaves the rows in the order they are written.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
}

void Widget::buildArmyTab(QGridLayout* pageLayout)
{
    armyInfoTable = new QTableWidget;
    armyInfoTable->setObjectName(QStringLiteral("armyInfoTable"));
    setupTable(armyInfoTable, 8, true,
               {QStringLiteral("兵种ID"), QStringLiteral("兵种"), QStringLiteral("远程攻击"),
                QStringLiteral("近战攻击"), QStringLiteral("远程防御"), QStringLiteral("近战防御"),
                QStringLiteral("攻城破坏"), QStringLiteral("射程")});
    armyInfoTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    // Fitted to their contents, these headers would each keep room for a full-height sort arrow, which leaves
    // the names clipped at the default window size; the label and a small arrow are enough. Their width stays
    // as it is when values change, so a change of thousands of cells does not lay the header out each time.
    for (int section : {0, 2, 3, 4, 5, 6, 7}) {
        QHeaderView* header = armyInfoTable->horizontalHeader();
        const QString label = armyInfoTable->horizontalHeaderItem(section)->text();
        header->setSectionResizeMode(section, QHeaderView::Interactive);
        header->resizeSection(section, header->fontMetrics().horizontalAdvance(label) + 28);
    }
    allowManyCells(armyInfoTable, RecordKind::ArmyType);
    connect(armyInfoTable, &QTableWidget::cellClicked, this, &Widget::rememberArmyRow);
    connect(armyInfoTable, &QTableWidget::cellChanged, this, &Widget::storeArmyInfoEdit);
    connect(armyInfoTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showCellMenu(armyInfoTable, RecordKind::ArmyType, pos); });

    armySkillTable = new QTableWidget;
    armySkillTable->setObjectName(QStringLiteral("armySkillTable"));
    setupTable(armySkillTable, 4, false,
               {QStringLiteral("ID"), QStringLiteral("技能"), QStringLiteral("远程范围"), QStringLiteral("近战范围")});
    armySkillTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    armySkillTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    allowManyCells(armySkillTable, RecordKind::Skill);
    auto* skillGroup = new QGroupBox;
    skillGroup->setTitle(QStringLiteral("兵种技能"));
    connect(armyInfoTable, &QTableWidget::cellClicked, this, &Widget::drawArmySkill);
    connect(armySkillTable, &QTableWidget::cellChanged, this, &Widget::storeArmySkillEdit);
    connect(armySkillTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showCellMenu(armySkillTable, RecordKind::Skill, pos); });

    auto* skillNote = new QLabel(QStringList{QStringLiteral("★温馨提示★"), QString(),
                                             QStringLiteral("◇ 技能与兵种为模糊查询对应,结果可能【不正确】."),
                                             QStringLiteral("◇ 攻击范围极值为【7】,超过此值或导致游戏崩溃.")}
                                     .join(QLatin1Char('\n')));
    auto* skillLayout = new QGridLayout;
    skillLayout->addLayout(filteredTable(armySkillTable, 200), 0, 0);
    skillLayout->addWidget(skillNote, 1, 0);
    skillLayout->setVerticalSpacing(35);
    skillGroup->setLayout(skillLayout);

    armyNeedsTable = new QTableWidget;
    armyNeedsTable->setObjectName(QStringLiteral("armyNeedsTable"));
    setupTable(armyNeedsTable, 2, false, {QStringLiteral("城市"), QStringLiteral("虎符")});
    armyNeedsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    armyNeedsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* needsNote = new QLabel(QStringList{QStringLiteral("★温馨提示★"), QString(),
                                             QStringLiteral("◇ 如禁用招募需求,请取消表格上方的【√】."),
                                             QStringLiteral("◇ 请注意: 操作保存后将【不可逆】.")}
                                     .join(QLatin1Char('\n')));
    armyNeedsGroup = new QGroupBox;
    armyNeedsGroup->setObjectName(QStringLiteral("armyNeedsGroup"));
    armyNeedsGroup->setTitle(QStringLiteral("兵种招募需求"));
    auto* needsLayout = new QGridLayout;
    armyNeedsGroup->setLayout(needsLayout);
    needsLayout->addWidget(armyNeedsTable, 0, 0);
    needsLayout->addWidget(needsNote, 1, 0);
    needsLayout->setVerticalSpacing(35);
    connect(armyInfoTable, &QTableWidget::clicked, this, [this] { drawArmyNeeds(currentArmyId); });
    connect(armyNeedsGroup, &QGroupBox::clicked, this, &Widget::switchArmyNeeds);

    pageLayout->addLayout(filteredTable(armyInfoTable, 300), 0, 0, 2, 1);
    pageLayout->addWidget(armyNeedsGroup, 0, 1);
    pageLayout->addWidget(skillGroup, 1, 1);
    pageLayout->setColumnStretch(0, 3);
    pageLayout->setColumnStretch(1, 2);
    pageLayout->setRowStretch(0, 1);
    pageLayout->setRowStretch(1, 5);
}

void Widget::drawArmyInfo()
{
    const SortingSuspended suspended(armyInfoTable);
    const QSignalBlocker blocker(armyInfoTable);
    armyInfoTable->setRowCount(0);
    armyInfoTable->setRowCount(armyTypes.size());

    SortableItem readOnly;
    readOnly.setFlags(readOnly.flags() & ~Qt::ItemIsEditable);
    readOnly.setBackground(QBrush(QColor(QStringLiteral("#555555"))));

    int row = 0;
    for (const QString& id : sortedByNumber(armyTypes.keys())) {
        const QStringList record = armyTypes.value(id);
        readOnly.setText(id);
        armyInfoTable->setItem(row, 0, readOnly.clone());
        readOnly.setText(record.value(0));
        armyInfoTable->setItem(row, 1, readOnly.clone());
        for (int position = 1; position <= 6; ++position) {
            auto* cell = new SortableItem(record.value(position));
            if (!journal.isEmpty())
                markCell(cell, {RecordKind::ArmyType, id, position});
            armyInfoTable->setItem(row, position + 1, cell);
        }
        ++row;
    }
}

void Widget::rememberArmyRow(int row, int)
{
    if (const QTableWidgetItem* idCell = armyInfoTable->item(row, 0))
        currentArmyId = idCell->text();
}

void Widget::storeArmyInfoEdit(int row, int column)
{
    QTableWidgetItem* cell = armyInfoTable->item(row, column);
    const QTableWidgetItem* idCell = armyInfoTable->item(row, 0);
    // Only the user's edits are recorded, and the user edits the current cell: with many cells selected,
    // being selected no longer tells the edited cell from the others.
    if (!cell || !idCell || cell != armyInfoTable->currentItem())
        return;
    const QString id = idCell->text();
    if (!textscan::isWritableNumber(cell->text())) {
        // The game files need digits here; anything else would make the record unreadable.
        const QSignalBlocker blocker(armyInfoTable);
        cell->setText(armyTypes.value(id).value(column - 1));
        showStatus(tr("请输入非负整数!"));
        return;
    }
    changeFields({{{RecordKind::ArmyType, id, column - 1}, cell->text()}},
                 armyInfoTable->horizontalHeaderItem(column)->text(), ApplyMode::ViewsCurrent);
}
