// What text drawing offers the mark-up renderer: DrawTextEx, turned fonts, the Symbol face, realised sizes,
// MulDiv, the code page's upper half and the background that follows the canvas brush.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "support/GraphicsTestSupport.h"
#include "support/CanvasRecorder.h"
#include "vcl/Windows.h"

namespace {

// A DC on a white bitmap whose text shows only its yellow cells (glyphs in the background colour).
struct TCells {
    TFixedMetricsScope Fixed;
    std::unique_ptr<TBitmap> Bitmap = WhiteBitmap(100, 100);
    TCanvas* C = Bitmap->Canvas();
    HDC DC() {
        C->TextExtent("");
        HDC dc = C->Handle();
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(255, 255, 0));
        SetTextColor(dc, RGB(255, 255, 0));
        return dc;
    }
};

HFONT TurnedFont(LONG Escapement) {
    LOGFONT lf;
    lf.lfHeight = -13;
    lf.lfEscapement = Escapement;
    lf.lfOrientation = Escapement;
    std::strcpy(lf.lfFaceName, "Arial");
    return CreateFontIndirect(&lf);
}

// The pixels of Text drawn black on white in a face, as a string of '#' and '.' over a 40 x 20 box.
std::string Glyphs(const char* Face, const std::string& Text) {
    auto bitmap = WhiteBitmap(40, 20);
    TCanvas* c = bitmap->Canvas();
    c->Font()->SetName(Face);
    c->Font()->SetHeight(-16);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(2, 2, Text);
    std::string pixels;
    for (Integer y = 0; y < 20; ++y) pixels += Row(c, y, 0, 40, clBlack);
    return pixels;
}

}  // namespace

TEST(TextPlatform, DrawTextExKeepsItsMarginsAndTabStopsInsideTheRectangle) {
    struct Case {
        const char* Text;
        UINT Flags;
        int Tab, Left, Right;
        TRect Expected;  // measured from (10, 10, 90, 15)
        UINT Length;
    };
    const Case cases[] = {
        {"ab", DT_SINGLELINE, 0, 0, 0, Rect(10, 10, 22, 23), 2},
        {"ab", DT_SINGLELINE, 0, 5, 7, Rect(10, 10, 34, 23), 2},
        {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, 0, 0, 0, Rect(10, 10, 64, 23), 3},
        {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, 2, 0, 0, Rect(10, 10, 28, 23), 3},
        // The margins narrow the wrapping width: 80 - 30 leaves room for "one two", not for "one two three".
        {"one two three", DT_WORDBREAK, 0, 10, 20, Rect(10, 10, 82, 36), 13},
        {"\xE9\xE9 \xFF", DT_SINGLELINE, 0, 0, 0, Rect(10, 10, 34, 23), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TCells t;
        RECT r = Rect(10, 10, 90, 15);
        DRAWTEXTPARAMS params;
        params.iTabLength = c.Tab;
        params.iLeftMargin = c.Left;
        params.iRightMargin = c.Right;
        EXPECT_EQ(DrawTextEx(t.DC(), c.Text, -1, &r, c.Flags | DT_CALCRECT, &params), c.Expected.Height());
        EXPECT_EQ(r, c.Expected);
        EXPECT_EQ(params.uiLengthDrawn, c.Length);
    }
    // Drawn, the text starts after the left margin; a record of another size is refused.
    TCells t;
    RECT r = Rect(10, 10, 90, 30);
    DRAWTEXTPARAMS params;
    params.iLeftMargin = 5;
    DrawTextEx(t.DC(), "ab", -1, &r, DT_SINGLELINE, &params);
    EXPECT_EQ(Row(t.C, 12, 10, 30, clYellow), ".....############...");
    params.cbSize = 4;
    EXPECT_EQ(DrawTextEx(t.DC(), "ab", -1, &r, DT_SINGLELINE, &params), 0);
    EXPECT_EQ(DrawTextEx(t.DC(), "ab", -1, &r, DT_SINGLELINE | DT_CALCRECT, nullptr), 13);
}

TEST(TextPlatform, MeasuringKeepsTheTopLeftWhateverTheVerticalPlacement) {
    for (UINT placement : {DT_TOP, DT_VCENTER, DT_BOTTOM}) {
        SCOPED_TRACE(placement);
        TCells t;
        RECT r = Rect(5, 20, 95, 80);
        const UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | placement | DT_CALCRECT;
        EXPECT_EQ(DrawTextEx(t.DC(), "abc", -1, &r, flags, nullptr), 13);
        EXPECT_EQ(r, Rect(5, 20, 23, 33));
        EXPECT_EQ(Row(t.C, 70, 0, 100, clYellow), std::string(100, '.'));  // nothing drawn
    }
}

TEST(TextPlatform, ATurnedFontTurnsTheTextCounterClockwiseAboutItsStart) {
    // "ab" is a 12 x 13 cell; drawn at (50, 50) it covers, turned:
    struct Case {
        LONG Escapement;
        TPoint Inside, Outside;
    };
    const Case cases[] = {
        {0, {55, 56}, {55, 44}},     // right and down
        {900, {56, 45}, {55, 56}},   // up
        {1800, {45, 44}, {55, 56}},  // left and up
        {2700, {44, 55}, {56, 45}},  // down
        {3600, {55, 56}, {55, 44}},  // a whole turn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Escapement);
        for (bool drawText : {false, true}) {
            TCells t;
            HDC dc = t.DC();
            HFONT font = TurnedFont(c.Escapement);
            HGDIOBJ old = SelectObject(dc, font);
            std::vector<AnsiString> lines;
            t.C->SetRecorder(&lines);
            if (drawText) {
                RECT r = Rect(50, 50, 50, 50);
                DrawText(dc, "ab", -1, &r, DT_SINGLELINE | DT_NOCLIP);
            } else {
                TextOut(dc, 50, 50, "ab", 2);
            }
            EXPECT_EQ(t.C->Pixels(c.Inside.X, c.Inside.Y), clYellow) << (drawText ? "DrawText" : "TextOut");
            EXPECT_EQ(t.C->Pixels(c.Outside.X, c.Outside.Y), clWhite) << (drawText ? "DrawText" : "TextOut");
            // Extents stay those of the upright text; the record names the escapement.
            SIZE size;
            GetTextExtentPoint32(dc, "ab", 2, &size);
            EXPECT_EQ(size, (SIZE{12, 13}));
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].find(" esc=") != AnsiString::npos, c.Escapement % 3600 != 0) << lines[0];
            t.C->SetRecorder(nullptr);
            LOGFONT back;
            ASSERT_EQ(GetObject(font, sizeof back, &back), static_cast<int>(sizeof back));
            EXPECT_EQ(back.lfEscapement, c.Escapement);
            EXPECT_EQ(back.lfOrientation, c.Escapement);
            SelectObject(dc, old);
            EXPECT_TRUE(DeleteObject(font));
        }
    }
}

TEST(TextPlatform, TheSymbolFaceDrawsItsOwnEncoding) {
    struct Case {
        const char* what;
        const char* face;
        std::string text;
        const char* sameFace;
        std::string sameAs;  // the same characters in another face
        std::string notAs;   // other characters in the same face
    };
    const std::vector<Case> cases{
        {"the bullet, not a middle dot", "Symbol", "\xB7", "Arial", "\x95", "\xB7"},
        {"the face named in capitals", "SYMBOL", "\xB7", "Arial", "\x95", "\xB7"},
        {"Greek alpha", "symbol", "a", "Symbol", "a", "a"},
        {"the euro sign", "Symbol", "\xA0", "Arial", "\x80", "?"},
        {"the trade mark sign", "Symbol", "\xE4", "Arial", "\x99", "\xE4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string drawn = Glyphs(c.face, c.text);
        EXPECT_NE(drawn.find('#'), std::string::npos);
        EXPECT_EQ(drawn, Glyphs(c.sameFace, c.sameAs));
        if (std::string(c.face) != c.sameFace || c.sameAs != c.notAs) {
            EXPECT_NE(drawn, Glyphs("Arial", c.notAs));
        }
    }
    // Bytes the encoding leaves empty show nothing; high bytes are never taken as negative.
    EXPECT_EQ(Glyphs("Symbol", "\x80\xFF\xF0").find('#'), std::string::npos);
}

TEST(TextPlatform, TheUpperHalfDrawsTheCodePagesCharacters) {
    // Euro, per mille and trade mark: three glyphs of their own, none a question mark or blank.
    const std::vector<std::string> texts{"\x80", "\x89", "\x99", "?"};
    std::vector<std::string> drawn;
    for (const std::string& text : texts) drawn.push_back(Glyphs("Arial", text));
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_NE(drawn[i].find('#'), std::string::npos) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(drawn[i], drawn[j]) << i << " " << j;
    }
}

TEST(TextPlatform, FontHeightsRealiseWithinDrawableSizes) {
    struct Case {
        LONG Height;
        LONG MinCell, MaxCell;  // the realised cell height
    };
    const Case cases[] = {
        {-11, 11, 16}, {0, 11, 16}, {-1, 1, 3}, {-100000, 1000, 1300}, {INT_MIN, 1000, 1300}, {100000, 900, 1300},
    };
    auto bitmap = WhiteBitmap(4, 4);
    HDC dc = bitmap->Canvas()->Handle();
    TEXTMETRIC standard;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Height);
        LOGFONT lf;
        lf.lfHeight = c.Height;
        std::strcpy(lf.lfFaceName, "MS Sans Serif");
        HFONT font = CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(dc, &tm));
        EXPECT_GE(tm.tmHeight, c.MinCell);
        EXPECT_LE(tm.tmHeight, c.MaxCell);
        if (c.Height == -11) standard = tm;
        if (c.Height == 0) {
            EXPECT_EQ(tm.tmHeight, standard.tmHeight);  // the default height
        }
        SelectObject(dc, old);
        DeleteObject(font);
    }
}

TEST(TextPlatform, MulDivRoundsHalvesAwayFromZeroAndFailsWithMinusOne) {
    struct Case {
        int Number, Numerator, Denominator, Result;
    };
    const Case cases[] = {
        {5, 3, 2, 8},
        {-5, 3, 2, -8},
        {5, -3, 2, -8},
        {-5, -3, 2, 8},
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {1, 1, 3, 0},
        {2, 2, 3, 1},
        {16, 96, 96, 16},
        {1, 1, 0, -1},
        {INT_MAX, 2, 1, -1},
        {INT_MIN, -1, 1, -1},
        {INT_MIN, 1, 1, INT_MIN},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {100, 2540, 96, 2646},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.Number, c.Numerator, c.Denominator), c.Result)
            << c.Number << " * " << c.Numerator << " / " << c.Denominator;
}

TEST(TextPlatform, TextTakesTheRealisedBrushAsItsBackground) {
    struct Case {
        TBrushStyle Style;
        TColor Shown;
    };
    const Case cases[] = {{bsSolid, clBlue}, {bsClear, clWhite}};
    for (const Case& c : cases) {
        TFixedMetricsScope fixed;
        auto bitmap = WhiteBitmap(40, 20);
        TCanvas* canvas = bitmap->Canvas();
        canvas->Brush()->SetColor(clBlue);
        canvas->Brush()->SetStyle(c.Style);
        RECT r = Rect(0, 0, 40, 20);
        DrawTextEx(canvas->Handle(), "  ", -1, &r, DT_SINGLELINE, nullptr);
        EXPECT_EQ(canvas->Pixels(5, 5), c.Shown) << c.Style;
    }
}

TEST(TextPlatform, EveryScreenHasNinetySixPixelsPerInch) {
    for (auto [width, height] : {std::pair{640, 480}, std::pair{3840, 2160}}) {
        SetScreenSizeForGdi(width, height);
        auto bitmap = WhiteBitmap(4, 4);
        HDC dc = bitmap->Canvas()->Handle();
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), width);
    }
    SetScreenSizeForGdi(1024, 768);
}

TEST(TextPlatform, TheRecorderListsImageDrawsAndTextWithItsEscapement) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(60, 60);
    TCanvas* c = bitmap->Canvas();
    TCanvasRecorder recorder(c);
    auto picture = WhiteBitmap(4, 3);
    c->Draw(5, 6, picture.get());
    c->StretchDraw(Rect(10, 10, 30, 20), picture.get());
    c->TextOut(1, 2, "up \"right\"");
    HFONT font = TurnedFont(450);
    HGDIOBJ old = SelectObject(c->Handle(), font);
    RECT r = Rect(3, 4, 50, 50);
    DrawTextEx(c->Handle(), "turned", -1, &r, DT_SINGLELINE | DT_NOCLIP, nullptr);
    SelectObject(c->Handle(), old);
    DeleteObject(font);
    EXPECT_EQ(recorder.ImageDraws(), (std::vector<TRect>{Rect(5, 6, 9, 9), Rect(10, 10, 30, 20)}));
    const auto texts = recorder.TextCalls();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, "up \"right\"");
    EXPECT_EQ(texts[0].At, Point(1, 2));
    EXPECT_EQ(texts[0].Escapement, 0);
    EXPECT_EQ(texts[1].Text, "turned");
    EXPECT_EQ(texts[1].At, Point(3, 4));
    EXPECT_EQ(texts[1].Escapement, 450);
}
