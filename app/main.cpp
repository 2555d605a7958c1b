// The program's entry: the command line, the title, the one window, the event loop.
#include <cstdlib>
#include <iostream>

#include "aplikace.h"
#include "argumenty.h"
#include "mainu.h"

int main(int argc, char** argv)
{
    const TArgumenty argumenty = CtiArgumenty(argc, argv);
    if (const std::optional<int> status = OdpovezBezOkna(argumenty, std::cout, std::cerr))
        return *status;
    TAplikace aplikace(argc, argv);
    if (argumenty.Ukol == TArgumenty::TUkol::Hlaseni)
        return UkazHlaseni(aplikace, argumenty);
    TMF MF;
    MF.show();
    // An unusable catalogue has been reported during the first showing; the
    // program ends here, without closing the window, so no options are written.
    if (MF.KonciPoChybe())
        return EXIT_FAILURE;
    return aplikace.exec();
}
