#include "soubory_hrace.h"

#include <unordered_map>

#include "cp1250.h"

namespace {

struct TVolba {
    const char* Klic;
    const char* Radek;
};

// In the order in which the options are read and written.
constexpr std::array<TVolba, 5> kVolby{{
    {"TRIB", " Zaradit Tribunal"},
    {"BLOOD", " Zaradit Bloodmoon"},
    {"ROZLIS", " Rozlisovat Datadisky"},
    {"ZAPIS", " Prepinat do zapisnicku"},
    {"BAREV", " Barevny tisk"},
}};

constexpr std::string_view kKonecRadku = "\r\n";

} // namespace

std::string TextVoleb(const TVolbySouboru& volby)
{
    std::string text = "Volby:";
    for (std::size_t i = 0; i < kVolby.size(); ++i)
        if (volby[i])
            text.append(kKonecRadku).append(kVolby[i].Radek);
    return text;
}

TVolbySouboru VolbyZTextu(std::string_view obsah)
{
    const std::string velka = VelkaPismenaAscii(obsah);
    TVolbySouboru volby{};
    for (std::size_t i = 0; i < kVolby.size(); ++i)
        volby[i] = velka.find(kVolby[i].Klic) != std::string::npos;
    return volby;
}

std::vector<std::string> RadkyZasob(std::string_view obsah)
{
    std::vector<std::string> radky;
    while (!obsah.empty()) {
        const std::size_t lf = obsah.find('\n');
        std::string_view radek = obsah.substr(0, lf);
        obsah.remove_prefix(lf == std::string_view::npos ? obsah.size() : lf + 1);
        if (radek.ends_with('\r'))
            radek.remove_suffix(1);
        if (!radek.empty())
            radky.emplace_back(radek);
    }
    return radky;
}

std::unordered_set<const TPrisada*> ZasobyZRadku(const std::vector<std::string>& radky,
                                                 const std::vector<TPrisada*>& prisady)
{
    std::unordered_set<const TPrisada*> zasoby;
    if (radky.empty())
        return zasoby;
    const std::unordered_set<std::string_view> jmena(radky.begin(), radky.end());
    for (const TPrisada* prisada : prisady)
        if (jmena.contains(prisada->Jmeno))
            zasoby.insert(prisada);
    return zasoby;
}

std::string TextZasob(const std::vector<std::string>& radky, const std::vector<TPrisada*>& prisady,
                      const std::unordered_set<const TPrisada*>& zasoby)
{
    struct TStavJmena {
        bool VKatalogu = false;
        bool Zaskrtnute = false;  // by any ingredient of the name
    };
    std::unordered_map<std::string_view, TStavJmena> nactena;
    for (const std::string& radek : radky)
        nactena.emplace(radek, TStavJmena{});
    std::unordered_set<std::string_view> pridana;
    std::string nove;
    for (const TPrisada* prisada : prisady) {
        const bool zaskrtnuta = zasoby.contains(prisada);
        const auto radek = nactena.empty() ? nactena.end() : nactena.find(prisada->Jmeno);
        if (radek != nactena.end()) {
            radek->second.VKatalogu = true;
            radek->second.Zaskrtnute = radek->second.Zaskrtnute || zaskrtnuta;
        } else if (zaskrtnuta && pridana.insert(prisada->Jmeno).second) {
            nove.append(prisada->Jmeno).append(kKonecRadku);
        }
    }
    std::string text;
    for (const std::string& radek : radky) {
        const TStavJmena& stav = nactena.at(radek);
        if (!stav.VKatalogu || stav.Zaskrtnute)
            text.append(radek).append(kKonecRadku);
    }
    return text + nove;
}
