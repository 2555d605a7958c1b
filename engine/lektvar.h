// A potion of up to four ingredients and the rule that gives its effects.
#pragma once

#include <array>

#include "katalog.h"

struct TEfektLektvaru {
    TEfekt* Efekt = nullptr;
    std::array<bool, 4> ZPrisady{};  // flag k = slot k + 1 gives the effect
};

struct TLektvar {
    bool Tribunal = false;
    bool Bloodmoon = false;
    std::array<TPrisada*, 4> Prisady{};
    std::array<TEfektLektvaru, 4> Efekty{};
};

// Fills Tribunal, Bloodmoon and Efekty from the ingredient slots.
void SpocitejLektvar(TLektvar& lektvar);
