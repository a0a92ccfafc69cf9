#include "app/mywindow.h"

#include "app/editorresources.h"

#include <QPainter>

MyWindow::MyWindow(QWidget* parent) : QWidget(parent)
{
    initEditorResources();
    background.load(QStringLiteral(":/res/backgroud.png"));
}

void MyWindow::paintEvent(QPaintEvent*)
{
    if (background.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Draw scaled rather than scaling a copy: the same picture, without a full-size temporary per paint.
    painter.drawPixmap(rect(), background);
}
