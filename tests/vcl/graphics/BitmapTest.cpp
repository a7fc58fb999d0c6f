#include <gtest/gtest.h>

#include <cstdio>

#include "support/GraphicsTestSupport.h"
#include "vcl/Resources.h"
#include "support/TempPath.h"

namespace {

// A 2x2 24-bit BMP: bottom row red, blue; top row green, white.
const unsigned char TinyBmp[] = {
    'B',  'M',  70,  0,   0,    0,    0, 0, 0, 0, 54, 0, 0, 0,                                  // file header
    40,   0,    0,   0,   2,    0,    0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,  // info header
    0x13, 0x0B, 0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0,                           //
    0,    0,    255, 255, 0,    0,    0, 0,  // bottom row (BGR) + pad
    0,    255,  0,   255, 255,  255,  0, 0,  // top row + pad
};

const TResourceEntry TestResources[] = {
    {"TinyGlyph", "BMP", TinyBmp, sizeof TinyBmp},
    {nullptr, nullptr, nullptr, 0},
};

}  // namespace

TEST(Bitmap, LoadsFromAnEmbeddedResource) {
    RegisterResources(TestResources);
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, "tinyglyph");
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 2);
    TCanvas* c = bitmap.Canvas();
    EXPECT_EQ(c->Pixels(0, 1), clRed);
    EXPECT_EQ(c->Pixels(1, 1), clBlue);
    EXPECT_EQ(c->Pixels(0, 0), clLime);
    EXPECT_EQ(c->Pixels(1, 0), clWhite);
    EXPECT_EQ(bitmap.TransparentColor(), clRed);  // the bottom-left pixel
    EXPECT_THROW(bitmap.LoadFromResourceName(nullptr, "NoSuchGlyph"), EResNotFound);
}

TEST(Bitmap, TransparentDrawLeavesTheKeyColourOut) {
    RegisterResources(TestResources);
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, "TinyGlyph");
    glyph.SetTransparent(true);
    auto target = WhiteBitmap(4, 4);
    target->Canvas()->Brush()->SetColor(clBlack);
    target->Canvas()->FillRect(Rect(0, 0, 4, 4));
    target->Canvas()->Draw(1, 1, &glyph);
    EXPECT_EQ(target->Canvas()->Pixels(1, 2), clBlack);  // red was the key
    EXPECT_EQ(target->Canvas()->Pixels(2, 2), clBlue);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clLime);
}

TEST(Bitmap, ResizeKeepsTheTopLeftAndAssignCopies) {
    auto bitmap = WhiteBitmap(3, 3);
    bitmap->Canvas()->SetPixels(0, 0, clRed);
    int changes = 0;
    bitmap->OnChange = [&](TObject*) { ++changes; };
    bitmap->SetSize(6, 5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(5, 4), clWhite);
    TBitmap copy;
    copy.Assign(bitmap.get());
    EXPECT_EQ(copy.Width(), 6);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clRed);
    copy.Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clRed);
    TFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(Bitmap, SavesAndLoadsBmpFiles) {
    auto bitmap = WhiteBitmap(5, 4);
    bitmap->Canvas()->SetPixels(4, 3, clPurple);
    AnsiString path = ProcessTempPath("halcyra_bitmap_test.bmp");
    bitmap->SaveToFile(path);
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(path);
    EXPECT_EQ(changes, 1);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(4, 3), clPurple);
    std::remove(path.c_str());
    EXPECT_THROW(picture.LoadFromFile(path), EFOpenError);
}

TEST(Bitmap, RoundTripsThroughAStream) {
    auto bitmap = WhiteBitmap(3, 2);
    bitmap->Canvas()->SetPixels(2, 1, clTeal);
    TMemoryStream stream;
    bitmap->SaveToStream(&stream);
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(&stream);
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.Canvas()->Pixels(2, 1), clTeal);
    TMemoryStream garbage;
    garbage.WriteBuffer("nope", 4);
    garbage.SetPosition(0);
    EXPECT_THROW(loaded.LoadFromStream(&garbage), EInvalidGraphic);
}
