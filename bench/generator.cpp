#include "generator.h"

#include <array>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "cp1250.h"

namespace {

// Syllables written in UTF-8 here and turned into Windows-1250 once.
constexpr std::array<std::string_view, 24> kPocatecni = {
    "Kvě", "Mo", "Dra", "Čer", "Ša", "Žlu", "Ře", "Lu", "Ko", "Bý", "Ste", "Hla",
    "Pra", "Zla", "Mě", "Tr", "Vo", "Ští", "Ja", "Ne", "Pe", "Sla", "Obno", "Ode",
};
constexpr std::array<std::string_view, 40> kDalsi = {
    "tní", "lu", "ko", "řa", "mech", "dra", "čí", "ho", "ste", "bý", "zel", "ší",
    "ná", "vou", "ží", "ka", "le", "no", "sko", "ti", "va", "ny", "ný", "ká",
    "dlo", "ří", "ta", "ven", "ba", "kor", "ďá", "ťo", "ň", "ů", "ov", "ra",
    "si", "la", "ce", "vé",
};

struct Slabiky {
    std::vector<std::string> pocatecni;
    std::vector<std::string> dalsi;
};

const Slabiky& slabiky()
{
    static const Slabiky s = [] {
        Slabiky t;
        for (auto u : kPocatecni)
            t.pocatecni.push_back(Cp1250ZUtf8(u));
        for (auto u : kDalsi)
            t.dalsi.push_back(Cp1250ZUtf8(u));
        return t;
    }();
    return s;
}

char malePismeno(char c)
{
    return static_cast<char>(MalePismenoCp1250(static_cast<unsigned char>(c)));
}

std::string poznamka(Nahoda& nahoda)
{
    std::string text;
    const std::size_t slov = 2 + nahoda.pod(5);
    for (std::size_t i = 0; i < slov; ++i) {
        if (i > 0)
            text += ' ';
        text += VymysliSlovo(nahoda, false);
    }
    return text;
}

// Effect names: one or two words, all distinct.
std::vector<std::string> jmenaEfektu(Nahoda& nahoda, std::size_t pocet)
{
    std::vector<std::string> jmena;
    std::unordered_set<std::string> videna;
    while (jmena.size() < pocet) {
        std::string jmeno = VymysliSlovo(nahoda, true);
        if (nahoda.sance(70))
            jmeno += ' ' + VymysliSlovo(nahoda, false);
        if (videna.insert(jmeno).second)
            jmena.push_back(std::move(jmeno));
    }
    return jmena;
}

} // namespace

std::uint64_t Nahoda::dalsi()
{
    std::uint64_t z = (stav_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::string VymysliSlovo(Nahoda& nahoda, bool velke)
{
    const Slabiky& s = slabiky();
    std::string slovo = s.pocatecni[nahoda.pod(s.pocatecni.size())];
    if (!velke)
        slovo[0] = malePismeno(slovo[0]);
    const std::size_t dalsich = 1 + nahoda.pod(3);
    for (std::size_t i = 0; i < dalsich; ++i)
        slovo += s.dalsi[nahoda.pod(s.dalsi.size())];
    return slovo;
}

std::string VymysliJmenoPrisady(Nahoda& nahoda)
{
    std::string jmeno = VymysliSlovo(nahoda, true);
    const std::size_t dalsich = nahoda.sance(55) ? 1 : nahoda.sance(30) ? 2 : 0;
    for (std::size_t i = 0; i < dalsich; ++i)
        jmeno += ' ' + VymysliSlovo(nahoda, false);
    return jmeno;
}

std::string VytvorKatalog(std::size_t pocetPrisad, std::uint64_t semeno)
{
    Nahoda nahoda(semeno ^ pocetPrisad);
    const std::size_t pocetEfektu = pocetPrisad / 20 > 0 ? pocetPrisad / 20 : 1;
    const std::vector<std::string> efekty = jmenaEfektu(nahoda, pocetEfektu);

    // Effect fields per ingredient: mostly four.
    std::vector<unsigned char> poli(pocetPrisad);
    std::size_t slotu = 0;
    for (auto& n : poli) {
        const std::size_t los = nahoda.pod(100);
        n = los < 90 ? 4 : los < 96 ? 3 : los < 99 ? 2 : 1;
        slotu += n;
    }
    // A shuffled deck in which every effect appears equally often, dealt in
    // turn, so every effect has about the same number of carriers.
    std::vector<std::size_t> balik(slotu);
    for (std::size_t i = 0; i < slotu; ++i)
        balik[i] = i % pocetEfektu;
    for (std::size_t i = slotu; i > 1; --i)
        std::swap(balik[i - 1], balik[nahoda.pod(i)]);

    std::string text;
    text.reserve(pocetPrisad * 90);
    const auto radek = [&text](std::string_view obsah) {
        text += obsah;
        text += "\r\n";
    };
    radek(Cp1250ZUtf8("/ Katalog přísad, vymyšlený pro měření"));
    radek(Cp1250ZUtf8("/ jméno\tefekt 1\tefekt 2\tefekt 3\tefekt 4\t[T] nebo [B] a poznámka"));

    std::size_t karta = 0;
    std::string line;
    for (std::size_t i = 0; i < pocetPrisad; ++i) {
        if (i > 0 && i % 2000 == 0)
            radek("/ ---");
        line = VymysliJmenoPrisady(nahoda);
        std::array<std::size_t, 4> moje{};
        const std::size_t n = poli[i];
        for (std::size_t k = 0; k < n; ++k, ++karta) {
            // Take a later card instead of one this ingredient already has.
            for (std::size_t pokus = 0; pokus < 16; ++pokus) {
                bool uzMa = false;
                for (std::size_t j = 0; j < k; ++j)
                    uzMa = uzMa || moje[j] == balik[karta];
                if (!uzMa || karta + 1 >= slotu)
                    break;
                std::swap(balik[karta], balik[karta + 1 + nahoda.pod(slotu - karta - 1)]);
            }
            moje[k] = balik[karta];
        }
        // Now and then an empty field between effects.
        const bool mezera = n == 3 && nahoda.sance(30);
        for (std::size_t k = 0; k < n; ++k) {
            line += '\t';
            if (mezera && k == 2)
                line += '\t';
            line += efekty[moje[k]];
        }
        line += '\t';

        std::string konec;
        const std::size_t znacka = nahoda.pod(100);
        if (znacka < 12)
            konec = nahoda.sance(80) ? "[T]" : "[t]";
        else if (znacka < 20)
            konec = "[B]";
        if (nahoda.sance(30))
            konec += ' ' + poznamka(nahoda);
        if (!konec.empty()) {
            for (std::size_t k = n + (mezera ? 1 : 0); k < 4; ++k)
                line += '\t';
            line += konec;
        }
        radek(line);
    }
    return text;
}

std::vector<std::string> VytvorRadkyVypisu(std::size_t pocet, std::uint64_t semeno)
{
    Nahoda nahoda(semeno ^ pocet);
    std::vector<std::string> radky;
    radky.reserve(pocet);
    for (std::size_t i = 0; i < pocet; ++i) {
        std::string text;
        const std::size_t znacka = nahoda.pod(100);
        text = znacka < 15 ? "[T] " : znacka < 22 ? "[B] " : znacka < 25 ? "[TB] " : "";
        text += "+ " + VymysliJmenoPrisady(nahoda) + " => " + VymysliSlovo(nahoda, true);
        const std::size_t dalsich = nahoda.pod(3);
        for (std::size_t k = 0; k < dalsich; ++k)
            text += " + " + VymysliSlovo(nahoda, true);
        radky.push_back(std::move(text));
    }
    return radky;
}
