// The window's life: creation, first showing, the splash, the options and
// their file, closing.
#include "mainu.h"

#include <QCloseEvent>
#include <QTimer>
#include <filesystem>

#include "aplikace.h"
#include "cp1250.h"
#include "nacitani.h"
#include "soubory.h"
#include "soubory_hrace.h"
#include "tisk.h"
#include "ui_mainu.h"

namespace {

const char* const kSouborVoleb = "volby.txt";
const char* const kSouborKatalogu = "P\xF8\xEDsady.txt";  // Windows-1250

} // namespace

TMF::TMF(QWidget* rodic) : QWidget(rodic), ui_(std::make_unique<Ui::TMF>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(540, 350);
    move(360, 61);
    nastavPisma();
    pripravSeznamy();
    pripravTvorbu();
    pripravVypis();
    pripravZapisnik();
    pripravZapisy();
    pripravHledani();
    connect(ui_->Otribunal, &QCheckBox::toggled, this, &TMF::OdatadiskClick);
    connect(ui_->Obloodmoon, &QCheckBox::toggled, this, &TMF::OdatadiskClick);
    connect(ui_->Olisit, &QCheckBox::toggled, this, &TMF::OlisitClick);
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
    for (QWidget* popisek : {ui_->OL2, ui_->OL4, ui_->OL5, ui_->OL7})
        popisek->setFont(tucne);

    QFont nadpis = tucne;
    nadpis.setPixelSize(16);
    ui_->OL8->setFont(nadpis);

    QFont poznamka(QStringLiteral("Times New Roman"));
    poznamka.setPixelSize(9);
    ui_->OL9->setFont(poznamka);
    QPalette stribrna = ui_->OL9->palette();
    stribrna.setColor(QPalette::WindowText, QColor(192, 192, 192));
    ui_->OL9->setPalette(stribrna);

    QPalette bila = ui_->OlogoP->palette();
    bila.setColor(QPalette::Window, Qt::white);
    ui_->OlogoP->setPalette(bila);

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

    // Each style box's caption carries the one style it stands for.
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

void TMF::FormCreate()
try {
    ui_->OlogoP->setGeometry(124, 88, 281, 97);
    ui_->OL1->hide();
    ui_->OL2->hide();
    ui_->Ovolby->hide();

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
    QCheckBox* const boxy[] = {ui_->Otribunal, ui_->Obloodmoon, ui_->Olisit, ui_->Oprepnout, ui_->Obarvy};
    for (std::size_t i = 0; i < volby.size(); ++i)
        boxy[i]->setChecked(volby[i]);
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
        NactiSeznam(kSouborKatalogu, Seznam);
    } catch (...) {
        // What was read before the failure is kept and used.
        TAplikace::HlasZachycenouChybu();
    }
    if (Seznam.Efekty.empty()) {
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
    FormShowHledani();
    FormShowZapisnik();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::StartTimerDo()
{
    StartTimer->stop();
    ui_->Pages->setCurrentIndex(0);
    ui_->OlogoP->setGeometry(12, 8, 281, 201);
    ui_->OL1->show();
    ui_->OL2->show();
    ui_->Ovolby->show();
    StartTimer->deleteLater();
    StartTimer = nullptr;
}

void TMF::OdatadiskClick()
try {
    ui_->Olisit->setEnabled(ui_->Otribunal->isChecked() || ui_->Obloodmoon->isChecked());
    NaplnEfekty();
    ZobrazLektvar();
    TefektyClick();
    HomezeniXclick();
    NaplnHledani();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::OlisitClick()
try {
    TprisadyClick();
    ZobrazLektvar();
    // The lists keep their texts; their colours follow at the next drawing.
    NaplnHledani();
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::FormClose()
try {
    ZapisZasoby();
    const std::array<bool, 5> volby{ui_->Otribunal->isChecked(), ui_->Obloodmoon->isChecked(),
                                    ui_->Olisit->isChecked(), ui_->Oprepnout->isChecked(),
                                    ui_->Obarvy->isChecked()};
    ZapisSouborAtomicky(kSouborVoleb, TextVoleb(volby));
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::closeEvent(QCloseEvent* udalost)
{
    // A failure to write the options has been reported, and the window closes
    // all the same: a window that cannot be closed would trap the user.
    FormClose();
    udalost->accept();
}
