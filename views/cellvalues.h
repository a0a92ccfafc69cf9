#pragma once

#include <QString>

// A statistic or range the game files can hold: a run of one to nine decimal digits.
bool isStatisticValue(const QString& text);
