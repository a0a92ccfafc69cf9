#pragma once

class QFont;

// Whether the font's lines are of a sensible height for its size: at most twice it. Under Wine without
// Windows' own fonts, the interface font can stand for a mathematics font whose lines are four times their
// size, which makes every row, header and search line of the editor several times too tall.
bool hasReadableLines(const QFont& font);

// Keeps the application's font when its lines are readable; otherwise gives the application the same size in
// the first installed family that writes Chinese and has readable lines, else in the first that has them.
// Call once the application object exists and before any window is built.
void useReadableFont();
