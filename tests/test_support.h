// Helpers shared by the engine tests.
#pragma once

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <thread>

#include "katalog.h"

// Fills a catalogue from catalogue-file lines, as the loader would.
void NaplnZRadku(TSeznam& seznam, std::initializer_list<std::string_view> radky);

// The ingredient or effect of that name (the first one, for duplicates).
TPrisada& Prisada(const TSeznam& seznam, std::string_view jmeno);
TEfekt& Efekt(const TSeznam& seznam, std::string_view jmeno);

// A fresh, empty directory that is removed with the object.
class DocasnaSlozka {
public:
    DocasnaSlozka();
    ~DocasnaSlozka();
    DocasnaSlozka(const DocasnaSlozka&) = delete;
    DocasnaSlozka& operator=(const DocasnaSlozka&) = delete;

    const std::filesystem::path& cesta() const { return cesta_; }
    // Writes bytes to a file of this directory and returns its path.
    std::filesystem::path zapis(const std::string& jmeno, std::string_view obsah) const;

private:
    std::filesystem::path cesta_;
};

// A FIFO made at the path. While it lives, a helper thread keeps opening its
// writing end, which releases any reader that waits in opening it: code that
// wrongly waits for a writer then reads an empty file and fails its test
// instead of hanging it.
class FifoSUvolnenim {
public:
    explicit FifoSUvolnenim(std::filesystem::path cesta);
    ~FifoSUvolnenim();
    FifoSUvolnenim(const FifoSUvolnenim&) = delete;
    FifoSUvolnenim& operator=(const FifoSUvolnenim&) = delete;

private:
    std::filesystem::path cesta_;
    std::atomic<bool> konec_{false};
    std::thread uvolnovac_;
};

// Windows-1250 bytes of a text written in UTF-8 in the test source.
std::string W(std::string_view utf8);

// Whether unrtf, the second reader of the notebook's files, is there. The
// install script brings it, so under CI its absence is a failure; elsewhere
// the caller skips.
bool MaUnrtf();
// unrtf's HTML of an RTF file.
std::string UnrtfHtml(const std::filesystem::path& rtf);
