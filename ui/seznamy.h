// The window's list boxes: lines of variable height, each line a reference
// to the record it shows. A line is only its reference until it is shown:
// its text is made from the records when it is asked for, its wrapped layout
// and height when the line is first measured or drawn, and both are kept.
#pragma once

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QCache>
#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "hledani.h"
#include "katalog.h"

class QFontMetricsF;

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
};

// Lines that are references of one type, with the rule that makes a
// reference's text, or as much of its beginning as asked for.
template <typename T>
class TRadkyOdkazu : public TRadkySeznamu {
public:
    using TTextOdkazu = std::function<std::string(const T&, std::size_t nejvic)>;

    TRadkyOdkazu(std::vector<T> odkazy, TTextOdkazu text) : odkazy_(std::move(odkazy)), text_(std::move(text)) {}

    int Pocet() const override { return static_cast<int>(std::min<std::size_t>(odkazy_.size(), INT_MAX)); }
    std::string TextCp(int radek) const override { return ZacatekTextu(radek, std::string::npos); }
    std::string ZacatekTextu(int radek, std::size_t nejvic) const override
    {
        return text_(odkazy_[static_cast<std::size_t>(radek)], nejvic);
    }
    void SeradPodleKlice() override
    {
        ::SeradPodleKlice(odkazy_, [this](const T& odkaz) { return text_(odkaz, std::string::npos); });
    }
    const std::vector<T>& Odkazy() const { return odkazy_; }

private:
    std::vector<T> odkazy_;
    TTextOdkazu text_;
};

// A list's lines for the views: Qt::DisplayRole is the line's text.
class TModelSeznamu : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TModelSeznamu(QObject* rodic = nullptr);

    int rowCount(const QModelIndex& rodic = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Replaces every line (nullptr: none).
    void Nastav(std::unique_ptr<TRadkySeznamu> radky);
    void SeradPodleKlice();
    const TRadkySeznamu* Radky() const { return radky_.get(); }
    QString Text(int radek) const;
    std::string TextCp(int radek) const;
    std::string ZacatekTextu(int radek, std::size_t nejvic) const;

private:
    std::unique_ptr<TRadkySeznamu> radky_;
};

class TListBox;

// Measures, wraps and draws the lines of one list. Wrapping follows the
// list's width less 24 pixels; a layout and a height, once made, are kept
// until the lines, the width or the font change. Of a text longer than
// kNejvicZnaku characters only that many are shown, followed by "…": no list
// is wide or tall enough to show more of one line, and wrapping a name of
// millions of characters would stop the window for seconds.
class TKreslicRadku : public QAbstractItemDelegate {
    Q_OBJECT
public:
    explicit TKreslicRadku(TListBox& seznam);

    // Lines in their origin colour (true) or all black.
    void NastavBarvy(bool barvy) { barvy_ = barvy; }
    bool Barvy() const { return barvy_; }

    // The display text of a line: display lines separated by "|".
    QString ZalomText(int radek) const;
    int Vyska(int radek) const;
    // Draws a line; of a tall line only the display lines that meet the
    // painter's clip.
    void Nakresli(QPainter* malir, int radek, const QRect& obdelnik, QStyle::State stav) const;
    // Forgets every layout and height.
    void Zapomen();

    void paint(QPainter* malir, const QStyleOptionViewItem& volby, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& volby, const QModelIndex& index) const override;

private:
    struct TRozvrh {
        QString Text;                       // display lines, each followed by "|" but the last
        std::vector<qsizetype> Zacatky;     // where each display line starts in Text
        bool Tribunal = false;              // the line's text holds "[T"
        bool Bloodmoon = false;             // the line's text holds "B]"
    };

    const TRozvrh& rozvrh(int radek) const;
    // Forgets what was measured for another width or font.
    void overPlatnost() const;
    TRozvrh zalom(const QString& text) const;
    qreal sirkaSlova(const QFontMetricsF& metriky, const QString& slovo) const;
    int vyskaRadku() const;

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
};

// A list box of lines of variable height that are measured only when shown:
// it scrolls by whole lines, so it never needs the heights of lines it has
// not shown.
class TListBox : public QAbstractItemView {
    Q_OBJECT
public:
    explicit TListBox(QWidget* rodic = nullptr);

    int count() const { return model_->rowCount(); }
    int currentRow() const;
    QModelIndex Index(int radek) const { return model_->index(radek, 0); }
    // A line's text, as the model shows it.
    QString Text(int radek) const { return model_->Text(radek); }
    std::string TextCp(int radek) const { return model_->TextCp(radek); }
    std::string ZacatekTextu(int radek, std::size_t nejvic) const { return model_->ZacatekTextu(radek, nejvic); }
    TKreslicRadku& Kreslic() const { return *kreslic_; }

    // Replaces the lines: a reference per line and the rule that makes a
    // reference's text (the found potions: the finder's pairs, and a rule
    // that calls TextDvojice). Nothing is selected afterwards.
    template <typename T>
    void NastavRadky(std::vector<T> odkazy, typename TRadkyOdkazu<T>::TTextOdkazu text)
    {
        model_->Nastav(std::make_unique<TRadkyOdkazu<T>>(std::move(odkazy), std::move(text)));
    }
    void Vyprazdni() { model_->Nastav(nullptr); }
    void SeradPodleKlice() { model_->SeradPodleKlice(); }

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

    // Like a user's click on a line (-1: nothing selected).
    void VyberRadek(int radek);

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
    // A double-click on a line, or Enter.
    void DvojKlik();

protected:
    void keyPressEvent(QKeyEvent* udalost) override;
    void paintEvent(QPaintEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;
    void changeEvent(QEvent* udalost) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
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

    TModelSeznamu* model_;
    TKreslicRadku* kreslic_;
    int horni_ = 0;  // the line at the top of the view
    std::string napsano_;  // typed so far, lower case, Windows-1250
    QElapsedTimer psani_;
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

// The colour that stands for an origin in lists and labels.
QColor BarvaPuvodu(bool tribunal, bool bloodmoon);
// The origin colour that a line's text carries in its mark.
QColor BarvaTextu(const QString& text);
