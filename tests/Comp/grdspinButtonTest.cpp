// The spin edit's buttons as a user meets them: where they sit, how they repeat while held, and how they
// look classic and themed, cold, hot and pressed.
#include <memory>
#include <vector>

#include "GridUnitFixture.h"
#include "grdspin.h"
#include "support/InputSimulator.h"
#include "vcl/Clock.h"
#include "vcl/UxTheme.h"
#include "vcl/Windows.h"

using namespace grdspin;

namespace {

class GrdSpinButtonTest : public GridUnitFixture {
protected:
    TGrdSpinEdit* Spin(Integer Top = 10) {
        auto* spin = Place<TGrdSpinEdit>(10, Top, 120, 24);
        spin->SetAutoSize(false);
        spin->SetHeight(24);
        Input::Settle();
        return spin;
    }

    static TRect FormatRect(TCustomEdit* Edit) {
        TRect r{};
        Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // The window's pixels over Control, row by row.
    std::vector<COLORREF> Image(TControl* Control) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TPoint origin = form->ScreenToClient(Control->ClientToScreen(Point(0, 0)));
        std::vector<COLORREF> image;
        for (Integer y = 0; y < Control->Height(); ++y)
            for (Integer x = 0; x < Control->Width(); ++x)
                image.push_back(ColorToRGB(window->Canvas()->Pixels(origin.X + x, origin.Y + y)));
        return image;
    }

    // Where Control shows Colour.
    std::vector<TPoint> PixelsOf(TControl* Control, TColor Colour) {
        const std::vector<COLORREF> image = Image(Control);
        std::vector<TPoint> found;
        for (std::size_t i = 0; i < image.size(); ++i)
            if (image[i] == ColorToRGB(Colour))
                found.push_back(
                    Point(static_cast<Integer>(i) % Control->Width(), static_cast<Integer>(i) / Control->Width()));
        return found;
    }
};

TEST_F(GrdSpinButtonTest, TheButtonsSitAtTheRightEdgeByBorderLookAndDirection) {
    struct Case {
        const char* what;
        bool ctl3D;
        TBorderStyle border;
        TSpinDirection direction;
        TRect button;  // in the edit's coordinates
        TRect up, down;
        TRect format;
    };
    // 120 x 24: the sunken border leaves a 116 x 20 client area, the classic line 118 x 22.
    const std::vector<Case> cases{
        {"sunken", true, bsSingle, spVertical, Rect(100, 0, 115, 19), Rect(0, 0, 15, 9), Rect(0, 8, 15, 19),
         Rect(0, 0, 116 - 17, 21)},
        {"no border", true, bsNone, spVertical, Rect(104, 0, 119, 23), Rect(0, 0, 15, 11), Rect(0, 10, 15, 23),
         Rect(1, 1, 120 - 18, 25)},
        {"classic", false, bsSingle, spVertical, Rect(105, 1, 120, 22), Rect(0, 0, 15, 10), Rect(0, 9, 15, 21),
         Rect(0, 0, 118 - 17, 23)},
        {"horizontal", true, bsSingle, spHorizontal, Rect(95, 0, 115, 19), Rect(10, 0, 20, 19), Rect(0, 0, 10, 19),
         Rect(0, 0, 116 - 22, 21)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGrdSpinEdit* spin = Spin();
        spin->SetCtl3D(c.ctl3D);
        spin->SetBorderStyle(c.border);
        spin->SetDirection(c.direction);
        Input::Settle();
        TGrdSpinButton* button = spin->Button();
        EXPECT_EQ(button->BoundsRect(), c.button);
        EXPECT_EQ(button->UpButton()->BoundsRect(), c.up);
        EXPECT_EQ(button->DownButton()->BoundsRect(), c.down);
        EXPECT_EQ(FormatRect(spin), c.format);
        spin->Free();
    }
}

TEST_F(GrdSpinButtonTest, TheEditNeverGetsLowerThanItsMinimumHeight) {
    TGrdSpinEdit* spin = Spin();
    const Integer framed = spin->MinHeight();
    spin->SetHeight(5);
    EXPECT_EQ(spin->Height(), framed);
    spin->SetHeight(framed + 7);
    EXPECT_EQ(spin->Height(), framed + 7);
    spin->SetBorderStyle(bsNone);
    EXPECT_EQ(spin->MinHeight(), framed - 4 * GetSystemMetrics(SM_CYBORDER));
    spin->SetHeight(5);
    EXPECT_EQ(spin->Height(), spin->MinHeight());
    spin->Font()->SetSize(20);
    EXPECT_GT(spin->MinHeight(), framed + 10);
}

TEST_F(GrdSpinButtonTest, HoldingAButtonRepeatsAfter400MsThenEvery100Ms) {
    TTestClock clock;
    TManualTimerService timers(clock);
    TGrdSpinEdit* spin = Spin();
    spin->SetMaxValue(0);
    spin->SetValue(10);
    TProTimerSpeedButton* up = spin->Button()->UpButton();
    Testing::MouseDown(up, 5, 4);
    struct Step {
        UInt64 advance;
        Integer value;
    };
    for (const Step& s : {Step{399, 10}, Step{1, 11}, Step{99, 11}, Step{1, 12}, Step{300, 15}}) {
        timers.Advance(s.advance);
        Input::Settle();
        EXPECT_EQ(spin->Value(), s.value) << "at " << clock.TickCount();
    }
    // Off the button nothing repeats; back on, it goes on; the release over it clicks once more.
    Testing::MouseMove(up, 5, 40, TShiftState{ssLeft});
    timers.Advance(300);
    EXPECT_EQ(spin->Value(), 15);
    Testing::MouseMove(up, 5, 4, TShiftState{ssLeft});
    timers.Advance(100);
    EXPECT_EQ(spin->Value(), 16);
    Testing::MouseUp(up, 5, 4);
    EXPECT_EQ(spin->Value(), 17);
    timers.Advance(1000);
    EXPECT_EQ(spin->Value(), 17);
    EXPECT_TRUE(spin->Focused());
}

TEST_F(GrdSpinButtonTest, AFocusableSpinButtonTakesSpaceAndTheArrowKeys) {
    auto* button = Place<TGrdSpinButton>(10, 60, 15, 30);
    button->SetTabStop(true);
    int ups = 0, downs = 0;
    button->OnUpClick = Counter(ups);
    button->OnDownClick = Counter(downs);
    EXPECT_EQ(button->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    Input::Click(button->DownButton());
    EXPECT_TRUE(button->Focused());
    EXPECT_EQ(button->FocusedButton(), button->DownButton());
    EXPECT_TRUE(button->DownButton()->TimeBtnState() & tbFocusRect);
    Input::Key(button, VK_SPACE);
    Input::Key(button, VK_UP);
    Input::Key(button, VK_SPACE);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(button->FocusedButton(), button->UpButton());
    EXPECT_FALSE(button->DownButton()->TimeBtnState() & tbFocusRect);
    EXPECT_TRUE(button->UpButton()->TimeBtnState() & tbFocusRect);
}

// The classic up and down buttons show the glyphs; themed, the "spin" parts replace them, and the hot and
// pressed states show.
TEST_F(GrdSpinButtonTest, TheButtonsPaintClassicOrThemedColdHotAndPressed) {
    TGrdSpinEdit* spin = Spin();
    TProTimerSpeedButton* up = spin->Button()->UpButton();
    TProTimerSpeedButton* down = spin->Button()->DownButton();
    const std::vector<TPoint> upArrow = PixelsOf(up, clBlack);
    const std::vector<TPoint> downArrow = PixelsOf(down, clBlack);
    ASSERT_EQ(upArrow.size(), 16u);  // the 7 x 4 arrow of "GrdSpinUp"
    ASSERT_EQ(downArrow.size(), 16u);
    EXPECT_LT(upArrow.front().Y, upArrow.back().Y);  // the point at the top
    EXPECT_GT(downArrow.front().Y, downArrow.back().Y - 4);
    const std::vector<COLORREF> classic = Image(up);
    Testing::MouseDown(up, 5, 4);
    const std::vector<TPoint> pressedArrow = PixelsOf(up, clBlack);
    ASSERT_EQ(pressedArrow.size(), 16u);
    EXPECT_EQ(pressedArrow.front().X, upArrow.front().X + 1);
    Testing::MouseUp(up, 5, 4);
    Testing::MouseMove(spin, 5, 5);

    spin->SetIsWinXP(true);
    EXPECT_TRUE(up->IsWinXP());
    const std::vector<COLORREF> themed = Image(up);
    EXPECT_NE(themed, classic);
    EXPECT_EQ(Image(spin->Button()->UpButton()), themed);
    Testing::MouseMove(up, 5, 4);
    EXPECT_TRUE(up->Hot());
    const std::vector<COLORREF> hot = Image(up);
    EXPECT_NE(hot, themed);
    Testing::MouseDown(up, 5, 4);
    const std::vector<COLORREF> pressed = Image(up);
    EXPECT_NE(pressed, hot);
    EXPECT_NE(pressed, themed);
    Testing::MouseUp(up, 5, 4);
    Testing::MouseMove(spin, 5, 5);
    EXPECT_FALSE(up->Hot());
    EXPECT_EQ(Image(up), themed);
    EXPECT_NE(Image(down), themed);  // the down part

    // Without visual styles the flag falls back to the classic look.
    SetThemesActiveForTest(false);
    up->Invalidate();
    EXPECT_EQ(Image(up), classic);
    SetThemesActiveForTest(true);
}

TEST_F(GrdSpinButtonTest, AHorizontalSpinDrawsLeftAndRightArrows) {
    TGrdSpinEdit* spin = Spin();
    spin->SetDirection(spHorizontal);
    TProTimerSpeedButton* right = spin->Button()->UpButton();
    TProTimerSpeedButton* left = spin->Button()->DownButton();
    EXPECT_EQ(right->ArrowDirection(), adRight);
    EXPECT_EQ(left->ArrowDirection(), adLeft);
    const std::vector<TPoint> rightArrow = PixelsOf(right, clBtnText);
    const std::vector<TPoint> leftArrow = PixelsOf(left, clBtnText);
    ASSERT_FALSE(rightArrow.empty());
    ASSERT_EQ(leftArrow.size(), rightArrow.size());
    spin->SetValue(5);
    Input::Click(right);
    Input::Click(right);
    Input::Click(left);
    EXPECT_EQ(spin->Value(), 6);
}

}  // namespace
