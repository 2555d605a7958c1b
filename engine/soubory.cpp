#include "soubory.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "chyby.h"

namespace {

std::string popisSouboru(const std::string& cesta)
{
    return "Soubor '" + cesta + "'";
}

int otevri(const std::string& cesta, int priznaky, mode_t prava = 0)
{
    int fd;
    do {
        fd = ::open(cesta.c_str(), priznaky | O_CLOEXEC, prava);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool zapisVse(int fd, const std::string& obsah)
{
    std::size_t hotovo = 0;
    while (hotovo < obsah.size()) {
        const ssize_t n = ::write(fd, obsah.data() + hotovo, obsah.size() - hotovo);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        hotovo += static_cast<std::size_t>(n);
    }
    return true;
}

std::string slozkaSouboru(const std::string& cesta)
{
    const auto lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? std::string(".") : cesta.substr(0, lomitko + 1);
}

} // namespace

std::string PrectiSoubor(const std::string& cesta)
{
    const int fd = otevri(cesta, O_RDONLY);
    if (fd < 0)
        throw ChybaCteni(PopisSystemoveChyby(popisSouboru(cesta), errno));
    std::string obsah;
    char blok[16384];
    for (;;) {
        const ssize_t n = ::read(fd, blok, sizeof blok);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int chyba = errno;
            ::close(fd);
            throw ChybaCteni(PopisSystemoveChyby(popisSouboru(cesta), chyba));
        }
        if (n == 0)
            break;
        obsah.append(blok, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return obsah;
}

void ZapisSouborAtomicky(const std::string& cesta, const std::string& obsah)
{
    const std::string popis = popisSouboru(cesta);
    // A write-protected file stays protected: replacing it would defeat that.
    if (::access(cesta.c_str(), F_OK) == 0 && ::access(cesta.c_str(), W_OK) != 0)
        throw ChybaZapisu(PopisSystemoveChyby(popis, errno));
    std::string docasny = slozkaSouboru(cesta) + "/.mixor-XXXXXX";
    const int fd = ::mkostemp(docasny.data(), O_CLOEXEC);
    if (fd < 0)
        throw ChybaZapisu(PopisSystemoveChyby(popis, errno));
    // Keep the permissions an existing file had; a new file gets the usual ones.
    struct stat puvodni {};
    if (::stat(cesta.c_str(), &puvodni) == 0 && S_ISREG(puvodni.st_mode)) {
        ::fchmod(fd, puvodni.st_mode & 07777);
    } else {
        const mode_t maska = ::umask(0);
        ::umask(maska);
        ::fchmod(fd, 0666 & ~maska);
    }
    const bool zapsano = zapisVse(fd, obsah) && ::fsync(fd) == 0;
    const int chybaZapisu = errno;
    const bool zavreno = ::close(fd) == 0;
    if (!zapsano || !zavreno) {
        ::unlink(docasny.c_str());
        throw ChybaZapisu(PopisSystemoveChyby(popis, zapsano ? EIO : chybaZapisu));
    }
    if (::rename(docasny.c_str(), cesta.c_str()) != 0) {
        const int chyba = errno;
        ::unlink(docasny.c_str());
        throw ChybaZapisu(PopisSystemoveChyby(popis, chyba));
    }
}
