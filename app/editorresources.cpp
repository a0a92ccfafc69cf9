#include "app/editorresources.h"

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
