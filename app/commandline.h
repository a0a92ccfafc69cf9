#pragma once

#include <QStringList>

// The editor's work without a window, for modders' scripts and installers:
//   gamedata-editor --diff BASE_DIR CHANGED_DIR --output FILE
//   gamedata-editor --apply FILE [--game DIR] [--dry-run]
//   gamedata-editor --check [--game DIR]
// Exit status 0 when everything went through, 1 when some change was not made, 2 when a file could not be
// read or written or the arguments are wrong.

class QTextStream;

// Whether the arguments ask for a command rather than the window.
bool isCommandLine(int argc, char* argv[]);
// Runs the command the arguments name, with a core application and no widget; gives the exit status.
int runCommandLine(int argc, char* argv[]);
// Runs the command the arguments (the program's name left out) name, printing to the streams.
int runCommand(QStringList arguments, QTextStream& out, QTextStream& err);
