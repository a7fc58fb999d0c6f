// A bitmap's device-independent form and drawing device-independent rows, as printing uses them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "vcl/Graphics.h"
#include "vcl/Windows.h"

namespace {

// 3 x 2: red, green, blue on the top row; white, black, yellow below.
void Paint(TBitmap& Bitmap) {
    Bitmap.SetSize(3, 2);
    const TColor colours[6] = {clRed, clLime, clBlue, clWhite, clBlack, clYellow};
    for (int i = 0; i < 6; ++i) Bitmap.Canvas()->SetPixels(i % 3, i / 3, colours[i]);
}

struct TDib {
    std::vector<Byte> info, bits;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

TDib DibOf(TBitmap& Bitmap) {
    DWORD infoSize = 0, imageSize = 0;
    GetDIBSizes(Bitmap.Handle(), infoSize, imageSize);
    TDib dib{std::vector<Byte>(infoSize + sizeof(RGBQUAD)), std::vector<Byte>(imageSize)};
    EXPECT_TRUE(GetDIB(Bitmap.Handle(), nullptr, dib.info.data(), dib.bits.data()));
    return dib;
}

}  // namespace

TEST(DibTest, ABitmapGivesA32BitBottomUpHeaderAndRows) {
    TBitmap bitmap;
    Paint(bitmap);
    DWORD infoSize = 0, imageSize = 0;
    GetDIBSizes(bitmap.Handle(), infoSize, imageSize);
    EXPECT_EQ(infoSize, 40u);
    EXPECT_EQ(imageSize, 24u);
    const TDib dib = DibOf(bitmap);
    const BITMAPINFOHEADER& h = dib.Info()->bmiHeader;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, BI_RGB);
    EXPECT_EQ(h.biSizeImage, 24u);
    // The bottom row first, each pixel blue, green, red.
    const Byte white[3] = {0xFF, 0xFF, 0xFF}, red[3] = {0, 0, 0xFF};
    EXPECT_EQ(std::memcmp(&dib.bits[0], white, 3), 0);
    EXPECT_EQ(std::memcmp(&dib.bits[12], red, 3), 0);

    GetDIBSizes(reinterpret_cast<HBITMAP>(0x5), infoSize, imageSize);
    EXPECT_EQ(infoSize + imageSize, 0u);
    EXPECT_FALSE(GetDIB(reinterpret_cast<HBITMAP>(0x5), nullptr, &infoSize, &imageSize));
}

TEST(DibTest, StretchDIBitsDrawsTheSourceRectangleScaledAndMirrored) {
    TBitmap source;
    Paint(source);
    const TDib dib = DibOf(source);
    struct Case {
        const char* name;
        int x, y, w, h, xs, ys, ws, hs;
        int lines;
        TPoint at[3];
        TColor colour[3];
    };
    const Case cases[] = {
        {"whole, doubled", 0, 0, 6, 4, 0, 0, 3, 2, 2, {{0, 0}, {5, 1}, {4, 3}}, {clRed, clBlue, clYellow}},
        {"the bottom row (y counts from the bottom)",
         0,
         0,
         3,
         1,
         0,
         0,
         3,
         1,
         1,
         {{0, 0}, {1, 0}, {0, 1}},
         {clWhite, clBlack, clFuchsia}},
        {"mirrored left to right", 3, 0, -3, 2, 0, 0, 3, 2, 2, {{0, 0}, {2, 0}, {0, 1}}, {clBlue, clRed, clYellow}},
        {"turned over", 0, 2, 3, -2, 0, 0, 3, 2, 2, {{0, 0}, {0, 1}, {2, 1}}, {clWhite, clRed, clBlue}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap target;
        target.SetSize(8, 8);
        target.Canvas()->Brush()->SetColor(clFuchsia);
        target.Canvas()->FillRect(Rect(0, 0, 8, 8));
        EXPECT_EQ(StretchDIBits(target.Canvas()->Handle(), c.x, c.y, c.w, c.h, c.xs, c.ys, c.ws, c.hs, dib.bits.data(),
                                dib.Info(), DIB_RGB_COLORS, SRCCOPY),
                  c.lines);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(target.Canvas()->Pixels(c.at[i].X, c.at[i].Y), c.colour[i]) << i;
    }
}

TEST(DibTest, Rows24BitWideAreReadWithTheirPaddingAndOtherFormatsAreRefused) {
    // 1 x 2, bottom-up: a blue row (padded to 4 bytes) under a red one.
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    const Byte bits[8] = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
    TBitmap target;
    target.SetSize(2, 2);
    HDC dc = target.Canvas()->Handle();
    EXPECT_EQ(StretchDIBits(dc, 0, 0, 1, 2, 0, 0, 1, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(0, 1), clBlue);

    struct Case {
        const char* name;
        Word bitCount;
        DWORD compression;
        int srcWidth;
        HDC dc;
    };
    const Case refused[] = {
        {"8 bits", 8, BI_RGB, 1, dc},
        {"compressed", 24, 1, 1, dc},
        {"past the bitmap", 24, BI_RGB, 2, dc},
        {"unknown DC", 24, BI_RGB, 1, reinterpret_cast<HDC>(0x7)},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        BITMAPINFO bad = info;
        bad.bmiHeader.biBitCount = c.bitCount;
        bad.bmiHeader.biCompression = c.compression;
        EXPECT_EQ(StretchDIBits(c.dc, 0, 0, 1, 2, 0, 0, c.srcWidth, 2, bits, &bad, DIB_RGB_COLORS, SRCCOPY), 0);
    }
}
