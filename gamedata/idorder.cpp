#include "gamedata/idorder.h"

#include <algorithm>
#include <utility>
#include <vector>

QStringList sortedByNumber(QStringList ids)
{
    std::vector<std::pair<qlonglong, int>> keys;
    keys.reserve(size_t(ids.size()));
    for (int k = 0; k < ids.size(); ++k)
        keys.emplace_back(ids.at(k).toLongLong(nullptr, 10), k);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(ids.size());
    for (const auto& key : keys)
        sorted += ids.at(key.second);
    return sorted;
}
