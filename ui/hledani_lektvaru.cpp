// The search page: every potion of up to four ingredients with the effects
// the player wants, none that the player avoids, from the player's stock.
#include "hledani_lektvaru.h"

#include <QKeyEvent>
#include <QPushButton>
#include <filesystem>

#include "aplikace.h"
#include "obsluha.h"
#include "radky_zapisu.h"
#include "seznamy.h"
#include "soubory.h"
#include "soubory_hrace.h"
#include "text.h"
#include "ui_hledani_lektvaru.h"

namespace {

const char* const kSouborZasob = "zasoby.txt";
const QColor kModrozelena(0, 128, 128);  // the found-potions entry of the notebook

// Space on the effect list cycles the current line, as a click does.
class TMezernik : public QObject {
public:
    TMezernik(QObject* rodic, std::function<void()> reakce) : QObject(rodic), reakce_(std::move(reakce)) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override
    {
        if (udalost->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(udalost)->key() == Qt::Key_Space) {
            reakce_();
            return true;
        }
        return QObject::eventFilter(objekt, udalost);
    }

private:
    std::function<void()> reakce_;
};

} // namespace

TStrankaHledani::TStrankaHledani(TProstredi& prostredi, QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TStrankaHledani>()), prostredi_(prostredi)
{
    ui_->setupUi(this);
    pripravHledani();
    prostredi_.SledujBarvami({ui_->Hlist}, this);
    // The stock's colours follow the option too: it is refilled.
    PripojObsluhu(&prostredi_, &TProstredi::ZarazeniZmeneno, this, &TStrankaHledani::NaplnHledani);
    PripojObsluhu(&prostredi_, &TProstredi::ZnackyZmeneny, this, &TStrankaHledani::NaplnHledani);
}

TStrankaHledani::~TStrankaHledani() = default;

void TStrankaHledani::pripravHledani()
{
    ui_->Hefekty->installEventFilter(
        new TMezernik(ui_->Hefekty, [this] { VRamciAkce([this] { HefektyClick(); }); }));
    // A click cycles the line; moving with the arrow keys does not.
    PripojObsluhu(ui_->Hefekty, &QAbstractItemView::clicked, this, &TStrankaHledani::HefektyClick);
    PripojObsluhu(ui_->Hprisady, &TListBox::ZaskrtnutiRadku, this, &TStrankaHledani::HprisadyClick);
    PripojObsluhu(ui_->Hzasoby, &QCheckBox::clicked, this, &TStrankaHledani::HzasobyClick);
    PripojObsluhu(ui_->Hpocet, &QSpinBox::valueChanged, this, &TStrankaHledani::HpocetChange);
    PripojObsluhu(ui_->Hlist, &TListBox::DvojKlik, this, &TStrankaHledani::HlistDblClick);
    PripojObsluhu(ui_->HZlist, &QPushButton::clicked, this, &TStrankaHledani::HZlistClick);
}

TZnamenko TStrankaHledani::znamenko(const TEfekt* efekt) const
{
    const auto volba = volbyEfektu_.find(efekt);
    if (volba == volbyEfektu_.end())
        return TZnamenko::Zadne;
    switch (volba->second) {
    case TVolbaEfektu::Chteny:
        return TZnamenko::Plus;
    case TVolbaEfektu::Zakazany:
        return TZnamenko::Minus;
    case TVolbaEfektu::Nevybrany:
        break;
    }
    return TZnamenko::Zadne;
}

void TStrankaHledani::NaplnHledani()
{
    naplnEfekty();
    naplnZasoby();
    HledejNaStrance();
}

// The admissible effects, ordered as the listing page orders them; each line
// shows its wanted or avoided sign as the page's choices have it.
void TStrankaHledani::naplnEfekty()
{
    TListBox* efekty = ui_->Hefekty;
    TEfekt* const aktualni = efekty->Odkaz<TEfekt*>(efekty->currentRow());
    std::vector<TEfekt*> zarazene;
    for (TEfekt* efekt : prostredi_.Seznam.Efekty)
        if (prostredi_.EfektZarazen(*efekt))
            zarazene.push_back(efekt);
    SeradPodleKlice(zarazene, [](const TEfekt* efekt) -> std::string_view { return efekt->Jmeno; });
    TPravidlaRadku<TEfekt*> pravidla;
    pravidla.Text = TextEfektu;
    pravidla.Znamenko = [this](TEfekt* const& efekt) { return znamenko(efekt); };
    efekty->NastavRadky<TEfekt*>(std::move(zarazene), std::move(pravidla));
    if (aktualni != nullptr)
        efekty->VyberRadek(efekty->RadekSOdkazem(aktualni));
}

// The admissible ingredients by name, ticked as the stock has them, in their
// origin colours (no marks) while the expansions are distinguished.
void TStrankaHledani::naplnZasoby()
{
    const bool znacky = prostredi_.Volby().Lisit;
    std::vector<TPrisada*> pripustne;
    for (TPrisada* prisada : prostredi_.SerazenePrisady(false))
        if (prostredi_.PrisadaZarazena(*prisada))
            pripustne.push_back(prisada);
    TPravidlaRadku<TPrisada*> pravidla;
    pravidla.Text = JmenoPrisady;
    pravidla.Puvod = [znacky](TPrisada* const& prisada) {
        return TPuvodRadku{prisada->Tribunal, prisada->Bloodmoon, znacky, true};
    };
    pravidla.Zaskrtnuto = [this](TPrisada* const& prisada) { return Zasoby.contains(prisada); };
    ui_->Hprisady->NastavRadky<TPrisada*>(std::move(pripustne), std::move(pravidla));
}

void TStrankaHledani::HledejNaStrance()
{
    TZadaniHledani zadani;
    // In the list's order, which the heading follows.
    for (int i = 0; i < ui_->Hefekty->count(); ++i) {
        const TEfekt* efekt = ui_->Hefekty->Odkaz<TEfekt*>(i);
        const TZnamenko volba = znamenko(efekt);
        if (volba == TZnamenko::Plus)
            zadani.Chtene.push_back(efekt);
        else if (volba == TZnamenko::Minus)
            zadani.Zakazane.push_back(efekt);
    }
    zadani.Zarazeni = prostredi_.Zarazeni();
    zadani.JenZeZasob = ui_->Hzasoby->isChecked();
    // A large stock is copied only for a search that reads it.
    if (zadani.JenZeZasob)
        zadani.Zasoby = Zasoby;
    zadani.NejvicePrisad = static_cast<std::size_t>(ui_->Hpocet->value());
    TVysledekHledani vysledek = HledejLektvary(prostredi_.Seznam, zadani, MezHledani);
    nalezeneLektvary_ = std::move(vysledek.Lektvary);
    nalezenoCelkem_ = vysledek.Celkem;

    TListBox* seznam = ui_->Hlist;
    // Hidden while it is refilled, so a long list is drawn once.
    seznam->hide();
    const TObnova ukazat([seznam] { seznam->show(); });
    std::vector<int> poradi(nalezeneLektvary_.size());
    for (std::size_t i = 0; i < poradi.size(); ++i)
        poradi[i] = static_cast<int>(i);
    // A line is made from its potion when it is shown; the potions live
    // until the next search, which refills the list.
    const auto lektvar = [this](int i) -> const TLektvar& {
        return nalezeneLektvary_.at(static_cast<std::size_t>(i)).Lektvar;
    };
    seznam->NastavRadky<int>(
        std::move(poradi),
        [this](const int& i, std::size_t nejvic) {
            return TextNalezeneho(nalezeneLektvary_.at(static_cast<std::size_t>(i))).substr(0, nejvic);
        },
        [lektvar](const int& i) { return TPuvodRadku{lektvar(i).Tribunal, lektvar(i).Bloodmoon, true}; });
    seznam->VyberRadek(-1);
    ui_->HL1->setText(ZCp1250(NadpisHledani(zadani.Chtene, vysledek.Celkem, vysledek.Uplny)));
    ui_->HL1->adjustSize();
    ui_->HL1->resize(std::min(ui_->HL1->width(), ui_->HZlist->x() - ui_->HL1->x() - 4), ui_->HL1->height());
}

void TStrankaHledani::HefektyClick()
{
    TListBox* efekty = ui_->Hefekty;
    const int radek = efekty->currentRow();
    if (radek < 0)
        return;
    TVolbaEfektu& volba = volbyEfektu_[efekty->Odkaz<TEfekt*>(radek)];
    volba = volba == TVolbaEfektu::Nevybrany ? TVolbaEfektu::Chteny
            : volba == TVolbaEfektu::Chteny  ? TVolbaEfektu::Zakazany
                                             : TVolbaEfektu::Nevybrany;
    // Shown again, and screen readers hear the line's new name.
    efekty->ObnovRadek(radek);
    HledejNaStrance();
}

void TStrankaHledani::HprisadyClick(int radek, bool zaskrtnout)
{
    TPrisada* prisada = ui_->Hprisady->Odkaz<TPrisada*>(radek);
    if (prisada == nullptr)
        return;
    if (zaskrtnout)
        Zasoby.insert(prisada);
    else
        Zasoby.erase(prisada);
    HledejNaStrance();
}

void TStrankaHledani::HzasobyClick()
{
    HledejNaStrance();
}

void TStrankaHledani::HpocetChange()
{
    HledejNaStrance();
}

void TStrankaHledani::HlistDblClick()
{
    const int radek = ui_->Hlist->currentRow();
    if (radek < 0)
        return;
    // The line's own potion, never its text.
    const TNalezenyLektvar& lektvar = nalezeneLektvary_.at(static_cast<std::size_t>(ui_->Hlist->Odkaz<int>(radek)));
    emit NahratLektvar(lektvar.Lektvar.Prisady);
    // As the listing page does: all effects, the first slot's ingredient shown.
    emit UkazatPrisadu(lektvar.Lektvar.Prisady[0]);
}

void TStrankaHledani::HZlistClick()
{
    const bool znacky = prostredi_.Volby().Lisit;
    // The potions found beyond those listed are counted too.
    const QStringList radky = RadkyZapisu(ui_->Hlist->count(), nalezenoCelkem_, NejvicRadkuZapisu, [&](int i) {
        const auto& lektvar = nalezeneLektvary_.at(static_cast<std::size_t>(ui_->Hlist->Odkaz<int>(i)));
        const QString text = TextRadkuZapisu(*ui_->Hlist, i);
        if (znacky)
            return text;
        return text.mid(static_cast<int>(ZnackaDatadisku(lektvar.Lektvar.Tribunal, lektvar.Lektvar.Bloodmoon).size()));
    });
    emit Zapis(ui_->HL1->text(), kModrozelena, radky, -1);
}

// A stock that cannot be read is reported, and the page is filled all the
// same.
void TStrankaHledani::FormShowHledani()
{
    try {
        nactiZasoby();
    } catch (...) {
        TAplikace::HlasZachycenouChybu();
    }
    NaplnHledani();
}

// A missing file means nothing is owned. A file that cannot be read leaves
// the stock unread, so closing does not overwrite it.
void TStrankaHledani::nactiZasoby()
{
    Zasoby.clear();
    std::error_code chyba;
    if (!std::filesystem::exists(kSouborZasob, chyba)) {
        zasobyNacteny_ = true;
        return;
    }
    radkyZasob_ = RadkyZasob(PrectiSoubor(kSouborZasob));
    Zasoby = ZasobyZRadku(radkyZasob_, prostredi_.Seznam.Prisady);
    zasobyNacteny_ = true;
}

void TStrankaHledani::ZapisZasoby() const
{
    if (!zasobyNacteny_)
        return;
    ZapisSouborAtomicky(kSouborZasob, TextZasob(radkyZasob_, prostredi_.Seznam.Prisady, Zasoby));
}
