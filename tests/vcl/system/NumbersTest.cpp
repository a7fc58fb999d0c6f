#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

TEST(Numbers, IntToStrAndIntToHex) {
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(Int64(9007199254740993)), "9007199254740993");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64(-1), 0), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(Numbers, StrToIntAcceptsSignBlanksAndHex) {
    struct Case {
        const char* text;
        Integer value;
    };
    const Case cases[] = {{"12", 12},
                          {"  -12", -12},
                          {"+7", 7},
                          {"$FF", 255},
                          {"0x1a", 26},
                          {"-$10", -16},
                          {"$FFFFFFFF", -1},
                          {"2147483647", 2147483647},
                          {"-2147483648", -2147483647 - 1}};
    for (const Case& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
}

TEST(Numbers, StrToIntRejectsBadTextWithTheRuntimeMessage) {
    for (const char* bad :
         {"", " ", "12 ", "1.5", "abc", "2147483648", "-2147483649", "$", "$1FFFFFFFF", "--1", "1e3"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), AnsiString("'") + bad + "' is not a valid integer value");
        }
        EXPECT_EQ(StrToIntDef(bad, -9), -9) << bad;
    }
    Integer v = 5;
    EXPECT_FALSE(TryStrToInt("x", v));
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(Numbers, ValReportsTheFirstBadPosition) {
    struct Case {
        const char* text;
        Integer code;
        double value;
    };
    // A text without a digit of its own is no number: the position after what was read fails, and the
    // value is the number read before it (0 without digits).
    const Case cases[] = {
        {"1.5", 0, 1.5},
        {"5.", 0, 5.0},
        {".5", 0, 0.5},
        {"-2", 0, -2.0},
        {" +3e2", 0, 300.0},
        {"1.2.3", 4, 1.2},
        {"", 1, 0},
        {"-", 2, 0},
        {"+", 2, 0},
        {".", 2, 0},
        {"-.", 3, 0},
        {" ", 2, 0},
        {"-x", 2, 0},
        {"1e", 3, 1},
        {"1ex", 3, 1},
        // Only what was scanned counts, not what a general reader would take on.
        {"0x10", 2, 0},
        {"1e5x", 4, 1e5},
        {"inf", 1, 0},
        {"2.5e-1", 0, 0.25},
    };
    for (const Case& c : cases) {
        double d = -1;
        Integer code = -1;
        Val(c.text, d, code);
        EXPECT_EQ(code, c.code) << '"' << c.text << '"';
        EXPECT_EQ(d, c.value) << '"' << c.text << '"';
    }
    // Longer than any short buffer: 70 digits, then the same with a fraction.
    const AnsiString longNumber = "1" + AnsiString(69, '0');
    double d = 0;
    Integer longCode = -1;
    Val(longNumber + ".5", d, longCode);
    EXPECT_EQ(longCode, 0);
    EXPECT_EQ(d, 1e69);
    Integer i = 0, code = -1;
    Val("12a", i, code);
    EXPECT_EQ(code, 3);
}

TEST(Numbers, StrToFloatReadsDecimalsAndExponents) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"1.5", 1.5}, {" -2.25 ", -2.25}, {"1e3", 1000.0}, {"1.5E-5", 1.5e-5},
                          {".5", 0.5},  {"5.", 5.0},        {"+3", 3.0},     {"0.1", 0.1}};
    for (const Case& c : cases) EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
    for (const char* bad : {"", ".", "-", "1,5", "1e", "abc", "1.5x", "1e400"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), AnsiString("'") + bad + "' is not a valid floating point value");
        }
    }
}

TEST(Numbers, StrToFloatFollowsTheDecimalSeparator) {
    DecimalSeparator = ',';
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("1,5", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_FALSE(TryStrToFloat("1.5", v));
    DecimalSeparator = '.';
}

TEST(Numbers, FloatToStrUsesFifteenDigitsGeneralFormat) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1e20, "1E20"},
        {1.5e-5, "1.5E-5"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {-2.5, "-2.5"},
        {0.0, "0"},
        {-0.0, "0"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {9.9999999999999999e14, "1E15"},
        {1234.5, "1234.5"},
        {-1e-10, "-1E-10"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {HUGE_VAL, "INF"},
        {-HUGE_VAL, "-INF"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

TEST(Numbers, FloatToDecimalRoundsHalfAwayFromZero) {
    struct Case {
        double value;
        Integer precision, decimals;
        const char* digits;
        Integer exponent;
    };
    const Case cases[] = {{2.5, 18, 0, "3", 1},   {0.125, 18, 2, "13", 0}, {1234.5, 18, 0, "1235", 4},
                          {0.004, 18, 2, "", 0},  {0.6, 18, 0, "1", 1},    {999.96, 18, 1, "1", 4},
                          {0.1, 15, 9999, "1", 0}};
    for (const Case& c : cases) {
        TFloatRec rec;
        FloatToDecimal(rec, c.value, c.precision, c.decimals);
        EXPECT_EQ(rec.Digits, c.digits) << c.value;
        EXPECT_EQ(rec.Exponent, c.exponent) << c.value;
    }
    TFloatRec negative;
    FloatToDecimal(negative, -2.5, 18, 0);
    EXPECT_TRUE(negative.Negative);
    EXPECT_EQ(negative.Digits, "3");
}
