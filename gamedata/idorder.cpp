#include "gamedata/idorder.h"

#include <algorithm>

QStringList sortedByNumber(QStringList ids)
{
    std::stable_sort(ids.begin(), ids.end(),
                     [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
    return ids;
}
