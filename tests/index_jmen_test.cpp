#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "index_jmen.h"

namespace {

// Names of every length up to well past the part kept in place, and for
// each length variants that differ in one byte only: first, middle, last.
std::vector<std::string> jmenaLisiciSeVJednomBajtu()
{
    std::vector<std::string> jmena;
    for (std::size_t delka = 1; delka <= 48; ++delka) {
        const std::string zaklad(delka, 'a');
        jmena.push_back(zaklad);
        for (std::size_t misto : {std::size_t{0}, delka / 2, delka - 1}) {
            std::string jine = zaklad;
            jine[misto] = 'b';
            jmena.push_back(jine);
        }
    }
    return jmena;
}

} // namespace

TEST(IndexJmen, TellsApartNamesThatDifferInOneByteOrInLength)
{
    std::vector<std::string> jmena = jmenaLisiciSeVJednomBajtu();
    jmena.push_back(std::string("x\0y", 3));
    jmena.push_back(std::string("x\0z", 3));
    jmena.push_back("\x8a\xe8\xfd\x9e");  // Windows-1250 letters, high bytes

    TIndexJmen index;
    std::uint32_t cislo = 0;
    for (const std::string& jmeno : jmena) {
        if (index.Najdi(jmeno) == TIndexJmen::kZadne)
            index.Vloz(jmeno, cislo++);
    }
    // The variants of one-byte names coincide (first, middle and last are
    // the same byte); every other name got a number of its own.
    std::uint32_t ocekavane = 0;
    std::vector<std::uint32_t> cisla;
    for (const std::string& jmeno : jmena)
        cisla.push_back(index.Najdi(jmeno));
    for (std::size_t i = 0; i < jmena.size(); ++i) {
        bool videno = false;
        for (std::size_t j = 0; j < i; ++j)
            videno = videno || jmena[j] == jmena[i];
        if (videno)
            continue;
        EXPECT_EQ(cisla[i], ocekavane) << "name #" << i << " of " << jmena[i].size() << " bytes";
        ++ocekavane;
    }
    EXPECT_EQ(index.Pocet(), ocekavane);

    // Prefixes, extensions and empty names are different names.
    EXPECT_EQ(index.Najdi(std::string(49, 'a')), TIndexJmen::kZadne);
    EXPECT_EQ(index.Najdi(std::string(30, 'b')), TIndexJmen::kZadne);
    EXPECT_EQ(index.Najdi(""), TIndexJmen::kZadne);
    EXPECT_EQ(index.Najdi(std::string("x\0", 2)), TIndexJmen::kZadne);
}

TEST(IndexJmen, KeepsEveryNameThroughGrowthAndForgetsThemWhenEmptied)
{
    TIndexJmen index;
    const auto jmeno = [](std::uint32_t i) { return "Efekt s dlouhym jmenem cislo " + std::to_string(i); };
    for (std::uint32_t i = 0; i < 5000; ++i)
        index.Vloz(i % 2 == 0 ? jmeno(i) : std::to_string(i), i);
    for (std::uint32_t i = 0; i < 5000; ++i)
        ASSERT_EQ(index.Najdi(i % 2 == 0 ? jmeno(i) : std::to_string(i)), i);
    EXPECT_EQ(index.Najdi(jmeno(1)), TIndexJmen::kZadne);

    index.Vyprazdni();
    EXPECT_EQ(index.Pocet(), 0u);
    EXPECT_EQ(index.Najdi(jmeno(0)), TIndexJmen::kZadne);
    index.Vloz(jmeno(0), 7);
    EXPECT_EQ(index.Najdi(jmeno(0)), 7u);
}

TEST(IndexJmen, PreparingWithSlackMatchesPreparingExactly)
{
    // The loader prepares names in place, reading past their ends; the index
    // stores names prepared exactly. Both must agree byte for byte.
    for (std::size_t delka = 0; delka <= 48; ++delka) {
        std::string jmeno;
        for (std::size_t i = 0; i < delka; ++i)
            jmeno += static_cast<char>('a' + i % 26);
        const std::string sPresahem = jmeno + std::string(TIndexJmen::kPresah, '\xFF');
        const TJmenoKHledani presne = TIndexJmen::Priprav(jmeno);
        const TJmenoKHledani vMiste = TIndexJmen::PripravSPresahem(std::string_view(sPresahem.data(), delka));
        EXPECT_EQ(vMiste.hash, presne.hash) << "length " << delka;
        EXPECT_EQ(vMiste.slova, presne.slova) << "length " << delka;

        TIndexJmen index;
        index.Vloz(jmeno, 3);
        EXPECT_EQ(index.Najdi(vMiste), 3u) << "length " << delka;
    }
}
