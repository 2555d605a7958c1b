#include "barvy.h"

#include <algorithm>
#include <cmath>

namespace {

// A selected line's background is this far from white (or black): far enough
// that the lines' colours keep much of their hue in the shades that read on it.
constexpr double kKontrastVyberu = 12.0;

double linearni(int kanal)
{
    const double c = kanal / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const QColor kBila(255, 255, 255);
const QColor kCerna(0, 0, 0);

// White or black, whichever reads better on the background.
QColor krajniNa(const QColor& pozadi)
{
    return Kontrast(kBila, pozadi) >= Kontrast(kCerna, pozadi) ? kBila : kCerna;
}

} // namespace

double RelativniJas(const QColor& barva)
{
    const QColor rgb = barva.toRgb();
    return 0.2126 * linearni(rgb.red()) + 0.7152 * linearni(rgb.green()) + 0.0722 * linearni(rgb.blue());
}

double Kontrast(const QColor& a, const QColor& b)
{
    const double ja = RelativniJas(a);
    const double jb = RelativniJas(b);
    return (std::max(ja, jb) + 0.05) / (std::min(ja, jb) + 0.05);
}

QColor CitelnaBarva(const QColor& barva, const QColor& pozadi, double nejmene)
{
    const QColor rgb = barva.toRgb();
    if (Kontrast(rgb, pozadi) >= nejmene)
        return rgb;
    const bool svetlejsi = krajniNa(pozadi) == kBila;
    int odstin = 0, syta = 0, svetlost = 0;
    rgb.getHsl(&odstin, &syta, &svetlost);
    if (odstin < 0)
        odstin = syta = 0;  // a grey
    // Lightness alone moves, one step at a time: the nearest shade that reads.
    const int krok = svetlejsi ? 1 : -1;
    for (int l = svetlost + krok; l >= 0 && l <= 255; l += krok) {
        const QColor kandidat(QColor::fromHsl(odstin, syta, l).rgb());
        if (Kontrast(kandidat, pozadi) >= nejmene)
            return kandidat;
    }
    return krajniNa(pozadi);
}

bool JeVychoziPaleta(const QPalette& paleta)
{
    return paleta.color(QPalette::Base).rgb() == kBila.rgb() && paleta.color(QPalette::Text).rgb() == kCerna.rgb();
}

QColor BarvaTextu(const QPalette& paleta, const QColor& barva, QPalette::ColorRole text, const QColor& pozadi)
{
    if (JeVychoziPaleta(paleta))
        return barva.toRgb();
    const bool prosty = barva.rgb() == kCerna.rgb();
    return CitelnaBarva(prosty ? paleta.color(text) : barva, pozadi);
}

QColor PozadiVyberu(const QPalette& paleta)
{
    const QColor zaklad = paleta.color(QPalette::Base);
    // The pole nearer the lines' background: the selection moves away from it.
    const QColor blizsi = krajniNa(zaklad) == kCerna ? kBila : kCerna;
    return CitelnaBarva(paleta.color(QPalette::Highlight), blizsi, kKontrastVyberu);
}

TBarvyRadku BarvyRadku(const QPalette& paleta, const QColor& vyznam, bool vybrany)
{
    TBarvyRadku barvy;
    barvy.Pozadi = vybrany ? PozadiVyberu(paleta) : paleta.color(QPalette::Base).toRgb();
    barvy.Ramecek = vybrany ? krajniNa(barvy.Pozadi) : CitelnaBarva(paleta.color(QPalette::Text), barvy.Pozadi);
    barvy.Text = vyznam.isValid() ? CitelnaBarva(vyznam, barvy.Pozadi) : barvy.Ramecek;
    return barvy;
}

TBarvyRadku BarvyRadkuVyznamu(const QPalette& paleta, const QColor& vyznam, bool vybrany)
{
    TBarvyRadku barvy = BarvyRadku(paleta, vyznam, vybrany);
    if (vyznam.isValid() && !vybrany && JeVychoziPaleta(paleta))
        barvy.Text = vyznam;
    return barvy;
}

QColor BarvaPuvodu(bool tribunal, bool bloodmoon)
{
    if (tribunal && bloodmoon)
        return QColor(255, 0, 255);
    if (tribunal)
        return QColor(0, 0, 255);
    if (bloodmoon)
        return QColor(255, 0, 0);
    return QColor(0, 0, 0);
}

TBarvyRadku BarvyRadkuPuvodu(const QPalette& paleta, bool tribunal, bool bloodmoon, bool vybrany)
{
    return BarvyRadkuVyznamu(paleta, tribunal || bloodmoon ? BarvaPuvodu(tribunal, bloodmoon) : QColor(), vybrany);
}
