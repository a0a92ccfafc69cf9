#pragma once

// Makes the folder of the config.ini in use the working directory, before the editor window is made: the
// window reads ./config.ini and keeps editor.ini and the backup folder beside it. A config.ini in the working
// directory is kept; otherwise the one beside the program is used, and on Windows a first start writes it
// there, so a shortcut with any working directory finds the same file (gamedata/gameconfig.h says the rule).
void enterConfigDirectory();
