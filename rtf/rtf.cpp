// RTF writer and reader of the notebook.
//
// The writer emits one attribute set per run (\plain followed by the font,
// size, colour and the flags that are on), so the reader needs nothing but a
// format stack to get every run back exactly. The reader walks the input once
// with an explicit group stack: no recursion, bounded depth, clamped numbers.
#include "rtf.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <unordered_map>
#include <utility>

#include "cp1250.h"

namespace {

constexpr char32_t kNahrada = 0xFFFD;
constexpr char32_t kKonecRadku = 0x2028;  // a line break within a paragraph
// Longer face names are cut: no font has one, and every run carries a copy
// of its face, so the reader's work would grow with name length times runs.
constexpr std::size_t kNejdelsiPismo = 255;

bool JeSkalar(char32_t c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// ---------------------------------------------------------------- UTF-8


// Valid UTF-8 of at most kNejdelsiPismo characters.
std::string OpravenePismo(std::string_view pismo)
{
    std::u32string znaky = Utf32ZUtf8(pismo);
    znaky.resize(std::min(znaky.size(), kNejdelsiPismo));
    return Utf8ZUtf32(znaky);
}

// --------------------------------------------------------------- writer

void PridejCislo(std::string& out, long long cislo)
{
    out += std::to_string(cislo);
}

void PridejHex(std::string& out, unsigned bajt)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", bajt & 0xFF);
    out += hex;
}

// One UTF-16 unit as \uN (signed) with its one-byte fallback.
void PridejU(std::string& out, char16_t jednotka, char32_t znak)
{
    out += "\\u";
    PridejCislo(out, static_cast<std::int16_t>(jednotka));
    // A raw '?' would do, but some readers drop the word after it.
    const int bajt = BajtCp1250(znak);
    PridejHex(out, bajt >= 0x80 ? static_cast<unsigned>(bajt) : static_cast<unsigned>('?'));
}

bool Obsahuje(const std::string& text, std::initializer_list<std::string_view> slova)
{
    for (const std::string_view slovo : slova)
        if (text.find(slovo) != std::string::npos)
            return true;
    return false;
}

// The font family word of a face, so that a program without the face picks
// a like one: fixed pitch, sans serif, serif, or unknown.
const char* RodinaPisma(std::string_view pismo)
{
    std::string male(pismo);
    for (char& c : male)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (Obsahuje(male, {"mono", "courier", "consol", "typewriter", "fixed", "code", "terminal", "menlo",
                        "monaco"}))
        return "\\fmodern";
    if (Obsahuje(male, {"sans", "arial", "helvetica", "verdana", "tahoma", "calibri", "segoe", "trebuchet",
                        "gill", "futura", "franklin", "gothic", "candara", "corbel", "ubuntu", "roboto",
                        "carlito", "cantarell", "frutiger", "univers"}))
        return "\\fswiss";
    if (Obsahuje(male, {"serif", "times", "roman", "georgia", "garamond", "cambria", "palatino", "antiqua",
                        "bookman", "schoolbook", "constantia", "baskerville", "caslon", "bodoni", "didot",
                        "caladea", "tinos", "charter", "minion"}))
        return "\\froman";
    return "\\fnil";
}

// A character that is neither a paragraph end nor a tab. In a font table a
// ';' would end the name, so there it goes as a hex escape.
void PridejZnak(std::string& out, char32_t c, bool vNazvuPisma)
{
    if (c == U'\\' || c == U'{' || c == U'}') {
        out += '\\';
        out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F || (vNazvuPisma && c == U';')) {
        PridejHex(out, static_cast<unsigned>(c));
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c <= 0xFFFF) {
        PridejU(out, static_cast<char16_t>(c), c);
    } else {
        const char32_t v = c - 0x10000;
        PridejU(out, static_cast<char16_t>(0xD800 + (v >> 10)), c);
        PridejU(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), c);
    }
}

class TZapisovac {
public:
    explicit TZapisovac(const TDokument& dokument) : dokument_(dokument)
    {
        for (std::size_t i = 0; i < dokument_.Useky.size(); ++i) {
            const TZnakovyFormat& format = dokument_.Useky[i].Format;
            // A neighbour's face is looked up once.
            const bool jakoPredchozi = i > 0 && format.ZnakovaSada == dokument_.Useky[i - 1].Format.ZnakovaSada &&
                                       format.Pismo == dokument_.Useky[i - 1].Format.Pismo;
            pismaUseku_.push_back(jakoPredchozi ? pismaUseku_.back() : cisloPisma(format));
            barvyUseku_.push_back(cisloBarvy(format.Barva));
        }
        // \deff0 must name a font even in an empty document.
        if (pisma_.empty())
            cisloPisma(TZnakovyFormat{});
    }

    std::string zapis()
    {
        out_ = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1\n";
        tabulkaPisem();
        tabulkaBarev();
        out_ += "\\pard";
        // A paragraph mark takes the format in effect at its \par, so the
        // format of a paragraph (which an empty one shows as its height) is
        // written right after the \par that starts it, before its text.
        constexpr std::size_t kZadny = static_cast<std::size_t>(-1);
        std::size_t platny = kZadny;  // the run whose format is in effect
        for (std::size_t i = 0; i < dokument_.Useky.size(); ++i) {
            for (const char32_t c : dokument_.Useky[i].Text) {
                if (c == U'\n') {
                    if (platny == kZadny)
                        formatUseku(i);  // an empty first paragraph
                    out_ += "\\par\n";
                    formatUseku(i);
                    platny = i;
                    continue;
                }
                if (platny != i) {
                    formatUseku(i);
                    platny = i;
                }
                if (c == U'\t')
                    out_ += "\\tab ";
                else if (c == kKonecRadku)
                    out_ += "\\line ";
                else
                    PridejZnak(out_, c, false);
            }
        }
        out_ += "}";
        return std::move(out_);
    }

private:
    using TPismo = std::pair<std::string, int>;  // face, charset

    int cisloPisma(const TZnakovyFormat& format)
    {
        const auto [kde, nove] =
            pisma_.try_emplace(TPismo(format.Pismo, format.ZnakovaSada), static_cast<int>(poradiPisem_.size()));
        if (nove)
            poradiPisem_.push_back(&kde->first);
        return kde->second;
    }

    // Index in the colour table; 0 is "auto" and stays unused.
    int cisloBarvy(std::uint32_t barva)
    {
        const auto [kde, nove] = barvy_.try_emplace(barva, static_cast<int>(poradiBarev_.size()) + 1);
        if (nove)
            poradiBarev_.push_back(barva);
        return kde->second;
    }

    void tabulkaPisem()
    {
        out_ += "{\\fonttbl";
        for (std::size_t i = 0; i < poradiPisem_.size(); ++i) {
            out_ += "{\\f";
            PridejCislo(out_, static_cast<long long>(i));
            out_ += RodinaPisma(poradiPisem_[i]->first);
            out_ += "\\fcharset";
            PridejCislo(out_, poradiPisem_[i]->second);
            out_ += ' ';
            const std::u32string jmeno = Utf32ZUtf8(poradiPisem_[i]->first);
            for (std::size_t k = 0; k < jmeno.size(); ++k) {
                // The reader drops raw spaces before a name.
                if (k == 0 && jmeno[k] == U' ')
                    PridejHex(out_, ' ');
                else
                    PridejZnak(out_, jmeno[k], true);
            }
            out_ += ";}";
        }
        out_ += "}\n";
    }

    void tabulkaBarev()
    {
        out_ += "{\\colortbl;";
        for (const std::uint32_t barva : poradiBarev_) {
            out_ += "\\red";
            PridejCislo(out_, (barva >> 16) & 0xFF);
            out_ += "\\green";
            PridejCislo(out_, (barva >> 8) & 0xFF);
            out_ += "\\blue";
            PridejCislo(out_, barva & 0xFF);
            out_ += ';';
        }
        out_ += "}\n";
    }

    void formatUseku(std::size_t usek)
    {
        const TZnakovyFormat& format = dokument_.Useky[usek].Format;
        const int pismo = pismaUseku_[usek];
        const int barva = barvyUseku_[usek];
        out_ += "\\plain\\f";
        PridejCislo(out_, pismo);
        out_ += "\\fs";
        PridejCislo(out_, format.PulBody);
        out_ += "\\cf";
        PridejCislo(out_, barva);
        if (format.Tucne)
            out_ += "\\b";
        if (format.Kurziva)
            out_ += "\\i";
        if (format.Podtrzene)
            out_ += "\\ul";
        if (format.Preskrtnute)
            out_ += "\\strike";
        if (format.Chranene)
            out_ += "\\protect";
        out_ += ' ';
    }

    const TDokument& dokument_;
    std::string out_;
    std::map<TPismo, int> pisma_;
    std::vector<const TPismo*> poradiPisem_;
    std::unordered_map<std::uint32_t, int> barvy_;
    std::vector<std::uint32_t> poradiBarev_;
    std::vector<int> pismaUseku_;  // per run: index in the font table
    std::vector<int> barvyUseku_;  // per run: index in the colour table
};

// --------------------------------------------------------------- reader

// Deeper groups are read as if their content were not there.
constexpr std::size_t kNejvetsiHloubka = 10000;

// Where the characters of a group go.
enum class TCil : unsigned char { Text, Pisma, Barvy, Preskoc };

// Everything a group inherits from its parent and gets back at '}'.
struct TStav {
    int Pismo = -1;  // font number; -1 is the one \deff names
    int PulBody = 24;
    int Barva = 0;  // colour-table index; 0 is "auto"
    bool Tucne = false, Kurziva = false, Podtrzene = false, Preskrtnute = false, Chranene = false;
    int Uc = 1;  // fallback characters after \uN
    TCil Cil = TCil::Preskoc;

    void plain()
    {
        Pismo = -1;
        PulBody = 24;
        Barva = 0;
        Tucne = Kurziva = Podtrzene = Preskrtnute = Chranene = false;
    }
};

enum class TSlovo {
    Plain, F, Fs, Cf, B, I, Ul, UlNone, Strike, Protect,
    Znak, Uc, U, Deff, Bin, FontTbl, ColorTbl, FCharset, Red, Green, Blue, Preskoc,
};

struct TPopisSlova {
    TSlovo Slovo;
    char32_t Znak = 0;  // for TSlovo::Znak
};

const std::unordered_map<std::string_view, TPopisSlova>& Slovnik()
{
    static const std::unordered_map<std::string_view, TPopisSlova> slovnik = [] {
        std::unordered_map<std::string_view, TPopisSlova> s = {
            {"plain", {TSlovo::Plain}}, {"f", {TSlovo::F}}, {"fs", {TSlovo::Fs}}, {"cf", {TSlovo::Cf}},
            {"b", {TSlovo::B}}, {"i", {TSlovo::I}}, {"ulnone", {TSlovo::UlNone}},
            {"strike", {TSlovo::Strike}}, {"striked", {TSlovo::Strike}}, {"protect", {TSlovo::Protect}},
            {"uc", {TSlovo::Uc}}, {"u", {TSlovo::U}}, {"deff", {TSlovo::Deff}}, {"bin", {TSlovo::Bin}},
            {"fonttbl", {TSlovo::FontTbl}}, {"colortbl", {TSlovo::ColorTbl}}, {"fcharset", {TSlovo::FCharset}},
            {"red", {TSlovo::Red}}, {"green", {TSlovo::Green}}, {"blue", {TSlovo::Blue}},
            {"par", {TSlovo::Znak, U'\n'}}, {"line", {TSlovo::Znak, kKonecRadku}}, {"sect", {TSlovo::Znak, U'\n'}},
            {"row", {TSlovo::Znak, U'\n'}}, {"tab", {TSlovo::Znak, U'\t'}}, {"cell", {TSlovo::Znak, U'\t'}},
            {"emdash", {TSlovo::Znak, U'\u2014'}}, {"endash", {TSlovo::Znak, U'\u2013'}},
            {"bullet", {TSlovo::Znak, U'\u2022'}}, {"lquote", {TSlovo::Znak, U'\u2018'}},
            {"rquote", {TSlovo::Znak, U'\u2019'}}, {"ldblquote", {TSlovo::Znak, U'\u201C'}},
            {"rdblquote", {TSlovo::Znak, U'\u201D'}}, {"emspace", {TSlovo::Znak, U'\u2003'}},
            {"enspace", {TSlovo::Znak, U'\u2002'}}, {"qmspace", {TSlovo::Znak, U'\u2005'}},
            {"zwj", {TSlovo::Znak, U'\u200D'}}, {"zwnj", {TSlovo::Znak, U'\u200C'}},
            {"ltrmark", {TSlovo::Znak, U'\u200E'}}, {"rtlmark", {TSlovo::Znak, U'\u200F'}},
        };
        // Every underline style turns underlining on; \ulc (its colour) is no style.
        for (const std::string_view styl : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave",
                                             "ulldash", "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd",
                                             "ulthldash", "ululdbwave", "ulw", "ulwave"})
            s.emplace(styl, TPopisSlova{TSlovo::Ul});
        // Destinations whose content is no text of the document.
        for (const std::string_view cil :
             {"stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf", "footer", "footerl",
              "footerr", "footerf", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
              "xmlnstbl", "fldinst", "footnote", "annotation", "atnid", "atnauthor", "author", "operator",
              "title", "subject", "keywords", "comment", "doccomm", "company", "category", "template",
              "filetbl", "themedata", "colorschememapping", "latentstyles", "datastore", "pgdsctbl",
              "objdata", "objclass", "nonshppict", "panose", "falt", "bkmkstart", "bkmkend", "pntxta",
              "pntxtb", "txe", "xe", "tc"})
            s.emplace(cil, TPopisSlova{TSlovo::Preskoc});
        return s;
    }();
    return slovnik;
}

bool JePismeno(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool JeCislice(char c)
{
    return c >= '0' && c <= '9';
}

int HexHodnota(char c)
{
    if (JeCislice(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class TCtenar {
public:
    explicit TCtenar(std::string_view vstup) : vstup_(vstup)
    {
        zasobnik_.push_back(TStav{});  // outside the document group: nothing is read
    }

    TDokument cti()
    {
        while (pozice_ < vstup_.size())
            krok();
        vydejNahraduZaVysokou();
        dokonciOdstavec();
        return Normalizuj(std::move(dokument_));
    }

private:
    struct TPismo {
        std::string Jmeno;
        int Sada = 0;
    };

    // What a run's format is made of; a new run starts when it changes.
    struct TKlic {
        int Pismo, PulBody, Barva;
        unsigned Priznaky;
        unsigned Tabulky;
        bool operator==(const TKlic&) const = default;
    };

    TStav& stav() { return zasobnik_.back(); }

    void krok()
    {
        const char c = vstup_[pozice_++];
        if (c == '{') {
            zacniSkupinu();
        } else if (c == '}') {
            ukonciSkupinu();
        } else if (c == '\\') {
            ridiciZnacka();
        } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            // Line ends only wrap the RTF text; other control bytes mean nothing.
        } else if (!preskocZaloznZnak() && prebytek_ == 0) {
            znakTextu(c);
        }
    }

    void znakTextu(char c)
    {
        const TCil cil = stav().Cil;
        if (cil == TCil::Pisma && c == ';') {
            ulozPismo();
        } else if (cil == TCil::Pisma && c == ' ' && jmenoPisma_.empty()) {
            // A space between entries; a face's own leading space comes as \'20.
        } else if (cil == TCil::Barvy && c == ';') {
            ulozBarvu();
        } else {
            vydej(ZnakZCp1250(static_cast<unsigned char>(c)));
        }
    }

    // ------------------------------------------------------------ groups

    void zacniSkupinu()
    {
        // Neither a fallback nor a surrogate pair reaches past a brace.
        preskocit_ = 0;
        vydejNahraduZaVysokou();
        if (prebytek_ > 0 || zasobnik_.size() > kNejvetsiHloubka) {
            ++prebytek_;
            return;
        }
        TStav novy = stav();
        if (zasobnik_.size() == 1)
            novy.Cil = TCil::Text;
        zasobnik_.push_back(novy);
    }

    void ukonciSkupinu()
    {
        preskocit_ = 0;
        vydejNahraduZaVysokou();
        if (prebytek_ > 0) {
            --prebytek_;
            return;
        }
        if (zasobnik_.size() == 1)
            return;  // unbalanced '}'
        // A font entry may end with its group instead of a ';'.
        if (stav().Cil == TCil::Pisma && !jmenoPisma_.empty())
            ulozPismo();
        // The document's last paragraph has the format in effect at its end.
        if (zasobnik_.size() == 2)
            dokonciOdstavec();
        zasobnik_.pop_back();
    }

    // ---------------------------------------------------- control words

    void ridiciZnacka()
    {
        if (pozice_ >= vstup_.size())
            return;
        if (JePismeno(vstup_[pozice_])) {
            ridiciSlovo();
            return;
        }
        const char symbol = vstup_[pozice_++];
        if (symbol == '\'') {
            hexZnak();
            return;
        }
        if (preskocZaloznZnak() || prebytek_ > 0)
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            vydej(static_cast<unsigned char>(symbol));
            break;
        case '~':
            vydej(U'\u00A0');
            break;
        case '-':
            vydej(U'\u00AD');
            break;
        case '_':
            vydej(U'\u2011');
            break;
        case '\r':
        case '\n':
            vydej(U'\n');
            break;
        case '*':
            stav().Cil = TCil::Preskoc;  // no destination behind \* is known here
            break;
        default:
            break;
        }
    }

    void hexZnak()
    {
        int bajt = 0;
        int cislic = 0;
        while (cislic < 2 && pozice_ < vstup_.size() && HexHodnota(vstup_[pozice_]) >= 0) {
            bajt = bajt * 16 + HexHodnota(vstup_[pozice_]);
            ++pozice_;
            ++cislic;
        }
        if (preskocZaloznZnak() || prebytek_ > 0 || cislic < 2)
            return;
        // Every character set is read as Windows-1250: the notebook's own.
        vydej(ZnakZCp1250(static_cast<unsigned char>(bajt)));
    }

    void ridiciSlovo()
    {
        const std::size_t zacatek = pozice_;
        while (pozice_ < vstup_.size() && JePismeno(vstup_[pozice_]))
            ++pozice_;
        const std::string_view jmeno = vstup_.substr(zacatek, pozice_ - zacatek);
        const auto [maParametr, parametr] = cislo();
        if (pozice_ < vstup_.size() && vstup_[pozice_] == ' ')
            ++pozice_;

        const auto& slovnik = Slovnik();
        const auto kde = slovnik.find(jmeno);
        if (kde != slovnik.end() && kde->second.Slovo == TSlovo::Bin) {
            // The data are skipped whatever state the reader is in.
            const long long bajtu = std::max(parametr, 0);
            pozice_ += static_cast<std::size_t>(std::min<long long>(bajtu, vstup_.size() - pozice_));
        }
        if (preskocZaloznZnak() || prebytek_ > 0 || kde == slovnik.end())
            return;
        proved(kde->second, maParametr, parametr);
    }

    // The optional numeric parameter, clamped to int.
    std::pair<bool, int> cislo()
    {
        bool zaporne = false;
        if (pozice_ + 1 < vstup_.size() && vstup_[pozice_] == '-' && JeCislice(vstup_[pozice_ + 1])) {
            zaporne = true;
            ++pozice_;
        }
        long long hodnota = 0;
        bool ma = false;
        while (pozice_ < vstup_.size() && JeCislice(vstup_[pozice_])) {
            ma = true;
            if (hodnota <= INT_MAX)  // stays far below overflow
                hodnota = hodnota * 10 + (vstup_[pozice_] - '0');
            ++pozice_;
        }
        if (zaporne)
            hodnota = -hodnota;
        return {ma, static_cast<int>(std::clamp<long long>(hodnota, INT_MIN, INT_MAX))};
    }

    void proved(const TPopisSlova& popis, bool maParametr, int parametr)
    {
        TStav& s = stav();
        const bool zapnuto = !maParametr || parametr != 0;
        switch (popis.Slovo) {
        case TSlovo::Plain:
            if (s.Cil == TCil::Text)
                plainPoOdstavci();
            s.plain();
            break;
        case TSlovo::F:
            if (s.Cil == TCil::Pisma)
                cisloPisma_ = maParametr ? parametr : 0;
            else
                s.Pismo = maParametr ? parametr : 0;
            break;
        case TSlovo::Fs: s.PulBody = maParametr ? parametr : 24; break;
        case TSlovo::Cf: s.Barva = maParametr ? parametr : 0; break;
        case TSlovo::B: s.Tucne = zapnuto; break;
        case TSlovo::I: s.Kurziva = zapnuto; break;
        case TSlovo::Ul: s.Podtrzene = zapnuto; break;
        case TSlovo::UlNone: s.Podtrzene = false; break;
        case TSlovo::Strike: s.Preskrtnute = zapnuto; break;
        case TSlovo::Protect: s.Chranene = zapnuto; break;
        case TSlovo::Znak: vydej(popis.Znak); break;
        case TSlovo::Uc: s.Uc = maParametr ? std::max(parametr, 0) : 1; break;
        case TSlovo::U:
            if (maParametr)
                unicode(parametr);
            break;
        case TSlovo::Deff:
            deff_ = maParametr ? parametr : 0;
            ++tabulky_;
            break;
        // A table inside a skipped group stays skipped.
        case TSlovo::FontTbl: s.Cil = s.Cil == TCil::Preskoc ? s.Cil : TCil::Pisma; break;
        case TSlovo::ColorTbl: s.Cil = s.Cil == TCil::Preskoc ? s.Cil : TCil::Barvy; break;
        case TSlovo::FCharset:
            if (s.Cil == TCil::Pisma)
                sadaPisma_ = maParametr ? parametr : 0;
            break;
        case TSlovo::Red: slozkaBarvy(s, 16, parametr); break;
        case TSlovo::Green: slozkaBarvy(s, 8, parametr); break;
        case TSlovo::Blue: slozkaBarvy(s, 0, parametr); break;
        case TSlovo::Preskoc: s.Cil = TCil::Preskoc; break;
        case TSlovo::Bin: break;
        }
    }

    // \uN: N is a signed 16-bit UTF-16 unit; the fallback that follows is skipped.
    void unicode(int parametr)
    {
        const long long jednotka = parametr < 0 ? parametr + 65536LL : parametr;
        vydej(jednotka >= 0 && jednotka <= 0xFFFF ? static_cast<char32_t>(jednotka) : kNahrada);
        preskocit_ = stav().Uc;
    }

    // True (and one less to skip) while fallback characters of a \uN remain.
    bool preskocZaloznZnak()
    {
        if (preskocit_ == 0)
            return false;
        --preskocit_;
        return true;
    }

    // ----------------------------------------------------------- tables

    void ulozPismo()
    {
        pisma_.insert_or_assign(cisloPisma_, TPismo{Utf8ZUtf32(jmenoPisma_), sadaPisma_});
        jmenoPisma_.clear();
        sadaPisma_ = 0;
        ++tabulky_;
    }

    void slozkaBarvy(const TStav& s, int posun, int hodnota)
    {
        if (s.Cil != TCil::Barvy)
            return;
        const auto slozka = static_cast<std::uint32_t>(std::clamp(hodnota, 0, 255));
        barva_ = (barva_ & ~(0xFFu << posun)) | (slozka << posun);
    }

    void ulozBarvu()
    {
        barvy_.push_back(barva_);
        barva_ = 0;
        ++tabulky_;
    }

    // ------------------------------------------------------- characters

    // Joins UTF-16 surrogate pairs that came as two \uN; a lone half becomes U+FFFD.
    void vydej(char32_t znak)
    {
        if (vysoka_ != 0) {
            if (znak >= 0xDC00 && znak <= 0xDFFF) {
                const char32_t spojeny = 0x10000 + ((vysoka_ - 0xD800) << 10) + (znak - 0xDC00);
                vysoka_ = 0;
                zapis(spojeny);
                return;
            }
            vydejNahraduZaVysokou();
        }
        if (znak >= 0xD800 && znak <= 0xDBFF)
            vysoka_ = znak;
        else
            zapis(JeSkalar(znak) ? znak : kNahrada);
    }

    void vydejNahraduZaVysokou()
    {
        if (vysoka_ != 0) {
            vysoka_ = 0;
            zapis(kNahrada);
        }
    }

    void zapis(char32_t znak)
    {
        switch (stav().Cil) {
        case TCil::Text: pridejDoTextu(znak); break;
        case TCil::Pisma:
            if (jmenoPisma_.size() < kNejdelsiPismo)
                jmenoPisma_ += znak;
            break;
        case TCil::Barvy:
        case TCil::Preskoc: break;
        }
    }

    // A paragraph end stands for the paragraph that it starts and takes that
    // paragraph's format: the one in effect at its first character, at its
    // own \par when it is empty, or at the end of the document. A format
    // written right after the \par and replaced at once by another one
    // before any text is the paragraph's own: the writer gives a paragraph
    // whose first characters differ from it so.
    void pridejDoTextu(char32_t znak)
    {
        dokonciOdstavec();
        if (znak == U'\n') {
            cekaOdstavec_ = true;
            formatOdstavce_ = false;
            return;
        }
        pridejZnak(znak);
    }

    void plainPoOdstavci()
    {
        if (!cekaOdstavec_)
            return;
        if (formatOdstavce_)
            dokonciOdstavec();
        else
            formatOdstavce_ = true;
    }

    void dokonciOdstavec()
    {
        if (!cekaOdstavec_)
            return;
        cekaOdstavec_ = false;
        pridejZnak(U'\n');
    }

    void pridejZnak(char32_t znak)
    {
        const TStav& s = stav();
        const TKlic klic{s.Pismo, s.PulBody, s.Barva,
                         (s.Tucne ? 1u : 0u) | (s.Kurziva ? 2u : 0u) | (s.Podtrzene ? 4u : 0u) |
                             (s.Preskrtnute ? 8u : 0u) | (s.Chranene ? 16u : 0u),
                         tabulky_};
        if (dokument_.Useky.empty() || !(klic == posledniKlic_)) {
            dokument_.Useky.push_back(TUsek{{}, format(s)});
            posledniKlic_ = klic;
        }
        dokument_.Useky.back().Text += znak;
    }

    TZnakovyFormat format(const TStav& s) const
    {
        TZnakovyFormat f;
        auto pismo = pisma_.find(s.Pismo < 0 ? deff_ : s.Pismo);
        if (pismo == pisma_.end())
            pismo = pisma_.find(deff_);
        if (pismo != pisma_.end()) {
            f.Pismo = pismo->second.Jmeno;
            f.ZnakovaSada = pismo->second.Sada;
        }
        f.PulBody = s.PulBody;
        // An empty entry (usually entry 0) and an index outside the table are "auto".
        if (s.Barva >= 0 && static_cast<std::size_t>(s.Barva) < barvy_.size())
            f.Barva = barvy_[static_cast<std::size_t>(s.Barva)];
        f.Tucne = s.Tucne;
        f.Kurziva = s.Kurziva;
        f.Podtrzene = s.Podtrzene;
        f.Preskrtnute = s.Preskrtnute;
        f.Chranene = s.Chranene;
        return f;
    }

    std::string_view vstup_;
    std::size_t pozice_ = 0;
    std::vector<TStav> zasobnik_;
    std::size_t prebytek_ = 0;  // open groups beyond kNejvetsiHloubka
    int preskocit_ = 0;         // fallback characters still to skip
    char32_t vysoka_ = 0;       // high surrogate waiting for its pair
    bool cekaOdstavec_ = false;    // a paragraph end whose format is not settled yet
    bool formatOdstavce_ = false;  // a \plain came after it: the paragraph's format

    std::unordered_map<int, TPismo> pisma_;
    int deff_ = 0;
    int cisloPisma_ = 0;
    int sadaPisma_ = 0;
    std::u32string jmenoPisma_;
    std::vector<std::uint32_t> barvy_;
    std::uint32_t barva_ = 0;
    unsigned tabulky_ = 0;  // grows with every change of the tables or \deff

    TDokument dokument_;
    TKlic posledniKlic_{};
};

} // namespace

TDokument Normalizuj(TDokument dokument)
{
    TDokument vysledek;
    // Many runs share few faces: each face is repaired once.
    std::unordered_map<std::string, std::string> opravenaPisma;
    for (TUsek& usek : dokument.Useky) {
        if (usek.Text.empty())
            continue;
        for (char32_t& c : usek.Text) {
            if (!JeSkalar(c))
                c = kNahrada;
        }
        auto pismo = opravenaPisma.find(usek.Format.Pismo);
        if (pismo == opravenaPisma.end())
            pismo = opravenaPisma.emplace(usek.Format.Pismo, OpravenePismo(usek.Format.Pismo)).first;
        usek.Format.Pismo = pismo->second;
        usek.Format.Barva &= 0xFFFFFF;
        if (!vysledek.Useky.empty() && vysledek.Useky.back().Format == usek.Format)
            vysledek.Useky.back().Text += usek.Text;
        else
            vysledek.Useky.push_back(std::move(usek));
    }
    return vysledek;
}

std::string ZapisRtf(const TDokument& dokument)
{
    const TDokument normalni = Normalizuj(dokument);
    return TZapisovac(normalni).zapis();
}

TDokument CtiRtf(std::string_view rtf)
{
    return TCtenar(rtf).cti();
}
