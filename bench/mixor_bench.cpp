// Benchmarks of the loader, the potion finder and the list sort.
//
// After the runs a summary compares the figures with the targets:
//   - loading 100,000 ingredients takes at most 8x the floor (reading the
//     same file and splitting it into lines);
//   - ten times the data takes at most twelve times the time, for every step
//     not bound by the size of its output.
// The targets are reported, not enforced: timings depend on the machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "generator.h"
#include "souhrn.h"
#include "katalog.h"
#include "nacitani.h"
#include "nalezene.h"
#include "zatizeni.h"

namespace {

constexpr std::size_t kBlok = 64 * 1024;

// Catalogue files, written once per size into a directory removed at exit.
class Soubory {
public:
    ~Soubory()
    {
        if (!slozka_.empty()) {
            std::error_code ignorovana;
            std::filesystem::remove_all(slozka_, ignorovana);
        }
    }

    const std::string& cesta(std::size_t pocetPrisad)
    {
        auto it = cesty_.find(pocetPrisad);
        if (it != cesty_.end())
            return it->second;
        if (slozka_.empty()) {
            std::string vzor = (std::filesystem::temp_directory_path() / "mixor-bench-XXXXXX").string();
            if (::mkdtemp(vzor.data()) == nullptr)
                throw std::runtime_error("mkdtemp failed");
            slozka_ = vzor;
        }
        const auto soubor = slozka_ / ("katalog-" + std::to_string(pocetPrisad) + ".txt");
        const std::string obsah = VytvorKatalog(pocetPrisad);
        std::ofstream out(soubor, std::ios::binary);
        out.write(obsah.data(), static_cast<std::streamsize>(obsah.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + soubor.string());
        return cesty_.emplace(pocetPrisad, soubor.string()).first->second;
    }

private:
    std::filesystem::path slozka_;
    std::map<std::size_t, std::string> cesty_;
};

Soubory& soubory()
{
    static Soubory s;
    return s;
}

std::int64_t velikost(const std::string& cesta)
{
    return static_cast<std::int64_t>(std::filesystem::file_size(cesta));
}

// Loaded catalogues, kept for the finder benchmarks.
TSeznam& nactenySeznam(std::size_t pocetPrisad)
{
    static std::map<std::size_t, std::unique_ptr<TSeznam>> seznamy;
    auto& seznam = seznamy[pocetPrisad];
    if (!seznam) {
        seznam = std::make_unique<TSeznam>();
        NactiSeznam(soubory().cesta(pocetPrisad), *seznam);
    }
    return *seznam;
}

void BM_Nacti(benchmark::State& state)
{
    const auto pocet = static_cast<std::size_t>(state.range(0));
    const std::string& cesta = soubory().cesta(pocet);
    std::size_t prisad = 0;
    for (auto _ : state) {
        auto seznam = std::make_unique<TSeznam>();
        NactiSeznam(cesta, *seznam);
        prisad = seznam->Prisady.size();
        benchmark::DoNotOptimize(seznam->Efekty.data());
        // Freeing the catalogue is not part of loading it.
        state.PauseTiming();
        seznam.reset();
        state.ResumeTiming();
    }
    if (prisad != pocet)
        state.SkipWithError("the loader did not give every ingredient");
    state.SetBytesProcessed(state.iterations() * velikost(cesta));
    state.counters["ingredients"] = static_cast<double>(prisad);
}

// The loader's plain twin, which reads the whole file and copies each line:
// what the block reader saves.
void BM_NactiPrimo(benchmark::State& state)
{
    const auto pocet = static_cast<std::size_t>(state.range(0));
    const std::string& cesta = soubory().cesta(pocet);
    for (auto _ : state) {
        auto seznam = std::make_unique<TSeznam>();
        nacitani::NactiPrimo(cesta, *seznam);
        benchmark::DoNotOptimize(seznam->Efekty.data());
        state.PauseTiming();
        seznam.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * velikost(cesta));
}

// The floor of loading: read the same file and split it into lines.
void BM_Podlaha(benchmark::State& state)
{
    const auto pocet = static_cast<std::size_t>(state.range(0));
    const std::string& cesta = soubory().cesta(pocet);
    std::vector<char> buffer(kBlok);
    std::size_t radku = 0;
    for (auto _ : state) {
        std::ifstream in(cesta, std::ios::binary);
        radku = 0;
        std::size_t delkaRadku = 0;
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto precteno = static_cast<std::size_t>(in.gcount());
            if (precteno == 0)
                break;
            const char* zacatek = buffer.data();
            const char* const konec = zacatek + precteno;
            for (;;) {
                const char* lf = std::find(zacatek, konec, '\n');
                delkaRadku += static_cast<std::size_t>(lf - zacatek);
                if (lf == konec)
                    break;
                benchmark::DoNotOptimize(delkaRadku);
                ++radku;
                delkaRadku = 0;
                zacatek = lf + 1;
            }
        }
        benchmark::DoNotOptimize(radku);
    }
    state.SetBytesProcessed(state.iterations() * velikost(cesta));
    state.counters["lines"] = static_cast<double>(radku);
}

// The finder as the window calls it (pairs alone, a line's text made when it
// is shown) and, with the last argument 1, as the inspector does (the text of
// every line as well).
void nalezeneBench(benchmark::State& state, const std::function<TNalezene()>& najdi, bool texty)
{
    std::size_t radku = 0;
    for (auto _ : state) {
        TNalezene nalezene = najdi();
        radku = nalezene.Dvojice.size();
        benchmark::DoNotOptimize(nalezene.Dvojice.data());
        if (!texty)
            continue;
        std::size_t delka = 0;
        for (const TDvojice dvojice : nalezene.Dvojice)
            delka += TextDvojice(nalezene.Druh, dvojice).size();
        benchmark::DoNotOptimize(delka);
    }
    state.counters["rows"] = static_cast<double>(radku);
}

void BM_NalezeneZPrisady(benchmark::State& state)
{
    TSeznam& seznam = nactenySeznam(static_cast<std::size_t>(state.range(0)));
    TPrisada* nejvytizenejsi = NejvytizenejsiPrisada(seznam);
    nalezeneBench(
        state, [&] { return NalezeneZPrisady(*nejvytizenejsi, TZarazeni{}); }, state.range(1) != 0);
    state.counters["carriers"] = static_cast<double>(Zatizeni(*nejvytizenejsi));
}

void BM_NalezeneSEfektem(benchmark::State& state)
{
    TSeznam& seznam = nactenySeznam(static_cast<std::size_t>(state.range(0)));
    const bool jenTento = state.range(1) != 0;
    const TEfekt* nejvytizenejsi = *std::max_element(
        seznam.Efekty.begin(), seznam.Efekty.end(),
        [](const TEfekt* a, const TEfekt* b) { return a->Prisady.size() < b->Prisady.size(); });
    nalezeneBench(
        state, [&] { return NalezeneSEfektem(*nejvytizenejsi, TZarazeni{}, jenTento); }, state.range(2) != 0);
    state.counters["carriers"] = static_cast<double>(nejvytizenejsi->Prisady.size());
}

void BM_SeradPodleKlice(benchmark::State& state)
{
    const std::vector<std::string> puvodni = VytvorRadkyVypisu(static_cast<std::size_t>(state.range(0)));
    std::vector<std::string> radky;
    for (auto _ : state) {
        state.PauseTiming();
        radky = puvodni;
        state.ResumeTiming();
        SeradPodleKlice(radky, [](const std::string& r) -> const std::string& { return r; });
        benchmark::DoNotOptimize(radky.data());
    }
    if (!std::is_sorted(radky.begin(), radky.end(), [](const std::string& a, const std::string& b) {
            return KlicRazeni(a) < KlicRazeni(b);
        }))
        state.SkipWithError("not sorted");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Nacti)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NactiPrimo)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Podlaha)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NalezeneZPrisady)->ArgsProduct({{1000, 10000, 100000}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NalezeneSEfektem)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeradPodleKlice)->Arg(10000)->Unit(benchmark::kMicrosecond);

void vypisSouhrn(const TSouhrn& souhrn)
{
    constexpr double kNacteniProtiPodlaze = 8.0;
    constexpr double kDesetkratVic = 12.0;
    int overeno = 0;
    int minuto = 0;
    const auto cil = [&](bool splnen) {
        ++overeno;
        minuto += splnen ? 0 : 1;
        return splnen ? "met" : "MISSED";
    };

    std::printf("\nTargets (reported, not enforced; CPU times, fastest repetition)\n");
    for (const char* velikost : {"1000", "10000", "100000"}) {
        const auto* nacti = souhrn.Najdi(std::string("BM_Nacti/") + velikost);
        const auto* podlaha = souhrn.Najdi(std::string("BM_Podlaha/") + velikost);
        if (nacti == nullptr || podlaha == nullptr)
            continue;
        const double pomer = nacti->cpuSekundy / podlaha->cpuSekundy;
        std::printf("  load %6s: %7.1f MB/s, floor %7.1f MB/s, load/floor %5.2fx", velikost,
                    nacti->Citac("bytes_per_second") / 1e6, podlaha->Citac("bytes_per_second") / 1e6, pomer);
        if (std::string(velikost) == "100000")
            std::printf("  (target <= %.0fx: %s)", kNacteniProtiPodlaze, cil(pomer <= kNacteniProtiPodlaze));
        std::printf("\n");
    }

    struct Krok {
        std::string predpona;
        std::string pripona;
        bool jenProSrovnani;  // the floor: shown, not a target
    };
    const std::vector<Krok> kroky = {
        {"BM_Nacti/", "", false},
        {"BM_NalezeneZPrisady/", "/0", false},
        {"BM_NalezeneZPrisady/", "/1", false},
        {"BM_NalezeneSEfektem/", "/0/0", false},
        {"BM_NalezeneSEfektem/", "/1/0", false},
        {"BM_NalezeneSEfektem/", "/0/1", false},
        {"BM_Podlaha/", "", true},
    };
    for (const Krok& krok : kroky) {
        for (const auto& [mala, velka] : {std::pair{"1000", "10000"}, std::pair{"10000", "100000"}}) {
            const auto* a = souhrn.Najdi(krok.predpona + mala + krok.pripona);
            const auto* b = souhrn.Najdi(krok.predpona + velka + krok.pripona);
            if (a == nullptr || b == nullptr)
                continue;
            const double pomer = b->cpuSekundy / a->cpuSekundy;
            std::printf("  %-24s %6s -> %6s: time x%6.2f", (krok.predpona + "*" + krok.pripona).c_str(), mala,
                        velka, pomer);
            const double radkuA = a->Citac("rows");
            const double radkuB = b->Citac("rows");
            if (radkuA > 0 && radkuB > 0)
                std::printf(", rows x%5.2f, %.0f -> %.0f ns/row", radkuB / radkuA, a->cpuSekundy * 1e9 / radkuA,
                            b->cpuSekundy * 1e9 / radkuB);
            if (krok.jenProSrovnani)
                std::printf("  (reference)\n");
            else
                std::printf("  (target <= %.0fx: %s)\n", kDesetkratVic, cil(pomer <= kDesetkratVic));
        }
    }
    VypisVysledekCilu(overeno, minuto);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TSouhrn souhrn;
    benchmark::RunSpecifiedBenchmarks(&souhrn);
    vypisSouhrn(souhrn);
    benchmark::Shutdown();
    return 0;
}
