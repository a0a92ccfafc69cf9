#pragma once

#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QWidget>

// The part of a picture of `picture` pixels that covers a `target` area without distorting it: the largest
// rectangle with the target's proportions, centred in the picture (the rest is cropped). The whole picture
// when either size is empty.
QRect coveringSourceRect(const QSize& picture, const QSize& target);

// The background window: paints the background picture over its whole area, scaled to cover it and cropped
// to its proportions. The picture is read after the window first shows.
class BackgroundWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadPicture();

    QPixmap background;
    bool loadScheduled = false;
};
