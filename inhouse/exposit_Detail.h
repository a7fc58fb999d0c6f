#pragma once
// Internal to unit exposit: the one byte-level search every routine of the unit goes through.

#include <cstddef>
#include <string>

#include "exposit.h"

namespace exposit::detail {

inline constexpr std::size_t NotFound = std::string::npos;

// First occurrence of Pattern in S at or after From (0-based), or NotFound. Without CaseSensitive
// both sides are folded through the library's lower-case table. An empty Pattern is never found.
std::size_t SearchFrom(const AnsiString& Pattern, const AnsiString& S, std::size_t From, bool CaseSensitive);

// S holds Part at At (0-based).
bool SameAt(const AnsiString& S, std::size_t At, const AnsiString& Part, bool CaseSensitive);

// The closing quote or marker meant by Close: Varpre::NotGiven stands for Open.
const AnsiString& CloseOf(const AnsiString& Open, const AnsiString& Close);

// A 0-based search result as a 1-based position (0 for NotFound).
Integer ToPos(std::size_t Index);

}  // namespace exposit::detail
