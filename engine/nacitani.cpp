// Reading the ingredient file.
#include "nacitani.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "chyby.h"
#include "cp1250.h"
#include "soubory.h"

namespace nacitani {
namespace {

constexpr char kKonecSouboru = 0x1A;  // Ctrl-Z

ChybaCteni prilisDlouhyRadek(const std::string& popis)
{
    return ChybaCteni(popis + ": řádek je delší než " + std::to_string(kNejdelsiRadek / (1024 * 1024)) + " MiB");
}

// The file's lines, read a block at a time. A line that lies whole in its
// block and holds no CR but the one before its LF and no Ctrl-Z, as most
// lines do, is given where it lies; any other is put together in a string.
class CteniPoBlocich {
public:
    CteniPoBlocich(int fd, const std::string& popis) : fd_(fd), popis_(popis), blok_(kBlok) {}

    // The next line as the loader keeps it; false at the end of the file.
    // The line stays valid until the next call.
    bool dalsi(std::string_view& radek)
    {
        std::string_view fyzicky;
        if (konec_ || !dalsiFyzicky(fyzicky))
            return false;
        const std::string_view predCr = fyzicky.substr(0, fyzicky.size() - (fyzicky.ends_with('\r') ? 1 : 0));
        if (!obsahuje(predCr, '\r') && !obsahuje(predCr, kKonecSouboru)) {
            radek = predCr;
            return true;
        }
        if (!OcistiRadek(fyzicky, ocisteny_)) {
            konec_ = true;
            return false;
        }
        radek = ocisteny_;
        return true;
    }

private:
    static bool obsahuje(std::string_view text, char znak)
    {
        return !text.empty() && std::memchr(text.data(), znak, text.size()) != nullptr;
    }

    // The next line with its bytes as they are, without its LF.
    bool dalsiFyzicky(std::string_view& fyzicky)
    {
        if (pozice_ == delka_ && !doplnit())
            return false;
        if (vezmiDoLf(fyzicky))
            return true;
        // The line goes on in the next blocks, or ends the file.
        napric_.assign(fyzicky);
        while (doplnit()) {
            const bool cely = vezmiDoLf(fyzicky);
            if (napric_.size() + fyzicky.size() > kNejdelsiRadek)
                throw prilisDlouhyRadek(popis_);
            napric_.append(fyzicky);
            if (cely)
                break;
        }
        fyzicky = napric_;
        return true;
    }

    // The block's bytes up to its next LF, or to its end when it has none:
    // true when an LF ended them.
    bool vezmiDoLf(std::string_view& cast)
    {
        const char* const zacatek = blok_.data() + pozice_;
        const std::size_t zbyva = delka_ - pozice_;
        const auto* const lf = static_cast<const char*>(std::memchr(zacatek, '\n', zbyva));
        const std::size_t delka = lf != nullptr ? static_cast<std::size_t>(lf - zacatek) : zbyva;
        cast = std::string_view(zacatek, delka);
        pozice_ += lf != nullptr ? delka + 1 : delka;
        return lf != nullptr;
    }

    bool doplnit()
    {
        ssize_t precteno;
        do {
            precteno = ::read(fd_, blok_.data(), blok_.size());
        } while (precteno < 0 && errno == EINTR);
        if (precteno < 0)
            throw ChybaCteni(PopisSystemoveChyby(popis_, errno));
        pozice_ = 0;
        delka_ = static_cast<std::size_t>(precteno);
        return precteno > 0;
    }

    int fd_;
    const std::string& popis_;
    std::vector<char> blok_;
    std::size_t pozice_ = 0;
    std::size_t delka_ = 0;
    bool konec_ = false;     // a Ctrl-Z opened a line
    std::string napric_;     // a line across blocks
    std::string ocisteny_;   // a line with CRs or a Ctrl-Z, cleaned
};

// Running out of memory while loading names the file like any other
// failure to load it.
template <class Cteni>
void nahlasNedostatekPameti(const std::string& popis, Cteni cteni)
{
    try {
        cteni();
    } catch (const std::bad_alloc&) {
        throw ChybaCteni(popis + ": nedostatek paměti");
    }
}

bool existuje(const std::string& cesta)
{
    struct stat info {};
    return ::stat(cesta.c_str(), &info) == 0;
}

std::string popisCesty(const std::string& cesta)
{
    return "Soubor '" + cesta + "'";
}

} // namespace

bool OcistiRadek(std::string_view fyzicky, std::string& radek)
{
    radek.clear();
    for (const char znak : fyzicky) {
        if (znak == kKonecSouboru) {
            if (radek.empty())
                return false;
            break;
        }
        if (znak != '\r')
            radek += znak;
    }
    return true;
}

void NactiPoBlocich(const std::string& cesta, const std::string& popis, TSeznam& seznam)
{
    nahlasNedostatekPameti(popis, [&] {
        const TDeskriptor soubor = OtevriKCteni(cesta, popis);
        CteniPoBlocich cteni(soubor.Fd(), popis);
        std::string_view radek;
        while (cteni.dalsi(radek)) {
            if (JeRadekPrisady(radek))
                PridejPrisadu(seznam, radek);
        }
    });
}

void NactiPrimo(const std::string& cesta, TSeznam& seznam)
{
    for (const TRadekSouboru& radek : PrectiRadkyPrisad(cesta))
        PridejPrisadu(seznam, radek.Text);
}

} // namespace nacitani

std::vector<TRadekSouboru> RadkyPrisad(std::string_view obsah)
{
    std::vector<TRadekSouboru> radky;
    std::string radek;
    std::size_t cislo = 0;
    for (std::size_t zacatek = 0; zacatek < obsah.size(); ++cislo) {
        const std::size_t konec = std::min(obsah.find('\n', zacatek), obsah.size());
        if (!nacitani::OcistiRadek(obsah.substr(zacatek, konec - zacatek), radek))
            break;
        if (JeRadekPrisady(radek))
            radky.push_back(TRadekSouboru{cislo + 1, radek});
        zacatek = konec + 1;
    }
    return radky;
}

std::vector<TRadekSouboru> PrectiRadkyPrisad(const std::string& cesta)
{
    return RadkyPrisad(PrectiSoubor(cesta));
}

void NactiSeznam(std::string_view jmenoSouboru, TSeznam& seznam)
{
    seznam.Vyprazdni();
    std::string cesta = Utf8ZCp1250(jmenoSouboru);
    if (!nacitani::existuje(cesta)) {
        cesta = std::string(jmenoSouboru);
        if (!nacitani::existuje(cesta))
            return;
    }
    nacitani::NactiPoBlocich(cesta, nacitani::popisCesty(Utf8ZCp1250(jmenoSouboru)), seznam);
}

void NactiSeznamZCesty(const std::string& cesta, TSeznam& seznam)
{
    seznam.Vyprazdni();
    nacitani::NactiPoBlocich(cesta, nacitani::popisCesty(cesta), seznam);
}
