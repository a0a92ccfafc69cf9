#include "app/qttranslation.h"

#include <QCoreApplication>
#include <QTranslator>

static void registerTranslations()
{
    Q_INIT_RESOURCE(qt_translations);
}

void installQtTranslation()
{
    static bool installed = false;
    if (installed)
        return;
    registerTranslations();
    auto* translator = new QTranslator(QCoreApplication::instance());
    installed = translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) &&
                QCoreApplication::installTranslator(translator);
    if (!installed)
        delete translator;
}
