// The small text rules the pages share.
#include <gtest/gtest.h>

#include "text.h"

namespace {

TEST(Znacka, SplitsAtTheFirstBracketAndDropsTheBlankAfterIt)
{
    const TZnackaAJmeno oba = RozdelZnacku(QStringLiteral("[TB] Alfa + [B] Beta"));
    EXPECT_EQ(oba.Znacka, QStringLiteral("[TB]"));
    EXPECT_EQ(oba.Jmeno, QStringLiteral("Alfa + [B] Beta"));
    EXPECT_EQ(BezZnacky(QStringLiteral("[T] Alfa")), QStringLiteral("Alfa"));
    // Any "]" counts, not only a leading mark's.
    EXPECT_EQ(BezZnacky(QStringLiteral("Ko]ren")), QStringLiteral("en"));
    EXPECT_EQ(RozdelZnacku(QStringLiteral("Ko]ren")).Znacka, QStringLiteral("Ko]"));
}

TEST(Znacka, TextWithoutBracketIsAllNameAndAMarkAloneLeavesNoName)
{
    const TZnackaAJmeno bez = RozdelZnacku(QStringLiteral("Alfa [T"));
    EXPECT_TRUE(bez.Znacka.isEmpty());
    EXPECT_EQ(bez.Jmeno, QStringLiteral("Alfa [T"));
    EXPECT_EQ(BezZnacky(QStringLiteral("[B]")), QString());
    EXPECT_EQ(BezZnacky(QString()), QString());
}

} // namespace
