#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of the given size stands centred in a screen's available area. Only the area's size
// counts, not its offset; the halves are truncated toward zero (a difference of -81 gives -40).
QPoint centredPosition(const QRect& availableArea, const QSize& windowSize);
