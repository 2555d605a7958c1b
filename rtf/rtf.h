// Rich Text Format for the notebook: a writer and a reader of the plain
// character-formatted text the notebook keeps. No Qt here; rtf_qt.h connects
// it to a QTextDocument.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Attributes of one character.
struct TZnakovyFormat {
    std::string Pismo = "Arial";     // face name, UTF-8
    int ZnakovaSada = 0;             // RTF \fcharset number (0 Western, 238 Central European, ...)
    int PulBody = 20;                // size in half points (10 pt = 20)
    std::uint32_t Barva = 0x000000;  // 0xRRGGBB
    bool Tucne = false, Kurziva = false, Podtrzene = false, Preskrtnute = false, Chranene = false;
    bool operator==(const TZnakovyFormat&) const = default;
};

// A run of characters of one format. '\n' ends a paragraph and carries the
// format of the paragraph it starts (which an empty paragraph shows as its
// height); U+2028 is a line break within a paragraph; '\t' is a tab.
struct TUsek {
    std::u32string Text;
    TZnakovyFormat Format;
    bool operator==(const TUsek&) const = default;
};

struct TDokument {
    std::vector<TUsek> Useky;
    bool operator==(const TDokument&) const = default;
};

// RTF of a document, ASCII only. Equal documents (after Normalizuj) give
// equal bytes.
std::string ZapisRtf(const TDokument& dokument);

// The document an RTF text describes, normalised. Never throws, and takes
// time linear in the input whatever it holds.
TDokument CtiRtf(std::string_view rtf);

// The canonical form of a document: no empty runs, no two neighbours of equal
// format. Also puts what RTF cannot carry into a form it can: a colour keeps
// its low 24 bits, a character that is no Unicode scalar value (a surrogate,
// or beyond U+10FFFF) and broken UTF-8 in a face name become U+FFFD, and a
// face name keeps its first 255 characters, as the reader does.
TDokument Normalizuj(TDokument dokument);
