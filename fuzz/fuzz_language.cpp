// The language table reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/languagefile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    requireSameTable("parseLanguageTable", parseLanguageTable(text), languageReference(text), text);
    return 0;
}
