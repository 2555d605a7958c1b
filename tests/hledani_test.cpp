// What the finders share: effects two ingredients share, and the order key
// of list lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hledani.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

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
