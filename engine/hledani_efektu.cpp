// Search for potions by their effects.
//
// The sets are visited by size, two ingredients first, each size as
// combinations of candidate positions in ascending order. A set that holds a
// found potion is never extended (its supersets are not minimal), and a set
// that can no longer bring every wanted effect into two of its ingredients is
// never extended either. A set is brewed on effect masks: when its slots
// share four effects or fewer every order gives them all; only a set that
// shares more is brewed order by order, and then only for what it shares.
// Each visited set and each slot order brewed costs one unit of work. Found
// potions are counted; only the first ones to spell out are kept.
#include "hledani_efektu.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

namespace {

constexpr std::size_t kSlotu = 4;
constexpr std::size_t kMaxChtenych = 4;  // a potion has at most four effects

struct TKandidat {
    TPrisada* Prisada = nullptr;
    std::uint32_t Pozice = 0;
    std::uint8_t Chtene = 0;  // bit per wanted effect it carries
    std::uint8_t PocetEfektu = 0;
    std::array<std::uint32_t, kSlotu> Efekty{};  // distinct, in slot order
};

// Per effect of a candidate: which wanted effect it is (bit) or avoided.
struct TRoleEfektu {
    std::uint8_t Chtene = 0;
    bool Zakazany = false;
};

// Two slots or more: more than one bit set.
bool sdileny(std::uint8_t sloty)
{
    return std::popcount(sloty) > 1;
}

// A found potion while searching: candidate numbers in slot order.
struct TNalez {
    std::array<std::uint32_t, kSlotu> Sloty{};
    std::uint8_t PocetPrisad = 0;
    std::uint8_t PocetEfektu = 0;
};

class THledac {
public:
    THledac(const TSeznam& seznam, const TZadaniHledani& zadani, TMezHledani mez)
        : zadani_(zadani), mez_(mez)
    {
        pripravChtene();
        if (vsechnyChtene_ != 0)
            pripravKandidaty(seznam);
    }

    TVysledekHledani hledej()
    {
        const std::size_t nejvice = std::clamp<std::size_t>(zadani_.NejvicePrisad, 2, kSlotu);
        if (vsechnyChtene_ != 0)
            for (std::size_t velikost = 2; velikost <= nejvice && !zastaveno_; ++velikost) {
                prohledej(velikost, 0, 0);
                uzavriKolo();
            }
        TVysledekHledani vysledek;
        vysledek.Uplny = !zastaveno_;
        vysledek.Celkem = nalezenych_;
        const std::size_t vypsat = std::min(mez_.Vypsat, nalezene_.size());
        vysledek.Lektvary.reserve(vypsat);
        for (std::size_t i = 0; i < vypsat; ++i)
            vysledek.Lektvary.push_back(lektvar(nalezene_[i]));
        return vysledek;
    }

private:
    void pripravChtene()
    {
        std::vector<const TEfekt*> chtene;
        for (const TEfekt* efekt : zadani_.Chtene)
            if (efekt != nullptr && std::find(chtene.begin(), chtene.end(), efekt) == chtene.end())
                chtene.push_back(efekt);
        // More distinct wanted effects than a potion can have: nothing qualifies.
        if (chtene.empty() || chtene.size() > kMaxChtenych)
            return;
        for (std::size_t b = 0; b < chtene.size(); ++b)
            bitChteneho_.emplace(chtene[b], static_cast<std::uint8_t>(1u << b));
        pocetChtenych_ = chtene.size();
        vsechnyChtene_ = static_cast<std::uint8_t>((1u << chtene.size()) - 1);
    }

    std::uint32_t cisloEfektu(TEfekt* efekt)
    {
        const auto [it, novy] = cislaEfektu_.emplace(efekt, static_cast<std::uint32_t>(role_.size()));
        if (novy) {
            efektPodleCisla_.push_back(efekt);
            TRoleEfektu role;
            if (auto b = bitChteneho_.find(efekt); b != bitChteneho_.end())
                role.Chtene = b->second;
            role.Zakazany = std::find(zadani_.Zakazane.begin(), zadani_.Zakazane.end(), efekt) !=
                            zadani_.Zakazane.end();
            role_.push_back(role);
        }
        return it->second;
    }

    void pripravKandidaty(const TSeznam& seznam)
    {
        for (std::size_t pozice = 0; pozice < seznam.Prisady.size(); ++pozice) {
            TPrisada* prisada = seznam.Prisady[pozice];
            if (!PrisadaPripustna(*prisada, zadani_.Zarazeni))
                continue;
            if (zadani_.JenZeZasob && !zadani_.Zasoby.contains(prisada))
                continue;
            TKandidat kandidat{prisada, static_cast<std::uint32_t>(pozice)};
            for (TEfekt* efekt : prisada->Efekty) {
                if (efekt == nullptr)
                    continue;
                const std::uint32_t cislo = cisloEfektu(efekt);
                const auto konec = kandidat.Efekty.begin() + kandidat.PocetEfektu;
                if (std::find(kandidat.Efekty.begin(), konec, cislo) != konec)
                    continue;  // one ingredient gives an effect once
                kandidat.Efekty[kandidat.PocetEfektu++] = cislo;
                kandidat.Chtene |= role_[cislo].Chtene;
            }
            if (kandidat.Chtene != 0)
                kandidati_.push_back(kandidat);
        }
        // From each position on: how many candidates carry each wanted
        // effect, and the most wanted effects one candidate carries.
        const std::size_t n = kandidati_.size();
        zbyvaNositelu_.assign((n + 1) * kMaxChtenych, 0);
        zbyvaNejvice_.assign(n + 1, 0);
        for (std::size_t i = n; i-- > 0;) {
            for (std::size_t b = 0; b < kMaxChtenych; ++b)
                zbyvaNositelu_[i * kMaxChtenych + b] =
                    zbyvaNositelu_[(i + 1) * kMaxChtenych + b] + ((kandidati_[i].Chtene >> b) & 1u);
            zbyvaNejvice_[i] = std::max<std::uint32_t>(zbyvaNejvice_[i + 1], std::popcount(kandidati_[i].Chtene));
        }
        for (std::uint32_t i = 0; i < n; ++i)
            for (std::size_t maska = 0; maska < sMaskou_.size(); ++maska)
                if ((kandidati_[i].Chtene & maska) == maska)
                    sMaskou_[maska].push_back(i);
        zakazane_[0].assign((n + 63) / 64, 0);
        dvojice_.resize(n);
        pripravMasky();
    }

    // Every effect as a bit, for the brew of a set whose slots share four
    // effects or fewer: then every slot order gives the same effects, so
    // the masks of what the members carry decide the set.
    void pripravMasky()
    {
        slov_ = (role_.size() + 63) / 64;
        masky_.assign(kandidati_.size() * slov_, 0);
        chtenaMaska_.assign(slov_, 0);
        zakazanaMaska_.assign(slov_, 0);
        for (std::size_t cislo = 0; cislo < role_.size(); ++cislo) {
            const std::uint64_t bit = std::uint64_t{1} << (cislo % 64);
            if (role_[cislo].Chtene != 0)
                chtenaMaska_[cislo / 64] |= bit;
            if (role_[cislo].Zakazany)
                zakazanaMaska_[cislo / 64] |= bit;
        }
        for (std::size_t i = 0; i < kandidati_.size(); ++i)
            for (std::size_t j = 0; j < kandidati_[i].PocetEfektu; ++j)
                masky_[i * slov_ + kandidati_[i].Efekty[j] / 64] |= std::uint64_t{1} << (kandidati_[i].Efekty[j] % 64);
        sdileneVsemi_.assign(slov_, 0);
        for (std::size_t uroven = 0; uroven <= kSlotu; ++uroven) {
            videne_[uroven].assign(slov_, 0);
            sdilene_[uroven].assign(slov_, 0);
        }
    }

    // Seen and shared effects of the first pocet + 1 chosen ones, from
    // those of the first pocet.
    void pridejMasku(std::size_t pocet, std::uint32_t kandidat)
    {
        const std::uint64_t* m = &masky_[kandidat * slov_];
        for (std::size_t w = 0; w < slov_; ++w) {
            sdilene_[pocet + 1][w] = sdilene_[pocet][w] | (videne_[pocet][w] & m[w]);
            videne_[pocet + 1][w] = videne_[pocet][w] | m[w];
        }
    }

    // What the masks say of the chosen ones with candidate `posledni` added.
    enum class TRychle { Nevyhovuje, Vyhovuje, Poradi };

    TRychle rychleUvar(std::size_t pocet, std::uint32_t posledni, std::size_t& efektu)
    {
        const std::uint64_t* m = &masky_[posledni * slov_];
        const std::uint64_t* videne = videne_[pocet].data();
        const std::uint64_t* sdilene = sdilene_[pocet].data();
        std::size_t sdilenych = 0;
        bool chybiChteny = false;
        bool zakazany = false;
        for (std::size_t w = 0; w < slov_; ++w) {
            const std::uint64_t s = sdilene[w] | (videne[w] & m[w]);
            sdileneVsemi_[w] = s;
            sdilenych += static_cast<std::size_t>(std::popcount(s));
            chybiChteny = chybiChteny || (s & chtenaMaska_[w]) != chtenaMaska_[w];
            zakazany = zakazany || (s & zakazanaMaska_[w]) != 0;
        }
        // A wanted effect no two slots share: no order brings it.
        if (chybiChteny)
            return TRychle::Nevyhovuje;
        if (sdilenych > kSlotu)
            return TRychle::Poradi;
        efektu = sdilenych;
        return zakazany ? TRychle::Nevyhovuje : TRychle::Vyhovuje;
    }

    bool sdilenyVsemi(std::uint32_t efekt) const { return (sdileneVsemi_[efekt / 64] >> (efekt % 64)) & 1u; }

    // The brewing rule for slots that share more than four effects (in
    // sdileneVsemi_, the same in every order): the potion keeps the first
    // four of them in order of first appearance over the slots. What is
    // kept only grows as slots are filled, so an order whose first slots
    // already keep an avoided effect, or more unwanted ones than leave room
    // for the wanted, is not followed further.
    struct TVzate {
        std::array<std::uint32_t, kSlotu> Efekty{};
        std::size_t Pocet = 0;
        std::size_t Cizich = 0;  // kept effects that are not wanted
        std::uint8_t Chtene = 0;
    };

    // False when the kept effects with those of `kandidat` can no longer
    // qualify.
    bool vezmi(TVzate& vzate, std::uint32_t kandidat) const
    {
        const TKandidat& k = kandidati_[kandidat];
        for (std::size_t j = 0; j < k.PocetEfektu && vzate.Pocet < kSlotu; ++j) {
            const std::uint32_t efekt = k.Efekty[j];
            const auto konec = vzate.Efekty.begin() + vzate.Pocet;
            if (!sdilenyVsemi(efekt) || std::find(vzate.Efekty.begin(), konec, efekt) != konec)
                continue;
            if (role_[efekt].Zakazany)
                return false;
            vzate.Chtene |= role_[efekt].Chtene;
            vzate.Cizich += role_[efekt].Chtene == 0 ? 1 : 0;
            vzate.Efekty[vzate.Pocet++] = efekt;
        }
        return vzate.Cizich + pocetChtenych_ <= kSlotu;
    }

    // Fills slots `od` on with the first qualifying order of the chosen
    // ones not yet in a slot (bits of `volne`), in lexicographic order.
    bool dosadPoradi(std::array<std::uint32_t, kSlotu>& sloty, std::size_t pocet, std::size_t od, unsigned volne,
                     const TVzate& vzate)
    {
        for (std::size_t v = 0; v < pocet; ++v) {
            if (((volne >> v) & 1u) == 0)
                continue;
            ++prace_;
            TVzate dalsi = vzate;
            if (!vezmi(dalsi, vybrane_[v]))
                continue;
            sloty[od] = vybrane_[v];
            const unsigned zbyle = volne & ~(1u << v);
            if (dalsi.Pocet == kSlotu) {
                if (dalsi.Chtene != vsechnyChtene_)
                    continue;
                // Four kept: the rest follow in ascending order.
                std::size_t s = od + 1;
                for (std::size_t w = 0; w < pocet; ++w)
                    if ((zbyle >> w) & 1u)
                        sloty[s++] = vybrane_[w];
                return true;
            }
            if (dosadPoradi(sloty, pocet, od + 1, zbyle, dalsi))
                return true;
        }
        return false;
    }

    // The first qualifying slot order of the chosen ones, in lexicographic
    // order of positions, when they share more than four effects.
    bool najdiPoradiMaskou(std::array<std::uint32_t, kSlotu>& sloty, std::size_t pocet)
    {
        return dosadPoradi(sloty, pocet, 0, (1u << pocet) - 1, TVzate{});
    }

    // The working table of the brewing rule: effects in order of first
    // appearance, with the slots that give each.
    struct TTabulka {
        std::array<std::uint32_t, kSlotu * kSlotu> Efekty;
        std::array<std::uint8_t, kSlotu * kSlotu> Sloty;
        std::size_t Radku = 0;
    };

    // Adds the effects of the candidate in slot s (0-based) to the table.
    void pridej(TTabulka& t, std::uint32_t kandidat, std::size_t s) const
    {
        const TKandidat& k = kandidati_[kandidat];
        for (std::size_t j = 0; j < k.PocetEfektu; ++j) {
            std::size_t r = 0;
            while (r < t.Radku && t.Efekty[r] != k.Efekty[j])
                ++r;
            if (r == t.Radku) {
                t.Efekty[t.Radku] = k.Efekty[j];
                t.Sloty[t.Radku++] = 0;
            }
            t.Sloty[r] |= static_cast<std::uint8_t>(1u << s);
        }
    }

    void posbirej(const std::uint32_t* sloty, std::size_t pocet, TTabulka& t) const
    {
        t.Radku = 0;
        for (std::size_t s = 0; s < pocet; ++s)
            pridej(t, sloty[s], s);
    }

    // Per level: for every candidate, whether it would complete a found
    // potion with the chosen ones (then no superset is minimal).
    using TBity = std::vector<std::uint64_t>;

    static bool bit(const TBity& bity, std::size_t i) { return (bity[i / 64] >> (i % 64)) & 1u; }
    static void nastav(TBity& bity, std::size_t i) { bity[i / 64] |= std::uint64_t{1} << (i % 64); }

    // The next level's marks, once candidate `novy` joins the chosen ones.
    void oznacDalsi(const TBity& ted, std::size_t pocet, std::uint32_t novy, TBity& dalsi) const
    {
        dalsi = ted;
        for (std::uint32_t partner : dvojice_[novy])
            nastav(dalsi, partner);
        for (std::size_t a = 0; a < pocet; ++a)
            if (auto it = trojice_.find(klicDvojice(vybrane_[a], novy)); it != trojice_.end())
                for (std::uint32_t treti : it->second)
                    nastav(dalsi, treti);
    }

    // Wanted effects that every one of the `zbyva` members still to come
    // must carry; false when the chosen ones and those after `od` cannot
    // give every wanted effect two carriers any more.
    bool potrebne(std::size_t pocet, std::size_t zbyva, std::size_t od, std::uint8_t& kazdy) const
    {
        std::array<std::uint32_t, kMaxChtenych> nositelu{};
        for (std::size_t i = 0; i < pocet; ++i)
            for (std::size_t b = 0; b < pocetChtenych_; ++b)
                nositelu[b] += (kandidati_[vybrane_[i]].Chtene >> b) & 1u;
        kazdy = 0;
        std::size_t chybiCelkem = 0;
        for (std::size_t b = 0; b < pocetChtenych_; ++b) {
            const std::size_t chybi = nositelu[b] >= 2 ? 0 : 2 - nositelu[b];
            if (chybi > zbyva || chybi > zbyvaNositelu_[od * kMaxChtenych + b])
                return false;
            if (chybi == zbyva && chybi > 0)
                kazdy |= static_cast<std::uint8_t>(1u << b);
            chybiCelkem += chybi;
        }
        return chybiCelkem <= zbyva * zbyvaNejvice_[od];
    }

    void prohledej(std::size_t velikost, std::size_t pocet, std::size_t od)
    {
        std::uint8_t kazdy = 0;
        if (!potrebne(pocet, velikost - pocet, od, kazdy))
            return;
        // Only candidates that carry what every later member must carry.
        const std::vector<std::uint32_t>& nositele = sMaskou_[kazdy];
        const TBity& zakazane = zakazane_[pocet];
        for (auto it = std::lower_bound(nositele.begin(), nositele.end(), od); it != nositele.end(); ++it) {
            const std::uint32_t i = *it;
            if (++prace_ > mez_.Prace) {
                zastaveno_ = true;
                return;
            }
            if (bit(zakazane, i))
                continue;
            vybrane_[pocet] = i;
            if (pocet + 1 == velikost) {
                std::size_t efektu = 0;
                switch (rychleUvar(pocet, i, efektu)) {
                case TRychle::Nevyhovuje:
                    break;
                case TRychle::Vyhovuje:
                    zapis(vybrane_, velikost, efektu);
                    break;
                case TRychle::Poradi: {
                    std::array<std::uint32_t, kSlotu> sloty = vybrane_;
                    if (najdiPoradiMaskou(sloty, velikost))
                        zapis(sloty, velikost, kSlotu);
                    break;
                }
                }
            } else {
                pridejMasku(pocet, i);
                oznacDalsi(zakazane, pocet, i, zakazane_[pocet + 1]);
                prohledej(velikost, pocet + 1, i + 1);
            }
            if (zastaveno_)
                return;
        }
    }

    // A found potion: counted; kept while it is among the first Vypsat.
    void zapis(const std::array<std::uint32_t, kSlotu>& sloty, std::size_t pocet, std::size_t efektu)
    {
        if (nalezenych_ >= mez_.Nalezenych) {
            zastaveno_ = true;
            return;
        }
        if (pocet == 2)
            dvojice_[vybrane_[0]].push_back(vybrane_[1]);
        else if (pocet == 3)
            trojice_[klicDvojice(vybrane_[0], vybrane_[1])].push_back(vybrane_[2]);
        ++nalezenych_;
        // Smaller sets came in earlier rounds and go first: this round
        // keeps only the first of what is left to spell out.
        const std::size_t mista = mez_.Vypsat - std::min(mez_.Vypsat, nalezene_.size());
        if (mista == 0)
            return;
        TNalez nalez;
        nalez.Sloty = sloty;
        nalez.PocetPrisad = static_cast<std::uint8_t>(pocet);
        nalez.PocetEfektu = static_cast<std::uint8_t>(efektu);
        if (kolo_.size() == mista) {
            if (!dricve(nalez, kolo_.front()))
                return;
            std::pop_heap(kolo_.begin(), kolo_.end(), dricve);
            kolo_.back() = nalez;
        } else {
            kolo_.push_back(nalez);
        }
        std::push_heap(kolo_.begin(), kolo_.end(), dricve);
    }

    // Puts the kept potions of one size in order after the smaller ones.
    void uzavriKolo()
    {
        std::sort_heap(kolo_.begin(), kolo_.end(), dricve);
        nalezene_.insert(nalezene_.end(), kolo_.begin(), kolo_.end());
        kolo_.clear();
    }

    TNalezenyLektvar lektvar(const TNalez& nalez) const
    {
        TNalezenyLektvar lektvar;
        lektvar.PocetPrisad = nalez.PocetPrisad;
        for (std::size_t s = 0; s < nalez.PocetPrisad; ++s) {
            lektvar.Lektvar.Prisady[s] = kandidati_[nalez.Sloty[s]].Prisada;
            lektvar.Pozice[s] = kandidati_[nalez.Sloty[s]].Pozice;
        }
        // The brewing rule's result, as SpocitejLektvar gives it, from the
        // table the search already knows how to build (no allocation).
        TTabulka t;
        posbirej(nalez.Sloty.data(), nalez.PocetPrisad, t);
        std::size_t n = 0;
        for (std::size_t r = 0; r < t.Radku && n < kSlotu; ++r) {
            if (!sdileny(t.Sloty[r]))
                continue;
            TEfektLektvaru& efekt = lektvar.Lektvar.Efekty[n++];
            efekt.Efekt = efektPodleCisla_[t.Efekty[r]];
            for (std::size_t k = 0; k < kSlotu; ++k)
                efekt.ZPrisady[k] = (t.Sloty[r] >> k) & 1u;
        }
        for (std::size_t k = 0; k < nalez.PocetPrisad; ++k) {
            lektvar.Lektvar.Tribunal = lektvar.Lektvar.Tribunal || lektvar.Lektvar.Prisady[k]->Tribunal;
            lektvar.Lektvar.Bloodmoon = lektvar.Lektvar.Bloodmoon || lektvar.Lektvar.Prisady[k]->Bloodmoon;
        }
        lektvar.PocetEfektu = static_cast<std::uint8_t>(n);
        return lektvar;
    }

    static std::uint64_t klicDvojice(std::uint32_t a, std::uint32_t b)
    {
        return (static_cast<std::uint64_t>(a) << 32) | b;
    }

    // Candidates keep catalogue order, so their numbers compare as positions.
    static bool dricve(const TNalez& a, const TNalez& b)
    {
        if (a.PocetPrisad != b.PocetPrisad)
            return a.PocetPrisad < b.PocetPrisad;
        if (a.PocetEfektu != b.PocetEfektu)
            return a.PocetEfektu < b.PocetEfektu;
        return std::lexicographical_compare(a.Sloty.begin(), a.Sloty.begin() + a.PocetPrisad, b.Sloty.begin(),
                                            b.Sloty.begin() + b.PocetPrisad);
    }

    const TZadaniHledani& zadani_;
    const TMezHledani mez_;
    std::unordered_map<const TEfekt*, std::uint8_t> bitChteneho_;
    std::size_t pocetChtenych_ = 0;
    std::uint8_t vsechnyChtene_ = 0;
    std::unordered_map<const TEfekt*, std::uint32_t> cislaEfektu_;
    std::vector<TRoleEfektu> role_;
    std::vector<TEfekt*> efektPodleCisla_;
    std::vector<TKandidat> kandidati_;
    std::vector<std::uint32_t> zbyvaNositelu_;  // [position * kMaxChtenych + bit]
    std::vector<std::uint32_t> zbyvaNejvice_;   // [position]

    std::array<std::uint32_t, kSlotu> vybrane_{};
    std::array<TBity, kSlotu> zakazane_;
    std::array<std::vector<std::uint32_t>, 1u << kMaxChtenych> sMaskou_;  // candidates carrying all of a mask
    std::vector<std::vector<std::uint32_t>> dvojice_;  // found pairs: later partners of each candidate
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> trojice_;  // found triples by their first two
    std::vector<TNalez> nalezene_;  // the first ones, in order, of the rounds done so far
    std::vector<TNalez> kolo_;      // the first ones of this size, a heap with the last on top
    std::size_t slov_ = 0;          // 64-bit words of an effect mask
    std::vector<std::uint64_t> masky_;  // [candidate * slov_ + word]
    std::vector<std::uint64_t> chtenaMaska_;
    std::vector<std::uint64_t> zakazanaMaska_;
    std::array<std::vector<std::uint64_t>, kSlotu + 1> videne_;   // per number of chosen ones
    std::array<std::vector<std::uint64_t>, kSlotu + 1> sdilene_;  // effects two of them share
    std::vector<std::uint64_t> sdileneVsemi_;  // shared by the whole set being brewed
    std::size_t nalezenych_ = 0;
    std::size_t prace_ = 0;
    bool zastaveno_ = false;
};

} // namespace

TVysledekHledani HledejLektvary(const TSeznam& seznam, const TZadaniHledani& zadani, TMezHledani mez)
{
    return THledac(seznam, zadani, mez).hledej();
}

std::string NadpisHledani(const std::vector<const TEfekt*>& chtene, std::size_t pocet, bool uplny)
{
    if (chtene.empty())
        return "Hled\xE1n\xED lektvar\xF9";
    std::string nadpis = "Lektvary s efekty ";
    for (std::size_t i = 0; i < chtene.size(); ++i) {
        if (i > 0)
            nadpis += " + ";
        nadpis += chtene[i]->Jmeno;
    }
    nadpis += " (";
    if (!uplny)
        nadpis += "v\xED" "ce ne\x9E ";
    nadpis += std::to_string(pocet) + ")";
    return nadpis;
}

std::string TextNalezeneho(const TNalezenyLektvar& lektvar)
{
    std::string text = ZnackaDatadisku(lektvar.Lektvar.Tribunal, lektvar.Lektvar.Bloodmoon);
    for (std::size_t s = 0; s < lektvar.PocetPrisad; ++s) {
        if (s > 0)
            text += " + ";
        text += lektvar.Lektvar.Prisady[s]->Jmeno;
    }
    text += " => ";
    for (std::size_t e = 0; e < lektvar.PocetEfektu; ++e) {
        if (e > 0)
            text += " + ";
        text += lektvar.Lektvar.Efekty[e].Efekt->Jmeno;
    }
    return text;
}
