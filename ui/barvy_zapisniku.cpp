#include "barvy_zapisniku.h"

#include <QEvent>
#include <QTextBlock>
#include <QTextEdit>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "barvy.h"

namespace {

// A stretch [Od, Po) of the document shown in Barva.
struct TUsek {
    int Od;
    int Po;
    QColor Barva;
};

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

// Adds [od, po) in this colour: the last stretch grows when it goes on here
// in the same colour, also across the line end just before `od` when
// `poKonciRadku`.
void pridej(std::vector<TUsek>& useky, int od, int po, const QColor& barva, bool poKonciRadku)
{
    if (od >= po)
        return;
    if (!useky.empty() && useky.back().Barva == barva &&
        (useky.back().Po == od || (poKonciRadku && useky.back().Po == od - 1))) {
        useky.back().Po = po;
        return;
    }
    useky.push_back({od, po, barva});
}

// The stretches of the blocks from `blok` up to position `konec` whose
// colour would not read. Positions are counted along: asking a fragment for
// its own searches the document.
void prectiBloky(QTextBlock blok, int konec, const QPalette& paleta, std::vector<TUsek>& useky)
{
    std::unordered_map<int, QColor> nahradni;  // per format
    for (int zacatek = blok.position(); blok.isValid() && zacatek < konec;
         zacatek += blok.length(), blok = blok.next()) {
        int po = zacatek;  // a block's fragments follow each other
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            const int od = po;
            po += kus.length();
            auto [misto, nove] = nahradni.try_emplace(kus.charFormatIndex());
            if (nove)
                misto->second = nahradniBarva(kus.charFormat(), paleta);
            if (misto->second.isValid())
                pridej(useky, od, po, misto->second, od == zacatek);
        }
    }
}

} // namespace

TBarvyZapisniku::TBarvyZapisniku(QTextEdit& editor) : QObject(&editor), editor_(editor)
{
    editor.installEventFilter(this);
    editor.viewport()->installEventFilter(this);
    connect(editor.document(), &QTextDocument::contentsChange, this, &TBarvyZapisniku::zmena);
}

// Worked out when the view is next drawn: a long entry changes the document
// many times, the view is drawn once.
bool TBarvyZapisniku::eventFilter(QObject* objekt, QEvent* udalost)
{
    if (objekt == &editor_ && udalost->type() == QEvent::PaletteChange)
        vse_ = true;
    else if (objekt == editor_.viewport() && udalost->type() == QEvent::Paint && (vse_ || zmeneno_))
        obnov();
    return false;
}

void TBarvyZapisniku::zmena(int od, int odebrano, int pridano)
{
    if (!zmeneno_) {
        od_ = od;
        po_ = od + pridano;
        zmeneno_ = true;
        return;
    }
    // What changed before moves with this edit where it lies after it.
    if (po_ > od)
        po_ = std::max(od + pridano, po_ + pridano - odebrano);
    od_ = std::min(od_, od);
    po_ = std::max(po_, od + pridano);
}

void TBarvyZapisniku::obnov()
{
    const bool vse = vse_;
    vse_ = zmeneno_ = false;
    const QPalette& paleta = editor_.palette();
    if (JeVychoziPaleta(paleta)) {
        if (prekryto_)
            editor_.setExtraSelections({});
        prekryto_ = false;
        return;
    }
    QTextDocument* dokument = editor_.document();
    QTextBlock prvni = dokument->begin();
    int konec = dokument->characterCount();
    if (!vse) {
        prvni = dokument->findBlock(od_);
        QTextBlock posledni = dokument->findBlock(po_);
        if (!posledni.isValid())
            posledni = dokument->lastBlock();
        konec = posledni.position() + posledni.length();
    }
    const int zacatek = prvni.position();
    // The stretches before and after the blocks read again stay as they
    // are: the editor's cursors moved them with every edit.
    const QList<QTextEdit::ExtraSelection> stare = vse ? QList<QTextEdit::ExtraSelection>() : editor_.extraSelections();
    std::vector<TUsek> useky;
    for (const QTextEdit::ExtraSelection& s : stare)
        pridej(useky, s.cursor.selectionStart(), std::min(s.cursor.selectionEnd(), zacatek),
               s.format.foreground().color(), false);
    prectiBloky(prvni, konec, paleta, useky);
    for (const QTextEdit::ExtraSelection& s : stare)
        pridej(useky, std::max(s.cursor.selectionStart(), konec), s.cursor.selectionEnd(),
               s.format.foreground().color(), false);

    QList<QTextEdit::ExtraSelection> nove;
    nove.reserve(static_cast<qsizetype>(useky.size()));
    for (const TUsek& usek : useky) {
        QTextEdit::ExtraSelection s;
        s.cursor = QTextCursor(dokument);
        s.cursor.setPosition(usek.Od);
        s.cursor.setPosition(usek.Po, QTextCursor::KeepAnchor);
        s.format.setForeground(usek.Barva);
        nove.append(s);
    }
    if (!nove.isEmpty() || prekryto_)
        editor_.setExtraSelections(nove);
    prekryto_ = !nove.isEmpty();
}
