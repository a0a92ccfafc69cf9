#include "document/gamehealth.h"

#include "gamedata/gameconfig.h"
#include "gamedata/storycatalogue.h"
#include "gamedata/textfile.h"

#include <QDir>
#include <QFileInfo>

std::optional<QVector<GameFileText>> readGameFiles(const QString& gameDirectory)
{
    const GameFilePaths paths = gameFilePaths(gameDirectory);
    const QDir game(gameDirectory);
    QVector<GameFileText> files;
    // Each file with the codec its reader uses.
    const auto add = [&](GameFileKind kind, const QString& path, const char* codecName) {
        const std::optional<QString> text = readTextFile(path, codecName);
        if (text)
            files.append({kind, game.relativeFilePath(path), *text});
        return text.has_value();
    };
    const bool readable =
        add(GameFileKind::Language, paths.language, "UTF-8") && add(GameFileKind::Items, paths.items, nullptr) &&
        add(GameFileKind::ArmyTypes, paths.armyType, nullptr) && add(GameFileKind::Skills, paths.skill, nullptr) &&
        add(GameFileKind::Cities, paths.city, nullptr);
    if (!readable)
        return std::nullopt;
    // The specialty catalogue may be missing, as it may for the editor.
    if (!add(GameFileKind::CitySpecialties, paths.citySpecialty, nullptr) && QFileInfo::exists(paths.citySpecialty))
        return std::nullopt;

    const std::optional<QString> catalogue = readTextFile(paths.storyConfig);
    if (!catalogue)
        return std::nullopt;
    const QString storyFolder = QFileInfo(paths.storyConfig).path();
    for (const QString& story : parseStoryPaths(*catalogue))
        add(GameFileKind::Stage, storyFolder + QLatin1Char('/') + story + QStringLiteral("/stage.xml"), "utf-8");
    return files;
}

std::optional<QVector<HealthFinding>> checkGameDirectory(const QString& gameDirectory)
{
    const std::optional<QVector<GameFileText>> files = readGameFiles(gameDirectory);
    if (!files)
        return std::nullopt;
    return checkGameFiles(*files);
}
