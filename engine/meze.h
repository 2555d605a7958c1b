// Bounds the window keeps to, whatever the catalogue's size.
#pragma once

#include <cstddef>

// The most lines of one list that the window shows on the search page or
// writes down in one notebook entry; what lies beyond is counted, not listed.
inline constexpr std::size_t kNejvicRadkuVypisu = 100'000;
