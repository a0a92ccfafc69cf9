#pragma once

#include <QPixmap>
#include <QWidget>

// The background window: paints the background picture stretched over its whole area.
class BackgroundWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BackgroundWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap background;
};
