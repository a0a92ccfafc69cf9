#pragma once

#include <QGroupBox>
#include <QList>

class ImageButton;

// A column of square picture buttons that shrink together, down to two thirds of their pictures' size, when
// the window is too short to show them at full size: a short window keeps every button in reach.
class SideMenu : public QGroupBox
{
    Q_OBJECT

public:
    explicit SideMenu(QWidget* parent = nullptr);

    // Adds a button below the others; it keeps its picture's size while there is room.
    void addButton(ImageButton* button);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The size of a menu holding the buttons at this side length.
    QSize sizeFor(int side) const;
    // The side length the buttons take within a height.
    int sideFor(int height) const;

    QList<ImageButton*> buttons;
    int fullSide = 0;
};
