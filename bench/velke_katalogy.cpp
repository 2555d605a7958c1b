#include "velke_katalogy.h"

#include <stdexcept>
#include <vector>

#include "cp1250.h"
#include "generator.h"

std::string KatalogSeSpolecnymEfektem(std::size_t nositelu)
{
    Nahoda nahoda(0x53706F6CULL ^ nositelu);
    std::vector<std::string> efekty;
    const std::size_t pocetEfektu = std::max<std::size_t>(nositelu / 20, 4);
    for (std::size_t i = 0; i < pocetEfektu; ++i)
        efekty.push_back(VymysliSlovo(nahoda, true) + ' ' + std::to_string(i + 1));
    const std::string spolecny = Cp1250ZUtf8("Apatie všudypřítomná");

    std::string text = Cp1250ZUtf8("/ Jeden efekt, který nesou všechny přísady\r\n");
    for (std::size_t i = 0; i < nositelu; ++i) {
        text += VymysliJmenoPrisady(nahoda);
        text += ' ';
        text += std::to_string(i + 1);
        text += '\t';
        text += spolecny;
        std::size_t vybrane[3];
        for (std::size_t k = 0; k < 3; ++k) {
            bool znovu = true;
            while (znovu) {
                vybrane[k] = nahoda.pod(efekty.size());
                znovu = false;
                for (std::size_t j = 0; j < k; ++j)
                    znovu = znovu || vybrane[j] == vybrane[k];
            }
            text += '\t';
            text += efekty[vybrane[k]];
        }
        const std::size_t znacka = nahoda.pod(100);
        text += '\t';
        text += znacka < 10 ? "[T]" : znacka < 16 ? "[B]" : "";
        text += "\r\n";
    }
    return text;
}

std::string KatalogSDlouhymJmenem(const std::string& vzor, std::size_t delka)
{
    // The effects of the first ingredient line: its text from the first TAB.
    std::string efekty;
    std::size_t zacatek = 0;
    while (zacatek < vzor.size()) {
        std::size_t konec = vzor.find('\n', zacatek);
        if (konec == std::string::npos)
            konec = vzor.size();
        std::string radek = vzor.substr(zacatek, konec - zacatek);
        zacatek = konec + 1;
        while (!radek.empty() && (radek.back() == '\r' || radek.back() == '\n'))
            radek.pop_back();
        const std::size_t tab = radek.find('\t');
        if (radek.size() >= 2 && radek[0] != '/' && tab != std::string::npos) {
            efekty = radek.substr(tab);
            break;
        }
    }
    Nahoda nahoda(0x446C6F75ULL);
    std::string text = vzor;
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    std::string jmeno;
    jmeno.reserve(delka + 32);
    jmeno += "Nekonecny";
    while (jmeno.size() < delka) {
        jmeno += ' ';
        jmeno += VymysliSlovo(nahoda, false);
    }
    jmeno.resize(delka);
    if (jmeno.back() == ' ')
        jmeno.back() = 'x';
    text += jmeno;
    text += efekty;
    text += "\r\n";
    return text;
}

std::string ZnasobenyKatalog(const std::string& vzor, int kolikrat)
{
    std::vector<std::string> radky;
    std::size_t zacatek = 0;
    while (zacatek < vzor.size()) {
        const std::size_t lf = vzor.find('\n', zacatek);
        const std::size_t konec = lf == std::string::npos ? vzor.size() : lf + 1;
        radky.push_back(vzor.substr(zacatek, konec - zacatek));
        zacatek = konec;
    }
    std::string text;
    text.reserve(vzor.size() * static_cast<std::size_t>(kolikrat) + radky.size() * 4 * kolikrat);
    for (int k = 1; k <= kolikrat; ++k) {
        std::string pripona(" ");
        pripona += std::to_string(k);
        for (const std::string& radek : radky) {
            std::size_t delka = radek.size();
            while (delka > 0 && (radek[delka - 1] == '\n' || radek[delka - 1] == '\r'))
                --delka;
            const bool prisada = delka >= 2 && radek[0] != '/';
            if (!prisada) {
                if (k == 1)
                    text += radek;
                continue;
            }
            // The name is the text before the first TAB.
            const std::size_t tab = radek.find('\t');
            const std::size_t konecJmena = tab == std::string::npos || tab > delka ? delka : tab;
            text.append(radek, 0, konecJmena);
            text += pripona;
            text.append(radek, konecJmena, std::string::npos);
        }
    }
    return text;
}

std::string KatalogVelikosti(const std::string& velikost, const std::string& vzor)
{
    if (velikost == "sample")
        return vzor;
    if (velikost == "x30")
        return ZnasobenyKatalog(vzor, kNasobekVzorku);
    if (velikost == "nositele1000")
        return KatalogSeSpolecnymEfektem(1000);
    if (velikost == "nositele5000")
        return KatalogSeSpolecnymEfektem(5000);
    if (velikost == "prisad1M")
        return VytvorKatalog(1000000);
    if (velikost == "jmeno50MB")
        return KatalogSDlouhymJmenem(vzor, std::size_t{50} << 20);
    throw std::runtime_error("no catalogue of size " + velikost);
}
