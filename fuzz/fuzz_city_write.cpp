// The city writer: the special attributes text of the saved cities.
#include "fuzz/writerfuzz.h"
#include "gamedata/cityfile.h"

namespace {

WriterUnderTest cityWriter()
{
    WriterUnderTest w;
    w.idKey = QStringLiteral("\"ID\":");
    w.idTerminator = QLatin1Char(',');
    w.elements = false;
    w.listValues = true;
    w.fields = {{QStringLiteral("\"specialattributes\":\""), 1, 1}};
    w.recordSize = 2;
    w.patch = patchCities;
    w.read = parseCities;
    w.referenceMatches = [](const QString& text, ReferenceMatches* matches) {
        citiesReference(text, matches);
    };
    w.originalPattern = citiesWriterPattern;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const WriterUnderTest writer = cityWriter();
    fuzzWriter(writer, data, size);
    return 0;
}
