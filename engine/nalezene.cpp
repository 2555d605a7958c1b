#include "nalezene.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "cp1250.h"

namespace {

std::string znackaDvojice(const TPrisada& a, const TPrisada& b)
{
    return ZnackaDatadisku(a.Tribunal || b.Tribunal, a.Bloodmoon || b.Bloodmoon);
}

} // namespace

void PripojNejvic(std::string& text, std::string_view cast, std::size_t nejvic)
{
    if (text.size() < nejvic)
        text.append(cast.substr(0, nejvic - text.size()));
}

std::string TextDvojice(TDruhVypisu druh, TDvojice dvojice, std::size_t nejvic)
{
    const TPrisada& a = *dvojice.Prvni;
    const TPrisada& b = *dvojice.Druha;
    std::string text;
    PripojNejvic(text, znackaDvojice(a, b), nejvic);
    if (druh == TDruhVypisu::ZPrisady) {
        PripojNejvic(text, "+ ", nejvic);
        PripojNejvic(text, b.Jmeno, nejvic);
        PripojNejvic(text, " => ", nejvic);
    } else {
        PripojNejvic(text, a.Jmeno, nejvic);
        PripojNejvic(text, " + ", nejvic);
        PripojNejvic(text, b.Jmeno, nejvic);
        if (PocetSpolecnych(a, b) <= 1)
            return text;
        PripojNejvic(text, " => ", nejvic);
    }
    if (text.size() < nejvic)
        PripojNejvic(text, SpolecneEfekty(a, b), nejvic);
    return text;
}

namespace {

// A line of an ingredient search while it is searched: its text is the mark,
// "+ ", the partner's name, " => " and the shared effects. Its order key is
// the name and what follows, ASCII letters in capitals; a name may be huge,
// so neither text nor key is made unless needed.
struct TRadekZPrisady {
    TDvojice Dvojice;
    std::string Znacka;
    std::string_view Jmeno;
    std::string Konec;  // " => " and the shared effects

    std::size_t Delka() const { return Znacka.size() + 2 + Jmeno.size() + Konec.size(); }
    std::string Text() const { return Znacka + "+ " + std::string(Jmeno) + Konec; }
};

unsigned char velke(char c)
{
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

// KlicRazeni(a.Text()) < KlicRazeni(b.Text()), without making either.
bool predKlicem(const TRadekZPrisady& a, const TRadekZPrisady& b)
{
    const auto znak = [](const TRadekZPrisady& r, std::size_t i) {
        return velke(i < r.Jmeno.size() ? r.Jmeno[i] : r.Konec[i - r.Jmeno.size()]);
    };
    const std::size_t delkaA = a.Jmeno.size() + a.Konec.size();
    const std::size_t delkaB = b.Jmeno.size() + b.Konec.size();
    const std::size_t spolecna = std::min(delkaA, delkaB);
    for (std::size_t i = 0; i < spolecna; ++i) {
        const unsigned char ca = znak(a, i);
        const unsigned char cb = znak(b, i);
        if (ca != cb)
            return ca < cb;
    }
    return delkaA < delkaB;
}

} // namespace

// A partner is met once per shared effect and listed once. Lines of equal
// texts (letter case aside) are dropped but the first; texts are compared
// only between lines of equal length, the only ones that can be equal.
TNalezene NalezeneZPrisady(TPrisada& prisada, TZarazeni zarazeni)
{
    TNalezene nalezene;
    nalezene.Druh = TDruhVypisu::ZPrisady;
    nalezene.Nadpis = "Lektvary z p\xF8\xED" "sady ";
    nalezene.Nadpis += prisada.Jmeno;
    if (!PrisadaPripustna(prisada, zarazeni))
        return nalezene;
    std::unordered_set<const TPrisada*> partneri;
    std::vector<TRadekZPrisady> radky;
    for (const TEfekt* efekt : prisada.Efekty) {
        if (efekt == nullptr)
            continue;
        for (TPrisada* partner : efekt->Prisady) {
            if (partner == &prisada || !PrisadaPripustna(*partner, zarazeni) || !partneri.insert(partner).second)
                continue;
            radky.push_back(TRadekZPrisady{TDvojice{&prisada, partner}, znackaDvojice(prisada, *partner),
                                           partner->Jmeno, " => " + SpolecneEfekty(prisada, *partner)});
        }
    }
    std::unordered_map<std::size_t, unsigned> delky;
    for (const TRadekZPrisady& radek : radky)
        ++delky[radek.Delka()];
    std::unordered_set<std::string> videne;  // texts without regard to case
    std::vector<TRadekZPrisady> jedinecne;
    jedinecne.reserve(radky.size());
    for (TRadekZPrisady& radek : radky)
        if (delky[radek.Delka()] == 1 || videne.insert(MalaPismenaCp1250(radek.Text())).second)
            jedinecne.push_back(std::move(radek));
    std::stable_sort(jedinecne.begin(), jedinecne.end(), predKlicem);
    nalezene.Dvojice.reserve(jedinecne.size());
    for (const TRadekZPrisady& radek : jedinecne)
        nalezene.Dvojice.push_back(radek.Dvojice);
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
