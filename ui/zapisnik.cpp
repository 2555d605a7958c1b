// The notebook page: the protected header, the style controls that follow
// the selection, and saving as rich text or plain text (printing is in
// zapisnik_tisk.cpp, the entries in zapisy.cpp).
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <unordered_set>

#include "zapisnik.h"

#include <stdexcept>
#include <string>

#include "aplikace.h"
#include "barvy_zapisniku.h"
#include "chyby.h"
#include "obsluha.h"
#include "ovladace.h"
#include "rtf.h"
#include "rtf_qt.h"
#include "soubory.h"
#include "text.h"
#include "tisk.h"
#include "ui_zapisnik.h"
#include "ztext.h"

namespace {

const QColor kNavy(0, 0, 128);
const QString kTypRtf = QStringLiteral("RichText (*.rtf)");
const QString kTypTxt = QStringLiteral("Textový soubor (*.txt)");

// The attributes shared by every character of the selection.
struct TSouhrnVyberu {
    QTextCharFormat Format;
    bool Tucne = true, Kurziva = true, Podtrzene = true, Chranene = true, Velikost = true, Barva = true;
};

bool tucny(const QTextCharFormat& f)
{
    return f.fontWeight() >= QFont::DemiBold;
}

QColor barvaZnaku(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
}

TSouhrnVyberu souhrnVyberu(const QTextEdit& editor)
{
    TSouhrnVyberu souhrn;
    const QTextCursor kurzor = editor.textCursor();
    souhrn.Format = editor.currentCharFormat();
    if (!kurzor.hasSelection())
        return souhrn;
    const int od = kurzor.selectionStart();
    const int po = kurzor.selectionEnd();
    const QFont vychozi = editor.document()->defaultFont();
    bool prvni = true;
    // A long selection has many fragments of few formats: each format is
    // compared once. Positions are counted along, since asking a block or a
    // fragment for its position searches the document.
    std::unordered_set<int> porovnane;
    QTextBlock blok = editor.document()->findBlock(od);
    for (int zacatekBloku = blok.position(); blok.isValid() && zacatekBloku < po;
         zacatekBloku += blok.length(), blok = blok.next()) {
        int zacatekKusu = zacatekBloku;  // a block's fragments follow each other
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            const int konecKusu = zacatekKusu + kus.length();
            const bool mimo = zacatekKusu >= po || konecKusu <= od;
            zacatekKusu = konecKusu;
            if (mimo || !porovnane.insert(kus.charFormatIndex()).second)
                continue;
            const QTextCharFormat f = kus.charFormat();
            if (prvni) {
                souhrn.Format = f;
                prvni = false;
                continue;
            }
            const QTextCharFormat& g = souhrn.Format;
            souhrn.Tucne = souhrn.Tucne && tucny(f) == tucny(g);
            souhrn.Kurziva = souhrn.Kurziva && f.fontItalic() == g.fontItalic();
            souhrn.Podtrzene = souhrn.Podtrzene && f.fontUnderline() == g.fontUnderline();
            souhrn.Chranene = souhrn.Chranene && f.boolProperty(kVlastnostChranene) == g.boolProperty(kVlastnostChranene);
            souhrn.Velikost = souhrn.Velikost && BodyZnaku(f, vychozi) == BodyZnaku(g, vychozi);
            souhrn.Barva = souhrn.Barva && barvaZnaku(f) == barvaZnaku(g);
        }
    }
    return souhrn;
}

void nastavBox(QCheckBox* box, bool jednotne, bool hodnota)
{
    box->setCheckState(!jednotne ? Qt::PartiallyChecked : hodnota ? Qt::Checked : Qt::Unchecked);
}

// The digits or entry text of a control in the normal or the grey colour.
void nastavSedyText(QWidget* ovladac, bool sedy)
{
    QPalette paleta = ovladac->palette();
    const QColor barva = QApplication::palette().color(sedy ? QPalette::Disabled : QPalette::Active,
                                                        QPalette::ButtonText);
    paleta.setColor(QPalette::Text, barva);
    paleta.setColor(QPalette::ButtonText, barva);
    ovladac->setPalette(paleta);
}

std::string prostyText(const QTextDocument& dokument)
{
    std::string text;
    for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) {
        if (blok != dokument.begin())
            text += "\r\n";
        // Composed first, so that a letter written as a base letter and
        // accents gets its byte where the code page has the letter.
        QString radky = blok.text().normalized(QString::NormalizationForm_C);
        radky.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        text += DoCp1250(radky);
    }
    return text;
}

} // namespace

TStrankaZapisniku::TStrankaZapisniku(TProstredi& prostredi, QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TStrankaZapisniku>()), prostredi_(prostredi)
{
    ui_->setupUi(this);
    nastavPisma();
    TZapisnik* editor = ui_->Ztext;
    QFont vychozi(QStringLiteral("Arial"));
    vychozi.setPointSize(10);
    // Latin text needs no OpenType shaping (scripts that do still get it):
    // laying out a long entry then costs a third less.
    vychozi.setStyleStrategy(QFont::PreferNoShaping);
    editor->document()->setDefaultFont(vychozi);
    editor->PrizpusobStranku();
    editor->setCurrentCharFormat(FormatArial(Qt::black, 10));
    editor->NastavDotaz([this](int od, int po) { return ZtextProtectChange(od, po); });
    new TBarvyZapisniku(*editor);
    editor->verticalScrollBar()->setAccessibleName(QStringLiteral("Posun zápisníčku svisle"));
    editor->horizontalScrollBar()->setAccessibleName(QStringLiteral("Posun zápisníčku vodorovně"));
    ui_->Zsize->findChild<QLineEdit*>()->setReadOnly(true);

    PripojObsluhu(editor, &QTextEdit::selectionChanged, this, &TStrankaZapisniku::ZtextSelectionChange);
    PripojObsluhu(editor, &QTextEdit::cursorPositionChanged, this, &TStrankaZapisniku::ZtextSelectionChange);
    for (QCheckBox* box : {static_cast<QCheckBox*>(ui_->Zbold), static_cast<QCheckBox*>(ui_->Zitalic),
                           static_cast<QCheckBox*>(ui_->Zunderline)})
        PripojObsluhu(box, &QCheckBox::clicked, this, &TStrankaZapisniku::ZstylClick);
    PripojObsluhu(ui_->Zprotected, &QCheckBox::clicked, this, &TStrankaZapisniku::ZprotectedClick);
    PripojObsluhu(ui_->Zsize, &QSpinBox::valueChanged, this, &TStrankaZapisniku::ZsizeChange);
    PripojObsluhu(ui_->Zcolor, &QComboBox::activated, this, &TStrankaZapisniku::ZcolorChange);
    PripojObsluhu(ui_->Zsave, &QPushButton::clicked, this, &TStrankaZapisniku::ZsaveClick);
    PripojObsluhu(ui_->Zprint, &QPushButton::clicked, this, &TStrankaZapisniku::ZprintClick);
    // The keys of the two buttons, wherever the focus stands while the page
    // is shown; the editor types neither.
    PripojObsluhu(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
                  &TStrankaZapisniku::ZsaveClick);
    PripojObsluhu(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
                  &TStrankaZapisniku::ZprintClick);
}

TStrankaZapisniku::~TStrankaZapisniku() = default;

// Each style box's caption carries the one style it stands for.
void TStrankaZapisniku::nastavPisma()
{
    QFont styl = font();
    styl.setBold(true);
    ui_->Zbold->setFont(styl);
    styl.setBold(false);
    styl.setItalic(true);
    ui_->Zitalic->setFont(styl);
    styl.setItalic(false);
    styl.setUnderline(true);
    ui_->Zunderline->setFont(styl);
}

void TStrankaZapisniku::PridejRadekZapisniku(const QString& text, const QTextCharFormat& format)
{
    QTextCursor kurzor(ui_->Ztext->document());
    kurzor.movePosition(QTextCursor::End);
    // Text typed on the last line without a line end stays whole.
    if (!kurzor.block().text().isEmpty())
        kurzor.insertBlock(QTextBlockFormat(), format);
    kurzor.insertText(text, format);
    kurzor.insertBlock(QTextBlockFormat(), format);
}

void TStrankaZapisniku::FormShowZapisnik()
{
    TZapisnik* editor = ui_->Ztext;
    editor->clear();
    PridejRadekZapisniku(QStringLiteral("    Mixorův  zápisníček    "), FormatArial(kNavy, 20, true, false, true));
    PridejRadekZapisniku(QStringLiteral("  Mixorův průvodce 2\t\t\tvelmarin soft"), FormatArial(kNavy, 11));
    PridejRadekZapisniku(QString(), FormatArial(kNavy, 11));
    QTextDocument* dokument = editor->document();
    ZacatekUzivatelske = dokument->findBlockByNumber(2).position();
    editor->NastavChranene(0, ZacatekUzivatelske, true);
    editor->moveCursor(QTextCursor::End);
    editor->setCurrentCharFormat(FormatArial(Qt::black, 10));
    // No undo step may reach the header, and the header alone is nothing to save.
    dokument->clearUndoRedoStacks();
    dokument->setModified(false);
    ZtextSelectionChange();
}

bool TStrankaZapisniku::NeulozeneZmeny() const
{
    return ui_->Ztext->document()->isModified();
}

// The controls' normal and grey texts are the palette's.
void TStrankaZapisniku::changeEvent(QEvent* udalost)
{
    QWidget::changeEvent(udalost);
    if (udalost->type() == QEvent::PaletteChange)
        ZtextSelectionChange();
}

bool TStrankaZapisniku::ZtextProtectChange(int od, int po)
{
    Q_UNUSED(od);
    Q_UNUSED(po);
    return ui_->Ztext->isReadOnly();
}

void TStrankaZapisniku::ZtextSelectionChange()
{
    const TSouhrnVyberu souhrn = souhrnVyberu(*ui_->Ztext);
    const QTextCharFormat& f = souhrn.Format;
    aktualizujiStyl_ = true;
    const TObnova ztlumeni([this] { aktualizujiStyl_ = false; });
    nastavBox(ui_->Zbold, souhrn.Tucne, tucny(f));
    nastavBox(ui_->Zitalic, souhrn.Kurziva, f.fontItalic());
    nastavBox(ui_->Zunderline, souhrn.Podtrzene, f.fontUnderline());
    nastavBox(ui_->Zprotected, souhrn.Chranene, f.boolProperty(kVlastnostChranene));
    // The size the text is shown in, however its format gives it.
    const int velikost = qRound(BodyZnaku(f, ui_->Ztext->document()->defaultFont()));
    ui_->Zsize->setValue(souhrn.Velikost ? std::clamp(velikost, 6, 20) : 10);
    nastavSedyText(ui_->Zsize, !souhrn.Velikost);
    ui_->Zcolor->setCurrentIndex(souhrn.Barva ? ui_->Zcolor->IndexBarvy(barvaZnaku(f)) : -1);
    nastavSedyText(ui_->Zcolor, !souhrn.Barva);
}

// Applies a format to the selection, or to the typing position, when the
// protected text allows it; a refused change only shows the selection again.
void TStrankaZapisniku::zmenFormatVyberu(const QTextCharFormat& format)
{
    if (!ui_->Ztext->SmiZmenitVyber()) {
        ZtextSelectionChange();
        return;
    }
    ui_->Ztext->mergeCurrentCharFormat(format);
    ZtextSelectionChange();
}

void TStrankaZapisniku::ZstylClick()
{
    const auto* box = qobject_cast<const QCheckBox*>(sender());
    if (aktualizujiStyl_ || box == nullptr || box->checkState() == Qt::PartiallyChecked)
        return;
    const bool zapnout = box->checkState() == Qt::Checked;
    const QFont styl = box->font();
    QTextCharFormat format;
    if (styl.bold())
        format.setFontWeight(zapnout ? QFont::Bold : QFont::Normal);
    if (styl.italic())
        format.setFontItalic(zapnout);
    if (styl.underline())
        format.setFontUnderline(zapnout);
    zmenFormatVyberu(format);
}

void TStrankaZapisniku::ZsizeChange()
{
    if (aktualizujiStyl_)
        return;
    QTextCharFormat format;
    format.setFontPointSize(ui_->Zsize->value());
    nastavSedyText(ui_->Zsize, false);
    zmenFormatVyberu(format);
}

void TStrankaZapisniku::ZcolorChange()
{
    if (aktualizujiStyl_ || ui_->Zcolor->currentIndex() < 0)
        return;
    QTextCharFormat format;
    format.setForeground(ui_->Zcolor->Barva(ui_->Zcolor->currentIndex()));
    nastavSedyText(ui_->Zcolor, false);
    zmenFormatVyberu(format);
}

void TStrankaZapisniku::ZprotectedClick()
{
    TZapisnik* editor = ui_->Ztext;
    editor->setReadOnly(true);
    const TObnova zapisovatelny([editor] { editor->setReadOnly(false); });
    if (ui_->Zprotected->checkState() != Qt::PartiallyChecked) {
        QTextCharFormat format;
        format.setProperty(kVlastnostChranene, ui_->Zprotected->checkState() == Qt::Checked);
        editor->mergeCurrentCharFormat(format);
    }
}

void TStrankaZapisniku::DialogTypeChange(const QString& typ)
{
    if (auto* dialog = qobject_cast<QFileDialog*>(sender()))
        dialog->setDefaultSuffix(typ == kTypTxt ? QStringLiteral("txt") : QStringLiteral("rtf"));
}

void TStrankaZapisniku::ZsaveClick()
{
    // The player's folder, where the program runs, until a save went elsewhere:
    // the program's own folder is rarely one the player can write to.
    QFileDialog dialog(this, QStringLiteral("Uložit zápisníček do souboru"),
                       slozkaUlozeni_.isEmpty() ? QDir::currentPath() : slozkaUlozeni_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({kTypRtf, kTypTxt});
    dialog.selectNameFilter(kTypRtf);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    PripojObsluhu(&dialog, &QFileDialog::filterSelected, this, &TStrankaZapisniku::DialogTypeChange);
    TAplikace* aplikace = TAplikace::Instance();
    if (!aplikace->UkazDialog(dialog) || dialog.selectedFiles().isEmpty())
        return;

    QString jmeno = dialog.selectedFiles().first();
    if (!QFileInfo(jmeno).fileName().contains(QLatin1Char('.')))
        jmeno += QLatin1Char('.') + dialog.defaultSuffix();
    const bool prosty = dialog.selectedNameFilter() == kTypTxt;
    // Replacing a file chosen by a slip of the mouse would destroy it: ask.
    if (QFileInfo::exists(jmeno) &&
        !aplikace->Otazka(QStringLiteral("Uložit zápisníček do souboru"),
                          QStringLiteral("Soubor %1 již existuje. Chcete jej nahradit?").arg(jmeno)))
        return;
    const QTextDocument& dokument = *ui_->Ztext->document();
    try {
        ZapisSouborAtomicky(jmeno.toStdString(), prosty ? prostyText(dokument) : ZapisRtf(DokumentZTextu(dokument)));
        slozkaUlozeni_ = QFileInfo(jmeno).absolutePath();
        ui_->Ztext->document()->setModified(false);
    } catch (const std::exception& chyba) {
        throw std::runtime_error(std::string("Zápisníček nebyl uložen. ") + chyba.what());
    }
}
