// Windows-1250 <-> Unicode. The one place where the program converts text.
// The five bytes that the code page leaves undefined (0x81 0x83 0x88 0x90
// 0x98) map to the C1 controls of the same value, so every byte survives a
// round trip.
#pragma once

#include <string>
#include <string_view>

char32_t ZnakZCp1250(unsigned char bajt);
// The byte of a character, or -1 when the code page has no such character.
int BajtCp1250(char32_t znak);

std::string Utf8ZCp1250(std::string_view text);

// UTF-8 on its own. Decoding turns every byte that does not start a valid
// sequence (overlong forms and surrogates included) into one U+FFFD.
std::u32string Utf32ZUtf8(std::string_view text);
std::string Utf8ZUtf32(std::u32string_view text);
void PridejUtf8(std::string& out, char32_t znak);
// Characters outside the code page and broken UTF-8 become the replacement.
std::string Cp1250ZUtf8(std::string_view text, char nahrada = '?');

// Small letter of a Windows-1250 byte, accented letters included; any other
// byte is returned unchanged. Used to compare texts without regard to case.
unsigned char MalePismenoCp1250(unsigned char bajt);
std::string MalaPismenaCp1250(std::string_view text);

// Capital of an ASCII letter a to z; any other byte is returned unchanged.
// The program's rules that fold case fold only these.
char VelkePismenoAscii(char znak);
std::string VelkaPismenaAscii(std::string_view text);
