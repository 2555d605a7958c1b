#include "soubory.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "chyby.h"

namespace {

// Why a path that is not a regular file is refused: a folder in the
// system's words, anything else in ours.
template <typename TChyba>
TChyba neniObycejny(const std::string& popis, mode_t druh)
{
    if (S_ISDIR(druh))
        return TChyba(PopisSystemoveChyby(popis, EISDIR));
    return TChyba(popis + ": není obyčejný soubor");
}

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

// Opens the path for data only when it is a regular file. Opening a FIFO
// waits for a writer and opening a device can act by itself, so a path that
// names neither is not opened at all, and the descriptor is checked again
// in case the file was swapped in between.
template <typename TChyba>
int otevriObycejny(const std::string& cesta, int priznaky, const std::string& popis)
{
    struct stat info {};
    if (::stat(cesta.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw neniObycejny<TChyba>(popis, info.st_mode);
    const int fd = otevri(cesta, priznaky | O_NONBLOCK);
    if (fd < 0)
        throw TChyba(PopisSystemoveChyby(popis, errno));
    if (::fstat(fd, &info) != 0) {
        const int chyba = errno;
        ::close(fd);
        throw TChyba(PopisSystemoveChyby(popis, chyba));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw neniObycejny<TChyba>(popis, info.st_mode);
    }
    // A regular file never blocks; the usual blocking mode is restored all the same.
    const int stav = ::fcntl(fd, F_GETFL);
    if (stav < 0 || ::fcntl(fd, F_SETFL, stav & ~O_NONBLOCK) != 0) {
        const int chyba = errno;
        ::close(fd);
        throw TChyba(PopisSystemoveChyby(popis, chyba));
    }
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

// "folder/" of a path, or "./" for a bare name.
std::string slozkaSouboru(const std::string& cesta)
{
    const auto lomitko = cesta.rfind('/');
    return lomitko == std::string::npos ? std::string("./") : cesta.substr(0, lomitko + 1);
}

// The file that a write to the path must change: symbolic links in its last
// part are followed, so the link itself stays as the user made it.
std::string cilZapisu(const std::string& cesta, const std::string& popis)
{
    namespace fs = std::filesystem;
    fs::path cil(cesta);
    for (int skok = 0; skok < 40; ++skok) {
        std::error_code chyba;
        if (!fs::is_symlink(fs::symlink_status(cil, chyba)))
            return cil.string();
        const fs::path odkaz = fs::read_symlink(cil, chyba);
        if (chyba)
            throw ChybaZapisu(PopisSystemoveChyby(popis, chyba.value()));
        cil = odkaz.is_absolute() ? odkaz : cil.parent_path() / odkaz;
    }
    throw ChybaZapisu(PopisSystemoveChyby(popis, ELOOP));
}

// Closes the descriptor; when anything failed, throws the first failure.
void zavriPoZapisu(int fd, bool zapsano, const std::string& popis, const std::string& smazatPriChybe = {})
{
    const int chybaZapisu = errno;
    const bool zavreno = ::close(fd) == 0;
    const int chybaZavreni = errno;
    if (zapsano && zavreno)
        return;
    if (!smazatPriChybe.empty())
        ::unlink(smazatPriChybe.c_str());
    throw ChybaZapisu(PopisSystemoveChyby(popis, !zapsano ? chybaZapisu : chybaZavreni));
}

// Overwrites an existing file where it is, for a folder that takes no new
// file. The new bytes go over the old ones before the file is cut to their
// length, so a full disk has the least chance to strike.
void zapisNaMiste(const std::string& cil, const std::string& obsah, const std::string& popis)
{
    const int fd = otevriObycejny<ChybaZapisu>(cil, O_WRONLY, popis);
    const bool zapsano = zapisVse(fd, obsah) && ::ftruncate(fd, static_cast<off_t>(obsah.size())) == 0 &&
                         ::fsync(fd) == 0;
    zavriPoZapisu(fd, zapsano, popis);
}

} // namespace

int OtevriKCteni(const std::string& cesta, const std::string& popis)
{
    return otevriObycejny<ChybaCteni>(cesta, O_RDONLY, popis);
}

std::string PrectiSoubor(const std::string& cesta)
{
    const std::string popis = popisSouboru(cesta);
    const int fd = OtevriKCteni(cesta, popis);
    std::string obsah;
    char blok[16384];
    for (;;) {
        const ssize_t n = ::read(fd, blok, sizeof blok);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int chyba = errno;
            ::close(fd);
            throw ChybaCteni(PopisSystemoveChyby(popis, chyba));
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
    const std::string cil = cilZapisu(cesta, popis);
    struct stat puvodni {};
    const bool existuje = ::stat(cil.c_str(), &puvodni) == 0;
    if (existuje && !S_ISREG(puvodni.st_mode))
        throw neniObycejny<ChybaZapisu>(popis, puvodni.st_mode);
    // A write-protected file stays protected: replacing it would defeat that.
    if (existuje && ::access(cil.c_str(), W_OK) != 0)
        throw ChybaZapisu(PopisSystemoveChyby(popis, errno));
    std::string docasny = slozkaSouboru(cil) + ".mixor-XXXXXX";
    const int fd = ::mkostemp(docasny.data(), O_CLOEXEC);
    if (fd < 0) {
        const int chyba = errno;
        if (!existuje)
            throw ChybaZapisu(PopisSystemoveChyby(popis, chyba));
        zapisNaMiste(cil, obsah, popis);
        return;
    }
    // The replacement gets the permissions the file had; a new file the usual ones.
    if (existuje) {
        ::fchmod(fd, puvodni.st_mode & 07777);
    } else {
        const mode_t maska = ::umask(0);
        ::umask(maska);
        ::fchmod(fd, 0666 & ~maska);
    }
    zavriPoZapisu(fd, zapisVse(fd, obsah) && ::fsync(fd) == 0, popis, docasny);
    if (::rename(docasny.c_str(), cil.c_str()) != 0) {
        const int chyba = errno;
        ::unlink(docasny.c_str());
        throw ChybaZapisu(PopisSystemoveChyby(popis, chyba));
    }
}
