// The city tab: cities, the specialties each holds, and moving specialties in and out.
#include "app/widget.h"

void Widget::buildCityTab(QGridLayout*) {}
void Widget::onTabBarClicked(int) {}
void Widget::fillCityList() {}
void Widget::showCitySpecialties(int, int) {}
QStringList Widget::optionalSpecialties(const QStringList&) const
{
    return {};
}
void Widget::fillSpecialtyTable(QTableWidget*, const QStringList&) {}
void Widget::removeCitySpecialty(const QPoint&) {}
void Widget::addCitySpecialty(const QPoint&) {}
