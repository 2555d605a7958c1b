// The notebook page's printing: in colour as the notebook stands, or in black
// through a scratch copy that brings every colour back afterwards.
#include "zapisnik.h"

#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>
#include <exception>

#include "rtf.h"
#include "rtf_qt.h"
#include "soubory.h"
#include "tisk.h"
#include "ui_zapisnik.h"
#include "ztext.h"

namespace {

const QString kTitulTisku = QStringLiteral("Mixorův zápisníček");
const char* const kTiskovaKopie = "$$print.rtf";

} // namespace

void TStrankaZapisniku::NastavTiskarnu(std::unique_ptr<TTiskarna> tiskarna)
{
    tiskarna_ = std::move(tiskarna);
}

void TStrankaZapisniku::tiskni()
{
    if (!tiskarna_)
        tiskarna_ = TiskarnaCups();
    TiskniDokument(*ui_->Ztext->document(), *tiskarna_, kTitulTisku);
}

void TStrankaZapisniku::ZprintClick()
{
    if (prostredi_.Volby().Barvy)
        tiskni();
    else
        tiskniCerne();
}

void TStrankaZapisniku::tiskniCerne()
{
    TZapisnik* editor = ui_->Ztext;
    QTextDocument* dokument = editor->document();
    // A print changes nothing there is to save.
    const bool neulozeno = dokument->isModified();
    const std::string kopie = ZapisRtf(DokumentZTextu(*dokument));
    try {
        ZapisSouborAtomicky(kTiskovaKopie, kopie);
    } catch (const std::exception& chyba) {
        throw std::runtime_error(std::string("Zápisníček nebyl vytištěn. ") + chyba.what());
    }
    editor->setReadOnly(true);
    editor->selectAll();
    QTextCharFormat cerna;
    cerna.setForeground(QColor(Qt::black));
    editor->mergeCurrentCharFormat(cerna);
    // Whatever became of the print, the notebook gets its colours back.
    std::exception_ptr chybaTisku;
    try {
        tiskni();
    } catch (...) {
        chybaTisku = std::current_exception();
    }
    // The scratch copy brings every colour back, the header's too.
    std::string obnova = kopie;
    try {
        obnova = PrectiSoubor(kTiskovaKopie);
    } catch (const std::exception&) {
        // The copy in memory is the same document.
    }
    editor->clear();
    QTextCursor kurzor(dokument);
    VlozDokument(kurzor, CtiRtf(obnova));
    std::remove(kTiskovaKopie);
    dokument->clearUndoRedoStacks();
    dokument->setModified(neulozeno);
    editor->setReadOnly(false);
    editor->moveCursor(QTextCursor::End);
    if (chybaTisku)
        std::rethrow_exception(chybaTisku);
}
