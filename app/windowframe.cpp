#include "app/windowframe.h"

#include "app/windowplacement.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// How far into the frame an edge can be caught. The window layout keeps a wider margin around the
// panels, so the band lies on the background only.
const int kGrip = 6;

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    return Qt::SizeVerCursor;
}

} // namespace

WindowFrame::WindowFrame(QWidget* window, QWidget* frame, QLayout* titleRow, QWidget* restoreButton,
                         QWidget* maximiseButton)
    : QObject(window), window(window), frame(frame), titleRow(titleRow), restoreButton(restoreButton),
      maximiseButton(maximiseButton)
{
    // Moves without a pressed button reach the window only when the background tracks them too; they set
    // the resize cursor at the edges.
    window->setMouseTracking(true);
    frame->setMouseTracking(true);
    window->installEventFilter(this);
    // The margin around the frame is the room for its shadow, taken as the window's layout has it now.
    if (window->layout())
        shadowMargins = window->layout()->contentsMargins();
    followState();
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window)
        return false;
    switch (event->type()) {
    case QEvent::WindowStateChange:
        followState();
        break;
    case QEvent::MouseButtonPress:
        return startResize(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        if (resizing) {
            const QScreen* screen = window->screen();
            window->setGeometry(resizedGeometry(resizeStart, resizing, move->globalPos() - resizeOrigin,
                                                window->minimumSize().expandedTo(window->minimumSizeHint()),
                                                screen ? screen->availableGeometry() : QRect()));
            return true;
        }
        showResizeCursor(move->buttons() == Qt::NoButton ? edgesAt(move->pos()) : Qt::Edges());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (resizing) {
            resizing = Qt::Edges();
            return true;
        }
        break;
    case QEvent::Leave:
        showResizeCursor(Qt::Edges());
        break;
    case QEvent::MouseButtonDblClick: {
        auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() != Qt::LeftButton || !inTitleArea(click->pos()))
            break;
        window->setWindowState(window->windowState() & Qt::WindowMaximized ? Qt::WindowNoState : Qt::WindowMaximized);
        return true;
    }
    default:
        break;
    }
    return false;
}

Qt::Edges WindowFrame::edgesAt(const QPoint& pos) const
{
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return Qt::Edges();
    return resizeEdgesAt(frame->geometry(), pos, kGrip);
}

bool WindowFrame::inTitleArea(const QPoint& pos) const
{
    const QPoint inFrame = frame->mapFrom(window, pos);
    return frame->rect().contains(inFrame) && inFrame.y() <= titleRow->geometry().bottom();
}

bool WindowFrame::startResize(QMouseEvent* event)
{
    const Qt::Edges edges = event->button() == Qt::LeftButton ? edgesAt(event->pos()) : Qt::Edges();
    if (!edges)
        return false;
    // The window system resizes best, with its own feedback; where it cannot (no window manager, say),
    // the window follows the pointer itself.
    if (window->windowHandle() && window->windowHandle()->startSystemResize(edges))
        return true;
    resizing = edges;
    resizeOrigin = event->globalPos();
    resizeStart = window->geometry();
    return true;
}

void WindowFrame::showResizeCursor(Qt::Edges edges)
{
    if (edges == hovered)
        return;
    hovered = edges;
    if (edges)
        window->setCursor(cursorFor(edges));
    else
        window->unsetCursor();
}

void WindowFrame::followState()
{
    const bool maximised = window->windowState() & Qt::WindowMaximized;
    restoreButton->setVisible(maximised);
    maximiseButton->setVisible(!maximised);
    // A maximised or full-screen window has no shadow to show: the frame fills the whole area it is given.
    if (window->layout())
        window->layout()->setContentsMargins(
            window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen) ? QMargins() : shadowMargins);
}
