#include "gamedata/gameconfig.h"

QString gameDirectoryFromConfig(const QString& configText)
{
    // A config.ini written on Windows ends its line with CR LF.
    QString firstLine = configText.section(QLatin1Char('\n'), 0, 0);
    if (firstLine.endsWith(QLatin1Char('\r')))
        firstLine.chop(1);
    if (!firstLine.contains(QLatin1Char('=')))
        return QString();
    return firstLine.section(QLatin1Char('='), 1, 1);
}

QString configTextFor(const QString& gameDirectory)
{
    return QStringLiteral("GamePath=") + gameDirectory + QLatin1Char('\n');
}

GameFilePaths gameFilePaths(const QString& gameDirectory)
{
    GameFilePaths paths;
    paths.language = gameDirectory + QStringLiteral("/config/language/language_cn.txt");
    paths.armyType = gameDirectory + QStringLiteral("/config/army/armytype.txt");
    paths.skill = gameDirectory + QStringLiteral("/config/battlefield/skill.txt");
    paths.items = gameDirectory + QStringLiteral("/config/world/items.txt");
    paths.city = gameDirectory + QStringLiteral("/config/world/city.txt");
    paths.storyConfig = gameDirectory + QStringLiteral("/story/storyconfig.xml");
    paths.citySpecialty = gameDirectory + QStringLiteral("/config/world/cityspecialattributes.txt");
    return paths;
}

QString configFilePath(const QString& workingDirectory, const QString& programDirectory, bool inWorkingDirectory,
                       bool besideProgram, bool newBesideProgram)
{
    const bool useProgramDirectory = !inWorkingDirectory && (besideProgram || newBesideProgram);
    return (useProgramDirectory ? programDirectory : workingDirectory) + QStringLiteral("/config.ini");
}
