#include "index_jmen.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

using index_jmen_detail::nacti64;
using index_jmen_detail::dopocitejHash;


TJmenoKHledani TIndexJmen::Priprav(std::string_view jmeno)
{
    TJmenoKHledani k;  // every member is set below
    k.jmeno = jmeno;
    char bajty[kVMiste] = {};
    if (!jmeno.empty())
        std::memcpy(bajty, jmeno.data(), std::min(jmeno.size(), kVMiste));
    for (std::size_t i = 0; i < k.slova.size(); ++i)
        k.slova[i] = nacti64(bajty + 8 * i);
    dopocitejHash(k);
    return k;
}

std::string TIndexJmen::jmenoKlice(const Klic& klic) const
{
    char bajty[kVMiste];
    std::memcpy(bajty, klic.slova.data(), sizeof bajty);
    if (klic.delka <= kVMiste)
        return std::string(bajty, klic.delka);
    std::string jmeno(bajty, kZacatekDlouheho);
    jmeno.append(dlouha_, klic.slova[2], klic.delka - kZacatekDlouheho);
    return jmeno;
}

void TIndexJmen::vlozDoVolneho(std::uint8_t znackaKlice, std::uint64_t hash, const Klic& klic)
{
    const std::size_t maska = pocetSlotu_ - 1;
    std::size_t i = hash & maska;
    while (znacky_[i] != kVolny)
        i = (i + 1) & maska;
    znacky_[i] = znackaKlice;
    if (i < kSkupina)
        znacky_[pocetSlotu_ + i] = znackaKlice;
    klice_[i] = klic;
}

void TIndexJmen::zvetsi()
{
    const std::size_t novySlotu = std::max<std::size_t>(64, 2 * pocetSlotu_);
    const std::size_t starych = pocetSlotu_;
    std::vector<std::uint8_t> stareZnacky =
        std::exchange(znacky_, std::vector<std::uint8_t>(novySlotu + kSkupina, kVolny));
    std::vector<Klic> stareKlice = std::exchange(klice_, std::vector<Klic>(novySlotu));
    pocetSlotu_ = novySlotu;
    for (std::size_t i = 0; i < starych; ++i) {
        if (stareZnacky[i] == kVolny)
            continue;
        const Klic& klic = stareKlice[i];
        const std::uint64_t hash = Priprav(jmenoKlice(klic)).hash;
        vlozDoVolneho(znacka(hash), hash, klic);
    }
}

void TIndexJmen::Vloz(std::string_view jmeno, std::uint32_t cislo)
{
    if (jmeno.size() > UINT32_MAX)
        throw std::length_error("name too long for the index");
    // At most three quarters full, so that every probe meets a free slot.
    if (4 * (pocet_ + 1) > 3 * pocetSlotu_)
        zvetsi();
    const TJmenoKHledani k = Priprav(jmeno);
    Klic klic{cislo, static_cast<std::uint32_t>(jmeno.size()), k.slova};
    if (jmeno.size() > kVMiste) {
        klic.slova[2] = dlouha_.size();
        dlouha_.append(jmeno.substr(kZacatekDlouheho));
    }
    vlozDoVolneho(znacka(k.hash), k.hash, klic);
    ++pocet_;
}

void TIndexJmen::Vyprazdni()
{
    znacky_.clear();
    klice_.clear();
    dlouha_.clear();
    pocetSlotu_ = 0;
    pocet_ = 0;
}
