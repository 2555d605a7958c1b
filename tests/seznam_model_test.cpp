// One list design: a line's origin, mark, check and sign are data of the
// model; the view draws them and reports what the user does with them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>
#include <memory>
#include <map>
#include <set>

#include "barvy.h"
#include "seznamy.h"

namespace {

class Seznam : public ::testing::Test {
protected:
    void SetUp() override
    {
        styl_.reset(QStyleFactory::create(QStringLiteral("Fusion")));
        seznam.setStyle(styl_.get());
        seznam.setPalette(styl_->standardPalette());
        seznam.resize(160, 120);
        seznam.show();
        QApplication::setActiveWindow(&seznam);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&seznam));
    }

    QImage nakresli(int radek, QStyle::State stav = QStyle::State_None)
    {
        const int vyska = seznam.Kreslic().Vyska(radek);
        QImage obraz(seznam.width(), vyska, QImage::Format_RGB32);
        QPainter malir(&obraz);
        seznam.Kreslic().Nakresli(&malir, radek, QRect(0, 0, obraz.width(), vyska), stav);
        return obraz;
    }

    // Pixels near a hue, of glyphs rather than of the background.
    static int pixeluOdstinu(const QImage& obraz, int odstin)
    {
        int pocet = 0;
        for (int y = 0; y < obraz.height(); ++y)
            for (int x = 0; x < obraz.width(); ++x) {
                const QColor pixel = obraz.pixelColor(x, y);
                pocet += pixel.hslSaturation() > 100 && std::abs(pixel.hslHue() - odstin) <= 10 ? 1 : 0;
            }
        return pocet;
    }

    std::unique_ptr<QStyle> styl_;
    TListBox seznam;
};

struct TPripadZnacky {
    TPrisada Prisada;
    bool Znacky;         // the option as the line is made
    const char* Text;    // the line's text
    const char* Ukazany; // what is drawn
    const char* Znacka;  // the mark the line hides
};

// Only a line's real origin mark is hidden: a name with a "]" of its own, or
// one that looks like a mark, is shown whole.
TEST_F(Seznam, OnlyTheRealMarkIsHidden)
{
    const TPripadZnacky pripady[] = {
        {{"Ko]ren", "", true, false}, true, "[T] Ko]ren", "Ko]ren", "[T] "},
        {{"Ko]ren", "", false, false}, true, "Ko]ren", "Ko]ren", ""},
        {{"Ko]ren", "", true, false}, false, "Ko]ren", "Ko]ren", ""},
        {{"[T] Alfa", "", false, false}, false, "[T] Alfa", "[T] Alfa", ""},
        {{"[T] Alfa", "", false, true}, true, "[B] [T] Alfa", "[T] Alfa", "[B] "},
        {{"Beta", "", true, true}, true, "[TB] Beta", "Beta", "[TB] "},
    };
    for (const TPripadZnacky& pripad : pripady) {
        SCOPED_TRACE(pripad.Text);
        std::vector<TPrisada*> radky{const_cast<TPrisada*>(&pripad.Prisada)};
        seznam.NastavRadky<TPrisada*>(std::move(radky), RadkyPrisad(pripad.Znacky));
        EXPECT_EQ(seznam.Text(0), QString::fromUtf8(pripad.Text));
        EXPECT_EQ(seznam.Kreslic().ZalomText(0), QString::fromUtf8(pripad.Ukazany));
        EXPECT_EQ(seznam.Znacka(0), QString::fromUtf8(pripad.Znacka));
        EXPECT_EQ(seznam.TextBezZnacky(0), QString::fromUtf8(pripad.Ukazany));
        EXPECT_EQ(seznam.Index(0).data(RoleZnacka).toString(), QString::fromUtf8(pripad.Znacka));
        EXPECT_EQ(seznam.Index(0).data(RoleTribunal).toBool(), pripad.Prisada.Tribunal);
        EXPECT_EQ(seznam.Index(0).data(RoleBloodmoon).toBool(), pripad.Prisada.Bloodmoon);
    }
}

// The origin colour comes from the line's origin, and only for lines made
// with their marks: a name holding "[T" or "B]" is no origin, and lines made
// without marks stay plain when colours are turned on later.
TEST_F(Seznam, ColourComesFromTheOriginOfLinesMadeWithMarks)
{
    TPrisada tribunal{"Mech Mech Mech", "", true, false};
    TPrisada jmenem{"[TB] Mech Mech", "", false, false};
    seznam.NastavRadky<TPrisada*>({&tribunal, &jmenem}, RadkyPrisad(true));
    const int modra = QColor(Qt::blue).hslHue();
    const int cervena = QColor(Qt::red).hslHue();
    const int fuchsie = QColor(Qt::magenta).hslHue();
    EXPECT_GT(pixeluOdstinu(nakresli(0), modra), 10);
    for (const int odstin : {modra, cervena, fuchsie})
        EXPECT_EQ(pixeluOdstinu(nakresli(1), odstin), 0);

    seznam.Kreslic().NastavBarvy(false);
    EXPECT_EQ(pixeluOdstinu(nakresli(0), modra), 0);

    seznam.NastavRadky<TPrisada*>({&tribunal}, RadkyPrisad(false));
    seznam.Kreslic().NastavBarvy(true);
    EXPECT_EQ(pixeluOdstinu(nakresli(0), modra), 0);
}

// The search page's stock ticks: the page keeps what is ticked, the list
// shows it and asks the page to change it on Space or a click on the box.
TEST_F(Seznam, ChecksAreDataOfTheModelAndTheUserTogglesThem)
{
    TPrisada alfa{"Alfa", "", false, false}, beta{"Beta", "", false, false};
    std::set<const TPrisada*> zasoby{&beta};
    TPravidlaRadku<TPrisada*> pravidla = RadkyPrisad(false);
    pravidla.Zaskrtnuto = [&zasoby](TPrisada* const& prisada) { return zasoby.count(prisada) > 0; };
    seznam.NastavRadky<TPrisada*>({&alfa, &beta}, std::move(pravidla));
    QObject::connect(&seznam, &TListBox::ZaskrtnutiRadku, [&](int radek, bool ano) {
        TPrisada* prisada = seznam.Odkaz<TPrisada*>(radek);
        ano ? (void)zasoby.insert(prisada) : (void)zasoby.erase(prisada);
    });
    QSignalSpy zadosti(&seznam, &TListBox::ZaskrtnutiRadku);
    EXPECT_TRUE(seznam.model()->flags(seznam.Index(0)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(seznam.Index(0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(seznam.Index(1).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    seznam.setFocus();
    seznam.VyberRadek(0);
    QTest::keyClick(&seznam, Qt::Key_Space);
    ASSERT_EQ(zadosti.count(), 1);
    EXPECT_EQ(zadosti.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(zadosti.at(0).at(1).toBool());
    EXPECT_EQ(seznam.Index(0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

    // A click on the box clears it; a click on the name only chooses the line.
    const QRect druhy = seznam.visualRect(seznam.Index(1));
    QTest::mouseClick(seznam.viewport(), Qt::LeftButton, {}, seznam.Kreslic().MistoZaskrtnuti(druhy).center());
    ASSERT_EQ(zadosti.count(), 2);
    EXPECT_FALSE(zadosti.at(1).at(1).toBool());
    EXPECT_EQ(seznam.Index(1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(seznam.currentRow(), 1);
    QTest::mouseClick(seznam.viewport(), Qt::LeftButton, {}, QPoint(druhy.right() - 10, druhy.center().y()));
    EXPECT_EQ(zadosti.count(), 2);

    // A list without boxes takes Space as any list does.
    seznam.NastavRadky<TPrisada*>({&alfa}, RadkyPrisad(false));
    seznam.VyberRadek(0);
    QTest::keyClick(&seznam, Qt::Key_Space);
    EXPECT_EQ(zadosti.count(), 2);
    EXPECT_FALSE(seznam.model()->flags(seznam.Index(0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(seznam.Index(0).data(Qt::CheckStateRole).isValid());
}

// The wanted and avoided effects: a sign in front of the line, read from the
// page's data whenever the page says the line changed.
TEST_F(Seznam, SignsAreDataOfTheModel)
{
    TEfekt jed{"Jed", {}}, dech{"Dech", {}};
    std::map<const TEfekt*, TZnamenko> volby{{&jed, TZnamenko::Plus}};
    TPravidlaRadku<TEfekt*> pravidla;
    pravidla.Text = TextEfektu;
    pravidla.Znamenko = [&volby](TEfekt* const& efekt) {
        const auto volba = volby.find(efekt);
        return volba == volby.end() ? TZnamenko::Zadne : volba->second;
    };
    seznam.NastavRadky<TEfekt*>({&jed, &dech}, std::move(pravidla));
    EXPECT_EQ(seznam.Text(0), QStringLiteral("+ Jed"));
    EXPECT_EQ(seznam.Text(1), QStringLiteral("Dech"));
    EXPECT_EQ(seznam.Kreslic().ZalomText(0), QStringLiteral("+ Jed"));
    EXPECT_EQ(seznam.Index(0).data(RoleZnamenko).toInt(), static_cast<int>(TZnamenko::Plus));
    EXPECT_GT(pixeluOdstinu(nakresli(0), QColor(0, 128, 0).hslHue()), 5);

    volby[&dech] = TZnamenko::Minus;
    seznam.ObnovRadek(1);
    EXPECT_EQ(seznam.Text(1), QStringLiteral("− Dech"));
    EXPECT_EQ(seznam.Kreslic().ZalomText(1), QStringLiteral("− Dech"));
    EXPECT_GT(pixeluOdstinu(nakresli(1), QColor(Qt::red).hslHue()), 5);
    // Typing still finds the effect by its name.
    seznam.keyboardSearch(QStringLiteral("d"));
    EXPECT_EQ(seznam.currentRow(), 1);
}

// The focused line's frame stands out by 3:1 from what it covers, selected
// or not; a focused list without a current line is framed as a whole.
TEST_F(Seznam, FocusIsSeenOnEveryLineAndOnAnEmptyList)
{
    TPrisada alfa{"Alfa", "", true, false}, beta{"Beta", "", false, false};
    seznam.NastavRadky<TPrisada*>({&alfa, &beta}, RadkyPrisad(true));
    seznam.setFocus();
    ASSERT_TRUE(seznam.hasFocus());
    const auto pixel = [this](QPoint bod) { return seznam.viewport()->grab().toImage().pixelColor(bod); };
    for (const bool vybrany : {false, true}) {
        SCOPED_TRACE(vybrany ? "selected" : "current only");
        seznam.setCurrentIndex(seznam.Index(0));
        if (!vybrany)
            seznam.selectionModel()->clearSelection();
        const QRect misto = seznam.visualRect(seznam.Index(0));
        // The top edge of the frame, right of the text.
        const QPoint naRamecku(misto.right() - 10, misto.top() + 1);
        const QColor sRameckem = pixel(naRamecku);
        seznam.clearFocus();
        const QColor bezRamecku = pixel(naRamecku);
        seznam.setFocus();
        EXPECT_GE(Kontrast(sRameckem, bezRamecku), kKontrastRamecku);
    }

    seznam.Vyprazdni();
    const QPoint roh(seznam.viewport()->width() / 2, 1);
    const QColor sRameckem = pixel(roh);
    seznam.clearFocus();
    EXPECT_GE(Kontrast(sRameckem, pixel(roh)), kKontrastRamecku);
}

} // namespace
