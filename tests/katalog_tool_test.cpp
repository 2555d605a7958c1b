// The catalogue inspector, run as a separate process on files written here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "nastroj_support.h"
#include "test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;


std::vector<std::string> radky(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream proud(text);
    for (std::string radek; std::getline(proud, radek);)
        out.push_back(radek);
    return out;
}

class Nastroj : public ::testing::Test {
protected:
    DocasnaSlozka slozka;

    std::string katalog(std::string_view text) const { return slozka.zapis("katalog.txt", text).string(); }

    Beh spust(const std::vector<std::string>& argumenty) const { return SpustNastroj(slozka.cesta(), argumenty); }

    // Output of a run that must succeed quietly.
    std::string json(const std::vector<std::string>& argumenty) const
    {
        const Beh beh = spust(argumenty);
        EXPECT_EQ(beh.kod, 0) << beh.err;
        EXPECT_EQ(beh.err, "");
        return beh.out;
    }
};

TEST_F(Nastroj, CatalogueGivesIndicesNullSlotsMarksAndUtf8)
{
    const auto f = katalog(W("/ komentář\nMech\tJed\tOheň\t\t\t[T] u vody\nKámen\tOheň\tJed\t\t\t[b]\n"
                             "Žula\t\tLed\t\n"));
    EXPECT_EQ(json({f}),
              "{\"ingredients\":["
              "{\"name\":\"Mech\",\"note\":\" u vody\",\"tribunal\":true,\"bloodmoon\":false,"
              "\"effects\":[0,1,null,null]},"
              "{\"name\":\"Kámen\",\"note\":\"\",\"tribunal\":false,\"bloodmoon\":true,"
              "\"effects\":[1,0,null,null]},"
              "{\"name\":\"Žula\",\"note\":\"\",\"tribunal\":false,\"bloodmoon\":false,"
              "\"effects\":[null,2,null,null]}],"
              "\"effects\":[{\"name\":\"Jed\",\"ingredients\":[0,1]},{\"name\":\"Oheň\",\"ingredients\":[0,1]},"
              "{\"name\":\"Led\",\"ingredients\":[2]}]}\n");
}

TEST_F(Nastroj, TextsAreJsonEscaped)
{
    // Past the fourth effect the rest of the line, TAB included, is the note.
    const auto f = katalog("Rec \"ta\" \\\tA\tB\tC\tD\tE\tx\x01y\x81z\x7F\n");
    const std::string out = json({f});
    EXPECT_THAT(out, HasSubstr(R"("name":"Rec \"ta\" \\")"));
    EXPECT_THAT(out, HasSubstr(R"("note":"E\u0009x\u0001y\u0081z\u007f")"));
}

class NastrojLektvar : public Nastroj {
protected:
    std::string f = katalog(W("A\tJed\tOheň\t\t\t[T]\nB\tOheň\tVoda\t\nC\tVoda\tJed\t\nD\tLed\t\n"));
};

TEST_F(NastrojLektvar, ListsSharedEffectsWithTheirSlots)
{
    EXPECT_EQ(json({f, "--brew", "0,-,1"}),
              R"({"tribunal":true,"bloodmoon":false,"effects":[{"effect":1,"slots":[1,3]}]})" "\n");
    EXPECT_EQ(json({f, "--brew", "-,1,2"}),
              R"({"tribunal":false,"bloodmoon":false,"effects":[{"effect":2,"slots":[2,3]}]})" "\n");
    EXPECT_EQ(json({"--brew", "0,1,2", f}),
              R"({"tribunal":true,"bloodmoon":false,"effects":[{"effect":0,"slots":[1,3]},)"
              R"({"effect":1,"slots":[1,2]},{"effect":2,"slots":[2,3]}]})" "\n");
}

TEST_F(NastrojLektvar, LoneOrRepeatedIngredient)
{
    EXPECT_EQ(json({f, "--brew", "-,-,-,3"}), R"({"tribunal":false,"bloodmoon":false,"effects":[]})" "\n");
    EXPECT_EQ(json({f, "--brew", "2,2"}),
              R"({"tribunal":false,"bloodmoon":false,"effects":[{"effect":2,"slots":[1,2]},)"
              R"({"effect":0,"slots":[1,2]}]})" "\n");
}

class NastrojHledani : public Nastroj {
protected:
    std::string f = katalog(W("Pes\tOheň\tJed\t\nKos\tOheň\t\t\t\t[T]\nLis\tOheň\tJed\t\nRak\tJed\t\t\t\t[2]\n"));
};

TEST_F(NastrojHledani, FromIngredientWithAndWithoutTribunal)
{
    EXPECT_EQ(json({f, "--from", "0"}),
              R"({"heading":"Lektvary z přísady Pes","lines":[)"
              R"({"text":"[T] + Kos => Oheň","first":0,"second":1},)"
              R"({"text":"+ Lis => Oheň + Jed","first":0,"second":2},)"
              R"({"text":"[B] + Rak => Jed","first":0,"second":3}]})" "\n");
    EXPECT_EQ(json({"--no-tribunal", "--from", "2", f}),
              R"({"heading":"Lektvary z přísady Lis","lines":[)"
              R"({"text":"+ Pes => Oheň + Jed","first":2,"second":0},)"
              R"({"text":"[B] + Rak => Jed","first":2,"second":3}]})" "\n");
}

TEST_F(NastrojHledani, WithEffectOnlyAndExpansions)
{
    EXPECT_EQ(json({f, "--effect", "1"}),
              R"({"heading":"Lektvary s efektem Jed","lines":[)"
              R"({"text":"Pes + Lis => Oheň + Jed","first":0,"second":2},)"
              R"({"text":"[B] Pes + Rak","first":0,"second":3},)"
              R"({"text":"[B] Lis + Rak","first":2,"second":3}]})" "\n");
    const std::string jen = R"({"heading":"Lektvary pouze s efektem Jed","lines":[)"
                            R"({"text":"[B] Pes + Rak","first":0,"second":3},)"
                            R"({"text":"[B] Lis + Rak","first":2,"second":3}]})" "\n";
    EXPECT_EQ(json({f, "--effect", "1", "--only"}), jen);
    EXPECT_EQ(json({"--only", "--effect", "1", f}), jen);
    EXPECT_EQ(json({f, "--effect", "1", "--only", "--no-bloodmoon"}),
              R"({"heading":"Lektvary pouze s efektem Jed","lines":[]})" "\n");
    EXPECT_EQ(json({f, "--effect", "0", "--no-tribunal"}),
              R"({"heading":"Lektvary s efektem Oheň","lines":[)"
              R"({"text":"Pes + Lis => Oheň + Jed","first":0,"second":2}]})" "\n");
}

TEST_F(Nastroj, HelpMissingAndUnreadableFiles)
{
    const Beh napoveda = spust({"--help"});
    EXPECT_EQ(napoveda.kod, 0);
    EXPECT_THAT(napoveda.out, HasSubstr("--brew"));
    EXPECT_THAT(napoveda.out, HasSubstr("--find"));

    const Beh chybi = spust({(slozka.cesta() / "chybi.txt").string()});
    EXPECT_EQ(chybi.kod, 1);
    EXPECT_THAT(chybi.err, HasSubstr("chybi.txt"));
    EXPECT_EQ(chybi.out, "");

    std::filesystem::create_directory(slozka.cesta() / "slozka.txt");
    const Beh adresar = spust({"--lint", (slozka.cesta() / "slozka.txt").string()});
    EXPECT_EQ(adresar.kod, 1);
    EXPECT_THAT(adresar.err, HasSubstr("slozka.txt"));
    EXPECT_EQ(adresar.out, "");
}

TEST_F(Nastroj, OpensExactlyTheGivenPathAndNamesItAsGiven)
{
    // The bytes of "Přísady.txt" read as Windows-1250 and spelt in UTF-8.
    slozka.zapis("P\xC4\xB9\xE2\x84\xA2\xC4\x82\xC2\xADsady.txt", "A\tZkomoleny\t\n");
    const std::string cesta = (slozka.cesta() / "Přísady.txt").string();
    for (const std::vector<std::string>& argumenty : {std::vector<std::string>{cesta},
                                                      std::vector<std::string>{cesta, "--find", "0"}}) {
        const Beh chybi = spust(argumenty);
        EXPECT_EQ(chybi.kod, 1) << ::testing::PrintToString(argumenty);
        EXPECT_THAT(chybi.err, HasSubstr("'" + cesta + "'"));
        EXPECT_EQ(chybi.out, "");
    }

    slozka.zapis("Přísady.txt", "A\tPravy\t\n");
    EXPECT_THAT(json({cesta}), HasSubstr(R"("name":"Pravy")"));
}

TEST_F(Nastroj, UsageErrorsNameTheCulpritAndShowUsage)
{
    const std::string f = katalog("A\tJed\tOhen\t\nB\tJed\t\n");
    struct Pripad {
        std::vector<std::string> argumenty;
        std::string vinik;  // what the message before the usage text must mention
    };
    const std::vector<Pripad> pripady = {
        {{}, ""},
        {{f, f}, f},
        {{f, "--bogus"}, "--bogus"},
        {{f, "--from"}, "--from"},
        {{f, "--from", "2"}, "2"},
        {{f, "--from", "-1"}, "-1"},
        {{f, "--effect", "2"}, "2"},
        {{f, "--brew", "0,2"}, "2"},
        {{f, "--brew", "0,x"}, "x"},
        {{f, "--brew", "0,,1"}, "--brew"},
        {{f, "--brew", "0,1,0,1,0"}, "0,1,0,1,0"},
        {{f, "--from", "0", "--effect", "0"}, "--effect"},
        {{f, "--lint", "--brew", "0"}, "--brew"},
        {{f, "--only"}, "--only"},
        {{f, "--from", "0", "--only"}, "--only"},
        {{f, "--brew", "0", "--no-tribunal"}, "--no-tribunal"},
        {{f, "--from", "0", "--max", "3"}, "--max"},
        {{f, "--avoid", "0"}, "--avoid"},
        {{f, "--from", "0", "--from", "1"}, "--from"},
    };
    for (const Pripad& pripad : pripady) {
        const Beh beh = spust(pripad.argumenty);
        const std::string popis = ::testing::PrintToString(pripad.argumenty);
        EXPECT_EQ(beh.kod, 2) << popis;
        EXPECT_EQ(beh.out, "") << popis;
        const auto pouziti = beh.err.find("Použití");
        ASSERT_NE(pouziti, std::string::npos) << popis << beh.err;
        EXPECT_THAT(beh.err.substr(0, pouziti), HasSubstr(pripad.vinik)) << popis;
    }
}

TEST_F(Nastroj, LintNamesEachLikelyMistakeWithItsLine)
{
    const auto f = katalog(W("/ komentář\n"
                             "Mech\tJed\tOheň\t\r\n"
                             "\n"
                             "Kámen\tj ed\tVoda\t\n"
                             "Zub\tOheň\tVoda\n"
                             "bez tabulátoru\n"
                             "Pes\tJed\t[x] pozn\n"
                             "List\tA\tB\tC\tD\tE\t\n"
                             "Mech\tLed\t\n"
                             "Rak\tOheň\tvoda\n"));
    const Beh beh = spust({f, "--lint"});
    EXPECT_EQ(beh.kod, 0) << beh.err;
    EXPECT_THAT(radky(beh.out), ElementsAre(AllOf(StartsWith("řádek 4: "), HasSubstr("„j ed“"), HasSubstr("„Jed“")),
                                            AllOf(StartsWith("řádek 5: "), HasSubstr("„Voda“")),
                                            StartsWith("řádek 6: "),
                                            AllOf(StartsWith("řádek 7: "), HasSubstr("značka")),
                                            StartsWith("řádek 8: "),
                                            AllOf(StartsWith("řádek 9: "), HasSubstr("„Mech“"), HasSubstr("2")),
                                            AllOf(StartsWith("řádek 10: "), HasSubstr("„voda“"))));
}

TEST_F(Nastroj, LintFollowsTheLoadersLinesAndKeepsQuietOnGoodOnes)
{
    // A Ctrl-Z cuts its line; one at a line start ends the file.
    const auto f = katalog("A\tJed\t[T] ok\r\n"
                           "x\r\n"
                           "\tJed\t\n"
                           "E\tJed\t[b]\n"
                           "B\tJed\tok\x1A" "\tA\tB\tC\tD\tE\t\n"
                           "/ x\n"
                           "C\tJed\t\t[tb]\n"
                           "D\tA\tB\tC\tD\t[2] Jed x\n"
                           "ab\n"
                           "\x1A" "zbytek bez tabulatoru\n");
    const Beh beh = spust({"--lint", f});
    EXPECT_EQ(beh.kod, 0) << beh.err;
    EXPECT_THAT(radky(beh.out), ElementsAre(StartsWith("řádek 9: ")));
}

} // namespace
