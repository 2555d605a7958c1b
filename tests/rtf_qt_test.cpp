// The notebook's QTextDocument <-> RTF document conversion.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <vector>

#include "rtf_qt.h"

namespace {

QTextCharFormat Format(const QString& pismo, qreal body)
{
    QTextCharFormat f;
    f.setFontFamilies({pismo});
    f.setFontPointSize(body);
    return f;
}

// A notebook page as a user would make it: every attribute, Czech letters,
// characters outside Windows-1250, tabs and an empty paragraph.
void NaplnStranku(QTextDocument& dokument)
{
    QTextCursor k(&dokument);
    k.insertText(QStringLiteral("Výchozí text\t"));
    QTextCharFormat f = Format(QStringLiteral("DejaVu Serif"), 14);
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(0xC0, 0x10, 0x20));
    k.insertText(QStringLiteral("Řeřicha "), f);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    k.insertText(QStringLiteral("kořen {\\} "), f);
    f = Format(QStringLiteral("Liberation Mono"), 9.5);
    f.setFontStrikeOut(true);
    f.setProperty(kVlastnostZnakovaSada, 238);
    k.insertText(QStringLiteral("ŽLUŤOUČKÝ"), f);
    f.setProperty(kVlastnostChranene, true);
    k.insertBlock(QTextBlockFormat(), f);  // a paragraph end that is itself protected
    k.insertBlock(QTextBlockFormat(), Format(QStringLiteral("Arial"), 30));
    f = Format(QStringLiteral("Arial"), 12);
    f.setForeground(QColor(0, 0, 255));
    k.insertText(QString::fromUtf8("€ 中 😀 ů"), f);
}

struct TVlastnosti {
    QString Pismo;
    qreal Body;
    bool Tucne, Kurziva, Podtrzene, Preskrtnute, Chranene;
    int Sada;
    QRgb Barva;
    bool operator==(const TVlastnosti&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TVlastnosti& v)
{
    return os << v.Pismo.toStdString() << " " << v.Body << (v.Tucne ? " B" : "") << (v.Kurziva ? " I" : "")
              << (v.Podtrzene ? " U" : "") << (v.Preskrtnute ? " S" : "") << (v.Chranene ? " P" : "") << " sada "
              << v.Sada << " #" << std::hex << v.Barva << std::dec;
}

// What the editor shows of the character at a position, read with Qt alone.
TVlastnosti VlastnostiZnaku(const QTextDocument& dokument, int pozice)
{
    QTextCursor k(const_cast<QTextDocument*>(&dokument));
    k.setPosition(pozice);
    k.setPosition(pozice + 1, QTextCursor::KeepAnchor);
    const QTextCharFormat f = k.charFormat();
    const QStringList rodiny = f.fontFamilies().toStringList();
    return {rodiny.isEmpty() ? QString() : rodiny.first(),
            f.fontPointSize(),
            f.fontWeight() >= QFont::Bold,
            f.fontItalic(),
            f.fontUnderline(),
            f.fontStrikeOut(),
            f.boolProperty(kVlastnostChranene),
            f.intProperty(kVlastnostZnakovaSada),
            f.foreground().color().rgb()};
}

TEST(RtfQt, PageSurvivesRtfAndComesBackCharacterByCharacter)
{
    QTextDocument puvodni;
    NaplnStranku(puvodni);
    const TDokument model = DokumentZTextu(puvodni);
    const TDokument precteny = CtiRtf(ZapisRtf(model));
    EXPECT_EQ(precteny, model);

    QTextDocument obnoveny;
    QTextCursor k(&obnoveny);
    VlozDokument(k, precteny);
    ASSERT_EQ(obnoveny.toPlainText(), puvodni.toPlainText());
    EXPECT_EQ(obnoveny.blockCount(), 3);
    // Explicitly formatted characters; the first run has the default format.
    for (int i = QStringLiteral("Výchozí text\t").size(); i < puvodni.characterCount() - 1; ++i)
        EXPECT_EQ(VlastnostiZnaku(obnoveny, i), VlastnostiZnaku(puvodni, i)) << "position " << i;
    EXPECT_EQ(DokumentZTextu(obnoveny), model);
}

TEST(RtfQt, ModelOfAPageHasTheAttributesTheUserSet)
{
    QTextDocument stranka;
    NaplnStranku(stranka);
    const TDokument d = DokumentZTextu(stranka);
    std::u32string text;
    for (const TUsek& usek : d.Useky)
        text += usek.Text;
    EXPECT_EQ(text, U"Výchozí text\tŘeřicha kořen {\\} ŽLUŤOUČKÝ\n\n€ 中 😀 ů");

    // The format of the first character of a text.
    const auto format = [&d, &text](std::u32string_view hledany) {
        std::size_t kde = text.find(hledany);
        EXPECT_NE(kde, std::u32string::npos);
        for (const TUsek& usek : d.Useky) {
            if (kde < usek.Text.size())
                return usek.Format;
            kde -= usek.Text.size();
        }
        return TZnakovyFormat{};
    };
    EXPECT_EQ(format(U"Řeřicha"), (TZnakovyFormat{.Pismo = "DejaVu Serif", .PulBody = 28, .Barva = 0xC01020,
                                                 .Tucne = true}));
    EXPECT_EQ(format(U"kořen"), (TZnakovyFormat{.Pismo = "DejaVu Serif", .PulBody = 28, .Barva = 0xC01020,
                                               .Tucne = true, .Kurziva = true, .Podtrzene = true}));
    EXPECT_EQ(format(U"ŽLUŤOUČKÝ"),
              (TZnakovyFormat{.Pismo = "Liberation Mono", .ZnakovaSada = 238, .PulBody = 19, .Preskrtnute = true}));
    EXPECT_EQ(format(U"\n\n"), (TZnakovyFormat{.Pismo = "Liberation Mono", .ZnakovaSada = 238,
                                                      .PulBody = 19, .Preskrtnute = true, .Chranene = true}));
    EXPECT_EQ(format(U"\n€"), (TZnakovyFormat{.Pismo = "Arial", .PulBody = 60}));
    EXPECT_EQ(format(U"😀"), (TZnakovyFormat{.Pismo = "Arial", .PulBody = 24, .Barva = 0x0000FF}));
}

TEST(RtfQt, UnsetAttributesComeFromTheDocumentDefaults)
{
    QTextDocument stranka;
    stranka.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    QTextCursor k(&stranka);
    k.insertText(QStringLiteral("prostý"));
    QTextCharFormat f;
    f.setFontPointSize(10.3);  // rounds to 21 half points
    f.setFontWeight(QFont::DemiBold);
    k.insertText(QStringLiteral("polotučný"), f);
    f.setFontWeight(QFont::Medium);
    k.insertText(QStringLiteral("střední"), f);

    const TDokument d = DokumentZTextu(stranka);
    ASSERT_EQ(d.Useky.size(), 3u);
    EXPECT_EQ(d.Useky[0].Format, (TZnakovyFormat{.Pismo = "DejaVu Sans", .PulBody = 22}));
    EXPECT_EQ(d.Useky[1].Format, (TZnakovyFormat{.Pismo = "DejaVu Sans", .PulBody = 21, .Tucne = true}));
    EXPECT_EQ(d.Useky[2].Format, (TZnakovyFormat{.Pismo = "DejaVu Sans", .PulBody = 21}));
}

TEST(RtfQt, InsertedDocumentReadsBackTheSame)
{
    const TZnakovyFormat tucne{.Pismo = "Liberation Sans", .PulBody = 24, .Barva = 0x336699, .Tucne = true};
    const TZnakovyFormat chranene{.Pismo = "Liberation Serif", .ZnakovaSada = 238, .PulBody = 17,
                                  .Kurziva = true, .Podtrzene = true, .Preskrtnute = true, .Chranene = true};
    const TDokument d{{{U"\n", tucne},
                       {U"první\t", {}},
                       {U"řádek\n\n", tucne},
                       {U"třetí", chranene},
                       {U"\n", {}},
                       {U"😀\n", chranene}}};
    QTextDocument stranka;
    QTextCursor k(&stranka);
    VlozDokument(k, d);
    EXPECT_EQ(stranka.blockCount(), 6);
    EXPECT_EQ(DokumentZTextu(stranka), Normalizuj(d));
}

TEST(RtfQt, InsertsAtTheCursorInsideExistingText)
{
    QTextDocument stranka;
    stranka.setPlainText(QStringLiteral("AB"));
    QTextCursor k(&stranka);
    k.setPosition(1);
    VlozDokument(k, {{{U"x\ny", {.Tucne = true}}}});
    EXPECT_EQ(stranka.toPlainText(), QStringLiteral("Ax\nyB"));
    EXPECT_EQ(k.position(), 4);
    EXPECT_TRUE(VlastnostiZnaku(stranka, 1).Tucne);
    EXPECT_FALSE(VlastnostiZnaku(stranka, 4).Tucne);
}

// ------------------------------------------------------------ pasting

// Sizes as Qt lays them out, whichever way a format gives them.
TEST(RtfQt, SizeOfAFormatIsTheOneQtShows)
{
    QFont vychozi(QStringLiteral("Arial"));
    vychozi.setPointSize(10);
    std::vector<QTextCharFormat> formaty;
    QTextCharFormat f;
    formaty.push_back(f);
    f.setFontPointSize(13.5);
    formaty.push_back(f);
    for (const int px : {9, 16, 24, 33}) {
        QTextCharFormat p;
        p.setProperty(QTextFormat::FontPixelSize, px);
        formaty.push_back(p);
    }
    for (int posun = -4; posun <= 6; ++posun) {
        QTextCharFormat r;
        r.setProperty(QTextFormat::FontSizeAdjustment, posun);
        formaty.push_back(r);
        r.setFontPointSize(30);  // Qt shows the relative size even so
        formaty.push_back(r);
    }
    QTextDocument dokument;
    dokument.setDefaultFont(vychozi);
    QTextCursor k(&dokument);
    for (const QTextCharFormat& format : formaty)
        k.insertText(QStringLiteral("x"), format);
    int i = 0;
    for (auto it = dokument.begin().begin(); !it.atEnd(); ++it) {
        for (int znak = 0; znak < it.fragment().length(); ++znak, ++i) {
            const QFont ukazane = it.fragment().charFormat().font();
            const qreal body = ukazane.pointSizeF() > 0 ? ukazane.pointSizeF() : ukazane.pixelSize() * 0.75;
            EXPECT_DOUBLE_EQ(BodyZnaku(formaty[static_cast<std::size_t>(i)], vychozi), body) << "format " << i;
            EXPECT_DOUBLE_EQ(BodyZnaku(it.fragment().charFormat(), vychozi), body) << "format " << i;
        }
    }
    EXPECT_EQ(i, static_cast<int>(formaty.size()));
}

TDokument ZHtml(const QString& html)
{
    QTextDocument dokument;
    QFont vychozi(QStringLiteral("Arial"));
    vychozi.setPointSize(10);
    dokument.setDefaultFont(vychozi);
    QTextCursor(&dokument).insertFragment(QTextDocumentFragment::fromHtml(html));
    return DokumentZVlozeneho(dokument);
}

std::u32string TextDokumentu(const TDokument& d)
{
    std::u32string text;
    for (const TUsek& usek : d.Useky)
        text += usek.Text;
    return text;
}

TEST(RtfQt, PastedStructureBecomesParagraphsAndTabs)
{
    // A table alone: no empty paragraphs around it; a table in a cell row
    // after row on the cell's line.
    EXPECT_EQ(TextDokumentu(ZHtml(QStringLiteral("<table><tr><td>a</td><td><table><tr><td>x</td><td>y</td></tr>"
                                                 "<tr><td>z</td><td>w</td></tr></table></td></tr></table>"))),
              U"a\tx\ty z\tw");
    // Text around a table keeps its paragraphs.
    EXPECT_EQ(TextDokumentu(ZHtml(QStringLiteral("<p>před</p><table><tr><td>1</td></tr></table><p>po</p>"))),
              U"před\n1\npo");
    // A last <br> ends its paragraph; more of them make lines; a paragraph
    // of a <br> alone is an empty line.
    EXPECT_EQ(TextDokumentu(ZHtml(QStringLiteral("<p>a<br></p><p>b<br><br></p><p><br></p><p>c</p>"))),
              U"a\nb\u2028\n\nc");
    // Nested and numbered lists.
    EXPECT_EQ(TextDokumentu(ZHtml(QStringLiteral("<ol type=a><li>x<ol><li>y</li></ol></li></ol>"))),
              U"a.\tx\n\t1.\ty");
}

TEST(RtfQt, PastedFormatsAreTheOnesShownAndNeverProtected)
{
    const TDokument d = ZHtml(QStringLiteral(
        "<p style=\"font-size:12pt\"><span style=\"font-family:'Courier New'; color:#336699\"><b><i><u><s>vše</s></u>"
        "</i></b></span><font size=1 style=\"font-size:9pt\">malé</font></p><p><span style=\"font-size:32px\"></span></p>"));
    ASSERT_EQ(TextDokumentu(d), U"všemalé\n");
    EXPECT_EQ(d.Useky[0].Format, (TZnakovyFormat{.Pismo = "Courier New", .PulBody = 24, .Barva = 0x336699,
                                                 .Tucne = true, .Kurziva = true, .Podtrzene = true,
                                                 .Preskrtnute = true}));
    // An explicit size given beside <font size> is the size meant.
    EXPECT_EQ(d.Useky[1].Format.PulBody, 18);
    EXPECT_FALSE(d.Useky[1].Format.Chranene);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication aplikace(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
