#pragma once

#include <QStringList>

// The ids in ascending order of their base-10 value; a text that is no number counts as 0, and ids of equal
// value keep their order.
QStringList sortedByNumber(QStringList ids);
