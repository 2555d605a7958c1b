// The window's side of the Windows-1250 codec: engine bytes <-> QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString ZCp1250(std::string_view text);
// Characters outside the code page become "?", one for each.
std::string DoCp1250(const QString& text);
