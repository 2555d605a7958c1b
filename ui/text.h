// The window's side of the Windows-1250 codec (engine bytes <-> QString),
// and the small text rules that more than one page applies.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString ZCp1250(std::string_view text);
// Characters outside the code page become "?", one for each.
std::string DoCp1250(const QString& text);

// What the potion's first effect label says while the potion has no effect.
QString TextZadne();
