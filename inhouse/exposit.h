#pragma once
// Token cutting and search. For now: the search state record and its defaults.

#include <vector>

#include <vcl/System.h>

namespace exposit {

// One match: position (1-based) and length.
struct PositionT {
    Integer Position;
    Integer Length;
};

// Element 0 holds the last match, elements 1..Count each match in order.
using PositionArT = std::vector<PositionT>;

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
    Byte WordStartTest;
    AnsiString Found;
    Byte WordEndTest;
    TSet<AnsiChar> FurtherChars;
};

// Sets every member of Info to its default.
void InitPosInfo(PosInfoT& Info);

}  // namespace exposit
