#include "soubory.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

// The kernel's rule for links in shared folders: in a world-writable sticky
// folder only a link of the running user or of the folder's owner is
// followed; anywhere else every link is.
template <typename TChyba>
bool smiNasledovat(const std::filesystem::path& odkaz, const struct stat& infoOdkazu, const std::string& popis)
{
    if (infoOdkazu.st_uid == ::geteuid())
        return true;
    const std::filesystem::path slozka = odkaz.has_parent_path() ? odkaz.parent_path() : ".";
    struct stat infoSlozky {};
    if (::stat(slozka.c_str(), &infoSlozky) != 0)
        throw TChyba(PopisSystemoveChyby(popis, errno));
    const bool sdilena = (infoSlozky.st_mode & S_ISVTX) != 0 && (infoSlozky.st_mode & S_IWOTH) != 0;
    return !sdilena || infoSlozky.st_uid == infoOdkazu.st_uid;
}

// The file that the path stands for: symbolic links in its last part are
// followed here, so that a write changes their target and leaves the links
// as the user made them.
template <typename TChyba>
std::string cilOdkazu(const std::string& cesta, const std::string& popis)
{
    namespace fs = std::filesystem;
    fs::path cil(cesta);
    for (int skok = 0; skok < 40; ++skok) {
        struct stat info {};
        if (::lstat(cil.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return cil.string();
        if (!smiNasledovat<TChyba>(cil, info, popis))
            throw TChyba(popis + ": je odkaz jiného uživatele ve sdílené složce");
        std::error_code chyba;
        const fs::path odkaz = fs::read_symlink(cil, chyba);
        if (chyba)
            throw TChyba(PopisSystemoveChyby(popis, chyba.value()));
        cil = odkaz.is_absolute() ? odkaz : cil.parent_path() / odkaz;
    }
    throw TChyba(PopisSystemoveChyby(popis, ELOOP));
}

// Opens the file for data only when it is a regular file. Opening a FIFO
// waits for a writer and opening a device can act by itself, so a path that
// names neither is not opened at all, and the descriptor is checked again
// in case the file was swapped in between.
template <typename TChyba>
TDeskriptor otevriObycejny(const std::string& cil, int priznaky, const std::string& popis)
{
    struct stat info {};
    if (::stat(cil.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw neniObycejny<TChyba>(popis, info.st_mode);
    TDeskriptor fd(otevri(cil, priznaky | O_NONBLOCK));
    if (fd.Fd() < 0 || ::fstat(fd.Fd(), &info) != 0)
        throw TChyba(PopisSystemoveChyby(popis, errno));
    if (!S_ISREG(info.st_mode))
        throw neniObycejny<TChyba>(popis, info.st_mode);
    // A regular file never blocks; the usual blocking mode is restored all the same.
    const int stav = ::fcntl(fd.Fd(), F_GETFL);
    if (stav < 0 || ::fcntl(fd.Fd(), F_SETFL, stav & ~O_NONBLOCK) != 0)
        throw TChyba(PopisSystemoveChyby(popis, errno));
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

// Closes the descriptor; when anything failed, throws the first failure.
void zavriPoZapisu(TDeskriptor& fd, bool zapsano, const std::string& popis, const std::string& smazatPriChybe = {})
{
    const int chybaZapisu = errno;
    const bool zavreno = fd.Zavri();
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
    TDeskriptor fd = otevriObycejny<ChybaZapisu>(cil, O_WRONLY, popis);
    const bool zapsano = zapisVse(fd.Fd(), obsah) &&
                         ::ftruncate(fd.Fd(), static_cast<off_t>(obsah.size())) == 0 && ::fsync(fd.Fd()) == 0;
    zavriPoZapisu(fd, zapsano, popis);
}

} // namespace

TDeskriptor& TDeskriptor::operator=(TDeskriptor&& jiny) noexcept
{
    if (this != &jiny) {
        Zavri();
        fd_ = std::exchange(jiny.fd_, -1);
    }
    return *this;
}

bool TDeskriptor::Zavri()
{
    if (fd_ < 0)
        return true;
    return ::close(std::exchange(fd_, -1)) == 0;
}

TDeskriptor OtevriKCteni(const std::string& cesta, const std::string& popis)
{
    return otevriObycejny<ChybaCteni>(cilOdkazu<ChybaCteni>(cesta, popis), O_RDONLY, popis);
}

std::string PrectiSoubor(const std::string& cesta)
{
    const std::string popis = popisSouboru(cesta);
    const TDeskriptor fd = OtevriKCteni(cesta, popis);
    std::string obsah;
    char blok[16384];
    for (;;) {
        const ssize_t n = ::read(fd.Fd(), blok, sizeof blok);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ChybaCteni(PopisSystemoveChyby(popis, errno));
        if (n == 0)
            return obsah;
        obsah.append(blok, static_cast<std::size_t>(n));
    }
}

void ZapisSouborAtomicky(const std::string& cesta, const std::string& obsah)
{
    const std::string popis = popisSouboru(cesta);
    const std::string cil = cilOdkazu<ChybaZapisu>(cesta, popis);
    struct stat puvodni {};
    const bool existuje = ::stat(cil.c_str(), &puvodni) == 0;
    if (existuje && !S_ISREG(puvodni.st_mode))
        throw neniObycejny<ChybaZapisu>(popis, puvodni.st_mode);
    // A write-protected file stays protected: replacing it would defeat that.
    if (existuje && ::access(cil.c_str(), W_OK) != 0)
        throw ChybaZapisu(PopisSystemoveChyby(popis, errno));
    std::string docasny = slozkaSouboru(cil) + ".mixor-XXXXXX";
    TDeskriptor fd(::mkostemp(docasny.data(), O_CLOEXEC));
    if (fd.Fd() < 0) {
        const int chyba = errno;
        if (!existuje)
            throw ChybaZapisu(PopisSystemoveChyby(popis, chyba));
        zapisNaMiste(cil, obsah, popis);
        return;
    }
    // The replacement gets the permissions the file had; a new file the usual ones.
    if (existuje) {
        ::fchmod(fd.Fd(), puvodni.st_mode & 07777);
    } else {
        const mode_t maska = ::umask(0);
        ::umask(maska);
        ::fchmod(fd.Fd(), 0666 & ~maska);
    }
    const bool zapsano = zapisVse(fd.Fd(), obsah) && ::fsync(fd.Fd()) == 0;
    zavriPoZapisu(fd, zapsano, popis, docasny);
    if (::rename(docasny.c_str(), cil.c_str()) != 0) {
        const int chyba = errno;
        ::unlink(docasny.c_str());
        throw ChybaZapisu(PopisSystemoveChyby(popis, chyba));
    }
}
