// The potion finder's answers as pairs alone: a line's text is made from its
// pair when it is asked for, so a listing of millions of potions costs the
// pairs and nothing more. Texts and order are those of LektvaryZPrisady and
// LektvarySEfektem.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hledani.h"

enum class TDruhVypisu { ZPrisady, SEfektem };

struct TNalezene {
    std::string Nadpis;
    TDruhVypisu Druh = TDruhVypisu::SEfektem;
    std::vector<TDvojice> Dvojice;
};

TNalezene NalezeneZPrisady(TPrisada& prisada, TZarazeni zarazeni);
TNalezene NalezeneSEfektem(const TEfekt& efekt, TZarazeni zarazeni, bool jenTento);

// The line that the finder gives a pair of a search of this kind, or its
// first `nejvic` bytes: a name may be enormous, and the beginning is all a
// list can show.
std::string TextDvojice(TDruhVypisu druh, TDvojice dvojice, std::size_t nejvic = std::string::npos);

// Appends as much of `cast` as keeps `text` within `nejvic` bytes.
void PripojNejvic(std::string& text, std::string_view cast, std::size_t nejvic);
