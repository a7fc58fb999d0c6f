// The plain search and replace-all: the first byte is looked for on its own, then the rest of the
// pattern compared from its end, and a replace-all writes into one buffer sized in advance.
#include "FastStrings.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

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
        // The two cases of an ASCII letter differ in bit 5 only: with it set, the lower case is
        // looked for eight bytes at a time (the lowest zero byte of word ^ wanted is the first hit).
        static_assert(std::endian::native == std::endian::little);
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        constexpr std::uint64_t highs = 0x8080808080808080ULL;
        const unsigned char lower = First | 0x20;
        const std::uint64_t wanted = ones * lower;
        for (; Last - From >= 7; From += 8) {
            std::uint64_t word;
            std::memcpy(&word, From, sizeof word);
            const std::uint64_t x = (word | ones * 0x20) ^ wanted;
            const std::uint64_t zeroBytes = (x - ones) & ~x & highs;
            if (zeroBytes != 0) return From + (std::countr_zero(zeroBytes) >> 3);
        }
        for (; From <= Last; ++From) {
            if ((*From | 0x20) == lower) return From;
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

// Where every match starts, resuming after each match.
std::vector<Integer> MatchStarts(SearchFn Find, const AnsiString& Source, const AnsiString& Pattern) {
    std::vector<Integer> starts;
    for (Integer at = 1; (at = Find(Source.data(), Pattern.data(), Length(Source), at, Length(Pattern))) != 0;
         at += Length(Pattern)) {
        starts.push_back(at);
    }
    return starts;
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
    // The matches are found first, so the result is allocated once at its real size: room for the
    // worst case (a match at every position) can be many times the text.
    const std::vector<Integer> starts = MatchStarts(CaseSensitive ? FastPos : FastPosNoCase, Source, Find);
    AnsiString out;
    out.reserve(Source.size() - starts.size() * Find.size() + starts.size() * ReplaceWith.size());
    std::size_t from = 0;  // 0-based: the first byte not yet copied
    for (const Integer start : starts) {
        const auto at = static_cast<std::size_t>(start - 1);
        out.append(Source, from, at - from);
        out.append(ReplaceWith);
        from = at + Find.size();
    }
    out.append(Source, from);
    Result = std::move(out);
}

}  // namespace FastStrings
