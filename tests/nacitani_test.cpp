// The loader's block reader against its plain twin, and the line rules they share.
#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chyby.h"
#include "katalog.h"
#include "nacitani.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The whole catalogue as text, records named by their places.
std::string popis(const TSeznam& seznam)
{
    std::string text;
    const auto misto = [](const auto& pole, const auto* zaznam) {
        for (std::size_t i = 0; i < pole.size(); ++i)
            if (pole[i] == zaznam)
                return std::to_string(i);
        return std::string("?");
    };
    for (const TPrisada* p : seznam.Prisady) {
        text += "P[" + std::string(p->Jmeno) + "][" + std::string(p->Poznamka) + "]" + (p->Tribunal ? "T" : "") +
                (p->Bloodmoon ? "B" : "");
        for (const TEfekt* e : p->Efekty)
            text += " " + (e == nullptr ? std::string("-") : misto(seznam.Efekty, e));
        text += '\n';
    }
    for (const TEfekt* e : seznam.Efekty) {
        text += "E[" + std::string(e->Jmeno) + "]";
        for (const TPrisada* p : e->Prisady)
            text += " " + misto(seznam.Prisady, p);
        text += '\n';
    }
    return text;
}

class Nacitani2 : public ::testing::Test {
protected:
    DocasnaSlozka slozka;

    // Loads the bytes with both readers; they must agree.
    std::string nactiObema(std::string_view obsah)
    {
        const std::string cesta = slozka.zapis("katalog.txt", obsah).string();
        TSeznam poBlocich;
        TSeznam primo;
        nacitani::NactiPoBlocich(cesta, "Soubor", poBlocich);
        nacitani::NactiPrimo(cesta, primo);
        const std::string vysledek = popis(poBlocich);
        EXPECT_EQ(vysledek, popis(primo));
        return vysledek;
    }
};

// Lines of ingredients up to exactly `delka` bytes, the last one padded.
std::string vyplnDo(std::size_t delka, std::size_t cislo)
{
    std::string text;
    const std::string radek = "Prisada " + std::to_string(cislo) + "\tJed\tEfekt " + std::to_string(cislo % 7) +
                              "\t\t[T] poznamka\r\n";
    while (text.size() + radek.size() + 8 <= delka)
        text += radek;
    text += "Posl\tA\t";
    text.append(delka - text.size(), 'x');
    return text;
}

TEST_F(Nacitani2, BlockReaderMatchesPlainTwinWithLineEndsAtEveryBlockEdge)
{
    // Each of these starts a few bytes before, at, or after a block edge.
    const std::vector<std::string> vlozky = {"\n",         "\r\n",     "\r",        "\x1A",        "\n\x1A",
                                             "\r\n\x1A" "Z\tB\t\n", "\r\r\n", "\t", "\n\r\n\x1A", "\n/\t", "\na\n"};
    std::size_t pripadu = 0;
    for (const std::size_t hrana : {nacitani::kBlok, 2 * nacitani::kBlok}) {
        for (std::size_t posun = 0; posun <= 6; ++posun) {
            for (const std::string& vlozka : vlozky) {
                std::string obsah = vyplnDo(hrana + posun - 3, posun);
                obsah += vlozka;
                obsah += "Dalsi\tJed\tB\t[b]x\r\nKonec\tC\t\n";
                SCOPED_TRACE(::testing::Message() << "edge " << hrana << " offset " << posun << " insert "
                                                  << ::testing::PrintToString(vlozka));
                const std::string vysledek = nactiObema(obsah);
                ASSERT_THAT(vysledek, HasSubstr("P[Posl]"));
                ++pripadu;
            }
        }
    }
    EXPECT_EQ(pripadu, 2u * 7u * 11u);
}

TEST_F(Nacitani2, LinesLongerThanABlockAndFilesWithoutLastLineEnd)
{
    const std::string dlouha(3 * nacitani::kBlok + 5, 'n');
    nactiObema("A\tJed\t" + dlouha + "\r\nB\tJed\t" + dlouha + "\r" + dlouha + "\x1A" + dlouha + "\nC\tJed\t" +
               dlouha);
    const std::string vysledek = nactiObema("A\tJed\t" + dlouha + "\r\nB\tJed\t" + dlouha);
    EXPECT_THAT(vysledek, HasSubstr("P[B][" + dlouha + "]"));
    EXPECT_EQ(nactiObema(""), "");
    EXPECT_EQ(nactiObema(std::string(nacitani::kBlok, '\n')), "");
    EXPECT_EQ(nactiObema(std::string(nacitani::kBlok - 1, '\n') + "\x1A" "A\tJed\t\n"), "");
}

TEST_F(Nacitani2, LineBeyondTheLimitIsAReadErrorNamingTheFile)
{
    std::string obsah = "A\tJed\t\n";
    obsah.append(nacitani::kNejdelsiRadek, 'x');
    const std::string cesta = slozka.zapis("velky.txt", obsah).string();
    TSeznam seznam;
    nacitani::NactiPoBlocich(cesta, "Soubor 'velky.txt'", seznam);
    ASSERT_EQ(seznam.Prisady.size(), 2u);
    EXPECT_EQ(seznam.Prisady[1]->Poznamka.size(), nacitani::kNejdelsiRadek);

    obsah += "y\nB\tJed\t\n";
    slozka.zapis("velky.txt", obsah);
    TSeznam prilis;
    try {
        nacitani::NactiPoBlocich(cesta, "Soubor 'velky.txt'", prilis);
        FAIL() << "no error";
    } catch (const ChybaCteni& chyba) {
        EXPECT_THAT(chyba.what(), HasSubstr("velky.txt"));
        EXPECT_THAT(chyba.what(), HasSubstr("řádek"));
    }
    // What came before the long line stays.
    ASSERT_EQ(prilis.Prisady.size(), 1u);
    EXPECT_EQ(prilis.Prisady[0]->Jmeno, "A");
}

TEST(RadkyPrisad, NumberFileLinesAndFollowTheLoadersRules)
{
    const std::vector<TRadekSouboru> radky = RadkyPrisad("/ k\nA\tJed\r\n\nx\nBb\x1A" "C\n \r\n\r\x1A" "D\n");
    ASSERT_EQ(radky.size(), 2u);
    EXPECT_EQ(radky[0].Cislo, 2u);
    EXPECT_EQ(radky[0].Text, "A\tJed");
    EXPECT_EQ(radky[1].Cislo, 5u);
    EXPECT_EQ(radky[1].Text, "Bb");
    // " \r" is one byte once its CR is dropped; "\r\x1A" ends the file.
    EXPECT_TRUE(RadkyPrisad("\x1A" "A\tB\n").empty());
}

TEST(RozdelRadek, TailKeepsItsMarkerAndNoteDropsIt)
{
    const TPoleRadku pole = RozdelRadek("N\tA\t\tC\tD\t[b] x\ty");
    EXPECT_EQ(pole.Jmeno, "N");
    EXPECT_THAT(pole.Efekty, ElementsAre("A", "", "C", "D"));
    EXPECT_EQ(pole.Ocas, "[b] x\ty");
    EXPECT_TRUE(pole.Bloodmoon);
    EXPECT_FALSE(pole.Tribunal);
    EXPECT_EQ(pole.Poznamka, " x\ty");

    const TPoleRadku bezTab = RozdelRadek("[1]bez");
    EXPECT_EQ(bezTab.Jmeno, "");
    EXPECT_EQ(bezTab.Ocas, "[1]bez");
    EXPECT_TRUE(bezTab.Tribunal);
    EXPECT_EQ(bezTab.Poznamka, "bez");
    EXPECT_TRUE(JeRadekPrisady("  "));
    EXPECT_FALSE(JeRadekPrisady("/x"));
    EXPECT_FALSE(JeRadekPrisady("x"));
}

TEST(NajdiEfekt, FindsExactNamesOnlyAndForgetsThemWhenEmptied)
{
    TSeznam seznam;
    EXPECT_EQ(seznam.NajdiEfekt("Jed"), nullptr);
    NaplnZRadku(seznam, {"A\tJed\tOhen\t"});
    EXPECT_EQ(seznam.NajdiEfekt("Jed"), seznam.Efekty[0]);
    EXPECT_EQ(seznam.NajdiEfekt("Ohen"), seznam.Efekty[1]);
    EXPECT_EQ(seznam.NajdiEfekt("jed"), nullptr);
    EXPECT_EQ(seznam.NajdiEfekt(""), nullptr);
    seznam.Vyprazdni();
    EXPECT_EQ(seznam.NajdiEfekt("Jed"), nullptr);
}

TEST(NajdiEfekt, TellsApartNamesThatDifferInOneByteAtAnyPlace)
{
    // Names of every length up to three words, each also changed in one byte
    // at every place: the lookup must give each its own effect, the same one
    // a walk through all effects finds.
    std::vector<std::string> jmena;
    for (std::size_t delka = 1; delka <= 24; ++delka) {
        std::string jmeno(delka, 'a');
        for (std::size_t i = 0; i < delka; ++i)
            jmeno[i] = static_cast<char>('a' + i % 26);
        jmena.push_back(jmeno);
        for (std::size_t i = 0; i < delka; ++i) {
            std::string zmenene = jmeno;
            zmenene[i] = static_cast<char>(0xE8);  // "č"
            jmena.push_back(zmenene);
        }
    }
    TSeznam seznam;
    for (const std::string& jmeno : jmena) {
        seznam.NovaPrisada();
        seznam.PridejEfekt(jmeno);
    }
    ASSERT_EQ(seznam.Efekty.size(), jmena.size());
    for (const std::string& jmeno : jmena) {
        const auto prochazenim = std::find_if(seznam.Efekty.begin(), seznam.Efekty.end(),
                                              [&](const TEfekt* efekt) { return efekt->Jmeno == jmeno; });
        ASSERT_NE(prochazenim, seznam.Efekty.end());
        EXPECT_EQ(seznam.NajdiEfekt(jmeno), *prochazenim) << jmeno;
        EXPECT_EQ(seznam.NajdiEfekt(jmeno + "z"), nullptr) << jmeno;
        EXPECT_EQ(seznam.NajdiEfekt("Z" + jmeno.substr(1)), nullptr) << jmeno;
    }
}

TEST_F(Nacitani2, ExactPathLoadsOnlyThatFileAndNamesItAsGiven)
{
    // The bytes of "Přísady.txt" read as Windows-1250 and spelt in UTF-8.
    slozka.zapis("P\xC4\xB9\xE2\x84\xA2\xC4\x82\xC2\xADsady.txt", "A\tZkomoleny\t\n");
    const std::string cesta = (slozka.cesta() / "Přísady.txt").string();
    TSeznam seznam;
    try {
        NactiSeznamZCesty(cesta, seznam);
        FAIL() << "no error";
    } catch (const ChybaCteni& chyba) {
        EXPECT_THAT(chyba.what(), HasSubstr(cesta));
    }
    slozka.zapis("Přísady.txt", "A\tPravy\t\n");
    NactiSeznamZCesty(cesta, seznam);
    ASSERT_EQ(seznam.Efekty.size(), 1u);
    EXPECT_EQ(seznam.Efekty[0]->Jmeno, "Pravy");
}

} // namespace
