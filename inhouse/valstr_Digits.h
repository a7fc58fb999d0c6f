#pragma once
// Private to the valstr sources: the digit test every routine of the unit shares.

#include <vcl/System.h>

namespace valstr::detail {

constexpr bool IsDigit(AnsiChar C) { return C >= '0' && C <= '9'; }

}  // namespace valstr::detail
