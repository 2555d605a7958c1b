// A small JSON writer for the inspector's output. Texts go in as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text as a quoted JSON string. Control characters, C1 ones included,
// become \u00XX so that the output stays printable and parseable.
std::string JsonRetezec(std::string_view utf8);

// Builds compact JSON; the writer places the commas and colons itself, so
// callers only say what comes next.
class JsonZapis {
public:
    JsonZapis& Objekt();
    JsonZapis& KonecObjektu();
    JsonZapis& Pole();
    JsonZapis& KonecPole();
    JsonZapis& Klic(std::string_view utf8);
    JsonZapis& Text(std::string_view utf8);
    JsonZapis& Cislo(std::size_t cislo);
    JsonZapis& Logicka(bool hodnota);
    JsonZapis& Null();

    const std::string& Vysledek() const { return out_; }

private:
    void predHodnotou();
    void otevri(char znak);
    void zavri(char znak);

    std::string out_;
    std::vector<bool> prazdne_;  // per open object or array: nothing in it yet
    bool poKlici_ = false;
};
