// The inspector's search for potions by wanted effects (--find).
#pragma once

#include <string_view>
#include <vector>

// Whether the command line asks for this mode.
bool JeHledaniEfektu(const std::vector<std::string_view>& argumenty);
// Runs it; returns the exit code. Throws what the other modes throw
// (ChybaPouziti, ChybaCteni), for the inspector to report alike.
int SpustHledaniEfektu(const std::vector<std::string_view>& argumenty);
