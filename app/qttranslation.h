#pragma once

// Puts Qt's own texts into Chinese whatever the system's language: the file dialogs, the context menus of line
// edits and spin boxes, the standard buttons. The translation is compiled into the editor. Needs the
// application object; installs it once however often it is called.
void installQtTranslation();
