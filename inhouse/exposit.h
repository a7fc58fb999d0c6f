#pragma once
// Token cutting and search: take the next token off a text, prefix and suffix tests, positions with
// or without case, counts, all occurrences, and the text between a start and an end marker.
// Positions are 1-based, 0 = not found; text results come back through the trailing reference.

#include <vector>

#include <vcl/System.h>

#include "Varpre.h"

namespace exposit {

// One match: position (1-based) and length.
struct PositionT {
    Integer Position;
    Integer Length;
};

// Element 0 holds the last match, elements 1..Count each match in order.
using PositionArT = std::vector<PositionT>;

// What the general search looks for (PosInfoT::MatchKind).
enum : Integer {
    mkPattern = 0,         // the pattern
    mkCharOfSet = 1,       // one character of MatchChars
    mkDigitRun = 2,        // a run of digits
    mkWord = 3,            // the pattern as a whole word; an empty pattern: any run of WordChars
    mkRepeatedLetter = 4,  // a run of one character of MatchChars repeated
};

// The search state of the general search.
struct PosInfoT {
    Byte CaseSensitive;
    Byte Anchor;      // 0 anywhere, 1 match starts at 1, 2 match ends at the text's end
    Byte SkipQuotes;  // 1: text between quotes is not searched
    Integer MatchKind;
    Integer Occurrence;  // 1 first, k k-th, -k k-th from the end, 0 last
    Integer Reserved;
    AnsiString OpenQuote;
    AnsiString CloseQuote;
    Byte Overlapping;  // 1: after a match the search resumes one character after its start
    PositionArT Positions;
    Integer Count;
    Integer Position;
    Integer MatchLen;
    TSet<AnsiChar> WordEdgeChars;
    TSet<AnsiChar> MatchChars;
    TSet<AnsiChar> WordChars;
    Byte WordStartTest;  // 1: the character before a match must be in WordEdgeChars
    AnsiString Found;
    Byte WordEndTest;  // 1: the character after a match must be in WordEdgeChars
    TSet<AnsiChar> FurtherChars;
};

// Sets every member of Info to its default (needs Varpre's start-up).
void InitPosInfo(PosInfoT& Info);

// ---------------------------------------------------------------------------
// Cutting: the token and its separator are removed from the front of S.

// Token = S before the first Sep, S = S after it; without Sep Token = S and S = "".
void CutToken(AnsiString& S, const AnsiString& Sep, bool CaseSensitive, AnsiString& Token);
void CutCommaToken(AnsiString& S, AnsiString& Token);
// The next token as a number; Varpre::NoValue for an empty or non-numeric token.
Integer CutTokenInt(AnsiString& S, const AnsiString& Sep);
// As CutTokenInt, the token cut quote-aware and unquoted (Quote opens and closes).
Integer CutTokenIntQuoted(AnsiString& S, const AnsiString& Sep, const AnsiString& Quote);
// A Sep between OpenQuote and CloseQuote does not count.
void CutTokenOutsideQuotes(AnsiString& S, const AnsiString& Sep, const AnsiString& OpenQuote,
                           const AnsiString& CloseQuote, AnsiString& Token);
// CutTokenOutsideQuotes, then Unquote of the token.
void CutQuotedToken(AnsiString& S, const AnsiString& Sep, const AnsiString& Quote, const AnsiString& CloseQuote,
                    AnsiString& Token);
// The text between OpenQuote and CloseQuote when S is enclosed by both; otherwise S.
void Unquote(const AnsiString& S, const AnsiString& OpenQuote, const AnsiString& CloseQuote, AnsiString& Result);
// Cut at the first character in Delims; Found = that character, or #0 when none.
void CutTokenAtCharsFound(AnsiString& S, const TSet<AnsiChar>& Delims, AnsiChar& Found, AnsiString& Token);
void CutTokenAtChars(AnsiString& S, const TSet<AnsiChar>& Delims, AnsiString& Token);
// Cut before the earliest of the separators listed in Seps (themselves separated by SepsSep).
void CutTokenAtAny(AnsiString& S, const AnsiString& Seps, const AnsiString& SepsSep, AnsiString& Token);
// The text before / after the first Sep, S unchanged; Rest is "" without Sep.
void FirstToken(const AnsiString& S, const AnsiString& Sep, bool CaseSensitive, AnsiString& Token);
void AfterFirstToken(const AnsiString& S, const AnsiString& Sep, AnsiString& Rest);
void DropLast(const AnsiString& S, Integer N, AnsiString& Result);
void DropFirst(const AnsiString& S, Integer N, AnsiString& Result);
void LastChars(const AnsiString& S, Integer N, AnsiString& Result);
void TrimRightChars(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiString& Result);

// Flags of RemovePrefix and RemoveSuffix.
enum : Byte {
    rmCaseSensitive = 1,
    rmRepeat = 8,  // remove again while S still begins (ends) with it
};
void RemovePrefix(const AnsiString& Prefix, const AnsiString& S, Byte Flags, AnsiString& Result);
void RemoveSuffix(const AnsiString& Suffix, const AnsiString& S, Byte Flags, AnsiString& Result);

// ---------------------------------------------------------------------------
// Tests and positions.

// False when the part is longer than S.
bool StartsWith(const AnsiString& Prefix, const AnsiString& S, bool CaseSensitive);
bool EndsWith(const AnsiString& Suffix, const AnsiString& S, bool CaseSensitive);
bool FirstCharIn(const TSet<AnsiChar>& Chars, const AnsiString& S);
bool LastCharIn(const TSet<AnsiChar>& Chars, const AnsiString& S);
// False for an empty S.
bool ConsistsOfChars(const TSet<AnsiChar>& Chars, const AnsiString& S);

Integer PosCase(const AnsiString& Pattern, const AnsiString& S, bool CaseSensitive);
// Start below 1 raises ERangeError; past the end gives 0.
Integer PosFrom(const AnsiString& Pattern, const AnsiString& S, Integer Start, bool CaseSensitive);
// N as PosInfoT::Occurrence; matches may overlap.
Integer NthPos(const AnsiString& Pattern, const AnsiString& S, Integer N, bool CaseSensitive);
// The last occurrence; a one-character pattern is compared with case, a longer one without.
Integer LastPos(const AnsiString& Pattern, const AnsiString& S);
Integer CountOccurrences(const AnsiString& Pattern, const AnsiString& S);
Integer CountOccurrencesNoOverlap(const AnsiString& Pattern, const AnsiString& S);

Integer CharSetPos(const TSet<AnsiChar>& Chars, const AnsiString& S);
Integer CharSetPosFound(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiChar& Found);
Integer LastCharSetPos(const TSet<AnsiChar>& Chars, const AnsiString& S);
Integer LastCharSetPosFound(const TSet<AnsiChar>& Chars, const AnsiString& S, AnsiChar& Found);
// The first run of characters of Chars; RunLen its length (0 when none).
Integer CharSetRunPos(const TSet<AnsiChar>& Chars, const AnsiString& S, Integer& RunLen);
Integer DigitPos(const AnsiString& S);
Integer DigitRunPos(const AnsiString& S, Integer& RunLen);
// The first run of two or more of the same character of Letters.
Integer RepeatedLetterPos(const TSet<AnsiChar>& Letters, const AnsiString& S, Integer& RunLen);

// The general search: fills Position, MatchLen and Found and returns Position.
Integer FindPos(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text);
// Records up to MaxCount matches in Positions and Count and returns Count.
Integer FindOccurrences(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text, Integer MaxCount);
Integer CountPos(PosInfoT& Info, const AnsiString& Pattern, const AnsiString& Text);
Integer PosOutsideQuotes(const AnsiString& Pattern, const AnsiString& S, const AnsiString& OpenQuote,
                         const AnsiString& CloseQuote);

// Lists of items separated by Sep.
Integer ListItemCount(const AnsiString& List, const AnsiString& Sep);
// 1-based index of Item; 0 when absent or an argument is empty.
Integer ListItemIndex(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive);
// Found = the list's item equal to Item, as the list writes it.
bool FindInList(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive,
                AnsiString& Found);
// The pattern of Patterns (separated by Sep) that occurs first in S, and its position; "" and 0 when none.
void FirstOfAny(const AnsiString& S, const AnsiString& Patterns, const AnsiString& Sep, bool CaseSensitive,
                Varpre::StringAndCountT& Found);
// Pieces of S between characters of WordDelimSet, empty ones not counted.
Integer WordCount(const AnsiString& S);

// Options of FindBetween.
enum : Integer {
    fbExcludeMarkers = 1,  // Pos and Len cover the text between the markers only
    fbInnermost = 2,       // the first End and the last Start before it
    fbOutermost = 4,       // the first Start and the last End after it
    fbFirstEnd = 8,        // the first Start and the first End after it
    fbCaseSensitive = 16,
};
// Without a pairing option the markers nest from the first Start. False with Pos and Len 0 when
// nothing is found.
bool FindBetween(const AnsiString& StartMarker, const AnsiString& EndMarker, const AnsiString& Text, Integer Options,
                 Integer& Len, Integer& Pos);

}  // namespace exposit
