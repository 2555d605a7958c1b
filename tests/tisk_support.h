// Printing tests: reading a PDF's title, text and pages, and finding the PDF
// that the spooler's test queue made of a job.
//
// The queues come from scripts/cups-setup.sh: "mixor-pdf" writes each job to
// /var/spool/cups-pdf/<user>/job_<id>-<title>.pdf, "mixor-odmita" refuses
// every job. Neither is the machine's default printer; tests name the queue
// they print on. The environment variable MIXOR_PDF_DIR names another folder
// to search for the PDFs instead. Reading needs poppler-utils (pdftotext,
// pdftoppm, pdfinfo).
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kFrontaPdf = "mixor-pdf";
inline constexpr const char* kFrontaOdmita = "mixor-odmita";

// True when the print spooler answers and has a queue of this name.
bool FrontaExistuje(const char* jmeno);

// The folder whose subfolders (and itself) receive the printer's PDFs.
std::filesystem::path SlozkaPdf();

// One look for the PDF of the job titled titulUtf8, whose text holds
// obsahujeUtf8, that was finished at or after `od` (take
// std::filesystem::file_time_type::clock::now() before printing). A PDF is
// complete once it has its end and the size it had at the previous look,
// which `velikosti` keeps from look to look. With several such jobs it gives
// the oldest.
std::optional<std::filesystem::path> HotovyPdf(const std::string& titulUtf8, std::filesystem::file_time_type od,
                                               const std::string& obsahujeUtf8,
                                               std::map<std::filesystem::path, std::uintmax_t>& velikosti);
// Looks every 50 ms until the PDF is complete; nothing when none came in time.
std::optional<std::filesystem::path> CekejNaPdf(const std::string& titulUtf8, std::filesystem::file_time_type od,
                                                std::chrono::milliseconds timeout,
                                                const std::string& obsahujeUtf8 = {});

// The title in the PDF's document information, in UTF-8. Read from the file
// itself: pdfinfo loses bytes of the spooler's titles. The spooler stores the
// job title's UTF-8 bytes in parentheses, "(Mixorův zápisníček)"; those
// parentheses are removed, so the result is the job title as printed.
std::string TitulPdf(const std::filesystem::path& pdf);
// Decodes a Title entry's bytes (a PDF string, already unescaped) as above.
std::string TitulZBajtu(std::string_view bajty);

// The text of the PDF, by `pdftotext -layout`, in UTF-8; pages end with '\f'.
std::string TextPdf(const std::filesystem::path& pdf);
// The number of pages, by pdfinfo; 0 when it cannot be read.
int PocetStranPdf(const std::filesystem::path& pdf);

struct Obrazek {
    int sirka = 0;
    int vyska = 0;
    std::vector<std::uint8_t> rgb; // sirka * vyska * 3 bytes, row by row

    struct Bod {
        int r, g, b;
    };
    Bod bod(int x, int y) const
    {
        const std::size_t i = (static_cast<std::size_t>(y) * sirka + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// One page rendered by `pdftoppm -r dpi` (pages count from 1); nothing when
// the page cannot be rendered.
std::optional<Obrazek> StranaPdf(const std::filesystem::path& pdf, int strana = 1, int dpi = 50);

// Pixels that are coloured, not white, grey or black: max(r,g,b) - min(r,g,b)
// above prah.
std::size_t BarevneBody(const Obrazek& obrazek, int prah = 60);
