#include "ovladace.h"

#include <QMouseEvent>
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
