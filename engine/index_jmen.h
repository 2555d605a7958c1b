// Names to numbers: the catalogue's lookup of effects by exact name.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A name made ready for lookups: its hash, and its first 24 bytes as three
// words, zero past its end. Preparing it is where the name's length decides
// anything; the lookup itself then compares words.
// Left uninitialised by default: the loader makes four for every line.
struct TJmenoKHledani {
    std::string_view jmeno;
    std::uint64_t hash;
    std::array<std::uint64_t, 3> slova;
};

// An open-addressing table tuned for many lookups of short names. Probes
// read a small array of one-byte tags (seven bits of the hash), sixteen at a
// time; only a matching tag leads to the slot's key, which holds names of
// up to 24 bytes in place. A lookup touches two or three cache lines.
class TIndexJmen {
public:
    static constexpr std::uint32_t kZadne = UINT32_MAX;
    // How many bytes past a name's end PripravSPresahem may read.
    static constexpr std::size_t kPresah = 32;

    static TJmenoKHledani Priprav(std::string_view jmeno);
    // The same result, with whole-word reads that may go kPresah bytes past
    // the name's end, which must be readable memory.
    static TJmenoKHledani PripravSPresahem(std::string_view jmeno);

    // The number stored under exactly this name, or kZadne.
    std::uint32_t Najdi(const TJmenoKHledani& hledane) const;
    std::uint32_t Najdi(std::string_view jmeno) const { return Najdi(Priprav(jmeno)); }
    // Starts fetching what Najdi will read, so that several lookups can wait
    // for memory together.
    void Predcti(const TJmenoKHledani& hledane) const;

    // Stores a name that is not in the index yet.
    void Vloz(std::string_view jmeno, std::uint32_t cislo);
    void Vyprazdni();
    std::size_t Pocet() const { return pocet_; }

private:
    static constexpr std::size_t kVMiste = 24;
    static constexpr std::size_t kZacatekDlouheho = 16;
    struct Klic {
        std::uint32_t cislo;
        std::uint32_t delka;
        // The prepared words of the name. A name longer than 24 bytes keeps
        // its first two words here and, in the third, where its bytes from
        // the 17th on lie in dlouha_.
        std::array<std::uint64_t, 3> slova;
    };
    static_assert(sizeof(Klic) == 32);

    static constexpr std::uint8_t kVolny = 0;
    static constexpr std::size_t kSkupina = 16;
    // kVolny, or 0x80 | seven bits of the hash; the first kSkupina tags are
    // repeated past the end, so that a group read at any slot is whole.
    std::vector<std::uint8_t> znacky_;
    std::vector<Klic> klice_;
    std::size_t pocetSlotu_ = 0;
    std::string dlouha_;
    std::size_t pocet_ = 0;

    static std::uint8_t znacka(std::uint64_t hash) { return static_cast<std::uint8_t>(0x80 | (hash >> 57)); }
    bool klicJe(const Klic& klic, const TJmenoKHledani& hledane) const;
    std::string jmenoKlice(const Klic& klic) const;
    void zvetsi();
    void vlozDoVolneho(std::uint8_t znackaKlice, std::uint64_t hash, const Klic& klic);
};

// Preparing and looking up are inlined into the loader's loop: they run for
// every field.
namespace index_jmen_detail {


constexpr std::uint64_t kSemeno = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kPrvni = 0xA0761D6478BD642FULL;
constexpr std::uint64_t kDruhe = 0xE7037ED1A0B428DBULL;
constexpr std::uint64_t kTreti = 0x8EBC6AF09C88C6E3ULL;

inline std::uint64_t nacti64(const char* p)
{
    std::uint64_t slovo;
    std::memcpy(&slovo, p, sizeof slovo);
    return slovo;
}

// Multiplies to 128 bits and folds the halves: one instruction that mixes
// every input bit into the result.
inline std::uint64_t slozSoucin(std::uint64_t a, std::uint64_t b)
{
    __extension__ using Dvojslovo = unsigned __int128;
    const Dvojslovo soucin = static_cast<Dvojslovo>(a) * b;
    return static_cast<std::uint64_t>(soucin) ^ static_cast<std::uint64_t>(soucin >> 64);
}

// Keeps the bytes of a word that lie before the name's end: the word starts
// `od` bytes into a name of n bytes.
inline std::uint64_t jenJmeno(std::uint64_t slovo, std::size_t n, std::size_t od)
{
    static constexpr std::uint64_t kMasky[9] = {
        0,
        0xFF,
        0xFFFF,
        0xFFFFFF,
        0xFFFFFFFF,
        0xFFFFFFFFFFULL,
        0xFFFFFFFFFFFFULL,
        0xFFFFFFFFFFFFFFULL,
        ~std::uint64_t{0},
    };
    const auto zbyva = std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(n) - static_cast<std::ptrdiff_t>(od), 0, 8);
    return slovo & kMasky[zbyva];
}

// Names of up to 24 bytes hash their three words; longer ones also every
// byte, sixteen at a time. Either way every byte and the length count.
inline void dopocitejHash(TJmenoKHledani& k)
{
    const std::size_t n = k.jmeno.size();
    std::uint64_t h = kSemeno ^ (n * kPrvni);
    if (n > 24) {
        const char* q = k.jmeno.data();
        for (std::size_t zbyva = n; zbyva > 16; zbyva -= 16, q += 16)
            h = slozSoucin(nacti64(q) ^ kPrvni, nacti64(q + 8) ^ h);
        h ^= nacti64(k.jmeno.data() + n - 8);
    }
    const std::uint64_t a = slozSoucin(k.slova[0] ^ kPrvni ^ h, k.slova[1] ^ kDruhe);
    k.hash = slozSoucin(a ^ kTreti, k.slova[2] ^ h) ^ a;
}

} // namespace index_jmen_detail

inline TJmenoKHledani TIndexJmen::PripravSPresahem(std::string_view jmeno)
{
    TJmenoKHledani k;  // every member is set below
    k.jmeno = jmeno;
#if defined(__SSE2__) && defined(__x86_64__)
    // Two 16-byte loads, each ANDed with "byte index < length".
    const auto delka = static_cast<char>(std::min<std::size_t>(jmeno.size(), 127));
    const __m128i hranice = _mm_set1_epi8(delka);
    const __m128i prvni = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i druhe = _mm_setr_epi8(16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31);
    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(jmeno.data())),
                                    _mm_cmpgt_epi8(hranice, prvni));
    const __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(jmeno.data() + 16)),
                                    _mm_cmpgt_epi8(hranice, druhe));
    k.slova[0] = static_cast<std::uint64_t>(_mm_cvtsi128_si64(a));
    k.slova[1] = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(a, a)));
    k.slova[2] = static_cast<std::uint64_t>(_mm_cvtsi128_si64(b));
#else
    for (std::size_t i = 0; i < k.slova.size(); ++i)
        k.slova[i] = index_jmen_detail::jenJmeno(index_jmen_detail::nacti64(jmeno.data() + 8 * i), jmeno.size(), 8 * i);
#endif
    index_jmen_detail::dopocitejHash(k);
    return k;
}


inline bool TIndexJmen::klicJe(const Klic& klic, const TJmenoKHledani& hledane) const
{
    const std::size_t n = hledane.jmeno.size();
    if (klic.delka != n)
        return false;
    const bool kratke = n <= kVMiste;
    const std::uint64_t rozdil = (klic.slova[0] ^ hledane.slova[0]) | (klic.slova[1] ^ hledane.slova[1]) |
                                 ((klic.slova[2] ^ hledane.slova[2]) & (kratke ? ~std::uint64_t{0} : 0));
    if (rozdil != 0)
        return false;
    return kratke || std::memcmp(dlouha_.data() + klic.slova[2], hledane.jmeno.data() + kZacatekDlouheho,
                                 n - kZacatekDlouheho) == 0;
}

inline void TIndexJmen::Predcti(const TJmenoKHledani& hledane) const
{
    // No test for an empty table: GCC drops the prefetches behind one. A
    // prefetch of any address is harmless, and integer arithmetic keeps a
    // null base well defined.
    const std::size_t i = hledane.hash & (pocetSlotu_ - 1);
    const auto adresa = [i](const auto& pole) {
        return reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(pole.data()) + i * sizeof(pole[0]));
    };
    // The tags are a few kilobytes and stay in cache; the keys are what
    // misses. Fetching both would only fill the queue of misses sooner.
    __builtin_prefetch(adresa(klice_));
}

inline std::uint32_t TIndexJmen::Najdi(const TJmenoKHledani& hledane) const
{
    if (pocet_ == 0)
        return kZadne;
    const std::uint8_t hledana = znacka(hledane.hash);
    const std::size_t maska = pocetSlotu_ - 1;
#if defined(__SSE2__)
    // Linear probing, a group of sixteen slots at a time: the candidates are
    // the matching tags before the group's first free slot.
    const __m128i vzor = _mm_set1_epi8(static_cast<char>(hledana));
    for (std::size_t i = hledane.hash & maska;; i = (i + kSkupina) & maska) {
        const __m128i skupina = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&znacky_[i]));
        const auto shody = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(skupina, vzor)));
        const auto volne = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(skupina, _mm_setzero_si128())));
        const unsigned predVolnym = volne != 0 ? (volne & (0u - volne)) - 1 : 0xFFFFu;
        for (unsigned kandidati = shody & predVolnym; kandidati != 0; kandidati &= kandidati - 1) {
            const Klic& klic = klice_[(i + static_cast<std::size_t>(__builtin_ctz(kandidati))) & maska];
            if (klicJe(klic, hledane))
                return klic.cislo;
        }
        if (volne != 0)
            return kZadne;
    }
#else
    for (std::size_t i = hledane.hash & maska; znacky_[i] != kVolny; i = (i + 1) & maska) {
        if (znacky_[i] == hledana && klicJe(klice_[i], hledane))
            return klice_[i].cislo;
    }
    return kZadne;
#endif
}
