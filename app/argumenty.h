// The program's command line, read before the application object exists:
// --help and --version answer at once, even where there is no display, and
// --hlaseni TEXT only shows TEXT in a message box, which is how the launcher
// says why it could not start the program.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

class TAplikace;

struct TArgumenty {
    enum class TUkol { Okno, Napoveda, Verze, Hlaseni, Chyba };
    TUkol Ukol = TUkol::Okno;
    // The message of --hlaseni, or what is wrong with the command line.
    std::string Text;
};

TArgumenty CtiArgumenty(int argc, const char* const* argv);

// Answers what needs no window: the help or the version on `out` with status
// 0, a wrong command line and the usage on `err` with status 2. Nothing when
// the program goes on to its window or message.
std::optional<int> OdpovezBezOkna(const TArgumenty& argumenty, std::ostream& out, std::ostream& err);

// --hlaseni: the message in a stop box under the program's title; status 0.
int UkazHlaseni(TAplikace& aplikace, const TArgumenty& argumenty);
