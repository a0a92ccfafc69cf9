#pragma once

// The game's own record patterns run through QRegExp in minimal mode, the way the original reader loops run
// them: the reference our hand scanners are compared with, by tst_regexpreference and by the fuzz targets.

#include "gamedata/gametables.h"

#include <QHash>
#include <QRegExp>
#include <QString>
#include <QStringList>

#include <functional>

// Where the match that gave an id its record lies: [begin, end).
struct ReferenceMatch
{
    int begin = 0;
    int end = 0;
};
using ReferenceMatches = QHash<QString, ReferenceMatch>;

inline void searchAll(const QString& pattern, const QString& text, const std::function<void(const QRegExp&)>& take)
{
    QRegExp rx(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    rx.setMinimal(true);
    int pos = 0;
    while ((pos = rx.indexIn(text, pos)) != -1) {
        take(rx);
        pos += rx.matchedLength();
    }
}

inline void noteMatch(ReferenceMatches* matches, const QString& id, const QRegExp& rx)
{
    if (matches)
        matches->insert(id, {rx.pos(0), rx.pos(0) + rx.matchedLength()});
}

// The escape decoder as the algorithm states it: always the first escape of the whole text.
inline void decodeEscapesReference(QString& text)
{
    for (int at = text.indexOf(QLatin1String("\\u")); at >= 0; at = text.indexOf(QLatin1String("\\u"))) {
        const QString hex = text.mid(at + 2, 4);
        bool valid = !hex.isEmpty();
        for (QChar c : hex)
            valid = valid && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                              (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
                              (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
        const ushort value = valid ? ushort(hex.toUInt(nullptr, 16)) : 0;
        text.replace(at, 2 + hex.size(), QChar(value));
    }
}

inline TextTable languageReference(const QString& text)
{
    TextTable table;
    // The reference pass visits the ids in the order they first received a reference.
    QStringList keys;
    searchAll(QStringLiteral("(\\d+):(.*)\\n"), text, [&](const QRegExp& rx) {
        if (rx.cap(2).startsWith(QLatin1Char('^')) && !keys.contains(rx.cap(1)))
            keys.append(rx.cap(1));
        table.insert(rx.cap(1), rx.cap(2));
    });
    for (const QString& key : keys) {
        const QString value = table.value(key);
        if (value.startsWith(QLatin1Char('^')))
            table.insert(key, table.value(value.mid(1)));
    }
    return table;
}

inline RecordTable itemsReference(const QString& text, const TextTable& language)
{
    RecordTable items;
    items.insert(QStringLiteral("0"), QStringList(QString()));
    searchAll(QStringLiteral("\"ID\":(\\d+),.*\"Name\":(\\d+),"), text,
              [&](const QRegExp& rx) { items.insert(rx.cap(1), QStringList(language.value(rx.cap(2)))); });
    return items;
}

inline RecordTable armyTypesReference(const QString& text, const TextTable& language,
                                      ReferenceMatches* matches = nullptr)
{
    RecordTable table;
    searchAll(QStringLiteral("\"Type\":(\\d+),.*\"Name\":(\\d+),.*\"LongAttack\":(\\d+),\"ShortAttack\":(\\d+),"
                             "\"LongDefense\":(\\d+),\"ShortDefense\":(\\d+),\"Destroy\":(\\d+),.*\"Range\":(\\d+),.*"
                             "\"MustCityDesc\":(\\d+),\"NeedItemId\":(\\d+),"),
              text, [&](const QRegExp& rx) {
                  QStringList record{language.value(rx.cap(2))};
                  for (int k = 3; k <= 10; ++k)
                      record += rx.cap(k);
                  table.insert(rx.cap(1), record);
                  noteMatch(matches, rx.cap(1), rx);
              });
    return table;
}

inline RecordTable skillsReference(const QString& text, ReferenceMatches* matches = nullptr)
{
    RecordTable table;
    searchAll(QStringLiteral("\"ID\":(\\d+),\"Temp\":\"([^\"]*)\",\"Name\":\\d+,\"SkillPoint\":\\d+,"
                             "\"FarRange\":(\\d+),\"NearRange\":(\\d+),"),
              text, [&](const QRegExp& rx) {
                  QString name = rx.cap(2);
                  decodeEscapesReference(name);
                  if (name != QStringLiteral("占个格子")) {
                      table.insert(rx.cap(1), {name, rx.cap(3), rx.cap(4)});
                      noteMatch(matches, rx.cap(1), rx);
                  }
              });
    return table;
}

inline RecordTable stageReference(const QString& text, ReferenceMatches* matches = nullptr)
{
    RecordTable table;
    searchAll(QStringLiteral("<armytype a0=\"(\\d+)\".*a4=\"(\\d+)\" a5=\"(\\d+)\" a6=\"(\\d+)\" a7=\"(\\d+)\" "
                             "a8=\"(\\d+)\" a9=\"\\d+\" a10=\"(\\d+)\" a11=\"\\d+\".*/>"),
              text, [&](const QRegExp& rx) {
                  table.insert(rx.cap(1), {rx.cap(2), rx.cap(3), rx.cap(4), rx.cap(5), rx.cap(6), rx.cap(7)});
                  noteMatch(matches, rx.cap(1), rx);
              });
    return table;
}

inline RecordTable citiesReference(const QString& text, ReferenceMatches* matches = nullptr)
{
    RecordTable table;
    searchAll(QStringLiteral("\"ID\":(\\d+),\"Temp\":\"([^\"]+)\".*\"specialattributes\":\"(.*)\","), text,
              [&](const QRegExp& rx) {
                  table.insert(rx.cap(1), {rx.cap(2), rx.cap(3)});
                  noteMatch(matches, rx.cap(1), rx);
              });
    return table;
}

inline RecordTable specialtiesReference(const QString& text)
{
    RecordTable table;
    searchAll(QStringLiteral("\"ID\":(\\d+),\"NAME\":(\\d+),.*,\"Specialty\":\"([^\"]*)\",.*,\"EffectDesc\":(\\d+),"
                             "\"ConditionDesc\":(\\d+)\\D"),
              text, [&](const QRegExp& rx) {
                  table.insert(rx.cap(1), {rx.cap(2), rx.cap(4), rx.cap(3), rx.cap(5)});
              });
    return table;
}

inline QStringList storyPathsReference(const QString& text)
{
    QStringList paths;
    searchAll(QStringLiteral("<path>(.*)</path>"), text, [&](const QRegExp& rx) { paths += rx.cap(1); });
    return paths;
}

inline QString storyNameReference(const QString& text)
{
    QRegExp rx(QStringLiteral("storyname=\"(.*)\""), Qt::CaseSensitive, QRegExp::RegExp);
    rx.setMinimal(true);
    return rx.indexIn(text, 0) != -1 ? rx.cap(1) : QString();
}

// ---- The original writers: one pattern per id, whose groups keep the text around each written value -------

inline QString armyTypesWriterPattern(const QString& id)
{
    const QString d = QStringLiteral("\\d+");
    return QStringLiteral("(\"Type\":") + id + QStringLiteral(",.*\"LongAttack\":)") + d +
           QStringLiteral("(,\"ShortAttack\":)") + d + QStringLiteral("(,\"LongDefense\":)") + d +
           QStringLiteral("(,\"ShortDefense\":)") + d + QStringLiteral("(,\"Destroy\":)") + d +
           QStringLiteral("(,.*\"Range\":)") + d + QStringLiteral("(,.*\"MustCityDesc\":)") + d +
           QStringLiteral("(,\"NeedItemId\":)") + d + QStringLiteral(",");
}

inline QString skillsWriterPattern(const QString& id)
{
    return QStringLiteral("(\"ID\":") + id + QStringLiteral(",.*\"FarRange\":)\\d+(,\"NearRange\":)\\d+,");
}

inline QString citiesWriterPattern(const QString& id)
{
    return QStringLiteral("(\"ID\":") + id + QStringLiteral(",.*\"specialattributes\":\").*(\",)");
}

inline QString stageWriterPattern(const QString& id)
{
    const QString d = QStringLiteral("\\d+");
    return QStringLiteral("(<armytype a0=\"") + id + QStringLiteral("\".*a4=\")") + d + QStringLiteral("(\" a5=\")") +
           d + QStringLiteral("(\" a6=\")") + d + QStringLiteral("(\" a7=\")") + d + QStringLiteral("(\" a8=\")") + d +
           QStringLiteral("(\" a9=\"\\d+\" a10=\")") + d + QStringLiteral("(\" a11=\"\\d+\".*/>)");
}

// Every match of the pattern replaced by its captures with the values between them, as the original writer
// does for one id; `matched` tells whether there was any match.
inline QString replaceAll(const QString& text, const QString& pattern, const QStringList& values, const QString& suffix,
                          bool* matched)
{
    QRegExp rx(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    rx.setMinimal(true);
    QString out;
    int pos = 0;
    *matched = false;
    for (int at = rx.indexIn(text, pos); at != -1; at = rx.indexIn(text, pos)) {
        *matched = true;
        out += text.mid(pos, at - pos);
        for (int k = 1; k <= rx.captureCount(); ++k)
            out += rx.cap(k) + values.value(k - 1);
        out += suffix;
        pos = at + rx.matchedLength();
    }
    return out + text.mid(pos);
}

// Whether the pattern matches anywhere in the text.
inline bool matchesAnywhere(const QString& text, const QString& pattern)
{
    QRegExp rx(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    rx.setMinimal(true);
    return rx.indexIn(text, 0) != -1;
}
