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
#include <QTextBlock>

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
    QString hlavicka() const { return text().left(okno->ZacatekUzivatelske); }
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
    EXPECT_EQ(okno->ZacatekUzivatelske, kTitul.size() + kHlavicka.size() + 2);
    EXPECT_EQ(ed->textCursor().position(), text().size());
    EXPECT_TRUE(ed->DotykaSeChranenych(0, 1));
    EXPECT_TRUE(ed->DotykaSeChranenych(okno->ZacatekUzivatelske - 1, okno->ZacatekUzivatelske));
    EXPECT_FALSE(ed->DotykaSeChranenych(okno->ZacatekUzivatelske, text().size()));
    const QTextCharFormat titul = formatZnaku(4);
    EXPECT_EQ(titul.fontPointSize(), 20);
    EXPECT_TRUE(titul.fontWeight() >= QFont::Bold);
    EXPECT_EQ(formatZnaku(kTitul.size() + 3).fontPointSize(), 11);

    QTest::keyClicks(ed, QStringLiteral("ahoj"));
    const QTextCharFormat psany = formatZnaku(text().size() - 1);
    EXPECT_EQ(psany.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(psany.fontPointSize(), 10);
    EXPECT_EQ(psany.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_FALSE(psany.fontWeight() >= QFont::Bold);
    EXPECT_FALSE(psany.boolProperty(kVlastnostChranene));
}

TEST_F(Zapisnik, KeysCannotChangeTheHeader)
{
    const int konecHlavicky = okno->ZacatekUzivatelske;
    const struct {
        int pozice;
        QKeySequence::StandardKey klavesa;
        Qt::Key prosta;
    } pokusy[] = {
        {3, QKeySequence::UnknownKey, Qt::Key_X},
        {3, QKeySequence::UnknownKey, Qt::Key_Return},
        {3, QKeySequence::UnknownKey, Qt::Key_Tab},
        {3, QKeySequence::UnknownKey, Qt::Key_Delete},
        {3, QKeySequence::UnknownKey, Qt::Key_Backspace},
        {konecHlavicky, QKeySequence::UnknownKey, Qt::Key_Backspace},
        {konecHlavicky - 1, QKeySequence::UnknownKey, Qt::Key_Delete},
        {konecHlavicky, QKeySequence::DeleteStartOfWord, Qt::Key_unknown},
        {konecHlavicky - 1, QKeySequence::DeleteEndOfWord, Qt::Key_unknown},
        {8, QKeySequence::DeleteCompleteLine, Qt::Key_unknown},
    };
    for (const auto& pokus : pokusy) {
        kurzorNa(pokus.pozice);
        if (pokus.klavesa != QKeySequence::UnknownKey) {
            const QKeySequence klavesy(pokus.klavesa);
            if (klavesy.isEmpty())
                continue;
            QTest::keySequence(ed, klavesy);
        } else {
            QTest::keyClick(ed, pokus.prosta);
        }
        ocekavejNetknutouHlavicku(QKeySequence(pokus.klavesa).toString().toUtf8().constData());
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
    EXPECT_FALSE(ed->DotykaSeChranenych(okno->ZacatekUzivatelske, text().size()));
}

TEST_F(Zapisnik, MiddleButtonPasteIsRefusedInTheHeader)
{
    QClipboard* schranka = QApplication::clipboard();
    if (!schranka->supportsSelection())
        GTEST_SKIP() << "this platform has no selection clipboard";
    schranka->setText(QStringLiteral("STRED"), QClipboard::Selection);
    QTest::mouseClick(ed->viewport(), Qt::MiddleButton, {}, ed->cursorRect(QTextCursor(ed->document())).center());
    ocekavejNetknutouHlavicku("middle button");
}

TEST_F(Zapisnik, DropsAndInputMethodTextAreRefusedInTheHeader)
{
    QMimeData data;
    data.setText(QStringLiteral("TAZENO"));
    const QPoint vHlavicce = ed->cursorRect(QTextCursor(ed->document())).center() + QPoint(20, 0);
    QDropEvent pustit(vHlavicce, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ed->viewport(), &pustit);
    ocekavejNetknutouHlavicku("drop into header");

    // A move of header text to the user area would take it out of the header.
    vyber(2, 6);
    QTextCursor konec(ed->document());
    konec.movePosition(QTextCursor::End);
    QDropEvent presun(QPointF(ed->cursorRect(konec).center()), Qt::MoveAction, &data, Qt::LeftButton,
                      Qt::NoModifier);
    presun.setDropAction(Qt::MoveAction);
    QTest::mousePress(ed->viewport(), Qt::LeftButton, {}, ed->cursorRect(QTextCursor(ed->document())).center());
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
    // Right after start: the typing attributes.
    EXPECT_EQ(f().Zbold->checkState(), Qt::Unchecked);
    EXPECT_EQ(f().Zsize->value(), 10);
    EXPECT_EQ(f().Zsize->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
    EXPECT_EQ(f().Zcolor->currentText(), QStringLiteral("Black"));

    vyber(0, kTitul.size());
    EXPECT_EQ(f().Zbold->checkState(), Qt::Checked);
    EXPECT_EQ(f().Zunderline->checkState(), Qt::Checked);
    EXPECT_EQ(f().Zitalic->checkState(), Qt::Unchecked);
    EXPECT_EQ(f().Zprotected->checkState(), Qt::Checked);
    EXPECT_EQ(f().Zsize->value(), 20);
    EXPECT_EQ(f().Zcolor->currentText(), QStringLiteral("Navy"));

    vyber(0, kTitul.size() + 5);
    EXPECT_EQ(f().Zbold->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(f().Zunderline->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(f().Zitalic->checkState(), Qt::Unchecked);
    EXPECT_EQ(f().Zsize->value(), 10);
    EXPECT_NE(f().Zsize->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
    EXPECT_EQ(f().Zcolor->currentText(), QStringLiteral("Navy"));

}

TEST_F(Zapisnik, StyleControlsChangeTheSelectionButNeverTheHeader)
{
    QTest::keyClicks(ed, QStringLiteral("prvni druhy"));
    const int zacatek = okno->ZacatekUzivatelske + 1;
    vyber(zacatek, zacatek + 5);
    f().Zcolor->setCurrentIndex(9);  // Red
    emit f().Zcolor->activated(9);
    vyber(zacatek, zacatek + 11);
    EXPECT_EQ(f().Zcolor->currentIndex(), -1);
    EXPECT_NE(f().Zcolor->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
    f().Zcolor->setCurrentIndex(12);  // Blue
    emit f().Zcolor->activated(12);
    for (int i = zacatek; i < zacatek + 11; ++i)
        EXPECT_EQ(formatZnaku(i).foreground().color(), QColor(0, 0, 255)) << i;
    EXPECT_EQ(f().Zcolor->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Active, QPalette::ButtonText));

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
    f().Zcolor->setCurrentIndex(9);
    emit f().Zcolor->activated(9);
    f().Zsize->setValue(6);
    ocekavejNetknutouHlavicku("style controls");
    EXPECT_FALSE(formatZnaku(3).fontItalic());
    EXPECT_EQ(f().Zitalic->checkState(), Qt::Unchecked);
    EXPECT_EQ(f().Zsize->value(), 20);
}

TEST_F(Zapisnik, ProtectionBoxProtectsOnlyThroughTheReadOnlyPermission)
{
    QTest::keyClicks(ed, QStringLiteral("moje"));
    const int zacatek = okno->ZacatekUzivatelske + 1;
    vyber(zacatek, zacatek + 4);
    f().Zprotected->setCheckState(Qt::Checked);
    okno->ZprotectedClick();
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
            pripona = dialog.defaultSuffix();
            dialog.selectNameFilter(typy.value(typ));
            emit dialog.filterSelected(typy.value(typ));
            dialog.selectFile(jmeno);
            return prijmout;
        });
    }
    void TearDown() override
    {
        TAplikace::Instance()->NastavOdpovidaceDialogu(nullptr);
        TAplikace::Instance()->NastavOdpovidaceOtazek(nullptr);
        Zapisnik::TearDown();
    }
    QString cesta(const char* jmeno) const { return QString::fromStdString((slozka_.cesta() / jmeno).string()); }

    QString titulek, slozka, pripona;
    QStringList typy;
    DocasnaSlozka slozka_;
};

TEST_F(Ukladani, PlainTextIsWindows1250WithCrLf)
{
    QTest::keyClicks(ed, QStringLiteral("radek"));
    ed->insertPlainText(QStringLiteral(" ěšč 中"));
    odpovez(1, cesta("notes"));
    f().Zsave->click();
    EXPECT_EQ(titulek, QStringLiteral("Uložit zápisníček do souboru"));
    EXPECT_EQ(typy, (QStringList{QStringLiteral("RichText (*.rtf)"), QStringLiteral("Textový soubor (*.txt)")}));
    EXPECT_EQ(slozka, QCoreApplication::applicationDirPath());
    const std::string obsah = precti((slozka_.cesta() / "notes.txt").string());
    EXPECT_EQ(obsah, DoCp1250(kTitul) + "\r\n" + DoCp1250(kHlavicka) + "\r\n\r\n" + W("radek ěšč ?"));
    EXPECT_FALSE(std::filesystem::exists(slozka_.cesta() / "notes.rtf"));
}

TEST_F(Ukladani, RichTextKeepsAttributesAndNamedExtensionsStay)
{
    odpovez(0, cesta("notes"));
    f().Zsave->click();
    const std::string rtf = precti((slozka_.cesta() / "notes.rtf").string());
    ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    const TDokument dokument = CtiRtf(rtf);
    EXPECT_EQ(dokument, Normalizuj(DokumentZTextu(*ed->document())));

    odpovez(1, cesta("jine.rtf"));
    f().Zsave->click();
    EXPECT_EQ(precti((slozka_.cesta() / "jine.rtf").string()).substr(0, 6), DoCp1250(kTitul).substr(0, 6));
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
    EXPECT_EQ(precti((slozka_.cesta() / "stary.rtf").string()), "puvodni");
    odpoved = true;
    f().Zsave->click();
    EXPECT_EQ(precti((slozka_.cesta() / "stary.rtf").string()).substr(0, 6), "{\\rtf1");

    std::filesystem::create_directory(slozka_.cesta() / "adresar.rtf");
    odpovez(0, cesta("adresar.rtf"));
    const QString predtim = ed->toHtml();
    f().Zsave->click();
    ASSERT_FALSE(zpravy.empty());
    EXPECT_TRUE(zpravy.back().Text.contains(QStringLiteral("adresar.rtf"))) << zpravy.back().Text.toStdString();
    EXPECT_EQ(ed->toHtml(), predtim);

    odpovez(0, cesta("zruseno"), false);
    f().Zsave->click();
    EXPECT_FALSE(std::filesystem::exists(slozka_.cesta() / "zruseno.rtf"));
}

} // namespace
