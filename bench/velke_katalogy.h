// Catalogues at the edges the window must bear: one effect carried by
// thousands of ingredients, a million ingredients, one ingredient with an
// enormous name, and the sample repeated thirty times.
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

// The sample's ingredient lines `kolikrat` times, the k-th copy of each named
// "<name> k"; comment and empty lines once, at their place in the first copy.
// An ingredient line is what the loader takes for one: two bytes or more
// (line end excluded), not starting with '/'. Line ends are kept as they are.
std::string ZnasobenyKatalog(const std::string& vzor, int kolikrat);

// The catalogue that the window benchmarks call by this name: "sample" (`vzor`
// itself), "x30", "nositele1000" and "nositele5000" (that many carriers of
// one effect), "prisad1M", "jmeno50MB". Throws for another name.
std::string KatalogVelikosti(const std::string& velikost, const std::string& vzor);
inline constexpr int kNasobekVzorku = 30;  // "x30"
