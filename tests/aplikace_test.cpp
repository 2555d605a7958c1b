// The application around the window: Qt's texts in Czech, running out of
// memory, one program per folder. Each test has an application of its own,
// since running out of memory ends the application's event loop for good.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "aplikace.h"
#include "jedina_instance.h"
#include "obsluha.h"
#include "test_support.h"

namespace {

using ::testing::HasSubstr;

int pocetArgumentu = 1;
char nazev[] = "aplikace_tests";
char* argumenty[] = {nazev, nullptr};

class Aplikace : public ::testing::Test {
protected:
    Aplikace() { aplikace.NastavOdpovidace([this](const TAplikace::TZprava& z) { zpravy.push_back(z.Text); }); }
    TAplikace aplikace{pocetArgumentu, argumenty};
    QStringList zpravy;
};

QString cesta(const DocasnaSlozka& slozka) { return QString::fromStdString(slozka.cesta().string()); }

// Without the translation Qt shows these texts in the save dialog, the
// question's buttons and the editors' context menus.
const QStringList kAnglicke = {"&Yes", "&No", "Look in:", "File &name:", "Files of type:", "&Save",
                               "Cancel", "&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete",
                               "Select All"};

} // namespace

TEST_F(Aplikace, QtDialogsAndMenusSpeakCzechWhateverTheSystemLanguage)
{
    const QString preklad = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_cs.qm";
    ASSERT_TRUE(QFile::exists(preklad)) << preklad.toStdString()
                                        << " is missing: scripts/install-deps.sh installs qt6-translations-l10n";
    ASSERT_NE(QLocale::system().language(), QLocale::Czech) << "the test runs with LANG=C";
    QMessageBox otazka(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    ASSERT_NE(dialog.findChild<QLabel*>("lookInLabel"), nullptr);
    QLineEdit radek;
    QTextEdit editor;

    QStringList texty = {otazka.button(QMessageBox::Yes)->text(), otazka.button(QMessageBox::No)->text()};
    for (const QLabel* popisek : dialog.findChildren<QLabel*>())
        texty << popisek->text();
    for (const QPushButton* tlacitko : dialog.findChildren<QPushButton*>())
        texty << tlacitko->text();
    for (QMenu* nabidka : {radek.createStandardContextMenu(), editor.createStandardContextMenu()}) {
        for (const QAction* akce : nabidka->actions())
            texty << akce->text().section('\t', 0, 0);
        delete nabidka;
    }
    for (const QString& text : texty)
        EXPECT_FALSE(kAnglicke.contains(text)) << text.toStdString();
}

// A window whose showing runs out of memory inside Qt, outside every handler.
class TOknoBezPameti : public QWidget {
    void setVisible(bool) override { throw std::bad_alloc(); }
};

TEST_F(Aplikace, OutOfMemoryWhileTheWindowIsShownIsReportedAndEndsTheStart)
{
    TOknoBezPameti okno;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(aplikace.KrokStartu([&] { okno.show(); }));
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("Nedostatek paměti."));
    EXPECT_EQ(zpravy, QStringList{"Nedostatek paměti."});
}

TEST_F(Aplikace, OutOfMemoryInAHandlerIsReportedOnceAndEndsTheProgramWithStatus1)
{
    for (int i = 0; i < 2; ++i)
        QTimer::singleShot(0, [] { VRamciAkce([] { throw std::bad_alloc(); }); });
    EXPECT_EQ(QCoreApplication::exec(), 1);
    EXPECT_EQ(zpravy, QStringList{"Nedostatek paměti."});
    EXPECT_TRUE(aplikace.DoslaPamet());
}

TEST_F(Aplikace, ALaterStartInTheFolderBringsTheRunningWindowForward)
{
    DocasnaSlozka slozka, jina;
    TJedinaInstance prvni(cesta(slozka));
    ASSERT_TRUE(prvni.Zamkni());
    QWidget okno;
    okno.showMinimized();
    prvni.NastavOkno(&okno);

    TJedinaInstance druhy(cesta(slozka));
    EXPECT_FALSE(druhy.Zamkni());
    EXPECT_TRUE(druhy.PrivolejBezici());
    EXPECT_FALSE(okno.isMinimized());
    EXPECT_TRUE(zpravy.isEmpty());
    // Another folder is another program's.
    EXPECT_TRUE(TJedinaInstance(cesta(jina)).Zamkni());
}

TEST_F(Aplikace, ALaterStartThatGetsNoAnswerSaysTheProgramRunsThere)
{
    // The folder held by a program that does not answer (another user's).
    DocasnaSlozka slozka;
    const int zamek = ::open(slozka.zapis(".mixor.zamek", "").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(::flock(zamek, LOCK_EX), 0);
    TJedinaInstance druhy(cesta(slozka), std::chrono::milliseconds(300));
    EXPECT_FALSE(druhy.Zamkni());
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(druhy.PrivolejBezici());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(), HasSubstr("Mixorův průvodce 2 už v této složce běží."));
    EXPECT_EQ(zpravy, QStringList{"Mixorův průvodce 2 už v této složce běží."});
    ::close(zamek);
}

int main(int argc, char** argv)
{
    // Whatever the system's language: here none.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The programs' servers live in a runtime folder of the tests' own.
    const DocasnaSlozka beh;
    std::filesystem::permissions(beh.cesta(), std::filesystem::perms::owner_all);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(beh.cesta().string()));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
