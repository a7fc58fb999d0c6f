#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

TEST(Strings, CopyClampsIndexAndCount) {
    struct Case {
        Integer index, count;
        const char* expected;
    };
    const Case cases[] = {{1, 2, "ab"}, {0, 2, "ab"}, {-5, 3, "abc"}, {3, 10, "cde"},          {5, 1, "e"},
                          {6, 1, ""},   {2, 0, ""},   {2, -1, ""},    {1, 0x7FFFFFFF, "abcde"}};
    for (const Case& c : cases) EXPECT_EQ(Copy("abcde", c.index, c.count), c.expected) << c.index << "," << c.count;
}

TEST(Strings, DeleteIgnoresOutOfRangeAndCutsCount) {
    struct Case {
        Integer index, count;
        const char* expected;
    };
    const Case cases[] = {{1, 2, "cde"},  {0, 2, "abcde"}, {6, 1, "abcde"},
                          {4, 99, "abc"}, {2, 0, "abcde"}, {2, -3, "abcde"}};
    for (const Case& c : cases) {
        AnsiString s = "abcde";
        Delete(s, c.index, c.count);
        EXPECT_EQ(s, c.expected) << c.index << "," << c.count;
    }
}

TEST(Strings, InsertClampsPosition) {
    struct Case {
        Integer index;
        const char* expected;
    };
    const Case cases[] = {{1, "XYabc"}, {0, "XYabc"}, {-7, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {99, "abcXY"}};
    for (const Case& c : cases) {
        AnsiString s = "abc";
        Insert("XY", s, c.index);
        EXPECT_EQ(s, c.expected) << c.index;
    }
}

TEST(Strings, PosAndPosExAreOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("c", "abcabc"), 3);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("c", "abcabc", 4), 6);
    EXPECT_EQ(PosEx("c", "abcabc", 7), 0);
    EXPECT_EQ(PosEx("c", "abcabc", 0), 0);
}

TEST(Strings, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
    EXPECT_EQ(Trim("\xA0x"), "\xA0x");  // a no-break space is above ' '
}

TEST(Strings, AsciiCaseLeavesWesternLettersAlone) {
    EXPECT_EQ(UpperCase("abz\xE9"), "ABZ\xE9");
    EXPECT_EQ(LowerCase("ABZ\xC9"), "abz\xC9");
    EXPECT_LT(CompareStr("a", "b"), 0);
    EXPECT_EQ(CompareStr("a", "ab"), -1);
    EXPECT_GT(CompareStr("\xE9", "z"), 0);  // bytes compare unsigned
    EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
    EXPECT_TRUE(SameText("abc", "ABC"));
}

TEST(Strings, AnsiCaseMapsEveryWesternLetterPair) {
    // Upper, lower pairs of Windows-1252.
    std::vector<std::pair<int, int>> pairs = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
    for (int c = 'A'; c <= 'Z'; ++c) pairs.push_back({c, c + 32});
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pairs.push_back({c, c + 32});
    int letters = 0;
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        if (AnsiUpperChar(ch) != ch || AnsiLowerChar(ch) != ch) ++letters;
    }
    EXPECT_EQ(letters, 2 * static_cast<int>(pairs.size()));
    for (auto [upper, lower] : pairs) {
        EXPECT_EQ(AnsiUpperCase(AnsiString(1, static_cast<char>(lower))), AnsiString(1, static_cast<char>(upper)))
            << lower;
        EXPECT_EQ(AnsiLowerCase(AnsiString(1, static_cast<char>(upper))), AnsiString(1, static_cast<char>(lower)))
            << upper;
    }
    for (int none : {0xDF, 0xB5, 0xD7, 0xF7, 0x83}) {
        EXPECT_EQ(AnsiUpperChar(static_cast<char>(none)), static_cast<char>(none)) << none;
    }
}

TEST(Strings, AnsiCompareSortsLikeWordSort) {
    struct Case {
        const char* a;
        const char* b;
        int text;
        int str;
    };
    const Case cases[] = {
        {"a", "B", -1, -1},              // letters by letter, not by byte
        {"a", "A", 0, -1},               // lower case first
        {"\xE9t\xE9", "ete", 0 + 1, 1},  // accents weigh after letters
        {"\xE9t\xE9", "f", -1, -1},      // é beside e, before f
        {"co-op", "coop", 1, 1},         // the hyphen weighs last
        {"9", "a", -1, -1},              // digits before letters
        {"!", "0", -1, -1},              // symbols before digits
        {"abc", "abcd", -1, -1},
        {"\xC4rger", "\xE4rger", 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnsiCompareText(c.a, c.b), c.text) << c.a << " " << c.b;
        EXPECT_EQ(AnsiCompareStr(c.a, c.b), c.str) << c.a << " " << c.b;
        EXPECT_EQ(AnsiCompareText(c.b, c.a), -c.text) << c.b << " " << c.a;
    }
    EXPECT_TRUE(AnsiSameText("\xC9T\xC9", "\xE9t\xE9"));
}

TEST(Strings, StringReplaceHonoursFlags) {
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {}), "aXb-c");
    EXPECT_EQ(StringReplace("axbxc", "x", "-", {rfReplaceAll}), "a-b-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfReplaceAll, rfIgnoreCase}), "a-b-c");
    EXPECT_EQ(StringReplace("\xC9t\xE9", "\xE9", "e", {rfReplaceAll, rfIgnoreCase}), "ete");
    EXPECT_EQ(StringReplace("aaa", "aa", "b", {rfReplaceAll}), "ba");
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
}
