// The escape decoder against the one that decodes the first escape of the whole text again and again.
#include "fuzz/fuzzsupport.h"
#include "gamedata/skillfile.h"
#include "tests/regexpreference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = utf8Text(data, size);
    QString ours = text;
    decodeEscapes(ours);
    QString reference = text;
    decodeEscapesReference(reference);
    requireSame("decodeEscapes", ours, reference, text, [](const QString& decoded) { return decoded; });
    return 0;
}
