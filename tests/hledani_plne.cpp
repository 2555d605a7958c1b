// The search for potions by effects, written as plainly as it is defined.
#include "hledani_plne.h"

#include <algorithm>
#include <optional>

namespace {

bool vyhovuje(const TSeznam& seznam, const std::vector<std::uint32_t>& poradi, const TZadaniHledani& zadani,
              std::size_t* efektu = nullptr)
{
    TLektvar lektvar;
    for (std::size_t s = 0; s < poradi.size(); ++s)
        lektvar.Prisady[s] = seznam.Prisady[poradi[s]];
    SpocitejLektvar(lektvar);
    std::vector<const TEfekt*> maji;
    for (const TEfektLektvaru& e : lektvar.Efekty)
        if (e.Efekt != nullptr)
            maji.push_back(e.Efekt);
    if (efektu != nullptr)
        *efektu = maji.size();
    for (const TEfekt* chteny : zadani.Chtene)
        if (std::find(maji.begin(), maji.end(), chteny) == maji.end())
            return false;
    for (const TEfekt* zakazany : zadani.Zakazane)
        if (std::find(maji.begin(), maji.end(), zakazany) != maji.end())
            return false;
    return true;
}

// The first qualifying order of an ascending set, if any.
std::optional<std::vector<std::uint32_t>> poradi(const TSeznam& seznam, std::vector<std::uint32_t> mnozina,
                                                 const TZadaniHledani& zadani)
{
    do {
        if (vyhovuje(seznam, mnozina, zadani))
            return mnozina;
    } while (std::next_permutation(mnozina.begin(), mnozina.end()));
    return std::nullopt;
}

void podmnoziny(const std::vector<std::uint32_t>& z, std::size_t od, std::size_t nejvice,
                std::vector<std::uint32_t>& rozpracovana, std::vector<std::vector<std::uint32_t>>& out)
{
    if (rozpracovana.size() >= 2)
        out.push_back(rozpracovana);
    if (rozpracovana.size() == nejvice)
        return;
    for (std::size_t i = od; i < z.size(); ++i) {
        rozpracovana.push_back(z[i]);
        podmnoziny(z, i + 1, nejvice, rozpracovana, out);
        rozpracovana.pop_back();
    }
}

} // namespace

std::vector<TPlny> PlneHledani(const TSeznam& seznam, const TZadaniHledani& zadani)
{
    std::vector<std::uint32_t> kandidati;
    for (std::uint32_t i = 0; i < seznam.Prisady.size(); ++i) {
        const TPrisada& p = *seznam.Prisady[i];
        if (!PrisadaPripustna(p, zadani.Zarazeni) || (zadani.JenZeZasob && !zadani.Zasoby.contains(&p)))
            continue;
        bool nese = false;
        for (const TEfekt* e : p.Efekty)
            nese = nese || (e != nullptr && std::find(zadani.Chtene.begin(), zadani.Chtene.end(), e) !=
                                                zadani.Chtene.end());
        if (nese)
            kandidati.push_back(i);
    }
    std::vector<std::vector<std::uint32_t>> mnoziny;
    std::vector<std::uint32_t> rozpracovana;
    podmnoziny(kandidati, 0, zadani.NejvicePrisad, rozpracovana, mnoziny);
    std::vector<TPlny> out;
    for (const auto& mnozina : mnoziny) {
        const auto nalezene = poradi(seznam, mnozina, zadani);
        if (!nalezene)
            continue;
        std::vector<std::vector<std::uint32_t>> mensi;
        std::vector<std::uint32_t> r;
        podmnoziny(mnozina, 0, mnozina.size() - 1, r, mensi);
        const bool zbytecna = std::any_of(mensi.begin(), mensi.end(),
                                          [&](const auto& m) { return poradi(seznam, m, zadani).has_value(); });
        if (zbytecna)
            continue;
        TPlny plny{*nalezene};
        vyhovuje(seznam, *nalezene, zadani, &plny.efektu);
        out.push_back(plny);
    }
    std::sort(out.begin(), out.end(), [](const TPlny& a, const TPlny& b) {
        if (a.pozice.size() != b.pozice.size())
            return a.pozice.size() < b.pozice.size();
        if (a.efektu != b.efektu)
            return a.efektu < b.efektu;
        return a.pozice < b.pozice;
    });
    return out;
}

