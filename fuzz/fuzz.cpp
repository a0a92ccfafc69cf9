// One libFuzzer program for every reader and writer of the game files, and for the save of the whole game;
// FUZZ_TARGET names the target a run exercises (scripts/fuzz sets it). A save keeps the promises of
// tests/saveproperty.h. A reader must give what the game's own pattern gives on the same text. A
// writer may change nothing but the values it writes, changes nothing more when run again on its own output,
// and reports only ids it was given, none twice; reading its output gives every id it was not given, or did not
// find, the values it had before, and every id it reports written the values written.
#include "tests/regexpreference.h"
#include "tests/saveproperty.h"

#include <cstdio>
#include <cstdlib>

namespace {

using Target = std::function<void(const QString& utf8, const uint8_t* data, size_t size)>;

[[noreturn]] void fail(const char* property, const QString& input, const QString& detail)
{
    std::fprintf(stderr, "\n==== %s\n%s\n---- input:\n%s\n", property, qUtf8Printable(detail), qUtf8Printable(input));
    std::abort();
}

void same(const char* property, const QString& input, const QString& ours, const QString& reference)
{
    if (ours != reference)
        fail(property, input, "ours:\n" + ours + "\nthe reference's:\n" + reference);
}

Target reader(const QString& name)
{
    return [name](const QString& text, const uint8_t*, size_t) {
        same("reads as the game's pattern does", text, Reference::read(name, text, false),
             Reference::read(name, text, true));
    };
}

// The first byte gives how many ids (1 to 4) are saved; then per id a byte choosing it among the digit runs of
// the text, and per value a byte: mostly a number, sometimes one a writer must refuse. The rest is the file text,
// one character per byte. `value` matches whatever a written value may replace; `places` pairs each written
// position of a record as the file's reader gives it with the position of the value in memory.
template <typename Patch, typename Read>
Target writer(Patch patch, Read read, QVector<QPair<int, int>> places, int values, const QString& value)
{
    return [=](const QString&, const uint8_t* data, size_t size) {
        static const QStringList odd{"", "x", "-1", "1234567890", " 1", "１", "\"1", "1,", ",", "1,,"};
        const size_t head = 1 + size_t((1 + (size ? data[0] % 4 : 0)) * (1 + values));
        if (size < head)
            return;
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data) + head, int(size - head));
        QStringList runs;
        QRegExp digits(QStringLiteral("\\d+"));
        for (int at = digits.indexIn(text); at != -1; at = digits.indexIn(text, at + digits.matchedLength()))
            runs += digits.cap(0);
        QStringList ids;
        RecordTable table;
        for (const uint8_t* draw = data + 1; draw < data + head; draw += 1 + values) {
            ids += runs.isEmpty() || draw[0] > 240 ? QString::number(draw[0] % 16) : runs.at(draw[0] % runs.size());
            QStringList& record = table[ids.last()] = QStringList{QStringLiteral("name")};
            for (int k = 1; k <= values; ++k)
                record += draw[k] < 20 ? odd.at(draw[k] % 10) : QString::number(draw[k] * 37) + (values > 1 ? "" : ",");
        }
        const PatchResult result = patch(text, ids, table);
        const QString save = ids.join(' ') + '\n' + Reference::dump(table) + "\n---- output:\n" + result.text;
        same("changes nothing but the values", save, QString(text).remove(QRegExp(value)),
             QString(result.text).remove(QRegExp(value)));
        for (const QString& id : result.unwritten()) {
            if (!ids.contains(id) || result.unwritten().count(id) > 1)
                fail("reports ids it was given, once", save, result.unwritten().join(' '));
        }
        const RecordTable before = read(text);
        const RecordTable after = read(result.text);
        for (const RecordTable& side : {before, after}) {
            for (auto record = side.cbegin(); record != side.cend(); ++record) {
                const QString& id = record.key();
                if (!ids.contains(id) || result.notFound.contains(id))
                    same("reading gives every other id its values", save, id + ": " + after.value(id).join(' '),
                         id + ": " + before.value(id).join(' '));
            }
        }
        for (const QString& id : ids) {
            if (result.unwritten().contains(id))
                continue;
            QStringList got, written;
            for (const auto& [position, field] : places) {
                got += after.value(id).value(position);
                written += table.value(id).value(field);
            }
            same("reading gives a written id the values written", save, id + ": " + got.join(' '),
                 id + ": " + written.join(' '));
        }
        const PatchResult again = patch(result.text, ids, table);
        same("changes nothing more when run again", save, again.text + again.unwritten().join(' '),
             result.text + result.unwritten().join(' '));
    };
}

const QHash<QByteArray, Target>& targets()
{
    const QString number = QStringLiteral("\\d");
    const auto army = [](ArmyTypeFields fields) {
        return [fields](auto& text, auto& ids, auto& table) {
            return patchArmyTypes(text, ids, table, fields);
        };
    };
    const auto readArmy = [](const QString& text) {
        return parseArmyTypes(text, {});
    };
    const QVector<QPair<int, int>> allArmy{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}};
    static QHash<QByteArray, Target> targets{
        {"fuzz_escapes",
         [](QString text, const uint8_t*, size_t) {
             QString reference = text;
             Reference::decodeByRescanning(reference);
             decodeEscapes(text);
             same("decodes as decoding the first escape again and again does", reference, text, reference);
         }},
        {"fuzz_armytype_write",
         [all = writer(army(ArmyTypeFields::All), readArmy, allArmy, 8, number),
          needs = writer(army(ArmyTypeFields::Needs), readArmy, {{7, 7}, {8, 8}}, 8, number)](
             const QString& text, const uint8_t* data, size_t size) {
             (size && data[0] & 0x80 ? needs : all)(text, data, size);
         }},
        {"fuzz_skill_write", writer(patchSkills, parseSkills, {{1, 1}, {2, 2}}, 2, number)},
        {"fuzz_save",
         [](const QString&, const uint8_t* data, size_t size) {
             const QString broken = SaveProperty::check(data, size);
             if (!broken.isEmpty())
                 fail("a save changes what the screen shows, and nothing else",
                      QByteArray(reinterpret_cast<const char*>(data), int(size)).toHex(), broken);
         }},
        {"fuzz_stage_write",
         writer(patchStage, parseStageStatistics, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}}, 6, number)},
        {"fuzz_city_write",
         writer(patchCities, parseCities, {{1, 1}}, 1, QStringLiteral("\"specialattributes\":\"[^\"]*\","))},
    };
    const char* const readers[][2] = {
        {"language", "language"}, {"items", "items"},    {"armytype_read", "army"},       {"skill_read", "skill"},
        {"stage_read", "stage"},  {"city_read", "city"}, {"specialty_read", "specialty"}, {"story_catalogue", "story"}};
    for (const auto& entry : readers)
        targets.insert(QByteArray("fuzz_") + entry[0], reader(entry[1]));
    return targets;
}

const Target* target = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const auto found = targets().constFind(qgetenv("FUZZ_TARGET"));
    target = found == targets().constEnd() ? nullptr : &*found;
    if (!target) {
        std::fprintf(stderr, "Set FUZZ_TARGET to one of: %s\n", targets().keys().join(' ').constData());
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    (*target)(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)), data, size);
    return 0;
}
