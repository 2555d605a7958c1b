#include "barvy_zapisniku.h"

#include <QEvent>
#include <QTextBlock>
#include <QTextEdit>
#include <unordered_map>

#include "barvy.h"

namespace {

// The colour a text of this format is shown in instead of the one it would
// be drawn in; none where that one is what BarvaTextu shows.
QColor nahradniBarva(const QTextCharFormat& format, const QPalette& paleta)
{
    const bool vlastni = format.hasProperty(QTextFormat::ForegroundBrush);
    const QColor barva = vlastni ? format.foreground().color() : QColor(Qt::black);
    const QColor kreslena = vlastni ? barva : paleta.color(QPalette::Text);
    const QColor ukazana = BarvaTextu(paleta, barva, QPalette::Text, paleta.color(QPalette::Base));
    return ukazana.rgb() != kreslena.rgb() ? ukazana : QColor();
}

// Shows [od, po) in this colour: the last run grows when it goes on here,
// across a line end too.
void pridejUsek(QList<QTextEdit::ExtraSelection>& useky, QTextDocument* dokument, int od, int po, const QColor& barva)
{
    if (!useky.isEmpty() && useky.back().format.foreground().color() == barva &&
        useky.back().cursor.selectionEnd() + 1 >= od) {
        useky.back().cursor.setPosition(po, QTextCursor::KeepAnchor);
        return;
    }
    QTextEdit::ExtraSelection usek;
    usek.cursor = QTextCursor(dokument);
    usek.cursor.setPosition(od);
    usek.cursor.setPosition(po, QTextCursor::KeepAnchor);
    usek.format.setForeground(barva);
    useky.append(usek);
}

} // namespace

TBarvyZapisniku::TBarvyZapisniku(QTextEdit& editor) : QObject(&editor), editor_(editor)
{
    editor.installEventFilter(this);
    editor.viewport()->installEventFilter(this);
    connect(editor.document(), &QTextDocument::contentsChanged, this, [this] { zastarale_ = true; });
}

// Worked out when the view is next drawn: a long entry changes the document
// many times, the view is drawn once.
bool TBarvyZapisniku::eventFilter(QObject* objekt, QEvent* udalost)
{
    if (objekt == &editor_ && udalost->type() == QEvent::PaletteChange)
        zastarale_ = true;
    else if (objekt == editor_.viewport() && udalost->type() == QEvent::Paint && zastarale_)
        obnov();
    return false;
}

void TBarvyZapisniku::obnov()
{
    zastarale_ = false;
    const QPalette& paleta = editor_.palette();
    QList<QTextEdit::ExtraSelection> useky;
    if (!JeVychoziPaleta(paleta)) {
        std::unordered_map<int, QColor> nahradni;  // per format
        QTextDocument* dokument = editor_.document();
        // Positions are counted along: asking a fragment for its own
        // searches the document.
        int zacatekBloku = 0;
        for (QTextBlock blok = dokument->begin(); blok.isValid(); zacatekBloku += blok.length(), blok = blok.next()) {
            int po = zacatekBloku;  // a block's fragments follow each other
            for (auto it = blok.begin(); !it.atEnd(); ++it) {
                const QTextFragment kus = it.fragment();
                const int od = po;
                po += kus.length();
                auto [misto, nove] = nahradni.try_emplace(kus.charFormatIndex());
                if (nove)
                    misto->second = nahradniBarva(kus.charFormat(), paleta);
                if (misto->second.isValid())
                    pridejUsek(useky, dokument, od, po, misto->second);
            }
        }
    }
    if (!useky.isEmpty() || prekryto_)
        editor_.setExtraSelections(useky);
    prekryto_ = !useky.isEmpty();
}
