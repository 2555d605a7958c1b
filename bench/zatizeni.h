// How busy an ingredient is: the benchmarks pick their worst cases by it.
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
