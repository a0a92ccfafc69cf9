#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The game directory that config.ini names: everything behind the first "=" of its first line that starts with
// "GamePath=", or else of its first line ("GamePath=D:/Games/a=b" gives "D:/Games/a=b"). Empty when that line
// holds no "=". The path is read as UTF-8, or as GB18030 when it is no valid UTF-8.
QString gameDirectoryFromConfig(const QByteArray& config);

// config.ini naming the game directory: its "GamePath=" line rewritten, or added as the first line where there is
// none, and every other byte kept, so that a config.ini another program shares keeps its settings. A file that
// holds only that line, or nothing, becomes the one line "GamePath=<directory>" and a line feed.
QByteArray configWithGameDirectory(const QByteArray& config, const QString& gameDirectory);

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
