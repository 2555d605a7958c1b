#include "rtf_qt.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

namespace {

std::u32string Ucs4(const QString& text)
{
    std::u32string out;
    for (const char32_t c : text.toUcs4())
        out += c;
    return out;
}

int PulBody(const QTextCharFormat& format, const QFont& vychozi)
{
    qreal body = format.fontPointSize();
    if (body <= 0)
        body = vychozi.pointSizeF();
    if (body <= 0)
        body = 10;  // a default font sized in pixels has no point size
    return static_cast<int>(std::lround(body * 2));
}

TZnakovyFormat FormatZQt(const QTextCharFormat& format, const QFont& vychozi)
{
    TZnakovyFormat f;
    const QStringList rodiny = format.fontFamilies().toStringList();
    f.Pismo = (rodiny.isEmpty() ? vychozi.family() : rodiny.first()).toStdString();
    f.ZnakovaSada = format.intProperty(kVlastnostZnakovaSada);
    f.PulBody = PulBody(format, vychozi);
    const QBrush popredi = format.foreground();
    f.Barva = popredi.style() == Qt::NoBrush ? 0 : popredi.color().rgb() & 0xFFFFFF;
    // Semibold counts: older Qt wrote bold HTML as weight 600.
    f.Tucne = format.fontWeight() >= QFont::DemiBold;
    f.Kurziva = format.fontItalic();
    f.Podtrzene = format.fontUnderline();
    f.Preskrtnute = format.fontStrikeOut();
    f.Chranene = format.boolProperty(kVlastnostChranene);
    return f;
}

} // namespace

QTextCharFormat FormatDoQt(const TZnakovyFormat& f)
{
    QTextCharFormat format;
    format.setFontFamilies({QString::fromStdString(f.Pismo)});
    format.setFontPointSize(f.PulBody / 2.0);
    format.setFontWeight(f.Tucne ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.Kurziva);
    format.setFontUnderline(f.Podtrzene);
    format.setFontStrikeOut(f.Preskrtnute);
    format.setForeground(QColor::fromRgb(static_cast<QRgb>(0xFF000000u | f.Barva)));
    format.setProperty(kVlastnostChranene, f.Chranene);
    format.setProperty(kVlastnostZnakovaSada, f.ZnakovaSada);
    return format;
}

TDokument DokumentZTextu(const QTextDocument& text)
{
    const QFont vychozi = text.defaultFont();
    TDokument dokument;
    for (QTextBlock blok = text.begin(); blok.isValid(); blok = blok.next()) {
        // The block separator before a block carries the block's char format.
        if (blok != text.begin())
            dokument.Useky.push_back(TUsek{U"\n", FormatZQt(blok.charFormat(), vychozi)});
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            if (kus.isValid())
                dokument.Useky.push_back(TUsek{Ucs4(kus.text()), FormatZQt(kus.charFormat(), vychozi)});
        }
    }
    return Normalizuj(std::move(dokument));
}

void VlozDokument(QTextCursor& kurzor, const TDokument& dokument)
{
    kurzor.beginEditBlock();
    for (const TUsek& usek : dokument.Useky) {
        const QTextCharFormat format = FormatDoQt(usek.Format);
        std::size_t zacatek = 0;
        while (zacatek <= usek.Text.size()) {
            std::size_t konec = usek.Text.find(U'\n', zacatek);
            if (konec == std::u32string::npos)
                konec = usek.Text.size();
            if (konec > zacatek) {
                const std::u32string_view kus(usek.Text.data() + zacatek, konec - zacatek);
                kurzor.insertText(QString::fromUcs4(kus.data(), static_cast<qsizetype>(kus.size())), format);
            }
            if (konec < usek.Text.size())
                kurzor.insertBlock(kurzor.blockFormat(), format);
            zacatek = konec + 1;
        }
    }
    kurzor.endEditBlock();
}
