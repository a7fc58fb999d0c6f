// The plain search and replace-all: the first byte is looked for on its own, then the rest of the
// pattern compared from its end, and a replace-all writes into one buffer sized in advance.
#include "FastStrings.h"

#include <array>
#include <cstring>

#include <vcl/SysUtils.h>

namespace FastStrings {

namespace {

using Bytes = const unsigned char*;

// ASCII letters folded to upper case; every other byte stands for itself.
constexpr std::array<unsigned char, 256> MakeAsciiFold() {
    std::array<unsigned char, 256> fold{};
    for (int c = 0; c < 256; ++c) fold[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return fold;
}
constexpr std::array<unsigned char, 256> AsciiFold = MakeAsciiFold();

struct ExactBytes {
    static unsigned char Key(unsigned char c) { return c; }
    // The next byte equal to First in [From, Last].
    static Bytes FindFirst(Bytes From, Bytes Last, unsigned char First) {
        return static_cast<Bytes>(std::memchr(From, First, static_cast<std::size_t>(Last - From + 1)));
    }
};

struct FoldedBytes {
    static unsigned char Key(unsigned char c) { return AsciiFold[c]; }
    static Bytes FindFirst(Bytes From, Bytes Last, unsigned char First) {
        // A byte without another case is found as fast as an exact one.
        if (First < 'A' || First > 'Z') return ExactBytes::FindFirst(From, Last, First);
        for (; From <= Last; ++From) {
            if (AsciiFold[*From] == First) return From;
        }
        return nullptr;
    }
};

template <typename Compare>
Integer Search(const AnsiChar* Text, const AnsiChar* Pattern, Integer TextLen, Integer Start, Integer PatternLen) {
    if (PatternLen <= 0 || Start < 1 || Start > TextLen || PatternLen > TextLen - Start + 1) return 0;
    const auto text = reinterpret_cast<Bytes>(Text);
    const auto pattern = reinterpret_cast<Bytes>(Pattern);
    const unsigned char first = Compare::Key(pattern[0]);
    const Bytes last = text + (TextLen - PatternLen);  // the last place a match can start
    for (Bytes at = text + (Start - 1); at <= last; ++at) {
        at = Compare::FindFirst(at, last, first);
        if (at == nullptr) return 0;
        Integer k = PatternLen - 1;
        while (k > 0 && Compare::Key(at[k]) == Compare::Key(pattern[k])) --k;
        if (k == 0) return static_cast<Integer>(at - text) + 1;
    }
    return 0;
}

using SearchFn = Integer (*)(const AnsiChar*, const AnsiChar*, Integer, Integer, Integer);

Integer CountMatches(SearchFn Find, const AnsiString& Source, const AnsiString& Pattern) {
    Integer count = 0;
    for (Integer at = 1; (at = Find(Source.data(), Pattern.data(), Length(Source), at, Length(Pattern))) != 0;
         at += Length(Pattern)) {
        ++count;
    }
    return count;
}

}  // namespace

Integer FastPos(const AnsiChar* Text, const AnsiChar* Pattern, Integer TextLen, Integer Start, Integer PatternLen) {
    return Search<ExactBytes>(Text, Pattern, TextLen, Start, PatternLen);
}

Integer FastPosNoCase(const AnsiChar* Text, const AnsiChar* Pattern, Integer TextLen, Integer Start,
                      Integer PatternLen) {
    return Search<FoldedBytes>(Text, Pattern, TextLen, Start, PatternLen);
}

void FastReplace(AnsiString& Source, const AnsiString& Find, const AnsiString& ReplaceWith, bool CaseSensitive,
                 AnsiString& Result) {
    if (Find.empty()) {
        Result = Source;
        return;
    }
    const SearchFn find = CaseSensitive ? FastPos : FastPosNoCase;
    const Integer sourceLen = Length(Source);
    const Integer findLen = Length(Find);
    std::size_t capacity = Source.size();
    if (ReplaceWith.size() > Find.size()) {
        // Sized from the real number of matches: room for the worst case (a match at every
        // position) can be many times the text.
        capacity += static_cast<std::size_t>(CountMatches(find, Source, Find)) * (ReplaceWith.size() - Find.size());
    }
    AnsiString out;
    out.reserve(capacity);
    Integer from = 1;
    for (Integer at; (at = find(Source.data(), Find.data(), sourceLen, from, findLen)) != 0; from = at + findLen) {
        out.append(Source, static_cast<std::size_t>(from - 1), static_cast<std::size_t>(at - from));
        out.append(ReplaceWith);
    }
    out.append(Source, static_cast<std::size_t>(from - 1));
    Result = std::move(out);
}

}  // namespace FastStrings
