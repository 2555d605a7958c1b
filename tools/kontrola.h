// Warnings about what a catalogue author most likely got wrong.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "katalog.h"

// A line the loader turns into an ingredient, with its 1-based number in the file.
struct TRadekSouboru {
    std::size_t Cislo = 0;
    std::string Text;
};

// The ingredient lines of a file's contents, cut by the loader's rules, so
// that line k belongs to ingredient k of the loaded catalogue.
std::vector<TRadekSouboru> RadkyPrisad(std::string_view obsah);

// UTF-8 warnings ordered by line, each beginning with "řádek N: ". radky[k]
// must be the line of seznam.Prisady[k].
std::vector<std::string> Zkontroluj(const TSeznam& seznam, const std::vector<TRadekSouboru>& radky);
