#include "app/backgroundwindow.h"

#include "app/editorresources.h"

#include <QColor>
#include <QPainter>
#include <QTimer>

#include <algorithm>

QRect coveringSourceRect(const QSize& picture, const QSize& target)
{
    if (picture.isEmpty() || target.isEmpty())
        return QRect(QPoint(), picture);
    // Cross-multiplied in 64 bits, so the proportions compare exactly and large sizes do not overflow.
    const qint64 pictureWide = qint64(picture.width()) * target.height();
    const qint64 targetWide = qint64(target.width()) * picture.height();
    if (pictureWide > targetWide) {
        const int width = std::max(1, int((targetWide + target.height() / 2) / target.height()));
        return QRect((picture.width() - width) / 2, 0, width, picture.height());
    }
    const int height = std::max(1, int((pictureWide + target.width() / 2) / target.width()));
    return QRect(0, (picture.height() - height) / 2, picture.width(), height);
}

BackgroundWindow::BackgroundWindow(QWidget* parent) : QWidget(parent)
{
    initEditorResources();
}

void BackgroundWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (background.isNull()) {
        // Decoding the picture takes longer than building the whole window: the window shows at once in the
        // picture's average colour, so that nothing flashes, and the picture follows on the next turn of the
        // event loop.
        painter.fillRect(rect(), QColor(0x1E, 0x24, 0x2E));
        if (!loadScheduled) {
            loadScheduled = true;
            QTimer::singleShot(0, this, &BackgroundWindow::loadPicture);
        }
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Draw scaled rather than scaling a copy: the same picture, without a full-size temporary per paint. The
    // source rectangle is in the picture's pixels, also for the picture with twice the pixels.
    painter.drawPixmap(rect(), background, coveringSourceRect(background.size(), size()));
}

void BackgroundWindow::loadPicture()
{
    // On a screen scaled above 100 % the picture with twice the pixels keeps the landscape sharp.
    background.load(devicePixelRatioF() > 1.0 ? QStringLiteral(":/res/backgroud@2x.png")
                                              : QStringLiteral(":/res/backgroud.png"));
    update();
}
