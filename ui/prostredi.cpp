// The pages' shared view of the window: the catalogue, the options and what
// they admit.
#include "prostredi.h"

#include <algorithm>

#include "seznamy.h"

TProstredi::TProstredi(QObject* rodic) : QObject(rodic)
{
    setObjectName(QStringLiteral("Prostredi"));
}

void TProstredi::NastavVolby(const TVolby& volby)
{
    const TVolby predtim = volby_;
    volby_ = volby;
    if (volby.Tribunal != predtim.Tribunal || volby.Bloodmoon != predtim.Bloodmoon)
        emit ZarazeniZmeneno();
    if (volby.Lisit != predtim.Lisit)
        emit ZnackyZmeneny();
}

bool TProstredi::PrisadaZarazena(const TPrisada& prisada) const
{
    return PrisadaPripustna(prisada, Zarazeni());
}

bool TProstredi::EfektZarazen(const TEfekt& efekt) const
{
    for (const TPrisada* prisada : efekt.Prisady)
        if (PrisadaZarazena(*prisada))
            return true;
    return false;
}

void TProstredi::NaplnPrisady(TListBox* seznam, const std::vector<TPrisada*>& zdroj) const
{
    // The marks are as the option stands now; the lines keep them.
    const bool znacky = volby_.Lisit;
    const bool vsechny = &zdroj == &Seznam.Prisady;
    std::vector<TPrisada*> pripustne;
    pripustne.reserve(zdroj.size());
    // Picking from the sorted catalogue keeps the order a stable sort gives.
    for (TPrisada* prisada : vsechny ? SerazenePrisady(znacky) : zdroj)
        if (PrisadaZarazena(*prisada))
            pripustne.push_back(prisada);
    seznam->NastavRadky<TPrisada*>(std::move(pripustne), RadkyPrisad(znacky));
    if (!vsechny)
        SeradPolozky(seznam);
}

void TProstredi::SledujBarvami(std::initializer_list<TListBox*> seznamy, QObject* vlastnik) const
{
    const auto barvy = [this, seznamy = std::vector<TListBox*>(seznamy)] {
        for (TListBox* seznam : seznamy) {
            seznam->Kreslic().NastavBarvy(volby_.Lisit);
            seznam->viewport()->update();
        }
    };
    barvy();
    connect(this, &TProstredi::ZnackyZmeneny, vlastnik, barvy);
}

namespace {

// The sort key drops a leading mark, so a marked name sorts as the name
// itself, unless the name begins as a mark does.
bool znackaMeniPoradi(const std::vector<TPrisada*>& prisady)
{
    return std::any_of(prisady.begin(), prisady.end(), [](const TPrisada* prisada) {
        return (prisada->Tribunal || prisada->Bloodmoon) && prisada->Jmeno.starts_with('[');
    });
}

} // namespace

const std::vector<TPrisada*>& TProstredi::SerazenePrisady(bool znacky) const
{
    const auto platne = [this](const TPoradiPrisad& poradi) {
        return poradi.Katalog == Seznam.Prisady.data() && poradi.Pocet == Seznam.Prisady.size();
    };
    TPoradiPrisad& poradi = poradiPrisad_[znacky ? 1 : 0];
    if (platne(poradi))
        return poradi.Prisady;
    const TPoradiPrisad& druhe = poradiPrisad_[znacky ? 0 : 1];
    if (platne(druhe) && !znackaMeniPoradi(Seznam.Prisady)) {
        poradi.Prisady = druhe.Prisady;
    } else {
        poradi.Prisady = Seznam.Prisady;
        SeradPodleKlice(poradi.Prisady, [znacky](TPrisada* prisada) {
            return znacky ? OznacenaPrisada(prisada, std::string::npos) : JmenoPrisady(prisada, std::string::npos);
        });
    }
    poradi.Katalog = Seznam.Prisady.data();
    poradi.Pocet = Seznam.Prisady.size();
    return poradi.Prisady;
}
