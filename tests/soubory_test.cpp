// Reading only regular files, and writes that keep the user's file as it was
// set up: links, permissions, and folders that take no new file.
#include <gmock/gmock.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "chyby.h"
#include "katalog.h"
#include "nacitani.h"
#include "soubory.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string obsah(const fs::path& cesta)
{
    std::ifstream in(cesta, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::perms prava(const fs::path& cesta)
{
    return fs::status(cesta).permissions() & fs::perms::mask;
}

// Names of the files a folder holds: a write leaves no temporary file behind.
std::vector<std::string> jmena(const fs::path& slozka)
{
    std::vector<std::string> vysledek;
    for (const auto& polozka : fs::directory_iterator(slozka))
        vysledek.push_back(polozka.path().filename().string());
    std::sort(vysledek.begin(), vysledek.end());
    return vysledek;
}

// The message of the failure the step throws, or "" when it throws none.
template <typename TChyba>
std::string chybaKroku(const std::function<void()>& krok)
{
    try {
        krok();
    } catch (const TChyba& chyba) {
        return chyba.what();
    }
    return {};
}

// What is not a regular file, in place of a file of the folder.
enum class TNeobycejny { Fifo, OdkazNaZarizeni, Slozka };

class NeobycejnySoubor : public ::testing::TestWithParam<TNeobycejny> {
protected:
    // Why it is refused: a folder in the system's words.
    std::string duvod() const
    {
        return GetParam() == TNeobycejny::Slozka ? std::strerror(EISDIR) : "není obyčejný soubor";
    }
    // Puts the kind of thing at the path.
    void vytvor(const fs::path& cesta)
    {
        switch (GetParam()) {
        case TNeobycejny::Fifo:
            fifo_ = std::make_unique<FifoSUvolnenim>(cesta);
            break;
        case TNeobycejny::OdkazNaZarizeni:
            fs::create_symlink("/dev/zero", cesta);
            break;
        case TNeobycejny::Slozka:
            fs::create_directory(cesta);
            break;
        }
    }
    DocasnaSlozka slozka;

private:
    std::unique_ptr<FifoSUvolnenim> fifo_;
};

TEST_P(NeobycejnySoubor, IsRefusedForReadingWithItsName)
{
    const fs::path cesta = slozka.cesta() / "volby.txt";
    vytvor(cesta);
    EXPECT_EQ(chybaKroku<ChybaCteni>([&] { PrectiSoubor(cesta.string()); }),
              "Soubor '" + cesta.string() + "': " + duvod());
    EXPECT_THAT(chybaKroku<ChybaCteni>([&] { OtevriKCteni(cesta.string(), "Volby"); }),
                "Volby: " + duvod());
}

TEST_P(NeobycejnySoubor, AsCatalogueLoadsNothingAndIsReported)
{
    const fs::path cesta = slozka.cesta() / "katalog.txt";
    vytvor(cesta);
    TSeznam seznam;
    EXPECT_THAT(chybaKroku<ChybaCteni>([&] { NactiSeznam(cesta.string(), seznam); }),
                HasSubstr("katalog.txt': " + duvod()));
    EXPECT_TRUE(seznam.Prisady.empty());
    EXPECT_TRUE(seznam.Efekty.empty());
}

TEST_P(NeobycejnySoubor, IsNotReplacedByAWrite)
{
    const fs::path cesta = slozka.cesta() / "volby.txt";
    vytvor(cesta);
    const auto pred = jmena(slozka.cesta());
    const auto druh = fs::symlink_status(cesta).type();
    EXPECT_EQ(chybaKroku<ChybaZapisu>([&] { ZapisSouborAtomicky(cesta.string(), "Volby:"); }),
              "Soubor '" + cesta.string() + "': " + duvod());
    EXPECT_EQ(fs::symlink_status(cesta).type(), druh);
    EXPECT_EQ(jmena(slozka.cesta()), pred);
}

INSTANTIATE_TEST_SUITE_P(Soubory, NeobycejnySoubor,
                         ::testing::Values(TNeobycejny::Fifo, TNeobycejny::OdkazNaZarizeni, TNeobycejny::Slozka));

TEST(CteniSouboru, ReadsARegularFileWholeAndNamesAMissingOne)
{
    DocasnaSlozka slozka;
    std::string velky(100000, 'x');
    velky[99999] = '\0';
    const fs::path cesta = slozka.zapis("data.txt", velky);
    EXPECT_EQ(PrectiSoubor(cesta.string()), velky);
    // A link to a regular file reads as the file.
    fs::create_symlink(cesta, slozka.cesta() / "odkaz.txt");
    EXPECT_EQ(PrectiSoubor((slozka.cesta() / "odkaz.txt").string()), velky);

    const std::string chybi = (slozka.cesta() / "chybi.txt").string();
    EXPECT_THAT(chybaKroku<ChybaCteni>([&] { PrectiSoubor(chybi); }),
                HasSubstr("Soubor '" + chybi + "': No such file or directory"));
}

TEST(CteniSouboru, DescriptorReadsInBlockingMode)
{
    DocasnaSlozka slozka;
    const fs::path cesta = slozka.zapis("data.txt", "abc");
    const TDeskriptor fd = OtevriKCteni(cesta.string(), "Data");
    const int stav = ::fcntl(fd.Fd(), F_GETFL);
    const int fdStav = ::fcntl(fd.Fd(), F_GETFD);
    EXPECT_EQ(stav & O_NONBLOCK, 0);
    EXPECT_EQ(stav & O_ACCMODE, O_RDONLY);
    EXPECT_NE(fdStav & FD_CLOEXEC, 0);
}

std::size_t otevrenychSouboru()
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

TEST(CteniSouboru, ReadingThatRunsOutOfMemoryClosesTheFile)
{
    DocasnaSlozka slozka;
    const fs::path cesta = slozka.zapis("velky.txt", "");
    fs::resize_file(cesta, std::uintmax_t{1} << 30);  // sparse: zeros that take no disk
    // In a child whose address space is capped a little above what it uses.
    const pid_t dite = ::fork();
    if (dite == 0) {
        const std::size_t pred = otevrenychSouboru();
        std::size_t stranek = 0;
        std::ifstream("/proc/self/statm") >> stranek;
        const rlim_t mez = stranek * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (64u << 20);
        const rlimit omezeni{mez, mez};
        bool dosloPameti = false;
        if (::setrlimit(RLIMIT_AS, &omezeni) == 0) {
            try {
                PrectiSoubor(cesta.string());
            } catch (const std::bad_alloc&) {
                dosloPameti = true;
            }
        }
        ::_exit(!dosloPameti ? 2 : otevrenychSouboru() == pred ? 0 : 1);
    }
    int stav = 0;
    ASSERT_EQ(::waitpid(dite, &stav, 0), dite);
    ASSERT_TRUE(WIFEXITED(stav));
    // User-mode emulation (the 32-bit build under qemu) does not enforce the
    // guest's address-space limit, so the read cannot run out there.
    if (WEXITSTATUS(stav) == 2)
        GTEST_SKIP() << "the address-space limit is not enforced here";
    EXPECT_EQ(WEXITSTATUS(stav), 0) << "a descriptor stayed open";
}

TEST(ZapisSouboru, NewFileGetsTheBytesAndTheUsualPermissions)
{
    DocasnaSlozka slozka;
    const fs::path cesta = slozka.cesta() / "novy.txt";
    const mode_t puvodniMaska = ::umask(022);
    ZapisSouborAtomicky(cesta.string(), std::string("Volby:\r\n\0x", 10));
    ::umask(puvodniMaska);
    EXPECT_EQ(obsah(cesta), std::string("Volby:\r\n\0x", 10));
    EXPECT_EQ(prava(cesta), fs::perms(0644));
    EXPECT_THAT(jmena(slozka.cesta()), ::testing::ElementsAre("novy.txt"));
}

TEST(ZapisSouboru, ReplacementKeepsThePermissionsOfTheFile)
{
    DocasnaSlozka slozka;
    const fs::path cesta = slozka.zapis("volby.txt", "stary obsah, delsi nez novy");
    fs::permissions(cesta, fs::perms(0604));
    ZapisSouborAtomicky(cesta.string(), "Volby:");
    EXPECT_EQ(obsah(cesta), "Volby:");
    EXPECT_EQ(prava(cesta), fs::perms(0604));
    EXPECT_THAT(jmena(slozka.cesta()), ::testing::ElementsAre("volby.txt"));
}

TEST(ZapisSouboru, LinkStaysALinkAndItsTargetIsUpdated)
{
    DocasnaSlozka slozka;
    fs::create_directory(slozka.cesta() / "nastaveni");
    const fs::path cil = slozka.zapis("nastaveni/volby.txt", "stare");
    fs::permissions(cil, fs::perms(0600));
    // A relative link to a relative link, and an absolute one.
    fs::create_symlink("nastaveni/volby.txt", slozka.cesta() / "mezi.txt");
    fs::create_symlink("mezi.txt", slozka.cesta() / "volby.txt");
    fs::create_symlink(cil, slozka.cesta() / "absolutni.txt");

    ZapisSouborAtomicky((slozka.cesta() / "volby.txt").string(), "Volby:\r\n Barevny tisk");
    EXPECT_TRUE(fs::is_symlink(slozka.cesta() / "volby.txt"));
    EXPECT_TRUE(fs::is_symlink(slozka.cesta() / "mezi.txt"));
    EXPECT_EQ(fs::read_symlink(slozka.cesta() / "volby.txt"), "mezi.txt");
    EXPECT_EQ(obsah(cil), "Volby:\r\n Barevny tisk");
    EXPECT_EQ(prava(cil), fs::perms(0600));

    ZapisSouborAtomicky((slozka.cesta() / "absolutni.txt").string(), "Volby:");
    EXPECT_TRUE(fs::is_symlink(slozka.cesta() / "absolutni.txt"));
    EXPECT_EQ(obsah(cil), "Volby:");
    EXPECT_THAT(jmena(slozka.cesta() / "nastaveni"), ::testing::ElementsAre("volby.txt"));
}

TEST(ZapisSouboru, LinkToAMissingFileCreatesItsTargetAndALoopIsReported)
{
    DocasnaSlozka slozka;
    fs::create_symlink("skutecny.txt", slozka.cesta() / "volby.txt");
    ZapisSouborAtomicky((slozka.cesta() / "volby.txt").string(), "Volby:");
    EXPECT_TRUE(fs::is_symlink(slozka.cesta() / "volby.txt"));
    EXPECT_EQ(obsah(slozka.cesta() / "skutecny.txt"), "Volby:");

    fs::create_symlink("kruh.txt", slozka.cesta() / "kruh.txt");
    const std::string kruh = (slozka.cesta() / "kruh.txt").string();
    EXPECT_THAT(chybaKroku<ChybaZapisu>([&] { ZapisSouborAtomicky(kruh, "x"); }),
                HasSubstr("Soubor '" + kruh + "': "));
    EXPECT_TRUE(fs::is_symlink(kruh));
}

// Runs the step as a user without privileges and returns the message of the
// ChybaZapisu it throws, or "" when it throws none. Root may write into any
// folder, so under root the step runs in a child process that drops them.
std::string zapisBezOpravneni(const std::function<void()>& krok)
{
    if (::geteuid() != 0)
        return chybaKroku<ChybaZapisu>(krok);
    int roura[2];
    if (::pipe(roura) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t dite = ::fork();
    if (dite == 0) {
        ::close(roura[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const std::string zprava = chybaKroku<ChybaZapisu>(krok);
        const bool zapsano = ::write(roura[1], zprava.data(), zprava.size()) == static_cast<ssize_t>(zprava.size());
        ::_exit(zapsano ? 0 : 3);
    }
    ::close(roura[1]);
    std::string zprava;
    char blok[256];
    ssize_t n;
    while ((n = ::read(roura[0], blok, sizeof blok)) > 0)
        zprava.append(blok, static_cast<std::size_t>(n));
    ::close(roura[0]);
    int stav = 0;
    ::waitpid(dite, &stav, 0);
    if (!WIFEXITED(stav) || WEXITSTATUS(stav) != 0)
        throw std::runtime_error("the unprivileged step did not run");
    return zprava;
}

class ZamcenaSlozka : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(slozka.cesta(), fs::perms(0755));
        zamcena = slozka.cesta() / "zamcena";
        fs::create_directory(zamcena);
        volby = slozka.zapis("zamcena/volby.txt", "Volby:\r\n Zaradit Tribunal, a delsi text");
    }
    void TearDown() override { fs::permissions(zamcena, fs::perms(0755)); }
    void zamkni() { fs::permissions(zamcena, fs::perms(0555)); }

    DocasnaSlozka slozka;
    fs::path zamcena;
    fs::path volby;
};

TEST_F(ZamcenaSlozka, WritableFileIsWrittenInPlace)
{
    fs::permissions(volby, fs::perms(0666));
    zamkni();
    EXPECT_EQ(zapisBezOpravneni([&] { ZapisSouborAtomicky(volby.string(), "Volby:\r\n Barevny tisk"); }), "");
    EXPECT_EQ(obsah(volby), "Volby:\r\n Barevny tisk");
    EXPECT_EQ(prava(volby), fs::perms(0666));
    EXPECT_THAT(jmena(zamcena), ::testing::ElementsAre("volby.txt"));
}

TEST_F(ZamcenaSlozka, NewOrProtectedFileIsAFailureAndNothingChanges)
{
    fs::permissions(volby, fs::perms(0444));
    zamkni();
    EXPECT_THAT(zapisBezOpravneni([&] { ZapisSouborAtomicky(volby.string(), "Volby:"); }),
                HasSubstr("Soubor '" + volby.string() + "': Permission denied"));
    EXPECT_EQ(obsah(volby), "Volby:\r\n Zaradit Tribunal, a delsi text");

    const fs::path novy = zamcena / "novy.txt";
    EXPECT_THAT(zapisBezOpravneni([&] { ZapisSouborAtomicky(novy.string(), "Volby:"); }),
                HasSubstr("Soubor '" + novy.string() + "': Permission denied"));
    EXPECT_THAT(jmena(zamcena), ::testing::ElementsAre("volby.txt"));
}

// A link to a file of the running user, in a folder that other users may
// write into: where the kernel's rule for such folders would not follow the
// link, neither reading nor writing does, and the target stays as it was.
struct TOdkazVeSlozce {
    const char* Popis;
    mode_t PravaSlozky;
    uid_t VlastnikSlozky;
    uid_t VlastnikOdkazu;
    bool Nasleduje;
};

void PrintTo(const TOdkazVeSlozce& pripad, std::ostream* out)
{
    *out << pripad.Popis;
}

class OdkazVeSdileneSlozce : public ::testing::TestWithParam<TOdkazVeSlozce> {};

constexpr uid_t kJiny = 54321;

TEST_P(OdkazVeSdileneSlozce, IsFollowedOnlyWhereTheKernelRuleAllows)
{
    const TOdkazVeSlozce& pripad = GetParam();
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    DocasnaSlozka slozka;
    const fs::path cil = slozka.zapis("moje.txt", "moje");
    const fs::path sdilena = slozka.cesta() / "sdilena";
    fs::create_directory(sdilena);
    ASSERT_EQ(::chmod(sdilena.c_str(), pripad.PravaSlozky), 0);
    ASSERT_EQ(::chown(sdilena.c_str(), pripad.VlastnikSlozky, static_cast<gid_t>(-1)), 0);
    const fs::path odkaz = sdilena / "volby.txt";
    fs::create_symlink(cil, odkaz);
    ASSERT_EQ(::lchown(odkaz.c_str(), pripad.VlastnikOdkazu, static_cast<gid_t>(-1)), 0);

    const std::string odmitnuti = "Soubor '" + odkaz.string() + "': je odkaz jiného uživatele ve sdílené složce";
    const std::string chybaCteni = chybaKroku<ChybaCteni>([&] { EXPECT_EQ(PrectiSoubor(odkaz.string()), "moje"); });
    const std::string chybaZapisu = chybaKroku<ChybaZapisu>([&] { ZapisSouborAtomicky(odkaz.string(), "Volby:"); });
    EXPECT_EQ(chybaCteni, pripad.Nasleduje ? "" : odmitnuti) << pripad.Popis;
    EXPECT_EQ(chybaZapisu, pripad.Nasleduje ? "" : odmitnuti) << pripad.Popis;
    EXPECT_EQ(obsah(cil), pripad.Nasleduje ? "Volby:" : "moje") << pripad.Popis;
    EXPECT_TRUE(fs::is_symlink(odkaz));
    EXPECT_THAT(jmena(sdilena), ::testing::ElementsAre("volby.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Soubory, OdkazVeSdileneSlozce,
    ::testing::Values(TOdkazVeSlozce{"planted by another user", 01777, 0, kJiny, false},
                      TOdkazVeSlozce{"the running user's own", 01777, kJiny, 0, true},
                      TOdkazVeSlozce{"the folder owner's", 01777, kJiny, kJiny, true},
                      TOdkazVeSlozce{"not sticky", 0777, 0, kJiny, true},
                      TOdkazVeSlozce{"sticky, not world-writable", 01775, 0, kJiny, true}));

} // namespace
