// Our hand scanners against the game's own record patterns run through QRegExp in minimal mode, the way the
// original reader loops run them: on the sample game, on generated files and on many mutated ones.
#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"
#include "tests/regexpreference.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

// Tables as sorted text, so that a failure shows both sides readably.
template <typename Table> QString dump(const Table& table)
{
    QStringList lines;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        QStringList fields;
        for (const QString& field : QStringList(it.value()))
            fields += field;
        lines += it.key() + QLatin1String(" -> [") + fields.join(QLatin1Char('|')) + QLatin1Char(']');
    }
    std::sort(lines.begin(), lines.end());
    return lines.join(QLatin1Char('\n'));
}

// ---- Generated files ---------------------------------------------------------------------------------------

struct Field
{
    QString key;
    QString value;
    bool quoted;
};
using Record = QVector<Field>;

class Generator
{
public:
    explicit Generator(quint32 seed) : rng(seed) {}

    // Clean files: every record whole, on a line of its own, spaced as the game writes it.
    bool clean = false;

    int below(int n) { return int(rng.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const QVector<T>& list) { return list.at(below(list.size())); }

    QString number() { return QString::number(pick(QVector<int>{0, 1, 5, 7, 12, 15, 55, 100, 3000})); }

    QString id()
    {
        // Ids that are prefixes of each other, and repeats.
        return pick(QVector<QString>{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("15"),
                                     QStringLiteral("55"), QStringLiteral("2"), QStringLiteral("05")});
    }

    QString badNumber()
    {
        return pick(QVector<QString>{QString(), QStringLiteral("x"), QStringLiteral("-1"), QStringLiteral("1.5"),
                                     QStringLiteral(" 7"), QString(QChar(0x0663)), QStringLiteral("１２"),
                                     QStringLiteral("3\n4")});
    }

    QString badQuoted()
    {
        return pick(QVector<QString>{QString(), QStringLiteral("a\"b"), QStringLiteral("x\ny"), QStringLiteral(",")});
    }

    // Structural mutations of the records: keys dropped, doubled, swapped, bad values, shared ids.
    void mutate(QVector<Record>& records, const QString& idKey)
    {
        const int count = clean ? 0 : below(4);
        for (int m = 0; m < count && !records.isEmpty(); ++m) {
            Record& record = records[below(records.size())];
            if (record.isEmpty())
                continue;
            const int at = below(record.size());
            switch (below(7)) {
            case 0:
                record.remove(at);
                break;
            case 1: {
                Field copy = record.at(at);
                copy.value = copy.quoted ? QStringLiteral("9,") : QString::number(below(90) + 10);
                record.insert(below(record.size() + 1), copy);
                break;
            }
            case 2:
                record[at].value = record.at(at).quoted ? badQuoted() : badNumber();
                break;
            case 3:
                if (at + 1 < record.size())
                    std::swap(record[at], record[at + 1]);
                break;
            case 4:
            case 5:
                for (Field& field : record) {
                    if (field.key == idKey)
                        field.value = id();
                }
                break;
            default:
                record[at].key += QLatin1Char('x');
                break;
            }
        }
    }

    // Character mutations of the rendered text, kept few so that most records still nearly fit.
    QString scramble(QString text)
    {
        static const QString alphabet = QStringLiteral("\",:0159a \n<>/\\u{}");
        const int count = !clean && chance(30) ? below(3) + 1 : 0;
        for (int m = 0; m < count && !text.isEmpty(); ++m) {
            const int at = below(text.size());
            switch (below(3)) {
            case 0:
                text.remove(at, 1 + below(3));
                break;
            case 1:
                text.insert(at, alphabet.at(below(alphabet.size())));
                break;
            default:
                text.insert(at, text.mid(below(text.size()), below(12)));
                break;
            }
        }
        return text;
    }

    QString lineEnd() { return chance(10) ? QStringLiteral("\r\n") : QStringLiteral("\n"); }
    bool odd(int percent) { return !clean && chance(percent); }

    QString renderLines(const QVector<Record>& records)
    {
        QString text;
        for (int r = 0; r < records.size(); ++r) {
            QStringList fields;
            for (const Field& field : records.at(r)) {
                const QString value = field.quoted ? QLatin1Char('"') + field.value + QLatin1Char('"') : field.value;
                fields += QLatin1Char('"') + field.key + QLatin1Char('"') +
                          (odd(3) ? QStringLiteral(": ") : QStringLiteral(":")) + value;
            }
            text += QLatin1Char('{') + fields.join(odd(3) ? QStringLiteral(", ") : QStringLiteral(","));
            text += chance(70) ? QStringLiteral(",}") : QStringLiteral("}");
            // Records joined on one line, and a last line without its line end.
            const bool last = r + 1 == records.size();
            if (clean || (last ? chance(80) : chance(90)))
                text += lineEnd();
        }
        return scramble(text);
    }

    QString renderElements(const QVector<Record>& records)
    {
        QString text = QStringLiteral("<stage>\n");
        for (const Record& record : records) {
            QStringList attributes;
            for (const Field& field : record)
                attributes += field.key + QStringLiteral("=\"") + field.value + QLatin1Char('"');
            text +=
                QStringLiteral("  <armytype ") + attributes.join(odd(5) ? QStringLiteral("  ") : QStringLiteral(" "));
            text += clean ? QStringLiteral("/>")
                          : pick(QVector<QString>{QStringLiteral("/>"), QStringLiteral("/>"), QStringLiteral(" />"),
                                                  QStringLiteral("></armytype>"), QStringLiteral(">")});
            text += lineEnd();
            if (chance(15))
                text +=
                    pick(QVector<QString>{QStringLiteral("<city id=\"3\"/>\n"), QStringLiteral("<!-- a4=\"1\" -->\n"),
                                          QStringLiteral("<event text=\"/>\"/>\n")});
        }
        text += QStringLiteral("</stage>");
        return scramble(text);
    }

    QString numberField() { return number(); }

    QVector<Record> records(const std::function<Record()>& make)
    {
        QVector<Record> list;
        const int count = below(5) + 1;
        for (int k = 0; k < count; ++k)
            list += make();
        return list;
    }

    QRandomGenerator rng;
};

Field num(const QString& key, const QString& value)
{
    return {key, value, false};
}

Field quoted(const QString& key, const QString& value)
{
    return {key, value, true};
}

const TextTable& languageTexts()
{
    static const TextTable texts{{QStringLiteral("1"), QStringLiteral("弓兵")},
                                 {QStringLiteral("5"), QStringLiteral("骑兵")},
                                 {QStringLiteral("7"), QStringLiteral("虎符")}};
    return texts;
}

QString languageText(Generator& g)
{
    QString text;
    const int lines = g.below(8) + 1;
    for (int k = 0; k < lines; ++k) {
        const QString id = g.pick(QVector<QString>{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("15"),
                                                   QStringLiteral("007"), QStringLiteral("２"), QStringLiteral("12")});
        const QString value = g.pick(
            QVector<QString>{QStringLiteral("弓兵"), QString(), QStringLiteral("^5"), QStringLiteral("^15"),
                             QStringLiteral("^"), QStringLiteral("^99"), QStringLiteral("a^5"), QStringLiteral("x:y"),
                             QStringLiteral("3:4"), QStringLiteral("^007"), QStringLiteral("^1")});
        const QString prefix = g.pick(QVector<QString>{QString(), QString(), QString(), QStringLiteral("ab"),
                                                       QStringLiteral(" "), QStringLiteral("x9")});
        text += prefix + id + (g.chance(10) ? QString() : QStringLiteral(":")) + value;
        if (k + 1 < lines || g.chance(80))
            text += g.chance(10) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    return g.scramble(text);
}

QString itemsText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        return Record{num(QStringLiteral("ID"), g.id()), num(QStringLiteral("Kind"), g.number()),
                      num(QStringLiteral("Name"),
                          g.pick(QVector<QString>{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("8")})),
                      num(QStringLiteral("Price"), g.number())};
    });
    g.mutate(records, QStringLiteral("ID"));
    return g.renderLines(records);
}

QString armyTypesText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        return Record{num(QStringLiteral("Type"), g.id()),
                      num(QStringLiteral("Name"), QStringLiteral("5")),
                      num(QStringLiteral("Icon"), g.number()),
                      num(QStringLiteral("LongAttack"), g.number()),
                      num(QStringLiteral("ShortAttack"), g.number()),
                      num(QStringLiteral("LongDefense"), g.number()),
                      num(QStringLiteral("ShortDefense"), g.number()),
                      num(QStringLiteral("Destroy"), g.number()),
                      num(QStringLiteral("Speed"), g.number()),
                      num(QStringLiteral("Range"), g.number()),
                      num(QStringLiteral("MustCityDesc"), g.number()),
                      num(QStringLiteral("NeedItemId"), g.number()),
                      num(QStringLiteral("Level"), g.number())};
    });
    g.mutate(records, QStringLiteral("Type"));
    return g.renderLines(records);
}

QString skillsText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        const QString name =
            g.pick(QVector<QString>{QStringLiteral("火攻"), QStringLiteral("\\u4E2Dabc"), QStringLiteral("占个格子"),
                                    QStringLiteral("\\u5360\\u4e2a\\u683c\\u5b50"), QStringLiteral("\\u12"),
                                    QStringLiteral("\\uzz99"), QStringLiteral("\\u005Cu0041"), QString()});
        return Record{num(QStringLiteral("ID"), g.id()),           quoted(QStringLiteral("Temp"), name),
                      num(QStringLiteral("Name"), g.number()),     num(QStringLiteral("SkillPoint"), g.number()),
                      num(QStringLiteral("FarRange"), g.number()), num(QStringLiteral("NearRange"), g.number()),
                      num(QStringLiteral("Effect"), g.number())};
    });
    g.mutate(records, QStringLiteral("ID"));
    return g.renderLines(records);
}

QString citiesText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        return Record{num(QStringLiteral("ID"), g.id()),
                      quoted(QStringLiteral("Temp"),
                             g.pick(QVector<QString>{QStringLiteral("xy"), QStringLiteral("洛阳"), QString()})),
                      num(QStringLiteral("Pos"), g.number()),
                      quoted(QStringLiteral("specialattributes"),
                             g.pick(QVector<QString>{QStringLiteral("3,12,"), QStringLiteral("0,"), QString()})),
                      num(QStringLiteral("Level"), g.number())};
    });
    g.mutate(records, QStringLiteral("ID"));
    return g.renderLines(records);
}

QString specialtiesText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        return Record{num(QStringLiteral("ID"), g.id()),
                      num(QStringLiteral("NAME"), g.number()),
                      num(QStringLiteral("Icon"), g.number()),
                      quoted(QStringLiteral("Specialty"),
                             g.pick(QVector<QString>{QStringLiteral("31,32"), QString(), QStringLiteral("7")})),
                      num(QStringLiteral("Cost"), g.number()),
                      num(QStringLiteral("EffectDesc"), g.number()),
                      num(QStringLiteral("ConditionDesc"), g.number())};
    });
    g.mutate(records, QStringLiteral("ID"));
    return g.renderLines(records);
}

QString stageText(Generator& g)
{
    QVector<Record> records = g.records([&] {
        Record record{quoted(QStringLiteral("a0"), g.id()), quoted(QStringLiteral("a1"), QStringLiteral("1")),
                      quoted(QStringLiteral("a2"), QStringLiteral("x")), quoted(QStringLiteral("a3"), g.number())};
        for (int k = 4; k <= 11; ++k)
            record += num(QStringLiteral("a%1").arg(k), g.number());
        return record;
    });
    // Attribute values count as numbers here, so that the mutations make them non-digits.
    for (Record& record : records) {
        for (Field& field : record)
            field.quoted = false;
    }
    g.mutate(records, QStringLiteral("a0"));
    return g.renderElements(records);
}

QString catalogueText(Generator& g)
{
    QString text = QStringLiteral("<stories>\n");
    const int count = g.below(5) + 1;
    for (int k = 0; k < count; ++k) {
        const QString path = g.pick(QVector<QString>{QStringLiteral("s1"), QStringLiteral(" s2"),
                                                     QStringLiteral("a\nb"), QString(), QStringLiteral("../x/")});
        QString element = QStringLiteral("<path>") + path + (g.chance(90) ? QStringLiteral("</path>") : QString());
        if (g.chance(15))
            element = QStringLiteral("<!-- ") + element + QStringLiteral(" -->");
        text += QStringLiteral("<story>") + element + QStringLiteral("</story>") +
                (g.chance(80) ? QStringLiteral("\n") : QString());
    }
    return g.scramble(text + QStringLiteral("</stories>"));
}

QString summaryText(Generator& g)
{
    QString text = QStringLiteral("<summary ");
    const int count = g.below(3);
    for (int k = 0; k < count; ++k) {
        text += g.pick(QVector<QString>{QStringLiteral("storyname=\"群雄割据\" "), QStringLiteral("storyname=\"\" "),
                                        QStringLiteral("storyname=\"a "), QStringLiteral("year=\"190\" ")});
    }
    return g.scramble(text + QStringLiteral("/>"));
}

// One file kind of the differential test: how to make a text, and both readers' results as text.
struct Kind
{
    std::function<QString(Generator&)> make;
    std::function<QString(const QString&)> ours;
    std::function<QString(const QString&)> reference;
};

QHash<QString, Kind> kinds()
{
    const TextTable& language = languageTexts();
    return {
        {QStringLiteral("language"),
         {languageText, [](const QString& t) { return dump(parseLanguageTable(t)); },
          [](const QString& t) {
              return dump(languageReference(t));
          }}},
        {QStringLiteral("items"),
         {itemsText, [&](const QString& t) { return dump(parseItems(t, language)); },
          [&](const QString& t) {
              return dump(itemsReference(t, language));
          }}},
        {QStringLiteral("army-types"),
         {armyTypesText, [&](const QString& t) { return dump(parseArmyTypes(t, language)); },
          [&](const QString& t) {
              return dump(armyTypesReference(t, language));
          }}},
        {QStringLiteral("skills"),
         {skillsText, [](const QString& t) { return dump(parseSkills(t)); },
          [](const QString& t) {
              return dump(skillsReference(t));
          }}},
        {QStringLiteral("cities"),
         {citiesText, [](const QString& t) { return dump(parseCities(t)); },
          [](const QString& t) {
              return dump(citiesReference(t));
          }}},
        {QStringLiteral("city-specialties"),
         {specialtiesText, [](const QString& t) { return dump(parseCitySpecialties(t)); },
          [](const QString& t) {
              return dump(specialtiesReference(t));
          }}},
        {QStringLiteral("stage"),
         {stageText, [](const QString& t) { return dump(parseStageStatistics(t)); },
          [](const QString& t) {
              return dump(stageReference(t));
          }}},
        {QStringLiteral("story-paths"),
         {catalogueText, [](const QString& t) { return parseStoryPaths(t).join(QLatin1Char('|')); },
          [](const QString& t) {
              return storyPathsReference(t).join(QLatin1Char('|'));
          }}},
        {QStringLiteral("story-name"),
         {summaryText, [](const QString& t) { return parseStoryName(t); },
          [](const QString& t) {
              return storyNameReference(t);
          }}},
    };
}

struct WriterKind
{
    std::function<QString(Generator&)> make;
    QString idKey;
    QChar idTerminator;
    std::function<PatchResult(const QString&, const QStringList&, const RecordTable&)> patch;
    std::function<QString(const QString&)> pattern;
    std::function<QStringList(Generator&)> record;
    std::function<QStringList(const QStringList&)> values;
    QString suffix;
};

QString digits(Generator& g)
{
    return QString::number(g.below(999) + 1);
}

QStringList armyRecord(Generator& g)
{
    QStringList record{QStringLiteral("name")};
    for (int k = 1; k <= 8; ++k)
        record += digits(g);
    return record;
}

QHash<QString, WriterKind> writerKinds()
{
    return {
        {QStringLiteral("army-types"),
         {armyTypesText, QStringLiteral("\"Type\":"), QLatin1Char(','),
          [](const QString& t, const QStringList& ids, const RecordTable& table) {
              return patchArmyTypes(t, ids, table, ArmyTypeFields::All);
          },
          armyTypesWriterPattern, armyRecord, [](const QStringList& r) { return r.mid(1); }, QStringLiteral(",")}},
        {QStringLiteral("skills"),
         {skillsText, QStringLiteral("\"ID\":"), QLatin1Char(','), patchSkills, skillsWriterPattern,
          [](Generator& g) {
              return QStringList{QStringLiteral("skill"), digits(g), digits(g)};
          },
          [](const QStringList& r) { return r.mid(1); }, QStringLiteral(",")}},
        {QStringLiteral("cities"),
         {citiesText, QStringLiteral("\"ID\":"), QLatin1Char(','), patchCities, citiesWriterPattern,
          [](Generator& g) {
              return QStringList{
                  QStringLiteral("city"),
                  g.pick(QVector<QString>{QStringLiteral("0,"), QStringLiteral("4,"), QStringLiteral("12,3,40,")})};
          },
          [](const QStringList& r) { return r.mid(1); }, QString()}},
        {QStringLiteral("stage"),
         {stageText, QStringLiteral("<armytype a0=\""), QLatin1Char('"'), patchStage, stageWriterPattern, armyRecord,
          [](const QStringList& r) { return r.mid(1, 6); }, QString()}},
    };
}

// The pieces of text a writer may change as a whole, each starting with its id: for XML the text from one
// "<" to the next, else the text from one id key to the next or to the line end. Text in front of the first
// key of a line comes as a piece of its own that no writer may change.
QStringList records(const QString& text, bool elements, const QString& idKey)
{
    if (elements)
        return text.split(QLatin1Char('<'));
    QStringList pieces;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList parts = line.split(idKey);
        pieces += parts.first();
        for (int k = 1; k < parts.size(); ++k)
            pieces += idKey + parts.at(k);
    }
    return pieces;
}

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

class TestRegExpReference : public QObject
{
    Q_OBJECT

private slots:
    void mutatedFiles_data();
    void mutatedFiles();
    void sampleGame_data();
    void sampleGame();
    void writers_data();
    void writers();
};

void TestRegExpReference::mutatedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("cases");
    for (const QString& kind : {QStringLiteral("language"), QStringLiteral("items"), QStringLiteral("army-types"),
                                QStringLiteral("skills"), QStringLiteral("cities"), QStringLiteral("city-specialties"),
                                QStringLiteral("stage"), QStringLiteral("story-paths"), QStringLiteral("story-name")})
        QTest::newRow(qPrintable(kind)) << kind << quint32(qHash(kind)) << 3000;
}

void TestRegExpReference::mutatedFiles()
{
    QFETCH(QString, kind);
    QFETCH(quint32, seed);
    QFETCH(int, cases);
    const Kind k = kinds().value(kind);
    Generator g(seed);
    for (int c = 0; c < cases; ++c) {
        const QString text = k.make(g);
        const QString ours = k.ours(text);
        const QString reference = k.reference(text);
        if (ours != reference)
            qWarning().noquote() << "case" << c << "of seed" << seed << "text:\n" << text;
        QCOMPARE(ours, reference);
    }
}

void TestRegExpReference::sampleGame_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("language") << "language"
                              << "config/language/language_cn.txt";
    QTest::newRow("items") << "items"
                           << "config/world/items.txt";
    QTest::newRow("army-types") << "army-types"
                                << "config/army/armytype.txt";
    QTest::newRow("skills") << "skills"
                            << "config/battlefield/skill.txt";
    QTest::newRow("cities") << "cities"
                            << "config/world/city.txt";
    QTest::newRow("city-specialties") << "city-specialties"
                                      << "config/world/cityspecialattributes.txt";
    QTest::newRow("story-paths") << "story-paths"
                                 << "story/storyconfig.xml";
}

void TestRegExpReference::sampleGame()
{
    QFETCH(QString, kind);
    QFETCH(QString, file);
    const QDir game(QStringLiteral(TEST_DATA_DIR "/sample-game"));
    if (!game.exists(file))
        QSKIP("no sample game");
    QStringList texts{readUtf8(game.filePath(file))};
    // The stories' own files come with the catalogue.
    if (kind == QLatin1String("story-paths")) {
        for (const QString& path : parseStoryPaths(texts.first())) {
            const QString dir = game.filePath(QStringLiteral("story/") + path);
            for (const QString& other : {QStringLiteral("stage"), QStringLiteral("story-name")}) {
                const QString name =
                    other == QLatin1String("stage") ? QStringLiteral("stage.xml") : QStringLiteral("summary.xml");
                if (!QFile::exists(dir + QLatin1Char('/') + name))
                    continue;
                const Kind k = kinds().value(other);
                const QString text = readUtf8(dir + QLatin1Char('/') + name);
                QCOMPARE(k.ours(text), k.reference(text));
            }
        }
    }
    const Kind k = kinds().value(kind);
    QCOMPARE(k.ours(texts.first()), k.reference(texts.first()));
}

void TestRegExpReference::writers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("clean");
    for (const QString& kind :
         {QStringLiteral("army-types"), QStringLiteral("skills"), QStringLiteral("cities"), QStringLiteral("stage")}) {
        QTest::newRow(qPrintable(kind + QLatin1String("-clean"))) << kind << true;
        QTest::newRow(qPrintable(kind + QLatin1String("-mutated"))) << kind << false;
    }
}

// Clean files: the writer gives exactly what the original replacement gives. Mutated files: it changes only
// records of the ids it was given, and calls an id not found exactly when the original pattern finds nothing.
void TestRegExpReference::writers()
{
    QFETCH(QString, kind);
    QFETCH(bool, clean);
    const WriterKind k = writerKinds().value(kind);
    const bool elements = kind == QLatin1String("stage");
    Generator g(qHash(kind) + clean);
    g.clean = clean;
    const QVector<QString> pool{QStringLiteral("1"),  QStringLiteral("5"),  QStringLiteral("15"),
                                QStringLiteral("55"), QStringLiteral("05"), QStringLiteral("3")};
    for (int c = 0; c < 2000; ++c) {
        const QString text = k.make(g);
        QStringList ids;
        RecordTable table;
        for (int n = g.below(4) + 1; n > 0; --n) {
            const QString id = g.pick(pool);
            if (!ids.contains(id)) {
                ids += id;
                table.insert(id, k.record(g));
            }
        }
        const PatchResult result = k.patch(text, ids, table);

        QString expected = text;
        QStringList notFound;
        for (const QString& id : ids) {
            bool matched = false;
            expected = replaceAll(expected, k.pattern(id), k.values(table.value(id)), k.suffix, &matched);
            if (!matched)
                notFound += id;
        }
        if (result.notFound != notFound)
            qWarning().noquote() << "case" << c << "ids" << ids << "text:\n" << text;
        QCOMPARE(result.notFound, notFound);
        if (clean) {
            QCOMPARE(result.text, expected);
            QCOMPARE(result.notWritten, QStringList());
            continue;
        }
        QCOMPARE(k.patch(result.text, ids, table).text, result.text);
        const QStringList before = records(text, elements, k.idKey);
        const QStringList after = records(result.text, elements, k.idKey);
        QCOMPARE(after.size(), before.size());
        for (int r = 0; r < before.size(); ++r) {
            if (before.at(r) == after.at(r))
                continue;
            // Splitting at "<" took the key's own "<".
            const QString key = elements ? k.idKey.mid(1) : k.idKey;
            bool listed = false;
            for (const QString& id : ids)
                listed = listed || before.at(r).startsWith(key + id + k.idTerminator);
            if (!listed)
                qWarning().noquote() << "case" << c << "ids" << ids << "text:\n"
                                     << text << "\npatched:\n"
                                     << result.text;
            QVERIFY(listed);
        }
    }
}

QTEST_GUILESS_MAIN(TestRegExpReference)
#include "tst_regexpreference.moc"
