#include <gtest/gtest.h>

#include "support/GraphicsTestSupport.h"

TEST(Gdi, DrawEdgeColoursEachSide) {
    struct Case {
        UINT Edge;
        COLORREF OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
    };
    const COLORREF light = GetSysColor(COLOR_3DLIGHT), white = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
    const Case cases[] = {
        {EDGE_RAISED, light, dark, white, shadow},
        {EDGE_SUNKEN, shadow, white, dark, light},
        {EDGE_ETCHED, shadow, white, white, shadow},
        {EDGE_BUMP, light, dark, dark, light},
    };
    for (const Case& c : cases) {
        auto bitmap = WhiteBitmap(20, 20);
        HDC dc = bitmap->Canvas()->Handle();
        RECT r = Rect(2, 2, 18, 18);
        ASSERT_TRUE(DrawEdge(dc, &r, c.Edge, BF_RECT | BF_MIDDLE | BF_ADJUST));
        EXPECT_EQ(GetPixel(dc, 10, 2), c.OuterTopLeft) << c.Edge;       // top
        EXPECT_EQ(GetPixel(dc, 2, 10), c.OuterTopLeft) << c.Edge;       // left
        EXPECT_EQ(GetPixel(dc, 10, 17), c.OuterBottomRight) << c.Edge;  // bottom
        EXPECT_EQ(GetPixel(dc, 17, 10), c.OuterBottomRight) << c.Edge;  // right
        EXPECT_EQ(GetPixel(dc, 17, 2), c.OuterBottomRight) << c.Edge;   // the top-right corner is the right side's
        EXPECT_EQ(GetPixel(dc, 10, 3), c.InnerTopLeft) << c.Edge;
        EXPECT_EQ(GetPixel(dc, 16, 10), c.InnerBottomRight) << c.Edge;
        EXPECT_EQ(GetPixel(dc, 10, 10), GetSysColor(COLOR_BTNFACE)) << c.Edge;
        EXPECT_EQ(r, Rect(4, 4, 16, 16)) << c.Edge;
    }
}

TEST(Gdi, DrawEdgeOnlyOnTheSidesAsked) {
    auto bitmap = WhiteBitmap(20, 20);
    HDC dc = bitmap->Canvas()->Handle();
    RECT r = Rect(2, 2, 18, 18);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_BOTTOM);
    EXPECT_EQ(GetPixel(dc, 10, 17), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, 10, 2), RGB(255, 255, 255));
    SetSysColorForTest(COLOR_BTNHIGHLIGHT, RGB(9, 9, 9));
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RIGHT);
    EXPECT_EQ(GetPixel(dc, 17, 10), RGB(9, 9, 9));
    ResetSysColors();
}

TEST(Gdi, FrameControlsDrawTheirStates) {
    auto bitmap = WhiteBitmap(20, 20);
    HDC dc = bitmap->Canvas()->Handle();
    RECT box = Rect(0, 0, 13, 13);
    ASSERT_TRUE(DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_EQ(GetPixel(dc, 6, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 6, 6), GetSysColor(COLOR_WINDOW));
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    int ink = 0;
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x) ink += GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(ink, 10);
    RECT arrow = Rect(0, 0, 16, 16);
    ASSERT_TRUE(DrawFrameControl(dc, &arrow, DFC_SCROLL, DFCS_SCROLLDOWN));
    EXPECT_EQ(GetPixel(dc, 8, 9), GetSysColor(COLOR_BTNTEXT));
    EXPECT_FALSE(DrawFrameControl(dc, &arrow, DFC_CAPTION, 0));
}

TEST(Gdi, ClipRegionsLimitDrawing) {
    auto bitmap = WhiteBitmap(20, 10);
    TCanvas* c = bitmap->Canvas();
    HDC dc = c->Handle();
    HRGN left = CreateRectRgn(0, 0, 5, 10);
    HRGN right = CreateRectRgn(15, 0, 20, 10);
    HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, left, right, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(both, 16, 3));
    EXPECT_FALSE(PtInRegion(both, 10, 3));
    RECT middle = Rect(8, 0, 12, 10);
    EXPECT_FALSE(RectInRegion(both, &middle));
    EXPECT_EQ(SelectClipRgn(dc, both), COMPLEXREGION);
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 20, 10));
    EXPECT_EQ(Row(c, 3, 0, 20, clRed), "#####..........#####");
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(0, 0, 20, 10));
    EXPECT_EQ(IntersectClipRect(dc, 2, 0, 18, 10), COMPLEXREGION);
    EXPECT_EQ(c->ClipRect(), Rect(2, 0, 18, 10));
    SelectClipRgn(dc, nullptr);
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(0, 0, 20, 10));
    EXPECT_EQ(Row(c, 3, 0, 20, clBlue), "####################");
    EXPECT_EQ(OffsetRgn(left, 10, 0), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(left, 12, 0));
    for (HRGN r : {left, right, both}) EXPECT_TRUE(DeleteObject(r));
}

TEST(Gdi, InvalidHandlesFailTheWin32Way) {
    HDC badDc = reinterpret_cast<HDC>(0x12345678);
    RECT r = Rect(0, 0, 5, 5);
    EXPECT_EQ(FillRect(badDc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(DrawText(badDc, "x", -1, &r, 0), 0);
    EXPECT_FALSE(DrawEdge(badDc, &r, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(LineTo(badDc, 3, 3));
    EXPECT_EQ(SetBkMode(badDc, OPAQUE), 0);
    EXPECT_EQ(SetTextColor(badDc, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(badDc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SelectObject(badDc, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x777)));
    EXPECT_EQ(CombineRgn(nullptr, nullptr, nullptr, RGN_OR), ERROR);

    auto bitmap = WhiteBitmap(5, 5);
    HDC dc = bitmap->Canvas()->Handle();
    EXPECT_EQ(FillRect(dc, &r, reinterpret_cast<HBRUSH>(0x999)), 0);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x999)), nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));  // gone: a second delete fails
    EXPECT_EQ(FillRect(dc, &r, brush), 0);
    EXPECT_FALSE(DeleteObject(bitmap->Canvas()->Font()->Handle()));  // owned by the font
}

TEST(Gdi, SelectedObjectsDrawAndRestore) {
    auto bitmap = WhiteBitmap(10, 10);
    HDC dc = bitmap->Canvas()->Handle();
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    HPEN nullPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, green);
    HGDIOBJ oldPen = SelectObject(dc, nullPen);
    Rectangle(dc, 0, 0, 6, 6);  // without a pen one pixel less each way
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(0, 128, 0));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(SelectObject(dc, oldBrush), green);
    EXPECT_EQ(SelectObject(dc, oldPen), nullPen);
    EXPECT_TRUE(DeleteObject(green));
    RECT sys = Rect(6, 6, 8, 8);
    EXPECT_EQ(FillRect(dc, &sys, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), 1);
    EXPECT_EQ(GetPixel(dc, 6, 6), GetSysColor(COLOR_BTNFACE));
}

TEST(Gdi, MemoryDcBlitsWithRasterOperations) {
    auto target = WhiteBitmap(10, 10);
    HDC screen = target->Canvas()->Handle();
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP offscreen = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(memory, offscreen);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(DeleteObject(offscreen));  // still selected
    RECT all = Rect(0, 0, 4, 4);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);
    EXPECT_TRUE(BitBlt(screen, 2, 2, 4, 4, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(screen, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen, 6, 6), RGB(255, 255, 255));
    EXPECT_TRUE(BitBlt(screen, 2, 2, 4, 4, memory, 0, 0, SRCINVERT));
    EXPECT_EQ(GetPixel(screen, 2, 2), RGB(0, 0, 0));  // red XOR red
    EXPECT_TRUE(BitBlt(screen, 2, 2, 4, 4, memory, 0, 0, SRCINVERT));
    EXPECT_EQ(GetPixel(screen, 2, 2), RGB(255, 0, 0));
    EXPECT_TRUE(BitBlt(screen, 0, 0, 2, 2, nullptr, 0, 0, DSTINVERT));
    EXPECT_EQ(GetPixel(screen, 0, 0), RGB(0, 0, 0));
    EXPECT_FALSE(BitBlt(screen, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    SelectObject(memory, old);
    EXPECT_TRUE(DeleteObject(offscreen));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_FALSE(DeleteDC(memory));
}

TEST(Gdi, DeviceCapsAndTextMetrics) {
    TFixedMetricsScope fixed;
    auto bitmap = WhiteBitmap(4, 4);
    HDC dc = bitmap->Canvas()->Handle();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1024);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 10);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
    SIZE size;
    ASSERT_TRUE(GetTextExtentPoint32(dc, "abc", 3, &size));
    EXPECT_EQ(size, (SIZE{18, 13}));
}
