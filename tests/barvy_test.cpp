// The colour rule: every text readable on what it is drawn on in any
// palette, selected or not; white lists with black text keep the lists'
// own colours for unselected lines.
#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleFactory>
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
    QPalette p(QColor(53, 53, 53), QColor(53, 53, 53));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, QColor(240, 240, 240));
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette seda()
{
    QPalette p = svetla();
    p.setColor(QPalette::Base, QColor(240, 240, 240));
    return p;
}

TEST(Barvy, ContrastFollowsWcag)
{
    EXPECT_DOUBLE_EQ(Kontrast(Qt::black, Qt::white), 21.0);
    // #767676 is the lightest grey that reads on white.
    EXPECT_GE(Kontrast(QColor(0x76, 0x76, 0x76), Qt::white), 4.5);
    EXPECT_LT(Kontrast(QColor(0x77, 0x77, 0x77), Qt::white), 4.5);
}

TEST(Barvy, EveryLineReadsInEveryPaletteSelectedOrNot)
{
    // Origins (Tribunal, Bloodmoon; neither: plain), then the two signs.
    const std::pair<bool, bool> puvody[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    const QColor znamenka[] = {QColor(0, 128, 0), QColor(255, 0, 0)};
    const std::pair<const char*, QPalette> palety[] = {{"light", svetla()}, {"dark", tmava()}, {"grey", seda()}};
    for (const auto& [jmeno, paleta] : palety)
        for (const bool vybrany : {false, true})
            for (int druh = 0; druh < 6; ++druh) {
                SCOPED_TRACE(std::string(jmeno) + " kind " + std::to_string(druh) + (vybrany ? " selected" : ""));
                const bool jePuvod = druh < 4;
                const auto [tribunal, bloodmoon] = jePuvod ? puvody[druh] : std::pair{false, false};
                const QColor vyznam = jePuvod ? (druh > 0 ? BarvaPuvodu(tribunal, bloodmoon) : QColor()) : znamenka[druh - 4];
                const TBarvyRadku barvy = jePuvod ? BarvyRadkuPuvodu(paleta, tribunal, bloodmoon, vybrany)
                                                  : BarvyRadku(paleta, vyznam, vybrany);
                if (jePuvod && druh > 0 && !vybrany && paleta == svetla()) {
                    EXPECT_EQ(barvy.Text, vyznam);  // red and fuchsia on white, as the lists always had them
                } else {
                    EXPECT_GE(Kontrast(barvy.Text, barvy.Pozadi), kKontrastTextu);
                }
                if (vyznam.isValid()) {
                    EXPECT_NEAR(barvy.Text.hslHue(), vyznam.hslHue(), 2);
                } else if (!vybrany) {
                    EXPECT_EQ(barvy.Text, paleta.color(QPalette::Text));  // "black" is the palette's text
                }
                EXPECT_GE(Kontrast(barvy.Ramecek, barvy.Pozadi), kKontrastRamecku);
                // The selection: the highlight's hue, plainly apart from the other lines.
                if (vybrany) {
                    EXPECT_NEAR(barvy.Pozadi.hslHue(), paleta.color(QPalette::Highlight).hslHue(), 2);
                    EXPECT_GE(Kontrast(barvy.Pozadi, paleta.color(QPalette::Base)), kKontrastRamecku);
                }
            }
}

TEST(Barvy, AnyColourGetsAReadableShadeOfItsHue)
{
    // The notebook's sixteen colours (origins', header's, notice's among them) on every background a text
    // meets, the logo's white card too. The default palette keeps them; elsewhere plain text is the palette's.
    const QColor barvy[] = {Qt::black, Qt::darkRed, Qt::darkGreen, Qt::darkYellow, Qt::darkBlue, Qt::darkMagenta,
                            Qt::darkCyan, Qt::gray, Qt::lightGray, Qt::red, Qt::green, Qt::yellow,
                            Qt::blue, Qt::magenta, Qt::cyan, Qt::white};
    for (const QPalette& paleta : {svetla(), tmava(), seda()})
        for (const QColor& pozadi : {paleta.color(QPalette::Base), paleta.color(QPalette::Window), PozadiVyberu(paleta),
                                     QColor(Qt::white)})
            for (const QColor& barva : barvy) {
                SCOPED_TRACE(barva.name().toStdString() + " on " + pozadi.name().toStdString());
                const QColor citelna = CitelnaBarva(barva, pozadi);
                EXPECT_GE(Kontrast(citelna, pozadi), kKontrastTextu);
                if (barva.hslHue() < 0) {
                    EXPECT_EQ(citelna.hslHue(), -1);  // a grey stays grey
                } else {
                    EXPECT_NEAR(citelna.hslHue(), barva.hslHue(), 2);
                }
                const QColor ukazana = BarvaTextu(paleta, barva, QPalette::Text, pozadi);
                if (paleta == svetla()) {
                    EXPECT_EQ(ukazana, barva.toRgb());
                } else if (barva == Qt::black && Kontrast(paleta.color(QPalette::Text), pozadi) >= kKontrastTextu) {
                    EXPECT_EQ(ukazana, paleta.color(QPalette::Text));
                } else {
                    EXPECT_GE(Kontrast(ukazana, pozadi), kKontrastTextu);
                }
                if (Kontrast(barva, pozadi) >= kKontrastTextu) {
                    EXPECT_EQ(citelna, barva.toRgb());  // a readable colour stays itself
                }
            }
}

} // namespace
