// What the potion finders share: pairs, admissibility, shared effects and the
// order of list lines. The two-ingredient finder itself is in nalezene.h.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "katalog.h"

// A two-ingredient potion.
struct TDvojice {
    TPrisada* Prvni = nullptr;
    TPrisada* Druha = nullptr;
};

// Which expansions the search admits.
struct TZarazeni {
    bool Tribunal = true;
    bool Bloodmoon = true;
};

bool PrisadaPripustna(const TPrisada& prisada, TZarazeni zarazeni);

unsigned PocetSpolecnych(const TPrisada& prvni, const TPrisada& druha);
std::string SpolecneEfekty(const TPrisada& prvni, const TPrisada& druha);

// Sort key of a list line: ASCII letters in capitals, a leading mark and a
// leading "+ " dropped. Keys compare as unsigned bytes (std::string does).
std::string KlicRazeni(std::string_view text);

// Stable ascending sort by KlicRazeni, keys computed once per element.
// textOf(element) gives the element's text.
template <typename T, typename TextOf>
void SeradPodleKlice(std::vector<T>& polozky, TextOf textOf)
{
    std::vector<std::pair<std::string, std::size_t>> klice;
    klice.reserve(polozky.size());
    for (std::size_t i = 0; i < polozky.size(); ++i)
        klice.emplace_back(KlicRazeni(textOf(polozky[i])), i);
    std::stable_sort(klice.begin(), klice.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<T> serazene;
    serazene.reserve(polozky.size());
    for (auto& [klic, index] : klice)
        serazene.push_back(std::move(polozky[index]));
    polozky = std::move(serazene);
}
