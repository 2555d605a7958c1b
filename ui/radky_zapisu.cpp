#include "radky_zapisu.h"

#include <algorithm>

#include "seznamy.h"

namespace {

const QString kTab = QStringLiteral("\t");

} // namespace

QString CeskeCislo(std::size_t cislo)
{
    QString cislice = QString::number(cislo);
    for (qsizetype kde = cislice.size() - 3; kde > 0; kde -= 3)
        cislice.insert(kde, QChar(0x00A0));
    return cislice;
}

QString TextNezapsanych(std::size_t pocet)
{
    const QString cislo = CeskeCislo(pocet);
    if (pocet == 1)
        return QStringLiteral("… a další %1 řádek nezapsán").arg(cislo);
    if (pocet >= 2 && pocet <= 4)
        return QStringLiteral("… a další %1 řádky nezapsány").arg(cislo);
    return QStringLiteral("… a dalších %1 řádků nezapsáno").arg(cislo);
}

QStringList RadkyZapisu(std::size_t radku, std::size_t celkem, std::size_t nejvic,
                        const std::function<QString(int radek)>& text)
{
    const std::size_t zapsat = std::min(radku, nejvic);
    QStringList radky;
    radky.reserve(static_cast<qsizetype>(zapsat) + 1);
    for (std::size_t i = 0; i < zapsat; ++i)
        radky << kTab + text(static_cast<int>(i));
    if (celkem > zapsat)
        radky << kTab + TextNezapsanych(celkem - zapsat);
    return radky;
}

QString TextRadkuZapisu(const TListBox& seznam, int radek)
{
    return ZacatekProPopisek(seznam.ZacatekTextu(radek, kNejvicZnakuPopisku + 1));
}
