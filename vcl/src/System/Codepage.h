#pragma once
// Windows-1252 codec of the stand-in. Every byte maps to one UTF-16 unit and back: the five bytes
// the code page leaves undefined map to the control characters of the same value.

#include <string>

namespace codepage {

char16_t AnsiCharToUtf16(unsigned char Byte);
// The byte for a code point; Fallback when the code page has none.
char UnicodeToAnsiChar(char32_t CodePoint, char Fallback = '?');

std::u16string AnsiToUtf16(const std::string& S);
std::string Utf16ToAnsi(const std::u16string& S);  // unmappable and lone surrogates: '?'
std::string AnsiToUtf8(const std::string& S);
std::string Utf8ToAnsi(const std::string& S);  // unmappable and malformed sequences: '?'

}  // namespace codepage
