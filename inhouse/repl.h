#pragma once
// Search and replace: the simple replace-all, the option-driven engine on a ReplaceT record
// (case-preserving replacement, a maximum count, removal of blanks around each replacement,
// repeated passes), character replacement, blank clean-up and the table-driven casing of the library.
// Texts are Windows-1252 bytes with 1-based positions; text results come back through Result, which
// may be one of the inputs.

#include <vcl/System.h>

#include "exposit.h"

namespace repl {

// MaxReplacements of no limit.
inline constexpr Integer NoReplaceLimit = 999999999;

// The options and state of a search-and-replace run.
struct ReplaceT {
    exposit::PosInfoT Search;  // case, quotes, match kind, anchor; Occurrence picks a pass's first match
    Byte TrimAfter;            // 1: characters of TrimAfterChars following each replacement are deleted
    Byte TrimBefore;           // 1: characters of TrimBeforeChars preceding each replacement are deleted
    Byte FindInReplacement;    // 1: further passes go on even when the replacement holds the find text
    Byte PreserveCase;         // 1: the replacement takes the case of the text it replaces
    Byte OptionE;              // reserved, 0
    Byte Changed;              // result: something was replaced
    Integer MaxReplacements;   // over all passes of one run
    TSet<AnsiChar> TrimBeforeChars;
    TSet<AnsiChar> TrimAfterChars;
    Integer LastPosition;  // result: position of the last match in the text its pass searched
    Byte OptionF;          // reserved, 0
    Byte Repeat;           // 1: further passes while Find still occurs
};

// InitPosInfo on Search, then every option at its default.
void InitReplace(ReplaceT& R);
void ReplaceWithOptions(ReplaceT& R, const AnsiString& Find, const AnsiString& ReplaceWith, const AnsiString& Text,
                        AnsiString& Result);
// Every occurrence, case-sensitive, repeated while Find still occurs unless ReplaceWith holds it.
void SimpleReplace(const AnsiString& Find, const AnsiString& ReplaceWith, const AnsiString& Text, AnsiString& Result);
// The first MaxCount occurrences of FromChar become ToChar; MaxCount 0 means 9999999.
void ReplaceChar(AnsiChar FromChar, AnsiChar ToChar, const AnsiString& S, Integer MaxCount, AnsiString& Result);

// Flags of TrimSpaces.
enum : Integer {
    tsLeft = 1,
    tsRight = 2,
    tsDoubles = 4,  // every run of blanks becomes one blank
};
void TrimSpaces(const AnsiString& S, Integer Flags, AnsiString& Result);

bool HasLetter(const AnsiString& S);
AnsiChar TableUpCase(AnsiChar C);
AnsiChar TableLowCase(AnsiChar C);
void TableUpperCase(const AnsiString& S, AnsiString& Result);
// The library's standard lower-casing.
void TableLowerCase(const AnsiString& S, AnsiString& Result);
// 'd' a lower-case letter, 'u' an upper-case letter, 'i' anything else.
AnsiChar CaseClass(AnsiChar C);
// Text with the letter case of Model, position by position; characters past Model keep theirs.
void CopyCase(const AnsiString& Model, const AnsiString& Text, AnsiString& Result);
// S with the Count characters from Start overwritten by Fill repeated; the length stays. Only the part
// of that range inside S is written.
void OverwriteSlice(const AnsiString& S, const AnsiString& Fill, Integer Start, Integer Count, AnsiString& Result);
// List without every item equal to Item, the rest joined again with Sep; no empty items.
void RemoveFromList(const AnsiString& Item, const AnsiString& List, const AnsiString& Sep, bool CaseSensitive,
                    AnsiString& Result);

}  // namespace repl
