#pragma once
// Opening a web address in one call, and the unit's start-up: the process's floating-point control word.

#include "vcl/System.h"

namespace online {

// All floating-point exceptions masked, 64-bit precision, rounding to nearest.
constexpr Word OnlineControlWord = 0x133F;

// From here on a division by zero gives an infinity and an invalid operation a not-a-number.
void InitOnlineUnit();

// Opens Url in the default browser; the launch failure's exception reaches the caller.
void OpenUrl(const AnsiString& Url);

}  // namespace online
