// Temporary stand-ins until the game file readers land.
#include "app/widget.h"
bool Widget::readStoryCatalogue(const QString&) { return false; }
bool Widget::readLanguageFile(const QString&) { return false; }
bool Widget::readItemFile(const QString&) { return false; }
bool Widget::readArmyTypeFile(const QString&) { return false; }
bool Widget::readSkillFile(const QString&) { return false; }
bool Widget::readStageFile(const QString&) { return false; }
bool Widget::readCityFile(const QString&) { return false; }
bool Widget::readCitySpecialtyFile(const QString&) { return false; }
bool Widget::patchFile(const QString&, const std::function<PatchResult(const QString&)>&, SaveReport*, QStringList*) { return false; }
bool Widget::writeArmyTypeFile(const QString&, const QStringList&, SaveReport*) { return false; }
bool Widget::writeArmyNeeds(const QString&, const QStringList&, SaveReport*) { return false; }
bool Widget::writeSkillFile(const QString&, const QStringList&, SaveReport*) { return false; }
bool Widget::writeStageFile(const QString&, const QStringList&, SaveReport*) { return false; }
bool Widget::writeCityFile(const QString&, const QStringList&, SaveReport*) { return false; }
