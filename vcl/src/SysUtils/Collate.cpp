// Locale-style comparison (word sort): symbols before digits before letters, accented letters beside their
// base letter, lower case before upper case, '-' and '\'' weighing last. Windows-1252 text, and UTF-16
// text whose characters outside the code page come after all others.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SysUtils/CaseFold.h"
#include "System/Codepage.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

struct Weight {
    Word primary[2] = {0, 0};  // 0: ignorable; an expansion (æ, ß, œ) has two
    Byte secondary = 0;        // accent
    Byte upper = 0;            // case
};

constexpr Word kDigitBase = 500;
constexpr Word kLetterBase = 600;

Word LetterWeight(char base) { return static_cast<Word>(kLetterBase + 2 * (base - 'a')); }

// Lower-case letters outside a..z: their base letters and accent rank.
struct Accented {
    unsigned char ch;
    const char* base;
    Byte accent;
};
constexpr Accented kAccented[] = {
    {0xE0, "a", 1}, {0xE1, "a", 2},  {0xE2, "a", 3}, {0xE3, "a", 4}, {0xE4, "a", 5}, {0xE5, "a", 6},  {0xE6, "ae", 7},
    {0xAA, "a", 8}, {0xE7, "c", 1},  {0xF0, "d", 1}, {0xE8, "e", 1}, {0xE9, "e", 2}, {0xEA, "e", 3},  {0xEB, "e", 4},
    {0x83, "f", 1}, {0xEC, "i", 1},  {0xED, "i", 2}, {0xEE, "i", 3}, {0xEF, "i", 4}, {0xF1, "n", 1},  {0xF2, "o", 1},
    {0xF3, "o", 2}, {0xF4, "o", 3},  {0xF5, "o", 4}, {0xF6, "o", 5}, {0xF8, "o", 6}, {0x9C, "oe", 7}, {0xBA, "o", 8},
    {0x9A, "s", 1}, {0xDF, "ss", 7}, {0xF9, "u", 1}, {0xFA, "u", 2}, {0xFB, "u", 3}, {0xFC, "u", 4},  {0xFD, "y", 1},
    {0xFF, "y", 2}, {0x9E, "z", 1},
};

bool Ignorable(int c) { return c == '-' || c == '\'' || c == 0xAD || c == 0x7F || (c < 32 && !(c >= 9 && c <= 13)); }

const std::array<Weight, 256>& Weights() {
    static const std::array<Weight, 256> table = [] {
        std::array<Weight, 256> w{};
        Word symbol = 1;
        for (int c : {9, 10, 11, 12, 13, 32}) w[c].primary[0] = symbol++;
        for (int c = 33; c < 256; ++c) {
            if (!Ignorable(c) && !(c >= '0' && c <= '9')) w[c].primary[0] = symbol++;  // letters overwritten below
        }
        for (int d = 0; d <= 9; ++d) w['0' + d].primary[0] = static_cast<Word>(kDigitBase + d);
        w[0xB9] = {{kDigitBase + 1, 0}, 1, 0};
        w[0xB2] = {{kDigitBase + 2, 0}, 1, 0};
        w[0xB3] = {{kDigitBase + 3, 0}, 1, 0};
        for (char c = 'a'; c <= 'z'; ++c) w[static_cast<unsigned char>(c)].primary[0] = LetterWeight(c);
        for (const Accented& a : kAccented) {
            w[a.ch] = {{LetterWeight(a.base[0]), a.base[1] ? LetterWeight(a.base[1]) : Word(0)}, a.accent, 0};
        }
        w[0xFE].primary[0] = LetterWeight('z') + 1;  // þ after z
        for (int c = 0; c < 256; ++c) {
            const auto lower = static_cast<unsigned char>(AnsiLowerChar(static_cast<char>(c)));
            if (lower != c) w[c] = w[lower], w[c].upper = 1;
        }
        return w;
    }();
    return table;
}

// Characters outside Windows-1252 weigh after all others, by their case folding, then by code point.
constexpr std::uint32_t kForeignBase = 0x10000;

struct Key {
    std::vector<std::uint32_t> primary;
    std::vector<Byte> secondary;
    std::vector<std::uint32_t> tertiary;  // case: 1 for upper case, or a foreign character's code point
    std::size_t ignorables = 0;
};

void AddAnsi(Key& key, unsigned char c) {
    const Weight& w = Weights()[c];
    if (w.primary[0] == 0) {
        ++key.ignorables;
        return;
    }
    for (Word p : w.primary) {
        if (p == 0) continue;
        key.primary.push_back(p);
        key.secondary.push_back(w.secondary);
        key.tertiary.push_back(w.upper);
    }
}

void AddForeign(Key& key, char32_t c) {
    key.primary.push_back(kForeignBase + FoldCase(c));
    key.secondary.push_back(0);
    key.tertiary.push_back(c);
}

template <typename Seq>
int Lexicographic(const Seq& a, const Seq& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Primary weights, then accents, then case; then the count of ignorable characters; Tie decides the rest.
template <typename TieBreak>
Integer Collate(const Key& a, const Key& b, bool caseSensitive, TieBreak Tie) {
    if (int r = Lexicographic(a.primary, b.primary)) return r;
    if (int r = Lexicographic(a.secondary, b.secondary)) return r;
    if (caseSensitive) {
        if (int r = Lexicographic(a.tertiary, b.tertiary)) return r;
    }
    if (a.ignorables != b.ignorables) return a.ignorables < b.ignorables ? -1 : 1;
    return Tie();
}

int Sign(Integer v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

Key AnsiKey(const AnsiString& S) {
    Key key;
    for (char ch : S) AddAnsi(key, static_cast<unsigned char>(ch));
    return key;
}

Integer CollateAnsi(const AnsiString& S1, const AnsiString& S2, bool caseSensitive) {
    return Collate(AnsiKey(S1), AnsiKey(S2), caseSensitive, [&] {
        return caseSensitive ? Sign(CompareStr(S1, S2)) : Sign(CompareStr(AnsiLowerCase(S1), AnsiLowerCase(S2)));
    });
}

// UTF-16 as code points; a lone surrogate stands for itself.
std::u32string CodePoints(std::u16string_view S) {
    std::u32string points;
    points.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        const char16_t u = S[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) {
            points.push_back(0x10000 + ((char32_t(u) - 0xD800) << 10) + (S[++i] - 0xDC00));
        } else {
            points.push_back(u);
        }
    }
    return points;
}

Key WideKey(const std::u32string& Points) {
    Key key;
    for (char32_t c : Points) {
        const char byte = c == 0 ? '\0' : codepage::UnicodeToAnsiChar(c, '\0');
        if (c == 0 || byte != '\0') AddAnsi(key, static_cast<unsigned char>(byte));
        else AddForeign(key, c);
    }
    return key;
}

std::u32string Folded(std::u32string Points) {
    for (char32_t& c : Points) c = FoldCase(c);
    return Points;
}

// The length of a counted or zero-terminated string; -1 for a bad one.
template <typename Char>
int CountedLength(const Char* S, int Count) {
    if (Count < -1 || (!S && Count != 0)) return -1;
    if (Count >= 0) return Count;
    return static_cast<int>(std::char_traits<Char>::length(S));
}

int CompareResult(Integer Order) { return Order < 0 ? CSTR_LESS_THAN : Order > 0 ? CSTR_GREATER_THAN : CSTR_EQUAL; }

}  // namespace

Integer AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) { return CollateAnsi(S1, S2, true); }
Integer AnsiCompareText(const AnsiString& S1, const AnsiString& S2) { return CollateAnsi(S1, S2, false); }
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2) { return AnsiLowerCase(S1) == AnsiLowerCase(S2); }
bool AnsiSameStr(const AnsiString& S1, const AnsiString& S2) { return S1 == S2; }

int CompareStringA(LCID, DWORD dwCmpFlags, const char* lpString1, int cchCount1, const char* lpString2, int cchCount2) {
    const int n1 = CountedLength(lpString1, cchCount1), n2 = CountedLength(lpString2, cchCount2);
    if (n1 < 0 || n2 < 0 || (dwCmpFlags & ~NORM_IGNORECASE) != 0) return 0;
    const AnsiString s1(lpString1 ? lpString1 : "", static_cast<std::size_t>(n1));
    const AnsiString s2(lpString2 ? lpString2 : "", static_cast<std::size_t>(n2));
    return CompareResult(CollateAnsi(s1, s2, (dwCmpFlags & NORM_IGNORECASE) == 0));
}

int CompareStringW(LCID, DWORD dwCmpFlags, const WideChar* lpString1, int cchCount1, const WideChar* lpString2,
                   int cchCount2) {
    const int n1 = CountedLength(lpString1, cchCount1), n2 = CountedLength(lpString2, cchCount2);
    if (n1 < 0 || n2 < 0 || (dwCmpFlags & ~NORM_IGNORECASE) != 0) return 0;
    const bool caseSensitive = (dwCmpFlags & NORM_IGNORECASE) == 0;
    const std::u32string p1 = CodePoints({lpString1, static_cast<std::size_t>(n1)});
    const std::u32string p2 = CodePoints({lpString2, static_cast<std::size_t>(n2)});
    return CompareResult(Collate(WideKey(p1), WideKey(p2), caseSensitive, [&] {
        return caseSensitive ? Lexicographic(p1, p2) : Lexicographic(Folded(p1), Folded(p2));
    }));
}
