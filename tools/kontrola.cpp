// The catalogue checks.
#include "kontrola.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "cp1250.h"
#include "indexy.h"

namespace {

constexpr char kTab = '\t';

// Case and blanks only: what a typing slip changes in an effect name.
std::string tvarJmena(std::string_view jmeno)
{
    std::string tvar = MalaPismenaCp1250(jmeno);
    std::erase_if(tvar, [](char c) { return c == ' ' || c == '\xA0'; });
    return tvar;
}

std::string uvozene(std::string_view cp1250)
{
    return "„" + Utf8ZCp1250(cp1250) + "“";
}

struct Varovani {
    std::size_t radek;
    std::string text;
};

class Kontrola {
public:
    Kontrola(const TSeznam& seznam, const std::vector<TRadekSouboru>& radky)
        : seznam_(seznam), radky_(radky), indexPrisady_(Indexy(seznam.Prisady))
    {
        // Lower-case effect names: a note equal to one is most likely a
        // field whose closing TAB was forgotten.
        for (const TEfekt* efekt : seznam.Efekty)
            jmenaEfektu_.insert(MalaPismenaCp1250(efekt->Jmeno));
    }

    std::vector<std::string> vysledek()
    {
        for (std::size_t k = 0; k < radky_.size(); ++k)
            zkontrolujRadek(k);
        zkontrolujJmenaEfektu();
        zkontrolujJmenaPrisad();
        std::stable_sort(varovani_.begin(), varovani_.end(),
                         [](const Varovani& a, const Varovani& b) { return a.radek < b.radek; });
        std::vector<std::string> texty;
        for (const Varovani& v : varovani_)
            texty.push_back("řádek " + std::to_string(v.radek) + ": " + v.text);
        return texty;
    }

private:
    void zkontrolujRadek(std::size_t k)
    {
        const std::string_view radek = radky_[k].Text;
        const TPoleRadku pole = RozdelRadek(radek);
        if (radek.find(kTab) == std::string_view::npos)
            varuj(k, "chybí tabulátor, celý řádek je poznámkou");
        if (pole.Ocas.find(kTab) != std::string_view::npos)
            varuj(k, "víc než čtyři efekty, zbytek řádku je poznámkou");
        if (pole.Ocas.starts_with('[') && !pole.Tribunal && !pole.Bloodmoon)
            varuj(k, "značka na začátku poznámky neoznačuje Tribunal (T, 1) ani Bloodmoon (B, 2)");
        // The catalogue's own lookup of the name, then the same with case folded.
        const std::string_view poznamka = seznam_.Prisady[k]->Poznamka;
        if (seznam_.NajdiEfekt(poznamka) != nullptr || jmenaEfektu_.contains(MalaPismenaCp1250(poznamka)))
            varuj(k, "poznámka " + uvozene(poznamka) + " je jméno efektu, nechybí za ní tabulátor?");
    }

    void zkontrolujJmenaEfektu()
    {
        std::unordered_map<std::string, const TEfekt*> podleTvaru;
        for (const TEfekt* efekt : seznam_.Efekty) {
            const auto [prvni, novy] = podleTvaru.emplace(tvarJmena(efekt->Jmeno), efekt);
            if (novy)
                continue;
            const std::size_t radekPrvniho = radky_[prvniNositel(*prvni->second)].Cislo;
            varuj(prvniNositel(*efekt), "efekt " + uvozene(efekt->Jmeno) + " se od efektu " +
                                            uvozene(prvni->second->Jmeno) + " (řádek " +
                                            std::to_string(radekPrvniho) +
                                            ") liší jen velikostí písmen nebo mezerami");
        }
    }

    void zkontrolujJmenaPrisad()
    {
        std::unordered_map<std::string_view, std::size_t> podleJmena;
        for (std::size_t k = 0; k < radky_.size(); ++k) {
            const std::string_view jmeno = seznam_.Prisady[k]->Jmeno;
            if (jmeno.empty())
                continue;
            const auto [prvni, novy] = podleJmena.emplace(jmeno, k);
            if (!novy)
                varuj(k, "přísada " + uvozene(jmeno) + " už je na řádku " +
                             std::to_string(radky_[prvni->second].Cislo));
        }
    }

    // An effect is first mentioned by the first ingredient that carries it.
    std::size_t prvniNositel(const TEfekt& efekt) const
    {
        return indexPrisady_.at(efekt.Prisady.front());
    }

    void varuj(std::size_t k, std::string text)
    {
        varovani_.push_back(Varovani{radky_[k].Cislo, std::move(text)});
    }

    const TSeznam& seznam_;
    const std::vector<TRadekSouboru>& radky_;
    std::unordered_map<const TPrisada*, std::size_t> indexPrisady_;
    std::unordered_set<std::string> jmenaEfektu_;
    std::vector<Varovani> varovani_;
};

} // namespace

std::vector<std::string> Zkontroluj(const TSeznam& seznam, const std::vector<TRadekSouboru>& radky)
{
    return Kontrola(seznam, radky).vysledek();
}
