// The notebook's entries: what a page's "zapsat" button shows at the moment of
// the click, written in as one formatted entry.
#include "zapisnik.h"

#include <algorithm>

#include <QTextCursor>
#include <QTextDocument>

#include "rtf_qt.h"
#include "ui_zapisnik.h"
#include "ztext.h"

void TStrankaZapisniku::ZapisPolozku(const QString& nadpis, const QColor& barvaNadpisu, const QStringList& radky,
                                     int radekKurzivou)
{
    TZapisnik* editor = ui_->Ztext;
    editor->moveCursor(QTextCursor::End);
    // The whole entry is one edit: one undo step, one layout.
    QTextCursor uprava(editor->document());
    uprava.movePosition(QTextCursor::End);
    const int predZapisem = uprava.position();
    uprava.beginEditBlock();
    PridejRadekZapisniku(nadpis, FormatArial(barvaNadpisu, 12, true, false, true));
    const QTextCharFormat telo = FormatArial(Qt::black, 10);
    const QTextCharFormat kurziva = FormatArial(Qt::black, 10, false, true);
    // Neighbouring lines of one format go in at once.
    for (qsizetype od = 0; od < radky.size();) {
        const bool jeKurziva = od == radekKurzivou;
        qsizetype po = od + 1;
        while (po < radky.size() && (po == radekKurzivou) == jeKurziva)
            ++po;
        PridejRadekZapisniku(radky.mid(od, po - od).join(QLatin1Char('\n')), jeKurziva ? kurziva : telo);
        od = po;
    }
    PridejRadekZapisniku(QString(), telo);

    // The whole user area in Arial of the Western set, the user's own text
    // too; the entry itself is in Arial already, and so is the text that has
    // not changed since the last entry.
    const int odPisma = std::max(ZacatekUzivatelske, editor->NezmenenoDo());
    if (predZapisem > odPisma)
        DejPismoArial(*editor->document(), odPisma, predZapisem);
    uprava.endEditBlock();
    editor->OznacNezmenene();

    editor->moveCursor(QTextCursor::End);
}
