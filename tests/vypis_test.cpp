// The potion-listing page, driven as a user drives it.
#include <gmock/gmock.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "okno_support.h"
#include "seznamy.h"
#include "text.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Vypis : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu(W("Alfa\tJed\tOheň\t\t\t\n"
                  "Beta\tOheň\tJed\t\t\t[T]\n"
                  "Gama\tOheň\t\t\t\t[B]\n"
                  "Delta\tJed\t\t\t\t\n"
                  "Zeta\tVoda\t\t\t\t[T]\n"));
        f().Pages->setCurrentIndex(1);
    }

    TPrisada* prisada(const char* jmeno) { return &Prisada(seznam(), jmeno); }
    std::string nadpis() { return DoCp1250(f().VL1->text()); }

    void klikni(TListBox* seznam, int radek)
    {
        seznam->scrollTo(seznam->Index(radek));
        QTest::mouseClick(seznam->viewport(), Qt::LeftButton, {}, seznam->visualRect(seznam->Index(radek)).center());
    }
    void dvojklik(TListBox* seznam, int radek)
    {
        klikni(seznam, radek);
        QTest::mouseDClick(seznam->viewport(), Qt::LeftButton, {},
                           seznam->visualRect(seznam->Index(radek)).center());
    }
};

TEST_F(Vypis, StartListsTheFirstEffectsSingleEffectPotions)
{
    EXPECT_THAT(texty(f().VvyberList), ElementsAre("Jed", W("Oheň"), "Voda"));
    EXPECT_EQ(f().VvyberList->currentRow(), 0);
    EXPECT_EQ(nadpis(), "Lektvary pouze s efektem Jed");
    EXPECT_THAT(texty(f().Vlist), ElementsAre("Alfa + Delta", "[T] Beta + Delta"));
    EXPECT_EQ(f().Vlist->currentRow(), -1);
    EXPECT_TRUE(f().VvyberJenom->isEnabled());
}

TEST_F(Vypis, OnlyTheGivenEffectBoxRerunsTheListing)
{
    f().VvyberJenom->click();
    EXPECT_EQ(nadpis(), "Lektvary s efektem Jed");
    EXPECT_THAT(texty(f().Vlist), ElementsAre(W("[T] Alfa + Beta => Jed + Oheň"), "Alfa + Delta", "[T] Beta + Delta"));
    f().VvyberJenom->click();
    EXPECT_EQ(nadpis(), "Lektvary pouze s efektem Jed");
    EXPECT_EQ(f().Vlist->count(), 2);
}

TEST_F(Vypis, IngredientModeAndBack)
{
    f().VvyberJenom->click();  // unticked, and must stay so
    f().Vvyber2->click();
    EXPECT_THAT(texty(f().VvyberList), ElementsAre("Alfa", "[T] Beta", "Delta", "[B] Gama", "[T] Zeta"));
    EXPECT_EQ(nadpis(), W("Lektvary z přísady Alfa"));
    EXPECT_THAT(texty(f().Vlist), ElementsAre(W("[T] + Beta => Jed + Oheň"), "+ Delta => Jed", W("[B] + Gama => Oheň")));
    EXPECT_FALSE(f().VvyberJenom->isEnabled());
    EXPECT_FALSE(f().VvyberJenom->isChecked());

    // Arrow keys list the potions of the new selection.
    f().VvyberList->setFocus();
    QTest::keyClick(f().VvyberList, Qt::Key_Down);
    EXPECT_EQ(nadpis(), W("Lektvary z přísady Beta"));

    f().Otribunal->setChecked(false);
    EXPECT_THAT(texty(f().VvyberList), ElementsAre("Alfa", "Delta", "[B] Gama"));
    EXPECT_THAT(texty(f().Vlist), ElementsAre("+ Delta => Jed", W("[B] + Gama => Oheň")));

    f().Vvyber1->click();
    EXPECT_THAT(texty(f().VvyberList), ElementsAre("Jed", W("Oheň")));
    EXPECT_TRUE(f().VvyberJenom->isEnabled());
    EXPECT_EQ(nadpis(), "Lektvary s efektem Jed");
}

TEST_F(Vypis, MarksInTheSelectionFollowTheOptionAtRebuild)
{
    f().Olisit->setChecked(false);
    f().Vvyber2->click();
    EXPECT_THAT(texty(f().VvyberList), ElementsAre("Alfa", "Beta", "Delta", "Gama", "Zeta"));
    // Found potions always carry their marks.
    EXPECT_EQ(texty(f().Vlist)[0], W("[T] + Beta => Jed + Oheň"));
}

TEST_F(Vypis, FoundPotionReplacesTheWholeDesign)
{
    f().Pages->setCurrentIndex(0);
    for (const char* jmeno : {"Zeta", "Gama", "Delta", "Alfa"}) {
        f().Tprisady->VyberRadek(f().Tprisady->RadekSOdkazem(prisada(jmeno)));
        emit f().Tprisady->DvojKlik();
    }
    ASSERT_EQ(tvorba().Lektvar.Prisady[3], prisada("Alfa"));
    f().Pages->setCurrentIndex(1);
    dvojklik(f().Vlist, 1);  // Beta + Delta
    EXPECT_THAT(tvorba().Lektvar.Prisady, ElementsAre(prisada("Beta"), prisada("Delta"), nullptr, nullptr));
    EXPECT_EQ(f().TlEfekt1->text(), QStringLiteral("Jed"));
    EXPECT_EQ(f().TlJmeno->text(), QStringLiteral("Jed"));
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    // The searched effect is shown beside the loaded potion.
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(f().Tefekty->currentRow()), &Efekt(seznam(), "Jed"));
}

TEST_F(Vypis, DoubleClickedSelectionShowsItOnTheCreationPage)
{
    dvojklik(f().VvyberList, 1);  // Oheň
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(f().Tefekty->currentRow()), &Efekt(seznam(), W("Oheň")));
    EXPECT_THAT(radky(f().Tprisady), ElementsAre("Alfa", "[T] Beta", "[B] Gama"));
    EXPECT_EQ(f().Tprisady->currentRow(), 0);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Alfa"));

    f().Pages->setCurrentIndex(1);
    f().Vvyber2->click();
    dvojklik(f().VvyberList, 3);  // Gama
    EXPECT_EQ(f().Pages->currentIndex(), 0);
    EXPECT_EQ(f().Tefekty->currentRow(), 0);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Gama"));
    EXPECT_EQ(f().TpJmeno->text(), QStringLiteral("Gama"));
}

TEST_F(Vypis, DoubleClickWithoutSelectionDoesNothing)
{
    const auto predtim = tvorba().Lektvar.Prisady;
    emit f().Vlist->DvojKlik();
    f().VvyberList->VyberRadek(-1);
    emit f().VvyberList->DvojKlik();
    EXPECT_EQ(tvorba().Lektvar.Prisady, predtim);
    EXPECT_EQ(f().Pages->currentIndex(), 1);
    // Enter on a found potion loads it.
    f().Vlist->setFocus();
    f().Vlist->VyberRadek(0);
    QTest::keyClick(f().Vlist, Qt::Key_Return);
    EXPECT_THAT(tvorba().Lektvar.Prisady, ElementsAre(prisada("Alfa"), prisada("Delta"), nullptr, nullptr));
}

TEST_F(Vypis, NothingAdmissibleGivesEmptyListsAndHeading)
{
    okno.reset();
    katalog("A\tX\t\t[T]\nB\tX\t\t[B]\n");
    spust();
    f().Otribunal->setChecked(false);
    f().Obloodmoon->setChecked(false);
    EXPECT_THAT(texty(f().VvyberList), IsEmpty());
    EXPECT_EQ(f().VvyberList->currentRow(), -1);
    EXPECT_EQ(nadpis(), "");
    EXPECT_THAT(texty(f().Vlist), IsEmpty());
    f().Vvyber2->click();
    EXPECT_THAT(texty(f().VvyberList), IsEmpty());
    EXPECT_EQ(nadpis(), "");
}

TEST_F(Vypis, AHugeNameShowsTheBeginningOfTheHeading)
{
    okno.reset();
    std::string jmeno;
    while (jmeno.size() < 70000)
        jmeno += "Obr ";
    katalog(jmeno + "\tX\t\nMaly\tX\t\n");
    spust();
    f().Vvyber2->click();
    f().VvyberList->VyberRadek(f().VvyberList->RadekSOdkazem(&Prisada(seznam(), jmeno)));
    vypis().VvyberListClick();
    const QString nadpis = f().VL1->text();
    EXPECT_EQ(nadpis.size(), 65536 + 1);
    EXPECT_TRUE(nadpis.startsWith(QStringLiteral("Lektvary z přísady Obr Obr")));
    EXPECT_TRUE(nadpis.endsWith(QChar(0x2026)));
    // The listing itself is whole.
    ASSERT_EQ(f().Vlist->count(), 1);
    EXPECT_EQ(DoCp1250(f().Vlist->Text(0)), "+ Maly => X");
}

} // namespace
