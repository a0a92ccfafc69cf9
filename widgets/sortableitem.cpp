#include "widgets/sortableitem.h"

SortableItem::SortableItem(const QString& text) : QTableWidgetItem(text) {}

QTableWidgetItem* SortableItem::clone() const
{
    return new SortableItem(*this);
}

bool SortableItem::operator<(const QTableWidgetItem& other) const
{
    bool leftIsNumber = false;
    bool rightIsNumber = false;
    const qlonglong left = text().toLongLong(&leftIsNumber, 10);
    const qlonglong right = other.text().toLongLong(&rightIsNumber, 10);
    if (leftIsNumber && rightIsNumber)
        return left < right;
    if (leftIsNumber != rightIsNumber)
        return leftIsNumber;
    return QString::localeAwareCompare(text(), other.text()) < 0;
}
