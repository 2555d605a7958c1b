// Whole-file reading and atomic writing with the system's error descriptions.
#pragma once

#include <string>

// Reads the whole file. Throws ChybaCteni naming the file and the failure.
std::string PrectiSoubor(const std::string& cesta);

// Replaces the file with the bytes through a temporary file in the same
// folder, so a failure leaves the old file whole. Throws ChybaZapisu.
void ZapisSouborAtomicky(const std::string& cesta, const std::string& obsah);
