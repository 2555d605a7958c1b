// libFuzzer target: the loader of the ingredient file, then the brewing rule
// and the potion finder on what it loaded.
//
// The input bytes are the file. After loading, the catalogue's invariants are
// checked, and every ingredient is compared with its line as worked out here
// from the file format; any violation aborts, so libFuzzer reports a crash.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "hledani.h"
#include "katalog.h"
#include "lektvar.h"
#include "nacitani.h"
#include "nalezene.h"

namespace {

// Inputs longer than this are skipped, whatever -max_len says: sixteen of the
// loader's blocks, so that lines, CR LF pairs and Ctrl-Z meet block edges.
constexpr std::size_t kNejvetsiVstup = 16 * nacitani::kBlok;
// The finder's work grows with the carriers of the effects it walks; bigger
// cases are left out to keep every input quick.
constexpr std::size_t kNejvicNositelu = 256;

void porucha(const char* co)
{
    std::fprintf(stderr, "invariant violated: %s\n", co);
    std::abort();
}

void over(bool podminka, const char* co)
{
    if (!podminka)
        porucha(co);
}

// The file every input is written to: one per process, removed at exit.
class Soubor {
public:
    Soubor()
    {
        std::string vzor = (std::filesystem::temp_directory_path() / "mixor-fuzz-XXXXXX").string();
        if (::mkdtemp(vzor.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        slozka_ = vzor;
        cesta_ = (slozka_ / "katalog.txt").string();
    }
    ~Soubor()
    {
        std::error_code ignorovana;
        std::filesystem::remove_all(slozka_, ignorovana);
    }

    const std::string& zapis(const std::uint8_t* data, std::size_t velikost) const
    {
        std::FILE* f = std::fopen(cesta_.c_str(), "wb");
        if (f == nullptr || std::fwrite(data, 1, velikost, f) != velikost || std::fclose(f) != 0) {
            std::perror(cesta_.c_str());
            std::abort();
        }
        return cesta_;
    }

private:
    std::filesystem::path slozka_;
    std::string cesta_;
};

bool obsahuje(std::string_view text, char c)
{
    return text.find(c) != std::string_view::npos;
}

void overKatalog(const TSeznam& seznam, std::string_view vstup)
{
    // No more ingredients than lines.
    const auto radku = static_cast<std::size_t>(std::count(vstup.begin(), vstup.end(), '\n')) + 1;
    over(seznam.Prisady.size() <= radku, "more ingredients than lines");

    std::unordered_map<const TPrisada*, std::size_t> poradi;
    for (std::size_t i = 0; i < seznam.Prisady.size(); ++i) {
        const TPrisada* prisada = seznam.Prisady[i];
        over(prisada != nullptr, "null ingredient");
        over(poradi.emplace(prisada, i).second, "ingredient listed twice in the catalogue");
        // Line ends, CRs and Ctrl-Z never reach a text; TAB ends a field.
        for (const std::string_view* text : {&prisada->Jmeno, &prisada->Poznamka}) {
            over(!obsahuje(*text, '\n') && !obsahuje(*text, '\r') && !obsahuje(*text, '\x1A'),
                 "line end, CR or Ctrl-Z in a text");
        }
        over(!obsahuje(prisada->Jmeno, '\t'), "TAB in an ingredient name");
    }

    std::unordered_set<const TEfekt*> efekty;
    std::unordered_set<std::string_view> jmena;
    for (const TEfekt* efekt : seznam.Efekty) {
        over(efekt != nullptr, "null effect");
        over(efekty.insert(efekt).second, "effect listed twice in the catalogue");
        over(!efekt->Jmeno.empty(), "effect with an empty name");
        over(jmena.insert(efekt->Jmeno).second, "two effects of one name");
        over(!obsahuje(efekt->Jmeno, '\t') && !obsahuje(efekt->Jmeno, '\n') && !obsahuje(efekt->Jmeno, '\r') &&
                 !obsahuje(efekt->Jmeno, '\x1A'),
             "TAB, line end, CR or Ctrl-Z in an effect name");
        over(!efekt->Prisady.empty(), "effect without ingredients");
        std::size_t predchozi = 0;
        for (std::size_t k = 0; k < efekt->Prisady.size(); ++k) {
            const TPrisada* prisada = efekt->Prisady[k];
            const auto kde = poradi.find(prisada);
            over(kde != poradi.end(), "effect lists an ingredient not in the catalogue");
            // Catalogue order, each ingredient once.
            over(k == 0 || kde->second > predchozi, "effect's ingredients out of order or repeated");
            predchozi = kde->second;
            over(std::find(prisada->Efekty.begin(), prisada->Efekty.end(), efekt) != prisada->Efekty.end(),
                 "effect lists an ingredient that has no slot for it");
        }
    }

    // Effects stand in the order of their first mention.
    std::size_t zmineno = 0;
    std::unordered_set<const TEfekt*> videne;
    for (const TPrisada* prisada : seznam.Prisady) {
        for (const TEfekt* efekt : prisada->Efekty) {
            if (efekt == nullptr)
                continue;
            over(efekty.count(efekt) == 1, "slot refers to an effect not in the catalogue");
            over(std::find(efekt->Prisady.begin(), efekt->Prisady.end(), prisada) != efekt->Prisady.end(),
                 "slot's effect does not list the ingredient");
            if (videne.insert(efekt).second) {
                over(zmineno < seznam.Efekty.size() && seznam.Efekty[zmineno] == efekt,
                     "effects not in the order of first mention");
                ++zmineno;
            }
        }
    }
    over(zmineno == seznam.Efekty.size(), "effect that no slot mentions");
}

// What the loader should make of one line, worked out independently.
struct OcekavanaPrisada {
    std::string_view jmeno;
    std::array<std::string_view, 4> efekty{};  // empty: no effect in that slot
    bool tribunal = false;
    bool bloodmoon = false;
    std::string_view poznamka;
};

OcekavanaPrisada rozeberRadek(std::string_view radek)
{
    OcekavanaPrisada p;
    std::string_view rest = radek;
    const auto pole = [&rest](std::string_view& cil) {
        const auto tab = rest.find('\t');
        if (tab == std::string_view::npos)
            return false;
        cil = rest.substr(0, tab);
        rest.remove_prefix(tab + 1);
        return true;
    };
    if (pole(p.jmeno))
        for (std::string_view& efekt : p.efekty)
            if (!pole(efekt))
                break;
    if (rest.size() >= 2 && rest[0] == '[') {
        const char c = rest[1];
        p.tribunal = c == '1' || c == 'T' || c == 't';
        p.bloodmoon = c == '2' || c == 'B' || c == 'b';
        const auto konec = rest.find(']');
        if (konec != std::string_view::npos)
            rest.remove_prefix(konec + 1);
    }
    p.poznamka = rest;
    return p;
}

// The file's lines as the loader keeps them: CRs dropped, a Ctrl-Z ending the
// line, or the file when nothing came before it on its line.
std::vector<std::string> radkySouboru(std::string_view vstup)
{
    std::vector<std::string> radky;
    std::size_t zacatek = 0;
    while (zacatek < vstup.size()) {
        auto lf = vstup.find('\n', zacatek);
        if (lf == std::string_view::npos)
            lf = vstup.size();
        std::string radek;
        for (std::size_t i = zacatek; i < lf; ++i) {
            if (vstup[i] == '\r')
                continue;
            if (vstup[i] == '\x1A') {
                if (radek.empty())
                    return radky;
                break;
            }
            radek += vstup[i];
        }
        radky.push_back(std::move(radek));
        zacatek = lf + 1;
    }
    return radky;
}

void overObsah(const TSeznam& seznam, std::string_view vstup)
{
    std::size_t i = 0;
    for (const std::string& radek : radkySouboru(vstup)) {
        if (radek.size() < 2 || radek[0] == '/')
            continue;
        over(i < seznam.Prisady.size(), "a line gave no ingredient");
        const TPrisada& prisada = *seznam.Prisady[i++];
        const OcekavanaPrisada ocekavana = rozeberRadek(radek);
        over(prisada.Jmeno == ocekavana.jmeno, "ingredient name differs from the line");
        over(prisada.Poznamka == ocekavana.poznamka, "note differs from the line");
        over(prisada.Tribunal == ocekavana.tribunal && prisada.Bloodmoon == ocekavana.bloodmoon,
             "expansion mark differs from the line");
        for (std::size_t k = 0; k < 4; ++k) {
            const TEfekt* efekt = prisada.Efekty[k];
            over(ocekavana.efekty[k].empty() ? efekt == nullptr : efekt != nullptr && efekt->Jmeno == ocekavana.efekty[k],
                 "slot differs from the line");
        }
    }
    over(i == seznam.Prisady.size(), "more ingredients than lines");
}

// The loader's plain twin must give the same catalogue, record for record.
void overShoduSDvojcetem(const TSeznam& seznam, const TSeznam& primo)
{
    over(seznam.Prisady.size() == primo.Prisady.size(), "plain twin: number of ingredients");
    over(seznam.Efekty.size() == primo.Efekty.size(), "plain twin: number of effects");
    std::unordered_map<const TPrisada*, std::size_t> poradi;
    for (std::size_t i = 0; i < primo.Prisady.size(); ++i)
        poradi.emplace(primo.Prisady[i], i);
    for (std::size_t i = 0; i < seznam.Prisady.size(); ++i) {
        const TPrisada& a = *seznam.Prisady[i];
        const TPrisada& b = *primo.Prisady[i];
        over(a.Jmeno == b.Jmeno && a.Poznamka == b.Poznamka && a.Tribunal == b.Tribunal &&
                 a.Bloodmoon == b.Bloodmoon,
             "plain twin: ingredient differs");
        for (std::size_t k = 0; k < 4; ++k)
            over((a.Efekty[k] == nullptr) == (b.Efekty[k] == nullptr) &&
                     (a.Efekty[k] == nullptr || a.Efekty[k]->Jmeno == b.Efekty[k]->Jmeno),
                 "plain twin: slot differs");
    }
    for (std::size_t e = 0; e < seznam.Efekty.size(); ++e) {
        const TEfekt& a = *seznam.Efekty[e];
        const TEfekt& b = *primo.Efekty[e];
        over(a.Jmeno == b.Jmeno && a.Prisady.size() == b.Prisady.size(), "plain twin: effect differs");
        over(seznam.NajdiEfekt(a.Jmeno) == &a, "lookup by name misses an effect");
        for (std::size_t k = 0; k < a.Prisady.size(); ++k)
            over(a.Prisady[k] == seznam.Prisady[poradi.at(b.Prisady[k])], "plain twin: carriers differ");
    }
}

bool maEfekt(const TPrisada& prisada, const TEfekt* efekt)
{
    return std::find(prisada.Efekty.begin(), prisada.Efekty.end(), efekt) != prisada.Efekty.end();
}

void overLektvar(const TLektvar& lektvar)
{
    bool tribunal = false;
    bool bloodmoon = false;
    for (const TPrisada* prisada : lektvar.Prisady) {
        if (prisada != nullptr) {
            tribunal = tribunal || prisada->Tribunal;
            bloodmoon = bloodmoon || prisada->Bloodmoon;
        }
    }
    over(lektvar.Tribunal == tribunal && lektvar.Bloodmoon == bloodmoon, "potion's expansion flags");
    bool konec = false;
    for (std::size_t n = 0; n < lektvar.Efekty.size(); ++n) {
        const TEfektLektvaru& zaznam = lektvar.Efekty[n];
        if (zaznam.Efekt == nullptr) {
            konec = true;
            over(std::count(zaznam.ZPrisady.begin(), zaznam.ZPrisady.end(), true) == 0, "flags of an empty entry");
            continue;
        }
        over(!konec, "potion effect after an empty entry");
        for (std::size_t m = 0; m < n; ++m)
            over(lektvar.Efekty[m].Efekt != zaznam.Efekt, "potion effect twice");
        unsigned slotu = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const TPrisada* prisada = lektvar.Prisady[k];
            const bool ma = prisada != nullptr && maEfekt(*prisada, zaznam.Efekt);
            over(zaznam.ZPrisady[k] == ma, "potion flag disagrees with the slot");
            slotu += ma ? 1 : 0;
        }
        over(slotu >= 2, "potion effect from fewer than two slots");
    }
}

std::size_t nositeluPrisady(const TPrisada& prisada)
{
    std::size_t soucet = 0;
    for (const TEfekt* efekt : prisada.Efekty)
        soucet += efekt != nullptr ? efekt->Prisady.size() : 0;
    return soucet;
}

void overVypisPrisady(TPrisada& prisada, TZarazeni zarazeni)
{
    const TNalezene vypis = NalezeneZPrisady(prisada, zarazeni);
    if (!PrisadaPripustna(prisada, zarazeni)) {
        over(vypis.Dvojice.empty(), "rows for an ingredient that is not admitted");
        return;
    }
    std::string predchozi;
    for (std::size_t i = 0; i < vypis.Dvojice.size(); ++i) {
        const TDvojice dvojice = vypis.Dvojice[i];
        over(dvojice.Prvni == &prisada, "row of another ingredient");
        const TPrisada* partner = dvojice.Druha;
        over(partner != nullptr && partner != &prisada, "row without a partner");
        over(PrisadaPripustna(*partner, zarazeni), "partner not admitted");
        over(PocetSpolecnych(prisada, *partner) >= 1, "partner shares no effect");
        std::string klic = KlicRazeni(TextDvojice(vypis.Druh, dvojice));
        over(i == 0 || predchozi <= klic, "rows not sorted");
        predchozi = std::move(klic);
    }
}

void overVypisEfektu(const TEfekt& efekt, TZarazeni zarazeni, bool jenTento)
{
    const TNalezene vypis = NalezeneSEfektem(efekt, zarazeni, jenTento);
    std::size_t pripustnych = 0;
    for (const TPrisada* prisada : efekt.Prisady)
        pripustnych += PrisadaPripustna(*prisada, zarazeni) ? 1 : 0;
    // Every pair of admitted carriers, or those sharing only this effect.
    const std::size_t dvojic = pripustnych * (pripustnych - (pripustnych > 0 ? 1 : 0)) / 2;
    over(jenTento ? vypis.Dvojice.size() <= dvojic : vypis.Dvojice.size() == dvojic, "number of rows");
    for (const TDvojice dvojice : vypis.Dvojice) {
        const TPrisada* a = dvojice.Prvni;
        const TPrisada* b = dvojice.Druha;
        over(a != nullptr && b != nullptr && a != b, "row without a pair");
        over(maEfekt(*a, &efekt) && maEfekt(*b, &efekt), "pair without the effect");
        over(PrisadaPripustna(*a, zarazeni) && PrisadaPripustna(*b, zarazeni), "pair not admitted");
        over(!jenTento || PocetSpolecnych(*a, *b) == 1, "pair shares more than the one effect");
    }
}

void prozkoumej(TSeznam& seznam)
{
    const auto& prisady = seznam.Prisady;
    // The brewing rule on the first ingredients: two, three and four of them.
    for (std::size_t pocet = 2; pocet <= 4 && pocet <= prisady.size(); ++pocet) {
        TLektvar lektvar;
        for (std::size_t k = 0; k < pocet; ++k)
            lektvar.Prisady[k] = prisady[k];
        SpocitejLektvar(lektvar);
        overLektvar(lektvar);
    }
    // The first and last ingredient in one potion, with a gap between them.
    if (prisady.size() >= 2) {
        TLektvar lektvar;
        lektvar.Prisady[1] = prisady.front();
        lektvar.Prisady[3] = prisady.back();
        SpocitejLektvar(lektvar);
        overLektvar(lektvar);
    }

    const TZarazeni zarazeni[] = {{true, true}, {false, true}, {true, false}};
    std::size_t vypisu = 0;
    for (std::size_t i = 0; i < prisady.size() && vypisu < 4; ++i) {
        if (nositeluPrisady(*prisady[i]) > kNejvicNositelu)
            continue;
        overVypisPrisady(*prisady[i], zarazeni[vypisu % 3]);
        ++vypisu;
    }
    vypisu = 0;
    for (std::size_t i = 0; i < seznam.Efekty.size() && vypisu < 4; ++i) {
        const TEfekt& efekt = *seznam.Efekty[i];
        if (efekt.Prisady.size() > kNejvicNositelu)
            continue;
        overVypisEfektu(efekt, zarazeni[vypisu % 3], vypisu % 2 == 1);
        ++vypisu;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kNejvetsiVstup)
        return 0;
    static const Soubor soubor;
    TSeznam seznam;
    const std::string& cesta = soubor.zapis(data, size);
    NactiSeznam(cesta, seznam);
    const std::string_view vstup(reinterpret_cast<const char*>(data), size);
    overKatalog(seznam, vstup);
    overObsah(seznam, vstup);
    TSeznam primo;
    nacitani::NactiPrimo(cesta, primo);
    overShoduSDvojcetem(seznam, primo);
    prozkoumej(seznam);
    return 0;
}
