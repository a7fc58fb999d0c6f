// Numbers to text and back, and digit grouping: the calculator's per-keystroke path, so these
// routines write straight into Result and avoid temporary strings.
#include "valstr.h"
#include "valstr_Digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include <vcl/SysUtils.h>

namespace valstr {

using namespace Varpre;

using detail::IsDigit;

namespace {

constexpr Integer MaxDecimals = 11;
// The floating-point unit's decimal form carries 18 significant digits.
constexpr int SignificantDigits = 18;
constexpr Integer NoWidthLimit = 121212255;

// A finite value's magnitude as 18 significant digits, the first at 10^Exponent; digits past
// the 18th are zeros.
struct DecimalDigits {
    std::array<char, SignificantDigits> Digits;
    int Exponent;
};

// 10^k for k in 0..22: with a 53-bit mantissa the product stays below 2^128.
constexpr int MaxExactPower = 22;
constexpr std::array<unsigned __int128, MaxExactPower + 1> PowersOfTen = [] {
    std::array<unsigned __int128, MaxExactPower + 1> powers{};
    powers[0] = 1;
    for (int k = 1; k <= MaxExactPower; ++k) powers[k] = powers[k - 1] * 10;
    return powers;
}();
constexpr std::uint64_t LowestEighteenDigits = 100000000000000000ULL;  // 10^17
constexpr std::uint64_t PastEighteenDigits = 1000000000000000000ULL;   // 10^18

// The 18 significant digits of the general conversion below as one integer (10^17 .. 10^18 - 1, the first
// digit at 10^Exponent), by integer arithmetic, for the magnitudes every calculator result has (1e-5 up to
// 1e18): the value is mantissa x 2^-shift exactly, so mantissa x 10^(17 - exponent) / 2^shift, rounded to
// nearest with ties to even, is that integer. False outside that range.
bool ExactSignificand(Double Magnitude, std::uint64_t& Digits, int& Exponent) {
    if (!(Magnitude >= 1e-5 && Magnitude < 1e18)) return false;
    // A normal number: the stored 52 bits with the hidden one, and the power of two under them.
    const auto bits = std::bit_cast<std::uint64_t>(Magnitude);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - static_cast<int>(bits >> 52);  // -7 .. 69 in this range
    // floor(log10(2^(52 - shift))), one low at most; the scaled value below tells.
    const int log2 = 52 - shift;
    const int estimate = log2 >= 0 ? (log2 * 78913) >> 18 : -((-log2 * 78913 + (1 << 18) - 1) >> 18);
    int exponent = std::clamp(estimate, -5, 17);
    unsigned __int128 scaled = 0;
    unsigned __int128 remainder = 0;
    for (;;) {
        const unsigned __int128 product = mantissa * PowersOfTen[static_cast<std::size_t>(17 - exponent)];
        if (shift > 0) {
            scaled = product >> shift;
            remainder = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
        } else {
            scaled = product << -shift;
            remainder = 0;
        }
        if (scaled >= PastEighteenDigits && exponent < 17) ++exponent;
        else if (scaled < LowestEighteenDigits && exponent > -5) --exponent;
        else break;
    }
    if (shift > 0) {
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (remainder > half || (remainder == half && (scaled & 1) != 0)) ++scaled;
    }
    Digits = static_cast<std::uint64_t>(scaled);
    if (Digits == PastEighteenDigits) {
        Digits = LowestEighteenDigits;
        ++exponent;
    }
    Exponent = exponent;
    return true;
}

// Value / 10^Power for Power 0..17, each a division by a constant (a multiplication).
std::uint64_t DividedByPowerOfTen(std::uint64_t Value, int Power) {
    switch (Power) {
        case 0: return Value;
        case 1: return Value / 10ULL;
        case 2: return Value / 100ULL;
        case 3: return Value / 1000ULL;
        case 4: return Value / 10000ULL;
        case 5: return Value / 100000ULL;
        case 6: return Value / 1000000ULL;
        case 7: return Value / 10000000ULL;
        case 8: return Value / 100000000ULL;
        case 9: return Value / 1000000000ULL;
        case 10: return Value / 10000000000ULL;
        case 11: return Value / 100000000000ULL;
        case 12: return Value / 1000000000000ULL;
        case 13: return Value / 10000000000000ULL;
        case 14: return Value / 100000000000000ULL;
        case 15: return Value / 1000000000000000ULL;
        case 16: return Value / 10000000000000000ULL;
        default: return Value / 100000000000000000ULL;
    }
}

// FloatToStrFixed from the significand as an integer: the digits kept (down to 10^-Decimals) taken in one
// division, rounded half away from zero on the next digit, written from the end; with TrimZeros the
// trailing fraction zeros and a bare point are left out (FloatToStrDec). False where the kept digits
// would pass the 18th (the general path writes zeros for them).
bool WriteFixedFromSignificand(Integer Decimals, bool TrimZeros, AnsiString& Result, Double Value) {
    std::uint64_t digits = 0;
    int exponent = 0;
    if (!ExactSignificand(std::abs(Value), digits, exponent)) return false;
    const int kept = exponent + Decimals + 1;
    if (kept > SignificantDigits) return false;
    std::uint64_t rounded = 0;
    if (kept == SignificantDigits) {
        rounded = digits;
    } else if (kept >= 0) {
        const std::uint64_t withNext = DividedByPowerOfTen(digits, SignificantDigits - 1 - kept);
        rounded = withNext / 10 + (withNext % 10 >= 5 ? 1 : 0);
    }
    // A value that rounds to zero is written without its sign.
    const bool negative = Value < 0 && rounded != 0;
    Integer decimals = Decimals;
    if (TrimZeros)
        for (; decimals > 0 && rounded % 10 == 0; --decimals) rounded /= 10;
    // Sign, at most 19 whole digits, point and 11 decimals.
    std::array<char, 1 + 20 + 1 + MaxDecimals> text;
    char* const end = text.data() + text.size();
    char* out = end;
    for (Integer i = 0; i < decimals; ++i, rounded /= 10) *--out = static_cast<char>('0' + rounded % 10);
    if (decimals > 0) *--out = '.';
    do {
        *--out = static_cast<char>('0' + rounded % 10);
        rounded /= 10;
    } while (rounded != 0);
    if (negative) *--out = '-';
    Result.assign(out, end);
    return true;
}

DecimalDigits ToDecimalDigits(Double Magnitude) {
    DecimalDigits result{};
    std::uint64_t digits = 0;
    if (ExactSignificand(Magnitude, digits, result.Exponent)) {
        for (int i = SignificantDigits - 1; i >= 0; --i, digits /= 10)
            result.Digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + digits % 10);
        return result;
    }
    // d.ddddddddddddddddde+XXX
    std::array<char, 32> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), Magnitude, std::chars_format::scientific,
                                       SignificantDigits - 1);
    result.Digits[0] = text[0];
    for (int i = 1; i < SignificantDigits; ++i) result.Digits[i] = text[i + 1];
    const char* exponentText = text.data() + SignificantDigits + 2;  // past "e"
    if (*exponentText == '+') ++exponentText;
    std::from_chars(exponentText, written.ptr, result.Exponent);
    return result;
}

// Kept text of the lenient reader converted as the runtime's reader does: digits with at
// most one point, the only sign in front.
Double ConvertKeptText(std::string_view Kept) {
    const bool negative = !Kept.empty() && Kept.front() == '-';
    std::string_view body = negative ? Kept.substr(1) : Kept;
    const std::size_t firstPoint = body.find('.');
    const std::size_t secondPoint = firstPoint == std::string_view::npos ? firstPoint : body.find('.', firstPoint + 1);
    if (secondPoint != std::string_view::npos) {
        // The reader stops at the second point and leaves the digits read so far as a whole
        // number, unsigned.
        Double whole = 0;
        for (AnsiChar c : body.substr(0, secondPoint))
            if (IsDigit(c)) whole = whole * 10 + (c - '0');
        return whole;
    }
    if (body.empty() || body == ".") return 0.0;
    Double value = 0;
    const auto parsed = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Floating-point exceptions are masked: too large gives infinity, too small zero.
        const bool tooLarge = body.find_first_of("123456789") < firstPoint;
        value = tooLarge ? std::numeric_limits<Double>::infinity() : 0.0;
    } else if (parsed.ec != std::errc()) {
        throw EConvertError("'" + AnsiString(Kept) + "' is not a valid floating point value");
    }
    return negative ? -value : value;
}

// Eight digit characters (little-endian word) as their number; false when one is no digit.
static_assert(std::endian::native == std::endian::little, "the digit words are read little-endian");
bool EightDigits(const char* Text, std::uint64_t& Value) {
    std::uint64_t word;
    std::memcpy(&word, Text, sizeof word);
    // Each byte 0x30..0x39: high nibble 3, and adding 6 keeps it 3.
    if (((word & 0xF0F0F0F0F0F0F0F0ULL) | (((word + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) >> 4)) !=
        0x3333333333333333ULL)
        return false;
    word -= 0x3030303030303030ULL;
    word = word * 10 + (word >> 8);  // pairs
    word = (((word & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
            (((word >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
           32;
    Value = static_cast<std::uint32_t>(word);
    return true;
}

// Text made only of digits (at most 19) as its number; false otherwise.
bool PlainDigits(std::string_view Text, std::uint64_t& Value) {
    std::uint64_t value = 0;
    std::size_t at = 0;
    for (std::uint64_t eight = 0; Text.size() - at >= 8; at += 8) {
        if (!EightDigits(Text.data() + at, eight)) return false;
        value = value * 100000000 + eight;
    }
    for (; at < Text.size(); ++at) {
        if (!IsDigit(Text[at])) return false;
        value = value * 10 + static_cast<std::uint64_t>(Text[at] - '0');
    }
    Value = value;
    return true;
}

}  // namespace

void Int64ToStrVar(Int64 Value, AnsiString& Result) {
    std::array<char, 24> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), Value);
    Result.assign(text.data(), written.ptr);
}

void Int64Str(Int64 Value, AnsiString& Result) { Int64ToStrVar(Value, Result); }

void FloatToStrFixed(Integer Decimals, AnsiString& Result, Double Value) {
    if (std::isnan(Value)) {
        Result = "Nan";
        return;
    }
    if (std::isinf(Value)) {
        Result = Value > 0 ? "+Inf" : "-Inf";
        return;
    }
    if (Decimals < 0 || Decimals > MaxDecimals) Decimals = MaxDecimals;
    if (WriteFixedFromSignificand(Decimals, false, Result, Value)) return;

    const DecimalDigits decimal = ToDecimalDigits(std::abs(Value));
    // rounded[0] takes a carry out of the first digit.
    std::array<char, SignificantDigits + 1> rounded;
    rounded[0] = '0';
    std::copy(decimal.Digits.begin(), decimal.Digits.end(), rounded.begin() + 1);
    // Digits kept: those at 10^-Decimals and above; the next one decides, half away from zero.
    const int kept = decimal.Exponent + Decimals + 1;
    int length = 0;
    if (kept >= SignificantDigits) {
        length = SignificantDigits;
    } else if (kept >= 0) {
        length = kept;
        if (decimal.Digits[kept] >= '5') {
            int at = kept;
            while (rounded[at] == '9') rounded[at--] = '0';
            ++rounded[at];
        }
    }
    const bool carried = rounded[0] != '0';
    const char* digits = carried ? rounded.data() : rounded.data() + 1;
    const int digitCount = carried ? length + 1 : length;
    const int firstPower = carried ? decimal.Exponent + 1 : decimal.Exponent;
    const auto digitAtPower = [&](int power) {
        const int index = firstPower - power;
        return index >= 0 && index < digitCount ? digits[index] : '0';
    };

    // Sign, up to 310 whole digits (1e308 plus a carry), point and 11 decimals.
    std::array<char, 1 + 310 + 1 + MaxDecimals> text;
    char* out = text.data();
    // A value that rounds to zero is written without its sign.
    bool nonZero = false;
    for (int i = 0; i < digitCount && !nonZero; ++i) nonZero = digits[i] != '0';
    if (Value < 0 && nonZero) *out++ = '-';
    for (int power = firstPower > 0 ? firstPower : 0; power >= 0; --power) *out++ = digitAtPower(power);
    if (Decimals > 0) {
        *out++ = '.';
        for (int power = -1; power >= -Decimals; --power) *out++ = digitAtPower(power);
    }
    Result.assign(text.data(), out);
}

void FloatToStrDec(Integer Decimals, AnsiString& Result, Double Value) {
    if (Decimals >= 0 && Decimals <= MaxDecimals && std::isfinite(Value) &&
        WriteFixedFromSignificand(Decimals, true, Result, Value))
        return;
    FloatToStrFixed(Decimals, Result, Value);
    const std::size_t point = Result.find('.');
    if (point == AnsiString::npos) return;
    std::size_t end = Result.size();
    while (end > point && (Result[end - 1] == '0' || Result[end - 1] == '.')) --end;
    Result.resize(end);
}

void FloatToStrTrim(AnsiString& Result, Double Value) { FloatToStrDec(MaxDecimals, Result, Value); }

Double StrToFloatLenient(const AnsiString& S, Double Default) {
    if (S.empty()) return 0.0;
    // A plain run of up to 15 digits (a position as typed) is an integer the conversion gives exactly.
    std::uint64_t whole = 0;
    if (S.size() <= 15 && PlainDigits(S, whole)) return static_cast<Double>(whole);
    // Short inputs are kept on the stack; only very long ones need the heap.
    std::array<char, 64> buffer;
    AnsiString heap;
    char* kept = buffer.data();
    if (S.size() > buffer.size()) {
        heap.resize(S.size());
        kept = heap.data();
    }
    std::size_t length = 0;
    for (AnsiChar c : S) {
        if (IsDigit(c) || c == '.' || (c == '-' && length == 0)) kept[length++] = c;
    }
    try {
        return ConvertKeptText(std::string_view(kept, length));
    } catch (const std::exception&) {
        return Default;
    }
}

Integer StrToIntLenient(const AnsiString& S) {
    const Double rounded = std::nearbyint(StrToFloatLenient(S, 0.0));
    if (!(rounded >= std::numeric_limits<Integer>::min() && rounded <= std::numeric_limits<Integer>::max())) return 0;
    return static_cast<Integer>(rounded);
}

Integer StrToIntOrNone(const AnsiString& S) {
    if (S.empty()) return NoValue;
    try {
        return StrToIntStrict(S);
    } catch (const EConvertError&) {
        return NoValue;
    }
}

Double StrToFloatSimple(const AnsiString& S) { return StrToFloatLenient(S, 0.0); }

void GroupDigits(const AnsiString& S, Integer MaxWidth, AnsiString& Result) {
    if (&S == &Result) {
        const AnsiString source = S;
        GroupDigits(source, MaxWidth, Result);
        return;
    }
    const AnsiString& separator = DigitGroupSeparator();
    if (MaxWidth == 0) MaxWidth = NoWidthLimit;
    if (separator.empty() || static_cast<Int64>(MaxWidth) <= static_cast<Int64>(S.size())) {
        Result = S;
        return;
    }
    // A leading minus (after any padding blanks) is not a digit: the grouping works on the
    // text without it, and the sign goes back in front of the first digit, so no separator
    // ever follows the sign.
    const std::size_t firstNonBlank = S.find_first_not_of(' ');
    const bool hasSign = firstNonBlank != AnsiString::npos && S[firstNonBlank] == '-';
    const std::size_t signAt = hasSign ? firstNonBlank : S.size();
    // Unsigned index U: the character of the text without its sign.
    const auto charAt = [&](Int64 U) {
        return S[static_cast<std::size_t>(U) + (static_cast<std::size_t>(U) >= signAt ? 1 : 0)];
    };

    const std::size_t point = S.find('.');
    // Only a digit run is grouped: "+Inf", "Nan" and other texts come back as they are.
    const std::size_t digitsFrom = std::min(S.size(), hasSign ? signAt + 1 : firstNonBlank);
    const std::size_t digitsTo = point == AnsiString::npos ? S.size() : point;
    if (digitsFrom < digitsTo &&
        !std::all_of(S.begin() + static_cast<std::ptrdiff_t>(digitsFrom),
                     S.begin() + static_cast<std::ptrdiff_t>(digitsTo), [](char c) { return c >= '0' && c <= '9'; })) {
        Result = S;
        return;
    }
    const Int64 intLen = point == AnsiString::npos ? static_cast<Int64>(S.size() - (hasSign ? 1 : 0))
                                                   : static_cast<Int64>(point - (point > signAt ? 1 : 0));
    const Int64 separators = (intLen - 1) / 3;
    const Int64 skip = static_cast<Int64>(S.size()) + separators - MaxWidth;
    // 1-based insertion positions IntLen - 2, IntLen - 5, ... above 1; the rightmost Skip of
    // them get nothing. Walked here from the leftmost one that gets something.
    const Int64 firstPosition = intLen >= 4 ? intLen - 2 - 3 * ((intLen - 4) / 3) : 0;
    const Int64 lastPosition = intLen - 2 - 3 * (skip > 0 ? skip : 0);

    Result.resize(S.size() + static_cast<std::size_t>(separators > 0 ? separators : 0) * separator.size());
    char* out = Result.data();
    std::size_t copied = 0;
    for (Int64 position = firstPosition; firstPosition > 0 && position <= lastPosition; position += 3) {
        // Before unsigned index position - 1; at the first digit that is in front of the sign.
        const std::size_t before = static_cast<std::size_t>(position - 1);
        const std::size_t at = before + (before > signAt ? 1 : 0);
        out = std::copy(S.begin() + static_cast<std::ptrdiff_t>(copied), S.begin() + static_cast<std::ptrdiff_t>(at),
                        out);
        copied = at;
        // Next to padding blanks a blank keeps the column aligned.
        if (charAt(position - 1) == ' ' || charAt(position - 2) == ' ') *out++ = ' ';
        else out = std::copy(separator.begin(), separator.end(), out);
    }
    out = std::copy(S.begin() + static_cast<std::ptrdiff_t>(copied), S.end(), out);
    Result.resize(static_cast<std::size_t>(out - Result.data()));
}

}  // namespace valstr
