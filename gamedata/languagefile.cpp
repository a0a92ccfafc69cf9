#include "gamedata/languagefile.h"

#include "gamedata/textscan.h"

#include <QSet>

using textscan::Span;

namespace {

const std::vector<const char*> itemPieces{"\"ID\":#,", "\"Name\":#,"};

} // namespace

int scanLanguageEntries(const QString& text, const std::function<void(const LanguageEntry&)>& visit)
{
    const QChar* s = text.constData();
    int pos = 0;
    int colon = text.indexOf(QLatin1Char(':'), pos);
    while (colon >= 0) {
        // An entry starts at the first digit of the run in front of a colon (not before the search position).
        if (colon == pos || !textscan::isDigit(s[colon - 1])) {
            colon = text.indexOf(QLatin1Char(':'), colon + 1);
            continue;
        }
        int start = colon - 1;
        while (start > pos && textscan::isDigit(s[start - 1]))
            --start;
        const int lineFeed = text.indexOf(QLatin1Char('\n'), colon + 1);
        if (lineFeed < 0)
            return start;
        visit({start, colon, lineFeed});
        pos = lineFeed + 1;
        colon = text.indexOf(QLatin1Char(':'), pos);
    }
    return -1;
}

const std::vector<const char*>& itemRecordChain()
{
    return itemPieces;
}

TextTable parseLanguageTable(const QString& text)
{
    TextTable table;
    table.reserve(int(text.count(QLatin1Char('\n'))));
    // Ids that received a reference ("^" and a target id), in the order they first did.
    QStringList references;
    QSet<QString> referenceSet;

    scanLanguageEntries(text, [&](const LanguageEntry& entry) {
        const QString id = text.mid(entry.idBegin, entry.colon - entry.idBegin);
        const QString value = text.mid(entry.colon + 1, entry.lineFeed - entry.colon - 1);
        if (value.startsWith(QLatin1Char('^')) && !referenceSet.contains(id)) {
            referenceSet.insert(id);
            references.append(id);
        }
        table.insert(id, value);
    });

    // One pass, in the order the ids first received a reference: a reference to a reference takes
    // whatever its target holds at that moment. Only the few references are visited, not the whole table.
    for (const QString& id : qAsConst(references)) {
        QString& value = table[id];
        if (value.startsWith(QLatin1Char('^')))
            value = table.value(value.mid(1));
    }
    return table;
}

RecordTable parseItems(const QString& text, const TextTable& languageTexts)
{
    RecordTable items;
    items.insert(QStringLiteral("0"), QStringList(QString()));
    Span spans[2];
    Span match[2];
    int pos = 0;
    while (textscan::findChain(text, pos, itemPieces, spans, match)) {
        const QString name = languageTexts.value(textscan::spanText(text, spans[1]));
        items.insert(textscan::spanText(text, spans[0]), QStringList(name));
        pos = match[1].end;
    }
    return items;
}
