// The potion-listing page: every two-ingredient potion of an effect or of an
// ingredient, and the way from a found potion to the designer.
#include "vypis.h"

#include <QPushButton>

#include "hledani.h"
#include "nalezene.h"
#include "obsluha.h"
#include "radky_zapisu.h"
#include "seznamy.h"
#include "text.h"
#include "ui_vypis.h"

namespace {

const QString kTab = QStringLiteral("\t");

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

TStrankaVypisu::TStrankaVypisu(TProstredi& prostredi, QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TStrankaVypisu>()), prostredi_(prostredi)
{
    ui_->setupUi(this);
    nastavPisma();
    PripojObsluhu(ui_->Vvyber1, &QRadioButton::toggled, this, &TStrankaVypisu::HomezeniXclick);
    PripojObsluhu(ui_->VvyberList, &TListBox::Klik, this, &TStrankaVypisu::VvyberListClick);
    PripojObsluhu(ui_->VvyberList, &TListBox::DvojKlik, this, &TStrankaVypisu::VvyberListDblClick);
    PripojObsluhu(ui_->VvyberJenom, &QCheckBox::clicked, this, &TStrankaVypisu::VvyberJenomClick);
    PripojObsluhu(ui_->Vlist, &TListBox::DvojKlik, this, &TStrankaVypisu::VlistDblClick);
    PripojObsluhu(ui_->VZlist, &QPushButton::clicked, this, &TStrankaVypisu::VZlistClick);
    // The selection list keeps its marks until it is rebuilt; the colours
    // follow the option at once.
    prostredi_.SledujBarvami({ui_->VvyberList, ui_->Vlist}, this);
    PripojObsluhu(&prostredi_, &TProstredi::ZarazeniZmeneno, this, &TStrankaVypisu::HomezeniXclick);
}

TStrankaVypisu::~TStrankaVypisu() = default;

void TStrankaVypisu::nastavPisma()
{
    QFont tlacitko(QStringLiteral("Arial"));
    tlacitko.setPixelSize(11);
    ui_->VZlist->setFont(tlacitko);
    QFont vysledky(QStringLiteral("Arial"));
    vysledky.setPixelSize(13);
    vysledky.setBold(true);
    ui_->VL1->setFont(vysledky);
}

bool TStrankaVypisu::rezimEfektu() const
{
    return ui_->Vvyber1->isChecked();
}

void TStrankaVypisu::HomezeniXclick()
{
    TListBox* vyber = ui_->VvyberList;
    vyber->setUpdatesEnabled(false);
    const TObnova prekreslit([vyber] { vyber->setUpdatesEnabled(true); });
    if (rezimEfektu()) {
        std::vector<TEfekt*> efekty;
        for (TEfekt* efekt : prostredi_.Seznam.Efekty)
            if (prostredi_.EfektZarazen(*efekt))
                efekty.push_back(efekt);
        vyber->NastavRadky<TEfekt*>(std::move(efekty), TextEfektu);
        SeradPolozky(vyber);
        // As after a refill of the effect list: the potion's name comes back.
        if (!prostredi_.Seznam.Efekty.empty())
            emit ZobrazitLektvar();
    } else {
        prostredi_.NaplnPrisady(vyber, prostredi_.Seznam.Prisady);
    }
    vyber->VyberRadek(vyber->count() > 0 ? 0 : -1);
    vyber->setUpdatesEnabled(true);
    VvyberListClick();
    ui_->VvyberJenom->setEnabled(rezimEfektu());
}

// The found potions are the finder's pairs themselves; a line's text is made
// from its pair only when the line is shown or written.
void TStrankaVypisu::VvyberListClick()
{
    TListBox* nalezene = ui_->Vlist;
    // Hidden while it is refilled, so a long listing is drawn once.
    nalezene->hide();
    const TObnova ukazat([nalezene] { nalezene->show(); });
    nalezene->Vyprazdni();
    const int radek = ui_->VvyberList->currentRow();
    QString nadpis;
    if (radek >= 0) {
        const TZarazeni zarazeni = prostredi_.Zarazeni();
        TNalezene vypis = rezimEfektu() ? NalezeneSEfektem(*ui_->VvyberList->Odkaz<TEfekt*>(radek), zarazeni,
                                                           ui_->VvyberJenom->isChecked())
                                        : NalezeneZPrisady(*ui_->VvyberList->Odkaz<TPrisada*>(radek), zarazeni);
        nadpis = ZacatekProPopisek(vypis.Nadpis);
        const TDruhVypisu druh = vypis.Druh;
        nalezene->NastavRadky<TDvojice>(
            std::move(vypis.Dvojice),
            [druh](const TDvojice& dvojice, std::size_t nejvic) { return TextDvojice(druh, dvojice, nejvic); },
            PuvodDvojice);
    }
    nastavNadpis(ui_->VL1, nadpis, ui_->VZlist->x());
    pojmenujVypis(nadpis);
    nalezene->VyberRadek(-1);
}

// Screen readers hear the heading with the list it heads; an empty heading
// still names its label.
void TStrankaVypisu::pojmenujVypis(const QString& nadpis)
{
    const QString bezVypisu = QStringLiteral("Žádný výpis");
    ui_->VL1->setAccessibleName(nadpis.isEmpty() ? bezVypisu : QString());
    ui_->Vlist->setAccessibleDescription((nadpis.isEmpty() ? bezVypisu : nadpis) +
                                         QStringLiteral("; Enter nahraje lektvar do návrhu lektvaru"));
}

void TStrankaVypisu::VvyberJenomClick()
{
    VvyberListClick();
}

void TStrankaVypisu::VvyberListDblClick()
{
    const int radek = ui_->VvyberList->currentRow();
    if (radek < 0)
        return;
    if (rezimEfektu())
        emit UkazatEfekt(ui_->VvyberList->Odkaz<TEfekt*>(radek));
    else
        emit UkazatPrisadu(ui_->VvyberList->Odkaz<TPrisada*>(radek));
}

void TStrankaVypisu::VlistDblClick()
{
    const int radek = ui_->Vlist->currentRow();
    if (radek < 0)
        return;
    // The line's own pair, never its text.
    const TDvojice dvojice = ui_->Vlist->Odkaz<TDvojice>(radek);
    emit NahratLektvar({dvojice.Prvni, dvojice.Druha, nullptr, nullptr});
    VvyberListDblClick();
}

void TStrankaVypisu::VZlistClick()
{
    const bool znacky = prostredi_.Volby().Lisit;
    const QStringList radky = RadkyZapisu(ui_->Vlist->count(), NejvicRadkuZapisu, [&](int i) {
        const QString text = TextRadkuZapisu(*ui_->Vlist, i);
        return znacky ? text : text.mid(ui_->Vlist->Znacka(i).size());
    });
    emit Zapis(ui_->VL1->text(), QColor(0, 128, 128), radky, -1);
}
