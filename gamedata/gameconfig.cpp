#include "gamedata/gameconfig.h"

#include <QTextCodec>

namespace {

const QByteArray pathKey = QByteArrayLiteral("GamePath=");

struct Line
{
    int begin = -1;
    int end = -1; // before its line end
};

// The first line that starts with "GamePath=", if there is one.
Line gamePathLine(const QByteArray& config, int textStart)
{
    for (int begin = textStart; begin < config.size();) {
        int next = config.indexOf('\n', begin);
        next = next < 0 ? config.size() : next + 1;
        if (config.mid(begin, pathKey.size()) == pathKey) {
            int end = next;
            while (end > begin && (config.at(end - 1) == '\n' || config.at(end - 1) == '\r'))
                --end;
            return {begin, end};
        }
        begin = next;
    }
    return {};
}

// A UTF-8 byte-order mark in front of the first line is no part of it.
int textStart(const QByteArray& config)
{
    return config.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

} // namespace

QString gameDirectoryFromConfig(const QByteArray& config)
{
    const int start = textStart(config);
    Line line = gamePathLine(config, start);
    if (line.begin < 0) {
        line.begin = start;
        line.end = config.indexOf('\n', start);
        if (line.end < 0)
            line.end = config.size();
        // A config.ini written on Windows ends its line with CR LF.
        if (line.end > start && config.at(line.end - 1) == '\r')
            --line.end;
    }
    const QByteArray bytes = config.mid(line.begin, line.end - line.begin);
    const int equals = bytes.indexOf('=');
    if (equals < 0)
        return QString();
    // The path is the editor's own UTF-8, or the Chinese of a system that wrote the file in its code page.
    const QByteArray path = bytes.mid(equals + 1);
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForMib(106)->toUnicode(path.constData(), path.size(), &state);
    return state.invalidChars == 0 ? text : QTextCodec::codecForName("GB18030")->toUnicode(path);
}

QByteArray configWithGameDirectory(const QByteArray& config, const QString& gameDirectory)
{
    const QByteArray line = pathKey + gameDirectory.toUtf8();
    const Line found = gamePathLine(config, textStart(config));
    if (found.begin >= 0 && config.mid(found.end).trimmed().isEmpty() && found.begin == textStart(config))
        return line + '\n';
    if (found.begin >= 0)
        return QByteArray(config).replace(found.begin, found.end - found.begin, line);
    if (config.trimmed().isEmpty())
        return line + '\n';
    return QByteArray(config).insert(textStart(config), line + (config.contains("\r\n") ? "\r\n" : "\n"));
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
