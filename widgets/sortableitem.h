#pragma once

#include <QTableWidgetItem>

// A table cell that header sorting orders by value when both texts are base-10 integers (1, 2, 10) and
// as text otherwise; integers come before other texts.
class SortableItem : public QTableWidgetItem
{
public:
    explicit SortableItem(const QString& text = QString());

    // Copies stay SortableItems, so a prototype item keeps the numeric order in the cells made from it.
    QTableWidgetItem* clone() const override;
    bool operator<(const QTableWidgetItem& other) const override;
};
