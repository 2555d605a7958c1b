// The potion finder and the order key of list lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hledani.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

std::vector<std::string> texty(const TVypis& vypis)
{
    std::vector<std::string> out;
    for (const auto& radek : vypis.Radky)
        out.push_back(radek.Text);
    return out;
}

constexpr TZarazeni kVse{true, true};

TEST(SpolecneEfekty, CountsSlotPairsAndNamesThemInWalkOrder)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"P\tA\tB\tC\t\t", "Q\tC\tA\t\t\t", "R\tA\tA\tB\tB\t", "S\tA\tA\tB\tB\t", "N\tZ\t"});
    const auto& p = Prisada(seznam, "P");
    EXPECT_EQ(PocetSpolecnych(p, Prisada(seznam, "Q")), 2u);
    EXPECT_EQ(SpolecneEfekty(p, Prisada(seznam, "Q")), "A + C");
    EXPECT_EQ(SpolecneEfekty(Prisada(seznam, "Q"), p), "C + A");
    EXPECT_EQ(PocetSpolecnych(p, Prisada(seznam, "N")), 0u);
    EXPECT_EQ(SpolecneEfekty(p, Prisada(seznam, "N")), "");
    // Doubled slots on both sides: every matching pair is counted and named.
    EXPECT_EQ(PocetSpolecnych(Prisada(seznam, "R"), Prisada(seznam, "S")), 8u);
    EXPECT_EQ(SpolecneEfekty(Prisada(seznam, "R"), Prisada(seznam, "S")), "A + A + A + A + B + B + B + B");
}

class Hledani : public ::testing::Test {
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

TEST_F(Hledani, FromIngredientSortsByPartnerAndDropsCaseDuplicates)
{
    const TVypis vypis = LektvaryZPrisady(Prisada(seznam, "Pes"), kVse);
    EXPECT_EQ(vypis.Nadpis, W("Lektvary z přísady Pes"));
    EXPECT_THAT(texty(vypis), ElementsAre("+ Alfa => Ohen", "[T] + beta => Ohen + Jed", "+ zub => Ohen",
                                          "[B] + Zub => Ohen + Voda", W("+ Čaj => Ohen"), W("+ čočka => Ohen")));
    for (const auto& radek : vypis.Radky)
        EXPECT_EQ(radek.Dvojice.Prvni, &Prisada(seznam, "Pes"));
    EXPECT_EQ(vypis.Radky[1].Dvojice.Druha, &Prisada(seznam, "beta"));
}

TEST_F(Hledani, FromIngredientDropsTextsEqualButForAccentedCase)
{
    TSeznam s;
    NaplnZRadku(s, {"P\tOhen\t", W("Čaj\tOhen\t"), W("čaj\tOhen\t"), W("ČAJ\tOhen\t")});
    EXPECT_THAT(texty(LektvaryZPrisady(Prisada(s, "P"), kVse)), ElementsAre(W("+ Čaj => Ohen")));
}

TEST_F(Hledani, FromIngredientHonoursExclusionAndNeverPairsWithItself)
{
    EXPECT_THAT(texty(LektvaryZPrisady(Prisada(seznam, "Pes"), {false, true})),
                ElementsAre("+ Alfa => Ohen", "+ zub => Ohen", "[B] + Zub => Ohen + Voda", W("+ Čaj => Ohen"),
                            W("+ čočka => Ohen")));
    EXPECT_TRUE(LektvaryZPrisady(Prisada(seznam, "beta"), {false, true}).Radky.empty());
    const TVypis samo = LektvaryZPrisady(Prisada(seznam, "Samo"), kVse);
    EXPECT_EQ(samo.Nadpis, W("Lektvary z přísady Samo"));
    EXPECT_TRUE(samo.Radky.empty());
}

TEST_F(Hledani, WithEffectListsPairsInCatalogueOrder)
{
    const TVypis vypis = LektvarySEfektem(Efekt(seznam, "Jed"), kVse, false);
    EXPECT_EQ(vypis.Nadpis, "Lektvary s efektem Jed");
    EXPECT_THAT(texty(vypis), ElementsAre("[T] Pes + beta => Ohen + Jed"));

    const TVypis voda = LektvarySEfektem(Efekt(seznam, "Voda"), kVse, false);
    EXPECT_THAT(texty(voda), ElementsAre("[B] Pes + Zub => Ohen + Voda"));

    const TVypis ohen = LektvarySEfektem(Efekt(seznam, "Ohen"), kVse, true);
    EXPECT_EQ(ohen.Nadpis, "Lektvary pouze s efektem Ohen");
    const auto radky = texty(ohen);
    ASSERT_EQ(radky.size(), 21u - 2u);  // 7 carriers, 2 pairs share two effects
    EXPECT_EQ(radky[0], W("Pes + Čaj"));
    EXPECT_EQ(radky[1], W("Pes + čočka"));
    EXPECT_EQ(ohen.Radky[0].Dvojice.Druha, &Prisada(seznam, W("Čaj")));
    for (const auto& text : radky)
        EXPECT_EQ(text.find("=>"), std::string::npos) << text;
}

TEST_F(Hledani, WithEffectUnderExclusionAndWithOneCarrier)
{
    const auto radky = texty(LektvarySEfektem(Efekt(seznam, "Ohen"), {true, false}, false));
    for (const auto& text : radky)
        EXPECT_EQ(text.find("Zub"), std::string::npos) << text;
    EXPECT_EQ(radky.size(), 15u);  // 6 admissible carriers
    EXPECT_EQ(radky[2], "[T] Pes + beta => Ohen + Jed");
    EXPECT_TRUE(LektvarySEfektem(Efekt(seznam, "Samota"), kVse, false).Radky.empty());
}

TEST_F(Hledani, PairOfBothExpansionsCarriesBothLetters)
{
    const auto radky = texty(LektvarySEfektem(Efekt(seznam, "Ohen"), kVse, false));
    EXPECT_NE(std::find(radky.begin(), radky.end(), "[TB] beta + Zub"), radky.end());
}

TEST(KlicRazeni, DropsMarkAndPlusAndFoldsAsciiOnly)
{
    EXPECT_EQ(KlicRazeni("[TB] + zub => Ohen"), "ZUB => OHEN");
    EXPECT_EQ(KlicRazeni("[T] beta"), "BETA");
    EXPECT_EQ(KlicRazeni("[T"), "T");
    EXPECT_EQ(KlicRazeni("[T]"), "");
    EXPECT_EQ(KlicRazeni("+"), "");
    EXPECT_EQ(KlicRazeni(""), "");
    EXPECT_EQ(KlicRazeni(W("čaj")), W("čAJ"));
    EXPECT_LT(KlicRazeni("Zub"), KlicRazeni(W("Čaj")));
    EXPECT_LT(KlicRazeni(W("Čaj")), KlicRazeni(W("čaj")));
    EXPECT_LT(KlicRazeni("Alf"), KlicRazeni("alfa"));
}

TEST(KlicRazeni, SortIsStableAndMovesPayload)
{
    std::vector<std::pair<std::string, int>> radky{{"[T] beta", 1}, {"Alfa", 2}, {"BETA", 3}, {"alfa", 4}};
    SeradPodleKlice(radky, [](const auto& r) -> const std::string& { return r.first; });
    std::vector<int> poradi;
    for (const auto& r : radky)
        poradi.push_back(r.second);
    EXPECT_THAT(poradi, ElementsAre(2, 4, 1, 3));
}

} // namespace
