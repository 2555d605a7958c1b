// The potion finder.
#include "hledani.h"

#include <unordered_set>

#include "cp1250.h"

namespace {

constexpr std::string_view kOddelovac = " + ";
constexpr std::string_view kSipka = " => ";

bool pripustna(const TPrisada& prisada, TZarazeni zarazeni)
{
    return (!prisada.Tribunal || zarazeni.Tribunal) && (!prisada.Bloodmoon || zarazeni.Bloodmoon);
}

std::string znackaDvojice(const TPrisada& a, const TPrisada& b)
{
    return ZnackaDatadisku(a.Tribunal || b.Tribunal, a.Bloodmoon || b.Bloodmoon);
}

} // namespace

bool PrisadaPripustna(const TPrisada& prisada, TZarazeni zarazeni)
{
    return pripustna(prisada, zarazeni);
}

unsigned PocetSpolecnych(const TPrisada& prvni, const TPrisada& druha)
{
    unsigned pocet = 0;
    for (const TEfekt* a : prvni.Efekty)
        for (const TEfekt* b : druha.Efekty)
            pocet += (a != nullptr && a == b) ? 1 : 0;
    return pocet;
}

// Names every matching slot pair in walk order, beyond four too.
std::string SpolecneEfekty(const TPrisada& prvni, const TPrisada& druha)
{
    std::string text;
    for (const TEfekt* a : prvni.Efekty) {
        for (const TEfekt* b : druha.Efekty) {
            if (a == nullptr || a != b)
                continue;
            if (!text.empty())
                text += kOddelovac;
            text += a->Jmeno;
        }
    }
    return text;
}

TVypis LektvaryZPrisady(TPrisada& prisada, TZarazeni zarazeni)
{
    TVypis vypis;
    vypis.Nadpis = "Lektvary z p\xF8\xED" "sady ";
    vypis.Nadpis += prisada.Jmeno;
    if (!pripustna(prisada, zarazeni))
        return vypis;
    std::unordered_set<std::string> videne;  // texts without regard to case
    for (const TEfekt* efekt : prisada.Efekty) {
        if (efekt == nullptr)
            continue;
        for (TPrisada* partner : efekt->Prisady) {
            if (partner == &prisada || !pripustna(*partner, zarazeni))
                continue;
            std::string text = znackaDvojice(prisada, *partner) + "+ ";
            text += partner->Jmeno;
            text += kSipka;
            text += SpolecneEfekty(prisada, *partner);
            if (!videne.insert(MalaPismenaCp1250(text)).second)
                continue;
            vypis.Radky.push_back(TRadekVypisu{std::move(text), TDvojice{&prisada, partner}});
        }
    }
    SeradPodleKlice(vypis.Radky, [](const TRadekVypisu& r) -> const std::string& { return r.Text; });
    return vypis;
}

TVypis LektvarySEfektem(const TEfekt& efekt, TZarazeni zarazeni, bool jenTento)
{
    TVypis vypis;
    vypis.Nadpis = std::string("Lektvary ") + (jenTento ? "pouze " : "") + "s efektem ";
    vypis.Nadpis += efekt.Jmeno;
    // Admissible carriers first, keeping their order: the pairs of positions
    // in the full list come in the same order.
    std::vector<TPrisada*> nositele;
    for (TPrisada* prisada : efekt.Prisady)
        if (pripustna(*prisada, zarazeni))
            nositele.push_back(prisada);
    for (std::size_t i = 0; i + 1 < nositele.size(); ++i) {
        TPrisada& a = *nositele[i];
        for (std::size_t j = i + 1; j < nositele.size(); ++j) {
            TPrisada& b = *nositele[j];
            const unsigned spolecnych = PocetSpolecnych(a, b);
            if (jenTento && spolecnych != 1)
                continue;
            std::string text = znackaDvojice(a, b);
            text += a.Jmeno;
            text += kOddelovac;
            text += b.Jmeno;
            if (spolecnych > 1)
                text += std::string(kSipka) + SpolecneEfekty(a, b);
            vypis.Radky.push_back(TRadekVypisu{std::move(text), TDvojice{&a, &b}});
        }
    }
    return vypis;
}

std::string KlicRazeni(std::string_view text)
{
    if (!text.empty() && text[0] == '[') {
        const auto konec = text.find(']');
        text.remove_prefix(konec == std::string_view::npos ? 1 : std::min(konec + 2, text.size()));
    }
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(std::min<std::size_t>(2, text.size()));
    return VelkaPismenaAscii(text);
}
