// Locale-style comparison of Windows-1252 text (word sort): symbols before digits before letters,
// accented letters beside their base letter, lower case before upper case, '-' and '\'' weighing last.
#include <array>
#include <vector>

#include "vcl/SysUtils.h"

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

struct Key {
    std::vector<Word> primary;
    std::vector<Byte> secondary;
    std::vector<Byte> upper;
    AnsiString ignorables;
};

Key MakeKey(const AnsiString& S) {
    const auto& weights = Weights();
    Key key;
    for (char ch : S) {
        const auto c = static_cast<unsigned char>(ch);
        const Weight& w = weights[c];
        if (w.primary[0] == 0) {
            key.ignorables += ch;
            continue;
        }
        for (Word p : w.primary) {
            if (p == 0) continue;
            key.primary.push_back(p);
            key.secondary.push_back(w.secondary);
            key.upper.push_back(w.upper);
        }
    }
    return key;
}

template <typename Seq>
int Lexicographic(const Seq& a, const Seq& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int Sign(Integer v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

Integer Collate(const AnsiString& S1, const AnsiString& S2, bool caseSensitive) {
    const Key a = MakeKey(S1);
    const Key b = MakeKey(S2);
    if (int r = Lexicographic(a.primary, b.primary)) return r;
    if (int r = Lexicographic(a.secondary, b.secondary)) return r;
    if (caseSensitive) {
        if (int r = Lexicographic(a.upper, b.upper)) return r;
    }
    if (a.ignorables.size() != b.ignorables.size()) return a.ignorables.size() < b.ignorables.size() ? -1 : 1;
    return caseSensitive ? Sign(CompareStr(S1, S2)) : Sign(CompareStr(AnsiLowerCase(S1), AnsiLowerCase(S2)));
}

}  // namespace

Integer AnsiCompareStr(const AnsiString& S1, const AnsiString& S2) { return Collate(S1, S2, true); }
Integer AnsiCompareText(const AnsiString& S1, const AnsiString& S2) { return Collate(S1, S2, false); }
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2) { return AnsiLowerCase(S1) == AnsiLowerCase(S2); }
bool AnsiSameStr(const AnsiString& S1, const AnsiString& S2) { return S1 == S2; }
