// The 10-byte extended number of component streams, converted without the x87 unit.
#include "Classes/ComponentStreamFormat.h"

#include <bit>
#include <cmath>

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr std::uint64_t kDoubleFraction = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

}  // namespace

std::array<std::uint8_t, 10> ExtendedFromDouble(double Value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(Value);
    const unsigned sign = static_cast<unsigned>(bits >> 63);
    int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t fraction = bits & kDoubleFraction;
    std::uint64_t mantissa = 0;
    unsigned stored = 0;
    if (exponent == 0x7FF) {  // infinity, NaN
        stored = 0x7FFF;
        mantissa = kIntegerBit | (fraction << 11);
    } else if (exponent != 0 || fraction != 0) {
        if (exponent == 0) {  // subnormal: normalise, the extended form has the range for it
            exponent = 1;
            while (!(fraction & (std::uint64_t{1} << 52))) {
                fraction <<= 1;
                --exponent;
            }
            fraction &= kDoubleFraction;
        }
        stored = static_cast<unsigned>(exponent - kDoubleBias + kExtendedBias);
        mantissa = kIntegerBit | (fraction << 11);
    }
    std::array<std::uint8_t, 10> bytes{};
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    const unsigned top = (sign << 15) | stored;
    bytes[8] = static_cast<std::uint8_t>(top & 0xFF);
    bytes[9] = static_cast<std::uint8_t>(top >> 8);
    return bytes;
}

double DoubleFromExtended(const std::array<std::uint8_t, 10>& Bytes) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa |= std::uint64_t{Bytes[i]} << (8 * i);
    const unsigned top = Bytes[8] | (unsigned{Bytes[9]} << 8);
    const bool negative = top & 0x8000;
    const int exponent = static_cast<int>(top & 0x7FFF);
    double value;
    if (exponent == 0x7FFF) value = (mantissa << 1) ? std::nan("") : INFINITY;
    else
        // The mantissa rounds to 53 bits once; ldexp gives infinity or subnormals at the ends.
        value = std::ldexp(static_cast<double>(mantissa), exponent - kExtendedBias - 63);
    return negative ? -value : value;
}
