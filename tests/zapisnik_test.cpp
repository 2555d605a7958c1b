// The notebook page: the protected header against every editing path, the
// style controls, saving.
#include <gmock/gmock.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QTextDocument>

#include "barvy.h"
#include "obsluha.h"
#include "okno_support.h"
#include "ovladace.h"
#include "rtf.h"
#include "rtf_qt.h"
#include "text.h"
#include "ztext.h"

namespace {

const QString kTitul = QStringLiteral("    Mixorův  zápisníček    ");
const QString kHlavicka = QStringLiteral("  Mixorův průvodce 2\t\t\tvelmarin soft");

class Zapisnik : public OknoTest {
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        spustPoUvodu("Alfa\tJed\t\nBeta\tJed\t\n");
        f().Pages->setCurrentIndex(2);
        ed = f().Ztext;
        ed->setFocus();
    }

    QString text() const { return ed->document()->toPlainText(); }
    QString hlavicka() const { return text().left(zapisnik().ZacatekUzivatelske); }
    void kurzorNa(int pozice)
    {
        QTextCursor k = ed->textCursor();
        k.setPosition(pozice);
        ed->setTextCursor(k);
    }
    void vyber(int od, int po)
    {
        QTextCursor k = ed->textCursor();
        k.setPosition(od);
        k.setPosition(po, QTextCursor::KeepAnchor);
        ed->setTextCursor(k);
    }
    // Where the view shows the document's start and its end.
    QPoint naZacatku() const { return ed->cursorRect(QTextCursor(ed->document())).center(); }
    QPoint naKonci() const
    {
        QTextCursor konec(ed->document());
        konec.movePosition(QTextCursor::End);
        return ed->cursorRect(konec).center();
    }
    QTextCharFormat formatZnaku(int pozice) const
    {
        QTextCursor k(ed->document());
        k.setPosition(pozice + 1);
        return k.charFormat();
    }
    // Runs the editor's own context menu and triggers one of its actions.
    void akceNabidky(const QString& jmeno)
    {
        QContextMenuEvent udalost(QContextMenuEvent::Mouse, QPoint(5, 5), ed->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(ed->viewport(), &udalost);
        auto* nabidka = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(nabidka, nullptr);
        QAction* akce = nabidka->findChild<QAction*>(jmeno);
        ASSERT_NE(akce, nullptr) << jmeno.toStdString();
        akce->trigger();
        nabidka->close();
    }
    // The box shows one value for the whole selection, not a mixed one.
    static bool jednotna(const QWidget* box)
    {
        return box->palette().color(QPalette::Text) == QApplication::palette().color(QPalette::Active, QPalette::ButtonText);
    }
    void zvolBarvu(int index)
    {
        f().Zcolor->setCurrentIndex(index);
        emit f().Zcolor->activated(index);
    }
    // Drags the data to the point and drops it; whether the editor took the drag.
    bool tahni(QMimeData& data, QPoint kam)
    {
        QDragEnterEvent vstup(kam, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ed->viewport(), &vstup);
        QDragMoveEvent tah(kam, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ed->viewport(), &tah);
        QDropEvent pustit(QPointF(kam), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ed->viewport(), &pustit);
        return tah.isAccepted();
    }
    void ocekavejNetknutouHlavicku(const char* cesta)
    {
        EXPECT_EQ(hlavicka(), kTitul + QLatin1Char('\n') + kHlavicka + QLatin1Char('\n')) << cesta;
        EXPECT_TRUE(formatZnaku(0).fontUnderline()) << cesta;
        EXPECT_EQ(formatZnaku(4).foreground().color(), QColor(0, 0, 128)) << cesta;
    }

    TZapisnik* ed = nullptr;
};

TEST_F(Zapisnik, StartsWithProtectedHeaderAndTheCaretBelowIt)
{
    EXPECT_EQ(text(), kTitul + "\n" + kHlavicka + "\n\n");
    EXPECT_EQ(zapisnik().ZacatekUzivatelske, kTitul.size() + kHlavicka.size() + 2);
    EXPECT_EQ(ed->textCursor().position(), text().size());
    EXPECT_TRUE(ed->DotykaSeChranenych(0, 1));
    EXPECT_TRUE(ed->DotykaSeChranenych(zapisnik().ZacatekUzivatelske - 1, zapisnik().ZacatekUzivatelske));
    EXPECT_FALSE(ed->DotykaSeChranenych(zapisnik().ZacatekUzivatelske, text().size()));
    // The title's size and weight: the style controls show them on its selection.
    EXPECT_EQ(formatZnaku(kTitul.size() + 3).fontPointSize(), 11);

    QTest::keyClicks(ed, QStringLiteral("ahoj"));
    const QTextCharFormat psany = formatZnaku(text().size() - 1);
    EXPECT_EQ(psany.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(psany.fontPointSize(), 10);
    EXPECT_EQ(psany.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_FALSE(psany.fontWeight() >= QFont::Bold);
    EXPECT_FALSE(psany.boolProperty(kVlastnostChranene));
}

TEST_F(Zapisnik, LongLinesNeverWrapAndTheScrollBarReachesTheirEnd)
{
    const QString dlouhy = QStringLiteral("Dlouhý řádek ").repeated(40);
    QTest::keyClicks(ed, QStringLiteral("kratky"));
    QTest::keyClick(ed, Qt::Key_Return);
    QApplication::processEvents();
    QScrollBar* vodorovny = ed->horizontalScrollBar();
    // Short lines leave nothing to scroll to.
    EXPECT_EQ(vodorovny->maximum(), 0);
    ed->insertPlainText(dlouhy);
    QApplication::processEvents();

    const QTextBlock blok = ed->document()->lastBlock();
    ASSERT_EQ(blok.text(), dlouhy);
    EXPECT_EQ(blok.layout()->lineCount(), 1);
    EXPECT_EQ(blok.previous().layout()->lineCount(), 1);
    const int sirkaRadku = static_cast<int>(blok.layout()->lineAt(0).naturalTextWidth());
    ASSERT_GT(sirkaRadku, ed->viewport()->width());
    EXPECT_GE(vodorovny->maximum() + ed->viewport()->width(), sirkaRadku);
}

TEST_F(Zapisnik, KeysCannotChangeTheHeader)
{
    const int konecHlavicky = zapisnik().ZacatekUzivatelske;
    const std::pair<int, QKeySequence> pokusy[] = {
        {3, Qt::Key_X}, {3, Qt::Key_Return}, {3, Qt::Key_Tab}, {3, Qt::Key_Delete}, {3, Qt::Key_Backspace},
        {konecHlavicky, Qt::Key_Backspace}, {konecHlavicky - 1, Qt::Key_Delete},
        {konecHlavicky, QKeySequence::DeleteStartOfWord}, {konecHlavicky - 1, QKeySequence::DeleteEndOfWord},
        {8, QKeySequence::DeleteCompleteLine},
    };
    for (const auto& [pozice, klavesy] : pokusy) {
        kurzorNa(pozice);
        QTest::keySequence(ed, klavesy);  // a standard key the platform does not bind is empty: nothing sent
        ocekavejNetknutouHlavicku(klavesy.toString().toUtf8().constData());
    }
    // A selection reaching into the header is not typed over or deleted.
    vyber(konecHlavicky - 3, konecHlavicky + 1);
    QTest::keyClick(ed, Qt::Key_Y);
    QTest::keyClick(ed, Qt::Key_Delete);
    ocekavejNetknutouHlavicku("selection");
    // In the user area every key works.
    kurzorNa(text().size());
    QTest::keyClicks(ed, QStringLiteral("ab"));
    QTest::keyClick(ed, Qt::Key_Backspace);
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_TRUE(text().endsWith(QStringLiteral("\n\na\t")));
}

TEST_F(Zapisnik, PasteCutAndDeleteFromEveryPlaceAreRefused)
{
    QApplication::clipboard()->setText(QStringLiteral("VLOZENO"));
    vyber(2, 6);
    QTest::keySequence(ed, QKeySequence::Paste);
    ocekavejNetknutouHlavicku("keyboard paste");
    ed->paste();  // what the context menu's Paste runs
    ocekavejNetknutouHlavicku("menu paste");
    QTest::keySequence(ed, QKeySequence::Cut);
    ocekavejNetknutouHlavicku("keyboard cut");
    akceNabidky(QStringLiteral("edit-cut"));
    ocekavejNetknutouHlavicku("menu cut");
    vyber(2, 6);
    akceNabidky(QStringLiteral("edit-delete"));
    ocekavejNetknutouHlavicku("menu delete");
    // In the user area pasting works and carries no protection.
    kurzorNa(text().size());
    ed->paste();
    EXPECT_TRUE(text().endsWith(QStringLiteral("VLOZENO")));
    EXPECT_FALSE(ed->DotykaSeChranenych(zapisnik().ZacatekUzivatelske, text().size()));
}

TEST_F(Zapisnik, MiddleButtonPasteIsRefusedInTheHeader)
{
    QClipboard* schranka = QApplication::clipboard();
    if (!schranka->supportsSelection())
        GTEST_SKIP() << "this platform has no selection clipboard";
    schranka->setText(QStringLiteral("STRED"), QClipboard::Selection);
    QTest::mouseClick(ed->viewport(), Qt::MiddleButton, {}, naZacatku());
    ocekavejNetknutouHlavicku("middle button");
}

TEST_F(Zapisnik, DropsAndInputMethodTextAreRefusedInTheHeader)
{
    QMimeData data;
    data.setText(QStringLiteral("TAZENO"));
    const QPoint vHlavicce = naZacatku() + QPoint(20, 0);
    EXPECT_FALSE(tahni(data, vHlavicce));
    ocekavejNetknutouHlavicku("drop into header");
    EXPECT_FALSE(text().contains(QStringLiteral("TAZENO")));

    // A move of header text to the user area would take it out of the header.
    vyber(2, 6);
    QDropEvent presun(QPointF(naKonci()), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    presun.setDropAction(Qt::MoveAction);
    QTest::mousePress(ed->viewport(), Qt::LeftButton, {}, naZacatku());
    QApplication::sendEvent(ed->viewport(), &presun);
    ocekavejNetknutouHlavicku("move out of header");

    kurzorNa(5);
    QInputMethodEvent ime(QString(), {});
    ime.setCommitString(QStringLiteral("ř"));
    QApplication::sendEvent(ed, &ime);
    ocekavejNetknutouHlavicku("input method");
    kurzorNa(text().size());
    QApplication::sendEvent(ed, &ime);
    EXPECT_TRUE(text().endsWith(QStringLiteral("ř")));
}

TEST_F(Zapisnik, UndoNeverReachesTheHeader)
{
    QTest::keySequence(ed, QKeySequence::Undo);
    QTest::keySequence(ed, QKeySequence::Undo);
    ocekavejNetknutouHlavicku("undo at start");
    EXPECT_EQ(text(), kTitul + "\n" + kHlavicka + "\n\n");
    QTest::keyClicks(ed, QStringLiteral("xyz"));
    QTest::keySequence(ed, QKeySequence::Undo);
    EXPECT_EQ(text(), kTitul + "\n" + kHlavicka + "\n\n");
    QTest::keySequence(ed, QKeySequence::Redo);
    EXPECT_TRUE(text().endsWith(QStringLiteral("xyz")));
    akceNabidky(QStringLiteral("edit-undo"));
    akceNabidky(QStringLiteral("edit-undo"));
    ocekavejNetknutouHlavicku("menu undo");
}

TEST_F(Zapisnik, SelectionAttributesShowInTheControls)
{
    const int konec = text().size();
    // The caret right after start (the typing attributes), the title, the title and the next line's start.
    const struct {
        int Od, Po;
        Qt::CheckState Tucne, Podtrzene, Chranene;
        int Velikost;
        bool Jednotna;
        const char* Barva;
    } pripady[] = {
        {konec, konec, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked, 10, true, "Black"},
        {0, int(kTitul.size()), Qt::Checked, Qt::Checked, Qt::Checked, 20, true, "Navy"},
        {0, int(kTitul.size()) + 5, Qt::PartiallyChecked, Qt::PartiallyChecked, Qt::Checked, 10, false, "Navy"},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.Po);
        vyber(p.Od, p.Po);
        EXPECT_EQ(f().Zbold->checkState(), p.Tucne);
        EXPECT_EQ(f().Zunderline->checkState(), p.Podtrzene);
        EXPECT_EQ(f().Zitalic->checkState(), Qt::Unchecked);
        EXPECT_EQ(f().Zprotected->checkState(), p.Chranene);
        EXPECT_EQ(f().Zsize->value(), p.Velikost);
        EXPECT_EQ(jednotna(f().Zsize), p.Jednotna);
        EXPECT_EQ(f().Zcolor->currentText(), QString::fromUtf8(p.Barva));
    }
}

TEST_F(Zapisnik, StyleControlsChangeTheSelectionButNeverTheHeader)
{
    QTest::keyClicks(ed, QStringLiteral("prvni druhy"));
    const int zacatek = zapisnik().ZacatekUzivatelske + 1;
    vyber(zacatek, zacatek + 5);
    zvolBarvu(9);  // Red
    vyber(zacatek, zacatek + 11);
    EXPECT_EQ(f().Zcolor->currentIndex(), -1);
    EXPECT_FALSE(jednotna(f().Zcolor));
    zvolBarvu(12);  // Blue
    for (int i = zacatek; i < zacatek + 11; ++i)
        EXPECT_EQ(formatZnaku(i).foreground().color(), QColor(0, 0, 255)) << i;
    EXPECT_TRUE(jednotna(f().Zcolor));

    vyber(zacatek, zacatek + 5);
    f().Zbold->click();
    vyber(zacatek, zacatek + 11);
    ASSERT_EQ(f().Zbold->checkState(), Qt::PartiallyChecked);
    f().Zbold->click();  // grey: ticked, the whole selection bold
    EXPECT_EQ(f().Zbold->checkState(), Qt::Checked);
    for (int i = zacatek; i < zacatek + 11; ++i)
        EXPECT_TRUE(formatZnaku(i).fontWeight() >= QFont::Bold) << i;
    f().Zbold->click();
    EXPECT_FALSE(formatZnaku(zacatek).fontWeight() >= QFont::Bold);
    f().Zitalic->click();
    EXPECT_TRUE(formatZnaku(zacatek + 3).fontItalic());

    f().Zsize->setValue(11);
    EXPECT_EQ(formatZnaku(zacatek).fontPointSize(), 11);
    f().Zsize->stepUp();
    EXPECT_EQ(f().Zsize->value(), 13);
    f().Zsize->setValue(19);
    f().Zsize->stepUp();
    EXPECT_EQ(f().Zsize->value(), 20);
    EXPECT_EQ(formatZnaku(zacatek).fontPointSize(), 20);
    EXPECT_TRUE(f().Zsize->findChild<QLineEdit*>()->isReadOnly());

    vyber(0, 10);
    f().Zitalic->click();
    zvolBarvu(9);
    f().Zsize->setValue(6);
    ocekavejNetknutouHlavicku("style controls");
    EXPECT_FALSE(formatZnaku(3).fontItalic());
    EXPECT_EQ(f().Zitalic->checkState(), Qt::Unchecked);
    EXPECT_EQ(f().Zsize->value(), 20);
}

TEST_F(Zapisnik, ProtectionBoxProtectsOnlyThroughTheReadOnlyPermission)
{
    QTest::keyClicks(ed, QStringLiteral("moje"));
    const int zacatek = zapisnik().ZacatekUzivatelske + 1;
    vyber(zacatek, zacatek + 4);
    f().Zprotected->setCheckState(Qt::Checked);
    zapisnik().ZprotectedClick();
    EXPECT_TRUE(ed->DotykaSeChranenych(zacatek, zacatek + 4));
    EXPECT_FALSE(ed->isReadOnly());
    kurzorNa(zacatek + 2);
    QTest::keyClick(ed, Qt::Key_Q);
    EXPECT_TRUE(text().endsWith(QStringLiteral("moje")));
}

class Ukladani : public Zapisnik {
protected:
    // Answers the save dialog: the type (0 rich text, 1 plain text) and name.
    void odpovez(int typ, const QString& jmeno, bool prijmout = true)
    {
        TAplikace::Instance()->NastavOdpovidaceDialogu([=, this](QFileDialog& dialog) {
            titulek = dialog.windowTitle();
            typy = dialog.nameFilters();
            slozka = dialog.directory().absolutePath();
            dialog.selectNameFilter(typy.value(typ));
            emit dialog.filterSelected(typy.value(typ));
            dialog.selectFile(jmeno);
            return prijmout;
        });
    }
    QString cesta(const char* jmeno) const { return QString::fromStdString((slozka_.cesta() / jmeno).string()); }
    std::string ulozeny(const char* jmeno) const { return precti((slozka_.cesta() / jmeno).string()); }

    QString titulek, slozka;
    QStringList typy;
    DocasnaSlozka slozka_;
};

// Composed letters are written as one; a character without a letter in the
// code page, a combining mark included, as one question mark.
TEST_F(Ukladani, PlainTextIsWindows1250WithCrLf)
{
    QTest::keyClicks(ed, QStringLiteral("radek"));
    ed->insertPlainText(QStringLiteral(" ěšč 中 e\u0301 C\u030C \U0001F600 a\u0303"));
    ed->textCursor().insertText(QStringLiteral("x\u2028y"));
    odpovez(1, cesta("notes"));
    f().Zsave->click();
    EXPECT_EQ(titulek, QStringLiteral("Uložit zápisníček do souboru"));
    EXPECT_EQ(typy, (QStringList{QStringLiteral("RichText (*.rtf)"), QStringLiteral("Textový soubor (*.txt)")}));
    EXPECT_EQ(ulozeny("notes.txt"), DoCp1250(kTitul) + "\r\n" + DoCp1250(kHlavicka) + "\r\n\r\n" + W("radek ěšč ? é Č ? ?x") + "\r\ny");
    EXPECT_FALSE(std::filesystem::exists(slozka_.cesta() / "notes.rtf"));
}

TEST_F(Ukladani, FirstSaveOpensInTheWorkingFolderLaterOnesWhereTheLastSaveWent)
{
    const auto kanonicka = [](const QString& cesta) { return QFileInfo(cesta).canonicalFilePath(); };
    const QString pracovni = kanonicka(QString::fromStdString(std::filesystem::current_path().string()));
    odpovez(0, cesta("zruseno"), false);
    f().Zsave->click();
    EXPECT_EQ(kanonicka(slozka), pracovni);

    odpovez(1, cesta("notes"));
    f().Zsave->click();
    EXPECT_EQ(kanonicka(slozka), pracovni);
    ASSERT_TRUE(std::filesystem::exists(slozka_.cesta() / "notes.txt"));

    // Neither a cancelled nor a failed save moves it.
    const QString ulozeno = kanonicka(QString::fromStdString(slozka_.cesta().string()));
    DocasnaSlozka jinde;
    std::filesystem::create_directory(jinde.cesta() / "adresar.rtf");
    TAplikace::Instance()->NastavOdpovidaceOtazek([](const TAplikace::TZprava&) { return true; });
    for (const bool prijmout : {false, true}) {
        odpovez(0, QString::fromStdString((jinde.cesta() / "adresar.rtf").string()), prijmout);
        f().Zsave->click();
        EXPECT_EQ(kanonicka(slozka), ulozeno);
    }
}

TEST_F(Ukladani, RichTextKeepsAttributesAndNamedExtensionsStay)
{
    odpovez(0, cesta("notes"));
    f().Zsave->click();
    const std::string rtf = ulozeny("notes.rtf");
    ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(CtiRtf(rtf), Normalizuj(DokumentZTextu(*ed->document())));

    odpovez(1, cesta("jine.rtf"));
    f().Zsave->click();
    EXPECT_EQ(ulozeny("jine.rtf").substr(0, 6), DoCp1250(kTitul).substr(0, 6));
}

TEST_F(Ukladani, ReplacingAsksFirstAndFailuresAreReported)
{
    slozka_.zapis("stary.rtf", "puvodni");
    bool odpoved = false;
    int otazek = 0;
    TAplikace::Instance()->NastavOdpovidaceOtazek([&](const TAplikace::TZprava&) {
        ++otazek;
        return odpoved;
    });
    odpovez(0, cesta("stary.rtf"));
    f().Zsave->click();
    EXPECT_EQ(otazek, 1);
    EXPECT_EQ(ulozeny("stary.rtf"), "puvodni");
    odpoved = true;
    f().Zsave->click();
    EXPECT_EQ(ulozeny("stary.rtf").substr(0, 6), "{\\rtf1");

    std::filesystem::create_directory(slozka_.cesta() / "adresar.rtf");
    odpovez(0, cesta("adresar.rtf"));
    const QString predtim = ed->toHtml();
    f().Zsave->click();
    ASSERT_FALSE(zpravy.empty());
    EXPECT_TRUE(zpravy.back().Text.contains(QStringLiteral("adresar.rtf"))) << zpravy.back().Text.toStdString();
    EXPECT_EQ(ed->toHtml(), predtim);
}

// ------------------------------------------------------------ palettes

TEST_F(Zapisnik, DarkPaletteShowsEveryTextReadablyAndFilesKeepTheColoursWritten)
{
    f().TZprisada->click();
    QTest::keyClicks(ed, QStringLiteral("moje"));
    const TDokument zapsany = DokumentZTextu(*ed->document());
    const TObnova vratit([puvodni = QApplication::palette()] { QApplication::setPalette(puvodni); });
    QApplication::setPalette(QPalette(QColor(53, 53, 53)));
    QCoreApplication::processEvents();  // the window takes it on
    const QColor papir = ed->palette().color(QPalette::Base);
    ASSERT_NE(papir, QColor(Qt::white));
    // Each character shown in the shade of its own colour, which reads: in
    // that colour, or in that of the view's extra selection over it.
    const auto kazdyZnakCitelny = [&] {
        ed->viewport()->grab();  // drawn as on the screen
        QTextCursor kurzor(ed->document());
        while (kurzor.movePosition(QTextCursor::NextCharacter)) {
            const QTextCharFormat format = kurzor.charFormat();
            QColor barva = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                            : ed->palette().color(QPalette::Text);
            const QColor vlastni = format.hasProperty(QTextFormat::ForegroundBrush) ? barva : QColor(Qt::black);
            for (const QTextEdit::ExtraSelection& usek : ed->extraSelections()) {
                if (usek.cursor.selectionStart() < kurzor.position() && kurzor.position() <= usek.cursor.selectionEnd())
                    barva = usek.format.foreground().color();
            }
            if (!ed->document()->characterAt(kurzor.position() - 1).isSpace()) {
                ASSERT_EQ(barva.rgb(), BarvaTextu(ed->palette(), vlastni, QPalette::Text, papir).rgb())
                    << kurzor.position();
                ASSERT_GE(Kontrast(barva, papir), kKontrastTextu) << kurzor.position();
            }
        }
    };
    kazdyZnakCitelny();
    EXPECT_EQ(DokumentZTextu(*ed->document()), zapsany);
    // Typed and written after the first drawing: only the changed blocks are read again.
    QTextCursor uprostred(ed->document());
    uprostred.setPosition(ed->document()->characterCount() / 2);
    ed->setTextCursor(uprostred);
    QTest::keyClicks(ed, QStringLiteral("x y"));
    f().TZprisada->click();
    kazdyZnakCitelny();
    // The names on the creation page, the texts on the logo's card.
    const QWidget* ol9 = okno->findChild<QWidget*>(QStringLiteral("OL9"));
    for (const QWidget* popisek : std::initializer_list<const QWidget*>{f().TpJmeno, f().TlPrisada1, f().OL1, ol9})
        EXPECT_GE(Kontrast(popisek->palette().color(QPalette::WindowText), popisek->palette().color(QPalette::Window)),
                  kKontrastTextu) << popisek->objectName().toStdString();
    EXPECT_GE(Kontrast(f().TlJmeno->palette().color(QPalette::Text), f().TlJmeno->palette().color(QPalette::Base)),
              kKontrastTextu);
}

// ------------------------------------------------------------ closing

// What the notebook holds when the window is closed, the answer to the
// question, and what became of the save that the answer started.
enum class TZmena { Zadna, Napsano, Zapsano, Ulozeno };
enum class TUlozeni { Zadne, Prijato, Zruseno, Selhalo };
struct TZavreni { const char* Nazev; TZmena Zmena; QMessageBox::StandardButton Odpoved; TUlozeni Ulozeni; bool Zavreno; };

class Zavreni : public Ukladani, public ::testing::WithParamInterface<TZavreni> {};

TEST_P(Zavreni, UnsavedNotesAreSavedDiscardedOrKeptAsAnswered)
{
    const TZavreni& p = GetParam();
    if (p.Zmena == TZmena::Zapsano)
        f().TZprisada->click();
    else if (p.Zmena != TZmena::Zadna)
        QTest::keyClicks(ed, QStringLiteral("moje poznamky"));
    odpovez(0, cesta("drive"));
    if (p.Zmena == TZmena::Ulozeno)
        f().Zsave->click();
    odpovez(0, cesta(p.Ulozeni == TUlozeni::Selhalo ? "chybi/notes" : "notes"), p.Ulozeni != TUlozeni::Zruseno);
    QStringList otazky;
    TAplikace::Instance()->NastavOdpovidaceUlozeni([&](const TAplikace::TZprava& z) {
        otazky << z.Text;
        return p.Odpoved;
    });
    EXPECT_EQ(okno->close(), p.Zavreno);
    const bool neulozene = p.Zmena == TZmena::Napsano || p.Zmena == TZmena::Zapsano;
    EXPECT_EQ(otazky, neulozene ? QStringList{QStringLiteral("Zápisníček obsahuje neuložené změny. Uložit je?")}
                                : QStringList{});
    // The options are written exactly when the window closes; only a failed save is reported.
    EXPECT_EQ(std::filesystem::exists("volby.txt"), p.Zavreno);
    EXPECT_EQ(std::filesystem::exists(slozka_.cesta() / "notes.rtf"), p.Ulozeni == TUlozeni::Prijato);
    EXPECT_EQ(zpravy.size(), p.Ulozeni == TUlozeni::Selhalo ? 1u : 0u);
}

const TZavreni kZavreni[] = {
    {"NothingWrittenClosesWithoutAQuestion", TZmena::Zadna, QMessageBox::Cancel, TUlozeni::Zadne, true},
    {"SavedNotesCloseWithoutAQuestion", TZmena::Ulozeno, QMessageBox::Cancel, TUlozeni::Zadne, true},
    {"CancelKeepsTheWindowOpen", TZmena::Napsano, QMessageBox::Cancel, TUlozeni::Zadne, false},
    {"DiscardCloses", TZmena::Napsano, QMessageBox::Discard, TUlozeni::Zadne, true},
    {"SaveClosesOnceSaved", TZmena::Napsano, QMessageBox::Save, TUlozeni::Prijato, true},
    {"AnEntryIsAnUnsavedChange", TZmena::Zapsano, QMessageBox::Save, TUlozeni::Prijato, true},
    {"CancelledSaveKeepsTheWindowOpen", TZmena::Napsano, QMessageBox::Save, TUlozeni::Zruseno, false},
    {"FailedSaveKeepsTheWindowOpen", TZmena::Napsano, QMessageBox::Save, TUlozeni::Selhalo, false},
};

INSTANTIATE_TEST_SUITE_P(Zapisnik, Zavreni, ::testing::ValuesIn(kZavreni),
                         [](const auto& info) { return std::string(info.param.Nazev); });

// ------------------------------------------------------------ pasting

// What Qt shows of a document: per paragraph, its text, and per run of
// characters the rendered point size, face, weight and colour; an empty
// paragraph shows the size of its own format.
QStringList Vykresleno(const QTextDocument& dokument)
{
    const auto body = [](const QFont& pismo) {
        return pismo.pointSizeF() > 0 ? pismo.pointSizeF() : pismo.pixelSize() * 72.0 / 96.0;
    };
    QStringList out;
    for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) {
        QString radek = QLatin1Char('[') + blok.text() + QLatin1Char(']');
        if (blok.length() <= 1)
            radek += QStringLiteral(" %1pt").arg(body(blok.charFormat().font()));
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            radek += QStringLiteral(" {%1 %2pt %3 %4%5}")
                         .arg(it.fragment().text())
                         .arg(body(f.font()))
                         .arg(f.font().family())
                         .arg(f.font().bold() ? QStringLiteral("B ") : QString())
                         .arg(f.foreground().color().name());
        }
        out << radek;
    }
    return out;
}

// A clipboard fragment as LibreOffice Writer gives one: a full HTML page
// with its own styles, <font size> beside an explicit size, an empty
// paragraph as <p><br/></p>, a line break.
const char* const kLibreOffice = R"LO(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">
<html><head><meta http-equiv="content-type" content="text/html; charset=utf-8"/><title></title>
<meta name="generator" content="LibreOffice 7.4.7.2 (Linux)"/>
<style type="text/css">@page { size: 21cm 29.7cm; margin: 2cm } p { line-height: 115%; margin-bottom: 0.25cm }</style>
</head><body lang="cs-CZ" link="#000080" vlink="#800000" dir="ltr">
<p style="line-height: 100%; margin-bottom: 0cm"><font face="Liberation Serif, serif"><font size="3" style="font-size: 12pt">Obyčejný text</font></font></p>
<p style="line-height: 100%; margin-bottom: 0cm"><font face="Liberation Sans, sans-serif"><font size="5" style="font-size: 18pt"><b>Velký tučný</b></font></font></p>
<p style="line-height: 100%; margin-bottom: 0cm"><font size="6" style="font-size: 20pt"><br/></font></p>
<p style="line-height: 100%; margin-bottom: 0cm"><font color="#c9211e"><font face="Liberation Serif, serif"><font size="3" style="font-size: 12pt">červený<br/>druhý řádek</font></font></font></p>
</body></html>)LO";

class Vkladani : public Ukladani {
protected:
    // Pastes at the end what the clipboard then holds.
    void vloz(QMimeData* data)
    {
        QApplication::clipboard()->setMimeData(data);
        kurzorNa(text().size());
        ed->paste();
    }
    void vlozHtml(const QString& html)
    {
        auto* data = new QMimeData;
        data->setHtml(html);
        data->setText(QStringLiteral("prostý text"));
        vloz(data);
    }
    // The notebook's paragraphs below the header and its empty line.
    QStringList radky() const
    {
        QStringList out;
        for (QTextBlock blok = ed->document()->findBlockByNumber(3); blok.isValid(); blok = blok.next())
            out << blok.text();
        return out;
    }
    int pozice(const QString& hledany) const
    {
        const int kde = text().indexOf(hledany, zapisnik().ZacatekUzivatelske);
        EXPECT_GE(kde, 0) << hledany.toStdString();
        return kde;
    }
    // The size box for a selection of a text.
    int velikostVBoxu(const QString& hledany)
    {
        vyber(pozice(hledany), pozice(hledany) + hledany.size());
        return f().Zsize->value();
    }
    // Saves as rich text and reads the file back into a fresh document of
    // the notebook's default font: it must show what the notebook shows.
    void ocekavejStejnePoUlozeni(const char* co)
    {
        odpovez(0, cesta("vlozeno"));
        f().Zsave->click();
        const std::string rtf = ulozeny("vlozeno.rtf");
        QTextDocument znovu;
        znovu.setDefaultFont(ed->document()->defaultFont());
        QTextCursor k(&znovu);
        VlozDokument(k, CtiRtf(rtf));
        EXPECT_EQ(Vykresleno(znovu), Vykresleno(*ed->document())) << co;
    }
};

TEST_F(Vkladani, TableRowsBecomeLinesWithTabsBetweenCells)
{
    vlozHtml(QStringLiteral("<table border=1><tr><td>a1</td><td><b>b1</b></td><td>c1</td></tr>"
                            "<tr><td colspan=2>spojená</td><td>c2<p>druhý odstavec</p></td></tr></table>"));
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("a1\tb1\tc1"), QStringLiteral("spojená\t\tc2 druhý odstavec")}));
    EXPECT_TRUE(formatZnaku(pozice(QStringLiteral("b1"))).fontWeight() >= QFont::Bold);
    EXPECT_EQ(ed->document()->rootFrame()->childFrames().size(), 0);
    ocekavejStejnePoUlozeni("table");
}

TEST_F(Vkladani, ListItemsGetTheirMarkersAndATab)
{
    vlozHtml(QStringLiteral("<ul><li>jedna</li><li>dva<ul><li>vnořená</li></ul></li></ul><ol><li>první</li>"
                            "<li>druhá</li></ol>"));
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("•\tjedna"), QStringLiteral("•\tdva"),
                                    QStringLiteral("\t•\tvnořená"), QStringLiteral("1.\tprvní"),
                                    QStringLiteral("2.\tdruhá")}));
    for (QTextBlock blok = ed->document()->begin(); blok.isValid(); blok = blok.next())
        EXPECT_EQ(blok.textList(), nullptr) << blok.text().toStdString();
    ocekavejStejnePoUlozeni("list");
}

TEST_F(Vkladani, ImagesAreLeftOutAndLinksKeepTheirText)
{
    vlozHtml(QStringLiteral("<p>před<img src=\"obrazek.png\" width=20 height=20>po <a href=\"http://example.com\">"
                            "odkaz</a> <sup>2</sup></p>"));
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("předpo odkaz 2")}));
    EXPECT_FALSE(text().contains(QChar::ObjectReplacementCharacter));
    for (QTextBlock blok = ed->document()->begin(); blok.isValid(); blok = blok.next())
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            EXPECT_FALSE(it.fragment().charFormat().isImageFormat());
            EXPECT_FALSE(it.fragment().charFormat().isAnchor());
            EXPECT_EQ(it.fragment().charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);
        }
    ocekavejStejnePoUlozeni("image and link");
}

TEST_F(Vkladani, PixelAndRelativeSizesBecomeThePointsQtShowed)
{
    vlozHtml(QStringLiteral("<h1>Nadpis</h1><p><span style=\"font-size:24px\">pixely</span> "
                            "<font size=5>pětka</font> <span style=\"font-size:small\">malé</span> obyčejné</p>"));
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("Nadpis"), QStringLiteral("pixely pětka malé obyčejné")}));
    // The notebook's default is 10 pt: <h1> shows it doubled, size 5 by 1.5.
    const std::pair<const char*, int> velikosti[] = {{"Nadpis", 20}, {"pixely", 18}, {"pětka", 15}, {"malé", 8}, {"obyčejné", 10}};
    for (const auto& [slovo, body] : velikosti) {
        EXPECT_EQ(formatZnaku(pozice(QString::fromUtf8(slovo))).fontPointSize(), body) << slovo;
        EXPECT_EQ(velikostVBoxu(QString::fromUtf8(slovo)), body) << slovo;
        EXPECT_TRUE(jednotna(f().Zsize)) << slovo;
    }
    ocekavejStejnePoUlozeni("sizes");
}

TEST_F(Vkladani, LibreOfficeFragmentKeepsSizesFacesBreaksAndEmptyLines)
{
    vlozHtml(QString::fromUtf8(kLibreOffice));
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("Obyčejný text"), QStringLiteral("Velký tučný"), QString(),
                                    QStringLiteral("červený\u2028druhý řádek")}));
    const QTextCharFormat obycejny = formatZnaku(pozice(QStringLiteral("Obyčejný")));
    EXPECT_EQ(obycejny.fontPointSize(), 12);
    EXPECT_EQ(obycejny.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    const QTextCharFormat velky = formatZnaku(pozice(QStringLiteral("Velký")));
    EXPECT_EQ(velky.fontPointSize(), 18);
    EXPECT_TRUE(velky.fontWeight() >= QFont::Bold);
    EXPECT_EQ(ed->document()->findBlockByNumber(5).charFormat().fontPointSize(), 20);  // the empty line
    EXPECT_EQ(formatZnaku(pozice(QStringLiteral("červený"))).foreground().color(), QColor(0xc9, 0x21, 0x1e));
    EXPECT_EQ(velikostVBoxu(QStringLiteral("Velký tučný")), 18);
    ocekavejStejnePoUlozeni("LibreOffice");

    // Another program reads the file as the notebook shows it.
    if (!MaUnrtf())
        GTEST_SKIP() << "unrtf is not installed";
    const std::string html = UnrtfHtml(slozka_.cesta() / "vlozeno.rtf");
    EXPECT_THAT(html, testing::ContainsRegex("<font size=\"5\">(<[^/>]*>)*<b>Velk&yacute; tu&#269;n&yacute;<br>"));
    EXPECT_THAT(html, testing::ContainsRegex("font-size:20pt\">(<[^/>]*>)*<br>"));
    EXPECT_THAT(html, testing::HasSubstr("&#269;erven&yacute;<br>\ndruh&yacute;"));
}

TEST_F(Vkladani, PlainTextTakesTheTypingFormatAndDropsGoTheSameWay)
{
    auto* prosty = new QMimeData;
    prosty->setText(QStringLiteral("první\r\ndruhý\u2029třetí\uFFFC"));
    vloz(prosty);
    EXPECT_EQ(radky(), (QStringList{QStringLiteral("první"), QStringLiteral("druhý"), QStringLiteral("třetí")}));
    EXPECT_EQ(formatZnaku(pozice(QStringLiteral("třetí"))).fontPointSize(), 10);
    EXPECT_FALSE(ed->DotykaSeChranenych(zapisnik().ZacatekUzivatelske, text().size()));
    // Data without text replace no selection.
    auto* obrazek = new QMimeData;
    obrazek->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(obrazek);
    vyber(pozice(QStringLiteral("druhý")), pozice(QStringLiteral("druhý")) + 5);
    ed->paste();
    EXPECT_TRUE(text().contains(QStringLiteral("druhý")));

    QMimeData tazena;
    tazena.setHtml(QStringLiteral("<span style=\"font-size:32px\">tažený</span><img src=\"x.png\">"));
    tahni(tazena, naKonci());
    ASSERT_TRUE(text().contains(QStringLiteral("tažený")));
    EXPECT_FALSE(text().contains(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(formatZnaku(pozice(QStringLiteral("tažený"))).fontPointSize(), 24);
    ocekavejNetknutouHlavicku("paste and drop");
}

} // namespace
