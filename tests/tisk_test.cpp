// Printing the notebook through the default printer, in colour and in black.
#include <gmock/gmock.h>

#include <QTest>
#include <QTextBlock>
#include <cstdlib>

#include "okno_support.h"
#include "rtf.h"
#include "rtf_qt.h"
#include "tisk_support.h"
#include "ztext.h"

namespace {

const std::string kTitul = "Mixorův zápisníček";

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
    }

    bool potrebujeTiskarnu()
    {
        if (VychoziTiskarnaExistuje())
            return true;
        if (std::getenv("CI") == nullptr)
            return false;
        ADD_FAILURE() << "CI must have a default printer";
        return false;
    }

    // Prints with the click and returns the PDF that reaches the queue.
    std::optional<std::filesystem::path> vytiskni()
    {
        const auto od = std::filesystem::file_time_type::clock::now();
        f().Zprint->click();
        return CekejNaPdf(kTitul, od, std::chrono::seconds(60));
    }

    TDokument obsah() const { return Normalizuj(DokumentZTextu(*ed->document())); }

    TZapisnik* ed = nullptr;
};

TEST_F(Tisk, ColourAndBlackPrintsLeaveTheNotebookAsItWas)
{
    if (!potrebujeTiskarnu())
        GTEST_SKIP() << "no default printer";
    const TDokument predtim = obsah();

    const auto barevny = vytiskni();
    ASSERT_TRUE(barevny.has_value()) << "colour print did not arrive";
    EXPECT_EQ(TitulPdf(*barevny), kTitul);
    EXPECT_THAT(TextPdf(*barevny), ::testing::HasSubstr("Mixorův průvodce 2"));
    const auto strana = StranaPdf(*barevny);
    ASSERT_TRUE(strana.has_value());
    EXPECT_GT(BarevneBody(*strana), 20u);
    EXPECT_EQ(obsah(), predtim);
    EXPECT_TRUE(zpravy.empty());

    f().Obarvy->setChecked(false);
    const auto cerny = vytiskni();
    ASSERT_TRUE(cerny.has_value()) << "black print did not arrive";
    EXPECT_EQ(TitulPdf(*cerny), kTitul);
    EXPECT_THAT(TextPdf(*cerny), ::testing::HasSubstr("Cervena poznamka"));
    const auto cernaStrana = StranaPdf(*cerny);
    ASSERT_TRUE(cernaStrana.has_value());
    EXPECT_EQ(BarevneBody(*cernaStrana), 0u);

    EXPECT_EQ(obsah(), predtim);
    EXPECT_FALSE(std::filesystem::exists(slozka.cesta() / "$$print.rtf"));
    EXPECT_FALSE(ed->isReadOnly());
    EXPECT_EQ(ed->textCursor().position(), ed->document()->characterCount() - 1);
    EXPECT_TRUE(ed->DotykaSeChranenych(0, 1));
    std::filesystem::remove(*barevny);
    std::filesystem::remove(*cerny);
}

TEST_F(Tisk, ScratchCopyThatCannotBeWrittenStopsTheBlackPrint)
{
    std::filesystem::create_directory(slozka.cesta() / "$$print.rtf");
    f().Obarvy->setChecked(false);
    const TDokument predtim = obsah();
    f().Zprint->click();
    ASSERT_EQ(zpravy.size(), 1u);
    EXPECT_TRUE(zpravy[0].Text.contains(QStringLiteral("$$print.rtf"))) << zpravy[0].Text.toStdString();
    EXPECT_EQ(obsah(), predtim);
    EXPECT_FALSE(ed->isReadOnly());
}

TEST_F(Tisk, ColourPrintWritesNoScratchCopy)
{
    if (!potrebujeTiskarnu())
        GTEST_SKIP() << "no default printer";
    // A directory in the scratch copy's place would make any attempt fail.
    std::filesystem::create_directory(slozka.cesta() / "$$print.rtf");
    const auto pdf = vytiskni();
    EXPECT_TRUE(zpravy.empty());
    ASSERT_TRUE(pdf.has_value());
    std::filesystem::remove(*pdf);
}

} // namespace
