// A disabled window gets no mouse input at all, and the window under it hears nothing either; disabling the
// control that holds the mouse capture ends the capture.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

using DisabledInput = FormFixture;

// Clicks, presses and releases of a control, counted.
struct TMouseCounts {
    explicit TMouseCounts(TControl* Control) {
        Clicks.Hook(Control->OnClick);
        Downs.Hook(Control->OnMouseDown);
        Ups.Hook(Control->OnMouseUp);
    }
    int Total() const { return Clicks.Count() + Downs.Count() + Ups.Count(); }
    EventCounter Clicks, Downs, Ups;
};

TEST_F(DisabledInput, ADisabledWindowAndWhatItHoldsGetNoMouseAndTheWindowUnderItNeither) {
    struct Case {
        const char* Name;
        bool DisableTheTarget;  // else its parent panel is disabled
        bool Graphic;
    };
    for (const Case& c : {Case{"disabled panel", true, false}, Case{"button in a disabled panel", false, false},
                          Case{"graphic control in a disabled panel", false, true}}) {
        SCOPED_TRACE(c.Name);
        auto* panel = Place<TPanel>(10, 10, 200, 100);
        TControl* target = panel;
        if (!c.DisableTheTarget) {
            if (c.Graphic) {
                target = new TBlock(form);
                target->SetParent(panel);
                target->SetBounds(20, 20, 40, 40);
            } else {
                target = Place<TButton>(20, 20, 75, 25, panel);
            }
        }
        TMouseCounts onTarget(target), onPanel(panel), onForm(form);
        (c.DisableTheTarget ? target : static_cast<TControl*>(panel))->SetEnabled(false);
        Input::Click(target, 5, 5);
        Input::DoubleClick(target, 5, 5);
        Testing::MouseDown(target, 5, 5, mbRight);
        Testing::MouseUp(target, 5, 5, mbRight);
        EXPECT_EQ(onTarget.Total(), 0);
        EXPECT_EQ(onPanel.Total(), 0);
        EXPECT_EQ(onForm.Total(), 0);
        panel->Free();
    }
}

// The class library's rule for controls without a window: the parent takes the mouse of a disabled one.
TEST_F(DisabledInput, ADisabledGraphicControlLeavesTheMouseToItsEnabledParent) {
    auto* panel = Place<TPanel>(10, 10, 200, 100);
    auto* block = new TBlock(form);
    block->SetParent(panel);
    block->SetBounds(20, 20, 40, 40);
    block->SetEnabled(false);
    TMouseCounts onBlock(block), onPanel(panel);
    Input::Click(block, 5, 5);
    EXPECT_EQ(onBlock.Total(), 0);
    EXPECT_EQ(onPanel.Clicks.Count(), 1);
}

TEST_F(DisabledInput, DisablingTheControlThatHoldsTheCaptureEndsTheCaptureAndTheClick) {
    struct Case {
        const char* Name;
        bool DisableTheParent;
    };
    for (const Case& c : {Case{"the control", false}, Case{"its parent", true}}) {
        SCOPED_TRACE(c.Name);
        auto* panel = Place<TPanel>(10, 10, 200, 100);
        auto* swatch = Place<TSwatch>(20, 20, 60, 40, panel);
        swatch->Watched = {WM_CAPTURECHANGED};
        TMouseCounts onSwatch(swatch), onPanel(panel);
        Testing::MouseDown(swatch, 5, 5);
        ASSERT_TRUE(swatch->MouseCapture());
        (c.DisableTheParent ? static_cast<TControl*>(panel) : swatch)->SetEnabled(false);
        EXPECT_FALSE(swatch->MouseCapture());
        EXPECT_EQ(GetCaptureControl(), nullptr);
        EXPECT_EQ(swatch->Log, std::vector<UINT>{WM_CAPTURECHANGED});
        Testing::MouseUp(swatch, 5, 5);
        EXPECT_EQ(onSwatch.Clicks.Count(), 0);
        EXPECT_EQ(onSwatch.Ups.Count(), 0);
        EXPECT_EQ(onPanel.Total(), 0);
        panel->Free();
    }
}

}  // namespace
