#include "nalezene.h"

#include <unordered_set>

#include "cp1250.h"

namespace {

std::string znackaDvojice(const TPrisada& a, const TPrisada& b)
{
    return ZnackaDatadisku(a.Tribunal || b.Tribunal, a.Bloodmoon || b.Bloodmoon);
}

} // namespace

std::string TextDvojice(TDruhVypisu druh, TDvojice dvojice)
{
    const TPrisada& a = *dvojice.Prvni;
    const TPrisada& b = *dvojice.Druha;
    std::string text = znackaDvojice(a, b);
    if (druh == TDruhVypisu::ZPrisady) {
        text += "+ ";
        text += b.Jmeno;
        text += " => ";
        text += SpolecneEfekty(a, b);
        return text;
    }
    text += a.Jmeno;
    text += " + ";
    text += b.Jmeno;
    if (PocetSpolecnych(a, b) > 1) {
        text += " => ";
        text += SpolecneEfekty(a, b);
    }
    return text;
}

// A partner is met once per shared effect and listed once; the few texts
// needed for that and for the order live only during the search.
TNalezene NalezeneZPrisady(TPrisada& prisada, TZarazeni zarazeni)
{
    TNalezene nalezene;
    nalezene.Druh = TDruhVypisu::ZPrisady;
    nalezene.Nadpis = "Lektvary z p\xF8\xED" "sady ";
    nalezene.Nadpis += prisada.Jmeno;
    if (!PrisadaPripustna(prisada, zarazeni))
        return nalezene;
    std::unordered_set<std::string> videne;  // texts without regard to case
    std::vector<std::pair<std::string, TDvojice>> radky;
    for (const TEfekt* efekt : prisada.Efekty) {
        if (efekt == nullptr)
            continue;
        for (TPrisada* partner : efekt->Prisady) {
            if (partner == &prisada || !PrisadaPripustna(*partner, zarazeni))
                continue;
            const TDvojice dvojice{&prisada, partner};
            std::string text = TextDvojice(TDruhVypisu::ZPrisady, dvojice);
            if (videne.insert(MalaPismenaCp1250(text)).second)
                radky.emplace_back(std::move(text), dvojice);
        }
    }
    SeradPodleKlice(radky, [](const auto& r) -> const std::string& { return r.first; });
    nalezene.Dvojice.reserve(radky.size());
    for (const auto& radek : radky)
        nalezene.Dvojice.push_back(radek.second);
    return nalezene;
}

// Room for every pair is reserved at once: pages never touched cost nothing,
// and the list never moves, so the peak stays the pairs themselves.
TNalezene NalezeneSEfektem(const TEfekt& efekt, TZarazeni zarazeni, bool jenTento)
{
    TNalezene nalezene;
    nalezene.Druh = TDruhVypisu::SEfektem;
    nalezene.Nadpis = std::string("Lektvary ") + (jenTento ? "pouze " : "") + "s efektem ";
    nalezene.Nadpis += efekt.Jmeno;
    std::vector<TPrisada*> nositele;
    for (TPrisada* prisada : efekt.Prisady)
        if (PrisadaPripustna(*prisada, zarazeni))
            nositele.push_back(prisada);
    const std::size_t n = nositele.size();
    if (n < 2)
        return nalezene;
    nalezene.Dvojice.reserve(n * (n - 1) / 2);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        TPrisada* a = nositele[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            TPrisada* b = nositele[j];
            if (jenTento && PocetSpolecnych(*a, *b) != 1)
                continue;
            nalezene.Dvojice.push_back(TDvojice{a, b});
        }
    }
    return nalezene;
}
