// The story list, story selection and the tab area that replaces the list once a story is chosen.
#include "app/prompts.h"
#include "app/widget.h"
#include "widgets/sortableitem.h"

#include <QBrush>
#include <QColor>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>

void Widget::buildStoryList(QGridLayout* windowLayout)
{
    if (!storyList) {
        storyList = new QTableWidget;
        storyList->setObjectName(QStringLiteral("storyList"));
        setupTable(storyList, 1, true, {QStringLiteral("剧本选择")});
        storyList->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        storyList->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        windowLayout->addWidget(storyList, 1, 1, 3, 1);
    }
    if (!gameDataLoaded)
        return;

    storyList->setSortingEnabled(false);
    storyList->setRowCount(stories.size());
    int row = 0;
    for (auto story = stories.cbegin(); story != stories.cend(); ++story, ++row) {
        auto* cell = new SortableItem(story.value().value(1));
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        cell->setBackground(QBrush(QColor(QStringLiteral("#333333"))));
        cell->setTextAlignment(Qt::AlignCenter);
        // The row keeps its story number, so selection stays right after the user sorts the list.
        cell->setData(Qt::UserRole, story.key());
        storyList->setItem(row, 0, cell);
    }
    storyList->setSortingEnabled(true);

    connect(storyList, &QTableWidget::cellEntered, storyList, &QTableWidget::selectRow, Qt::UniqueConnection);
    connect(storyList, &QTableWidget::cellDoubleClicked, this, &Widget::selectStory, Qt::UniqueConnection);
}

void Widget::buildTabArea(QGridLayout* windowLayout)
{
    tabWidget = new QTabWidget;
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    windowLayout->addWidget(tabWidget, 1, 2, 3, 2);

    auto* armyPage = new QWidget;
    tabWidget->addTab(armyPage, QStringLiteral("兵种"));
    auto* armyLayout = new QGridLayout;
    armyPage->setLayout(armyLayout);
    buildArmyTab(armyLayout);

    auto* cityPage = new QWidget;
    tabWidget->addTab(cityPage, QStringLiteral("城市"));
    auto* cityLayout = new QGridLayout;
    cityPage->setLayout(cityLayout);
    buildCityTab(cityLayout);

    tabWidget->hide();
}

void Widget::selectStory(int row, int)
{
    const QTableWidgetItem* cell = storyList->item(row, 0);
    if (!cell)
        return;
    const QStringList story = stories.value(cell->data(Qt::UserRole).toInt());
    if (story.size() < 2)
        return;

    if (!commitOpenEditor())
        return;
    // Statistics edits belong to the story they were made in: settle them before another is read.
    if (!journal.changedIds(RecordKind::ArmyType, 1, 6).isEmpty()) {
        switch (Prompts::askToSave(this)) {
        case Prompts::SaveAnswer::Save:
            if (!saveChanges())
                return;
            break;
        case Prompts::SaveAnswer::Discard:
            discardArmyStatistics();
            undoHistory->clear();
            break;
        case Prompts::SaveAnswer::Cancel:
            return;
        }
    }

    const QString newStagePath = story.at(0) + QStringLiteral("/stage.xml");
    switch (readStage(newStagePath)) {
    case StageRead::StageUnreadable:
        showStatus(tr("剧本数据读取失败!"));
        return;
    case StageRead::ArmyTypesUnreadable:
        showStatus(tr("兵种数据读取失败!"));
        return;
    case StageRead::Done:
        break;
    }
    // Undo steps of the story shown before would reach into values that are no longer on screen.
    undoHistory->clear();
    stagePath = newStagePath;
    storyList->hide();
    tabWidget->show();
    drawArmyInfo();
    storyLabel->setText(QStringLiteral("剧本: 【%1】").arg(story.at(1)));
}

void Widget::toggleStoryList()
{
    if (!gameDataLoaded)
        return;
    const bool showList = !storyList->isVisible();
    storyList->setVisible(showList);
    tabWidget->setVisible(!showList);
}
