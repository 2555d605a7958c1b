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

    // Where the notebook is printed: the spooler's default destination
    // unless another printer is given.
    void NastavTiskarnu(std::unique_ptr<TTiskarna> tiskarna);

    // The catalogue and the options, as the pages see them.
    const TProstredi& Prostredi() const { return *prostredi_; }

    // Where the notebook's user area starts: the header's length.
    int ZacatekUzivatelske = 0;
    // Appends a line after the notebook's last line with this format.
    void PridejRadekZapisniku(const QString& text, const QTextCharFormat& format);

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

    // Notebook page.
    void FormShowZapisnik();
    void ZtextSelectionChange();
    bool ZtextProtectChange(int od, int po);
    void ZstylClick();
    void ZsizeChange();
    void ZcolorChange();
    void ZprotectedClick();
    void ZsaveClick();
    void DialogTypeChange(const QString& typ);
    void ZprintClick();

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
    void pripravZapisnik();
    void pripravZapisy();
    // Appends one entry: heading, body lines (one of them in italics, if
    // asked), an empty line; then Arial over the user area.
    void zapisPolozku(const QString& nadpis, const QColor& barvaNadpisu, const QStringList& radky,
                      int radekKurzivou = -1);
    void zmenFormatVyberu(const QTextCharFormat& format);
    // Prints the whole notebook as it stands, or all in black and then
    // restored; throws when the print fails.
    void tiskni();
    void tiskniCerne();
    // Row k (1 to 4) of a four-fold control that raised the current event.
    int tagOdesilatele() const;
    // An ingredient's or potion's name colour under the current options.
    QColor barvaJmena(bool tribunal, bool bloodmoon) const;
    void vyjmiZeSlotu(int k);
    void ukazEfektVSeznamu(const TEfekt* efekt);

    std::unique_ptr<Ui::TMF> ui_;
    TProstredi* prostredi_;
    TStrankaOProgramu* oProgramu_ = nullptr;
    std::unique_ptr<TTiskarna> tiskarna_;
    // The creation page's four-fold controls; index k - 1 holds row k.
    std::array<TPopisek*, 4> TpEfekty_{};
    std::array<TPopisek*, 4> TlPrisady_{};
    std::array<TPopisek*, 4> TlEfekty_{};
    std::array<QPushButton*, 4> TlVyjmi_{};
    std::array<QLabel*, 4> TlEfektyZP_{};
    QTimer* StartTimer = nullptr;
    bool zobrazeno_ = false;
    bool konciPoChybe_ = false;
    bool aktualizujiStyl_ = false;
    // Search page: potions by wanted and avoided effects (hledani_lektvaru.cpp).
public slots:
    void HefektyClick();
    void HprisadyClick();
    void HzasobyClick();
    void HpocetChange();
    void HlistDblClick();
    void HZlistClick();

public:
    enum class TVolbaEfektu { Nevybrany, Chteny, Zakazany };
    // Refills the page's effects and stock for the options, then searches.
    void NaplnHledani();
    // Searches again and refills the found potions and the heading.
    void HledejNaStrance();
    // At first showing: reads the player's stock from "zasoby.txt" and fills
    // the page.
    void FormShowHledani();
    // At close: writes the stock to "zasoby.txt", unless it was never read.
    // A failure is reported here, so the options are written all the same.
    void ZapisZasoby() const;
    std::unordered_set<const TPrisada*> Zasoby;
    // The search as the window asks it: the page lists the first potions
    // and counts the rest.
    TMezHledani MezHledani{.Vypsat = kNejvicRadkuVypisu};

private:
    void pripravHledani();
    void prepniEfekt(QListWidgetItem* radek);
    void ukazVolbuEfektu(QListWidgetItem* radek);
    std::unordered_map<const TEfekt*, TVolbaEfektu> volbyEfektu_;
    std::vector<TNalezenyLektvar> nalezeneLektvary_;
    bool plnimHledani_ = false;
    bool zasobyNacteny_ = false;
    void nactiZasoby();
};

// " [TB]" style origin text of two flags; empty for neither.
QString TextPuvodu(bool tribunal, bool bloodmoon);

// The options file's text for the five ticks, in the file's order.
std::string TextVoleb(const std::array<bool, 5>& volby);
// The five ticks that a file's content gives.
std::array<bool, 5> VolbyZTextu(const std::string& obsah);
