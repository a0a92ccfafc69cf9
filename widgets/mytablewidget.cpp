#include "widgets/mytablewidget.h"

#include "widgets/sortableitem.h"

#include <QDebug>
#include <QMouseEvent>

MyTableWidget::MyTableWidget() : QTableWidget(nullptr), removedRow(std::make_unique<QStringList>())
{
    // The right button takes rows out, so it must not open the built-in menu.
    setContextMenuPolicy(Qt::CustomContextMenu);
}

MyTableWidget::~MyTableWidget() = default;

void MyTableWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTableWidget::mousePressEvent(event);
        return;
    }
    // A right press outside the rows changes nothing, not even the selection.
    const QTableWidgetItem* pressed = itemAt(event->pos());
    if (!pressed)
        return;
    const int row = pressed->row();
    removedRow->clear();
    for (int column = 0; column < columnCount(); ++column) {
        // A cell without an item contributes an empty text, so the list always has one entry per column.
        const QTableWidgetItem* cell = item(row, column);
        removedRow->append(cell ? cell->data(Qt::DisplayRole).toString() : QString());
    }
    emit getRow(removedRow.get());
    removeRow(row);
}

// Fresh items carry the texts only. Sorting is held off while the row is written, since a sorted table
// would move row 0 away after its first cell and the other cells would land in another row.
void MyTableWidget::insertFirstRow(QStringList* rowValue)
{
    const bool sorting = isSortingEnabled();
    setSortingEnabled(false);
    insertRow(0);
    for (int column = 0; column < columnCount(); ++column)
        setItem(0, column, new SortableItem(rowValue->value(column)));
    setSortingEnabled(sorting);
}

void MyTableWidget::showText()
{
    qDebug() << "yes";
}
