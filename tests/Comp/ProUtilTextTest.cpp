// The grid's text, number and date readers.
#include <gtest/gtest.h>

#include <string>

#include "ProUtil.h"

using namespace ProUtil;

namespace {

// The platform's date settings, put back after a test that changes them.
class DateSettingsSaved {
public:
    DateSettingsSaved() : separator_(DateSeparator), format_(ShortDateFormat) {}
    ~DateSettingsSaved() {
        DateSeparator = separator_;
        ShortDateFormat = format_;
    }
    DateSettingsSaved(const DateSettingsSaved&) = delete;
    DateSettingsSaved& operator=(const DateSettingsSaved&) = delete;

private:
    char separator_;
    AnsiString format_;
};

TDateTime Day(Word Year, Word Month, Word Day) { return EncodeDate(Year, Month, Day); }

}  // namespace

TEST(ProUtilTextTest, TextTypesNeedTwoCharactersAndHtmlOnlyWhenAllowed) {
    struct Case {
        const char* text;
        bool html;
        Integer type;
    };
    const Case cases[] = {
        {"=A1+1", false, 3},      {"|\\00", false, 5}, {"{\\rtf1", false, 2},   {"<B>bold</B>", false, 0},
        {"<B>bold</B>", true, 1}, {"a</x", true, 1},   {"<Ix", true, 1},        {"<b>lower", true, 0},
        {"=", false, 0},          {"", true, 0},       {"plain text", true, 0}, {"x=1", false, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(GetTextType(c.text, c.html), c.type) << c.text << " html " << c.html;
}

TEST(ProUtilTextTest, ClassifyNumberNeedsADigitAndAMinusOnlyFirst) {
    struct Case {
        const char* text;
        Integer kind;
    };
    const Case cases[] = {
        {"123", 0},  {"-123", 0},    {"1,234.5", 1}, {"1,23.5", 2}, {"12.5", 1}, {"1,234,567", 1}, {"1,234", 1},
        {"1,23", 2}, {"1.2.3", 2},   {"--1", 2},     {"1-2", 2},    {"-", 2},    {"", 2},          {".", 2},
        {",", 2},    {"1.5,000", 2}, {"1e5", 2},     {" 1", 2},     {"-0.5", 1}, {"12a", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyNumber(c.text), c.kind) << c.text;
}

TEST(ProUtilTextTest, ExtractNumericTextFindsTheNumberInsideText) {
    struct Case {
        const char* text;
        const char* number;
    };
    const Case cases[] = {
        {"  12.5  ", "12.5"},
        {"(12.5)", "-12.5"},
        {"$ -1,234.5 USD", "-1234.5"},
        {"Total: 42 items", "42"},
        {"1.5e3x", "1.5e3"},
        {"no digits", ""},
        {"(-7)", "-7"},
        {"+3", "3"},
        {"1,000,000", "1000000"},
        {"", ""},
        {"12-3", "12-3"},
    };
    for (const Case& c : cases) EXPECT_EQ(ExtractNumericText(c.text), c.number) << c.text;
}

TEST(ProUtilTextTest, ExtractNumericTextWritesTheDecimalSeparatorAsAPoint) {
    const char decimal = DecimalSeparator, thousand = ThousandSeparator;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(ExtractNumericText("$ 1.234,5"), "1234.5");
    EXPECT_EQ(ClassifyNumber("1.234,5"), 1);
    DecimalSeparator = decimal;
    ThousandSeparator = thousand;
}

TEST(ProUtilTextTest, RCReferencesGiveColumnAndRow) {
    struct Case {
        const char* text;
        bool ok;
        TPoint cell;
    };
    const Case cases[] = {
        {"R1C2", true, {2, 1}}, {"r10c3", true, {3, 10}}, {"R1C", false, {}},   {"RXC2", false, {}},
        {"A1C2", false, {}},    {"R12", false, {}},       {"R1C2X", false, {}}, {"RC12", false, {}},
    };
    for (const Case& c : cases) {
        TPoint cell{-1, -1};
        EXPECT_EQ(ParseRCReference(c.text, cell), c.ok) << c.text;
        EXPECT_EQ(cell, c.ok ? c.cell : (TPoint{-1, -1})) << c.text;
    }
}

TEST(ProUtilTextTest, UrlsAndTheirProtocol) {
    struct Case {
        const char* text;
        bool url;
        const char* stripped;
    };
    const Case cases[] = {
        {"http://example.org/a", true, "example.org/a"},
        {"see ftp://host", true, "host"},
        {"mailto:me@example.org", true, "me@example.org"},
        {"example.org", false, "example.org"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsURL(c.text), c.url) << c.text;
        AnsiString text = c.text;
        StripURLProtocol(text);
        EXPECT_EQ(text, c.stripped);
    }
}

TEST(ProUtilTextTest, MixedCaseCapitalisesWordsNamesAndRomanNumbers) {
    struct Case {
        const char* text;
        const char* mixed;
    };
    const Case cases[] = {
        {"henry ii", "Henry II"},
        {"mcdonald", "McDonald"},
        {"old mcdonald had", "Old McDonald Had"},
        {"JOHN o'neil-smith", "John O'Neil-Smith"},
        {"a.b,c", "A.B,C"},
        {"louis i", "Louis I"},
        {"", ""},
        {"3rd street", "3rd Street"},
        {"\xE9t\xE9", "\xC9t\xE9"},
    };
    for (const Case& c : cases) EXPECT_EQ(MixedCaseStr(c.text), c.mixed) << c.text;
}

TEST(ProUtilTextTest, LineBreakRoutines) {
    EXPECT_EQ(ExpandLineEscapes("a\\nb\\n"), "a\rb\r");
    EXPECT_EQ(ExpandLineEscapes("a\\tb\\"), "a\\tb\\");
    EXPECT_EQ(LFToCRLF("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(LFToCRLF("a\rb"), "a\rb");
    EXPECT_EQ(TildeToCRLF("a~b~"), "a\r\nb\r\n");
    EXPECT_EQ(StripCR("a\r\nb\r"), "a\nb");
    AnsiString quoted = "a\r\nb\rc";
    QuoteMultiLine(quoted);
    EXPECT_EQ(quoted, "\"a\nb\rc\"");
    EXPECT_EQ(GetLineCount("a\rb\rc", true), 3);
    EXPECT_EQ(GetLineCount("a\rb\rc", false), 1);
    EXPECT_EQ(GetLineCount("", true), 1);
}

TEST(ProUtilTextTest, ExtractLineTakesTheFirstLine) {
    struct Case {
        const char* text;
        bool keepRest;
        const char* line;
        const char* rest;
    };
    const Case cases[] = {
        {"ab\r\ncd\r\nef", true, "ab", "cd\r\nef"},
        {"ab\rcd", true, "ab", "cd"},
        {"ab\r\ncd", false, "ab", ""},
        {"abc", true, "abc", ""},
        {"\r\n", true, "", ""},
        {"", true, "", ""},
    };
    for (const Case& c : cases) {
        AnsiString text = c.text, line = "old";
        ExtractLine(text, c.keepRest, line);
        EXPECT_EQ(line, c.line) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(ProUtilTextTest, QuotesCountOnlyWhenNotDoubled) {
    struct Case {
        const char* text;
        Integer firstSingle, singles, all;
        const char* removed;
    };
    const Case cases[] = {
        {"a\"\"b\"c", 5, 1, 3, "a\"bc"},  // one doubled and one single quote
        {"\"\"", 0, 0, 2, "\""},
        {"ab\"", 3, 1, 1, "ab"},
        {"\"\"\"x", 3, 1, 3, "\"x"},
        {"a\"b\"", 2, 2, 2, "ab"},
        {"a\"b\"\"", 2, 1, 3, "ab\""},
        {"none", 0, 0, 0, "none"},
        {"", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SingleCharPos('"', c.text), c.firstSingle) << c.text;
        EXPECT_EQ(SingleCharCount('"', c.text), c.singles) << c.text;
        EXPECT_EQ(CharCount('"', c.text), c.all) << c.text;
        EXPECT_EQ(RemoveQuoteChar('"', c.text), c.removed) << c.text;
    }
}

TEST(ProUtilTextTest, SearchRoutines) {
    Integer p = 7;
    EXPECT_EQ(VarPos("lo", "hello", p), 4);
    EXPECT_EQ(p, 4);
    EXPECT_EQ(VarPos("x", "hello", p), 0);
    EXPECT_EQ(p, 0);
    p = 7;
    EXPECT_EQ(VarCharPos('l', "hello", p), 3);
    EXPECT_EQ(p, 3);
    p = 7;
    EXPECT_EQ(VarCharPos('x', "hello", p), 0);
    EXPECT_EQ(p, 7);
    EXPECT_EQ(FirstCharOfSet(TSet<char>{'x', 'l'}, "hello"), 'l');
    EXPECT_EQ(FirstCharOfSet(TSet<char>{'x'}, "hello"), '\0');
    EXPECT_EQ(CharPosRaw('o', "hello"), 5);
    EXPECT_EQ(CharPosRaw('z', "hello"), 0);
    EXPECT_EQ(UpperCasePos("LO", "hello"), 4);
    EXPECT_EQ(UpperCasePos("lo", "hello"), 0);
    EXPECT_EQ(LowerCaseChar('A'), 'a');
    EXPECT_EQ(LowerCaseChar('\xC9'), '\xC9');
    EXPECT_EQ(LowerCaseChar('1'), '1');
    AnsiString filled = "abc";
    FillStringChar(filled, '*');
    EXPECT_EQ(filled, "***");
}

TEST(ProUtilTextTest, OemTextBecomesAnsi) {
    AnsiString text = "caf\x82 \xB0";
    OemToAnsiStr(text);
    EXPECT_EQ(text, "caf\xE9 ?");
}

TEST(ProUtilTextTest, LimitValueAppliesOnlyPositiveLimits) {
    struct Case {
        Integer v, min, max, limited;
    };
    const Case cases[] = {
        {5, 1, 10, 5}, {15, 1, 10, 10}, {0, 1, 10, 1}, {15, 0, 0, 15}, {-5, 0, 10, -5}, {5, 0, 3, 3}, {-5, -2, 0, -5},
    };
    for (const Case& c : cases) EXPECT_EQ(LimitValue(c.v, c.min, c.max), c.limited) << c.v;
    EXPECT_EQ(Max(3, -4), 3);
    EXPECT_EQ(Min(3, -4), -4);
}

TEST(ProUtilTextTest, PointInRectIncludesTheEdges) {
    const TRect r{0, 0, 10, 10};
    EXPECT_TRUE(PointInRect(r, 0, 0));
    EXPECT_TRUE(PointInRect(r, 10, 10));
    EXPECT_FALSE(PointInRect(r, 11, 5));
    EXPECT_FALSE(PointInRect(r, 5, -1));
}

TEST(ProUtilTextTest, DarkenColorHalvesTheResolvedChannels) {
    EXPECT_EQ(DarkenColor(clWhite), 0x7F7F7F);
    EXPECT_EQ(DarkenColor(0x204060), 0x102030);
    const COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(DarkenColor(clBtnFace)),
              RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2));
}

TEST(ProUtilTextTest, WideCellTextHoldsHighByteFirstPairs) {
    EXPECT_EQ(UniStrToCellText(u"\u00E9"), std::string("|\\\x00\xE9", 4));
    EXPECT_EQ(UniStrToCellText(u"\u4E2Da"), std::string("|\\\x4E\x2D\x00\x61", 6));
    EXPECT_EQ(UniStrToCellText(u""), "|\\");
    EXPECT_EQ(UniStrFromCellText(std::string("|\\\x00\xE9", 4)), u"\u00E9");
    // An odd byte at the end is ignored.
    EXPECT_EQ(UniStrFromCellText(std::string("|\\\x00\xE9\x01", 5)), u"\u00E9");
    EXPECT_EQ(UniStrFromCellText("caf\xE9"), u"caf\u00E9");
    EXPECT_EQ(UniStrFromCellText("|"), u"|");
    for (const WideString& text : {WideString(u"\u00E9t\u00E9"), WideString(u"\xD83D\xDE00"), WideString(u"")})
        EXPECT_EQ(UniStrFromCellText(UniStrToCellText(text)), text);
}

TEST(ProUtilTextTest, DateTextsHoldTwoSeparatorsAfterTheFirstCharacter) {
    struct Case {
        const char* text;
        bool date;
    };
    const Case cases[] = {{"1/2/3", true}, {"12/31/2005", true}, {"/1/2", false},
                          {"1/2", false},  {"", false},          {"1//", true}};
    for (const Case& c : cases) EXPECT_EQ(IsDateText(c.text), c.date) << c.text;
}

TEST(ProUtilTextTest, DayMonthYearTextsGiveDatesOrZero) {
    struct Case {
        const char* text;
        bool monthFirst;
        TDateTime date;
    };
    const Case cases[] = {
        {"31.12.99", false, Day(1999, 12, 31)},
        {"1-2-03", true, Day(2003, 1, 2)},
        {"1/2/2003", true, Day(2003, 1, 2)},
        {"12/31/26", true, Day(1926, 12, 31)},
        {"12/31/25", true, Day(2025, 12, 31)},
        {"2/1/0", true, Day(2000, 2, 1)},
        {"1/2/150", true, Day(150, 1, 2)},
        {"2/30/2001", true, 0},
        {"30/2/2001", false, 0},
        {"13/1/2001", true, 0},
        {"a/b/c", true, 0},
        {"1/2", true, 0},
        {"1/2/3/4", true, 0},
        {"", false, 0},
        {"1/-5/2001", true, 0},
        {"1/65537/2001", true, 0},
        {"2001", false, 0},
        {"1.2/2003", true, 0},
    };
    for (const Case& c : cases) {
        const TDateTime date = c.monthFirst ? StrToDateMDY(c.text) : StrToDateDMY(c.text);
        EXPECT_EQ(date, c.date) << c.text;
    }
}

TEST(ProUtilTextTest, DatesReadInTheShortDateFormatsOrder) {
    DateSettingsSaved saved;
    struct Case {
        char separator;
        const char* format;
        const char* text;
        bool ok;
        TDateTime date;
    };
    const Case cases[] = {
        {'/', "m/d/yyyy", "12/31/2005", true, Day(2005, 12, 31)},
        {'/', "m/d/yyyy", "31/12/2005", false, 0},
        {'/', "m/d/yyyy", "2/30/2005", false, 0},
        {'/', "m/d/yyyy", "1/2", false, 0},
        {'/', "m/d/yyyy", "x/1/2000", false, 0},
        {'/', "m/d/yyyy", "1/2/2000/4", false, 0},
        {'.', "dd.mm.yyyy", "31.12.2005", true, Day(2005, 12, 31)},
        {'-', "yyyy-mm-dd", "2005-12-31", true, Day(2005, 12, 31)},
        {'-', "yyyy-mm-dd", "2005-0-31", false, 0},
    };
    for (const Case& c : cases) {
        DateSeparator = c.separator;
        ShortDateFormat = c.format;
        TDateTime date = -1;
        EXPECT_EQ(ParseDateByFormat(c.text, date), c.ok) << c.text;
        EXPECT_EQ(date, c.ok ? c.date : -1) << c.text;
    }
}

TEST(ProUtilTextTest, StepDateClampsTheDayToTheMonth) {
    struct Case {
        Integer years, months, days;
        TDateTime delta, from, to;
    };
    const Case cases[] = {
        {0, 0, 5, 0, Day(2005, 1, 30), Day(2005, 2, 4)},
        {1, 0, 0, 0, Day(2004, 2, 29), Day(2005, 2, 28)},
        {-4, 0, 0, 0, Day(2004, 2, 29), Day(2000, 2, 29)},
        {0, 1, 0, 0, Day(2005, 1, 31), Day(2005, 2, 28)},
        {0, -1, 0, 0, Day(2005, 1, 15), Day(2004, 12, 15)},
        {0, 13, 0, 0, Day(2005, 12, 15), Day(2007, 1, 15)},
        {0, -25, 0, 0, Day(2005, 1, 31), Day(2002, 12, 31)},
        {1, 1, 0, 2.5, Day(2005, 1, 1), Day(2005, 1, 1) + 2.5},
        {0, 0, 0, 3, Day(2005, 1, 1), Day(2005, 1, 4)},
        {1, 0, 0, 0, Day(2004, 2, 29) + 0.25, Day(2005, 2, 28) + 0.25},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(StepDate(c.years, c.months, c.days, c.delta, c.from), c.to)
            << c.years << " " << c.months << " " << c.days;
    EXPECT_THROW(StepDate(9000, 0, 0, 0, Day(2005, 1, 1)), EConvertError);
}
