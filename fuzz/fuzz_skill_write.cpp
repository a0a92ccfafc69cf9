// The skill writer: FarRange and NearRange of the saved skills.
#include "fuzz/writerfuzz.h"
#include "gamedata/skillfile.h"

namespace {

WriterUnderTest skillWriter()
{
    WriterUnderTest w;
    w.idKey = QStringLiteral("\"ID\":");
    w.idTerminator = QLatin1Char(',');
    w.elements = false;
    w.listValues = false;
    w.fields = {{QStringLiteral("\"FarRange\":"), 1, 1}, {QStringLiteral("\"NearRange\":"), 2, 2}};
    w.recordSize = 3;
    w.patch = patchSkills;
    w.read = parseSkills;
    w.referenceMatches = [](const QString& text, ReferenceMatches* matches) {
        skillsReference(text, matches);
    };
    w.originalPattern = skillsWriterPattern;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const WriterUnderTest writer = skillWriter();
    fuzzWriter(writer, data, size);
    return 0;
}
