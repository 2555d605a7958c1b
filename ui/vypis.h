// The potion-listing page: every two-ingredient potion of an effect or of an
// ingredient, and the way from a found potion to the designer.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "meze.h"
#include "prostredi.h"

namespace Ui {
class TStrankaVypisu;
}

class TStrankaVypisu : public QWidget {
    Q_OBJECT
public:
    TStrankaVypisu(TProstredi& prostredi, QWidget* rodic = nullptr);
    ~TStrankaVypisu() override;

    // The most lines of a list that one notebook entry writes.
    std::size_t NejvicRadkuZapisu = kNejvicRadkuVypisu;

public slots:
    void HomezeniXclick();
    void VvyberListClick();
    void VvyberJenomClick();
    void VvyberListDblClick();
    void VlistDblClick();
    void VZlistClick();

signals:
    // A found potion for the designer.
    void NahratLektvar(const TPrisadyLektvaru& prisady);
    // The chosen effect or ingredient, to be shown on the creation page.
    void UkazatEfekt(TEfekt* efekt);
    void UkazatPrisadu(TPrisada* prisada);
    // The potion panel to be shown again, as after a refill of the effect
    // list: its name comes back.
    void ZobrazitLektvar();
    // An entry for the notebook.
    void Zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou);

private:
    void nastavPisma();
    bool rezimEfektu() const;
    void pojmenujVypis(const QString& nadpis);

    std::unique_ptr<Ui::TStrankaVypisu> ui_;
    TProstredi& prostredi_;
};
