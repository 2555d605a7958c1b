#include "ovladace.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
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

TPosuvnyPas::TPosuvnyPas(QWidget* rodic)
    : QWidget(rodic), doleva_(new QToolButton(this)), doprava_(new QToolButton(this)), okenko_(new QWidget(this)),
      text_(new QLabel(okenko_))
{
    text_->setObjectName(QStringLiteral("TpPopis"));
    doleva_->setArrowType(Qt::LeftArrow);
    doprava_->setArrowType(Qt::RightArrow);
    for (QToolButton* sipka : {doleva_, doprava_}) {
        sipka->setAutoRepeat(true);
        sipka->setAutoRaise(true);
        sipka->setFocusPolicy(Qt::NoFocus);
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

} // namespace

TBarvy::TBarvy(QWidget* rodic) : QComboBox(rodic)
{
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
