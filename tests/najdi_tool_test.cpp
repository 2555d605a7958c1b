// The inspector's search by wanted effects (--find), run as a separate
// process on catalogue files written here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include <fstream>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hledani_plne.h"
#include "nacitani.h"
#include "nastroj_support.h"
#include "test_support.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;


class HledaniNastrojem : public ::testing::Test {
protected:
    DocasnaSlozka slozka;

    std::string katalog(std::string_view text) const { return slozka.zapis("katalog.txt", text).string(); }

    Beh spust(const std::vector<std::string>& argumenty) const { return SpustNastroj(slozka.cesta(), argumenty); }
};

constexpr std::string_view kMaly = "P\tOhen\tVoda\t\t\t\r\n"
                                   "Q\tOhen\tVoda\tJed\t\t[T]\r\n"
                                   "R\tOhen\t\t\t\t\r\n"
                                   "S\tVoda\tJed\t\t\t[B]\r\n"
                                   "T\tOhen\tJed\t\t\t\r\n";

TEST_F(HledaniNastrojem, PrintsTheFirstPotionsAndCountsAll)
{
    const Beh beh = spust({katalog(kMaly), "--find", "0,1", "--limit", "2"});
    EXPECT_EQ(beh.kod, 0) << beh.err;
    EXPECT_EQ(beh.out, "{\"total\":5,\"complete\":true,\"potions\":["
                       "{\"slots\":[0,1],\"effects\":[0,1],\"tribunal\":true,\"bloodmoon\":false},"
                       "{\"slots\":[0,2,3],\"effects\":[0,1],\"tribunal\":false,\"bloodmoon\":true}]}\n");
    const Beh bez = spust({"--no-tribunal", "--find", "0,1", "--avoid", "2", "--have", "0,2,3,4", "--max", "3",
                           katalog(kMaly)});
    EXPECT_EQ(bez.kod, 0) << bez.err;
    EXPECT_EQ(bez.out, "{\"total\":1,\"complete\":true,\"potions\":["
                       "{\"slots\":[0,2,3],\"effects\":[0,1],\"tribunal\":false,\"bloodmoon\":true}]}\n");
}

TEST_F(HledaniNastrojem, UsageErrorsExitWithTwoAndTheUsage)
{
    const std::string soubor = katalog(kMaly);
    for (const std::vector<std::string>& argumenty : std::vector<std::vector<std::string>>{
             {soubor, "--find"},
             {soubor, "--find", "0,x"},
             {soubor, "--find", "0,"},
             {soubor, "--find", "7"},
             {soubor, "--find", "0", "--avoid", "9"},
             {soubor, "--find", "0", "--have", "5"},
             {soubor, "--find", "0", "--max", "5"},
             {soubor, "--find", "0", "--max", "1"},
             {soubor, "--find", "0", "--from", "1"},
             {soubor, "--find", "0", "--find", "1"},
             {soubor, "--find", "0", "--bogus"},
             {"--find", "0"},
             {soubor, soubor, "--find", "0"},
         }) {
        const Beh beh = spust(argumenty);
        EXPECT_EQ(beh.kod, 2) << ::testing::PrintToString(argumenty);
        EXPECT_THAT(beh.err, StartsWith("mixor-katalog: "));
        EXPECT_THAT(beh.err, HasSubstr("--find E,E"));
        EXPECT_EQ(beh.out, "");
    }
    const std::string chybi = (slozka.cesta() / "nic.txt").string();
    const Beh bezSouboru = spust({chybi, "--find", "0"});
    EXPECT_EQ(bezSouboru.kod, 1);
    EXPECT_THAT(bezSouboru.err, HasSubstr("'" + chybi + "'"));
}

// The expected output, written from the plain enumeration.
std::string ocekavanyVystup(const TSeznam& seznam, const std::vector<TPlny>& lektvary, std::size_t vypsat)
{
    std::string out = "{\"total\":" + std::to_string(lektvary.size()) + ",\"complete\":true,\"potions\":[";
    for (std::size_t i = 0; i < std::min(vypsat, lektvary.size()); ++i) {
        TLektvar lektvar;
        for (std::size_t s = 0; s < lektvary[i].pozice.size(); ++s)
            lektvar.Prisady[s] = seznam.Prisady[lektvary[i].pozice[s]];
        SpocitejLektvar(lektvar);
        out += i > 0 ? ",{\"slots\":[" : "{\"slots\":[";
        for (std::size_t s = 0; s < lektvary[i].pozice.size(); ++s)
            out += (s > 0 ? "," : "") + std::to_string(lektvary[i].pozice[s]);
        out += "],\"effects\":[";
        for (std::size_t e = 0; e < 4 && lektvar.Efekty[e].Efekt != nullptr; ++e) {
            const auto index = std::find(seznam.Efekty.begin(), seznam.Efekty.end(), lektvar.Efekty[e].Efekt) -
                               seznam.Efekty.begin();
            out += (e > 0 ? "," : "") + std::to_string(index);
        }
        out += std::string("],\"tribunal\":") + (lektvar.Tribunal ? "true" : "false");
        out += std::string(",\"bloodmoon\":") + (lektvar.Bloodmoon ? "true" : "false") + "}";
    }
    return out + "]}\n";
}

std::string seznamCisel(const std::vector<std::size_t>& cisla)
{
    std::string text;
    for (std::size_t c : cisla)
        text += (text.empty() ? "" : ",") + std::to_string(c);
    return text;
}

TEST_F(HledaniNastrojem, AgreesWithPlainEnumerationOnRandomCatalogues)
{
    std::mt19937 nahoda(1512);
    for (int pokus = 0; pokus < 40; ++pokus) {
        std::string text;
        const unsigned efektu = 3 + nahoda() % 6;
        const unsigned prisad = 3 + nahoda() % 20;
        for (unsigned i = 0; i < prisad; ++i) {
            text += "P" + std::to_string(i);
            for (int s = 0; s < 4; ++s)
                text += "\t" + (nahoda() % 6 != 0 ? "E" + std::to_string(nahoda() % efektu) : std::string());
            const unsigned znacka = nahoda() % 5;
            text += znacka == 1 ? "\t[T]\r\n" : znacka == 2 ? "\t[B]\r\n" : "\t\r\n";
        }
        const std::string soubor = katalog(text);
        TSeznam seznam;
        NactiSeznam(soubor, seznam);
        ASSERT_GE(seznam.Efekty.size(), 1u);

        std::vector<std::size_t> indexy(seznam.Efekty.size());
        std::iota(indexy.begin(), indexy.end(), 0);
        std::shuffle(indexy.begin(), indexy.end(), nahoda);
        const std::size_t chtenych = 1 + nahoda() % std::min<std::size_t>(indexy.size(), 4);
        const std::size_t zakazanych = std::min<std::size_t>(nahoda() % 3, indexy.size() - chtenych);
        const std::vector<std::size_t> chtene(indexy.begin(), indexy.begin() + chtenych);
        const std::vector<std::size_t> zakazane(indexy.begin() + chtenych, indexy.begin() + chtenych + zakazanych);
        TZadaniHledani zadani;
        std::vector<std::string> argumenty{soubor, "--find", seznamCisel(chtene)};
        for (std::size_t e : chtene)
            zadani.Chtene.push_back(seznam.Efekty[e]);
        if (!zakazane.empty()) {
            argumenty.insert(argumenty.end(), {"--avoid", seznamCisel(zakazane)});
            for (std::size_t e : zakazane)
                zadani.Zakazane.push_back(seznam.Efekty[e]);
        }
        if (nahoda() % 2 == 0) {
            std::vector<std::size_t> zasoby;
            for (std::size_t i = 0; i < seznam.Prisady.size(); ++i)
                if (nahoda() % 4 != 0) {
                    zasoby.push_back(i);
                    zadani.Zasoby.insert(seznam.Prisady[i]);
                }
            if (!zasoby.empty()) {
                zadani.JenZeZasob = true;
                argumenty.insert(argumenty.end(), {"--have", seznamCisel(zasoby)});
            }
        }
        zadani.NejvicePrisad = 2 + nahoda() % 3;
        argumenty.insert(argumenty.end(), {"--max", std::to_string(zadani.NejvicePrisad)});
        if (nahoda() % 3 == 0) {
            zadani.Zarazeni.Tribunal = false;
            argumenty.push_back("--no-tribunal");
        }
        if (nahoda() % 3 == 0) {
            zadani.Zarazeni.Bloodmoon = false;
            argumenty.push_back("--no-bloodmoon");
        }
        const std::size_t vypsat = nahoda() % 2 == 0 ? 100 : nahoda() % 10;
        if (vypsat != 100)
            argumenty.insert(argumenty.end(), {"--limit", std::to_string(vypsat)});

        const Beh beh = spust(argumenty);
        ASSERT_EQ(beh.kod, 0) << beh.err;
        ASSERT_EQ(beh.out, ocekavanyVystup(seznam, PlneHledani(seznam, zadani), vypsat))
            << "pokus " << pokus << ": " << ::testing::PrintToString(argumenty);
    }
}

} // namespace
