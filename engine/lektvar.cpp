// The brewing rule: a potion has the effects that two or more slots share.
#include "lektvar.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kSlotu = 4;

// Effects of all filled slots in order of first appearance, with the slots
// that give each. At most sixteen entries, so a linear search is enough.
std::vector<TEfektLektvaru> posbirejEfekty(TLektvar& lektvar)
{
    std::vector<TEfektLektvaru> tabulka;
    for (std::size_t k = 0; k < kSlotu; ++k) {
        const TPrisada* prisada = lektvar.Prisady[k];
        if (prisada == nullptr)
            continue;
        for (TEfekt* efekt : prisada->Efekty) {
            if (efekt == nullptr)
                continue;
            auto zaznam = std::find_if(tabulka.begin(), tabulka.end(),
                                       [efekt](const TEfektLektvaru& z) { return z.Efekt == efekt; });
            if (zaznam == tabulka.end()) {
                tabulka.push_back(TEfektLektvaru{efekt, {}});
                zaznam = tabulka.end() - 1;
            }
            zaznam->ZPrisady[k] = true;
        }
        lektvar.Tribunal = lektvar.Tribunal || prisada->Tribunal;
        lektvar.Bloodmoon = lektvar.Bloodmoon || prisada->Bloodmoon;
    }
    return tabulka;
}

} // namespace

void SpocitejLektvar(TLektvar& lektvar)
{
    lektvar.Efekty = {};
    lektvar.Tribunal = false;
    lektvar.Bloodmoon = false;
    std::size_t n = 0;
    for (const TEfektLektvaru& zaznam : posbirejEfekty(lektvar)) {
        if (n == lektvar.Efekty.size())
            break;
        if (std::count(zaznam.ZPrisady.begin(), zaznam.ZPrisady.end(), true) >= 2)
            lektvar.Efekty[n++] = zaznam;
    }
}
