#include "document/gamedocument.h"

#include "document/backupbrowser.h"
#include "document/diskvalues.h"
#include "document/diskwatch.h"
#include "document/fieldeditcommand.h"
#include "document/gamediff.h"
#include "gamedata/armyskills.h"
#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/idorder.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QUndoStack>

#include <utility>

namespace {

// Reads a whole file and replaces the table with what the parse finds in it; false, with the table left
// as it was, when the file gives no text.
template <typename Table, typename Parse>
bool readInto(const QString& path, const char* codecName, Table& table, Parse parse)
{
    const std::optional<QString> text = readTextFile(path, codecName);
    if (!text)
        return false;
    table = parse(*text);
    return true;
}

} // namespace

GameDocument::GameDocument(const QString& configPath, QObject* parent)
    : QObject(parent), configFile(configPath), undoHistory(new QUndoStack(this)), disk(new DiskWatch(this))
{
    connect(disk, &DiskWatch::changed, this, &GameDocument::followDisk);
}

GameDocument::~GameDocument() = default;

QString GameDocument::configuredGameDirectory() const
{
    const std::optional<QByteArray> config = readFileBytes(configFile);
    return config ? gameDirectoryFromConfig(*config) : QString();
}

QString GameDocument::missingGameFile(const QString& gameDirectory)
{
    for (const QString& required : gameFilePaths(gameDirectory).required()) {
        if (!QFile::exists(required))
            return required;
    }
    return QString();
}

bool GameDocument::rememberGameDirectory(const QString& gameDirectory)
{
    // Another program's config.ini keeps its own lines; one that cannot be read is not replaced blindly.
    const std::optional<QByteArray> config = QFileInfo::exists(configFile) ? readFileBytes(configFile) : QByteArray();
    return config && writeFileBytes(configFile, configWithGameDirectory(*config, gameDirectory), WriteMode::MayCreate);
}

bool GameDocument::open(const QString& gameDirectory)
{
    opened = false;
    waiting.clear();
    if (!holdsGame(gameDirectory))
        return false;
    // Whatever was changed or opened belongs to the game read before; the views start afresh.
    const bool hadChanges = !edits.isEmpty();
    edits = EditJournal();
    undoHistory->clear();
    storyNumber = -1;
    stageFile.clear();
    declaredArmyTypes.clear();
    if (hadChanges)
        emit journalChanged();
    filePaths = gameFilePaths(gameDirectory);
    if (gameDirectory != directory || !backups) {
        directory = gameDirectory;
        backups.emplace(QFileInfo(configFile).absolutePath() + QStringLiteral("/backup"), directory);
    }
    opened =
        readStoryCatalogue(filePaths.storyConfig) && readInto(filePaths.language, "UTF-8", texts, parseLanguageTable) &&
        readInto(filePaths.armyType, nullptr, armyTypeTable,
                 [this](const QString& text) { return parseArmyTypes(text, texts); }) &&
        readInto(filePaths.items, nullptr, itemTable,
                 [this](const QString& text) { return parseItems(text, texts); }) &&
        readInto(filePaths.skill, nullptr, skillTable, parseSkills) &&
        readInto(filePaths.city, nullptr, cityTable, parseCities) && readCitySpecialtyFile(filePaths.citySpecialty);
    skillsByArmyName.clear();
    disk->forgetAll();
    conflictFields.clear();
    if (opened) {
        for (const QString& path : {filePaths.armyType, filePaths.skill, filePaths.city})
            disk->note(path);
    }
    if (opened)
        emit gameOpened();
    return opened;
}

bool GameDocument::readStoryCatalogue(const QString& path)
{
    const std::optional<QString> text = readTextFile(path);
    if (!text)
        return false;
    const QString baseDirectory = path.left(path.lastIndexOf(QLatin1Char('/')));
    storyCatalogue.clear();
    for (const QString& storyPath : parseStoryPaths(*text)) {
        const QString storyDirectory = baseDirectory + QLatin1Char('/') + storyPath;
        const QString summaryPath = storyDirectory + QStringLiteral("/summary.xml");
        if (!QFile::exists(summaryPath))
            continue;
        const std::optional<QString> summary = readTextFile(summaryPath, "utf-8");
        storyCatalogue.insert(storyCatalogue.size(), {storyDirectory, summary ? parseStoryName(*summary) : QString()});
    }
    return true;
}

bool GameDocument::readCitySpecialtyFile(const QString& path)
{
    // The catalogue is optional: without it there are simply no specialties to offer.
    const std::optional<QString> text = readTextFile(path);
    if (!text && QFileInfo::exists(path))
        return false;
    specialtyTable = text ? parseCitySpecialties(*text) : RecordTable();
    return true;
}

GameDocument::StoryOpen GameDocument::openStory(int number)
{
    const QStringList story = storyCatalogue.value(number);
    const QString path = story.value(0) + QStringLiteral("/stage.xml");
    const std::optional<QString> stageText = readTextFile(path, "utf-8");
    if (!stageText)
        return StoryOpen::StageUnreadable;
    const std::optional<QString> armyTypeText = readTextFile(filePaths.armyType);
    if (!armyTypeText)
        return StoryOpen::ArmyTypesUnreadable;

    // Start every army type from its own statistics in armytype.txt, so that values of a story chosen
    // earlier do not linger on army types this story does not declare.
    const RecordTable base = parseArmyTypes(*armyTypeText, texts);
    for (auto record = armyTypeTable.begin(); record != armyTypeTable.end(); ++record) {
        const QStringList baseRecord = base.value(record.key());
        for (int position = 1; position <= 6 && position < baseRecord.size(); ++position)
            (*record)[position] = baseRecord.at(position);
    }

    const RecordTable statistics = parseStageStatistics(*stageText);
    declaredArmyTypes.clear();
    for (auto element = statistics.cbegin(); element != statistics.cend(); ++element) {
        auto record = armyTypeTable.find(element.key());
        if (record == armyTypeTable.end())
            continue;
        declaredArmyTypes.insert(element.key());
        for (int position = 1; position <= 6; ++position)
            (*record)[position] = element.value().at(position - 1);
    }
    // Undo steps of the story shown before would reach into values that are no longer there.
    undoHistory->clear();
    stageFile = path;
    storyNumber = number;
    disk->note(stageFile);
    emit storyOpened();
    if (!waiting.isEmpty())
        applyChangeSet(std::exchange(waiting, {}), tr("应用修改集"));
    return StoryOpen::Done;
}

int GameDocument::storyOf(const QString& stageFile) const
{
    for (auto story = storyCatalogue.cbegin(); story != storyCatalogue.cend(); ++story) {
        if (QDir(directory).relativeFilePath(story->value(0) + QStringLiteral("/stage.xml")) == stageFile)
            return story.key();
    }
    return -1;
}

const RecordTable& GameDocument::records(RecordKind kind) const
{
    return *const_cast<GameDocument*>(this)->recordsOf(kind);
}

RecordTable* GameDocument::recordsOf(RecordKind kind)
{
    switch (kind) {
    case RecordKind::ArmyType:
        return &armyTypeTable;
    case RecordKind::Skill:
        return &skillTable;
    case RecordKind::City:
        return &cityTable;
    }
    return &armyTypeTable;
}

QStringList GameDocument::armySkills(const QString& armyId) const
{
    const QString name = armyTypeTable.value(armyId).value(0);
    auto known = skillsByArmyName.constFind(name);
    if (known == skillsByArmyName.cend())
        known = skillsByArmyName.insert(name, skillsForArmy(name, skillTable));
    return *known;
}

QStringList GameDocument::fileNeeds(const QString& id) const
{
    const QStringList record = armyTypeTable.value(id);
    QStringList needs;
    for (int field = 7; field <= 8; ++field) {
        const JournalEntry* entry = edits.find({RecordKind::ArmyType, id, field});
        needs.append(entry ? entry->fileValue : record.value(field));
    }
    return needs;
}

void GameDocument::changeFields(const QVector<FieldValue>& values, const QString& description, ChangeOrigin origin,
                                const QString& shownArmy)
{
    QVector<FieldValue> before;
    QVector<FieldValue> after;
    for (const FieldValue& value : values) {
        const RecordTable& table = records(value.ref.kind);
        const auto record = table.constFind(value.ref.id);
        if (record == table.constEnd() || value.ref.field >= record->size())
            continue;
        const QString& current = record->at(value.ref.field);
        if (current == value.value)
            continue;
        before.append({value.ref, current});
        after.append(value);
    }
    if (after.isEmpty())
        return;
    undoHistory->push(new FieldEditCommand(this, before, after, description, origin, shownArmy));
}

void GameDocument::setFieldValues(const QVector<FieldValue>& values, ChangeOrigin origin, const QString& shownArmy)
{
    for (const FieldValue& value : values) {
        RecordTable* table = recordsOf(value.ref.kind);
        auto record = table->find(value.ref.id);
        if (record == table->end() || value.ref.field >= record->size())
            continue;
        QString& field = (*record)[value.ref.field];
        edits.record(value.ref, field, value.value);
        field = value.value;
        if (!edits.contains(value.ref))
            conflictFields.remove(value.ref);
    }
    emit fieldsChanged(values, origin, shownArmy);
    emit journalChanged();
}

void GameDocument::revertFields(const QVector<FieldRef>& refs, const QString& shownArmy)
{
    QVector<FieldValue> values;
    for (const FieldRef& ref : refs) {
        if (const JournalEntry* entry = edits.find(ref))
            values.append({ref, entry->fileValue});
    }
    changeFields(values, tr("还原为文件中的值"), ChangeOrigin::Applied, shownArmy);
}

void GameDocument::discardArmyStatistics()
{
    // One pass for all of them: after a bulk edit these are thousands of fields.
    QVector<FieldValue> values;
    for (const JournalEntry& entry : edits.changes(RecordKind::ArmyType, 1, 6))
        values.append({entry.ref, entry.fileValue});
    setFieldValues(values, ChangeOrigin::Applied, QString());
    undoHistory->clear();
}

void GameDocument::revealRecord(RecordKind kind, const QString& id)
{
    const QStringList record = records(kind).value(id);
    if (record.size() < 2)
        return;
    // A skill shows among the skills of an army type that has it: the first such in the army table's order.
    QString shownArmy;
    if (kind == RecordKind::Skill) {
        const QStringList armies = sortedByNumber(armyTypeTable.keys());
        for (const QString& army : armies) {
            if (armySkills(army).contains(id)) {
                shownArmy = army;
                break;
            }
        }
    }
    emit fieldsChanged({{{kind, id, 1}, record.at(1)}}, ChangeOrigin::UndoRedo, shownArmy);
}

QString GameDocument::fileLabel(const FieldRef& ref) const
{
    const auto inGame = [this](const QString& path) {
        const QString relative = QDir(directory).relativeFilePath(path);
        return relative.startsWith(QLatin1String("..")) ? QDir::toNativeSeparators(path)
                                                        : QDir::toNativeSeparators(relative);
    };
    switch (ref.kind) {
    case RecordKind::ArmyType:
        // Statistics of an army type the story does not declare are saved to armytype.txt.
        return inGame(ref.field <= 6 && declaredArmyTypes.contains(ref.id) ? stageFile : filePaths.armyType);
    case RecordKind::Skill:
        return inGame(filePaths.skill);
    case RecordKind::City:
        return inGame(filePaths.city);
    }
    return QString();
}

QString GameDocument::changeFile(const FieldRef& ref) const
{
    // Statistics have no file to go to before a story is open.
    if (ref.kind == RecordKind::ArmyType && ref.field <= 6 && storyNumber < 0)
        return QString();
    return QDir::fromNativeSeparators(fileLabel(ref));
}

QVector<RecordChange> GameDocument::pendingChangeSet() const
{
    QVector<RecordChange> changes;
    for (const JournalEntry& entry : edits.changes()) {
        const FieldRef& ref = entry.ref;
        changes.append({changeFile(ref), ref.kind, ref.id, records(ref.kind).value(ref.id).value(0), ref.field,
                        entry.fileValue, entry.value});
    }
    return changes + waiting;
}

void GameDocument::applyChangeSet(const QVector<RecordChange>& changes, const QString& description)
{
    QVector<FieldValue> values;
    for (const RecordChange& change : changes) {
        const FieldRef ref{change.kind, change.id, change.field};
        if (opened && changeFile(ref) == change.file)
            values.append({ref, change.after});
        else
            waiting.append(change);
    }
    changeFields(values, description);
}

QString GameDocument::recordLabel(const FieldRef& ref) const
{
    return ref.id + QLatin1Char(' ') + records(ref.kind).value(ref.id).value(0);
}

QString GameDocument::fieldLabel(const FieldRef& ref)
{
    static const QStringList armyFields{QString(),
                                        QStringLiteral("远程攻击"),
                                        QStringLiteral("近战攻击"),
                                        QStringLiteral("远程防御"),
                                        QStringLiteral("近战防御"),
                                        QStringLiteral("攻城破坏"),
                                        QStringLiteral("射程"),
                                        QStringLiteral("招募城市"),
                                        QStringLiteral("虎符")};
    static const QStringList skillFields{QString(), QStringLiteral("远程范围"), QStringLiteral("近战范围")};
    switch (ref.kind) {
    case RecordKind::ArmyType:
        return armyFields.value(ref.field);
    case RecordKind::Skill:
        return skillFields.value(ref.field);
    case RecordKind::City:
        return QStringLiteral("城市特性");
    }
    return QString();
}

QString GameDocument::backupRoot() const
{
    return QFileInfo(configFile).absolutePath() + QStringLiteral("/backup");
}

QStringList GameDocument::restoreBackup(const QString& folder, QString* currentFilesFolder)
{
    // A session of its own: this run's session may hold older copies of these files, not the current ones.
    BackupSession current(backupRoot(), directory);
    const QVector<RecordChange> restored = diffGames(directory, folder, directory);
    QStringList failed{QDir::toNativeSeparators(folder)};
    for (const BackupFolder& candidate : listBackups(backupRoot())) {
        if (QDir(candidate.path) == QDir(folder))
            failed = restoreBackupFiles(candidate, directory, current);
    }
    if (currentFilesFolder)
        *currentFilesFolder = QDir::toNativeSeparators(current.folder());

    const int story = storyNumber;
    edits = EditJournal();
    undoHistory->clear();
    open(directory);
    if (story >= 0)
        openStory(story);
    // The views follow the restored values as they follow any other change.
    QVector<FieldValue> values;
    for (const RecordChange& change : restored) {
        if (changeFile({change.kind, change.id, change.field}) == change.file)
            values.append({{change.kind, change.id, change.field}, change.after});
    }
    emit fieldsChanged(values, ChangeOrigin::Applied, QString());
    emit journalChanged();
    return failed;
}

QVector<JournalEntry> GameDocument::conflicts() const
{
    QVector<JournalEntry> found;
    for (const FieldRef& ref : conflictFields) {
        if (const JournalEntry* entry = edits.find(ref))
            found.append(*entry);
    }
    return found;
}

void GameDocument::followDisk()
{
    const QStringList changedFiles = disk->takeChanged();
    if (changedFiles.isEmpty() || !opened)
        return;
    QVector<FieldValue> followed;
    bool journalTouched = false;
    for (const QString& path : changedFiles) {
        EditedFile file = EditedFile::Stage;
        if (path == filePaths.armyType)
            file = EditedFile::ArmyTypes;
        else if (path == filePaths.skill)
            file = EditedFile::Skills;
        else if (path == filePaths.city)
            file = EditedFile::Cities;
        else if (path != stageFile)
            continue;
        // A file that vanished or cannot be read now has no values to follow; the save will say so.
        const std::optional<QString> text = readTextFile(path, file == EditedFile::Stage ? "utf-8" : nullptr);
        if (!text)
            continue;
        const RecordKind kind = file == EditedFile::Skills   ? RecordKind::Skill
                                : file == EditedFile::Cities ? RecordKind::City
                                                             : RecordKind::ArmyType;
        RecordTable* table = recordsOf(kind);
        for (const FieldValue& value : valuesInFile(file, *text, texts, *table, declaredArmyTypes)) {
            auto record = table->find(value.ref.id);
            if (value.ref.field >= record->size())
                continue;
            QString& current = (*record)[value.ref.field];
            if (const JournalEntry* entry = edits.find(value.ref)) {
                if (entry->fileValue == value.value)
                    continue;
                // The user's value stands against the new one on disk, which a save must not overwrite unasked.
                edits.setFileValue(value.ref, value.value);
                if (edits.contains(value.ref))
                    conflictFields.insert(value.ref);
                else
                    conflictFields.remove(value.ref);
                journalTouched = true;
            } else if (current != value.value) {
                current = value.value;
                followed.append(value);
            }
        }
    }
    if (!followed.isEmpty())
        emit fieldsChanged(followed, ChangeOrigin::Applied, QString());
    if (journalTouched)
        emit journalChanged();
    emit filesChangedOnDisk(changedFiles);
}

SaveReport GameDocument::save(bool overwriteConflicts)
{
    // What changed on disk since it was read counts before anything is written over it.
    followDisk();
    SaveReport report;
    const int backupsBefore = backups ? backups->count() : 0;
    GameFileWriter writer(backups ? &*backups : nullptr, &report);

    // Each group of fields leaves the journal only for the records whose write landed; a file that could
    // not be written, or a record left alone, keeps its fields pending. Needs go first, then statistics,
    // skills and cities.
    const auto saveGroup = [&](RecordKind kind, int first, int last, const auto& write) {
        QStringList ids = edits.changedIds(kind, first, last);
        if (!overwriteConflicts) {
            // A record is written whole: one conflicting field keeps all of its changed fields of the group back.
            for (const JournalEntry& entry : edits.changes(kind, first, last)) {
                if (isConflict(entry.ref)) {
                    ids.removeAll(entry.ref.id);
                    report.conflicts.append(fileLabel(entry.ref) + QLatin1Char(' ') + entry.ref.id + QLatin1Char(' ') +
                                            fieldLabel(entry.ref));
                }
            }
        }
        if (ids.isEmpty())
            return;
        QStringList landed;
        write(ids, &landed);
        edits.markWritten(kind, landed, first, last);
    };
    saveGroup(RecordKind::ArmyType, 7, 8, [&](const QStringList& ids, QStringList* landed) {
        writer.writeArmyNeeds(filePaths.armyType, ids, armyTypeTable, landed);
    });
    saveGroup(RecordKind::ArmyType, 1, 6, [&](const QStringList& ids, QStringList* landed) {
        // Before any story is open the statistics are armytype.txt's own, and go there.
        if (stageFile.isEmpty())
            writer.writeArmyTypes(filePaths.armyType, ids, armyTypeTable, landed);
        else
            writer.writeStage(stageFile, filePaths.armyType, ids, armyTypeTable, declaredArmyTypes, landed);
    });
    saveGroup(RecordKind::Skill, 1, 2, [&](const QStringList& ids, QStringList* landed) {
        writer.writeSkills(filePaths.skill, ids, skillTable, landed);
    });
    saveGroup(RecordKind::City, 1, 1, [&](const QStringList& ids, QStringList* landed) {
        writer.writeCities(filePaths.city, ids, cityTable, landed);
    });

    // The editor's own writes are no outside changes.
    for (const QString& path : {filePaths.armyType, filePaths.skill, filePaths.city, stageFile})
        disk->note(path);
    for (auto ref = conflictFields.begin(); ref != conflictFields.end();)
        ref = edits.contains(*ref) ? std::next(ref) : conflictFields.erase(ref);
    // Statistics waiting for their story have no values in memory to write yet.
    QMap<QString, QStringList> waitingIds;
    for (const RecordChange& change : waiting)
        waitingIds[change.file].append(change.id);
    for (auto file = waitingIds.cbegin(); file != waitingIds.cend(); ++file)
        report.unwrittenRecords.append(
            tr("%1 %2(等待打开其剧本)").arg(QDir::toNativeSeparators(file.key()), file->join(QStringLiteral(", "))));
    report.complete = report.failedFiles.isEmpty() && report.unwrittenRecords.isEmpty() && edits.isEmpty();
    if (backups && backups->count() > backupsBefore)
        report.backupFolder = QDir::toNativeSeparators(backups->folder());
    emit journalChanged();
    emit saved(report);
    return report;
}
