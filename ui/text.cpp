#include "text.h"

#include "cp1250.h"

QString ZCp1250(std::string_view text)
{
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* znak = out.data();
    for (const char c : text)
        *znak++ = QChar(static_cast<char16_t>(ZnakZCp1250(static_cast<unsigned char>(c))));
    return out;
}

std::string DoCp1250(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const int bajt = BajtCp1250(c.unicode());
        out += bajt < 0 ? '?' : static_cast<char>(bajt);
    }
    return out;
}

TZnackaAJmeno RozdelZnacku(const QString& text)
{
    const auto zavorka = text.indexOf(QLatin1Char(']'));
    if (zavorka < 0)
        return {QString(), text};
    return {text.left(zavorka + 1), text.mid(zavorka + 2)};
}

QString BezZnacky(const QString& text)
{
    return RozdelZnacku(text).Jmeno;
}

QString TextZadne()
{
    return QStringLiteral("žádné");
}
