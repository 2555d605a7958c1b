#include "argumenty.h"

#include <ostream>
#include <string_view>

#include "aplikace.h"

namespace {

constexpr std::string_view kPouziti =
    "Použití: mixor [--help | --version]\n"
    "Mixorův průvodce 2, plánovač alchymie. Čte katalog Přísady.txt a volby\n"
    "volby.txt ve složce, ve které se spustí; z nabídky her ho spouští\n"
    "mixor-spustit ve složce hráče.\n"
    "  -h, --help        tato nápověda\n"
    "  --version         název a verze programu\n"
    "  --hlaseni TEXT    jen ukáže TEXT v okně chyby a skončí\n";

TArgumenty chyba(std::string text)
{
    return {TArgumenty::TUkol::Chyba, std::move(text)};
}

}  // namespace

TArgumenty CtiArgumenty(int argc, const char* const* argv)
{
    if (argc <= 1)
        return {};
    const std::string_view volba = argv[1];
    if (volba == "--hlaseni") {
        if (argc != 3)
            return chyba("volba --hlaseni chce právě jeden text");
        return {TArgumenty::TUkol::Hlaseni, argv[2]};
    }
    if (volba != "--help" && volba != "-h" && volba != "--version")
        return chyba("neznámá volba '" + std::string(volba) + "'");
    if (argc > 2)
        return chyba("nadbytečný argument '" + std::string(argv[2]) + "'");
    return {volba == "--version" ? TArgumenty::TUkol::Verze : TArgumenty::TUkol::Napoveda, {}};
}

std::optional<int> OdpovezBezOkna(const TArgumenty& argumenty, std::ostream& out, std::ostream& err)
{
    switch (argumenty.Ukol) {
    case TArgumenty::TUkol::Napoveda:
        out << kPouziti << std::flush;
        return out ? 0 : 1;
    case TArgumenty::TUkol::Verze:
        out << "mixor (Mixorův průvodce 2) " MIXOR_VERZE "\n" << std::flush;
        return out ? 0 : 1;
    case TArgumenty::TUkol::Chyba:
        err << "mixor: " << argumenty.Text << '\n' << kPouziti << std::flush;
        return 2;
    case TArgumenty::TUkol::Okno:
    case TArgumenty::TUkol::Hlaseni:
        break;
    }
    return std::nullopt;
}

int UkazHlaseni(TAplikace& aplikace, const TArgumenty& argumenty)
{
    aplikace.Zprava(QMessageBox::Critical, TAplikace::Titul(), QString::fromStdString(argumenty.Text));
    return 0;
}
