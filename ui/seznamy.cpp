// The owner-drawn lists: the order of lines, and the wrapping, measuring and
// drawing of every line.
#include "seznamy.h"

#include <QApplication>
#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "aplikace.h"
#include "cp1250.h"
#include "nalezene.h"
#include "pristupnost_seznamu.h"
#include "text.h"

namespace {

const QString kVsechny = QStringLiteral("- všechny -");
const QString kOdsazeni = QStringLiteral("   ");
constexpr int kOkrajVlevo = 2;
constexpr int kRezervaSirky = 24;
// Layouts kept: far more than a page of every list, and a layout of a
// huge text is not made twice while it is in view.
constexpr int kPocetRozvrhu = 512;
constexpr std::uint16_t kVysokyRadek = 0xFFFF;
constexpr std::size_t kNejvicZnaku = 65536;
// The signs' colours: wanted green, avoided red.
const QColor kBarvaPlus(0, 128, 0);
const QColor kBarvaMinus(255, 0, 0);

// What a sign puts in front of a line's text.
QString predpona(TZnamenko znamenko)
{
    switch (znamenko) {
    case TZnamenko::Plus:
        return QStringLiteral("+ ");
    case TZnamenko::Minus:
        return QChar(0x2212) + QStringLiteral(" ");
    case TZnamenko::Zadne:
        break;
    }
    return QString();
}

QCollator& ceskeRazeni()
{
    static QCollator razeni = [] {
        QCollator c{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return razeni;
}

} // namespace

// ---- model -----------------------------------------------------------------

TModelSeznamu::TModelSeznamu(QObject* rodic) : QAbstractListModel(rodic) {}

int TModelSeznamu::rowCount(const QModelIndex& rodic) const
{
    return rodic.isValid() || radky_ == nullptr ? 0 : radky_->Pocet();
}

QVariant TModelSeznamu::data(const QModelIndex& index, int role) const
{
    if (index.model() != this || !platny(index.row()))
        return QVariant();
    const int radek = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return Text(radek);
    case Qt::CheckStateRole:
        if (!MaZaskrtnuti())
            return QVariant();
        return Zaskrtnuto(radek) ? Qt::Checked : Qt::Unchecked;
    case RoleTribunal:
        return Puvod(radek).Tribunal;
    case RoleBloodmoon:
        return Puvod(radek).Bloodmoon;
    case RoleZnacka:
        return ZCp1250(Znacka(radek));
    case RoleZnamenko:
        return static_cast<int>(Znamenko(radek));
    case RoleBarvaPuvodu:
        return BarvaPuvodu(radek);
    default:
        return QVariant();
    }
}

Qt::ItemFlags TModelSeznamu::flags(const QModelIndex& index) const
{
    Qt::ItemFlags priznaky = QAbstractListModel::flags(index);
    if (MaZaskrtnuti() && index.isValid())
        priznaky |= Qt::ItemIsUserCheckable;
    return priznaky;
}

void TModelSeznamu::Nastav(std::unique_ptr<TRadkySeznamu> radky)
{
    beginResetModel();
    radky_ = std::move(radky);
    endResetModel();
}

void TModelSeznamu::SeradPodleKlice()
{
    if (radky_ == nullptr)
        return;
    beginResetModel();
    radky_->SeradPodleKlice();
    endResetModel();
}

void TModelSeznamu::ObnovRadek(int radek)
{
    if (platny(radek))
        emit dataChanged(index(radek), index(radek));
}

QString TModelSeznamu::Text(int radek) const
{
    return predpona(Znamenko(radek)) + ZCp1250(TextCp(radek));
}

std::string TModelSeznamu::ZacatekTextu(int radek, std::size_t nejvic) const
{
    return platny(radek) ? radky_->ZacatekTextu(radek, nejvic) : std::string();
}

std::string TModelSeznamu::TextCp(int radek) const
{
    return platny(radek) ? radky_->TextCp(radek) : std::string();
}

TPuvodRadku TModelSeznamu::Puvod(int radek) const
{
    return platny(radek) ? radky_->Puvod(radek) : TPuvodRadku{};
}

// The mark is the one the origin gives, and only where the text really
// begins with it: a name with a "]" of its own keeps all of it.
std::string TModelSeznamu::Znacka(int radek) const
{
    const TPuvodRadku puvod = Puvod(radek);
    if (!puvod.SeZnackou || puvod.JenBarvou)
        return std::string();
    std::string znacka = ZnackaDatadisku(puvod.Tribunal, puvod.Bloodmoon);
    return ZacatekTextu(radek, znacka.size()) == znacka ? znacka : std::string();
}

bool TModelSeznamu::BarvaPuvodu(int radek) const
{
    const TPuvodRadku puvod = Puvod(radek);
    return puvod.SeZnackou && (puvod.JenBarvou || !Znacka(radek).empty());
}

bool TModelSeznamu::Zaskrtnuto(int radek) const
{
    return platny(radek) && radky_->Zaskrtnuto(radek);
}

TZnamenko TModelSeznamu::Znamenko(int radek) const
{
    return platny(radek) ? radky_->Znamenko(radek) : TZnamenko::Zadne;
}

// ---- delegate --------------------------------------------------------------

TKreslicRadku::TKreslicRadku(TListBox& seznam) : QAbstractItemDelegate(&seznam), seznam_(seznam)
{
    rozvrhy_.setMaxCost(kPocetRozvrhu);
}

void TKreslicRadku::Zapomen()
{
    radku_.clear();
    vysoke_.clear();
    rozvrhy_.clear();
}

void TKreslicRadku::ZapomenRadek(int radek)
{
    rozvrhy_.remove(radek);
    if (static_cast<std::size_t>(radek) < radku_.size())
        radku_[static_cast<std::size_t>(radek)] = 0;
    vysoke_.erase(radek);
}

int TKreslicRadku::vyskaRadku() const
{
    return QFontMetrics(seznam_.font()).height();
}

// Words recur across the lines of a list, so each is measured once.
qreal TKreslicRadku::sirkaSlova(const QFontMetricsF& metriky, const QString& slovo) const
{
    auto it = sirkySlov_.constFind(slovo);
    if (it != sirkySlov_.cend())
        return *it;
    if (sirkySlov_.size() > 50000)
        sirkySlov_.clear();
    return *sirkySlov_.insert(slovo, metriky.horizontalAdvance(slovo));
}

TKreslicRadku::TRozvrh TKreslicRadku::zalom(const QString& text) const
{
    TRozvrh rozvrh;
    const int sirka = seznam_.width() - kRezervaSirky - odsazeniTextu() + kOkrajVlevo;
    if (!(seznam_.font() == pismoSirek_)) {
        sirkySlov_.clear();
        pismoSirek_ = seznam_.font();
    }
    const QFontMetricsF metriky(seznam_.font());
    QString& vysledek = rozvrh.Text;
    vysledek.reserve(text.size());
    qreal sirkaRadku = 0;
    bool prazdnyRadek = true;
    qsizetype zacatek = 0;
    while (zacatek < text.size()) {
        const qsizetype mezera = text.indexOf(QLatin1Char(' '), zacatek);
        const qsizetype konec = mezera < 0 ? text.size() : mezera + 1;
        const QString slovo = text.mid(zacatek, konec - zacatek);
        zacatek = konec;
        const qreal sirkaSlova = this->sirkaSlova(metriky, slovo);
        // A first word wider than the list still starts the first line.
        if (prazdnyRadek || qRound(sirkaRadku + sirkaSlova) < sirka) {
            vysledek += slovo;
            sirkaRadku += sirkaSlova;
        } else {
            vysledek += QLatin1Char('|') + kOdsazeni + slovo;
            sirkaRadku = this->sirkaSlova(metriky, kOdsazeni) + sirkaSlova;
        }
        prazdnyRadek = false;
    }
    // A "|" of the text itself also ends a display line.
    rozvrh.Zacatky.push_back(0);
    for (qsizetype i = vysledek.indexOf(QLatin1Char('|')); i >= 0; i = vysledek.indexOf(QLatin1Char('|'), i + 1))
        rozvrh.Zacatky.push_back(i + 1);
    return rozvrh;
}

void TKreslicRadku::overPlatnost() const
{
    if (sirkaRozvrhu_ == seznam_.width() && pismoRozvrhu_ == seznam_.font())
        return;
    radku_.clear();
    vysoke_.clear();
    rozvrhy_.clear();
    sirkaRozvrhu_ = seznam_.width();
    pismoRozvrhu_ = seznam_.font();
}

const TKreslicRadku::TRozvrh& TKreslicRadku::rozvrh(int radek) const
{
    overPlatnost();
    if (const TRozvrh* znamy = rozvrhy_.object(radek))
        return *znamy;
    const QModelIndex index = seznam_.Index(radek);
    // The origin mark and its blank are shown as colour, not as text.
    const std::size_t znacka = static_cast<std::size_t>(index.data(RoleZnacka).toString().size());
    std::string zacatek = seznam_.ZacatekTextu(radek, znacka + kNejvicZnaku + 1);
    zacatek.erase(0, znacka);
    const bool zkraceny = zacatek.size() > kNejvicZnaku;
    zacatek.resize(std::min(zacatek.size(), kNejvicZnaku));
    QString text = predpona(static_cast<TZnamenko>(index.data(RoleZnamenko).toInt())) + ZCp1250(zacatek);
    if (zkraceny)
        text += QChar(0x2026);
    auto* novy = new TRozvrh(zalom(text));
    const int radku = static_cast<int>(novy->Zacatky.size());
    if (radku_.size() != static_cast<std::size_t>(seznam_.count()))
        radku_.assign(static_cast<std::size_t>(seznam_.count()), 0);
    if (radku < kVysokyRadek) {
        radku_[static_cast<std::size_t>(radek)] = static_cast<std::uint16_t>(radku);
    } else {
        radku_[static_cast<std::size_t>(radek)] = kVysokyRadek;
        vysoke_[radek] = radku;
    }
    rozvrhy_.insert(radek, novy);
    return *novy;
}

QString TKreslicRadku::ZalomText(int radek) const
{
    return rozvrh(radek).Text;
}

int TKreslicRadku::Vyska(int radek) const
{
    if (radek < 0 || radek >= seznam_.count())
        return 0;
    overPlatnost();
    const std::size_t i = static_cast<std::size_t>(radek);
    if (radku_.size() != static_cast<std::size_t>(seznam_.count()) || radku_[i] == 0)
        rozvrh(radek);
    const int radku = radku_[i] == kVysokyRadek ? vysoke_.at(radek) : radku_[i];
    return radku * vyskaRadku();
}

int TKreslicRadku::odsazeniTextu() const
{
    if (!seznam_.MaZaskrtnuti())
        return kOkrajVlevo;
    return kOkrajVlevo + MistoZaskrtnuti(QRect(0, 0, 0, vyskaRadku())).width() + kOkrajVlevo;
}

QRect TKreslicRadku::MistoZaskrtnuti(const QRect& obdelnik) const
{
    const int strana = std::min(seznam_.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &seznam_),
                                vyskaRadku());
    return QRect(obdelnik.left() + kOkrajVlevo, obdelnik.top() + (vyskaRadku() - strana) / 2, strana, strana);
}

// A line's colours by its kind: 0 plain, 1 to 3 an origin (1 Tribunal,
// 2 Bloodmoon, 3 both), 4 wanted, 5 avoided; selected or not.
const TBarvyRadku& TKreslicRadku::barvy(const QModelIndex& index, bool vybrany) const
{
    const QPalette& paleta = seznam_.palette();
    if (paleta.cacheKey() != paletaBarev_) {
        barvyDruhu_.fill(std::nullopt);
        paletaBarev_ = paleta.cacheKey();
    }
    const auto znamenko = static_cast<TZnamenko>(index.data(RoleZnamenko).toInt());
    const bool tribunal = index.data(RoleTribunal).toBool();
    const bool bloodmoon = index.data(RoleBloodmoon).toBool();
    // Only a line made with marks shows its origin, by its real mark or by
    // colour alone.
    const bool puvod = barvy_ && index.data(RoleBarvaPuvodu).toBool();
    constexpr int kChteny = 4, kZakazany = 5;
    int druh = 0;
    if (znamenko != TZnamenko::Zadne)
        druh = znamenko == TZnamenko::Plus ? kChteny : kZakazany;
    else if (puvod)
        druh = (tribunal ? 1 : 0) + (bloodmoon ? 2 : 0);
    std::optional<TBarvyRadku>& barvy = barvyDruhu_[static_cast<std::size_t>(2 * druh + (vybrany ? 1 : 0))];
    if (!barvy) {
        if (druh >= kChteny)
            barvy = BarvyRadkuVyznamu(paleta, druh == kChteny ? kBarvaPlus : kBarvaMinus, vybrany);
        else
            barvy = BarvyRadkuPuvodu(paleta, (druh & 1) != 0, (druh & 2) != 0, vybrany);
    }
    return *barvy;
}

void TKreslicRadku::Nakresli(QPainter* malir, int radek, const QRect& obdelnik, QStyle::State stav) const
{
    const TRozvrh& r = rozvrh(radek);
    const QModelIndex index = seznam_.Index(radek);
    const bool vybrany = (stav & QStyle::State_Selected) != 0;
    const TBarvyRadku& barvy = this->barvy(index, vybrany);
    malir->save();
    malir->fillRect(obdelnik, barvy.Pozadi);
    if (seznam_.MaZaskrtnuti()) {
        QStyleOptionViewItem volby;
        volby.initFrom(&seznam_);
        volby.rect = MistoZaskrtnuti(obdelnik);
        volby.state |= seznam_.Zaskrtnuto(radek) ? QStyle::State_On : QStyle::State_Off;
        seznam_.style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &volby, malir, &seznam_);
    }
    malir->setFont(seznam_.font());
    malir->setPen(barvy.Text);
    const QFontMetrics metriky(seznam_.font());
    const int vyska = metriky.height();
    // Only the display lines that can be seen: a line may be far taller
    // than the view.
    std::size_t prvni = 0;
    std::size_t konec = r.Zacatky.size();
    if (malir->hasClipping()) {
        const QRect orez = malir->clipBoundingRect().toAlignedRect();
        prvni = static_cast<std::size_t>(std::clamp((orez.top() - obdelnik.top()) / vyska, 0, static_cast<int>(konec)));
        konec = static_cast<std::size_t>(
            std::clamp((orez.bottom() - obdelnik.top()) / vyska + 1, 0, static_cast<int>(konec)));
    }
    const int x = obdelnik.left() + odsazeniTextu();
    for (std::size_t k = prvni; k < konec; ++k) {
        const qsizetype od = r.Zacatky[k];
        const qsizetype po = k + 1 < r.Zacatky.size() ? r.Zacatky[k + 1] - 1 : r.Text.size();
        const int y = obdelnik.top() + static_cast<int>(k) * vyska;
        malir->drawText(x, y + metriky.ascent(), r.Text.mid(od, po - od));
    }
    malir->restore();
    if (stav & QStyle::State_HasFocus)
        NakresliRamecek(malir, obdelnik, vybrany);
}

void TKreslicRadku::NakresliRamecek(QPainter* malir, const QRect& obdelnik, bool vybrany) const
{
    const QColor barva = BarvyRadku(seznam_.palette(), QColor(), vybrany).Ramecek;
    malir->save();
    malir->setPen(QPen(barva, 1));
    malir->setBrush(Qt::NoBrush);
    malir->drawRect(obdelnik.adjusted(1, 1, -2, -2));
    malir->restore();
}

void TKreslicRadku::paint(QPainter* malir, const QStyleOptionViewItem& volby, const QModelIndex& index) const
{
    Nakresli(malir, index.row(), volby.rect, volby.state);
}

QSize TKreslicRadku::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    return QSize(seznam_.viewport()->width(), Vyska(index.row()));
}

// ---- view ------------------------------------------------------------------

TListBox::TListBox(QWidget* rodic)
    : QAbstractItemView(rodic), model_(new TModelSeznamu(this)), kreslic_(new TKreslicRadku(*this))
{
    // Qt makes screen readers' lists for its own views only.
    static const bool pristupny = (QAccessible::installFactory(&PristupnostSeznamu), true);
    Q_UNUSED(pristupny);
    setModel(model_);
    setItemDelegate(kreslic_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(this, &QAbstractItemView::clicked, this, &TListBox::Klik);
    connect(this, &QAbstractItemView::doubleClicked, this, &TListBox::DvojKlik);
}

int TListBox::currentRow() const
{
    const QModelIndex aktualni = currentIndex();
    return aktualni.isValid() ? aktualni.row() : -1;
}

void TListBox::VyberRadek(int radek)
{
    if (radek < 0 || radek >= count()) {
        setCurrentIndex(QModelIndex());
        clearSelection();
        return;
    }
    setCurrentIndex(Index(radek));
}

QString TListBox::Znacka(int radek) const
{
    return ZCp1250(model_->Znacka(radek));
}

QString TListBox::TextBezZnacky(int radek) const
{
    return ZCp1250(TextCp(radek).substr(model_->Znacka(radek).size()));
}

void TListBox::ZvolRadek(int radek)
{
    VyberRadek(radek);
    emit Klik();
}

void TListBox::PrepniZaskrtnuti(int radek)
{
    if (!MaZaskrtnuti() || radek < 0 || radek >= count())
        return;
    const bool predtim = Zaskrtnuto(radek);
    const std::uint64_t verze = verze_;
    emit ZaskrtnutiRadku(radek, !predtim);
    // A page that refilled the list has shown it anew.
    if (verze != verze_)
        return;
    ObnovRadek(radek);
    if (SeznamySlysi() && Zaskrtnuto(radek) != predtim) {
        QAccessible::State zmena;
        zmena.checked = true;
        QAccessibleStateChangeEvent udalost(this, zmena);
        udalost.setChild(radek);
        OhlasSeznamu(&udalost);
    }
}

void TListBox::reset()
{
    ++verze_;
    ohlas_.clear();
    kreslic_->Zapomen();
    horni_ = 0;
    QAbstractItemView::reset();
    updateGeometries();
    viewport()->update();
}

int TListBox::zacatekStrankyDo(int posledni) const
{
    const int vyska = viewport()->height();
    int prvni = posledni;
    int zabrano = kreslic_->Vyska(posledni);
    while (prvni > 0) {
        const int dalsi = kreslic_->Vyska(prvni - 1);
        if (zabrano + dalsi > vyska)
            break;
        zabrano += dalsi;
        --prvni;
    }
    return prvni;
}

int TListBox::konecStrankyOd(int prvni) const
{
    const int vyska = viewport()->height();
    int posledni = prvni;
    int zabrano = kreslic_->Vyska(prvni);
    while (posledni + 1 < count()) {
        const int dalsi = kreslic_->Vyska(posledni + 1);
        if (zabrano + dalsi > vyska)
            break;
        zabrano += dalsi;
        ++posledni;
    }
    return posledni;
}

void TListBox::nastavHorni(int radek)
{
    verticalScrollBar()->setValue(radek);
    horni_ = std::clamp(radek, 0, std::max(0, verticalScrollBar()->maximum()));
    viewport()->update();
}

void TListBox::updateGeometries()
{
    QScrollBar* posuvnik = verticalScrollBar();
    const int pocet = count();
    // The last page is full: the top line goes no further than its start.
    const int nejvys = pocet > 0 ? zacatekStrankyDo(pocet - 1) : 0;
    posuvnik->setRange(0, nejvys);
    posuvnik->setSingleStep(1);
    posuvnik->setPageStep(std::max(1, viewport()->height() / std::max(1, QFontMetrics(font()).height())));
    horni_ = std::clamp(horni_, 0, nejvys);
    QAbstractItemView::updateGeometries();
}

void TListBox::scrollContentsBy(int, int)
{
    horni_ = verticalScrollBar()->value();
    viewport()->update();
}

void TListBox::resizeEvent(QResizeEvent* udalost)
{
    QAbstractItemView::resizeEvent(udalost);
    updateGeometries();
}

void TListBox::focusInEvent(QFocusEvent* udalost)
{
    const QModelIndex predtim = currentIndex();
    QAbstractItemView::focusInEvent(udalost);
    // A line that became current on the way in has been announced already.
    if (predtim.isValid() && currentIndex() == predtim)
        ohlas(QAccessible::Focus, predtim.row());
    viewport()->update();
}

void TListBox::focusOutEvent(QFocusEvent* udalost)
{
    QAbstractItemView::focusOutEvent(udalost);
    viewport()->update();
}

void TListBox::currentChanged(const QModelIndex& aktualni, const QModelIndex& predchozi)
{
    QAbstractItemView::currentChanged(aktualni, predchozi);
    ohlas_.clear();
    if (aktualni.isValid() && hasFocus())
        ohlas(QAccessible::Focus, aktualni.row());
}

void TListBox::selectionChanged(const QItemSelection& vybrane, const QItemSelection& zrusene)
{
    QAbstractItemView::selectionChanged(vybrane, zrusene);
    // One line at a time is selected; a range is never walked far.
    constexpr int kNejvicOhlasu = 16;
    for (const QItemSelectionRange& rozsah : zrusene)
        for (int r = rozsah.top(); r <= std::min(rozsah.bottom(), rozsah.top() + kNejvicOhlasu); ++r)
            ohlas(QAccessible::SelectionRemove, r);
    for (const QItemSelectionRange& rozsah : vybrane)
        for (int r = rozsah.top(); r <= std::min(rozsah.bottom(), rozsah.top() + kNejvicOhlasu); ++r)
            ohlas(QAccessible::Selection, r);
}

void TListBox::dataChanged(const QModelIndex& od, const QModelIndex& po, const QList<int>& role)
{
    for (int r = od.row(); r <= po.row(); ++r) {
        kreslic_->ZapomenRadek(r);
        ohlas(QAccessible::NameChanged, r);
    }
    updateGeometries();
    QAbstractItemView::dataChanged(od, po, role);
    viewport()->update();
}

void TListBox::ohlas(QAccessible::Event druh, int radek)
{
    if (!SeznamySlysi() || radek < 0 || radek >= count())
        return;
    QAccessibleEvent udalost(this, druh);
    udalost.setChild(radek);
    OhlasSeznamu(&udalost);
}

void TListBox::Ohlas(const QString& zprava)
{
    ohlas_ = zprava;
    radekOhlasu_ = currentRow();
    if (!SeznamySlysi())
        return;
    QAccessibleEvent udalost(this, QAccessible::DescriptionChanged);
    udalost.setChild(radekOhlasu_);
    OhlasSeznamu(&udalost);
}

QString TListBox::Ohlaseni(int radek) const
{
    return radek == radekOhlasu_ ? ohlas_ : QString();
}

void TListBox::changeEvent(QEvent* udalost)
{
    if (udalost->type() == QEvent::FontChange)
        updateGeometries();
    QAbstractItemView::changeEvent(udalost);
}

QRect TListBox::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= count())
        return QRect();
    const int radek = index.row();
    const int sirka = viewport()->width();
    const int vyska = viewport()->height();
    if (radek < horni_) {
        // Above the view: placed by the lines in between, as far as a view.
        int y = 0;
        for (int r = horni_ - 1; r >= radek; --r) {
            y -= kreslic_->Vyska(r);
            if (y < -vyska && r > radek)
                return QRect(0, y - QFontMetrics(font()).height(), sirka, QFontMetrics(font()).height());
        }
        return QRect(0, y, sirka, kreslic_->Vyska(radek));
    }
    int y = 0;
    for (int r = horni_; r < radek; ++r) {
        y += kreslic_->Vyska(r);
        if (y > vyska)
            return QRect(0, y, sirka, QFontMetrics(font()).height());
    }
    return QRect(0, y, sirka, kreslic_->Vyska(radek));
}

void TListBox::scrollTo(const QModelIndex& index, ScrollHint rada)
{
    if (!index.isValid() || index.row() >= count())
        return;
    const int radek = index.row();
    switch (rada) {
    case PositionAtTop:
        nastavHorni(radek);
        break;
    case PositionAtBottom:
        nastavHorni(zacatekStrankyDo(radek));
        break;
    case PositionAtCenter: {
        int prvni = radek;
        int zabrano = kreslic_->Vyska(radek);
        while (prvni > 0 && zabrano + kreslic_->Vyska(prvni - 1) <= viewport()->height() / 2)
            zabrano += kreslic_->Vyska(--prvni);
        nastavHorni(prvni);
        break;
    }
    case EnsureVisible:
        if (radek < horni_)
            nastavHorni(radek);
        else if (radek > konecStrankyOd(horni_))
            nastavHorni(zacatekStrankyDo(radek));
        break;
    }
}

QModelIndex TListBox::indexAt(const QPoint& bod) const
{
    if (bod.y() < 0)
        return QModelIndex();
    const int vyska = viewport()->height();
    int y = 0;
    for (int r = horni_; r < count() && y < vyska; ++r) {
        y += kreslic_->Vyska(r);
        if (bod.y() < y)
            return Index(r);
    }
    return QModelIndex();
}

QModelIndex TListBox::moveCursor(CursorAction akce, Qt::KeyboardModifiers)
{
    const int pocet = count();
    if (pocet == 0)
        return QModelIndex();
    const int radek = currentRow();
    if (radek < 0)
        return Index(0);
    int novy = radek;
    switch (akce) {
    case MoveUp:
    case MovePrevious:
        novy = radek - 1;
        break;
    case MoveDown:
    case MoveNext:
        novy = radek + 1;
        break;
    case MoveHome:
        novy = 0;
        break;
    case MoveEnd:
        novy = pocet - 1;
        break;
    case MovePageUp:
        novy = std::min(zacatekStrankyDo(radek), radek - 1);
        break;
    case MovePageDown:
        novy = std::max(konecStrankyOd(radek), radek + 1);
        break;
    default:
        break;
    }
    return Index(std::clamp(novy, 0, pocet - 1));
}

void TListBox::setSelection(const QRect& obdelnik, QItemSelectionModel::SelectionFlags prikaz)
{
    const QRect oblast = obdelnik.normalized();
    const int vyska = viewport()->height();
    int prvni = -1;
    int posledni = -1;
    int y = 0;
    for (int r = horni_; r < count() && y < vyska; ++r) {
        const int h = kreslic_->Vyska(r);
        if (y + h > oblast.top() && y <= oblast.bottom()) {
            if (prvni < 0)
                prvni = r;
            posledni = r;
        }
        y += h;
    }
    if (prvni < 0) {
        selectionModel()->select(QItemSelection(), prikaz);
        return;
    }
    selectionModel()->select(QItemSelection(Index(prvni), Index(posledni)), prikaz);
}

QRegion TListBox::visualRegionForSelection(const QItemSelection& vyber) const
{
    QRegion oblast;
    const int vyska = viewport()->height();
    for (const QItemSelectionRange& rozsah : vyber) {
        for (int r = std::max(rozsah.top(), horni_); r <= rozsah.bottom(); ++r) {
            const QRect misto = visualRect(Index(r));
            if (misto.top() > vyska)
                break;
            oblast += misto;
        }
    }
    return oblast;
}

void TListBox::paintEvent(QPaintEvent* udalost)
{
    QPainter malir(viewport());
    malir.setClipRect(udalost->rect());
    const QRect plocha = viewport()->rect();
    malir.fillRect(udalost->rect(), palette().base());
    const QModelIndex aktualni = currentIndex();
    int y = 0;
    for (int r = horni_; r < count() && y < plocha.height(); ++r) {
        const QModelIndex index = Index(r);
        const int h = kreslic_->Vyska(r);
        const QRect misto(0, y, plocha.width(), h);
        y += h;
        if (!misto.intersects(udalost->rect()))
            continue;
        QStyleOptionViewItem volby;
        initViewItemOption(&volby);
        volby.rect = misto;
        if (selectionModel()->isSelected(index))
            volby.state |= QStyle::State_Selected;
        if (index == aktualni && hasFocus())
            volby.state |= QStyle::State_HasFocus;
        kreslic_->paint(&malir, volby, index);
    }
    // Focus without a current line (an empty list, or none chosen yet) is
    // seen around the whole view.
    if (hasFocus() && !aktualni.isValid())
        kreslic_->NakresliRamecek(&malir, plocha, false);
}

void TListBox::keyboardSearch(const QString& hledany)
{
    const int pocet = count();
    if (hledany.isEmpty() || pocet == 0)
        return;
    const bool pokracuje = psani_.isValid() && psani_.elapsed() < QApplication::keyboardInputInterval();
    psani_.start();
    napsano_ = (pokracuje ? napsano_ : std::string()) + MalaPismenaCp1250(DoCp1250(hledany));
    const int od = std::max(0, currentRow()) + (pokracuje ? 0 : 1);
    for (int i = 0; i < pocet; ++i) {
        const int radek = (od + i) % pocet;
        if (MalaPismenaCp1250(ZacatekTextu(radek, napsano_.size())) == napsano_) {
            setCurrentIndex(Index(radek));
            return;
        }
    }
}

void TListBox::keyPressEvent(QKeyEvent* udalost)
{
    if (udalost->key() == Qt::Key_Return || udalost->key() == Qt::Key_Enter) {
        if (currentRow() >= 0)
            emit DvojKlik();
        return;
    }
    if (udalost->key() == Qt::Key_Space && MaZaskrtnuti() && currentRow() >= 0) {
        PrepniZaskrtnuti(currentRow());
        return;
    }
    const bool hledaSe = psani_.isValid() && psani_.elapsed() < QApplication::keyboardInputInterval();
    if (udalost->key() == Qt::Key_Space && !hledaSe && currentRow() >= 0) {
        emit DvojKlik();
        return;
    }
    const int predtim = currentRow();
    QAbstractItemView::keyPressEvent(udalost);
    if (currentRow() != predtim)
        emit Klik();
}

void TListBox::mousePressEvent(QMouseEvent* udalost)
{
    const QPoint bod = udalost->position().toPoint();
    const QModelIndex index = indexAt(bod);
    const bool naZaskrtnuti = MaZaskrtnuti() && index.isValid() && udalost->button() == Qt::LeftButton &&
                              kreslic_->MistoZaskrtnuti(visualRect(index)).contains(bod);
    QAbstractItemView::mousePressEvent(udalost);
    if (naZaskrtnuti)
        PrepniZaskrtnuti(index.row());
}

QString ZacatekProPopisek(std::string_view text)
{
    if (text.size() <= kNejvicZnakuPopisku)
        return ZCp1250(text);
    return ZCp1250(text.substr(0, kNejvicZnakuPopisku)) + QChar(0x2026);
}

// ---- the pages' side ---------------------------------------------------------

std::string TextEfektu(TEfekt* const& efekt, std::size_t nejvic)
{
    static const std::string vsechny = DoCp1250(kVsechny);
    std::string text;
    PripojNejvic(text, efekt ? efekt->Jmeno : std::string_view(vsechny), nejvic);
    return text;
}

std::string JmenoPrisady(TPrisada* const& prisada, std::size_t nejvic)
{
    std::string text;
    PripojNejvic(text, prisada->Jmeno, nejvic);
    return text;
}

std::string OznacenaPrisada(TPrisada* const& prisada, std::size_t nejvic)
{
    std::string text;
    PripojNejvic(text, ZnackaPrisady(*prisada), nejvic);
    PripojNejvic(text, prisada->Jmeno, nejvic);
    return text;
}

TPravidlaRadku<TPrisada*> RadkyPrisad(bool znacky)
{
    TPravidlaRadku<TPrisada*> pravidla;
    pravidla.Text = znacky ? OznacenaPrisada : JmenoPrisady;
    pravidla.Puvod = [znacky](TPrisada* const& prisada) {
        return TPuvodRadku{prisada->Tribunal, prisada->Bloodmoon, znacky};
    };
    return pravidla;
}

TPuvodRadku PuvodDvojice(const TDvojice& dvojice)
{
    return TPuvodRadku{dvojice.Prvni->Tribunal || dvojice.Druha->Tribunal,
                       dvojice.Prvni->Bloodmoon || dvojice.Druha->Bloodmoon, true};
}

// The language's alphabetical order, case ignored, equal names in the order
// they came.
void SeradAbecedne(std::vector<TEfekt*>& efekty)
{
    std::vector<std::pair<QCollatorSortKey, TEfekt*>> klice;
    klice.reserve(efekty.size());
    for (TEfekt* efekt : efekty)
        klice.emplace_back(ceskeRazeni().sortKey(ZCp1250(efekt->Jmeno)), efekt);
    std::stable_sort(klice.begin(), klice.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (std::size_t i = 0; i < klice.size(); ++i)
        efekty[i] = klice[i].second;
}

void SeradPolozky(TListBox* seznam)
{
    seznam->SeradPodleKlice();
}

QString ZalomText(const TListBox* seznam, int radek)
{
    return seznam->Kreslic().ZalomText(radek);
}

int TlistMeasureItem(const TListBox* seznam, int radek)
{
    return seznam->Kreslic().Vyska(radek);
}

void TlistDrawItem(const TListBox* seznam, int radek, QPainter* malir, const QRect& obdelnik, QStyle::State stav)
{
    seznam->Kreslic().Nakresli(malir, radek, obdelnik, stav);
}
