// Catalogue records and the loader of the ingredient file.
#include "katalog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const auto tab = rest.find(kTab);
    if (tab == std::string_view::npos)
        return false;
    pole = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
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
        const auto* const lf = static_cast<const char*>(std::memchr(zacatek, '\n', delka_ - pozice_));
        if (lf != nullptr) {
            const char* konec = lf;
            if (konec > zacatek && konec[-1] == '\r')
                --konec;
            const auto delka = static_cast<std::size_t>(konec - zacatek);
            if (std::memchr(zacatek, '\r', delka) == nullptr && std::memchr(zacatek, kKonecSouboru, delka) == nullptr) {
                pozice_ = static_cast<std::size_t>(lf - buffer_) + 1;
                radek = std::string_view(zacatek, delka);
                return true;
            }
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

void TSeznam::Vyprazdni()
{
    Prisady.clear();
    Efekty.clear();
    efektPodleJmena_.Vyprazdni();
    odlozeneOdkazy_.clear();
    odkazyNejnovejsi_ = 0;
}

TPrisada& TSeznam::NovaPrisada()
{
    TPrisada& prisada = prisadyUloziste_.emplace_back();
    Prisady.push_back(&prisada);
    odkazyNejnovejsi_ = odlozeneOdkazy_.size();
    return prisada;
}

void TSeznam::propoj(TEfekt& efekt, std::uint32_t poradi)
{
    TPrisada* nejnovejsi = Prisady.back();
    if (!odkladatOdkazy_) {
        // The newest ingredient can only stand at the end of the list.
        if (efekt.Prisady.empty() || efekt.Prisady.back() != nejnovejsi)
            efekt.Prisady.push_back(nejnovejsi);
        return;
    }
    for (std::size_t i = odkazyNejnovejsi_; i < odlozeneOdkazy_.size(); ++i) {
        if (odlozeneOdkazy_[i].efekt == poradi)
            return;
    }
    if (Prisady.size() > UINT32_MAX)
        throw std::length_error("too many ingredients");
    odlozeneOdkazy_.push_back(Odkaz{static_cast<std::uint32_t>(Prisady.size() - 1), poradi});
}

TEfekt* TSeznam::PridejEfekt(std::string_view jmeno)
{
    if (jmeno.empty() || Prisady.empty())
        return nullptr;
    std::uint32_t poradi = efektPodleJmena_.Najdi(jmeno);
    if (poradi == TIndexJmen::kZadne) {
        if (Efekty.size() >= TIndexJmen::kZadne)
            throw std::length_error("too many effects");
        poradi = static_cast<std::uint32_t>(Efekty.size());
        TEfekt& novy = efektyUloziste_.emplace_back();
        novy.Jmeno = std::string(jmeno);
        Efekty.push_back(&novy);
        try {
            efektPodleJmena_.Vloz(jmeno, poradi);
        } catch (...) {
            Efekty.pop_back();
            throw;
        }
    }
    TEfekt& efekt = *Efekty[poradi];
    propoj(efekt, poradi);
    return &efekt;
}

void TSeznam::OdkladejOdkazy()
{
    odkladatOdkazy_ = true;
    odlozeneOdkazy_.clear();
    odkazyNejnovejsi_ = 0;
}

void TSeznam::ZapisOdlozeneOdkazy()
{
    odkladatOdkazy_ = false;
    // Each list grows once, to its final length, and is then filled in the
    // order the links were noted: catalogue order.
    std::vector<std::size_t> pocty(Efekty.size());
    for (const Odkaz& odkaz : odlozeneOdkazy_)
        ++pocty[odkaz.efekt];
    std::vector<TPrisada**> dalsiMisto(Efekty.size());
    for (std::size_t e = 0; e < Efekty.size(); ++e) {
        if (pocty[e] == 0)
            continue;
        std::vector<TPrisada*>& prisady = Efekty[e]->Prisady;
        const std::size_t puvodne = prisady.size();
        prisady.resize(puvodne + pocty[e]);
        dalsiMisto[e] = prisady.data() + puvodne;
    }
    for (const Odkaz& odkaz : odlozeneOdkazy_)
        *dalsiMisto[odkaz.efekt]++ = Prisady[odkaz.prisada];
    std::vector<Odkaz>().swap(odlozeneOdkazy_);
    odkazyNejnovejsi_ = 0;
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
    std::string_view pole;
    if (odeberPole(rest, pole))
        prisada.Jmeno = std::string(pole);
    for (TEfekt*& slot : prisada.Efekty) {
        if (!odeberPole(rest, pole))
            break;
        slot = seznam.PridejEfekt(pole);
    }
    prectiZnacku(prisada, rest);
    prisada.Poznamka = std::string(rest);
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
