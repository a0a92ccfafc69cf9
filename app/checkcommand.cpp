#include "app/checkcommand.h"

#include "app/configlocation.h"
#include "document/gamedocument.h"
#include "document/gamehealth.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int runCheck(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString gameDirectory;
    if (arguments.size() == 2 && arguments.first() == QLatin1String("--game")) {
        gameDirectory = QFileInfo(arguments.at(1)).absoluteFilePath();
    } else if (!arguments.isEmpty()) {
        err << QStringLiteral("用法: gamedata-editor --check [--game 游戏目录]\n");
        return 2;
    } else {
        enterConfigDirectory();
        gameDirectory = GameDocument().configuredGameDirectory();
    }

    const QString missing = GameDocument::missingGameFile(gameDirectory);
    if (gameDirectory.isEmpty() || !missing.isEmpty()) {
        err << (gameDirectory.isEmpty() ? QStringLiteral("config.ini 没有指定游戏目录")
                                        : QStringLiteral("游戏目录中缺少 %1").arg(QDir::toNativeSeparators(missing)))
            << '\n';
        return 2;
    }
    const std::optional<QVector<HealthFinding>> findings = checkGameDirectory(gameDirectory);
    if (!findings) {
        err << QStringLiteral("无法读取游戏文件: %1").arg(QDir::toNativeSeparators(gameDirectory)) << '\n';
        return 2;
    }
    for (const HealthFinding& finding : *findings)
        out << findingLine(finding) << '\n';
    return findings->isEmpty() ? 0 : 1;
}
