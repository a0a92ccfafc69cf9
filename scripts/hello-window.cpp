// The yardstick of scripts/startup-bench: a Qt hello-world, one label in a 1200 x 760 window.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Hello"));
    label.setWindowTitle(QStringLiteral("hello-window"));
    label.resize(1200, 760);
    label.show();
    return app.exec();
}
