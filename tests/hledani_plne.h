// The search for potions by effects as a plain enumeration: every set of
// candidates, every slot order, the brewing rule, every subset.
#pragma once

#include <cstdint>
#include <vector>

#include "hledani_efektu.h"

struct TPlny {
    std::vector<std::uint32_t> pozice;  // catalogue positions in slot order
    std::size_t efektu = 0;
};

std::vector<TPlny> PlneHledani(const TSeznam& seznam, const TZadaniHledani& zadani);
