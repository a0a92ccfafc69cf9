#include "app/commandline.h"
#include "app/configlocation.h"
#include "app/editorresources.h"
#include "app/mainwindow.h"
#include "app/qttranslation.h"
#include "document/gamedocument.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    if (isCommandLine(argc, argv))
        return runCommandLine(argc, argv);
    setApplicationAttributes();
    QApplication app(argc, argv);
    installQtTranslation();
    enterConfigDirectory();

    // The document outlives the window: a value still being typed at shutdown has somewhere to go.
    GameDocument document;
    // The window places itself: where it was last time, or centred on the screen the pointer is on.
    MainWindow window(&document);
    window.setWindowIcon(QIcon(QStringLiteral(":/res/seal.png")));
    window.show();
    return app.exec();
}
