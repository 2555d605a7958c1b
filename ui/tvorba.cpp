// The potion-creation page: the effect and ingredient lists, the selected
// ingredient's detail box and the potion designer.
#include "tvorba.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

#include "barvy.h"
#include "obsluha.h"
#include "ovladace.h"
#include "radky_zapisu.h"
#include "seznamy.h"
#include "text.h"
#include "ui_tvorba.h"

namespace {

const QString kZadna = QStringLiteral("žádná");
const QString kPoznamka = QStringLiteral("Poznámka: ");
const QString kTab = QStringLiteral("\t");
const QString kDvaTaby = QStringLiteral("\t\t");
constexpr int kDelkaPrefixuPoznamky = 10;  // "Poznámka: "

void nastavBarvuTextu(QWidget* ovladac, QPalette::ColorRole role, const QColor& barva)
{
    QPalette paleta = ovladac->palette();
    paleta.setColor(role, barva);
    ovladac->setPalette(paleta);
}

// "1  3  " for an effect given by slots 1 and 3; eight blanks for none.
QString cislaSlotu(const TEfektLektvaru& zaznam)
{
    QString text;
    for (std::size_t j = 0; j < zaznam.ZPrisady.size(); ++j)
        text += zaznam.ZPrisady[j] ? QString::number(j + 1) : QStringLiteral("  ");
    return text;
}

} // namespace

QString TextPuvodu(bool tribunal, bool bloodmoon)
{
    const std::string znacka = ZnackaDatadisku(tribunal, bloodmoon);
    if (znacka.empty())
        return QString();
    return QLatin1Char(' ') + ZCp1250(std::string_view(znacka).substr(0, znacka.size() - 1));
}

TStrankaTvorby::TStrankaTvorby(TProstredi& prostredi, QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TStrankaTvorby>()), prostredi_(prostredi)
{
    ui_->setupUi(this);
    nastavPisma();
    pripravTvorbu();
    obarviJmena();
    prostredi_.SledujBarvami({ui_->Tefekty, ui_->Tprisady}, this);
    PripojObsluhu(&prostredi_, &TProstredi::ZarazeniZmeneno, this, &TStrankaTvorby::naplnSeznamy);
    PripojObsluhu(&prostredi_, &TProstredi::ZnackyZmeneny, this, &TStrankaTvorby::poZmeneZnacek);
}

TStrankaTvorby::~TStrankaTvorby() = default;

void TStrankaTvorby::nastavPisma()
{
    QFont tlacitka(QStringLiteral("Arial"));
    tlacitka.setPixelSize(11);
    for (QWidget* tlacitko : {ui_->TZefekt, ui_->TZprisada, ui_->TZlektvar, ui_->TlVyjmi1, ui_->TlVyjmi2,
                              ui_->TlVyjmi3, ui_->TlVyjmi4})
        tlacitko->setFont(tlacitka);
    tlacitka.setBold(true);
    ui_->TpPridat->setFont(tlacitka);
    ui_->TlJmeno->setFont(tlacitka);
    QFont jmeno(QStringLiteral("Arial"));
    jmeno.setPixelSize(13);
    jmeno.setBold(true);
    ui_->TpJmeno->setFont(jmeno);
}

void TStrankaTvorby::pripravTvorbu()
{
    TpEfekty_ = {ui_->TpEfekt1, ui_->TpEfekt2, ui_->TpEfekt3, ui_->TpEfekt4};
    TlPrisady_ = {ui_->TlPrisada1, ui_->TlPrisada2, ui_->TlPrisada3, ui_->TlPrisada4};
    TlEfekty_ = {ui_->TlEfekt1, ui_->TlEfekt2, ui_->TlEfekt3, ui_->TlEfekt4};
    TlVyjmi_ = {ui_->TlVyjmi1, ui_->TlVyjmi2, ui_->TlVyjmi3, ui_->TlVyjmi4};
    TlEfektyZP_ = {ui_->TlEfektZP1, ui_->TlEfektZP2, ui_->TlEfektZP3, ui_->TlEfektZP4};

    ui_->TZefekt->hide();
    ui_->TpDatadisky->hide();
    ui_->TlDatadisky->hide();
    ui_->TpPridat->hide();
    ui_->TZlektvar->hide();
    for (QPushButton* vyjmi : TlVyjmi_)
        vyjmi->hide();
    ui_->TpPopisPS->NastavText(QStringLiteral("Poznámka: ukázka poznámky, která se do pruhu celá nevejde a "
                                              "posouvá se šipkami"));

    PripojObsluhu(ui_->Tefekty, &TListBox::Klik, this, &TStrankaTvorby::TefektyClick);
    PripojObsluhu(ui_->Tprisady, &TListBox::Klik, this, &TStrankaTvorby::TprisadyClick);
    PripojObsluhu(ui_->Tprisady, &TListBox::DvojKlik, this, &TStrankaTvorby::TprisadyDblClick);
    PripojObsluhu(ui_->TpPridat, &QPushButton::clicked, this, &TStrankaTvorby::TpPridatClick);
    PripojObsluhu(ui_->TZprisada, &QPushButton::clicked, this, &TStrankaTvorby::TZprisadaClick);
    PripojObsluhu(ui_->TZlektvar, &QPushButton::clicked, this, &TStrankaTvorby::TZlektvarClick);
    PripojObsluhu(ui_->TZefekt, &QPushButton::clicked, this, &TStrankaTvorby::TZefektClick);
    for (std::size_t i = 0; i < 4; ++i) {
        PripojObsluhu(TlVyjmi_[i], &QPushButton::clicked, this, &TStrankaTvorby::TlVyjmiClick);
        PripojObsluhu(TpEfekty_[i], &TPopisek::DvojKlik, this, &TStrankaTvorby::TpEfektDblClick);
        PripojObsluhu(TlEfekty_[i], &TPopisek::DvojKlik, this, &TStrankaTvorby::TlEfektDblClick);
        PripojObsluhu(TlPrisady_[i], &TPopisek::DvojKlik, this, &TStrankaTvorby::TlPrisadaDblClick);
        // Enter or Space does what their double-click does.
        for (TPopisek* popisek : {TpEfekty_[i], TlEfekty_[i], TlPrisady_[i]})
            popisek->setFocusPolicy(Qt::StrongFocus);
    }
}

// The lists for the options as they stand: "- všechny -" selected, every
// admissible ingredient listed, the potion panel shown again.
void TStrankaTvorby::naplnSeznamy()
{
    NaplnEfekty();
    ZobrazLektvar();
    TefektyClick();
}

void TStrankaTvorby::poZmeneZnacek()
{
    TprisadyClick();
    ZobrazLektvar();
}

void TStrankaTvorby::FormShowTvorba()
{
    naplnSeznamy();
    Lektvar.Prisady = {};
}

void TStrankaTvorby::NahrajLektvar(const TPrisadyLektvaru& prisady)
{
    Lektvar.Prisady = prisady;
    ZobrazLektvar();
}

void TStrankaTvorby::UkazEfekt(TEfekt* efekt)
{
    ui_->Tefekty->VyberRadek(ui_->Tefekty->RadekSOdkazem(efekt));
    TefektyClick();
    ui_->Tprisady->VyberRadek(ui_->Tprisady->count() > 0 ? 0 : -1);
    TprisadyClick();
}

void TStrankaTvorby::UkazPrisadu(TPrisada* prisada)
{
    ui_->Tefekty->VyberRadek(0);
    TefektyClick();
    ui_->Tprisady->VyberRadek(ui_->Tprisady->RadekSOdkazem(prisada));
    TprisadyClick();
}

int TStrankaTvorby::tagOdesilatele() const
{
    const QObject* odesilatel = sender();
    const int tag = odesilatel ? odesilatel->property("Tag").toInt() : 0;
    if (tag < 1 || tag > 4)
        throw std::logic_error("the control has no row number");
    return tag;
}

QColor TStrankaTvorby::barvaJmena(bool tribunal, bool bloodmoon, QPalette::ColorRole text) const
{
    const QColor barva = prostredi_.Volby().Lisit ? BarvaPuvodu(tribunal, bloodmoon) : QColor(Qt::black);
    return BarvaTextu(palette(), barva, text, palette().color(QPalette::Window));
}

void TStrankaTvorby::obarviJmena()
{
    if (VybranaPrisada != nullptr)
        nastavBarvuTextu(ui_->TpJmeno, QPalette::WindowText,
                         barvaJmena(VybranaPrisada->Tribunal, VybranaPrisada->Bloodmoon));
    for (std::size_t k = 0; k < 4; ++k) {
        const TPrisada* prisada = Lektvar.Prisady[k];
        nastavBarvuTextu(TlPrisady_[k], QPalette::WindowText,
                         barvaJmena(prisada && prisada->Tribunal, prisada && prisada->Bloodmoon));
    }
    // The potion's name field reads as a label of the page.
    QPalette jmeno = ui_->TlJmeno->palette();
    jmeno.setColor(QPalette::Base, palette().color(QPalette::Window));
    jmeno.setColor(QPalette::Text, barvaJmena(Lektvar.Tribunal, Lektvar.Bloodmoon, QPalette::Text));
    ui_->TlJmeno->setPalette(jmeno);
}

void TStrankaTvorby::changeEvent(QEvent* udalost)
{
    QWidget::changeEvent(udalost);
    if (udalost->type() == QEvent::PaletteChange)
        obarviJmena();
}

void TStrankaTvorby::TefektyClick()
{
    TListBox* prisady = ui_->Tprisady;
    prisady->setUpdatesEnabled(false);
    const TObnova prekreslit([prisady] { prisady->setUpdatesEnabled(true); });
    prisady->Vyprazdni();
    const int radek = ui_->Tefekty->currentRow();
    if (radek >= 0) {
        const TEfekt* efekt = ui_->Tefekty->Odkaz<TEfekt*>(radek);
        const std::vector<TPrisada*>& zdroj = radek == 0 || efekt == nullptr ? prostredi_.Seznam.Prisady : efekt->Prisady;
        prostredi_.NaplnPrisady(prisady, zdroj);
        const int vybrana = prisady->RadekSOdkazem(VybranaPrisada);
        if (vybrana >= 0) {
            // The detail box already shows this ingredient.
            prisady->VyberRadek(vybrana);
        } else {
            prisady->VyberRadek(prisady->count() > 0 ? 0 : -1);
            TprisadyClick();
        }
    }
    prisady->setUpdatesEnabled(true);
    ui_->TZefekt->setVisible(ui_->Tefekty->currentRow() > 0);
}

// The effect list runs in the language's alphabetical order, case ignored,
// equal names in catalogue order, "- všechny -" first.
void TStrankaTvorby::NaplnEfekty()
{
    TListBox* seznam = ui_->Tefekty;
    std::vector<TEfekt*> efekty;
    for (TEfekt* efekt : prostredi_.Seznam.Efekty)
        if (prostredi_.EfektZarazen(*efekt))
            efekty.push_back(efekt);
    SeradAbecedne(efekty);
    std::vector<TEfekt*> radky{nullptr};
    radky.reserve(efekty.size() + 1);
    radky.insert(radky.end(), efekty.begin(), efekty.end());
    seznam->NastavRadky<TEfekt*>(std::move(radky), TextEfektu);
    seznam->VyberRadek(0);
}

void TStrankaTvorby::TprisadyClick()
{
    const int radek = ui_->Tprisady->currentRow();
    if (radek < 0)
        return;
    VybranaPrisada = ui_->Tprisady->Odkaz<TPrisada*>(radek);
    const TPrisada& prisada = *VybranaPrisada;
    ui_->TpJmeno->setText(ZacatekProPopisek(prisada.Jmeno));
    nastavBarvuTextu(ui_->TpJmeno, QPalette::WindowText, barvaJmena(prisada.Tribunal, prisada.Bloodmoon));
    ui_->TpDatadisky->setText(TextPuvodu(prisada.Tribunal, prisada.Bloodmoon));
    ui_->TpPopisPS->NastavText(kPoznamka + ZCp1250(prisada.Poznamka));
    for (std::size_t k = 0; k < 4; ++k) {
        const TEfekt* efekt = prisada.Efekty[k];
        TpEfekty_[k]->setText(efekt ? ZCp1250(efekt->Jmeno) : QString());
    }
    const auto& sloty = Lektvar.Prisady;
    const bool vLektvaru = std::find(sloty.begin(), sloty.end(), VybranaPrisada) != sloty.end();
    ui_->TpPridat->setVisible(sloty[3] == nullptr && !vLektvaru);
    pojmenujPrisadu();
}

void TStrankaTvorby::TprisadyDblClick()
{
    TprisadyClick();
    const bool pridat = !ui_->TpPridat->isHidden();
    if (pridat)
        TpPridatClick();
    ui_->Tprisady->Ohlas(ohlasPridani(pridat));
}

void TStrankaTvorby::TpPridatClick()
{
    for (TPrisada*& slot : Lektvar.Prisady) {
        if (slot == nullptr) {
            slot = VybranaPrisada;
            break;
        }
    }
    ZobrazLektvar();
    TprisadyClick();
}

void TStrankaTvorby::vyjmiZeSlotu(int k)
{
    auto& sloty = Lektvar.Prisady;
    for (int j = k; j < 4; ++j)
        sloty[j - 1] = sloty[j];
    sloty[3] = nullptr;
}

void TStrankaTvorby::TlVyjmiClick()
{
    vyjmiZeSlotu(tagOdesilatele());
    ZobrazLektvar();
    TprisadyClick();
}

void TStrankaTvorby::ZobrazLektvar()
{
    for (std::size_t k = 0; k < 4; ++k) {
        const TPrisada* prisada = Lektvar.Prisady[k];
        if (prisada != nullptr) {
            TlPrisady_[k]->setText(ZacatekProPopisek(prisada->Jmeno));
            nastavBarvuTextu(TlPrisady_[k], QPalette::WindowText, barvaJmena(prisada->Tribunal, prisada->Bloodmoon));
        } else {
            TlPrisady_[k]->setText(k == 0 ? kZadna : QString());
            nastavBarvuTextu(TlPrisady_[k], QPalette::WindowText, barvaJmena(false, false));
        }
        TlVyjmi_[k]->setVisible(prisada != nullptr);
    }

    SpocitejLektvar(Lektvar);

    for (std::size_t k = 0; k < 4; ++k) {
        const TEfektLektvaru& zaznam = Lektvar.Efekty[k];
        TlEfekty_[k]->setText(zaznam.Efekt ? ZCp1250(zaznam.Efekt->Jmeno) : (k == 0 ? TextZadne() : QString()));
        TlEfektyZP_[k]->setText(cislaSlotu(zaznam));
    }
    const TEfekt* prvni = Lektvar.Efekty[0].Efekt;
    ui_->TlJmeno->setText(prvni ? ZCp1250(prvni->Jmeno) : QString());
    ui_->TlDatadisky->setText(TextPuvodu(Lektvar.Tribunal, Lektvar.Bloodmoon));
    nastavBarvuTextu(ui_->TlJmeno, QPalette::Text, barvaJmena(Lektvar.Tribunal, Lektvar.Bloodmoon, QPalette::Text));
    ui_->TZlektvar->setVisible(Lektvar.Prisady[0] != nullptr);
    pojmenujLektvar();
}

// Selects the effect's line in the effect list ("- všechny -" for none) and
// lists its ingredients.
void TStrankaTvorby::ukazEfektVSeznamu(const TEfekt* efekt)
{
    ui_->Tefekty->VyberRadek(ui_->Tefekty->RadekSOdkazem(const_cast<TEfekt*>(efekt)));
    TefektyClick();
}

void TStrankaTvorby::TpEfektDblClick()
{
    const int k = tagOdesilatele();
    if (VybranaPrisada == nullptr)
        return;
    ukazEfektVSeznamu(VybranaPrisada->Efekty[k - 1]);
}

void TStrankaTvorby::TlEfektDblClick()
{
    ukazEfektVSeznamu(Lektvar.Efekty[tagOdesilatele() - 1].Efekt);
}

void TStrankaTvorby::TlPrisadaDblClick()
{
    VybranaPrisada = Lektvar.Prisady[tagOdesilatele() - 1];
    const int radek = ui_->Tprisady->RadekSOdkazem(VybranaPrisada);
    ui_->Tprisady->VyberRadek(radek);
    if (radek < 0) {
        ui_->Tefekty->VyberRadek(0);
        TefektyClick();
    }
    TprisadyClick();
}

void TStrankaTvorby::TZprisadaClick()
{
    QString nadpis = QStringLiteral("Přísada ") + ui_->TpJmeno->text();
    if (prostredi_.Volby().Lisit)
        nadpis += ui_->TpDatadisky->text();
    QStringList radky;
    const QString poznamka = ui_->TpPopisPS->Text()->text().mid(kDelkaPrefixuPoznamky);
    if (!poznamka.isEmpty())
        radky << kTab + poznamka;
    radky << kTab + QStringLiteral("Efekty:") + kTab + TpEfekty_[0]->text();
    for (std::size_t k = 1; k < 4; ++k)
        if (!TpEfekty_[k]->text().isEmpty())
            radky << kDvaTaby + TpEfekty_[k]->text();
    emit Zapis(nadpis, QColor(0, 128, 0), radky, poznamka.isEmpty() ? -1 : 0);
}

void TStrankaTvorby::TZlektvarClick()
{
    QString nadpis = QStringLiteral("Lektvar");
    if (!ui_->TlJmeno->text().isEmpty())
        nadpis += QLatin1Char(' ') + ui_->TlJmeno->text();
    if (prostredi_.Volby().Lisit)
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
    emit Zapis(nadpis, QColor(255, 0, 255), radky, -1);
}

void TStrankaTvorby::TZefektClick()
{
    const int efekt = ui_->Tefekty->currentRow();
    const QString nadpis = QStringLiteral("Přísady s efektem ") + (efekt >= 0 ? ui_->Tefekty->Text(efekt) : QString());
    const bool znacky = prostredi_.Volby().Lisit;
    const QStringList radky = RadkyZapisu(ui_->Tprisady->count(), NejvicRadkuZapisu, [&](int i) {
        // The mark moves behind the name, or goes.
        const QString znacka = ui_->Tprisady->Znacka(i);
        const QString jmeno = TextRadkuZapisu(*ui_->Tprisady, i).mid(znacka.size());
        return znacky && !znacka.isEmpty() ? jmeno + QLatin1Char(' ') + znacka.trimmed() : jmeno;
    });
    emit Zapis(nadpis, QColor(128, 128, 0), radky, -1);
}
