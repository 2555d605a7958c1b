// One list design: a line's origin, mark, check and sign are data of the
// model; the view draws them and reports what the user does with them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTest>
#include <map>
#include <memory>
#include <set>

#include "okno_support.h"
#include "seznamy.h"

namespace {

class Seznam : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        seznam.setPalette(fusion->standardPalette());
        seznam.resize(160, 120);
        seznam.show();
        QApplication::setActiveWindow(&seznam);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&seznam));
    }

    // Glyph pixels of a hue in the drawn line.
    int pixeluOdstinu(int radek, int odstin)
    {
        QImage obraz(seznam.width(), seznam.Kreslic().Vyska(radek), QImage::Format_RGB32);
        QPainter malir(&obraz);
        seznam.Kreslic().Nakresli(&malir, radek, obraz.rect(), QStyle::State_None);
        return PocetPixelu(obraz, [odstin](QColor p) { return p.hslSaturation() > 100 && std::abs(p.hslHue() - odstin) <= 10; });
    }

    TListBox seznam;
};

// Only a line's real mark is hidden, and only a line made with it shows its
// origin colour: a name that holds "]", "[T" or "B]" is shown whole, plain.
TEST_F(Seznam, OriginsAndMarksComeFromTheRecordNotTheText)
{
    struct {
        TPrisada Prisada;
        bool Znacky;
        const char *Text, *Ukazany, *Znacka;
    } const pripady[] = {
        {{"Ko]ren", "", true, false}, true, "[T] Ko]ren", "Ko]ren", "[T] "},
        {{"Ko]ren", "", false, false}, true, "Ko]ren", "Ko]ren", ""},
        {{"Ko]ren", "", true, false}, false, "Ko]ren", "Ko]ren", ""},
        {{"[TB] B]ob", "", false, false}, false, "[TB] B]ob", "[TB] B]ob", ""},
        {{"[T] Alfa", "", false, true}, true, "[B] [T] Alfa", "[T] Alfa", "[B] "},
    };
    for (const auto& pripad : pripady) {
        SCOPED_TRACE(pripad.Text);
        seznam.NastavRadky<TPrisada*>({const_cast<TPrisada*>(&pripad.Prisada)}, RadkyPrisad(pripad.Znacky));
        EXPECT_EQ(seznam.Text(0), QString::fromUtf8(pripad.Text));
        EXPECT_EQ(seznam.Kreslic().ZalomText(0), QString::fromUtf8(pripad.Ukazany));
        EXPECT_EQ(seznam.TextBezZnacky(0), QString::fromUtf8(pripad.Ukazany));
        EXPECT_EQ(seznam.Index(0).data(RoleZnacka).toString(), QString::fromUtf8(pripad.Znacka));
        EXPECT_EQ(seznam.Index(0).data(RoleTribunal).toBool(), pripad.Prisada.Tribunal);
        const int barevnych = pixeluOdstinu(0, BarvaPuvodu(pripad.Prisada.Tribunal, pripad.Prisada.Bloodmoon).hslHue());
        EXPECT_EQ(barevnych > 10, *pripad.Znacka != '\0');
        seznam.Kreslic().NastavBarvy(false);
        EXPECT_EQ(pixeluOdstinu(0, BarvaPuvodu(pripad.Prisada.Tribunal, pripad.Prisada.Bloodmoon).hslHue()), 0);
        seznam.Kreslic().NastavBarvy(true);
    }
}

// The search page's stock ticks and effect signs: the page keeps them, the
// list shows them and asks the page to tick on Space or a click on the box.
TEST_F(Seznam, ChecksAndSignsAreDataOfTheModel)
{
    TPrisada alfa{"Alfa", "", false, false}, beta{"Beta", "", false, false};
    std::set<TPrisada*> zasoby{&beta};
    std::map<TPrisada*, TZnamenko> znamenka{{&alfa, TZnamenko::Plus}};
    TPravidlaRadku<TPrisada*> pravidla = RadkyPrisad(false);
    pravidla.Zaskrtnuto = [&](TPrisada* const& prisada) { return zasoby.count(prisada) > 0; };
    pravidla.Znamenko = [&](TPrisada* const& prisada) { return znamenka[prisada]; };
    seznam.NastavRadky<TPrisada*>({&alfa, &beta}, std::move(pravidla));
    QObject::connect(&seznam, &TListBox::ZaskrtnutiRadku, [&](int radek, bool ano) {
        ano ? (void)zasoby.insert(seznam.Odkaz<TPrisada*>(radek)) : (void)zasoby.erase(seznam.Odkaz<TPrisada*>(radek));
    });
    QSignalSpy zadosti(&seznam, &TListBox::ZaskrtnutiRadku);
    EXPECT_TRUE(seznam.model()->flags(seznam.Index(0)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(seznam.Index(1).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(seznam.Text(0), QStringLiteral("+ Alfa"));
    EXPECT_GT(pixeluOdstinu(0, QColor(0, 128, 0).hslHue()), 5);

    seznam.setFocus();
    seznam.VyberRadek(0);
    QTest::keyClick(&seznam, Qt::Key_Space);
    ASSERT_EQ(zadosti.count(), 1);
    EXPECT_EQ(zadosti.at(0), (QVariantList{0, true}));
    EXPECT_EQ(seznam.Index(0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A click on the box clears it; a click on the name only chooses the line.
    const QRect druhy = seznam.visualRect(seznam.Index(1));
    QTest::mouseClick(seznam.viewport(), Qt::LeftButton, {}, seznam.Kreslic().MistoZaskrtnuti(druhy).center());
    EXPECT_EQ(zadosti.count(), 2);
    EXPECT_EQ(seznam.Index(1).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    QTest::mouseClick(seznam.viewport(), Qt::LeftButton, {}, QPoint(druhy.right() - 10, druhy.center().y()));
    EXPECT_EQ(zadosti.count(), 2);

    znamenka[&beta] = TZnamenko::Minus;
    seznam.ObnovRadek(1);
    EXPECT_EQ(seznam.Kreslic().ZalomText(1), QStringLiteral("− Beta"));
    seznam.keyboardSearch(QStringLiteral("b"));  // typing finds the name behind the sign
    EXPECT_EQ(seznam.currentRow(), 1);
}

// The focused line's frame stands out by 3:1 from what it covers, selected
// or not; a focused list without a current line is framed as a whole.
TEST_F(Seznam, FocusIsSeenOnEveryLineAndOnAnEmptyList)
{
    TPrisada alfa{"Alfa", "", true, false};
    seznam.NastavRadky<TPrisada*>({&alfa}, RadkyPrisad(true));
    const auto pixel = [this](QPoint bod) { return seznam.viewport()->grab().toImage().pixelColor(bod); };
    const auto vystupuje = [&](QPoint bod) {
        seznam.setFocus();
        const QColor sRameckem = pixel(bod);
        seznam.clearFocus();
        return Kontrast(sRameckem, pixel(bod));
    };
    const QPoint naRamecku(seznam.visualRect(seznam.Index(0)).right() - 10, 1);
    seznam.VyberRadek(0);
    EXPECT_GE(vystupuje(naRamecku), kKontrastRamecku);
    seznam.selectionModel()->clearSelection();
    EXPECT_GE(vystupuje(naRamecku), kKontrastRamecku);
    seznam.Vyprazdni();
    EXPECT_GE(vystupuje(naRamecku), kKontrastRamecku);
}

} // namespace
