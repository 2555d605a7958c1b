// What the pages share and see of the window: the catalogue, the options,
// which records the options admit, and the lines of ingredients that two
// pages list. The window owns it; the pages read it and hear when the
// options change.
#pragma once

#include <QObject>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "hledani.h"
#include "katalog.h"

class TListBox;

// The five options, as their boxes on the about page are ticked.
struct TVolby {
    bool Tribunal = true;   // Otribunal: Tribunal ingredients are admissible
    bool Bloodmoon = true;  // Obloodmoon: Bloodmoon ingredients are admissible
    bool Lisit = true;      // Olisit: origins are shown, as marks and colours
    bool Prepnout = true;   // Oprepnout: the notebook comes forward after an entry
    bool Barvy = true;      // Obarvy: the notebook is printed in colour

    friend bool operator==(const TVolby&, const TVolby&) = default;
};

// The four ingredient slots of a potion, slot k at index k - 1.
using TPrisadyLektvaru = std::array<TPrisada*, 4>;

class TProstredi : public QObject {
    Q_OBJECT
public:
    explicit TProstredi(QObject* rodic = nullptr);

    // The one catalogue: empty until the window is first shown, read-only
    // afterwards.
    TSeznam Seznam;

    const TVolby& Volby() const { return volby_; }
    TZarazeni Zarazeni() const { return TZarazeni{volby_.Tribunal, volby_.Bloodmoon}; }
    // Takes the ticks of the option boxes and announces what changed:
    // inclusion first, then marks.
    void NastavVolby(const TVolby& volby);

    bool PrisadaZarazena(const TPrisada& prisada) const;
    bool EfektZarazen(const TEfekt& efekt) const;

    // Fills a list with the admissible ingredients of a source, sorted, marked
    // while the expansions are distinguished.
    void NaplnPrisady(TListBox* seznam, const std::vector<TPrisada*>& zdroj) const;
    // Every ingredient of the catalogue in the order of SeradPolozky, with or
    // without marks: sorting a whole large catalogue takes long, so it is
    // done once and the lists only pick the admissible ones out of it.
    const std::vector<TPrisada*>& SerazenePrisady(bool znacky) const;
    // Draws the lists' lines in their origin colours while Olisit is ticked,
    // from now on as long as `vlastnik` lives.
    void SledujBarvami(std::initializer_list<TListBox*> seznamy, QObject* vlastnik) const;

signals:
    // Otribunal or Obloodmoon changed: the pages refill their lists.
    void ZarazeniZmeneno();
    // Olisit changed: the pages show their names with or without origins.
    void ZnackyZmeneny();

private:
    struct TPoradiPrisad {
        const void* Katalog = nullptr;
        std::size_t Pocet = 0;
        std::vector<TPrisada*> Prisady;
    };
    mutable std::array<TPoradiPrisad, 2> poradiPrisad_;
    TVolby volby_;
};
