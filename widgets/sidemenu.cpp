#include "widgets/sidemenu.h"

#include "widgets/imagebutton.h"

#include <algorithm>

namespace {

const int kGap = 8;

} // namespace

SideMenu::SideMenu(QWidget* parent) : QGroupBox(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
}

void SideMenu::addButton(ImageButton* button)
{
    button->setParent(this);
    fullSide = std::max(fullSide, button->width());
    buttons.append(button);
    updateGeometry();
}

QSize SideMenu::sizeFor(int side) const
{
    const QMargins margins = contentsMargins();
    const int count = buttons.size();
    return QSize(fullSide + margins.left() + margins.right(),
                 count * side + std::max(0, count - 1) * kGap + margins.top() + margins.bottom());
}

int SideMenu::sideFor(int height) const
{
    if (buttons.isEmpty())
        return fullSide;
    const QMargins margins = contentsMargins();
    const int room = height - margins.top() - margins.bottom() - (buttons.size() - 1) * kGap;
    return std::clamp(room / buttons.size(), fullSide * 2 / 3, fullSide);
}

QSize SideMenu::sizeHint() const
{
    return sizeFor(fullSide);
}

QSize SideMenu::minimumSizeHint() const
{
    return sizeFor(fullSide * 2 / 3);
}

void SideMenu::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    const int side = sideFor(height());
    const QRect area = contentsRect();
    int top = area.top();
    for (ImageButton* button : qAsConst(buttons)) {
        button->setPictureSize(QSize(side, side));
        button->move(area.left() + (area.width() - side) / 2, top);
        top += side + kGap;
    }
}
