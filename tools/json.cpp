// The JSON writer.
#include "json.h"

namespace {

void pridejUnikodEscape(std::string& out, unsigned kod)
{
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[(kod >> 4) & 0xF];
    out += kHex[kod & 0xF];
}

} // namespace

std::string JsonRetezec(std::string_view utf8)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto bajt = static_cast<unsigned char>(utf8[i]);
        const auto dalsi = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if (bajt == '"' || bajt == '\\') {
            out += '\\';
            out += static_cast<char>(bajt);
        } else if (bajt < 0x20 || bajt == 0x7F) {
            pridejUnikodEscape(out, bajt);
        } else if (bajt == 0xC2 && dalsi >= 0x80 && dalsi <= 0x9F) {
            // U+0080..U+009F: the bytes Windows-1250 leaves undefined end up here.
            pridejUnikodEscape(out, dalsi);
            ++i;
        } else {
            out += static_cast<char>(bajt);
        }
    }
    out += '"';
    return out;
}

void JsonZapis::predHodnotou()
{
    if (poKlici_) {
        poKlici_ = false;
        return;
    }
    if (prazdne_.empty())
        return;
    if (!prazdne_.back())
        out_ += ',';
    prazdne_.back() = false;
}

void JsonZapis::otevri(char znak)
{
    predHodnotou();
    out_ += znak;
    prazdne_.push_back(true);
}

void JsonZapis::zavri(char znak)
{
    prazdne_.pop_back();
    out_ += znak;
}

JsonZapis& JsonZapis::Objekt()
{
    otevri('{');
    return *this;
}

JsonZapis& JsonZapis::KonecObjektu()
{
    zavri('}');
    return *this;
}

JsonZapis& JsonZapis::Pole()
{
    otevri('[');
    return *this;
}

JsonZapis& JsonZapis::KonecPole()
{
    zavri(']');
    return *this;
}

JsonZapis& JsonZapis::Klic(std::string_view utf8)
{
    predHodnotou();
    out_ += JsonRetezec(utf8);
    out_ += ':';
    poKlici_ = true;
    return *this;
}

JsonZapis& JsonZapis::Text(std::string_view utf8)
{
    predHodnotou();
    out_ += JsonRetezec(utf8);
    return *this;
}

JsonZapis& JsonZapis::Cislo(std::size_t cislo)
{
    predHodnotou();
    out_ += std::to_string(cislo);
    return *this;
}

JsonZapis& JsonZapis::Logicka(bool hodnota)
{
    predHodnotou();
    out_ += hodnota ? "true" : "false";
    return *this;
}

JsonZapis& JsonZapis::Null()
{
    predHodnotou();
    out_ += "null";
    return *this;
}
