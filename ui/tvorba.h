// The potion-creation page: the effect and ingredient lists, the selected
// ingredient's detail box and the potion designer.
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

#include "lektvar.h"
#include "meze.h"
#include "prostredi.h"

class QLabel;
class QPushButton;
class TPopisek;
namespace Ui {
class TStrankaTvorby;
}

class TStrankaTvorby : public QWidget {
    Q_OBJECT
public:
    TStrankaTvorby(TProstredi& prostredi, QWidget* rodic = nullptr);
    ~TStrankaTvorby() override;

    // The most lines of a list that one notebook entry writes.
    std::size_t NejvicRadkuZapisu = kNejvicRadkuVypisu;

    // The potion under design; only its four slots are set here, the rest
    // is computed.
    TLektvar Lektvar;
    // The ingredient shown in the detail box; none until one is selected.
    TPrisada* VybranaPrisada = nullptr;

    // At first showing: the lists filled, the first ingredient shown, the
    // potion empty.
    void FormShowTvorba();
    // After another page brought the user here: the ingredient list takes
    // the focus and tells screen readers what the page now shows.
    void PrevezmiFokus();

public slots:
    void NaplnEfekty();
    void TefektyClick();
    void TprisadyClick();
    void TprisadyDblClick();
    void TpPridatClick();
    void TlVyjmiClick();
    void ZobrazLektvar();
    void TpEfektDblClick();
    void TlEfektDblClick();
    void TlPrisadaDblClick();
    void TZprisadaClick();
    void TZlektvarClick();
    void TZefektClick();

    // What the other pages bring here: a potion that replaces the design,
    // an effect shown with its ingredients and the first of them, an
    // ingredient shown among all.
    void NahrajLektvar(const TPrisadyLektvaru& prisady);
    void UkazEfekt(TEfekt* efekt);
    void UkazPrisadu(TPrisada* prisada);

signals:
    // An entry for the notebook.
    void Zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou);

protected:
    void changeEvent(QEvent* udalost) override;

private:
    void nastavPisma();
    void pripravTvorbu();
    void naplnSeznamy();
    void poZmeneZnacek();
    // Row k (1 to 4) of a four-fold control that raised the current event.
    int tagOdesilatele() const;
    // An ingredient's or potion's name colour under the current options, in
    // the shade that reads on the page (role `text` for plain names).
    QColor barvaJmena(bool tribunal, bool bloodmoon, QPalette::ColorRole text = QPalette::WindowText) const;
    // The names' colours again, for a new palette.
    void obarviJmena();
    void vyjmiZeSlotu(int k);
    void ukazEfektVSeznamu(const TEfekt* efekt);
    // Screen readers' names of the detail box's and the designer's
    // controls, after what they show now (tvorba_nazvy.cpp).
    void pojmenujPrisadu();
    void pojmenujLektvar();
    // What adding the selected ingredient did, as screen readers hear it.
    QString ohlasPridani(bool pridana) const;

    std::unique_ptr<Ui::TStrankaTvorby> ui_;
    TProstredi& prostredi_;
    // The four-fold controls; index k - 1 holds row k.
    std::array<TPopisek*, 4> TpEfekty_{};
    std::array<TPopisek*, 4> TlPrisady_{};
    std::array<TPopisek*, 4> TlEfekty_{};
    std::array<QPushButton*, 4> TlVyjmi_{};
    std::array<QLabel*, 4> TlEfektyZP_{};
};

// " [TB]" style origin text of two flags; empty for neither.
QString TextPuvodu(bool tribunal, bool bloodmoon);
