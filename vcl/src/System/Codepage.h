#pragma once
// Windows-1252 codec of the stand-in. Every byte maps to one UTF-16 unit and back: the five bytes
// the code page leaves undefined map to the control characters of the same value.

#include <string>
#include <string_view>

namespace codepage {

char16_t AnsiCharToUtf16(unsigned char Byte);
// The byte for a code point; Fallback when the code page has none.
char UnicodeToAnsiChar(char32_t CodePoint, char Fallback = '?');

// Whole texts at once: a clipboard's text holds megabytes.
std::u16string AnsiToUtf16(std::string_view S);
void AnsiToUtf16(std::string_view S, char16_t* Out);  // S.size() units
// Out holds S's bytes widened as they are (as Latin-1 reads them): the bytes 0x80..0x9F take their
// characters.
void FixHighControls(std::string_view S, char16_t* Out);
// Unmappable characters and surrogates: '?'. Exact, when given, says whether none was.
std::string Utf16ToAnsi(std::u16string_view S, bool* Exact = nullptr);
std::string AnsiToUtf8(const std::string& S);
std::string Utf8ToAnsi(const std::string& S);  // unmappable and malformed sequences: '?'

}  // namespace codepage
