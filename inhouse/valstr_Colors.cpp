// Colour routines: RGB and HSL on the 0..240 scale of the platform's colour dialog, lighter and darker shades.
#include <algorithm>
#include <cmath>

#include "valstr.h"

namespace valstr {

namespace {

// The floating-point unit's default rounding: to nearest, ties to even. X lies within the integer range.
Integer RoundEven(Double X) { return static_cast<Integer>(std::nearbyint(X)); }

// X clamped to Low..High before it is rounded, so a huge factor saturates instead of overflowing the
// integer conversion; NaN (an undefined product) gives Fallback.
Integer RoundClamped(Double X, Integer Low, Integer High, Integer Fallback) {
    if (std::isnan(X)) return Fallback;
    return RoundEven(std::clamp(X, static_cast<Double>(Low), static_cast<Double>(High)));
}

Double HueToChannel(Double M1, Double M2, Double Hue) {
    if (Hue >= 1.0) Hue -= 1.0;
    if (Hue < 0.0) Hue += 1.0;
    if (Hue < 1.0 / 6.0) return M1 + (M2 - M1) * Hue * 6.0;
    if (Hue < 0.5) return M2;
    if (Hue < 2.0 / 3.0) return M1 + (M2 - M1) * (2.0 / 3.0 - Hue) * 6.0;
    return M1;
}

Byte ChannelByte(Double Channel) {
    // Range-checked before the conversion: lightness far off the scale must raise, not wrap.
    const Double value = std::nearbyint(Channel * 255.0);
    if (!(value >= 0.0 && value <= 255.0)) RaiseRangeError();
    return static_cast<Byte>(value);
}

}  // namespace

void ColorToRGBBytes(TColor Color, Byte& R, Byte& G, Byte& B) {
    COLORREF rgb = ColorToRGB(Color);
    R = static_cast<Byte>(rgb & 0xFF);
    G = static_cast<Byte>((rgb >> 8) & 0xFF);
    B = static_cast<Byte>((rgb >> 16) & 0xFF);
}

TColor RGBToColor(Byte R, Byte G, Byte B) { return R + G * 256 + B * 65536; }

void ColorToHSLFloat(TColor Color, Double& H, Double& S, Double& L) {
    Byte r8, g8, b8;
    ColorToRGBBytes(Color, r8, g8, b8);
    Double r = r8 / 255.0, g = g8 / 255.0, b = b8 / 255.0;
    Double max = std::max({r, g, b}), min = std::min({r, g, b});
    L = (max + min) / 2.0;
    if (max == min) {
        H = S = 0.0;
        return;
    }
    Double delta = max - min;
    S = L <= 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
    if (r == max) H = (g - b) / delta;
    else if (g == max) H = 2.0 + (b - r) / delta;
    else H = 4.0 + (r - g) / delta;
    H /= 6.0;
    if (H < 0.0) H += 1.0;
}

void ColorToHSL(TColor Color, Integer& H, Integer& S, Integer& L) {
    Double h, s, l;
    ColorToHSLFloat(Color, h, s, l);
    H = RoundEven(h * (HSLScale - 1));
    S = RoundEven(s * HSLScale);
    L = RoundEven(l * HSLScale);
}

TColor HSLToColor(Integer H, Integer S, Integer L) {
    Double h = H / static_cast<Double>(HSLScale - 1);
    Double s = S / static_cast<Double>(HSLScale);
    Double l = L / static_cast<Double>(HSLScale);
    if (s == 0.0) {
        Byte grey = ChannelByte(l);
        return RGBToColor(grey, grey, grey);
    }
    Double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
    Double m1 = 2.0 * l - m2;
    return RGBToColor(ChannelByte(HueToChannel(m1, m2, h + 1.0 / 3.0)), ChannelByte(HueToChannel(m1, m2, h)),
                      ChannelByte(HueToChannel(m1, m2, h - 1.0 / 3.0)));
}

Integer ColorLightness(TColor Color) {
    Integer h, s, l;
    ColorToHSL(Color, h, s, l);
    return l;
}

TColor ContrastColor(TColor Color) {
    Integer h, s, l;
    ColorToHSL(Color, h, s, l);
    bool grey = h == 0 && s < 10;
    return l > (grey ? 140 : 120) ? 0x000000 : 0xFFFFFF;
}

TColor ChangeLightness(TColor Color, Double Factor) {
    Integer h, s, l;
    ColorToHSL(Color, h, s, l);
    // A step beyond the whole scale ends at black or white whatever its size.
    const Integer step = RoundClamped(15.0 * Factor, -HSLScale, HSLScale, 0);
    return HSLToColor(h, s, std::clamp(l + step, 0, HSLScale));
}

TColor LighterColor(TColor Color, Double Factor) { return ChangeLightness(Color, Factor); }
TColor DarkerColor(TColor Color, Double Factor) { return ChangeLightness(Color, -Factor); }

TColor ScaleSaturation(TColor Color, Double Percent) {
    Integer h, s, l;
    ColorToHSL(Color, h, s, l);
    return HSLToColor(h, RoundClamped(s * Percent / 100.0, 0, HSLScale, s), l);
}

}  // namespace valstr
