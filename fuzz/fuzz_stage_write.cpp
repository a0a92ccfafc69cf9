// The stage writer: a4 a5 a6 a7 a8 a10 of the saved army types' elements.
#include "fuzz/writerfuzz.h"
#include "gamedata/stagefile.h"

namespace {

WriterUnderTest stageWriter()
{
    WriterUnderTest w;
    w.idKey = QStringLiteral("<armytype a0=\"");
    w.idTerminator = QLatin1Char('"');
    w.elements = true;
    w.listValues = false;
    w.fields = {{QStringLiteral("a4=\""), 1, 0}, {QStringLiteral("a5=\""), 2, 1}, {QStringLiteral("a6=\""), 3, 2},
                {QStringLiteral("a7=\""), 4, 3}, {QStringLiteral("a8=\""), 5, 4}, {QStringLiteral("a10=\""), 6, 5}};
    w.recordSize = 7;
    w.patch = patchStage;
    w.read = parseStageStatistics;
    w.referenceMatches = [](const QString& text, ReferenceMatches* matches) {
        stageReference(text, matches);
    };
    w.originalPattern = stageWriterPattern;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const WriterUnderTest writer = stageWriter();
    fuzzWriter(writer, data, size);
    return 0;
}
