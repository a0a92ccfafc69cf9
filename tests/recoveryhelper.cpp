// Edits a game and then waits to be killed: tst_recovery recovers what it left behind.
//   recovery-helper CONFIG_INI RECOVERY_FILE
#include "document/gamedocument.h"
#include "document/recovery.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    GameDocument document(arguments.value(1));
    if (!document.open(document.configuredGameDirectory()) || document.openStory(2) != GameDocument::StoryOpen::Done)
        return 2;
    RecoveryFile recovery(&document, arguments.value(2));
    document.changeFields({{{RecordKind::ArmyType, QStringLiteral("1"), 2}, QStringLiteral("77")},
                           {{RecordKind::Skill, QStringLiteral("301"), 2}, QStringLiteral("5")}},
                          QStringLiteral("edit"));
    // Says so once the recovery file is there, without a save or a clean quit.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QFile::exists(recovery.path())) {
            std::puts("ready");
            std::fflush(stdout);
            poll.stop();
        }
    });
    poll.start(20);
    return app.exec();
}
