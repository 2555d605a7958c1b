// The program's entry: the command line, the title, the one window, the event loop.
#include <cstdlib>
#include <iostream>
#include <memory>

#include "aplikace.h"
#include "argumenty.h"
#include "jedina_instance.h"
#include "mainu.h"

int main(int argc, char** argv)
try {
    const TArgumenty argumenty = CtiArgumenty(argc, argv);
    if (const std::optional<int> status = OdpovezBezOkna(argumenty, std::cout, std::cerr))
        return *status;
    TAplikace aplikace(argc, argv);
    if (argumenty.Ukol == TArgumenty::TUkol::Hlaseni)
        return UkazHlaseni(aplikace, argumenty);
    // One program per player's folder: a second start brings the first forward.
    TJedinaInstance instance;
    if (!instance.Zamkni())
        return instance.PrivolejBezici() ? EXIT_SUCCESS : EXIT_FAILURE;
    std::unique_ptr<TMF> MF;
    const bool spusteno = aplikace.KrokStartu([&] {
        MF = std::make_unique<TMF>();
        instance.NastavOkno(MF.get());
        MF->show();
    });
    // An unusable catalogue has been reported during the first showing; the
    // program ends here, without closing the window, so no options are written.
    if (!spusteno || MF->KonciPoChybe())
        return EXIT_FAILURE;
    return aplikace.exec();
} catch (...) {
    // The application object itself failed: the report goes to standard error.
    TAplikace::HlasZachycenouChybu();
    return EXIT_FAILURE;
}
