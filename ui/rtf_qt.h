// The notebook's QTextDocument <-> the RTF module's document.
#pragma once

#include <QTextFormat>

#include "rtf.h"

class QTextCursor;
class QTextDocument;

// Character properties the editor keeps beside Qt's own: a protected flag
// (bool) and the RTF character set of the character's font (int).
constexpr int kVlastnostChranene = QTextFormat::UserProperty + 1;
constexpr int kVlastnostZnakovaSada = QTextFormat::UserProperty + 2;

// The text and character formats of a document. Blocks are joined by '\n',
// which takes the character format of the block it starts.
TDokument DokumentZTextu(const QTextDocument& text);

// The Qt format of one character the notebook keeps: every attribute set.
QTextCharFormat FormatDoQt(const TZnakovyFormat& format);

// Inserts a document at the cursor; '\n' starts a new block.
void VlozDokument(QTextCursor& kurzor, const TDokument& dokument);
