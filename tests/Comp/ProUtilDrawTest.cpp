// The grid's drawing routines, read back from the pixels of a bitmap.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "DedIDIZ.h"
#include "ProUtil.h"
#include "support/FormFixture.h"
#include "vcl/UxTheme.h"

using namespace ProUtil;

namespace {

constexpr TColor Sentinel = 0x010203;

std::unique_ptr<TBitmap> FilledBitmap(Integer Width, Integer Height, TColor Color = Sentinel) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width, Height);
    bitmap->Canvas()->Brush()->SetColor(Color);
    bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
    return bitmap;
}

TColor Rgb(Byte R, Byte G, Byte B) { return static_cast<TColor>(RGB(R, G, B)); }

bool SamePixels(TBitmap& A, TBitmap& B) {
    for (Integer y = 0; y < A.Height(); ++y)
        for (Integer x = 0; x < A.Width(); ++x)
            if (A.Canvas()->Pixels(x, y) != B.Canvas()->Pixels(x, y)) return false;
    return true;
}

// The grid's theme library unloaded for one test, whatever the start-up did; back as it was at the end.
class GridThemeUnloaded {
public:
    GridThemeUnloaded() : wasLoaded_(DedIDIZ::ThemeLibraryLoaded()) { DedIDIZ::FreeThemeLibrary(); }
    ~GridThemeUnloaded() {
        SetThemesActiveForTest(true);
        if (wasLoaded_) DedIDIZ::InitThemeLibrary();
    }
    GridThemeUnloaded(const GridThemeUnloaded&) = delete;
    GridThemeUnloaded& operator=(const GridThemeUnloaded&) = delete;

private:
    bool wasLoaded_;
};

class GridThemeLoaded {
public:
    GridThemeLoaded() { DedIDIZ::InitThemeLibrary(); }
    ~GridThemeLoaded() { DedIDIZ::FreeThemeLibrary(); }
    GridThemeLoaded(const GridThemeLoaded&) = delete;
    GridThemeLoaded& operator=(const GridThemeLoaded&) = delete;
};

}  // namespace

TEST(ProUtilDrawTest, GradientBandsFillTheRectExactly) {
    for (Integer extent : {20, 90, 100}) {
        for (bool horizontal : {true, false}) {
            SCOPED_TRACE(std::to_string(extent) + (horizontal ? " horizontal" : " vertical"));
            auto bitmap = FilledBitmap(extent + 10, extent + 10);
            TCanvas* canvas = bitmap->Canvas();
            const TRect r = horizontal ? Rect(2, 3, 2 + extent, 7) : Rect(3, 2, 7, 2 + extent);
            DrawGradient(canvas, clBlack, Rgb(255, 128, 64), horizontal, r, 64);
            for (Integer y = 0; y < bitmap->Height(); ++y)
                for (Integer x = 0; x < bitmap->Width(); ++x)
                    ASSERT_EQ(canvas->Pixels(x, y) != Sentinel, r.Contains(Point(x, y))) << x << "," << y;
            // Below 64 pixels some bands are empty; from 64 on the first and the last band show.
            if (extent < 64) continue;
            const TPoint first = r.TopLeft();
            const TPoint last = horizontal ? Point(r.Right - 1, r.Top) : Point(r.Left, r.Bottom - 1);
            EXPECT_EQ(canvas->Pixels(first.X, first.Y), clBlack);
            // Band 63: each channel from + Round(63 x (to - from) / 64).
            EXPECT_EQ(canvas->Pixels(last.X, last.Y), Rgb(251, 126, 63));
        }
    }
}

TEST(ProUtilDrawTest, GradientBandsStartAtTheRoundedExactPositions) {
    auto bitmap = FilledBitmap(100, 4);
    DrawGradient(bitmap->Canvas(), clWhite, clBlack, true, Rect(0, 0, 90, 4), 64);
    // Band 10 starts at Round(10 x 90 / 64) = 14, band 9 covers 13; 255 - Round(i x 255 / 64).
    EXPECT_EQ(bitmap->Canvas()->Pixels(14, 1), Rgb(215, 215, 215));
    EXPECT_EQ(bitmap->Canvas()->Pixels(13, 1), Rgb(219, 219, 219));
    EXPECT_EQ(bitmap->Canvas()->Pixels(89, 1), Rgb(4, 4, 4));
}

TEST(ProUtilDrawTest, GradientWithoutStepsFillsWithTheFromColor) {
    for (Integer steps : {0, -3, 1}) {
        auto bitmap = FilledBitmap(30, 10);
        DrawGradient(bitmap->Canvas(), clBtnFace, clRed, false, Rect(0, 0, 30, 10), steps);
        const auto face = static_cast<TColor>(ColorToRGB(clBtnFace));
        for (TPoint p : {Point(0, 0), Point(29, 9), Point(15, 5)})
            EXPECT_EQ(bitmap->Canvas()->Pixels(p.X, p.Y), face) << steps;
    }
}

TEST(ProUtilDrawTest, DrawingLeavesTheCanvasAsItWas) {
    auto bitmap = FilledBitmap(60, 60);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clAqua);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clNavy);
    canvas->Pen()->SetWidth(3);
    canvas->Font()->SetColor(clMaroon);
    DrawGradient(canvas, clRed, clBlue, true, Rect(0, 0, 60, 10), 8);
    DrawProgressBar(canvas, Rect(0, 10, 60, 30), clGreen, 1, 1, 40, clWhite);
    DrawProgressPie(canvas, Rect(0, 30, 20, 50), clRed, 30);
    EXPECT_EQ(canvas->Brush()->Style(), bsClear);
    EXPECT_EQ(canvas->Brush()->Color(), clAqua);
    EXPECT_EQ(canvas->Pen()->Color(), clNavy);
    EXPECT_EQ(canvas->Pen()->Width(), 3);
    EXPECT_EQ(canvas->Font()->Color(), clMaroon);
}

TEST(ProUtilDrawTest, ProgressFillStopsAtTheRect) {
    struct Case {
        Integer percent;
        Integer filledTo;  // first x not filled on the bar's top row
    };
    // The bar is 2..98 wide (margins 2); the text sits in the middle rows.
    const Case cases[] = {{0, 2}, {50, 50}, {100, 98}, {150, 98}, {-10, 2}};
    for (const Case& c : cases) {
        auto bitmap = FilledBitmap(100, 40);
        DrawProgressBar(bitmap->Canvas(), Rect(0, 0, 100, 40), clGreen, 2, 2, c.percent, clBlack);
        for (Integer x = 0; x < 100; ++x)
            ASSERT_EQ(bitmap->Canvas()->Pixels(x, 3) == clGreen, x >= 2 && x < c.filledTo) << c.percent << " x " << x;
        EXPECT_NE(bitmap->Canvas()->Pixels(50, 1), clGreen) << c.percent;
        EXPECT_NE(bitmap->Canvas()->Pixels(50, 38), clGreen) << c.percent;
    }
}

TEST(ProUtilDrawTest, ProgressTextIsCentredInTheTextColour) {
    auto bitmap = FilledBitmap(100, 40);
    DrawProgressBar(bitmap->Canvas(), Rect(0, 0, 100, 40), clGreen, 2, 2, 30, clRed);
    Integer left = 100, right = -1;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 100; ++x)
            if (bitmap->Canvas()->Pixels(x, y) == clRed) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, left) << "no text";
    EXPECT_NEAR((left + right) / 2.0, 50, 3);
}

TEST(ProUtilDrawTest, PieFillsExactlyItsSector) {
    // Probe points of the four quadrants of a 41 x 41 circle: top-right, bottom-right, bottom-left, top-left.
    const TPoint quadrants[] = {{28, 10}, {28, 30}, {12, 30}, {12, 10}};
    struct Case {
        Integer percent;
        bool filled[4];
    };
    const Case cases[] = {
        {0, {false, false, false, false}},  {25, {true, false, false, false}}, {50, {true, true, false, false}},
        {75, {true, true, true, false}},    {100, {true, true, true, true}},   {140, {true, true, true, true}},
        {-5, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        auto bitmap = FilledBitmap(41, 41);
        DrawProgressPie(bitmap->Canvas(), Rect(0, 0, 41, 41), clRed, c.percent);
        for (int q = 0; q < 4; ++q)
            EXPECT_EQ(bitmap->Canvas()->Pixels(quadrants[q].X, quadrants[q].Y) == clRed, c.filled[q])
                << c.percent << "% quadrant " << q;
        EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), Sentinel) << "outside the circle";
        EXPECT_EQ(bitmap->Canvas()->Pixels(20, 0), clGray) << "the circle";
    }
}

TEST(ProUtilDrawTest, TransparentBitmapShowsItsCornerColourAsTheBackground) {
    auto glyph = FilledBitmap(4, 3, clRed);
    glyph->Canvas()->SetPixels(1, 1, clBlue);
    glyph->Canvas()->SetPixels(3, 2, clBlue);
    auto target = FilledBitmap(10, 10, clWhite);
    DrawBitmapTransparent(target->Canvas(), glyph.get(), clYellow, Rect(5, 5, 6, 6));
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clYellow);
    EXPECT_EQ(target->Canvas()->Pixels(6, 6), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(8, 7), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(8, 5), clYellow);
    EXPECT_EQ(target->Canvas()->Pixels(9, 5), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(4, 5), clWhite);
    EXPECT_EQ(glyph->Canvas()->Pixels(0, 0), clRed) << "the source stays as it was";

    // An empty bitmap draws nothing.
    TBitmap empty;
    auto untouched = FilledBitmap(10, 10, clWhite);
    DrawBitmapTransparent(untouched->Canvas(), &empty, clYellow, Rect(0, 0, 10, 10));
    EXPECT_EQ(untouched->Canvas()->Pixels(0, 0), clWhite);
}

TEST(ProUtilDrawTest, ComboButtonIsThemedOnlyWhileTheGridThemeIsLoaded) {
    GridThemeUnloaded unloaded;
    const TRect r = Rect(2, 2, 19, 19);
    const auto draw = [&r](bool Themed, bool Down) {
        auto bitmap = FilledBitmap(21, 21);
        DrawComboButton(nullptr, bitmap->Canvas(), Down, r, Themed);
        return bitmap;
    };
    auto classic = draw(false, false);
    EXPECT_NE(classic->Canvas()->Pixels(10, 10), Sentinel);
    EXPECT_EQ(classic->Canvas()->Pixels(1, 1), Sentinel);
    EXPECT_FALSE(SamePixels(*classic, *draw(false, true))) << "pressed looks pressed";

    EXPECT_TRUE(SamePixels(*classic, *draw(true, false))) << "themed asked for without the library";
    {
        GridThemeLoaded loaded;
        auto themed = draw(true, false);
        EXPECT_FALSE(SamePixels(*classic, *themed));
        EXPECT_EQ(themed->Canvas()->Pixels(1, 1), Sentinel);
        EXPECT_TRUE(SamePixels(*classic, *draw(false, false))) << "not themed while loaded";
        SetThemesActiveForTest(false);
        EXPECT_TRUE(SamePixels(*classic, *draw(true, false))) << "themes switched off";
    }
}

class ErrorUnderlineTest : public FormFixture {
protected:
    // The red pixels' columns and rows on a bitmap, after underlining Text from ErrFrom for ErrLen.
    struct Span {
        Integer left = 1000, right = -1, top = 1000, bottom = -1;
    };
    Span Underline(const AnsiString& Text, Integer ErrFrom, Integer ErrLen) {
        auto bitmap = FilledBitmap(400, 40, clWhite);
        DrawErrorUnderline(form, bitmap->Canvas(), Text, ErrLen, ErrFrom, 20, Rect(10, 5, 390, 35));
        Span span;
        for (Integer y = 0; y < 40; ++y)
            for (Integer x = 0; x < 400; ++x)
                if (bitmap->Canvas()->Pixels(x, y) == clRed) {
                    span.left = std::min(span.left, x);
                    span.right = std::max(span.right, x);
                    span.top = std::min(span.top, y);
                    span.bottom = std::max(span.bottom, y);
                }
        return span;
    }
};

TEST_F(ErrorUnderlineTest, TheZigzagRunsUnderTheErrorsCharacters) {
    const AnsiString text = "abcdefgh";
    const Span whole = Underline(text, 0, 8);
    ASSERT_GE(whole.right, whole.left) << "nothing drawn";
    EXPECT_EQ(whole.top, 25);
    EXPECT_EQ(whole.bottom, 27);
    EXPECT_LE(whole.left, 10 + 4) << "starts at the first character";

    const Span middle = Underline(text, 2, 3);
    auto bitmap = FilledBitmap(1, 1);
    const Integer width = bitmap->Canvas()->TextWidth("cde");
    EXPECT_GT(middle.left, whole.left);
    EXPECT_NEAR(middle.right + 1 - middle.left, width, 2);

    // Past the text's end it stops at the end.
    const Span past = Underline(text, 2, 100);
    const Span toEnd = Underline(text, 2, 6);
    EXPECT_EQ(past.left, toEnd.left);
    EXPECT_EQ(past.right, toEnd.right);
    EXPECT_EQ(past.right, whole.right);

    EXPECT_EQ(Underline(text, 2, 0).right, -1) << "no error, no line";
    EXPECT_EQ(Underline("", 0, 3).right, -1);
}
