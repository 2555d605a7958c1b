// The potion-creation page, driven as a user drives it.
#include <gmock/gmock.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "okno_support.h"
#include "ovladace.h"
#include "seznamy.h"
#include "text.h"

namespace {

using ::testing::ElementsAre;

class Tvorba : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu(W("Alfa\tJed\tOheň\tVoda\t\t pozn\n"
                  "Beta\tOheň\tJed\t\t\t[T]\n"
                  "Gama\tVoda\t\tJed\t\t[B]\n"
                  "Delta\tOheň\tVzduch\t\t\t\n"
                  "Epsilon\tVzduch\tVoda\t\t\t\n"
                  "Zeta\tZemě\t\n"));
    }

    TPrisada* prisada(const char* jmeno) { return &Prisada(seznam(), jmeno); }

    void klikniNaRadek(TListBox* seznam, int radek)
    {
        seznam->scrollTo(seznam->Index(radek));
        const QRect misto = seznam->visualRect(seznam->Index(radek));
        QTest::mouseClick(seznam->viewport(), Qt::LeftButton, {}, misto.center());
    }
    void dvojklikNaRadek(TListBox* seznam, int radek)
    {
        klikniNaRadek(seznam, radek);
        const QRect misto = seznam->visualRect(seznam->Index(radek));
        QTest::mouseDClick(seznam->viewport(), Qt::LeftButton, {}, misto.center());
    }
    void vyberEfekt(const char* jmeno)
    {
        klikniNaRadek(f().Tefekty, f().Tefekty->RadekSOdkazem(&Efekt(seznam(), W(jmeno))));
    }
    void pridej(const char* jmeno)
    {
        dvojklikNaRadek(f().Tprisady, f().Tprisady->RadekSOdkazem(prisada(jmeno)));
    }
    std::array<QString, 4> popisky(std::array<TPopisek*, 4> ovladace)
    {
        return {ovladace[0]->text(), ovladace[1]->text(), ovladace[2]->text(), ovladace[3]->text()};
    }
    std::array<QString, 4> slotyLektvaru()
    {
        return popisky({f().TlPrisada1, f().TlPrisada2, f().TlPrisada3, f().TlPrisada4});
    }
    std::array<QString, 4> efektyLektvaru()
    {
        return popisky({f().TlEfekt1, f().TlEfekt2, f().TlEfekt3, f().TlEfekt4});
    }
    static QColor barva(const QWidget* ovladac, QPalette::ColorRole role = QPalette::WindowText)
    {
        return ovladac->palette().color(role);
    }
};

TEST_F(Tvorba, StartShowsAllIngredientsAndAnEmptyPotion)
{
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Alfa", "[T] Beta", "Delta", "Epsilon", "[B] Gama", "Zeta"));
    EXPECT_EQ(f().Tprisady->currentRow(), 0);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Alfa"));
    EXPECT_EQ(f().TpJmeno->text(), QStringLiteral("Alfa"));
    EXPECT_EQ(f().TpPopisPS->Text()->text(), QStringLiteral("Poznámka:  pozn"));
    EXPECT_EQ(slotyLektvaru(), (std::array<QString, 4>{QStringLiteral("žádná"), "", "", ""}));
    EXPECT_EQ(efektyLektvaru(), (std::array<QString, 4>{QStringLiteral("žádné"), "", "", ""}));
    EXPECT_EQ(f().TlEfektZP1->text(), QStringLiteral("        "));
    EXPECT_TRUE(f().TZlektvar->isHidden());
    EXPECT_TRUE(f().TZefekt->isHidden());
    EXPECT_TRUE(f().TlVyjmi1->isHidden());
    EXPECT_FALSE(f().TpPridat->isHidden());
}

TEST_F(Tvorba, TypicalRoadShowsSharedEffectsWithSlotDigits)
{
    pridej("Alfa");
    EXPECT_EQ(slotyLektvaru()[0], QStringLiteral("Alfa"));
    EXPECT_TRUE(f().TpPridat->isHidden());
    EXPECT_FALSE(f().TZlektvar->isHidden());
    pridej("Beta");
    EXPECT_EQ(slotyLektvaru(), (std::array<QString, 4>{"Alfa", "Beta", "", ""}));
    EXPECT_EQ(efektyLektvaru(), (std::array<QString, 4>{"Jed", QStringLiteral("Oheň"), "", ""}));
    EXPECT_EQ(f().TlEfektZP1->text(), QStringLiteral("12    "));
    EXPECT_EQ(f().TlEfektZP3->text(), QStringLiteral("        "));
    EXPECT_EQ(f().TlJmeno->text(), QStringLiteral("Jed"));
    EXPECT_EQ(f().TlDatadisky->text(), QStringLiteral(" [T]"));
    EXPECT_EQ(barva(f().TlJmeno, QPalette::Text), QColor(0, 0, 255));
    pridej("Gama");
    // Voda from slots 1 and 3; Jed now from 1, 2 and 3.
    EXPECT_EQ(efektyLektvaru(), (std::array<QString, 4>{"Jed", QStringLiteral("Oheň"), "Voda", ""}));
    EXPECT_EQ(f().TlEfektZP1->text(), QStringLiteral("123  "));
    EXPECT_EQ(f().TlEfektZP3->text(), QStringLiteral("1  3  "));
    EXPECT_EQ(barva(f().TlJmeno, QPalette::Text), QColor(255, 0, 255));
}

TEST_F(Tvorba, FourIngredientsFillTheSlotsAndRemovingClosesTheGap)
{
    for (const char* jmeno : {"Alfa", "Delta", "Epsilon", "Zeta"})
        pridej(jmeno);
    EXPECT_EQ(slotyLektvaru(), (std::array<QString, 4>{"Alfa", "Delta", "Epsilon", "Zeta"}));
    for (int radek = 0; radek < f().Tprisady->count(); ++radek) {
        klikniNaRadek(f().Tprisady, radek);
        EXPECT_TRUE(f().TpPridat->isHidden()) << radek;
    }
    dvojklikNaRadek(f().Tprisady, f().Tprisady->RadekSOdkazem(prisada("Gama")));
    EXPECT_EQ(tvorba().Lektvar.Prisady[3], prisada("Zeta"));

    f().TlVyjmi2->click();
    EXPECT_EQ(slotyLektvaru(), (std::array<QString, 4>{"Alfa", "Epsilon", "Zeta", ""}));
    EXPECT_THAT(tvorba().Lektvar.Prisady, ElementsAre(prisada("Alfa"), prisada("Epsilon"), prisada("Zeta"), nullptr));
    EXPECT_TRUE(f().TlVyjmi4->isHidden());
    EXPECT_FALSE(f().TlVyjmi3->isHidden());
    EXPECT_EQ(efektyLektvaru()[0], QStringLiteral("Voda"));
    EXPECT_EQ(f().TlEfektZP1->text(), QStringLiteral("12    "));
    // Gama is shown and can be added again now that a slot is free.
    EXPECT_FALSE(f().TpPridat->isHidden());
}

TEST_F(Tvorba, IngredientAlreadyInThePotionIsNotAddedTwice)
{
    pridej("Alfa");
    pridej("Alfa");
    EXPECT_THAT(tvorba().Lektvar.Prisady, ElementsAre(prisada("Alfa"), nullptr, nullptr, nullptr));
    EXPECT_TRUE(f().TpPridat->isHidden());
}

TEST_F(Tvorba, SelectingAnEffectListsItsAdmissibleIngredients)
{
    klikniNaRadek(f().Tprisady, 1);  // Beta
    vyberEfekt("Oheň");
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Alfa", "[T] Beta", "Delta"));
    EXPECT_EQ(f().Tprisady->currentRow(), 1);  // the shown ingredient stays selected
    EXPECT_FALSE(f().TZefekt->isHidden());

    vyberEfekt("Vzduch");
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Delta", "Epsilon"));
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Delta"));
    EXPECT_EQ(f().TpJmeno->text(), QStringLiteral("Delta"));

    f().Otribunal->setChecked(false);  // refills, "- všechny -" selected
    EXPECT_TRUE(f().TZefekt->isHidden());
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Alfa", "Delta", "Epsilon", "[B] Gama", "Zeta"));
    vyberEfekt("Oheň");
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Alfa", "Delta"));
}

TEST_F(Tvorba, DoubleClickedEffectLabelsSelectTheirEffect)
{
    klikniNaRadek(f().Tprisady, f().Tprisady->RadekSOdkazem(prisada("Gama")));
    EXPECT_EQ(f().TpEfekt2->text(), QString());
    QTest::mouseDClick(f().TpEfekt3, Qt::LeftButton);
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(f().Tefekty->currentRow()), &Efekt(seznam(), "Jed"));
    EXPECT_THAT(texty(f().Tprisady), ElementsAre("Alfa", "[T] Beta", "[B] Gama"));
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Gama"));

    QTest::mouseDClick(f().TpEfekt2, Qt::LeftButton);  // the empty slot
    EXPECT_EQ(f().Tefekty->currentRow(), 0);
    EXPECT_EQ(f().Tprisady->count(), 6);

    pridej("Alfa");
    pridej("Delta");
    QTest::mouseDClick(f().TlEfekt1, Qt::LeftButton);
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(f().Tefekty->currentRow()), &Efekt(seznam(), W("Oheň")));
    QTest::mouseDClick(f().TlEfekt2, Qt::LeftButton);  // empty entry
    EXPECT_EQ(f().Tefekty->currentRow(), 0);
}

TEST_F(Tvorba, NameColoursFollowTheDistinguishingOption)
{
    klikniNaRadek(f().Tprisady, f().Tprisady->RadekSOdkazem(prisada("Beta")));
    pridej("Beta");
    EXPECT_EQ(barva(f().TpJmeno), QColor(0, 0, 255));
    EXPECT_EQ(barva(f().TlPrisada1), QColor(0, 0, 255));
    EXPECT_EQ(f().TpDatadisky->text(), QStringLiteral(" [T]"));
    f().Olisit->click();
    EXPECT_EQ(barva(f().TpJmeno), QColor(0, 0, 0));
    EXPECT_EQ(barva(f().TlPrisada1), QColor(0, 0, 0));
    EXPECT_EQ(barva(f().TlJmeno, QPalette::Text), QColor(0, 0, 0));
    // The list keeps its marks until it is refilled.
    EXPECT_EQ(f().Tprisady->Text(1), QStringLiteral("[T] Beta"));
    klikniNaRadek(f().Tefekty, 0);
    EXPECT_EQ(f().Tprisady->Text(1), QStringLiteral("Beta"));
    f().Olisit->click();
    EXPECT_EQ(barva(f().TlPrisada1), QColor(0, 0, 255));
}

TEST_F(Tvorba, PotionNameIsPutBackAfterTyping)
{
    pridej("Alfa");
    pridej("Beta");
    f().TlJmeno->clear();
    QTest::keyClicks(f().TlJmeno, QStringLiteral("Muj lektvar"));
    EXPECT_EQ(f().TlJmeno->text(), QStringLiteral("Muj lektvar"));
    f().TlVyjmi2->click();
    EXPECT_EQ(f().TlJmeno->text(), QString());
    pridej("Beta");
    EXPECT_EQ(f().TlJmeno->text(), QStringLiteral("Jed"));
}

TEST_F(Tvorba, DoubleClickedPotionIngredientIsSelectedOrAllAreListed)
{
    pridej("Beta");
    pridej("Alfa");
    vyberEfekt("Vzduch");
    QTest::mouseDClick(f().TlPrisada2, Qt::LeftButton);
    EXPECT_EQ(f().Tefekty->currentRow(), 0);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Alfa"));
    EXPECT_EQ(f().Tprisady->Odkaz<TPrisada*>(f().Tprisady->currentRow()), prisada("Alfa"));

    f().Otribunal->setChecked(false);
    QTest::mouseDClick(f().TlPrisada1, Qt::LeftButton);  // Beta, now excluded
    EXPECT_EQ(f().Tprisady->currentRow(), 0);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Alfa"));
    EXPECT_THAT(tvorba().Lektvar.Prisady, ElementsAre(prisada("Beta"), prisada("Alfa"), nullptr, nullptr));

    QTest::mouseDClick(f().TlPrisada4, Qt::LeftButton);  // empty slot
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Alfa"));
    EXPECT_EQ(f().Tprisady->currentRow(), 0);
}

TEST_F(Tvorba, KeyboardMovesTheSelectionAndEnterAdds)
{
    f().Tprisady->setFocus();
    QTest::keyClick(f().Tprisady, Qt::Key_Down);
    EXPECT_EQ(tvorba().VybranaPrisada, prisada("Beta"));
    QTest::keyClick(f().Tprisady, Qt::Key_Return);
    EXPECT_EQ(tvorba().Lektvar.Prisady[0], prisada("Beta"));
    QTest::keyClick(f().Tefekty, Qt::Key_Down);
    EXPECT_EQ(f().Tefekty->currentRow(), 1);
    EXPECT_FALSE(f().TZefekt->isHidden());
}

TEST_F(Tvorba, LongNoteScrollsInItsStrip)
{
    TPosuvnyPas* pas = f().TpPopisPS;
    pas->NastavText(QString(80, QLatin1Char('m')));
    EXPECT_EQ(pas->Posun(), 0);
    pas->Doprava();
    pas->Doprava();
    EXPECT_GT(pas->Posun(), 0);
    for (int i = 0; i < 200; ++i)
        pas->Doprava();
    EXPECT_EQ(pas->Posun(), pas->Text()->width() - (pas->width() - 2 * 15));
    pas->NastavText(QStringLiteral("krátká"));
    pas->Doprava();
    EXPECT_EQ(pas->Posun(), 0);
}

TEST_F(Tvorba, AHugeNameShowsItsBeginningInTheLabels)
{
    okno.reset();
    std::string jmeno;
    while (jmeno.size() < 70000)
        jmeno += "Obr ";
    spustPoUvodu(jmeno + "\tJed\t\nMaly\tJed\t\n");
    f().Tprisady->VyberRadek(f().Tprisady->RadekSOdkazem(prisada(jmeno.c_str())));
    tvorba().TprisadyDblClick();
    for (const QLabel* popisek : {static_cast<const QLabel*>(f().TpJmeno), static_cast<const QLabel*>(f().TlPrisada1)}) {
        EXPECT_EQ(popisek->text().size(), 65536 + 1);
        EXPECT_TRUE(popisek->text().startsWith(QStringLiteral("Obr Obr")));
        EXPECT_TRUE(popisek->text().endsWith(QChar(0x2026)));
    }
    // The potion holds the ingredient itself, whatever its label shows.
    EXPECT_EQ(tvorba().Lektvar.Prisady[0], prisada(jmeno.c_str()));
}

} // namespace
