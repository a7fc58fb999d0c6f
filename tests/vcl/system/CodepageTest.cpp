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
