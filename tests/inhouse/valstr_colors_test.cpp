// Colour routines on the 0..240 HSL scale.
#include <limits>

#include <gtest/gtest.h>

#include "valstr.h"

using namespace valstr;

namespace {

TEST(Colors, HslOfKnownColours) {
    struct Case {
        TColor Color;
        Integer H, S, L;
    };
    const Case cases[] = {
        {clWhite, 0, 0, 240},     {clBlack, 0, 0, 0},        {0x0000FF, 0, 240, 120},
        {0x00FF00, 80, 240, 120}, {0xFF0000, 159, 240, 120}, {0x808080, 0, 0, 120},
    };
    for (const Case& c : cases) {
        Integer h, s, l;
        ColorToHSL(c.Color, h, s, l);
        EXPECT_EQ(h, c.H) << std::hex << c.Color;
        EXPECT_EQ(s, c.S) << std::hex << c.Color;
        EXPECT_EQ(l, c.L) << std::hex << c.Color;
    }
}

TEST(Colors, HslToColourRoundsTiesToEven) {
    EXPECT_EQ(HSLToColor(0, 0, 120), RGBToColor(128, 128, 128));  // 127.5 goes to the even 128
    EXPECT_EQ(HSLToColor(0, 240, 120), 0x0000FF);
    // Hue runs over 0..239, so 80 lands a hair past a third of the circle: a trace of blue remains.
    EXPECT_EQ(HSLToColor(80, 240, 120), 0x02FF00);
    EXPECT_THROW(HSLToColor(0, 0, 300), ERangeError);
}

TEST(Colors, LighterDarkerAndContrast) {
    EXPECT_EQ(ColorLightness(LighterColor(0x808080, 1)), ColorLightness(0x808080) + 15);
    EXPECT_EQ(DarkerColor(clBlack, 3), clBlack);
    EXPECT_EQ(LighterColor(clWhite, 2), clWhite);
    EXPECT_EQ(ContrastColor(clWhite), 0x000000);
    EXPECT_EQ(ContrastColor(clNavy), 0xFFFFFF);
    EXPECT_EQ(ContrastColor(clYellow), 0xFFFFFF);  // lightness exactly 120 is not above
    Integer h, s, l;
    ColorToHSL(ScaleSaturation(0x0000FF, 50), h, s, l);
    EXPECT_EQ(s, 120);
    EXPECT_EQ(l, 120);
}

// Factors far outside the scale saturate at its ends; they are clamped before rounding, so no value
// passes through an overflowing integer conversion.
TEST(Colors, HugeFactorsSaturateAtTheEndsOfTheScale) {
    const Double inf = std::numeric_limits<Double>::infinity();
    const Double nan = std::numeric_limits<Double>::quiet_NaN();
    struct Case {
        const char* Call;
        TColor Got;
        TColor Expected;
    };
    const Case cases[] = {
        {"LighterColor(clGray, 1e10)", LighterColor(clGray, 1e10), clWhite},
        {"LighterColor(clGray, -1e10)", LighterColor(clGray, -1e10), clBlack},
        {"DarkerColor(clGray, 1e10)", DarkerColor(clGray, 1e10), clBlack},
        {"DarkerColor(clGray, -1e300)", DarkerColor(clGray, -1e300), clWhite},
        {"ChangeLightness(clRed, inf)", ChangeLightness(clRed, inf), clWhite},
        {"ChangeLightness(clRed, -inf)", ChangeLightness(clRed, -inf), clBlack},
        {"ScaleSaturation(clRed, 1e12)", ScaleSaturation(clRed, 1e12), clRed},
        {"ScaleSaturation(clRed, inf)", ScaleSaturation(clRed, inf), clRed},
        {"ScaleSaturation(clRed, -1e12)", ScaleSaturation(clRed, -1e12), ScaleSaturation(clRed, 0)},
        // An undefined factor changes nothing: a grey stays grey, any colour keeps its saturation.
        {"ScaleSaturation(clGray, inf)", ScaleSaturation(clGray, inf), clGray},
        {"ChangeLightness(clGray, nan)", ChangeLightness(clGray, nan), clGray},
        {"ScaleSaturation(clNavy, nan)", ScaleSaturation(clNavy, nan), ScaleSaturation(clNavy, 100)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.Got, c.Expected) << c.Call;
    EXPECT_THROW(HSLToColor(0, 0, 2147483647), ERangeError);
    EXPECT_THROW(HSLToColor(0, 0, -2147483647), ERangeError);
}

}  // namespace
