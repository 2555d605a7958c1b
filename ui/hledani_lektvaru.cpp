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
const QColor kZelena(0, 128, 0);
const QColor kCervena(255, 0, 0);
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

template <typename T>
T* odkaz(const QListWidgetItem* radek)
{
    return radek->data(Qt::UserRole).value<T*>();
}

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
    ui_->Hefekty->setSelectionMode(QAbstractItemView::SingleSelection);
    ui_->Hefekty->installEventFilter(
        new TMezernik(ui_->Hefekty, [this] { VRamciAkce([this] { HefektyClick(); }); }));
    connect(ui_->Hefekty, &QListWidget::itemClicked, this, [this](QListWidgetItem* radek) {
        ui_->Hefekty->setCurrentItem(radek);
        VRamciAkce([this] { HefektyClick(); });
    });
    connect(ui_->Hprisady, &QListWidget::itemChanged, this, [this] {
        if (!plnimHledani_)
            VRamciAkce([this] { HprisadyClick(); });
    });
    PripojObsluhu(ui_->Hzasoby, &QCheckBox::clicked, this, &TStrankaHledani::HzasobyClick);
    PripojObsluhu(ui_->Hpocet, &QSpinBox::valueChanged, this, &TStrankaHledani::HpocetChange);
    PripojObsluhu(ui_->Hlist, &TListBox::DvojKlik, this, &TStrankaHledani::HlistDblClick);
    PripojObsluhu(ui_->HZlist, &QPushButton::clicked, this, &TStrankaHledani::HZlistClick);
}

void TStrankaHledani::ukazVolbuEfektu(QListWidgetItem* radek)
{
    const TEfekt* efekt = odkaz<TEfekt>(radek);
    const QString jmeno = ZCp1250(efekt->Jmeno);
    switch (volbyEfektu_[efekt]) {
    case TVolbaEfektu::Chteny:
        radek->setText(QStringLiteral("+ ") + jmeno);
        radek->setForeground(kZelena);
        break;
    case TVolbaEfektu::Zakazany:
        radek->setText(QChar(0x2212) + QStringLiteral(" ") + jmeno);
        radek->setForeground(kCervena);
        break;
    default:
        radek->setText(jmeno);
        radek->setForeground(palette().color(QPalette::Text));
        break;
    }
}

void TStrankaHledani::NaplnHledani()
{
    // Filling ticks the stock's boxes: no user's ticks, so no search yet.
    plnimHledani_ = true;
    const TObnova naplneno([this] { plnimHledani_ = false; });
    QListWidget* efekty = ui_->Hefekty;
    const TEfekt* aktualni = efekty->currentItem() ? odkaz<TEfekt>(efekty->currentItem()) : nullptr;
    efekty->clear();
    // Ordered as the listing page orders its effects.
    std::vector<std::pair<std::string_view, TEfekt*>> jmena;
    for (TEfekt* efekt : prostredi_.Seznam.Efekty)
        if (prostredi_.EfektZarazen(*efekt))
            jmena.emplace_back(efekt->Jmeno, efekt);
    SeradPodleKlice(jmena, [](const auto& j) { return j.first; });
    for (const auto& [jmeno, efekt] : jmena) {
        auto* radek = new QListWidgetItem(efekty);
        radek->setData(Qt::UserRole, QVariant::fromValue(efekt));
        ukazVolbuEfektu(radek);
        if (efekt == aktualni)
            efekty->setCurrentItem(radek);
    }

    QListWidget* prisady = ui_->Hprisady;
    prisady->clear();
    const bool znacky = prostredi_.Volby().Lisit;
    std::vector<std::pair<std::string_view, TPrisada*>> nazvy;
    for (TPrisada* prisada : prostredi_.Seznam.Prisady)
        if (prostredi_.PrisadaZarazena(*prisada))
            nazvy.emplace_back(prisada->Jmeno, prisada);
    SeradPodleKlice(nazvy, [](const auto& j) { return j.first; });
    for (const auto& [jmeno, prisada] : nazvy) {
        auto* radek = new QListWidgetItem(ZCp1250(jmeno), prisady);
        radek->setData(Qt::UserRole, QVariant::fromValue(prisada));
        radek->setFlags(radek->flags() | Qt::ItemIsUserCheckable);
        radek->setCheckState(Zasoby.contains(prisada) ? Qt::Checked : Qt::Unchecked);
        if (znacky)
            radek->setForeground(BarvaPuvodu(prisada->Tribunal, prisada->Bloodmoon));
    }
    plnimHledani_ = false;
    HledejNaStrance();
}

void TStrankaHledani::HledejNaStrance()
{
    TZadaniHledani zadani;
    for (int i = 0; i < ui_->Hefekty->count(); ++i) {
        const TEfekt* efekt = odkaz<TEfekt>(ui_->Hefekty->item(i));
        const auto volba = volbyEfektu_.find(efekt);
        if (volba == volbyEfektu_.end())
            continue;
        if (volba->second == TVolbaEfektu::Chteny)
            zadani.Chtene.push_back(efekt);
        else if (volba->second == TVolbaEfektu::Zakazany)
            zadani.Zakazane.push_back(efekt);
    }
    zadani.Zarazeni = prostredi_.Zarazeni();
    zadani.JenZeZasob = ui_->Hzasoby->isChecked();
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

void TStrankaHledani::prepniEfekt(QListWidgetItem* radek)
{
    TVolbaEfektu& volba = volbyEfektu_[odkaz<TEfekt>(radek)];
    volba = volba == TVolbaEfektu::Nevybrany ? TVolbaEfektu::Chteny
            : volba == TVolbaEfektu::Chteny  ? TVolbaEfektu::Zakazany
                                             : TVolbaEfektu::Nevybrany;
    ukazVolbuEfektu(radek);
}

void TStrankaHledani::HefektyClick()
{
    QListWidgetItem* radek = ui_->Hefekty->currentItem();
    if (radek == nullptr)
        return;
    prepniEfekt(radek);
    HledejNaStrance();
}

void TStrankaHledani::HprisadyClick()
{
    for (int i = 0; i < ui_->Hprisady->count(); ++i) {
        const QListWidgetItem* radek = ui_->Hprisady->item(i);
        if (radek->checkState() == Qt::Checked)
            Zasoby.insert(odkaz<TPrisada>(radek));
        else
            Zasoby.erase(odkaz<TPrisada>(radek));
    }
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
