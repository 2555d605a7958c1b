// The program's entry: the title, the one window, the event loop.
#include <cstdlib>

#include "aplikace.h"
#include "mainu.h"

int main(int argc, char** argv)
{
    TAplikace aplikace(argc, argv);
    TMF MF;
    MF.show();
    // An unusable catalogue has been reported during the first showing; the
    // program ends here, without closing the window, so no options are written.
    if (MF.KonciPoChybe())
        return EXIT_FAILURE;
    return aplikace.exec();
}
