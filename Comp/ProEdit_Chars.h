#pragma once
// Character classes of the typed edit's rules: ASCII only, whatever the code page's letters are.

namespace ProEdit::Chars {

inline bool IsDigit(char C) { return C >= '0' && C <= '9'; }
inline bool IsHexLetter(char C) { return (C >= 'A' && C <= 'F') || (C >= 'a' && C <= 'f'); }
inline bool IsAsciiLetter(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
inline char AsciiUpper(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }
inline char AsciiLower(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }

}  // namespace ProEdit::Chars
