// The loader's two readers of a catalogue file, for the engine and its
// tests: the block reader that NactiSeznam uses, and its plain twin, which
// reads the whole file and takes it line by line. Both must give the same
// catalogue from every file.
#pragma once

#include <string>
#include <string_view>

#include "katalog.h"

namespace nacitani {

// The longest line the loader takes; a longer one is a read error, so that
// a file with no line ends cannot take all memory.
inline constexpr std::size_t kNejdelsiRadek = 16 * 1024 * 1024;
// The block reader's block.
inline constexpr std::size_t kBlok = 64 * 1024;

// A physical line (without its LF) as the loader keeps it: CRs dropped and
// cut at a Ctrl-Z. False when a Ctrl-Z opens the line: the file ends there.
bool OcistiRadek(std::string_view fyzicky, std::string& radek);

// Appends the ingredients of exactly this file to the catalogue; messages
// name the file by popis. Throws ChybaCteni; what was read stays.
void NactiPoBlocich(const std::string& cesta, const std::string& popis, TSeznam& seznam);
void NactiPrimo(const std::string& cesta, TSeznam& seznam);

} // namespace nacitani
