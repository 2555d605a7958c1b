#include "logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

TLogo::TLogo(QWidget* rodic) : QWidget(rodic)
{
    setFixedSize(273, 89);
}

namespace {

// A round flask with a long neck, filled with a glowing potion.
void nakresliBanku(QPainter& p, const QRectF& oblast)
{
    const QPointF stred(oblast.center().x(), oblast.bottom() - oblast.width() / 2);
    const qreal polomer = oblast.width() / 2 - 2;
    QPainterPath banka;
    banka.addEllipse(stred, polomer, polomer);
    QPainterPath hrdlo;
    hrdlo.addRect(QRectF(stred.x() - 5, oblast.top() + 4, 10, stred.y() - oblast.top() - polomer + 6));
    const QPainterPath obrys = banka.united(hrdlo);

    QLinearGradient lektvar(stred.x(), stred.y() - polomer, stred.x(), stred.y() + polomer);
    lektvar.setColorAt(0.0, QColor(120, 230, 160));
    lektvar.setColorAt(1.0, QColor(20, 110, 70));
    QPainterPath hladina;
    hladina.addRect(QRectF(oblast.left(), stred.y() - polomer / 3, oblast.width(), oblast.height()));
    p.fillPath(banka.intersected(hladina), lektvar);
    p.setPen(QPen(QColor(40, 40, 90), 2));
    p.drawPath(obrys);
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(stred.x() - 6, oblast.top(), 12, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(stred.x() - polomer / 2.5, stred.y() - polomer / 3), 4, 6);
}

} // namespace

void TLogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient pozadi(0, 0, 0, height());
    pozadi.setColorAt(0.0, QColor(250, 246, 230));
    pozadi.setColorAt(1.0, QColor(225, 215, 180));
    p.fillRect(rect(), pozadi);

    nakresliBanku(p, QRectF(8, 6, 48, 78));

    QFont titul(QStringLiteral("Times New Roman"));
    titul.setPixelSize(30);
    titul.setBold(true);
    titul.setItalic(true);
    p.setFont(titul);
    p.setPen(QColor(60, 30, 100));
    p.drawText(QRectF(62, 8, 205, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Mixorův"));
    QFont podtitul(QStringLiteral("Arial"));
    podtitul.setPixelSize(18);
    podtitul.setBold(true);
    p.setFont(podtitul);
    p.setPen(QColor(20, 110, 70));
    p.drawText(QRectF(64, 46, 205, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("průvodce 2"));
}
