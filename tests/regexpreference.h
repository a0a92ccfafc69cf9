#pragma once
// The game's own record patterns, run through QRegExp in minimal mode the way the game's reader loops run them:
// the reference that tst_gamefiles and the fuzz targets hold the hand scanners to.

#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"

#include <QRegExp>

#include <algorithm>
#include <functional>

namespace Reference {

// A table as sorted lines "id -> [field|field]", so that a failed comparison shows both sides readably.
template <typename Table> QString dump(const Table& table)
{
    QStringList lines;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        lines += it.key() + QLatin1String(" -> [") + QStringList(it.value()).join(QLatin1Char('|')) + QLatin1Char(']');
    std::sort(lines.begin(), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// Capture 1 -> the other captures of every match, each search starting where the last match ended; the last
// match of an id wins. `take` may change a record, or empty it to leave the match out.
using Take = std::function<void(const QString& id, QStringList& record)>;
inline RecordTable table(const QString& pattern, const QString& text, const Take& take = nullptr)
{
    QRegExp rx(pattern);
    rx.setMinimal(true);
    RecordTable records;
    for (int at = rx.indexIn(text); at != -1; at = rx.indexIn(text, at + rx.matchedLength())) {
        QStringList record = rx.capturedTexts().mid(2);
        if (take)
            take(rx.cap(1), record);
        if (!record.isEmpty())
            records.insert(rx.cap(1), record);
    }
    return records;
}

// Decodes the first escape of the whole text, again and again.
inline void decodeByRescanning(QString& text)
{
    for (int at = text.indexOf(QLatin1String("\\u")); at >= 0; at = text.indexOf(QLatin1String("\\u"))) {
        const QString hex = text.mid(at + 2, 4);
        const bool valid = QRegExp(QStringLiteral("[0-9a-fA-F]+")).exactMatch(hex);
        text.replace(at, 2 + hex.size(), QChar(valid ? ushort(hex.toUInt(nullptr, 16)) : ushort(0)));
    }
}

// A text "^id" takes the text of that id, once, visiting the ids in the order they first held a reference.
inline TextTable language(const QString& text)
{
    QStringList referring;
    const RecordTable entries =
        table(QStringLiteral("(\\d+):(.*)\\n"), text, [&](const QString& id, QStringList& entry) {
            if (entry.first().startsWith(QLatin1Char('^')) && !referring.contains(id))
                referring += id;
        });
    TextTable texts;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        texts.insert(entry.key(), entry->first());
    for (const QString& id : referring) {
        if (texts.value(id).startsWith(QLatin1Char('^')))
            texts.insert(id, texts.value(texts.value(id).mid(1)));
    }
    return texts;
}

// A reader's result, or with `reference` what the game's pattern reads, on the text, shown as text.
inline QString read(const QString& reader, const QString& t, bool reference)
{
    static const TextTable names{{QStringLiteral("100"), QStringLiteral("弓兵")},
                                 {QStringLiteral("1001"), QStringLiteral("长枪兵")}};
    const auto named = [](const QString&, QStringList& record) {
        record.first() = names.value(record.first());
    };
    if (reader == QLatin1String("language"))
        return dump(reference ? language(t) : parseLanguageTable(t));
    if (reader == QLatin1String("items")) {
        RecordTable items = table(QStringLiteral("\"ID\":(\\d+),.*\"Name\":(\\d+),"), t, named);
        if (!items.contains(QStringLiteral("0")))
            items.insert(QStringLiteral("0"), {QString()});
        return dump(reference ? items : parseItems(t, names));
    }
    if (reader == QLatin1String("army"))
        return dump(reference ? table(QStringLiteral("\"Type\":(\\d+),.*\"Name\":(\\d+),.*\"LongAttack\":(\\d+),"
                                                     "\"ShortAttack\":(\\d+),\"LongDefense\":(\\d+),\"ShortDefense\":"
                                                     "(\\d+),\"Destroy\":(\\d+),.*\"Range\":(\\d+),.*\"MustCityDesc\":"
                                                     "(\\d+),\"NeedItemId\":(\\d+),"),
                                      t, named)
                              : parseArmyTypes(t, names));
    if (reader == QLatin1String("skill"))
        return dump(reference ? table(QStringLiteral("\"ID\":(\\d+),\"Temp\":\"([^\"]*)\",\"Name\":\\d+,\"SkillPoint\":"
                                                     "\\d+,\"FarRange\":(\\d+),\"NearRange\":(\\d+),"),
                                      t,
                                      [](const QString&, QStringList& skill) {
                                          decodeByRescanning(skill.first());
                                          if (skill.first() == QStringLiteral("占个格子"))
                                              skill.clear();
                                      })
                              : parseSkills(t));
    if (reader == QLatin1String("stage"))
        return dump(
            reference ? table(QStringLiteral("<armytype a0=\"(\\d+)\".*a4=\"(\\d+)\" a5=\"(\\d+)\" a6=\"(\\d+)\" "
                                             "a7=\"(\\d+)\" a8=\"(\\d+)\" a9=\"\\d+\" a10=\"(\\d+)\" a11=\"\\d+\".*/>"),
                              t)
                      : parseStageStatistics(t));
    if (reader == QLatin1String("city"))
        return dump(
            reference ? table(QStringLiteral("\"ID\":(\\d+),\"Temp\":\"([^\"]+)\".*\"specialattributes\":\"(.*)\","), t)
                      : parseCities(t));
    if (reader == QLatin1String("specialty"))
        return dump(reference ? table(QStringLiteral("\"ID\":(\\d+),\"NAME\":(\\d+),.*,\"Specialty\":\"([^\"]*)\",.*,"
                                                     "\"EffectDesc\":(\\d+),\"ConditionDesc\":(\\d+)\\D"),
                                      t,
                                      [](const QString&, QStringList& f) {
                                          f = QStringList{f[0], f[2], f[1], f[3]};
                                      })
                              : parseCitySpecialties(t));
    // A story catalogue's paths and a summary's first story name.
    QStringList paths;
    QRegExp rx(QStringLiteral("<path>(.*)</path>"));
    rx.setMinimal(true);
    for (int at = rx.indexIn(t); at != -1; at = rx.indexIn(t, at + rx.matchedLength()))
        paths += rx.cap(1);
    rx.setPattern(QStringLiteral("storyname=\"(.*)\""));
    if (!reference)
        return parseStoryPaths(t).join(QLatin1Char('|')) + QLatin1Char('\n') + parseStoryName(t);
    return paths.join(QLatin1Char('|')) + QLatin1Char('\n') + (rx.indexIn(t) != -1 ? rx.cap(1) : QString());
}

} // namespace Reference
