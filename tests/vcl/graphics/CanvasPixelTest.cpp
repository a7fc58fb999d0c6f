#include <algorithm>

#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"

TEST(CanvasPixels, ShapesLeaveOutTheRightAndBottomEdge) {
    auto bitmap = WhiteBitmap(12, 12);
    TCanvas* c = bitmap->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);

    c->Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Row(c, 2, 0, 10, clBlack), "..######..");  // top edge: x 2..7
    EXPECT_EQ(Row(c, 3, 0, 10, clRed), "...####...");    // interior filled with the brush
    EXPECT_EQ(Row(c, 5, 0, 10, clBlack), "..######..");  // bottom edge at y 5
    EXPECT_EQ(Column(c, 7, 0, 8, clBlack), "..####..");

    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(1, 8, 4, 10));
    EXPECT_EQ(Row(c, 8, 0, 6, clBlue), ".###..");
    EXPECT_EQ(Column(c, 1, 7, 11, clBlue), ".##.");

    c->Brush()->SetColor(clGreen);
    c->FrameRect(Rect(6, 7, 10, 11));
    EXPECT_EQ(Row(c, 7, 5, 11, clGreen), ".####.");
    EXPECT_EQ(Row(c, 8, 5, 11, clGreen), ".#..#.");
    EXPECT_EQ(Row(c, 10, 5, 11, clGreen), ".####.");
}

TEST(CanvasPixels, LineToLeavesItsEndPointAndMovesThePen) {
    auto bitmap = WhiteBitmap(8, 3);
    TCanvas* c = bitmap->Canvas();
    c->MoveTo(1, 1);
    c->LineTo(5, 1);
    EXPECT_EQ(Row(c, 1, 0, 8, clBlack), ".####...");
    EXPECT_EQ(c->PenPos(), Point(5, 1));
    c->LineTo(5, 3);
    EXPECT_EQ(Column(c, 5, 0, 3, clBlack), ".##");  // (5,1) drawn by the second line, (5,3) left out
}

// The smallest rectangle holding every pixel that is not white.
TRect InkBounds(TCanvas* Canvas, Integer Width, Integer Height) {
    TRect box{Width, Height, 0, 0};
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) {
            if (Canvas->Pixels(x, y) == clWhite) continue;
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                   std::max(box.Bottom, y + 1)};
        }
    return box;
}

TEST(CanvasPixels, ShapesCoverTheirBoxLessTheRightAndBottomEdge) {
    enum TShape { Rect_, Ellipse_, RoundRect_ };
    struct Case {
        const char* Name;
        TShape Shape;
        TRect Box;
        TPenStyle Style;
        Integer PenWidth;
        TRect Expected;
    };
    const Case cases[] = {
        {"rectangle", Rect_, {2, 2, 12, 10}, psSolid, 1, {2, 2, 12, 10}},
        {"ellipse", Ellipse_, {2, 2, 12, 12}, psSolid, 1, {2, 2, 12, 12}},
        {"ellipse of odd size", Ellipse_, {3, 2, 14, 9}, psSolid, 1, {3, 2, 14, 9}},
        {"wide ellipse", Ellipse_, {1, 4, 19, 10}, psSolid, 1, {1, 4, 19, 10}},
        {"round rectangle", RoundRect_, {2, 2, 12, 12}, psSolid, 1, {2, 2, 12, 12}},
        // A wide pen is centred on the outline ...
        {"rectangle, pen 3", Rect_, {4, 4, 14, 14}, psSolid, 3, {3, 3, 15, 15}},
        // ... unless it keeps inside the frame.
        {"rectangle, inside frame 3", Rect_, {4, 4, 14, 14}, psInsideFrame, 3, {4, 4, 14, 14}},
        {"ellipse, inside frame 3", Ellipse_, {4, 4, 14, 14}, psInsideFrame, 3, {4, 4, 14, 14}},
        {"round rectangle, inside frame 3", RoundRect_, {4, 4, 14, 14}, psInsideFrame, 3, {4, 4, 14, 14}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        auto bitmap = WhiteBitmap(20, 20);
        TCanvas* c = bitmap->Canvas();
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetStyle(k.Style);
        c->Pen()->SetWidth(k.PenWidth);
        c->Brush()->SetColor(clRed);
        const TRect& b = k.Box;
        switch (k.Shape) {
            case Rect_: c->Rectangle(b); break;
            case Ellipse_: c->Ellipse(b); break;
            case RoundRect_: c->RoundRect(b.Left, b.Top, b.Right, b.Bottom, 4, 4); break;
        }
        EXPECT_EQ(InkBounds(c, 20, 20), k.Expected);
    }
}

TEST(CanvasPixels, AHugeEllipseFillsTheBitmapItCovers) {
    auto bitmap = WhiteBitmap(20, 20);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clRed);
    c->Ellipse(-50000000, -50000000, 50000020, 50000020);
    EXPECT_EQ(Row(c, 0, 0, 20, clRed), std::string(20, '#'));
    EXPECT_EQ(Row(c, 19, 0, 20, clRed), std::string(20, '#'));
}

TEST(CanvasPixels, InsideFramePenIsABandOfItsWidthInsideTheBox) {
    auto bitmap = WhiteBitmap(16, 16);
    TCanvas* c = bitmap->Canvas();
    c->Pen()->SetStyle(psInsideFrame);
    c->Pen()->SetWidth(3);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Rectangle(2, 2, 14, 14);
    EXPECT_EQ(Row(c, 8, 0, 16, clBlack), "..###......###..");
    EXPECT_EQ(Row(c, 8, 0, 16, clRed), ".....######.....");
    EXPECT_EQ(Column(c, 8, 0, 16, clBlack), "..###......###..");
}

TEST(CanvasPixels, XorDrawingTwiceRestoresTheImage) {
    auto bitmap = WhiteBitmap(20, 20);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clAqua);
    c->FillRect(Rect(5, 5, 15, 15));
    auto snapshot = [&] {
        std::vector<TColor> pixels;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) pixels.push_back(c->Pixels(x, y));
        return pixels;
    };
    const auto before = snapshot();
    struct Mode {
        TPenMode Mode;
        const char* Name;
    };
    for (Mode m : {Mode{pmXor, "pmXor"}, Mode{pmNot, "pmNot"}, Mode{pmNotXor, "pmNotXor"}}) {
        c->Pen()->SetMode(m.Mode);
        c->Pen()->SetColor(clRed);
        c->MoveTo(0, 10);
        c->LineTo(20, 10);
        c->MoveTo(3, 0);
        c->LineTo(17, 19);
        EXPECT_NE(snapshot(), before) << m.Name;
        c->MoveTo(0, 10);
        c->LineTo(20, 10);
        c->MoveTo(3, 0);
        c->LineTo(17, 19);
        EXPECT_EQ(snapshot(), before) << m.Name;
    }
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clRed);
    c->MoveTo(0, 1);
    c->LineTo(2, 1);
    EXPECT_EQ(c->Pixels(0, 1), clAqua);  // white XOR red

    c->DrawFocusRect(Rect(2, 2, 18, 18));
    EXPECT_NE(snapshot(), before);
    c->DrawFocusRect(Rect(2, 2, 18, 18));
    c->MoveTo(0, 1);
    c->LineTo(2, 1);
    EXPECT_EQ(snapshot(), before);
}

TEST(CanvasPixels, TextBackgroundIsOpaqueUnlessTheBrushIsClear) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(40, 20);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clYellow);
    c->TextOut(2, 2, "  ");  // blanks: only the background shows
    EXPECT_EQ(Row(c, 5, 0, 16, clYellow), "..############..");
    EXPECT_EQ(Column(c, 3, 0, 17, clYellow), "..#############..");
    EXPECT_EQ(c->PenPos(), Point(14, 2));

    c->Brush()->SetStyle(bsClear);
    c->TextOut(20, 2, "  ");
    EXPECT_EQ(Row(c, 5, 18, 34, clWhite), "################");
}

TEST(CanvasPixels, TextRectClipsToItsRectangle) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(40, 20);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clLime);
    c->TextRect(Rect(4, 4, 10, 8), 0, 0, "     ");
    EXPECT_EQ(Row(c, 5, 0, 14, clLime), "....######....");
    EXPECT_EQ(Column(c, 5, 0, 12, clLime), "....####....");
}

TEST(CanvasPixels, PixelsOutsideTheSurfaceOrTheClipReadAsInvalid) {
    auto bitmap = WhiteBitmap(4, 4);
    TCanvas* c = bitmap->Canvas();
    IntersectClipRect(c->Handle(), 0, 0, 3, 4);
    const TPoint outside[] = {{4, 0}, {-1, 0}, {0, 4}, {0, -1}, {100, 100}, {3, 1}};
    for (TPoint p : outside) EXPECT_EQ(c->Pixels(p.X, p.Y), -1) << p.X << "," << p.Y;
    EXPECT_EQ(static_cast<COLORREF>(c->Pixels(4, 0)), CLR_INVALID);
    c->SetPixels(1, 1, clBtnFace);
    EXPECT_EQ(c->Pixels(1, 1), TColor(ColorToRGB(clBtnFace)));
}

TEST(CanvasPixels, EveryDrawingFiresOnChangingAndOnChange) {
    auto bitmap = WhiteBitmap(30, 30);
    TCanvas* c = bitmap->Canvas();
    int changing = 0, changed = 0;
    c->OnChanging = [&](TObject*) { ++changing; };
    c->OnChange = [&](TObject*) { ++changed; };
    c->FillRect(Rect(1, 2, 5, 6));
    c->Rectangle(10, 10, 40, 20);
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
}

TEST(CanvasPixels, RecorderListsTheCallsAsText) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(30, 30);
    TCanvas* c = bitmap->Canvas();
    std::vector<AnsiString> lines;
    c->SetRecorder(&lines);
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(0, 0, 10, 10));
    c->Font()->SetColor(clRed);
    c->TextOut(1, 2, "ab");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "FillRect 0,0,10,10 brush=$00FF0000");
    EXPECT_EQ(lines[1], "TextOut 1,2 \"ab\" font=MS Sans Serif,-11 color=$000000FF bk=$00FF0000");
}
