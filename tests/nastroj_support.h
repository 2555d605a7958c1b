// Running the catalogue inspector as a separate process.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct Beh {
    int kod = -1;  // exit code, -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the inspector with the arguments. Its standard output and error go to
// files in the folder, so neither pipe can block it.
Beh SpustNastroj(const std::filesystem::path& slozka, const std::vector<std::string>& argumenty);

std::string ObsahSouboru(const std::filesystem::path& cesta);
