// The window's benchmarks run without a user: what a message box would show
// goes to standard error, and every question is answered "no".
#pragma once

#include <cstdio>

#include "aplikace.h"

inline void ZpravyNaStderr(TAplikace& aplikace)
{
    aplikace.NastavOdpovidace([](const TAplikace::TZprava& z) {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(z.Titulek), qPrintable(z.Text));
    });
    aplikace.NastavOdpovidaceOtazek([](const TAplikace::TZprava& z) {
        std::fprintf(stderr, "question answered no: %s: %s\n", qPrintable(z.Titulek), qPrintable(z.Text));
        return false;
    });
}
