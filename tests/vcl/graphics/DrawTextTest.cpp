#include <gtest/gtest.h>

#include <cstring>

#include "support/GraphicsTestSupport.h"

namespace {

// Text drawn with a blank glyph set shows only its opaque background: the cells tell where the text went.
struct TTextCanvas {
    TFixedMetricsScope Fixed;
    std::unique_ptr<TBitmap> Bitmap = WhiteBitmap(80, 60);
    TCanvas* C = Bitmap->Canvas();
    HDC DC() {
        C->TextExtent("");  // selects the canvas font into the DC
        HDC dc = C->Handle();
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(255, 255, 0));
        SetTextColor(dc, RGB(255, 255, 0));  // glyphs in the background colour: only cells show
        return dc;
    }
};

}  // namespace

TEST(DrawText, AlignmentFlagsPlaceTheText) {
    struct Case {
        UINT Flags;
        Integer X, Y;  // top-left of the 2-character cell (12 x 13)
        int Result;
    };
    const Case cases[] = {
        {DT_LEFT | DT_SINGLELINE, 10, 10, 13},
        {DT_CENTER | DT_SINGLELINE, 10 + (40 - 12) / 2, 10, 13},
        {DT_RIGHT | DT_SINGLELINE, 50 - 12, 10, 13},
        {DT_SINGLELINE | DT_VCENTER, 10, 10 + (31 - 13) / 2, (31 - 13) / 2 + 13},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 38, 41 - 13, 31},
        {DT_VCENTER, 10, 10, 13},  // without DT_SINGLELINE vertical centring does nothing
    };
    for (const Case& c : cases) {
        TTextCanvas t;
        HDC dc = t.DC();
        RECT r = Rect(10, 10, 50, 41);
        EXPECT_EQ(DrawText(dc, "ab", -1, &r, c.Flags), c.Result) << c.Flags;
        EXPECT_EQ(t.C->Pixels(c.X, c.Y), clYellow) << c.Flags;
        EXPECT_EQ(t.C->Pixels(c.X + 11, c.Y + 12), clYellow) << c.Flags;
        EXPECT_NE(t.C->Pixels(c.X - 1, c.Y), clYellow) << c.Flags;
        EXPECT_NE(t.C->Pixels(c.X + 12, c.Y + 13), clYellow) << c.Flags;
    }
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
    struct Case {
        const char* Text;
        UINT Flags;
        Integer Width;  // of the rectangle given
        TRect Expected;
        int Height;
    };
    const Case cases[] = {
        {"abcd", DT_SINGLELINE, 100, Rect(0, 0, 24, 13), 13},
        {"ab\r\ncdef\nx", 0, 100, Rect(0, 0, 24, 39), 39},
        {"one two three", DT_WORDBREAK, 50, Rect(0, 0, 42, 26), 26},
        {"one two three", DT_WORDBREAK, 40, Rect(0, 0, 30, 39), 39},
        {"one two three", DT_WORDBREAK, 200, Rect(0, 0, 78, 13), 13},
        {"&File", 0, 100, Rect(0, 0, 24, 13), 13},
        {"&File", DT_NOPREFIX, 100, Rect(0, 0, 30, 13), 13},
        {"a&&b", 0, 100, Rect(0, 0, 18, 13), 13},
        {"a\tb", DT_EXPANDTABS, 200, Rect(0, 0, 54, 13), 13},
        {"longword", DT_WORDBREAK, 20, Rect(0, 0, 48, 13), 13},
        {"longword", DT_WORDBREAK | DT_EDITCONTROL, 20, Rect(0, 0, 18, 39), 39},
        {"", 0, 100, Rect(0, 0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        TTextCanvas t;
        HDC dc = t.DC();
        RECT r = Rect(0, 0, c.Width, 5);
        EXPECT_EQ(DrawText(dc, c.Text, -1, &r, c.Flags | DT_CALCRECT), c.Height) << c.Text;
        EXPECT_EQ(r, c.Expected) << c.Text;
        EXPECT_EQ(t.C->Pixels(0, 0), clWhite) << c.Text;
    }
}

TEST(DrawText, PrefixUnderlinesTheNextCharacter) {
    struct Case {
        const char* Text;
        UINT Flags;
        Integer UnderlineX;  // -1: no underline
    };
    const Case cases[] = {
        {"&File", 0, 0}, {"F&ile", 0, 6}, {"a&&b", 0, -1}, {"&File", DT_HIDEPREFIX, -1}, {"&File", DT_NOPREFIX, -1},
    };
    for (const Case& c : cases) {
        TTextCanvas t;
        HDC dc = t.DC();
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 0, 0));
        RECT r = Rect(0, 0, 80, 20);
        DrawText(dc, c.Text, -1, &r, DT_SINGLELINE | c.Flags);
        // The underline sits one pixel below the baseline (ascent 10), as wide as the character.
        for (Integer x = 0; x < 36; ++x) {
            bool expected = c.UnderlineX >= 0 && x >= c.UnderlineX && x < c.UnderlineX + 6;
            EXPECT_EQ(t.C->Pixels(x, 11) == clRed, expected) << c.Text << " x=" << x;
        }
    }
}

TEST(DrawText, EllipsisShortensTheTextToFit) {
    struct Case {
        const char* Text;
        UINT Flags;
        Integer Width;
        const char* Shown;
    };
    const Case cases[] = {
        {"abcdefghij", DT_END_ELLIPSIS, 42, "abcd..."},
        {"abcdefghij", DT_END_ELLIPSIS, 60, "abcdefghij"},
        {"one two three", DT_WORD_ELLIPSIS, 50, "one..."},
        {"c:\\folder\\sub\\file.txt", DT_PATH_ELLIPSIS, 96, "c:\\f...\\file.txt"},
        {"c:\\folder\\sub\\file.txt", DT_PATH_ELLIPSIS, 90, "c:\\...\\file.txt"},
    };
    for (const Case& c : cases) {
        TTextCanvas t;
        HDC dc = t.DC();
        char buffer[64];
        std::strcpy(buffer, c.Text);
        RECT r = Rect(0, 0, c.Width, 20);
        DrawText(dc, buffer, -1, &r, DT_SINGLELINE | DT_MODIFYSTRING | c.Flags);
        EXPECT_STREQ(buffer, c.Shown) << c.Text;
    }
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    for (UINT flags : {0u, DT_NOCLIP}) {
        TTextCanvas t;
        HDC dc = t.DC();
        RECT r = Rect(0, 0, 10, 20);
        DrawText(dc, "abcd", -1, &r, DT_SINGLELINE | flags);
        EXPECT_EQ(t.C->Pixels(9, 5), clYellow);
        EXPECT_EQ(t.C->Pixels(15, 5) == clYellow, flags == DT_NOCLIP);
    }
}

// Code that draws through Canvas->Handle() (labels, status bars) gets the canvas's own font, not the DC's
// stock system font.
TEST(DrawText, TheCanvasHandleCarriesTheCanvasFont) {
    std::unique_ptr<TBitmap> bitmap = WhiteBitmap(80, 60);
    TCanvas* canvas = bitmap->Canvas();
    TEXTMETRIC stock{};
    GetTextMetrics(canvas->Handle(), &stock);
    canvas->Font()->SetHeight(-30);
    TEXTMETRIC chosen{};
    ASSERT_TRUE(GetTextMetrics(canvas->Handle(), &chosen));
    EXPECT_NE(chosen.tmHeight, stock.tmHeight);
    EXPECT_GE(chosen.tmHeight, 30);
}
