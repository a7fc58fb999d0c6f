// Search and replace, character replacement, blank clean-up and the table-driven casing.
#include "repl.h"

#include <algorithm>

#include <vcl/SysUtils.h>

#include "FastStrings.h"
#include "Varpre.h"
#include "exposit.h"

using namespace Varpre;
using namespace exposit;
using namespace FastStrings;

namespace repl {

namespace {

// ReplaceChar's count when none is given.
constexpr Integer DefaultCharCount = 9999999;

Byte ByteOf(AnsiChar C) { return static_cast<Byte>(C); }

bool SameTextByTable(const AnsiString& A, const AnsiString& B) {
    if (A.size() != B.size()) return false;
    const CaseTableT& lower = LowerTable();
    for (std::size_t i = 0; i < A.size(); ++i) {
        if (lower[ByteOf(A[i])] != lower[ByteOf(B[i])]) return false;
    }
    return true;
}

// Maps every character of S through Table; Result may be S.
void MapThrough(const CaseTableT& Table, const AnsiString& S, AnsiString& Result) {
    if (&Result != &S) Result = S;
    for (AnsiChar& c : Result) c = Table[ByteOf(c)];
}

// ---------------------------------------------------------------------------
// The replace engine.

// Preserving the case of what is replaced only means something when matches of any case are found.
PosInfoT EngineSearch(const ReplaceT& R) {
    PosInfoT search = R.Search;
    if (R.PreserveCase != 0) search.CaseSensitive = 0;
    return search;
}

bool Occurs(const PosInfoT& Search, const AnsiString& Find, const AnsiString& Text) {
    PosInfoT info = Search;
    return FindPos(info, Find, Text) > 0;
}

// FastPosNoCase folds ASCII letters only; the library's search folds every letter of the code page.
bool HasNonAsciiLetter(const AnsiString& S) {
    return std::any_of(S.begin(), S.end(), [](AnsiChar c) { return ByteOf(c) >= 0x80 && LettersSet().Contains(c); });
}

bool UsesPlainPath(const ReplaceT& R, const PosInfoT& Search, const AnsiString& Find) {
    const bool plainSearch = Search.Anchor == 0 && Search.SkipQuotes == 0 && Search.MatchKind == mkPattern &&
                             Search.Occurrence == 1 && Search.WordStartTest == 0 && Search.WordEndTest == 0;
    return plainSearch && R.TrimAfter == 0 && R.TrimBefore == 0 && R.PreserveCase == 0 && R.OptionE == 0 &&
           R.OptionF == 0 && R.MaxReplacements >= NoReplaceLimit &&
           (Search.CaseSensitive != 0 || !HasNonAsciiLetter(Find));
}

// Every occurrence at once; the caller has seen that Find occurs.
void PlainPass(const PosInfoT& Search, const AnsiString& Find, const AnsiString& ReplaceWith, AnsiString& Text,
               AnsiString& Next) {
    const bool caseSensitive = Search.CaseSensitive != 0;
    if (Find.size() == 1 && ReplaceWith.size() == 1 && (caseSensitive || !LettersSet().Contains(Find[0]))) {
        ReplaceChar(Find[0], ReplaceWith[0], Text, std::max<Integer>(1, Length(Text)), Next);
    } else {
        FastReplace(Text, Find, ReplaceWith, caseSensitive, Next);
    }
}

// The match a pass starts with: Occurrence counts from the left (k), from the right (-k) or picks the
// last (0). 0 when there is no such match.
Integer FirstMatchIndex(Integer Occurrence, Integer Count) {
    Integer index = Count;
    if (Occurrence > 0) index = Occurrence;
    if (Occurrence < 0) index = Count + Occurrence + 1;
    return index >= 1 && index <= Count ? index : 0;
}

// One pass of the engine over Text into Next, at most Left replacements; returns how many it made.
// Each match is taken from the pass's text, so the search always resumes after the inserted text.
Integer EnginePass(ReplaceT& R, const PosInfoT& Search, const AnsiString& Find, const AnsiString& ReplaceWith,
                   const AnsiString& Text, Integer Left, AnsiString& Next) {
    PosInfoT info = Search;
    info.Overlapping = 0;
    const Integer count = FindOccurrences(info, Find, Text, CheckedAdd(Length(Text), 1));
    const Integer first = FirstMatchIndex(Search.Occurrence, count);
    if (first == 0) return 0;
    Next.clear();
    Next.reserve(Text.size());
    Integer cursor = 1;  // the first character of Text not yet written or dropped
    Integer done = 0;
    AnsiString piece;
    for (Integer i = first; i <= count && done < Left; ++i) {
        const Integer at = info.Positions.at(static_cast<std::size_t>(i)).Position;
        const Integer len = info.Positions.at(static_cast<std::size_t>(i)).Length;
        if (at < cursor) continue;  // eaten by the previous replacement's trimming
        Next.append(Text, static_cast<std::size_t>(cursor - 1), static_cast<std::size_t>(at - cursor));
        if (R.TrimBefore != 0) {
            while (!Next.empty() && R.TrimBeforeChars.Contains(Next.back())) Next.pop_back();
        }
        if (R.PreserveCase != 0) {
            CopyCase(Copy(Text, at, len), ReplaceWith, piece);
            Next.append(piece);
        } else {
            Next.append(ReplaceWith);
        }
        cursor = at + len;
        if (R.TrimAfter != 0) {
            while (cursor <= Length(Text) && R.TrimAfterChars.Contains(Text[static_cast<std::size_t>(cursor - 1)])) {
                ++cursor;
            }
        }
        R.LastPosition = at;
        ++done;
    }
    Next.append(Text, static_cast<std::size_t>(cursor - 1));
    return done;
}

// Repeated passes must end on every input, also when a replacement re-creates the find text together
// with its neighbours or FindInReplacement lets a replacement feed on itself. A run stops when a pass
// leaves the text unchanged, after as many passes as the original text has characters, and once the
// text has outgrown what replacing each of the original characters once could give.
struct PassLimit {
    Integer MaxPasses;
    Int64 MaxLength;

    PassLimit(const AnsiString& Text, const AnsiString& ReplaceWith)
        : MaxPasses(std::max<Integer>(1, Length(Text))),
          MaxLength(static_cast<Int64>(Length(Text)) * (static_cast<Int64>(Length(ReplaceWith)) + 1)) {}

    bool Reached(Integer Pass, const AnsiString& Text) const { return Pass >= MaxPasses || Length(Text) > MaxLength; }
};

}  // namespace

// ---------------------------------------------------------------------------

void InitReplace(ReplaceT& R) {
    InitPosInfo(R.Search);
    R.TrimAfter = 0;
    R.TrimBefore = 0;
    R.FindInReplacement = 0;
    R.PreserveCase = 0;
    R.OptionE = 0;
    R.Changed = 0;
    R.MaxReplacements = NoReplaceLimit;
    R.TrimBeforeChars = TSet<AnsiChar>{' '};
    R.TrimAfterChars = TSet<AnsiChar>{' '};
    R.LastPosition = 0;
    R.OptionF = 0;
    R.Repeat = 1;
}

void ReplaceWithOptions(ReplaceT& R, const AnsiString& Find, const AnsiString& ReplaceWith, const AnsiString& Text,
                        AnsiString& Result) {
    R.Changed = 0;
    R.LastPosition = 0;
    const PosInfoT search = EngineSearch(R);
    if (Find.empty() || R.MaxReplacements <= 0 || !Occurs(search, Find, Text)) {
        Result = Text;
        return;
    }
    const bool plain = UsesPlainPath(R, search, Find);
    const bool feedsOnItself = R.FindInReplacement == 0 && PosCase(Find, ReplaceWith, search.CaseSensitive != 0) > 0;
    const PassLimit limit(Text, ReplaceWith);
    Integer left = R.MaxReplacements;
    AnsiString current = Text;
    AnsiString next;
    for (Integer pass = 1;; ++pass) {
        if (plain) {
            PlainPass(search, Find, ReplaceWith, current, next);
        } else {
            const Integer done = EnginePass(R, search, Find, ReplaceWith, current, left, next);
            if (done == 0) break;
            left -= done;
        }
        R.Changed = 1;
        const bool unchanged = next == current;
        std::swap(current, next);
        if (unchanged || R.Repeat == 0 || feedsOnItself || left <= 0 || limit.Reached(pass, current) ||
            !Occurs(search, Find, current)) {
            break;
        }
    }
    Result = std::move(current);
}

void SimpleReplace(const AnsiString& Find, const AnsiString& ReplaceWith, const AnsiString& Text, AnsiString& Result) {
    ReplaceT r;
    InitReplace(r);
    ReplaceWithOptions(r, Find, ReplaceWith, Text, Result);
}

void ReplaceChar(AnsiChar FromChar, AnsiChar ToChar, const AnsiString& S, Integer MaxCount, AnsiString& Result) {
    if (&Result != &S) Result = S;
    Integer left = MaxCount == 0 ? DefaultCharCount : MaxCount;
    for (auto it = Result.begin(); left > 0 && it != Result.end(); ++it) {
        if (*it == FromChar) {
            *it = ToChar;
            --left;
        }
    }
}

void TrimSpaces(const AnsiString& S, Integer Flags, AnsiString& Result) {
    std::size_t first = 0;
    std::size_t end = S.size();
    if ((Flags & tsRight) != 0) {
        while (end > first && S[end - 1] == ' ') --end;
    }
    if ((Flags & tsLeft) != 0) {
        while (first < end && S[first] == ' ') ++first;
    }
    AnsiString out;
    out.reserve(end - first);
    for (std::size_t i = first; i < end; ++i) {
        const bool doubleBlank = S[i] == ' ' && !out.empty() && out.back() == ' ';
        if (!doubleBlank || (Flags & tsDoubles) == 0) out.push_back(S[i]);
    }
    Result = std::move(out);
}

bool HasLetter(const AnsiString& S) {
    const TSet<AnsiChar>& letters = LettersSet();
    return std::any_of(S.begin(), S.end(), [&](AnsiChar c) { return letters.Contains(c); });
}

AnsiChar TableUpCase(AnsiChar C) { return UpperTable()[ByteOf(C)]; }

AnsiChar TableLowCase(AnsiChar C) { return LowerTable()[ByteOf(C)]; }

void TableUpperCase(const AnsiString& S, AnsiString& Result) { MapThrough(UpperTable(), S, Result); }

void TableLowerCase(const AnsiString& S, AnsiString& Result) { MapThrough(LowerTable(), S, Result); }

AnsiChar CaseClass(AnsiChar C) {
    if (LowerLettersSet().Contains(C)) return 'd';
    if (UpperLettersSet().Contains(C)) return 'u';
    return 'i';
}

void CopyCase(const AnsiString& Model, const AnsiString& Text, AnsiString& Result) {
    AnsiString out = Text;
    const std::size_t shorter = std::min(Model.size(), Text.size());
    for (std::size_t i = 0; i < shorter; ++i) {
        const AnsiChar kind = CaseClass(Model[i]);
        if (kind == 'd') out[i] = TableLowCase(out[i]);
        if (kind == 'u') out[i] = TableUpCase(out[i]);
    }
    Result = std::move(out);
}

void OverwriteSlice(const AnsiString& S, const AnsiString& Fill, Integer Start, Integer Count, AnsiString& Result) {
    AnsiString out = S;
    if (!Fill.empty() && Count > 0) {
        const Int64 from = std::max<Int64>(Start, 1);
        const Int64 to = std::min<Int64>(static_cast<Int64>(Start) + Count - 1, Length(S));
        for (Int64 p = from; p <= to; ++p) {
            out[static_cast<std::size_t>(p - 1)] = Fill[static_cast<std::size_t>((p - Start) % Length(Fill))];
        }
    }
    Result = std::move(out);
}

void RemoveFromList(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive,
                    AnsiString& Result) {
    const auto equal = [&](const AnsiString& token) {
        return CaseSensitive ? token == Item : SameTextByTable(token, Item);
    };
    if (Sep.empty()) {
        Result = equal(List) ? AnsiString() : List;
        return;
    }
    AnsiString rest = List;
    AnsiString out;
    AnsiString token;
    AnsiString joined;
    while (!rest.empty()) {
        CutToken(rest, Sep, true, token);
        if (equal(token)) continue;
        JoinSep(out, Sep, token, joined);
        out.swap(joined);
    }
    Result = std::move(out);
}

}  // namespace repl
