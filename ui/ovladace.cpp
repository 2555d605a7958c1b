#include "ovladace.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kSirkaSipky = 14;
constexpr int kOkraj = 1;
constexpr int kKrok = 12;

} // namespace

TPopisek::TPopisek(QWidget* rodic) : QLabel(rodic) {}

void TPopisek::mouseDoubleClickEvent(QMouseEvent* udalost)
{
    if (udalost->button() == Qt::LeftButton)
        emit DvojKlik();
    QLabel::mouseDoubleClickEvent(udalost);
}

void TPopisek::keyPressEvent(QKeyEvent* udalost)
{
    switch (udalost->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit DvojKlik();
        return;
    default:
        QLabel::keyPressEvent(udalost);
    }
}

// A label draws no focus of its own.
void TPopisek::paintEvent(QPaintEvent* udalost)
{
    QLabel::paintEvent(udalost);
    if (!hasFocus())
        return;
    QPainter malir(this);
    QStyleOptionFocusRect volby;
    volby.initFrom(this);
    volby.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &volby, &malir, this);
}

TPosuvnyPas::TPosuvnyPas(QWidget* rodic)
    : QWidget(rodic), doleva_(new QToolButton(this)), doprava_(new QToolButton(this)), okenko_(new QWidget(this)),
      text_(new QLabel(okenko_))
{
    text_->setObjectName(QStringLiteral("TpPopis"));
    doleva_->setObjectName(QStringLiteral("TpPopisDoleva"));
    doprava_->setObjectName(QStringLiteral("TpPopisDoprava"));
    doleva_->setArrowType(Qt::LeftArrow);
    doprava_->setArrowType(Qt::RightArrow);
    doleva_->setAccessibleName(QStringLiteral("Posunout poznámku doleva"));
    doprava_->setAccessibleName(QStringLiteral("Posunout poznámku doprava"));
    okenko_->setAccessibleName(QStringLiteral("Text poznámky"));
    for (QToolButton* sipka : {doleva_, doprava_}) {
        sipka->setAutoRepeat(true);
        sipka->setAutoRaise(true);
        sipka->setFocusPolicy(Qt::StrongFocus);
    }
    connect(doleva_, &QToolButton::clicked, this, &TPosuvnyPas::Doleva);
    connect(doprava_, &QToolButton::clicked, this, &TPosuvnyPas::Doprava);
    rozvrhni();
}

void TPosuvnyPas::NastavText(const QString& text)
{
    text_->setText(text);
    text_->adjustSize();
    posun_ = 0;
    rozvrhni();
}

int TPosuvnyPas::nejvetsiPosun() const
{
    return std::max(0, text_->width() - okenko_->width());
}

void TPosuvnyPas::Doleva()
{
    posun_ = std::max(0, posun_ - kKrok);
    rozvrhni();
}

void TPosuvnyPas::Doprava()
{
    posun_ = std::min(nejvetsiPosun(), posun_ + kKrok);
    rozvrhni();
}

void TPosuvnyPas::resizeEvent(QResizeEvent* udalost)
{
    QWidget::resizeEvent(udalost);
    rozvrhni();
}

// Arrows only for a text wider than the strip; the text then runs between them.
void TPosuvnyPas::rozvrhni()
{
    const bool posouvat = text_->sizeHint().width() > width();
    doleva_->setVisible(posouvat);
    doprava_->setVisible(posouvat);
    const int vyska = height();
    if (posouvat) {
        doleva_->setGeometry(0, 0, kSirkaSipky, vyska);
        doprava_->setGeometry(width() - kSirkaSipky, 0, kSirkaSipky, vyska);
        okenko_->setGeometry(kSirkaSipky + kOkraj, 0, width() - 2 * (kSirkaSipky + kOkraj), vyska);
    } else {
        okenko_->setGeometry(0, 0, width(), vyska);
        posun_ = 0;
    }
    posun_ = std::min(posun_, nejvetsiPosun());
    doleva_->setEnabled(posun_ > 0);
    doprava_->setEnabled(posun_ < nejvetsiPosun());
    text_->move(-posun_, kOkraj);
}

TStylBox::TStylBox(QWidget* rodic) : QCheckBox(rodic)
{
    setTristate(true);
    setCheckState(Qt::PartiallyChecked);
}

void TStylBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

namespace {

struct TPojmenovanaBarva {
    const char* Jmeno;
    QRgb Rgb;
};

constexpr TPojmenovanaBarva kBarvy[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000}, {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080}, {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},    {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
};

QIcon vzorekBarvy(QColor barva)
{
    QPixmap vzorek(12, 12);
    vzorek.fill(barva);
    QPainter malir(&vzorek);
    malir.setPen(Qt::black);
    malir.drawRect(0, 0, 11, 11);
    return QIcon(vzorek);
}

// What screen readers see of the colour box. Qt's own combo box is named by
// its current entry where screen readers go through AT-SPI; this one gives
// its accessible name as its name and the colour as its value.
class TPristupneBarvy : public QAccessibleWidget {
public:
    explicit TPristupneBarvy(TBarvy* barvy) : QAccessibleWidget(barvy, QAccessible::ComboBox) {}

    QString text(QAccessible::Text druh) const override
    {
        return druh == QAccessible::Value ? barvy()->currentText() : QAccessibleWidget::text(druh);
    }
    // The one child is the list that opens.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(barvy()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* dite) const override
    {
        return dite != nullptr && dite->object() == barvy()->view() ? 0 : -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State stav = QAccessibleWidget::state();
        stav.expandable = true;
        stav.expanded = barvy()->view()->isVisible();
        return stav;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& akce) override
    {
        if (akce == showMenuAction() || akce == pressAction())
            barvy()->showPopup();
    }

private:
    TBarvy* barvy() const { return static_cast<TBarvy*>(widget()); }
};

QAccessibleInterface* pristupnostBarev(const QString& trida, QObject* objekt)
{
    auto* barvy = trida == QLatin1String("TBarvy") ? qobject_cast<TBarvy*>(objekt) : nullptr;
    return barvy != nullptr ? new TPristupneBarvy(barvy) : nullptr;
}

} // namespace

TBarvy::TBarvy(QWidget* rodic) : QComboBox(rodic)
{
    static const bool pristupne = (QAccessible::installFactory(&pristupnostBarev), true);
    Q_UNUSED(pristupne);
    for (const TPojmenovanaBarva& barva : kBarvy)
        addItem(vzorekBarvy(QColor(barva.Rgb)), QString::fromLatin1(barva.Jmeno), QColor(barva.Rgb));
    setCurrentIndex(-1);
}

int TBarvy::IndexBarvy(const QColor& barva) const
{
    for (int i = 0; i < count(); ++i)
        if (Barva(i).rgb() == barva.rgb())
            return i;
    return -1;
}

QColor TBarvy::Barva(int index) const
{
    return itemData(index).value<QColor>();
}

void TBarvy::keyPressEvent(QKeyEvent* udalost)
{
    QComboBox::keyPressEvent(udalost);
    if (!udalost->text().isEmpty() && udalost->text().at(0).isPrint())
        showPopup();
}
