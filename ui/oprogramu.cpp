// The about page: the splash, the options panel and the reactions to its boxes.
#include "oprogramu.h"

#include <QEvent>

#include "barvy.h"
#include "obsluha.h"
#include "ui_oprogramu.h"

namespace {

const QColor kKarta(255, 255, 255);
const QColor kStribrna(192, 192, 192);

} // namespace

TStrankaOProgramu::TStrankaOProgramu(TProstredi& prostredi, QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TStrankaOProgramu>()), prostredi_(prostredi)
{
    ui_->setupUi(this);
    nastavPisma();
    prostredi_.NastavVolby(Volby());
    PripojObsluhu(ui_->Otribunal, &QCheckBox::toggled, this, &TStrankaOProgramu::OdatadiskClick);
    PripojObsluhu(ui_->Obloodmoon, &QCheckBox::toggled, this, &TStrankaOProgramu::OdatadiskClick);
    PripojObsluhu(ui_->Olisit, &QCheckBox::toggled, this, &TStrankaOProgramu::OlisitClick);
    // No reaction of their own: their users read them when they act.
    for (QCheckBox* box : {ui_->Oprepnout, ui_->Obarvy})
        connect(box, &QCheckBox::toggled, this, [this] { prostredi_.NastavVolby(Volby()); });
}

TStrankaOProgramu::~TStrankaOProgramu() = default;

void TStrankaOProgramu::nastavPisma()
{
    QFont tucne(QStringLiteral("Arial"));
    tucne.setPixelSize(12);
    tucne.setBold(true);
    for (QWidget* popisek : {ui_->OL2, ui_->OL4, ui_->OL5, ui_->OL7})
        popisek->setFont(tucne);

    QFont nadpis = tucne;
    nadpis.setPixelSize(16);
    ui_->OL8->setFont(nadpis);

    QFont poznamka(QStringLiteral("Times New Roman"));
    poznamka.setPixelSize(9);
    ui_->OL9->setFont(poznamka);
    // The logo's card: white, its texts black, in any palette.
    QPalette karta = ui_->OlogoP->palette();
    karta.setColor(QPalette::Window, kKarta);
    karta.setColor(QPalette::WindowText, Qt::black);
    ui_->OlogoP->setPalette(karta);
    obarviPoznamku();
}

// Silver as designed on the default palette; elsewhere a grey that reads on
// the card.
void TStrankaOProgramu::obarviPoznamku()
{
    QPalette poznamka = ui_->OL9->palette();
    poznamka.setColor(QPalette::WindowText, BarvaTextu(palette(), kStribrna, QPalette::WindowText, kKarta));
    ui_->OL9->setPalette(poznamka);
}

void TStrankaOProgramu::changeEvent(QEvent* udalost)
{
    QWidget::changeEvent(udalost);
    if (udalost->type() == QEvent::PaletteChange)
        obarviPoznamku();
}

TVolby TStrankaOProgramu::Volby() const
{
    return TVolby{ui_->Otribunal->isChecked(), ui_->Obloodmoon->isChecked(), ui_->Olisit->isChecked(),
                  ui_->Oprepnout->isChecked(), ui_->Obarvy->isChecked()};
}

void TStrankaOProgramu::NastavVolby(const TVolby& volby)
{
    ui_->Otribunal->setChecked(volby.Tribunal);
    ui_->Obloodmoon->setChecked(volby.Bloodmoon);
    ui_->Olisit->setChecked(volby.Lisit);
    ui_->Oprepnout->setChecked(volby.Prepnout);
    ui_->Obarvy->setChecked(volby.Barvy);
}

void TStrankaOProgramu::UkazUvod()
{
    ui_->OlogoP->setGeometry(124, 88, 281, 97);
    ui_->OL1->hide();
    ui_->OL2->hide();
    ui_->Ovolby->hide();
}

void TStrankaOProgramu::DokonciUvod()
{
    ui_->OlogoP->setGeometry(12, 8, 281, 201);
    ui_->OL1->show();
    ui_->OL2->show();
    ui_->Ovolby->show();
}

// The pages refill their lists, one after another. A failure stops the
// refill where it happened and is reported once; the option stays as
// ticked, the pages before the failure show its lists and the others keep
// theirs, which stay valid because the catalogue never changes.
void TStrankaOProgramu::OdatadiskClick()
{
    ui_->Olisit->setEnabled(ui_->Otribunal->isChecked() || ui_->Obloodmoon->isChecked());
    prostredi_.NastavVolby(Volby());
}

// The pages show their names again, coloured or not; the lists keep their
// texts, and their colours follow at the next drawing.
void TStrankaOProgramu::OlisitClick()
{
    prostredi_.NastavVolby(Volby());
}
