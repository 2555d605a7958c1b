// Benchmarks of the notebook: every "zapsat" of a list on the catalogues of
// the window benchmarks (velke_katalogy.h), and the notebook's answers to the
// keys and commands a user gives after the largest entry.
//
//   mixor_zapis_bench [--benchmark_filter=...]
//
// Entries, per catalogue: the found potions of the effect most ingredients
// carry ("VZlistClick/efekt", on "nositele5000" 12,497,500 potions), of the
// busiest ingredient ("VZlistClick/prisada") and, on "jmeno50MB", of the
// ingredient with the 50 MB name; the ingredients of the most carried effect
// ("TZefektClick"); the search page's potions with that effect wanted
// ("HZlistClick"). An iteration is the click's whole reaction: the writer,
// then the pending events (layout, drawing) and a forced paint of the
// notebook. Before each, the notebook is rebuilt with its header alone and
// the list is filled, outside the timing.
//
// After the largest entry of a catalogue (the effect's listing; on
// "jmeno50MB" the long name's), "Zapisnik/<command>" times Ctrl+End,
// Ctrl+Home, a letter typed at the end, Ctrl+A, Ctrl+Z (undoing the entry),
// saving as rich text and as plain text, and a small entry (an ingredient's)
// written below, each with the drawing after it.
//
// The summary compares CPU times with the targets: every entry within 3 s;
// Ctrl+End, Ctrl+Home, the letter, Ctrl+A and the small entry within 100 ms;
// undo and saving within 1 s. Last it prints the peak memory of the whole process, which
// should stay under 1 GB; run one catalogue at a time to read it for that
// catalogue (--benchmark_filter=/nositele5000/). The targets are reported,
// not enforced. With --tmava everything runs in a dark palette, where the
// notebook lays readable shades over its colours and keeps them as it
// changes. Counters: "lines", the notebook's lines after the reaction;
// "handler_ms" and "draw_ms", the wall time of the reaction and of the
// drawing after it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPalette>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

#include "aplikace.h"
#include "okno_bench.h"
#include "mainu.h"
#include "seznamy.h"
#include "souhrn.h"
#include "zatizeni.h"
#include "ztext.h"

#ifndef MIXOR_DATA_DIR
#error "MIXOR_DATA_DIR must name the folder of the sample catalogue"
#endif

namespace {

constexpr double kCilZapisu = 3000.0;    // ms, an entry
constexpr double kCilKlavesy = 100.0;    // ms, a key in the notebook
constexpr double kCilPrikazu = 1000.0;   // ms, undo and saving
constexpr double kCilPameti = 1024.0;    // MB, the whole process

const char* const kVelikosti[] = {"sample", "x30", "nositele1000", "nositele5000", "prisad1M", "jmeno50MB"};

Okna* gOkna = nullptr;

enum class Seznam { Efekt, Prisada, NejdelsiPrisada };

// Fills the listing page's found potions of the chosen record.
void vypis(Okno& okno, Seznam co)
{
    TMF& mf = okno.mf();
    if (co == Seznam::Efekt)
        VyberEfektNaVypisu(okno, NejcastejsiEfekt(mf.Prostredi().Seznam), false);
    else
        VyberPrisaduNaVypisu(okno, co == Seznam::Prisada ? NejvytizenejsiPrisada(mf.Prostredi().Seznam) : NejdelsiJmeno(mf.Prostredi().Seznam));
    okno.vypis().VvyberListClick();
    QCoreApplication::processEvents();
}

// Shows the most carried effect's ingredients on the creation page.
void prisadyEfektu(Okno& okno)
{
    TOvladace& f = okno.f();
    f.Pages->setCurrentWidget(f.TvorbaPage);
    f.Tefekty->VyberRadek(f.Tefekty->RadekSOdkazem(NejcastejsiEfekt(okno.mf().Prostredi().Seznam)));
    okno.tvorba().TefektyClick();
    QCoreApplication::processEvents();
}

// Searches on the search page with the most carried effect wanted.
void hledej(Okno& okno)
{
    TOvladace& f = okno.f();
    f.Pages->setCurrentWidget(f.HledaniPage);
    const TEfekt* efekt = NejcastejsiEfekt(okno.mf().Prostredi().Seznam);
    const int radek = f.Hefekty->RadekSOdkazem(const_cast<TEfekt*>(efekt));
    if (radek >= 0 && !f.Hefekty->Text(radek).startsWith(QLatin1Char('+'))) {
        f.Hefekty->VyberRadek(radek);
        okno.hledani().HefektyClick();
    }
    QCoreApplication::processEvents();
}

// The notebook with its header alone, the page of the button in front.
void novyZapisnik(Okno& okno, QWidget* stranka)
{
    okno.zapisnik().FormShowZapisnik();
    okno.f().Pages->setCurrentWidget(stranka);
    QCoreApplication::processEvents();
}

struct TZapis {
    std::function<void(Okno&)> pripravSeznam;
    QWidget* (*stranka)(TOvladace&);
    void (*obsluha)(Okno&);
};

TZapis zapis(const std::string& druh)
{
    if (druh == "VZlistClick/efekt" || druh == "VZlistClick/prisada" || druh == "VZlistClick/nejdelsi_prisada") {
        const Seznam co = druh == "VZlistClick/efekt"     ? Seznam::Efekt
                          : druh == "VZlistClick/prisada" ? Seznam::Prisada
                                                          : Seznam::NejdelsiPrisada;
        return {[co](Okno& okno) { vypis(okno, co); }, [](TOvladace& f) -> QWidget* { return f.VypisPage; },
                [](Okno& okno) { okno.vypis().VZlistClick(); }};
    }
    if (druh == "TZefektClick")
        return {prisadyEfektu, [](TOvladace& f) -> QWidget* { return f.TvorbaPage; },
                [](Okno& okno) { okno.tvorba().TZefektClick(); }};
    if (druh == "HZlistClick")
        return {hledej, [](TOvladace& f) -> QWidget* { return f.HledaniPage; },
                [](Okno& okno) { okno.hledani().HZlistClick(); }};
    throw std::runtime_error("no entry " + druh);
}

void BM_Zapis(benchmark::State& state, const std::string& druh, const std::string& velikost)
{
    NaOkne(*gOkna, state, velikost, [&druh](benchmark::State& st, Okno& okno) {
        const TZapis z = zapis(druh);
        z.pripravSeznam(okno);
        TZapisnik* ed = okno.f().Ztext;
        Podily podily;
        for (auto _ : st) {
            st.PauseTiming();
            novyZapisnik(okno, z.stranka(okno.f()));
            st.ResumeTiming();
            podily.reakce([&] { z.obsluha(okno); }, ed);
        }
        podily.vykaz(st);
        st.counters["lines"] = ed->document()->blockCount();
    });
}

// The largest entry of a catalogue, alone in the notebook, the notebook shown
// and its caret at the end.
void zapisNejvetsi(Okno& okno, const std::string& velikost)
{
    vypis(okno, velikost == "jmeno50MB" ? Seznam::NejdelsiPrisada : Seznam::Efekt);
    novyZapisnik(okno, okno.f().VypisPage);
    okno.vypis().VZlistClick();
    okno.f().Pages->setCurrentWidget(okno.f().ZapisnikPage);
    okno.f().Ztext->setFocus();
    QCoreApplication::processEvents();
}

void klavesa(TZapisnik* ed, int kod, Qt::KeyboardModifiers modifikatory, const QString& text = QString())
{
    QKeyEvent stisk(QEvent::KeyPress, kod, modifikatory, text);
    QCoreApplication::sendEvent(ed, &stisk);
    QKeyEvent pusteni(QEvent::KeyRelease, kod, modifikatory, text);
    QCoreApplication::sendEvent(ed, &pusteni);
}

// Saves through the save dialog, answered with this file and type.
void uloz(Okno& okno, const std::filesystem::path& soubor, const QString& typ)
{
    TAplikace::Instance()->NastavOdpovidaceDialogu([&](QFileDialog& dialog) {
        dialog.selectNameFilter(typ);
        dialog.selectFile(QString::fromStdString(soubor.string()));
        return true;
    });
    okno.zapisnik().ZsaveClick();
    TAplikace::Instance()->NastavOdpovidaceDialogu(nullptr);
    if (!std::filesystem::exists(soubor))
        throw std::runtime_error("the notebook was not saved to " + soubor.string());
}

// One command after the largest entry. Before each, the notebook holds that
// entry alone with the caret at its end (a fresh one for Ctrl+Z, whose step
// is the entry, and after Ctrl+A).
void BM_Zapisnik(benchmark::State& state, const std::string& prikaz, const std::string& velikost)
{
    NaOkne(*gOkna, state, velikost, [&prikaz, &velikost](benchmark::State& st, Okno& okno) {
        TZapisnik* ed = okno.f().Ztext;
        const auto soubor = std::filesystem::current_path() / (prikaz == "Ulozit_txt" ? "zapisnik.txt" : "zapisnik.rtf");
        Podily podily;
        for (auto _ : st) {
            st.PauseTiming();
            zapisNejvetsi(okno, velikost);
            std::filesystem::remove(soubor);
            st.ResumeTiming();
            podily.reakce([&] {
                if (prikaz == "Ctrl+End")
                    klavesa(ed, Qt::Key_End, Qt::ControlModifier);
                else if (prikaz == "Ctrl+Home")
                    klavesa(ed, Qt::Key_Home, Qt::ControlModifier);
                else if (prikaz == "pismeno")
                    klavesa(ed, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
                else if (prikaz == "Ctrl+A")
                    klavesa(ed, Qt::Key_A, Qt::ControlModifier);
                else if (prikaz == "Ctrl+Z")
                    klavesa(ed, Qt::Key_Z, Qt::ControlModifier);
                else if (prikaz == "Ulozit_rtf")
                    uloz(okno, soubor, QStringLiteral("RichText (*.rtf)"));
                else if (prikaz == "Ulozit_txt")
                    uloz(okno, soubor, QStringLiteral("Textový soubor (*.txt)"));
                else if (prikaz == "TZprisadaClick")
                    okno.tvorba().TZprisadaClick();
                else
                    throw std::runtime_error("no command " + prikaz);
            }, ed);
        }
        podily.vykaz(st);
        st.counters["lines"] = ed->document()->blockCount();
    });
}

void registruj()
{
    const std::vector<std::string> zapisy = {"VZlistClick/efekt", "VZlistClick/prisada", "TZefektClick",
                                             "HZlistClick"};
    const std::vector<std::string> prikazy = {"Ctrl+End", "Ctrl+Home",  "pismeno",    "Ctrl+A",
                                              "Ctrl+Z",   "Ulozit_rtf", "Ulozit_txt", "TZprisadaClick"};
    for (const std::string velikost : kVelikosti) {
        std::vector<std::string> druhy = zapisy;
        if (velikost == std::string("jmeno50MB"))
            druhy.push_back("VZlistClick/nejdelsi_prisada");
        for (const std::string& druh : druhy)
            benchmark::RegisterBenchmark((druh + "/" + velikost).c_str(), BM_Zapis, druh, velikost)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(1);
        if (velikost == std::string("nositele1000") || velikost == std::string("nositele5000") ||
            velikost == std::string("jmeno50MB"))
            for (const std::string& prikaz : prikazy)
                benchmark::RegisterBenchmark(("Zapisnik/" + prikaz + "/" + velikost).c_str(), BM_Zapisnik, prikaz,
                                             velikost)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->Iterations(1);
    }
}

double cil(const std::string& jmeno)
{
    if (jmeno.rfind("Zapisnik/", 0) != 0)
        return kCilZapisu;
    for (const char* klavesa : {"Zapisnik/Ctrl+End/", "Zapisnik/Ctrl+Home/", "Zapisnik/pismeno/", "Zapisnik/Ctrl+A/",
                                "Zapisnik/TZprisadaClick/"})
        if (jmeno.rfind(klavesa, 0) == 0)
            return kCilKlavesy;
    return kCilPrikazu;
}

void vypisSouhrn(const TSouhrn& souhrn)
{
    int overeno = 0;
    int minuto = 0;
    std::printf("\nTargets (reported, not enforced; CPU time, drawing included, fastest repetition)\n");
    std::printf("  %-42s %10s %10s %9s  %s\n", "reaction", "cpu ms", "wall ms", "lines", "target");
    for (const std::string& jmeno : souhrn.Poradi()) {
        const auto* m = souhrn.Najdi(jmeno);
        if (m == nullptr)
            continue;
        const double cpuMs = m->cpuSekundy * 1e3;
        const bool splnen = cpuMs <= cil(jmeno);
        ++overeno;
        minuto += splnen ? 0 : 1;
        std::printf("  %-42s %10.1f %10.1f %9.0f  <= %4.0f ms: %s\n", jmeno.c_str(), cpuMs, m->realSekundy * 1e3,
                    m->Citac("lines"), cil(jmeno), splnen ? "met" : "MISSED");
    }
    rusage spotreba{};
    getrusage(RUSAGE_SELF, &spotreba);
    const double pametMb = static_cast<double>(spotreba.ru_maxrss) / 1024.0;
    std::printf("  %-42s %10.0f MB  < %.0f MB: %s\n", "peak memory of the whole process", pametMb, kCilPameti,
                pametMb < kCilPameti ? "met" : "MISSED");
    ++overeno;
    minuto += pametMb < kCilPameti ? 0 : 1;
    VypisVysledekCilu(overeno, minuto);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const auto tmava = std::find(argv + 1, argv + argc, std::string_view("--tmava"));
    const bool tmavaPaleta = tmava != argv + argc;
    if (tmavaPaleta)
        argc = static_cast<int>(std::remove(argv + 1, argv + argc, *tmava) - argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAplikace aplikace(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ZpravyNaStderr(aplikace);
    if (tmavaPaleta)
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));

    const auto puvodni = std::filesystem::current_path();
    {
        Okna okna(std::filesystem::path(MIXOR_DATA_DIR) / kSouborKatalogu);
        gOkna = &okna;
        registruj();
        TSouhrn souhrn;
        benchmark::RunSpecifiedBenchmarks(&souhrn);
        vypisSouhrn(souhrn);
        gOkna = nullptr;
    }
    std::filesystem::current_path(puvodni);
    benchmark::Shutdown();
    return 0;
}
