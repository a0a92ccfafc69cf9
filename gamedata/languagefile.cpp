#include "gamedata/languagefile.h"

#include "gamedata/textscan.h"

using textscan::Span;

TextTable parseLanguageTable(const QString& text)
{
    TextTable table;
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
            break;
        table.insert(text.mid(start, colon - start), text.mid(colon + 1, lineFeed - colon - 1));
        pos = lineFeed + 1;
        colon = text.indexOf(QLatin1Char(':'), pos);
    }

    // One pass in the table's own order: a reference to a reference takes whatever its target holds now.
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it.value().startsWith(QLatin1Char('^')))
            it.value() = table.value(it.value().mid(1));
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
    while (textscan::findChain(text, pos, {"\"ID\":#,", "\"Name\":#,"}, spans, match)) {
        const QString name = languageTexts.value(textscan::spanText(text, spans[1]));
        items.insert(textscan::spanText(text, spans[0]), QStringList(name));
        pos = match[1].end;
    }
    return items;
}
