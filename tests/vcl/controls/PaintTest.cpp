// Painting into the persistent surface: Paint, graphic children on top, drawing outside painting, PaintTo.

#include <gtest/gtest.h>

#include <memory>

#include "SampleControls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 100, 80);
        form->SetColor(clWhite);
        swatch = new TSwatch(form);
        swatch->SetParent(form);
        swatch->SetBounds(10, 10, 60, 40);
        swatch->SetColor(clRed);
        swatch->Font()->SetColor(clBlack);
        block = new TBlock(form);
        block->SetParent(swatch);
        block->SetBounds(20, 10, 10, 10);
        block->SetColor(clBlue);
    }
    void TearDown() override { FreeAllForms(); }

    TColor At(Integer x, Integer y) {
        std::unique_ptr<TBitmap> shot(Testing::RenderControl(form));
        return shot->Canvas()->Pixels(x, y);
    }

    TForm* form = nullptr;
    TSwatch* swatch = nullptr;
    TBlock* block = nullptr;
};

TEST_F(Painting, PaintToRendersTheFormItsControlsAndTheirGraphicChildren) {
    std::unique_ptr<TBitmap> shot(Testing::RenderControl(form));
    ASSERT_EQ(shot->Width(), 100);
    ASSERT_EQ(shot->Height(), 80);
    struct Probe {
        Integer x, y;
        TColor expected;
    };
    const Probe probes[] = {
        {2, 2, clWhite},    // the form's background
        {10, 10, clBlack},  // the swatch's frame
        {12, 12, clRed},    // the swatch's own painting
        {35, 25, clBlue},   // the graphic child, painted after its parent
        {69, 49, clBlack},  // the frame's far corner
        {75, 60, clWhite},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(shot->Canvas()->Pixels(p.x, p.y), p.expected) << p.x << "," << p.y;
    EXPECT_EQ(swatch->PaintCount, 1);
    EXPECT_EQ(block->PaintCount, 1);
}

TEST_F(Painting, DrawingOutsidePaintStaysUntilTheControlIsInvalidated) {
    At(0, 0);
    swatch->Canvas()->SetPixels(5, 5, clLime);
    EXPECT_EQ(At(15, 15), clLime) << "drawn into the persistent surface at once";
    EXPECT_EQ(swatch->PaintCount, 1);
    swatch->Invalidate();
    EXPECT_EQ(At(15, 15), clRed);
    EXPECT_EQ(swatch->PaintCount, 2);
}

TEST_F(Painting, AGraphicControlDrawsClippedToItsBoundsOnItsParent) {
    At(0, 0);
    block->Canvas()->Brush()->SetColor(clYellow);
    block->Canvas()->FillRect(Rect(-50, -50, 500, 500));
    EXPECT_EQ(At(35, 25), clYellow);
    EXPECT_EQ(At(29, 25), clRed) << "nothing outside the block";
    EXPECT_EQ(At(41, 25), clRed);
}

TEST_F(Painting, GetDCDrawsOnTheWindowsSurface) {
    At(0, 0);
    HDC dc = GetDC(swatch->Handle());
    ASSERT_NE(dc, nullptr);
    SetPixel(dc, 1, 1, RGB(0, 255, 0));
    ReleaseDC(swatch->Handle(), dc);
    EXPECT_EQ(At(11, 11), clLime);
}

}  // namespace
