// Window tests: a fresh working folder per test, the application's message
// boxes answered and recorded, the window created and shown as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "aplikace.h"
#include "hledani_lektvaru.h"
#include "mainu.h"
#include "ovladace.h"
#include "prostredi.h"
#include "seznamy.h"
#include "test_support.h"
#include "tvorba.h"
#include "vypis.h"
#include "zapisnik.h"
#include "ztext.h"

// The window's controls that the tests drive, found by their names as the
// user's tools find them.
struct TOvladace {
    explicit TOvladace(const QWidget& okno);

    QTabWidget* Pages;
    // Potion creation.
    TListBox *Tefekty, *Tprisady;
    QPushButton *TZefekt, *TZprisada, *TZlektvar, *TpPridat;
    TPopisek *TpJmeno, *TpEfekt1, *TpEfekt2, *TpEfekt3, *TpEfekt4;
    QLabel* TpDatadisky;
    TPosuvnyPas* TpPopisPS;
    QLineEdit* TlJmeno;
    QLabel* TlDatadisky;
    TPopisek *TlPrisada1, *TlPrisada2, *TlPrisada3, *TlPrisada4;
    QPushButton *TlVyjmi1, *TlVyjmi2, *TlVyjmi3, *TlVyjmi4;
    TPopisek *TlEfekt1, *TlEfekt2, *TlEfekt3, *TlEfekt4;
    QLabel *TlEfektZP1, *TlEfektZP2, *TlEfektZP3, *TlEfektZP4;
    // Potion listing.
    QRadioButton *Vvyber1, *Vvyber2;
    TListBox* VvyberList;
    QCheckBox* VvyberJenom;
    QLabel* VL1;
    QPushButton* VZlist;
    TListBox* Vlist;
    // Search.
    TListBox *Hefekty, *Hprisady;
    QCheckBox* Hzasoby;
    QSpinBox* Hpocet;
    QLabel* HL1;
    QPushButton* HZlist;
    TListBox* Hlist;
    // Notebook.
    TZapisnik* Ztext;
    QPushButton *Zsave, *Zprint;
    TStylBox *Zbold, *Zitalic, *Zunderline, *Zprotected;
    QSpinBox* Zsize;
    TBarvy* Zcolor;
    // About.
    QWidget *OlogoP, *Ovolby;
    QLabel *OL1, *OL2;
    QCheckBox *Otribunal, *Obloodmoon, *Olisit, *Oprepnout, *Obarvy;
};

// Pixels of the image for which the test holds.
template <typename F>
int PocetPixelu(const QImage& obraz, F plati)
{
    int pocet = 0;
    for (int y = 0; y < obraz.height(); ++y)
        for (int x = 0; x < obraz.width(); ++x)
            pocet += plati(obraz.pixelColor(x, y)) ? 1 : 0;
    return pocet;
}

class OknoTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Also takes back every answerer of the application's dialogs.
    void TearDown() override;

    // Writes the catalogue "Přísady.txt" of the working folder.
    void katalog(std::string_view obsah);
    void soubor(const std::string& jmeno, std::string_view obsah);
    std::string precti(const std::string& jmeno) const;

    // Creates and shows the window, as the program does.
    TMF& spust();
    // Writes the catalogue, starts the window and ends the splash at once.
    TMF& spustPoUvodu(std::string_view obsahKatalogu);
    // The window's start-up timer while it waits to tick; null once it has.
    QTimer* startTimer() const;
    // Makes the waiting start-up timer tick now, as if its second were up.
    void tikniStartTimer();
    // Closes it as the user does.
    void zavri();
    TOvladace& f() { return *ovladace_; }
    // The pages, driven through their own interfaces.
    TStrankaTvorby& tvorba() const { return stranka<TStrankaTvorby>(); }
    TStrankaVypisu& vypis() const { return stranka<TStrankaVypisu>(); }
    TStrankaZapisniku& zapisnik() const { return stranka<TStrankaZapisniku>(); }
    TStrankaHledani& hledani() const { return stranka<TStrankaHledani>(); }
    // The catalogue and options the pages share.
    const TProstredi& prostredi() const { return okno->Prostredi(); }
    const TSeznam& seznam() const { return prostredi().Seznam; }

    std::vector<std::string> radky(const TListBox* seznam) const;
    // The lines' display texts, in Windows-1250.
    std::vector<std::string> texty(const TListBox* seznam) const;

    DocasnaSlozka slozka;
    std::unique_ptr<TMF> okno;
    std::vector<TAplikace::TZprava> zpravy;

private:
    template <typename T>
    T& stranka() const
    {
        T* nalezena = okno->findChild<T*>();
        if (nalezena == nullptr)
            throw std::logic_error("the window has no such page");
        return *nalezena;
    }

    std::filesystem::path puvodni_;
    std::unique_ptr<TOvladace> ovladace_;
};
