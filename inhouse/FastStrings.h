#pragma once
// The fast position search and replace-all under the replace engine's plain path.
// Positions are 1-based, 0 = not found.

#include <vcl/System.h>

namespace FastStrings {

// The first occurrence of Pattern in Text at or after Start (1-based); 0 when none, when Pattern is
// empty or when Start lies outside 1..TextLen.
Integer FastPos(const AnsiChar* Text, const AnsiChar* Pattern, Integer TextLen, Integer Start, Integer PatternLen);
// As FastPos, ASCII letters compared without regard to case; every other byte compares exactly.
Integer FastPosNoCase(const AnsiChar* Text, const AnsiChar* Pattern, Integer TextLen, Integer Start,
                      Integer PatternLen);

// Every occurrence of Find in Source replaced by ReplaceWith in one left-to-right pass; Result may be
// Source itself. An empty Find gives Source.
void FastReplace(AnsiString& Source, const AnsiString& Find, const AnsiString& ReplaceWith, bool CaseSensitive,
                 AnsiString& Result);

}  // namespace FastStrings
