// The inspector's command line.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "hledani.h"

// A command line the inspector cannot act on; the user gets the usage text.
class ChybaPouziti : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Rezim { Katalog, Lektvar, ZPrisady, SEfektem, Hledani, Kontrola, Napoveda };

struct Volby {
    Rezim rezim = Rezim::Katalog;
    std::string soubor;                                  // bytes as given
    std::array<std::optional<std::size_t>, 4> sloty{};  // --brew, no value = empty slot
    std::size_t index = 0;                               // --from, --effect
    bool jenTento = false;                               // --only
    TZarazeni zarazeni;                                  // --no-tribunal, --no-bloodmoon
    // --find and the options that refine it.
    std::vector<std::size_t> chtene;                     // --find
    std::vector<std::size_t> zakazane;                   // --avoid
    std::optional<std::vector<std::size_t>> zasoby;      // --have
    std::size_t nejvicePrisad = 4;                       // --max
    std::size_t vypsat = 100;                            // --limit
};

extern const std::string_view kPouziti;

// Throws ChybaPouziti. Indices are checked against the catalogue later, by
// OverIndexy, because only the catalogue knows how many there are.
Volby PrectiVolby(const std::vector<std::string_view>& argumenty);
void OverIndexy(const Volby& volby, std::size_t pocetPrisad, std::size_t pocetEfektu);
