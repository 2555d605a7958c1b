// Catalogue of ingredients and effects, and its loader.
// Every text is a Windows-1250 byte string, kept exactly as the file gave it.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

private:
    std::deque<TPrisada> prisadyUloziste_;
    std::deque<TEfekt> efektyUloziste_;
    // Effects by name, open addressing in one contiguous array (a power of
    // two long, at most half full): a lookup touches one or two cache lines
    // instead of a chain of scattered nodes.
    struct SlotEfektu {
        std::size_t hash = 0;
        TEfekt* efekt = nullptr;  // nullptr: free slot
    };
    std::vector<SlotEfektu> efektPodleJmena_;
    std::size_t pocetVTabulce_ = 0;
    void zvetsiTabulku();
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
