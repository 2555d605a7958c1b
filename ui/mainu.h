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
namespace Ui {
class TMF;
}

class TMF : public QWidget {
    Q_OBJECT
public:
    explicit TMF(QWidget* rodic = nullptr);
    ~TMF() override;

    TSeznam Seznam;
    TLektvar Lektvar;
    TPrisada* VybranaPrisada = nullptr;

    // True once the catalogue proved unusable: the program must end.
    bool KonciPoChybe() const { return konciPoChybe_; }

    Ui::TMF& Formular() const { return *ui_; }

    // Where the notebook is printed: the spooler's default destination
    // unless another printer is given.
    void NastavTiskarnu(std::unique_ptr<TTiskarna> tiskarna);

    // Lists.
    bool PrisadaZarazena(const TPrisada& prisada) const;
    bool EfektZarazen(const TEfekt& efekt) const;
    void SeradPolozky(TListBox* seznam);
    QString ZalomText(const TListBox* seznam, int radek) const;
    int TlistMeasureItem(const TListBox* seznam, int radek) const;
    void TlistDrawItem(const TListBox* seznam, int radek, QPainter* malir, const QRect& obdelnik,
                       QStyle::State stav) const;
    // Where the notebook's user area starts: the header's length.
    int ZacatekUzivatelske = 0;
    // Appends a line after the notebook's last line with this format.
    void PridejRadekZapisniku(const QString& text, const QTextCharFormat& format);

public slots:
    void FormCreate();
    void FormShow();
    void StartTimerDo();
    void OdatadiskClick();
    void OlisitClick();
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
    // Fills a list with the admissible ingredients of a source, sorted, marked
    // while the expansions are distinguished.
    void naplnPrisady(TListBox* seznam, const std::vector<TPrisada*>& zdroj);
    // Every ingredient of the catalogue in the order of SeradPolozky, with or
    // without marks: sorting a whole large catalogue takes long, so it is
    // done once and the lists only pick the admissible ones out of it.
    const std::vector<TPrisada*>& serazenePrisady(bool znacky) const;
    struct TPoradiPrisad {
        const void* Katalog = nullptr;
        std::size_t Pocet = 0;
        std::vector<TPrisada*> Prisady;
    };
    mutable std::array<TPoradiPrisad, 2> poradiPrisad_;
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
    // Where the notebook was last saved; empty before the first save.
    QString slozkaUlozeni_;
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
    // The most lines of a list that one notebook entry writes.
    std::size_t NejvicRadkuZapisu = kNejvicRadkuVypisu;

private:
    void pripravHledani();
    void prepniEfekt(QListWidgetItem* radek);
    void ukazVolbuEfektu(QListWidgetItem* radek);
    std::unordered_map<const TEfekt*, TVolbaEfektu> volbyEfektu_;
    std::vector<TNalezenyLektvar> nalezeneLektvary_;
    std::size_t nalezenoCelkem_ = 0;
    bool plnimHledani_ = false;
    bool zasobyNacteny_ = false;
    std::vector<std::string> radkyZasob_;  // as read: closing merges the ticks over them
    void nactiZasoby();
};

// " [TB]" style origin text of two flags; empty for neither.
QString TextPuvodu(bool tribunal, bool bloodmoon);
