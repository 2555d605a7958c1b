// The window's life: creation, first showing, the splash, the options and
// their file, closing.
#include "mainu.h"

#include <QCloseEvent>
#include <QTimer>
#include <filesystem>

#include "aplikace.h"
#include "hledani_lektvaru.h"
#include "obsluha.h"
#include "oprogramu.h"
#include "prostredi.h"
#include "seznamy.h"
#include "zapisnik.h"
#include "cp1250.h"
#include "soubory.h"
#include "tisk.h"
#include "ui_mainu.h"

namespace {

const char* const kSouborVoleb = "volby.txt";
const char* const kSouborKatalogu = "P\xF8\xEDsady.txt";  // Windows-1250

struct TVolba {
    const char* Klic;
    const char* Radek;
};

// In the order in which the options are read and written.
constexpr std::array<TVolba, 5> kVolby{{
    {"TRIB", " Zaradit Tribunal"},
    {"BLOOD", " Zaradit Bloodmoon"},
    {"ROZLIS", " Rozlisovat Datadisky"},
    {"ZAPIS", " Prepinat do zapisnicku"},
    {"BAREV", " Barevny tisk"},
}};

} // namespace

std::string TextVoleb(const std::array<bool, 5>& volby)
{
    std::string text = "Volby:";
    for (std::size_t i = 0; i < kVolby.size(); ++i)
        if (volby[i])
            text += std::string("\r\n") + kVolby[i].Radek;
    return text;
}

std::array<bool, 5> VolbyZTextu(const std::string& obsah)
{
    const std::string velka = VelkaPismenaAscii(obsah);
    std::array<bool, 5> volby{};
    for (std::size_t i = 0; i < kVolby.size(); ++i)
        volby[i] = velka.find(kVolby[i].Klic) != std::string::npos;
    return volby;
}

TMF::TMF(QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TMF>()), prostredi_(new TProstredi(this))
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(540, 350);
    move(360, 61);
    nastavPisma();
    connect(prostredi_, &TProstredi::ZarazeniZmeneno, this, &TMF::poZmeneZarazeni);
    connect(prostredi_, &TProstredi::ZnackyZmeneny, this, &TMF::poZmeneZnacek);
    zapisnik_ = new TStrankaZapisniku(*prostredi_, ui_->Pages);
    ui_->Pages->addTab(zapisnik_, QStringLiteral("Zápisníček"));
    oProgramu_ = new TStrankaOProgramu(*prostredi_, ui_->Pages);
    ui_->Pages->addTab(oProgramu_, QStringLiteral("O programu"));
    hledani_ = new TStrankaHledani(*prostredi_, ui_->Pages);
    ui_->Pages->addTab(hledani_, QStringLiteral("Hledání"));
    connect(hledani_, &TStrankaHledani::Zapis, this, &TMF::zapis);
    connect(hledani_, &TStrankaHledani::NahratLektvar, this, &TMF::nahrajLektvar);
    connect(hledani_, &TStrankaHledani::UkazatPrisadu, this, &TMF::ukazPrisadu);
    pripravSeznamy();
    pripravTvorbu();
    pripravVypis();
    FormCreate();
}

TMF::~TMF() = default;

void TMF::nastavPisma()
{
    QFont okno(QStringLiteral("MS Sans Serif"));
    okno.setPixelSize(11);
    setFont(okno);

    QFont zalozky(QStringLiteral("Arial Black"));
    zalozky.setPixelSize(12);
    zalozky.setWeight(QFont::Black);  // keeps the look where the face is substituted
    ui_->Pages->tabBar()->setFont(zalozky);

    QFont tucne(QStringLiteral("Arial"));
    tucne.setPixelSize(12);
    tucne.setBold(true);

    QFont tlacitka(QStringLiteral("Arial"));
    tlacitka.setPixelSize(11);
    for (QWidget* tlacitko : {ui_->TZefekt, ui_->TZprisada, ui_->TZlektvar, ui_->TlVyjmi1, ui_->TlVyjmi2,
                              ui_->TlVyjmi3, ui_->TlVyjmi4})
        tlacitko->setFont(tlacitka);
    tlacitka.setBold(true);
    ui_->TpPridat->setFont(tlacitka);
    ui_->TlJmeno->setFont(tlacitka);
    tlacitka.setBold(false);
    ui_->VZlist->setFont(tlacitka);
    QFont jmeno = tucne;
    jmeno.setPixelSize(13);
    ui_->TpJmeno->setFont(jmeno);
    QPalette barvaStranky = ui_->TlJmeno->palette();
    barvaStranky.setColor(QPalette::Base, barvaStranky.color(QPalette::Window));
    ui_->TlJmeno->setPalette(barvaStranky);

    QFont vysledky(QStringLiteral("Arial"));
    vysledky.setPixelSize(13);
    vysledky.setBold(true);
    ui_->VL1->setFont(vysledky);
}

void TMF::FormCreate()
try {
    oProgramu_->UkazUvod();

    StartTimer = new QTimer(this);
    // Named, so tests can find it and make it tick instead of waiting.
    StartTimer->setObjectName(QStringLiteral("StartTimer"));
    StartTimer->setSingleShot(true);
    StartTimer->setInterval(1000);
    connect(StartTimer, &QTimer::timeout, this, &TMF::StartTimerDo);
    StartTimer->start();

    // A file that cannot be read ends this handler here: every option keeps
    // its default.
    nactiVolby();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::nactiVolby()
{
    std::error_code chyba;
    if (!std::filesystem::exists(kSouborVoleb, chyba))
        return;
    // Read-only, so a write-protected file still gives its options.
    const auto volby = VolbyZTextu(PrectiSoubor(kSouborVoleb));
    oProgramu_->NastavVolby(TVolby{volby[0], volby[1], volby[2], volby[3], volby[4]});
}

void TMF::showEvent(QShowEvent* udalost)
{
    QWidget::showEvent(udalost);
    if (!zobrazeno_) {
        zobrazeno_ = true;
        FormShow();
    }
}

void TMF::nactiKatalog()
{
    try {
        NactiSeznam(kSouborKatalogu, prostredi_->Seznam);
    } catch (...) {
        // What was read before the failure is kept and used.
        TAplikace::HlasZachycenouChybu();
    }
    if (prostredi_->Seznam.Efekty.empty()) {
        TAplikace::Instance()->Zprava(
            QMessageBox::Critical, TAplikace::Titul() + QStringLiteral(" - Chyba načítání"),
            QStringLiteral("Nebyly načteny potřebné informace. Soubor 'Přísady.txt' neexistuje nebo je ve "
                           "špatném formátu."));
        konciPoChybe_ = true;
        QCoreApplication::quit();
    }
}

void TMF::FormShow()
try {
    nactiKatalog();
    NaplnEfekty();
    ZobrazLektvar();
    TefektyClick();
    Lektvar.Prisady = {};
    HomezeniXclick();
    hledani_->FormShowHledani();
    zapisnik_->FormShowZapisnik();
    ui_->Pages->setCurrentWidget(oProgramu_);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::StartTimerDo()
{
    StartTimer->stop();
    ui_->Pages->setCurrentIndex(0);
    oProgramu_->DokonciUvod();
    StartTimer->deleteLater();
    StartTimer = nullptr;
}

void TMF::poZmeneZarazeni()
try {
    NaplnEfekty();
    ZobrazLektvar();
    TefektyClick();
    HomezeniXclick();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::poZmeneZnacek()
try {
    TprisadyClick();
    ZobrazLektvar();
    // The lists keep their texts; their colours follow at the next drawing.
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::FormClose()
try {
    const TVolby v = oProgramu_->Volby();
    const std::array<bool, 5> volby{v.Tribunal, v.Bloodmoon, v.Lisit, v.Prepnout, v.Barvy};
    ZapisSouborAtomicky(kSouborVoleb, TextVoleb(volby));
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::closeEvent(QCloseEvent* udalost)
{
    // A failure to write the options has been reported, and the window closes
    // all the same: a window that cannot be closed would trap the user.
    VRamciAkce([this] { hledani_->ZapisZasoby(); });
    VRamciAkce([this] { FormClose(); });
    udalost->accept();
}

void TMF::pripravSeznamy()
{
    const auto barvy = [this] {
        for (TListBox* seznam : {ui_->Tefekty, ui_->Tprisady, ui_->VvyberList, ui_->Vlist}) {
            seznam->Kreslic().NastavBarvy(prostredi_->Volby().Lisit);
            seznam->viewport()->update();
        }
    };
    barvy();
    connect(prostredi_, &TProstredi::ZnackyZmeneny, this, barvy);
}

void TMF::zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou)
{
    zapisnik_->ZapisPolozku(nadpis, barva, radky, radekKurzivou);
    if (prostredi_->Volby().Prepnout)
        ui_->Pages->setCurrentWidget(zapisnik_);
}

void TMF::nahrajLektvar(const TPrisadyLektvaru& prisady)
{
    Lektvar.Prisady = prisady;
    ZobrazLektvar();
}

void TMF::ukazPrisadu(const TPrisada* prisada)
{
    ui_->Tefekty->VyberRadek(0);
    TefektyClick();
    ui_->Tprisady->VyberRadek(ui_->Tprisady->RadekSOdkazem(const_cast<TPrisada*>(prisada)));
    TprisadyClick();
    ui_->Pages->setCurrentIndex(0);
}
