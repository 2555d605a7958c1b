// The helpers the printing tests rely on: reading a PDF's title, text and
// colours, and finding the PDF that the spooler's test queue made of a job.
#include <gmock/gmock.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <map>
#include <unistd.h>

#include "tisk_support.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const QString kText = QString::fromUtf8("Zkouška tisku ěščř");

// A file of a fresh temporary folder, removed with the object.
class DocasnySoubor {
public:
    explicit DocasnySoubor(const std::string& jmeno)
    {
        static std::atomic<int> poradi{0};
        slozka_ = fs::temp_directory_path() /
                  ("tisk_infra_" + std::to_string(getpid()) + "_" + std::to_string(poradi++));
        fs::create_directories(slozka_);
        cesta_ = slozka_ / jmeno;
    }
    ~DocasnySoubor()
    {
        std::error_code ec;
        fs::remove_all(slozka_, ec);
    }
    const fs::path& cesta() const { return cesta_; }

private:
    fs::path slozka_;
    fs::path cesta_;
};

// One page with kText in the given colour, top left.
bool NakresliStranu(QPrinter& tiskarna, const QColor& barva)
{
    QPainter painter;
    if (!painter.begin(&tiskarna))
        return false;
    QFont pismo = painter.font();
    pismo.setPointSize(24);
    painter.setFont(pismo);
    painter.setPen(barva);
    painter.drawText(painter.window(), Qt::AlignLeft | Qt::AlignTop, kText);
    return painter.end();
}

// Red pixels: red clearly above green and blue.
std::size_t CerveneBody(const Obrazek& obrazek)
{
    std::size_t pocet = 0;
    for (int y = 0; y < obrazek.vyska; ++y)
        for (int x = 0; x < obrazek.sirka; ++x) {
            const auto b = obrazek.bod(x, y);
            if (b.r - std::max(b.g, b.b) > 60)
                ++pocet;
        }
    return pocet;
}

TEST(TitulZBajtu, SpoolerTitleLosesItsParentheses)
{
    EXPECT_EQ(TitulZBajtu("(Mixor\xC5\xAFv z\xC3\xA1pisn\xC3\xAD\xC4\x8D"
                          "ek)"),
              "Mixorův zápisníček");
    EXPECT_EQ(TitulZBajtu("((x))"), "(x)");
    EXPECT_EQ(TitulZBajtu("bez z\xC3\xA1vorek"), "bez závorek");
}

TEST(TitulZBajtu, Utf16KeepsEverything)
{
    using namespace std::string_literals;
    EXPECT_EQ(TitulZBajtu("\xFE\xFF\x00(\x01\x6F\x00)"s), "(ů)");
    EXPECT_EQ(TitulZBajtu("\xFE\xFF\xD8\x3D\xDE\x00"s), "\xF0\x9F\x98\x80");
}

TEST(TitulZBajtu, OtherBytesAreLatin1)
{
    EXPECT_EQ(TitulZBajtu("caf\xE9"), "café");
}

TEST(TitulPdf, ReadsEscapedLiteralAndHexStrings)
{
    DocasnySoubor soubor("a.pdf");
    {
        std::ofstream out(soubor.cesta(), std::ios::binary);
        out << "%PDF-1.4\n1 0 obj <</Title (stary)>> endobj\n"
               "2 0 obj <</Title(\\(Mixor\\305\\257v \\(x\\) a\\\\b\\))/Author(root)>> endobj\n%%EOF\n";
    }
    EXPECT_EQ(TitulPdf(soubor.cesta()), "Mixorův (x) a\\b");

    {
        std::ofstream out(soubor.cesta(), std::ios::binary);
        out << "%PDF-1.4\n1 0 obj <</Title <FEFF004D016F>>> endobj\n%%EOF\n";
    }
    EXPECT_EQ(TitulPdf(soubor.cesta()), "Mů");
}

// The reading helpers on a PDF that Qt writes itself, without the spooler.
TEST(CteniPdf, TitleTextAndColoursOfAQtPdf)
{
    DocasnySoubor cerveny("cerveny.pdf");
    DocasnySoubor cerny("cerny.pdf");
    for (const auto& [soubor, barva] : {std::pair{&cerveny, QColor(200, 0, 0)}, std::pair{&cerny, QColor(Qt::black)}}) {
        QPrinter tiskarna(QPrinter::HighResolution);
        tiskarna.setOutputFormat(QPrinter::PdfFormat);
        tiskarna.setOutputFileName(QString::fromStdString(soubor->cesta().string()));
        tiskarna.setDocName(QString::fromUtf8("Čtení (PDF)"));
        ASSERT_TRUE(NakresliStranu(tiskarna, barva));
    }

    EXPECT_EQ(TitulPdf(cerveny.cesta()), "Čtení (PDF)");
    EXPECT_THAT(TextPdf(cerveny.cesta()), HasSubstr("Zkouška tisku ěščř"));
    EXPECT_EQ(PocetStranPdf(cerveny.cesta()), 1);

    const auto strana = StranaPdf(cerveny.cesta());
    ASSERT_TRUE(strana.has_value());
    EXPECT_GT(strana->sirka, 300); // A4 at 50 dpi: 413 x 585
    EXPECT_GT(strana->vyska, 500);
    EXPECT_GT(BarevneBody(*strana), 50u);
    EXPECT_GT(CerveneBody(*strana), 50u);

    const auto cerna = StranaPdf(cerny.cesta());
    ASSERT_TRUE(cerna.has_value());
    EXPECT_EQ(BarevneBody(*cerna), 0u);
    EXPECT_LT(std::count(cerna->rgb.begin(), cerna->rgb.end(), 255), static_cast<long>(cerna->rgb.size()))
        << "the black page rendered blank";

    EXPECT_FALSE(StranaPdf(cerveny.cesta(), 2).has_value());
}

// The PDF of a job is found by its title (and text), once a second look
// finds it complete.
TEST(HotovyPdf, FindsTheFinishedPdfOfTheTitleOnly)
{
    DocasnySoubor soubor("job_1-zapisnik.pdf");
    const auto od = fs::file_time_type::clock::now() - std::chrono::seconds(1);
    {
        QPrinter tiskarna(QPrinter::HighResolution);
        tiskarna.setOutputFormat(QPrinter::PdfFormat);
        tiskarna.setOutputFileName(QString::fromStdString(soubor.cesta().string()));
        tiskarna.setDocName(QString::fromUtf8("Mixorův zápisníček"));
        ASSERT_TRUE(NakresliStranu(tiskarna, Qt::black));
    }
    qputenv("MIXOR_PDF_DIR", QByteArray::fromStdString(soubor.cesta().parent_path().string()));
    const std::string titul = "Mixorův zápisníček";
    struct TPripad {
        std::string Titul;
        std::string Text;
        fs::file_time_type Od;
        bool Najde;
    };
    const TPripad pripady[] = {
        {titul, "", od, true},
        {titul, "Zkouška tisku", od, true},
        {titul, "jiný text", od, false},
        {titul + " jiný", "", od, false},
        {titul, "", fs::file_time_type::clock::now() + std::chrono::hours(1), false},
    };
    for (const TPripad& p : pripady) {
        std::map<fs::path, std::uintmax_t> velikosti;
        // The first look only learns the size.
        EXPECT_FALSE(HotovyPdf(p.Titul, p.Od, p.Text, velikosti).has_value()) << p.Titul << " / " << p.Text;
        const auto druhy = HotovyPdf(p.Titul, p.Od, p.Text, velikosti);
        EXPECT_EQ(druhy.has_value(), p.Najde) << p.Titul << " / " << p.Text;
        if (druhy) {
            EXPECT_EQ(*druhy, soubor.cesta());
        }
    }
    qunsetenv("MIXOR_PDF_DIR");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleMock(&argc, argv);
    QGuiApplication aplikace(argc, argv);
    return RUN_ALL_TESTS();
}
