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

void setUpHighDpi()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Scales such as 125 % and 150 % are used as they are: rounded, the window would come out too small or
    // too large, and Qt draws text and the "@2x" pictures sharp at any scale.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}
