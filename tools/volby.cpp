// Reading the command line.
#include "volby.h"

#include <algorithm>
#include <charconv>

const std::string_view kPouziti =
    "Použití: mixor-katalog [VOLBY] SOUBOR\n"
    "  (bez volby)             celý katalog jako JSON\n"
    "  --brew A,B,C,D          lektvar z přísad na pozicích 1 až 4 (index nebo -)\n"
    "  --from I                lektvary z přísady I\n"
    "  --effect I [--only]     lektvary s efektem I (--only: jen s tímto efektem)\n"
    "  --no-tribunal           u --from a --effect vynechat přísady Tribunalu\n"
    "  --no-bloodmoon          u --from a --effect vynechat přísady Bloodmoonu\n"
    "  --find E,E,...          lektvary až ze čtyř přísad s efekty E (indexy efektů)\n"
    "    --avoid E,E,...       bez efektů E\n"
    "    --have I,I,...        jen z přísad I (bez volby ze všech)\n"
    "    --max K               nejvýše K přísad, 2 až 4 (4)\n"
    "    --limit N             vypsat nejvýše N lektvarů (100)\n"
    "    --no-tribunal, --no-bloodmoon  vynechat přísady datadisku\n"
    "  --lint                  upozornění na pravděpodobné chyby v souboru\n"
    "  --help                  tato nápověda\n"
    "  --                      konec voleb, další argument je soubor\n"
    "Indexy počítají od 0 v pořadí katalogu.\n";

namespace {

std::string uvozene(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

// A whole decimal number; otherwise "volba V: 'T' není <coTo>".
std::size_t cislo(std::string_view text, std::string_view volba, std::string_view coTo = "číslo")
{
    std::size_t hodnota = 0;
    const auto [konec, chyba] = std::from_chars(text.data(), text.data() + text.size(), hodnota);
    if (text.empty() || chyba != std::errc() || konec != text.data() + text.size())
        throw ChybaPouziti("volba " + std::string(volba) + ": " + uvozene(text) + " není " + std::string(coTo));
    return hodnota;
}

std::size_t index(std::string_view text, std::string_view volba)
{
    return cislo(text, volba, "index");
}

// "I,J,...": one index at least.
std::vector<std::size_t> indexy(std::string_view seznam, std::string_view volba)
{
    std::vector<std::size_t> out;
    for (std::size_t zacatek = 0;;) {
        const auto carka = std::min(seznam.find(',', zacatek), seznam.size());
        out.push_back(index(seznam.substr(zacatek, carka - zacatek), volba));
        if (carka == seznam.size())
            return out;
        zacatek = carka + 1;
    }
}

// "A,B,C,D" with "-" for an empty slot; fewer than four leave the rest empty.
void prectiSloty(std::string_view seznam, Volby& volby)
{
    std::size_t slot = 0;
    for (std::size_t zacatek = 0;; ++slot) {
        const auto carka = std::min(seznam.find(',', zacatek), seznam.size());
        const std::string_view polozka = seznam.substr(zacatek, carka - zacatek);
        if (slot == volby.sloty.size())
            throw ChybaPouziti("volba --brew: víc než čtyři přísady v " + uvozene(seznam));
        if (polozka != "-")
            volby.sloty[slot] = index(polozka, "--brew");
        if (carka == seznam.size())
            return;
        zacatek = carka + 1;
    }
}

// Options that refine --find and mean nothing without it.
constexpr std::array<std::string_view, 4> kVolbyHledani{"--avoid", "--have", "--max", "--limit"};

class Cteni {
public:
    explicit Cteni(const std::vector<std::string_view>& argumenty) : argumenty_(argumenty) {}

    Volby vysledek()
    {
        for (pozice_ = 0; pozice_ < argumenty_.size(); ++pozice_)
            zpracuj(argumenty_[pozice_]);
        over();
        return volby_;
    }

private:
    void zpracuj(std::string_view argument)
    {
        if (jenSoubory_ || argument.size() < 2 || argument[0] != '-')
            soubor(argument);
        else if (argument == "--")
            jenSoubory_ = true;  // lets a file name begin with '-'
        else if (argument == "--brew")
            prectiSloty(hodnotaRezimu(Rezim::Lektvar, argument), volby_);
        else if (argument == "--from")
            volby_.index = index(hodnotaRezimu(Rezim::ZPrisady, argument), argument);
        else if (argument == "--effect")
            volby_.index = index(hodnotaRezimu(Rezim::SEfektem, argument), argument);
        else if (argument == "--find")
            volby_.chtene = indexy(hodnotaRezimu(Rezim::Hledani, argument), argument);
        else if (argument == "--lint")
            rezim(Rezim::Kontrola, argument);
        else if (argument == "--avoid")
            volby_.zakazane = indexy(hodnota(argument), argument);
        else if (argument == "--have")
            volby_.zasoby = indexy(hodnota(argument), argument);
        else if (argument == "--max")
            volby_.nejvicePrisad = cislo(hodnota(argument), argument);
        else if (argument == "--limit")
            volby_.vypsat = cislo(hodnota(argument), argument);
        else if (argument == "--only")
            volby_.jenTento = true;
        else if (argument == "--no-tribunal")
            volby_.zarazeni.Tribunal = false;
        else if (argument == "--no-bloodmoon")
            volby_.zarazeni.Bloodmoon = false;
        else
            throw ChybaPouziti("neznámá volba " + uvozene(argument));
    }

    void soubor(std::string_view argument)
    {
        if (maSoubor_)
            throw ChybaPouziti("víc než jeden soubor: " + uvozene(volby_.soubor) + " a " + uvozene(argument));
        volby_.soubor = std::string(argument);
        maSoubor_ = true;
    }

    bool videna(std::string_view volba) const
    {
        return std::find(videne_.begin(), videne_.end(), volba) != videne_.end();
    }

    // An option given twice is a mistake, not an override.
    void jednou(std::string_view volba)
    {
        if (videna(volba))
            throw ChybaPouziti("volba " + std::string(volba) + " je uvedena dvakrát");
        videne_.push_back(volba);
    }

    // One mode per run.
    void rezim(Rezim novy, std::string_view volba)
    {
        jednou(volba);
        if (!volbaRezimu_.empty())
            throw ChybaPouziti("volby " + std::string(volbaRezimu_) + " a " + std::string(volba) +
                               " nelze použít zároveň");
        volby_.rezim = novy;
        volbaRezimu_ = volba;
    }

    // The argument after an option that takes a value.
    std::string_view dalsi(std::string_view volba)
    {
        if (pozice_ + 1 == argumenty_.size())
            throw ChybaPouziti("volba " + std::string(volba) + " potřebuje hodnotu");
        return argumenty_[++pozice_];
    }

    std::string_view hodnota(std::string_view volba)
    {
        jednou(volba);
        return dalsi(volba);
    }

    std::string_view hodnotaRezimu(Rezim novy, std::string_view volba)
    {
        rezim(novy, volba);
        return dalsi(volba);
    }

    void over() const
    {
        if (!maSoubor_)
            throw ChybaPouziti("chybí soubor katalogu");
        if (volby_.jenTento && volby_.rezim != Rezim::SEfektem)
            throw ChybaPouziti("volba --only patří jen k --effect");
        const bool hledani =
            volby_.rezim == Rezim::ZPrisady || volby_.rezim == Rezim::SEfektem || volby_.rezim == Rezim::Hledani;
        if (!hledani && !(volby_.zarazeni.Tribunal && volby_.zarazeni.Bloodmoon))
            throw ChybaPouziti("volby --no-tribunal a --no-bloodmoon patří jen k --from, --effect a --find");
        for (const std::string_view volba : kVolbyHledani)
            if (volby_.rezim != Rezim::Hledani && videna(volba))
                throw ChybaPouziti("volba " + std::string(volba) + " patří jen k --find");
        if (volby_.nejvicePrisad < 2 || volby_.nejvicePrisad > 4)
            throw ChybaPouziti("volba --max: " + std::to_string(volby_.nejvicePrisad) + " není 2 až 4");
    }

    const std::vector<std::string_view>& argumenty_;
    std::size_t pozice_ = 0;
    Volby volby_;
    std::string_view volbaRezimu_;
    std::vector<std::string_view> videne_;
    bool maSoubor_ = false;
    bool jenSoubory_ = false;
};

void overIndexy(const std::vector<std::size_t>& indexy, std::size_t pocet, std::string_view co)
{
    for (const std::size_t index : indexy)
        if (index >= pocet)
            throw ChybaPouziti(std::string(co) + " " + std::to_string(index) + " neexistuje (katalog jich má " +
                               std::to_string(pocet) + ")");
}

} // namespace

Volby PrectiVolby(const std::vector<std::string_view>& argumenty)
{
    // Help wins over everything else on the line, mistakes included.
    const auto konecVoleb = std::find(argumenty.begin(), argumenty.end(), "--");
    if (std::find(argumenty.begin(), konecVoleb, "--help") != konecVoleb) {
        Volby napoveda;
        napoveda.rezim = Rezim::Napoveda;
        return napoveda;
    }
    return Cteni(argumenty).vysledek();
}

void OverIndexy(const Volby& volby, std::size_t pocetPrisad, std::size_t pocetEfektu)
{
    switch (volby.rezim) {
    case Rezim::Lektvar:
        for (const auto& slot : volby.sloty)
            if (slot)
                overIndexy({*slot}, pocetPrisad, "přísada");
        break;
    case Rezim::ZPrisady:
        overIndexy({volby.index}, pocetPrisad, "přísada");
        break;
    case Rezim::SEfektem:
        overIndexy({volby.index}, pocetEfektu, "efekt");
        break;
    case Rezim::Hledani:
        overIndexy(volby.chtene, pocetEfektu, "efekt");
        overIndexy(volby.zakazane, pocetEfektu, "efekt");
        overIndexy(volby.zasoby.value_or(std::vector<std::size_t>{}), pocetPrisad, "přísada");
        break;
    default:
        break;
    }
}
