#pragma once

#include <QPushButton>
#include <QString>

class QEvent;
class QMouseEvent;

// A push button drawn entirely by a picture: shaped like the picture and exactly as large, with a second
// picture while the pointer is over it. It acts as soon as any mouse button goes down on it.
class ImageButton : public QPushButton
{
    Q_OBJECT

public:
    // An empty hoverPicture means the normal picture is shown while hovered too.
    ImageButton(const QString& tip, const QString& normalPicture, const QString& hoverPicture,
                QWidget* parent = nullptr);

    // Draws the pictures at another size, the button's shape scaled with them.
    void setPictureSize(const QSize& size);

signals:
    // Our own signal, sent on the press of any mouse button; the inherited clicked(bool) is never sent.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString normalPicture;
    QString hoverPicture;
    QString tipText;
};
