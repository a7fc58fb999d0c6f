// Arbitrary bytes through the number readers, the grouping, the comparisons and the decimal
// arithmetic: the readers never raise, comparisons are antisymmetric, grouping only inserts,
// and the arithmetic either raises EConvertError or undoes itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <vcl/SysUtils.h>

#include "support/FuzzCheck.h"
#include "valstr.h"

namespace {

Byte Mirrored(Byte order) {
    return order == valstr::CompareGreater   ? valstr::CompareSmaller
           : order == valstr::CompareSmaller ? valstr::CompareGreater
                                             : order;
}

// Grouping keeps every character of the text in order and stays within the width limit.
void CheckGrouping(const std::string& text, Integer width) {
    std::string grouped;
    valstr::GroupDigits(text, width, grouped);
    std::size_t matched = 0;
    for (char c : grouped)
        if (matched < text.size() && c == text[matched]) ++matched;
    Check(matched == text.size());
    if (width > 0 && static_cast<std::size_t>(width) > text.size())
        Check(grouped.size() <= static_cast<std::size_t>(width));
}

// (A + B) - B equals A + (B - B): the same digits with the same fraction width.
void CheckArithmetic(const std::string& a, const std::string& b) {
    std::string sum;
    try {
        valstr::AddNumberStrings(a, b, sum);
    } catch (const EConvertError&) {
        return;
    }
    std::string back;
    std::string zero;
    std::string expected;
    valstr::SubtractNumberStrings(sum, b, back);
    valstr::SubtractNumberStrings(b, b, zero);
    valstr::AddNumberStrings(a, zero, expected);
    Check(back == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first newline splits the input into the two operands.
    const std::size_t split = input.find('\n');
    const std::string a = input.substr(0, split);
    const std::string b = split == std::string::npos ? std::string() : input.substr(split + 1);

    const double value = valstr::StrToFloatLenient(a, -1.0);
    Check(value == value);  // never NaN: only digits, points and one minus are read
    valstr::StrToIntLenient(b);
    valstr::StrToIntOrNone(a);

    std::string text;
    valstr::FloatToStrDec(4, text, value);
    valstr::SetDigitGroupSeparator("'");
    CheckGrouping(text, 0);
    CheckGrouping(a, 0);
    CheckGrouping(a, static_cast<Integer>(b.size() % 40));
    valstr::SetDigitGroupSeparator("");

    for (bool caseSensitive : {false, true})
        Check(valstr::NaturalCompare(a, b, caseSensitive) == Mirrored(valstr::NaturalCompare(b, a, caseSensitive)));
    Check(valstr::CompareValues(a, b) == Mirrored(valstr::CompareValues(b, a)));
    Check(valstr::CompareValues(a, a) == valstr::CompareEqual);

    CheckArithmetic(a, b);
    return 0;
}
