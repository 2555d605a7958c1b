// The loader: a catalogue file into a TSeznam, and a file's ingredient lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "katalog.h"

// Loads a catalogue file. The name is Windows-1250 text; it is looked up as
// UTF-8 first, then as the raw bytes. A missing file leaves the catalogue
// empty. A file that exists but cannot be read throws ChybaCteni, and what
// was read so far stays in the catalogue.
void NactiSeznam(std::string_view jmenoSouboru, TSeznam& seznam);

// Loads exactly this path; messages name it as given. A missing file throws
// ChybaCteni too.
void NactiSeznamZCesty(const std::string& cesta, TSeznam& seznam);

// An ingredient line of a catalogue file, with its 1-based number in the file.
struct TRadekSouboru {
    std::size_t Cislo = 0;
    std::string Text;
};
// The ingredient lines of a file's contents, as the loader takes them: CRs
// dropped, each line cut at a Ctrl-Z, the file ended by a Ctrl-Z that opens
// a line. Line k gives ingredient k.
std::vector<TRadekSouboru> RadkyPrisad(std::string_view obsah);
// The ingredient lines of exactly this file, read whole (see RadkyPrisad).
std::vector<TRadekSouboru> PrectiRadkyPrisad(const std::string& cesta);

// The loader's two readers of a catalogue file, for its tests and
// benchmarks: the block reader that the loader uses, and its plain twin,
// which reads the whole file and takes it line by line. Both must give the
// same catalogue from every file.
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
