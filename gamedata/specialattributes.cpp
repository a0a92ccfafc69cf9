#include "gamedata/specialattributes.h"

QStringList heldSpecialties(const QString& attributes)
{
    QStringList held;
    for (const QString& part : attributes.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString id = part.trimmed();
        if (!id.isEmpty())
            held.append(id);
    }
    return held;
}

int specialtyEntryCount(const QString& attributes)
{
    return int(heldSpecialties(attributes).size());
}

bool hasRoomForSpecialty(const QString& attributes)
{
    return specialtyEntryCount(attributes) < maxCitySpecialties;
}

namespace {

// The held ids in the form the game writes: each followed by a comma, "0," for none.
QString attributesText(const QStringList& held)
{
    return held.isEmpty() ? QStringLiteral("0,") : held.join(QLatin1Char(',')) + QLatin1Char(',');
}

} // namespace

QString withoutSpecialty(const QString& attributes, const QString& id)
{
    QStringList held = heldSpecialties(attributes);
    held.removeAll(id);
    return attributesText(held);
}

QString withSpecialty(const QString& attributes, const QString& id)
{
    QStringList held = heldSpecialties(attributes);
    if (held == QStringList(QStringLiteral("0")))
        held.clear();
    return attributesText(held << id);
}

QString productNames(const QString& productList, const RecordTable& items)
{
    QStringList names;
    for (const QString& itemId : productList.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = items.value(itemId).value(0);
        if (!name.isEmpty())
            names.append(name);
    }
    return names.join(QStringLiteral(", "));
}

QStringList specialtyRowTexts(const QString& id, const RecordTable& specialties, const TextTable& texts,
                              const RecordTable& items)
{
    const QStringList record = specialties.value(id);
    if (record.size() < 4)
        return {id, QString(), QString(), QString(), QString()};
    // The condition texts begin with a three-character lead-in that the column leaves out.
    return {id, texts.value(record.at(0)), texts.value(record.at(1)), productNames(record.at(2), items),
            texts.value(record.at(3)).mid(3)};
}
