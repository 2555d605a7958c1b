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
#include "soubory.h"

namespace {

constexpr char kTab = '\t';
constexpr char kKonecSouboru = 0x1A;  // Ctrl-Z
constexpr std::size_t kBlok = 64 * 1024;
// Readable bytes past the end of every line the reader gives: fields and
// names are read in whole words and blocks.
constexpr std::size_t kPresahRadku =
    std::max({bajty::kPresahVyskytu, TIndexJmen::kPresah, TUlozisteTextu::kPresahKopie});

char velkePismenoAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
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
    // the end of the file. The line stays valid until the next call, and
    // kPresahRadku bytes past its end are readable.
    bool dalsi(std::string_view& radek)
    {
        if (pozice_ == delka_ && !doplnit())
            return false;
        if (dalsiVBloku(radek))
            return true;
        if (!dalsiPoZnacich(kopie_))
            return false;
        const std::size_t delka = kopie_.size();
        kopie_.append(kPresahRadku, '\0');
        radek = std::string_view(kopie_.data(), delka);
        return true;
    }

    // The next line if it lies whole in the current block and holds no CR
    // but the one before its LF, as most lines do. It is read in place and
    // stays valid until the block is refilled, that is, while dalsiVBloku
    // goes on succeeding.
    bool dalsiVBloku(std::string_view& radek)
    {
        const char* const zacatek = buffer_ + pozice_;
        const char* const konecBloku = buffer_ + delka_;
        const char* const znak = bajty::NajdiJedenZSPresahem(zacatek, konecBloku, '\n', '\r', kKonecSouboru);
        const char* lf = nullptr;
        if (znak != konecBloku && *znak == '\n')
            lf = znak;
        else if (konecBloku - znak >= 2 && znak[0] == '\r' && znak[1] == '\n')
            lf = znak + 1;
        if (lf == nullptr)
            return false;
        pozice_ = static_cast<std::size_t>(lf - buffer_) + 1;
        radek = std::string_view(zacatek, static_cast<std::size_t>(znak - zacatek));
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
    char buffer_[kBlok + kPresahRadku] = {};
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

// A modest guess at the number of ingredient lines, from the file's size:
// typical lines are longer, and the arrays still grow past it if need be.
std::size_t odhadPrisad(int fd)
{
    constexpr std::size_t kBajtuNaRadek = 64;
    constexpr std::size_t kNejvys = std::size_t{1} << 20;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(info.st_size) / kBajtuNaRadek, kNejvys);
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

std::string_view TUlozisteTextu::UlozSPresahem(std::string_view text)
{
    // A short text is copied as one block of fixed length, which compiles to
    // a few vector moves instead of a call; the bytes past its end are
    // overwritten by the next text.
    if (text.size() <= kPresahKopie && volnych_ >= kPresahKopie) {
        char* const kopie = volne_;
        std::memcpy(kopie, text.data(), kPresahKopie);
        volne_ += text.size();
        volnych_ -= text.size();
        return {kopie, text.size()};
    }
    return Uloz(text);
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
    odlozeneOdkazy_.clear();
    prvniOdlozena_ = 0;
}

TPrisada& TSeznam::NovaPrisada()
{
    if (odkladatOdkazy_)
        odlozeneOdkazy_.emplace_back();
    TPrisada& prisada = prisadyUloziste_.Novy();
    Prisady.push_back(&prisada);
    return prisada;
}

std::uint32_t TSeznam::najdiNeboZaloz(const TJmenoKHledani& hledane)
{
    const std::uint32_t nalezeny = efektPodleJmena_.Najdi(hledane);
    const std::string_view jmeno = hledane.jmeno;
    if (nalezeny != TIndexJmen::kZadne)
        return nalezeny;
    if (Efekty.size() >= TIndexJmen::kZadne)
        throw std::length_error("too many effects");
    const auto poradi = static_cast<std::uint32_t>(Efekty.size());
    TEfekt& novy = efektyUloziste_.Novy();
    novy.Jmeno = texty_.Uloz(jmeno);
    Efekty.push_back(&novy);
    try {
        efektPodleJmena_.Vloz(jmeno, poradi);
    } catch (...) {
        Efekty.pop_back();
        throw;
    }
    return poradi;
}

void TSeznam::pripojNejnovejsi(TEfekt& efekt)
{
    // The newest ingredient can only stand at the end of the list.
    TPrisada* nejnovejsi = Prisady.back();
    if (efekt.Prisady.empty() || efekt.Prisady.back() != nejnovejsi)
        efekt.Prisady.push_back(nejnovejsi);
}

TEfekt* TSeznam::PridejEfekt(std::string_view jmeno)
{
    if (jmeno.empty() || Prisady.empty())
        return nullptr;
    TEfekt& efekt = *Efekty[najdiNeboZaloz(TIndexJmen::Priprav(jmeno))];
    pripojNejnovejsi(efekt);
    return &efekt;
}

void TSeznam::PripravJmenaEfektuSPresahem(std::span<const std::string_view> jmena, TJmenaEfektu& pripravena) const
{
    // All four are prepared, missing ones as empty names: a loop of fixed
    // length costs no mispredicted exit.
    static constexpr char kNic[TIndexJmen::kPresah] = {};
    const std::size_t pocet = std::min(jmena.size(), pripravena.jmena.size());
    for (std::size_t k = 0; k < pripravena.jmena.size(); ++k) {
        const std::string_view jmeno = k < pocet ? jmena[k] : std::string_view(kNic, 0);
        pripravena.jmena[k] = TIndexJmen::PripravSPresahem(jmeno);
        efektPodleJmena_.Predcti(pripravena.jmena[k]);
    }
}

void TSeznam::NastavEfekty(std::size_t prisada, const TJmenaEfektu& pripravena)
{
    TPrisada& cil = *Prisady.at(prisada);
    for (std::size_t k = 0; k < pripravena.jmena.size(); ++k) {
        if (pripravena.jmena[k].jmeno.empty())
            continue;
        const std::uint32_t poradi = najdiNeboZaloz(pripravena.jmena[k]);
        TEfekt* const efekt = Efekty[poradi];
        if (!odkladatOdkazy_) {
            cil.Efekty[k] = efekt;
            pripojNejnovejsi(*efekt);
            continue;
        }
        // An effect named twice by one ingredient lists it once. Later slots
        // are still empty; the test has no branch, as repeats are rare and
        // unpredictable.
        const auto& sloty = cil.Efekty;
        const auto stejny = [efekt](const TEfekt* slot) { return static_cast<unsigned>(slot == efekt); };
        const unsigned opakovany = stejny(sloty[0]) | stejny(sloty[1]) | stejny(sloty[2]) | stejny(sloty[3]);
        odlozeneOdkazy_[prisada - prvniOdlozena_][k] = opakovany != 0 ? kBezOdkazu : poradi + 1;
        cil.Efekty[k] = efekt;
    }
}

void TSeznam::OdkladejOdkazy(std::size_t odhadPrisad)
{
    odkladatOdkazy_ = true;
    prvniOdlozena_ = Prisady.size();
    odlozeneOdkazy_.clear();
    // Growing by doubling would copy these arrays and fault in fresh pages
    // several times over while a large file loads.
    Prisady.reserve(Prisady.size() + odhadPrisad);
    odlozeneOdkazy_.reserve(odhadPrisad);
}

void TSeznam::ZapisOdlozeneOdkazy()
{
    odkladatOdkazy_ = false;
    // Entry 0 stands for "no link"; its count and its target are thrown
    // away, so that the loops below need no branch per slot.
    std::vector<std::size_t> nositelu(Efekty.size() + 1);
    for (const OdlozeneOdkazy& odkazy : odlozeneOdkazy_) {
        for (const std::uint32_t odkaz : odkazy)
            ++nositelu[odkaz];
    }
    TPrisada* zahozeny = nullptr;
    std::vector<TPrisada**> dalsiMisto(Efekty.size() + 1, &zahozeny);
    for (std::size_t e = 0; e < Efekty.size(); ++e) {
        std::vector<TPrisada*>& prisady = Efekty[e]->Prisady;
        const std::size_t puvodne = prisady.size();
        prisady.resize(puvodne + nositelu[e + 1]);
        dalsiMisto[e + 1] = prisady.data() + puvodne;
    }
    for (std::size_t i = 0; i < odlozeneOdkazy_.size(); ++i) {
        TPrisada* prisada = Prisady[prvniOdlozena_ + i];
        for (const std::uint32_t odkaz : odlozeneOdkazy_[i]) {
            TPrisada** const misto = dalsiMisto[odkaz];
            *misto = prisada;
            dalsiMisto[odkaz] = misto + (odkaz != kBezOdkazu ? 1 : 0);
        }
    }
    std::vector<OdlozeneOdkazy>().swap(odlozeneOdkazy_);
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

namespace {

// An ingredient made of one line, all but its effects: their names are
// made ready for the index, whose memory starts coming meanwhile. The line
// must have kPresahRadku readable bytes past its end.
void pripravPrisadu(TSeznam& seznam, std::string_view radek, TSeznam::TJmenaEfektu& jmenaEfektu)
{
    TPrisada& prisada = seznam.NovaPrisada();
    // The name's TAB and those of the four effect fields; the rest is the tail.
    std::size_t tabulatory[2 * (1 + 4)];
    const std::size_t tabulatoru = bajty::PrvniVyskytySPresahem<1 + 4>(radek.data(), radek.size(), kTab, tabulatory);
    std::string_view rest = radek;
    std::array<std::string_view, 4> efekty;
    if (tabulatoru > 0) {
        for (std::size_t k = 1; k < tabulatoru; ++k)
            efekty[k - 1] = radek.substr(tabulatory[k - 1] + 1, tabulatory[k] - tabulatory[k - 1] - 1);
        rest.remove_prefix(tabulatory[tabulatoru - 1] + 1);
    }
    seznam.PripravJmenaEfektuSPresahem(std::span(efekty.data(), tabulatoru > 0 ? tabulatoru - 1 : 0), jmenaEfektu);
    if (tabulatoru > 0)
        prisada.Jmeno = seznam.UlozTextSPresahem(radek.substr(0, tabulatory[0]));
    prectiZnacku(prisada, rest);
    prisada.Poznamka = seznam.UlozTextSPresahem(rest);
}

bool jePrisada(std::string_view radek)
{
    return radek.size() >= 2 && radek[0] != '/';
}

// Reads the file's lines into the catalogue. The lines that lie in one block
// are taken a few at a time: all of them are made ready first, then their
// effects looked up, so the index's memory for the whole group is fetched at
// once. Effects are still found and created in file order.
void nactiRadky(CteniRadku& cteni, TSeznam& seznam)
{
    constexpr std::size_t kSkupina = 8;
    std::array<std::size_t, kSkupina> prisady;
    std::array<TSeznam::TJmenaEfektu, kSkupina> efekty;
    for (;;) {
        std::size_t pocet = 0;
        std::string_view radek;
        while (pocet < kSkupina && cteni.dalsiVBloku(radek)) {
            if (!jePrisada(radek))
                continue;
            pripravPrisadu(seznam, radek, efekty[pocet]);
            prisady[pocet++] = seznam.Prisady.size() - 1;
        }
        if (pocet == 0) {
            if (!cteni.dalsi(radek))
                return;
            if (!jePrisada(radek))
                continue;
            pripravPrisadu(seznam, radek, efekty[pocet]);
            prisady[pocet++] = seznam.Prisady.size() - 1;
        }
        for (std::size_t i = 0; i < pocet; ++i)
            seznam.NastavEfekty(prisady[i], efekty[i]);
    }
}

} // namespace

void PridejPrisadu(TSeznam& seznam, std::string_view radek)
{
    std::string sPresahem(radek);
    sPresahem.append(kPresahRadku, '\0');
    TSeznam::TJmenaEfektu efekty;
    pripravPrisadu(seznam, std::string_view(sPresahem.data(), radek.size()), efekty);
    seznam.NastavEfekty(seznam.Prisady.size() - 1, efekty);
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
    Soubor soubor(OtevriKCteni(cesta, popis));
    CteniRadku cteni(soubor.fd(), popis);
    seznam.OdkladejOdkazy(odhadPrisad(soubor.fd()));
    try {
        nactiRadky(cteni, seznam);
    } catch (...) {
        // What was read so far stays, linked as usual.
        seznam.ZapisOdlozeneOdkazy();
        throw;
    }
    seznam.ZapisOdlozeneOdkazy();
}
