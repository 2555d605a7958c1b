#include "okno_bench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <cstdio>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <type_traits>

#include "seznamy.h"
#include "nacitani.h"
#include "soubory.h"
#include "velke_katalogy.h"

namespace {

template <typename T>
T* najdi(const QWidget& okno, const char* jmeno)
{
    T* ovladac = okno.findChild<T*>(QString::fromLatin1(jmeno));
    if (ovladac == nullptr)
        throw std::runtime_error(std::string("the window has no control ") + jmeno);
    return ovladac;
}

} // namespace

#define NAJDI(jmeno) jmeno = najdi<std::remove_pointer_t<decltype(jmeno)>>(okno, #jmeno)

TOvladace::TOvladace(const QWidget& okno)
{
    NAJDI(Pages), NAJDI(TvorbaPage), NAJDI(VypisPage), NAJDI(ZapisnikPage), NAJDI(HledaniPage), NAJDI(Hefekty);
    NAJDI(Tefekty), NAJDI(Tprisady), NAJDI(VvyberList), NAJDI(Vlist), NAJDI(Hprisady), NAJDI(Hlist);
    NAJDI(Vvyber1), NAJDI(Vvyber2), NAJDI(VvyberJenom), NAJDI(Otribunal), NAJDI(Ztext);
}

#undef NAJDI

void ZpravyNaStderr(TAplikace& aplikace)
{
    aplikace.NastavOdpovidace([](const TAplikace::TZprava& z) {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(z.Titulek), qPrintable(z.Text));
    });
    aplikace.NastavOdpovidaceOtazek([](const TAplikace::TZprava& z) {
        std::fprintf(stderr, "question answered no: %s: %s\n", qPrintable(z.Titulek), qPrintable(z.Text));
        return false;
    });
}

Okno::Okno(const std::string& jmeno, const std::string& katalog, std::size_t prisadVzorku, bool otevrit)
    : jmeno_(jmeno), prisadVzorku_(prisadVzorku)
{
    std::string vzor = (std::filesystem::temp_directory_path() / "mixor-bench-XXXXXX").string();
    if (::mkdtemp(vzor.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    slozka_ = vzor;
    try {
        ZapisSouborAtomicky((slozka_ / kSouborKatalogu).string(), katalog);
        if (otevrit)
            otevri();
    } catch (...) {
        mf_.reset();
        std::error_code ignorovana;
        std::filesystem::remove_all(slozka_, ignorovana);
        throw;
    }
}

Okno::~Okno()
{
    ovladace_.reset();
    mf_.reset();
    std::error_code ignorovana;
    std::filesystem::remove_all(slozka_, ignorovana);
}

void Okno::aktivuj()
{
    std::filesystem::current_path(slozka_);
    if (mf_->isHidden())
        mf_->show();
    QCoreApplication::processEvents();
}

void Okno::skryj()
{
    if (!mf_->isHidden())
        mf_->hide();
}

void Okno::otevri()
{
    std::filesystem::current_path(slozka_);
    mf_ = std::make_unique<TMF>();
    ovladace_ = std::make_unique<TOvladace>(*mf_);
    QElapsedTimer cekani;
    cekani.start();
    mf_->show();
    const qint64 zobrazeni = cekani.elapsed();
    if (mf_->KonciPoChybe())
        throw std::runtime_error("the window could not load the catalogue " + jmeno_);
    // The splash ends now, before any event could run its timer.
    mf_->StartTimerDo();
    while ((mf_->windowHandle() == nullptr || !mf_->windowHandle()->isExposed()) && cekani.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    std::fprintf(stderr, "window on %s: first showing (loading included) %lld ms, exposed %s\n", jmeno_.c_str(),
                 static_cast<long long>(zobrazeni),
                 mf_->windowHandle() != nullptr && mf_->windowHandle()->isExposed() ? "yes" : "NO");
}

void VyberEfektNaVypisu(Okno& okno, TEfekt* efekt, bool jenDany)
{
    TOvladace& f = okno.f();
    f.Pages->setCurrentWidget(f.VypisPage);
    if (!f.Vvyber1->isChecked())
        f.Vvyber1->click();
    f.VvyberJenom->setChecked(jenDany);
    const int radek = efekt == nullptr ? -1 : f.VvyberList->RadekSOdkazem(efekt);
    if (radek < 0)
        throw std::runtime_error("the effect is not in the selection list");
    f.VvyberList->VyberRadek(radek);
}

void VyberPrisaduNaVypisu(Okno& okno, TPrisada* prisada)
{
    TOvladace& f = okno.f();
    f.Pages->setCurrentWidget(f.VypisPage);
    if (!f.Vvyber2->isChecked())
        f.Vvyber2->click();
    const int radek = f.VvyberList->RadekSOdkazem(prisada);
    if (radek < 0)
        throw std::runtime_error("the ingredient is not in the selection list");
    f.VvyberList->VyberRadek(radek);
}

Okno& Okna::okno(const std::string& velikost)
{
    auto it = okna_.find(velikost);
    if (it == okna_.end()) {
        TSeznam kontrola;
        NactiSeznam(vzorek_.string(), kontrola);
        const std::size_t prisad = kontrola.Prisady.size();
        it = okna_.emplace(velikost, std::make_unique<Okno>(velikost, Katalog(velikost), prisad)).first;
        const TSeznam& seznam = it->second->mf().Prostredi().Seznam;
        if (velikost != "sample" && velikost != "x30")
            return aktivuj(*it->second);
        const std::size_t cekano = velikost == "sample" ? prisad : prisad * kNasobekVzorku;
        if (seznam.Prisady.size() != cekano || seznam.Efekty.size() != kontrola.Efekty.size())
            throw std::runtime_error("catalogue " + velikost + ": unexpected size " +
                                     std::to_string(seznam.Prisady.size()) + " ingredients, " +
                                     std::to_string(seznam.Efekty.size()) + " effects");
    }
    return aktivuj(*it->second);
}

std::string Okna::Katalog(const std::string& velikost) const
{
    return KatalogVelikosti(velikost, PrectiSoubor(vzorek_.string()));
}

void Okna::zavriOstatni(const std::string& velikost)
{
    for (auto it = okna_.begin(); it != okna_.end();)
        it = it->first != velikost ? okna_.erase(it) : std::next(it);
}

Okno& Okna::aktivuj(Okno& okno)
{
    for (auto& [jmeno, jine] : okna_)
        if (jine.get() != &okno)
            jine->skryj();
    okno.aktivuj();
    return okno;
}

void NaOkne(Okna& okna, benchmark::State& state, const std::string& velikost,
            const std::function<void(benchmark::State&, Okno&)>& telo)
{
    try {
        okna.zavriOstatni(velikost);
        telo(state, okna.okno(velikost));
    } catch (const std::exception& chyba) {
        state.SkipWithError(chyba.what());
    }
}
