#include <gtest/gtest.h>

#include "vcl/Graphics.h"

TEST(Colors, SystemColorsResolveThroughTheClassicTable) {
    struct Case {
        TColor Color;
        COLORREF Rgb;
    };
    const Case cases[] = {
        {clBtnFace, RGB(0xD4, 0xD0, 0xC8)},
        {clWindow, RGB(0xFF, 0xFF, 0xFF)},
        {clHighlight, RGB(0x0A, 0x24, 0x6A)},
        {clBtnShadow, RGB(0x80, 0x80, 0x80)},
        {cl3DDkShadow, RGB(0x40, 0x40, 0x40)},
        {clInfoBk, RGB(0xFF, 0xFF, 0xE1)},
        {clWindowText, RGB(0, 0, 0)},
        {clRed, RGB(0xFF, 0, 0)},
        {clNavy, RGB(0, 0, 0x80)},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToRGB(c.Color), c.Rgb) << ColorToString(c.Color);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ColorToRGB(clBtnFace));
}

TEST(Colors, TestSeamReplacesOneEntryUntilReset) {
    SetSysColorForTest(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xD4, 0xD0, 0xC8));
}

TEST(Colors, NamesAndNumbersConvertBothWays) {
    struct Case {
        const char* Text;
        TColor Color;
        const char* Back;
    };
    const Case cases[] = {
        {"clBtnFace", clBtnFace, "clBtnFace"},   {"clbtnface", clBtnFace, "clBtnFace"},
        {"15329769", 15329769, "$00E9E9E9"},     {"$00FF0000", clBlue, "clBlue"},
        {"-2147483633", clBtnFace, "clBtnFace"}, {"clNone", clNone, "clNone"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToColor(c.Text), c.Color) << c.Text;
        EXPECT_EQ(ColorToString(c.Color), c.Back) << c.Text;
    }
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}
