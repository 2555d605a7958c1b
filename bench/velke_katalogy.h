// Catalogues at the edges the window must bear: one effect carried by
// thousands of ingredients, and one ingredient with an enormous name.
#pragma once

#include <cstddef>
#include <string>

// `nositelu` ingredients that all carry the effect "Apatie všudypřítomná" (first of the effects in every order, so the listing page lists it at start) and
// three more effects each, from a pool of one per twenty ingredients; some
// of them Tribunal or Bloodmoon ingredients. Windows-1250, CR LF lines.
std::string KatalogSeSpolecnymEfektem(std::size_t nositelu);

// The catalogue `vzor` and after it one more ingredient, with the effects of
// the first ingredient line of `vzor` and a name of words and blanks that is
// `delka` bytes long.
std::string KatalogSDlouhymJmenem(const std::string& vzor, std::size_t delka);
