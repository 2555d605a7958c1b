// Writes one PNG per page of the running window, for review:
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
#include "mainu.h"
#include "seznamy.h"
#include "ui_mainu.h"
#include "ztext.h"

namespace {

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
    Ui::TMF& f = okno.Formular();
    for (TPrisada* prisada : ukazkovyLektvar(okno.Prostredi().Seznam)) {
        const int radek = f.Tprisady->RadekSOdkazem(prisada);
        if (radek < 0)
            continue;
        f.Tprisady->VyberRadek(radek);
        emit f.Tprisady->DvojKlik();
    }
}

// The listing of the effect that most ingredients carry.
void vypisNejcastejsiEfekt(TMF& okno)
{
    Ui::TMF& f = okno.Formular();
    TEfekt* nejcastejsi = nullptr;
    for (TEfekt* efekt : okno.Prostredi().Seznam.Efekty)
        if (nejcastejsi == nullptr || efekt->Prisady.size() > nejcastejsi->Prisady.size())
            nejcastejsi = efekt;
    f.VvyberList->VyberRadek(f.VvyberList->RadekSOdkazem(nejcastejsi));
    emit f.VvyberList->Klik();
}

// A search for the two effects that most ingredients carry, chosen as a
// user chooses them: a click on each line of the search page.
void hledejDvaEfekty(TMF& okno)
{
    Ui::TMF& f = okno.Formular();
    std::vector<TEfekt*> efekty(okno.Prostredi().Seznam.Efekty.begin(), okno.Prostredi().Seznam.Efekty.end());
    std::stable_sort(efekty.begin(), efekty.end(),
                     [](const TEfekt* a, const TEfekt* b) { return a->Prisady.size() > b->Prisady.size(); });
    for (std::size_t i = 0; i < std::min<std::size_t>(2, efekty.size()); ++i)
        for (int radek = 0; radek < f.Hefekty->count(); ++radek)
            if (f.Hefekty->item(radek)->data(Qt::UserRole).value<TEfekt*>() == efekty[i]) {
                f.Hefekty->setCurrentRow(radek);
                okno.HefektyClick();
            }
}

// One entry of each kind, then a styled selection for the style controls.
void zapisDoZapisniku(TMF& okno)
{
    Ui::TMF& f = okno.Formular();
    f.TZprisada->click();
    f.TZlektvar->click();
    if (f.Tefekty->count() > 1) {
        f.Tefekty->VyberRadek(1);
        emit f.Tefekty->Klik();
        f.TZefekt->click();
    }
    f.VZlist->click();
    // The ingredient entry's heading, selected.
    QTextCursor vyber(f.Ztext->document());
    vyber.setPosition(f.Ztext->document()->findBlockByNumber(3).position());
    vyber.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    f.Ztext->setTextCursor(vyber);
    f.Ztext->verticalScrollBar()->setValue(0);
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
    QTabWidget* stranky = MF.Formular().Pages;
    for (int i = 0; i < stranky->count(); ++i) {
        stranky->setCurrentIndex(i);
        pockej(50);
        ok = uloz(MF, cil.filePath(QStringLiteral("page-%1.png").arg(i))) && ok;
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
