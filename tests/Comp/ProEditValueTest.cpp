// The typed edit's value model: classification, the mixed-case rule, the text setter by type, numeric
// access and the money grouping, with the locale's separators pinned.
#include <cmath>
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Clipbrd.h"

using namespace ProEdit;

namespace {

struct Separators {
    char Decimal;
    char Thousand;
};

void Use(Separators S) {
    DecimalSeparator = S.Decimal;
    ThousandSeparator = S.Thousand;
}

class ProEditValueTest : public ProEditFixture {};

TEST_F(ProEditValueTest, ClassificationNeedsADigitAndAtMostALeadingSign) {
    struct Case {
        const char* text;
        Separators separators;
        TTextClass expected;
    };
    const std::vector<Case> cases{
        {"", {'.', ','}, tcOther},        {"123", {'.', ','}, tcInteger},     {"-123", {'.', ','}, tcInteger},
        {"1.5", {'.', ','}, tcFloat},     {"1,234.5", {'.', ','}, tcFloat},   {",123", {'.', ','}, tcOther},
        {"1,2,345", {'.', ','}, tcOther}, {"1,234,567", {'.', ','}, tcFloat}, {"1.2.3", {'.', ','}, tcOther},
        {"--1", {'.', ','}, tcOther},     {"1-2", {'.', ','}, tcOther},       {"-", {'.', ','}, tcOther},
        {".", {'.', ','}, tcOther},       {"FF", {'.', ','}, tcHex},          {"-1a", {'.', ','}, tcHex},
        {"1g", {'.', ','}, tcOther},      {"1,5", {',', '.'}, tcFloat},       {"1.234,5", {',', '.'}, tcFloat},
        {"1,2,3", {',', '.'}, tcOther},   {"1 234", {'.', ' '}, tcOther},     {"12a.5", {'.', ','}, tcOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Use(c.separators);
        EXPECT_EQ(ClassifyText(c.text), c.expected);
    }
}

TEST_F(ProEditValueTest, MixedCaseCapitalisesNamesAndKeepsTheLength) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"mcdonald", "McDonald"},         {"ronald mcdonald", "Ronald McDonald"},
        {"henry iii", "Henry III"},       {"o'neil-smith", "O'Neil-Smith"},
        {"JOHN SMITH", "John Smith"},     {"ann mcx mcy", "Ann McX Mcy"},
        {"louis xiv ii", "Louis Xiv II"}, {"", ""},
        {"a.b,c d", "A.B,C D"},           {"\xe9t\xe9", "\xe9t\xe9"},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        AnsiString text = input;
        ApplyMixedCase(text);
        EXPECT_EQ(text, expected);
    }
}

TEST_F(ProEditValueTest, URLLookNeedsASchemeOrAnAtAfterTheFirstCharacter) {
    EXPECT_TRUE(LooksLikeURL("http://x"));
    EXPECT_TRUE(LooksLikeURL("me@host"));
    EXPECT_FALSE(LooksLikeURL("@host"));
    EXPECT_FALSE(LooksLikeURL("plain"));
}

TEST_F(ProEditValueTest, TheTextSetterChecksAndFormatsByType) {
    struct Case {
        TProEditType type;
        SmallInt precision;
        const char* written;
        Separators separators;
        const char* stored;
    };
    const std::vector<Case> cases{
        {etNumeric, 0, "12a", {'.', ','}, "0"},
        {etNumeric, 0, "1.5", {'.', ','}, "0"},
        {etNumeric, 0, "-42", {'.', ','}, "-42"},
        {etFloat, 0, "1.5", {'.', ','}, "1.5"},
        {etFloat, 2, "1.5", {'.', ','}, "1.50"},
        {etFloat, 2, "1,5", {',', '.'}, "1,50"},
        {etFloat, 0, "abc", {'.', ','}, "0"},
        {etMoney, 2, "1234567", {'.', ','}, "1,234,567.00"},
        {etMoney, 2, "1234,5", {',', '.'}, "1.234,50"},
        {etMoney, 0, "1,234", {'.', ','}, "1,234"},
        {etHex, 0, "ff", {'.', ','}, "FF"},
        {etHex, 0, "1.5", {'.', ','}, "0"},
        {etString, 2, "any thing", {'.', ','}, "any thing"},
        {etFloat, 2, "", {'.', ','}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.written) + " as type " + std::to_string(c.type));
        Use(c.separators);
        TProEdit* edit = Edit(c.type);
        edit->SetPrecision(c.precision);
        edit->SetText(c.written);
        EXPECT_EQ(edit->Text(), c.stored);
        edit->Free();
    }
}

TEST_F(ProEditValueTest, TheWindowTextIsPrefixValueSuffixAndTextReadsTheValue) {
    TProEdit* edit = Edit(etNumeric);
    edit->SetText("100");
    edit->SetPrefix("No ");
    edit->SetSuffix(" kg");
    EXPECT_EQ(Shown(edit), "No 100 kg");
    EXPECT_EQ(edit->Text(), "100");
    edit->SetSuffix("");
    EXPECT_EQ(Shown(edit), "No 100");
    // The window text ends at a NUL, and so do the fixed texts and the value written.
    edit->SetPrefix(std::string("N\0o", 3));
    edit->SetText(std::string("7\08", 3));
    EXPECT_EQ(Shown(edit), "N7");
    EXPECT_EQ(edit->Prefix(), "N");
    // A window text shorter than the suffix gives an empty value.
    edit->SetSuffix("kilograms");
    edit->TCustomEdit::SetText("No 1");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(ProEditValueTest, FloatValueReadsAndWritesByType) {
    struct Case {
        TProEditType type;
        SmallInt precision;
        const char* text;
        double read;
        double written;
        const char* after;
    };
    const std::vector<Case> cases{
        {etNumeric, 0, "", 0, 1234.6, "1235"},
        {etNumeric, 0, "-", 0, -2, "-2"},
        {etFloat, -1, "2.5", 2.5, 0.25, "0.25"},
        {etFloat, 3, "1,234.5", 1234.5, 2, "2.000"},
        {etFloat, 0, "-", 0, 1.5, "2"},
        {etMoney, 0, "1,234.", 1234, 1234567, "1,234,567"},
        {etMoney, 2, "-", 0, -1234.5, "-1,234.50"},
        {etHex, 0, "1F", 31, 255.9, "FF"},
        {etHex, 0, "-G1", -1, -1, "FFFFFFFFFFFFFFFF"},
        {etString, 0, "12", 0, 5, "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.type));
        TProEdit* edit = Edit(c.type);
        edit->SetPrecision(c.precision);
        edit->TCustomEdit::SetText(c.text);
        EXPECT_DOUBLE_EQ(edit->FloatValue(), c.read);
        edit->SetFloatValue(c.written);
        EXPECT_EQ(edit->Text(), c.after);
        edit->Free();
    }
}

TEST_F(ProEditValueTest, AValueThatIsNoNumberRaisesAConversionError) {
    TProEdit* edit = Edit(etFloat);
    edit->TCustomEdit::SetText(",");
    EXPECT_THROW(edit->FloatValue(), EConvertError);
}

TEST_F(ProEditValueTest, AHexValueOutsideTheIntegerRangeRaisesARangeError) {
    TProEdit* edit = Edit(etHex);
    edit->SetText("10");
    EXPECT_THROW(edit->SetFloatValue(1e19), ERangeError);
    EXPECT_THROW(edit->SetFloatValue(std::nan("")), ERangeError);
    EXPECT_EQ(edit->Text(), "10");
    edit->SetFloatValue(-9223372036854775808.0);
    EXPECT_EQ(edit->Text(), "8000000000000000");
}

TEST_F(ProEditValueTest, IntValueWritesDecimalOrHexadecimalText) {
    TProEdit* money = Edit(etMoney);
    money->SetIntValue(-1234567);
    EXPECT_EQ(money->Text(), "-1,234,567");
    TProEdit* hex = Edit(etHex);
    hex->SetIntValue(48879);
    EXPECT_EQ(hex->Text(), "BEEF");
}

TEST_F(ProEditValueTest, MoneyRegroupingKeepsEveryDigitOfALongValue) {
    TProEdit* edit = Edit(etMoney);
    edit->SetAutoThousandSeparator(false);
    const AnsiString digits = "12345678901234567890123";
    edit->SetText(digits + ".5");
    edit->SetAutoThousandSeparator(true);
    EXPECT_EQ(edit->Text(), "12,345,678,901,234,567,890,123.5");
    edit->SetText("-0007");
    edit->SetAutoThousandSeparator(false);
    EXPECT_EQ(edit->Text(), "-7");
}

TEST_F(ProEditValueTest, SettingTheTypeReplacesAValueThatDoesNotSuitIt) {
    struct Case {
        const char* text;
        TProEditType type;
        const char* after;
    };
    const std::vector<Case> cases{
        {"abc", etNumeric, "0"}, {"12", etNumeric, "12"}, {"1.5", etHex, "0"},  {"beef", etHex, "beef"},
        {"x", etFloat, "0"},     {"1.5", etMoney, "1.5"}, {"", etNumeric, "0"}, {"abc", etUppercase, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TProEdit* edit = Edit();
        edit->SetText(c.text);
        edit->SetEditType(c.type);
        EXPECT_EQ(edit->Text(), c.after);
        edit->Free();
    }
}

TEST_F(ProEditValueTest, PrecisionChangesOnlyFloatAndMoneyAndReformatsThem) {
    TProEdit* numeric = Edit(etNumeric);
    numeric->SetPrecision(2);
    EXPECT_EQ(numeric->Precision(), 0);
    TProEdit* money = Edit(etMoney);
    money->SetText("1234.5");
    money->SetPrecision(2);
    EXPECT_EQ(money->Text(), "1,234.50");
}

TEST_F(ProEditValueTest, PasswordTypeHidesTheTextAndGivesUpUndo) {
    TProEdit* edit = Edit(etPassword);
    EXPECT_EQ(edit->PasswordChar(), '*');
    EXPECT_FALSE(edit->CanUndo());
    edit->SetCanUndo(true);
    EXPECT_FALSE(edit->CanUndo());
    edit->SetEditType(etString);
    EXPECT_EQ(edit->PasswordChar(), '\0');
}

// Every number the edit writes reads back as the same number: never an exponent, which reads as hexadecimal.
TEST_F(ProEditValueTest, LargeAndTinyNumbersAreWrittenInPlainDigits) {
    struct Case {
        TProEditType type;
        SmallInt precision;
        double value;
        const char* shown;
    };
    const std::vector<Case> cases{
        {etFloat, -1, 1e15, "1000000000000000"},
        {etFloat, -1, -2.5e16, "-25000000000000000"},
        {etFloat, -1, 1e-5, "0.00001"},
        {etFloat, -1, 123456789012345, "123456789012345"},
        {etMoney, 0, 1e15, "1,000,000,000,000,000"},
        {etMoney, 0, 1e20, "100,000,000,000,000,000,000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        TProEdit* edit = Edit(c.type);
        edit->SetPrecision(c.precision);
        edit->SetFloatValue(c.value);
        EXPECT_EQ(edit->Text(), c.shown);
        EXPECT_EQ(edit->FloatValue(), c.value);
        edit->Free();
    }
}

TEST_F(ProEditValueTest, APastedNumberOfSixteenDigitsIsKept) {
    TProEdit* money = Edit(etMoney);
    Focus(money);
    Clipboard()->SetAsText("1000000000000000");
    Input::Key(money, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(money->Text(), "1,000,000,000,000,000");
    EXPECT_EQ(money->FloatValue(), 1e15);
}

TEST_F(ProEditValueTest, AHexadecimalValueKeepsItsSign) {
    struct Case {
        const char* text;
        double value;
    };
    const std::vector<Case> cases{{"-1F", -31}, {"1F", 31}, {"-0", 0}, {"-FF", -255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TProEdit* edit = Edit(etHex);
        edit->SetText(c.text);
        EXPECT_EQ(edit->FloatValue(), c.value);
        edit->Free();
    }
}

}  // namespace
