// The search page, driven as a user drives it.
#include <gmock/gmock.h>

#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>

#include "okno_support.h"
#include "seznamy.h"
#include "text.h"
#include "ztext.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

    template <typename TSeznamu>
    std::vector<std::string> texty(const TSeznamu* seznam) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < seznam->count(); ++i)
            out.push_back(DoCp1250(seznam->model()->index(i, 0).data().toString()));
        return out;
    }
    std::string nadpis() { return DoCp1250(f().HL1->text()); }

    QListWidgetItem* efekt(const char* jmeno)
    {
        for (int i = 0; i < f().Hefekty->count(); ++i)
            if (f().Hefekty->item(i)->data(Qt::UserRole).value<TEfekt*>() == &Efekt(seznam(), jmeno))
                return f().Hefekty->item(i);
        return nullptr;
    }
    void klikni(QListWidget* seznam, QListWidgetItem* radek)
    {
        seznam->scrollToItem(radek);
        QTest::mouseClick(seznam->viewport(), Qt::LeftButton, {}, seznam->visualItemRect(radek).center());
    }
    void klikniEfekt(const char* jmeno, int kolikrat = 1)
    {
        for (int i = 0; i < kolikrat; ++i)
            klikni(f().Hefekty, efekt(jmeno));
    }
    void vlastni(const char* jmeno, bool ano)
    {
        for (int i = 0; i < f().Hprisady->count(); ++i)
            if (f().Hprisady->item(i)->data(Qt::UserRole).value<TPrisada*>() == &Prisada(seznam(), jmeno))
                f().Hprisady->item(i)->setCheckState(ano ? Qt::Checked : Qt::Unchecked);
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
    for (int i = 0; i < f().Hprisady->count(); ++i)
        EXPECT_EQ(f().Hprisady->item(i)->checkState(), Qt::Unchecked);
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
    EXPECT_EQ(efekt("Ohe\xF2")->text(), QStringLiteral("+ Oheň"));
    EXPECT_EQ(efekt("Ohe\xF2")->foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Oheň (3)"));
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[B] Alfa + Gama => Oheň"), W("[TB] Beta + Gama => Oheň"),
                                              W("[T] Alfa + Beta => Jed + Oheň")));
    klikniEfekt("Jed", 2);
    EXPECT_EQ(efekt("Jed")->text(), QString(QChar(0x2212)) + QStringLiteral(" Jed"));
    EXPECT_EQ(efekt("Jed")->foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Oheň (2)"));
    EXPECT_THAT(texty(f().Hlist), ElementsAre(W("[B] Alfa + Gama => Oheň"), W("[TB] Beta + Gama => Oheň")));
    // Space cycles the current line: avoided becomes not chosen.
    f().Hefekty->setCurrentItem(efekt("Jed"));
    QTest::keyClick(f().Hefekty, Qt::Key_Space);
    EXPECT_EQ(efekt("Jed")->text(), QStringLiteral("Jed"));
    EXPECT_EQ(texty(f().Hlist).size(), 3u);
    QTest::keyClick(f().Hefekty, Qt::Key_Space);
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Jed + Oheň (5)"));
    klikniEfekt("Ohe\xF2", 2);
    EXPECT_EQ(nadpis(), "Lektvary s efekty Jed (6)");
    klikniEfekt("Jed", 2);
    EXPECT_EQ(nadpis(), W("Hledání lektvarů"));
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
}

TEST_F(Hledani, StockSwitchCountAndExpansionsRebuildTheList)
{
    spustStranku();
    klikniEfekt("Jed");
    klikniEfekt("Ohe\xF2");
    const auto vse = texty(f().Hlist);
    EXPECT_EQ(nadpis(), W("Lektvary s efekty Jed + Oheň (5)"));
    EXPECT_EQ(vse.front(), W("[T] Alfa + Beta => Jed + Oheň"));
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
    EXPECT_EQ(efekt("Jed")->text(), QStringLiteral("+ Jed"));
    f().Otribunal->setChecked(false);
    EXPECT_THAT(texty(f().Hefekty), ElementsAre("+ Jed", W("+ Oheň"), "Voda"));
    EXPECT_THAT(texty(f().Hlist), IsEmpty());
    f().Obloodmoon->setChecked(true);
    EXPECT_EQ(f().Hprisady->item(3)->text(), QStringLiteral("Gama"));
    EXPECT_EQ(f().Hprisady->item(3)->checkState(), Qt::Checked);
}

TEST_F(Hledani, DoubleClickLoadsThePotionInItsSlotOrder)
{
    spustStranku();
    klikniEfekt("Ohe\xF2");
    const int radek = 1;  // Beta + Gama
    f().Hlist->scrollTo(f().Hlist->Index(radek));
    const QPoint misto = f().Hlist->visualRect(f().Hlist->Index(radek)).center();
    QTest::mouseClick(f().Hlist->viewport(), Qt::LeftButton, {}, misto);
    QTest::mouseDClick(f().Hlist->viewport(), Qt::LeftButton, {}, misto);
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
    QStringList radky;
    for (QTextBlock blok = f().Ztext->document()->findBlockByNumber(2); blok.isValid(); blok = blok.next())
        radky << blok.text();
    EXPECT_EQ(radky, (QStringList{"", QStringLiteral("Lektvary s efekty Oheň (3)"),
                                  QStringLiteral("\t[B] Alfa + Gama => Oheň"), QStringLiteral("\t[TB] Beta + Gama => Oheň"),
                                  QStringLiteral("\t[T] Alfa + Beta => Jed + Oheň"), "",
                                  QStringLiteral("Lektvary s efekty Oheň (3)"), QStringLiteral("\tAlfa + Gama => Oheň"),
                                  QStringLiteral("\tBeta + Gama => Oheň"), QStringLiteral("\tAlfa + Beta => Jed + Oheň"),
                                  "", ""}));
}

TEST_F(Hledani, StockIsReadAtStartAndWrittenAtClose)
{
    soubor("zasoby.txt", "Gama\r\nNezn\xE1m\xE1\r\nAlfa\n");
    spustStranku();
    std::vector<std::string> zaskrtnute;
    for (int i = 0; i < f().Hprisady->count(); ++i)
        if (f().Hprisady->item(i)->checkState() == Qt::Checked)
            zaskrtnute.push_back(DoCp1250(f().Hprisady->item(i)->text()));
    EXPECT_THAT(zaskrtnute, ElementsAre("Alfa", "Gama"));
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
    for (int i = 0; i < f().Hprisady->count(); ++i)
        EXPECT_EQ(f().Hprisady->item(i)->checkState(), Qt::Unchecked);
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
