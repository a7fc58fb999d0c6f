// Arbitrary bytes through token cutting and the searches with random options: cutting always ends
// and gives back the text it took apart, and every position found lies inside the text and holds
// what was searched.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exposit.h"
#include "support/FuzzCheck.h"

using namespace exposit;
using namespace Varpre;

namespace {

// Cutting S to the end gives tokens that, joined again with the separators removed, make S.
void CheckCutting(const AnsiString& S, const AnsiString& Sep, const AnsiString& Quote, bool CaseSensitive) {
    AnsiString rest = S, token, joined;
    while (!rest.empty()) {
        const std::size_t before = rest.size();
        CutToken(rest, Sep, CaseSensitive, token);
        joined += token;
        if (!rest.empty() || before > token.size()) joined += S.substr(joined.size(), Sep.size());
        Check(rest.size() < before);
    }
    Check(joined == S);

    rest = S;
    joined.clear();
    while (!rest.empty()) {
        CutTokenOutsideQuotes(rest, Sep, Quote, NotGiven, token);
        Check(S.compare(joined.size(), token.size(), token) == 0);
        joined += token;
        joined += S.substr(joined.size(), S.size() - joined.size() - rest.size());
    }
    Check(joined == S);

    rest = S;
    while (!rest.empty()) CutTokenIntQuoted(rest, Sep, Quote);
    rest = S;
    while (!rest.empty()) CutTokenAtAny(rest, Sep + "|" + Quote, "|", token);
}

void CheckSearch(const AnsiString& Pattern, const AnsiString& Text, std::uint32_t Options) {
    PosInfoT info;
    InitPosInfo(info);
    info.CaseSensitive = Options & 1;
    info.Anchor = (Options >> 1) % 4;
    info.SkipQuotes = (Options >> 3) & 1;
    info.MatchKind = static_cast<Integer>((Options >> 4) % 6);
    info.Occurrence = static_cast<Integer>(static_cast<std::int8_t>(Options >> 8));
    info.Overlapping = (Options >> 16) & 1;
    info.WordStartTest = (Options >> 17) & 1;
    info.WordEndTest = (Options >> 18) & 1;
    if (Options & (1u << 19)) info.CloseQuote = NotGiven;
    if (Options & (1u << 20)) info.OpenQuote = Pattern.substr(0, 1);

    const Integer pos = FindPos(info, Pattern, Text);
    Check(pos == info.Position);
    if (pos != 0) {
        Check(pos >= 1 && info.MatchLen >= 1 && pos - 1 + info.MatchLen <= static_cast<Integer>(Text.size()));
        Check(info.Found == Text.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(info.MatchLen)));
        if (info.MatchKind == mkPattern && info.CaseSensitive) Check(info.Found == Pattern);
        if (info.Anchor == 1) Check(pos == 1);
        if (info.Anchor == 2) Check(pos - 1 + info.MatchLen == static_cast<Integer>(Text.size()));
    }

    const Integer maxCount = static_cast<Integer>((Options >> 21) % 8);
    const Integer count = FindOccurrences(info, Pattern, Text, maxCount);
    Check(count <= maxCount && info.Positions.size() == static_cast<std::size_t>(count) + 1);
    for (Integer i = 2; i <= count; ++i) Check(info.Positions[i].Position > info.Positions[i - 1].Position);
    if (count > 0) Check(info.Positions[0].Position == info.Positions[count].Position);

    Check(CountOccurrences(Pattern, Text) >= CountOccurrencesNoOverlap(Pattern, Text));
    const Integer plain = PosCase(Pattern, Text, true);
    Check(plain == (Pattern.empty() ? 0 : static_cast<Integer>(Text.find(Pattern) + 1)));
    Check(PosCase(Pattern, Text, false) <= plain || plain == 0);
    NthPos(Pattern, Text, info.Occurrence, info.CaseSensitive);
    LastPos(Pattern, Text);
    Check(WordCount(Text) <= static_cast<Integer>(Text.size() + 1) / 2);
    ListItemIndex(Pattern, Text, Pattern.substr(0, 1), info.CaseSensitive);
}

void CheckBetween(const AnsiString& Start, const AnsiString& End, const AnsiString& Text, Integer Options) {
    Integer len = -1, pos = -1;
    const bool found = FindBetween(Start, End, Text, Options, len, pos);
    if (!found) {
        Check(len == 0 && pos == 0);
        return;
    }
    Check(pos >= 1 && len >= 0 && pos - 1 + len <= static_cast<Integer>(Text.size()));
    if (!(Options & fbExcludeMarkers)) {
        const AnsiString& end = End == NotGiven ? Start : End;
        const AnsiString match = Text.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(len));
        const bool caseSensitive = Options & fbCaseSensitive;
        Check(StartsWith(Start, match, caseSensitive) && EndsWith(end, match, caseSensitive));
        Check(match.size() >= Start.size() + end.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Four option bytes, then the pattern (or start marker), a second pattern and the text,
    // separated by line breaks.
    std::uint32_t options = 0;
    std::size_t at = 0;
    for (; at < 4 && at < size; ++at) options |= static_cast<std::uint32_t>(data[at]) << (8 * at);
    const AnsiString input(reinterpret_cast<const char*>(data) + at, size - at);
    const std::size_t first = input.find('\n');
    const std::size_t second = first == AnsiString::npos ? AnsiString::npos : input.find('\n', first + 1);
    const AnsiString pattern = input.substr(0, first);
    const AnsiString other = first == AnsiString::npos ? AnsiString() : input.substr(first + 1, second - first - 1);
    const AnsiString text = second == AnsiString::npos ? AnsiString() : input.substr(second + 1);

    CheckCutting(text, pattern, other, options & 1);
    CheckSearch(pattern, text, options);
    CheckBetween(pattern, options & (1u << 24) ? AnsiString(NotGiven) : other, text,
                 static_cast<Integer>((options >> 25) & 31));
    return 0;
}
