#include "app/backgroundwindow.h"

#include "app/editorresources.h"

#include <QGuiApplication>
#include <QPainter>

BackgroundWindow::BackgroundWindow(QWidget* parent) : QWidget(parent)
{
    initEditorResources();
    // On a screen scaled above 100 % the picture with twice the pixels keeps the landscape sharp.
    background.load(qGuiApp->devicePixelRatio() > 1.0 ? QStringLiteral(":/res/backgroud@2x.png")
                                                      : QStringLiteral(":/res/backgroud.png"));
}

void BackgroundWindow::paintEvent(QPaintEvent*)
{
    if (background.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Draw scaled rather than scaling a copy: the same picture, without a full-size temporary per paint.
    painter.drawPixmap(rect(), background);
}
