// Prefix and suffix tests, plain positions and counts, character-set positions, lists and words.
#include "exposit.h"
#include "exposit_Detail.h"

#include <algorithm>

namespace exposit {

using namespace detail;
using namespace Varpre;

namespace {

Integer CountMatches(const AnsiString& Pattern, const AnsiString& S, bool Overlapping) {
    Integer count = 0;
    const std::size_t step = Overlapping ? 1 : Pattern.size();
    for (std::size_t at = SearchFrom(Pattern, S, 0, true); at != NotFound; at = SearchFrom(Pattern, S, at + step, true))
        ++count;
    return count;
}

std::size_t FirstIn(const TSet<AnsiChar>& Chars, const AnsiString& S) {
    const auto it = std::find_if(S.begin(), S.end(), [&](AnsiChar c) { return Chars.Contains(c); });
    return it == S.end() ? NotFound : static_cast<std::size_t>(it - S.begin());
}

std::size_t LastIn(const TSet<AnsiChar>& Chars, const AnsiString& S) {
    for (std::size_t i = S.size(); i > 0; --i)
        if (Chars.Contains(S[i - 1])) return i - 1;
    return NotFound;
}

Integer FoundAt(const AnsiString& S, std::size_t At, AnsiChar& Found) {
    Found = At == NotFound ? '\0' : S[At];
    return ToPos(At);
}

}  // namespace

bool StartsWith(const AnsiString& Prefix, const AnsiString& S, bool CaseSensitive) {
    return SameAt(S, 0, Prefix, CaseSensitive);
}

bool EndsWith(const AnsiString& Suffix, const AnsiString& S, bool CaseSensitive) {
    return Suffix.size() <= S.size() && SameAt(S, S.size() - Suffix.size(), Suffix, CaseSensitive);
}

bool FirstCharIn(const TSet<AnsiChar>& Chars, const AnsiString& S) { return !S.empty() && Chars.Contains(S.front()); }

bool LastCharIn(const TSet<AnsiChar>& Chars, const AnsiString& S) { return !S.empty() && Chars.Contains(S.back()); }

bool ConsistsOfChars(const TSet<AnsiChar>& Chars, const AnsiString& S) {
    return !S.empty() && std::all_of(S.begin(), S.end(), [&](AnsiChar c) { return Chars.Contains(c); });
}

Integer PosCase(const AnsiString& Pattern, const AnsiString& S, bool CaseSensitive) {
    return ToPos(SearchFrom(Pattern, S, 0, CaseSensitive));
}

Integer PosFrom(const AnsiString& Pattern, const AnsiString& S, Integer Start, bool CaseSensitive) {
    if (Start < 1) RaiseRangeError();
    return ToPos(SearchFrom(Pattern, S, static_cast<std::size_t>(Start - 1), CaseSensitive));
}

Integer CountOccurrences(const AnsiString& Pattern, const AnsiString& S) { return CountMatches(Pattern, S, true); }

Integer CountOccurrencesNoOverlap(const AnsiString& Pattern, const AnsiString& S) {
    return CountMatches(Pattern, S, false);
}

Integer CharSetPos(const TSet<AnsiChar>& Chars, const AnsiString& S) { return ToPos(FirstIn(Chars, S)); }

Integer CharSetPosFound(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiChar& Found) {
    return FoundAt(S, FirstIn(Chars, S), Found);
}

Integer LastCharSetPos(const TSet<AnsiChar>& Chars, const AnsiString& S) { return ToPos(LastIn(Chars, S)); }

Integer LastCharSetPosFound(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiChar& Found) {
    return FoundAt(S, LastIn(Chars, S), Found);
}

Integer CharSetRunPos(const TSet<AnsiChar>& Chars, const AnsiString& S, Integer& RunLen) {
    const std::size_t start = FirstIn(Chars, S);
    std::size_t end = start;
    if (start != NotFound)
        while (end < S.size() && Chars.Contains(S[end])) ++end;
    RunLen = start == NotFound ? 0 : CheckedCast<Integer>(end - start);
    return ToPos(start);
}

Integer DigitPos(const AnsiString& S) { return CharSetPos(DigitsSet(), S); }

Integer DigitRunPos(const AnsiString& S, Integer& RunLen) { return CharSetRunPos(DigitsSet(), S, RunLen); }

Integer RepeatedLetterPos(const TSet<AnsiChar>& Letters, const AnsiString& S, Integer& RunLen) {
    RunLen = 0;
    for (std::size_t at = 0; at + 1 < S.size(); ++at) {
        if (!Letters.Contains(S[at]) || S[at + 1] != S[at]) continue;
        std::size_t end = at + 2;
        while (end < S.size() && S[end] == S[at]) ++end;
        RunLen = CheckedCast<Integer>(end - at);
        return ToPos(at);
    }
    return 0;
}

Integer ListItemCount(const AnsiString& List, const AnsiString& Sep) {
    return List.empty() ? 0 : CountOccurrencesNoOverlap(Sep, List) + 1;
}

Integer ListItemIndex(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive) {
    if (Item.empty() || List.empty() || Sep.empty()) return 0;
    const AnsiString wrapped = Sep + List + Sep;
    const std::size_t at = SearchFrom(Sep + Item + Sep, wrapped, 0, CaseSensitive);
    if (at == NotFound) return 0;
    // The separators up to the one before the item number it.
    return CountOccurrencesNoOverlap(Sep, wrapped.substr(0, at + Sep.size()));
}

bool FindInList(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive,
                AnsiString& Found) {
    const Integer index = ListItemIndex(Item, List, Sep, CaseSensitive);
    AnsiString rest = List;
    AnsiString item;
    for (Integer i = 1; i <= index; ++i) CutToken(rest, Sep, true, item);
    Found = index == 0 ? AnsiString() : item;
    return index != 0;
}

void FirstOfAny(const AnsiString& S, const AnsiString& Patterns, const AnsiString& Sep, bool CaseSensitive,
                StringAndCountT& Found) {
    StringAndCountT best{AnsiString(), 0};
    AnsiString rest = Patterns;
    AnsiString pattern;
    while (!rest.empty()) {
        CutToken(rest, Sep, true, pattern);
        const Integer at = PosCase(pattern, S, CaseSensitive);
        // At the same place the longer pattern is the one meant.
        if (at != 0 && (best.Count == 0 || at < best.Count || (at == best.Count && pattern.size() > best.Text.size())))
            best = StringAndCountT{pattern, at};
    }
    Found = std::move(best);
}

Integer WordCount(const AnsiString& S) {
    const TSet<AnsiChar>& delims = WordDelimSet();
    Integer count = 0;
    bool inWord = false;
    for (AnsiChar c : S) {
        const bool wordChar = !delims.Contains(c);
        if (wordChar && !inWord) ++count;
        inWord = wordChar;
    }
    return count;
}

}  // namespace exposit
