#include "index_jmen.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::uint64_t kSemeno = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kPrvni = 0xA0761D6478BD642FULL;
constexpr std::uint64_t kDruhe = 0xE7037ED1A0B428DBULL;

std::uint64_t nacti64(const char* p)
{
    std::uint64_t slovo;
    std::memcpy(&slovo, p, sizeof slovo);
    return slovo;
}

std::uint64_t nacti32(const char* p)
{
    std::uint32_t slovo;
    std::memcpy(&slovo, p, sizeof slovo);
    return slovo;
}

std::uint64_t bajt(const char* p, std::size_t i)
{
    return static_cast<unsigned char>(p[i]);
}

// Multiplies to 128 bits and folds the halves: one instruction that mixes
// every input bit into the result.
std::uint64_t slozSoucin(std::uint64_t a, std::uint64_t b)
{
    __extension__ using Dvojslovo = unsigned __int128;
    const Dvojslovo soucin = static_cast<Dvojslovo>(a) * b;
    return static_cast<std::uint64_t>(soucin) ^ static_cast<std::uint64_t>(soucin >> 64);
}

// Short names, the usual case, are read with two overlapping loads and no
// loop; longer ones sixteen bytes at a time. Every byte counts, so names that
// differ only in the middle never share a hash by construction.
std::uint64_t hashJmena(std::string_view jmeno)
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
bool stejnychNejvys24(const char* x, const char* y, std::size_t n)
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

std::uint8_t znacka(std::uint64_t hash)
{
    return static_cast<std::uint8_t>(0x80 | (hash >> 57));
}

} // namespace

bool TIndexJmen::klicJe(const Klic& klic, std::string_view jmeno) const
{
    if (klic.delka != jmeno.size())
        return false;
    if (jmeno.size() <= kVMiste)
        return stejnychNejvys24(klic.bajty.data(), jmeno.data(), jmeno.size());
    std::uint64_t kdeZbytek;
    std::memcpy(&kdeZbytek, klic.bajty.data() + kZacatekDlouheho, sizeof kdeZbytek);
    return std::memcmp(klic.bajty.data(), jmeno.data(), kZacatekDlouheho) == 0 &&
           std::memcmp(dlouha_.data() + kdeZbytek, jmeno.data() + kZacatekDlouheho,
                       jmeno.size() - kZacatekDlouheho) == 0;
}

std::uint64_t TIndexJmen::Hash(std::string_view jmeno)
{
    return hashJmena(jmeno);
}

void TIndexJmen::Predcti(std::uint64_t hash) const
{
    if (pocet_ == 0)
        return;
    const std::size_t i = hash & (znacky_.size() - 1);
    __builtin_prefetch(&znacky_[i]);
    __builtin_prefetch(&klice_[i]);
}

std::uint32_t TIndexJmen::Najdi(std::string_view jmeno, std::uint64_t hash) const
{
    if (pocet_ == 0)
        return kZadne;
    const std::uint8_t hledana = znacka(hash);
    const std::size_t maska = znacky_.size() - 1;
    for (std::size_t i = hash & maska; znacky_[i] != kVolny; i = (i + 1) & maska) {
        if (znacky_[i] == hledana && klicJe(klice_[i], jmeno))
            return klice_[i].cislo;
    }
    return kZadne;
}

TIndexJmen::Klic TIndexJmen::novyKlic(std::string_view jmeno, std::uint32_t cislo)
{
    Klic klic{cislo, static_cast<std::uint32_t>(jmeno.size()), {}};
    if (jmeno.size() <= kVMiste) {
        std::memcpy(klic.bajty.data(), jmeno.data(), jmeno.size());
        return klic;
    }
    const std::uint64_t kdeZbytek = dlouha_.size();
    dlouha_.append(jmeno.substr(kZacatekDlouheho));
    std::memcpy(klic.bajty.data(), jmeno.data(), kZacatekDlouheho);
    std::memcpy(klic.bajty.data() + kZacatekDlouheho, &kdeZbytek, sizeof kdeZbytek);
    return klic;
}

std::string TIndexJmen::jmenoKlice(const Klic& klic) const
{
    if (klic.delka <= kVMiste)
        return std::string(klic.bajty.data(), klic.delka);
    std::uint64_t kdeZbytek;
    std::memcpy(&kdeZbytek, klic.bajty.data() + kZacatekDlouheho, sizeof kdeZbytek);
    std::string jmeno(klic.bajty.data(), kZacatekDlouheho);
    jmeno.append(dlouha_, kdeZbytek, klic.delka - kZacatekDlouheho);
    return jmeno;
}

void TIndexJmen::vlozDoVolneho(std::uint64_t hash, const Klic& klic)
{
    const std::size_t maska = znacky_.size() - 1;
    std::size_t i = hash & maska;
    while (znacky_[i] != kVolny)
        i = (i + 1) & maska;
    znacky_[i] = znacka(hash);
    klice_[i] = klic;
}

void TIndexJmen::zvetsi()
{
    const std::size_t novaDelka = std::max<std::size_t>(64, 2 * znacky_.size());
    std::vector<std::uint8_t> stareZnacky = std::exchange(znacky_, std::vector<std::uint8_t>(novaDelka, kVolny));
    std::vector<Klic> stareKlice = std::exchange(klice_, std::vector<Klic>(novaDelka));
    for (std::size_t i = 0; i < stareZnacky.size(); ++i) {
        if (stareZnacky[i] == kVolny)
            continue;
        const Klic& klic = stareKlice[i];
        vlozDoVolneho(hashJmena(jmenoKlice(klic)), klic);
    }
}

void TIndexJmen::Vloz(std::string_view jmeno, std::uint32_t cislo)
{
    if (jmeno.size() > UINT32_MAX)
        throw std::length_error("name too long for the index");
    // At most three quarters full: tags keep the longer probes cheap.
    if (4 * (pocet_ + 1) > 3 * znacky_.size())
        zvetsi();
    vlozDoVolneho(hashJmena(jmeno), novyKlic(jmeno, cislo));
    ++pocet_;
}

void TIndexJmen::Vyprazdni()
{
    znacky_.clear();
    klice_.clear();
    dlouha_.clear();
    pocet_ = 0;
}
