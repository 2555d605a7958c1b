// The notebook's QTextDocument <-> the RTF module's document.
#pragma once

#include <QTextFormat>

#include "rtf.h"

class QFont;
class QTextCursor;
class QTextDocument;

// Character properties the editor keeps beside Qt's own: a protected flag
// (bool) and the RTF character set of the character's font (int).
constexpr int kVlastnostChranene = QTextFormat::UserProperty + 1;
constexpr int kVlastnostZnakovaSada = QTextFormat::UserProperty + 2;

// The text and character formats of a document. Blocks are joined by '\n',
// which takes the character format of the block it starts.
TDokument DokumentZTextu(const QTextDocument& text);

// The point size Qt lays out a character of this format in, within a
// document whose default font is `vychozi`: its point size, its pixel size
// (at 96 pixels per inch), or HTML's relative size, which scales the default.
qreal BodyZnaku(const QTextCharFormat& format, const QFont& vychozi);

// What the notebook keeps of a Qt character format (sizes as BodyZnaku).
TZnakovyFormat FormatZQt(const QTextCharFormat& format, const QFont& vychozi);

// What the notebook can keep of a pasted document: its text and character
// formats. Every block is a paragraph; a list item gets its marker and a tab
// in front, a table row is one paragraph with tabs between its cells (the
// paragraphs of one cell joined by spaces); images and other objects are
// left out, a line break that ends a paragraph (as HTML's last <br> does)
// too. An explicit size of a character outweighs a relative one.
TDokument DokumentZVlozeneho(const QTextDocument& vlozeny);

// The Qt format of one character the notebook keeps: every attribute set.
QTextCharFormat FormatDoQt(const TZnakovyFormat& format);

// Inserts a document at the cursor; '\n' starts a new block.
void VlozDokument(QTextCursor& kurzor, const TDokument& dokument);
