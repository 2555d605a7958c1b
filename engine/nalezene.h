// The two-ingredient potion finder, for the window and the inspector alike.
// It answers with pairs alone: a line's text is made from its pair when it is
// asked for, so a listing of millions of potions costs the pairs and nothing
// more.
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

// Every admissible partner that shares an effect with an admissible
// ingredient, once, in the order of KlicRazeni of the lines (stable: as met
// through the ingredient's slots and each effect's carriers); of lines whose
// texts differ only in letter case, the first. Nothing for an ingredient that
// is not admissible.
TNalezene NalezeneZPrisady(TPrisada& prisada, TZarazeni zarazeni);
// Every pair of the effect's admissible carriers, in the carriers' order; with
// jenTento only the pairs that share no other effect.
TNalezene NalezeneSEfektem(const TEfekt& efekt, TZarazeni zarazeni, bool jenTento);

// The line of a pair found by a search of this kind, or its first `nejvic`
// bytes (a name may be enormous, and the beginning is all a list can show).
// The pair's expansion mark, then from an ingredient "+ ", the partner's name,
// " => " and the shared effects; with an effect the two names joined by
// " + ", and " => " with the shared effects when they share more than one.
std::string TextDvojice(TDruhVypisu druh, TDvojice dvojice, std::size_t nejvic = std::string::npos);

// Appends as much of `cast` as keeps `text` within `nejvic` bytes.
void PripojNejvic(std::string& text, std::string_view cast, std::size_t nejvic);
