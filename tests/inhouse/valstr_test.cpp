#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <vcl/SysUtils.h>

#include "valstr.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Sets the process-wide separator for one test and restores the start-up state afterwards.
class WithSeparator : public ::testing::Test {
protected:
    void SetUp() override { valstr::SetDigitGroupSeparator("'"); }
    void TearDown() override { valstr::SetDigitGroupSeparator(""); }
};

std::string Fixed(int decimals, double value) {
    std::string s;
    valstr::FloatToStrFixed(decimals, s, value);
    return s;
}
std::string Dec(int decimals, double value) {
    std::string s;
    valstr::FloatToStrDec(decimals, s, value);
    return s;
}
std::string Trim(double value) {
    std::string s;
    valstr::FloatToStrTrim(s, value);
    return s;
}
std::string Group(const std::string& text, int width = 0) {
    std::string s;
    valstr::GroupDigits(text, width, s);
    return s;
}
std::string Add(const std::string& a, const std::string& b) {
    std::string s;
    valstr::AddNumberStrings(a, b, s);
    return s;
}
std::string Subtract(const std::string& a, const std::string& b) {
    std::string s;
    valstr::SubtractNumberStrings(a, b, s);
    return s;
}

TEST(FloatToStrFixed, RoundsEighteenSignificantDigitsHalfAwayFromZero) {
    struct Case {
        int decimals;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2.5, "3"},
        {0, -2.5, "-3"},
        {0, 0.5, "1"},
        {0, -0.5, "-1"},
        {2, 0.125, "0.13"},
        {0, 1234.5, "1235"},
        {0, 9.5, "10"},
        {1, 9.96, "10.0"},
        {1, -9.96, "-10.0"},
        {2, 0.1 + 0.2, "0.30"},
        {2, 1.005, "1.00"},
        {0, 0.4, "0"},
        {0, -0.4, "0"},
        {3, -0.0, "0.000"},
        {0, 0.49999999999999994, "0"},
        {11, 1e-12, "0.00000000000"},
        {11, 6e-12, "0.00000000001"},
        {11, 4e-12, "0.00000000000"},
        {4, 0.03125, "0.0313"},
        {1, 0.25, "0.3"},
        {1, -0.25, "-0.3"},
        // Digits past the eighteenth significant one are written as zeros.
        {0, 1e23, "99999999999999991600000"},
        {0, 1e20, "100000000000000000000"},
        {2, 123456789012345678.0, "123456789012345680.00"},
        {12, 1.0, "1.00000000000"},
        {-1, 1.0, "1.00000000000"},
        {0, 30e9, "30000000000"},
        {0, NaN, "Nan"},
        {3, Inf, "+Inf"},
        {3, -Inf, "-Inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fixed(c.decimals, c.value), c.expected) << c.decimals << " decimals of " << c.value;
    EXPECT_EQ(Fixed(0, 1e300).size(), 301u);
    EXPECT_EQ(Fixed(0, 1e300).substr(0, 17), "10000000000000000");
    EXPECT_EQ(Fixed(11, std::numeric_limits<double>::denorm_min()), "0.00000000000");
}

// The definition the conversion follows, from the C library's correctly rounded 18 significant digits:
// the digits up to 10^-Decimals, rounded half away from zero on the next one, the rest zeros.
std::string FixedByDefinition(int decimals, double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17e", std::abs(value));
    std::string digits = std::string(1, buffer[0]) + std::string(buffer + 2, 17);
    const int exponent = std::atoi(buffer + 20);
    // One leading zero takes a carry; digits[i] stands at 10^(exponent + 1 - i).
    digits = "0" + digits;
    const int kept = exponent + 1 + decimals + 1;  // digits down to 10^-decimals, the leading zero counted
    if (kept < 1) return Fixed(decimals, 0.0);
    if (kept < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(kept)] >= '5';
        digits.resize(static_cast<std::size_t>(kept));
        for (int at = kept - 1; up; --at) {
            if (digits[static_cast<std::size_t>(at)] == '9') digits[static_cast<std::size_t>(at)] = '0';
            else ++digits[static_cast<std::size_t>(at)], at = 0;
            if (at == 0) break;
        }
    }
    const int highest = exponent + 1;  // power of the leading zero
    std::string text;
    for (int power = std::max(highest, 0); power >= -decimals; --power) {
        const int index = highest - power;
        text += index >= 0 && index < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(index)] : '0';
        if (power == 0 && decimals > 0) text += '.';
    }
    text.erase(0, std::min(text.find_first_not_of('0'),
                           text.find('.') == std::string::npos ? text.size() - 1 : text.find('.') - 1));
    if (value < 0 && text.find_first_not_of("0.") != std::string::npos) text = "-" + text;
    return text;
}

TEST(FloatToStrFixed, AgreesWithTheDefinitionAcrossMagnitudes) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> exponent(-8, 20);
    std::uniform_real_distribution<double> mantissa(1, 10);
    for (int i = 0; i < 200000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const int decimals = static_cast<int>(random() % 12);
        const std::string fixed = FixedByDefinition(decimals, value);
        ASSERT_EQ(Fixed(decimals, value), fixed) << decimals << " decimals of " << value;
        // FloatToStrDec is the same text without trailing fraction zeros and a bare point.
        std::string trimmed = fixed;
        if (trimmed.find('.') != std::string::npos) {
            trimmed.erase(trimmed.find_last_not_of('0') + 1);
            if (trimmed.back() == '.') trimmed.pop_back();
        }
        ASSERT_EQ(Dec(decimals, value), trimmed) << decimals << " decimals of " << value;
    }
    // Quotients as the calculator makes them, and values next to powers of ten and halves.
    for (long long position = 1; position < 100000000000LL; position = position * 7 + 3) {
        const double percent = static_cast<double>(position) / 1e11 * 100;
        ASSERT_EQ(Fixed(4, percent), FixedByDefinition(4, percent)) << percent;
    }
    for (double power = 1e-5; power < 1e18; power *= 10)
        for (double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e30), power * 9.5, power / 2})
            for (int decimals : {0, 4, 11})
                ASSERT_EQ(Fixed(decimals, value), FixedByDefinition(decimals, value)) << value;
}

TEST(FloatToStrDec, RemovesTrailingFractionZerosOnly) {
    struct Case {
        int decimals;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, 1234.5, "1235"},
        {2, 0.1 + 0.2, "0.3"},
        {3, 12.5, "12.5"},
        {3, 10.0, "10"},
        {0, 100.0, "100"},
        {4, 50.0, "50"},
        {4, 1000.0 * 512 / 30e9 * 100, "0.0017"},
        {4, -0.00001, "0"},
        {2, 1000.0, "1000"},
        {2, NaN, "Nan"},
        {2, -Inf, "-Inf"},
    };
    for (const Case& c : cases) EXPECT_EQ(Dec(c.decimals, c.value), c.expected) << c.value;
    EXPECT_EQ(Trim(1e-12), "0");
    EXPECT_EQ(Trim(1.0 / 3), "0.33333333333");
    EXPECT_EQ(Trim(32212254720.0 / 1e9), "32.21225472");
}

TEST(StrToFloatLenient, KeepsDigitsPointsAndOnlyALeadingMinus) {
    struct Case {
        const char* text;
        double fallback;
        double expected;
    };
    const Case cases[] = {
        {"", 7.0, 0.0},
        {"--5", 0, -5.0},
        {"1'000'000", 0, 1000000.0},
        {"1'234.5", 0, 1234.5},
        {"1,5", 0, 15.0},
        {"ab-12", 0, -12.0},
        {"1-2", 0, 12.0},
        {"1e3", 0, 13.0},
        {"5.", 0, 5.0},
        {".5", 0, 0.5},
        {"-", 3, 0.0},
        {".", 3, 0.0},
        {"-.", 3, 0.0},
        {"abc", 7.0, 0.0},
        {"12ab3", 0, 123.0},
        {"+7", 0, 7.0},
        {" 42 ", 0, 42.0},
        {"1.2.3", 0, 12.0},
        {"-1.25.3", 0, 125.0},
        {"-0.75", 0, -0.75},
        {"30'000'000'000", 0, 30e9},
        {"0.1", 0, 0.1},
        {"000012", 0, 12.0},
        {"999999999999999", 0, 999999999999999.0},
        {"9007199254740993", 0, 9007199254740992.0},
        {"12345678901234567", 0, 12345678901234568.0},
        {"12345678", 0, 12345678.0},
        {"1234567/", 0, 1234567.0},
        {"1234567:", 0, 1234567.0},
        {"/2345678", 0, 2345678.0},
        {"123456789012a45", 0, 12345678901245.0},
        {"12345678 ", 0, 12345678.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valstr::StrToFloatLenient(c.text, c.fallback), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(valstr::StrToFloatLenient(std::string(400, '9'), 0), Inf);
    EXPECT_EQ(valstr::StrToFloatLenient("-" + std::string(400, '9'), 0), -Inf);
    EXPECT_EQ(valstr::StrToFloatLenient("0." + std::string(400, '0') + "1", 5), 0.0);
    EXPECT_EQ(valstr::StrToFloatLenient(std::string(100, 'x') + "12.5", 0), 12.5);
    EXPECT_EQ(valstr::StrToFloatSimple("x9"), 9.0);
}

TEST(StrToIntLenient, RoundsTiesToEvenAndGivesZeroOutsideTheRange) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"2.51", 3},
        {"12ab", 12},
        {"", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", -2147483648},
        {"1e99", 199},
    };
    for (const Case& c : cases) EXPECT_EQ(valstr::StrToIntLenient(c.text), c.expected) << c.text;
    EXPECT_EQ(valstr::StrToIntLenient(std::string(400, '9')), 0);
}

TEST(StrToIntOrNone, ConvertsStrictlyOrGivesNoValue) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", -32000},
        {"12", 12},
        {"-5", -5},
        {"x", -32000},
        {"12a", -32000},
        {"2147483648", -32000},
        {"-2147483648", -2147483648},
        {"-", -32000},
    };
    for (const Case& c : cases) EXPECT_EQ(valstr::StrToIntOrNone(c.text), c.expected) << c.text;
    EXPECT_THROW(valstr::StrToIntStrict("1.5"), EConvertError);
}

TEST_F(WithSeparator, GroupDigitsGroupsTheWholePartWithinTheWidth) {
    struct Case {
        const char* text;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {"999", 0, "999"},
        {"1000", 0, "1'000"},
        {"  1234", 0, "  1'234"},
        {"12.3456", 0, "12.3456"},
        {"1234567", 0, "1'234'567"},
        {"1234567.25", 0, "1'234'567.25"},
        {"123", 0, "123"},
        {"", 0, ""},
        {"30000000000", 0, "30'000'000'000"},
        {"  123456", 0, "   123'456"},
        // With a width the rightmost groups stay ungrouped and the text fills the width exactly.
        {"1234567", 8, "1'234567"},
        {"1234567", 9, "1'234'567"},
        {"1234567", 20, "1'234'567"},
        {"1234567", 7, "1234567"},
        {"1234567", -3, "1234567"},
        // Only the digits are grouped: no separator right after the sign.
        {"-123456", 0, "-123'456"},
        {"-1234", 0, "-1'234"},
        {"-123", 0, "-123"},
        {"-1234567", 9, "-1'234567"},
        {"  -123456", 0, "   -123'456"},
        {"-", 0, "-"},
        {"-.5", 0, "-.5"},
        // Texts that are no digit run come back unchanged.
        {"+Inf", 0, "+Inf"},
        {"-Inf", 0, "-Inf"},
        {"Nan", 0, "Nan"},
        {"  +Inf", 0, "  +Inf"},
        {"+1234", 0, "+1234"},
        {"12a4567", 0, "12a4567"},
        {"1 234567", 0, "1 234567"},
    };
    for (const Case& c : cases) EXPECT_EQ(Group(c.text, c.width), c.expected) << '"' << c.text << "\" " << c.width;

    std::string inPlace = "1234567";
    valstr::GroupDigits(inPlace, 0, inPlace);
    EXPECT_EQ(inPlace, "1'234'567");

    valstr::SetDigitGroupSeparator(", ");
    EXPECT_EQ(Group("1234567"), "1, 234, 567");
    valstr::SetDigitGroupSeparator("");
    EXPECT_EQ(Group("1234567"), "1234567");
}

TEST_F(WithSeparator, CalculatorTextsRoundTripThroughTheFields) {
    struct Case {
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {Dec(0, 30.0 * 1000000000), "30'000'000'000"},
        {Dec(0, 30000000000.0 / 512 + 1), "58'593'751"},
        {Dec(0, 30000000000.0 / 4096 + 1), "7'324'220"},
        {Dec(0, 30.0 * 1073741824), "32'212'254'720"},
        {Dec(0, 32212254720.0 / 512 + 1), "62'914'561"},
        {Dec(0, 32212254720.0 / 4096 + 1), "7'864'321"},
        {Trim(1500000000.0 / 1e9), "1.5"},
        {Dec(0, 1234567.0), "1'234'567"},
    };
    for (const Case& c : cases) EXPECT_EQ(Group(c.text), c.expected);

    std::string cleaned;
    valstr::CleanNumber("30'000'000'000", cleaned);
    EXPECT_EQ(valstr::StrToFloatLenient(cleaned, 0.0), 30e9);
}

TEST(CleanNumber, KeepsDigitsOneLeadingMinusAndTheFirstPoint) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1'234.5", "1234.5"}, {"a-1-2.3.4", "-12.34"}, {"1-2", "12"}, {"--5", "-5"}, {"", ""},
        {"abc", ""},           {"..5", ".5"},
    };
    for (const Case& c : cases) {
        std::string s;
        valstr::CleanNumber(c.text, s);
        EXPECT_EQ(s, c.expected) << c.text;
    }
}

TEST(PadToWidth, PadsLeftRightOrCentredWithTheRepeatedPadText) {
    struct Case {
        const char* text;
        const char* pad;
        int width;
        int align;
        const char* expected;
    };
    const Case cases[] = {
        {"ab", "*", 6, 3, "**ab**"},     {"abc", "xy", 6, 1, "xyxabc"}, {"abc", "xy", 6, 2, "abcxyx"},
        {"ab", "", 5, 1, "   ab"},       {"ab", "*", 5, 3, "*ab**"},    {"abcdef", "*", 3, 1, "abcdef"},
        {"abcdef", "*", 3, 3, "abcdef"}, {"ab", "\r", 9, 1, "ab"},
    };
    for (const Case& c : cases) {
        std::string s;
        valstr::PadToWidth(c.text, c.pad, c.width, c.align, s);
        EXPECT_EQ(s, c.expected) << c.text << ' ' << c.width << ' ' << c.align;
    }
    std::string untouched = "keep";
    valstr::PadToWidth("ab", "*", 6, 0, untouched);
    EXPECT_EQ(untouched, "keep");

    std::string padded;
    valstr::IntToStrPadded(-5, 4, "0", padded);
    EXPECT_EQ(padded, "-005");
    valstr::IntToStrPadded(42, 5, "", padded);
    EXPECT_EQ(padded, "   42");
    valstr::IntToStrPadded(std::numeric_limits<int>::min(), 0, "0", padded);
    EXPECT_EQ(padded, "-2147483648");
}

TEST(NaturalCompare, OrdersNumberRunsByValueAndTextRunsByBytes) {
    struct Case {
        const char* a;
        const char* b;
        bool caseSensitive;
        int expected;
    };
    const Case cases[] = {
        {"x010", "x9", true, 2},
        {"abc", "ABC", false, 1},
        {"abc", "ABC", true, 2},
        {"file9", "file10", true, 3},
        {"a", "a1", true, 3},
        {"1", "a", true, 3},
        {"", "", true, 1},
        {"", "a", true, 3},
        {"a", "", true, 2},
        {"007", "7", true, 1},
        {"a2b", "a2c", true, 3},
        {"\xE9", "e", true, 2},
        {"x00", "x0", true, 1},
        {"v1.10", "v1.9", true, 2},
        {"ab12cd", "AB12CE", false, 3},
        {"12345678901234567890", "9", true, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valstr::NaturalCompare(c.a, c.b, c.caseSensitive), c.expected) << c.a << " vs " << c.b;
}

TEST(CompareStrings, ComparesPlainOrNaturalWithOrWithoutCase) {
    struct Case {
        const char* a;
        const char* b;
        bool natural;
        bool caseSensitive;
        int expected;
    };
    const Case cases[] = {
        {"file9", "file10", false, true, 2}, {"file9", "file10", true, true, 3}, {"Abc", "aBC", false, false, 1},
        {"Abc", "aBC", false, true, 3},      {"ab", "abc", false, true, 3},      {"\xE9", "e", false, false, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(valstr::CompareStrings(c.a, c.b, c.natural, c.caseSensitive), c.expected) << c.a << " vs " << c.b;
}

TEST(CompareValues, OrdersBySignThenDigitRuns) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"-10", "-9", 3}, {"-9", "-10", 2},   {"-1", "1", 3},    {"1", "-1", 2}, {"10", "9", 2},
        {"-5", "-5", 1},  {"1.10", "1.9", 2}, {"abc", "ABD", 3}, {"0", "-0", 2}, {"", "-1", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(valstr::CompareValues(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(NumberStrings, AddAndSubtractAcrossSignsAndLengths) {
    const std::string nines(40, '9');
    const std::string tenPower40 = "1" + std::string(40, '0');
    struct Case {
        std::string a;
        std::string b;
        std::string sum;
        std::string difference;
    };
    const Case cases[] = {
        {nines, "1", tenPower40, std::string(39, '9') + "8"},
        {tenPower40, "-1", nines, "1" + std::string(39, '0') + "1"},
        {"-" + nines, "-1", "-" + tenPower40, "-" + std::string(39, '9') + "8"},
        {"1", tenPower40, "1" + std::string(39, '0') + "1", "-" + nines},
        {"-5", "3", "-2", "-8"},
        {"5", "-3", "2", "8"},
        {"-5", "-3", "-8", "-2"},
        {"3", "5", "8", "-2"},
        {"-3", "-5", "-8", "2"},
        {"5", "5", "10", "0"},
        {"-5", "5", "0", "-10"},
        {"007", "1", "8", "6"},
        {"1.5", "2.75", "4.25", "-1.25"},
        {"0.5", "0.5", "1.0", "0.0"},
        {"10", "0.1", "10.1", "9.9"},
        {"", "5", "5", "-5"},
        {"-", "", "0", "0"},
        {".5", "-.5", "0.0", "1.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Add(c.a, c.b), c.sum) << c.a << " + " << c.b;
        EXPECT_EQ(Subtract(c.a, c.b), c.difference) << c.a << " - " << c.b;
    }
    EXPECT_THROW(Add("12a", "1"), EConvertError);
    EXPECT_THROW(Subtract("1", "+1"), EConvertError);
    EXPECT_THROW(Add("1.2.3", "1"), EConvertError);

    std::string inPlace = "99";
    valstr::AddNumberStrings(inPlace, inPlace, inPlace);
    EXPECT_EQ(inPlace, "198");
}

TEST(NumberStrings, AgreeWithWideIntegerArithmetic) {
    using Wide = __int128;
    const auto text = [](Wide v) {
        std::string digits;
        const bool negative = v < 0;
        do {
            const int digit = static_cast<int>(v % 10);
            digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
            v /= 10;
        } while (v != 0);
        return negative ? "-" + digits : digits;
    };
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 2000; ++i) {
        // Magnitudes up to 36 digits, mixed lengths and signs.
        const auto pick = [&] {
            Wide v = static_cast<Wide>(random() % 1000000000000000000ull);
            if (random() % 2) v = v * 1000000000000000000ll + static_cast<Wide>(random() % 1000000000000000000ull);
            v /= static_cast<Wide>(1) << (random() % 40);
            return random() % 2 ? -v : v;
        };
        const Wide a = pick();
        const Wide b = pick();
        ASSERT_EQ(Add(text(a), text(b)), text(a + b)) << text(a) << " + " << text(b);
        ASSERT_EQ(Subtract(text(a), text(b)), text(a - b)) << text(a) << " - " << text(b);
    }
}

TEST(Digits, DigitAtRejectsOnlyPositionsOutsideAndCharactersBelowZero) {
    struct Case {
        const char* text;
        int index;
        int expected;
    };
    const Case cases[] = {
        {"a7", 2, 7},     {"a7", 1, 49},    {"A", 1, 17},     {" ", 1, -32000},
        {"/", 1, -32000}, {"7", 0, -32000}, {"7", 2, -32000}, {"\xE9", 1, 185},
    };
    for (const Case& c : cases) EXPECT_EQ(valstr::DigitAt(c.text, c.index), c.expected) << c.text << c.index;
    EXPECT_EQ(valstr::CharToDigit('5'), 5);

    std::string digit;
    valstr::DigitToStr(9, digit);
    EXPECT_EQ(digit, "9");
    EXPECT_THROW(valstr::DigitToStr(300, digit), ERangeError);
}

TEST(Digits, NextDigitSkipsCharactersBelowZeroAndRewindsAtTheEnd) {
    const std::string text = "1 2-3";
    int index = 1;
    int digit = 0;
    std::vector<int> digits;
    while (valstr::NextDigit(text, index, digit)) digits.push_back(digit);
    EXPECT_EQ(digits, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(index, 1);
}

TEST(Digits, ReadNumberAtSkipsTextAndDropsLeadingZeros) {
    struct Case {
        const char* text;
        int index;
        const char* expected;
        int indexAfter;
    };
    const Case cases[] = {
        {"ab0042cd", 1, "42", 7}, {"x000y", 1, "0", 5}, {"abc", 1, "", 4}, {"12 34", 3, "34", 6}, {"", 1, "", 1},
    };
    for (const Case& c : cases) {
        int index = c.index;
        std::string number;
        valstr::ReadNumberAt(c.text, index, number);
        EXPECT_EQ(number, c.expected) << c.text;
        EXPECT_EQ(index, c.indexAfter) << c.text;
    }
    int index = 3;
    std::string run;
    valstr::ReadDigits("ab0042cd", index, run);
    EXPECT_EQ(run, "0042");
    EXPECT_EQ(index, 7);
    index = 0;
    EXPECT_THROW(valstr::ReadDigits("12", index, run), ERangeError);
    valstr::ReadNumber("v007", run);
    EXPECT_EQ(run, "7");
}

TEST(Characters, SetFiltersReverseSmallestAndMaskSplit) {
    const TSet<AnsiChar> vowels{'a', 'e'};
    std::string s;
    valstr::KeepChars("banane", vowels, s);
    EXPECT_EQ(s, "aae");
    EXPECT_TRUE(valstr::OnlyCharsOf("aea", vowels));
    EXPECT_TRUE(valstr::OnlyCharsOf("", vowels));
    EXPECT_FALSE(valstr::OnlyCharsOf("ab", vowels));
    valstr::ReverseStr("abc", s);
    EXPECT_EQ(s, "cba");
    valstr::SmallestChar(
        "z\xE9"
        "b",
        s);
    EXPECT_EQ(s, "b");
    valstr::SmallestChar("", s);
    EXPECT_EQ(s, "");

    std::string kept;
    std::string removed;
    valstr::SplitByMask("abcde", kept, removed, 0b10101);
    EXPECT_EQ(kept, "ace");
    EXPECT_EQ(removed, "db");
    valstr::SplitByMask(std::string(17, 'x') + "y", kept, removed, 0);
    EXPECT_EQ(kept, "xx");
    EXPECT_EQ(removed, "y" + std::string(15, 'x'));
}

TEST(Characters, CollapseSeparatorsLeavesSingleInnerSeparators) {
    struct Case {
        const char* text;
        const char* sep;
        const char* expected;
    };
    const Case cases[] = {
        {",,a,,,b,", ",", "a,b"}, {"a;;b", ";;", "a;;b"}, {"a;;;;;;b", ";;", "a;;b"},
        {",", ",", ""},           {"abc", "", "abc"},     {"a,b", ",", "a,b"},
    };
    for (const Case& c : cases) {
        std::string s;
        valstr::CollapseSeparators(c.text, c.sep, s);
        EXPECT_EQ(s, c.expected) << c.text;
    }
}

TEST(Selectors, PowerOfTwoAndProgressPercent) {
    struct PowerCase {
        int n;
        int expected;
    };
    for (const PowerCase c : {PowerCase{0, 1}, {1, 2}, {-3, 2}, {10, 1024}, {30, 1 << 30}})
        EXPECT_EQ(valstr::PowerOf2(c.n), c.expected) << c.n;
    EXPECT_THROW(valstr::PowerOf2(31), EIntOverflow);

    struct ProgressCase {
        int current, first, last, low, high, expected;
    };
    const ProgressCase cases[] = {
        {5, 1, 10, 0, 100, 50},  {1, 1, 1, 0, 100, 100},  {3, 1, 5, 20, 40, 32},
        {5, 1, 10, -5, 200, 50}, {10, 10, 1, 0, 100, 10}, {1, 1, 8, 0, 100, 12},
    };
    for (const ProgressCase& c : cases)
        EXPECT_EQ(valstr::ProgressPercent(c.current, c.first, c.last, c.low, c.high), c.expected) << c.current;

    EXPECT_EQ(valstr::ClampInt(15, 0, 10), 10);
    EXPECT_EQ(valstr::ClampInt(-1, 0, 10), 0);
    EXPECT_TRUE(valstr::FloatCompare(true, 1.0, 2.0));
    EXPECT_FALSE(valstr::FloatCompare(false, 1.0, 2.0));
}

TEST(Forwarders, InsertStrClampsThePosition) {
    struct Case {
        int index;
        const char* expected;
    };
    for (const Case c : {Case{1, "XYabc"}, {3, "abXYc"}, {0, "XYabc"}, {4, "abcXY"}, {99, "abcXY"}}) {
        std::string s = "abc";
        valstr::InsertStr("XY", s, c.index);
        EXPECT_EQ(s, c.expected) << c.index;
    }
}

}  // namespace
