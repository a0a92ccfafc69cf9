// The item reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/languagefile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    const TextTable& language = fuzzLanguageTexts();
    requireSameTable("parseItems", parseItems(text, language), itemsReference(text, language), text);
    return 0;
}
