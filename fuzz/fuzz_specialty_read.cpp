// The city specialty reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/cityfile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    requireSameTable("parseCitySpecialties", parseCitySpecialties(text), specialtiesReference(text), text);
    return 0;
}
