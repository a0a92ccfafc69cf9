#include "views/storylist.h"

#include "views/recordtableview.h"
#include "widgets/sortableitem.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>

StoryList::StoryList(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("storyList"));
    RecordTableView::setupTable(this, 1, true, {QStringLiteral("剧本选择")});
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(this, &QTableWidget::cellEntered, this, &QTableWidget::selectRow);
    connect(this, &QTableWidget::cellDoubleClicked, this, &StoryList::choose);
}

void StoryList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0)
        choose(currentRow());
    else
        QTableWidget::keyPressEvent(event);
}

void StoryList::choose(int row)
{
    if (const QTableWidgetItem* cell = item(row, 0))
        emit storyChosen(cell->data(Qt::UserRole).toInt());
}

void StoryList::fill(const StoryCatalogue& stories)
{
    setSortingEnabled(false);
    setRowCount(stories.size());
    int row = 0;
    for (auto story = stories.cbegin(); story != stories.cend(); ++story, ++row) {
        auto* cell = new SortableItem(story.value().value(1));
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        cell->setBackground(QBrush(QColor(QStringLiteral("#333333"))));
        cell->setTextAlignment(Qt::AlignCenter);
        // The row keeps its story number, so selection stays right after the user sorts the list.
        cell->setData(Qt::UserRole, story.key());
        setItem(row, 0, cell);
    }
    setSortingEnabled(true);
}

void StoryList::highlightStory(int number)
{
    clearSelection();
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, 0) && item(row, 0)->data(Qt::UserRole).toInt() == number)
            selectRow(row);
    }
}
