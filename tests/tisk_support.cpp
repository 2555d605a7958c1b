#include "tisk_support.h"

#include "cp1250.h"

#include <cups/cups.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Runs a program found on PATH and returns what it wrote to standard output;
// nothing when it could not run or did not exit with 0. Its standard error
// goes to /dev/null.
std::optional<std::string> Vystup(const std::vector<std::string>& argumenty)
{
    int roura[2];
    if (pipe(roura) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t akce;
    posix_spawn_file_actions_init(&akce);
    posix_spawn_file_actions_adddup2(&akce, roura[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&akce, roura[0]);
    posix_spawn_file_actions_addclose(&akce, roura[1]);
    posix_spawn_file_actions_addopen(&akce, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&akce, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    std::vector<char*> argv;
    for (const auto& a : argumenty)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid;
    const int chyba = posix_spawnp(&pid, argv[0], &akce, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&akce);
    close(roura[1]);
    if (chyba != 0) {
        close(roura[0]);
        return std::nullopt;
    }
    std::string vystup;
    char buf[65536];
    for (;;) {
        const ssize_t n = read(roura[0], buf, sizeof buf);
        if (n > 0)
            vystup.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(roura[0]);
    int stav = 0;
    while (waitpid(pid, &stav, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(stav) || WEXITSTATUS(stav) != 0)
        return std::nullopt;
    return vystup;
}

std::string Precti(const fs::path& soubor)
{
    std::ifstream in(soubor, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The file ends as a finished PDF does.
bool Dokonceny(const fs::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    in.seekg(0, std::ios::end);
    const auto velikost = static_cast<long long>(in.tellg());
    if (velikost <= 0)
        return false;
    const long long kolik = std::min<long long>(velikost, 1024);
    in.seekg(velikost - kolik);
    std::string konec(static_cast<std::size_t>(kolik), '\0');
    in.read(konec.data(), kolik);
    return konec.find("%%EOF") != std::string::npos;
}

bool JeBila(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

// A PDF literal string whose '(' is at i: its bytes, escapes undone.
std::string LiteralPdf(const std::string& s, std::size_t i)
{
    std::string bajty;
    int hloubka = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && i + 1 < s.size()) {
            c = s[++i];
            switch (c) {
            case 'n': bajty += '\n'; break;
            case 'r': bajty += '\r'; break;
            case 't': bajty += '\t'; break;
            case 'b': bajty += '\b'; break;
            case 'f': bajty += '\f'; break;
            case '\r':
                if (i + 1 < s.size() && s[i + 1] == '\n')
                    ++i;
                break;
            case '\n': break;
            default:
                if (c >= '0' && c <= '7') {
                    int hodnota = 0;
                    for (int n = 0; n < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++n, ++i)
                        hodnota = hodnota * 8 + (s[i] - '0');
                    --i;
                    bajty += static_cast<char>(hodnota & 0xFF);
                } else {
                    bajty += c;
                }
            }
            continue;
        }
        if (c == '(') {
            if (hloubka++ == 0)
                continue;
        } else if (c == ')') {
            if (--hloubka == 0)
                break;
        }
        // A bare line end stays the byte it is, as poppler reads it: Qt
        // writes UTF-16 titles unescaped, and "č" (U+010D) holds a CR.
        bajty += c;
    }
    return bajty;
}

// A PDF hex string whose '<' is at i.
std::string HexPdf(const std::string& s, std::size_t i)
{
    std::string cislice;
    for (++i; i < s.size() && s[i] != '>'; ++i)
        if (std::isxdigit(static_cast<unsigned char>(s[i])))
            cislice += s[i];
    if (cislice.size() % 2)
        cislice += '0';
    std::string bajty;
    for (std::size_t j = 0; j < cislice.size(); j += 2)
        bajty += static_cast<char>(std::stoi(cislice.substr(j, 2), nullptr, 16));
    return bajty;
}


bool JeUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int dalsi = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (dalsi < 0 || s.size() - i <= static_cast<std::size_t>(dalsi))
            return false;
        for (int k = 1; k <= dalsi; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        i += dalsi + 1;
    }
    return true;
}

std::vector<fs::path> SlozkyKProhledani()
{
    const fs::path koren = SlozkaPdf();
    std::vector<fs::path> slozky{koren};
    std::error_code ec;
    for (fs::directory_iterator it(koren, ec), konec; !ec && it != konec; it.increment(ec))
        if (it->is_directory(ec) && it->path().filename() != "SPOOL")
            slozky.push_back(it->path());
    return slozky;
}

} // namespace

bool FrontaExistuje(const char* jmeno)
{
    // A list of every queue: asking for a missing one by name would search
    // the network for it.
    cups_dest_t* fronty = nullptr;
    const int pocet = cupsGetDests2(CUPS_HTTP_DEFAULT, &fronty);
    const bool je = cupsGetDest(jmeno, nullptr, pocet, fronty) != nullptr;
    cupsFreeDests(pocet, fronty);
    return je;
}

fs::path SlozkaPdf()
{
    const char* jina = std::getenv("MIXOR_PDF_DIR");
    return jina && *jina ? fs::path(jina) : fs::path("/var/spool/cups-pdf");
}

std::optional<fs::path> HotovyPdf(const std::string& titulUtf8, fs::file_time_type od, const std::string& obsahujeUtf8,
                                  std::map<fs::path, std::uintmax_t>& velikosti)
{
    std::vector<std::pair<fs::file_time_type, fs::path>> nove;
    for (const auto& slozka : SlozkyKProhledani()) {
        std::error_code ec;
        for (fs::directory_iterator it(slozka, ec), k; !ec && it != k; it.increment(ec)) {
            std::error_code ec2;
            if (!it->is_regular_file(ec2) || it->path().extension() != ".pdf")
                continue;
            const auto cas = it->last_write_time(ec2);
            if (!ec2 && cas >= od)
                nove.emplace_back(cas, it->path());
        }
    }
    std::sort(nove.begin(), nove.end());
    for (const auto& [cas, pdf] : nove) {
        std::error_code ec;
        const auto velikost = fs::file_size(pdf, ec);
        if (ec)
            continue;
        // Complete: the same size as a moment ago, and the end written.
        const auto drive = velikosti.find(pdf);
        if (velikost > 0 && drive != velikosti.end() && drive->second == velikost && Dokonceny(pdf) &&
            TitulPdf(pdf) == titulUtf8 && TextPdf(pdf).find(obsahujeUtf8) != std::string::npos)
            return pdf;
        velikosti[pdf] = velikost;
    }
    return std::nullopt;
}

std::optional<fs::path> CekejNaPdf(const std::string& titulUtf8, fs::file_time_type od,
                                   std::chrono::milliseconds timeout, const std::string& obsahujeUtf8)
{
    const auto konec = std::chrono::steady_clock::now() + timeout;
    std::map<fs::path, std::uintmax_t> velikosti;
    for (;;) {
        if (auto pdf = HotovyPdf(titulUtf8, od, obsahujeUtf8, velikosti))
            return pdf;
        if (std::chrono::steady_clock::now() >= konec)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string TitulZBajtu(std::string_view bajty)
{
    std::string titul;
    if (bajty.size() >= 2 && static_cast<unsigned char>(bajty[0]) == 0xFE &&
        static_cast<unsigned char>(bajty[1]) == 0xFF) {
        // UTF-16BE, as PDF writers such as Qt store text.
        for (std::size_t i = 2; i + 1 < bajty.size(); i += 2) {
            char32_t z = (static_cast<unsigned char>(bajty[i]) << 8) | static_cast<unsigned char>(bajty[i + 1]);
            if (z >= 0xD800 && z < 0xDC00 && i + 3 < bajty.size()) {
                const char32_t druhy =
                    (static_cast<unsigned char>(bajty[i + 2]) << 8) | static_cast<unsigned char>(bajty[i + 3]);
                z = 0x10000 + ((z - 0xD800) << 10) + (druhy - 0xDC00);
                i += 2;
            }
            PridejUtf8(titul, z);
        }
        return titul;
    }
    if (bajty.size() >= 3 && bajty.substr(0, 3) == "\xEF\xBB\xBF")
        bajty.remove_prefix(3);
    if (JeUtf8(bajty)) {
        titul = bajty; // the spooler's UTF-8 bytes
    } else {
        for (const char c : bajty) // PDFDocEncoding, taken as Latin-1
            PridejUtf8(titul, static_cast<unsigned char>(c));
    }
    // The spooler's PostScript title comment is "%%Title: (...)", and
    // Ghostscript keeps those parentheses.
    if (titul.size() >= 2 && titul.front() == '(' && titul.back() == ')')
        titul = titul.substr(1, titul.size() - 2);
    return titul;
}

std::string TitulPdf(const fs::path& pdf)
{
    const std::string obsah = Precti(pdf);
    // The last Title entry: a later update of the file overrides earlier ones.
    for (std::size_t kde = obsah.rfind("/Title"); kde != std::string::npos;
         kde = kde == 0 ? std::string::npos : obsah.rfind("/Title", kde - 1)) {
        std::size_t i = kde + 6;
        while (i < obsah.size() && JeBila(obsah[i]))
            ++i;
        if (i >= obsah.size())
            continue;
        if (obsah[i] == '(')
            return TitulZBajtu(LiteralPdf(obsah, i));
        if (obsah[i] == '<' && (i + 1 >= obsah.size() || obsah[i + 1] != '<'))
            return TitulZBajtu(HexPdf(obsah, i));
    }
    // Not in plain sight (compressed object streams): ask pdfinfo.
    const auto info = Vystup({"pdfinfo", "-enc", "UTF-8", pdf.string()});
    if (!info)
        return {};
    std::istringstream radky(*info);
    for (std::string radek; std::getline(radky, radek);) {
        if (radek.rfind("Title:", 0) == 0) {
            const auto zacatek = radek.find_first_not_of(' ', 6);
            return zacatek == std::string::npos ? std::string() : radek.substr(zacatek);
        }
    }
    return {};
}

std::string TextPdf(const fs::path& pdf)
{
    return Vystup({"pdftotext", "-layout", "-enc", "UTF-8", pdf.string(), "-"}).value_or("");
}

int PocetStranPdf(const fs::path& pdf)
{
    const auto info = Vystup({"pdfinfo", pdf.string()});
    if (!info)
        return 0;
    std::istringstream radky(*info);
    for (std::string radek; std::getline(radky, radek);)
        if (radek.rfind("Pages:", 0) == 0)
            return std::atoi(radek.c_str() + 6);
    return 0;
}

std::optional<Obrazek> StranaPdf(const fs::path& pdf, int strana, int dpi)
{
    const auto ppm = Vystup({"pdftoppm", "-r", std::to_string(dpi), "-f", std::to_string(strana), "-l",
                             std::to_string(strana), "-singlefile", pdf.string()});
    if (!ppm)
        return std::nullopt;
    // Binary PPM: "P6", width, height, maximum value, one white space, data.
    std::size_t i = 0;
    auto cislo = [&]() -> long {
        for (;;) {
            while (i < ppm->size() && JeBila((*ppm)[i]))
                ++i;
            if (i < ppm->size() && (*ppm)[i] == '#') {
                while (i < ppm->size() && (*ppm)[i] != '\n')
                    ++i;
                continue;
            }
            break;
        }
        long n = -1;
        while (i < ppm->size() && std::isdigit(static_cast<unsigned char>((*ppm)[i])))
            n = (n < 0 ? 0 : n * 10) + ((*ppm)[i++] - '0');
        return n;
    };
    if (ppm->compare(0, 2, "P6") != 0)
        return std::nullopt;
    i = 2;
    const long sirka = cislo(), vyska = cislo(), maximum = cislo();
    if (sirka <= 0 || vyska <= 0 || maximum != 255 || i >= ppm->size())
        return std::nullopt;
    ++i;
    const std::size_t bajtu = static_cast<std::size_t>(sirka) * vyska * 3;
    if (ppm->size() - i < bajtu)
        return std::nullopt;
    Obrazek obrazek{static_cast<int>(sirka), static_cast<int>(vyska), {}};
    obrazek.rgb.assign(ppm->begin() + static_cast<std::ptrdiff_t>(i),
                       ppm->begin() + static_cast<std::ptrdiff_t>(i + bajtu));
    return obrazek;
}

std::size_t BarevneBody(const Obrazek& obrazek, int prah)
{
    std::size_t pocet = 0;
    for (std::size_t i = 0; i + 2 < obrazek.rgb.size(); i += 3) {
        const auto [mn, mx] = std::minmax({obrazek.rgb[i], obrazek.rgb[i + 1], obrazek.rgb[i + 2]});
        if (mx - mn > prah)
            ++pocet;
    }
    return pocet;
}
