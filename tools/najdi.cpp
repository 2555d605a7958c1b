// mixor-katalog FILE --find E[,E...] [--avoid E[,E...]] [--have I[,I...]]
//               [--max K] [--limit N] [--no-tribunal] [--no-bloodmoon]
#include "najdi.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "chyby.h"
#include "cp1250.h"
#include "hledani_efektu.h"
#include "indexy.h"
#include "json.h"
#include "katalog.h"
#include "volby.h"

namespace {

constexpr int kChybaSouboru = 1;

struct VolbyHledani {
    std::string soubor;
    std::vector<std::size_t> chtene;
    std::vector<std::size_t> zakazane;
    std::optional<std::vector<std::size_t>> zasoby;
    std::size_t nejvicePrisad = 4;
    std::size_t vypsat = 100;
    TZarazeni zarazeni;
};

std::size_t cislo(std::string_view text, std::string_view volba)
{
    return PrectiCislo(text, volba, "číslo");
}

std::vector<std::size_t> cisla(std::string_view seznam, std::string_view volba)
{
    std::vector<std::size_t> out;
    for (std::size_t zacatek = 0;;) {
        const auto carka = std::min(seznam.find(',', zacatek), seznam.size());
        out.push_back(cislo(seznam.substr(zacatek, carka - zacatek), volba));
        if (carka == seznam.size())
            return out;
        zacatek = carka + 1;
    }
}

class Cteni {
public:
    explicit Cteni(const std::vector<std::string_view>& argumenty) : argumenty_(argumenty) {}

    VolbyHledani vysledek()
    {
        for (pozice_ = 0; pozice_ < argumenty_.size(); ++pozice_)
            zpracuj(argumenty_[pozice_]);
        if (!maSoubor_)
            throw ChybaPouziti("chybí soubor katalogu");
        if (volby_.nejvicePrisad < 2 || volby_.nejvicePrisad > 4)
            throw ChybaPouziti("volba --max: " + std::to_string(volby_.nejvicePrisad) + " není 2 až 4");
        return volby_;
    }

private:
    void zpracuj(std::string_view argument)
    {
        if (jenSoubory_ || argument.size() < 2 || argument[0] != '-')
            soubor(argument);
        else if (argument == "--")
            jenSoubory_ = true;
        else if (argument == "--find")
            volby_.chtene = cisla(hodnota(argument), argument);
        else if (argument == "--avoid")
            volby_.zakazane = cisla(hodnota(argument), argument);
        else if (argument == "--have")
            volby_.zasoby = cisla(hodnota(argument), argument);
        else if (argument == "--max")
            volby_.nejvicePrisad = cislo(hodnota(argument), argument);
        else if (argument == "--limit")
            volby_.vypsat = cislo(hodnota(argument), argument);
        else if (argument == "--no-tribunal")
            volby_.zarazeni.Tribunal = false;
        else if (argument == "--no-bloodmoon")
            volby_.zarazeni.Bloodmoon = false;
        else
            throw ChybaPouziti(std::find(kVolbyRezimu.begin(), kVolbyRezimu.end(), argument) != kVolbyRezimu.end()
                                   ? "volby --find a " + std::string(argument) + " nelze použít zároveň"
                                   : "neznámá volba " + Uvozene(argument));
    }

    void soubor(std::string_view argument)
    {
        if (maSoubor_)
            throw ChybaPouziti("víc než jeden soubor: " + Uvozene(volby_.soubor) + " a " + Uvozene(argument));
        volby_.soubor = std::string(argument);
        maSoubor_ = true;
    }

    std::string_view hodnota(std::string_view volba)
    {
        if (std::find(videne_.begin(), videne_.end(), volba) != videne_.end())
            throw ChybaPouziti("volba " + std::string(volba) + " je uvedena dvakrát");
        videne_.push_back(volba);
        if (pozice_ + 1 == argumenty_.size())
            throw ChybaPouziti("volba " + std::string(volba) + " potřebuje hodnotu");
        return argumenty_[++pozice_];
    }

    static constexpr std::array<std::string_view, 4> kVolbyRezimu{"--brew", "--from", "--effect", "--lint"};
    const std::vector<std::string_view>& argumenty_;
    std::size_t pozice_ = 0;
    VolbyHledani volby_;
    std::vector<std::string_view> videne_;
    bool maSoubor_ = false;
    bool jenSoubory_ = false;
};

void overIndexy(const std::vector<std::size_t>& indexy, std::size_t pocet, std::string_view co)
{
    for (std::size_t index : indexy)
        if (index >= pocet)
            throw ChybaPouziti(std::string(co) + " " + std::to_string(index) + " neexistuje (katalog jich má " +
                               std::to_string(pocet) + ")");
}

bool existuje(const std::string& cesta)
{
    struct stat info {};
    return ::stat(cesta.c_str(), &info) == 0;
}

TZadaniHledani zadani(const VolbyHledani& volby, const TSeznam& seznam)
{
    TZadaniHledani zadani;
    for (std::size_t e : volby.chtene)
        zadani.Chtene.push_back(seznam.Efekty[e]);
    for (std::size_t e : volby.zakazane)
        zadani.Zakazane.push_back(seznam.Efekty[e]);
    zadani.Zarazeni = volby.zarazeni;
    zadani.NejvicePrisad = volby.nejvicePrisad;
    if (volby.zasoby) {
        zadani.JenZeZasob = true;
        for (std::size_t i : *volby.zasoby)
            zadani.Zasoby.insert(seznam.Prisady[i]);
    }
    return zadani;
}

std::string json(const TVysledekHledani& vysledek, const TSeznam& seznam, std::size_t vypsat)
{
    const auto indexEfektu = Indexy(seznam.Efekty);
    JsonZapis json;
    json.Objekt().Klic("total").Cislo(vysledek.Celkem).Klic("complete").Logicka(vysledek.Uplny);
    json.Klic("potions").Pole();
    for (std::size_t i = 0; i < std::min(vypsat, vysledek.Lektvary.size()); ++i) {
        const TNalezenyLektvar& lektvar = vysledek.Lektvary[i];
        json.Objekt().Klic("slots").Pole();
        for (std::size_t s = 0; s < lektvar.PocetPrisad; ++s)
            json.Cislo(lektvar.Pozice[s]);
        json.KonecPole().Klic("effects").Pole();
        for (std::size_t e = 0; e < lektvar.PocetEfektu; ++e)
            json.Cislo(indexEfektu.at(lektvar.Lektvar.Efekty[e].Efekt));
        json.KonecPole().Klic("tribunal").Logicka(lektvar.Lektvar.Tribunal);
        json.Klic("bloodmoon").Logicka(lektvar.Lektvar.Bloodmoon).KonecObjektu();
    }
    json.KonecPole().KonecObjektu();
    return json.Vysledek();
}

int spust(const std::vector<std::string_view>& argumenty)
{
    const VolbyHledani volby = Cteni(argumenty).vysledek();
    // The loader looks the name up as UTF-8 first, then as the bytes.
    if (!existuje(Utf8ZCp1250(volby.soubor)) && !existuje(volby.soubor)) {
        std::cerr << "mixor-katalog: soubor '" << volby.soubor << "' neexistuje\n";
        return kChybaSouboru;
    }
    TSeznam seznam;
    NactiSeznam(volby.soubor, seznam);
    overIndexy(volby.chtene, seznam.Efekty.size(), "efekt");
    overIndexy(volby.zakazane, seznam.Efekty.size(), "efekt");
    if (volby.zasoby)
        overIndexy(*volby.zasoby, seznam.Prisady.size(), "přísada");
    TMezHledani mez;
    mez.Vypsat = volby.vypsat;
    const TVysledekHledani vysledek = HledejLektvary(seznam, zadani(volby, seznam), mez);
    std::cout << json(vysledek, seznam, volby.vypsat) << '\n' << std::flush;
    if (!std::cout) {
        std::cerr << "mixor-katalog: výstup nelze zapsat\n";
        return kChybaSouboru;
    }
    return 0;
}

} // namespace

bool JeHledaniEfektu(const std::vector<std::string_view>& argumenty)
{
    const auto konecVoleb = std::find(argumenty.begin(), argumenty.end(), "--");
    return std::find(argumenty.begin(), konecVoleb, "--find") != konecVoleb &&
           std::find(argumenty.begin(), konecVoleb, "--help") == konecVoleb;
}

int SpustHledaniEfektu(const std::vector<std::string_view>& argumenty)
{
    return spust(argumenty);
}
