// Device contexts drawing on one surface share its painter: each call still draws under its own DC's
// clip and origin, and what one call narrows for itself does not reach the next.
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"
#include "vcl/Windows.h"

namespace {

struct TInk {
    TPoint At;
    COLORREF Color;
};

struct TSharedSurfaceCase {
    const char* Name;
    // A is a memory DC holding the bitmap, B the bitmap's own canvas: both draw on the same pixels.
    std::function<void(HDC A, HDC B)> Draw;
    std::vector<TInk> Expected;
};

constexpr COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);

void Fill(HDC dc, const TRect& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

TEST(HeldPainter, EachCallDrawsUnderItsOwnDcsClipAndOrigin) {
    const TSharedSurfaceCase cases[] = {
        {"one DC's clip does not limit the other",
         [](HDC a, HDC b) {
             IntersectClipRect(a, 0, 0, 10, 10);
             Fill(a, Rect(0, 0, 40, 40), red);
             Fill(b, Rect(20, 20, 30, 30), blue);
             Fill(a, Rect(0, 0, 40, 40), red);
         },
         {{{5, 5}, red}, {{15, 15}, white}, {{25, 25}, blue}}},
        {"one DC's origin does not move the other's drawing",
         [](HDC a, HDC b) {
             SetViewportOrgEx(a, 20, 0, nullptr);
             Fill(a, Rect(0, 0, 5, 5), red);
             Fill(b, Rect(0, 0, 5, 5), blue);
             Fill(a, Rect(0, 10, 5, 15), red);
         },
         {{{2, 2}, blue}, {{22, 2}, red}, {{22, 12}, red}, {{2, 12}, white}}},
        {"a clipped text's rectangle ends with the call",
         [](HDC a, HDC) {
             const TRect box = Rect(0, 0, 4, 4);
             ExtTextOut(a, 0, 0, ETO_CLIPPED, &box, "W", 1, nullptr);
             Fill(a, Rect(10, 10, 20, 20), blue);
         },
         {{{15, 15}, blue}}},
        {"a clipped text's rectangle does not stay for the other DC",
         [](HDC a, HDC b) {
             const TRect box = Rect(0, 0, 4, 4);
             ExtTextOut(b, 0, 0, ETO_CLIPPED, &box, "W", 1, nullptr);
             Fill(a, Rect(10, 10, 20, 20), red);
             Fill(b, Rect(20, 20, 30, 30), blue);
         },
         {{{15, 15}, red}, {{25, 25}, blue}}},
        {"a restored DC draws under the clip it had when saved",
         [](HDC a, HDC) {
             int saved = SaveDC(a);
             IntersectClipRect(a, 0, 0, 5, 5);
             Fill(a, Rect(0, 0, 40, 40), blue);
             RestoreDC(a, saved);
             Fill(a, Rect(10, 10, 20, 20), red);
         },
         {{{2, 2}, blue}, {{7, 7}, white}, {{15, 15}, red}}},
        {"a clip selected after drawing applies to the next call",
         [](HDC a, HDC) {
             Fill(a, Rect(0, 0, 10, 10), blue);
             ExcludeClipRect(a, 20, 20, 30, 30);
             Fill(a, Rect(15, 15, 35, 35), red);
         },
         {{{5, 5}, blue}, {{17, 17}, red}, {{25, 25}, white}}},
    };
    for (const TSharedSurfaceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto bitmap = WhiteBitmap(40, 40);
        HDC a = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(a, bitmap->Handle());
        c.Draw(a, bitmap->Canvas()->Handle());
        for (const TInk& ink : c.Expected)
            EXPECT_EQ(ColorToRGB(bitmap->Canvas()->Pixels(ink.At.X, ink.At.Y)), ink.Color)
                << ink.At.X << "," << ink.At.Y;
        SelectObject(a, previous);
        DeleteDC(a);
    }
}

}  // namespace
