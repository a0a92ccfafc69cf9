#include "app/configlocation.h"

#include "gamedata/gameconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void enterConfigDirectory()
{
    const QString working = QDir::currentPath();
    const QString program = QCoreApplication::applicationDirPath();
    const auto hasConfig = [](const QString& folder) {
        return QFileInfo(folder + QStringLiteral("/config.ini")).isFile();
    };
#ifdef Q_OS_WIN
    const bool newBesideProgram = true;
#else
    const bool newBesideProgram = false;
#endif
    const QString config = configFilePath(working, program, hasConfig(working), hasConfig(program), newBesideProgram);
    QDir::setCurrent(QFileInfo(config).absolutePath());
}
