// Names to numbers: the catalogue's lookup of effects by exact name.
#pragma once

#include <array>
#include <cstring>
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

// The lookup is inlined into the loader's loop: it runs for every field.
namespace index_jmen_detail {


constexpr std::uint64_t kSemeno = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kPrvni = 0xA0761D6478BD642FULL;
constexpr std::uint64_t kDruhe = 0xE7037ED1A0B428DBULL;

inline std::uint64_t nacti64(const char* p)
{
    std::uint64_t slovo;
    std::memcpy(&slovo, p, sizeof slovo);
    return slovo;
}

inline std::uint64_t nacti32(const char* p)
{
    std::uint32_t slovo;
    std::memcpy(&slovo, p, sizeof slovo);
    return slovo;
}

inline std::uint64_t bajt(const char* p, std::size_t i)
{
    return static_cast<unsigned char>(p[i]);
}

// Multiplies to 128 bits and folds the halves: one instruction that mixes
// every input bit into the result.
inline std::uint64_t slozSoucin(std::uint64_t a, std::uint64_t b)
{
    __extension__ using Dvojslovo = unsigned __int128;
    const Dvojslovo soucin = static_cast<Dvojslovo>(a) * b;
    return static_cast<std::uint64_t>(soucin) ^ static_cast<std::uint64_t>(soucin >> 64);
}

// Short names, the usual case, are read with two overlapping loads and no
// loop; longer ones sixteen bytes at a time. Every byte counts, so names that
// differ only in the middle do not collide by construction.
inline std::uint64_t hashJmena(std::string_view jmeno)
{
    const char* const p = jmeno.data();
    const std::size_t n = jmeno.size();
    std::uint64_t h = kSemeno ^ (n * kPrvni);
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (n >= 8 && n <= 16) {
        a = nacti64(p);
        b = nacti64(p + n - 8);
    } else if (n > 16) {
        const char* q = p;
        for (std::size_t zbyva = n; zbyva > 16; zbyva -= 16, q += 16)
            h = slozSoucin(nacti64(q) ^ kPrvni, nacti64(q + 8) ^ h);
        a = nacti64(p + n - 16);
        b = nacti64(p + n - 8);
    } else if (n >= 4) {
        a = nacti32(p);
        b = nacti32(p + n - 4);
    } else if (n > 0) {
        a = (bajt(p, 0) << 16) | (bajt(p, n / 2) << 8) | bajt(p, n - 1);
    }
    return slozSoucin(a ^ kPrvni ^ h, b ^ kDruhe) ^ h;
}

// Compares the first n bytes of two texts, n at most 24, with whole-word
// loads that stay within the n bytes.
inline bool stejnychNejvys24(const char* x, const char* y, std::size_t n)
{
    if (n >= 8) {
        std::uint64_t rozdil = (nacti64(x) ^ nacti64(y)) | (nacti64(x + n - 8) ^ nacti64(y + n - 8));
        if (n > 16)
            rozdil |= nacti64(x + 8) ^ nacti64(y + 8);
        return rozdil == 0;
    }
    if (n >= 4)
        return ((nacti32(x) ^ nacti32(y)) | (nacti32(x + n - 4) ^ nacti32(y + n - 4))) == 0;
    // With at most three bytes, the first, middle and last are all of them.
    return n == 0 || (x[0] == y[0] && x[n / 2] == y[n / 2] && x[n - 1] == y[n - 1]);
}

inline std::uint8_t znacka(std::uint64_t hash)
{
    return static_cast<std::uint8_t>(0x80 | (hash >> 57));
}

} // namespace index_jmen_detail


inline bool TIndexJmen::klicJe(const Klic& klic, std::string_view jmeno) const
{
    if (klic.delka != jmeno.size())
        return false;
    if (jmeno.size() <= kVMiste)
        return index_jmen_detail::stejnychNejvys24(klic.bajty.data(), jmeno.data(), jmeno.size());
    std::uint64_t kdeZbytek;
    std::memcpy(&kdeZbytek, klic.bajty.data() + kZacatekDlouheho, sizeof kdeZbytek);
    return std::memcmp(klic.bajty.data(), jmeno.data(), kZacatekDlouheho) == 0 &&
           std::memcmp(dlouha_.data() + kdeZbytek, jmeno.data() + kZacatekDlouheho,
                       jmeno.size() - kZacatekDlouheho) == 0;
}

inline std::uint64_t TIndexJmen::Hash(std::string_view jmeno)
{
    return index_jmen_detail::hashJmena(jmeno);
}

inline void TIndexJmen::Predcti(std::uint64_t hash) const
{
    if (pocet_ == 0)
        return;
    const std::size_t i = hash & (znacky_.size() - 1);
    __builtin_prefetch(&znacky_[i]);
    __builtin_prefetch(&klice_[i]);
}

inline std::uint32_t TIndexJmen::Najdi(std::string_view jmeno, std::uint64_t hash) const
{
    if (pocet_ == 0)
        return kZadne;
    const std::uint8_t hledana = index_jmen_detail::znacka(hash);
    const std::size_t maska = znacky_.size() - 1;
    for (std::size_t i = hash & maska; znacky_[i] != kVolny; i = (i + 1) & maska) {
        if (znacky_[i] == hledana && klicJe(klice_[i], jmeno))
            return klice_[i].cislo;
    }
    return kZadne;
}

