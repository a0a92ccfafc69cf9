#include "document/gamediff.h"

#include "gamedata/armytypefile.h"
#include "gamedata/cityfile.h"
#include "gamedata/gameconfig.h"
#include "gamedata/idorder.h"
#include "gamedata/languagefile.h"
#include "gamedata/skillfile.h"
#include "gamedata/stagefile.h"
#include "gamedata/storycatalogue.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QHash>

namespace {

QString relativePath(const QString& directory, const QString& path)
{
    return QDir(directory).relativeFilePath(path);
}

TextTable readLanguage(const QString& gameDirectory)
{
    const std::optional<QString> text = readTextFile(gameFilePaths(gameDirectory).language, "UTF-8");
    return text ? parseLanguageTable(*text) : TextTable();
}

} // namespace

QVector<EditableFile> editableFiles(const QString& gameDirectory)
{
    const GameFilePaths paths = gameFilePaths(gameDirectory);
    QVector<EditableFile> files{{relativePath(gameDirectory, paths.armyType), RecordKind::ArmyType, 1, 8},
                                {relativePath(gameDirectory, paths.skill), RecordKind::Skill, 1, 2},
                                {relativePath(gameDirectory, paths.city), RecordKind::City, 1, 1}};
    const std::optional<QString> catalogue = readTextFile(paths.storyConfig);
    if (!catalogue)
        return files;
    const QString storyFolder = QFileInfo(paths.storyConfig).absolutePath();
    for (const QString& story : parseStoryPaths(*catalogue)) {
        const QString stage = QDir::cleanPath(storyFolder + QLatin1Char('/') + story + QStringLiteral("/stage.xml"));
        const QString path = relativePath(gameDirectory, stage);
        if (QFileInfo::exists(stage) && !path.startsWith(QLatin1String("..")))
            files.append({path, RecordKind::ArmyType, 1, 6});
    }
    return files;
}

std::optional<EditableFile> findEditableFile(const QVector<EditableFile>& files, const QString& path)
{
    const QString wanted = QDir::cleanPath(path);
    for (const EditableFile& file : files) {
        if (file.path == wanted)
            return file;
    }
    return std::nullopt;
}

std::optional<RecordTable> readEditableValues(const QString& directory, const EditableFile& file,
                                              const TextTable& languageTexts)
{
    const QString path = directory + QLatin1Char('/') + file.path;
    const std::optional<QString> text = readTextFile(path, file.isStage() ? "utf-8" : nullptr);
    if (!text)
        return std::nullopt;
    if (file.isStage()) {
        RecordTable statistics = parseStageStatistics(*text);
        for (QStringList& record : statistics)
            record.prepend(QString());
        return statistics;
    }
    switch (file.kind) {
    case RecordKind::ArmyType:
        return parseArmyTypes(*text, languageTexts);
    case RecordKind::Skill:
        return parseSkills(*text);
    case RecordKind::City:
        return parseCities(*text);
    }
    return std::nullopt;
}

QVector<RecordChange> diffGames(const QString& baseDirectory, const QString& changedDirectory,
                                const QString& gameDirectory)
{
    const QString game = gameDirectory.isEmpty() ? changedDirectory : gameDirectory;
    const TextTable language = readLanguage(game);
    // Stage elements carry no names: the army types' names stand for them.
    RecordTable armyNames;
    QVector<RecordChange> changes;
    for (const EditableFile& file : editableFiles(game)) {
        const std::optional<RecordTable> base = readEditableValues(baseDirectory, file, language);
        const std::optional<RecordTable> changed = readEditableValues(changedDirectory, file, language);
        if (file.kind == RecordKind::ArmyType && !file.isStage() && changed)
            armyNames = *changed;
        if (!base || !changed)
            continue;
        for (const QString& id : sortedByNumber(changed->keys())) {
            const QStringList after = changed->value(id);
            const auto before = base->constFind(id);
            if (before == base->constEnd())
                continue;
            const QString name = file.isStage() ? armyNames.value(id).value(0) : after.value(0);
            for (int field = file.first; field <= file.last; ++field) {
                if (before->value(field) != after.value(field))
                    changes.append({file.path, file.kind, id, name, field, before->value(field), after.value(field)});
            }
        }
    }
    return changes;
}

QVector<ChangeCheck> checkChanges(const QString& gameDirectory, const QVector<RecordChange>& changes)
{
    const QVector<EditableFile> gameFiles = editableFiles(gameDirectory);
    QHash<QString, std::optional<RecordTable>> files;
    QVector<ChangeCheck> checks;
    checks.reserve(changes.size());
    for (const RecordChange& change : changes) {
        ChangeCheck check;
        const std::optional<EditableFile> file = findEditableFile(gameFiles, change.file);
        if (!change.problem.isEmpty() ||
            (file && (change.kind != file->kind || change.field < file->first || change.field > file->last))) {
            check.status = ChangeStatus::Invalid;
        } else if (!file) {
            check.status = ChangeStatus::MissingFile;
        } else {
            auto values = files.find(file->path);
            if (values == files.end())
                values = files.insert(file->path, readEditableValues(gameDirectory, *file));
            const auto record = *values ? (*values)->constFind(change.id) : RecordTable::const_iterator();
            if (!*values)
                check.status = ChangeStatus::MissingFile;
            else if (record == (*values)->constEnd())
                check.status = ChangeStatus::MissingRecord;
            else {
                check.current = record->value(change.field);
                check.status = check.current == change.after    ? ChangeStatus::AlreadyMade
                               : check.current == change.before ? ChangeStatus::Ready
                                                                : ChangeStatus::Conflict;
            }
        }
        checks.append(check);
    }
    return checks;
}

QString changeStatusText(ChangeStatus status)
{
    switch (status) {
    case ChangeStatus::Ready:
        return QStringLiteral("可应用");
    case ChangeStatus::AlreadyMade:
        return QStringLiteral("已是新值");
    case ChangeStatus::Conflict:
        return QStringLiteral("冲突: 游戏中的值不是修改前的值");
    case ChangeStatus::MissingRecord:
        return QStringLiteral("游戏中没有这条记录");
    case ChangeStatus::MissingFile:
        return QStringLiteral("游戏中没有这个文件或无法读取");
    case ChangeStatus::Invalid:
        return QStringLiteral("修改无效");
    case ChangeStatus::NotWritten:
        return QStringLiteral("记录无法写入");
    }
    return QString();
}
