#include "app/checkcommand.h"

#include "app/configlocation.h"
#include "document/gamedocument.h"
#include "document/gamehealth.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A windowed program has no console of its own: print into the one it was started from, unless the output
// already goes to a file or pipe.
void useParentConsole()
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

void printLine(FILE* stream, const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

bool isCheckCommand(int argc, char* argv[])
{
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--check") == 0)
            return true;
    }
    return false;
}

int runCheckCommand(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    useParentConsole();
    QStringList arguments = app.arguments().mid(1);
    arguments.removeOne(QStringLiteral("--check"));
    QString gameDirectory;
    if (arguments.size() == 2 && arguments.first() == QLatin1String("--game")) {
        gameDirectory = QFileInfo(arguments.at(1)).absoluteFilePath();
    } else if (!arguments.isEmpty()) {
        printLine(stderr, QStringLiteral("用法: gamedata-editor --check [--game 游戏目录]"));
        return 2;
    } else {
        enterConfigDirectory();
        gameDirectory = GameDocument().configuredGameDirectory();
    }

    const QString missing = GameDocument::missingGameFile(gameDirectory);
    if (gameDirectory.isEmpty() || !missing.isEmpty()) {
        printLine(stderr, gameDirectory.isEmpty()
                              ? QStringLiteral("config.ini 没有指定游戏目录")
                              : QStringLiteral("游戏目录中缺少 %1").arg(QDir::toNativeSeparators(missing)));
        return 2;
    }
    const std::optional<QVector<HealthFinding>> findings = checkGameDirectory(gameDirectory);
    if (!findings) {
        printLine(stderr, QStringLiteral("无法读取游戏文件: %1").arg(QDir::toNativeSeparators(gameDirectory)));
        return 2;
    }
    for (const HealthFinding& finding : *findings)
        printLine(stdout, findingLine(finding));
    std::fflush(stdout);
    return findings->isEmpty() ? 0 : 1;
}
