// The "zapsat" buttons: each writes what its page shows at the moment of the
// click into the notebook as one formatted entry.
#include <algorithm>

#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

#include "aplikace.h"
#include "mainu.h"
#include "prostredi.h"
#include "ovladace.h"
#include "rtf_qt.h"
#include "seznamy.h"
#include "text.h"
#include "ui_mainu.h"
#include "ztext.h"

namespace {

const QString kTab = QStringLiteral("\t");
const QString kDvaTaby = QStringLiteral("\t\t");
constexpr int kDelkaPrefixuPoznamky = 10;  // "Poznámka: "

} // namespace

void TMF::pripravZapisy()
{
    connect(ui_->TZprisada, &QPushButton::clicked, this, &TMF::TZprisadaClick);
    connect(ui_->TZlektvar, &QPushButton::clicked, this, &TMF::TZlektvarClick);
    connect(ui_->TZefekt, &QPushButton::clicked, this, &TMF::TZefektClick);
    connect(ui_->VZlist, &QPushButton::clicked, this, &TMF::VZlistClick);
}

void TMF::zapisPolozku(const QString& nadpis, const QColor& barvaNadpisu, const QStringList& radky,
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
    if (prostredi_->Volby().Prepnout)
        ui_->Pages->setCurrentIndex(2);
}

void TMF::TZprisadaClick()
try {
    QString nadpis = QStringLiteral("Přísada ") + ui_->TpJmeno->text();
    if (prostredi_->Volby().Lisit)
        nadpis += ui_->TpDatadisky->text();
    QStringList radky;
    const QString poznamka = ui_->TpPopisPS->Text()->text().mid(kDelkaPrefixuPoznamky);
    if (!poznamka.isEmpty())
        radky << kTab + poznamka;
    radky << kTab + QStringLiteral("Efekty:") + kTab + TpEfekty_[0]->text();
    for (std::size_t k = 1; k < 4; ++k)
        if (!TpEfekty_[k]->text().isEmpty())
            radky << kDvaTaby + TpEfekty_[k]->text();
    zapisPolozku(nadpis, QColor(0, 128, 0), radky, poznamka.isEmpty() ? -1 : 0);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::TZlektvarClick()
try {
    QString nadpis = QStringLiteral("Lektvar");
    if (!ui_->TlJmeno->text().isEmpty())
        nadpis += QLatin1Char(' ') + ui_->TlJmeno->text();
    if (prostredi_->Volby().Lisit)
        nadpis += ui_->TlDatadisky->text();
    QStringList radky;
    radky << kTab + QStringLiteral("Přísady:") + kTab + TlPrisady_[0]->text();
    for (std::size_t k = 1; k < 4; ++k)
        if (!TlPrisady_[k]->text().isEmpty())
            radky << kDvaTaby + TlPrisady_[k]->text();
    const QString prvni = TlEfekty_[0]->text();
    if (prvni != TextZadne())
        radky << kTab + QStringLiteral("Efekty:") + kTab + prvni + QStringLiteral(" [") + TlEfektyZP_[0]->text() +
                     QLatin1Char(']');
    else
        radky << kTab + QStringLiteral("Efekty:") + kTab + TextZadne();
    for (std::size_t k = 1; k < 4; ++k)
        if (!TlEfekty_[k]->text().isEmpty())
            radky << kDvaTaby + TlEfekty_[k]->text() + QStringLiteral(" [") + TlEfektyZP_[k]->text() +
                         QLatin1Char(']');
    zapisPolozku(nadpis, QColor(255, 0, 255), radky);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::TZefektClick()
try {
    const int efekt = ui_->Tefekty->currentRow();
    const QString nadpis = QStringLiteral("Přísady s efektem ") + (efekt >= 0 ? ui_->Tefekty->Text(efekt) : QString());
    const bool znacky = prostredi_->Volby().Lisit;
    QStringList radky;
    for (int i = 0; i < ui_->Tprisady->count(); ++i) {
        // The mark moves behind the name, or goes.
        const auto [znacka, jmeno] = RozdelZnacku(ui_->Tprisady->Text(i));
        radky << kTab + (znacky && !znacka.isEmpty() ? jmeno + QLatin1Char(' ') + znacka : jmeno);
    }
    zapisPolozku(nadpis, QColor(128, 128, 0), radky);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::VZlistClick()
try {
    const bool znacky = prostredi_->Volby().Lisit;
    QStringList radky;
    for (int i = 0; i < ui_->Vlist->count(); ++i) {
        const QString text = ui_->Vlist->Text(i);
        radky << kTab + (znacky ? text : BezZnacky(text));
    }
    zapisPolozku(ui_->VL1->text(), QColor(0, 128, 128), radky);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}
