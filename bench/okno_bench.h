// The window's benchmarks: a window in a folder of its own, run without a user.
#pragma once

#include <benchmark/benchmark.h>

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "aplikace.h"
#include "hledani_lektvaru.h"
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
struct TPrisada;
class Okno;

// The controls the benchmarks drive, found by their names.
struct TOvladace {
    explicit TOvladace(const QWidget& okno);

    QTabWidget* Pages;
    QWidget *TvorbaPage, *VypisPage, *ZapisnikPage, *HledaniPage;
    TListBox *Tefekty, *Tprisady, *VvyberList, *Vlist, *Hefekty, *Hprisady, *Hlist;
    QRadioButton *Vvyber1, *Vvyber2;
    QCheckBox *VvyberJenom, *Otribunal;
    TZapisnik* Ztext;
};

// Shows the listing page with this effect chosen in its selection list,
// "jen daný efekt" as given; the list itself is not filled yet. Throws when
// the effect is not in the selection list.
void VyberEfektNaVypisu(Okno& okno, TEfekt* efekt, bool jenDany);
// The same with an ingredient chosen in the ingredient mode.
void VyberPrisaduNaVypisu(Okno& okno, TPrisada* prisada);

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
    TStrankaHledani& hledani() { return *mf_->findChild<TStrankaHledani*>(); }
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

// The windows of the benchmark sizes (velke_katalogy.h), each made when it is
// first asked for; created in main after the application object.
class Okna {
public:
    explicit Okna(std::filesystem::path vzorek) : vzorek_(std::move(vzorek)) {}

    // The window of this size, shown; the others hidden.
    Okno& okno(const std::string& velikost);
    std::string Katalog(const std::string& velikost) const;
    // Only one window at a time is kept; the others are closed.
    void zavriOstatni(const std::string& velikost);

private:
    Okno& aktivuj(Okno& okno);

    std::filesystem::path vzorek_;
    std::map<std::string, std::unique_ptr<Okno>> okna_;
};

// Where the time of a reaction goes: the handler, then the drawing (the
// pending events, then a forced paint of the visible part of the list the
// reaction changed, if any). Totals over the timed iterations, in nanoseconds.
struct Podily {
    qint64 obsluha = 0;
    qint64 kresleni = 0;

    template <typename F>
    void reakce(F&& obsluzna, QAbstractScrollArea* seznam)
    {
        QElapsedTimer hodiny;
        hodiny.start();
        obsluzna();
        const qint64 poObsluze = hodiny.nsecsElapsed();
        QCoreApplication::processEvents();
        if (seznam != nullptr)
            seznam->viewport()->repaint();
        obsluha += poObsluze;
        kresleni += hodiny.nsecsElapsed() - poObsluze;
    }

    // Mean per iteration, in milliseconds, as counters.
    void vykaz(benchmark::State& st) const
    {
        const double n = st.iterations() > 0 ? static_cast<double>(st.iterations()) : 1.0;
        st.counters["handler_ms"] = static_cast<double>(obsluha) / n / 1e6;
        st.counters["draw_ms"] = static_cast<double>(kresleni) / n / 1e6;
    }
};

// Runs a benchmark body on the window of a size, the only one kept; a failure
// of the set-up skips the benchmark.
void NaOkne(Okna& okna, benchmark::State& state, const std::string& velikost,
            const std::function<void(benchmark::State&, Okno&)>& telo);
