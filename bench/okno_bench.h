// The window's benchmarks: a window in a folder of its own, run without a user.
#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "aplikace.h"
#include "mainu.h"
#include "seznamy.h"
#include "tvorba.h"
#include "vypis.h"
#include "zapisnik.h"
#include "ztext.h"

// "Přísady.txt", spelt in UTF-8.
inline const char* const kSouborKatalogu = "P\xC5\x99\xC3\xADsady.txt";

// What a message box would show goes to standard error, and every question
// is answered "no".
void ZpravyNaStderr(TAplikace& aplikace);

struct TEfekt;
class Okno;

// The controls the benchmarks drive, found by their names.
struct TOvladace {
    explicit TOvladace(const QWidget& okno);

    QTabWidget* Pages;
    QWidget *TvorbaPage, *VypisPage;
    TListBox *Tefekty, *Tprisady, *VvyberList, *Vlist;
    QRadioButton *Vvyber1, *Vvyber2;
    QCheckBox *VvyberJenom, *Otribunal;
    TZapisnik* Ztext;
};

// Shows the listing page with this effect chosen in its selection list,
// "jen daný efekt" as given; the list itself is not filled yet. Throws when
// the effect is not in the selection list.
void VyberEfektNaVypisu(Okno& okno, TEfekt* efekt, bool jenDany);

// One window on one catalogue, in a temporary folder of its own.
class Okno {
public:
    Okno(const std::string& jmeno, const std::string& katalog, std::size_t prisadVzorku = 0, bool otevrit = true);
    ~Okno();
    Okno(const Okno&) = delete;
    Okno& operator=(const Okno&) = delete;

    TMF& mf() { return *mf_; }
    TOvladace& f() { return *ovladace_; }
    TStrankaTvorby& tvorba() { return *mf_->findChild<TStrankaTvorby*>(); }
    TStrankaVypisu& vypis() { return *mf_->findChild<TStrankaVypisu*>(); }
    TStrankaZapisniku& zapisnik() { return *mf_->findChild<TStrankaZapisniku*>(); }
    const std::string& jmeno() const { return jmeno_; }
    std::size_t prisadVzorku() const { return prisadVzorku_; }

    // Makes this window the one shown, in its folder.
    void aktivuj();
    void skryj();
    // Creates and shows the window in the folder, as the program starts,
    // and waits for its first painting.
    void otevri();

private:
    std::string jmeno_;
    std::size_t prisadVzorku_;
    std::filesystem::path slozka_;
    std::unique_ptr<TMF> mf_;
    std::unique_ptr<TOvladace> ovladace_;
};
