// The typed edit's value: classification, the text setter, numeric access, money grouping, mixed case.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "ProEdit.h"
#include "ProEdit_Chars.h"

namespace ProEdit {

using namespace Chars;

namespace {

AnsiString WithoutThousands(AnsiString Value) {
    if (ThousandSeparator != '\0') std::erase(Value, ThousandSeparator);
    return Value;
}

// Thousand separators removed, then converted with the locale's decimal separator.
double ValueToNumber(const AnsiString& Value) { return StrToFloat(WithoutThousands(Value)); }

AnsiString FormatNumber(const AnsiString& Pattern, double Value) { return Format(Pattern, {Value}); }

AnsiString PrecisionPattern(SmallInt Precision, char Type) { return "%." + IntToStr(Integer{Precision}) + Type; }

// "%g", but never with an exponent: "1E15" would classify as hexadecimal and be stored as "0". Such a
// value is written in the shortest plain digits that read back as the same number.
AnsiString GeneralNumber(double Value) {
    const AnsiString general = FormatNumber("%g", Value);
    if (general.find('E') == AnsiString::npos || !std::isfinite(Value)) return general;
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, Value, std::chars_format::fixed);
    AnsiString plain(digits, written.ptr);
    std::replace(plain.begin(), plain.end(), '.', DecimalSeparator);
    return plain;
}

// The integer part's digits grouped by threes, leading zeros dropped, "0" when no digit remains.
AnsiString GroupedDigits(const AnsiString& IntegerPart, bool Grouped) {
    AnsiString digits;
    digits.reserve(IntegerPart.size());
    for (char c : IntegerPart)
        if (IsDigit(c) && (c != '0' || !digits.empty())) digits += c;
    if (digits.empty()) return "0";
    if (!Grouped || ThousandSeparator == '\0') return digits;
    AnsiString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ThousandSeparator;
        grouped += digits[i];
    }
    return grouped;
}

// What each byte allows, as bits; the separators of the moment and the sign take the slow path.
enum : unsigned char { kDigit = 1, kInteger = 2, kFloat = 4, kHex = 8, kHexDigit = 16, kSpecial = 32 };

struct TByteTable {
    unsigned char Bits[256];
};

const TByteTable& ClassBits() {
    static const TByteTable table = [] {
        TByteTable t{};
        for (int c = '0'; c <= '9'; ++c) t.Bits[c] = kDigit | kInteger | kFloat | kHex | kHexDigit;
        for (int c = 'A'; c <= 'F'; ++c) t.Bits[c] = t.Bits[c + 'a' - 'A'] = kHex | kHexDigit;
        t.Bits[static_cast<unsigned char>('-')] = kInteger | kFloat | kHex | kSpecial;
        t.Bits[static_cast<unsigned char>(',')] = kFloat;
        t.Bits[static_cast<unsigned char>('.')] = kFloat;
        return t;
    }();
    return table;
}

}  // namespace

// One pass. A number needs a digit (a hexadecimal one needs a hex digit) and at most a leading "-".
TTextClass ClassifyText(const AnsiString& Text) {
    if (Text.empty()) return tcOther;
    TByteTable bits = ClassBits();
    bits.Bits[static_cast<unsigned char>(DecimalSeparator)] |= kSpecial;
    if (ThousandSeparator != '\0') bits.Bits[static_cast<unsigned char>(ThousandSeparator)] |= kSpecial;
    unsigned char all = 0xFF, any = 0;
    bool spacedThousands = true, innerMinus = false;
    Integer minuses = 0, decimals = 0;
    Integer lastThousand = -1;  // 1-based position of the previous thousand separator
    const std::size_t length = Text.size();
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        const unsigned char m = bits.Bits[c];
        all &= m;
        any |= m;
        if (!(m & kSpecial)) continue;
        if (c == '-') {
            ++minuses;
            innerMinus = innerMinus || i > 0;
        }
        if (c == static_cast<unsigned char>(DecimalSeparator)) ++decimals;
        if (c == static_cast<unsigned char>(ThousandSeparator)) {
            const auto position = static_cast<Integer>(i + 1);
            if (position - lastThousand < 3) spacedThousands = false;
            lastThousand = position;
        }
    }
    if (minuses >= 2 || decimals >= 2 || innerMinus) return tcOther;
    if ((all & kInteger) && (any & kDigit)) return tcInteger;
    if ((all & kFloat) && spacedThousands && (any & kDigit)) return tcFloat;
    if ((all & kHex) && (any & kHexDigit)) return tcHex;
    return tcOther;
}

// Left to right with a capitalise-next flag. The " Mc" test looks only at its first occurrence, which
// lies in the part already rewritten, so one pass serves; the roman-numeral test only near the end.
void ApplyMixedCase(AnsiString& Text) {
    const std::size_t length = Text.size();
    bool capitalise = true;
    bool mcSeen = false;
    for (std::size_t i = 0; i < length; ++i) {
        char& c = Text[i];
        if (c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.') {
            capitalise = true;
            continue;
        }
        if (capitalise) {
            c = AsciiUpper(c);
            capitalise = false;
        } else {
            c = AsciiLower(c);
            // "Mc" as the first two characters, or the first " Mc".
            if (c == 'c' && Text[i - 1] == 'M' && (i == 1 || (!mcSeen && i >= 2 && Text[i - 2] == ' '))) {
                mcSeen = mcSeen || i >= 2;
                capitalise = true;
            }
        }
        if (i + 3 >= length && c == 'I' && i >= 1 &&
            (Text[i - 1] == ' ' || (i >= 2 && Text[i - 1] == 'I' && Text[i - 2] == ' ')))
            capitalise = true;
    }
}

bool LooksLikeURL(const AnsiString& Value) {
    if (Value.find("://") != AnsiString::npos) return true;
    const std::size_t at = Value.find('@');
    return at != AnsiString::npos && at > 0;
}

// ---------------------------------------------------------------------------

void TProEdit::SetText(const AnsiString& Value) {
    // The window text ends at a NUL; what follows it would push Suffix out.
    AnsiString value = Value.substr(0, Value.find('\0'));
    if (!value.empty()) {
        const TTextClass kind = ClassifyText(value);
        bool suits = true;
        switch (editType_) {
            case etNumeric: suits = kind == tcInteger; break;
            case etFloat:
            case etMoney: suits = kind == tcInteger || kind == tcFloat; break;
            case etHex: suits = kind == tcInteger || kind == tcHex; break;
            default: break;
        }
        if (!suits) value = "0";
        if (precision_ >= 1 && editType_ == etMoney)
            value = FormatNumber(PrecisionPattern(precision_, 'n'), ValueToNumber(value));
        else if (precision_ >= 1 && editType_ == etFloat)
            value = FormatNumber(PrecisionPattern(precision_, 'f'), ValueToNumber(value));
    }
    if (editType_ == etHex) std::transform(value.begin(), value.end(), value.begin(), AsciiUpper);
    WriteValue(value);
    SetModifiedState(false);
    FollowURLLook();
}

double TProEdit::FloatValue() const {
    const AnsiString value = Text();
    switch (editType_) {
        case etNumeric:
        case etFloat:
            // A lone sign reads as 0, as money's does.
            if (value.empty() || value == "-") return 0;
            return ValueToNumber(value);
        case etMoney: {
            AnsiString number = WithoutThousands(value);
            if (!number.empty() && number.back() == DecimalSeparator) number.pop_back();
            if (number.empty() || number == "-") return 0;
            return StrToFloat(number);
        }
        case etHex: {
            // A leading "-" is the sign, as the filter and the classification let it in.
            const bool negative = !value.empty() && value[0] == '-';
            double result = 0;
            double weight = 1;
            for (auto c = value.rbegin(); c != value.rend() - (negative ? 1 : 0); ++c, weight *= 16) {
                Integer digit = 0;
                if (IsDigit(*c)) digit = *c - '0';
                else if (IsHexLetter(*c)) digit = AsciiUpper(*c) - 'A' + 10;
                result += digit * weight;
            }
            return negative ? -result : result;
        }
        default: return 0;
    }
}

void TProEdit::SetFloatValue(double Value) {
    Batched([&] {
        switch (editType_) {
            case etNumeric:
                // Rounded, without grouping: the text setter takes only digits and a sign for this type.
                SetText(FormatNumber("%.0f", Value));
                break;
            case etFloat:
                SetText(precision_ < 0 ? GeneralNumber(Value) : FormatNumber(PrecisionPattern(precision_, 'f'), Value));
                break;
            case etMoney:
                SetText(precision_ < 1 ? GeneralNumber(Value) : FormatNumber(PrecisionPattern(precision_, 'f'), Value));
                RegroupMoney();
                break;
            case etHex: {
                // The signed 64-bit range: 2^63 itself is already outside it.
                if (!(Value >= -9223372036854775808.0 && Value < 9223372036854775808.0))
                    throw ERangeError("Range check error");
                SetText(Format("%.*x", {0, static_cast<Int64>(std::trunc(Value))}));
                break;
            }
            default: break;
        }
        SetModifiedState(true);
    });
}

void TProEdit::SetIntValue(Int64 Value) {
    Batched([&] {
        switch (editType_) {
            case etNumeric:
            case etFloat: SetText(IntToStr(Value)); break;
            case etMoney:
                SetText(IntToStr(Value));
                RegroupMoney();
                break;
            case etHex: SetText(IntToHex(Value, 0)); break;
            default: break;
        }
        SetModifiedState(true);
    });
}

// The integer part is grouped as text, so no digit is lost to a float's precision; the caret keeps its
// distance from the value's end.
void TProEdit::RegroupMoney() {
    const AnsiString value = Text();
    if (value.empty()) return;
    const Integer caret = SelStart();
    const bool negative = value[0] == '-';
    const std::size_t digitsFrom = negative ? 1 : 0;
    const std::size_t decimal = value.find(DecimalSeparator, digitsFrom);
    const AnsiString fraction = decimal == AnsiString::npos ? AnsiString() : value.substr(decimal, 255);
    const AnsiString integerPart =
        value.substr(digitsFrom, decimal == AnsiString::npos ? AnsiString::npos : decimal - digitsFrom);
    AnsiString regrouped = (negative ? "-" : "") + GroupedDigits(integerPart, autoThousandSeparator_) + fraction;
    if (regrouped == value) return;
    const auto grown = static_cast<Integer>(regrouped.size()) - static_cast<Integer>(value.size());
    WriteFormatted(regrouped);
    Select(std::clamp(caret + grown, ValueStart(), ValueEnd()), 0);
}

// A rewrite of what the user typed: the window keeps its modify flag.
void TProEdit::WriteFormatted(const AnsiString& Formatted) {
    const bool windowModified = Perform(EM_GETMODIFY, 0, 0) != 0;
    WriteValue(Formatted);
    if (windowModified) Perform(EM_SETMODIFY, TRUE, 0);
}

}  // namespace ProEdit
