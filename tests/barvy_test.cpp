// The colour rule: every text readable on what it is drawn on, in a light and
// a dark palette, selected or not; the default palette keeps the lists' own
// colours for unselected lines.
#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

#include "barvy.h"

namespace {

QPalette svetla()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

// A dark desktop theme as they commonly come.
QPalette tmava()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, QColor(240, 240, 240));
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    p.setColor(QPalette::Text, QColor(240, 240, 240));
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return p;
}

TEST(Barvy, ContrastFollowsWcag)
{
    EXPECT_DOUBLE_EQ(Kontrast(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(Kontrast(QColor(0, 128, 0), QColor(0, 128, 0)), 1.0);
    // The usual landmarks: #767676 is the lightest grey that reads on white.
    EXPECT_GE(Kontrast(QColor(0x76, 0x76, 0x76), Qt::white), 4.5);
    EXPECT_LT(Kontrast(QColor(0x77, 0x77, 0x77), Qt::white), 4.5);
    EXPECT_NEAR(Kontrast(QColor(255, 0, 0), Qt::white), 4.0, 0.01);
}

// What a list line can stand for: plain, an origin, a search's sign.
struct TDruhRadku {
    const char* Jmeno;
    bool Puvod;
    bool Tribunal;
    bool Bloodmoon;
    QColor Znamenko;  // invalid: not a sign
};

const TDruhRadku kDruhy[] = {
    {"plain", true, false, false, QColor()},     {"Tribunal", true, true, false, QColor()},
    {"Bloodmoon", true, false, true, QColor()},  {"both", true, true, true, QColor()},
    {"wanted", false, false, false, QColor(0, 128, 0)}, {"avoided", false, false, false, QColor(255, 0, 0)},
    {"unsigned", false, false, false, QColor()},
};

TEST(Barvy, EveryLineReadsInBothPalettesSelectedOrNot)
{
    for (const bool jeSvetla : {true, false}) {
        const QPalette paleta = jeSvetla ? svetla() : tmava();
        for (const TDruhRadku& druh : kDruhy) {
            const QColor vyznam = druh.Puvod ? (druh.Tribunal || druh.Bloodmoon
                                                    ? BarvaPuvodu(druh.Tribunal, druh.Bloodmoon)
                                                    : QColor())
                                             : druh.Znamenko;
            for (const bool vybrany : {false, true}) {
                SCOPED_TRACE(std::string(jeSvetla ? "light " : "dark ") + druh.Jmeno + (vybrany ? " selected" : ""));
                const TBarvyRadku barvy = druh.Puvod
                                              ? BarvyRadkuPuvodu(paleta, druh.Tribunal, druh.Bloodmoon, vybrany)
                                              : BarvyRadku(paleta, druh.Znamenko, vybrany);
                const bool presna = jeSvetla && !vybrany && druh.Puvod && vyznam.isValid();
                if (presna)
                    EXPECT_EQ(barvy.Text, vyznam);  // red and fuchsia on white, as the lists always had them
                else
                    EXPECT_GE(Kontrast(barvy.Text, barvy.Pozadi), kKontrastTextu);
                if (vyznam.isValid()) {
                    EXPECT_NEAR(barvy.Text.hslHue(), vyznam.hslHue(), 2);
                } else if (!vybrany) {
                    EXPECT_EQ(barvy.Text, paleta.color(QPalette::Text));  // "black" is the palette's text
                }
                EXPECT_GE(Kontrast(barvy.Ramecek, barvy.Pozadi), kKontrastRamecku);
                if (vybrany) {
                    // The highlight's hue, and plainly apart from the other lines.
                    EXPECT_NEAR(barvy.Pozadi.hslHue(), paleta.color(QPalette::Highlight).hslHue(), 2);
                    EXPECT_GE(Kontrast(barvy.Pozadi, paleta.color(QPalette::Base)), kKontrastRamecku);
                } else {
                    EXPECT_EQ(barvy.Pozadi, paleta.color(QPalette::Base));
                }
            }
        }
    }
}

TEST(Barvy, AnyColourGetsAReadableShadeOfItsHue)
{
    // The notebook's sixteen colours, on every background a text meets.
    const QColor barvy[] = {Qt::black,         QColor(128, 0, 0), QColor(0, 128, 0), QColor(128, 128, 0),
                            QColor(0, 0, 128), QColor(128, 0, 128), QColor(0, 128, 128), QColor(128, 128, 128),
                            QColor(192, 192, 192), Qt::red,       Qt::green,         Qt::yellow,
                            Qt::blue,          Qt::magenta,       Qt::cyan,          Qt::white};
    const QPalette palety[] = {svetla(), tmava()};
    for (const QPalette& paleta : palety)
        for (const QColor& pozadi : {paleta.color(QPalette::Base), paleta.color(QPalette::Window), PozadiVyberu(paleta)})
            for (const QColor& barva : barvy) {
                SCOPED_TRACE(barva.name().toStdString() + " on " + pozadi.name().toStdString());
                const QColor citelna = CitelnaBarva(barva, pozadi);
                EXPECT_GE(Kontrast(citelna, pozadi), kKontrastTextu);
                if (barva.hslHue() >= 0) {
                    EXPECT_NEAR(citelna.hslHue(), barva.hslHue(), 2);
                }
                if (Kontrast(barva, pozadi) >= kKontrastTextu) {
                    EXPECT_EQ(citelna, barva);  // a readable colour stays itself
                }
            }
}

// The about page's white panel in a dark palette: its light texts darken.
TEST(Barvy, AControlsTextReadsOnItsOwnBackground)
{
    QWidget panel;
    QPalette paleta = tmava();
    paleta.setColor(QPalette::Window, Qt::white);
    panel.setPalette(paleta);
    CitelnyText(panel, QPalette::WindowText, QPalette::Window);
    for (const QPalette::ColorGroup skupina : {QPalette::Active, QPalette::Inactive})
        EXPECT_GE(Kontrast(panel.palette().color(skupina, QPalette::WindowText), Qt::white), kKontrastTextu);
}

TEST(Barvy, OnlyWhiteListsWithBlackTextAreTheDefault)
{
    EXPECT_TRUE(JeVychoziPaleta(svetla()));
    EXPECT_FALSE(JeVychoziPaleta(tmava()));
    QPalette seda = svetla();
    seda.setColor(QPalette::Base, QColor(240, 240, 240));
    EXPECT_FALSE(JeVychoziPaleta(seda));
    // There red is not kept as it is.
    EXPECT_GE(Kontrast(BarvyRadkuPuvodu(seda, false, true, false).Text, QColor(240, 240, 240)), kKontrastTextu);
}

} // namespace
