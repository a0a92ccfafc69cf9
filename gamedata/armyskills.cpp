#include "gamedata/armyskills.h"

#include "gamedata/idorder.h"

namespace {

QStringList fixedSkills(const QString& armyName)
{
    if (armyName.contains(QStringLiteral("岚戈")))
        return {QStringLiteral("306"), QStringLiteral("307"), QStringLiteral("308"), QStringLiteral("309"),
                QStringLiteral("311")};
    if (armyName.contains(QStringLiteral("夕")))
        return {QStringLiteral("304"), QStringLiteral("305")};
    return {};
}

} // namespace

QStringList skillsForArmy(const QString& armyName, const RecordTable& skills)
{
    QStringList found;
    for (const QString& id : fixedSkills(armyName)) {
        if (skills.contains(id))
            found.append(id);
    }

    QString name = armyName;
    for (;;) {
        bool matched = false;
        for (auto skill = skills.cbegin(); skill != skills.cend(); ++skill) {
            const QStringList& record = skill.value();
            if (!record.isEmpty() && record.first().contains(name)) {
                found.append(skill.key());
                matched = true;
            }
        }
        if (matched)
            break;
        name.chop(1);
        if (name.size() <= 1)
            break;
    }

    if (name == QStringLiteral("年")) {
        found.removeOne(QStringLiteral("304"));
        found.removeOne(QStringLiteral("305"));
    }
    return sortedByNumber(found);
}
