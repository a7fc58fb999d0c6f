#pragma once
// Panels, bevels, status bars and spin buttons on the shared test form; pixel probes of a rendering.

#include <memory>

#include "support/FormFixture.h"

class ExtCtrlsTest : public FormFixture {
protected:
    // The RGB colour of a pixel of Control's rendering, and a system colour resolved the same way.
    static COLORREF PixelOf(TBitmap* Image, Integer X, Integer Y) { return ColorToRGB(Image->Canvas()->Pixels(X, Y)); }
    static COLORREF Rgb(TColor Color) { return ColorToRGB(Color); }

    static std::unique_ptr<TBitmap> Render(TWinControl* Control) {
        return std::unique_ptr<TBitmap>(Testing::RenderControl(Control));
    }
};
