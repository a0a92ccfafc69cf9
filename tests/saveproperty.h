#pragma once
// The save's promise on any bytes, shared by tst_document (a fixed-seed run) and the fuzz target fuzz_save: the
// sample game, mutated as the bytes say, opened with GameDocument, changed at random through changeFields, saved
// and read again by a fresh document. Gives the first broken promise, or nothing.
#include "document/gamedocument.h"
#include "gamedata/specialattributes.h"
#include "gamedata/textfile.h"
#include "testsupport.h"

#include <QTextCodec>
#include <QUndoStack>

namespace SaveProperty {

// Draws numbers from the input bytes; zeros once they run out.
struct Draw
{
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    int operator()(int count) { return count <= 0 ? 0 : (at < size ? data[at++] : 0) % count; }
};

// Whether the line holds a record of the id.
inline bool holdsRecord(const QString& line, const QString& id)
{
    return line.contains("\"Type\":" + id + ',') || line.contains("\"ID\":" + id + ',') ||
           line.contains("a0=\"" + id + '"');
}

// Records duplicated, swallowed, joined or cut, digits of other scripts, lists without their last comma or with
// blanks, mostly in record lines (kept in `touched`); then the encoding: UTF-16, GBK, a UTF-8 mark or CR LF.
inline QByteArray mutated(QByteArray bytes, Draw& draw, QStringList& touched)
{
    for (int n = 1 + draw(3); n > 0; --n) {
        QList<QByteArray> lines = bytes.split('\n');
        QVector<int> records;
        for (int k = 0; k < lines.size(); ++k) {
            if (lines.at(k).contains("\":") || lines.at(k).contains("a0="))
                records.append(k);
        }
        const int index = records.isEmpty() || !draw(4) ? draw(lines.size()) : records.at(draw(records.size()));
        QByteArray& line = lines[index];
        const int at = draw(line.size() + 1);
        const int digit = std::max(line.indexOf(QByteArray::number(draw(10)), at), line.indexOf('1'));
        switch (draw(7)) {
        case 0:
            lines.insert(draw(lines.size() + 1), QByteArray(line));
            break;
        case 1:
            line.remove(at, 1 + draw(40));
            break;
        case 2:
            lines = lines.mid(0, index + 1);
            lines.last().truncate(at);
            break;
        case 3:
            if (digit >= 0)
                line.replace(digit, 1, QString(QChar((draw(2) ? 0xFF10 : 0x0660) + line.at(digit) - '0')).toUtf8());
            break;
        case 4:
            line.replace(",\",", "\",").replace(draw(2) ? "\":\"" : ",", draw(2) ? "\":\" " : ", ");
            break;
        case 5:
            line.prepend(lines.value(draw(lines.size())).left(draw(60)));
            break;
        }
        touched.append(QString::fromUtf8(lines.value(index)));
        bytes = lines.join('\n');
    }
    const int encoding = draw(8);
    if (encoding < 3)
        bytes = QTextCodec::codecForName(encoding == 0   ? "UTF-16LE"
                                         : encoding == 1 ? "UTF-16BE"
                                                         : "GBK")
                    ->fromUnicode((encoding < 2 ? QString(QChar(0xFEFF)) : QString()) + QString::fromUtf8(bytes));
    return encoding == 3 ? bytes.prepend("\xEF\xBB\xBF") : encoding == 4 ? bytes.replace('\n', "\r\n") : bytes;
}

// What a fresh document reads before any story is open, then in each story: the army types, skills and cities
// (indexed by RecordKind), and the army types the story declares. Nothing when the game or a story does not open.
struct Reading
{
    QVector<RecordTable> tables;
    QSet<QString> declared;
};

inline QVector<Reading> readings(const QString& configPath, const QString& gameDir)
{
    GameDocument game(configPath);
    QVector<Reading> read;
    const bool opened = game.open(gameDir);
    for (int story = -1; opened && story < game.stories().size(); ++story) {
        if (story >= 0 && game.openStory(story) != GameDocument::StoryOpen::Done)
            return {};
        read.append({{game.armyTypes(), game.skills(), game.cities()}, {}});
        for (const QString& id : game.armyTypes().keys()) {
            if (story >= 0 && game.fileLabel({RecordKind::ArmyType, id, 1}).endsWith(QLatin1String("stage.xml")))
                read.last().declared.insert(id);
        }
    }
    return read;
}

inline QString check(const uint8_t* data, size_t size)
{
    Draw draw{data, size};
    // Every save syncs its files to disk; in memory that costs nothing, and thousands of saves run in seconds.
    const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/save-XXXXXX")
                                                                      : QDir::tempPath() + "/save-XXXXXX");
    const QString gameDir = dir.filePath(QStringLiteral("game"));
    const QDir sample(TestSupport::dataPath(QStringLiteral("sample-game")));
    QMap<QString, QByteArray> files;
    for (QDirIterator it(sample.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files.insert(sample.relativeFilePath(path), TestSupport::readBytes(path));
    }
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
    const QVector<Reading> before = readings(game.configPath(), gameDir);
    const int story = draw(2) ? draw(2) : draw(before.size()) - 1; // mostly a story mutated
    if (before.isEmpty() || !game.open(gameDir) ||
        (story >= 0 && game.openStory(story) != GameDocument::StoryOpen::Done))
        return {};

    // Statistics and needs of army types, skill ranges, specialty lists, mostly of mutated records; some undone.
    for (int n = 1 + draw(6); n > 0; --n) {
        const RecordKind kind = RecordKind(draw(3));
        QStringList ids = game.records(kind).keys();
        ids.sort(); // the order of a hash differs from run to run
        const QString aim = touched.value(draw(2 * touched.size()));
        QStringList near;
        for (const QString& id : ids) {
            if (holdsRecord(aim, id))
                near.append(id);
        }
        ids = near.isEmpty() ? ids : near;
        if (ids.isEmpty())
            continue;
        const QString id = ids.at(draw(ids.size()));
        const int field = kind == RecordKind::ArmyType ? 1 + draw(8) : kind == RecordKind::Skill ? 1 + draw(2) : 1;
        const QString list = game.cities().value(id).value(1);
        const QStringList held = heldSpecialties(list);
        const QString value = kind != RecordKind::City     ? QString::number(draw(4) ? draw(100) : draw(256) * 3906250)
                              : draw(2) && !held.isEmpty() ? withoutSpecialty(list, held.at(draw(held.size())))
                                                           : withSpecialty(list, QString::number(draw(30)));
        game.changeFields({{{kind, id, field}, value}}, QStringLiteral("change"));
        if (draw(8) == 0)
            game.undoStack()->undo();
    }

    const QVector<JournalEntry> pending = game.journal().changes();
    QSet<QString> named;
    for (const JournalEntry& entry : pending)
        named.insert(QDir::fromNativeSeparators(game.fileLabel(entry.ref)));
    if (game.save().complete != game.journal().isEmpty())
        return QStringLiteral("\"complete\" is wrong with %1 changes pending").arg(game.journal().size());
    QVector<JournalEntry> landed;
    for (const JournalEntry& entry : pending) {
        if (!game.journal().contains(entry.ref))
            landed.append(entry);
    }

    // Only the files named changed, and in them only the values in lines of changed records.
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        const QString path = gameDir + '/' + file.key();
        if (TestSupport::readBytes(path) == file.value())
            continue;
        if (!named.contains(file.key()))
            return file.key() + QStringLiteral(" changed, and no pending change names it");
        TestSupport::writeBytes(dir.filePath(QStringLiteral("before")), file.value());
        const QStringList was = readExactText(dir.filePath(QStringLiteral("before")))->text.split('\n');
        const QStringList now = readExactText(path).value_or(ExactText()).text.split('\n');
        for (int k = 0; k < std::max(was.size(), now.size()); ++k) {
            const QRegExp values(QStringLiteral("[\\d, ]"));
            const bool ofLanded = std::any_of(landed.begin(), landed.end(), [&](const JournalEntry& entry) {
                return holdsRecord(was.value(k), entry.ref.id);
            });
            if (was.value(k) != now.value(k) &&
                (!ofLanded || QString(was.value(k)).remove(values) != QString(now.value(k)).remove(values)))
                return file.key() +
                       QStringLiteral(" changed in line %1:\n%2\n%3").arg(k + 1).arg(was.value(k), now.value(k));
        }
    }

    // Every landed change reads back, every other field reads as before, in every story.
    const QVector<Reading> after = readings(game.configPath(), gameDir);
    for (int s = -1; s + 1 < before.size(); ++s) {
        if (after.size() != before.size())
            return QStringLiteral("the saved game does not open");
        for (int kind = 0; kind < 3; ++kind) {
            RecordTable expected = before.at(s + 1).tables.at(kind);
            for (const JournalEntry& entry : landed) {
                // A statistic lands in the story that declares it, or else in armytype.txt, which the stories
                // that do not declare the army type read.
                const bool statistic = entry.ref.kind == RecordKind::ArmyType && entry.ref.field <= 6;
                const bool inStage = story >= 0 && before.at(story + 1).declared.contains(entry.ref.id);
                if (int(entry.ref.kind) == kind && expected.contains(entry.ref.id) &&
                    (!statistic || (inStage ? s == story : !before.at(s + 1).declared.contains(entry.ref.id))))
                    expected[entry.ref.id][entry.ref.field] = entry.value;
            }
            const RecordTable& read = after.at(s + 1).tables.at(kind);
            for (const QString& id : expected.keys() + read.keys()) {
                if (read.value(id) != expected.value(id))
                    return QStringLiteral("story %1: record %2 reads %3, not %4")
                        .arg(s)
                        .arg(id, read.value(id).join(' '), expected.value(id).join(' '));
            }
        }
    }
    return {};
}

} // namespace SaveProperty
