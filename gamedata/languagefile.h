#pragma once

#include "gamedata/gametables.h"

#include <functional>
#include <vector>

// language_cn.txt: every "digits:text" entry up to its line feed, wherever the digits stand in the line;
// the last entry of an id wins. A text "^id" is then replaced once by the text of that id (empty when the
// id is missing); references are not followed further. A last line without a line feed is not read.
TextTable parseLanguageTable(const QString& text);

// One entry of language_cn.txt as the reader takes it: the id runs from idBegin to the colon, the text from
// behind the colon to the line feed.
struct LanguageEntry
{
    int idBegin;
    int colon;
    int lineFeed;
};

// Visits every entry the reader takes, in file order. Returns where an entry cut off by the end of the text
// (no line feed behind it) begins, or -1.
int scanLanguageEntries(const QString& text, const std::function<void(const LanguageEntry&)>& visit);

// The pieces the item reader chains per record.
const std::vector<const char*>& itemRecordChain();

// items.txt: item id -> [display name], the name looked up by the first "Name" behind the "ID". The table
// always holds "0" -> [""] unless the file gives item 0 a name of its own.
RecordTable parseItems(const QString& text, const TextTable& languageTexts);
