// Warnings about what a catalogue author most likely got wrong.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "nacitani.h"

// UTF-8 warnings ordered by line, each beginning with "řádek N: ". radky[k]
// must be the line of seznam.Prisady[k].
std::vector<std::string> Zkontroluj(const TSeznam& seznam, const std::vector<TRadekSouboru>& radky);
