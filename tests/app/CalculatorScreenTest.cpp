// What the calculator window shows on screen after its panels change: read from the whole window as the
// windowing system composed it, never from a control's own surface.
#include <memory>

#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "ProgramStart.h"
#include "GPanel.h"
#include "easypanel.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"

namespace {

using Shot = std::unique_ptr<TBitmap>;

class CalculatorScreen : public ::testing::Test {
protected:
    void SetUp() override {
        CreateCalculatorWindow();
        Input::Show(Form1);
    }
    void TearDown() override { FreeAndNil(Form1); }

    static Shot Grab() { return Shot(Testing::GrabWindow(Form1)); }
    static easypanel::PanelSlotT& SlotOf(TPanel* Panel) {
        easypanel::TeasyPanel& mgr = easypanel::FormManager();
        return SlotAt(mgr, easypanel::SlotOfName(mgr, Panel->Name()));
    }
    // A control's client rectangle in the window's client coordinates.
    static TRect OnWindow(TControl* Control) {
        TPoint topLeft = Control->ClientToScreen(Point(0, 0));
        TPoint origin = Form1->ClientToScreen(Point(0, 0));
        return Bounds(topLeft.X - origin.X, topLeft.Y - origin.Y, Control->Width(), Control->Height());
    }
};

// The number of pixels that differ, and the first of them for the failure message.
struct TDifference {
    int Count = 0;
    TPoint First{-1, -1};
};

TDifference Compare(TBitmap* A, TBitmap* B) {
    TDifference d;
    if (A->Width() != B->Width() || A->Height() != B->Height()) return {-1, {}};
    for (Integer y = 0; y < A->Height(); ++y)
        for (Integer x = 0; x < A->Width(); ++x)
            if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y) && d.Count++ == 0) d.First = Point(x, y);
    return d;
}

int CountColour(TBitmap* Shot, const TRect& Area, TColor Colour) {
    int count = 0;
    for (Integer y = Area.Top; y < Area.Bottom; ++y)
        for (Integer x = Area.Left; x < Area.Right; ++x) count += Shot->Canvas()->Pixels(x, y) == Colour;
    return count;
}

TEST_F(CalculatorScreen, CollapsingAndRestoringDiskInfoLeavesTheWindowAsItWas) {
    Shot before = Grab();
    TPanel* button = SlotOf(Form1->PanelDiskInfo).ButtonOnTitle;
    Input::Click(button);
    ASSERT_TRUE(SlotOf(Form1->PanelDiskInfo).Collapsed);
    Input::Click(button);
    ASSERT_FALSE(SlotOf(Form1->PanelDiskInfo).Collapsed);
    Shot after = Grab();
    TDifference d = Compare(before.get(), after.get());
    EXPECT_EQ(d.Count, 0) << "first at " << d.First.X << "," << d.First.Y;
}

TEST_F(CalculatorScreen, PanelsRepaintWholeAfterTheWindowGrowsBack) {
    Shot before = Grab();
    const TRect bounds = Form1->BoundsRect();
    Form1->SetBounds(bounds.Left, bounds.Top, bounds.Width() - 120, bounds.Height() - 150);
    Grab();
    Form1->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    Shot after = Grab();
    TDifference d = Compare(before.get(), after.get());
    EXPECT_EQ(d.Count, 0) << "first at " << d.First.X << "," << d.First.Y;
}

TEST_F(CalculatorScreen, GreyedTitleShowsItsWholeDisabledCaption) {
    TLabel* caption = SlotOf(Form1->PanelDiskInfo).CaptionLabel;
    Grab();
    const Integer formerWidth = caption->Width();
    // A double click on the other panel's title bar gives that panel the full height and greys this one.
    TControl* otherTitle = SlotOf(Form1->PanelFaulty).TitleBar;
    Input::DoubleClick(otherTitle, otherTitle->Width() / 3, otherTitle->Height() / 2);
    ASSERT_EQ(caption->Caption(), "Disk Info (Disabled)");
    ASSERT_GT(caption->Width(), formerWidth + 20);
    Shot shot = Grab();
    TRect label = OnWindow(caption);
    TRect suffix{label.Left + formerWidth, label.Top, label.Right, label.Bottom};
    EXPECT_GT(CountColour(shot.get(), suffix, TColor(ColorToRGB(caption->Font()->Color()))), 20)
        << "the text beyond the former width reaches the screen";
}

}  // namespace
