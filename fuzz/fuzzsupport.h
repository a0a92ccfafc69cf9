#pragma once

// What every fuzz target shares: how the input becomes text, and how a broken property stops the run.

#include "gamedata/gametables.h"
#include "tests/gamedatatest.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// The input as a reader sees a game file: UTF-8, so that Chinese texts and other scripts' digits come up.
QString utf8Text(const uint8_t* data, size_t size);

// A text printed with line ends and non-ASCII characters escaped, so that a failure shows every byte.
QString shown(const QString& text);

// Reports a broken property with the text it broke on and aborts, which libFuzzer records as a crash.
[[noreturn]] void failProperty(const char* property, const QString& detail, const QString& text);

// Fails unless our reader's result equals the reference's; `shownAs` gives each as readable text.
template <typename Result, typename Show>
void requireSame(const char* reader, const Result& ours, const Result& reference, const QString& text, Show shownAs)
{
    if (!(ours == reference)) {
        failProperty(
            reader,
            QStringLiteral("ours:\n%1\nreference (QRegExp):\n%2").arg(shown(shownAs(ours)), shown(shownAs(reference))),
            text);
    }
}

// The same for tables, shown one record a line.
template <typename Table>
void requireSameTable(const char* reader, const Table& ours, const Table& reference, const QString& text)
{
    requireSame(reader, ours, reference, text, [](const Table& table) { return dumpTable(table); });
}

// The language table the item and army type readers resolve names through.
const TextTable& fuzzLanguageTexts();
