#include "app/configlocation.h"
#include "app/editorresources.h"
#include "app/mywindow.h"
#include "app/qttranslation.h"
#include "app/widget.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>

int main(int argc, char* argv[])
{
    setUpHighDpi();
    QApplication app(argc, argv);
    installQtTranslation();
    enterConfigDirectory();

    auto* backgroundWindow = new MyWindow;
    backgroundWindow->setObjectName(QStringLiteral("mainUI"));
    auto* windowLayout = new QGridLayout;
    backgroundWindow->setLayout(windowLayout);

    // The window places itself: where it was last time, or centred on the screen the pointer is on.
    Widget window(backgroundWindow, windowLayout);
    window.setWindowIcon(QIcon(QStringLiteral(":/res/seal.png")));
    window.show();
    return app.exec();
}
