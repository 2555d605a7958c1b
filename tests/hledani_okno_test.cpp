// The search page, driven as a user drives it.
#include <gmock/gmock.h>

#include <QAccessible>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QSpinBox>
#include <QTest>

#include "okno_support.h"
#include "pristupnost_seznamu.h"
#include "seznamy.h"
#include "text.h"
#include "ztext.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What screen readers are told of the lists: the event, the line, its name.
std::vector<std::tuple<QAccessible::Event, int, QString>> gOhlasy;
void zaznamenej(QAccessibleEvent* udalost)
{
    if (QAccessibleInterface* radek = udalost->accessibleInterface())
        gOhlasy.emplace_back(udalost->type(), udalost->child(), radek->text(QAccessible::Name));
}

constexpr std::string_view kKatalog = "Alfa\tJed\tOhe\xF2\t\t\t\r\n"
                                      "Beta\tOhe\xF2\tJed\t\t\t[T]\r\n"
                                      "Gama\tOhe\xF2\t\t\t\t[B]\r\n"
                                      "Delta\tJed\t\t\t\t\r\n"
                                      "Zeta\tVoda\t\t\t\t[T]\r\n"
                                      "Eta\tVoda\tJed\t\t\t\r\n";

class Hledani : public OknoTest {
protected:
    void spustStranku()
    {
        spustPoUvodu(kKatalog);
        f().Pages->setCurrentIndex(4);
    }

    std::string nadpis() { return DoCp1250(f().HL1->text()); }

    // The line of an effect, of an ingredient in the stock.
    int efekt(const char* jmeno) { return f().Hefekty->RadekSOdkazem(&Efekt(seznam(), jmeno)); }
    int zasoba(const char* jmeno) { return f().Hprisady->RadekSOdkazem(&Prisada(seznam(), jmeno)); }
    QString textEfektu(const char* jmeno) { return f().Hefekty->Text(efekt(jmeno)); }
    QPoint misto(TListBox* seznam, int radek)
    {
        seznam->scrollTo(seznam->Index(radek));
        return seznam->visualRect(seznam->Index(radek)).center();
    }
    void klikniEfekt(const char* jmeno, int kolikrat = 1)
    {
        for (int i = 0; i < kolikrat; ++i)
            QTest::mouseClick(f().Hefekty->viewport(), Qt::LeftButton, {}, misto(f().Hefekty, efekt(jmeno)));
    }
    // Ticks or clears an ingredient's box with a click on it.
    void vlastni(const char* jmeno, bool ano)
    {
        TListBox* zasoby = f().Hprisady;
        const int radek = zasoba(jmeno);
        if (zasoby->Zaskrtnuto(radek) == ano)
            return;
        misto(zasoby, radek);
        const QRect box = zasoby->Kreslic().MistoZaskrtnuti(zasoby->visualRect(zasoby->Index(radek)));
        QTest::mouseClick(zasoby->viewport(), Qt::LeftButton, {}, box.center());
    }
    // Pixels of exactly this colour in the line as the list draws it,
    // unselected, in the default light palette; the letters large enough
    // that their strokes have pixels of the pen's own colour.
    int pixelu(TListBox* seznam, int radek, QColor barva)
    {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        seznam->setPalette(fusion->standardPalette());
        QFont pismo = seznam->font();
        pismo.setPixelSize(40);
        seznam->setFont(pismo);
        QImage obraz(seznam->width(), seznam->Kreslic().Vyska(radek), QImage::Format_RGB32);
        QPainter malir(&obraz);
        seznam->Kreslic().Nakresli(&malir, radek, obraz.rect(), QStyle::State_None);
        return PocetPixelu(obraz, [barva](QColor pixel) { return pixel == barva; });
    }
    std::vector<std::string> zaskrtnute()
    {
        std::vector<std::string> out;
        for (int i = 0; i < f().Hprisady->count(); ++i)
            if (f().Hprisady->Zaskrtnuto(i))
                out.push_back(DoCp1250(f().Hprisady->Text(i)));
        return out;
    }
};

TEST_F(Hledani, StartsWithNothingWantedAndTheAdmissibleLists)
{
    spustStranku();
    EXPECT_EQ(f().Pages->tabText(4), QStringLiteral("Hledání"));
    EXPECT_EQ(nadpis(), W("Hledání lektvarů"));
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
    EXPECT_THAT(texty(f().Hefekty), ElementsAre("Jed", W("Oheň"), "Voda"));
    EXPECT_THAT(texty(f().Hprisady), ElementsAre("Alfa", "Beta", "Delta", "Eta", "Gama", "Zeta"));
    EXPECT_THAT(zaskrtnute(), IsEmpty());
    EXPECT_EQ(f().Hpocet->value(), 4);
    EXPECT_EQ(f().Hpocet->minimum(), 2);
    EXPECT_EQ(f().Hpocet->maximum(), 4);
    EXPECT_FALSE(f().Hzasoby->isChecked());
    EXPECT_EQ(f().Hzasoby->text(), QStringLiteral("jen z mých zásob"));
}

TEST_F(Hledani, ClicksCycleWantedAvoidedAndNotChosen)
{
    spustStranku();
    klikniEfekt("Ohe\xF2");
    EXPECT_EQ(textEfektu("Ohe\xF2"), QStringLiteral("+ Oheň"));
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Oheň (3)"));
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[B] Alfa + Gama => Oheň"), W("[TB] Beta + Gama => Oheň"),
                                              W("[T] Alfa + Beta => Jed + Oheň")));
    klikniEfekt("Jed", 2);
    EXPECT_EQ(textEfektu("Jed"), QString(QChar(0x2212)) + QStringLiteral(" Jed"));
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Oheň (2)"));
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[B] Alfa + Gama => Oheň"), W("[TB] Beta + Gama => Oheň")));
    // Moving through the lines chooses nothing; Space cycles the current
    // line: avoided becomes not chosen.
    f().Hefekty->setFocus();
    f().Hefekty->VyberRadek(efekt("Jed"));
    QTest::keyClick(f().Hefekty, Qt::Key_Down);
    QTest::keyClick(f().Hefekty, Qt::Key_Up);
    EXPECT_EQ(textEfektu("Ohe\xF2"), QStringLiteral("+ Oheň"));
    QTest::keyClick(f().Hefekty, Qt::Key_Space);
    EXPECT_EQ(textEfektu("Jed"), QStringLiteral("Jed"));
    EXPECT_EQ(texty(f().Hlist).size(), 3u);
    QTest::keyClick(f().Hefekty, Qt::Key_Space);
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Jed + Oheň (5)"));
    klikniEfekt("Ohe\xF2", 2);
    EXPECT_EQ(nadpis(), "Lektvary s efekty Jed (6)");
    klikniEfekt("Jed", 2);
    EXPECT_EQ(nadpis(), W("Hledání lektvarů"));
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
}

// Each click gives the line its next mark, drawn in the mark's own colour and
// told to screen readers as the line's new name.
TEST_F(Hledani, AMarkIsDrawnInItsColourAndAnnounced)
{
    spustStranku();
    NastavPozorovateleSeznamu(zaznamenej);
    struct {
        const char* Jmeno;
        QColor Barva;
    } const kliky[] = {
        {"+ Oheň", QColor(0, 128, 0)},
        {"− Oheň", QColor(255, 0, 0)},
        {"Oheň", QColor(0, 0, 0)},
    };
    for (const auto& klik : kliky) {
        SCOPED_TRACE(klik.Jmeno);
        gOhlasy.clear();
        klikniEfekt("Ohe\xF2");
        const int radek = efekt("Ohe\xF2");
        EXPECT_THAT(gOhlasy, ::testing::Contains(std::tuple(QAccessible::NameChanged, radek, QString::fromUtf8(klik.Jmeno))));
        EXPECT_GT(pixelu(f().Hefekty, radek, klik.Barva), 5);
    }
    NastavPozorovateleSeznamu(nullptr);
}

// The two lists are named after their headings; the stock shows an
// ingredient's origin by colour alone, and only while origins are shown.
TEST_F(Hledani, ListsAreNamedAndTheStockShowsOriginsByColour)
{
    spustStranku();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f().Hefekty)->text(QAccessible::Name),
              QStringLiteral("Efekty (+ chci, − nechci)"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f().Hprisady)->text(QAccessible::Name),
              QStringLiteral("Moje zásoby"));
    const QColor modra = BarvaPuvodu(true, false);
    for (const bool lisit : {true, false}) {
        SCOPED_TRACE(lisit);
        f().Olisit->setChecked(lisit);
        EXPECT_EQ(f().Hprisady->Text(zasoba("Beta")), QStringLiteral("Beta"));
        EXPECT_EQ(pixelu(f().Hprisady, zasoba("Beta"), modra) > 5, lisit);
        EXPECT_EQ(pixelu(f().Hprisady, zasoba("Alfa"), modra), 0);
    }
}

// The stock is in the order of the names alone, also where a marked name
// sorts elsewhere (a Tribunal ingredient whose name begins as a mark does).
TEST_F(Hledani, StockIsInTheOrderOfTheNames)
{
    spustPoUvodu("[A] Alfa\tJed\t\t\t\t[T]\r\nGama\tJed\t\t\t\t\r\nBeta\tJed\t\t\t\t[B]\r\n");
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("[B] Beta", "Gama", "[T] [A] Alfa"));
    EXPECT_THAT(texty(f().Hprisady), ElementsAre("[A] Alfa", "Beta", "Gama"));
}

TEST_F(Hledani, StockSwitchCountAndExpansionsRebuildTheList)
{
    spustStranku();
    klikniEfekt("Jed");
    klikniEfekt("Ohe\xF2");
    EXPECT_EQ(texty(f().Hlist).front(), W("[T] Alfa + Beta => Jed + Oheň"));
    f().Hpocet->setValue(2);
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[T] Alfa + Beta => Jed + Oheň")));
    f().Hpocet->setValue(3);
    const auto zeTri = texty(f().Hlist);
    EXPECT_THAT(zeTri, ::testing::Contains(W("[B] Alfa + Gama + Delta => Jed + Oheň")));

    vlastni("Alfa", true);
    vlastni("Gama", true);
    vlastni("Delta", true);
    // Marks alone change nothing while the switch is off.
    EXPECT_EQ(texty(f().Hlist), zeTri);
    f().Hzasoby->click();
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[B] Alfa + Gama + Delta => Jed + Oheň")));
    vlastni("Delta", false);
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Jed + Oheň (0)"));
    f().Hzasoby->click();

    // Bloodmoon excluded: Gama leaves the stock list and the potions, and
    // comes back with its check mark.
    f().Obloodmoon->setChecked(false);
    EXPECT_THAT(texty(f().Hprisady), ElementsAre("Alfa", "Beta", "Delta", "Eta", "Zeta"));
    for (const std::string& radek : texty(f().Hlist))
        EXPECT_THAT(radek, ::testing::Not(::testing::HasSubstr("Gama")));
    EXPECT_EQ(textEfektu("Jed"), QStringLiteral("+ Jed"));
    f().Otribunal->setChecked(false);
    EXPECT_THAT(texty(f().Hefekty), ElementsAre("+ Jed", W("+ Oheň"), "Voda"));
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
    f().Obloodmoon->setChecked(true);
    EXPECT_EQ(f().Hprisady->Text(3), QStringLiteral("Gama"));
    EXPECT_TRUE(f().Hprisady->Zaskrtnuto(3));
}

TEST_F(Hledani, DoubleClickLoadsThePotionInItsSlotOrder)
{
    spustStranku();
    klikniEfekt("Ohe\xF2");
    const QPoint betaGama = misto(f().Hlist, 1);
    QTest::mouseClick(f().Hlist->viewport(), Qt::LeftButton, {}, betaGama);
    QTest::mouseDClick(f().Hlist->viewport(), Qt::LeftButton, {}, betaGama);
    EXPECT_EQ(tvorba().Lektvar.Prisady[0], &Prisada(seznam(), "Beta"));
    EXPECT_EQ(tvorba().Lektvar.Prisady[1], &Prisada(seznam(), "Gama"));
    EXPECT_EQ(tvorba().Lektvar.Prisady[2], nullptr);
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(f().TlPrisada1->text(), QStringLiteral("Beta"));
    EXPECT_EQ(f().TpJmeno->text(), QStringLiteral("Beta"));
}

TEST_F(Hledani, ZapsatWritesTheHeadingAndEveryLine)
{
    spustStranku();
    klikniEfekt("Ohe\xF2");
    f().HZlist->click();
    f().Olisit->setChecked(false);
    f().HZlist->click();
    EXPECT_EQ(f().Ztext->toPlainText().mid(zapisnik().ZacatekUzivatelske),
              QStringLiteral("\nLektvary s efekty Oheň (3)\n\t[B] Alfa + Gama => Oheň\n\t[TB] Beta + Gama => Oheň\n"
                             "\t[T] Alfa + Beta => Jed + Oheň\n\nLektvary s efekty Oheň (3)\n\tAlfa + Gama => Oheň\n"
                             "\tBeta + Gama => Oheň\n\tAlfa + Beta => Jed + Oheň\n\n"));
}

TEST_F(Hledani, StockIsReadAtStartAndWrittenAtClose)
{
    soubor("zasoby.txt", "Gama\r\nNezn\xE1m\xE1\r\nAlfa\n");
    spustStranku();
    EXPECT_THAT(zaskrtnute(), ElementsAre("Alfa", "Gama"));
    vlastni("Zeta", true);
    vlastni("Gama", false);
    zavri();
    // A name the catalogue lacks keeps its line; only the changed ticks change.
    EXPECT_EQ(precti("zasoby.txt"), "Nezn\xE1m\xE1\r\nAlfa\r\nZeta\r\n");
    EXPECT_THAT(zpravy, IsEmpty());
}

TEST_F(Hledani, MissingStockMeansNothingOwnedAndAnUnreadableOneIsKept)
{
    spustStranku();
    EXPECT_THAT(zaskrtnute(), IsEmpty());
    zavri();
    EXPECT_EQ(precti("zasoby.txt"), "");
    okno.reset();

    std::filesystem::remove(slozka.cesta() / "zasoby.txt");
    std::filesystem::create_directory(slozka.cesta() / "zasoby.txt");
    spustStranku();
    ASSERT_EQ(zpravy.size(), 1u);
    vlastni("Alfa", true);
    zavri();
    EXPECT_TRUE(std::filesystem::is_directory(slozka.cesta() / "zasoby.txt"));
}

TEST_F(Hledani, StockThatCannotBeWrittenIsReportedAndTheOptionsAreWrittenAllTheSame)
{
    spustStranku();
    vlastni("Alfa", true);
    std::filesystem::create_directory(slozka.cesta() / "zasoby.txt");
    zavri();
    EXPECT_EQ(zpravy.size(), 1u);
    EXPECT_THAT(precti("volby.txt"), ::testing::StartsWith("Volby:"));
}

} // namespace
