// The window's side of the Windows-1250 codec (engine bytes <-> QString),
// and the small text rules that more than one page applies.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString ZCp1250(std::string_view text);
// Characters outside the code page become "?".
std::string DoCp1250(const QString& text);

// A list line's text split at its first "]": the origin mark up to and
// including it, and the name from the second character after it (the
// mark's blank dropped). A text without "]" is all name, with no mark.
struct TZnackaAJmeno {
    QString Znacka;
    QString Jmeno;
};
TZnackaAJmeno RozdelZnacku(const QString& text);
// The text without its origin mark.
QString BezZnacky(const QString& text);

// What the potion's first effect label says while the potion has no effect.
QString TextZadne();
