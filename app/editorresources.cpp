#include "app/editorresources.h"

#include <QGuiApplication>
#include <QtGlobal>

static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void initEditorResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

void setApplicationAttributes()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // No widget here draws with OpenGL. Without this the first window would be made able to, and choosing its
    // OpenGL configuration loads the graphics driver: on Linux that takes longer than building the whole window.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // Scales such as 125 % and 150 % are used as they are: rounded, the window would come out too small or
    // too large, and Qt draws text and the "@2x" pictures sharp at any scale.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}
