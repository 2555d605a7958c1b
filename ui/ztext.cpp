#include "ztext.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "rtf_qt.h"

namespace {

bool chranenyFormat(const QTextCharFormat& format)
{
    return format.boolProperty(kVlastnostChranene);
}

// A pasted text of no format of its own: paragraphs split as Qt splits
// them, no object characters.
std::u32string ProstyVlozeny(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& znak : text) {
        if (znak == u'\r' || znak == QChar::ParagraphSeparator || znak == QChar(0xFDD0) || znak == QChar(0xFDD1))
            znak = u'\n';
    }
    text.remove(QChar::ObjectReplacementCharacter);
    std::u32string out;
    for (const char32_t c : text.toUcs4())
        out += c;
    return out;
}

} // namespace

TDokument VlozitelnyDokument(const QMimeData& zdroj, const QTextCharFormat& formatPsani, const QFont& vychozi)
{
    QTextDocumentFragment kus;
    if (zdroj.hasFormat(QStringLiteral("application/x-qrichtext"))) {
        kus = QTextDocumentFragment::fromHtml(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" />") +
                                              QString::fromUtf8(zdroj.data(QStringLiteral("application/x-qrichtext"))));
    } else if (zdroj.hasHtml()) {
        kus = QTextDocumentFragment::fromHtml(zdroj.html());
    } else {
        // Plain text takes the format of the typing position.
        TZnakovyFormat format = FormatZQt(formatPsani, vychozi);
        format.Chranene = false;
        return Normalizuj(TDokument{{TUsek{ProstyVlozeny(zdroj.text()), format}}});
    }
    // Sizes relative to the default font are those of the notebook's.
    QTextDocument pracovni;
    pracovni.setDefaultFont(vychozi);
    QTextCursor(&pracovni).insertFragment(kus);
    return DokumentZVlozeneho(pracovni);
}

QTextCharFormat FormatArial(const QColor& barva, int body, bool tucne, bool kurziva, bool podtrzene)
{
    TZnakovyFormat format;  // the face, character set and protection are the defaults
    format.PulBody = body * 2;
    format.Barva = barva.rgb() & 0xFFFFFF;
    format.Tucne = tucne;
    format.Kurziva = kurziva;
    format.Podtrzene = podtrzene;
    return FormatDoQt(format);
}

QTextCharFormat PismoArial()
{
    const QTextCharFormat uplny = FormatArial(Qt::black, 10);
    QTextCharFormat pismo;
    pismo.setFontFamilies(uplny.fontFamilies().toStringList());
    pismo.setProperty(kVlastnostZnakovaSada, uplny.property(kVlastnostZnakovaSada));
    return pismo;
}

namespace {

// Whether merging `pismo` would change this format.
bool chybiPismo(const QTextCharFormat& format, const QTextCharFormat& pismo)
{
    return format.property(QTextFormat::FontFamilies) != pismo.property(QTextFormat::FontFamilies) ||
           format.property(kVlastnostZnakovaSada) != pismo.property(kVlastnostZnakovaSada);
}

} // namespace

void DejPismoArial(QTextDocument& dokument, int od, int po)
{
    const QTextCharFormat pismo = PismoArial();
    QTextCursor kurzor(&dokument);
    int usekOd = -1;  // the start of the run that lacks the face, or -1
    const auto znak = [&](int pozice, bool chybi) {
        if (chybi && usekOd < 0) {
            usekOd = pozice;
        } else if (!chybi && usekOd >= 0) {
            kurzor.setPosition(usekOd);
            kurzor.setPosition(pozice, QTextCursor::KeepAnchor);
            kurzor.mergeCharFormat(pismo);
            usekOd = -1;
        }
    };
    for (QTextBlock blok = dokument.findBlock(od); blok.isValid() && blok.position() < po; blok = blok.next()) {
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            const int zacatek = std::max(od, kus.position());
            if (zacatek < std::min(po, kus.position() + kus.length()))
                znak(zacatek, chybiPismo(kus.charFormat(), pismo));
        }
        // The paragraph end carries the character format of the block after it.
        const int konec = blok.position() + blok.length() - 1;
        const QTextBlock dalsi = blok.next();
        if (konec >= od && konec < po)
            znak(konec, dalsi.isValid() && chybiPismo(dalsi.charFormat(), pismo));
    }
    znak(po, false);
}

TZapisnik::TZapisnik(QWidget* rodic) : QTextEdit(rodic)
{
    // Lines never wrap, yet the page has the view's width (see
    // PrizpusobStranku): with no page width at all, Qt takes every line for
    // too wide and lays it out three times over, which is most of the time a
    // long entry takes. A fixed width also spares a new layout of the whole
    // text whenever the view changes size.
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    setAcceptRichText(true);
    // The selection stays visible while another control has the focus.
    QPalette paleta = palette();
    paleta.setColor(QPalette::Inactive, QPalette::Highlight, paleta.color(QPalette::Active, QPalette::Highlight));
    paleta.setColor(QPalette::Inactive, QPalette::HighlightedText,
                    paleta.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(paleta);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TZapisnik::odeberChraneniZPsani);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int od, int, int) { nezmenenoDo_ = std::min(nezmenenoDo_, od); });
}

void TZapisnik::PrizpusobStranku()
{
    ensurePolished();
    const int sirka = maximumViewportSize().width();
    if (sirka != lineWrapColumnOrWidth())
        setLineWrapColumnOrWidth(sirka);
}

void TZapisnik::resizeEvent(QResizeEvent* udalost)
{
    QTextEdit::resizeEvent(udalost);
    PrizpusobStranku();
}

void TZapisnik::OznacNezmenene()
{
    nezmenenoDo_ = document()->characterCount();
}

bool TZapisnik::DotykaSeChranenych(int od, int po) const
{
    const QTextDocument* dokument = document();
    const int konec = dokument->characterCount();
    if (od >= po)
        po = od + 1;  // an insertion pushes the character at od
    od = std::max(0, od);
    po = std::min(po, konec);
    for (QTextBlock blok = dokument->findBlock(od); blok.isValid() && blok.position() < po; blok = blok.next()) {
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            if (kus.position() < po && kus.position() + kus.length() > od && chranenyFormat(kus.charFormat()))
                return true;
        }
        // A paragraph end carries the character format of the block after it.
        const int konecBloku = blok.position() + blok.length() - 1;
        const QTextBlock dalsi = blok.next();
        if (konecBloku >= od && konecBloku < po && dalsi.isValid() && chranenyFormat(dalsi.charFormat()))
            return true;
    }
    return false;
}

bool TZapisnik::SmiZmenit(int od, int po) const
{
    if (!DotykaSeChranenych(od, po))
        return true;
    return dotaz_ && dotaz_(od, po);
}

bool TZapisnik::SmiZmenitVyber() const
{
    const QTextCursor kurzor = textCursor();
    return SmiZmenit(kurzor.selectionStart(), kurzor.selectionEnd());
}

void TZapisnik::NastavChranene(int od, int po, bool chranene)
{
    QTextCursor kurzor(document());
    kurzor.setPosition(od);
    kurzor.setPosition(po, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setProperty(kVlastnostChranene, chranene);
    kurzor.mergeCharFormat(format);
}

void TZapisnik::odeberChraneniZPsani()
{
    // With a selection the format would be applied to the selected text.
    if (textCursor().hasSelection())
        return;
    QTextCharFormat format = currentCharFormat();
    if (chranenyFormat(format)) {
        format.setProperty(kVlastnostChranene, false);
        setCurrentCharFormat(format);
    }
}

bool TZapisnik::rozsahKlavesy(QKeyEvent* udalost, int& od, int& po) const
{
    const QTextCursor kurzor = textCursor();
    od = kurzor.selectionStart();
    po = kurzor.selectionEnd();
    const bool vyber = kurzor.hasSelection();
    const auto mazani = [&](QTextCursor::MoveOperation pohyb) {
        if (vyber)
            return true;
        QTextCursor posun = kurzor;
        posun.movePosition(pohyb, QTextCursor::KeepAnchor);
        od = posun.selectionStart();
        po = posun.selectionEnd();
        return od != po;
    };
    if (udalost->matches(QKeySequence::Cut) || udalost->matches(QKeySequence::Paste))
        return true;
    if (udalost->matches(QKeySequence::DeleteStartOfWord))
        return mazani(QTextCursor::PreviousWord);
    if (udalost->matches(QKeySequence::DeleteEndOfWord))
        return mazani(QTextCursor::NextWord);
    if (udalost->matches(QKeySequence::DeleteEndOfLine))
        return mazani(QTextCursor::EndOfBlock);
    if (udalost->matches(QKeySequence::DeleteCompleteLine)) {
        QTextCursor radek = kurzor;
        radek.movePosition(QTextCursor::StartOfBlock);
        radek.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        od = std::min(od, radek.selectionStart());
        po = std::max(po, radek.selectionEnd());
        return true;
    }
    if (udalost->key() == Qt::Key_Backspace)
        return mazani(QTextCursor::PreviousCharacter);
    if (udalost->key() == Qt::Key_Delete)
        return mazani(QTextCursor::NextCharacter);
    if (udalost->key() == Qt::Key_Return || udalost->key() == Qt::Key_Enter || udalost->key() == Qt::Key_Tab)
        return true;
    const QString text = udalost->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(udalost->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

void TZapisnik::keyPressEvent(QKeyEvent* udalost)
{
    if (udalost->matches(QKeySequence::Undo) || udalost->matches(QKeySequence::Redo)) {
        strezUndoRedo(udalost->matches(QKeySequence::Undo));
        udalost->accept();
        return;
    }
    int od = 0;
    int po = 0;
    if (!isReadOnly() && rozsahKlavesy(udalost, od, po) && !SmiZmenit(od, po)) {
        udalost->accept();
        return;
    }
    odeberChraneniZPsani();
    const QString text = udalost->text();
    const bool pisePresVyber = textCursor().hasSelection() && !text.isEmpty() && text.at(0).isPrint() &&
                               !(udalost->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    const int predtim = textCursor().selectionStart();
    QTextEdit::keyPressEvent(udalost);
    // Text typed over a selection takes the format of the text before it,
    // which may be the protected header's.
    const int potom = textCursor().position();
    if (pisePresVyber && potom > predtim && DotykaSeChranenych(predtim, potom))
        NastavChranene(predtim, potom, false);
}

void TZapisnik::inputMethodEvent(QInputMethodEvent* udalost)
{
    const QTextCursor kurzor = textCursor();
    const bool meni = !udalost->commitString().isEmpty() || !udalost->preeditString().isEmpty() ||
                      udalost->replacementLength() > 0 || kurzor.hasSelection();
    if (meni && !isReadOnly()) {
        const int od = kurzor.selectionStart() + std::min(0, udalost->replacementStart());
        const int po = std::max(kurzor.selectionEnd(), kurzor.position() + udalost->replacementStart() +
                                                            udalost->replacementLength());
        if (!SmiZmenit(od, po)) {
            udalost->accept();
            return;
        }
    }
    odeberChraneniZPsani();
    QTextEdit::inputMethodEvent(udalost);
}

bool TZapisnik::canInsertFromMimeData(const QMimeData* zdroj) const
{
    return SmiZmenitVyber() && QTextEdit::canInsertFromMimeData(zdroj);
}

// Every paste and drop ends here, whatever started it. What goes in is
// what the notebook can keep, so that it looks after a save or a black
// print exactly as it did right after the paste.
void TZapisnik::insertFromMimeData(const QMimeData* zdroj)
{
    // Data with nothing to insert (an image alone) leave the text as it is.
    if (zdroj == nullptr || !QTextEdit::canInsertFromMimeData(zdroj) || !SmiZmenitVyber())
        return;
    QTextCursor kurzor = textCursor();
    const TDokument vlozeny = VlozitelnyDokument(*zdroj, kurzor.charFormat(), document()->defaultFont());
    kurzor.beginEditBlock();
    kurzor.removeSelectedText();
    VlozDokument(kurzor, vlozeny);
    kurzor.endEditBlock();
    setTextCursor(kurzor);
    ensureCursorVisible();
}

void TZapisnik::mousePressEvent(QMouseEvent* udalost)
{
    // A drag that starts in a selection holding protected text could move
    // that text away; such a press only places the caret.
    const QTextCursor kurzor = textCursor();
    const int misto = cursorForPosition(udalost->position().toPoint()).position();
    tahZChranenych_ = kurzor.hasSelection() && misto >= kurzor.selectionStart() && misto <= kurzor.selectionEnd() &&
                      !SmiZmenitVyber();
    QTextEdit::mousePressEvent(udalost);
}

void TZapisnik::mouseMoveEvent(QMouseEvent* udalost)
{
    if (tahZChranenych_ && (udalost->buttons() & Qt::LeftButton))
        return;
    QTextEdit::mouseMoveEvent(udalost);
}

void TZapisnik::mouseReleaseEvent(QMouseEvent* udalost)
{
    tahZChranenych_ = false;
    QTextEdit::mouseReleaseEvent(udalost);
}

void TZapisnik::dragMoveEvent(QDragMoveEvent* udalost)
{
    const int misto = cursorForPosition(udalost->position().toPoint()).position();
    if (!SmiZmenit(misto, misto)) {
        udalost->ignore();
        return;
    }
    QTextEdit::dragMoveEvent(udalost);
}

void TZapisnik::dropEvent(QDropEvent* udalost)
{
    const int misto = cursorForPosition(udalost->position().toPoint()).position();
    const bool presun = udalost->source() == this && udalost->dropAction() == Qt::MoveAction;
    if (!SmiZmenit(misto, misto) || (presun && !SmiZmenitVyber())) {
        udalost->ignore();
        return;
    }
    QTextEdit::dropEvent(udalost);
}

void TZapisnik::strezUndoRedo(bool undo)
{
    // The protected header never enters the undo history, so a step can only
    // reach protected text that the page protected later; such a step is
    // allowed only with the page's permission.
    if (isReadOnly())
        return;
    QTextDocument* dokument = document();
    int zmenaOd = -1;
    int zmenaPo = -1;
    const auto spojeni = connect(dokument, &QTextDocument::contentsChange, this, [&](int od, int ubrano, int pridano) {
        zmenaOd = zmenaOd < 0 ? od : std::min(zmenaOd, od);
        zmenaPo = std::max(zmenaPo, od + std::max(ubrano, pridano));
    });
    undo ? dokument->undo() : dokument->redo();
    disconnect(spojeni);
    if (zmenaOd >= 0 && DotykaSeChranenych(zmenaOd, zmenaPo) && !SmiZmenit(zmenaOd, zmenaPo))
        undo ? dokument->redo() : dokument->undo();
}

void TZapisnik::vyjmiStrezene()
{
    if (SmiZmenitVyber())
        cut();
}

void TZapisnik::odstranStrezene()
{
    if (SmiZmenitVyber())
        textCursor().removeSelectedText();
}

void TZapisnik::contextMenuEvent(QContextMenuEvent* udalost)
{
    QMenu* nabidka = createStandardContextMenu(udalost->pos());
    // The menu's editing actions go through the same question as the keys.
    for (QAction* akce : nabidka->actions()) {
        const QString jmeno = akce->objectName();
        const auto presmeruj = [&](auto cil) {
            disconnect(akce, &QAction::triggered, nullptr, nullptr);
            connect(akce, &QAction::triggered, this, cil);
        };
        if (jmeno == QLatin1String("edit-undo"))
            presmeruj([this] { strezUndoRedo(true); });
        else if (jmeno == QLatin1String("edit-redo"))
            presmeruj([this] { strezUndoRedo(false); });
        else if (jmeno == QLatin1String("edit-cut"))
            presmeruj([this] { vyjmiStrezene(); });
        else if (jmeno == QLatin1String("edit-delete"))
            presmeruj([this] { odstranStrezene(); });
    }
    nabidka->setAttribute(Qt::WA_DeleteOnClose);
    nabidka->popup(udalost->globalPos());
}
