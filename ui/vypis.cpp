// The potion-listing page: every two-ingredient potion of an effect or of an
// ingredient, and the way from a found potion to the designer.
#include <QPushButton>

#include "aplikace.h"
#include "hledani.h"
#include "nalezene.h"
#include "mainu.h"
#include "prostredi.h"
#include "seznamy.h"
#include "text.h"
#include "ui_mainu.h"

namespace {

// The heading label grows with its text, up to the "zapsat" button.
void nastavNadpis(QLabel* nadpis, const QString& text, int pravyOkraj)
{
    nadpis->setText(text);
    nadpis->adjustSize();
    const int nejvic = pravyOkraj - nadpis->x() - 4;
    if (nadpis->width() > nejvic)
        nadpis->resize(nejvic, nadpis->height());
}

} // namespace

void TMF::pripravVypis()
{
    connect(ui_->Vvyber1, &QRadioButton::toggled, this, &TMF::HomezeniXclick);
    connect(ui_->VvyberList, &TListBox::Klik, this, &TMF::VvyberListClick);
    connect(ui_->VvyberList, &TListBox::DvojKlik, this, &TMF::VvyberListDblClick);
    connect(ui_->VvyberJenom, &QCheckBox::clicked, this, &TMF::VvyberJenomClick);
    connect(ui_->Vlist, &TListBox::DvojKlik, this, &TMF::VlistDblClick);
    connect(ui_->VZlist, &QPushButton::clicked, this, &TMF::VZlistClick);
}

bool TMF::rezimEfektu() const
{
    return ui_->Vvyber1->isChecked();
}

void TMF::HomezeniXclick()
try {
    TListBox* vyber = ui_->VvyberList;
    vyber->setUpdatesEnabled(false);
    if (rezimEfektu()) {
        std::vector<TEfekt*> efekty;
        for (TEfekt* efekt : prostredi_->Seznam.Efekty)
            if (prostredi_->EfektZarazen(*efekt))
                efekty.push_back(efekt);
        vyber->NastavRadky<TEfekt*>(std::move(efekty), TextEfektu);
        SeradPolozky(vyber);
        // As after a refill of the effect list: the potion's name comes back.
        if (!prostredi_->Seznam.Efekty.empty())
            ZobrazLektvar();
    } else {
        prostredi_->NaplnPrisady(vyber, prostredi_->Seznam.Prisady);
    }
    vyber->VyberRadek(vyber->count() > 0 ? 0 : -1);
    vyber->setUpdatesEnabled(true);
    VvyberListClick();
    ui_->VvyberJenom->setEnabled(rezimEfektu());
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

// The found potions are the finder's pairs themselves; a line's text is made
// from its pair only when the line is shown or written.
void TMF::VvyberListClick()
try {
    TListBox* nalezene = ui_->Vlist;
    // Hidden while it is refilled, so a long listing is drawn once.
    nalezene->hide();
    nalezene->Vyprazdni();
    const int radek = ui_->VvyberList->currentRow();
    QString nadpis;
    if (radek >= 0) {
        const TZarazeni zarazeni = prostredi_->Zarazeni();
        TNalezene vypis = rezimEfektu() ? NalezeneSEfektem(*ui_->VvyberList->Odkaz<TEfekt*>(radek), zarazeni,
                                                           ui_->VvyberJenom->isChecked())
                                        : NalezeneZPrisady(*ui_->VvyberList->Odkaz<TPrisada*>(radek), zarazeni);
        nadpis = ZacatekProPopisek(vypis.Nadpis);
        const TDruhVypisu druh = vypis.Druh;
        nalezene->NastavRadky<TDvojice>(std::move(vypis.Dvojice),
                                        [druh](const TDvojice& dvojice, std::size_t nejvic) {
                                            return TextDvojice(druh, dvojice, nejvic);
                                        });
    }
    nastavNadpis(ui_->VL1, nadpis, ui_->VZlist->x());
    nalezene->VyberRadek(-1);
    nalezene->show();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::VvyberJenomClick()
try {
    VvyberListClick();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::VvyberListDblClick()
try {
    const int radek = ui_->VvyberList->currentRow();
    if (radek < 0)
        return;
    if (rezimEfektu()) {
        ui_->Tefekty->VyberRadek(ui_->Tefekty->RadekSOdkazem(ui_->VvyberList->Odkaz<TEfekt*>(radek)));
        TefektyClick();
        ui_->Tprisady->VyberRadek(ui_->Tprisady->count() > 0 ? 0 : -1);
    } else {
        ui_->Tefekty->VyberRadek(0);
        TefektyClick();
        ui_->Tprisady->VyberRadek(ui_->Tprisady->RadekSOdkazem(ui_->VvyberList->Odkaz<TPrisada*>(radek)));
    }
    TprisadyClick();
    ui_->Pages->setCurrentIndex(0);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::VlistDblClick()
try {
    const int radek = ui_->Vlist->currentRow();
    if (radek < 0)
        return;
    // The line's own pair, never its text.
    const TDvojice dvojice = ui_->Vlist->Odkaz<TDvojice>(radek);
    Lektvar.Prisady = {dvojice.Prvni, dvojice.Druha, nullptr, nullptr};
    ZobrazLektvar();
    VvyberListDblClick();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

namespace {

const QString kTab = QStringLiteral("\t");

} // namespace

void TMF::VZlistClick()
try {
    const bool znacky = prostredi_->Volby().Lisit;
    QStringList radky;
    for (int i = 0; i < ui_->Vlist->count(); ++i) {
        const QString text = ui_->Vlist->Text(i);
        radky << kTab + (znacky ? text : BezZnacky(text));
    }
    zapis(ui_->VL1->text(), QColor(0, 128, 128), radky, -1);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}
