// libFuzzer target: the notebook's RTF reader, then the writer on what it read.
//
// Whatever the input, the reader gives a normalised document, and writing
// that document and reading it back must give it again, byte for byte when
// written once more. Any violation aborts, so libFuzzer reports it as a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rtf.h"

namespace {

// Inputs longer than this are skipped, whatever -max_len says.
constexpr std::size_t kNejvetsiVstup = 64 * 1024;

void over(bool podminka, const char* co)
{
    if (!podminka) {
        std::fprintf(stderr, "invariant violated: %s\n", co);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kNejvetsiVstup)
        return 0;
    const TDokument precteny = CtiRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    over(precteny == Normalizuj(precteny), "the reader's document is not normalised");

    const std::string rtf = ZapisRtf(precteny);
    for (const char c : rtf)
        over(static_cast<unsigned char>(c) < 0x80, "non-ASCII byte in the writer's output");
    const TDokument znovu = CtiRtf(rtf);
    over(znovu == Normalizuj(precteny), "the written document reads back different");
    over(ZapisRtf(znovu) == rtf, "writing the document read back gives other bytes");
    return 0;
}
