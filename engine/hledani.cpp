// What the potion finders share.
#include "hledani.h"

#include "cp1250.h"

namespace {

constexpr std::string_view kOddelovac = " + ";

} // namespace

bool PrisadaPripustna(const TPrisada& prisada, TZarazeni zarazeni)
{
    return (!prisada.Tribunal || zarazeni.Tribunal) && (!prisada.Bloodmoon || zarazeni.Bloodmoon);
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
