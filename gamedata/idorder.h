#pragma once

#include <QStringList>

// Ids in ascending order of their base-10 value; a text that does not convert counts as 0. Ids of equal
// value keep their order.
QStringList sortedByNumber(QStringList ids);
