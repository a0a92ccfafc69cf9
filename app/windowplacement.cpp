#include "app/windowplacement.h"

#include <QtGlobal>

#include <algorithm>
#include <climits>

namespace {

// How far a point is from a rectangle, in steps along the axes; 0 inside it.
int distance(const QRect& area, const QPoint& point)
{
    const int dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
    const int dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
    return dx + dy;
}

} // namespace

QRect initialWindowGeometry(const QVector<QRect>& screens, const QPoint& cursor, const QRect& remembered)
{
    const QSize wanted = remembered.isValid() ? remembered.size() : kDefaultWindowSize;
    if (screens.isEmpty())
        return QRect(QPoint(0, 0), wanted);

    if (remembered.isValid()) {
        for (const QRect& area : screens) {
            if (!area.contains(remembered.center()))
                continue;
            QRect placed(remembered.topLeft(), wanted.boundedTo(area.size()));
            placed.moveLeft(qBound(area.left(), placed.left(), area.right() + 1 - placed.width()));
            placed.moveTop(qBound(area.top(), placed.top(), area.bottom() + 1 - placed.height()));
            return placed;
        }
    }

    // The pointer may rest on a task bar, outside every available area: take the nearest screen then.
    const QRect area = *std::min_element(screens.cbegin(), screens.cend(), [&cursor](const QRect& a, const QRect& b) {
        return distance(a, cursor) < distance(b, cursor);
    });
    const QSize size = wanted.boundedTo(area.size());
    return QRect(area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

Qt::Edges resizeEdgesAt(const QRect& frame, const QPoint& point, int grip)
{
    Qt::Edges edges;
    if (point.x() < frame.left() + grip)
        edges |= Qt::LeftEdge;
    if (point.x() > frame.right() - grip)
        edges |= Qt::RightEdge;
    if (point.y() < frame.top() + grip)
        edges |= Qt::TopEdge;
    if (point.y() > frame.bottom() - grip)
        edges |= Qt::BottomEdge;
    return edges;
}

QRect resizedGeometry(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimum, const QRect& area)
{
    // A dragged edge goes no further out than the border of the work area, or than where it started when it
    // stood beyond it already; an unknown area sets no bound.
    const QRect bound =
        area.isValid() ? area.united(start) : QRect(QPoint(INT_MIN / 2, INT_MIN / 2), QSize(INT_MAX, INT_MAX));
    QRect result = start;
    if (edges & Qt::LeftEdge)
        result.setLeft(std::min(std::max(start.left() + delta.x(), bound.left()), start.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        result.setRight(
            std::max(std::min(start.right() + delta.x(), bound.right()), start.left() - 1 + minimum.width()));
    if (edges & Qt::TopEdge)
        result.setTop(std::min(std::max(start.top() + delta.y(), bound.top()), start.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        result.setBottom(
            std::max(std::min(start.bottom() + delta.y(), bound.bottom()), start.top() - 1 + minimum.height()));
    return result;
}
