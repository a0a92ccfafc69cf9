#pragma once

#include <QString>
#include <QStringList>

// storyconfig.xml: the text of every <path> element, in file order (also elements inside comments and
// several on one line; the text is taken verbatim, line breaks included).
QStringList parseStoryPaths(const QString& catalogueText);

// summary.xml: the value of the first storyname attribute, up to the next double quote; empty when there is
// none.
QString parseStoryName(const QString& summaryText);
