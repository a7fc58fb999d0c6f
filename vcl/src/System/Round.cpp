// Round as the runtime has it: banker's rounding, whatever the floating-point control word says.
#include <cmath>

#include "vcl/SysUtils.h"

Int64 Round(double X) {
    // 2^63 is the first double past Int64; -2^63 itself still fits.
    if (std::isnan(X) || X >= 9223372036854775808.0 || X < -9223372036854775808.0) RaiseRangeError();
    const double below = std::floor(X);
    const double fraction = X - below;
    auto result = static_cast<Int64>(below);
    if (fraction > 0.5 || (fraction == 0.5 && (result & 1) != 0)) ++result;
    return result;
}
