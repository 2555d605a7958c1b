// The inspector's search for potions by wanted effects (--find).
#pragma once

#include <string_view>
#include <vector>

// Whether the command line asks for this mode.
bool JeHledaniEfektu(const std::vector<std::string_view>& argumenty);
// Runs it; returns the exit code. Usage errors, missing files and read
// errors are reported on standard error as the other modes report them.
int SpustHledaniEfektu(const std::vector<std::string_view>& argumenty);
