#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

TEST(Format, ProducesTheRuntimeOutputs) {
    struct Case {
        const char* fmt;
        std::vector<TVarRec> args;
        const char* text;
    };
    const AnsiString world = "world";
    const std::vector<Case> cases = {
        {"%d", {42}, "42"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.5d", {-12}, "-00012"},
        {"%u", {-1}, "4294967295"},
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%d", {Int64(-9000000000)}, "-9000000000"},
        {"%s, %s!", {"Hello", world}, "Hello, world!"},
        {"%.3s", {"abcdef"}, "abc"},
        {"%s", {'c'}, "c"},
        {"%1:s %0:s %s", {"a", "b"}, "b a b"},
        {"%*d", {4, 7}, "   7"},
        {"%-*.*f|", {8, 1, 2.25}, "2.3     |"},
        {"%f", {1.0}, "1.00"},
        {"%.0f", {2.5}, "3"},
        {"%.3f", {-0.0004}, "0.000"},
        {"%e", {1.0}, "1.00000000000000E+000"},
        {"%.3e", {-12345.678}, "-1.23E+004"},
        {"%g", {0.5}, "0.5"},
        {"%g", {1e20}, "1E020"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%m", {-1234.5}, "($1,234.50)"},
        {"%.0n", {999.5}, "1,000"},
        {"100%%", {}, "100%"},
        {"%D", {3}, "3"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.fmt, c.args), c.text) << c.fmt;
}

TEST(Format, RejectsMismatchedAndMissingArguments) {
    struct Case {
        const char* fmt;
        std::vector<TVarRec> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        {"%c", {'c'}, "Format '%c' invalid or incompatible with argument"},
        {"%", {1}, "Format '%' invalid or incompatible with argument"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%5:d", {1}, "No argument for format '%5:d'"},
    };
    for (const Case& c : cases) {
        try {
            Format(c.fmt, c.args);
            ADD_FAILURE() << c.fmt;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(Format, PointerHasAllItsHexDigits) {
    const AnsiString text = Format("%p", {static_cast<const void*>(nullptr)});
    EXPECT_EQ(text, AnsiString(2 * sizeof(void*), '0'));
}

TEST(FloatToStrF, FormatsEachKind) {
    struct Case {
        double value;
        TFloatFormat format;
        Integer precision, digits;
        const char* text;
    };
    const Case cases[] = {
        {1234.5678, ffFixed, 15, 2, "1234.57"},
        {0.5, ffFixed, 15, 0, "1"},
        {-0.001, ffFixed, 15, 2, "0.00"},
        {1e20, ffFixed, 15, 2, "1E20"},
        {1234567.5, ffNumber, 15, 1, "1,234,567.5"},
        {-999.999, ffNumber, 15, 2, "-1,000.00"},
        {1234.5, ffExponent, 4, 2, "1.235E+03"},
        {0.0, ffExponent, 3, 0, "0.00E+0"},
        {1234.5, ffGeneral, 3, 0, "1.23E3"},
        {1234.5, ffCurrency, 15, 2, "$1,234.50"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.text) << c.text;
}

TEST(FormatFloat, FollowsPictureRules) {
    struct Case {
        const char* picture;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"0.00", 1234.567, "1234.57"},
        {"#,##0.###", 1234567.8912, "1,234,567.891"},
        {"#,##0.###", 0.5, "0.5"},
        {"#.##", 0.5, ".5"},
        {"#.##", 1, "1"},
        {"#", 0, ""},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"000", 7, "007"},
        {"0.###E+00", 12345, "1.235E+04"},
        {"0.00E-00", 0.000123, "1.23E-04"},
        {"0.0e+0", 1234, "1.2e+3"},
        {"\"Total: \"0.0", 3.14159, "Total: 3.1"},
        {"0.00 'kg'", 2, "2.00 kg"},
        {"0.0;(0.0)", -5.25, "(5.3)"},
        {"0.0;(0.0);\"zero\"", 0, "zero"},
        {"0.0;(0.0);\"zero\"", -0.01, "zero"},
        {"0.0;;\"zero\"", -2, "-2.0"},
        {"0", -0.1, "0"},
        {"", 0.1, "0.1"},
        {",0", 1234567, "1,234,567"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.picture, c.value), c.text) << c.picture << " " << c.value;
}

// Each picture of the class library's documented table against its four values.
TEST(FormatFloat, GivesTheDocumentedTableForEachPicture) {
    struct Row {
        const char* picture;
        const char* texts[4];
    };
    const double values[] = {1234, -1234, 0.5, 0};
    const Row rows[] = {
        {"", {"1234", "-1234", "0.5", "0"}},
        {"0", {"1234", "-1234", "1", "0"}},
        {"0.00", {"1234.00", "-1234.00", "0.50", "0.00"}},
        {"#.##", {"1234", "-1234", ".5", ""}},
        {"#,##0.00", {"1,234.00", "-1,234.00", "0.50", "0.00"}},
        {"#,##0.00;(#,##0.00)", {"1,234.00", "(1,234.00)", "0.50", "0.00"}},
        {"#,##0.00;;Zero", {"1,234.00", "-1,234.00", "0.50", "Zero"}},
        {"0.000E+00", {"1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"}},
        {"#.###E-0", {"1.234E3", "-1.234E3", "5E-1", "0E0"}},
        // Neighbours: the mantissa's leading digit stands even where the picture has only '#'.
        {"#E-0", {"1E3", "-1E3", "5E-1", "0E0"}},
        {"#.#E+00", {"1.2E+03", "-1.2E+03", "5E-01", "0E+00"}},
        {"0.###E-0", {"1.234E3", "-1.234E3", "5E-1", "0E0"}},
        {"#.000E-0", {"1.234E3", "-1.234E3", "5.000E-1", "0.000E0"}},
    };
    for (const Row& row : rows)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(FormatFloat(row.picture, values[i]), row.texts[i]) << '"' << row.picture << "\" " << values[i];
}

TEST(FormatFloat, UsesTheSettableSeparators) {
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    EXPECT_EQ(FloatToStr(0.25), "0,25");
    DecimalSeparator = '.';
    ThousandSeparator = ',';
}
