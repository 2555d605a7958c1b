// Writes one PNG per page of the running window, for review:
//   mixor-screenshots OUTPUT_FOLDER   (run in a folder holding the catalogue)
#include <QDir>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "aplikace.h"
#include "mainu.h"
#include "ui_mainu.h"

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
    QTabWidget* stranky = MF.Formular().Pages;
    for (int i = 0; i < stranky->count(); ++i) {
        stranky->setCurrentIndex(i);
        pockej(50);
        ok = uloz(MF, cil.filePath(QStringLiteral("page-%1.png").arg(i))) && ok;
    }
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
