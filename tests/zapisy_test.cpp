// The "zapsat" buttons: entries read back from the notebook character by
// character with their attributes.
#include <gmock/gmock.h>

#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <cstdio>
#include <memory>

#include "meze.h"
#include "okno_support.h"
#include "radky_zapisu.h"
#include "rtf_qt.h"
#include "seznamy.h"
#include "text.h"
#include "ztext.h"

namespace {

using ::testing::ElementsAre;

const QColor kZelena(0, 128, 0), kFuchsie(255, 0, 255), kOlivova(128, 128, 0), kModrozelena(0, 128, 128);

class Zapisy : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu(W("Alfa\tJed\tOheň\tVoda\t\t[T] roste u vody\n"
                  "Beta\tOheň\t\t\t\t\n"
                  "Gama\tJed\t\tOheň\t\t[B]\n"
                  "Delta\tVzduch\t\n"));
        ed = f().Ztext;
    }

    // The notebook's lines below the header.
    QStringList radkyZapisniku() const
    {
        QStringList radky;
        for (QTextBlock blok = ed->document()->findBlockByNumber(2); blok.isValid(); blok = blok.next())
            radky << blok.text();
        return radky;
    }
    // Every character of line n (counted below the header) has this format.
    void ocekavejFormat(int n, QColor barva, int velikost, bool tucne, bool kurziva, bool podtrzene)
    {
        const QTextBlock blok = ed->document()->findBlockByNumber(2 + n);
        ASSERT_TRUE(blok.isValid());
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString kde = QStringLiteral("line %1 '%2'").arg(n).arg(blok.text());
            EXPECT_EQ(f.foreground().color(), barva) << kde.toStdString();
            EXPECT_EQ(f.fontPointSize(), velikost) << kde.toStdString();
            EXPECT_EQ(f.fontWeight() >= QFont::Bold, tucne) << kde.toStdString();
            EXPECT_EQ(f.fontItalic(), kurziva) << kde.toStdString();
            EXPECT_EQ(f.fontUnderline(), podtrzene) << kde.toStdString();
            EXPECT_EQ(f.fontFamilies().toStringList().value(0), QStringLiteral("Arial")) << kde.toStdString();
            EXPECT_EQ(f.intProperty(kVlastnostZnakovaSada), 0);
            EXPECT_FALSE(f.boolProperty(kVlastnostChranene)) << kde.toStdString();
        }
    }
    void ukazPrisadu(const char* jmeno)
    {
        f().Tprisady->VyberRadek(f().Tprisady->RadekSOdkazem(&Prisada(seznam(), W(jmeno))));
        emit f().Tprisady->Klik();
    }
    void pridej(const char* jmeno)
    {
        ukazPrisadu(jmeno);
        f().TpPridat->click();
    }
    void vyberEfekt(const char* jmeno)
    {
        f().Tefekty->VyberRadek(f().Tefekty->RadekSOdkazem(&Efekt(seznam(), W(jmeno))));
        emit f().Tefekty->Klik();
    }

    TZapisnik* ed = nullptr;
};

TEST_F(Zapisy, IngredientEntryWithNoteAndMark)
{
    ukazPrisadu("Alfa");
    f().TZprisada->click();
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", QStringLiteral("Přísada Alfa [T]"), "\t roste u vody",
                                             "\tEfekty:\tJed", QStringLiteral("\t\tOheň"), "\t\tVoda", "", ""}));
    ocekavejFormat(1, kZelena, 12, true, false, true);
    ocekavejFormat(2, Qt::black, 10, false, true, false);
    ocekavejFormat(3, Qt::black, 10, false, false, false);
    EXPECT_EQ(f().Pages->currentIndex(), 2);
    EXPECT_EQ(ed->textCursor().position(), ed->document()->characterCount() - 1);
}

TEST_F(Zapisy, IngredientWithoutNoteAndOneEffectAndNoMarks)
{
    f().Olisit->setChecked(false);
    f().Oprepnout->setChecked(false);
    ukazPrisadu("Beta");
    f().TZprisada->click();
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", QStringLiteral("Přísada Beta"), QStringLiteral("\tEfekty:\tOheň"), "", ""}));
    EXPECT_EQ(f().Pages->currentIndex(), 0);
}

TEST_F(Zapisy, PotionEntryWithSlotDigitsInBrackets)
{
    pridej("Alfa");
    pridej("Beta");
    pridej("Gama");
    f().TZlektvar->click();
    EXPECT_EQ(radkyZapisniku(),
              (QStringList{"", QStringLiteral("Lektvar Jed [TB]"), QStringLiteral("\tPřísady:\tAlfa"), "\t\tBeta",
                           "\t\tGama", "\tEfekty:\tJed [1  3  ]", QStringLiteral("\t\tOheň [123  ]"), "", ""}));
    ocekavejFormat(1, kFuchsie, 12, true, false, true);
    for (int radek = 2; radek <= 6; ++radek)
        ocekavejFormat(radek, Qt::black, 10, false, false, false);
}

TEST_F(Zapisy, PotionWithoutEffectAndWithTypedName)
{
    pridej("Alfa");
    pridej("Delta");
    f().Olisit->setChecked(false);
    f().TZlektvar->click();
    f().TlJmeno->setText(QStringLiteral("Můj"));
    f().TZlektvar->click();
    EXPECT_EQ(radkyZapisniku(),
              (QStringList{"", QStringLiteral("Lektvar"), QStringLiteral("\tPřísady:\tAlfa"), "\t\tDelta",
                           QStringLiteral("\tEfekty:\tžádné"), "", QStringLiteral("Lektvar Můj"),
                           QStringLiteral("\tPřísady:\tAlfa"), "\t\tDelta", QStringLiteral("\tEfekty:\tžádné"), "",
                           ""}));
}

TEST_F(Zapisy, EffectEntryMovesMarksBehindNamesOrDropsThem)
{
    vyberEfekt("Oheň");
    f().TZefekt->click();
    f().Olisit->setChecked(false);  // the list keeps its marks until refilled
    f().TZefekt->click();
    EXPECT_EQ(radkyZapisniku(),
              (QStringList{"", QStringLiteral("Přísady s efektem Oheň"), "\tAlfa [T]", "\tBeta", "\tGama [B]", "",
                           QStringLiteral("Přísady s efektem Oheň"), "\tAlfa", "\tBeta", "\tGama", "", ""}));
    ocekavejFormat(1, kOlivova, 12, true, false, true);
}

TEST_F(Zapisy, FoundPotionsEntryKeepsMarksInFrontOrDropsThem)
{
    f().VvyberJenom->click();  // all potions with Jed
    f().VZlist->click();
    f().Olisit->setChecked(false);
    f().VZlist->click();
    EXPECT_EQ(radkyZapisniku(),
              (QStringList{"", "Lektvary s efektem Jed", QStringLiteral("\t[TB] Alfa + Gama => Jed + Oheň"), "",
                           "Lektvary s efektem Jed", QStringLiteral("\tAlfa + Gama => Jed + Oheň"), "", ""}));
    ocekavejFormat(1, kModrozelena, 12, true, false, true);
}

TEST_F(Zapisy, EmptyFoundPotionListGivesTheHeadingOnly)
{
    vyberEfekt("Vzduch");
    f().VvyberList->VyberRadek(f().VvyberList->RadekSOdkazem(&Efekt(seznam(), "Vzduch")));
    emit f().VvyberList->Klik();
    ASSERT_EQ(f().Vlist->count(), 0);
    f().VZlist->click();
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", "Lektvary pouze s efektem Vzduch", "", ""}));
}

TEST_F(Zapisy, EntriesGoToTheEndAfterTheUsersText)
{
    f().Pages->setCurrentIndex(2);
    ed->setFocus();
    QTextCharFormat jinePismo;
    jinePismo.setFontFamilies({QStringLiteral("Courier")});
    ed->mergeCurrentCharFormat(jinePismo);
    QTest::keyClicks(ed, QStringLiteral("moje poznamka"));
    QTextCursor uprostred = ed->textCursor();
    uprostred.setPosition(uprostred.position() - 5);
    ed->setTextCursor(uprostred);
    ukazPrisadu("Beta");
    f().TZprisada->click();
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", "moje poznamka", QStringLiteral("Přísada Beta"),
                                             QStringLiteral("\tEfekty:\tOheň"), "", ""}));
    // The user's text became Arial and kept the rest of its look.
    ocekavejFormat(1, Qt::black, 10, false, false, false);
    // The header was not touched.
    EXPECT_EQ(ed->document()->findBlockByNumber(0).text(), QStringLiteral("    Mixorův  zápisníček    "));
    EXPECT_EQ(ed->document()->findBlockByNumber(0).begin().fragment().charFormat().fontFamilies().toStringList().value(0),
              QStringLiteral("Arial"));
}

TEST_F(Zapisy, TextChangedInsideAnEarlierEntryBecomesArialWithTheNextEntry)
{
    ukazPrisadu("Beta");
    f().TZprisada->click();
    ukazPrisadu("Alfa");
    f().TZprisada->click();
    // The user changes the first entry's heading and the second's last line.
    QTextCharFormat kuryr = FormatArial(Qt::black, 10);
    kuryr.setFontFamilies({QStringLiteral("Courier")});
    for (const int radek : {1, 5}) {
        QTextCursor kurzor(ed->document()->findBlockByNumber(2 + radek));
        kurzor.insertText(QStringLiteral("x"), kuryr);
    }
    ASSERT_EQ(radkyZapisniku().value(1), QStringLiteral("xPřísada Beta"));
    ASSERT_TRUE(radkyZapisniku().value(5).startsWith(QLatin1Char('x')));
    ukazPrisadu("Delta");
    f().TZprisada->click();
    for (const int radek : {1, 5}) {
        const QTextBlock blok = ed->document()->findBlockByNumber(2 + radek);
        EXPECT_EQ(blok.begin().fragment().charFormat().fontFamilies().toStringList().value(0),
                  QStringLiteral("Arial"))
            << blok.text().toStdString();
    }
}

TEST_F(Zapisy, OneUndoRemovesAWholeEntryAndRestoresTheFacesItChanged)
{
    f().Pages->setCurrentIndex(2);
    ed->setFocus();
    QTextCharFormat jinePismo;
    jinePismo.setFontFamilies({QStringLiteral("Courier")});
    ed->mergeCurrentCharFormat(jinePismo);
    QTest::keyClicks(ed, QStringLiteral("moje"));
    const QStringList predtim = radkyZapisniku();
    vyberEfekt("Oheň");
    f().TZefekt->click();
    ukazPrisadu("Alfa");
    f().TZprisada->click();
    ASSERT_EQ(radkyZapisniku().size(), 14);

    ed->setFocus();
    QTest::keySequence(ed, QKeySequence::Undo);
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", "moje", QStringLiteral("Přísady s efektem Oheň"), "\tAlfa [T]",
                                             "\tBeta", "\tGama [B]", "", ""}));
    QTest::keySequence(ed, QKeySequence::Undo);
    EXPECT_EQ(radkyZapisniku(), predtim);
    const QTextBlock moje = ed->document()->findBlockByNumber(3);
    EXPECT_EQ(moje.begin().fragment().charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Courier"));
    QTest::keySequence(ed, QKeySequence::Redo);
    EXPECT_EQ(radkyZapisniku().size(), 8);
    EXPECT_EQ(ed->document()->findBlockByNumber(0).text(), QStringLiteral("    Mixorův  zápisníček    "));
    // The face the undo gave back is changed again by the next entry.
    QTest::keySequence(ed, QKeySequence::Undo);
    ASSERT_EQ(moje.begin().fragment().charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Courier"));
    f().TZprisada->click();
    EXPECT_EQ(moje.begin().fragment().charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
}

// One effect carried by `nositelu` ingredients: every pair of them is a
// potion with it.
std::string katalogNositelu(int nositelu)
{
    std::string text;
    for (int i = 1; i <= nositelu; ++i)
        text += "Prisada " + std::to_string(i) + (i % 7 == 0 ? "\tJed\t\t\t\t[T]\n" : "\tJed\t\t\t\t\n");
    return text;
}

// Lists longer than an entry writes.
class DlouheSeznamy : public Zapisy {
protected:
    void SetUp() override { OknoTest::SetUp(); }
    void spustSNositeli(int nositelu) { spustSJedem(katalogNositelu(nositelu)); }
    // Starts on a catalogue that has the effect "Jed" and lists its potions.
    void spustSJedem(const std::string& katalog)
    {
        spustPoUvodu(katalog);
        ed = f().Ztext;
        f().VvyberList->VyberRadek(f().VvyberList->RadekSOdkazem(&Efekt(seznam(), "Jed")));
        emit f().VvyberList->Klik();
    }
    // The found potions' lines as the entry copies them, the first `pocet`.
    QStringList prvniRadkyVypisu(int pocet)
    {
        QStringList radky;
        for (int i = 0; i < pocet; ++i)
            radky << QLatin1Char('\t') + f().Vlist->Text(i);
        return radky;
    }
};

TEST(TextNezapsanych, CountsInCzechWithGroupedThousands)
{
    const struct {
        std::size_t pocet;
        const char* text;
    } pripady[] = {
        {1, "… a další 1 řádek nezapsán"},
        {2, "… a další 2 řádky nezapsány"},
        {4, "… a další 4 řádky nezapsány"},
        {5, "… a dalších 5 řádků nezapsáno"},
        {22, "… a dalších 22 řádků nezapsáno"},
        {999, "… a dalších 999 řádků nezapsáno"},
        {1000, "… a dalších 1\u00A0000 řádků nezapsáno"},
        {12397500, "… a dalších 12\u00A0397\u00A0500 řádků nezapsáno"},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(TextNezapsanych(p.pocet), QString::fromUtf8(p.text)) << p.pocet;
}

TEST_F(DlouheSeznamy, FoundPotionsBeyondTheBoundAreCountedInOneBodyLine)
{
    spustSNositeli(5);  // 10 potions
    ASSERT_EQ(f().Vlist->count(), 10);
    const struct {
        std::size_t mez;
        const char* posledni;  // the line after the written ones, or none
    } pripady[] = {
        {3, "\t… a dalších 7 řádků nezapsáno"},
        {7, "\t… a další 3 řádky nezapsány"},
        {9, "\t… a další 1 řádek nezapsán"},
        {10, nullptr},
    };
    for (const auto& p : pripady) {
        zapisnik().FormShowZapisnik();
        vypis().NejvicRadkuZapisu = p.mez;
        f().VZlist->click();
        QStringList cekane = QStringList{"", f().VL1->text()} + prvniRadkyVypisu(static_cast<int>(p.mez));
        if (p.posledni != nullptr)
            cekane << QString::fromUtf8(p.posledni);
        cekane << "" << "";
        EXPECT_EQ(radkyZapisniku(), cekane) << p.mez;
        ocekavejFormat(static_cast<int>(p.mez) + 2, Qt::black, 10, false, false, false);
    }
}

TEST_F(DlouheSeznamy, EffectEntryKeepsToTheBound)
{
    spustSNositeli(5);
    f().Olisit->setChecked(false);
    tvorba().NejvicRadkuZapisu = 2;
    f().Tefekty->VyberRadek(f().Tefekty->RadekSOdkazem(&Efekt(seznam(), "Jed")));
    emit f().Tefekty->Klik();
    f().TZefekt->click();
    EXPECT_EQ(radkyZapisniku(), (QStringList{"", QStringLiteral("Přísady s efektem Jed"), "\tPrisada 1",
                                             "\tPrisada 2", QStringLiteral("\t… a další 3 řádky nezapsány"), "", ""}));
}

TEST_F(DlouheSeznamy, SearchEntryCountsThePotionsTheSearchFoundButDidNotList)
{
    spustSNositeli(8);  // 28 potions
    hledani().MezHledani.Vypsat = 6;
    f().Hefekty->VyberRadek(f().Hefekty->RadekSOdkazem(&Efekt(seznam(), "Jed")));
    hledani().HefektyClick();
    ASSERT_EQ(f().Hlist->count(), 6);
    hledani().NejvicRadkuZapisu = 4;
    f().HZlist->click();
    f().Olisit->setChecked(false);
    hledani().NejvicRadkuZapisu = 100;
    f().HZlist->click();
    const QStringList radky = radkyZapisniku();
    ASSERT_EQ(radky.size(), 18) << radky.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(radky[1], QStringLiteral("Lektvary s efekty Jed (28)"));
    EXPECT_EQ(radky[2], QLatin1Char('\t') + f().Hlist->Text(0));
    EXPECT_EQ(radky[6], QStringLiteral("\t… a dalších 24 řádků nezapsáno"));
    EXPECT_EQ(radky[9], QLatin1Char('\t') + f().Hlist->TextBezZnacky(0));
    EXPECT_EQ(radky[15], QStringLiteral("\t… a dalších 22 řádků nezapsáno"));
}

TEST_F(DlouheSeznamy, ALineLongerThanTheListShowsIsCutWhereTheListCutsIt)
{
    const std::string dlouhe(kNejvicZnakuPopisku + 100, 'x');
    spustSJedem(dlouhe + "\tJed\t\t\t\t\nBeta\tJed\t\t\t\t\n");
    f().VZlist->click();
    const QString cely = f().Vlist->Text(0);
    ASSERT_GT(cely.size(), kNejvicZnakuPopisku);
    EXPECT_EQ(radkyZapisniku().value(2), QLatin1Char('\t') + cely.left(kNejvicZnakuPopisku) + QChar(0x2026));
}

TEST_F(DlouheSeznamy, AnEntryWritesAtMostTheBoundOfLines)
{
    spustSNositeli(448);  // 100,128 potions
    f().VZlist->click();
    const int radku = static_cast<int>(kNejvicRadkuVypisu);
    const QTextDocument& dokument = *ed->document();
    // Header (2), the empty line, the heading, the lines, the count, the empty line and the last.
    ASSERT_EQ(dokument.blockCount(), 3 + 1 + radku + 1 + 2);
    EXPECT_EQ(dokument.findBlockByNumber(3 + radku).text(), QLatin1Char('\t') + f().Vlist->Text(radku - 1));
    EXPECT_EQ(dokument.findBlockByNumber(3 + radku + 1).text(), QStringLiteral("\t… a dalších 128 řádků nezapsáno"));
}

// The format of every character of the document, paragraph ends included
// (a paragraph end carries the format of the block after it).
QList<QTextCharFormat> formatyZnaku(const QTextDocument& dokument)
{
    QList<QTextCharFormat> formaty;
    for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) {
        for (auto it = blok.begin(); !it.atEnd(); ++it)
            for (int i = 0; i < it.fragment().length(); ++i)
                formaty << it.fragment().charFormat();
        if (blok.next().isValid())
            formaty << blok.next().charFormat();
    }
    return formaty;
}

// Paragraphs of Arial, of other faces, of Arial of another character set,
// and empty ones of either.
void naplnSmiseny(QTextDocument& dokument)
{
    QTextCharFormat kuryr = FormatArial(Qt::red, 14, true);
    kuryr.setFontFamilies({QStringLiteral("Courier")});
    QTextCharFormat stredni = FormatArial(Qt::blue, 9);
    stredni.setProperty(kVlastnostZnakovaSada, 238);
    const QTextCharFormat arial = FormatArial(Qt::black, 10);
    QTextCursor kurzor(&dokument);
    kurzor.insertText(QStringLiteral("ab"), arial);
    kurzor.insertText(QStringLiteral("cd"), kuryr);
    kurzor.insertBlock(QTextBlockFormat(), kuryr);
    kurzor.insertBlock(QTextBlockFormat(), arial);
    kurzor.insertText(QStringLiteral("ef"), stredni);
    kurzor.insertText(QStringLiteral("g"), arial);
    kurzor.insertBlock(QTextBlockFormat(), arial);
    kurzor.insertText(QStringLiteral("hi"), arial);
    kurzor.insertBlock(QTextBlockFormat(), stredni);
    kurzor.insertText(QStringLiteral("j"), kuryr);
}

TEST(PismoArialNaRozsah, GivesWhatAMergeOverTheWholeRangeGives)
{
    QTextDocument vzor;
    naplnSmiseny(vzor);
    const int konec = vzor.characterCount() - 1;
    for (int od = 0; od < konec; ++od) {
        for (int po = od + 1; po <= konec; ++po) {
            std::unique_ptr<QTextDocument> prosty(vzor.clone());
            QTextCursor rozsah(prosty.get());
            rozsah.setPosition(od);
            rozsah.setPosition(po, QTextCursor::KeepAnchor);
            rozsah.mergeCharFormat(PismoArial());
            std::unique_ptr<QTextDocument> setrny(vzor.clone());
            DejPismoArial(*setrny, od, po);
            EXPECT_EQ(formatyZnaku(*setrny), formatyZnaku(*prosty)) << od << ".." << po;
        }
    }
}

TEST(PismoArialNaRozsah, LeavesTextThatHasTheFaceUntouched)
{
    QTextDocument dokument;
    QTextCursor kurzor(&dokument);
    for (int i = 0; i < 3; ++i) {
        kurzor.insertText(QStringLiteral("radek"), FormatArial(Qt::black, 10 + i, i == 1));
        kurzor.insertBlock(QTextBlockFormat(), FormatArial(Qt::black, 10));
    }
    dokument.clearUndoRedoStacks();
    int zmen = 0;
    QObject::connect(&dokument, &QTextDocument::contentsChange, [&](int, int, int) { ++zmen; });
    DejPismoArial(dokument, 0, dokument.characterCount() - 1);
    EXPECT_EQ(zmen, 0);
    EXPECT_FALSE(dokument.isUndoAvailable());
}

TEST_F(Zapisy, WholeRoadToARichTextFile)
{
    f().Tprisady->VyberRadek(f().Tprisady->RadekSOdkazem(&Prisada(seznam(), "Alfa")));
    emit f().Tprisady->DvojKlik();
    f().Tprisady->VyberRadek(f().Tprisady->RadekSOdkazem(&Prisada(seznam(), "Gama")));
    emit f().Tprisady->DvojKlik();
    f().TZlektvar->click();
    EXPECT_EQ(f().Pages->currentIndex(), 2);

    const auto soubor = slozka.cesta() / "cesta.rtf";
    TAplikace::Instance()->NastavOdpovidaceDialogu([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(soubor.string()));
        return true;
    });
    f().Zsave->click();
    ASSERT_TRUE(std::filesystem::exists(soubor));

    if (!MaUnrtf())
        GTEST_SKIP() << "unrtf is not installed";
    const std::string html = UnrtfHtml(soubor);
    const auto lektvar = html.find("Lektvar Jed");
    ASSERT_NE(lektvar, std::string::npos) << html;
    // The heading stands in fuchsia: the nearest colour before it.
    const auto barva = html.rfind("color=", lektvar);
    ASSERT_NE(barva, std::string::npos) << html;
    std::string hodnota = html.substr(barva, 20);
    for (char& c : hodnota)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(hodnota.find("#ff00ff"), std::string::npos) << hodnota;
}

} // namespace
