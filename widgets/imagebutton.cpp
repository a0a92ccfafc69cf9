#include "widgets/imagebutton.h"

#include <QBitmap>
#include <QCursor>
#include <QPixmap>

ImageButton::ImageButton(const QString& tip, const QString& normalPicture, const QString& hoverPicture, QWidget* parent)
    : QPushButton(parent), normalPicture(normalPicture),
      hoverPicture(hoverPicture.isEmpty() ? normalPicture : hoverPicture), tipText(tip)
{
    // The mask comes from the alpha channel, so presses on transparent parts miss the button. A picture
    // without transparency gives an empty mask, which leaves the whole rectangle; a picture that does not
    // load gives a 0 x 0 button.
    // Named as PNG, the picture is read without asking every image plugin whether it knows the format.
    const QPixmap picture(this->normalPicture, "PNG");
    setMask(picture.mask());
    // The two-argument arg() keeps a '%' in the first path from being taken for a placeholder.
    setStyleSheet(QStringLiteral("QPushButton{border-image:url(%1);}QPushButton:hover{border-image:url(%2);}")
                      .arg(this->normalPicture, this->hoverPicture));
    setFixedSize(picture.size());
}

void ImageButton::setPictureSize(const QSize& size)
{
    if (this->size() == size)
        return;
    setFixedSize(size);
    setMask(QPixmap(normalPicture, "PNG").scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).mask());
}

// The base handler is skipped on purpose: no pressed look, no pressed()/clicked(bool), and the action
// runs on the press, whichever button it is.
void ImageButton::mousePressEvent(QMouseEvent*)
{
    emit clicked();
}

void ImageButton::enterEvent(QEvent*)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(tipText);
}

// The hover picture is the style sheet's business; nothing to undo here.
void ImageButton::leaveEvent(QEvent*) {}
