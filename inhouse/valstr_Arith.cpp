// Decimal arithmetic on number texts of any length: the spin steps add their step texts with it.
#include "valstr.h"
#include "valstr_Digits.h"

#include <string_view>

#include <vcl/SysUtils.h>

namespace valstr {

using detail::IsDigit;

namespace {

// A number text split into sign, whole digits and fraction digits.
struct NumberParts {
    bool Negative = false;
    std::string_view Whole;
    std::string_view Fraction;
};

NumberParts SplitNumber(const AnsiString& S) {
    NumberParts parts;
    std::string_view rest(S);
    if (rest.starts_with('-')) {
        parts.Negative = true;
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    parts.Whole = rest.substr(0, point);
    if (point != std::string_view::npos) parts.Fraction = rest.substr(point + 1);
    for (std::string_view digits : {parts.Whole, parts.Fraction})
        for (AnsiChar c : digits)
            if (!IsDigit(c)) throw EConvertError("'" + S + "' is not a valid number");
    return parts;
}

// Digit of a magnitude aligned to Whole whole and Fraction fraction places; place 0 is the
// leftmost whole place. Missing places read as "0".
AnsiChar DigitAtPlace(const NumberParts& N, std::size_t WholeWidth, std::size_t Place) {
    if (Place < WholeWidth) {
        const std::size_t padding = WholeWidth - N.Whole.size();
        return Place < padding ? '0' : N.Whole[Place - padding];
    }
    const std::size_t fractionPlace = Place - WholeWidth;
    return fractionPlace < N.Fraction.size() ? N.Fraction[fractionPlace] : '0';
}

// Compares magnitudes: -1, 0 or 1.
int CompareMagnitudes(const NumberParts& A, const NumberParts& B, std::size_t WholeWidth, std::size_t Places) {
    for (std::size_t place = 0; place < Places; ++place) {
        const AnsiChar a = DigitAtPlace(A, WholeWidth, place);
        const AnsiChar b = DigitAtPlace(B, WholeWidth, place);
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

// A + B with signs: equal signs add magnitudes, different signs subtract the smaller magnitude
// from the larger and take the larger one's sign.
void SignedSum(const NumberParts& A, const NumberParts& B, AnsiString& Result) {
    const std::size_t wholeWidth = A.Whole.size() > B.Whole.size() ? A.Whole.size() : B.Whole.size();
    const std::size_t fractionWidth = A.Fraction.size() > B.Fraction.size() ? A.Fraction.size() : B.Fraction.size();
    const std::size_t places = wholeWidth + fractionWidth;

    const bool subtract = A.Negative != B.Negative;
    const bool swap = subtract && CompareMagnitudes(A, B, wholeWidth, places) < 0;
    const NumberParts& larger = swap ? B : A;
    const NumberParts& smaller = swap ? A : B;

    // Digits from the right, each carrying (or borrowing) into the place to its left.
    AnsiString digits(places, '0');
    int carry = 0;
    for (std::size_t place = places; place-- > 0;) {
        const int a = DigitAtPlace(larger, wholeWidth, place) - '0';
        const int b = DigitAtPlace(smaller, wholeWidth, place) - '0';
        int digit = subtract ? a - b - carry : a + b + carry;
        carry = 0;
        if (digit < 0) {
            digit += 10;
            carry = 1;
        } else if (digit > 9) {
            digit -= 10;
            carry = 1;
        }
        digits[place] = static_cast<AnsiChar>('0' + digit);
    }
    if (carry) digits.insert(0, 1, '1');
    const std::size_t wholeDigits = digits.size() - fractionWidth;

    // Leading zeros of the whole part go, keeping one digit; zero carries no sign.
    std::size_t first = 0;
    while (first + 1 < wholeDigits && digits[first] == '0') ++first;
    const bool zero = digits.find_first_not_of('0') == AnsiString::npos;

    Result.clear();
    if (larger.Negative && !zero) Result += '-';
    if (wholeDigits == 0) Result += '0';
    Result.append(digits, first, wholeDigits - first);
    if (fractionWidth > 0) {
        Result += '.';
        Result.append(digits, wholeDigits);
    }
}

}  // namespace

void AddNumberStrings(const AnsiString& A, const AnsiString& B, AnsiString& Result) {
    SignedSum(SplitNumber(A), SplitNumber(B), Result);
}

void SubtractNumberStrings(const AnsiString& A, const AnsiString& B, AnsiString& Result) {
    NumberParts negatedB = SplitNumber(B);
    negatedB.Negative = !negatedB.Negative;
    SignedSum(SplitNumber(A), negatedB, Result);
}

}  // namespace valstr
