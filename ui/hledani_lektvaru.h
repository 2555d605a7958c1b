// The search page: every potion of up to four ingredients with the effects
// the player wants, none that the player avoids, from the player's stock.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "hledani_efektu.h"
#include "meze.h"
#include "prostredi.h"

enum class TZnamenko : std::uint8_t;
namespace Ui {
class TStrankaHledani;
}

class TStrankaHledani : public QWidget {
    Q_OBJECT
public:
    TStrankaHledani(TProstredi& prostredi, QWidget* rodic = nullptr);
    ~TStrankaHledani() override;

    enum class TVolbaEfektu { Nevybrany, Chteny, Zakazany };
    // Refills the page's effects and stock for the options, then searches.
    void NaplnHledani();
    // Searches again and refills the found potions and the heading.
    void HledejNaStrance();
    // At first showing: reads the player's stock from "zasoby.txt" and fills
    // the page.
    void FormShowHledani();
    // At close: writes the stock to "zasoby.txt", unless it was never read.
    void ZapisZasoby() const;
    std::unordered_set<const TPrisada*> Zasoby;
    // The search as the window asks it: the page lists the first potions
    // and counts the rest.
    TMezHledani MezHledani{.Vypsat = kNejvicRadkuVypisu};
    // The most lines of a list that one notebook entry writes.
    std::size_t NejvicRadkuZapisu = kNejvicRadkuVypisu;

public slots:
    // Cycles the current effect: not chosen, wanted, avoided.
    void HefektyClick();
    // The stock line's ingredient is ticked (owned) or cleared.
    void HprisadyClick(int radek, bool zaskrtnout);
    void HzasobyClick();
    void HpocetChange();
    void HlistDblClick();
    void HZlistClick();

signals:
    // A found potion for the designer, and its first ingredient to be shown
    // on the creation page.
    void NahratLektvar(const TPrisadyLektvaru& prisady);
    void UkazatPrisadu(TPrisada* prisada);
    // An entry for the notebook.
    void Zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou);

private:
    void pripravHledani();
    void naplnEfekty();
    void naplnZasoby();
    TZnamenko znamenko(const TEfekt* efekt) const;
    void nactiZasoby();

    std::unique_ptr<Ui::TStrankaHledani> ui_;
    TProstredi& prostredi_;
    std::unordered_map<const TEfekt*, TVolbaEfektu> volbyEfektu_;
    std::vector<TNalezenyLektvar> nalezeneLektvary_;
    bool zasobyNacteny_ = false;
    std::size_t nalezenoCelkem_ = 0;
    std::vector<std::string> radkyZasob_;  // as read: closing merges the ticks over them
};
