#include "app/mywindow.h"
#include "app/widget.h"
#include "app/windowplacement.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    auto* backgroundWindow = new MyWindow;
    backgroundWindow->setObjectName(QStringLiteral("mainUI"));
    auto* windowLayout = new QGridLayout;
    backgroundWindow->setLayout(windowLayout);

    Widget window(backgroundWindow, windowLayout);
    window.setWindowIcon(QIcon(QStringLiteral(":/res/setting.png")));
    window.resize(1200, 800);
    window.move(centredPosition(QGuiApplication::primaryScreen()->availableGeometry(), window.size()));
    window.show();
    return app.exec();
}
