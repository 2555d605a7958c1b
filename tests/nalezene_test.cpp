// The two-ingredient finder: its pairs, their order and the texts of their lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "nalezene.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

constexpr TZarazeni kVse{true, true};

std::vector<std::string> texty(const TNalezene& nalezene)
{
    std::vector<std::string> out;
    for (const TDvojice& dvojice : nalezene.Dvojice)
        out.push_back(TextDvojice(nalezene.Druh, dvojice));
    return out;
}

class Nalezene : public ::testing::Test {
protected:
    TSeznam seznam;
    void SetUp() override
    {
        NaplnZRadku(seznam, {
            "Pes\tOhen\tVoda\tJed\t\t",
            W("Čaj\tOhen\t\t\t\t"),
            W("čočka\tOhen\t\t\t\t"),
            "beta\tOhen\t\tJed\t\t[T]",
            "Alfa\tOhen\t\t\t\t",
            "Zub\tVoda\tOhen\t\t\t[B]",
            "Samo\tSamota\t",
            "zub\tOhen\t\t\t\t",
        });
    }
};

TEST_F(Nalezene, FromIngredientSortsByPartnerAndDropsCaseDuplicates)
{
    const TNalezene vypis = NalezeneZPrisady(Prisada(seznam, "Pes"), kVse);
    EXPECT_EQ(vypis.Nadpis, W("Lektvary z přísady Pes"));
    EXPECT_THAT(texty(vypis), ElementsAre("+ Alfa => Ohen", "[T] + beta => Ohen + Jed", "+ zub => Ohen",
                                          "[B] + Zub => Ohen + Voda", W("+ Čaj => Ohen"), W("+ čočka => Ohen")));
    for (const TDvojice& dvojice : vypis.Dvojice)
        EXPECT_EQ(dvojice.Prvni, &Prisada(seznam, "Pes"));
    EXPECT_EQ(vypis.Dvojice[1].Druha, &Prisada(seznam, "beta"));
}

TEST_F(Nalezene, FromIngredientDropsTextsEqualButForAccentedCase)
{
    TSeznam s;
    // Texts of equal length are compared, and only the equal ones dropped.
    NaplnZRadku(s, {"P\tOhen\t", W("Čaj\tOhen\t"), W("čaj\tOhen\t"), W("Čas\tOhen\t"), W("ČAJ\tOhen\t")});
    EXPECT_THAT(texty(NalezeneZPrisady(Prisada(s, "P"), kVse)), ElementsAre(W("+ Čaj => Ohen"), W("+ Čas => Ohen")));
}

TEST_F(Nalezene, FromIngredientHonoursExclusionAndNeverPairsWithItself)
{
    EXPECT_THAT(texty(NalezeneZPrisady(Prisada(seznam, "Pes"), {false, true})),
                ElementsAre("+ Alfa => Ohen", "+ zub => Ohen", "[B] + Zub => Ohen + Voda", W("+ Čaj => Ohen"),
                            W("+ čočka => Ohen")));
    EXPECT_TRUE(NalezeneZPrisady(Prisada(seznam, "beta"), {false, true}).Dvojice.empty());
    const TNalezene samo = NalezeneZPrisady(Prisada(seznam, "Samo"), kVse);
    EXPECT_EQ(samo.Nadpis, W("Lektvary z přísady Samo"));
    EXPECT_TRUE(samo.Dvojice.empty());
}

TEST_F(Nalezene, WithEffectListsPairsInCatalogueOrder)
{
    const TNalezene vypis = NalezeneSEfektem(Efekt(seznam, "Jed"), kVse, false);
    EXPECT_EQ(vypis.Nadpis, "Lektvary s efektem Jed");
    EXPECT_THAT(texty(vypis), ElementsAre("[T] Pes + beta => Ohen + Jed"));

    const TNalezene voda = NalezeneSEfektem(Efekt(seznam, "Voda"), kVse, false);
    EXPECT_THAT(texty(voda), ElementsAre("[B] Pes + Zub => Ohen + Voda"));

    const TNalezene ohen = NalezeneSEfektem(Efekt(seznam, "Ohen"), kVse, true);
    EXPECT_EQ(ohen.Nadpis, "Lektvary pouze s efektem Ohen");
    const auto radky = texty(ohen);
    ASSERT_EQ(radky.size(), 21u - 2u);  // 7 carriers, 2 pairs share two effects
    EXPECT_EQ(radky[0], W("Pes + Čaj"));
    EXPECT_EQ(radky[1], W("Pes + čočka"));
    EXPECT_EQ(ohen.Dvojice[0].Prvni, &Prisada(seznam, "Pes"));
    EXPECT_EQ(ohen.Dvojice[0].Druha, &Prisada(seznam, W("Čaj")));
    for (const auto& text : radky)
        EXPECT_EQ(text.find("=>"), std::string::npos) << text;
}

TEST_F(Nalezene, WithEffectUnderExclusionAndWithOneCarrier)
{
    const auto radky = texty(NalezeneSEfektem(Efekt(seznam, "Ohen"), {true, false}, false));
    for (const auto& text : radky)
        EXPECT_EQ(text.find("Zub"), std::string::npos) << text;
    EXPECT_EQ(radky.size(), 15u);  // 6 admissible carriers
    EXPECT_EQ(radky[2], "[T] Pes + beta => Ohen + Jed");
    EXPECT_TRUE(NalezeneSEfektem(Efekt(seznam, "Samota"), kVse, false).Dvojice.empty());
}

TEST_F(Nalezene, PairOfBothExpansionsCarriesBothLetters)
{
    const auto radky = texty(NalezeneSEfektem(Efekt(seznam, "Ohen"), kVse, false));
    EXPECT_NE(std::find(radky.begin(), radky.end(), "[TB] beta + Zub"), radky.end());
}

TEST_F(Nalezene, BeginningOfALineIsTheBeginningOfItsText)
{
    for (const TDruhVypisu druh : {TDruhVypisu::ZPrisady, TDruhVypisu::SEfektem}) {
        const TDvojice dvojice{&Prisada(seznam, "Pes"), &Prisada(seznam, "beta")};
        const std::string cely = TextDvojice(druh, dvojice);
        for (std::size_t nejvic = 0; nejvic <= cely.size() + 1; ++nejvic)
            EXPECT_EQ(TextDvojice(druh, dvojice, nejvic), cely.substr(0, nejvic));
    }
}

} // namespace
