#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>

class QLayout;
class QMouseEvent;
class QWidget;

// What a frameless window needs from its frame: resizing from every edge and corner, maximising and
// restoring by a double click on the title area, and title buttons that follow the window's state (the
// restore button shows exactly while the window is maximised, the maximise button otherwise) and a shadow
// margin around the frame that only a normal window keeps.
// It watches the window's events; presses it does not take go on to the window's own dragging.
class WindowFrame : public QObject
{
    Q_OBJECT

public:
    // `frame` is the visible part of the window, `titleRow` the layout of the title buttons at its top.
    WindowFrame(QWidget* window, QWidget* frame, QLayout* titleRow, QWidget* restoreButton, QWidget* maximiseButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Qt::Edges edgesAt(const QPoint& pos) const;
    bool inTitleArea(const QPoint& pos) const;
    bool startResize(QMouseEvent* event);
    // Shows the title buttons and the shadow margin that fit the window's state.
    void followState();
    void showResizeCursor(Qt::Edges edges);

    QWidget* window;
    QWidget* frame;
    QLayout* titleRow;
    QWidget* restoreButton;
    QWidget* maximiseButton;
    QMargins shadowMargins;
    // The edges under the pointer, whose resize cursor shows.
    Qt::Edges hovered;
    // A resize the window system could not take over: the edges being dragged, where and from what.
    Qt::Edges resizing;
    QPoint resizeOrigin;
    QRect resizeStart;
};
