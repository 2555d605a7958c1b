// Catalogue of ingredients and effects, and its loader.
// Every text is a Windows-1250 byte string, kept exactly as the file gave it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "index_jmen.h"

struct TEfekt;

// One ingredient. Slot k of Efekty (k = 1..4) is Efekty[k - 1].
struct TPrisada {
    std::string Jmeno;
    std::string Poznamka;
    bool Tribunal = false;
    bool Bloodmoon = false;
    std::array<TEfekt*, 4> Efekty{};
};

// One effect, with the ingredients that carry it in catalogue order.
struct TEfekt {
    std::string Jmeno;
    std::vector<TPrisada*> Prisady;
};

// The catalogue. It owns its records; a record never moves or dies while the
// catalogue lives, so the pointers in Prisady, Efekty and everywhere else
// stay valid. Emptying only empties the two arrays.
class TSeznam {
public:
    TSeznam() = default;
    TSeznam(const TSeznam&) = delete;
    TSeznam& operator=(const TSeznam&) = delete;

    std::vector<TPrisada*> Prisady;  // file order
    std::vector<TEfekt*> Efekty;     // order of first mention

    void Vyprazdni();
    // Appends an empty ingredient; it becomes the newest one.
    TPrisada& NovaPrisada();
    // Finds or creates the effect of this exact name and links the newest
    // ingredient to it. An empty name gives nullptr and changes nothing.
    TEfekt* PridejEfekt(std::string_view jmeno);

    // Loading a whole file: between these two calls PridejEfekt only notes
    // its links, and ZapisOdlozeneOdkazy adds them to the effects' Prisady
    // in one pass, in the same order. Filling thousands of lists one entry
    // at a time while the file is parsed costs a cache miss per entry.
    void OdkladejOdkazy();
    void ZapisOdlozeneOdkazy();

private:
    std::deque<TPrisada> prisadyUloziste_;
    std::deque<TEfekt> efektyUloziste_;

    TIndexJmen efektPodleJmena_;  // number: place in Efekty
    void propoj(TEfekt& efekt, std::uint32_t poradi);

    // Links noted while loading: ingredient and effect, by place in
    // Prisady and Efekty.
    struct Odkaz {
        std::uint32_t prisada;
        std::uint32_t efekt;
    };
    bool odkladatOdkazy_ = false;
    std::vector<Odkaz> odlozeneOdkazy_;
    std::size_t odkazyNejnovejsi_ = 0;  // first noted link of the newest ingredient
};

// "[T] ", "[B] ", "[TB] " or empty.
std::string ZnackaDatadisku(bool tribunal, bool bloodmoon);
std::string ZnackaPrisady(const TPrisada& prisada);

// Appends one ingredient made of one line of the catalogue file.
void PridejPrisadu(TSeznam& seznam, std::string_view radek);

// Loads a catalogue file. The name is Windows-1250 text; it is looked up as
// UTF-8 first, then as the raw bytes. A missing file leaves the catalogue
// empty. A file that exists but cannot be read throws ChybaCteni, and what
// was read so far stays in the catalogue.
void NactiSeznam(std::string_view jmenoSouboru, TSeznam& seznam);
