// The finder's answers as pairs: the same lines, in the same order, as the
// searches that build every text at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "nalezene.h"
#include "test_support.h"

namespace {

std::vector<std::pair<std::string, const TPrisada*>> radky(const TVypis& vypis)
{
    std::vector<std::pair<std::string, const TPrisada*>> out;
    for (const auto& radek : vypis.Radky)
        out.emplace_back(radek.Text, radek.Dvojice.Druha);
    return out;
}

std::vector<std::pair<std::string, const TPrisada*>> radky(const TNalezene& nalezene)
{
    std::vector<std::pair<std::string, const TPrisada*>> out;
    for (const TDvojice& dvojice : nalezene.Dvojice)
        out.emplace_back(TextDvojice(nalezene.Druh, dvojice), dvojice.Druha);
    return out;
}

class Nalezene : public ::testing::Test {
protected:
    TSeznam seznam;
    void SetUp() override
    {
        // Shared effects in several slots, marks of both expansions, a
        // partner met twice, names equal but for case, one doubled slot.
        NaplnZRadku(seznam, {"Alfa\tJed\tOhe\xF2\tVoda\t\t", "beta\tOhe\xF2\tJed\t\t\t[T]",
                             "Beta\tJed\t\t\t\t[B]", "\xC8" "aj\tVoda\tJed\tOhe\xF2\t\t",
                             "Zub\tJed\tJed\t\t\t[TB]", "Samotar\tVzduch\t\t\t\t"});
    }
};

TEST_F(Nalezene, PairsOfAnIngredientGiveTheSameLinesAsTheTexts)
{
    for (TPrisada* prisada : seznam.Prisady)
        for (const TZarazeni zarazeni : {TZarazeni{true, true}, TZarazeni{false, true}, TZarazeni{true, false}}) {
            const TVypis texty = LektvaryZPrisady(*prisada, zarazeni);
            const TNalezene pary = NalezeneZPrisady(*prisada, zarazeni);
            EXPECT_EQ(pary.Nadpis, texty.Nadpis);
            EXPECT_EQ(radky(pary), radky(texty)) << prisada->Jmeno;
            for (const TDvojice& dvojice : pary.Dvojice)
                EXPECT_EQ(dvojice.Prvni, prisada);
        }
}

TEST_F(Nalezene, PairsOfAnEffectGiveTheSameLinesAsTheTexts)
{
    for (TEfekt* efekt : seznam.Efekty)
        for (const bool jenTento : {false, true})
            for (const TZarazeni zarazeni : {TZarazeni{true, true}, TZarazeni{false, false}}) {
                const TVypis texty = LektvarySEfektem(*efekt, zarazeni, jenTento);
                const TNalezene pary = NalezeneSEfektem(*efekt, zarazeni, jenTento);
                EXPECT_EQ(pary.Nadpis, texty.Nadpis);
                EXPECT_EQ(radky(pary), radky(texty)) << efekt->Jmeno << (jenTento ? " only" : "");
                ASSERT_EQ(pary.Dvojice.size(), texty.Radky.size());
                for (std::size_t i = 0; i < pary.Dvojice.size(); ++i)
                    EXPECT_EQ(pary.Dvojice[i].Prvni, texty.Radky[i].Dvojice.Prvni);
            }
}

} // namespace
