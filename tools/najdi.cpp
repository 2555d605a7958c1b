// mixor-katalog FILE --find E[,E...] [--avoid E[,E...]] [--have I[,I...]]
//               [--max K] [--limit N] [--no-tribunal] [--no-bloodmoon]
#include "najdi.h"

#include <algorithm>

#include "hledani_efektu.h"
#include "indexy.h"
#include "json.h"

namespace {

TZadaniHledani zadani(const Volby& volby, const TSeznam& seznam)
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

} // namespace

std::string VystupHledani(const Volby& volby, const TSeznam& seznam)
{
    TMezHledani mez;
    mez.Vypsat = volby.vypsat;
    return json(HledejLektvary(seznam, zadani(volby, seznam), mez), seznam, volby.vypsat);
}
