// Cutting tokens off the front of a text, and trimming its ends.
#include "exposit.h"
#include "exposit_Detail.h"

#include <algorithm>

#include "valstr.h"

namespace exposit {

using namespace detail;
using namespace valstr;
using namespace Varpre;

namespace {

// Token = S before At, S = S after the separator of SepLen at At; At NotFound takes all of S.
void CutAt(AnsiString& S, std::size_t At, std::size_t SepLen, AnsiString& Token) {
    if (At == NotFound) {
        AnsiString whole = std::move(S);
        S.clear();
        Token = std::move(whole);
        return;
    }
    AnsiString token = S.substr(0, At);
    S.erase(0, std::min(S.size(), At + SepLen));
    Token = std::move(token);
}

std::size_t Clamped(Integer N, std::size_t Size) { return N <= 0 ? 0 : std::min(Size, static_cast<std::size_t>(N)); }

}  // namespace

void CutToken(AnsiString& S, const AnsiString& Sep, bool CaseSensitive, AnsiString& Token) {
    const std::size_t sepLen = Sep.size();
    CutAt(S, SearchFrom(Sep, S, 0, CaseSensitive), sepLen, Token);
}

void CutCommaToken(AnsiString& S, AnsiString& Token) { CutToken(S, ",", true, Token); }

Integer CutTokenInt(AnsiString& S, const AnsiString& Sep) {
    AnsiString token;
    CutToken(S, Sep, true, token);
    return StrToIntOrNone(token);
}

Integer CutTokenIntQuoted(AnsiString& S, const AnsiString& Sep, const AnsiString& Quote) {
    AnsiString token;
    CutQuotedToken(S, Sep, Quote, NotGiven, token);
    return StrToIntOrNone(token);
}

void CutTokenOutsideQuotes(AnsiString& S, const AnsiString& Sep, const AnsiString& OpenQuote,
                           const AnsiString& CloseQuote, AnsiString& Token) {
    const Integer at = PosOutsideQuotes(Sep, S, OpenQuote, CloseQuote);
    const std::size_t sepLen = Sep.size();
    CutAt(S, at == 0 ? NotFound : static_cast<std::size_t>(at - 1), sepLen, Token);
}

void CutQuotedToken(AnsiString& S, const AnsiString& Sep, const AnsiString& Quote, const AnsiString& CloseQuote,
                    AnsiString& Token) {
    AnsiString quoted;
    CutTokenOutsideQuotes(S, Sep, Quote, CloseQuote, quoted);
    Unquote(quoted, Quote, CloseQuote, Token);
}

void Unquote(const AnsiString& S, const AnsiString& OpenQuote, const AnsiString& CloseQuote, AnsiString& Result) {
    const AnsiString& close = CloseOf(OpenQuote, CloseQuote);
    const std::size_t both = OpenQuote.size() + close.size();
    if (S.size() < both || !SameAt(S, 0, OpenQuote, true) || !SameAt(S, S.size() - close.size(), close, true)) {
        if (&Result != &S) Result = S;
        return;
    }
    Result = S.substr(OpenQuote.size(), S.size() - both);
}

void CutTokenAtCharsFound(AnsiString& S, const TSet<AnsiChar>& Delims, AnsiChar& Found, AnsiString& Token) {
    const auto delim = std::find_if(S.begin(), S.end(), [&](AnsiChar c) { return Delims.Contains(c); });
    Found = delim == S.end() ? '\0' : *delim;
    CutAt(S, delim == S.end() ? NotFound : static_cast<std::size_t>(delim - S.begin()), 1, Token);
}

void CutTokenAtChars(AnsiString& S, const TSet<AnsiChar>& Delims, AnsiString& Token) {
    AnsiChar found;
    CutTokenAtCharsFound(S, Delims, found, Token);
}

void CutTokenAtAny(AnsiString& S, const AnsiString& Seps, const AnsiString& SepsSep, AnsiString& Token) {
    std::size_t best = NotFound;
    std::size_t bestLen = 0;
    AnsiString rest = Seps;
    AnsiString sep;
    while (!rest.empty()) {
        CutToken(rest, SepsSep, true, sep);
        const std::size_t at = SearchFrom(sep, S, 0, true);
        // At the same place the longer separator is the one meant ("\r\n" before "\r").
        if (at != NotFound && (at < best || (at == best && sep.size() > bestLen))) {
            best = at;
            bestLen = sep.size();
        }
    }
    CutAt(S, best, bestLen, Token);
}

void FirstToken(const AnsiString& S, const AnsiString& Sep, bool CaseSensitive, AnsiString& Token) {
    const std::size_t at = SearchFrom(Sep, S, 0, CaseSensitive);
    if (at == NotFound) {
        if (&Token != &S) Token = S;
        return;
    }
    Token = S.substr(0, at);
}

void AfterFirstToken(const AnsiString& S, const AnsiString& Sep, AnsiString& Rest) {
    const std::size_t at = SearchFrom(Sep, S, 0, true);
    Rest = at == NotFound ? AnsiString() : S.substr(at + Sep.size());
}

void DropLast(const AnsiString& S, Integer N, AnsiString& Result) {
    Result = S.substr(0, S.size() - Clamped(N, S.size()));
}

void DropFirst(const AnsiString& S, Integer N, AnsiString& Result) { Result = S.substr(Clamped(N, S.size())); }

void LastChars(const AnsiString& S, Integer N, AnsiString& Result) {
    Result = S.substr(S.size() - Clamped(N, S.size()));
}

void TrimRightChars(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiString& Result) {
    std::size_t end = S.size();
    while (end > 0 && Chars.Contains(S[end - 1])) --end;
    Result = S.substr(0, end);
}

void RemovePrefix(const AnsiString& Prefix, const AnsiString& S, Byte Flags, AnsiString& Result) {
    const bool caseSensitive = Flags & rmCaseSensitive;
    std::size_t start = 0;
    // An empty prefix would repeat for ever and removes nothing anyway.
    while (!Prefix.empty() && SameAt(S, start, Prefix, caseSensitive)) {
        start += Prefix.size();
        if (!(Flags & rmRepeat)) break;
    }
    Result = S.substr(start);
}

void RemoveSuffix(const AnsiString& Suffix, const AnsiString& S, Byte Flags, AnsiString& Result) {
    const bool caseSensitive = Flags & rmCaseSensitive;
    std::size_t end = S.size();
    while (!Suffix.empty() && end >= Suffix.size() && SameAt(S, end - Suffix.size(), Suffix, caseSensitive)) {
        end -= Suffix.size();
        if (!(Flags & rmRepeat)) break;
    }
    Result = S.substr(0, end);
}

}  // namespace exposit
