// Printing: Qt lays the document out into a PDF for the printer's sheet, and
// the print spooler takes that PDF as one job. The spooler stays behind
// TTiskarna, so a print can go to any printer it is given (tests print into
// files).
#pragma once

#include <QPageLayout>
#include <QString>
#include <memory>
#include <stdexcept>

class QPrinter;
class QTextDocument;

// A print that did not happen; the text names the cause for the user.
struct TChybaTisku : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TTiskarna {
public:
    virtual ~TTiskarna() = default;
    // The sheet and its printable area. Throws TChybaTisku when there is no
    // printer to ask.
    virtual QPageLayout Rozvrzeni() = 0;
    // Hands a finished PDF over as one job with this title; throws
    // TChybaTisku when the job is refused or cannot be sent.
    virtual void Odesli(const QString& pdf, const QString& titul) = 0;
};

// The print spooler's default destination, as libcups finds it (the PRINTER
// or LPDEST variables, the lpoptions files, then the scheduler's default),
// looked up afresh for every print.
std::unique_ptr<TTiskarna> TiskarnaCups();

// Draws the whole document on a printer, page after page within its
// printable area. Throws TChybaTisku when the printer fails.
void VykresliDokument(const QTextDocument& dokument, QPrinter& tiskarna);

// One print: the document as a PDF in a temporary folder, laid out for the
// printer's sheet, then sent to it as one job titled titul.
void TiskniDokument(const QTextDocument& dokument, TTiskarna& tiskarna, const QString& titul);
