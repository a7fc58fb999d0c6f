#include <gtest/gtest.h>

#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

int CompareW(const std::u16string& A, const std::u16string& B, DWORD Flags) {
    return CompareStringW(LOCALE_USER_DEFAULT, Flags, A.data(), static_cast<int>(A.size()), B.data(),
                          static_cast<int>(B.size()));
}

TEST(CompareString, WideTextSortsAsTheWordSortWithForeignCharactersLast) {
    struct Case {
        std::u16string a, b;
        int ignoringCase, withCase;
    };
    const Case cases[] = {
        {u"a", u"B", CSTR_LESS_THAN, CSTR_LESS_THAN},
        {u"a", u"A", CSTR_EQUAL, CSTR_LESS_THAN},
        {u"\u00E9t\u00E9", u"f", CSTR_LESS_THAN, CSTR_LESS_THAN},  // é beside e
        {u"co-op", u"coop", CSTR_GREATER_THAN, CSTR_GREATER_THAN},
        {u"\u20AC", u"z", CSTR_LESS_THAN, CSTR_LESS_THAN},        // € is in the code page: a symbol
        {u"\u03B1", u"z", CSTR_GREATER_THAN, CSTR_GREATER_THAN},  // α is not: after every letter
        {u"\u03B1", u"\u00FE", CSTR_GREATER_THAN, CSTR_GREATER_THAN},
        {u"\u03B1", u"\u03B2", CSTR_LESS_THAN, CSTR_LESS_THAN},  // foreign by code point
        {u"\u0391", u"\u03B1", CSTR_EQUAL, CSTR_LESS_THAN},      // case folded, then by code point
        {u"\u0392", u"\u03B1", CSTR_GREATER_THAN, CSTR_GREATER_THAN},
        {u"\u0416x", u"\u0436y", CSTR_LESS_THAN, CSTR_LESS_THAN},
        {u"x\U0001F600", u"x\u4E00", CSTR_GREATER_THAN, CSTR_GREATER_THAN},  // a pair is one code point
        {u"", u"", CSTR_EQUAL, CSTR_EQUAL},
        {u"", u"\u03B1", CSTR_LESS_THAN, CSTR_LESS_THAN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareW(c.a, c.b, NORM_IGNORECASE), c.ignoringCase);
        EXPECT_EQ(CompareW(c.b, c.a, NORM_IGNORECASE), 4 - c.ignoringCase);
        EXPECT_EQ(CompareW(c.a, c.b, 0), c.withCase);
        EXPECT_EQ(CompareW(c.b, c.a, 0), 4 - c.withCase);
    }
}

TEST(CompareString, AnsiTextAgreesWithAnsiCompare) {
    const char* texts[] = {"a", "B", "\xE9t\xE9", "ete", "co-op", "coop", "9", "!", "\xC4rger", "\xE4rger", ""};
    for (const char* a : texts)
        for (const char* b : texts) {
            EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, a, -1, b, -1), AnsiCompareStr(a, b) + 2) << a << " " << b;
            EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1), AnsiCompareText(a, b) + 2);
        }
}

TEST(CompareString, CountsAndFlagsAreChecked) {
    const char16_t text[] = u"abc";
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, text, 2, u"ab", -1), CSTR_EQUAL);  // counted
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, text, -1, u"ab", -1), CSTR_GREATER_THAN);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, nullptr, 0, u"", -1), CSTR_EQUAL);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, nullptr, 1, u"", -1), 0);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, text, -2, u"", -1), 0);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0x10000, text, -1, u"", -1), 0);
    EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, "a\0b", 3, "a\0c", 3), CSTR_LESS_THAN);  // zeros inside count
}

}  // namespace
