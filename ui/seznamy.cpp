// The owner-drawn lists: admissibility, the effect list, the order of lines,
// and the wrapping, measuring and drawing of every line.
#include "seznamy.h"

#include <QCollator>
#include <QKeyEvent>
#include <QPainter>

#include "aplikace.h"
#include "mainu.h"
#include "text.h"
#include "ui_mainu.h"

namespace {

const QString kVsechny = QStringLiteral("- všechny -");
const QString kOdsazeni = QStringLiteral("   ");
constexpr int kOkrajVlevo = 2;
constexpr int kRezervaSirky = 24;

QCollator& ceskeRazeni()
{
    static QCollator razeni = [] {
        QCollator c{QLocale(QLocale::Czech, QLocale::CzechRepublic)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return razeni;
}

// Row at which a new line goes in a self-sorting list: after every line that
// does not sort after it, the first line staying first.
int mistoVRazenem(const QListWidget& seznam, const QString& text)
{
    int od = 1;
    int po = seznam.count();
    if (seznam.count() == 0)
        return 0;
    while (od < po) {
        const int stred = (od + po) / 2;
        if (ceskeRazeni().compare(seznam.item(stred)->text(), text) <= 0)
            od = stred + 1;
        else
            po = stred;
    }
    return od;
}

} // namespace

QColor BarvaPuvodu(bool tribunal, bool bloodmoon)
{
    if (tribunal && bloodmoon)
        return QColor(255, 0, 255);
    if (tribunal)
        return QColor(0, 0, 255);
    if (bloodmoon)
        return QColor(255, 0, 0);
    return QColor(0, 0, 0);
}

QColor BarvaTextu(const QString& text)
{
    return BarvaPuvodu(text.contains(QStringLiteral("[T")), text.contains(QStringLiteral("B]")));
}

TListBox::TListBox(QWidget* rodic) : QListWidget(rodic)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QListWidget::itemClicked, this, &TListBox::Klik);
    connect(this, &QListWidget::itemDoubleClicked, this, &TListBox::DvojKlik);
}

void TListBox::VyberRadek(int radek)
{
    setCurrentRow(radek);
    if (radek < 0)
        clearSelection();
}

void TListBox::keyPressEvent(QKeyEvent* udalost)
{
    if (udalost->key() == Qt::Key_Return || udalost->key() == Qt::Key_Enter) {
        if (currentRow() >= 0)
            emit DvojKlik();
        return;
    }
    const int predtim = currentRow();
    QListWidget::keyPressEvent(udalost);
    if (currentRow() != predtim)
        emit Klik();
}

TKreslicRadku::TKreslicRadku(const TMF& okno, TListBox& seznam)
    : QStyledItemDelegate(&seznam), okno_(okno), seznam_(seznam)
{
}

void TKreslicRadku::paint(QPainter* malir, const QStyleOptionViewItem& volby, const QModelIndex& index) const
{
    okno_.TlistDrawItem(&seznam_, index.row(), malir, volby.rect, volby.state);
    if (volby.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect ramecek;
        ramecek.initFrom(&seznam_);
        ramecek.rect = volby.rect;
        seznam_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &ramecek, malir, &seznam_);
    }
}

QSize TKreslicRadku::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const QSize pevna = index.data(Qt::SizeHintRole).toSize();
    if (pevna.isValid())
        return pevna;
    return QSize(seznam_.viewport()->width(), okno_.TlistMeasureItem(&seznam_, index.row()));
}

void TMF::pripravSeznamy()
{
    for (TListBox* seznam : {ui_->Tefekty, ui_->Tprisady, ui_->VvyberList, ui_->Vlist})
        seznam->setItemDelegate(new TKreslicRadku(*this, *seznam));
    ui_->Tefekty->NastavRazeni(true);
}

bool TMF::PrisadaZarazena(const TPrisada& prisada) const
{
    return PrisadaPripustna(prisada, TZarazeni{ui_->Otribunal->isChecked(), ui_->Obloodmoon->isChecked()});
}

bool TMF::EfektZarazen(const TEfekt& efekt) const
{
    for (const TPrisada* prisada : efekt.Prisady)
        if (PrisadaZarazena(*prisada))
            return true;
    return false;
}

int TMF::PridejRadek(TListBox* seznam, const QString& text, const QVariant& odkaz)
{
    auto* polozka = new QListWidgetItem(text);
    polozka->setData(Qt::UserRole, odkaz);
    // The height is fixed once, when the line enters the list.
    polozka->setSizeHint(QSize(seznam->viewport()->width(), vyskaTextu(seznam, text)));
    const int radek = seznam->Razeny() ? mistoVRazenem(*seznam, text) : seznam->count();
    seznam->insertItem(radek, polozka);
    return radek;
}

void TMF::PridejSerazeneRadky(TListBox* seznam, std::vector<std::pair<QString, QVariant>> radky)
{
    SeradPodleKlice(radky, [](const std::pair<QString, QVariant>& r) { return DoCp1250(r.first); });
    for (const auto& [text, odkaz] : radky)
        PridejRadek(seznam, text, odkaz);
}

void TMF::NaplnEfekty()
try {
    TListBox* seznam = ui_->Tefekty;
    seznam->setUpdatesEnabled(false);
    seznam->clear();
    PridejRadek(seznam, kVsechny, QVariant());
    for (TEfekt* efekt : Seznam.Efekty)
        if (EfektZarazen(*efekt))
            PridejRadek(seznam, ZCp1250(efekt->Jmeno), QVariant::fromValue(efekt));
    seznam->VyberRadek(0);
    seznam->setUpdatesEnabled(true);
} catch (...) {
    TAplikace::HlasZachycenouChybu();
}

void TMF::SeradPolozky(TListBox* seznam)
{
    std::vector<QListWidgetItem*> polozky;
    polozky.reserve(static_cast<std::size_t>(seznam->count()));
    while (seznam->count() > 0)
        polozky.push_back(seznam->takeItem(seznam->count() - 1));
    std::reverse(polozky.begin(), polozky.end());
    SeradPodleKlice(polozky, [](const QListWidgetItem* p) { return DoCp1250(p->text()); });
    for (QListWidgetItem* polozka : polozky)
        seznam->addItem(polozka);
}

QString TMF::ZalomText(const QListWidget* seznam, int radek) const
{
    return ZalomText(seznam, seznam->item(radek)->text());
}

// Words recur across the lines of a list, so each is measured once.
qreal TMF::sirkaSlova(const QFontMetricsF& metriky, const QString& slovo) const
{
    auto it = sirkySlov_.constFind(slovo);
    if (it != sirkySlov_.cend())
        return *it;
    if (sirkySlov_.size() > 50000)
        sirkySlov_.clear();
    return *sirkySlov_.insert(slovo, metriky.horizontalAdvance(slovo));
}

QString TMF::ZalomText(const QListWidget* seznam, const QString& puvodni) const
{
    // The origin mark and its blank are shown as colour, not as text.
    const QString text = BezZnacky(puvodni);

    const int sirka = seznam->width() - kRezervaSirky;
    if (!(seznam->font() == pismoSirek_)) {
        sirkySlov_.clear();
        pismoSirek_ = seznam->font();
    }
    const QFontMetricsF metriky(seznam->font());
    QString vysledek;
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
    return vysledek;
}

int TMF::TlistMeasureItem(const QListWidget* seznam, int radek) const
{
    return vyskaTextu(seznam, seznam->item(radek)->text());
}

int TMF::vyskaTextu(const QListWidget* seznam, const QString& text) const
{
    // An empty text still gets one line, so the line can be seen and clicked.
    const auto radku = ZalomText(seznam, text).count(QLatin1Char('|')) + 1;
    return static_cast<int>(radku) * QFontMetrics(seznam->font()).height();
}

void TMF::TlistDrawItem(const QListWidget* seznam, int radek, QPainter* malir, const QRect& obdelnik,
                        QStyle::State stav) const
{
    const QString zobrazeny = ZalomText(seznam, radek);
    const QColor barva = ui_->Olisit->isChecked() ? BarvaTextu(seznam->item(radek)->text()) : QColor(Qt::black);
    const QPalette& paleta = seznam->palette();
    malir->save();
    malir->fillRect(obdelnik, (stav & QStyle::State_Selected) ? paleta.highlight() : paleta.base());
    malir->setFont(seznam->font());
    malir->setPen(barva);
    const QFontMetrics metriky(seznam->font());
    int y = obdelnik.top();
    for (const QString& cast : zobrazeny.split(QLatin1Char('|'))) {
        malir->drawText(obdelnik.left() + kOkrajVlevo, y + metriky.ascent(), cast);
        y += metriky.height();
    }
    malir->restore();
}
