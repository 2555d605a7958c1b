// The main window: its four pages, the options and the catalogue it owns.
#pragma once

#include <QFont>
#include <QHash>
#include <QStyle>
#include <QVariant>
#include <QWidget>
#include <array>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "hledani_efektu.h"
#include "katalog.h"
#include "lektvar.h"
#include "meze.h"
#include "prostredi.h"

class QLabel;
class QTextCharFormat;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
class TListBox;
class TPopisek;
class TTiskarna;
class TProstredi;
class TStrankaOProgramu;
class TStrankaZapisniku;
class TStrankaHledani;
namespace Ui {
class TMF;
}

class TMF : public QWidget {
    Q_OBJECT
public:
    explicit TMF(QWidget* rodic = nullptr);
    ~TMF() override;

    TLektvar Lektvar;
    TPrisada* VybranaPrisada = nullptr;

    // True once the catalogue proved unusable: the program must end.
    bool KonciPoChybe() const { return konciPoChybe_; }

    Ui::TMF& Formular() const { return *ui_; }

    // The catalogue and the options, as the pages see them.
    const TProstredi& Prostredi() const { return *prostredi_; }

public slots:
    void FormCreate();
    void FormShow();
    void StartTimerDo();
    void FormClose();
    void NaplnEfekty();

    // Potion-creation page.
    void TefektyClick();
    void TprisadyClick();
    void TprisadyDblClick();
    void TpPridatClick();
    void TlVyjmiClick();
    void ZobrazLektvar();
    void TpEfektDblClick();
    void TlEfektDblClick();
    void TlPrisadaDblClick();

    // Potion-listing page.
    void HomezeniXclick();
    void VvyberListClick();
    void VvyberJenomClick();
    void VvyberListDblClick();
    void VlistDblClick();

    // Notebook entries.
    void TZprisadaClick();
    void TZlektvarClick();
    void TZefektClick();
    void VZlistClick();

protected:
    void showEvent(QShowEvent* udalost) override;
    void closeEvent(QCloseEvent* udalost) override;

private:
    void nactiVolby();
    void nactiKatalog();
    void pripravSeznamy();
    void nastavPisma();
    void pripravTvorbu();
    void pripravVypis();
    bool rezimEfektu() const;
    void poZmeneZarazeni();
    void poZmeneZnacek();
    // Writes an entry into the notebook and brings it forward if asked.
    void zapis(const QString& nadpis, const QColor& barva, const QStringList& radky, int radekKurzivou);
    void nahrajLektvar(const TPrisadyLektvaru& prisady);
    void ukazPrisadu(const TPrisada* prisada);
    // Row k (1 to 4) of a four-fold control that raised the current event.
    int tagOdesilatele() const;
    // An ingredient's or potion's name colour under the current options.
    QColor barvaJmena(bool tribunal, bool bloodmoon) const;
    void vyjmiZeSlotu(int k);
    void ukazEfektVSeznamu(const TEfekt* efekt);

    std::unique_ptr<Ui::TMF> ui_;
    TProstredi* prostredi_;
    TStrankaOProgramu* oProgramu_ = nullptr;
    TStrankaZapisniku* zapisnik_ = nullptr;
    TStrankaHledani* hledani_ = nullptr;
    // The creation page's four-fold controls; index k - 1 holds row k.
    std::array<TPopisek*, 4> TpEfekty_{};
    std::array<TPopisek*, 4> TlPrisady_{};
    std::array<TPopisek*, 4> TlEfekty_{};
    std::array<QPushButton*, 4> TlVyjmi_{};
    std::array<QLabel*, 4> TlEfektyZP_{};
    QTimer* StartTimer = nullptr;
    bool zobrazeno_ = false;
    bool konciPoChybe_ = false;
};

// " [TB]" style origin text of two flags; empty for neither.
QString TextPuvodu(bool tribunal, bool bloodmoon);

// The options file's text for the five ticks, in the file's order.
std::string TextVoleb(const std::array<bool, 5>& volby);
// The five ticks that a file's content gives.
std::array<bool, 5> VolbyZTextu(const std::string& obsah);
