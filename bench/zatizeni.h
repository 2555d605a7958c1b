// How busy an ingredient is, and the other records the benchmarks pick as
// their worst cases.
#pragma once

#include <algorithm>
#include <cstddef>

#include "katalog.h"

// Sum of the carriers of an ingredient's effects, each effect once.
inline std::size_t Zatizeni(const TPrisada& prisada)
{
    std::size_t soucet = 0;
    for (std::size_t k = 0; k < prisada.Efekty.size(); ++k) {
        const TEfekt* efekt = prisada.Efekty[k];
        if (efekt != nullptr &&
            std::find(prisada.Efekty.begin(), prisada.Efekty.begin() + k, efekt) == prisada.Efekty.begin() + k)
            soucet += efekt->Prisady.size();
    }
    return soucet;
}

inline TEfekt* NejcastejsiEfekt(const TSeznam& seznam)
{
    return *std::max_element(seznam.Efekty.begin(), seznam.Efekty.end(),
                             [](const TEfekt* a, const TEfekt* b) { return a->Prisady.size() < b->Prisady.size(); });
}

inline TPrisada* NejvytizenejsiPrisada(const TSeznam& seznam)
{
    return *std::max_element(seznam.Prisady.begin(), seznam.Prisady.end(),
                             [](const TPrisada* a, const TPrisada* b) { return Zatizeni(*a) < Zatizeni(*b); });
}

inline TPrisada* NejdelsiJmeno(const TSeznam& seznam)
{
    return *std::max_element(seznam.Prisady.begin(), seznam.Prisady.end(),
                             [](const TPrisada* a, const TPrisada* b) { return a->Jmeno.size() < b->Jmeno.size(); });
}
