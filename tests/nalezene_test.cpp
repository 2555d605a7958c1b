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
        // partner met twice, names equal but for case (accented letters
        // too), names of equal length, one doubled slot.
        NaplnZRadku(seznam, {"Alfa\tJed\tOhe\xF2\tVoda\t\t", "beta\tOhe\xF2\tJed\t\t\t[T]",
                             "Beta\tJed\t\t\t\t[B]", "\xC8" "aj\tVoda\tJed\tOhe\xF2\t\t",
                             "Zub\tJed\tJed\t\t\t[TB]", "Samotar\tVzduch\t\t\t\t", "GAMA\tJed\t\t\t\t",
                             "gama\tJed\t\t\t\t", "\xE8" "aj\tVoda\tJed\tOhe\xF2\t\t", "Gamu\tJed\t\t\t\t"});
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

TEST_F(Nalezene, BeginningOfALineIsTheBeginningOfItsText)
{
    TPrisada& alfa = Prisada(seznam, "Alfa");
    for (const TDruhVypisu druh : {TDruhVypisu::ZPrisady, TDruhVypisu::SEfektem}) {
        const TDvojice dvojice{&alfa, &Prisada(seznam, "beta")};
        const std::string cely = TextDvojice(druh, dvojice);
        for (std::size_t nejvic = 0; nejvic <= cely.size() + 1; ++nejvic)
            EXPECT_EQ(TextDvojice(druh, dvojice, nejvic), cely.substr(0, nejvic));
    }
}

} // namespace
