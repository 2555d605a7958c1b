// The owner-drawn lists: the effect list, order of lines, wrapping, heights
// and colours.
#include <gmock/gmock.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>
#include <numeric>

#include "okno_support.h"
#include "seznamy.h"
#include "text.h"

namespace {

using ::testing::ElementsAre;

class Seznamy : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        katalog(W("Alfa\tDýchání\tJed\t\n"
                  "Beta\tČarování\tJed\t[T]\n"
                  "Gama\tčistota\tDýchání\t[B]\n"
                  "Delta\tTribunální\t\t[T]\n"
                  "Epsilon\tTribunální\tCelý\t[1]\n"
                  "Zeta\tažura\t\n"));
        spust();
    }

    // 0, 1, ... n - 1: line i refers to number i.
    static std::vector<int> cisla(std::size_t n)
    {
        std::vector<int> out(n);
        std::iota(out.begin(), out.end(), 0);
        return out;
    }
    // Fills the list with one line per text.
    void napln(TListBox* seznam, std::vector<std::string> radky)
    {
        seznam->NastavRadky<int>(cisla(radky.size()), [radky](const int& i, std::size_t nejvic) {
            return radky[static_cast<std::size_t>(i)].substr(0, nejvic);
        });
    }

    // Lines of ingredients' names made with marks, as the pages make them:
    // the mark of each line's origin, then the name.
    void naplnSeZnackami(TListBox* seznam, std::vector<std::pair<TPuvodRadku, std::string>> radky)
    {
        seznam->NastavRadky<int>(
            cisla(radky.size()),
            [radky](const int& i, std::size_t nejvic) {
                const auto& [puvod, jmeno] = radky[static_cast<std::size_t>(i)];
                const std::string znacka = puvod.SeZnackou ? ZnackaDatadisku(puvod.Tribunal, puvod.Bloodmoon) : "";
                return (znacka + jmeno).substr(0, nejvic);
            },
            [radky](const int& i) { return radky[static_cast<std::size_t>(i)].first; });
    }

    QImage nakresli(TListBox* seznam, int radek, QStyle::State stav = QStyle::State_None)
    {
        const int vyska = TlistMeasureItem(seznam, radek);
        QImage obraz(seznam->width(), vyska, QImage::Format_RGB32);
        obraz.fill(Qt::green);
        QPainter malir(&obraz);
        TlistDrawItem(seznam, radek, &malir, QRect(0, 0, obraz.width(), vyska), stav);
        return obraz;
    }

    // Pixels of this colour or of its blend with a light background, as
    // smoothed text gives them.
    static int pocetPixelu(const QImage& obraz, QColor barva)
    {
        return PocetPixelu(obraz, [barva](QColor pixel) { return odstin(pixel, barva); });
    }
    static bool odstin(QColor pixel, QColor barva)
    {
        if (pixel == barva)
            return true;
        const int kanaly[3] = {pixel.red(), pixel.green(), pixel.blue()};
        const int cile[3] = {barva.red(), barva.green(), barva.blue()};
        const bool cerna = cile[0] == 0 && cile[1] == 0 && cile[2] == 0;
        if (cerna)
            return std::abs(kanaly[0] - kanaly[1]) < 20 && std::abs(kanaly[1] - kanaly[2]) < 20 && kanaly[0] < 110;
        // Full channels stay high, empty ones clearly lower.
        int nejnizsiPlny = 255, nejvyssiPrazdny = 0;
        for (int i = 0; i < 3; ++i) {
            if (cile[i] == 255)
                nejnizsiPlny = std::min(nejnizsiPlny, kanaly[i]);
            else
                nejvyssiPrazdny = std::max(nejvyssiPrazdny, kanaly[i]);
        }
        return nejnizsiPlny > 200 && nejvyssiPrazdny < nejnizsiPlny - 80;
    }
};

// In Czech order with "all" first; excluding an expansion drops the effects only it carries.
TEST_F(Seznamy, EffectListIsInCzechOrderWithAllFirst)
{
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(0), nullptr);
    EXPECT_EQ(f().Tefekty->Odkaz<TEfekt*>(7), &Efekt(seznam(), W("Tribunální")));
    const struct {
        bool Tribunal, Bloodmoon;
        std::vector<std::string> Efekty;
    } pripady[] = {
        {true, true, {"- všechny -", "ažura", "Celý", "Čarování", "čistota", "Dýchání", "Jed", "Tribunální"}},
        {false, true, {"- všechny -", "ažura", "čistota", "Dýchání", "Jed"}},
        {false, false, {"- všechny -", "ažura", "Dýchání", "Jed"}},
        {true, false, {"- všechny -", "ažura", "Celý", "Čarování", "Dýchání", "Jed", "Tribunální"}},
    };
    for (const auto& p : pripady) {
        f().Otribunal->setChecked(p.Tribunal);
        f().Obloodmoon->setChecked(p.Bloodmoon);
        EXPECT_EQ(radky(f().Tefekty), p.Efekty);
        EXPECT_EQ(f().Tefekty->currentRow(), 0);
    }
}

TEST_F(Seznamy, SortDisregardsMarksAndIsStable)
{
    TListBox* seznam = f().Tprisady;
    napln(seznam, {"[T] Beta", "alfa", W("Čaj"), "Zub", "[B] Alfa", "+ x", "[TB] beta"});
    const int prvni = seznam->Odkaz<int>(1);
    SeradPolozky(seznam);
    EXPECT_THAT(texty(seznam), ElementsAre("alfa", "[B] Alfa", "[T] Beta", "[TB] beta", "+ x", "Zub", W("Čaj")));
    EXPECT_EQ(seznam->Odkaz<int>(0), prvni);  // lines move with their data
}

TEST_F(Seznamy, LongTextsWrapAtBlanksWithIndentedContinuations)
{
    TListBox* seznam = f().Tprisady;
    const int vyskaRadku = QFontMetrics(seznam->font()).height();
    const TPuvodRadku bez{}, oba{true, true, true};
    naplnSeZnackami(seznam, {{bez, "Kratka"}, {oba, "jedna dve tri ctyri pet sest sedm osm devet deset jedenact dvanact"},
                             {bez, "Nejdelsislovocojsemkdyvidelvcelemsvetenapsane a dal"}, {bez, ""}});
    EXPECT_EQ(ZalomText(seznam, 0), "Kratka");
    EXPECT_EQ(TlistMeasureItem(seznam, 0), vyskaRadku);

    const QString zalomeny = ZalomText(seznam, 1);
    const QStringList casti = zalomeny.split(QLatin1Char('|'));
    ASSERT_GE(casti.size(), 3);
    EXPECT_TRUE(casti[0].startsWith(QStringLiteral("jedna ")));
    const QFontMetrics metriky(seznam->font());
    for (int i = 1; i < casti.size(); ++i) {
        EXPECT_TRUE(casti[i].startsWith(QStringLiteral("   "))) << casti[i].toStdString();
        EXPECT_NE(casti[i].at(3), QLatin1Char(' '));
    }
    for (const QString& cast : casti)
        EXPECT_LT(metriky.horizontalAdvance(cast.trimmed()), seznam->width() - 24);
    QString slozene = zalomeny;
    slozene.replace(QStringLiteral("|   "), QString());
    EXPECT_EQ(slozene, QStringLiteral("jedna dve tri ctyri pet sest sedm osm devet deset jedenact dvanact"));
    EXPECT_EQ(TlistMeasureItem(seznam, 1), casti.size() * vyskaRadku);
    EXPECT_EQ(seznam->visualRect(seznam->Index(1)).height(), casti.size() * vyskaRadku);

    // A word wider than the list stands on the first line; nothing is empty.
    const QStringList dlouhe = ZalomText(seznam, 2).split(QLatin1Char('|'));
    ASSERT_EQ(dlouhe.size(), 2);
    EXPECT_EQ(dlouhe[0], QStringLiteral("Nejdelsislovocojsemkdyvidelvcelemsvetenapsane "));
    EXPECT_EQ(TlistMeasureItem(seznam, 3), vyskaRadku);

    // The wide found-potion list keeps the same text on one line.
    napln(f().Vlist, {"[TB] jedna dve tri ctyri pet sest sedm osm devet deset jedenact dvanact"});
    EXPECT_FALSE(ZalomText(f().Vlist, 0).contains(QLatin1Char('|')));
}

TEST_F(Seznamy, LinesAreDrawnInTheirOriginColourWhileDistinguishing)
{
    TListBox* seznam = f().Tprisady;
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    seznam->setPalette(fusion->standardPalette());
    naplnSeZnackami(seznam, {{{true, true, true}, "Mech Mech Mech"},
                             {{true, false, true}, "Mech Mech Mech"},
                             {{false, true, true}, "Mech Mech Mech"},
                             {{false, false, true}, "Mech Mech Mech"}});
    const QColor fuchsie(255, 0, 255), cerna(0, 0, 0);
    const QColor barvy[] = {fuchsie, QColor(0, 0, 255), QColor(255, 0, 0), cerna};
    for (int radek = 0; radek < 4; ++radek)
        EXPECT_GT(pocetPixelu(nakresli(seznam, radek), barvy[radek]), 20) << radek;
    // The background is filled, whatever was there.
    EXPECT_EQ(pocetPixelu(nakresli(seznam, 3), Qt::green), 0);
    // Selected: on the selection's shade, in a shade of fuchsia that reads on it.
    const QImage vybrany = nakresli(seznam, 0, QStyle::State_Selected);
    const QColor pozadi = PozadiVyberu(seznam->palette());
    EXPECT_EQ(vybrany.pixelColor(0, 0), pozadi);
    EXPECT_GT(PocetPixelu(vybrany, [&](QColor p) {
                  return std::abs(p.hslHue() - fuchsie.hslHue()) <= 10 && Kontrast(p, pozadi) >= kKontrastTextu;
              }), 0);

    f().Olisit->setChecked(false);
    const QImage cerny = nakresli(seznam, 0);
    EXPECT_EQ(pocetPixelu(cerny, fuchsie), 0);
    EXPECT_GT(pocetPixelu(cerny, cerna), 20);
}

TEST_F(Seznamy, MarkIsNeverDrawnAsText)
{
    TListBox* seznam = f().Tprisady;
    naplnSeZnackami(seznam, {{{true, true, true}, "Mech"}, {{}, "Mech"}});
    f().Olisit->setChecked(false);
    EXPECT_EQ(ZalomText(seznam, 0), ZalomText(seznam, 1));
    EXPECT_EQ(nakresli(seznam, 0), nakresli(seznam, 1));
}

TEST_F(Seznamy, KeysMoveTheSelectionAPageAtATime)
{
    TListBox* seznam = f().Vlist;
    std::vector<std::string> radky;
    for (int i = 0; i < 1000; ++i)
        radky.push_back("radek " + std::to_string(i) + (i % 7 == 0 ? " a jeho dlouhe pokracovani, ktere se zalomi do dalsich radku" : ""));
    napln(seznam, radky);
    f().Pages->setCurrentIndex(1);
    seznam->setFocus();
    seznam->VyberRadek(0);
    QSignalSpy kliky(seznam, &TListBox::Klik);
    const auto viditelny = [&](int radek) {
        const QRect misto = seznam->visualRect(seznam->Index(radek));
        return misto.top() >= 0 && misto.bottom() < seznam->viewport()->height();
    };
    QTest::keyClick(seznam, Qt::Key_Down);
    EXPECT_EQ(seznam->currentRow(), 1);
    EXPECT_EQ(kliky.count(), 1);
    QTest::keyClick(seznam, Qt::Key_PageDown);
    const int poStrance = seznam->currentRow();
    EXPECT_GT(poStrance, 5);
    EXPECT_TRUE(viditelny(poStrance));
    // A page is what the view shows: the line one page on is not yet seen.
    EXPECT_FALSE(viditelny(poStrance + 1));
    QTest::keyClick(seznam, Qt::Key_PageUp);
    EXPECT_EQ(seznam->currentRow(), 1);
    QTest::keyClick(seznam, Qt::Key_End);
    EXPECT_EQ(seznam->currentRow(), 999);
    EXPECT_TRUE(viditelny(999));
    EXPECT_EQ(seznam->indexAt(seznam->visualRect(seznam->Index(999)).center()).row(), 999);
    QTest::keyClick(seznam, Qt::Key_Home);
    EXPECT_EQ(seznam->currentRow(), 0);
    EXPECT_TRUE(viditelny(0));
    EXPECT_EQ(kliky.count(), 5);
}

TEST_F(Seznamy, TypingSelectsTheNextLineBeginningWithIt)
{
    TListBox* seznam = f().Vlist;
    napln(seznam, {"[T] Alfa + Beta", "Beta + Gama", W("Čaj + Beta"), "beta + Delta"});
    f().Pages->setCurrentIndex(1);
    seznam->setFocus();
    seznam->VyberRadek(0);
    QSignalSpy kliky(seznam, &TListBox::Klik);
    seznam->keyboardSearch(QStringLiteral("b"));
    EXPECT_EQ(seznam->currentRow(), 1);
    seznam->keyboardSearch(QStringLiteral("e"));  // "be", typed at once
    EXPECT_EQ(seznam->currentRow(), 1);
    // Each key on its own from now on, as after a pause.
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(0);
    seznam->keyboardSearch(QStringLiteral("č"));
    EXPECT_EQ(seznam->currentRow(), 2);
    seznam->keyboardSearch(QStringLiteral("x"));
    EXPECT_EQ(seznam->currentRow(), 2);
    // The texts begin with their marks, as they are stored.
    QTest::keyClick(seznam, Qt::Key_BracketLeft);
    EXPECT_EQ(seznam->currentRow(), 0);
    EXPECT_EQ(kliky.count(), 1);
    QApplication::setKeyboardInputInterval(interval);
}

TEST_F(Seznamy, OnlyTheLinesShownAreMade)
{
    TListBox* seznam = f().Vlist;
    auto zadano = std::make_shared<int>(0);
    seznam->NastavRadky<int>(cisla(2000000), [zadano](const int& i, std::size_t nejvic) {
        ++*zadano;
        return ("lektvar " + std::to_string(i)).substr(0, nejvic);
    });
    f().Pages->setCurrentIndex(1);
    seznam->VyberRadek(1500000);
    seznam->viewport()->repaint();
    EXPECT_EQ(seznam->count(), 2000000);
    EXPECT_LT(*zadano, 1000);
    EXPECT_TRUE(seznam->visualRect(seznam->Index(1500000)).intersects(seznam->viewport()->rect()));
    // Tests and screen readers read a line's text through the model.
    EXPECT_EQ(seznam->model()->data(seznam->Index(1999999)).toString(), QStringLiteral("lektvar 1999999"));
}

TEST_F(Seznamy, AHugeLineShowsItsBeginningAndKeepsItsText)
{
    TListBox* seznam = f().Tprisady;
    std::string obri;
    while (obri.size() < 200000)
        obri += "slovo ";
    napln(seznam, {"Kratka", obri});
    const QString zalomeny = ZalomText(seznam, 1);
    EXPECT_TRUE(zalomeny.endsWith(QChar(0x2026)));
    QString slozene = zalomeny;
    slozene.replace(QStringLiteral("|   "), QString());
    EXPECT_EQ(slozene.size(), 65536 + 1);
    EXPECT_TRUE(zalomeny.startsWith(QStringLiteral("slovo slovo")));
    const int vyskaRadku = QFontMetrics(seznam->font()).height();
    EXPECT_EQ(TlistMeasureItem(seznam, 1), (zalomeny.count(QLatin1Char('|')) + 1) * vyskaRadku);
    EXPECT_EQ(seznam->Text(1).size(), static_cast<qsizetype>(obri.size()));
}

TEST_F(Seznamy, HeightsFollowTheListsWidth)
{
    TListBox* seznam = f().Tprisady;
    const int vyskaRadku = QFontMetrics(seznam->font()).height();
    napln(seznam, {"jedna dve tri ctyri pet sest sedm osm devet deset"});
    EXPECT_GT(TlistMeasureItem(seznam, 0), vyskaRadku);
    const int puvodni = seznam->width();
    seznam->resize(600, seznam->height());
    EXPECT_EQ(TlistMeasureItem(seznam, 0), vyskaRadku);
    EXPECT_FALSE(ZalomText(seznam, 0).contains(QLatin1Char('|')));
    seznam->resize(puvodni, seznam->height());
    EXPECT_GT(TlistMeasureItem(seznam, 0), vyskaRadku);
}

// Names that hold "]" or "[T" of their own are written down whole.
class ZnackyVeJmenech : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu("Ko]ren\tJed\t\t\t\t[T]\nB]ob [T\tJed\t\t\t\t\n");
    }
};

TEST_F(ZnackyVeJmenech, OnlyTheRealMarkIsMovedOrDropped)
{
    f().Olisit->setChecked(true);
    f().Oprepnout->setChecked(false);
    f().Tefekty->VyberRadek(1);
    tvorba().TefektyClick();
    f().TZefekt->click();
    f().Vvyber1->click();
    f().VvyberList->VyberRadek(0);
    vypis().VvyberListClick();
    f().Olisit->setChecked(false);
    f().VZlist->click();
    const QString zapsano = f().Ztext->toPlainText();
    for (const char* radek : {"\tKo]ren [T]\n", "\tB]ob [T\n", "\tKo]ren + B]ob [T\n"})
        EXPECT_TRUE(zapsano.contains(QString::fromUtf8(radek))) << radek << "\n" << zapsano.toStdString();
}

// Every ingredient is listed by picking from the catalogue sorted once; the
// lines must be those that sorting the listed lines themselves gives.
class VsechnyPrisady : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        katalog(W("zub\tJed\t\t\t\t[B]\n"
                  "[x] Alfa\tJed\t\t\t\t[T]\n"
                  "Alfa\tJed\t\n"
                  "alfa\tJed\t\t\t\t[B]\n"
                  "+ beta\tJed\t\n"
                  "Čaj\tJed\t\n"
                  "Beta\tJed\t\t\t\t[T]\n"
                  "[x] Alfa\tJed\t\n"));
        spust();
    }

    std::vector<const TPrisada*> odkazy(const TListBox* seznam) const
    {
        std::vector<const TPrisada*> out;
        for (int i = 0; i < seznam->count(); ++i)
            out.push_back(seznam->Odkaz<TPrisada*>(i));
        return out;
    }
};

TEST_F(VsechnyPrisady, AllIngredientsComeInTheOrderOfSortingTheirLines)
{
    for (const bool znacky : {true, false})
        for (const bool tribunal : {true, false}) {
            f().Olisit->setChecked(znacky);
            f().Otribunal->setChecked(tribunal);
            for (TListBox* seznam : {f().Tprisady, f().VvyberList}) {
                if (seznam == f().Tprisady) {
                    f().Tefekty->VyberRadek(0);
                    tvorba().TefektyClick();
                } else {
                    f().Vvyber2->click();
                }
                const auto vypsane = odkazy(seznam);
                std::size_t pripustnych = 0;
                for (const TPrisada* prisada : prostredi().Seznam.Prisady)
                    pripustnych += prostredi().PrisadaZarazena(*prisada) ? 1 : 0;
                EXPECT_EQ(vypsane.size(), pripustnych);
                SeradPolozky(seznam);
                EXPECT_EQ(odkazy(seznam), vypsane) << znacky << tribunal;
                f().Vvyber1->click();
            }
        }
    // Marks count in the order when a name itself looks like a mark.
    f().Otribunal->setChecked(true);
    f().Olisit->setChecked(true);
    f().Tefekty->VyberRadek(0);
    tvorba().TefektyClick();
    EXPECT_THAT(radky(f().Tprisady), ElementsAre("Alfa", "[B] alfa", "[x] Alfa", "+ beta", "[T] Beta", "[B] zub",
                                                 "[T] [x] Alfa", "Čaj"));
}

} // namespace
