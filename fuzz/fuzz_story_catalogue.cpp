// The story catalogue and story name readers against the QRegExp reference.
#include "fuzz/fuzzsupport.h"
#include "gamedata/storycatalogue.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    requireSame("parseStoryPaths", parseStoryPaths(text), storyPathsReference(text), text,
                [](const QStringList& paths) { return paths.join(QLatin1String("\n--\n")); });
    requireSame("parseStoryName", parseStoryName(text), storyNameReference(text), text,
                [](const QString& name) { return name; });
    return 0;
}
