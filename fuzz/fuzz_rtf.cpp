// libFuzzer target: the notebook's RTF reader, then the writer on what it read.
//
// Whatever the input, the reader gives a normalised document, and writing
// that document and reading it back must give it again, byte for byte when
// written once more. The same bytes also spell a document of their own, run
// by run (paragraph ends, line breaks and empty paragraphs of any format
// included), which must come back from its RTF too. Any violation aborts, so
// libFuzzer reports it as a crash.
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

// Bytes with the top bit set start a run whose format their other bits
// choose; the others are characters, picked from those the writer treats
// each in its own way.
TDokument DokumentZBajtu(const std::uint8_t* data, std::size_t size)
{
    static constexpr char32_t kZnaky[16] = {U'a', U'\u0159', U'\n', U'\t', U'\u2028', U'{', U'}', U'\\',
                                            U';', U' ', U'\x01', U'\U0001F600', U'\u4E2D', U'?', U'\u20AC', U'\n'};
    static const char* const kPisma[4] = {"Arial", "Times New Roman", "Courier New", ""};
    TDokument dokument;
    dokument.Useky.emplace_back();
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if ((b & 0x80) == 0) {
            dokument.Useky.back().Text += kZnaky[b & 0x0F];
            continue;
        }
        TZnakovyFormat f;
        f.Pismo = kPisma[b & 3];
        f.PulBody = 16 + (b & 0x0C) * 2;
        f.Tucne = (b & 0x10) != 0;
        f.Chranene = (b & 0x20) != 0;
        f.Barva = (b & 0x40) != 0 ? 0xFF0000 : 0;
        dokument.Useky.push_back(TUsek{{}, f});
    }
    return dokument;
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

    const TDokument postaveny = DokumentZBajtu(data, size);
    over(CtiRtf(ZapisRtf(postaveny)) == Normalizuj(postaveny), "a document built from the bytes reads back different");
    return 0;
}
