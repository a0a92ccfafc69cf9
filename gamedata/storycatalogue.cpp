#include "gamedata/storycatalogue.h"

#include "gamedata/textscan.h"

using textscan::Span;

QStringList parseStoryPaths(const QString& catalogueText)
{
    QStringList paths;
    Span span;
    int pos = 0;
    int matchEnd = 0;
    while (textscan::findPiece(catalogueText, "<path>*</path>", pos, catalogueText.size(), &span, &matchEnd) >= 0) {
        paths += textscan::spanText(catalogueText, span);
        pos = matchEnd;
    }
    return paths;
}

QString parseStoryName(const QString& summaryText)
{
    Span span;
    int matchEnd = 0;
    if (textscan::findPiece(summaryText, "storyname=\"*\"", 0, summaryText.size(), &span, &matchEnd) < 0)
        return QString();
    return textscan::spanText(summaryText, span);
}
