// The program's command line: what each one asks for, what is answered
// without a window, and the launcher's message box.
#include <sstream>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aplikace.h"
#include "argumenty.h"

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using TUkol = TArgumenty::TUkol;

namespace {

TArgumenty precti(std::vector<const char*> argumenty)
{
    argumenty.insert(argumenty.begin(), "mixor");
    return CtiArgumenty(static_cast<int>(argumenty.size()), argumenty.data());
}

struct TPrikaz {
    std::vector<const char*> argumenty;
    TUkol ukol;
    const char* text;  // the message, or a part of what is wrong
};

}  // namespace

TEST(Argumenty, EachCommandLineAsksForOneThing)
{
    const TPrikaz prikazy[] = {
        {{}, TUkol::Okno, ""},
        {{"--help"}, TUkol::Napoveda, ""},
        {{"-h"}, TUkol::Napoveda, ""},
        {{"--version"}, TUkol::Verze, ""},
        {{"--hlaseni", "Složku nelze vytvořit."}, TUkol::Hlaseni, "Složku nelze vytvořit."},
        {{"--hlaseni", ""}, TUkol::Hlaseni, ""},
        {{"--hlaseni"}, TUkol::Chyba, "--hlaseni"},
        {{"--hlaseni", "a", "b"}, TUkol::Chyba, "--hlaseni"},
        {{"--verze"}, TUkol::Chyba, "'--verze'"},
        {{"Přísady.txt"}, TUkol::Chyba, "'Přísady.txt'"},
        {{"-platform", "offscreen"}, TUkol::Chyba, "'-platform'"},
        {{"--help", "--version"}, TUkol::Chyba, "'--version'"},
        {{"--version", "x"}, TUkol::Chyba, "'x'"},
    };
    for (const TPrikaz& prikaz : prikazy) {
        const TArgumenty argumenty = precti(prikaz.argumenty);
        SCOPED_TRACE(prikaz.argumenty.empty() ? "(none)" : prikaz.argumenty.front());
        EXPECT_EQ(argumenty.Ukol, prikaz.ukol);
        if (prikaz.ukol == TUkol::Chyba)
            EXPECT_THAT(argumenty.Text, HasSubstr(prikaz.text));
        else
            EXPECT_EQ(argumenty.Text, prikaz.text);
    }
}

TEST(Argumenty, HelpAndVersionGoToStandardOutputWithStatusZero)
{
    for (const char* volba : {"--help", "--version"}) {
        std::ostringstream out, err;
        EXPECT_EQ(OdpovezBezOkna(precti({volba}), out, err), 0) << volba;
        EXPECT_EQ(err.str(), "") << volba;
        if (volba == std::string_view("--help"))
            EXPECT_THAT(out.str(), HasSubstr("--version"));
        else
            EXPECT_THAT(out.str(), MatchesRegex("mixor \\(Mixorův průvodce 2\\) [0-9]+\\.[0-9]+\\.[0-9]+\n"));
    }
}

TEST(Argumenty, AWrongCommandLineGetsTheUsageOnStandardErrorAndStatusTwo)
{
    std::ostringstream out, err;
    EXPECT_EQ(OdpovezBezOkna(precti({"--verze"}), out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_THAT(err.str(), HasSubstr("mixor: neznámá volba '--verze'\nPoužití: mixor"));
}

TEST(Argumenty, AClosedStandardOutputIsAFailure)
{
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(OdpovezBezOkna(precti({"--version"}), out, err), 1);
}

TEST(Argumenty, TheWindowAndTheMessageAreLeftToTheProgram)
{
    for (const TArgumenty& argumenty : {precti({}), precti({"--hlaseni", "x"})}) {
        std::ostringstream out, err;
        EXPECT_EQ(OdpovezBezOkna(argumenty, out, err), std::nullopt);
        EXPECT_EQ(out.str() + err.str(), "");
    }
}

// The launcher's message, and the icon every window and dialog of the program carries.
TEST(Argumenty, TheMessageIsAStopBoxUnderTheProgramsTitleWithItsIcon)
{
    int argc = 1;
    char jmeno[] = "mixor";
    char* argv[] = {jmeno, nullptr};
    TAplikace aplikace(argc, argv);
    std::vector<TAplikace::TZprava> zpravy;
    aplikace.NastavOdpovidace([&](const TAplikace::TZprava& zprava) { zpravy.push_back(zprava); });

    EXPECT_EQ(UkazHlaseni(aplikace, precti({"--hlaseni", "Složku hráče /x nelze vytvořit: ne."})), 0);
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_EQ(zpravy[0].Ikona, QMessageBox::Critical);
    EXPECT_EQ(zpravy[0].Titulek, QStringLiteral("Mixorův průvodce 2"));
    EXPECT_EQ(zpravy[0].Text, QStringLiteral("Složku hráče /x nelze vytvořit: ne."));

    const QList<QSize> velikosti = QApplication::windowIcon().availableSizes();
    for (const int strana : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(velikosti.contains(QSize(strana, strana))) << strana;
}
