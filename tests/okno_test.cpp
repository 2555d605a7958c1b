// The window's start-up, options file, splash, loading errors and the
// general error report.
#include <gmock/gmock.h>

#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <stdexcept>

#include "okno_support.h"
#include "text.h"

namespace {

using ::testing::ElementsAre;

const std::string kVsechnyVolby =
    "Volby:\r\n Zaradit Tribunal\r\n Zaradit Bloodmoon\r\n Rozlisovat Datadisky\r\n Prepinat do zapisnicku\r\n"
    " Barevny tisk";
const std::string kKatalog = "Alfa\tJed\tOhen\t\nBeta\tJed\t\t[T]\n";

std::array<bool, 5> ticks(Ui::TMF& f)
{
    return {f.Otribunal->isChecked(), f.Obloodmoon->isChecked(), f.Olisit->isChecked(), f.Oprepnout->isChecked(),
            f.Obarvy->isChecked()};
}

constexpr std::array<bool, 5> kVse{true, true, true, true, true};
constexpr std::array<bool, 5> kNic{false, false, false, false, false};

class Volby : public OknoTest {};

TEST_F(Volby, AbsentFileGivesDefaultsAndCloseWritesAllFive)
{
    katalog(kKatalog);
    spust();
    EXPECT_EQ(ticks(f()), kVse);
    zavri();
    EXPECT_EQ(precti("volby.txt"), kVsechnyVolby);
    EXPECT_EQ(kVsechnyVolby.size(), 108u);
    EXPECT_TRUE(zpravy.empty());
}

TEST_F(Volby, KeysAreFoundAnywhereInAnyCase)
{
    katalog(kKatalog);
    soubor("volby.txt", "trib");
    spust();
    EXPECT_EQ(ticks(f()), (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_TRUE(f().Olisit->isEnabled());
    okno.reset();

    soubor("volby.txt", "xxBarEVnyyy rozlisovat\nzapis");
    spust();
    EXPECT_EQ(ticks(f()), (std::array<bool, 5>{false, false, true, true, true}));
    EXPECT_EQ(VolbyZTextu(TextVoleb(kVse)), kVse);
    EXPECT_EQ(VolbyZTextu("TRIBUNAL BLOOD"), VolbyZTextu("tribunal blood"));
}

TEST_F(Volby, EmptyFileClearsAllAndGreysDistinguishing)
{
    katalog(kKatalog);
    soubor("volby.txt", "");
    spust();
    EXPECT_EQ(ticks(f()), kNic);
    EXPECT_FALSE(f().Olisit->isEnabled());
    zavri();
    EXPECT_EQ(precti("volby.txt"), "Volby:");
    spust();
    EXPECT_EQ(ticks(f()), kNic);
}

TEST_F(Volby, WriteProtectedFileIsStillRead)
{
    katalog(kKatalog);
    soubor("volby.txt", "Volby:\r\n Zaradit Bloodmoon");
    std::filesystem::permissions(slozka.cesta() / "volby.txt", std::filesystem::perms::owner_read);
    spust();
    EXPECT_EQ(ticks(f()), (std::array<bool, 5>{false, true, false, false, false}));
    EXPECT_TRUE(zpravy.empty());
}

TEST_F(Volby, UnreadableAndUnwritableFileIsReportedAndWindowStillCloses)
{
    katalog(kKatalog);
    std::filesystem::create_directory(slozka.cesta() / "volby.txt");
    spust();
    EXPECT_EQ(ticks(f()), kVse);
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_EQ(zpravy[0].Titulek, TAplikace::Titul());
    EXPECT_EQ(zpravy[0].Ikona, QMessageBox::Critical);
    EXPECT_TRUE(zpravy[0].Text.contains(QStringLiteral("volby.txt"))) << zpravy[0].Text.toStdString();
    EXPECT_TRUE(zpravy[0].Text.endsWith(QLatin1Char('.')));

    zavri();
    EXPECT_EQ(zpravy.size(), 2u);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(std::filesystem::is_directory(slozka.cesta() / "volby.txt"));
}

TEST_F(Volby, DistinguishingIsGreyedOnlyWhileBothExpansionsAreExcluded)
{
    katalog(kKatalog);
    spust();
    f().Olisit->setChecked(false);
    f().Otribunal->setChecked(false);
    EXPECT_TRUE(f().Olisit->isEnabled());
    f().Obloodmoon->setChecked(false);
    EXPECT_FALSE(f().Olisit->isEnabled());
    f().Otribunal->click();
    EXPECT_TRUE(f().Olisit->isEnabled());
    EXPECT_FALSE(f().Olisit->isChecked());
}

class Start : public OknoTest {};

TEST_F(Start, MissingCatalogueIsReportedAndOptionsStayUntouched)
{
    soubor("volby.txt", "trib");
    spust();
    EXPECT_TRUE(okno->KonciPoChybe());
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_EQ(zpravy[0].Titulek, QStringLiteral("Mixorův průvodce 2 - Chyba načítání"));
    EXPECT_EQ(zpravy[0].Text, QStringLiteral("Nebyly načteny potřebné informace. Soubor 'Přísady.txt' "
                                            "neexistuje nebo je ve špatném formátu."));
    EXPECT_EQ(zpravy[0].Ikona, QMessageBox::Critical);
    okno.reset();
    EXPECT_EQ(precti("volby.txt"), "trib");
}

TEST_F(Start, CatalogueWithoutEffectIsALoadingError)
{
    katalog("/ jen komentar\nbez tabulatoru\n");
    spust();
    EXPECT_TRUE(okno->KonciPoChybe());
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_TRUE(zpravy[0].Titulek.endsWith(QStringLiteral(" - Chyba načítání")));
}

TEST_F(Start, UnreadableCatalogueIsReportedBeforeTheLoadingError)
{
    std::filesystem::create_directory(slozka.cesta() / "P\xC5\x99\xC3\xADsady.txt");
    spust();
    ASSERT_EQ(zpravy.size(), 2u);
    EXPECT_EQ(zpravy[0].Titulek, TAplikace::Titul());
    EXPECT_TRUE(zpravy[0].Text.contains(QStringLiteral("Přísady.txt"))) << zpravy[0].Text.toStdString();
    EXPECT_TRUE(zpravy[1].Titulek.endsWith(QStringLiteral(" - Chyba načítání")));
    EXPECT_TRUE(okno->KonciPoChybe());
}

TEST_F(Start, CatalogueInOldArchiveSpellingLoads)
{
    soubor("P\xF8\xEDsady.txt", kKatalog);
    spust();
    EXPECT_FALSE(okno->KonciPoChybe());
    EXPECT_EQ(okno->Seznam.Prisady.size(), 2u);
}

TEST_F(Start, SplashShowsOnlyTheLogoForOneSecond)
{
    katalog(kKatalog);
    spust();
    EXPECT_FALSE(okno->KonciPoChybe());
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Mixorův průvodce 2"));
    EXPECT_EQ(okno->size(), QSize(540, 350));
    EXPECT_EQ(okno->minimumSize(), okno->maximumSize());
    EXPECT_EQ(f().Pages->currentIndex(), 3);
    EXPECT_EQ(f().OlogoP->geometry(), QRect(124, 88, 281, 97));
    EXPECT_TRUE(f().OL1->isHidden());
    EXPECT_TRUE(f().OL2->isHidden());
    EXPECT_TRUE(f().Ovolby->isHidden());

    // One tick, a second after creation.
    ASSERT_NE(startTimer(), nullptr);
    EXPECT_TRUE(startTimer()->isSingleShot());
    EXPECT_EQ(startTimer()->interval(), 1000);
    tikniStartTimer();

    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(f().OlogoP->geometry(), QRect(12, 8, 281, 201));
    EXPECT_FALSE(f().OL1->isHidden());
    EXPECT_FALSE(f().OL2->isHidden());
    EXPECT_FALSE(f().Ovolby->isHidden());
    // The timer ticks once only: nothing waits to bring a page forward again.
    EXPECT_EQ(startTimer(), nullptr);
    EXPECT_EQ(okno->findChild<QTimer*>(QStringLiteral("StartTimer")), nullptr);
}

// The system shows a window's title as given only while no display name is
// set: with one, it appends " — " and that name to every other title.
TEST(Titulky, NoDisplayNameIsAppendedToTitles)
{
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("mixor"));
}

TEST(ObecneHlaseni, FullStopFollowsOnlyALetterOrDigit)
{
    EXPECT_EQ(TAplikace::TextChyby(QStringLiteral("Soubor nelze číst")), QStringLiteral("Soubor nelze číst."));
    EXPECT_EQ(TAplikace::TextChyby(QStringLiteral("chyba 5")), QStringLiteral("chyba 5."));
    EXPECT_EQ(TAplikace::TextChyby(QStringLiteral("Hotovo!")), QStringLiteral("Hotovo!"));
    EXPECT_EQ(TAplikace::TextChyby(QStringLiteral("Konec.")), QStringLiteral("Konec."));
    EXPECT_EQ(TAplikace::TextChyby(QString()), QString());
}

TEST(ObecneHlaseni, FailureInAHandlerIsReportedAndTheProgramGoesOn)
{
    std::vector<TAplikace::TZprava> zpravy;
    TAplikace::Instance()->NastavOdpovidace([&](const TAplikace::TZprava& z) { zpravy.push_back(z); });
    QPushButton tlacitko;
    QObject::connect(&tlacitko, &QPushButton::clicked, [] { throw std::runtime_error("Disk je plný"); });
    // Delivered by the application, as a user's click would be.
    QMetaObject::invokeMethod(&tlacitko, &QPushButton::click, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents();
    TAplikace::Instance()->NastavOdpovidace(nullptr);
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_EQ(zpravy[0].Titulek, TAplikace::Titul());
    EXPECT_EQ(zpravy[0].Text, QStringLiteral("Disk je plný."));
    EXPECT_EQ(zpravy[0].Ikona, QMessageBox::Critical);
}

} // namespace
