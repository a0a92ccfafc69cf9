#pragma once
// The save's promise on any bytes, shared by tst_saveproperty (a fixed-seed run) and the fuzz target
// fuzz_save: the sample game, mutated as the bytes say, opened with GameDocument, changed at random through
// changeFields, saved and opened again by a fresh document. Gives the first broken property, or nothing.
#include "document/gamedocument.h"
#include "gamedata/specialattributes.h"
#include "gamedata/textfile.h"
#include "testsupport.h"

#include <QTextCodec>
#include <QUndoStack>

#include <memory>

namespace SaveProperty {

// Draws numbers from the input bytes; zeros once they run out.
struct Draw
{
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    int operator()(int count) { return count <= 0 ? 0 : (at < size ? data[at++] : 0) % count; }
};

using Files = QMap<QString, QByteArray>; // path inside the game directory -> bytes

inline const Files& sampleGame()
{
    static const Files files = [] {
        Files read;
        const QDir sample(TestSupport::dataPath(QStringLiteral("sample-game")));
        for (QDirIterator it(sample.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            read.insert(sample.relativeFilePath(path), TestSupport::readBytes(path));
        }
        return read;
    }();
    return files;
}

// Records duplicated, swallowed or cut, digits of other scripts, lists without their last comma or with blanks;
// then the file's encoding: a UTF-8 mark, UTF-16, GBK, CR LF.
// The record keys an id stands behind in the game files.
inline QStringList idKeys(const QString& id)
{
    return {"\"Type\":" + id + ',', "\"ID\":" + id + ',', "a0=\"" + id + '"'};
}

// The mutated lines are kept in `touched`, so that changes can aim at their records.
inline QByteArray mutated(QByteArray bytes, Draw& draw, QStringList& touched)
{
    for (int n = 1 + draw(3); n > 0; --n) {
        QList<QByteArray> lines = bytes.split('\n');
        QVector<int> records;
        for (int k = 0; k < lines.size(); ++k) {
            if (lines.at(k).contains("\"ID\":") || lines.at(k).contains("\"Type\":") || lines.at(k).contains("a0="))
                records.append(k);
        }
        const int index = records.isEmpty() || !draw(4) ? draw(lines.size()) : records.at(draw(records.size()));
        touched.append(QString::fromUtf8(lines.at(index)));
        QByteArray& line = lines[index];
        const int at = draw(line.size() + 1);
        switch (draw(7)) {
        case 0: // a record twice, the copy maybe elsewhere
            lines.insert(draw(lines.size() + 1), line);
            break;
        case 1: // a piece of a record gone, so that it runs into the next
            line.remove(at, 1 + draw(40));
            break;
        case 2: // the file cut short
            lines = lines.mid(0, draw(lines.size()) + 1);
            lines.last().truncate(at);
            break;
        case 3: { // a digit of another script: full-width or Arabic-Indic
            const int digit =
                std::max(line.indexOf(QByteArray::number(draw(10)), at), line.indexOf(QByteArray::number(draw(10))));
            if (digit >= 0)
                line.replace(digit, 1, QString(QChar((draw(2) ? 0xFF10 : 0x0660) + line.at(digit) - '0')).toUtf8());
            break;
        }
        case 4: // a list without its last comma, or with a blank
            line.replace(",\",", "\",").replace(draw(2) ? "\":\"" : ",", draw(2) ? "\":\" " : ", ");
            break;
        case 5: // a record joined to the one before it
            line.prepend(lines.value(draw(lines.size())).left(draw(60)));
            break;
        default:
            break;
        }
        touched.append(QString::fromUtf8(lines.value(index)));
        bytes = lines.join('\n');
    }
    switch (draw(8)) {
    case 0:
        bytes.prepend("\xEF\xBB\xBF");
        break;
    case 1:
        bytes = QTextCodec::codecForName(draw(2) ? "UTF-16LE" : "UTF-16BE")
                    ->fromUnicode(QChar(0xFEFF) + QString::fromUtf8(bytes));
        break;
    case 2:
        bytes = QTextCodec::codecForName("GBK")->fromUnicode(QString::fromUtf8(bytes));
        break;
    case 3:
        bytes.replace('\n', "\r\n");
        break;
    default:
        break;
    }
    return bytes;
}

// Every field of the tables a story shows, and whether the story declares each army type.
struct Reading
{
    RecordTable armyTypes, skills, cities;
    QSet<QString> declared;
};

// What a fresh document reads before any story is open, then in each story; nothing when the game does not open.
inline QVector<Reading> readings(const QString& configPath, const QString& gameDir)
{
    GameDocument game(configPath);
    QVector<Reading> read;
    if (!game.open(gameDir))
        return read;
    for (int story = -1; story < game.stories().size(); ++story) {
        if (story >= 0 && game.openStory(story) != GameDocument::StoryOpen::Done) {
            read.append(Reading());
            continue;
        }
        read.append({game.armyTypes(), game.skills(), game.cities(), {}});
        for (const QString& id : read.last().armyTypes.keys()) {
            if (story >= 0 && game.fileLabel({RecordKind::ArmyType, id, 1}).endsWith(QLatin1String("stage.xml")))
                read.last().declared.insert(id);
        }
    }
    return read;
}

inline const RecordTable& table(const Reading& read, RecordKind kind)
{
    return kind == RecordKind::ArmyType ? read.armyTypes : kind == RecordKind::Skill ? read.skills : read.cities;
}

// A line without its values: digits of any script, and the blanks and commas of specialty lists.
inline QString withoutValues(QString line)
{
    line.remove(QRegExp(QStringLiteral("[\\d, ]")));
    return line;
}

inline QString check(const uint8_t* data, size_t size)
{
    Draw draw{data, size};
    // Every save syncs its files to disk; in memory that costs nothing, and thousands of saves run in seconds.
    const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/save-XXXXXX")
                                                                      : QDir::tempPath() + "/save-XXXXXX");
    const QString gameDir = dir.filePath(QStringLiteral("game"));
    Files files = sampleGame();
    const QStringList mutable_{"config/army/armytype.txt", "config/battlefield/skill.txt", "config/world/city.txt",
                               "story/story01/stage.xml", "story/story02/stage.xml"};
    QStringList touched;
    for (int n = 1 + draw(3); n > 0; --n) {
        QByteArray& bytes = files[mutable_.at(draw(mutable_.size()))];
        bytes = mutated(bytes, draw, touched);
    }
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        TestSupport::writeBytes(gameDir + '/' + file.key(), file.value());

    GameDocument game(dir.filePath(QStringLiteral("config.ini")));
    if (!game.open(gameDir))
        return {};
    const int story = draw(2) ? draw(2) : draw(game.stories().size() + 1) - 1; // mostly a story mutated
    const QVector<Reading> before = readings(game.configPath(), gameDir);
    if (story >= 0 && game.openStory(story) != GameDocument::StoryOpen::Done)
        return {};

    // Changes: statistics and needs of army types, skill ranges, specialty lists; now and then one undone.
    for (int n = 1 + draw(6); n > 0; --n) {
        const RecordKind kind = RecordKind(draw(3));
        QStringList ids = game.records(kind).keys();
        ids.sort(); // the order of a hash differs from run to run
        // Mostly the records of a mutated line, where the faults are.
        const QString aim = touched.value(draw(2 * touched.size()));
        QStringList near;
        for (const QString& id : ids) {
            for (const QString& key : idKeys(id)) {
                if (aim.contains(key) && !near.contains(id))
                    near.append(id);
            }
        }
        if (!near.isEmpty())
            ids = near;
        if (ids.isEmpty())
            continue;
        const QString id = ids.at(draw(ids.size()));
        const int field = kind == RecordKind::ArmyType ? 1 + draw(8) : kind == RecordKind::Skill ? 1 + draw(2) : 1;
        QString value = QString::number(draw(4) ? draw(100) : draw(256) * 3906250);
        if (kind == RecordKind::City) {
            const QString list = game.cities().value(id).value(1);
            const QStringList held = heldSpecialties(list);
            value = draw(2) && !held.isEmpty() ? withoutSpecialty(list, held.at(draw(held.size())))
                                               : withSpecialty(list, QString::number(draw(30)));
        }
        game.changeFields({{{kind, id, field}, value}}, QStringLiteral("change"));
        if (draw(8) == 0)
            game.undoStack()->undo();
    }

    const QVector<JournalEntry> pending = game.journal().changes();
    QSet<QString> named;
    for (const JournalEntry& entry : pending)
        named.insert(QDir::fromNativeSeparators(game.fileLabel(entry.ref)));
    const SaveReport report = game.save();
    QVector<JournalEntry> landed;
    for (const JournalEntry& entry : pending) {
        if (!game.journal().contains(entry.ref))
            landed.append(entry);
    }
    if (report.complete != game.journal().isEmpty())
        return QStringLiteral("\"complete\" is %1 with %2 changes pending")
            .arg(report.complete)
            .arg(game.journal().size());

    // The files: only those named changed, and in them only the values of changed records.
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        const QString path = gameDir + '/' + file.key();
        if (TestSupport::readBytes(path) == file.value())
            continue;
        if (!named.contains(file.key()))
            return file.key() + QStringLiteral(" changed, and no pending change names it");
        TestSupport::writeBytes(dir.filePath(QStringLiteral("before")), file.value());
        const QStringList was = readExactText(dir.filePath(QStringLiteral("before")))->text.split('\n');
        const QStringList now = readExactText(path).value_or(ExactText()).text.split('\n');
        if (was.size() != now.size())
            return file.key() + QStringLiteral(" has other lines now");
        for (int k = 0; k < was.size(); ++k) {
            const auto ofLanded = [&](const JournalEntry& entry) {
                for (const QString& key : idKeys(entry.ref.id)) {
                    if (was.at(k).contains(key))
                        return true;
                }
                return false;
            };
            if (was.at(k) != now.at(k) && (withoutValues(was.at(k)) != withoutValues(now.at(k)) ||
                                           std::none_of(landed.begin(), landed.end(), ofLanded)))
                return QStringLiteral("%1 line %2 changed from\n%3\nto\n%4")
                    .arg(file.key())
                    .arg(k + 1)
                    .arg(was.at(k), now.at(k));
        }
    }

    // The fields: every landed change reads back, every other field reads as before, in every story.
    const QVector<Reading> afterwards = readings(game.configPath(), gameDir);
    if (afterwards.size() != before.size())
        return QStringLiteral("the saved game does not open");
    for (int s = -1; s < game.stories().size(); ++s) {
        const Reading& after = afterwards.at(s + 1);
        const Reading& was = before.at(s + 1);
        for (RecordKind kind : {RecordKind::ArmyType, RecordKind::Skill, RecordKind::City}) {
            RecordTable expected = table(was, kind);
            for (const JournalEntry& entry : landed) {
                if (entry.ref.kind != kind || !expected.contains(entry.ref.id))
                    continue;
                // A statistic lands in the story that declares it, or else in armytype.txt, which the stories
                // that do not declare the army type read.
                const bool statistic = kind == RecordKind::ArmyType && entry.ref.field <= 6;
                const bool inStage = story >= 0 && before.at(story + 1).declared.contains(entry.ref.id);
                const bool seen = !statistic || (inStage ? s == story : !was.declared.contains(entry.ref.id));
                if (seen)
                    expected[entry.ref.id][entry.ref.field] = entry.value;
            }
            if (table(after, kind) != expected) {
                for (auto record = expected.cbegin(); record != expected.cend(); ++record) {
                    if (table(after, kind).value(record.key()) != record.value())
                        return QStringLiteral("story %1: record %2 reads %3, expected %4")
                            .arg(s)
                            .arg(record.key(), table(after, kind).value(record.key()).join(' '),
                                 record.value().join(' '));
                }
                return QStringLiteral("story %1: records appeared").arg(s);
            }
        }
    }
    return {};
}

} // namespace SaveProperty
