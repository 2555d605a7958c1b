// mixor-katalog: prints a catalogue file, a potion or a search as JSON, or
// lints the file.
#include <iostream>
#include <new>

#include "chyby.h"
#include "cp1250.h"
#include "indexy.h"
#include "json.h"
#include "kontrola.h"
#include "lektvar.h"
#include "nacitani.h"
#include "najdi.h"
#include "nalezene.h"
#include "volby.h"

namespace {

constexpr int kChybaSouboru = 1;
constexpr int kChybaPouziti = 2;

// Turns catalogue records into JSON that names them by index. One output
// per object: the writer keeps what it wrote.
class Vypisovac {
public:
    explicit Vypisovac(const TSeznam& seznam)
        : seznam_(seznam), indexPrisady_(Indexy(seznam.Prisady)), indexEfektu_(Indexy(seznam.Efekty))
    {
    }

    std::string katalog()
    {
        json_.Objekt().Klic("ingredients").Pole();
        for (const TPrisada* prisada : seznam_.Prisady)
            prisadu(*prisada);
        json_.KonecPole().Klic("effects").Pole();
        for (const TEfekt* efekt : seznam_.Efekty)
            efektKatalogu(*efekt);
        json_.KonecPole().KonecObjektu();
        return json_.Vysledek();
    }

    std::string lektvar(const TLektvar& lektvar)
    {
        json_.Objekt().Klic("tribunal").Logicka(lektvar.Tribunal).Klic("bloodmoon").Logicka(lektvar.Bloodmoon);
        json_.Klic("effects").Pole();
        for (const TEfektLektvaru& zaznam : lektvar.Efekty)
            if (zaznam.Efekt != nullptr)
                efektLektvaru(zaznam);
        json_.KonecPole().KonecObjektu();
        return json_.Vysledek();
    }

    std::string vypis(const TNalezene& nalezene)
    {
        json_.Objekt().Klic("heading").Text(Utf8ZCp1250(nalezene.Nadpis)).Klic("lines").Pole();
        for (const TDvojice dvojice : nalezene.Dvojice) {
            json_.Objekt().Klic("text").Text(Utf8ZCp1250(TextDvojice(nalezene.Druh, dvojice)));
            json_.Klic("first").Cislo(indexPrisady_.at(dvojice.Prvni));
            json_.Klic("second").Cislo(indexPrisady_.at(dvojice.Druha));
            json_.KonecObjektu();
        }
        json_.KonecPole().KonecObjektu();
        return json_.Vysledek();
    }

private:
    void prisadu(const TPrisada& prisada)
    {
        json_.Objekt().Klic("name").Text(Utf8ZCp1250(prisada.Jmeno));
        json_.Klic("note").Text(Utf8ZCp1250(prisada.Poznamka));
        json_.Klic("tribunal").Logicka(prisada.Tribunal).Klic("bloodmoon").Logicka(prisada.Bloodmoon);
        json_.Klic("effects").Pole();
        for (const TEfekt* efekt : prisada.Efekty) {
            if (efekt == nullptr)
                json_.Null();
            else
                json_.Cislo(indexEfektu_.at(efekt));
        }
        json_.KonecPole().KonecObjektu();
    }

    void efektKatalogu(const TEfekt& efekt)
    {
        json_.Objekt().Klic("name").Text(Utf8ZCp1250(efekt.Jmeno)).Klic("ingredients").Pole();
        for (const TPrisada* prisada : efekt.Prisady)
            json_.Cislo(indexPrisady_.at(prisada));
        json_.KonecPole().KonecObjektu();
    }

    void efektLektvaru(const TEfektLektvaru& zaznam)
    {
        json_.Objekt().Klic("effect").Cislo(indexEfektu_.at(zaznam.Efekt)).Klic("slots").Pole();
        for (std::size_t k = 0; k < zaznam.ZPrisady.size(); ++k)
            if (zaznam.ZPrisady[k])
                json_.Cislo(k + 1);
        json_.KonecPole().KonecObjektu();
    }

    const TSeznam& seznam_;
    std::unordered_map<const TPrisada*, std::size_t> indexPrisady_;
    std::unordered_map<const TEfekt*, std::size_t> indexEfektu_;
    JsonZapis json_;
};

std::string kontrola(const TSeznam& seznam, const std::string& cesta)
{
    const std::vector<TRadekSouboru> radky = PrectiRadkyPrisad(cesta);
    if (radky.size() != seznam.Prisady.size())
        throw ChybaCteni("Soubor '" + cesta + "' se během čtení změnil");
    std::string text;
    for (const std::string& varovani : Zkontroluj(seznam, radky))
        text += varovani + '\n';
    return text;
}

TLektvar lektvar(const Volby& volby, const TSeznam& seznam)
{
    TLektvar lektvar;
    for (std::size_t k = 0; k < volby.sloty.size(); ++k)
        if (volby.sloty[k])
            lektvar.Prisady[k] = seznam.Prisady[*volby.sloty[k]];
    SpocitejLektvar(lektvar);
    return lektvar;
}

std::string vystup(const Volby& volby, const TSeznam& seznam, const std::string& cesta)
{
    Vypisovac vypisovac(seznam);
    switch (volby.rezim) {
    case Rezim::Lektvar:
        return vypisovac.lektvar(lektvar(volby, seznam)) + '\n';
    case Rezim::ZPrisady:
        return vypisovac.vypis(NalezeneZPrisady(*seznam.Prisady[volby.index], volby.zarazeni)) + '\n';
    case Rezim::SEfektem:
        return vypisovac.vypis(NalezeneSEfektem(*seznam.Efekty[volby.index], volby.zarazeni, volby.jenTento)) +
               '\n';
    case Rezim::Hledani:
        return VystupHledani(volby, seznam) + '\n';
    case Rezim::Kontrola:
        return kontrola(seznam, cesta);
    default:
        return vypisovac.katalog() + '\n';
    }
}

int spust(const std::vector<std::string_view>& argumenty)
{
    const Volby volby = PrectiVolby(argumenty);
    if (volby.rezim == Rezim::Napoveda) {
        std::cout << kPouziti;
        return 0;
    }
    // The path as given, in every mode: the shell has already spelt it in
    // the bytes the file system knows.
    TSeznam seznam;
    NactiSeznamZCesty(volby.soubor, seznam);
    OverIndexy(volby, seznam.Prisady.size(), seznam.Efekty.size());
    std::cout << vystup(volby, seznam, volby.soubor) << std::flush;
    if (!std::cout) {
        std::cerr << "mixor-katalog: výstup nelze zapsat\n";
        return kChybaSouboru;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> argumenty(argv + 1, argv + argc);
    try {
        return spust(argumenty);
    } catch (const ChybaPouziti& chyba) {
        std::cerr << "mixor-katalog: " << chyba.what() << "\n\n" << kPouziti;
        return kChybaPouziti;
    } catch (const ChybaCteni& chyba) {
        std::cerr << "mixor-katalog: " << chyba.what() << '\n';
        return kChybaSouboru;
    } catch (const std::bad_alloc&) {
        std::cerr << "mixor-katalog: nedostatek paměti\n";
        return kChybaSouboru;
    }
}
