// The army type reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/armytypefile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    const TextTable& language = fuzzLanguageTexts();
    requireSameTable("parseArmyTypes", parseArmyTypes(text, language), armyTypesReference(text, language), text);
    return 0;
}
