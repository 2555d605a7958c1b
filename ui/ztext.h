// The notebook's editor: rich text whose protected characters change only
// with the page's permission. Every way a user can change text passes the
// question to the page first.
#pragma once

#include <QTextEdit>
#include <functional>

#include "rtf.h"

class QMimeData;
class QTextDocument;

// The format of the notebook's own texts (header, entries, typing): Arial
// of the Western character set, unprotected, with these attributes.
QTextCharFormat FormatArial(const QColor& barva, int body, bool tucne = false, bool kurziva = false,
                            bool podtrzene = false);
// Only the face of that format, for setting it over text of other sizes.
QTextCharFormat PismoArial();
// Gives the characters of [od, po) that lack it the face of PismoArial; the
// result is that of merging it over the whole range, but text that has the
// face already is left alone, so a long notebook is not laid out again.
void DejPismoArial(QTextDocument& dokument, int od, int po);

// What a paste or drop of this data puts into the notebook: the text and
// the character formats the notebook keeps (rtf_qt.h, DokumentZVlozeneho);
// plain text in the format of the typing position. `vychozi` is the
// notebook's default font, which relative sizes scale.
TDokument VlozitelnyDokument(const QMimeData& zdroj, const QTextCharFormat& formatPsani, const QFont& vychozi);

class TZapisnik : public QTextEdit {
    Q_OBJECT
public:
    explicit TZapisnik(QWidget* rodic = nullptr);

    // Asked before a change of [od, do) that touches protected characters;
    // the change happens only when it answers true.
    using TDotaz = std::function<bool(int od, int po)>;
    void NastavDotaz(TDotaz dotaz) { dotaz_ = std::move(dotaz); }

    // True when [od, po) holds a protected character; for an empty range,
    // when the character at od (which an insertion would push on) is.
    bool DotykaSeChranenych(int od, int po) const;
    // Whether a change of [od, po) may happen: the range holds nothing
    // protected, or the page allows it.
    bool SmiZmenit(int od, int po) const;
    bool SmiZmenitVyber() const;

    // Sets or clears the protected flag of every character in [od, po).
    void NastavChranene(int od, int po, bool chranene);

    // The text before NezmenenoDo() is as it was at the last call of
    // OznacNezmenene(): every change since then began at or after it.
    int NezmenenoDo() const { return nezmenenoDo_; }
    void OznacNezmenene();

    // Makes the page as wide as the view. The view may still be hidden:
    // called once its size is set, the text is laid out for that width
    // already and showing it lays nothing out again.
    void PrizpusobStranku();

protected:
    void keyPressEvent(QKeyEvent* udalost) override;
    void inputMethodEvent(QInputMethodEvent* udalost) override;
    void insertFromMimeData(const QMimeData* zdroj) override;
    bool canInsertFromMimeData(const QMimeData* zdroj) const override;
    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseMoveEvent(QMouseEvent* udalost) override;
    void mouseReleaseEvent(QMouseEvent* udalost) override;
    void dragMoveEvent(QDragMoveEvent* udalost) override;
    void dropEvent(QDropEvent* udalost) override;
    void contextMenuEvent(QContextMenuEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;

private:
    // The range that a key would change, or false for a key that changes nothing.
    bool rozsahKlavesy(QKeyEvent* udalost, int& od, int& po) const;
    void strezUndoRedo(bool undo);
    void vyjmiStrezene();
    void odstranStrezene();
    // Typing never carries the protected flag on from the text before it.
    void odeberChraneniZPsani();

    TDotaz dotaz_;
    int nezmenenoDo_ = 0;
    bool tahZChranenych_ = false;
};
