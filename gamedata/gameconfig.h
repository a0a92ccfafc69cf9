#pragma once

#include <QString>
#include <QStringList>

// The game directory that config.ini names: the text between the first and the second "=" of its first
// line ("GamePath=D:/Games/..." gives "D:/Games/..."). Empty when the first line holds no "=".
QString gameDirectoryFromConfig(const QString& configText);

// The text config.ini is written with for a game directory.
QString configTextFor(const QString& gameDirectory);

// Full paths of the game files, each the game directory followed directly by its suffix.
struct GameFilePaths
{
    QString language;
    QString armyType;
    QString skill;
    QString items;
    QString city;
    QString storyConfig;
    QString citySpecialty;

    // The files that must exist for a directory to count as the game's, in the order they are checked.
    QStringList required() const { return {language, armyType, skill, items, city, storyConfig}; }
};

GameFilePaths gameFilePaths(const QString& gameDirectory);

// Where config.ini is read and written; editor.ini and the backup folder go beside it. A config.ini in the
// working directory is used first, then one beside the program. When there is neither, a new one goes beside
// the program if `newBesideProgram` (on Windows, where the program's folder is the unzipped one the player
// owns and a shortcut may start it anywhere), else into the working directory.
QString configFilePath(const QString& workingDirectory, const QString& programDirectory, bool inWorkingDirectory,
                       bool besideProgram, bool newBesideProgram);
