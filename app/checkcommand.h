#pragma once

// `gamedata-editor --check [--game DIR]`: checks the game's files without a window and prints one finding a
// line, "FILE:LINE: ID: text". Exit status 0 without findings, 1 with some, 2 when the arguments are wrong or
// the game cannot be read. Without --game, the directory config.ini names.
bool isCheckCommand(int argc, char* argv[]);
int runCheckCommand(int argc, char* argv[]);
