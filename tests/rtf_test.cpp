// The notebook's RTF writer and reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <regex>

#include "cp1250.h"
#include "rtf.h"
#include "test_support.h"

namespace {


// The whole text of a document.
std::u32string Text(const TDokument& dokument)
{
    std::u32string out;
    for (const TUsek& usek : dokument.Useky)
        out += usek.Text;
    return out;
}

// The format of the n-th character.
TZnakovyFormat FormatZnaku(const TDokument& dokument, std::size_t n)
{
    for (const TUsek& usek : dokument.Useky) {
        if (n < usek.Text.size())
            return usek.Format;
        n -= usek.Text.size();
    }
    ADD_FAILURE() << "no character " << n;
    return {};
}

// The one format of a text, which must occur exactly once.
TZnakovyFormat FormatTextu(const TDokument& dokument, std::u32string_view hledany)
{
    const std::u32string text = Text(dokument);
    const auto kde = text.find(hledany);
    EXPECT_NE(kde, std::u32string::npos) << Utf8ZUtf32(hledany);
    EXPECT_EQ(text.find(hledany, kde + 1), std::u32string::npos) << Utf8ZUtf32(hledany);
    if (kde == std::u32string::npos)
        return {};
    const TZnakovyFormat prvni = FormatZnaku(dokument, kde);
    for (std::size_t i = 1; i < hledany.size(); ++i)
        EXPECT_EQ(FormatZnaku(dokument, kde + i), prvni) << "character " << i << " of " << Utf8ZUtf32(hledany);
    return prvni;
}

// Writes, reads back and writes again: both must agree with the normal form.
void OverOkruh(const TDokument& dokument)
{
    const std::string rtf = ZapisRtf(dokument);
    const TDokument precteny = CtiRtf(rtf);
    EXPECT_EQ(precteny, Normalizuj(dokument)) << rtf;
    EXPECT_EQ(ZapisRtf(precteny), rtf);
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "non-ASCII byte in " << rtf;
}

TZnakovyFormat Vse()
{
    return {.Pismo = "Times New Roman", .ZnakovaSada = 238, .PulBody = 31, .Barva = 0x12AB34,
            .Tucne = true, .Kurziva = true, .Podtrzene = true, .Preskrtnute = true, .Chranene = true};
}

} // namespace

void PrintTo(const TZnakovyFormat& f, std::ostream* os)
{
    char barva[8];
    std::snprintf(barva, sizeof barva, "%06X", static_cast<unsigned>(f.Barva));
    *os << "[" << f.Pismo << "/" << f.ZnakovaSada << " " << f.PulBody << " #" << barva << (f.Tucne ? " B" : "")
        << (f.Kurziva ? " I" : "") << (f.Podtrzene ? " U" : "") << (f.Preskrtnute ? " S" : "")
        << (f.Chranene ? " P" : "") << "]";
}

void PrintTo(const TDokument& dokument, std::ostream* os)
{
    for (const TUsek& usek : dokument.Useky) {
        PrintTo(usek.Format, os);
        *os << "\"" << Utf8ZUtf32(usek.Text) << "\" ";
    }
}

namespace {

// ------------------------------------------------------------ round trips

TEST(RtfOkruh, EveryAttributeAloneAndTogether)
{
    TDokument d;
    d.Useky.push_back({U"obyčejný ", {}});
    d.Useky.push_back({U"tučný ", {.Tucne = true}});
    d.Useky.push_back({U"kurzíva ", {.Kurziva = true}});
    d.Useky.push_back({U"podtržený ", {.Podtrzene = true}});
    d.Useky.push_back({U"přeškrtnutý ", {.Preskrtnute = true}});
    d.Useky.push_back({U"chráněný ", {.Chranene = true}});
    d.Useky.push_back({U"velký ", {.PulBody = 48}});
    d.Useky.push_back({U"lichý ", {.PulBody = 17}});
    d.Useky.push_back({U"červený ", {.Barva = 0xFF0000}});
    d.Useky.push_back({U"jiné písmo ", {.Pismo = "Courier New"}});
    d.Useky.push_back({U"jiná sada ", {.ZnakovaSada = 238}});
    d.Useky.push_back({U"všechno", Vse()});
    d.Useky.push_back({U" zase nic", {}});
    OverOkruh(d);
    const TDokument precteny = CtiRtf(ZapisRtf(d));
    EXPECT_EQ(FormatTextu(precteny, U"všechno"), Vse());
    EXPECT_EQ(FormatTextu(precteny, U"jiná sada"), (TZnakovyFormat{.ZnakovaSada = 238}));
    EXPECT_EQ(FormatTextu(precteny, U" zase nic"), TZnakovyFormat{});
}

TEST(RtfOkruh, CzechLettersAndCharactersOutsideTheCodePage)
{
    const TDokument d{{{U"Příliš žluťoučký kůň úpěl ďábelské ódy. ŘČŠŽŮĚ ŤĎŇ ÁÉÍÓÚÝ", {}},
                       {U" € 中文 😀 \U0010FFFF \u00A0\uFFFD", {.Tucne = true}}}};
    OverOkruh(d);
    const std::string rtf = ZapisRtf(d);
    // Unicode with the Windows-1250 byte for readers without it, or '?' as a byte.
    EXPECT_THAT(rtf, testing::HasSubstr("P\\u345\\'f8\\u237\\'edli\\u353\\'9a"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\u344\\'d8\\u268\\'c8"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\u8364\\'80 \\u20013\\'3f\\u25991\\'3f"));
    // Beyond U+FFFF: a surrogate pair, each half with its own fallback.
    EXPECT_THAT(rtf, testing::HasSubstr("\\u-10179\\'3f\\u-8704\\'3f"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\u-9217\\'3f\\u-8193\\'3f"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\u160\\'a0\\u-3\\'3f"));
}

TEST(RtfOkruh, TabsParagraphsBracesAndControlCharacters)
{
    const TDokument d{{{U"\n\nA\tB\t\t\n\n\n{x}\\y\\}; a;b", {}},
                       {U"\n", {.PulBody = 60}},  // a paragraph end of its own size
                       {U"\r\x01\x7F\x1F~", {.Kurziva = true}},
                       {U"konec\n", {}}}};
    OverOkruh(d);
    const std::string rtf = ZapisRtf(d);
    EXPECT_THAT(rtf, testing::HasSubstr("A\\tab B\\tab \\tab \\par\n\\plain\\f0\\fs20\\cf1 \\par\n"
                                        "\\plain\\f0\\fs20\\cf1 \\par\n\\plain\\f0\\fs20\\cf1 \\{x\\}\\\\y\\\\\\}; a;b"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\'0d\\'01\\'7f\\'1f~"));
}

TEST(RtfOkruh, LineBreaksWithinAParagraphAreLineControlWords)
{
    const TDokument d{{{U"první\u2028druhý\n\u2028", {}}, {U"\u2028\u2028", {.Tucne = true}}}};
    OverOkruh(d);
    const std::string rtf = ZapisRtf(d);
    EXPECT_THAT(rtf, testing::HasSubstr("prvn\\u237\\'ed\\line druh"));
    EXPECT_THAT(rtf, testing::HasSubstr("\\line \\plain\\f0\\fs20\\cf1\\b \\line \\line }"));
    EXPECT_EQ(rtf.find("8232"), std::string::npos);
}

TEST(RtfOkruh, ManyColoursAndFontsEachGetTheirOwnEntry)
{
    TDokument d;
    for (std::uint32_t i = 0; i < 300; ++i) {
        TZnakovyFormat f{.Pismo = "Písmo " + std::to_string(i % 40), .ZnakovaSada = i % 3 == 0 ? 238 : 0,
                         .PulBody = 12 + static_cast<int>(i % 9), .Barva = (i << 12) | i};
        d.Useky.push_back({U"úsek " + std::u32string(1, U'a' + i % 26), f});
    }
    OverOkruh(d);
    const std::string rtf = ZapisRtf(d);
    const auto pocet = [&rtf](std::string_view co) {
        std::size_t n = 0;
        for (auto kde = rtf.find(co); kde != std::string::npos; kde = rtf.find(co, kde + 1))
            ++n;
        return n;
    };
    // 300 colours, and 40 faces, each used with two character sets.
    EXPECT_EQ(pocet("\\red"), 300u);
    EXPECT_EQ(pocet("\\fnil"), 80u);
    EXPECT_THAT(rtf, testing::HasSubstr("{\\f1\\fnil\\fcharset0 P\\u237\\'edsmo 1;}"));
}

TEST(RtfOkruh, FaceNamesThatNeedEscaping)
{
    const TDokument d{{{U"a", {.Pismo = "Žlutý;{font}\\x"}},
                       {U"b", {.Pismo = " mezera "}},
                       {U"c", {.Pismo = ""}},
                       {U"d", {.Pismo = "宋体"}},
                       {U"e", {.Pismo = "tab\there"}}}};
    OverOkruh(d);
    EXPECT_THAT(ZapisRtf(d), testing::HasSubstr("\\u381\\'8elut\\u253\\'fd\\'3b\\{font\\}\\\\x;}"));
}

TEST(RtfOkruh, EmptyDocumentAndEmptyRuns)
{
    const std::string prazdny = ZapisRtf({});
    EXPECT_EQ(prazdny, "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n"
                       "{\\colortbl;}\n\\pard}");
    EXPECT_EQ(CtiRtf(prazdny), TDokument{});
    EXPECT_EQ(ZapisRtf({{{U"", Vse()}, {U"", {}}}}), prazdny);
}

// ---------------------------------------------------------- writer form

TEST(RtfZapis, StandardFormOfHeaderTablesAndRuns)
{
    const TDokument d{{{U"Ahoj\n", {.ZnakovaSada = 238, .Barva = 0xFF00FF, .Tucne = true}},
                       {U"x", {.Pismo = "Courier", .PulBody = 24, .Barva = 0x010203, .Kurziva = true,
                               .Podtrzene = true, .Preskrtnute = true, .Chranene = true}}}};
    EXPECT_EQ(ZapisRtf(d), "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n"
                           "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\fmodern\\fcharset0 Courier;}}\n"
                           "{\\colortbl;\\red255\\green0\\blue255;\\red1\\green2\\blue3;}\n"
                           "\\pard\\plain\\f0\\fs20\\cf1\\b Ahoj\\par\n"
                           "\\plain\\f0\\fs20\\cf1\\b \\plain\\f1\\fs24\\cf2\\i\\ul\\strike\\protect x}");
}

TEST(RtfZapis, AParagraphsFormatStandsRightAfterTheParagraphMarkBeforeIt)
{
    // An empty line of 28 points between lines of 10: its format must be in
    // effect at the \par that ends it, not at the one that ends the line above.
    const TDokument prazdny{{{U"nad", {}}, {U"\n", {.PulBody = 56}}, {U"\npod", {}}}};
    OverOkruh(prazdny);
    EXPECT_THAT(ZapisRtf(prazdny),
                testing::HasSubstr("nad\\par\n\\plain\\f0\\fs56\\cf1 \\par\n\\plain\\f0\\fs20\\cf1 pod}"));
    // A paragraph whose own format differs from its first characters'.
    const TDokument jiny{{{U"a\n", {.PulBody = 40}}, {U"b", {}}}};
    OverOkruh(jiny);
    EXPECT_THAT(ZapisRtf(jiny), testing::HasSubstr("a\\par\n\\plain\\f0\\fs40\\cf1 \\plain\\f0\\fs20\\cf1 b}"));
    // An empty first paragraph has its format before its \par too.
    const TDokument naZacatku{{{U"\n", {.PulBody = 48}}, {U"x", {}}}};
    OverOkruh(naZacatku);
    EXPECT_THAT(ZapisRtf(naZacatku), testing::HasSubstr("\\pard\\plain\\f0\\fs48\\cf1 \\par\n"));
}

TEST(RtfZapis, FontTableNamesTheFamilyOfEachFace)
{
    const std::pair<std::string, std::string> pisma[] = {
        {"Arial", "fswiss"}, {"Liberation Sans", "fswiss"}, {"Microsoft Sans Serif", "fswiss"},
        {"Tahoma", "fswiss"}, {"Times New Roman", "froman"}, {"DejaVu Serif", "froman"},
        {"Georgia", "froman"}, {"Courier New", "fmodern"}, {"DejaVu Sans Mono", "fmodern"},
        {"Consolas", "fmodern"}, {"Zapfino", "fnil"}, {"", "fnil"}};
    for (const auto& [pismo, rodina] : pisma)
        EXPECT_THAT(ZapisRtf({{{U"x", {.Pismo = pismo}}}}),
                    testing::HasSubstr("{\\f0\\" + rodina + "\\fcharset0 " + pismo + ";}"))
            << pismo;
}

TEST(RtfZapis, OutputIsCanonical)
{
    const TZnakovyFormat tucne{.Tucne = true};
    const TDokument rozdeleny{{{U"", {}}, {U"Ah", tucne}, {U"", {.Kurziva = true}}, {U"oj", tucne}, {U"!", {}}}};
    const TDokument spojeny{{{U"Ahoj", tucne}, {U"!", {}}}};
    EXPECT_EQ(Normalizuj(rozdeleny), spojeny);
    EXPECT_EQ(ZapisRtf(rozdeleny), ZapisRtf(spojeny));
    EXPECT_EQ(ZapisRtf(rozdeleny), ZapisRtf(Normalizuj(rozdeleny)));
    // Only colours of characters that are written make the table.
    EXPECT_EQ(ZapisRtf({{{U"", {.Barva = 0xABCDEF}}, {U"x", {}}}}), ZapisRtf({{{U"x", {}}}}));
}

TEST(RtfZapis, NormalizujRepairsWhatRtfCannotCarry)
{
    const TDokument d{{{std::u32string{U'a', char32_t{0xD800}, char32_t{0x110000}, U'b'},
                        {.Pismo = "Bad\xC5", .Barva = 0xFF123456}}}};
    const TDokument n = Normalizuj(d);
    ASSERT_EQ(n.Useky.size(), 1u);
    EXPECT_EQ(n.Useky[0].Text, U"a\uFFFD\uFFFDb");
    EXPECT_EQ(n.Useky[0].Format.Pismo, "Bad\xEF\xBF\xBD");
    EXPECT_EQ(n.Useky[0].Format.Barva, 0x123456u);
    EXPECT_EQ(Normalizuj(n), n);
    OverOkruh(d);

    // Face names are cut to 255 characters, counted in characters, not bytes.
    std::string dlouhe;
    for (int i = 0; i < 300; ++i)
        dlouhe += "ř";
    const TDokument sDlouhym{{{U"x", {.Pismo = dlouhe}}}};
    EXPECT_EQ(Normalizuj(sDlouhym).Useky[0].Format.Pismo, dlouhe.substr(0, 2 * 255));
    OverOkruh(sDlouhym);
}

// ------------------------------------------------------ reading others' RTF

TEST(RtfCteni, PlainResetsToTheDefaultFontAndFlags)
{
    const TDokument d = CtiRtf("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Courier;}{\\f1\\froman\\fcharset238 Times;}}"
                               "{\\colortbl;\\red255\\green0\\blue0;}"
                               "\\f0\\fs30\\cf1\\b\\i\\ul\\strike\\protect A\\plain B}");
    EXPECT_EQ(FormatTextu(d, U"A"),
              (TZnakovyFormat{.Pismo = "Courier", .PulBody = 30, .Barva = 0xFF0000, .Tucne = true, .Kurziva = true,
                              .Podtrzene = true, .Preskrtnute = true, .Chranene = true}));
    EXPECT_EQ(FormatTextu(d, U"B"), (TZnakovyFormat{.Pismo = "Times", .ZnakovaSada = 238, .PulBody = 24}));
}

TEST(RtfCteni, AParagraphEndTakesTheFormatOfTheParagraphItStarts)
{
    // Its first character's, an empty paragraph's own at its \par, the
    // last paragraph's at the end of the document.
    const TDokument d = CtiRtf("{\\rtf1 a\\par\\pard\\plain\\fs40 b\\par\\fs50\\par\\fs60}");
    EXPECT_EQ(Text(d), U"a\nb\n\n");
    EXPECT_EQ(FormatZnaku(d, 1).PulBody, 40);
    EXPECT_EQ(FormatZnaku(d, 3).PulBody, 50);
    EXPECT_EQ(FormatZnaku(d, 4).PulBody, 60);
    // A format given after the \par and replaced before any text is the
    // paragraph's own.
    const TDokument vlastni = CtiRtf("{\\rtf1 a\\par\\plain\\fs40 \\plain\\fs20 b}");
    EXPECT_EQ(FormatZnaku(vlastni, 1).PulBody, 40);
    EXPECT_EQ(FormatZnaku(vlastni, 2).PulBody, 20);
}

TEST(RtfCteni, GroupsRestoreTheFormatOfTheirParent)
{
    const TDokument d = CtiRtf("{\\rtf1 a{\\b b{\\i\\fs40 c}d{\\b0 e}}f{\\ul g\\ulnone h\\ulw i\\ul0 j\\uld k}"
                               "{\\strike l\\strike0 m}{\\protect n\\protect0 o}{\\ulc5 p}}");
    EXPECT_EQ(Text(d), U"abcdefghijklmnop");
    const auto f = [&](char32_t c) { return FormatTextu(d, std::u32string(1, c)); };
    EXPECT_EQ(f(U'a'), (TZnakovyFormat{.PulBody = 24}));
    EXPECT_EQ(f(U'b'), (TZnakovyFormat{.PulBody = 24, .Tucne = true}));
    EXPECT_EQ(f(U'c'), (TZnakovyFormat{.PulBody = 40, .Tucne = true, .Kurziva = true}));
    EXPECT_EQ(f(U'd'), f(U'b'));
    EXPECT_EQ(f(U'e'), f(U'a'));
    EXPECT_EQ(f(U'f'), f(U'a'));
    for (const char32_t c : {U'g', U'i', U'k'})
        EXPECT_TRUE(f(c).Podtrzene) << static_cast<char>(c);
    for (const char32_t c : {U'h', U'j', U'p'})
        EXPECT_FALSE(f(c).Podtrzene) << static_cast<char>(c);
    EXPECT_TRUE(f(U'l').Preskrtnute);
    EXPECT_FALSE(f(U'm').Preskrtnute);
    EXPECT_TRUE(f(U'n').Chranene);
    EXPECT_FALSE(f(U'o').Chranene);
}

TEST(RtfCteni, UnicodeAndItsFallbackCharacters)
{
    // \ucN sets how many fallback characters follow; a \'xx or a control
    // word counts as one; a brace ends the fallback; \uc is scoped to a group.
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 \\u345\\'f8a\\u269?b}")), U"řačb");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1\\uc2 \\u345xyz\\uc0 \\u269 q}")), U"řzčq");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1\\uc1\\u8220\\ldblquote x\\u8221\\'94}")), U"“x”");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 {\\uc3\\u345}xy{\\uc3 a}\\u269 ab}")), U"řxyač" U"b");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 \\u-3916?\\u-10179?\\u-8704?}")), U"\uF0B4😀");
    // Halves of a pair that do not meet.
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 \\u-10179?x\\u-8704?y\\u-10179?}")), U"\uFFFDx\uFFFDy\uFFFD");
}

TEST(RtfCteni, HexBytesAndRawBytesAreWindows1250)
{
    EXPECT_EQ(Text(CtiRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset238 A;}{\\f1\\fcharset0 B;}}"
                          "\\'f8\\'E8\\f1\\'9a\\'8e\\'80 \xF9\xEC}")),
              U"řčšŽ€ ůě");
    // Malformed escapes are dropped, the rest read.
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\\'4b\\'zz\\'4}")), U"aKzz");
}

TEST(RtfCteni, ControlSymbolsAndSpecialCharacters)
{
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\e\\par f\\line g\\tab h\\\ni\\emdash\\bullet "
                          "\\lquote\\rquote\\ldblquote\\rdblquote}")),
              U"a\u00A0b\u00ADc\u2011d{}\\e\nf\u2028g\th\ni—•‘’“”");
    // Line ends wrap the RTF text; a raw tab is a tab.
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\r\nb\tc}")), U"ab\tc");
}

TEST(RtfCteni, UnknownDestinationsAreSkipped)
{
    const TDokument d = CtiRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fcharset238\\fprq2{\\*\\panose 02020603050405020304}Times New Roman"
        "{\\*\\falt Times};}}{\\*\\generator Wordish 1.0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
        "{\\header H}{\\footer F}{\\*\\unknownthing U{\\b nested}}{\\pict\\pngblip 89504e47}"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt odkaz}} text{\\*\\bkmkstart b}.}");
    EXPECT_EQ(Text(d), U"odkaz text.");
    EXPECT_EQ(FormatTextu(d, U"odkaz").Pismo, "Times New Roman");
    EXPECT_EQ(FormatTextu(d, U"odkaz").ZnakovaSada, 238);
}

TEST(RtfCteni, BinaryDataIsSkippedWhateverItHolds)
{
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a{\\*\\blip\\bin5 }}}{{}b}")), U"ab");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\\bin3 \\{}b}")), U"ab");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\\bin99999999999999 }}}}")), U"a");
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a\\bin-5 b}")), U"ab");
}

TEST(RtfCteni, TablesWithoutGroupsAndOddEntries)
{
    // Font entries without their own groups, an entry ended by its group, a
    // colour table without the "auto" entry, references outside the tables.
    const TDokument d = CtiRtf("{\\rtf1\\deff7{\\fonttbl\\f0\\fnil Arial;\\f3\\fcharset238 Tahoma;{\\f7 Verdana}}"
                               "{\\colortbl\\red1\\green2\\blue3;\\red300\\green-4\\blue9;}"
                               "\\f3 a\\f0\\cf1 b\\cf0 c\\cf9 d\\f5 e\\plain f}");
    // \cf0 is entry 0, which here is a colour rather than the usual empty "auto".
    EXPECT_EQ(FormatTextu(d, U"a"),
              (TZnakovyFormat{.Pismo = "Tahoma", .ZnakovaSada = 238, .PulBody = 24, .Barva = 0x010203}));
    EXPECT_EQ(FormatTextu(d, U"b"), (TZnakovyFormat{.PulBody = 24, .Barva = 0xFF0009}));
    EXPECT_EQ(FormatTextu(d, U"c").Barva, 0x010203u);
    EXPECT_EQ(FormatTextu(d, U"d").Barva, 0u);
    EXPECT_EQ(FormatTextu(d, U"e").Pismo, "Verdana");
    EXPECT_EQ(FormatTextu(d, U"f").Pismo, "Verdana");
}

// ----------------------------------------------------------- bad input

TEST(RtfCteni, UnbalancedAndTruncatedInputGivesWhatCanBeRead)
{
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 {a}}}}} b")), U"a");
    EXPECT_EQ(Text(CtiRtf("}}{\\rtf1 a{\\b b")), U"ab");
    EXPECT_EQ(Text(CtiRtf("text without a group")), U"");
    for (const std::string_view konec : {"\\", "\\u", "\\u-", "\\u12", "\\'", "\\'4", "\\uc", "\\bin", "\\b-",
                                          "\\fonttbl{\\f0 X", "\\colortbl\\red"}) {
        const std::string rtf = std::string("{\\rtf1 ok") + std::string(konec);
        EXPECT_THAT(Utf8ZUtf32(Text(CtiRtf(rtf))), testing::StartsWith("ok")) << rtf;
    }
}

TEST(RtfCteni, HugeNumbersAreClamped)
{
    const TDokument d = CtiRtf("{\\rtf1\\fs99999999999999999999 a\\fs-99999999999999 b\\cf4294967296 c"
                               "\\u99999999999 ?d\\u-2147483648 ?e\\f-2147483648 g\\uc99999999999\\u345 hij}");
    EXPECT_EQ(FormatTextu(d, U"a").PulBody, 2147483647);
    EXPECT_EQ(FormatTextu(d, U"b").PulBody, -2147483647 - 1);
    EXPECT_EQ(FormatTextu(d, U"c").Barva, 0u);
    EXPECT_EQ(Text(d), U"abc\uFFFDd\uFFFDeg\u0159");
}

TEST(RtfCteni, DeepNestingIsCappedWithoutRecursion)
{
    const std::size_t hloubka = 100000;
    std::string rtf = "{\\rtf1 a";
    rtf += std::string(hloubka, '{') + "\\b x" + std::string(hloubka, '}') + "b";
    rtf += std::string(5000, '{') + "\\i y" + std::string(5000, '}') + "c}";
    const TDokument d = CtiRtf(rtf);
    // Text too deep is left out; text at a depth of thousands is kept.
    EXPECT_EQ(Text(d), U"abyc");
    EXPECT_TRUE(FormatTextu(d, U"y").Kurziva);
    EXPECT_FALSE(FormatTextu(d, U"c").Kurziva);
    // Unclosed, too.
    EXPECT_EQ(Text(CtiRtf("{\\rtf1 a" + std::string(hloubka, '{') + "z")), U"a");
}

TEST(RtfCteni, ArbitraryBytesReadBackConsistently)
{
    std::uint32_t stav = 12345;
    const std::string abeceda = "{}\\\\\\'uc0123456789-;abfsplr \n\xF8\xE8";
    for (int pokus = 0; pokus < 300; ++pokus) {
        std::string rtf = "{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\fcharset238 B;}}{\\colortbl;\\red9;}";
        for (int i = 0; i < 200; ++i) {
            stav = stav * 1103515245u + 12345u;
            rtf += abeceda[(stav >> 16) % abeceda.size()];
        }
        const TDokument d = CtiRtf(rtf);
        EXPECT_EQ(d, Normalizuj(d)) << rtf;
        EXPECT_EQ(CtiRtf(ZapisRtf(d)), d) << rtf;
    }
}

// ------------------------------------------------- another program reads it

// HTML entities to UTF-8: numeric ones and the named ones unrtf uses for
// letters of these texts.
std::string BezEntit(const std::string& html)
{
    static const std::map<std::string, char32_t> pojmenovane = {
        {"aacute", U'á'}, {"eacute", U'é'}, {"iacute", U'í'}, {"oacute", U'ó'}, {"uacute", U'ú'},
        {"yacute", U'ý'}, {"Aacute", U'Á'}, {"Eacute", U'É'}, {"Iacute", U'Í'}, {"Oacute", U'Ó'},
        {"Uacute", U'Ú'}, {"Yacute", U'Ý'}, {"scaron", U'š'}, {"Scaron", U'Š'}, {"euro", U'€'},
        {"nbsp", U'\u00A0'}, {"amp", U'&'}, {"lt", U'<'}, {"gt", U'>'}, {"quot", U'"'}};
    std::string out;
    std::smatch m;
    const std::regex entita("&(#[0-9]+|[A-Za-z]+);");
    auto zbytek = html.cbegin();
    while (std::regex_search(zbytek, html.cend(), m, entita)) {
        out.append(zbytek, m[0].first);
        const std::string jmeno = m[1];
        if (jmeno[0] == '#')
            out += Utf8ZUtf32(std::u32string(1, static_cast<char32_t>(std::stoul(jmeno.substr(1)))));
        else if (pojmenovane.count(jmeno) != 0)
            out += Utf8ZUtf32(std::u32string(1, pojmenovane.at(jmeno)));
        else
            out += m[0].str();
        zbytek = m[0].second;
    }
    out.append(zbytek, html.cend());
    return out;
}

TEST(RtfJinyProgram, UnrtfReadsTheTextColoursAndStyles)
{
    if (!MaUnrtf())
        GTEST_SKIP() << "unrtf is not installed";
    const TDokument d{{{U"Poznámka: ", {}},
                       {U"Žluťoučký kůň", {.Pismo = "Times New Roman", .ZnakovaSada = 238, .PulBody = 24,
                                           .Barva = 0xFF00FF, .Tucne = true, .Podtrzene = true}},
                       {U"\nŘEŘICHA úpěl ďábelské ódy € 5", {.Barva = 0x008000, .Kurziva = true}}}};
    const DocasnaSlozka slozka;
    const auto soubor = slozka.zapis("zapisnik.rtf", ZapisRtf(d));
    const std::string html = BezEntit(UnrtfHtml(soubor));

    EXPECT_THAT(html, testing::HasSubstr("<font face=\"Times New Roman\">"));
    EXPECT_THAT(html, testing::HasSubstr("<font color=\"#ff00ff\"><b><u>Žluťoučký kůň<br>\n</u></b>"));
    EXPECT_THAT(html, testing::HasSubstr("<font color=\"#008000\"><i>ŘEŘICHA úpěl ďábelské ódy € 5</i>"));
    const std::string text = std::regex_replace(std::regex_replace(html, std::regex("<br>\n"), "\n"),
                                                std::regex("<[^>]*>"), "");
    EXPECT_THAT(text, testing::HasSubstr("Poznámka: Žluťoučký kůň\nŘEŘICHA úpěl ďábelské ódy € 5"));
}

TEST(RtfJinyProgram, UnrtfSeesEmptyLinesBreaksAndWordsAfterFallbacks)
{
    if (!MaUnrtf())
        GTEST_SKIP() << "unrtf is not installed";
    const TDokument d{{{U"nad 中x konec\u2028druhý", {}}, {U"\n", {.PulBody = 56}}, {U"\npod", {}}}};
    const DocasnaSlozka slozka;
    const auto soubor = slozka.zapis("zapisnik.rtf", ZapisRtf(d));
    const std::string html = BezEntit(UnrtfHtml(soubor));
    // The word right after a character outside the code page stays.
    EXPECT_THAT(html, testing::HasSubstr("nad 中x konec<br>\ndruhý<br>\n"));
    // The empty line has its own height.
    EXPECT_THAT(html, testing::ContainsRegex("<span style=\"font-size:28pt\">(<[^/>]*>)*<br>"));
    EXPECT_THAT(html, testing::HasSubstr("pod"));
}

} // namespace
