#include "gamedata/specialattributes.h"

#include <QRegularExpression>

QStringList heldSpecialties(const QString& attributes)
{
    return attributes.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

int specialtyEntryCount(const QString& attributes)
{
    return attributes.count(QLatin1Char(','));
}

bool hasRoomForSpecialty(const QString& attributes)
{
    return specialtyEntryCount(attributes) < maxCitySpecialties;
}

QString withoutSpecialty(const QString& attributes, const QString& id)
{
    // The word boundary keeps 12, and 22, when 2 goes: only an entry that starts with the id's digits
    // and ends right behind them matches.
    QString rest = attributes;
    rest.remove(QRegularExpression(QStringLiteral("\\b") + QRegularExpression::escape(id) + QLatin1Char(',')));
    return rest.isEmpty() ? QStringLiteral("0,") : rest;
}

QString withSpecialty(const QString& attributes, const QString& id)
{
    const QString kept = attributes == QLatin1String("0,") ? QString() : attributes;
    return kept + id + QLatin1Char(',');
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
