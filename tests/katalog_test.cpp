// The catalogue's building rules and the loader of the ingredient file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "chyby.h"
#include "katalog.h"
#include "nacitani.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;

TEST(Katalog, WorkedExampleLinksEffectsBySlot)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {W("Q\tSíla\t"), W("Modrý květ\tLéčení\tSíla\t\tLéčení\t[t] roste u vody"),
                         W("Kámen\tSíla\tJed")});
    ASSERT_EQ(seznam.Prisady.size(), 3u);
    TPrisada& q = *seznam.Prisady[0];
    TPrisada& p = *seznam.Prisady[1];
    TPrisada& kamen = *seznam.Prisady[2];
    ASSERT_EQ(seznam.Efekty.size(), 2u);
    TEfekt& sila = *seznam.Efekty[0];
    TEfekt& leceni = *seznam.Efekty[1];
    EXPECT_EQ(sila.Jmeno, W("Síla"));
    EXPECT_EQ(leceni.Jmeno, W("Léčení"));

    EXPECT_EQ(p.Jmeno, W("Modrý květ"));
    EXPECT_THAT(p.Efekty, ElementsAre(&leceni, &sila, nullptr, &leceni));
    EXPECT_THAT(leceni.Prisady, ElementsAre(&p));
    EXPECT_TRUE(p.Tribunal);
    EXPECT_FALSE(p.Bloodmoon);
    EXPECT_EQ(p.Poznamka, W(" roste u vody"));

    EXPECT_THAT(kamen.Efekty, ElementsAre(&sila, nullptr, nullptr, nullptr));
    EXPECT_EQ(kamen.Poznamka, "Jed");
    EXPECT_THAT(sila.Prisady, ElementsAre(&q, &p, &kamen));
}

TEST(Katalog, EffectNamesAreExactBytes)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"A\tJed\tjed\tJed \t", "B\tJed\tJed\t"});
    ASSERT_EQ(seznam.Efekty.size(), 3u);
    EXPECT_EQ(seznam.Efekty[0]->Jmeno, "Jed");
    EXPECT_EQ(seznam.Efekty[1]->Jmeno, "jed");
    EXPECT_EQ(seznam.Efekty[2]->Jmeno, "Jed ");
    // Same effect twice in one line: one entry in the effect's list.
    EXPECT_THAT(seznam.Efekty[0]->Prisady, ElementsAre(seznam.Prisady[0], seznam.Prisady[1]));
    EXPECT_EQ(seznam.Prisady[1]->Efekty[0], seznam.Prisady[1]->Efekty[1]);
}

TEST(Katalog, DuplicateIngredientNamesAreTwoIngredients)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"Mech\tJed\t", "Mech\tJed\t"});
    ASSERT_EQ(seznam.Prisady.size(), 2u);
    EXPECT_NE(seznam.Prisady[0], seznam.Prisady[1]);
    EXPECT_THAT(seznam.Efekty[0]->Prisady, ElementsAre(seznam.Prisady[0], seznam.Prisady[1]));
}

TEST(Katalog, LineShapes)
{
    TSeznam seznam;
    NaplnZRadku(seznam, {"  ", "bez tabulatoru [T] x", "\tJed\t", "N\tA\tB\tC\tD\tE\t[B] x", "X\t[T] pozn",
                         "Y\t [T] pozn", "Z\t[T", "V\t[x] y", "U\t[Bloodmoon]z", "S\t[2]", "R\t[1]", "P\t[TB]"});
    const auto& p = seznam.Prisady;
    ASSERT_EQ(p.size(), 12u);
    EXPECT_EQ(p[0]->Jmeno, "");
    EXPECT_EQ(p[0]->Poznamka, "  ");
    EXPECT_EQ(p[1]->Jmeno, "");
    EXPECT_EQ(p[1]->Poznamka, "bez tabulatoru [T] x");
    EXPECT_FALSE(p[1]->Tribunal);
    EXPECT_EQ(p[2]->Jmeno, "");
    ASSERT_NE(p[2]->Efekty[0], nullptr);
    EXPECT_EQ(p[2]->Efekty[0]->Jmeno, "Jed");

    // More than four fields: the rest, TABs included, is the note.
    EXPECT_EQ(p[3]->Efekty[3]->Jmeno, "D");
    EXPECT_EQ(p[3]->Poznamka, "E\t[B] x");
    EXPECT_FALSE(p[3]->Bloodmoon);

    EXPECT_TRUE(p[4]->Tribunal);
    EXPECT_EQ(p[4]->Poznamka, " pozn");
    EXPECT_FALSE(p[5]->Tribunal);
    EXPECT_EQ(p[5]->Poznamka, " [T] pozn");
    EXPECT_TRUE(p[6]->Tribunal);
    EXPECT_EQ(p[6]->Poznamka, "[T");
    EXPECT_FALSE(p[7]->Tribunal || p[7]->Bloodmoon);
    EXPECT_EQ(p[7]->Poznamka, " y");
    EXPECT_TRUE(p[8]->Bloodmoon);
    EXPECT_EQ(p[8]->Poznamka, "z");
    EXPECT_TRUE(p[9]->Bloodmoon);
    EXPECT_TRUE(p[10]->Tribunal);
    EXPECT_TRUE(p[11]->Tribunal);
    EXPECT_FALSE(p[11]->Bloodmoon);
    EXPECT_TRUE(seznam.Efekty.size() == 5u);
}

TEST(Katalog, ManyEffectsAreFoundByNameAfterTheIndexGrows)
{
    // Thousands of effects, each named again by later ingredients, with
    // names that differ only in their last bytes or in case.
    TSeznam seznam;
    std::vector<std::string> radky;
    for (int i = 0; i < 3000; ++i) {
        std::string radek = "P";
        radek += std::to_string(i);
        for (const auto& [predpona, cislo] : {std::pair{"Efekt ", i}, std::pair{"efekt ", i},
                                              std::pair{"Efekt ", i / 2}, std::pair{"Efekt ", i / 3}}) {
            radek += '\t';
            radek += predpona;
            radek += std::to_string(cislo);
        }
        radek += '\t';
        radky.push_back(std::move(radek));
    }
    for (const std::string& radek : radky)
        PridejPrisadu(seznam, radek);
    ASSERT_EQ(seznam.Prisady.size(), 3000u);
    ASSERT_EQ(seznam.Efekty.size(), 6000u);
    for (int i = 0; i < 3000; ++i) {
        const TPrisada& p = *seznam.Prisady[i];
        ASSERT_EQ(p.Efekty[0]->Jmeno, "Efekt " + std::to_string(i));
        ASSERT_EQ(p.Efekty[1]->Jmeno, "efekt " + std::to_string(i));
        ASSERT_EQ(p.Efekty[2]->Jmeno, "Efekt " + std::to_string(i / 2));
        ASSERT_EQ(p.Efekty[3]->Jmeno, "Efekt " + std::to_string(i / 3));
    }
    // "Efekt 6" is named by ingredients 6, 12, 13, 18, 19 and 20, in that order.
    const TEfekt& sest = *seznam.Prisady[6]->Efekty[0];
    EXPECT_THAT(sest.Prisady, ElementsAre(seznam.Prisady[6], seznam.Prisady[12], seznam.Prisady[13],
                                          seznam.Prisady[18], seznam.Prisady[19], seznam.Prisady[20]));
    // Ingredients 0 and 1 name "Efekt 0" more than once; each is listed once.
    EXPECT_THAT(seznam.Efekty[0]->Prisady, ElementsAre(seznam.Prisady[0], seznam.Prisady[1], seznam.Prisady[2]));
    // Emptying forgets the names: the same name makes a new effect.
    seznam.Vyprazdni();
    PridejPrisadu(seznam, "Q\tEfekt 6\t");
    ASSERT_EQ(seznam.Efekty.size(), 1u);
    EXPECT_NE(seznam.Efekty[0], &sest);
    EXPECT_THAT(seznam.Efekty[0]->Prisady, ElementsAre(seznam.Prisady[0]));
}

TEST(Katalog, ExpansionMarks)
{
    EXPECT_EQ(ZnackaDatadisku(false, false), "");
    EXPECT_EQ(ZnackaDatadisku(true, false), "[T] ");
    EXPECT_EQ(ZnackaDatadisku(false, true), "[B] ");
    EXPECT_EQ(ZnackaDatadisku(true, true), "[TB] ");
    TPrisada prisada;
    prisada.Bloodmoon = true;
    EXPECT_EQ(ZnackaPrisady(prisada), "[B] ");
}

class Nacitani : public ::testing::Test {
protected:
    DocasnaSlozka slozka;
    TSeznam seznam;

    void nacti(std::string_view obsah)
    {
        const auto cesta = slozka.zapis("katalog.txt", obsah);
        NactiSeznam(cesta.string(), seznam);
    }
};

TEST_F(Nacitani, CommentsShortLinesAndLineEnds)
{
    nacti("/komentar\tJed\t\n \t/Jed\t\nx\n\r\nA\tJed\t pozn\r\nB\tJed\t\rx\n\nC\tJed\t");
    ASSERT_EQ(seznam.Prisady.size(), 4u);
    EXPECT_EQ(seznam.Prisady[0]->Jmeno, " ");
    EXPECT_EQ(seznam.Prisady[0]->Efekty[0]->Jmeno, "/Jed");
    EXPECT_EQ(seznam.Prisady[1]->Poznamka, " pozn");
    EXPECT_EQ(seznam.Prisady[2]->Poznamka, "x");  // a lone CR is dropped
    EXPECT_EQ(seznam.Prisady[3]->Jmeno, "C");      // last line without LF
}

TEST_F(Nacitani, CrLfAndLfGiveTheSameCatalogue)
{
    nacti("A\tJed\tOhen\t[T] a\r\nB\tOhen\t b\r\n");
    TSeznam lf;
    NactiSeznam(slozka.zapis("lf.txt", "A\tJed\tOhen\t[T] a\nB\tOhen\t b\n").string(), lf);
    ASSERT_EQ(seznam.Prisady.size(), lf.Prisady.size());
    for (std::size_t i = 0; i < lf.Prisady.size(); ++i) {
        EXPECT_EQ(seznam.Prisady[i]->Jmeno, lf.Prisady[i]->Jmeno);
        EXPECT_EQ(seznam.Prisady[i]->Poznamka, lf.Prisady[i]->Poznamka);
        EXPECT_EQ(seznam.Prisady[i]->Tribunal, lf.Prisady[i]->Tribunal);
    }
    EXPECT_EQ(seznam.Prisady[1]->Poznamka, " b");
}

TEST_F(Nacitani, LoadingLinksEffectsLikeAddingLineByLine)
{
    // Effects named twice in a line, in another slot, by later lines, and
    // effects that stop being named.
    std::string obsah;
    TSeznam poRadcich;
    for (int i = 0; i < 400; ++i) {
        std::string radek = "P";
        radek += std::to_string(i);
        for (const int efekt : {i % 7, i % 7, -1, i / 50, i % 3 + 5}) {
            radek += '\t';
            if (efekt >= 0)
                radek.append("E").append(std::to_string(efekt));
        }
        radek += "\t pozn";
        obsah += radek + "\n";
        PridejPrisadu(poRadcich, radek);
    }
    for (int opakovani = 0; opakovani < 2; ++opakovani) {
        nacti(obsah);
        ASSERT_EQ(seznam.Efekty.size(), poRadcich.Efekty.size());
        for (std::size_t e = 0; e < seznam.Efekty.size(); ++e) {
            const TEfekt& efekt = *seznam.Efekty[e];
            ASSERT_EQ(efekt.Jmeno, poRadcich.Efekty[e]->Jmeno);
            ASSERT_EQ(efekt.Prisady.size(), poRadcich.Efekty[e]->Prisady.size()) << efekt.Jmeno;
            for (std::size_t k = 0; k < efekt.Prisady.size(); ++k)
                ASSERT_EQ(efekt.Prisady[k]->Jmeno, poRadcich.Efekty[e]->Prisady[k]->Jmeno) << efekt.Jmeno;
        }
    }
    // After loading, new lines link at once again.
    PridejPrisadu(seznam, "Posledni\tE0\t");
    EXPECT_EQ(seznam.Efekty[0]->Prisady.back(), seznam.Prisady.back());
}

TEST_F(Nacitani, CtrlZEndsLineOrFile)
{
    nacti("A\tJed\t\x1A" "Ohen\t\nB\tVoda\t\n\x1A" "C\tVzduch\t\n");
    ASSERT_EQ(seznam.Prisady.size(), 2u);
    EXPECT_THAT(seznam.Prisady[0]->Efekty, ElementsAre(seznam.Efekty[0], nullptr, nullptr, nullptr));
    EXPECT_EQ(seznam.Efekty.size(), 2u);
}

TEST_F(Nacitani, LongLineIsKeptWhole)
{
    const std::string poznamka(300000, 'x');
    nacti("A\tJed\t" + poznamka + "\nB\tJed\t\n");
    ASSERT_EQ(seznam.Prisady.size(), 2u);
    EXPECT_EQ(seznam.Prisady[0]->Poznamka, poznamka);
}

TEST_F(Nacitani, EmptyOrCommentOnlyFileGivesNoEffect)
{
    nacti("/ jen komentar\n\nx\n");
    EXPECT_TRUE(seznam.Prisady.empty());
    EXPECT_TRUE(seznam.Efekty.empty());
    nacti("bez efektu\njeste jedna\n");
    EXPECT_EQ(seznam.Prisady.size(), 2u);
    EXPECT_TRUE(seznam.Efekty.empty());
}

TEST_F(Nacitani, MissingFileEmptiesTheCatalogue)
{
    nacti("A\tJed\t\n");
    ASSERT_FALSE(seznam.Prisady.empty());
    NactiSeznam((slozka.cesta() / "chybi.txt").string(), seznam);
    EXPECT_TRUE(seznam.Prisady.empty());
    EXPECT_TRUE(seznam.Efekty.empty());
}

TEST_F(Nacitani, UnreadableFileThrowsWithSystemDescription)
{
    std::filesystem::create_directory(slozka.cesta() / "adresar.txt");
    try {
        NactiSeznam((slozka.cesta() / "adresar.txt").string(), seznam);
        FAIL() << "no error";
    } catch (const ChybaCteni& chyba) {
        EXPECT_NE(std::string(chyba.what()).find("directory"), std::string::npos) << chyba.what();
    }
}

TEST_F(Nacitani, NameWithAccentsIsFoundInEitherSpelling)
{
    const std::string jmeno = W("Přísady.txt");
    const auto puvodni = std::filesystem::current_path();
    std::filesystem::current_path(slozka.cesta());
    slozka.zapis("P\xC5\x99\xC3\xADsady.txt", "A\tUtf\t\n");
    NactiSeznam(jmeno, seznam);
    ASSERT_EQ(seznam.Efekty.size(), 1u);
    EXPECT_EQ(seznam.Efekty[0]->Jmeno, "Utf");

    std::filesystem::remove(slozka.cesta() / "P\xC5\x99\xC3\xADsady.txt");
    slozka.zapis(jmeno, "A\tStary\t\n");
    NactiSeznam(jmeno, seznam);
    std::filesystem::current_path(puvodni);
    ASSERT_EQ(seznam.Efekty.size(), 1u);
    EXPECT_EQ(seznam.Efekty[0]->Jmeno, "Stary");
}

} // namespace
