// The search state's defaults and the byte-level search under every routine of the unit.
#include "exposit.h"
#include "exposit_Detail.h"

namespace exposit {

using namespace Varpre;

void InitPosInfo(PosInfoT& Info) {
    Info = PosInfoT{};
    Info.CaseSensitive = 1;
    Info.Occurrence = 1;
    Info.OpenQuote = "\"";
    Info.CloseQuote = "\"";
    Info.Overlapping = 1;
    Info.WordEdgeChars = NonAlnumSet();
    Info.MatchChars = LettersSet();
    Info.WordChars = LettersSet() + NonLettersSet() - WordDelimSet();
}

namespace detail {

namespace {

bool HasLetter(const AnsiString& S) {
    const TSet<AnsiChar>& letters = LettersSet();
    for (AnsiChar c : S)
        if (letters.Contains(c)) return true;
    return false;
}

}  // namespace

std::size_t SearchFrom(const AnsiString& Pattern, const AnsiString& S, std::size_t From, bool CaseSensitive) {
    if (Pattern.empty() || From > S.size() || Pattern.size() > S.size() - From) return NotFound;
    // Without letters in the pattern, folding cannot change the outcome.
    if (CaseSensitive || !HasLetter(Pattern)) return S.find(Pattern, From);
    const CaseTableT& lower = LowerTable();
    const AnsiChar first = lower[static_cast<Byte>(Pattern[0])];
    const std::size_t last = S.size() - Pattern.size();
    for (std::size_t at = From; at <= last; ++at) {
        if (lower[static_cast<Byte>(S[at])] != first) continue;
        std::size_t k = 1;
        while (k < Pattern.size() && lower[static_cast<Byte>(S[at + k])] == lower[static_cast<Byte>(Pattern[k])]) ++k;
        if (k == Pattern.size()) return at;
    }
    return NotFound;
}

bool SameAt(const AnsiString& S, std::size_t At, const AnsiString& Part, bool CaseSensitive) {
    if (At > S.size() || Part.size() > S.size() - At) return false;
    if (CaseSensitive) return S.compare(At, Part.size(), Part) == 0;
    const CaseTableT& lower = LowerTable();
    for (std::size_t k = 0; k < Part.size(); ++k)
        if (lower[static_cast<Byte>(S[At + k])] != lower[static_cast<Byte>(Part[k])]) return false;
    return true;
}

const AnsiString& CloseOf(const AnsiString& Open, const AnsiString& Close) { return Close == NotGiven ? Open : Close; }

Integer ToPos(std::size_t Index) { return Index == NotFound ? 0 : CheckedCast<Integer>(Index + 1); }

}  // namespace detail

}  // namespace exposit
