#pragma once
// Text constants of the edit controls' support units.

namespace UtStrUtils {

// The UTF-8 byte-order mark.
inline constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

}  // namespace UtStrUtils
