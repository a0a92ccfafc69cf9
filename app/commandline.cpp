#include "app/commandline.h"

#include "app/checkcommand.h"
#include "app/configlocation.h"
#include "document/changesetapply.h"
#include "document/gamedocument.h"
#include "gamedata/backups.h"
#include "gamedata/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr int allDone = 0;
constexpr int someNotDone = 1;
constexpr int failed = 2;

struct Output
{
    QTextStream& out;
    QTextStream& err;
};

// The value behind an option ("--game DIR"), removed with the option from the arguments; empty without it.
QString takeOption(QStringList& arguments, const QString& option)
{
    const int at = arguments.indexOf(option);
    if (at < 0 || at + 1 >= arguments.size())
        return QString();
    const QString value = arguments.at(at + 1);
    arguments.erase(arguments.begin() + at, arguments.begin() + at + 2);
    return value;
}

bool takeFlag(QStringList& arguments, const QString& flag)
{
    return arguments.removeAll(flag) > 0;
}

int usage(Output& io)
{
    io.err << "usage: gamedata-editor --diff BASE_DIR CHANGED_DIR --output FILE\n"
              "       gamedata-editor --apply FILE [--game DIR] [--dry-run]\n"
              "       gamedata-editor --check [--game DIR]\n";
    return failed;
}

int runDiff(QStringList arguments, Output& io)
{
    const QString output = takeOption(arguments, QStringLiteral("--output"));
    if (arguments.size() != 2 || output.isEmpty())
        return usage(io);
    const QString base = QDir::cleanPath(QFileInfo(arguments.at(0)).absoluteFilePath());
    const QString changed = QDir::cleanPath(QFileInfo(arguments.at(1)).absoluteFilePath());
    // The base may be a backup folder, which holds only the files a run saved.
    const QString missing = QFileInfo(base).isDir() ? GameDocument::missingGameFile(changed) : base;
    if (!missing.isEmpty()) {
        io.err << QDir::toNativeSeparators(missing) << QStringLiteral(": 无法读取\n");
        return failed;
    }
    const QString text = writeChangeSet(diffGames(base, changed), QStringLiteral(EDITOR_VERSION));
    if (!writeTextFile(output, text, WriteMode::MayCreate)) {
        io.err << output << QStringLiteral(": 无法写入\n");
        return failed;
    }
    return allDone;
}

int runApply(QStringList arguments, Output& io)
{
    const bool dryRun = takeFlag(arguments, QStringLiteral("--dry-run"));
    QString game = takeOption(arguments, QStringLiteral("--game"));
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return usage(io);
    const QString changeSetPath = arguments.first();
    if (!game.isEmpty())
        game = QDir::cleanPath(QFileInfo(game).absoluteFilePath());

    QFile file(changeSetPath);
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << changeSetPath << QStringLiteral(": 无法读取\n");
        return failed;
    }
    const ChangeSet set = readChangeSet(file.readAll());
    if (!set.error.isEmpty()) {
        io.err << changeSetPath << ": " << set.error << "\n";
        return failed;
    }

    // config.ini names the game, and the backup folder goes beside it, as for the window.
    const QString workingDirectory = QDir::currentPath();
    enterConfigDirectory();
    if (game.isEmpty())
        game = GameDocument(QStringLiteral("./config.ini")).configuredGameDirectory();
    const QString backupRoot = QDir::currentPath() + QStringLiteral("/backup");
    QDir::setCurrent(workingDirectory);
    if (!GameDocument::holdsGame(game)) {
        io.err << QDir::toNativeSeparators(game) << QStringLiteral(": 不是游戏目录\n");
        return failed;
    }

    BackupSession backups(backupRoot, game);
    const ChangeSetApplication result = applyChangeSet(game, set.changes, dryRun ? nullptr : &backups);
    for (int i = 0; i < set.changes.size(); ++i) {
        const ChangeStatus status = result.checks.at(i).status;
        if (status != ChangeStatus::Ready && status != ChangeStatus::AlreadyMade)
            io.out << changeSetPath << ':' << set.changes.at(i).line << ": " << set.changes.at(i).id << ": "
                   << changeStatusText(status) << '\n';
    }
    for (const QString& failedFile : result.failedFiles)
        io.err << failedFile << QStringLiteral(": 无法写入\n");
    if (!result.failedFiles.isEmpty())
        return failed;
    return result.complete() ? allDone : someNotDone;
}

// The commands by their option; one more command is one more row.
struct Command
{
    const char* option;
    int (*run)(QStringList arguments, Output& io);
};
const Command commands[] = {
    {"--diff", runDiff},
    {"--apply", runApply},
    {"--check",
     [](QStringList arguments, Output& io) {
         return runCheck(arguments, io.out, io.err);
     }},
};

const Command* commandOf(const QStringList& arguments)
{
    for (const Command& command : commands) {
        if (arguments.contains(QLatin1String(command.option)))
            return &command;
    }
    return nullptr;
}

// The program is built for the window; a command prints to the console it was started from, unless its output
// already goes to a file or a pipe (a script's "> out.txt"), which the console must not take over.
void attachToConsole()
{
#ifdef Q_OS_WIN
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((output == nullptr || output == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
#endif
}

} // namespace

bool isCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return commandOf(arguments) != nullptr;
}

int runCommand(QStringList arguments, QTextStream& out, QTextStream& err)
{
    const Command* command = commandOf(arguments);
    if (!command)
        return failed;
    arguments.removeOne(QLatin1String(command->option));
    Output io{out, err};
    return command->run(arguments, io);
}

int runCommandLine(int argc, char* argv[])
{
    attachToConsole();
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    return runCommand(QCoreApplication::arguments().mid(1), out, err);
}
