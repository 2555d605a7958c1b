// Byte searches for the loader's short fields and lines. A library memchr
// per field costs more in calling than in searching; these stay inline and
// test sixteen bytes at a time where SSE2 is there.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bajty {

// The first byte in [p, konec) equal to a, b or c; konec if there is none.
inline const char* NajdiJedenZ(const char* p, const char* konec, char a, char b, char c)
{
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    for (; konec - p >= 16; p += 16) {
        const __m128i blok = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i shody = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(blok, va), _mm_cmpeq_epi8(blok, vb)),
                                           _mm_cmpeq_epi8(blok, vc));
        if (const int maska = _mm_movemask_epi8(shody); maska != 0)
            return p + __builtin_ctz(static_cast<unsigned>(maska));
    }
#endif
    for (; p < konec; ++p) {
        if (*p == a || *p == b || *p == c)
            return p;
    }
    return konec;
}

inline const char* Najdi(const char* p, const char* konec, char znak)
{
    return NajdiJedenZ(p, konec, znak, znak, znak);
}

} // namespace bajty
