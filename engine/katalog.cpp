// Catalogue records and the loader of the ingredient file.
#include "katalog.h"

#include <cerrno>
#include <cstring>
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
    // the end of the file.
    bool dalsi(std::string& radek)
    {
        radek.clear();
        bool neco = false;
        bool preskakujZbytek = false;
        for (;;) {
            if (pozice_ == delka_ && !doplnit())
                return neco;
            const char c = buffer_[pozice_++];
            neco = true;
            if (c == '\n')
                return true;
            if (preskakujZbytek || c == '\r')
                continue;
            if (c == kKonecSouboru) {
                if (radek.empty()) {
                    konec_ = true;
                    pozice_ = delka_;
                    return false;
                }
                preskakujZbytek = true;
                continue;
            }
            radek += c;
        }
    }

private:
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
    efektPodleJmena_.clear();
}

TPrisada& TSeznam::NovaPrisada()
{
    TPrisada& prisada = prisadyUloziste_.emplace_back();
    Prisady.push_back(&prisada);
    return prisada;
}

TEfekt* TSeznam::PridejEfekt(std::string_view jmeno)
{
    if (jmeno.empty() || Prisady.empty())
        return nullptr;
    TPrisada* nejnovejsi = Prisady.back();
    const auto nalezeny = efektPodleJmena_.find(jmeno);
    if (nalezeny != efektPodleJmena_.end()) {
        TEfekt* efekt = nalezeny->second;
        // The newest ingredient can only stand at the end of the list.
        if (efekt->Prisady.back() != nejnovejsi)
            efekt->Prisady.push_back(nejnovejsi);
        return efekt;
    }
    TEfekt& efekt = efektyUloziste_.emplace_back();
    efekt.Jmeno = std::string(jmeno);
    efekt.Prisady.push_back(nejnovejsi);
    Efekty.push_back(&efekt);
    efektPodleJmena_.emplace(efekt.Jmeno, &efekt);
    return &efekt;
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
    std::string radek;
    while (cteni.dalsi(radek)) {
        if (radek.size() >= 2 && radek[0] != '/')
            PridejPrisadu(seznam, radek);
    }
}
