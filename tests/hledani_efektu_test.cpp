// The search for potions by wanted and avoided effects, against a plain
// enumeration of every set and every slot order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "hledani_efektu.h"
#include "hledani_plne.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

std::vector<std::string> texty(const TVysledekHledani& vysledek)
{
    std::vector<std::string> out;
    for (const TNalezenyLektvar& lektvar : vysledek.Lektvary)
        out.push_back(TextNalezeneho(lektvar));
    return out;
}

TEST(HledaniEfektu, SlotOrderIsTheFirstThatKeepsEveryWantedEffect)
{
    // In ascending order W is a fifth shared effect and drops out; with B in
    // slot 1 it comes fourth. No pair has both A1 and W.
    TSeznam seznam;
    NaplnZRadku(seznam, {"A\tA1\tA2\tA3\tX\t", "B\tA1\tA2\tA3\tW\t", "C\tX\tW\t\t\t"});
    TZadaniHledani zadani;
    zadani.Chtene = {&Efekt(seznam, "W"), &Efekt(seznam, "A1")};
    const TVysledekHledani vysledek = HledejLektvary(seznam, zadani);
    EXPECT_TRUE(vysledek.Uplny);
    EXPECT_THAT(texty(vysledek), ElementsAre("B + A + C => A1 + A2 + A3 + W"));
    // An avoided effect pushed out of the first four does not spoil a potion.
    zadani.Chtene = {&Efekt(seznam, "A1")};
    zadani.Zakazane = {&Efekt(seznam, "X"), &Efekt(seznam, "A2")};
    EXPECT_THAT(texty(HledejLektvary(seznam, zadani)), ElementsAre());
}

TEST(HledaniEfektu, FindsOnlyMinimalSetsInOrderOfSizeEffectsAndPositions)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"P\tOhen\tVoda\t\t\t", "Q\tOhen\tVoda\tJed\t\t[T]", "R\tOhen\t\t\t\t",
                         "S\tVoda\tJed\t\t\t[B]", "T\tOhen\tJed\t\t\t", "N\tSucho\t\t\t\t"});
    TZadaniHledani zadani;
    zadani.Chtene = {&Efekt(seznam, "Ohen"), &Efekt(seznam, "Voda")};
    EXPECT_THAT(texty(HledejLektvary(seznam, zadani)),
                ElementsAre("[T] P + Q => Ohen + Voda", "[B] P + R + S => Ohen + Voda", "[B] P + S + T => Ohen + Voda + Jed",
                            "[TB] Q + R + S => Ohen + Voda + Jed", "[TB] Q + S + T => Ohen + Voda + Jed"));
    zadani.Zakazane = {&Efekt(seznam, "Jed")};
    zadani.NejvicePrisad = 3;
    EXPECT_THAT(texty(HledejLektvary(seznam, zadani)), ElementsAre("[T] P + Q => Ohen + Voda", "[B] P + R + S => Ohen + Voda"));
    zadani.Zarazeni.Tribunal = false;
    zadani.JenZeZasob = true;
    zadani.Zasoby = {&Prisada(seznam, "P"), &Prisada(seznam, "R"), &Prisada(seznam, "S"), &Prisada(seznam, "Q")};
    EXPECT_THAT(texty(HledejLektvary(seznam, zadani)), ElementsAre("[B] P + R + S => Ohen + Voda"));
    zadani.Zasoby.erase(&Prisada(seznam, "S"));
    EXPECT_THAT(texty(HledejLektvary(seznam, zadani)), ElementsAre());
}

TEST(HledaniEfektu, HeadingNamesTheWantedEffectsAndTheCount)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"P\tOhen\tVoda\t\t\t"});
    EXPECT_EQ(NadpisHledani({}, 0, true), W("Hledání lektvarů"));
    EXPECT_EQ(NadpisHledani({&Efekt(seznam, "Ohen")}, 3, true), "Lektvary s efekty Ohen (3)");
    EXPECT_EQ(NadpisHledani({&Efekt(seznam, "Ohen"), &Efekt(seznam, "Voda")}, 12, false),
              W("Lektvary s efekty Ohen + Voda (více než 12)"));
}

TEST(HledaniEfektu, WorkLimitStopsAndSaysSo)
{
    TSeznam seznam;
    for (int i = 0; i < 12; ++i)
        PridejPrisadu(seznam, "I" + std::to_string(i) + "\tOhen\tVoda\t\t\t");
    TZadaniHledani zadani;
    zadani.Chtene = {&Efekt(seznam, "Ohen")};
    const TVysledekHledani uplny = HledejLektvary(seznam, zadani);
    EXPECT_TRUE(uplny.Uplny);
    EXPECT_EQ(uplny.Lektvary.size(), 66u);
    const TVysledekHledani prace = HledejLektvary(seznam, zadani, TMezHledani{20, 1000});
    EXPECT_FALSE(prace.Uplny);
    EXPECT_LT(prace.Lektvary.size(), 20u);
    const TVysledekHledani nalezenych = HledejLektvary(seznam, zadani, TMezHledani{1000000, 10});
    EXPECT_FALSE(nalezenych.Uplny);
    EXPECT_EQ(nalezenych.Lektvary.size(), 10u);
    EXPECT_EQ(nalezenych.Celkem, 10u);
    // Spelling out only the first ones changes neither them nor the count.
    const TVysledekHledani prvni = HledejLektvary(seznam, zadani, TMezHledani{1000000, 1000, 5});
    EXPECT_TRUE(prvni.Uplny);
    EXPECT_EQ(prvni.Celkem, 66u);
    const std::vector<std::string> vsechny = texty(uplny);
    EXPECT_EQ(texty(prvni), std::vector<std::string>(vsechny.begin(), vsechny.begin() + 5));
    // What a stopped search found is found potions, in order.
    EXPECT_THAT(texty(nalezenych), ::testing::IsSubsetOf(texty(uplny)));
    EXPECT_THAT(texty(prace), ::testing::IsSubsetOf(texty(uplny)));
}

// Small catalogues over a few effects, so that many ingredients share
// several effects, some name one effect twice, and every mark occurs. With
// `vzacnych`, half the effect slots take one of that many rare effects, and
// ingredients of effects of their own come first, so that the effects run
// over several 64-bit words.
void nahodnyKatalog(std::mt19937& nahoda, TSeznam& seznam, int vzacnych = 0)
{
    for (int i = 0; vzacnych > 0 && i < 100; ++i)
        PridejPrisadu(seznam, "V" + std::to_string(i) + "\tX" + std::to_string(2 * i) + "\tX" +
                                  std::to_string(2 * i + 1) + "\t\t\t");
    const int efektu = 3 + static_cast<int>(nahoda() % 7);
    const int prisad = 2 + static_cast<int>(nahoda() % 24);
    for (int i = 0; i < prisad; ++i) {
        std::string radek = "P" + std::to_string(i);
        for (int s = 0; s < 4; ++s) {
            radek += '\t';
            if (vzacnych > 0 && nahoda() % 2 == 0)
                radek += "R" + std::to_string(nahoda() % vzacnych);
            else if (nahoda() % 6 != 0)
                radek += "E" + std::to_string(nahoda() % efektu);
        }
        radek += '\t';
        PridejPrisadu(seznam, radek);
        TPrisada& p = *seznam.Prisady.back();
        const unsigned znacka = nahoda() % 6;
        p.Tribunal = znacka == 1 || znacka == 3;
        p.Bloodmoon = znacka == 2 || znacka == 3;
    }
}

std::vector<const TEfekt*> nahodneEfekty(std::mt19937& nahoda, const TSeznam& seznam, std::size_t kolik)
{
    std::vector<const TEfekt*> vsechny(seznam.Efekty.begin(), seznam.Efekty.end());
    std::shuffle(vsechny.begin(), vsechny.end(), nahoda);
    vsechny.resize(std::min(kolik, vsechny.size()));
    return vsechny;
}

TZadaniHledani nahodneZadani(std::mt19937& nahoda, TSeznam& seznam)
{
    TZadaniHledani zadani;
    auto efekty = nahodneEfekty(nahoda, seznam, 1 + nahoda() % 6);
    const std::size_t chtenych = 1 + nahoda() % std::min<std::size_t>(efekty.size(), 5);
    zadani.Chtene.assign(efekty.begin(), efekty.begin() + chtenych);
    zadani.Zakazane.assign(efekty.begin() + chtenych, efekty.end());
    zadani.NejvicePrisad = 2 + nahoda() % 3;
    zadani.Zarazeni = TZarazeni{nahoda() % 3 != 0, nahoda() % 3 != 0};
    zadani.JenZeZasob = nahoda() % 3 == 0;
    for (TPrisada* p : seznam.Prisady)
        if (nahoda() % 4 != 0)
            zadani.Zasoby.insert(p);
    return zadani;
}

// The search spelling out the first `vypsat` potions against the plain
// enumeration: the same count and the same first potions, brewed as the
// brewing rule brews them.
void porovnejSPlnym(const TSeznam& seznam, const TZadaniHledani& zadani, std::size_t vypsat, int pokus)
{
    const std::vector<TPlny> ocekavane = PlneHledani(seznam, zadani);
    const TVysledekHledani vysledek = HledejLektvary(seznam, zadani, TMezHledani{1'000'000, 1'000'000, vypsat});
    ASSERT_TRUE(vysledek.Uplny);
    ASSERT_EQ(vysledek.Celkem, ocekavane.size()) << "pokus " << pokus;
    ASSERT_EQ(vysledek.Lektvary.size(), std::min(vypsat, ocekavane.size())) << "pokus " << pokus;
    for (std::size_t i = 0; i < vysledek.Lektvary.size(); ++i) {
        const TNalezenyLektvar& l = vysledek.Lektvary[i];
        const std::vector<std::uint32_t> pozice(l.Pozice.begin(), l.Pozice.begin() + l.PocetPrisad);
        ASSERT_EQ(pozice, ocekavane[i].pozice) << "pokus " << pokus << ", lektvar " << i;
        ASSERT_EQ(l.PocetEfektu, ocekavane[i].efektu);
        TLektvar uvareny;
        for (std::size_t s = 0; s < l.PocetPrisad; ++s)
            uvareny.Prisady[s] = seznam.Prisady[pozice[s]];
        SpocitejLektvar(uvareny);
        ASSERT_EQ(l.Lektvar.Prisady, uvareny.Prisady);
        ASSERT_EQ(l.Lektvar.Tribunal, uvareny.Tribunal);
        ASSERT_EQ(l.Lektvar.Bloodmoon, uvareny.Bloodmoon);
        for (std::size_t e = 0; e < 4; ++e) {
            ASSERT_EQ(l.Lektvar.Efekty[e].Efekt, uvareny.Efekty[e].Efekt);
            ASSERT_EQ(l.Lektvar.Efekty[e].ZPrisady, uvareny.Efekty[e].ZPrisady);
        }
    }
}

// Wanted effects among the common ones, so that potions exist.
void chteneMeziBeznymi(std::mt19937& nahoda, const TSeznam& seznam, TZadaniHledani& zadani)
{
    zadani.Chtene.clear();
    for (const TEfekt* e : nahodneEfekty(nahoda, seznam, seznam.Efekty.size()))
        if (e->Jmeno[0] == 'E' && zadani.Chtene.size() < 1 + nahoda() % 3 &&
            std::find(zadani.Zakazane.begin(), zadani.Zakazane.end(), e) == zadani.Zakazane.end())
            zadani.Chtene.push_back(e);
}

// Random catalogues against the plain enumeration.
struct TNahodnePokusy {
    const char* Nazev;
    std::uint32_t Seminko;
    int Pokusu;
    // Rare effects beside the common ones, so that the effects run over
    // several 64-bit mask words, most ingredients sharing few of them and
    // some sets sharing more than four (0: none).
    int Vzacnych;
    // Only the first 0 to 11 potions are kept while the rest are counted:
    // they must be the same first ones in the same order, whichever sizes
    // they come from.
    bool JenPrvni;
};

void PrintTo(const TNahodnePokusy& pokusy, std::ostream* proud)
{
    *proud << pokusy.Nazev;
}

class NahodneKatalogy : public ::testing::TestWithParam<TNahodnePokusy> {};

TEST_P(NahodneKatalogy, AgreeWithPlainEnumeration)
{
    const TNahodnePokusy& p = GetParam();
    std::mt19937 nahoda(p.Seminko);
    for (int pokus = 0; pokus < p.Pokusu; ++pokus) {
        TSeznam seznam;
        nahodnyKatalog(nahoda, seznam, p.Vzacnych);
        if (seznam.Efekty.empty())
            continue;
        TZadaniHledani zadani = nahodneZadani(nahoda, seznam);
        if (p.Vzacnych > 0)
            chteneMeziBeznymi(nahoda, seznam, zadani);
        const std::size_t vypsat = p.JenPrvni ? nahoda() % 12 : static_cast<std::size_t>(-1);
        porovnejSPlnym(seznam, zadani, vypsat, pokus);
    }
}

INSTANTIATE_TEST_SUITE_P(HledaniEfektu, NahodneKatalogy,
                         ::testing::Values(TNahodnePokusy{"AllPotions", 20261209, 400, 0, false},
                                           TNahodnePokusy{"FirstPotionsOnly", 151209, 300, 0, true},
                                           TNahodnePokusy{"ManyEffectWords", 64128, 200, 150, false}),
                         [](const auto& info) { return std::string(info.param.Nazev); });

} // namespace
