#include <gtest/gtest.h>

#include "vcl/System.h"

TEST(Codepage, EveryByteRoundTripsThroughUtf16) {
    AnsiString all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const WideString wide = AnsiToWide(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(WideToAnsi(wide), all);
}

TEST(Codepage, MapsTheHighControlRangeToItsSymbols) {
    struct Case {
        unsigned char byte;
        char16_t unit;
    };
    const Case cases[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D},
                          {0x8F, 0x008F}, {0x90, 0x0090}, {0x92, 0x2019}, {0x9D, 0x009D},
                          {0x9F, 0x0178}, {0xE9, 0x00E9}, {0x41, 0x0041}};
    for (const Case& c : cases) {
        EXPECT_EQ(AnsiToWide(AnsiString(1, static_cast<char>(c.byte))), WideString(1, c.unit)) << int(c.byte);
    }
}

TEST(Codepage, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(WideToAnsi(u"a\u0416b"), "a?b");                    // Cyrillic
    EXPECT_EQ(WideToAnsi(u"\U0001F600"), "?");                    // one '?' for a surrogate pair
    EXPECT_EQ(WideToAnsi(WideString(1, char16_t(0xD800))), "?");  // lone surrogate
    EXPECT_EQ(WideToAnsi(u"\u20AC\u2122"), "\x80\x99");
}

// Long texts convert in blocks of several characters: a character that is not ASCII converts the same at
// every place in the text, the block's first, last and the odd ones after the last block.
TEST(Codepage, ACharacterConvertsTheSameAtEveryPlaceOfALongText) {
    struct Case {
        AnsiString Byte;    // the byte in a narrow text
        WideString Unit;    // its character in a wide one
        AnsiString BackTo;  // what the wide text converts back to
        bool Exact;         // whether it converts back unchanged
    };
    const Case cases[] = {
        {"\x80", u"\u20AC", "\x80", true},
        {"\x9F", u"\u0178", "\x9F", true},
        {"\x81", u"\u0081", "\x81", true},
        {"\xE9", u"\u00E9", "\xE9", true},
        {"\xFF", u"\u00FF", "\xFF", true},
        {"", u"\u0416", "?", false},
        {"", u"\U0001F600", "?", false},
        {"", WideString(1, char16_t(0xDC00)), "?", false},
        {"", WideString(1, char16_t(0x0080)), "?", false},
    };
    constexpr std::size_t length = 19;
    for (const Case& c : cases)
        for (std::size_t at = 0; at < length; ++at) {
            const AnsiString before(at, 'a'), after(length - at, 'z');
            const WideString wide = AnsiToWide(before) + c.Unit + AnsiToWide(after);
            if (!c.Byte.empty()) {
                EXPECT_EQ(AnsiToWide(before + c.Byte + after), wide) << int(c.Byte[0]) << " at " << at;
            }
            bool exact = !c.Exact;
            EXPECT_EQ(WideToAnsi(wide, exact), before + c.BackTo + after) << c.BackTo << " at " << at;
            EXPECT_EQ(exact, c.Exact) << c.BackTo << " at " << at;
            EXPECT_EQ(WideToAnsi(wide), before + c.BackTo + after);
        }
    bool exact = false;
    EXPECT_EQ(WideToAnsi(WideString(), exact), "");
    EXPECT_TRUE(exact);
}
