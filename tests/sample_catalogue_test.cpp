// The sample catalogue in data/ loads and has what the program relies on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cp1250.h"
#include "hledani.h"
#include "katalog.h"
#include "nacitani.h"

namespace {

const std::string kCesta = std::string(MIXOR_DATA_DIR) + "/Přísady.txt";

class SampleCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kCesta)) << kCesta;
        NactiSeznam(kCesta, seznam);
    }

    TSeznam seznam;
};

TEST_F(SampleCatalogue, HasAFullSizedCatalogue)
{
    EXPECT_GE(seznam.Prisady.size(), 80u);
    EXPECT_LE(seznam.Prisady.size(), 120u);
    EXPECT_GE(seznam.Efekty.size(), 35u);
    EXPECT_LE(seznam.Efekty.size(), 45u);
}

TEST_F(SampleCatalogue, EveryEffectCanBeBrewed)
{
    for (const TEfekt* efekt : seznam.Efekty)
        EXPECT_GE(efekt->Prisady.size(), 2u) << Utf8ZCp1250(efekt->Jmeno);
}

TEST_F(SampleCatalogue, BothExpansionsAndCleanNotes)
{
    unsigned tribunal = 0, bloodmoon = 0;
    for (const TPrisada* prisada : seznam.Prisady) {
        tribunal += prisada->Tribunal;
        bloodmoon += prisada->Bloodmoon;
        EXPECT_FALSE(prisada->Jmeno.empty());
        if (!prisada->Poznamka.empty()) {
            EXPECT_NE(prisada->Poznamka.back(), '\r') << Utf8ZCp1250(prisada->Jmeno);
        }
    }
    EXPECT_GT(tribunal, 0u);
    EXPECT_GT(bloodmoon, 0u);
}

TEST_F(SampleCatalogue, SomePairSharesThreeEffects)
{
    bool nalezena = false;
    for (std::size_t i = 0; i < seznam.Prisady.size() && !nalezena; ++i)
        for (std::size_t j = i + 1; j < seznam.Prisady.size() && !nalezena; ++j)
            nalezena = PocetSpolecnych(*seznam.Prisady[i], *seznam.Prisady[j]) >= 3;
    EXPECT_TRUE(nalezena);
}

// In Windows-1250 every Czech letter is one byte; UTF-8 would give pairs of
// bytes that are not Czech letters in this code page.
TEST_F(SampleCatalogue, IsWindows1250)
{
    const std::string ceskaPismena = Cp1250ZUtf8("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    unsigned pocet = 0;
    auto over = [&](std::string_view text) {
        for (char c : text) {
            if (static_cast<unsigned char>(c) < 0x80)
                continue;
            ++pocet;
            EXPECT_NE(ceskaPismena.find(c), std::string::npos) << Utf8ZCp1250(text);
        }
    };
    for (const TPrisada* prisada : seznam.Prisady) {
        over(prisada->Jmeno);
        over(prisada->Poznamka);
    }
    for (const TEfekt* efekt : seznam.Efekty)
        over(efekt->Jmeno);
    EXPECT_GT(pocet, 0u);
}

} // namespace
