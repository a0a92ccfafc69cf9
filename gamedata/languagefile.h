#pragma once

#include "gamedata/gametables.h"

// language_cn.txt: every "digits:text" entry up to its line feed, wherever the digits stand in the line;
// the last entry of an id wins. A text "^id" is then replaced once by the text of that id (empty when the
// id is missing); references are not followed further. A last line without a line feed is not read.
TextTable parseLanguageTable(const QString& text);

// items.txt: item id -> [display name], the name looked up by the first "Name" behind the "ID". The table
// always holds "0" -> [""] unless the file gives item 0 a name of its own.
RecordTable parseItems(const QString& text, const TextTable& languageTexts);
