// Integers and floating-point numbers to text and back.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SysUtils/HexDigits.h"
#include "vcl/SysUtils.h"

char DecimalSeparator = '.';
char ThousandSeparator = ',';
AnsiString CurrencyString = "$";
Byte CurrencyFormat = 0;
Byte NegCurrFormat = 0;
Byte CurrencyDecimals = 2;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an integer of Bits width as Val does. Hex may use the full unsigned width (wrapping into
// negatives); decimal must fit the signed range. Returns the 1-based error position or 0.
Integer ScanInteger(const AnsiString& S, int bits, Int64& value) {
    const UInt64 signedMax = (UInt64(1) << (bits - 1)) - 1;
    const UInt64 unsignedMax = bits == 64 ? ~UInt64(0) : (UInt64(1) << bits) - 1;
    std::size_t i = 0;
    while (i < S.size() && S[i] == ' ') ++i;
    bool negative = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) negative = S[i++] == '-';
    bool hex = false;
    if (i < S.size() && S[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    value = 0;
    if (i == S.size()) return static_cast<Integer>(i) + 1;
    UInt64 magnitude = 0;
    for (; i < S.size(); ++i) {
        const int digit = hex ? HexDigitValue(S[i]) : (IsDigit(S[i]) ? S[i] - '0' : -1);
        if (digit < 0) return static_cast<Integer>(i) + 1;
        const UInt64 base = hex ? 16 : 10;
        const UInt64 limit = hex ? unsignedMax : signedMax + (negative ? 1 : 0);
        if (magnitude > (limit - digit) / base) return static_cast<Integer>(i) + 1;
        magnitude = magnitude * base + digit;
    }
    if (hex && bits < 64 && magnitude > signedMax) magnitude |= ~unsignedMax;  // sign-extend the wrapped value
    value = negative ? static_cast<Int64>(UInt64(0) - magnitude) : static_cast<Int64>(magnitude);
    return 0;
}

// The number S[From..To) holds, its separator (if any) at Separator: strtod reads a copy ending there,
// with '.' for the separator, so that nothing after the scanned part (a hex "x", more digits) counts.
double ReadScanned(const AnsiString& S, std::size_t From, std::size_t To, std::size_t Separator) {
    char small[64];
    std::string large;
    const std::size_t size = To - From;
    char* copy = small;
    if (size >= sizeof small) {
        large.resize(size);
        copy = large.data();
    }
    std::copy(S.begin() + static_cast<std::ptrdiff_t>(From), S.begin() + static_cast<std::ptrdiff_t>(To), copy);
    copy[size] = '\0';
    if (Separator != AnsiString::npos) copy[Separator - From] = '.';
    return std::strtod(copy, nullptr);
}

// Reads [sign] digits [sep digits] [e [sign] digits] from position i and answers the position after it.
// Without a mantissa digit, or with an exponent that has none, Ok is false, value what was read (0
// without digits) and the answer where the reading stopped.
std::size_t ScanFloat(const AnsiString& S, std::size_t i, char separator, double& value, bool& ok) {
    ok = false;
    value = 0.0;
    const std::size_t from = i;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) ++i;
    std::size_t digits = 0;
    for (; i < S.size() && IsDigit(S[i]); ++i) ++digits;
    std::size_t separatorAt = AnsiString::npos;
    if (i < S.size() && S[i] == separator) {
        separatorAt = i;
        for (++i; i < S.size() && IsDigit(S[i]); ++i) ++digits;
    }
    if (digits == 0) return i;
    if (i < S.size() && (S[i] == 'e' || S[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < S.size() && (S[j] == '-' || S[j] == '+')) ++j;
        const std::size_t first = j;
        for (; j < S.size() && IsDigit(S[j]); ++j) {
        }
        if (j == first) {
            value = ReadScanned(S, from, i, separatorAt);
            return j;
        }
        i = j;
    }
    value = ReadScanned(S, from, i, separatorAt);
    ok = true;
    return i;
}

[[noreturn]] void NotAnInteger(const AnsiString& S) { throw EConvertError("'" + S + "' is not a valid integer value"); }

template <typename T>
AnsiString Hex(T value, Integer digits) {
    using U = std::make_unsigned_t<T>;
    U bits = static_cast<U>(value);
    AnsiString out;
    do {
        out.insert(out.begin(), "0123456789ABCDEF"[bits & 15]);
        bits >>= 4;
    } while (bits != 0);
    if (Length(out) < digits) out.insert(0, static_cast<std::size_t>(digits - Length(out)), '0');
    return out;
}

}  // namespace

AnsiString IntToStr(Integer Value) { return std::to_string(Value); }
AnsiString IntToStr(Int64 Value) { return std::to_string(Value); }
AnsiString IntToHex(Integer Value, Integer Digits) { return Hex(Value, Digits); }
AnsiString IntToHex(Int64 Value, Integer Digits) { return Hex(Value, Digits); }

void Val(const AnsiString& S, Int64& Value, Integer& Code) { Code = ScanInteger(S, 64, Value); }

void Val(const AnsiString& S, Integer& Value, Integer& Code) {
    Int64 wide = 0;
    Code = ScanInteger(S, 32, wide);
    Value = static_cast<Integer>(wide);
}

void Val(const AnsiString& S, double& Value, Integer& Code) {
    std::size_t i = 0;
    while (i < S.size() && S[i] == ' ') ++i;
    bool ok = false;
    const std::size_t end = ScanFloat(S, i, '.', Value, ok);
    Code = ok && end == S.size() ? 0 : static_cast<Integer>(end) + 1;
}

bool TryStrToInt(const AnsiString& S, Integer& Value) {
    Integer code = 0;
    Val(S, Value, code);
    return code == 0;
}

bool TryStrToInt64(const AnsiString& S, Int64& Value) {
    Integer code = 0;
    Val(S, Value, code);
    return code == 0;
}

Integer StrToInt(const AnsiString& S) {
    Integer value = 0;
    if (!TryStrToInt(S, value)) NotAnInteger(S);
    return value;
}

Int64 StrToInt64(const AnsiString& S) {
    Int64 value = 0;
    if (!TryStrToInt64(S, value)) NotAnInteger(S);
    return value;
}

Integer StrToIntDef(const AnsiString& S, Integer Default) {
    Integer value = 0;
    return TryStrToInt(S, value) ? value : Default;
}

Int64 StrToInt64Def(const AnsiString& S, Int64 Default) {
    Int64 value = 0;
    return TryStrToInt64(S, value) ? value : Default;
}

bool TryStrToFloat(const AnsiString& S, double& Value) {
    const AnsiString text = Trim(S);
    double value = 0.0;
    bool ok = false;
    if (ScanFloat(text, 0, DecimalSeparator, value, ok) != text.size() || !ok) return false;
    if (!std::isfinite(value)) return false;
    Value = value;
    return true;
}

double StrToFloat(const AnsiString& S) {
    double value = 0.0;
    if (!TryStrToFloat(S, value)) throw EConvertError("'" + S + "' is not a valid floating point value");
    return value;
}

double StrToFloatDef(const AnsiString& S, double Default) {
    double value = 0.0;
    return TryStrToFloat(S, value) ? value : Default;
}

void FloatToDecimal(TFloatRec& Result, double Value, Integer Precision, Integer Decimals) {
    Result = {};
    Result.Negative = std::signbit(Value);
    if (std::isnan(Value)) {
        Result.Exponent = 0x7FFF;
        return;
    }
    if (std::isinf(Value)) {
        Result.Exponent = 0x8000;
        return;
    }
    if (Value == 0.0) {
        Result.Negative = false;
        return;
    }
    // 18 significant digits, exactly rounded from the binary value: d.ddd...e±x.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(Value));
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, 17);
    Integer exponent = std::atoi(buffer + 20) + 1;
    // Keep at most Precision significant digits and Decimals after the point, then round half up.
    const Integer keep = std::min<Integer>(std::clamp<Integer>(Precision, 1, 18),
                                           exponent + std::clamp<Integer>(Decimals, -exponent - 1, 9999));
    if (keep < 0) {
        digits.clear();
    } else if (keep < 18) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            // Carry: trailing nines vanish (trailing zeros are dropped anyway); all nines become "1".
            std::size_t k = digits.size();
            while (k > 0 && digits[k - 1] == '9') --k;
            if (k == 0) {
                digits.assign(1, '1');
                ++exponent;
            } else {
                digits.resize(k);
                ++digits[k - 1];
            }
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) {
        Result.Negative = false;
        return;
    }
    Result.Exponent = exponent;
    Result.Digits = digits;
}
