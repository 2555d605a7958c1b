// Catalogue records and the loader of the ingredient file.
#include "katalog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bajty.h"
#include "chyby.h"
#include "cp1250.h"

namespace {

constexpr char kTab = '\t';
constexpr char kKonecSouboru = 0x1A;  // Ctrl-Z
constexpr std::size_t kBlok = 64 * 1024;

char velkePismenoAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Takes the text before the first TAB off the front of rest, with the TAB.
// Returns false, changing nothing, when rest has no TAB.
bool odeberPole(std::string_view& rest, std::string_view& pole)
{
    const char* const konec = rest.data() + rest.size();
    const char* const tab = bajty::Najdi(rest.data(), konec, kTab);
    if (tab == konec)
        return false;
    pole = std::string_view(rest.data(), static_cast<std::size_t>(tab - rest.data()));
    rest.remove_prefix(pole.size() + 1);
    return true;
}

// Reads a leading expansion marker such as "[T]" off the tail.
void prectiZnacku(TPrisada& prisada, std::string_view& rest)
{
    if (rest.size() < 2 || rest[0] != '[')
        return;
    switch (velkePismenoAscii(rest[1])) {
    case '1':
    case 'T':
        prisada.Tribunal = true;
        break;
    case '2':
    case 'B':
        prisada.Bloodmoon = true;
        break;
    default:
        break;
    }
    const auto konec = rest.find(']');
    if (konec != std::string_view::npos)
        rest.remove_prefix(konec + 1);
}

class CteniRadku {
public:
    CteniRadku(int fd, std::string popis) : fd_(fd), popis_(std::move(popis)) {}

    // Next line without its line end, CRs dropped and a Ctrl-Z cut. False at
    // the end of the file. The line stays valid until the next call.
    bool dalsi(std::string_view& radek)
    {
        if (pozice_ == delka_ && !doplnit())
            return false;
        // Most lines lie whole in the block and hold no CR but the one before
        // their LF: they are read in place.
        const char* const zacatek = buffer_ + pozice_;
        const char* const konecBloku = buffer_ + delka_;
        const char* const znak = bajty::NajdiJedenZ(zacatek, konecBloku, '\n', '\r', kKonecSouboru);
        const char* lf = nullptr;
        if (znak != konecBloku && *znak == '\n')
            lf = znak;
        else if (konecBloku - znak >= 2 && znak[0] == '\r' && znak[1] == '\n')
            lf = znak + 1;
        if (lf != nullptr) {
            pozice_ = static_cast<std::size_t>(lf - buffer_) + 1;
            radek = std::string_view(zacatek, static_cast<std::size_t>(znak - zacatek));
            return true;
        }
        if (!dalsiPoZnacich(kopie_))
            return false;
        radek = kopie_;
        return true;
    }

private:
    // The general case: the line copied in runs between CRs, across blocks.
    bool dalsiPoZnacich(std::string& radek)
    {
        radek.clear();
        bool neco = false;
        bool preskakujZbytek = false;
        for (;;) {
            if (pozice_ == delka_ && !doplnit())
                return neco;
            neco = true;
            const char* const zacatek = buffer_ + pozice_;
            const auto* const lf = static_cast<const char*>(std::memchr(zacatek, '\n', delka_ - pozice_));
            const char* const hranice = lf != nullptr ? lf : buffer_ + delka_;
            for (const char* p = zacatek; !preskakujZbytek && p < hranice;) {
                const char* q = p;
                while (q < hranice && *q != '\r' && *q != kKonecSouboru)
                    ++q;
                radek.append(p, q);
                if (q == hranice)
                    break;
                if (*q == kKonecSouboru) {
                    if (radek.empty()) {
                        konec_ = true;
                        pozice_ = delka_;
                        return false;
                    }
                    preskakujZbytek = true;
                }
                p = q + 1;
            }
            if (lf != nullptr) {
                pozice_ = static_cast<std::size_t>(lf - buffer_) + 1;
                return true;
            }
            pozice_ = delka_;
        }
    }

    bool doplnit()
    {
        if (konec_)
            return false;
        ssize_t precteno;
        do {
            precteno = ::read(fd_, buffer_, sizeof buffer_);
        } while (precteno < 0 && errno == EINTR);
        if (precteno < 0)
            throw ChybaCteni(PopisSystemoveChyby(popis_, errno));
        if (precteno == 0) {
            konec_ = true;
            return false;
        }
        pozice_ = 0;
        delka_ = static_cast<std::size_t>(precteno);
        return true;
    }

    int fd_;
    std::string popis_;
    char buffer_[kBlok];
    std::size_t pozice_ = 0;
    std::size_t delka_ = 0;
    bool konec_ = false;
    std::string kopie_;
};

bool existuje(const std::string& cesta)
{
    struct stat info {};
    return ::stat(cesta.c_str(), &info) == 0;
}

class Soubor {
public:
    explicit Soubor(int fd) : fd_(fd) {}
    ~Soubor() { ::close(fd_); }
    Soubor(const Soubor&) = delete;
    Soubor& operator=(const Soubor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

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
    efektPodleJmena_.Vyprazdni();
    odlozene_.clear();
    prvniOdlozena_ = 0;
}

TPrisada& TSeznam::NovaPrisada()
{
    TPrisada& prisada = prisadyUloziste_.Novy();
    Prisady.push_back(&prisada);
    return prisada;
}

TEfekt* TSeznam::PridejEfekt(std::string_view jmeno)
{
    return pridejEfekt(jmeno, TIndexJmen::Hash(jmeno));
}

void TSeznam::PridejEfekty(std::span<const std::string_view> jmena, TEfekt** vysledky)
{
    // The index's memory for a few names is fetched at once; looking them
    // up one after another would wait for each fetch in turn.
    constexpr std::size_t kNajednou = 4;
    std::array<std::uint64_t, kNajednou> hashe{};
    for (std::size_t zacatek = 0; zacatek < jmena.size(); zacatek += kNajednou) {
        const std::size_t pocet = std::min(kNajednou, jmena.size() - zacatek);
        for (std::size_t i = 0; i < pocet; ++i) {
            hashe[i] = TIndexJmen::Hash(jmena[zacatek + i]);
            efektPodleJmena_.Predcti(hashe[i]);
        }
        for (std::size_t i = 0; i < pocet; ++i)
            vysledky[zacatek + i] = pridejEfekt(jmena[zacatek + i], hashe[i]);
    }
}

TEfekt* TSeznam::pridejEfekt(std::string_view jmeno, std::uint64_t hash)
{
    if (jmeno.empty() || Prisady.empty())
        return nullptr;
    std::uint32_t poradi = efektPodleJmena_.Najdi(jmeno, hash);
    if (poradi == TIndexJmen::kZadne)
        poradi = zalozEfekt(jmeno);
    TPrisada* nejnovejsi = Prisady.back();
    if (odkladatOdkazy_) {
        // Counted once per ingredient, as it will be linked.
        OdlozenyEfekt& odlozeny = odlozene_[poradi];
        const auto& sloty = nejnovejsi->Efekty;
        if (std::find(sloty.begin(), sloty.end(), odlozeny.efekt) == sloty.end())
            ++odlozeny.nositelu;
        return odlozeny.efekt;
    }
    TEfekt* efekt = Efekty[poradi];
    // The newest ingredient can only stand at the end of the list.
    if (efekt->Prisady.empty() || efekt->Prisady.back() != nejnovejsi)
        efekt->Prisady.push_back(nejnovejsi);
    return efekt;
}

std::uint32_t TSeznam::zalozEfekt(std::string_view jmeno)
{
    if (Efekty.size() >= TIndexJmen::kZadne)
        throw std::length_error("too many effects");
    const auto poradi = static_cast<std::uint32_t>(Efekty.size());
    TEfekt& novy = efektyUloziste_.Novy();
    novy.Jmeno = texty_.Uloz(jmeno);
    Efekty.push_back(&novy);
    try {
        if (odkladatOdkazy_)
            odlozene_.push_back(OdlozenyEfekt{&novy, 0});
        efektPodleJmena_.Vloz(jmeno, poradi);
    } catch (...) {
        Efekty.pop_back();
        odlozene_.resize(std::min(odlozene_.size(), Efekty.size()));
        throw;
    }
    return poradi;
}

void TSeznam::OdkladejOdkazy()
{
    odkladatOdkazy_ = true;
    odlozene_.clear();
    for (TEfekt* efekt : Efekty)
        odlozene_.push_back(OdlozenyEfekt{efekt, 0});
    prvniOdlozena_ = Prisady.size();
}

void TSeznam::ZapisOdlozeneOdkazy()
{
    odkladatOdkazy_ = false;
    for (const OdlozenyEfekt& odlozeny : odlozene_) {
        if (odlozeny.nositelu > 0)
            odlozeny.efekt->Prisady.reserve(odlozeny.efekt->Prisady.size() + odlozeny.nositelu);
    }
    for (std::size_t i = prvniOdlozena_; i < Prisady.size(); ++i) {
        TPrisada* prisada = Prisady[i];
        const auto& sloty = prisada->Efekty;
        for (auto slot = sloty.begin(); slot != sloty.end(); ++slot) {
            if (*slot != nullptr && std::find(sloty.begin(), slot, *slot) == slot)
                (*slot)->Prisady.push_back(prisada);
        }
    }
    std::vector<OdlozenyEfekt>().swap(odlozene_);
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

void PridejPrisadu(TSeznam& seznam, std::string_view radek)
{
    TPrisada& prisada = seznam.NovaPrisada();
    std::string_view rest = radek;
    std::string_view jmeno;
    if (odeberPole(rest, jmeno))
        prisada.Jmeno = seznam.UlozText(jmeno);
    std::array<std::string_view, 4> efekty;
    std::size_t poli = 0;
    while (poli < efekty.size() && odeberPole(rest, efekty[poli]))
        ++poli;
    seznam.PridejEfekty(std::span(efekty.data(), poli), prisada.Efekty.data());
    prectiZnacku(prisada, rest);
    prisada.Poznamka = seznam.UlozText(rest);
}

void NactiSeznam(std::string_view jmenoSouboru, TSeznam& seznam)
{
    seznam.Vyprazdni();
    std::string cesta = Utf8ZCp1250(jmenoSouboru);
    if (!existuje(cesta)) {
        cesta = std::string(jmenoSouboru);
        if (!existuje(cesta))
            return;
    }
    const std::string popis = "Soubor '" + Utf8ZCp1250(jmenoSouboru) + "'";
    int fd;
    do {
        fd = ::open(cesta.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw ChybaCteni(PopisSystemoveChyby(popis, errno));
    Soubor soubor(fd);
    CteniRadku cteni(soubor.fd(), popis);
    seznam.OdkladejOdkazy();
    try {
        std::string_view radek;
        while (cteni.dalsi(radek)) {
            if (radek.size() >= 2 && radek[0] != '/')
                PridejPrisadu(seznam, radek);
        }
    } catch (...) {
        // What was read so far stays, linked as usual.
        seznam.ZapisOdlozeneOdkazy();
        throw;
    }
    seznam.ZapisOdlozeneOdkazy();
}
