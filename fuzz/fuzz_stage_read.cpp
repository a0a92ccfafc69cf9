// The stage statistics reader against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/stagefile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    requireSameTable("parseStageStatistics", parseStageStatistics(text), stageReference(text), text);
    return 0;
}
