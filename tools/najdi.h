// The inspector's search for potions by wanted effects (--find).
#pragma once

#include <string>

#include "katalog.h"
#include "volby.h"

// The search's answer as JSON: how many potions there are, whether the count
// is complete, and the first of them (--limit) by slots and effects.
std::string VystupHledani(const Volby& volby, const TSeznam& seznam);
