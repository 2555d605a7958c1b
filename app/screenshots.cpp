// Writes one PNG per page of the running window, in the default palette
// and in a dark one, for review:
//   mixor-screenshots OUTPUT_FOLDER   (run in a folder holding the catalogue)
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "aplikace.h"
#include "hledani.h"
#include "hledani_lektvaru.h"
#include "mainu.h"
#include "seznamy.h"
#include "ztext.h"

namespace {

// A control of the window, found by its name as a user's tool finds it.
template <typename T>
T* ovladac(const TMF& okno, const char* jmeno)
{
    return okno.findChild<T*>(QString::fromLatin1(jmeno));
}

void pockej(int ms)
{
    QEventLoop smycka;
    QTimer::singleShot(ms, &smycka, &QEventLoop::quit);
    smycka.exec();
}

bool uloz(QWidget& okno, const QString& soubor)
{
    if (!okno.grab().save(soubor)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(soubor));
        return false;
    }
    std::printf("%s\n", qPrintable(soubor));
    return true;
}

// Every page in turn, as page-N plus the suffix.
bool ulozStranky(TMF& okno, const QDir& cil, const QString& pripona)
{
    auto* stranky = ovladac<QTabWidget>(okno, "Pages");
    bool ok = true;
    for (int i = 0; i < stranky->count(); ++i) {
        stranky->setCurrentIndex(i);
        pockej(50);
        ok = uloz(okno, cil.filePath(QStringLiteral("page-%1%2.png").arg(i).arg(pripona))) && ok;
    }
    return ok;
}

// A potion of three ingredients: the pair that shares most effects and the
// ingredient that shares most with either of them.
std::array<TPrisada*, 3> ukazkovyLektvar(const TSeznam& seznam)
{
    std::array<TPrisada*, 3> vyber{};
    unsigned nejvic = 0;
    for (TPrisada* a : seznam.Prisady)
        for (TPrisada* b : seznam.Prisady)
            if (a != b && PocetSpolecnych(*a, *b) > nejvic) {
                nejvic = PocetSpolecnych(*a, *b);
                vyber = {a, b, nullptr};
            }
    nejvic = 0;
    for (TPrisada* c : seznam.Prisady) {
        if (vyber[0] == nullptr || c == vyber[0] || c == vyber[1])
            continue;
        const unsigned spolecnych = PocetSpolecnych(*vyber[0], *c) + PocetSpolecnych(*vyber[1], *c);
        if (spolecnych > nejvic) {
            nejvic = spolecnych;
            vyber[2] = c;
        }
    }
    return vyber;
}

// Adds the ingredients as a user does: a double-click on each line.
void navrhniLektvar(TMF& okno)
{
    auto* prisady = ovladac<TListBox>(okno, "Tprisady");
    for (TPrisada* prisada : ukazkovyLektvar(okno.Prostredi().Seznam)) {
        const int radek = prisady->RadekSOdkazem(prisada);
        if (radek < 0)
            continue;
        prisady->VyberRadek(radek);
        emit prisady->DvojKlik();
    }
}

// The listing of the effect that most ingredients carry.
void vypisNejcastejsiEfekt(TMF& okno)
{
    auto* vyber = ovladac<TListBox>(okno, "VvyberList");
    TEfekt* nejcastejsi = nullptr;
    for (TEfekt* efekt : okno.Prostredi().Seznam.Efekty)
        if (nejcastejsi == nullptr || efekt->Prisady.size() > nejcastejsi->Prisady.size())
            nejcastejsi = efekt;
    vyber->VyberRadek(vyber->RadekSOdkazem(nejcastejsi));
    emit vyber->Klik();
}

// A search for the two effects that most ingredients carry, chosen as a
// user chooses them: a click on each line of the search page.
void hledejDvaEfekty(TMF& okno)
{
    auto* hefekty = ovladac<TListBox>(okno, "Hefekty");
    std::vector<TEfekt*> efekty(okno.Prostredi().Seznam.Efekty.begin(), okno.Prostredi().Seznam.Efekty.end());
    std::stable_sort(efekty.begin(), efekty.end(),
                     [](const TEfekt* a, const TEfekt* b) { return a->Prisady.size() > b->Prisady.size(); });
    for (std::size_t i = 0; i < std::min<std::size_t>(2, efekty.size()); ++i) {
        hefekty->VyberRadek(hefekty->RadekSOdkazem(efekty[i]));
        okno.findChild<TStrankaHledani*>()->HefektyClick();
    }
}

// One entry of each kind, then a styled selection for the style controls.
void zapisDoZapisniku(TMF& okno)
{
    ovladac<QPushButton>(okno, "TZprisada")->click();
    ovladac<QPushButton>(okno, "TZlektvar")->click();
    auto* efekty = ovladac<TListBox>(okno, "Tefekty");
    if (efekty->count() > 1) {
        efekty->VyberRadek(1);
        emit efekty->Klik();
        ovladac<QPushButton>(okno, "TZefekt")->click();
    }
    ovladac<QPushButton>(okno, "VZlist")->click();
    // The ingredient entry's heading, selected.
    auto* zapisnik = ovladac<TZapisnik>(okno, "Ztext");
    QTextCursor vyber(zapisnik->document());
    vyber.setPosition(zapisnik->document()->findBlockByNumber(3).position());
    vyber.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    zapisnik->setTextCursor(vyber);
    zapisnik->verticalScrollBar()->setValue(0);
}

} // namespace

int main(int argc, char** argv)
{
    TAplikace aplikace(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mixor-screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir cil(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(cil.path());
    TMF MF;
    MF.show();
    if (MF.KonciPoChybe())
        return EXIT_FAILURE;
    pockej(100);
    bool ok = uloz(MF, cil.filePath(QStringLiteral("0-splash.png")));
    pockej(1100);  // the splash ends
    navrhniLektvar(MF);
    vypisNejcastejsiEfekt(MF);
    hledejDvaEfekty(MF);
    zapisDoZapisniku(MF);
    ok = ulozStranky(MF, cil, QString()) && ok;
    // The same pages in a dark desktop theme, switched to as a running
    // program meets it.
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    ok = ulozStranky(MF, cil, QStringLiteral("-dark")) && ok;
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
