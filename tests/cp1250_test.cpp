// The Windows-1250 codec and case folding.
#include <gtest/gtest.h>

#include "cp1250.h"
#include "test_support.h"

namespace {

TEST(Cp1250, EveryByteSurvivesTheRoundTrip)
{
    std::string vsechny;
    for (int b = 0; b < 256; ++b)
        vsechny += static_cast<char>(b);
    EXPECT_EQ(Cp1250ZUtf8(Utf8ZCp1250(vsechny)), vsechny);
    EXPECT_EQ(ZnakZCp1250(0x81), U'\u0081');
    EXPECT_EQ(ZnakZCp1250(0x98), U'\u0098');
}

TEST(Cp1250, KnownLetters)
{
    EXPECT_EQ(Utf8ZCp1250("P\xF8\xEDsady"), "P\xC5\x99\xC3\xADsady");
    EXPECT_EQ(ZnakZCp1250(0x8A), U'\u0160');  // Š
    EXPECT_EQ(ZnakZCp1250(0x80), U'\u20AC');  // euro
    EXPECT_EQ(BajtCp1250(U'\u016F'), 0xF9);   // ů
    EXPECT_EQ(BajtCp1250(U'\u4E00'), -1);
}

TEST(Cp1250, UnknownCharactersAndBrokenUtf8BecomeReplacement)
{
    EXPECT_EQ(Cp1250ZUtf8("a\xE4\xB8\x80" "b"), "a?b");
    EXPECT_EQ(Cp1250ZUtf8("a\xC5"), "a?");
    EXPECT_EQ(Cp1250ZUtf8("\xFF\x80x"), "??x");
}

TEST(Cp1250, CaseFoldingCoversAccentedLetters)
{
    EXPECT_EQ(MalaPismenaCp1250("\xC8\x8A\x8E\xD8\xDD\xA5" "AZ"), "\xE8\x9A\x9E\xF8\xFD\xB9" "az");
    EXPECT_EQ(MalePismenoCp1250(0xDF), 0xDF);  // sharp s has no capital here
    EXPECT_EQ(MalePismenoCp1250('['), '[');
}

} // namespace

TEST(VelkaPismenaAscii, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(VelkaPismenaAscii(W("az AZ 09 [@`{ ěščřž")), W("AZ AZ 09 [@`{ ěščřž"));
    EXPECT_EQ(VelkePismenoAscii('q'), 'Q');
    EXPECT_EQ(VelkePismenoAscii('\xE8'), '\xE8');  // č stays
}
