// Names to numbers: the catalogue's lookup of effects by exact name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An open-addressing table tuned for many lookups of short names. A probe
// reads one byte per slot from a small array of tags (seven bits of the
// hash), and only a matching tag leads to the slot's key, which holds names
// of up to 24 bytes in place: a lookup touches two or three cache lines.
class TIndexJmen {
public:
    static constexpr std::uint32_t kZadne = UINT32_MAX;

    // The number stored under exactly this name, or kZadne.
    std::uint32_t Najdi(std::string_view jmeno) const { return Najdi(jmeno, Hash(jmeno)); }

    // A lookup in two steps, so that the memory of several lookups can be
    // fetched at once: Predcti starts fetching what Najdi will read.
    static std::uint64_t Hash(std::string_view jmeno);
    void Predcti(std::uint64_t hash) const;
    std::uint32_t Najdi(std::string_view jmeno, std::uint64_t hash) const;
    // Stores a name that is not in the index yet.
    void Vloz(std::string_view jmeno, std::uint32_t cislo);
    void Vyprazdni();
    std::size_t Pocet() const { return pocet_; }

private:
    static constexpr std::size_t kVMiste = 24;
    static constexpr std::size_t kZacatekDlouheho = 16;
    struct Klic {
        std::uint32_t cislo;
        std::uint32_t delka;
        // The name when it fits. A longer name keeps its first 16 bytes here
        // and, in the last 8, where its remaining bytes lie in dlouha_.
        std::array<char, kVMiste> bajty;
    };
    static_assert(sizeof(Klic) == 32);

    static constexpr std::uint8_t kVolny = 0;
    std::vector<std::uint8_t> znacky_;  // kVolny, or 0x80 | seven bits of the hash
    std::vector<Klic> klice_;
    std::string dlouha_;
    std::size_t pocet_ = 0;

    bool klicJe(const Klic& klic, std::string_view jmeno) const;
    Klic novyKlic(std::string_view jmeno, std::uint32_t cislo);
    std::string jmenoKlice(const Klic& klic) const;
    void zvetsi();
    void vlozDoVolneho(std::uint64_t hash, const Klic& klic);
};
