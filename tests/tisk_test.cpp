// Printing the notebook in colour and in black: into PDF files through a
// printer of the tests' own, and through the print spooler's test queues
// (scripts/cups-setup.sh), which the tests name themselves through PRINTER.
// No test prints on the machine's default printer.
#include <gmock/gmock.h>

#include <QPageSize>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cups/cups.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "okno_support.h"
#include "rtf.h"
#include "rtf_qt.h"
#include "tisk.h"
#include "tisk_support.h"
#include "ztext.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kTitul = "Mixorův zápisníček";
const char* const kZadnaFronta = "mixor-zadna-takova";

// A printer that keeps each job's PDF in a folder, or refuses the job.
class TSouborovaTiskarna : public TTiskarna {
public:
    explicit TSouborovaTiskarna(fs::path slozka) : slozka_(std::move(slozka)) {}

    QPageLayout Rozvrzeni() override { return rozvrzeni; }
    void Odesli(const QString& pdf, const QString& titul) override
    {
        if (!odmitnuti.empty())
            throw TChybaTisku(odmitnuti);
        const fs::path kopie = slozka_ / ("job_" + std::to_string(ulohy.size() + 1) + ".pdf");
        fs::copy_file(pdf.toStdString(), kopie);
        ulohy.push_back({kopie, titul});
    }

    struct TUloha {
        fs::path Pdf;
        QString Titul;
    };
    std::vector<TUloha> ulohy;
    QPageLayout rozvrzeni{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                          QPageLayout::Millimeter};
    std::string odmitnuti;

private:
    fs::path slozka_;
};

// Sets (or, given nullptr, removes) an environment variable for the scope
// and restores it afterwards.
class TPromenna {
public:
    TPromenna(const char* jmeno, const char* hodnota) : jmeno_(jmeno)
    {
        if (const char* puvodni = std::getenv(jmeno))
            puvodni_ = puvodni;
        if (hodnota != nullptr)
            setenv(jmeno, hodnota, 1);
        else
            unsetenv(jmeno);
    }
    TPromenna(const TPromenna&) = delete;
    TPromenna& operator=(const TPromenna&) = delete;
    ~TPromenna()
    {
        if (puvodni_)
            setenv(jmeno_, puvodni_->c_str(), 1);
        else
            unsetenv(jmeno_);
    }

private:
    const char* jmeno_;
    std::optional<std::string> puvodni_;
};

// A print spooler with no printers at all: a socket on which every IPP
// request gets the answer "not found" (client-error-not-found).
class TPrazdnyCups {
public:
    explicit TPrazdnyCups(const fs::path& soket) : cesta_(soket.string())
    {
        naslouchani_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un adresa{};
        adresa.sun_family = AF_UNIX;
        if (cesta_.size() >= sizeof adresa.sun_path)
            throw std::runtime_error("socket path too long: " + cesta_);
        cesta_.copy(adresa.sun_path, cesta_.size());
        if (bind(naslouchani_, reinterpret_cast<sockaddr*>(&adresa), sizeof adresa) != 0 ||
            listen(naslouchani_, 4) != 0)
            throw std::runtime_error("cannot listen on " + cesta_);
        vlakno_ = std::thread([this] { obsluhuj(); });
    }
    ~TPrazdnyCups()
    {
        konec_ = true;
        vlakno_.join();
        close(naslouchani_);
        unlink(cesta_.c_str());
    }
    const std::string& Cesta() const { return cesta_; }

private:
    void obsluhuj()
    {
        while (!konec_) {
            pollfd cekani{naslouchani_, POLLIN, 0};
            if (poll(&cekani, 1, 10) <= 0)
                continue;
            const int spojeni = accept(naslouchani_, nullptr, nullptr);
            if (spojeni < 0)
                continue;
            while (!konec_ && odpovez(spojeni)) {
            }
            close(spojeni);
        }
    }

    // Reads one HTTP request with its IPP body and answers it; false when
    // the client has gone.
    bool odpovez(int spojeni)
    {
        std::string data;
        std::size_t konecHlavicky;
        while ((konecHlavicky = data.find("\r\n\r\n")) == std::string::npos)
            if (!docti(spojeni, data))
                return false;
        const std::string hlavicka = data.substr(0, konecHlavicky);
        data.erase(0, konecHlavicky + 4);
        auto pole = [&](const std::string& jmeno) {
            std::string mala = hlavicka;
            std::transform(mala.begin(), mala.end(), mala.begin(), ::tolower);
            const auto kde = mala.find("\r\n" + jmeno + ":");
            if (kde == std::string::npos)
                return std::string();
            const auto od = hlavicka.find_first_not_of(' ', kde + jmeno.size() + 3);
            return hlavicka.substr(od, hlavicka.find("\r\n", od) - od);
        };
        if (pole("expect") == "100-continue")
            posli(spojeni, "HTTP/1.1 100 Continue\r\n\r\n");
        const std::size_t delka = std::strtoul(pole("content-length").c_str(), nullptr, 10);
        while (data.size() < std::max<std::size_t>(delka, 8))
            if (!docti(spojeni, data))
                return false;
        // Version 2.0, status not found, the request's id, then the
        // operation attributes every response carries.
        std::string ipp{"\x02\x00\x04\x06", 4};
        ipp += data.substr(4, 4);
        ipp += std::string("\x01\x47\x00\x12", 4) + "attributes-charset" + std::string("\x00\x05", 2) + "utf-8";
        ipp += std::string("\x48\x00\x1b", 3) + "attributes-natural-language" + std::string("\x00\x02", 2) + "en";
        ipp += '\x03';
        posli(spojeni, "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                           std::to_string(ipp.size()) + "\r\n\r\n" + ipp);
        return true;
    }

    bool docti(int spojeni, std::string& data)
    {
        pollfd cekani{spojeni, POLLIN, 0};
        while (poll(&cekani, 1, 10) == 0)
            if (konec_)
                return false;
        char blok[4096];
        const ssize_t n = read(spojeni, blok, sizeof blok);
        if (n <= 0)
            return false;
        data.append(blok, static_cast<std::size_t>(n));
        return true;
    }

    static void posli(int spojeni, const std::string& data)
    {
        for (std::size_t odeslano = 0; odeslano < data.size();) {
            const ssize_t n = write(spojeni, data.data() + odeslano, data.size() - odeslano);
            if (n <= 0)
                return;
            odeslano += static_cast<std::size_t>(n);
        }
    }

    std::string cesta_;
    int naslouchani_ = -1;
    std::atomic<bool> konec_{false};
    std::thread vlakno_;
};

class Tisk : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu("Alfa\tJed\t\nBeta\tJed\t\n");
        ed = f().Ztext;
        // Some coloured text of the user's below the navy header.
        ed->setFocus();
        QTextCharFormat cervena;
        cervena.setForeground(QColor(255, 0, 0));
        cervena.setFontPointSize(20);
        ed->mergeCurrentCharFormat(cervena);
        QTest::keyClicks(ed, QStringLiteral("Cervena poznamka"));
        fs::create_directory(slozka.cesta() / "tiskarna");
        auto tiskarna = std::make_unique<TSouborovaTiskarna>(slozka.cesta() / "tiskarna");
        tiskarna_ = tiskarna.get();
        zapisnik().NastavTiskarnu(std::move(tiskarna));
    }

    TDokument obsah() const { return Normalizuj(DokumentZTextu(*ed->document())); }

    // The notebook after a print is as before it, ready for typing.
    void ocekavejZapisnikJakoPred(const TDokument& predtim)
    {
        EXPECT_EQ(obsah(), predtim);
        EXPECT_FALSE(fs::exists(slozka.cesta() / "$$print.rtf"));
        EXPECT_FALSE(ed->isReadOnly());
        EXPECT_TRUE(ed->DotykaSeChranenych(0, 1));
    }

    // Prints once in colour, once in black; each must give one report
    // whose text matches, and leave the notebook as it was.
    void ocekavejChybuObouTisku(const testing::Matcher<std::string>& text)
    {
        const TDokument predtim = obsah();
        for (const bool barevne : {true, false}) {
            SCOPED_TRACE(barevne ? "colour" : "black");
            zpravy.clear();
            f().Obarvy->setChecked(barevne);
            f().Zprint->click();
            ASSERT_EQ(zpravy.size(), 1u);
            EXPECT_EQ(zpravy[0].Ikona, QMessageBox::Critical);
            EXPECT_EQ(zpravy[0].Titulek, TAplikace::Titul());
            EXPECT_THAT(zpravy[0].Text.toStdString(), text);
            ocekavejZapisnikJakoPred(predtim);
        }
    }

    TSouborovaTiskarna& tiskarna() { return *tiskarna_; }

    TZapisnik* ed = nullptr;

private:
    TSouborovaTiskarna* tiskarna_ = nullptr;
};

// The leftmost column that holds a dark pixel; -1 for a blank page.
int PrvniTmavySloupec(const Obrazek& strana)
{
    for (int x = 0; x < strana.sirka; ++x)
        for (int y = 0; y < strana.vyska; ++y) {
            const auto b = strana.bod(x, y);
            if (b.r + b.g + b.b < 3 * 160)
                return x;
        }
    return -1;
}

TEST_F(Tisk, ColourPrintIsOneTitledJobInColourAndWritesNoScratchCopy)
{
    // A directory in the scratch copy's place would make any attempt fail.
    fs::create_directory(slozka.cesta() / "$$print.rtf");
    const TDokument predtim = obsah();
    f().Zprint->click();

    EXPECT_TRUE(zpravy.empty());
    ASSERT_EQ(tiskarna().ulohy.size(), 1u);
    const auto& uloha = tiskarna().ulohy[0];
    EXPECT_EQ(uloha.Titul.toStdString(), kTitul);
    EXPECT_EQ(TitulPdf(uloha.Pdf), kTitul);
    const std::string text = TextPdf(uloha.Pdf);
    EXPECT_THAT(text, HasSubstr("Mixorův průvodce 2"));
    EXPECT_THAT(text, HasSubstr("Cervena poznamka"));
    EXPECT_EQ(PocetStranPdf(uloha.Pdf), 1);
    const auto strana = StranaPdf(uloha.Pdf);
    ASSERT_TRUE(strana.has_value());
    EXPECT_GT(BarevneBody(*strana), 20u);
    EXPECT_EQ(obsah(), predtim);
    EXPECT_FALSE(ed->isReadOnly());
}

TEST_F(Tisk, BlackPrintIsAllBlackAndRestoresEveryColour)
{
    f().Obarvy->setChecked(false);
    const TDokument predtim = obsah();
    ed->document()->setModified(false);
    f().Zprint->click();

    EXPECT_FALSE(ed->document()->isModified());  // nothing to save came of it
    EXPECT_TRUE(zpravy.empty());
    ASSERT_EQ(tiskarna().ulohy.size(), 1u);
    const fs::path& pdf = tiskarna().ulohy[0].Pdf;
    EXPECT_EQ(TitulPdf(pdf), kTitul);
    EXPECT_THAT(TextPdf(pdf), HasSubstr("Cervena poznamka"));
    const auto strana = StranaPdf(pdf);
    ASSERT_TRUE(strana.has_value());
    EXPECT_EQ(BarevneBody(*strana, 10), 0u);
    EXPECT_NE(PrvniTmavySloupec(*strana), -1) << "the black print came out blank";

    ocekavejZapisnikJakoPred(predtim);
    EXPECT_EQ(ed->textCursor().position(), ed->document()->characterCount() - 1);
}

TEST_F(Tisk, SheetAndPrintableAreaAreThePrinters)
{
    // Letter with a wide left margin; the notebook keeps its own margin
    // of 2 cm inside the printable area.
    tiskarna().rozvrzeni =
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(60, 10, 10, 10),
                    QPageLayout::Millimeter);
    f().Zprint->click();
    ASSERT_EQ(tiskarna().ulohy.size(), 1u);
    const auto strana = StranaPdf(tiskarna().ulohy[0].Pdf, 1, 72);
    ASSERT_TRUE(strana.has_value());
    EXPECT_EQ(strana->sirka, 612); // Letter in points
    EXPECT_EQ(strana->vyska, 792);
    // 60 mm + 20 mm at 72 dpi: 227 points, less a little for the glyphs' sides.
    EXPECT_GE(PrvniTmavySloupec(*strana), 220);
}

TEST_F(Tisk, RefusedPrintIsReportedAndLeavesTheNotebook)
{
    tiskarna().odmitnuti = "Zápisníček se nepodařilo vytisknout: tiskárna odmítla úlohu";
    ocekavejChybuObouTisku(testing::Eq("Zápisníček se nepodařilo vytisknout: tiskárna odmítla úlohu."));
    EXPECT_TRUE(tiskarna().ulohy.empty());
}

TEST_F(Tisk, ScratchCopyThatCannotBeWrittenStopsTheBlackPrint)
{
    fs::create_directory(slozka.cesta() / "$$print.rtf");
    f().Obarvy->setChecked(false);
    const TDokument predtim = obsah();
    f().Zprint->click();
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_TRUE(zpravy[0].Text.contains(QStringLiteral("$$print.rtf"))) << zpravy[0].Text.toStdString();
    EXPECT_TRUE(tiskarna().ulohy.empty());
    EXPECT_EQ(obsah(), predtim);
    EXPECT_FALSE(ed->isReadOnly());
}

// Through the print spooler: the window's own printer, the default
// destination as libcups finds it, with PRINTER naming a test queue.
class TiskCups : public Tisk {
protected:
    void SetUp() override
    {
        Tisk::SetUp();
        zapisnik().NastavTiskarnu(nullptr);
    }
    void TearDown() override
    {
        cupsSetServer(nullptr);
        Tisk::TearDown();
    }

    // LPDEST would win over PRINTER. A test that forgets to name its queue
    // finds no printer rather than the machine's default.
    TPromenna bezLpdest_{"LPDEST", nullptr};
    TPromenna zadnaTiskarna_{"PRINTER", kZadnaFronta};

    // False, with the test skipped, when the spooler or the queue is
    // missing; under CI that fails instead.
    bool potrebujeFrontu(const char* fronta)
    {
        if (FrontaExistuje(fronta))
            return true;
        const char* ci = std::getenv("CI");
        if (ci != nullptr && *ci != '\0')
            ADD_FAILURE() << "no print queue " << fronta << "; scripts/cups-setup.sh should have made it";
        return false;
    }

    void ocekavejChybuObouTisku(const QString& zacatek)
    {
        Tisk::ocekavejChybuObouTisku(StartsWith(zacatek.toStdString()));
    }
};

TEST_F(TiskCups, QueueThatRejectsJobsIsReportedInItsOwnWords)
{
    if (!potrebujeFrontu(kFrontaOdmita))
        GTEST_SKIP() << "no print queue " << kFrontaOdmita << " (run scripts/cups-setup.sh)";
    TPromenna tiskarna("PRINTER", kFrontaOdmita);
    ocekavejChybuObouTisku(QStringLiteral("Zápisníček se nepodařilo vytisknout: "));
    // The spooler's message names the queue, in any language.
    EXPECT_TRUE(zpravy.back().Text.contains(QLatin1String(kFrontaOdmita))) << zpravy.back().Text.toStdString();
}

TEST_F(TiskCups, PrintServiceThatIsNotRunningIsNamed)
{
    // A scheduler's socket where none listens.
    cupsSetServer((slozka.cesta() / "cups.sock").c_str());
    ocekavejChybuObouTisku(QStringLiteral("Zápisníček nelze vytisknout: tisková služba neběží"));
}

TEST_F(TiskCups, MissingDefaultPrinterIsNamed)
{
    // A spooler without printers.
    {
        const TPrazdnyCups prazdny(slozka.cesta() / "cups.sock");
        TPromenna bezTiskarny("PRINTER", nullptr);
        cupsSetServer(prazdny.Cesta().c_str());
        ocekavejChybuObouTisku(QStringLiteral("Zápisníček nelze vytisknout: není nastavena výchozí tiskárna"));
        cupsSetServer(nullptr);
    }
    // A default named by PRINTER that the real spooler does not have.
    if (!potrebujeFrontu(kFrontaPdf))
        GTEST_SKIP() << "no print spooler with the test queues (run scripts/cups-setup.sh)";
    TPromenna tiskarna("PRINTER", kZadnaFronta);
    ocekavejChybuObouTisku(QStringLiteral("Zápisníček nelze vytisknout: není nastavena výchozí tiskárna"));
}

TEST_F(TiskCups, SheetIsTheQueuesDefault)
{
    if (!potrebujeFrontu(kFrontaPdf))
        GTEST_SKIP() << "no print queue " << kFrontaPdf << " (run scripts/cups-setup.sh)";
    TPromenna tiskarna("PRINTER", kFrontaPdf);
    // The set-up script gives the queue A4.
    EXPECT_EQ(TiskarnaCups()->Rozvrzeni().pageSize().id(), QPageSize::A4);
}

// The one test that waits for the spooler: a job on the PDF queue arrives
// as a PDF with the notebook's title, text and colours.
TEST_F(TiskCups, ColourPrintArrivesThroughThePdfQueue)
{
    if (!potrebujeFrontu(kFrontaPdf))
        GTEST_SKIP() << "no print queue " << kFrontaPdf << " (run scripts/cups-setup.sh)";
    TPromenna tiskarna("PRINTER", kFrontaPdf);
    const std::string znacka = "Tisk " + std::to_string(getpid());
    QTest::keyClicks(ed, QStringLiteral(" ") + QString::fromStdString(znacka));
    const auto od = fs::file_time_type::clock::now();
    f().Zprint->click();
    ASSERT_TRUE(zpravy.empty()) << zpravy[0].Text.toStdString();

    // The spooler converts the job twice; a small page takes a few seconds.
    const auto pdf = CekejNaPdf(kTitul, od, std::chrono::seconds(10), znacka);
    ASSERT_TRUE(pdf.has_value()) << "no PDF titled '" << kTitul << "' in " << SlozkaPdf()
                                 << " (see /var/log/cups/error_log and cups-pdf-*_log)";
    EXPECT_EQ(TitulPdf(*pdf), kTitul);
    EXPECT_THAT(TextPdf(*pdf), HasSubstr("Mixorův průvodce 2"));
    const auto strana = StranaPdf(*pdf);
    ASSERT_TRUE(strana.has_value());
    EXPECT_GT(BarevneBody(*strana), 20u);
    std::error_code ec;
    fs::remove(*pdf, ec);
}

} // namespace
