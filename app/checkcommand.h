#pragma once

#include <QStringList>

class QTextStream;

// `gamedata-editor --check [--game DIR]`: checks the game's files and prints one finding a line, "FILE:LINE: ID:
// text". Exit status 0 without findings, 1 with some, 2 when the arguments are wrong or the game cannot be read.
// Without --game, the directory config.ini names. `arguments` are those behind "--check".
int runCheck(const QStringList& arguments, QTextStream& out, QTextStream& err);
