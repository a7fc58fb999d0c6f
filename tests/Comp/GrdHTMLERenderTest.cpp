// RenderHTML with fixed font metrics: measuring, layout read from the recorder, hit-testing and pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GrdHTMLE.h"
#include "support/GraphicsTestSupport.h"
#include "vcl/ImgList.h"
#include "vcl/UxTheme.h"

using namespace GrdHTMLE;

namespace {

struct TOptions {
    Integer X = -100, Y = -100, FocusLink = -1, HoverLink = 0;
    bool CheckHotSpot = false, CheckHeight = false, Selected = false, Blink = true, HoverStyle = false;
    bool WordWrap = true, MouseDown = false;
    TColor HoverColor = clNone, HoverFontColor = clNone;
    TImageList* Images = nullptr;
};

struct TOutput {
    bool Result = false;
    AnsiString AnchorValue, PlainText, FocusAnchor, ControlID, ControlValue, ControlType;
    Integer Width = -1, Height = -1, AnchorCount = -1, MouseLink = -2;
    TRect MouseRect, ControlRect;
};

TOutput Render(TCanvas* Canvas, const AnsiString& Text, const TRect& Box, const TOptions& O = {}) {
    TOutput out;
    out.Result = RenderHTML(
        Canvas, Text, Box, O.Images, O.X, O.Y, O.FocusLink, O.HoverLink, 1, O.CheckHotSpot, O.CheckHeight, false,
        O.Selected, O.Blink, O.HoverStyle, O.WordWrap, O.MouseDown, 1.0, clBlue, O.HoverColor, O.HoverFontColor, clGray,
        out.AnchorValue, out.PlainText, out.FocusAnchor, out.Width, out.Height, out.AnchorCount, out.MouseLink,
        out.MouseRect, out.ControlRect, out.ControlID, out.ControlValue, out.ControlType, nullptr, nullptr, nullptr);
    return out;
}

// The runs drawn (not measured), as "left,top,right,bottom text", in order.
std::vector<std::string> DrawnRuns(const std::vector<AnsiString>& Lines) {
    std::vector<std::string> runs;
    for (const AnsiString& line : Lines) {
        if (line.rfind("DrawText ", 0) != 0) continue;
        const std::size_t rectEnd = line.find(' ', 9), flagsEnd = line.find(' ', rectEnd + 1);
        const auto flags = std::stoul(line.substr(rectEnd + 2, flagsEnd - rectEnd - 2), nullptr, 16);
        if (flags & DT_CALCRECT) continue;
        runs.push_back(line.substr(9, rectEnd - 9) + " " + line.substr(flagsEnd + 2, line.size() - flagsEnd - 3));
    }
    return runs;
}

std::vector<std::string> RecordRuns(const AnsiString& Text, const TRect& Box, const TOptions& O = {}) {
    TBitmap bitmap;
    bitmap.SetSize(Box.Right + 10, Box.Bottom + 10);
    std::vector<AnsiString> lines;
    bitmap.Canvas()->SetRecorder(&lines);
    Render(bitmap.Canvas(), Text, Box, O);
    bitmap.Canvas()->SetRecorder(nullptr);
    return DrawnRuns(lines);
}

}  // namespace

TEST(GrdHTMLERenderTest, MeasuringGivesWidthHeightAnchorsAndPlainText) {
    TFixedMetricsScope metrics;
    auto bitmap = WhiteBitmap(10, 10);
    struct Case {
        const char* text;
        Integer boxRight;  // the box is (0, 0, boxRight, 200): 1 pixel less wide for layout
        Integer width, height, anchors;
        const char* plain;
    };
    const Case cases[] = {
        {"", 101, 0, 13, 0, ""},
        {"hello", 101, 30, 13, 0, "hello"},
        {"aaaa bbbb cccc", 41, 54, 26, 0, "aaaa bbbb cccc"},
        {"aaaa bbbb", 41, 54, 13, 0, "aaaa bbbb"},
        {"longerword", 21, 60, 13, 0, "longerword"},
        {"a<BR>b", 101, 6, 26, 0, "a\rb"},
        {"a\r\nb", 101, 6, 26, 0, "a\rb"},
        {"a&amp;b", 101, 18, 13, 0, "a&&b"},
        {"x&lt;&NBSP;&nbsp;y", 101, 30, 13, 0, "x<  y"},
        {"<A href=\"u\">l</A> <a>m</a>", 101, 18, 13, 2, "l m"},
        {"<UL><LI>x", 101, 18, 26, 0, "x"},
        {"<UL><UL><LI>x", 101, 30, 39, 0, "x"},
        {"<LI>a<LI>b", 101, 6, 26, 0, "ab"},
        {"<Z>hidden</Z>x", 101, 6, 13, 0, "hiddenx"},
        {"<SUB>x</SUB>", 101, 6, 16, 0, "x"},
        {"<SUP>x</SUP><SUB>y</SUB>", 101, 12, 19, 0, "xy"},
        {"a<HR>b", 101, 6, 26, 0, "ab"},
        {"<IN x=\"50\">a", 101, 56, 13, 0, "a"},
        {"<IN x=\"5px\">a", 101, 6, 13, 0, "a"},
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\">", 101, 0, 13, 0, ""},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"40\">", 101, 40, 19, 0, ""},
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"4O\">x", 101, 6, 13, 0, "x"},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"go\" WIDTH=\"50\">", 101, 50, 18, 0, ""},
        {"<CONTROL TYPE=\"CHECK\" ID=\"c\" WIDTH=\"1\">", 101, 16, 16, 0, ""},
        {"<CONTROL TYPE=\"COMBO\" ID=\"c\" WIDTH=\"30\">", 101, 30, 25, 0, ""},
        {"ab <CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"90\">", 101, 90, 32, 0, "ab "},
        {"a<", 101, 6, 13, 0, "a"},
        {"a<B", 101, 6, 13, 0, "a"},
        {"<BX>y", 101, 6, 13, 0, "y"},
        {"<b>x</b>y", 101, 12, 13, 0, "xy"},
        {"x<FONT COLOR=\"clred\"", 101, 6, 13, 0, "x"},
    };
    for (const Case& c : cases) {
        TOptions options;
        options.CheckHeight = true;
        options.X = options.Y = 5;
        const TOutput out = Render(bitmap->Canvas(), c.text, Rect(0, 0, c.boxRight, 200), options);
        EXPECT_FALSE(out.Result) << c.text;
        EXPECT_EQ(out.Width, c.width) << c.text;
        EXPECT_EQ(out.Height, c.height) << c.text;
        EXPECT_EQ(out.AnchorCount, c.anchors) << c.text;
        EXPECT_EQ(out.PlainText, c.plain) << c.text;
        EXPECT_EQ(out.MouseLink, -1) << c.text;
    }
}

TEST(GrdHTMLERenderTest, LinesArePlacedByAlignmentIndentAndListLevel) {
    TFixedMetricsScope metrics;
    struct Case {
        const char* text;
        std::vector<std::string> runs;
    };
    const Case cases[] = {
        {"ab <B>cd</B>", {"1,0,101,13 ab ", "19,0,101,13 cd"}},
        {"<P ALIGN=\"RIGHT\">ab <B>cd</B>", {"71,0,101,13 ab ", "89,0,101,13 cd"}},
        {"<P ALIGN=\"CENTER\">ab", {"45,0,101,13 ab"}},
        {"<P INDENT=\"10\">ab", {"11,0,101,13 ab"}},
        {"aaaa bbbb cccc", {"1,0,101,13 aaaa ", "31,0,101,13 bbbb ", "61,0,101,13 cccc"}},
        {"<UL><LI>x</UL>", {"1,13,101,26 \xB7", "13,13,101,26 x"}},
        {"<UL><UL><LI>x", {"13,26,101,39 o", "25,26,101,39 x"}},
        {"<SUP>x</SUP><SUB>y</SUB>", {"1,0,101,13 x", "7,0,101,19 y"}},
        {"a<Z>b</Z>c", {"1,0,101,13 a", "7,0,101,13 c"}},
        {"<SH>s</SH>", {"2,1,102,14 s", "1,0,101,13 s"}},
        {"a<BR>b", {"1,0,101,13 a", "1,13,101,26 b"}},
        {"<IN x=\"20\">a", {"21,0,101,13 a"}},
        {"1<BR>2<BR>3<BR>4<BR>5<BR>6", {"1,0,101,13 1", "1,13,101,26 2", "1,26,101,39 3", "1,39,101,52 4"}},
    };
    for (const Case& c : cases) EXPECT_EQ(RecordRuns(c.text, Rect(0, 0, 101, 60)), c.runs) << c.text;
    EXPECT_EQ(RecordRuns("aaaa bbbb cccc", Rect(0, 0, 41, 60)),
              (std::vector<std::string>{"1,0,41,13 aaaa ", "1,13,41,26 bbbb ", "31,13,41,26 cccc"}));
    // Without word wrap a run ends with an ellipsis at the right edge.
    TOptions noWrap;
    noWrap.WordWrap = false;
    EXPECT_EQ(RecordRuns("aaaa bbbb cccc", Rect(0, 0, 41, 30), noWrap),
              (std::vector<std::string>{"1,0,41,13 aaaa bbbb cccc"}));
}

TEST(GrdHTMLERenderTest, HitTestingFindsAnchorsAndControlsOnThePositionedLine) {
    TFixedMetricsScope metrics;
    auto bitmap = WhiteBitmap(10, 10);
    const AnsiString links = "ab <A href=\"first\">cd</A> <A href=\"second\">ef gh</A>";
    struct Case {
        const char* text;
        Integer boxRight, x, y;
        bool hotSpot;
        bool result;
        const char* anchor;
        Integer link;
        TRect mouseRect;
        const char* control;
    };
    const Case cases[] = {
        {links.c_str(), 101, 25, 5, true, true, "first", 1, TRect(19, 0, 31, 13), ""},
        {links.c_str(), 101, 45, 5, true, true, "second", 2, TRect(37, 0, 67, 13), ""},
        {links.c_str(), 101, 10, 5, true, false, "", -1, TRect(), ""},
        {links.c_str(), 101, 25, 20, true, false, "", -1, TRect(), ""},
        {links.c_str(), 101, 25, 5, false, false, "", -1, TRect(), ""},
        {"<P ALIGN=\"RIGHT\"><A href=\"r\">xy</A>", 101, 95, 5, true, true, "r", 1, TRect(89, 0, 101, 13), ""},
        {"<P ALIGN=\"RIGHT\"><A href=\"r\">xy</A>", 101, 5, 5, true, false, "", -1, TRect(), ""},
        {"aaaa <A href=\"w\">bbbb cccc</A>", 41, 10, 20, true, true, "w", 1, TRect(1, 13, 55, 26), ""},
        {"a<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v&lt;\" WIDTH=\"40\">", 101, 20, 10, false, true, "ctrl", -1,
         TRect(), "EDIT e v<"},
        {"a<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"40\">", 101, 20, 10, true, true, "ctrl", -1, TRect(),
         "EDIT e v"},
        {"a<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"40\">", 101, 60, 10, true, false, "", -1, TRect(), ""},
    };
    for (const Case& c : cases) {
        TOptions options;
        options.X = c.x;
        options.Y = c.y;
        options.CheckHotSpot = c.hotSpot;
        const TOutput out = Render(bitmap->Canvas(), c.text, Rect(0, 0, c.boxRight, 100), options);
        EXPECT_EQ(out.Result, c.result) << c.text << " at " << c.x << "," << c.y;
        EXPECT_EQ(out.AnchorValue, c.anchor) << c.text << " at " << c.x << "," << c.y;
        EXPECT_EQ(out.MouseLink, c.link) << c.text << " at " << c.x << "," << c.y;
        if (c.link > 0) {
            EXPECT_EQ(out.MouseRect, c.mouseRect) << c.text << " at " << c.x << "," << c.y;
        }
        const std::string control =
            out.ControlType.empty() ? "" : out.ControlType + " " + out.ControlID + " " + out.ControlValue;
        EXPECT_EQ(control, c.control) << c.text;
    }
    // The focused anchor's value comes from the drawing pass.
    TOptions focus;
    focus.FocusLink = 1;
    EXPECT_EQ(Render(bitmap->Canvas(), links, Rect(0, 0, 101, 100), focus).FocusAnchor, "second");
}

TEST(GrdHTMLERenderTest, TagsPaintBackgroundsLinesAndMarksWhereTheySay) {
    TFixedMetricsScope metrics;
    const TColor highlight = static_cast<TColor>(ColorToRGB(clHighlight));
    struct Probe {
        Integer x, y;
        TColor color;
    };
    struct Case {
        const char* text;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // The whole rectangle, and the colour </FONT> goes back to.
        {"<BODY BGCOLOR=\"clyellow\">x<FONT BGCOLOR=\"#00FF00\">y</FONT>z",
         {{0, 0, clYellow}, {99, 59, clYellow}, {8, 1, clLime}, {14, 1, clYellow}}},
        {"<BODY BGCOLOR=\"yellow\">x", {{50, 40, clWhite}}},
        // A band across the rectangle for each line of the paragraph, not after it.
        {"<P BGCOLOR=\"clred\">a<BR>b</P>c", {{0, 0, clRed}, {99, 12, clRed}, {99, 25, clRed}, {99, 30, clWhite}}},
        // One black line a pixel below the text, from the line's left to the box's right.
        {"a<HR>b", {{1, 14, clBlack}, {99, 14, clBlack}, {99, 13, clWhite}, {99, 15, clWhite}, {0, 14, clWhite}}},
        {"<HI>h</HI> n", {{2, 1, highlight}, {8, 1, clWhite}}},
        {"<FONT BGCOLOR=\"clred\">ab</FONT>", {{1, 0, clRed}, {12, 12, clRed}, {13, 5, clWhite}, {1, 13, clWhite}}},
    };
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(100, 60);
        TCanvas* canvas = bitmap->Canvas();
        Render(canvas, c.text, Rect(0, 0, 100, 60));
        for (const Probe& p : c.probes)
            EXPECT_EQ(canvas->Pixels(p.x, p.y), p.color) << c.text << " at " << p.x << "," << p.y;
    }
}

TEST(GrdHTMLERenderTest, ErrorMarksZigZagInRedAndBlinkingTextVanishes) {
    TFixedMetricsScope metrics;
    const auto countOf = [](TCanvas* canvas, TColor color, Integer top, Integer bottom) {
        Integer n = 0;
        for (Integer y = top; y < bottom; ++y)
            for (Integer x = 0; x < 60; ++x) n += canvas->Pixels(x, y) == color;
        return n;
    };
    auto marked = WhiteBitmap(60, 30);
    Render(marked->Canvas(), "<E>abcd</E>", Rect(0, 0, 60, 30));
    // Between the rows bottom - 1 and bottom + 1 under the run, and nowhere past it.
    EXPECT_GT(countOf(marked->Canvas(), clRed, 12, 15), 20);
    EXPECT_EQ(countOf(marked->Canvas(), clRed, 0, 11), 0);
    EXPECT_EQ(marked->Canvas()->Pixels(40, 13), clWhite);

    TOptions off;
    off.Blink = false;
    auto hidden = WhiteBitmap(60, 30);
    Render(hidden->Canvas(), "<BLI>blink</BLI>", Rect(0, 0, 60, 30), off);
    EXPECT_EQ(countOf(hidden->Canvas(), clWhite, 0, 30), 60 * 30);
    auto shown = WhiteBitmap(60, 30);
    Render(shown->Canvas(), "<BLI>blink</BLI>", Rect(0, 0, 60, 30));
    EXPECT_LT(countOf(shown->Canvas(), clWhite, 0, 30), 60 * 30);
}

TEST(GrdHTMLERenderTest, TheCanvasFontBrushAndPenComeBackAsTheyWere) {
    TFixedMetricsScope metrics;
    auto bitmap = WhiteBitmap(100, 60);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetColor(clGreen);
    canvas->Brush()->SetColor(clAqua);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clPurple);
    const char* const texts[] = {
        "<B><I><U><S>x",
        "<FONT FACE=\"COURIER\" COLOR=\"clred\" BGCOLOR=\"clblue\" SIZE=\"5\">y",
        "<HI>h",
        "<P BGCOLOR=\"clred\">p<HR>",
        "<R a=\"90\">r<R a=\"45\">s</R>",
        "</R></R><A href=\"x\">a",
        "<BODY BGCOLOR=\"clred\">",
    };
    for (const char* text : texts) {
        TOptions options;
        options.HoverColor = clYellow;
        options.HoverFontColor = clRed;
        Render(canvas, text, Rect(0, 0, 100, 60), options);
        EXPECT_EQ(canvas->Font()->Name(), "Arial") << text;
        EXPECT_EQ(canvas->Font()->Color(), clGreen) << text;
        EXPECT_TRUE(canvas->Font()->Style().Empty()) << text;
        EXPECT_EQ(canvas->Brush()->Color(), clAqua) << text;
        EXPECT_EQ(canvas->Brush()->Style(), bsClear) << text;
        EXPECT_EQ(canvas->Pen()->Color(), clPurple) << text;
    }
}

TEST(GrdHTMLERenderTest, ControlsDrawThemedOrClassicGlyphsAndTurnedRunsKeepTheirAngle) {
    TFixedMetricsScope metrics;
    const AnsiString text =
        "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"1\"><CONTROL TYPE=\"RADIO\" ID=\"r\" "
        "VALUE=\"no\" WIDTH=\"1\"><CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"go\" WIDTH=\"40\"><CONTROL "
        "TYPE=\"COMBO\" ID=\"k\" WIDTH=\"50\"><R a=\"450\">r</R>";
    struct Case {
        bool themed, mouseDown;
        Integer x;
        std::vector<std::string> glyphs;
    };
    const Case cases[] = {
        {false,
         true,
         50,
         {"DrawFrameControl 3,10,16,25 4 $00004400", "DrawFrameControl 19,10,32,25 4 $00004004",
          "DrawFrameControl 33,1,73,25 4 $00000210", "DrawFrameControl 106,4,122,25 3 $00000005"}},
        {false,
         true,
         150,
         {"DrawFrameControl 3,10,16,25 4 $00004400", "DrawFrameControl 19,10,32,25 4 $00004004",
          "DrawFrameControl 33,1,73,25 4 $00000010", "DrawFrameControl 106,4,122,25 3 $00000005"}},
        {true,
         true,
         50,
         {"DrawThemeBackground button 3 5 3,10,16,25", "DrawThemeBackground button 2 1 19,10,32,25",
          "DrawThemeBackground button 1 3 33,1,73,25", "DrawThemeBackground combobox 1 1 106,4,122,25"}},
        {true,
         false,
         50,
         {"DrawThemeBackground button 3 5 3,10,16,25", "DrawThemeBackground button 2 1 19,10,32,25",
          "DrawThemeBackground button 1 2 33,1,73,25", "DrawThemeBackground combobox 1 1 106,4,122,25"}},
        {true,
         false,
         110,
         {"DrawThemeBackground button 3 5 3,10,16,25", "DrawThemeBackground button 2 1 19,10,32,25",
          "DrawThemeBackground button 1 1 33,1,73,25", "DrawThemeBackground combobox 1 2 106,4,122,25"}},
    };
    for (const Case& c : cases) {
        SetThemesActiveForTest(c.themed);
        TBitmap bitmap;
        bitmap.SetSize(220, 70);
        std::vector<AnsiString> lines;
        bitmap.Canvas()->SetRecorder(&lines);
        TOptions options;
        options.X = c.x;
        options.Y = 10;
        options.MouseDown = c.mouseDown;
        Render(bitmap.Canvas(), text, Rect(0, 0, 201, 60), options);
        bitmap.Canvas()->SetRecorder(nullptr);
        std::vector<std::string> glyphs;
        for (const AnsiString& line : lines)
            if (line.rfind("DrawFrameControl", 0) == 0 || line.rfind("DrawThemeBackground", 0) == 0)
                glyphs.push_back(line);
        EXPECT_EQ(glyphs, c.glyphs) << c.themed << " at " << c.x;
        // 450 degrees wrap to 90; the run keeps its angle while drawn.
        EXPECT_EQ(lines.back(), "DrawText 123,0,201,25 $00000268 \"r\" esc=900");
    }
    SetThemesActiveForTest(true);
}

TEST(GrdHTMLERenderTest, ImageListPicturesTakeTheirSizeAndShowTheirAltWhileHovered) {
    TFixedMetricsScope metrics;
    TImageList& images = *new TImageList(nullptr);
    for (TColor color : {clRed, clBlue}) {
        auto image = WhiteBitmap(16, 16);
        image->Canvas()->Brush()->SetColor(color);
        image->Canvas()->FillRect(Rect(0, 0, 16, 16));
        images.AddMasked(image.get(), clWhite);
    }
    const AnsiString linked = "a<A href=\"pic\"><IMG SRC=\"IDX:0\" ALT=\"IDX:1\"></A>b";
    struct Case {
        const char* text;
        Integer x, y;
        Integer width, height;
        TColor shown;  // at (10, 8)
        bool result;
    };
    const Case cases[] = {
        {linked.c_str(), -100, -100, 28, 16, clRed, false},
        {linked.c_str(), 10, 8, 28, 16, clBlue, true},
        {"a<IMG SRC=\"IDX:1\" ALT=\"IDX:0\">b", 10, 8, 28, 16, clBlue, false},
        {"a<IMG SRC=\"IDX:2\">b", -100, -100, 12, 13, clWhite, false},
        {"a<IMG SRC=\"IDX:x\">b", -100, -100, 12, 13, clWhite, false},
        {"<IMG SRC=\"IDX:0\" ALIGN=\"TOP\">b", -100, -100, 22, 16, clRed, false},
    };
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(100, 40);
        TOptions options;
        options.Images = &images;
        options.X = c.x;
        options.Y = c.y;
        const TOutput out = Render(bitmap->Canvas(), c.text, Rect(0, 0, 100, 40), options);
        EXPECT_EQ(out.Width, c.width) << c.text;
        EXPECT_EQ(out.Height, c.height) << c.text;
        EXPECT_EQ(bitmap->Canvas()->Pixels(10, 8), c.shown) << c.text;
        EXPECT_EQ(out.Result, c.result) << c.text;
    }
    // ALIGN TOP lifts the text to the picture's top: the run's box ends 13 pixels down.
    TOptions options;
    options.Images = &images;
    EXPECT_EQ(RecordRuns("<IMG SRC=\"IDX:0\" ALIGN=\"TOP\">b", Rect(0, 0, 100, 40), options),
              (std::vector<std::string>{"17,0,100,13 b"}));
    images.Free();
}

TEST(GrdHTMLERenderTest, TheHoveredAnchorTakesTheHoverColoursAndTheFocusedOneAFocusRectangle) {
    TFixedMetricsScope metrics;
    const AnsiString links = "<A href=\"1\">ab</A> <A href=\"2\">cd</A>";
    struct Case {
        bool hoverStyle;
        Integer hoverLink, focusLink;
        TColor firstBack, secondBack;  // behind the anchors' text, at its top row
        const char* focus;             // the focus rectangle drawn, or ""
    };
    const Case cases[] = {
        {true, 1, -1, clYellow, clWhite, ""},
        {true, 2, -1, clWhite, clYellow, ""},
        {false, 0, -1, clYellow, clYellow, ""},
        {true, 0, 0, clWhite, clWhite, "DrawFocusRect 0,0,14,13"},
        {true, 0, 1, clWhite, clWhite, "DrawFocusRect 18,0,32,13"},
    };
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(100, 30);
        std::vector<AnsiString> lines;
        bitmap->Canvas()->SetRecorder(&lines);
        TOptions options;
        options.HoverStyle = c.hoverStyle;
        options.HoverLink = c.hoverLink;
        options.FocusLink = c.focusLink;
        options.HoverColor = clYellow;
        options.HoverFontColor = clRed;
        const TOutput out = Render(bitmap->Canvas(), links, Rect(0, 0, 100, 30), options);
        bitmap->Canvas()->SetRecorder(nullptr);
        EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), c.firstBack) << c.hoverLink;
        EXPECT_EQ(bitmap->Canvas()->Pixels(19, 0), c.secondBack) << c.hoverLink;
        std::string focus;
        for (const AnsiString& line : lines)
            if (line.rfind("DrawFocusRect", 0) == 0) focus = line;
        EXPECT_EQ(focus, c.focus) << c.focusLink;
        EXPECT_EQ(out.FocusAnchor, c.focusLink < 0 ? "" : c.focusLink == 0 ? "1" : "2");
    }
}

TEST(GrdHTMLERenderTest, ATurnedRunIsDrawnAlongItsAngleInARealFont) {
    // The run is cut to its line as any run is; what shows of it slopes as it is turned: the ink of its
    // right half lies lower than that of its left half when turned clockwise, level when not turned.
    struct Case {
        const char* text;
        double minDrop, maxDrop;
    };
    const Case cases[] = {{"WWWWWWWWWW", -1, 1}, {"<R a=\"352\">WWWWWWWWWW</R>", 3, 20}};
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(200, 100);
        TCanvas* canvas = bitmap->Canvas();
        canvas->Font()->SetName("Arial");
        canvas->Font()->SetSize(12);
        Render(canvas, c.text, Rect(10, 10, 190, 90));
        Integer left = 200, right = -1;
        for (Integer y = 0; y < 100; ++y)
            for (Integer x = 0; x < 200; ++x)
                if (canvas->Pixels(x, y) != clWhite) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_GT(right, left + 20) << c.text << ": too little drawn";
        const Integer middle = (left + right) / 2;
        double sum[2] = {0, 0}, count[2] = {0, 0};
        for (Integer y = 0; y < 100; ++y)
            for (Integer x = left; x <= right; ++x)
                if (canvas->Pixels(x, y) != clWhite) {
                    sum[x > middle] += y;
                    ++count[x > middle];
                }
        const double drop = sum[1] / count[1] - sum[0] / count[0];
        EXPECT_GE(drop, c.minDrop) << c.text;
        EXPECT_LE(drop, c.maxDrop) << c.text;
    }
}
