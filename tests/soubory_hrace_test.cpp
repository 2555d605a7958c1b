// The player's files: options and stock, and the stock kept through a close.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "soubory_hrace.h"
#include "test_support.h"

namespace {

TEST(SouborVoleb, EveryCombinationOfTicksComesBack)
{
    for (unsigned maska = 0; maska < 32; ++maska) {
        TVolbySouboru volby{};
        for (std::size_t i = 0; i < volby.size(); ++i)
            volby[i] = (maska >> i) & 1u;
        EXPECT_EQ(VolbyZTextu(TextVoleb(volby)), volby) << TextVoleb(volby);
    }
}

TEST(SouborVoleb, KeysAreFoundInAnyCase)
{
    EXPECT_EQ(VolbyZTextu("tribunal blood"), (TVolbySouboru{true, true, false, false, false}));
}

// A tick the player sets or clears: every ingredient of the name, or only
// the n-th of them (1-based).
struct TZmena {
    std::string_view Jmeno;
    bool Zaskrtnout;
    std::size_t Kolikata = 0;
};

struct TPripadZasob {
    const char* Popis;
    std::size_t PrectenychPrisad;  // the catalogue read only so far
    std::string_view Soubor;
    std::vector<std::string> Zaskrtnute;  // by the file, in catalogue order
    std::vector<TZmena> Zmeny;
    std::string_view Zapsano;
};

void PrintTo(const TPripadZasob& pripad, std::ostream* out)
{
    *out << pripad.Popis;
}

class SouborZasob : public ::testing::TestWithParam<TPripadZasob> {};

TEST_P(SouborZasob, KeepsEveryLineButThoseOfChangedTicks)
{
    const TPripadZasob& pripad = GetParam();
    const std::vector<std::string_view> katalog{"Alfa\tJed\t", "Beta\tJed\t", "Gama\tOhen\t", "Beta\tOhen\t",
                                                "Zeta\tJed\t"};
    TSeznam seznam;
    for (std::size_t i = 0; i < pripad.PrectenychPrisad; ++i)
        PridejPrisadu(seznam, katalog[i]);

    const std::vector<std::string> radky = RadkyZasob(pripad.Soubor);
    std::unordered_set<const TPrisada*> zasoby = ZasobyZRadku(radky, seznam.Prisady);
    std::vector<std::string> zaskrtnute;
    for (const TPrisada* prisada : seznam.Prisady)
        if (zasoby.contains(prisada))
            zaskrtnute.emplace_back(prisada->Jmeno);
    EXPECT_EQ(zaskrtnute, pripad.Zaskrtnute) << pripad.Popis;

    for (const TZmena& zmena : pripad.Zmeny) {
        std::size_t kolikata = 0;
        for (const TPrisada* prisada : seznam.Prisady) {
            if (prisada->Jmeno != zmena.Jmeno || (zmena.Kolikata != 0 && ++kolikata != zmena.Kolikata))
                continue;
            if (zmena.Zaskrtnout)
                zasoby.insert(prisada);
            else
                zasoby.erase(prisada);
        }
    }
    EXPECT_EQ(TextZasob(radky, seznam.Prisady, zasoby), pripad.Zapsano) << pripad.Popis;
}

INSTANTIATE_TEST_SUITE_P(
    Zasoby, SouborZasob,
    ::testing::Values(
        TPripadZasob{"unchanged: every line stays, unknown and doubled ones too", 5,
                     "Gama\r\nNezn\xE1m\xE1\nGama\r\n\r\nAlfa", {"Alfa", "Gama"}, {},
                     "Gama\r\nNezn\xE1m\xE1\r\nGama\r\nAlfa\r\n"},
        TPripadZasob{"an untick takes every line of its name, the rest keep their places", 5,
                     "Gama\r\nX\r\nAlfa\r\nGama\r\n", {"Alfa", "Gama"}, {{"Gama", false}}, "X\r\nAlfa\r\n"},
        TPripadZasob{"new ticks come last, in catalogue order, a name once", 5, "X\r\n", {},
                     {{"Zeta", true}, {"Beta", true}, {"Alfa", true}}, "X\r\nAlfa\r\nBeta\r\nZeta\r\n"},
        TPripadZasob{"a name stays while one of its ingredients is ticked", 5, "Beta\r\n", {"Beta", "Beta"},
                     {{"Beta", false, 1}}, "Beta\r\n"},
        TPripadZasob{"a name goes when none of them is", 5, "Beta\r\n", {"Beta", "Beta"}, {{"Beta", false}},
                     ""},
        TPripadZasob{"lines of the part not read survive", 2, "Alfa\r\nGama\r\nZeta\r\n", {"Alfa"},
                     {{"Alfa", false}, {"Beta", true}}, "Gama\r\nZeta\r\nBeta\r\n"}));

} // namespace
