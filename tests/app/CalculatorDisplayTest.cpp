// What the calculator window shows the user: derived fields from their first digit, and result lines
// even when the window is as small as it goes.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CalculatorWindow.h"
#include "ProgramStart.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

class CalculatorDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        Screen->SetMonitorsForTest({{Bounds(0, 0, 1280, 1024), {}, true}});
        CreateCalculatorWindow();
        Input::Show(Form1);
    }
    void TearDown() override {
        FreeAndNil(Form1);
        Screen->ResetMonitors();
    }

    // The window as it shows now.
    static std::unique_ptr<TBitmap> Window() {
        Input::Settle();
        return std::unique_ptr<TBitmap>(Testing::RenderControl(Form1));
    }

    // Where Control's client area sits in the window's picture.
    static TRect InWindow(TControl* Control) {
        const TPoint origin = Form1->ScreenToClient(Control->ClientToScreen(Point(0, 0)));
        return Bounds(origin.X, origin.Y, Control->ClientWidth(), Control->ClientHeight());
    }

    static std::vector<TColor> Pixels(TBitmap* Picture, const TRect& Area) {
        std::vector<TColor> pixels;
        for (Integer y = Area.Top; y < Area.Bottom; ++y)
            for (Integer x = Area.Left; x < Area.Right; ++x) pixels.push_back(Picture->Canvas()->Pixels(x, y));
        return pixels;
    }

    // Bands of consecutive rows of Area that hold a pixel of Ink: the text lines shown there.
    static int InkBands(TBitmap* Picture, const TRect& Area, TColor Ink) {
        int bands = 0;
        bool inBand = false;
        for (Integer y = Area.Top; y < Area.Bottom; ++y) {
            bool ink = false;
            for (Integer x = Area.Left; x < Area.Right && !ink; ++x) ink = Picture->Canvas()->Pixels(x, y) == Ink;
            if (ink && !inBand) ++bands;
            inBand = ink;
        }
        return bands;
    }
};

TEST_F(CalculatorDisplay, AHugeSizeInGigabytesLeavesTheDerivedFieldsShowingTheirFirstDigits) {
    Input::Click(Form1->Edit4);
    Input::Key(Form1->Edit4, 'A', {ssCtrl});
    Input::Type(Form1->Edit4, "99999999999999999999");
    const std::vector<TEdit*> derived{Form1->Edit3, Form1->Edit1, Form1->Edit5};
    std::vector<std::vector<TColor>> shown;
    auto window = Window();
    for (TEdit* field : derived) {
        ASSERT_GT(field->Text().size(), 30u) << field->Name();
        const TRect r = InWindow(field);
        shown.push_back(Pixels(window.get(), Bounds(r.Left, r.Top, 18, r.Bottom - r.Top)));
    }
    // Each field cut to its first characters looks the same at its left: the start is what showed.
    for (TEdit* field : derived) {
        field->OnChange = nullptr;
        field->SetText(field->Text().substr(0, 4));
    }
    window = Window();
    for (std::size_t i = 0; i < derived.size(); ++i) {
        SCOPED_TRACE(derived[i]->Name());
        const TRect r = InWindow(derived[i]);
        EXPECT_EQ(Pixels(window.get(), Bounds(r.Left, r.Top, 18, r.Bottom - r.Top)), shown[i]);
    }
}

TEST_F(CalculatorDisplay, AtItsSmallestTheWindowStillShowsResultLines) {
    Input::Click(Form1->Memo1);
    for (const char* line : {"100", "200", "300", "400", "500"}) {
        Input::Type(Form1->Memo1, line);
        Input::Key(Form1->Memo1, VK_RETURN);
    }
    ASSERT_EQ(Form1->Memo2->Lines()->Count(), 5);
    Form1->SetBounds(Form1->Left(), Form1->Top(), 1, 1);
    auto window = Window();
    const TRect list = InWindow(Form1->Memo2);
    // The lines' text, left of the vertical scroll bar and above the horizontal one.
    const TRect text{list.Left + 2, list.Top + 2, list.Right - 20, list.Bottom - 20};
    EXPECT_GE(InkBands(window.get(), text, clBlack), 3);
}

}  // namespace
