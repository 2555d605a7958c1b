// Search for potions by their effects.
//
// The sets are visited by size, two ingredients first, each size as
// combinations of candidate positions in ascending order. A set that holds a
// found potion is never extended (its supersets are not minimal), and a set
// that can no longer bring every wanted effect into two of its ingredients is
// never extended either. Each visited set costs one unit of work.
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

struct TKlicTrojice {
    std::array<std::uint32_t, 3> i{};
    bool operator==(const TKlicTrojice&) const = default;
};

struct THashTrojice {
    std::size_t operator()(const TKlicTrojice& k) const
    {
        std::uint64_t h = k.i[0];
        h = h * 0x9E3779B97F4A7C15ULL + k.i[1];
        h = h * 0x9E3779B97F4A7C15ULL + k.i[2];
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
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
            for (std::size_t velikost = 2; velikost <= nejvice && !zastaveno_; ++velikost)
                prohledej(velikost, 0, 0);
        std::stable_sort(nalezene_.begin(), nalezene_.end(), dricve);
        return TVysledekHledani{std::move(nalezene_), !zastaveno_};
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

    std::uint32_t cisloEfektu(const TEfekt* efekt)
    {
        const auto [it, novy] = cislaEfektu_.emplace(efekt, static_cast<std::uint32_t>(role_.size()));
        if (novy) {
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
            for (const TEfekt* efekt : prisada->Efekty) {
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
    }

    // The brewing rule over candidates in this slot order, without building
    // a potion: whether it qualifies, and how many effects the slots share.
    struct TVarka {
        bool Vyhovuje = false;
        std::size_t Sdilenych = 0;
    };

    TVarka uvar(const std::uint32_t* sloty, std::size_t pocet) const
    {
        std::array<std::uint32_t, kSlotu * kSlotu> efekty;
        std::array<std::uint8_t, kSlotu * kSlotu> sloty_;
        std::size_t radku = 0;
        for (std::size_t s = 0; s < pocet; ++s) {
            const TKandidat& k = kandidati_[sloty[s]];
            for (std::size_t j = 0; j < k.PocetEfektu; ++j) {
                std::size_t r = 0;
                while (r < radku && efekty[r] != k.Efekty[j])
                    ++r;
                if (r == radku) {
                    efekty[radku] = k.Efekty[j];
                    sloty_[radku++] = 0;
                }
                sloty_[r] |= static_cast<std::uint8_t>(1u << s);
            }
        }
        TVarka varka;
        std::uint8_t chtene = 0;
        bool zakazany = false;
        for (std::size_t r = 0; r < radku; ++r) {
            if (std::popcount(sloty_[r]) < 2)
                continue;
            if (++varka.Sdilenych <= kSlotu) {
                chtene |= role_[efekty[r]].Chtene;
                zakazany = zakazany || role_[efekty[r]].Zakazany;
            }
        }
        varka.Vyhovuje = chtene == vsechnyChtene_ && !zakazany;
        return varka;
    }

    // The first qualifying slot order, in lexicographic order of positions.
    // With four shared effects or fewer every order keeps all of them, so
    // the ascending order decides alone.
    bool najdiPoradi(std::array<std::uint32_t, kSlotu>& sloty, std::size_t pocet) const
    {
        const TVarka vzestupne = uvar(sloty.data(), pocet);
        if (vzestupne.Vyhovuje || vzestupne.Sdilenych <= kSlotu)
            return vzestupne.Vyhovuje;
        while (std::next_permutation(sloty.begin(), sloty.begin() + pocet))
            if (uvar(sloty.data(), pocet).Vyhovuje)
                return true;
        return false;
    }

    // Whether a subset of two or more that holds the newest member is a
    // found potion. The subsets without it were tested one level up.
    bool obsahujeNalezeny(const std::array<std::uint32_t, kSlotu>& vybrane, std::size_t pocet) const
    {
        const std::uint32_t novy = vybrane[pocet - 1];
        for (std::size_t a = 0; a + 1 < pocet; ++a) {
            if (dvojice_.contains(klicDvojice(vybrane[a], novy)))
                return true;
            for (std::size_t b = a + 1; b + 1 < pocet; ++b)
                if (trojice_.contains(TKlicTrojice{{vybrane[a], vybrane[b], novy}}))
                    return true;
        }
        return false;
    }

    // Whether adding candidates after position `posledni` up to `velikost`
    // members can still give every wanted effect two carriers.
    bool lzeDoplnit(const std::array<std::uint32_t, kSlotu>& vybrane, std::size_t pocet, std::size_t velikost) const
    {
        std::array<std::uint32_t, kMaxChtenych> nositelu{};
        for (std::size_t i = 0; i < pocet; ++i)
            for (std::size_t b = 0; b < pocetChtenych_; ++b)
                nositelu[b] += (kandidati_[vybrane[i]].Chtene >> b) & 1u;
        const std::size_t zbyva = velikost - pocet;
        const std::size_t od = vybrane[pocet - 1] + 1;
        std::size_t chybiCelkem = 0;
        for (std::size_t b = 0; b < pocetChtenych_; ++b) {
            const std::size_t chybi = nositelu[b] >= 2 ? 0 : 2 - nositelu[b];
            if (chybi > zbyva || chybi > zbyvaNositelu_[od * kMaxChtenych + b])
                return false;
            chybiCelkem += chybi;
        }
        return chybiCelkem <= zbyva * zbyvaNejvice_[od];
    }

    void prohledej(std::size_t velikost, std::size_t pocet, std::size_t od)
    {
        for (std::size_t i = od; i < kandidati_.size(); ++i) {
            if (++prace_ > mez_.Prace) {
                zastaveno_ = true;
                return;
            }
            vybrane_[pocet] = static_cast<std::uint32_t>(i);
            const std::size_t nyni = pocet + 1;
            if (nyni >= 2 && obsahujeNalezeny(vybrane_, nyni))
                continue;
            if (!lzeDoplnit(vybrane_, nyni, velikost))
                continue;
            if (nyni < velikost)
                prohledej(velikost, nyni, i + 1);
            else
                zkus(nyni);
            if (zastaveno_)
                return;
        }
    }

    void zkus(std::size_t pocet)
    {
        std::array<std::uint32_t, kSlotu> sloty = vybrane_;
        if (!najdiPoradi(sloty, pocet))
            return;
        if (nalezene_.size() >= mez_.Nalezenych) {
            zastaveno_ = true;
            return;
        }
        if (pocet == 2)
            dvojice_.insert(klicDvojice(vybrane_[0], vybrane_[1]));
        else if (pocet == 3)
            trojice_.insert(TKlicTrojice{{vybrane_[0], vybrane_[1], vybrane_[2]}});
        TNalezenyLektvar lektvar;
        lektvar.PocetPrisad = static_cast<std::uint8_t>(pocet);
        for (std::size_t s = 0; s < pocet; ++s) {
            lektvar.Lektvar.Prisady[s] = kandidati_[sloty[s]].Prisada;
            lektvar.Pozice[s] = kandidati_[sloty[s]].Pozice;
        }
        SpocitejLektvar(lektvar.Lektvar);
        for (const TEfektLektvaru& efekt : lektvar.Lektvar.Efekty)
            lektvar.PocetEfektu += efekt.Efekt != nullptr ? 1 : 0;
        nalezene_.push_back(lektvar);
    }

    static std::uint64_t klicDvojice(std::uint32_t a, std::uint32_t b)
    {
        return (static_cast<std::uint64_t>(a) << 32) | b;
    }

    static bool dricve(const TNalezenyLektvar& a, const TNalezenyLektvar& b)
    {
        if (a.PocetPrisad != b.PocetPrisad)
            return a.PocetPrisad < b.PocetPrisad;
        if (a.PocetEfektu != b.PocetEfektu)
            return a.PocetEfektu < b.PocetEfektu;
        return std::lexicographical_compare(a.Pozice.begin(), a.Pozice.begin() + a.PocetPrisad, b.Pozice.begin(),
                                            b.Pozice.begin() + b.PocetPrisad);
    }

    const TZadaniHledani& zadani_;
    const TMezHledani mez_;
    std::unordered_map<const TEfekt*, std::uint8_t> bitChteneho_;
    std::size_t pocetChtenych_ = 0;
    std::uint8_t vsechnyChtene_ = 0;
    std::unordered_map<const TEfekt*, std::uint32_t> cislaEfektu_;
    std::vector<TRoleEfektu> role_;
    std::vector<TKandidat> kandidati_;
    std::vector<std::uint32_t> zbyvaNositelu_;  // [position * kMaxChtenych + bit]
    std::vector<std::uint32_t> zbyvaNejvice_;   // [position]

    std::array<std::uint32_t, kSlotu> vybrane_{};
    std::unordered_set<std::uint64_t> dvojice_;
    std::unordered_set<TKlicTrojice, THashTrojice> trojice_;
    std::vector<TNalezenyLektvar> nalezene_;
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
