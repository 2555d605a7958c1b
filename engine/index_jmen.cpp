#include "index_jmen.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

using index_jmen_detail::hashJmena;
using index_jmen_detail::znacka;

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
