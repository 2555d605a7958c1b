// The window's list boxes: lines of variable height, each line a reference
// to the record it shows. A line is only its reference until it is shown:
// its text is made from the records when it is asked for, its wrapped layout
// and height when the line is first measured or drawn, and both are kept.
#pragma once

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QAccessible>
#include <QCache>
#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "barvy.h"
#include "hledani.h"
#include "katalog.h"

class QFontMetricsF;

// Where a line's record comes from. A line made with marks has its text
// begin with the mark of these flags ("[T] ", "[B] ", "[TB] "; nothing for
// neither), which is shown as the origin colour, never as text; a line made
// without marks shows no origin colour at all. A line marked by colour alone
// (JenBarvou) shows its origin colour and its whole text, which holds no mark.
struct TPuvodRadku {
    bool Tribunal = false;
    bool Bloodmoon = false;
    bool SeZnackou = false;
    bool JenBarvou = false;
};

// A sign in front of a line, as the wanted (+) and avoided (−) effects of a
// search carry.
enum class TZnamenko : std::uint8_t { Zadne, Plus, Minus };

// What a list's model gives besides Qt::DisplayRole (the line's text, its
// sign in front) and Qt::CheckStateRole (lines with a check box).
enum TRoleRadku : int {
    RoleTribunal = Qt::UserRole + 1,  // bool
    RoleBloodmoon,                    // bool
    RoleZnacka,                       // QString: the mark the text begins with, "" for none
    RoleZnamenko,                     // int: a TZnamenko
    RoleBarvaPuvodu,                  // bool: the line shows its origin colour
};

// The lines of one list: how many there are and what each says.
class TRadkySeznamu {
public:
    virtual ~TRadkySeznamu() = default;
    virtual int Pocet() const = 0;
    // The line's text in Windows-1250, made afresh from its record.
    virtual std::string TextCp(int radek) const = 0;
    // Its first `nejvic` bytes (all of it when it is shorter).
    virtual std::string ZacatekTextu(int radek, std::size_t nejvic) const = 0;
    // Sorts the lines stably by KlicRazeni of their texts.
    virtual void SeradPodleKlice() = 0;
    virtual TPuvodRadku Puvod(int radek) const = 0;
    // Whether the lines have check boxes, and whether a line's is ticked.
    virtual bool MaZaskrtnuti() const = 0;
    virtual bool Zaskrtnuto(int radek) const = 0;
    virtual TZnamenko Znamenko(int radek) const = 0;
};

// How a list's lines are made from their references: the text (required:
// a reference's text, or as much of its beginning as asked for) and, when
// given, the origin, the check box and the sign. The rules read the page's
// own data when a line is shown, so a page changes a check or a sign in its
// data and has the list show the line again (TListBox::ObnovRadek).
template <typename T>
struct TPravidlaRadku {
    std::function<std::string(const T&, std::size_t nejvic)> Text;
    std::function<TPuvodRadku(const T&)> Puvod;
    std::function<bool(const T&)> Zaskrtnuto;
    std::function<TZnamenko(const T&)> Znamenko;
};

// Lines that are references of one type, made by their rules.
template <typename T>
class TRadkyOdkazu : public TRadkySeznamu {
public:
    using TTextOdkazu = std::function<std::string(const T&, std::size_t nejvic)>;

    TRadkyOdkazu(std::vector<T> odkazy, TPravidlaRadku<T> pravidla)
        : odkazy_(std::move(odkazy)), pravidla_(std::move(pravidla))
    {
    }

    int Pocet() const override { return static_cast<int>(std::min<std::size_t>(odkazy_.size(), INT_MAX)); }
    std::string TextCp(int radek) const override { return ZacatekTextu(radek, std::string::npos); }
    std::string ZacatekTextu(int radek, std::size_t nejvic) const override
    {
        return pravidla_.Text(odkaz(radek), nejvic);
    }
    void SeradPodleKlice() override
    {
        ::SeradPodleKlice(odkazy_, [this](const T& odkaz) { return pravidla_.Text(odkaz, std::string::npos); });
    }
    TPuvodRadku Puvod(int radek) const override
    {
        return pravidla_.Puvod ? pravidla_.Puvod(odkaz(radek)) : TPuvodRadku{};
    }
    bool MaZaskrtnuti() const override { return static_cast<bool>(pravidla_.Zaskrtnuto); }
    bool Zaskrtnuto(int radek) const override
    {
        return pravidla_.Zaskrtnuto && pravidla_.Zaskrtnuto(odkaz(radek));
    }
    TZnamenko Znamenko(int radek) const override
    {
        return pravidla_.Znamenko ? pravidla_.Znamenko(odkaz(radek)) : TZnamenko::Zadne;
    }
    const std::vector<T>& Odkazy() const { return odkazy_; }

private:
    const T& odkaz(int radek) const { return odkazy_[static_cast<std::size_t>(radek)]; }

    std::vector<T> odkazy_;
    TPravidlaRadku<T> pravidla_;
};

// A list's lines for the views and screen readers, by role (TRoleRadku).
class TModelSeznamu : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TModelSeznamu(QObject* rodic = nullptr);

    int rowCount(const QModelIndex& rodic = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Replaces every line (nullptr: none).
    void Nastav(std::unique_ptr<TRadkySeznamu> radky);
    void SeradPodleKlice();
    // A line's data changed in the page: it is read again.
    void ObnovRadek(int radek);
    const TRadkySeznamu* Radky() const { return radky_.get(); }
    // The line's display text: its sign, then its text.
    QString Text(int radek) const;
    std::string TextCp(int radek) const;
    std::string ZacatekTextu(int radek, std::size_t nejvic) const;
    TPuvodRadku Puvod(int radek) const;
    // The origin mark that the line's text begins with, "" for none.
    std::string Znacka(int radek) const;
    // Whether the line shows its origin colour: made with marks, and its
    // mark is real or shown by colour alone.
    bool BarvaPuvodu(int radek) const;
    bool MaZaskrtnuti() const { return radky_ != nullptr && radky_->MaZaskrtnuti(); }
    bool Zaskrtnuto(int radek) const;
    TZnamenko Znamenko(int radek) const;

private:
    bool platny(int radek) const { return radky_ != nullptr && radek >= 0 && radek < radky_->Pocet(); }

    std::unique_ptr<TRadkySeznamu> radky_;
};

class TListBox;

// Measures, wraps and draws the lines of one list. Wrapping follows the
// list's width less 24 pixels (and less a check box, where lines have one);
// a layout and a height, once made, are kept until the lines, the width or
// the font change. Of a text longer than kNejvicZnaku characters only that
// many are shown, followed by "…": no list is wide or tall enough to show
// more of one line, and wrapping a name of millions of characters would stop
// the window for seconds. Everything but the text comes from the model's
// roles: the origin mark that is not shown, the origin, the sign and the
// check box; the colours come from BarvyRadku.
class TKreslicRadku : public QAbstractItemDelegate {
    Q_OBJECT
public:
    explicit TKreslicRadku(TListBox& seznam);

    // Lines made with marks in their origin colour (true) or all plain.
    void NastavBarvy(bool barvy) { barvy_ = barvy; }
    bool Barvy() const { return barvy_; }

    // The display text of a line: display lines separated by "|".
    QString ZalomText(int radek) const;
    int Vyska(int radek) const;
    // Draws a line; of a tall line only the display lines that meet the
    // painter's clip. A focused line gets its frame.
    void Nakresli(QPainter* malir, int radek, const QRect& obdelnik, QStyle::State stav) const;
    // The focus frame around a line (or around the view of a list that has
    // the focus but no current line): inside the rectangle, one pixel in,
    // in a plain text's colour on that background.
    void NakresliRamecek(QPainter* malir, const QRect& obdelnik, bool vybrany) const;
    // Where a line's check box is drawn within the line's rectangle.
    QRect MistoZaskrtnuti(const QRect& obdelnik) const;
    // Forgets every layout and height, or those of one line.
    void Zapomen();
    void ZapomenRadek(int radek);

    void paint(QPainter* malir, const QStyleOptionViewItem& volby, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& volby, const QModelIndex& index) const override;

private:
    struct TRozvrh {
        QString Text;                       // display lines, each followed by "|" but the last
        std::vector<qsizetype> Zacatky;     // where each display line starts in Text
    };

    const TRozvrh& rozvrh(int radek) const;
    // Forgets what was measured for another width or font.
    void overPlatnost() const;
    TRozvrh zalom(const QString& text) const;
    qreal sirkaSlova(const QFontMetricsF& metriky, const QString& slovo) const;
    int vyskaRadku() const;
    int odsazeniTextu() const;
    const TBarvyRadku& barvy(const QModelIndex& index, bool vybrany) const;

    TListBox& seznam_;
    bool barvy_ = true;
    // Display lines per row, 0 while unmeasured; rows of more lines than the
    // type holds are counted in vysoke_.
    mutable std::vector<std::uint16_t> radku_;
    mutable std::unordered_map<int, int> vysoke_;
    mutable QCache<int, TRozvrh> rozvrhy_;
    mutable int sirkaRozvrhu_ = -1;
    mutable QFont pismoRozvrhu_;
    // Words recur across lines, so each is measured once per font.
    mutable QHash<QString, qreal> sirkySlov_;
    mutable QFont pismoSirek_;
    // The colours of each kind of line, selected and not, worked out once
    // per palette.
    mutable std::array<std::optional<TBarvyRadku>, 12> barvyDruhu_;
    mutable qint64 paletaBarev_ = 0;
};

// A list box of lines of variable height that are measured only when shown:
// it scrolls by whole lines, so it never needs the heights of lines it has
// not shown. Screen readers see it as a list with one item per line, made
// only when asked for (pristupnost_seznamu.h).
class TListBox : public QAbstractItemView {
    Q_OBJECT
public:
    explicit TListBox(QWidget* rodic = nullptr);

    int count() const { return model_->rowCount(); }
    int currentRow() const;
    QModelIndex Index(int radek) const { return model_->index(radek, 0); }
    // A line's display text, as the model shows it: its sign, then its text.
    QString Text(int radek) const { return model_->Text(radek); }
    std::string TextCp(int radek) const { return model_->TextCp(radek); }
    std::string ZacatekTextu(int radek, std::size_t nejvic) const { return model_->ZacatekTextu(radek, nejvic); }
    // The origin mark the line's text begins with ("[T] "; "" for none), and
    // the text after it.
    QString Znacka(int radek) const;
    QString TextBezZnacky(int radek) const;
    bool Zaskrtnuto(int radek) const { return model_->Zaskrtnuto(radek); }
    bool MaZaskrtnuti() const { return model_->MaZaskrtnuti(); }
    TKreslicRadku& Kreslic() const { return *kreslic_; }
    // Counts the refills: a line number means the same line only while this
    // stays.
    std::uint64_t Verze() const { return verze_; }

    // Replaces the lines: a reference per line and the rules that make a
    // line from its reference (the found potions: the finder's pairs, a
    // text rule that calls TextDvojice and an origin rule). Nothing is
    // selected afterwards.
    template <typename T>
    void NastavRadky(std::vector<T> odkazy, TPravidlaRadku<T> pravidla)
    {
        model_->Nastav(std::make_unique<TRadkyOdkazu<T>>(std::move(odkazy), std::move(pravidla)));
    }
    // Lines of text and origin alone (no origin: plain lines), without
    // check boxes or signs.
    template <typename T>
    void NastavRadky(std::vector<T> odkazy, typename TRadkyOdkazu<T>::TTextOdkazu text,
                     std::function<TPuvodRadku(const T&)> puvod = {})
    {
        TPravidlaRadku<T> pravidla;
        pravidla.Text = std::move(text);
        pravidla.Puvod = std::move(puvod);
        NastavRadky<T>(std::move(odkazy), std::move(pravidla));
    }
    void Vyprazdni() { model_->Nastav(nullptr); }
    void SeradPodleKlice() { model_->SeradPodleKlice(); }
    // The page changed what a line shows (its check, its sign): it is shown
    // again, and screen readers hear of it.
    void ObnovRadek(int radek) { model_->ObnovRadek(radek); }

    // Tells screen readers what an action on the current line did: the
    // line carries the message as its description until the list moves on.
    // Without a current line the list itself carries it.
    void Ohlas(const QString& zprava);
    // The message a line carries (-1: the list), or an empty text.
    QString Ohlaseni(int radek) const;

    // The record that a line shows, or an empty reference.
    template <typename T>
    T Odkaz(int radek) const
    {
        const auto* radky = dynamic_cast<const TRadkyOdkazu<T>*>(model_->Radky());
        if (radky == nullptr || radek < 0 || radek >= radky->Pocet())
            return T{};
        return radky->Odkazy()[static_cast<std::size_t>(radek)];
    }

    // The line showing this record, or -1.
    template <typename T>
    int RadekSOdkazem(T odkaz) const
    {
        const auto* radky = dynamic_cast<const TRadkyOdkazu<T>*>(model_->Radky());
        if (radky == nullptr)
            return -1;
        for (int i = 0; i < radky->Pocet(); ++i)
            if (radky->Odkazy()[static_cast<std::size_t>(i)] == odkaz)
                return i;
        return -1;
    }

    // Selects a line (-1: nothing), as the program does: no Klik.
    void VyberRadek(int radek);
    // Chooses a line as a user does: selects it and reports Klik.
    void ZvolRadek(int radek);
    // As a click on the line's check box: asks the page to tick or clear it
    // (ZaskrtnutiRadku), then shows the line as the page's data now has it.
    void PrepniZaskrtnuti(int radek);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint rada = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& bod) const override;
    void reset() override;
    // Typing selects the next line that begins with what was typed; only
    // as much of each line's text is made as was typed.
    void keyboardSearch(const QString& hledany) override;

signals:
    // A line chosen by the mouse or by the arrow keys.
    void Klik();
    // A double-click on a line, or Enter; Space too on a list without check
    // boxes, unless it continues a typed search.
    void DvojKlik();
    // Space on a line with a check box, or a click on the box: the line's
    // record is to be ticked (true) or cleared.
    void ZaskrtnutiRadku(int radek, bool zaskrtnout);

protected:
    void keyPressEvent(QKeyEvent* udalost) override;
    void mousePressEvent(QMouseEvent* udalost) override;
    void paintEvent(QPaintEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;
    void changeEvent(QEvent* udalost) override;
    void focusInEvent(QFocusEvent* udalost) override;
    void focusOutEvent(QFocusEvent* udalost) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& aktualni, const QModelIndex& predchozi) override;
    void selectionChanged(const QItemSelection& vybrane, const QItemSelection& zrusene) override;
    void dataChanged(const QModelIndex& od, const QModelIndex& po, const QList<int>& role) override;
    QModelIndex moveCursor(CursorAction akce, Qt::KeyboardModifiers modifikatory) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override { return 0; }
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& obdelnik, QItemSelectionModel::SelectionFlags prikaz) override;
    QRegion visualRegionForSelection(const QItemSelection& vyber) const override;

private:
    // The first line of a page that ends with line `posledni`.
    int zacatekStrankyDo(int posledni) const;
    // The last line of a page that starts with line `prvni`.
    int konecStrankyOd(int prvni) const;
    void nastavHorni(int radek);
    // Tells screen readers what happened to a line.
    void ohlas(QAccessible::Event druh, int radek);

    TModelSeznamu* model_;
    TKreslicRadku* kreslic_;
    int horni_ = 0;  // the line at the top of the view
    std::uint64_t verze_ = 0;
    std::string napsano_;  // typed so far, lower case, Windows-1250
    QElapsedTimer psani_;
    QString ohlas_;
    int radekOhlasu_ = -1;
};

// Texts of lines, in Windows-1250: an effect's name ("- všechny -" for no
// effect), an ingredient's name, and its name after its origin mark.
// Each gives at most `nejvic` bytes of the text.
std::string TextEfektu(TEfekt* const& efekt, std::size_t nejvic);
std::string JmenoPrisady(TPrisada* const& prisada, std::size_t nejvic);
std::string OznacenaPrisada(TPrisada* const& prisada, std::size_t nejvic);

// Effects in the language's alphabetical order, as the effect list shows them.
void SeradAbecedne(std::vector<TEfekt*>& efekty);

// The list rules every page applies: the stable sort of a list's lines by
// KlicRazeni, and a line's display text (display lines separated by "|"),
// height and drawing.
void SeradPolozky(TListBox* seznam);
QString ZalomText(const TListBox* seznam, int radek);
int TlistMeasureItem(const TListBox* seznam, int radek);
void TlistDrawItem(const TListBox* seznam, int radek, QPainter* malir, const QRect& obdelnik, QStyle::State stav);

// A text for a one-line label: its first kNejvicZnakuPopisku characters and
// "…" after them when it is longer. Laying out a name of millions of
// characters would stop the window, and no label shows a thousandth of it.
constexpr std::size_t kNejvicZnakuPopisku = 65536;
QString ZacatekProPopisek(std::string_view text);

// The lines of ingredients: their names, after their marks while `znacky`
// (as the option stands when the lines are made; the lines keep it).
TPravidlaRadku<TPrisada*> RadkyPrisad(bool znacky);
// The origin of a found pair's line, which always begins with the pair's mark.
TPuvodRadku PuvodDvojice(const TDvojice& dvojice);
