// The window's start-up, options file, splash, loading errors and the
// general error report.
#include <gmock/gmock.h>

#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>

#include "okno_support.h"
#include "text.h"

namespace {

using ::testing::ElementsAre;

const std::string kVsechnyVolby =
    "Volby:\r\n Zaradit Tribunal\r\n Zaradit Bloodmoon\r\n Rozlisovat Datadisky\r\n Prepinat do zapisnicku\r\n"
    " Barevny tisk";
const std::string kKatalog = "Alfa\tJed\tOhen\t\nBeta\tJed\t\t[T]\n";

std::array<bool, 5> ticks(TOvladace& f)
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
    EXPECT_TRUE(zpravy.empty());
}

// Keys are found anywhere in any case; an empty file clears all and greys
// distinguishing; a write-protected file is still read.
TEST_F(Volby, FileGivesTheTicksItNames)
{
    katalog(kKatalog);
    const struct {
        const char* Obsah;
        bool JenProCteni;
        std::array<bool, 5> Zaskrtnuto;
    } pripady[] = {
        {"trib", false, {true, false, false, false, false}},
        {"xxBarEVnyyy rozlisovat\nzapis", false, {false, false, true, true, true}},
        {"Volby:\r\n Zaradit Bloodmoon", true, {false, true, false, false, false}},
        {"", false, kNic},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.Obsah);
        okno.reset();
        std::filesystem::remove(slozka.cesta() / "volby.txt");
        soubor("volby.txt", p.Obsah);
        if (p.JenProCteni)
            std::filesystem::permissions(slozka.cesta() / "volby.txt", std::filesystem::perms::owner_read);
        spust();
        EXPECT_EQ(ticks(f()), p.Zaskrtnuto);
        EXPECT_EQ(f().Olisit->isEnabled(), p.Zaskrtnuto[0] || p.Zaskrtnuto[1]);
    }
    EXPECT_TRUE(zpravy.empty());
    // Nothing ticked is written as the heading alone, and read back so.
    zavri();
    EXPECT_EQ(precti("volby.txt"), "Volby:");
    spust();
    EXPECT_EQ(ticks(f()), kNic);
}

TEST_F(Volby, LinkedFileStaysALinkAndKeepsItsPermissions)
{
    katalog(kKatalog);
    std::filesystem::create_directory(slozka.cesta() / "nastaveni");
    const auto cil = slozka.zapis("nastaveni/moje.txt", "Volby:\r\n Zaradit Bloodmoon");
    std::filesystem::permissions(cil, std::filesystem::perms(0640));
    std::filesystem::create_symlink("nastaveni/moje.txt", slozka.cesta() / "volby.txt");
    spust();
    EXPECT_EQ(ticks(f()), (std::array<bool, 5>{false, true, false, false, false}));
    f().Obarvy->setChecked(true);
    zavri();
    EXPECT_TRUE(zpravy.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(slozka.cesta() / "volby.txt"));
    EXPECT_EQ(precti("nastaveni/moje.txt"), "Volby:\r\n Zaradit Bloodmoon\r\n Barevny tisk");
    EXPECT_EQ(std::filesystem::status(cil).permissions() & std::filesystem::perms::mask,
              std::filesystem::perms(0640));
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

// A catalogue missing, or one without an effect: a loading error.
TEST_F(Start, MissingCatalogueIsReportedAndOptionsStayUntouched)
{
    soubor("volby.txt", "trib");
    for (const char* obsah : {"", "/ jen komentar\nbez tabulatoru\n"}) {
        SCOPED_TRACE(obsah);
        if (*obsah != '\0')
            katalog(obsah);
        zpravy.clear();
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
}

TEST_F(Start, CatalogueInOldArchiveSpellingLoads)
{
    soubor("P\xF8\xEDsady.txt", kKatalog);
    spust();
    EXPECT_FALSE(okno->KonciPoChybe());
    EXPECT_EQ(seznam().Prisady.size(), 2u);
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
    EXPECT_EQ(okno->findChild<QTimer*>(QStringLiteral("StartTimer")), nullptr);
}

// The system shows a window's title as given only while no display name is
// set: with one, it appends " — " and that name to every other title.
TEST(Titulky, NoDisplayNameIsAppendedToTitles)
{
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.example.mixor"));
}

// A FIFO, a link to a device or a folder in place of a file: the general
// error report names the file at once, and start-up goes on as for a file
// that cannot be read.
enum class TNeobycejny { Fifo, OdkazNaZarizeni, Slozka };

class NeobycejnySoubor : public OknoTest, public ::testing::WithParamInterface<TNeobycejny> {
protected:
    void vytvor(const std::string& jmeno)
    {
        const auto cesta = slozka.cesta() / jmeno;
        switch (GetParam()) {
        case TNeobycejny::Fifo:
            fifo_ = std::make_unique<FifoSUvolnenim>(cesta);
            break;
        case TNeobycejny::OdkazNaZarizeni:
            std::filesystem::create_symlink("/dev/zero", cesta);
            break;
        case TNeobycejny::Slozka:
            std::filesystem::create_directory(cesta);
            break;
        }
        druh_ = std::filesystem::symlink_status(cesta).type();
    }
    // Nothing replaced it.
    bool nezmenen(const std::string& jmeno) const
    {
        return std::filesystem::symlink_status(slozka.cesta() / jmeno).type() == druh_;
    }
    void obecneHlaseni(const TAplikace::TZprava& zprava, const QString& soubor) const
    {
        // A folder in the system's words.
        const QString duvod = GetParam() == TNeobycejny::Slozka ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                                                : QStringLiteral("není obyčejný soubor");
        EXPECT_EQ(zprava.Titulek, TAplikace::Titul());
        EXPECT_EQ(zprava.Ikona, QMessageBox::Critical);
        EXPECT_TRUE(zprava.Text.contains(QStringLiteral("'%1': %2.").arg(soubor, duvod)))
            << zprava.Text.toStdString();
    }

private:
    std::unique_ptr<FifoSUvolnenim> fifo_;
    std::filesystem::file_type druh_{};
};

TEST_P(NeobycejnySoubor, OptionsFileIsReportedAtStartAndCloseAndLeftAsItIs)
{
    katalog(kKatalog);
    vytvor("volby.txt");
    spust();
    EXPECT_EQ(ticks(f()), kVse);
    EXPECT_EQ(seznam().Prisady.size(), 2u);
    ASSERT_EQ(zpravy.size(), 1u);
    obecneHlaseni(zpravy[0], QStringLiteral("volby.txt"));

    const int vNotify = TAplikace::Instance()->ChybyVNotify();
    zavri();
    ASSERT_EQ(zpravy.size(), 2u);
    obecneHlaseni(zpravy[1], QStringLiteral("volby.txt"));
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(nezmenen("volby.txt"));
    // Closing reported its own failure; the last resort was not needed.
    EXPECT_EQ(TAplikace::Instance()->ChybyVNotify(), vNotify);
}

TEST_P(NeobycejnySoubor, CatalogueIsReportedBeforeTheLoadingError)
{
    soubor("volby.txt", "trib");
    vytvor("P\xC5\x99\xC3\xADsady.txt");
    spust();
    ASSERT_EQ(zpravy.size(), 2u);
    obecneHlaseni(zpravy[0], QStringLiteral("Přísady.txt"));
    EXPECT_TRUE(zpravy[1].Titulek.endsWith(QStringLiteral(" - Chyba načítání")));
    EXPECT_TRUE(okno->KonciPoChybe());
    okno.reset();
    EXPECT_EQ(precti("volby.txt"), "trib");
    EXPECT_TRUE(nezmenen("P\xC5\x99\xC3\xADsady.txt"));
}

INSTANTIATE_TEST_SUITE_P(Okno, NeobycejnySoubor,
                         ::testing::Values(TNeobycejny::Fifo, TNeobycejny::OdkazNaZarizeni, TNeobycejny::Slozka));

TEST(ObecneHlaseni, FullStopFollowsOnlyALetterOrDigit)
{
    const std::pair<const char*, const char*> pripady[] = {
        {"Soubor nelze číst", "Soubor nelze číst."}, {"chyba 5", "chyba 5."}, {"Hotovo!", "Hotovo!"}, {"Konec.", "Konec."}, {"", ""}};
    for (const auto& [text, hlaseni] : pripady)
        EXPECT_EQ(TAplikace::TextChyby(QString::fromUtf8(text)), QString::fromUtf8(hlaseni));
}

TEST(ObecneHlaseni, FailureInAHandlerIsReportedAndTheProgramGoesOn)
{
    std::vector<TAplikace::TZprava> zpravy;
    TAplikace::Instance()->NastavOdpovidace([&](const TAplikace::TZprava& z) { zpravy.push_back(z); });
    const int vNotify = TAplikace::Instance()->ChybyVNotify();
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
    // A handler without its own catch reaches the last resort.
    EXPECT_EQ(TAplikace::Instance()->ChybyVNotify(), vNotify + 1);
}

// A failure inside one user's action, set off here by a throwing file dialog
// or deeper by a throwing listener on something the action changes on its
// way: the action ends there, one report is shown, nothing reaches the event
// loop's last resort, and the page is left usable.
struct TOkno {
    TOvladace& f;
    TMF& mf;
};

using THod = std::function<void()>;

struct TSelhani {
    const char* Nazev;
    // Connects the throwing listener.
    std::function<QMetaObject::Connection(TOkno&, THod)> Nastraz;
    std::function<void(TOkno&)> Akce;
    // The page as it must be once the listener is gone.
    std::function<void(TOkno&)> Kontrola;
};

void PrintTo(const TSelhani& selhani, std::ostream* proud)
{
    *proud << selhani.Nazev;
}

class Ramec : public OknoTest, public ::testing::WithParamInterface<TSelhani> {};

TEST_P(Ramec, NestedFailureIsReportedOnceAndLeavesThePageUsable)
{
    spustPoUvodu(kKatalog);
    TOkno o{f(), *okno};
    const int vNotify = TAplikace::Instance()->ChybyVNotify();
    const auto nastraha = GetParam().Nastraz(o, [] { throw std::runtime_error("Disk je plný"); });
    GetParam().Akce(o);
    QObject::disconnect(nastraha);
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_EQ(zpravy[0].Titulek, TAplikace::Titul());
    EXPECT_EQ(zpravy[0].Text, QStringLiteral("Disk je plný."));
    EXPECT_EQ(TAplikace::Instance()->ChybyVNotify(), vNotify);
    GetParam().Kontrola(o);
    EXPECT_EQ(zpravy.size(), 1u);
}

const TSelhani kSelhani[] = {
    {"SaveFailsInItsFileDialog",
     [](TOkno&, THod hod) {
         TAplikace::Instance()->NastavOdpovidaceDialogu([hod](QFileDialog&) -> bool { hod(); return false; });
         return QMetaObject::Connection();
     },
     [](TOkno& o) {
         o.f.Pages->setCurrentIndex(2);
         QTest::mouseClick(o.f.Zsave, Qt::LeftButton);
     },
     [](TOkno& o) {
         o.f.Pages->setCurrentIndex(0);
         QTest::mouseClick(o.f.TZprisada, Qt::LeftButton);
         EXPECT_TRUE(o.f.Ztext->toPlainText().contains(QStringLiteral("Přísada Alfa")));
     }},
    {"OptionChangeFailsWhileTheListingIsRefilled",
     [](TOkno& o, THod hod) { return QObject::connect(o.f.Vlist->model(), &QAbstractItemModel::modelReset, hod); },
     [](TOkno& o) { o.f.Otribunal->click(); },
     [](TOkno& o) {
         EXPECT_FALSE(o.f.Vlist->isHidden());
         EXPECT_TRUE(o.f.VvyberList->updatesEnabled());
         o.f.Vvyber2->click();
         EXPECT_EQ(o.f.Vlist->count(), 0);  // Beta is no longer admissible
     }},
    {"EffectClickFailsWhileTheIngredientsAreRefilled",
     [](TOkno& o, THod hod) { return QObject::connect(o.f.Tprisady->model(), &QAbstractItemModel::modelReset, hod); },
     [](TOkno& o) {
         o.f.Tefekty->VyberRadek(1);
         emit o.f.Tefekty->Klik();
     },
     [](TOkno& o) {
         EXPECT_TRUE(o.f.Tprisady->updatesEnabled());
         emit o.f.Tefekty->Klik();
         EXPECT_EQ(o.f.Tprisady->count(), 2);
     }},
    {"StockTickFailsWhileTheSearchIsRefilled",
     [](TOkno& o, THod hod) { return QObject::connect(o.f.Hlist->model(), &QAbstractItemModel::modelReset, hod); },
     [](TOkno& o) { o.f.Hprisady->PrepniZaskrtnuti(0); },
     [](TOkno& o) { EXPECT_FALSE(o.f.Hlist->isHidden()); }},
    {"OptionChangeFailsWhileTheStockIsRefilled",
     [](TOkno& o, THod hod) { return QObject::connect(o.f.Hprisady->model(), &QAbstractItemModel::modelReset, hod); },
     [](TOkno& o) { o.f.Olisit->click(); },
     [](TOkno& o) {
         // The stock's own ticks reach the search again.
         o.f.Hprisady->PrepniZaskrtnuti(0);
         EXPECT_EQ(o.mf.findChild<TStrankaHledani*>()->Zasoby.size(), 1u);
     }},
    {"ProtectionFailsWhileTheSelectionIsMarked",
     [](TOkno& o, THod hod) { return QObject::connect(o.f.Ztext->document(), &QTextDocument::contentsChange, hod); },
     [](TOkno& o) {
         o.f.Ztext->selectAll();
         o.f.Zprotected->setCheckState(Qt::Unchecked);
         o.f.Zprotected->click();
     },
     [](TOkno& o) { EXPECT_FALSE(o.f.Ztext->isReadOnly()); }},
};

INSTANTIATE_TEST_SUITE_P(Okno, Ramec, ::testing::ValuesIn(kSelhani),
                         [](const auto& info) { return std::string(info.param.Nazev); });

TEST(ObecneHlaseni, FailureOfAnyKindIsReportedFromACatch)
{
    std::vector<TAplikace::TZprava> zpravy;
    TAplikace::Instance()->NastavOdpovidace([&](const TAplikace::TZprava& z) { zpravy.push_back(z); });
    for (const auto& hod : std::initializer_list<std::function<void()>>{
             [] { throw std::runtime_error("Soubor 'x': Permission denied"); }, [] { throw 42; }}) {
        try {
            hod();
        } catch (...) {
            TAplikace::HlasZachycenouChybu();
        }
    }
    TAplikace::Instance()->NastavOdpovidace(nullptr);
    ASSERT_EQ(zpravy.size(), 2u);
    EXPECT_EQ(zpravy[0].Text, QStringLiteral("Soubor 'x': Permission denied."));
    EXPECT_EQ(zpravy[1].Text, QStringLiteral("Neznámá chyba."));
    EXPECT_EQ(zpravy[1].Titulek, TAplikace::Titul());
}

} // namespace
