// Search for every potion of up to four ingredients that has the effects a
// player wants and none that the player avoids.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "hledani.h"
#include "katalog.h"
#include "lektvar.h"

struct TZadaniHledani {
    std::vector<const TEfekt*> Chtene;    // wanted effects
    std::vector<const TEfekt*> Zakazane;  // avoided effects
    TZarazeni Zarazeni;
    bool JenZeZasob = false;                     // only ingredients in Zasoby
    std::unordered_set<const TPrisada*> Zasoby;  // the player's stock
    std::size_t NejvicePrisad = 4;               // 2 to 4
};

// Where the search stops rather than freeze: the work it does (sets looked
// at and slot orders brewed) and the number of potions it finds. Vypsat:
// how many of the first potions the result spells out; the others are only
// counted, so they cost no memory.
struct TMezHledani {
    std::size_t Prace = 4'000'000;
    std::size_t Nalezenych = 4'000'000;
    std::size_t Vypsat = static_cast<std::size_t>(-1);
};

struct TNalezenyLektvar {
    TLektvar Lektvar;                     // slots 1..n in slot order, computed
    std::array<std::uint32_t, 4> Pozice{};  // catalogue positions of slots 1..n
    std::uint8_t PocetPrisad = 0;
    std::uint8_t PocetEfektu = 0;
};

struct TVysledekHledani {
    std::vector<TNalezenyLektvar> Lektvary;  // the first ones, in display order
    std::size_t Celkem = 0;                   // all found
    bool Uplny = true;                        // false: the limit stopped it
};

// The found potions: qualifying sets of 2 to NejvicePrisad candidates with no
// qualifying subset of two or more. A set qualifies when some order of its
// ingredients in the slots brews a potion with every wanted effect and no
// avoided one; its slot order is the first such order in lexicographic order
// of catalogue positions. Fewer ingredients first, then fewer effects, then
// the slot order's positions.
TVysledekHledani HledejLektvary(const TSeznam& seznam, const TZadaniHledani& zadani, TMezHledani mez = {});

// "Lektvary s efekty A + B (12)", "... (více než 12)", or "Hledání lektvarů"
// when nothing is wanted.
std::string NadpisHledani(const std::vector<const TEfekt*>& chtene, std::size_t pocet, bool uplny);
// "[T] A + B + C => E1 + E2": the expansion mark, the slots, the effects.
std::string TextNalezeneho(const TNalezenyLektvar& lektvar);
