// The formats of the player's own files: the options file ("volby.txt") and
// the stock file ("zasoby.txt"). Reading and writing them is soubory.h's.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "katalog.h"

// The five option ticks, in the file's order: include Tribunal, include
// Bloodmoon, distinguish the expansions, switch to the notebook, print in
// colour.
using TVolbySouboru = std::array<bool, 5>;

// The options file's text: "Volby:" and a line for each tick that is set.
std::string TextVoleb(const TVolbySouboru& volby);
// The ticks that a file's content gives: an option is set when its key
// appears anywhere in the text, ASCII letters compared as capitals.
TVolbySouboru VolbyZTextu(std::string_view obsah);

// The stock file is one ingredient name a line. Its lines, as read: CR LF or
// LF ends, empty lines left out.
std::vector<std::string> RadkyZasob(std::string_view obsah);
// The ingredients of the catalogue that the lines name (every one of a name
// that several carry).
std::unordered_set<const TPrisada*> ZasobyZRadku(const std::vector<std::string>& radky,
                                                 const std::vector<TPrisada*>& prisady);
// The file's new text: the player's ticks merged over the lines read, so
// that only what the player changed changes. A line stays in its place while
// its name is ticked, or while the catalogue does not hold the name (it may
// have been edited, or read only in part); the lines of a name the player
// unticked go; a name newly ticked is added at the end, in catalogue order.
std::string TextZasob(const std::vector<std::string>& radky, const std::vector<TPrisada*>& prisady,
                      const std::unordered_set<const TPrisada*>& zasoby);
