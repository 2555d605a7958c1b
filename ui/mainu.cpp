// The window's life: creation, first showing, the splash, the options and
// their file, closing; and what passes between the pages.
#include "mainu.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>

#include "aplikace.h"
#include "cp1250.h"
#include "hledani_lektvaru.h"
#include "nacitani.h"
#include "obsluha.h"
#include "oprogramu.h"
#include "soubory.h"
#include "soubory_hrace.h"
#include "tisk.h"
#include "tvorba.h"
#include "ui_mainu.h"
#include "vypis.h"
#include "zapisnik.h"

namespace {

const char* const kSouborVoleb = "volby.txt";
const char* const kSouborKatalogu = "P\xF8\xEDsady.txt";  // Windows-1250

} // namespace

TMF::TMF(QWidget* rodic)
    : QWidget(rodic), ui_(std::make_unique<Ui::TMF>()), prostredi_(new TProstredi(this))
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(540, 350);
    move(360, 61);
    // The pages take the window's font, so it is set before they are made.
    nastavPisma();
    pridejStranky();
    propojStranky();
    VRamciAkce([this] { FormCreate(); });
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
}

// Pages 0 to 3 in their order, then the search page. A page reacts to a
// change of the options in the order in which it was made.
void TMF::pridejStranky()
{
    QTabWidget* stranky = ui_->Pages;
    tvorba_ = new TStrankaTvorby(*prostredi_, stranky);
    stranky->addTab(tvorba_, QStringLiteral("Tvorba lektvarů"));
    vypis_ = new TStrankaVypisu(*prostredi_, stranky);
    stranky->addTab(vypis_, QStringLiteral("Výpis lektvarů"));
    zapisnik_ = new TStrankaZapisniku(*prostredi_, stranky);
    stranky->addTab(zapisnik_, QStringLiteral("Zápisníček"));
    oProgramu_ = new TStrankaOProgramu(*prostredi_, stranky);
    stranky->addTab(oProgramu_, QStringLiteral("O programu"));
    hledani_ = new TStrankaHledani(*prostredi_, stranky);
    stranky->addTab(hledani_, QStringLiteral("Hledání"));
    stranky->setAccessibleName(QStringLiteral("Stránky programu"));
    for (int i = 0; i < stranky->count(); ++i)
        stranky->widget(i)->setAccessibleName(stranky->tabText(i));
    pripravKlavesyStranek();
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages from every control: as
// shortcuts they come before the control, and the colour box would
// otherwise take them for a search among its entries.
void TMF::pripravKlavesyStranek()
{
    const auto listuj = [this](int o) {
        QTabWidget* stranky = ui_->Pages;
        stranky->setCurrentIndex((stranky->currentIndex() + o + stranky->count()) % stranky->count());
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [listuj] { listuj(1); });
    for (const QKeyCombination zpet : {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab})
        connect(new QShortcut(QKeySequence(zpet), this), &QShortcut::activated, this, [listuj] { listuj(-1); });
}

// The pages know nothing of each other: what one hands to another passes
// through here. Each runs inside the frame of the user's action that set it
// off.
void TMF::propojStranky()
{
    connect(vypis_, &TStrankaVypisu::ZobrazitLektvar, tvorba_, &TStrankaTvorby::ZobrazLektvar);
    connect(vypis_, &TStrankaVypisu::NahratLektvar, tvorba_, &TStrankaTvorby::NahrajLektvar);
    connect(hledani_, &TStrankaHledani::NahratLektvar, tvorba_, &TStrankaTvorby::NahrajLektvar);
    connect(vypis_, &TStrankaVypisu::UkazatEfekt, this, &TMF::ukazEfekt);
    connect(vypis_, &TStrankaVypisu::UkazatPrisadu, this, &TMF::ukazPrisadu);
    connect(hledani_, &TStrankaHledani::UkazatPrisadu, this, &TMF::ukazPrisadu);
    connect(tvorba_, &TStrankaTvorby::Zapis, this, &TMF::zapis);
    connect(vypis_, &TStrankaVypisu::Zapis, this, &TMF::zapis);
    connect(hledani_, &TStrankaHledani::Zapis, this, &TMF::zapis);
}

void TMF::FormCreate()
{
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
        VRamciAkce([this] { FormShow(); });
    }
}

void TMF::nactiKatalog()
{
    try {
        NactiSeznam(kSouborKatalogu, prostredi_->Seznam);
    } catch (...) {
        // Reported, and what was read before the failure is kept and used.
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

// The splash: the about page in front, showing only the logo.
void TMF::FormShow()
{
    nactiKatalog();
    tvorba_->FormShowTvorba();
    vypis_->HomezeniXclick();
    hledani_->FormShowHledani();
    zapisnik_->FormShowZapisnik();
    ui_->Pages->setCurrentWidget(oProgramu_);
}

void TMF::StartTimerDo()
{
    StartTimer->stop();
    ui_->Pages->setCurrentWidget(tvorba_);
    oProgramu_->DokonciUvod();
    StartTimer->deleteLater();
    StartTimer = nullptr;
}

void TMF::FormClose()
{
    const TVolby v = oProgramu_->Volby();
    const std::array<bool, 5> volby{v.Tribunal, v.Bloodmoon, v.Lisit, v.Prepnout, v.Barvy};
    ZapisSouborAtomicky(kSouborVoleb, TextVoleb(volby));
}

// The notebook's unsaved changes are the user's work: they go only when the
// user says so, or once they are saved.
bool TMF::smiZavrit()
{
    if (!zapisnik_->NeulozeneZmeny())
        return true;
    switch (TAplikace::Instance()->OtazkaUlozeni(TAplikace::Titul(),
                                                 QStringLiteral("Zápisníček obsahuje neuložené změny. Uložit je?"))) {
    case QMessageBox::Save:
        // A failed save is reported by the frame; a cancelled one changes nothing.
        VRamciAkce([this] { zapisnik_->ZsaveClick(); });
        return !zapisnik_->NeulozeneZmeny();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TMF::closeEvent(QCloseEvent* udalost)
{
    if (!smiZavrit()) {
        udalost->ignore();
        return;
    }
    // Each file is its own action: a stock that cannot be written is
    // reported, and the options are written all the same. A failure has
    // been reported, and the window closes all the same: a window that
    // cannot be closed would trap the user.
    VRamciAkce([this] { hledani_->ZapisZasoby(); });
    VRamciAkce([this] { FormClose(); });
    udalost->accept();
}

void TMF::zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou)
{
    zapisnik_->ZapisPolozku(nadpis, barva, radky, radekKurzivou);
    if (prostredi_->Volby().Prepnout)
        ui_->Pages->setCurrentWidget(zapisnik_);
}

void TMF::ukazEfekt(TEfekt* efekt)
{
    tvorba_->UkazEfekt(efekt);
    ui_->Pages->setCurrentWidget(tvorba_);
    tvorba_->PrevezmiFokus();
}

void TMF::ukazPrisadu(TPrisada* prisada)
{
    tvorba_->UkazPrisadu(prisada);
    ui_->Pages->setCurrentWidget(tvorba_);
    tvorba_->PrevezmiFokus();
}
