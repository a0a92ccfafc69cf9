#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>

// The size the window opens at when nothing is remembered, where the screen allows it.
constexpr QSize kDefaultWindowSize(1200, 800);

// Where the window opens. `screens` holds the screens' available areas (without task bars), the primary
// one first; `cursor` is the pointer's position. A remembered geometry whose centre lies on one of the
// screens is kept, shrunk to that screen's area and moved into it where it sticks out. Otherwise (nothing
// remembered, or a screen that is gone) the window takes the remembered or the default size, shrunk to the
// area of the screen the cursor is on (or nearest to), and stands centred in that area.
QRect initialWindowGeometry(const QVector<QRect>& screens, const QPoint& cursor, const QRect& remembered = QRect());

// The edges of a frame that a point is near: within `grip` pixels inside the frame, or outside it.
Qt::Edges resizeEdgesAt(const QRect& frame, const QPoint& point, int grip);

// The geometry after the given edges were dragged by `delta`; the opposite edges stay where they were, the
// dragged ones stop at the border of the work area `area` (when valid), and the size does not fall below
// `minimum`.
QRect resizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum,
                      const QRect& area = QRect());
