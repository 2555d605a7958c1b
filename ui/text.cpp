#include "text.h"

#include <QList>

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
    // By code points: a character beyond U+FFFF is one character, one '?'.
    for (const char32_t c : text.toUcs4()) {
        const int bajt = BajtCp1250(c);
        out += bajt < 0 ? '?' : static_cast<char>(bajt);
    }
    return out;
}

QString TextZadne()
{
    return QStringLiteral("žádné");
}
