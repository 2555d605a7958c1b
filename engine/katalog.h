// Catalogue of ingredients and effects, and its loader.
// Every text is a Windows-1250 byte string, kept exactly as the file gave it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index_jmen.h"

struct TEfekt;

// Texts of records are views of bytes that the catalogue owns (or of string
// literals, for records made by hand): as long-lived as the records.

// One ingredient. Slot k of Efekty (k = 1..4) is Efekty[k - 1].
struct TPrisada {
    std::string_view Jmeno;
    std::string_view Poznamka;
    bool Tribunal = false;
    bool Bloodmoon = false;
    std::array<TEfekt*, 4> Efekty{};
};

// One effect, with the ingredients that carry it in catalogue order.
struct TEfekt {
    std::string_view Jmeno;
    std::vector<TPrisada*> Prisady;
};

// Storage in which nothing moves or dies while it lives: records and texts
// are placed in blocks that are never reallocated.
template <class T, std::size_t kVBloku>
class TStaleUloziste {
public:
    T& Novy()
    {
        if (bloky_.empty() || volnych_ == 0) {
            bloky_.push_back(std::make_unique<T[]>(kVBloku));
            volnych_ = kVBloku;
        }
        return bloky_.back()[kVBloku - volnych_--];
    }

private:
    std::vector<std::unique_ptr<T[]>> bloky_;
    std::size_t volnych_ = 0;
};

class TUlozisteTextu {
public:
    // A lasting copy of the bytes.
    std::string_view Uloz(std::string_view text);
    // The same, reading up to kPresahKopie bytes from the text's start,
    // which must be readable even past its end.
    static constexpr std::size_t kPresahKopie = 64;
    std::string_view UlozSPresahem(std::string_view text);

private:
    static constexpr std::size_t kBlok = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> bloky_;
    std::vector<std::unique_ptr<char[]>> dlouhe_;
    char* volne_ = nullptr;
    std::size_t volnych_ = 0;
};

// The catalogue. It owns its records and their texts; a record never moves
// or dies while the catalogue lives, so the pointers in Prisady, Efekty and
// everywhere else stay valid. Emptying only empties the two arrays.
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
    // Slots 1, 2, ... of an ingredient become PridejEfekt of the names, in
    // turn. The names are prepared first, which starts fetching the index's
    // memory for all of them; other work can go on meanwhile. Preparing
    // reads whole words, up to TIndexJmen::kPresah bytes past each name's
    // end: that memory must be readable. The ingredient is given by its
    // place in Prisady; outside loading, it must be the newest one.
    struct TJmenaEfektu {
        std::array<TJmenoKHledani, 4> jmena;  // missing ones empty
    };
    void PripravJmenaEfektuSPresahem(std::span<const std::string_view> jmena, TJmenaEfektu& pripravena) const;
    void NastavEfekty(std::size_t prisada, const TJmenaEfektu& pripravena);
    // A copy of the bytes that lives as long as the catalogue.
    // The bytes are read in blocks: see TUlozisteTextu::UlozSPresahem.
    std::string_view UlozTextSPresahem(std::string_view text) { return texty_.UlozSPresahem(text); }

    // Loading a whole file. Between these two calls the effects' lists of
    // carriers of new ingredients are filled only by ZapisOdlozeneOdkazy,
    // each list grown once, in catalogue order. Filling thousands of
    // lists an entry at a time while the file is parsed costs a cache miss
    // per entry.
    // odhadPrisad: how many ingredients are expected, to make room at once.
    void OdkladejOdkazy(std::size_t odhadPrisad = 0);
    void ZapisOdlozeneOdkazy();

private:
    TStaleUloziste<TPrisada, 1024> prisadyUloziste_;
    TStaleUloziste<TEfekt, 256> efektyUloziste_;
    TUlozisteTextu texty_;

    TIndexJmen efektPodleJmena_;  // number: place in Efekty
    std::uint32_t najdiNeboZaloz(const TJmenoKHledani& jmeno);
    void pripojNejnovejsi(TEfekt& efekt);

    // While links wait: the first ingredient added since, and for it and
    // every later one the links to make, per slot: one more than the place
    // in Efekty of the effect, or kBezOdkazu for an empty slot or an effect
    // of an earlier slot.
    static constexpr std::uint32_t kBezOdkazu = 0;
    using OdlozeneOdkazy = std::array<std::uint32_t, 4>;
    bool odkladatOdkazy_ = false;
    std::size_t prvniOdlozena_ = 0;
    std::vector<OdlozeneOdkazy> odlozeneOdkazy_;
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
