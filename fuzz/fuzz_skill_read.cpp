// The skill reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/skillfile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    requireSameTable("parseSkills", parseSkills(text), skillsReference(text), text);
    return 0;
}
