// Floating-point values to text: FloatToStr, FloatToStrF and FormatFloat.
#include <algorithm>
#include <cmath>
#include <vector>

#include "vcl/SysUtils.h"

namespace {

constexpr Integer kMaxPrecision = 18;
constexpr Integer kNoDecimalLimit = 9999;

// Digit k (0-based) of the decimal form, '0' past the stored digits.
char DigitAt(const TFloatRec& rec, Integer k) {
    return k >= 0 && k < Length(rec.Digits) ? rec.Digits[static_cast<std::size_t>(k)] : '0';
}

// Integer digits of the value, "" when it is below one.
AnsiString IntegerDigits(const TFloatRec& rec) {
    AnsiString out;
    for (Integer k = 0; k < rec.Exponent; ++k) out += DigitAt(rec, k);
    return out;
}

AnsiString Grouped(const AnsiString& digits) {
    AnsiString out;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0 && ThousandSeparator != '\0') out += ThousandSeparator;
        out += digits[k];
    }
    return out;
}

AnsiString ExponentText(Integer exponent, bool forceSign, Integer minDigits) {
    AnsiString digits = std::to_string(std::abs(exponent));
    if (Length(digits) < minDigits) digits.insert(0, static_cast<std::size_t>(minDigits - Length(digits)), '0');
    return AnsiString("E") + (exponent < 0 ? "-" : forceSign ? "+" : "") + digits;
}

AnsiString Special(const TFloatRec& rec) {
    if (rec.Exponent == 0x7FFF) return "NAN";
    return rec.Negative ? "-INF" : "INF";
}

// d.ddd with Fraction digits after the point (trailing zeros of the stored digits dropped when Trim).
AnsiString Scientific(const TFloatRec& rec, Integer fraction, bool trim, bool forceSign, Integer expDigits) {
    AnsiString out(1, DigitAt(rec, 0));
    AnsiString tail;
    for (Integer k = 1; k <= fraction; ++k) tail += DigitAt(rec, k);
    if (trim) tail = Copy(rec.Digits, 2, fraction);
    if (!tail.empty()) out += DecimalSeparator + tail;
    return out + ExponentText(rec.Digits.empty() ? 0 : rec.Exponent - 1, forceSign, expDigits);
}

AnsiString General(double value, Integer precision, Integer expDigits) {
    TFloatRec rec;
    FloatToDecimal(rec, value, precision, kNoDecimalLimit);
    if (rec.Exponent >= 0x7FFF) return Special(rec);
    AnsiString body;
    if (rec.Digits.empty()) {
        body = "0";
    } else if (rec.Exponent > precision || rec.Exponent < -3) {
        body = Scientific(rec, Length(rec.Digits) - 1, true, false, expDigits);
    } else {
        body = rec.Exponent > 0 ? IntegerDigits(rec) : "0";
        AnsiString fraction;
        for (Integer k = rec.Exponent; k < Length(rec.Digits); ++k) fraction += DigitAt(rec, k);
        if (!fraction.empty()) body += DecimalSeparator + fraction;
    }
    return (rec.Negative ? "-" : "") + body;
}

AnsiString Currency(const AnsiString& number, bool negative) {
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negatives[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                            "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const char* pattern = negative ? negatives[NegCurrFormat % 16] : positive[CurrencyFormat % 4];
    AnsiString out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '$') out += CurrencyString;
        else if (*p == '1') out += number;
        else out += *p;
    }
    return out;
}

}  // namespace

AnsiString FloatToStr(double Value) { return General(Value, 15, 0); }

AnsiString FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits) {
    Precision = std::clamp<Integer>(Precision, 1, kMaxPrecision);
    if (Format == ffGeneral) return General(Value, Precision, std::clamp<Integer>(Digits, 0, 4));
    TFloatRec rec;
    if (Format == ffExponent) {
        FloatToDecimal(rec, Value, Precision, kNoDecimalLimit);
        if (rec.Exponent >= 0x7FFF) return Special(rec);
        return (rec.Negative ? "-" : "") +
               Scientific(rec, Precision - 1, false, true, std::clamp<Integer>(Digits, 0, 4));
    }
    Digits = std::clamp<Integer>(Digits, 0, kMaxPrecision);
    FloatToDecimal(rec, Value, Precision, Digits);
    if (rec.Exponent >= 0x7FFF) return Special(rec);
    if (rec.Exponent > Precision) return General(Value, Precision, 0);
    AnsiString integer = IntegerDigits(rec);
    if (integer.empty()) integer = "0";
    AnsiString number = Format == ffFixed ? integer : Grouped(integer);
    if (Digits > 0) {
        number += DecimalSeparator;
        for (Integer k = 0; k < Digits; ++k) number += DigitAt(rec, rec.Exponent + k);
    }
    if (Format == ffCurrency) return Currency(number, rec.Negative);
    return (rec.Negative ? "-" : "") + number;
}

namespace {

// One section of a FormatFloat picture, analysed.
struct Picture {
    AnsiString text;
    Integer intPlaces = 0;   // 0 and # before the point (or the exponent)
    Integer intZeros = 0;    // places from the first '0' before the point
    Integer fracPlaces = 0;  // 0 and # after the point
    Integer fracZeros = 0;   // places up to the last '0' after the point
    bool grouping = false;
    bool scientific = false;
};

// Calls visit(index, char, quoted) for each character outside and inside quotes.
template <typename Visit>
void Walk(const AnsiString& text, Visit visit) {
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            else visit(i, c, true);
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else {
            visit(i, c, false);
        }
    }
}

bool IsExponentAt(const AnsiString& text, std::size_t i) {
    return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-');
}

Picture Analyse(const AnsiString& text) {
    Picture p;
    p.text = text;
    bool afterPoint = false;
    bool done = false;
    Walk(text, [&](std::size_t i, char c, bool quoted) {
        if (quoted || done) return;
        if (IsExponentAt(text, i)) {
            p.scientific = true;
            done = true;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            p.grouping = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++p.fracPlaces;
                if (c == '0') p.fracZeros = p.fracPlaces;
            } else {
                ++p.intPlaces;
                if (c == '0' && p.intZeros == 0) p.intZeros = 1;
                else if (p.intZeros > 0) ++p.intZeros;
            }
        }
    });
    return p;
}

std::vector<AnsiString> Sections(const AnsiString& format) {
    // Split by hand: the quotes stay in each section for its own walk.
    std::vector<AnsiString> sections(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';' && sections.size() < 3) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

AnsiString Render(const Picture& p, double magnitude, bool negative) {
    TFloatRec rec;
    AnsiString intDigits;
    AnsiString fracDigits;
    Integer exponent = 0;
    if (p.scientific) {
        FloatToDecimal(rec, magnitude, std::clamp<Integer>(p.intPlaces + p.fracPlaces, 1, kMaxPrecision),
                       kNoDecimalLimit);
        const Integer lead = std::max<Integer>(p.intPlaces, 1);
        exponent = rec.Digits.empty() ? 0 : rec.Exponent - lead;
        for (Integer k = 0; k < lead; ++k) intDigits += DigitAt(rec, k);
        for (Integer k = 0; k < p.fracPlaces; ++k) fracDigits += DigitAt(rec, lead + k);
        // The mantissa always shows its leading digit, so zero reads as 0E0 even under '#'.
        while (intDigits.front() == '0' && Length(intDigits) > std::max<Integer>(p.intZeros, 1)) intDigits.erase(0, 1);
    } else {
        FloatToDecimal(rec, magnitude, kMaxPrecision, p.fracPlaces);
        intDigits = IntegerDigits(rec);
        for (Integer k = 0; k < p.fracPlaces; ++k) fracDigits += DigitAt(rec, rec.Exponent + k);
        if (Length(intDigits) < p.intZeros)
            intDigits.insert(0, static_cast<std::size_t>(p.intZeros - Length(intDigits)), '0');
    }
    while (Length(fracDigits) > p.fracZeros && fracDigits.back() == '0') fracDigits.pop_back();

    AnsiString out = negative ? "-" : "";
    const Integer n = Length(intDigits);
    Integer placeIndex = 0;
    Integer fracIndex = 0;
    bool afterPoint = false;
    bool exponentDone = false;
    auto emitDigit = [&](Integer k) {
        out += intDigits[static_cast<std::size_t>(k)];
        const Integer remaining = n - 1 - k;
        if (p.grouping && remaining > 0 && remaining % 3 == 0 && ThousandSeparator != '\0') out += ThousandSeparator;
    };
    auto emitIntegerPlace = [&] {
        // The first place takes every digit the picture has no place for.
        const Integer k = n - p.intPlaces + placeIndex;
        const Integer from = placeIndex == 0 ? 0 : k;
        for (Integer j = std::max<Integer>(from, 0); j <= k; ++j) emitDigit(j);
        ++placeIndex;
    };
    auto finishInteger = [&] {
        if (p.intPlaces == 0)
            for (Integer j = 0; j < n; ++j) emitDigit(j);
    };
    const AnsiString& text = p.text;
    std::size_t skipUntil = 0;
    Walk(text, [&](std::size_t i, char c, bool quoted) {
        if (i < skipUntil) return;
        if (quoted || exponentDone) {
            out += c;
        } else if (p.scientific && IsExponentAt(text, i)) {
            if (!afterPoint) finishInteger();
            afterPoint = true;
            std::size_t j = i + 2;
            Integer zeros = 0;
            while (j < text.size() && text[j] == '0') ++j, ++zeros;
            const bool forceSign = text[i + 1] == '+';
            AnsiString e = ExponentText(exponent, forceSign, std::min<Integer>(zeros, 4));
            e[0] = c;
            out += e;
            skipUntil = j;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (fracIndex < Length(fracDigits)) out += fracDigits[static_cast<std::size_t>(fracIndex)];
                ++fracIndex;
            } else {
                emitIntegerPlace();
            }
        } else if (c == '.' && !afterPoint) {
            finishInteger();
            afterPoint = true;
            if (!fracDigits.empty()) out += DecimalSeparator;
        } else if (c == ',' && !afterPoint) {
            // grouping marker only
        } else {
            out += c;
        }
    });
    if (!afterPoint) finishInteger();
    return out;
}

}  // namespace

AnsiString FormatFloat(const AnsiString& Format, double Value) {
    if (Format.empty()) return FloatToStr(Value);
    if (std::isnan(Value) || std::isinf(Value)) return FloatToStr(Value);
    const std::vector<AnsiString> sections = Sections(Format);
    const bool negative = Value < 0;
    std::size_t section = negative && sections.size() > 1 && !sections[1].empty() ? 1 : 0;
    Picture picture = Analyse(sections[section]);

    // A value that rounds to zero under its picture is shown by the zero section, and never with a sign.
    TFloatRec rounded;
    FloatToDecimal(rounded, std::fabs(Value), kMaxPrecision, picture.scientific ? kNoDecimalLimit : picture.fracPlaces);
    const bool zero = rounded.Digits.empty();
    if (zero && sections.size() > 2 && !sections[2].empty()) {
        section = 2;
        picture = Analyse(sections[2]);
    }
    return Render(picture, std::fabs(Value), negative && section == 0 && !zero);
}
