// The runtime's 1-based string routines and case conversion.
#include <algorithm>
#include <array>

#include "vcl/SysUtils.h"

namespace {

unsigned char Code(char c) { return static_cast<unsigned char>(c); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

struct CaseTables {
    std::array<char, 256> upper{};
    std::array<char, 256> lower{};
};

// Windows-1252 letters: A..Z, À..Þ without ×, and the four pairs in 0x80..0x9F; ß, µ and ƒ stay.
const CaseTables& Tables() {
    static const CaseTables tables = [] {
        CaseTables t;
        for (int c = 0; c < 256; ++c) t.upper[c] = t.lower[c] = static_cast<char>(c);
        auto pair = [&t](int upper, int lower) {
            t.upper[lower] = static_cast<char>(upper);
            t.lower[upper] = static_cast<char>(lower);
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c) {
            if (c != 0xD7) pair(c, c + 32);
        }
        pair(0x8A, 0x9A);
        pair(0x8C, 0x9C);
        pair(0x8E, 0x9E);
        pair(0x9F, 0xFF);
        return t;
    }();
    return tables;
}

template <typename Map>
AnsiString Mapped(const AnsiString& S, Map map) {
    AnsiString out = S;
    std::transform(out.begin(), out.end(), out.begin(), map);
    return out;
}

// Shared by CompareStr and CompareText: byte difference at the first mismatch, else length difference.
template <typename Fold>
Integer CompareBytes(const AnsiString& S1, const AnsiString& S2, Fold fold) {
    const std::size_t n = std::min(S1.size(), S2.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int a = Code(fold(S1[i]));
        const int b = Code(fold(S2[i]));
        if (a != b) return a - b;
    }
    return static_cast<Integer>(S1.size()) - static_cast<Integer>(S2.size());
}

}  // namespace

AnsiString Copy(const AnsiString& S, Integer Index, Integer Count) {
    const Int64 length = Length(S);
    Int64 start = std::max<Int64>(Index, 1) - 1;
    if (start >= length || Count <= 0) return {};
    return S.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(std::min<Int64>(Count, length - start)));
}

void Delete(AnsiString& S, Integer Index, Integer Count) {
    const Int64 length = Length(S);
    if (Index < 1 || Index > length || Count <= 0) return;
    const Int64 start = Index - 1;
    S.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(std::min<Int64>(Count, length - start)));
}

void Insert(const AnsiString& Source, AnsiString& S, Integer Index) {
    const Int64 at = std::clamp<Int64>(static_cast<Int64>(Index) - 1, 0, Length(S));
    S.insert(static_cast<std::size_t>(at), Source);
}

Integer Pos(const AnsiString& SubStr, const AnsiString& S) { return PosEx(SubStr, S, 1); }

Integer PosEx(const AnsiString& SubStr, const AnsiString& S, Integer Offset) {
    if (SubStr.empty() || Offset < 1 || Offset > Length(S)) return 0;
    const std::size_t found = S.find(SubStr, static_cast<std::size_t>(Offset - 1));
    return found == AnsiString::npos ? 0 : static_cast<Integer>(found) + 1;
}

AnsiString StringOfChar(char Ch, Integer Count) {
    return Count > 0 ? AnsiString(static_cast<std::size_t>(Count), Ch) : AnsiString();
}

AnsiString TrimLeft(const AnsiString& S) {
    std::size_t first = 0;
    while (first < S.size() && Code(S[first]) <= ' ') ++first;
    return S.substr(first);
}

AnsiString TrimRight(const AnsiString& S) {
    std::size_t end = S.size();
    while (end > 0 && Code(S[end - 1]) <= ' ') --end;
    return S.substr(0, end);
}

AnsiString Trim(const AnsiString& S) { return TrimLeft(TrimRight(S)); }

AnsiString UpperCase(const AnsiString& S) { return Mapped(S, AsciiUpper); }
AnsiString LowerCase(const AnsiString& S) { return Mapped(S, AsciiLower); }

Integer CompareStr(const AnsiString& S1, const AnsiString& S2) {
    return CompareBytes(S1, S2, [](char c) { return c; });
}
Integer CompareText(const AnsiString& S1, const AnsiString& S2) { return CompareBytes(S1, S2, AsciiUpper); }
bool SameText(const AnsiString& S1, const AnsiString& S2) { return CompareText(S1, S2) == 0; }

char AnsiUpperChar(char C) { return Tables().upper[Code(C)]; }
char AnsiLowerChar(char C) { return Tables().lower[Code(C)]; }
AnsiString AnsiUpperCase(const AnsiString& S) { return Mapped(S, AnsiUpperChar); }
AnsiString AnsiLowerCase(const AnsiString& S) { return Mapped(S, AnsiLowerChar); }

AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags) {
    if (OldPattern.empty()) return S;
    const bool ignoreCase = Flags.Contains(rfIgnoreCase);
    const AnsiString haystack = ignoreCase ? AnsiUpperCase(S) : S;
    const AnsiString needle = ignoreCase ? AnsiUpperCase(OldPattern) : OldPattern;
    AnsiString result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t found = haystack.find(needle, from);
        if (found == AnsiString::npos) break;
        result.append(S, from, found - from).append(NewPattern);
        from = found + needle.size();
        if (!Flags.Contains(rfReplaceAll)) break;
    }
    return result.append(S, from, AnsiString::npos);
}
