// OEM text (code page 437) read into Windows-1252, '?' where 1252 has no such character.
#include <gtest/gtest.h>

#include <string>

#include "vcl/Windows.h"

TEST(OemCodePageTest, OemToCharReadsCodePage437) {
    struct Case {
        std::string oem, ansi;
    };
    const Case cases[] = {
        {"plain ASCII 123", "plain ASCII 123"},
        {"caf\x82", "caf\xE9"},  // é
        {"\x9C"
         "5",
         "\xA3"
         "5"},                    // £
        {"\x9F", "\x83"},         // ƒ, at another place in 1252
        {"\xE1", "\xDF"},         // ß
        {"\xB0\xC4\xE0", "???"},  // shading, box drawing, alpha: not in 1252
        {"\xFF", "\xA0"},         // no-break space
    };
    for (const Case& c : cases) {
        std::string out(c.oem.size() + 1, 'x');
        EXPECT_TRUE(OemToCharA(c.oem.c_str(), out.data()));
        EXPECT_EQ(out.c_str(), c.ansi) << c.oem;
    }
}

TEST(OemCodePageTest, OemToCharConvertsInPlace) {
    std::string text = "\x80\x87";
    EXPECT_TRUE(OemToCharA(text.c_str(), text.data()));
    EXPECT_EQ(text, "\xC7\xE7");
    EXPECT_FALSE(OemToCharA(nullptr, text.data()));
}
