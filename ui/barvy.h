// The one rule for the colours of texts: readable on what they are drawn on
// in any palette, by the contrast that WCAG 2 defines.
#pragma once

#include <QColor>
#include <QPalette>

// The least contrast of a text against what it is drawn on, and of a focus
// frame against the pixels it covers.
constexpr double kKontrastTextu = 4.5;
constexpr double kKontrastRamecku = 3.0;

// Relative luminance, 0 (black) to 1 (white), and the contrast ratio of two
// colours, 1 to 21.
double RelativniJas(const QColor& barva);
double Kontrast(const QColor& a, const QColor& b);

// The colour itself when it reads at `nejmene`:1 on `pozadi`; otherwise the
// nearest shade of it (hue and saturation kept, only lighter or darker,
// away from the background) that does.
QColor CitelnaBarva(const QColor& barva, const QColor& pozadi, double nejmene = kKontrastTextu);

// White lines with black text: the palette the program's own colours were
// chosen for. There a text keeps its colour exactly (an unselected line, a
// label, the notebook's text).
bool JeVychoziPaleta(const QPalette& paleta);

// What a text of colour `barva`, drawn on `pozadi`, shows in this palette:
// on the default palette the colour itself; elsewhere black, the colour of
// plain text, becomes the palette's own text colour (role `text`), and any
// colour the nearest shade of it that reads.
QColor BarvaTextu(const QPalette& paleta, const QColor& barva, QPalette::ColorRole text, const QColor& pozadi);

// What a selected line is drawn on: the palette's highlight, in a shade far
// from the lines' background (darker on a light list, lighter on a dark one)
// so that the lines' colours, in their shades, read on it.
QColor PozadiVyberu(const QPalette& paleta);

// The colours of one line of a list.
struct TBarvyRadku {
    QColor Pozadi;
    QColor Text;
    QColor Ramecek;  // the focus frame: a plain text's colour on this background
};

// A line that stands for `vyznam` (a mark's colour; an invalid colour for a
// plain line), selected or not. A plain line takes the palette's text colour,
// a coloured one a shade of its colour.
TBarvyRadku BarvyRadku(const QPalette& paleta, const QColor& vyznam, bool vybrany);

// A line in the colour of what it means (an invalid colour: a plain line):
// on the default palette an unselected line keeps the colour exactly,
// elsewhere it takes the shade that reads (BarvyRadku).
TBarvyRadku BarvyRadkuVyznamu(const QPalette& paleta, const QColor& vyznam, bool vybrany);

// The colour that stands for an origin in lists and labels: fuchsia for
// both expansions, blue for Tribunal, red for Bloodmoon, black for neither.
QColor BarvaPuvodu(bool tribunal, bool bloodmoon);

// A line of this origin (of neither: a plain line). On the default palette
// an unselected line is drawn in the origin colour itself.
TBarvyRadku BarvyRadkuPuvodu(const QPalette& paleta, bool tribunal, bool bloodmoon, bool vybrany);
