#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cp1250.h"

void NaplnZRadku(TSeznam& seznam, std::initializer_list<std::string_view> radky)
{
    for (std::string_view radek : radky)
        PridejPrisadu(seznam, radek);
}

TPrisada& Prisada(const TSeznam& seznam, std::string_view jmeno)
{
    for (TPrisada* prisada : seznam.Prisady)
        if (prisada->Jmeno == jmeno)
            return *prisada;
    throw std::out_of_range("no ingredient " + std::string(jmeno));
}

TEfekt& Efekt(const TSeznam& seznam, std::string_view jmeno)
{
    for (TEfekt* efekt : seznam.Efekty)
        if (efekt->Jmeno == jmeno)
            return *efekt;
    throw std::out_of_range("no effect " + std::string(jmeno));
}

DocasnaSlozka::DocasnaSlozka()
{
    std::string vzor = (std::filesystem::temp_directory_path() / "mixor-test-XXXXXX").string();
    if (::mkdtemp(vzor.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    cesta_ = vzor;
}

DocasnaSlozka::~DocasnaSlozka()
{
    std::error_code ignorovana;
    std::filesystem::remove_all(cesta_, ignorovana);
}

std::filesystem::path DocasnaSlozka::zapis(const std::string& jmeno, std::string_view obsah) const
{
    const auto cesta = cesta_ / jmeno;
    std::ofstream soubor(cesta, std::ios::binary);
    soubor.write(obsah.data(), static_cast<std::streamsize>(obsah.size()));
    if (!soubor)
        throw std::runtime_error("cannot write " + cesta.string());
    return cesta;
}

FifoSUvolnenim::FifoSUvolnenim(std::filesystem::path cesta) : cesta_(std::move(cesta))
{
    if (::mkfifo(cesta_.c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo failed");
    uvolnovac_ = std::thread([this] {
        while (!konec_) {
            // Succeeds only while someone holds or waits for the reading end.
            const int fd = ::open(cesta_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            ::usleep(2000);
        }
    });
}

FifoSUvolnenim::~FifoSUvolnenim()
{
    konec_ = true;
    uvolnovac_.join();
}

std::string W(std::string_view utf8)
{
    return Cp1250ZUtf8(utf8);
}

bool MaUnrtf()
{
    if (std::system("command -v unrtf >/dev/null 2>&1") == 0)
        return true;
    if (std::getenv("CI") != nullptr)
        ADD_FAILURE() << "unrtf is not installed (scripts/install-deps.sh installs it)";
    return false;
}

std::string UnrtfHtml(const std::filesystem::path& rtf)
{
    const std::string prikaz = "unrtf --html '" + rtf.string() + "' 2>/dev/null";
    std::string html;
    std::FILE* roura = ::popen(prikaz.c_str(), "r");
    if (roura == nullptr)
        return html;
    char blok[4096];
    std::size_t precteno = 0;
    while ((precteno = std::fread(blok, 1, sizeof blok, roura)) > 0)
        html.append(blok, precteno);
    ::pclose(roura);
    return html;
}
