#include "app/windowplacement.h"

QPoint centredPosition(const QRect& availableArea, const QSize& windowSize)
{
    return QPoint((availableArea.width() - windowSize.width()) / 2, (availableArea.height() - windowSize.height()) / 2);
}
