// The game document without a window: edits of every kind with their undo steps, what each save group writes,
// saves that meet broken files, stories that fail to open, the save's promise on mutated games, and the rules of
// the edit journal. Linked without the views: it proves the document needs none.
#include "document/gamedocument.h"
#include "gamedata/textfile.h"
#include "saveproperty.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace TestSupport;

using Values = QVector<FieldValue>;
Q_DECLARE_METATYPE(Values)

namespace {

FieldValue army(const char* id, int field, const char* value)
{
    return {{RecordKind::ArmyType, QString::fromLatin1(id), field}, QString::fromLatin1(value)};
}
FieldValue skill(const char* id, int field, const char* value)
{
    return {{RecordKind::Skill, QString::fromLatin1(id), field}, QString::fromLatin1(value)};
}
FieldValue city(const char* id, const char* value)
{
    return {{RecordKind::City, QString::fromLatin1(id), 1}, QString::fromLatin1(value)};
}

} // namespace

class DocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void changeUndoRedoRevert_data();
    void changeUndoRedoRevert();
    void saveGroup_data();
    void saveGroup();
    void saveFault_data();
    void saveFault();
    void storyThatFailsKeepsTheCurrentOne_data();
    void storyThatFailsKeepsTheCurrentOne();
    void discardKeepsOtherChanges();
    void skillsAreThoseOfTheGameReadLast();
    void statisticsLandWhereThePendingListSays();
    void savePromiseOnMutatedGames();
    void journalRules_data();
    void journalRules();

private:
    std::unique_ptr<GameCopy> game;
    std::unique_ptr<GameDocument> document;
    QList<ChangeOrigin> origins;

    QString path(const QString& file) const { return game->gameFile(file); }
    QString valueOf(const FieldRef& ref) const { return document->records(ref.kind).value(ref.id).value(ref.field); }
    // Every file of the game, by its path in the game directory.
    QHash<QString, QByteArray> gameFiles() const;
};

void DocumentTest::init()
{
    game = std::make_unique<GameCopy>();
    document = std::make_unique<GameDocument>(game->path(QStringLiteral("config.ini")));
    QVERIFY(document->open(document->configuredGameDirectory()));
    QVERIFY(document->openStory(0) == GameDocument::StoryOpen::Done);
    origins.clear();
    connect(document.get(), &GameDocument::fieldsChanged, this,
            [this](const Values&, ChangeOrigin origin) { origins.append(origin); });
}

void DocumentTest::cleanup()
{
    document.reset();
    game.reset();
}

QHash<QString, QByteArray> DocumentTest::gameFiles() const
{
    QHash<QString, QByteArray> files;
    for (QDirIterator it(game->gamePath(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        files.insert(QDir(game->gamePath()).relativeFilePath(file), readBytes(file));
    }
    return files;
}

void DocumentTest::changeUndoRedoRevert_data()
{
    QTest::addColumn<Values>("change");
    QTest::addColumn<Values>("changed"); // the fields that change, with their new values
    QTest::newRow("typed-statistic") << Values{army("1", 2, "66")} << Values{army("1", 2, "66")};
    QTest::newRow("last-statistic") << Values{army("2", 6, "9")} << Values{army("2", 6, "9")};
    QTest::newRow("needs-switched-off") << Values{army("7", 7, "0"), army("7", 8, "0")}
                                        << Values{army("7", 7, "0"), army("7", 8, "0")};
    QTest::newRow("specialty-moved") << Values{city("1", "3,7,")} << Values{city("1", "3,7,")};
    QTest::newRow("skill-range") << Values{skill("301", 2, "5")} << Values{skill("301", 2, "5")};
    // A bulk change or an import whose first cell already holds its value still changes the others.
    QTest::newRow("bulk-starting-with-an-unchanged-cell")
        << Values{army("1", 2, "54"), army("1", 3, "43"), army("2", 2, "1")}
        << Values{army("1", 3, "43"), army("2", 2, "1")};
    QTest::newRow("unknown-record-and-field-left-out")
        << Values{army("999", 2, "5"), skill("301", 9, "1"), skill("301", 1, "4")} << Values{skill("301", 1, "4")};
}

void DocumentTest::changeUndoRedoRevert()
{
    QFETCH(Values, change);
    QFETCH(Values, changed);
    Values before;
    for (const FieldValue& value : changed)
        before.append({value.ref, valueOf(value.ref)});
    const QStringList needsInFile = document->fileNeeds(QStringLiteral("7"));

    const auto expect = [&](const Values& values, int pending) {
        for (const FieldValue& value : values)
            QCOMPARE(valueOf(value.ref), value.value);
        QCOMPARE(document->journal().size(), pending);
        QCOMPARE(document->fileNeeds(QStringLiteral("7")), needsInFile);
    };
    document->changeFields(change, QStringLiteral("edit"), ChangeOrigin::Typed);
    expect(changed, changed.size());
    for (int i = 0; i < changed.size(); ++i)
        QCOMPARE(document->journal().find(changed.at(i).ref)->fileValue, before.at(i).value);
    document->undoStack()->undo();
    expect(before, 0);
    document->undoStack()->redo();
    expect(changed, changed.size());
    QCOMPARE(origins, QList<ChangeOrigin>({ChangeOrigin::Typed, ChangeOrigin::UndoRedo, ChangeOrigin::UndoRedo}));

    // Setting every changed field back is one more step, which undoes like any other.
    QVector<FieldRef> refs;
    for (const FieldValue& value : changed)
        refs.append(value.ref);
    document->revertFields(refs);
    expect(before, 0);
    QCOMPARE(origins.last(), ChangeOrigin::Applied);
    document->undoStack()->undo();
    expect(changed, changed.size());
    QCOMPARE(document->undoStack()->count(), 2);
}

void DocumentTest::saveGroup_data()
{
    QTest::addColumn<Values>("change");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("recordStart");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("statistic-of-a-declared-army-type")
        << Values{army("1", 2, "66")} << "story/story01/stage.xml" << QByteArray("<armytype a0=\"1\"")
        << QByteArray(" a5=\"54\"") << QByteArray(" a5=\"66\"");
    QTest::newRow("statistic-of-an-undeclared-army-type")
        << Values{army("7", 1, "21")} << "config/army/armytype.txt" << QByteArray("{\"Type\":7,")
        << QByteArray("\"LongAttack\":20,") << QByteArray("\"LongAttack\":21,");
    QTest::newRow("needs-switched-off") << Values{army("7", 7, "0"), army("7", 8, "0")} << "config/army/armytype.txt"
                                        << QByteArray("{\"Type\":7,")
                                        << QByteArray("\"MustCityDesc\":1501,\"NeedItemId\":2013")
                                        << QByteArray("\"MustCityDesc\":0,\"NeedItemId\":0");
    QTest::newRow("skill-range") << Values{skill("301", 2, "5")} << "config/battlefield/skill.txt"
                                 << QByteArray("\"ID\":301,") << QByteArray("\"NearRange\":2")
                                 << QByteArray("\"NearRange\":5");
    QTest::newRow("city-specialties") << Values{city("1", "3,7,")} << "config/world/city.txt"
                                      << QByteArray("{\"ID\":1,") << QByteArray("\"specialattributes\":\"3,12,\"")
                                      << QByteArray("\"specialattributes\":\"3,7,\"");
}

// A save writes the changed values into their file and changes no other byte of the game.
void DocumentTest::saveGroup()
{
    QFETCH(Values, change);
    QFETCH(QString, file);
    QFETCH(QByteArray, recordStart);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QHash<QString, QByteArray> expected = gameFiles();
    const QByteArray original = expected.value(file);
    QByteArray& bytes = expected[file];
    const int at = bytes.indexOf(before, bytes.indexOf(recordStart));
    QVERIFY(at > 0);
    bytes.replace(at, before.size(), after);

    document->changeFields(change, QStringLiteral("edit"));
    // The pending list names the file the save writes.
    QCOMPARE(document->fileLabel(change.first().ref), QDir::toNativeSeparators(file));
    const SaveReport report = document->save();
    QVERIFY(report.complete);
    QCOMPARE(gameFiles(), expected);
    QCOMPARE(readBytes(report.backupFolder + QLatin1Char('/') + file), original);
    // Nothing left to write: a second save writes nothing and makes no second copy.
    QVERIFY(document->save().backupFolder.isEmpty());
}

void DocumentTest::saveFault_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("reason"); // the WriteFailure the report gives the file
    const std::pair<const char*, WriteFailure> faults[] = {
        {"backup-blocked", WriteFailure::NoBackup}, {"deleted", WriteFailure::Missing},
        {"read-only", WriteFailure::ReadOnly},      {"replaced-by-folder", WriteFailure::Missing},
        {"disk-full", WriteFailure::DiskFull},      {"write-fails-midway", WriteFailure::DiskFull},
        {"record-refused", WriteFailure::None}};
    for (const auto& fault : faults)
        QTest::newRow(fault.first) << fault.first << int(fault.second);
#ifdef Q_OS_WIN
    // Another program (the game, an editor) holds the file open: with no sharing at all, or letting others read.
    QTest::newRow("held-open-without-sharing") << "held-open-without-sharing" << int(WriteFailure::Unreadable);
    QTest::newRow("held-open-for-reading") << "held-open-for-reading" << int(WriteFailure::InUse);
#endif
}

// A save that meets a broken file or disk loses nothing: the file keeps its bytes and nothing lands beside it,
// its changes stay pending, and a save once the fault is gone writes them. Before its first rewrite in a run,
// each file is copied as it was into one folder for the run.
void DocumentTest::saveFault()
{
    QFETCH(QString, fault);
    const QString skillFile = QStringLiteral("config/battlefield/skill.txt");
    const QString skills = path(skillFile);
    const QByteArray original = readBytes(skills);
    QByteArray broken = original;
    document->changeFields({skill("301", 1, "6"), city("1", "12,")}, QStringLiteral("edit"));
    if (fault == QLatin1String("backup-blocked"))
        QVERIFY(writeBytes(game->path(QStringLiteral("backup")), "in the way"));
    if (fault == QLatin1String("deleted") || fault == QLatin1String("replaced-by-folder"))
        QVERIFY(QFile::remove(skills) && (fault == QLatin1String("deleted") || QDir().mkpath(skills)));
    if (fault == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(skills, QFile::ReadOwner));
    if (fault == QLatin1String("record-refused"))
        QVERIFY(writeBytes(skills, broken.replace("\"FarRange\":0,\"NearRange\":2", "\"Far\":0,\"NearRange\":2")));
    setByteWriter([fault](QIODevice& file, const QByteArray& bytes) -> qint64 {
        return fault == QLatin1String("disk-full")            ? -1
               : fault == QLatin1String("write-fails-midway") ? file.write(bytes.left(bytes.size() / 2))
                                                              : file.write(bytes);
    });
    const QStringList siblings = QFileInfo(skills).absoluteDir().entryList(QDir::Files | QDir::Hidden);
#ifdef Q_OS_WIN
    HANDLE held = INVALID_HANDLE_VALUE;
    if (fault.startsWith(QLatin1String("held-open"))) {
        held = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(skills).utf16()), GENERIC_READ,
                           fault.endsWith(QLatin1String("reading")) ? FILE_SHARE_READ : 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(held != INVALID_HANDLE_VALUE);
    }
#endif

    const SaveReport failed = document->save();
#ifdef Q_OS_WIN
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
#endif
    const bool refused = fault == QLatin1String("record-refused");
    QVERIFY(!failed.complete);
    QCOMPARE(failed.failedFiles.contains(QDir::toNativeSeparators(skills)), !refused);
    QTEST(int(failed.failureReasons.value(QDir::toNativeSeparators(skills))), "reason");
    QCOMPARE(failed.unwrittenRecords, refused ? QStringList{"skill.txt 301"} : QStringList());
    QCOMPARE(document->journal().changedIds(RecordKind::Skill, 1, 2), QStringList{"301"});
    QCOMPARE(valueOf(skill("301", 1, "").ref), QStringLiteral("6"));
    QVERIFY(!QFileInfo(skills).isFile() || readBytes(skills) == broken);
    QCOMPARE(QFileInfo(skills).absoluteDir().entryList(QDir::Files | QDir::Hidden), siblings);

    setByteWriter(nullptr);
    QFile::remove(game->path(QStringLiteral("backup")));
    QFile::setPermissions(skills, QFile::ReadOwner | QFile::WriteOwner);
    QDir(skills).removeRecursively();
    QVERIFY(writeBytes(skills, original));
    const SaveReport mended = document->save();
    QVERIFY(mended.complete);
    QVERIFY(!document->hasPendingChanges());
    QCOMPARE(readBytes(skills), withValue(original, "\"ID\":301,", "\"FarRange\":", "6"));

    // One folder for the run, named after its first save's time; a later save keeps the first copy.
    const QStringList runs = QDir(game->path(QStringLiteral("backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(runs.size() == 1 && QRegExp(QStringLiteral("\\d{8}-\\d{6}")).exactMatch(runs.first()));
    const QString folder = game->path(QStringLiteral("backup/") + runs.first());
    // The file was copied by the save that first got to write it.
    const bool copiedNow = fault != "read-only" && fault != "disk-full" && fault != "write-fails-midway" &&
                           fault != "held-open-for-reading";
    QCOMPARE(mended.backupFolder, copiedNow ? QDir::toNativeSeparators(folder) : QString());
    document->changeFields({skill("301", 1, "5")}, QStringLiteral("edit"));
    QVERIFY(document->save().backupFolder.isEmpty());
    QCOMPARE(readBytes(folder + QLatin1Char('/') + skillFile), original);
}

void DocumentTest::storyThatFailsKeepsTheCurrentOne_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<int>("result");
    QTest::newRow("stage-missing") << "story/story02/stage.xml" << int(GameDocument::StoryOpen::StageUnreadable);
    QTest::newRow("army-types-missing") << "config/army/armytype.txt"
                                        << int(GameDocument::StoryOpen::ArmyTypesUnreadable);
}

void DocumentTest::storyThatFailsKeepsTheCurrentOne()
{
    QFETCH(QString, removed);
    QFETCH(int, result);
    document->changeFields({army("1", 2, "66")}, QStringLiteral("edit"));
    const RecordTable armyTypes = document->armyTypes();
    QVERIFY(QFile::remove(path(removed)));
    QCOMPARE(int(document->openStory(1)), result);
    QCOMPARE(document->currentStory(), 0);
    QCOMPARE(document->stagePath(), path(QStringLiteral("story/story01/stage.xml")));
    QCOMPARE(document->armyTypes(), armyTypes);
    QVERIFY(document->undoStack()->canUndo());
}

// Discarding the statistics at a story switch sets them back to their files' values and keeps the rest.
void DocumentTest::discardKeepsOtherChanges()
{
    document->changeFields({army("1", 2, "66"), army("2", 6, "9"), skill("301", 2, "5")}, QStringLiteral("edit"));
    document->discardArmyStatistics();
    QCOMPARE(valueOf(army("1", 2, "").ref), QStringLiteral("54"));
    QCOMPARE(document->journal().changedIds(RecordKind::ArmyType, 1, 6), QStringList());
    QCOMPARE(document->journal().changedIds(RecordKind::Skill, 1, 2), QStringList{"301"});
    QVERIFY(!document->undoStack()->canUndo());
    QCOMPARE(origins.last(), ChangeOrigin::Applied);
    // Needs pending across a story switch keep their value.
    document->changeFields({army("7", 7, "0")}, QStringLiteral("edit"));
    QVERIFY(document->openStory(1) == GameDocument::StoryOpen::Done);
    QCOMPARE(valueOf(army("7", 7, "").ref), QStringLiteral("0"));
    // A folder that is no game leaves the document closed.
    QVERIFY(!document->open(game->path(QStringLiteral("nowhere"))) && !document->isOpen());
}

// The skills found for an army type are remembered, but a game read again (changed on disk, or another one)
// gives its own.
void DocumentTest::skillsAreThoseOfTheGameReadLast()
{
    QString name;
    for (const QChar c : document->armyTypes().value(QStringLiteral("1")).value(0))
        name += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    QVERIFY(!name.isEmpty() && !document->armySkills(QStringLiteral("1")).contains(QStringLiteral("999")));
    const QString skills = path(QStringLiteral("config/battlefield/skill.txt"));
    QVERIFY(writeBytes(
        skills, readBytes(skills) + "{\"ID\":999,\"Temp\":\"" + name.toLatin1() +
                    "\",\"Name\":5999,\"SkillPoint\":1,\"FarRange\":0,\"NearRange\":1,\"Effect\":1,\"Cd\":2},\n"));
    QVERIFY(document->open(document->configuredGameDirectory()));
    QVERIFY(document->armySkills(QStringLiteral("1")).contains(QStringLiteral("999")));
}

// A statistic of an army type the story declares is written into the story or nowhere, also when its element
// is gone by the time of the save; before any story is open, statistics are armytype.txt's and land there.
void DocumentTest::statisticsLandWhereThePendingListSays()
{
    const QString stage = path(QStringLiteral("story/story01/stage.xml"));
    const QString armyTypes = path(QStringLiteral("config/army/armytype.txt"));
    const QByteArray armyTypeBytes = readBytes(armyTypes);
    document->changeFields({army("1", 2, "66")}, QStringLiteral("edit"));
    QVERIFY(writeBytes(stage, readBytes(stage).replace("a0=\"1\"", "a0=\"x\"")));
    const SaveReport refused = document->save();
    QVERIFY(!refused.complete && document->hasPendingChanges());
    QCOMPARE(refused.unwrittenRecords, QStringList{"stage.xml 1"});
    QCOMPARE(readBytes(armyTypes), armyTypeBytes);

    GameDocument noStory(game->path(QStringLiteral("config.ini")));
    QVERIFY(noStory.open(noStory.configuredGameDirectory()));
    noStory.changeFields({army("1", 2, "66")}, QStringLiteral("edit"));
    QCOMPARE(noStory.fileLabel(army("1", 2, "").ref), QDir::toNativeSeparators("config/army/armytype.txt"));
    QVERIFY(noStory.save().complete);
    QCOMPARE(readBytes(armyTypes), QByteArray(armyTypeBytes).replace("\"ShortAttack\":52,", "\"ShortAttack\":66,"));
}

// The save's promise (saveproperty.h) on 200 mutated sample games drawn from a fixed seed; SAVE_INPUT replays one
// input, in hexadecimal as a failure prints it.
void DocumentTest::savePromiseOnMutatedGames()
{
    QRandomGenerator random(21);
    for (int n = 0; n < 200; ++n) {
        QByteArray input(96, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32*>(input.data()), input.size() / 4);
        if (qEnvironmentVariableIsSet("SAVE_INPUT"))
            input = QByteArray::fromHex(qgetenv("SAVE_INPUT"));
        const QString broken = SaveProperty::check(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        QVERIFY2(broken.isEmpty(), qPrintable(input.toHex() + '\n' + broken));
    }
}

// The journal's rules: what a field's file value is, when a field leaves, and in which order changes list.
void DocumentTest::journalRules_data()
{
    // Steps: "a|s <id> <field> <previous> <value>" records a change of an army type or skill field;
    // "w <id>..." marks the army statistics (fields 1..6) of those ids as written.
    // Expected: the entries in first-changed order, "kind.id.field=file>value".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first-change-keeps-file-value") << QStringList{"a 1 1 10 11", "a 1 1 11 12"} << "a.1.1=10>12";
    QTest::newRow("back-to-file-value-leaves") << QStringList{"a 1 1 10 11", "a 1 1 11 10"} << "";
    QTest::newRow("no-change-not-recorded") << QStringList{"a 1 1 10 10"} << "";
    QTest::newRow("kinds-kept-apart") << QStringList{"a 1 1 10 11", "s 1 1 5 6", "s 1 1 6 5"} << "a.1.1=10>11";
    QTest::newRow("written-leaves-only-listed-ids")
        << QStringList{"a 1 1 10 11", "a 2 3 20 21", "w 1"} << "a.2.3=20>21";
    QTest::newRow("written-leaves-only-listed-fields")
        << QStringList{"a 1 7 5 0", "a 1 8 9 0", "w 1"} << "a.1.7=5>0 a.1.8=9>0";
    QTest::newRow("written-value-is-new-file-value")
        << QStringList{"a 1 1 10 11", "w 1", "a 1 1 11 10"} << "a.1.1=11>10";
    QTest::newRow("order-of-first-change")
        << QStringList{"a 2 1 1 2", "s 9 2 1 2", "a 1 1 1 2", "a 2 1 2 3"} << "a.2.1=1>3 s.9.2=1>2 a.1.1=1>2";
}

void DocumentTest::journalRules()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    EditJournal journal;
    for (const QString& step : steps) {
        const QStringList word = step.split(QLatin1Char(' '));
        if (word.at(0) == QLatin1String("w")) {
            journal.markWritten(RecordKind::ArmyType, word.mid(1), 1, 6);
            continue;
        }
        const RecordKind kind = word.at(0) == QLatin1String("a") ? RecordKind::ArmyType : RecordKind::Skill;
        journal.record({kind, word.at(1), word.at(2).toInt()}, word.at(3), word.at(4));
    }
    QStringList entries;
    for (const JournalEntry& entry : journal.changes()) {
        // The last field of a range counts as much as the first.
        QVERIFY(journal.recordChanged(entry.ref.kind, entry.ref.id, entry.ref.field - 1, entry.ref.field));
        entries.append(QStringLiteral("%1.%2.%3=%4>%5")
                           .arg(entry.ref.kind == RecordKind::ArmyType ? "a" : "s", entry.ref.id)
                           .arg(entry.ref.field)
                           .arg(entry.fileValue, entry.value));
    }
    QCOMPARE(entries.join(QLatin1Char(' ')), expected);
    QCOMPARE(journal.isEmpty(), expected.isEmpty());
}

QTEST_GUILESS_MAIN(DocumentTest)
#include "tst_document.moc"
