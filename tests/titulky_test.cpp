// Window titles as the X server holds them for the window manager: every box
// and dialog of the program carries exactly the title it is given, with no
// program name appended. Runs on the xcb platform on a private Xvfb server (see
// pod_x11.sh); without an X display it is skipped, and under CI it fails.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <xcb/xcb.h>

#include "aplikace.h"
#include "mainu.h"
#include "test_support.h"
#include "zapisnik.h"

namespace {

xcb_atom_t atom(xcb_connection_t* spojeni, const char* jmeno)
{
    const auto cookie = xcb_intern_atom(spojeni, 0, static_cast<uint16_t>(std::strlen(jmeno)), jmeno);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> odpoved(
        xcb_intern_atom_reply(spojeni, cookie, nullptr), &std::free);
    return odpoved ? odpoved->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// _NET_WM_NAME of the widget's X window, the title the window manager shows,
// in UTF-8.
std::string titulNaServeru(QWidget& okno)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return "<no X11 connection>";
    xcb_connection_t* spojeni = x11->connection();
    const auto cookie = xcb_get_property(spojeni, 0, static_cast<xcb_window_t>(okno.winId()),
                                         atom(spojeni, "_NET_WM_NAME"), atom(spojeni, "UTF8_STRING"), 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> odpoved(
        xcb_get_property_reply(spojeni, cookie, nullptr), &std::free);
    if (!odpoved)
        return "<no _NET_WM_NAME>";
    return std::string(static_cast<const char*>(xcb_get_property_value(odpoved.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(odpoved.get())));
}

// Runs what opens a modal box or dialog; as soon as it shows, reads the title
// the server holds for it and closes it.
std::string titulModalnihoOkna(const std::function<void()>& otevri)
{
    std::string titul = "<nothing shown>";
    bool hotovo = false;
    std::function<void()> precti = [&] {
        if (hotovo)
            return;
        QWidget* okno = QApplication::activeModalWidget();
        if (!okno) {
            QTimer::singleShot(0, precti);
            return;
        }
        hotovo = true;
        titul = titulNaServeru(*okno);
        if (auto* dialog = qobject_cast<QDialog*>(okno))
            dialog->reject();
        else
            okno->close();
    };
    QTimer::singleShot(0, precti);
    otevri();
    hotovo = true;
    return titul;
}

class Titulky : public ::testing::Test {
protected:
    void SetUp() override
    {
        puvodni_ = std::filesystem::current_path();
        std::filesystem::current_path(slozka.cesta());
    }
    void TearDown() override
    {
        okno.reset();
        std::filesystem::current_path(puvodni_);
    }
    void katalog() { slozka.zapis("P\xC5\x99\xC3\xADsady.txt", "Alfa\tJed\tOhen\t\nBeta\tJed\t\t\n"); }

    DocasnaSlozka slozka;
    std::unique_ptr<TMF> okno;

private:
    std::filesystem::path puvodni_;
};

TEST_F(Titulky, MainWindowAndSaveDialogShowTheirOwnTitles)
{
    katalog();
    okno = std::make_unique<TMF>();
    okno->show();
    EXPECT_EQ(titulNaServeru(*okno), "Mixorův průvodce 2");
    EXPECT_EQ(titulModalnihoOkna([&] { okno->findChild<TStrankaZapisniku*>()->ZsaveClick(); }), "Uložit zápisníček do souboru");
}

TEST_F(Titulky, LoadingErrorBoxShowsItsTitleAlone)
{
    EXPECT_EQ(titulModalnihoOkna([&] {
                  okno = std::make_unique<TMF>();
                  okno->show();
              }),
              "Mixorův průvodce 2 - Chyba načítání");
    EXPECT_TRUE(okno->KonciPoChybe());
}

TEST_F(Titulky, GeneralErrorReportAndQuestionShowTheirTitlesAlone)
{
    TAplikace* aplikace = TAplikace::Instance();
    EXPECT_EQ(titulModalnihoOkna([&] { aplikace->HlasChybu(std::runtime_error("Disk je plný")); }),
              "Mixorův průvodce 2");
    EXPECT_EQ(titulModalnihoOkna([&] { aplikace->Otazka(QStringLiteral("Uložit zápisníček do souboru"),
                                                         QStringLiteral("Nahradit?")); }),
              "Uložit zápisníček do souboru");
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("No X display (tests/pod_x11.sh gives one through Xvfb): titles not checked.\n", stderr);
        return qEnvironmentVariableIsEmpty("CI") ? 77 : 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    TAplikace aplikace(argc, argv);
    return RUN_ALL_TESTS();
}
