// Positions of catalogue records, for output that refers to them by index.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

template <typename T>
std::unordered_map<const T*, std::size_t> Indexy(const std::vector<T*>& zaznamy)
{
    std::unordered_map<const T*, std::size_t> indexy;
    for (std::size_t i = 0; i < zaznamy.size(); ++i)
        indexy.emplace(zaznamy[i], i);
    return indexy;
}
