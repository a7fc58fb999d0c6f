#pragma once
// The look-up that completes what was typed from a list of items: one rule for the in-place edit and the
// combo editors, on single-byte and wide text.

#include <algorithm>
#include <cstddef>

#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace ProGrid {

// An item completes at most this many of its characters.
constexpr std::size_t MaxLookupCompletion = 255;

// Whether Item starts with Prefix; letters compare upper-cased unless CaseSensitive.
inline bool LookupStartsWith(const AnsiString& Item, const AnsiString& Prefix, bool CaseSensitive) {
    if (Item.size() < Prefix.size()) return false;
    for (std::size_t at = 0; at < Prefix.size(); ++at)
        if (CaseSensitive ? Item[at] != Prefix[at] : AnsiUpperChar(Item[at]) != AnsiUpperChar(Prefix[at])) return false;
    return true;
}

inline bool LookupStartsWith(const WideString& Item, const WideString& Prefix, bool CaseSensitive) {
    if (Item.size() < Prefix.size()) return false;
    if (CaseSensitive) return Item.compare(0, Prefix.size(), Prefix) == 0;
    const auto length = static_cast<int>(Prefix.size());
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Item.data(), length, Prefix.data(), length) ==
           CSTR_EQUAL;
}

// The first of Items, from From on, that starts with Prefix; -1 when none does. An empty prefix completes
// nothing.
template <typename List, typename String>
Integer FindLookupItem(const List& Items, const String& Prefix, bool CaseSensitive, Integer From = 0) {
    if (Prefix.empty()) return -1;
    for (Integer i = std::max<Integer>(From, 0); i < Items.Count(); ++i)
        if (LookupStartsWith(Items.Strings(i), Prefix, CaseSensitive)) return i;
    return -1;
}

// What was typed, followed by the rest of the item (at most Room characters of it).
template <typename String>
String LookupCompletion(const String& Typed, const String& Item, std::size_t Room = MaxLookupCompletion) {
    return Typed + Item.substr(std::min(Typed.size(), Item.size()), std::min(Room, MaxLookupCompletion));
}

}  // namespace ProGrid
