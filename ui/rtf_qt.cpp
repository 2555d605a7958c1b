#include "rtf_qt.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

std::u32string Ucs4(const QString& text)
{
    std::u32string out;
    for (const char32_t c : text.toUcs4())
        out += c;
    return out;
}

// A font's size in points; pixels count at 96 per inch.
qreal BodyPisma(const QFont& pismo, qreal jinak)
{
    if (pismo.pointSizeF() > 0)
        return pismo.pointSizeF();
    if (pismo.pixelSize() > 0)
        return pismo.pixelSize() * 72.0 / 96.0;
    return jinak;
}

// The Qt format of a pasted character as the notebook keeps it.
QTextCharFormat VlozenyFormat(QTextCharFormat format)
{
    // <font size=5 style="font-size:18pt">: the size the source meant is 18 pt.
    if (format.hasProperty(QTextFormat::FontPointSize) || format.hasProperty(QTextFormat::FontPixelSize))
        format.clearProperty(QTextFormat::FontSizeAdjustment);
    return format;
}

constexpr char16_t kObjekt = 0xFFFC;  // an image or other object

} // namespace

qreal BodyZnaku(const QTextCharFormat& format, const QFont& vychozi)
{
    const qreal vychoziBody = BodyPisma(vychozi, 10);
    if (format.hasProperty(QTextFormat::FontSizeAdjustment)) {
        // HTML's sizes 1 to 7 (3 the default) scale the default font as Qt does.
        static constexpr qreal kNasobky[7] = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
        const int velikost = std::clamp(format.intProperty(QTextFormat::FontSizeAdjustment) + 3 - 1, 0, 6);
        return kNasobky[velikost] * vychoziBody;
    }
    return BodyPisma(format.font().resolve(vychozi), vychoziBody);
}

TZnakovyFormat FormatZQt(const QTextCharFormat& format, const QFont& vychozi)
{
    TZnakovyFormat f;
    const QStringList rodiny = format.fontFamilies().toStringList();
    f.Pismo = (rodiny.isEmpty() ? vychozi.family() : rodiny.first()).toStdString();
    f.ZnakovaSada = format.intProperty(kVlastnostZnakovaSada);
    f.PulBody = static_cast<int>(std::lround(BodyZnaku(format, vychozi) * 2));
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

namespace {

// A document's runs as they are read: a long notebook has hundreds of
// thousands of fragments but few formats, so each format is converted once
// and a run of the same format as the one before joins it.
class TSberUseku {
public:
    explicit TSberUseku(const QTextDocument& text) : vychozi_(text.defaultFont()), vsechnyFormaty_(text.allFormats())
    {
    }

    void pridej(const QString& text, int indexFormatu)
    {
        auto znamy = formaty_.find(indexFormatu);
        if (znamy == formaty_.end()) {
            const QTextCharFormat format = vsechnyFormaty_.value(indexFormatu).toCharFormat();
            znamy = formaty_.emplace(indexFormatu, FormatZQt(format, vychozi_)).first;
        }
        if (!dokument_.Useky.empty() && dokument_.Useky.back().Format == znamy->second)
            dokument_.Useky.back().Text += Ucs4(text);
        else
            dokument_.Useky.push_back(TUsek{Ucs4(text), znamy->second});
    }

    TDokument dokument() { return Normalizuj(std::move(dokument_)); }

private:
    const QFont vychozi_;
    const QList<QTextFormat> vsechnyFormaty_;
    std::unordered_map<int, TZnakovyFormat> formaty_;
    TDokument dokument_;
};

} // namespace

TDokument DokumentZTextu(const QTextDocument& text)
{
    TSberUseku useky(text);
    for (QTextBlock blok = text.begin(); blok.isValid(); blok = blok.next()) {
        // The block separator before a block carries the block's char format.
        if (blok != text.begin())
            useky.pridej(QStringLiteral("\n"), blok.charFormatIndex());
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            if (kus.isValid())
                useky.pridej(kus.text(), kus.charFormatIndex());
        }
    }
    return useky.dokument();
}

namespace {

// Builds the notebook's document of a pasted one, paragraph by paragraph.
class TVkladani {
public:
    explicit TVkladani(const QFont& vychozi) : vychozi_(vychozi) {}

    // The paragraphs of a frame, tables as one paragraph a row.
    void ramec(const QTextFrame& obal)
    {
        std::vector<QTextFrame::iterator> casti;
        for (auto it = obal.begin(); !it.atEnd(); ++it)
            casti.push_back(it);
        for (std::size_t i = 0; i < casti.size(); ++i) {
            if (const QTextFrame* vnoreny = casti[i].currentFrame()) {
                if (const auto* tabulka = qobject_cast<const QTextTable*>(vnoreny))
                    tabulkaPoRadcich(*tabulka);
                else
                    ramec(*vnoreny);
                continue;
            }
            const QTextBlock blok = casti[i].currentBlock();
            // Qt keeps an empty block after every frame and before one that
            // starts its parent: no paragraphs of the source.
            const bool uRamce = (i == 0 && casti.size() > 1 && casti[1].currentFrame() != nullptr) ||
                                (i > 0 && casti[i - 1].currentFrame() != nullptr);
            if (blok.isValid() && !(uRamce && blok.length() <= 1)) {
                zacniOdstavec(formatOdstavce(blok));
                blokDoOdstavce(blok);
            }
        }
    }

    TDokument dokument() { return Normalizuj(std::move(dokument_)); }

private:
    void tabulkaPoRadcich(const QTextTable& tabulka)
    {
        for (int radek = 0; radek < tabulka.rows(); ++radek) {
            zacniOdstavec(formatOdstavce(tabulka.cellAt(radek, 0).firstCursorPosition().block()));
            radekTabulky(tabulka, radek);
        }
    }

    // Cells between tabs; a cell spanning columns keeps the tabs of the
    // columns it covers, so the cells after it stay in their columns.
    void radekTabulky(const QTextTable& tabulka, int radek)
    {
        for (int sloupec = 0; sloupec < tabulka.columns(); ++sloupec) {
            if (sloupec > 0)
                pridej(U"\t", formatPosledniho());
            const QTextTableCell bunka = tabulka.cellAt(radek, sloupec);
            if (bunka.row() == radek && bunka.column() == sloupec)
                obsahBunky(bunka.begin(), bunka.end());
        }
    }

    // Everything in a cell on the row's one line: its paragraphs joined by
    // spaces, a table within it row after row; empty paragraphs add nothing.
    void obsahBunky(QTextFrame::iterator od, QTextFrame::iterator po)
    {
        bool prvni = true;
        for (auto it = od; it != po; ++it) {
            if (it.currentFrame() == nullptr && it.currentBlock().length() <= 1)
                continue;
            if (!prvni)
                pridej(U" ", formatPosledniho());
            prvni = false;
            if (const QTextFrame* vnoreny = it.currentFrame()) {
                if (const auto* tabulka = qobject_cast<const QTextTable*>(vnoreny)) {
                    for (int radek = 0; radek < tabulka->rows(); ++radek) {
                        if (radek > 0)
                            pridej(U" ", formatPosledniho());
                        radekTabulky(*tabulka, radek);
                    }
                } else {
                    obsahBunky(vnoreny->begin(), vnoreny->end());
                }
            } else if (it.currentBlock().isValid()) {
                blokDoOdstavce(it.currentBlock());
            }
        }
    }

    // A block's text: list marker, its characters, no objects, no line
    // break at its end.
    void blokDoOdstavce(const QTextBlock& blok)
    {
        if (const QTextList* seznam = blok.textList()) {
            const TZnakovyFormat format = formatOdstavce(blok);
            const int odsazeni = std::max(1, seznam->format().indent());
            pridej(std::u32string(static_cast<std::size_t>(odsazeni - 1), U'\t'), format);
            pridej(Ucs4(znackaPolozky(*seznam, blok)) + U'\t', format);
        }
        std::vector<TUsek> useky;
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            const QTextCharFormat format = kus.charFormat();
            if (!kus.isValid() || format.isImageFormat() || format.objectType() != QTextFormat::NoObject)
                continue;
            QString text = kus.text();
            text.remove(QChar(kObjekt));
            useky.push_back(TUsek{Ucs4(text), zVlozeneho(format)});
        }
        while (!useky.empty() && useky.back().Text.empty())
            useky.pop_back();
        if (!useky.empty() && useky.back().Text.back() == U'\u2028')
            useky.back().Text.pop_back();
        for (TUsek& usek : useky)
            pridej(usek.Text, usek.Format);
    }

    static QString znackaPolozky(const QTextList& seznam, const QTextBlock& blok)
    {
        switch (seznam.format().style()) {
        case QTextListFormat::ListDisc:
        case QTextListFormat::ListCircle:
        case QTextListFormat::ListSquare:
            return QStringLiteral("\u2022");
        default:
            return seznam.itemText(blok);
        }
    }

    // A paragraph's own format: its first character's, or an empty one's.
    TZnakovyFormat formatOdstavce(const QTextBlock& blok) const
    {
        for (auto it = blok.begin(); !it.atEnd(); ++it) {
            const QTextFragment kus = it.fragment();
            if (kus.isValid() && !kus.charFormat().isImageFormat() && kus.charFormat().objectType() == QTextFormat::NoObject)
                return zVlozeneho(kus.charFormat());
        }
        return zVlozeneho(blok.charFormat());
    }

    TZnakovyFormat zVlozeneho(const QTextCharFormat& format) const
    {
        TZnakovyFormat f = FormatZQt(VlozenyFormat(format), vychozi_);
        f.Chranene = false;
        return f;
    }

    TZnakovyFormat formatPosledniho() const
    {
        return dokument_.Useky.empty() ? TZnakovyFormat{} : dokument_.Useky.back().Format;
    }

    void zacniOdstavec(const TZnakovyFormat& format)
    {
        if (odstavcu_++ > 0)
            pridej(U"\n", format);
    }

    void pridej(std::u32string text, const TZnakovyFormat& format)
    {
        if (!text.empty())
            dokument_.Useky.push_back(TUsek{std::move(text), format});
    }

    QFont vychozi_;
    TDokument dokument_;
    int odstavcu_ = 0;
};

} // namespace

TDokument DokumentZVlozeneho(const QTextDocument& vlozeny)
{
    TVkladani vkladani(vlozeny.defaultFont());
    vkladani.ramec(*vlozeny.rootFrame());
    return vkladani.dokument();
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
