#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bajty.h"

namespace {

std::vector<std::size_t> naivne(const std::string& text, char znak, std::size_t nejvys)
{
    std::vector<std::size_t> pozice;
    for (std::size_t i = 0; i < text.size() && pozice.size() < nejvys; ++i) {
        if (text[i] == znak)
            pozice.push_back(i);
    }
    return pozice;
}

// Texts of every length around the block sizes, with TABs scattered at
// random, some runs of them, and TABs in the readable slack that must not
// count.
TEST(Bajty, SearchesAgreeWithAByteByByteScan)
{
    std::mt19937 nahoda(7);
    for (std::size_t delka = 0; delka <= 200; ++delka) {
        for (int pokus = 0; pokus < 20; ++pokus) {
            std::string text(delka, 'x');
            const int hustota = 1 + pokus % 6;
            for (char& c : text) {
                if (static_cast<int>(nahoda() % 16) < hustota)
                    c = '\t';
            }
            std::string sPresahem = text + std::string(bajty::kPresahVyskytu, '\t');
            const auto ocekavane = naivne(text, '\t', 5);

            std::size_t pozice[2 * 5];
            const std::size_t pocet = bajty::PrvniVyskytySPresahem<5>(sPresahem.data(), delka, '\t', pozice);
            ASSERT_EQ(std::vector<std::size_t>(pozice, pozice + pocet), ocekavane) << "length " << delka;

            const std::size_t prvniTab = ocekavane.empty() ? delka : ocekavane[0];
            const auto konec = text.data() + delka;
            const auto* nalezeny = bajty::NajdiJedenZ(text.data(), konec, '\n', '\t', '\r');
            ASSERT_EQ(static_cast<std::size_t>(nalezeny - text.data()), prvniTab);
            const auto konecSPresahem = sPresahem.data() + delka;
            nalezeny = bajty::NajdiJedenZSPresahem(sPresahem.data(), konecSPresahem, '\n', '\t', '\r');
            ASSERT_EQ(static_cast<std::size_t>(nalezeny - sPresahem.data()), prvniTab) << "length " << delka;
        }
    }
}

} // namespace
