// Invented catalogues for the benchmarks, in the loader's file format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A small deterministic generator (splitmix64), so the catalogues are the
// same with every standard library.
class Nahoda {
public:
    explicit Nahoda(std::uint64_t semeno) : stav_(semeno) {}
    std::uint64_t dalsi();
    // Uniform in [0, n); n > 0.
    std::size_t pod(std::size_t n) { return static_cast<std::size_t>(dalsi() % n); }
    // True with probability procent / 100.
    bool sance(unsigned procent) { return pod(100) < procent; }

private:
    std::uint64_t stav_;
};

// Windows-1250 word made of Czech-like syllables; velke gives it a capital.
std::string VymysliSlovo(Nahoda& nahoda, bool velke);
// One to three words, as an ingredient is named.
std::string VymysliJmenoPrisady(Nahoda& nahoda);

// The text of a catalogue file of this many ingredients: CR LF lines, a few
// comment lines, one effect per twenty ingredients, each effect carried by
// about the same number of ingredients (about eighty), mostly four effect
// fields per ingredient, some expansion marks and notes. The same count
// gives the same bytes.
std::string VytvorKatalog(std::size_t pocetPrisad, std::uint64_t semeno = 0x4D69786F72ULL);

// Lines as the finder lists them: "[T] + Name => Effect + Effect".
std::vector<std::string> VytvorRadkyVypisu(std::size_t pocet, std::uint64_t semeno = 0x52616465ULL);
