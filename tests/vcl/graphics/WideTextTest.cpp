#include <gtest/gtest.h>

#include "support/CanvasRecorder.h"
#include "support/GraphicsTestSupport.h"

namespace {

// Counts the pixels of R that are not white.
int InkIn(TCanvas* C, const TRect& R) {
    int ink = 0;
    for (Integer y = R.Top; y < R.Bottom; ++y)
        for (Integer x = R.Left; x < R.Right; ++x)
            if (C->Pixels(x, y) != clWhite) ++ink;
    return ink;
}

HDC BlackTextOn(TCanvas* C) {
    C->Font()->SetName("Arial");
    C->Font()->SetSize(14);
    C->TextExtent("");  // selects the canvas font into the DC
    HDC dc = C->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    return dc;
}

}  // namespace

TEST(WideText, AsciiMeasuresAndLaysOutAsTheNarrowFormsDo) {
    struct Case {
        const char* Text;
        UINT Flags;
        Integer Width;
    };
    const Case cases[] = {
        {"abcd", DT_SINGLELINE, 100},
        {"ab\r\ncdef\nx", 0, 100},
        {"one two three", DT_WORDBREAK, 40},
        {"&File", 0, 100},
        {"a\tb", DT_EXPANDTABS, 200},
        {"longword", DT_WORDBREAK | DT_EDITCONTROL, 20},
        {"a long text cut short", DT_SINGLELINE | DT_END_ELLIPSIS, 50},
        {"", 0, 100},
    };
    for (bool fixed : {true, false}) {
        std::optional<TFixedMetricsScope> metrics;
        if (fixed) metrics.emplace();
        auto bitmap = WhiteBitmap(80, 60);
        HDC dc = BlackTextOn(bitmap->Canvas());
        for (const Case& c : cases) {
            const WideString wide = AnsiToWide(c.Text);
            RECT narrowRect = Rect(0, 0, c.Width, 5), wideRect = narrowRect;
            EXPECT_EQ(DrawTextW(dc, wide.c_str(), -1, &wideRect, c.Flags | DT_CALCRECT),
                      DrawText(dc, c.Text, -1, &narrowRect, c.Flags | DT_CALCRECT))
                << c.Text;
            EXPECT_EQ(wideRect, narrowRect) << c.Text << " fixed " << fixed;
            SIZE narrowSize{}, wideSize{};
            ASSERT_TRUE(GetTextExtentPoint32(dc, c.Text, static_cast<int>(strlen(c.Text)), &narrowSize));
            ASSERT_TRUE(GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &wideSize));
            EXPECT_EQ(wideSize.cx, narrowSize.cx) << c.Text;
            EXPECT_EQ(wideSize.cy, narrowSize.cy) << c.Text;
        }
    }
}

TEST(WideText, ASurrogatePairIsOneCharacterAndIsNeverSplitByAnEllipsis) {
    TFixedMetricsScope fixed;  // 6 pixels a character
    auto bitmap = WhiteBitmap(80, 60);
    HDC dc = BlackTextOn(bitmap->Canvas());
    const WideString clef = u"a\U0001D11Eb";
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, clef.c_str(), static_cast<int>(clef.size()), &size));
    EXPECT_EQ(size.cx, 18);
    EXPECT_FALSE(GetTextExtentPoint32W(dc, nullptr, 2, &size));

    // Three characters and the dots fit in 36 pixels: the cut falls after the pair, never inside it.
    WideString text = u"ab\U0001D11Ecdef";
    RECT r = Rect(0, 0, 36, 20);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(text.substr(0, 7), u"ab\U0001D11E...");
    r = Rect(0, 0, 30, 20);
    text = u"ab\U0001D11Ecdef";
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(text.substr(0, 5), u"ab...");
}

TEST(WideText, GreekTextDrawsItsOwnGlyphsInsideTheRectangleAndIsLogged) {
    const WideString greek = u"\u03B1\u03B2\u03B3\u03B4 \u03A9";
    auto wideBitmap = WhiteBitmap(120, 40), questionBitmap = WhiteBitmap(120, 40);
    HDC dc = BlackTextOn(wideBitmap->Canvas());
    TCanvasRecorder recorder(wideBitmap->Canvas());
    RECT clip = Rect(10, 5, 40, 30);
    DrawTextW(dc, greek.c_str(), -1, &clip, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(InkIn(wideBitmap->Canvas(), clip), 20);
    EXPECT_EQ(InkIn(wideBitmap->Canvas(), Rect(40, 0, 120, 40)), 0) << "clipped at the rectangle";
    EXPECT_EQ(InkIn(wideBitmap->Canvas(), Rect(0, 0, 10, 40)), 0);
    ASSERT_EQ(recorder.TextCalls().size(), 1u);
    EXPECT_EQ(recorder.TextCalls()[0].Text, "\xCE\xB1\xCE\xB2\xCE\xB3\xCE\xB4 \xCE\xA9");
    EXPECT_EQ(recorder.TextCalls()[0].At, Point(10, 5));

    // What the code page would show instead ("???? ?") looks different.
    HDC other = BlackTextOn(questionBitmap->Canvas());
    RECT same = clip;
    DrawText(other, "???? ?", -1, &same, DT_SINGLELINE | DT_NOPREFIX);
    int differing = 0;
    for (Integer y = 0; y < 40; ++y)
        for (Integer x = 0; x < 120; ++x)
            if (wideBitmap->Canvas()->Pixels(x, y) != questionBitmap->Canvas()->Pixels(x, y)) ++differing;
    EXPECT_GT(differing, 10);
}
