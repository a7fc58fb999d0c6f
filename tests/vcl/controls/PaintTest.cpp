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
    for (const Probe& p : probes) EXPECT_EQ(shot->Canvas()->Pixels(p.x, p.y), p.expected) << p.x << "," << p.y;
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

// The same window shown: what reaches the screen, read from the whole window.
class ShownPainting : public Painting {
protected:
    void SetUp() override {
        Painting::SetUp();
        Testing::ShowAndActivate(form);
    }
    TColor OnScreen(Integer x, Integer y) {
        std::unique_ptr<TBitmap> shot(Testing::GrabWindow(form));
        return shot->Canvas()->Pixels(x, y);
    }
};

TEST_F(ShownPainting, InvalidateWaitsForThePaintEventAndUpdatePaintsAtOnce) {
    ASSERT_EQ(OnScreen(12, 12), clRed);
    const int painted = swatch->PaintCount;
    swatch->SetColor(clYellow);
    EXPECT_EQ(swatch->PaintCount, painted) << "nothing paints outside a paint event";
    swatch->Update();
    EXPECT_EQ(swatch->PaintCount, painted + 1) << "Update paints the pending area now";
    EXPECT_EQ(OnScreen(12, 12), clYellow);
    EXPECT_EQ(swatch->PaintCount, painted + 1);
}

TEST_F(ShownPainting, InvalidatingARectangleRepaintsOnlyThatArea) {
    ASSERT_EQ(OnScreen(12, 12), clRed);
    swatch->Canvas()->SetPixels(5, 5, clLime);
    swatch->Canvas()->SetPixels(40, 5, clLime);
    ASSERT_EQ(OnScreen(15, 15), clLime) << "drawing outside painting reaches the screen";
    const int painted = swatch->PaintCount;
    RECT right = Rect(30, 0, 50, 20);
    ASSERT_TRUE(InvalidateRect(swatch->Handle(), &right, TRUE));
    EXPECT_EQ(OnScreen(50, 15), clRed) << "the invalidated area is painted again";
    EXPECT_EQ(OnScreen(15, 15), clLime) << "the rest keeps what was drawn";
    EXPECT_EQ(swatch->PaintCount, painted + 1);
    std::unique_ptr<TBitmap> surface(Testing::RenderControl(form));
    EXPECT_EQ(surface->Canvas()->Pixels(15, 15), clLime) << "the window's image holds what the screen shows";
}

TEST_F(ShownPainting, AControlOnceOnePixelHighPaintsItsWholeAreaAgain) {
    swatch->SetHeight(1);
    OnScreen(0, 0);
    swatch->SetHeight(40);
    EXPECT_EQ(OnScreen(12, 45), clRed) << "the swatch's own painting below its former height";
    EXPECT_EQ(OnScreen(35, 25), clBlue) << "its graphic child";
    EXPECT_EQ(OnScreen(69, 49), clBlack) << "its frame's far corner";
}

}  // namespace
