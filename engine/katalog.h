// Catalogue of ingredients and effects, and the rules of one ingredient line.
// Every text is a Windows-1250 byte string, kept exactly as the file gave it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// Storage in which nothing moves or dies while it lives: records are placed
// in blocks that are never reallocated.
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

// Lasting copies of texts, packed into blocks that never move.
class TUlozisteTextu {
public:
    std::string_view Uloz(std::string_view text);

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
    // ingredient to it. An empty name, or no ingredient yet, gives nullptr
    // and changes nothing.
    TEfekt* PridejEfekt(std::string_view jmeno);
    // The effect of exactly this name, or nullptr.
    TEfekt* NajdiEfekt(std::string_view jmeno) const;
    // A copy of the bytes that lives as long as the catalogue.
    std::string_view UlozText(std::string_view text) { return texty_.Uloz(text); }

private:
    TStaleUloziste<TPrisada, 1024> prisadyUloziste_;
    TStaleUloziste<TEfekt, 256> efektyUloziste_;
    TUlozisteTextu texty_;
    // Effects by name: open addressing with linear probing, at most half
    // full, its size a power of two. A slot keeps the name's hash, so that
    // a probe compares names only where the hashes agree.
    struct TMistoIndexu {
        std::uint64_t hash = 0;
        TEfekt* efekt = nullptr;  // nullptr: free
    };
    std::vector<TMistoIndexu> indexEfektu_;
    void zaradDoIndexu(const TMistoIndexu& misto);
};

// "[T] ", "[B] ", "[TB] " or empty.
std::string ZnackaDatadisku(bool tribunal, bool bloodmoon);
std::string ZnackaPrisady(const TPrisada& prisada);

// One ingredient line split into its parts; every part views the line.
struct TPoleRadku {
    std::string_view Jmeno;
    std::array<std::string_view, 4> Efekty{};  // empty: no effect in that slot
    std::string_view Ocas;                     // marker and note, as in the line
    bool Tribunal = false;
    bool Bloodmoon = false;
    std::string_view Poznamka;                 // the tail less its marker
};
TPoleRadku RozdelRadek(std::string_view radek);

// Whether a line (as the loader keeps it) makes an ingredient: two bytes at
// least, and not a comment.
bool JeRadekPrisady(std::string_view radek);

// Appends one ingredient made of one line of the catalogue file.
void PridejPrisadu(TSeznam& seznam, std::string_view radek);
