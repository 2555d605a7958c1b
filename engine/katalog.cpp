// Catalogue records and the rules of one ingredient line.
#include "katalog.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "chyby.h"
#include "cp1250.h"

namespace {

constexpr char kTab = '\t';

// Reads a leading expansion marker such as "[T]" off the tail.
void prectiZnacku(TPoleRadku& pole, std::string_view& rest)
{
    if (rest.size() < 2 || rest[0] != '[')
        return;
    switch (VelkePismenoAscii(rest[1])) {
    case '1':
    case 'T':
        pole.Tribunal = true;
        break;
    case '2':
    case 'B':
        pole.Bloodmoon = true;
        break;
    default:
        break;
    }
    const auto konec = rest.find(']');
    if (konec != std::string_view::npos)
        rest.remove_prefix(konec + 1);
}

// Takes the text before the rest's first TAB off the rest; false, leaving
// the rest alone, when it has no TAB.
bool vezmiPole(std::string_view& rest, std::string_view& pole)
{
    const auto tab = rest.find(kTab);
    if (tab == std::string_view::npos)
        return false;
    pole = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    return true;
}

// Eight bytes a step, mixed by a multiply. The last step reads the name's
// last eight bytes (overlapping the step before) and a shorter name is read
// in two overlapping halves, so that no name costs a loop over its bytes.
// Reading through memcpy keeps it exact on any machine; the order of bytes
// in a word only changes which hash a name gets.
template <class TSlovo>
TSlovo slovoNa(const char* znaky)
{
    TSlovo slovo;
    std::memcpy(&slovo, znaky, sizeof slovo);
    return slovo;
}

std::uint64_t hashJmena(std::string_view jmeno)
{
    constexpr std::uint64_t kNasobitel = 0x9E3779B97F4A7C15ULL;
    const std::size_t delka = jmeno.size();
    const char* const znaky = jmeno.data();
    std::uint64_t hash = (delka + 1) * kNasobitel;
    const auto pridej = [&hash](std::uint64_t slovo) {
        hash = (hash ^ slovo) * kNasobitel;
        hash ^= hash >> 29;
    };
    if (delka >= 8) {
        for (std::size_t i = 0; i + 8 < delka; i += 8)
            pridej(slovoNa<std::uint64_t>(znaky + i));
        pridej(slovoNa<std::uint64_t>(znaky + delka - 8));
    } else if (delka >= 4) {
        pridej((std::uint64_t{slovoNa<std::uint32_t>(znaky)} << 32) | slovoNa<std::uint32_t>(znaky + delka - 4));
    } else if (delka > 0) {
        const auto bajt = [znaky](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(znaky[i])}; };
        pridej((bajt(0) << 16) | (bajt(delka / 2) << 8) | bajt(delka - 1));
    }
    return hash ^ (hash >> 32);
}

} // namespace

std::string PopisSystemoveChyby(const std::string& co, int cisloChyby)
{
    return co + ": " + std::strerror(cisloChyby);
}

std::string_view TUlozisteTextu::Uloz(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > kBlok / 4) {
        // A long text gets a block of its own; the current one stays in use.
        char* const kopie = dlouhe_.emplace_back(std::make_unique_for_overwrite<char[]>(text.size())).get();
        std::memcpy(kopie, text.data(), text.size());
        return {kopie, text.size()};
    }
    if (text.size() > volnych_) {
        bloky_.push_back(std::make_unique_for_overwrite<char[]>(kBlok));
        volne_ = bloky_.back().get();
        volnych_ = kBlok;
    }
    char* const kopie = volne_;
    std::memcpy(kopie, text.data(), text.size());
    volne_ += text.size();
    volnych_ -= text.size();
    return {kopie, text.size()};
}

void TSeznam::Vyprazdni()
{
    Prisady.clear();
    Efekty.clear();
    indexEfektu_.clear();
}

TPrisada& TSeznam::NovaPrisada()
{
    TPrisada& prisada = prisadyUloziste_.Novy();
    Prisady.push_back(&prisada);
    return prisada;
}

TEfekt* TSeznam::NajdiEfekt(std::string_view jmeno) const
{
    if (indexEfektu_.empty())
        return nullptr;
    const std::uint64_t hash = hashJmena(jmeno);
    const std::size_t maska = indexEfektu_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & maska; indexEfektu_[i].efekt != nullptr; i = (i + 1) & maska) {
        if (indexEfektu_[i].hash == hash && indexEfektu_[i].efekt->Jmeno == jmeno)
            return indexEfektu_[i].efekt;
    }
    return nullptr;
}

void TSeznam::zaradDoIndexu(const TMistoIndexu& misto)
{
    const std::size_t maska = indexEfektu_.size() - 1;
    std::size_t i = static_cast<std::size_t>(misto.hash) & maska;
    while (indexEfektu_[i].efekt != nullptr)
        i = (i + 1) & maska;
    indexEfektu_[i] = misto;
}

TEfekt* TSeznam::PridejEfekt(std::string_view jmeno)
{
    if (jmeno.empty() || Prisady.empty())
        return nullptr;
    TPrisada* const nejnovejsi = Prisady.back();
    TEfekt* efekt = NajdiEfekt(jmeno);
    if (efekt == nullptr) {
        if (2 * (Efekty.size() + 1) > indexEfektu_.size()) {
            // Room first, so that nothing below can fail half done.
            std::vector<TMistoIndexu> stary(std::max<std::size_t>(64, 2 * indexEfektu_.size()));
            stary.swap(indexEfektu_);
            for (const TMistoIndexu& misto : stary)
                if (misto.efekt != nullptr)
                    zaradDoIndexu(misto);
        }
        efekt = &efektyUloziste_.Novy();
        efekt->Jmeno = texty_.Uloz(jmeno);
        efekt->Prisady.reserve(1);
        Efekty.push_back(efekt);
        zaradDoIndexu({hashJmena(jmeno), efekt});
    }
    // The newest ingredient can only stand at the end of the list.
    if (efekt->Prisady.empty() || efekt->Prisady.back() != nejnovejsi)
        efekt->Prisady.push_back(nejnovejsi);
    return efekt;
}

std::string ZnackaDatadisku(bool tribunal, bool bloodmoon)
{
    std::string pismena;
    if (tribunal)
        pismena += 'T';
    if (bloodmoon)
        pismena += 'B';
    return pismena.empty() ? pismena : "[" + pismena + "] ";
}

std::string ZnackaPrisady(const TPrisada& prisada)
{
    return ZnackaDatadisku(prisada.Tribunal, prisada.Bloodmoon);
}

TPoleRadku RozdelRadek(std::string_view radek)
{
    TPoleRadku pole;
    std::string_view rest = radek;
    if (vezmiPole(rest, pole.Jmeno)) {
        for (std::string_view& efekt : pole.Efekty)
            if (!vezmiPole(rest, efekt))
                break;
    }
    pole.Ocas = rest;
    prectiZnacku(pole, rest);
    pole.Poznamka = rest;
    return pole;
}

bool JeRadekPrisady(std::string_view radek)
{
    return radek.size() >= 2 && radek[0] != '/';
}

void PridejPrisadu(TSeznam& seznam, std::string_view radek)
{
    const TPoleRadku pole = RozdelRadek(radek);
    TPrisada& prisada = seznam.NovaPrisada();
    prisada.Jmeno = seznam.UlozText(pole.Jmeno);
    prisada.Poznamka = seznam.UlozText(pole.Poznamka);
    prisada.Tribunal = pole.Tribunal;
    prisada.Bloodmoon = pole.Bloodmoon;
    for (std::size_t k = 0; k < pole.Efekty.size(); ++k)
        prisada.Efekty[k] = seznam.PridejEfekt(pole.Efekty[k]);
}
