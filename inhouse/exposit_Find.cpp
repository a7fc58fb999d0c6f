// The general search on a PosInfoT: what is matched, which matches qualify, which one is picked.
#include "exposit.h"
#include "exposit_Detail.h"

#include <algorithm>
#include <vector>

namespace exposit {

using namespace detail;
using namespace Varpre;

namespace {

struct Match {
    std::size_t At;
    std::size_t Len;
};

class Matcher {
public:
    Matcher(const PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text)
        : info_(Info), pattern_(Pattern), text_(Text) {
        if (Info.SkipQuotes) MarkQuoted();
    }

    // Visit(Match) returns false to stop. A rejected candidate resumes one character after its
    // start, an accepted one by Overlapping.
    template <typename VisitT>
    void ForEach(VisitT&& Visit) const {
        std::size_t from = 0;
        Match m{};
        while (Next(from, m)) {
            const bool accepted = Accepts(m);
            if (accepted && !Visit(m)) return;
            // Nothing after position 1 can start there.
            if (info_.Anchor == 1) return;
            from = m.At + (accepted && !info_.Overlapping ? m.Len : 1);
        }
    }

private:
    bool Next(std::size_t From, Match& M) const {
        switch (info_.MatchKind) {
            case mkCharOfSet: return NextRun(From, info_.MatchChars, 1, M);
            case mkDigitRun: return NextRun(From, DigitsSet(), 0, M);
            case mkRepeatedLetter: return NextRepeat(From, M);
            case mkWord:
                if (pattern_.empty()) return NextRun(From, info_.WordChars, 0, M);
                return NextPattern(From, M);
            default: return NextPattern(From, M);
        }
    }

    bool NextPattern(std::size_t From, Match& M) const {
        M = Match{SearchFrom(pattern_, text_, From, info_.CaseSensitive), pattern_.size()};
        return M.At != NotFound;
    }

    // The next whole run of Chars (MaxLen 0: no limit) that starts at or after From.
    bool NextRun(std::size_t From, const TSet<AnsiChar>& Chars, std::size_t MaxLen, Match& M) const {
        for (std::size_t at = From; at < text_.size(); ++at) {
            if (!Chars.Contains(text_[at])) continue;
            if (MaxLen == 0 && at > 0 && Chars.Contains(text_[at - 1])) continue;
            std::size_t end = at + 1;
            while (end < text_.size() && (MaxLen == 0 || end - at < MaxLen) && Chars.Contains(text_[end])) ++end;
            M = Match{at, end - at};
            return true;
        }
        return false;
    }

    bool SameLetter(AnsiChar A, AnsiChar B) const {
        if (info_.CaseSensitive) return A == B;
        const CaseTableT& lower = LowerTable();
        return lower[static_cast<Byte>(A)] == lower[static_cast<Byte>(B)];
    }

    // The next whole run of two or more of one character of MatchChars.
    bool NextRepeat(std::size_t From, Match& M) const {
        for (std::size_t at = From; at + 1 < text_.size(); ++at) {
            const AnsiChar c = text_[at];
            if (!info_.MatchChars.Contains(c) || !SameLetter(text_[at + 1], c)) continue;
            if (at > 0 && SameLetter(text_[at - 1], c)) continue;
            std::size_t end = at + 2;
            while (end < text_.size() && SameLetter(text_[end], c)) ++end;
            M = Match{at, end - at};
            return true;
        }
        return false;
    }

    bool Accepts(const Match& M) const {
        const std::size_t end = M.At + M.Len;
        if (info_.Anchor == 1 && M.At != 0) return false;
        if (info_.Anchor == 2 && end != text_.size()) return false;
        if (!quotedBefore_.empty() && quotedBefore_[end] != quotedBefore_[M.At]) return false;
        const bool word = info_.MatchKind == mkWord;
        if ((word || info_.WordStartTest) && M.At > 0 && !info_.WordEdgeChars.Contains(text_[M.At - 1])) return false;
        if ((word || info_.WordEndTest) && end < text_.size() && !info_.WordEdgeChars.Contains(text_[end]))
            return false;
        return true;
    }

    // Marks the text between quotes, the quotes themselves excluded. Instead of blanking that text
    // (which a pattern of blanks would still match) a match may not touch it; an unclosed quote
    // runs to the end.
    void MarkQuoted() {
        const AnsiString& open = info_.OpenQuote;
        const AnsiString& close = CloseOf(open, info_.CloseQuote);
        std::vector<char> quoted(text_.size(), 0);
        std::size_t from = 0;
        std::size_t openAt;
        while ((openAt = SearchFrom(open, text_, from, true)) != NotFound) {
            const std::size_t inside = openAt + open.size();
            const std::size_t closeAt = SearchFrom(close, text_, inside, true);
            std::fill(quoted.begin() + static_cast<std::ptrdiff_t>(inside),
                      closeAt == NotFound ? quoted.end() : quoted.begin() + static_cast<std::ptrdiff_t>(closeAt), 1);
            if (closeAt == NotFound) break;
            from = closeAt + close.size();
        }
        quotedBefore_.assign(text_.size() + 1, 0);
        for (std::size_t i = 0; i < text_.size(); ++i) quotedBefore_[i + 1] = quotedBefore_[i] + quoted[i];
    }

    const PosInfoT& info_;
    const AnsiString& pattern_;
    const AnsiString& text_;
    // Number of quoted characters before each index; empty when quotes are not skipped.
    std::vector<std::size_t> quotedBefore_;
};

Integer SetResult(PosInfoT& Info, const AnsiString& Text, const Match* M) {
    Info.Position = M ? ToPos(M->At) : 0;
    Info.MatchLen = M ? CheckedCast<Integer>(M->Len) : 0;
    Info.Found = M ? Text.substr(M->At, M->Len) : AnsiString();
    return Info.Position;
}

}  // namespace

Integer FindPos(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text) {
    const Matcher matcher(Info, Pattern, Text);
    const Int64 occurrence = Info.Occurrence;
    if (occurrence > 0) {
        Int64 seen = 0;
        Match picked{};
        matcher.ForEach([&](const Match& m) {
            picked = m;
            return ++seen < occurrence;
        });
        return SetResult(Info, Text, seen == occurrence ? &picked : nullptr);
    }
    // The k-th from the end: keep the last k matches in a ring (never more than the text can hold).
    const Int64 fromEnd = occurrence == 0 ? 1 : -occurrence;
    std::vector<Match> ring(static_cast<std::size_t>(std::min<Int64>(fromEnd, static_cast<Int64>(Text.size()) + 1)));
    Int64 seen = 0;
    matcher.ForEach([&](const Match& m) {
        ring[static_cast<std::size_t>(seen % static_cast<Int64>(ring.size()))] = m;
        ++seen;
        return true;
    });
    if (seen < fromEnd) return SetResult(Info, Text, nullptr);
    return SetResult(Info, Text, &ring[static_cast<std::size_t>((seen - fromEnd) % static_cast<Int64>(ring.size()))]);
}

Integer FindOccurrences(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text, Integer MaxCount) {
    Info.Positions.assign(1, PositionT{0, 0});
    Info.Count = 0;
    Match last{};
    if (MaxCount > 0) {
        Matcher(Info, Pattern, Text).ForEach([&](const Match& m) {
            last = m;
            const PositionT position{ToPos(m.At), CheckedCast<Integer>(m.Len)};
            Info.Positions.push_back(position);
            Info.Positions[0] = position;
            return ++Info.Count < MaxCount;
        });
    }
    SetResult(Info, Text, Info.Count > 0 ? &last : nullptr);
    return Info.Count;
}

Integer CountPos(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text) {
    return FindOccurrences(Info, Pattern, Text, 9999999);
}

Integer NthPos(const AnsiString& Pattern, const AnsiString& S, Integer N, bool CaseSensitive) {
    PosInfoT info;
    InitPosInfo(info);
    info.CaseSensitive = CaseSensitive;
    info.Occurrence = N;
    return FindPos(info, Pattern, S);
}

Integer LastPos(const AnsiString& Pattern, const AnsiString& S) {
    if (Pattern.size() == 1) return ToPos(S.rfind(Pattern[0]));
    return NthPos(Pattern, S, 0, false);
}

Integer PosOutsideQuotes(const AnsiString& Pattern, const AnsiString& S, const AnsiString& OpenQuote,
                         const AnsiString& CloseQuote) {
    PosInfoT info;
    InitPosInfo(info);
    info.SkipQuotes = 1;
    info.OpenQuote = OpenQuote;
    info.CloseQuote = CloseQuote;
    return FindPos(info, Pattern, S);
}

}  // namespace exposit
