// Byte searches for the loader's short fields and lines. A library memchr
// per field costs more in calling than in searching; these stay inline and
// test 64 bytes at a time where SSE2 is there, reading into slack that the
// caller guarantees.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bajty {

// The first byte in [p, konec) equal to a, b or c; konec if there is none.
inline const char* NajdiJedenZ(const char* p, const char* konec, char a, char b, char c)
{
    for (; p < konec; ++p) {
        if (*p == a || *p == b || *p == c)
            return p;
    }
    return konec;
}

// The same, reading 64 bytes at a time, up to 63 bytes past konec, which
// must be readable.
inline const char* NajdiJedenZSPresahem(const char* p, const char* konec, char a, char b, char c)
{
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    for (; p < konec; p += 64) {
        std::uint64_t maska = 0;
        for (std::size_t blok = 0; blok < 4; ++blok) {
            const __m128i bajty = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * blok));
            const __m128i shody = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bajty, va), _mm_cmpeq_epi8(bajty, vb)),
                                               _mm_cmpeq_epi8(bajty, vc));
            maska |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(shody))) << (16 * blok);
        }
        if (maska != 0) {
            const char* const nalezeny = p + __builtin_ctzll(maska);
            return nalezeny < konec ? nalezeny : konec;
        }
    }
    return konec;
#else
    return NajdiJedenZ(p, konec, a, b, c);
#endif
}

// The offsets of the first (at most kNejvys) bytes equal to znak in the n
// bytes at p, in order; returns how many there are. A line's fields are
// found together instead of one search each: it reads 64 bytes at a time,
// up to 63 bytes past p + n, which must be readable, and takes the
// positions out of each 64-bit mask without a branch per position. Past the
// positions found, pozice holds scratch: it has room for twice kNejvys.
inline constexpr std::size_t kPresahVyskytu = 64;

template <std::size_t kNejvys>
std::size_t PrvniVyskytySPresahem(const char* p, std::size_t n, char znak, std::size_t (&pozice)[2 * kNejvys])
{
#if defined(__SSE2__)
    std::size_t nalezeno = 0;
    const __m128i hledany = _mm_set1_epi8(znak);
    for (std::size_t od = 0; od < n && nalezeno < kNejvys; od += 64) {
        std::uint64_t maska = 0;
        for (std::size_t blok = 0; blok < 4; ++blok) {
            const __m128i bajty = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + od + 16 * blok));
            maska |= static_cast<std::uint64_t>(
                         static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bajty, hledany))))
                     << (16 * blok);
        }
        const std::size_t platnych = n - od;
        maska &= platnych >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << platnych) - 1;
        std::size_t vyskytu = 0;
        for (std::size_t j = 0; j < kNejvys; ++j) {
            vyskytu += maska != 0 ? 1 : 0;
            pozice[nalezeno + j] = od + static_cast<std::size_t>(__builtin_ctzll(maska | (std::uint64_t{1} << 63)));
            maska &= maska - 1;
        }
        nalezeno += std::min(vyskytu, kNejvys - nalezeno);
    }
    return nalezeno;
#else
    std::size_t nalezeno = 0;
    for (std::size_t od = 0; od < n && nalezeno < kNejvys; ++od) {
        if (p[od] == znak)
            pozice[nalezeno++] = od;
    }
    return nalezeno;
#endif
}

} // namespace bajty
