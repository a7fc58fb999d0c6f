#include "ExtCtrlsFixture.h"

namespace {

class SpinButtonTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        spin = Place<TSpinButton>(10, 10, 20, 24);
        spin->OnUpClick = Counter(ups);
        spin->OnDownClick = Counter(downs);
    }
    TTestClock clock;
    TManualTimerService timers{clock};
    TSpinButton* spin = nullptr;
    int ups = 0, downs = 0;
};

TEST_F(SpinButtonTest, AClickOnAHalfFiresItsEventOnce) {
    Testing::Click(spin, 10, 4);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 0);
    Testing::Click(spin, 10, 20);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 1);
}

TEST_F(SpinButtonTest, HoldingRepeatsAfter400MsThenEvery100Ms) {
    Testing::MouseDown(spin, 10, 4);
    EXPECT_EQ(spin->PressedHalf(), shUp);
    timers.Advance(399);
    EXPECT_EQ(ups, 0);
    timers.Advance(1);
    EXPECT_EQ(ups, 1);
    timers.Advance(99);
    EXPECT_EQ(ups, 1);
    timers.Advance(1);
    EXPECT_EQ(ups, 2);
    timers.Advance(250);
    EXPECT_EQ(ups, 4);
    Testing::MouseUp(spin, 10, 4);  // the release over the half is the last click
    EXPECT_EQ(ups, 5);
    timers.Advance(1000);
    EXPECT_EQ(ups, 5);
    EXPECT_EQ(downs, 0);
}

TEST_F(SpinButtonTest, MovingOffTheHalfPausesRepeatsAndReleasingThereDoesNotClick) {
    Testing::MouseDown(spin, 10, 20);
    Testing::MouseMove(spin, 10, 4);  // over the other half
    timers.Advance(1000);
    EXPECT_EQ(downs, 0);
    Testing::MouseUp(spin, 10, 4);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(ups, 0);
}

TEST_F(SpinButtonTest, ADisabledSpinButtonIgnoresClicksAndHolding) {
    spin->SetEnabled(false);
    Testing::Click(spin, 10, 4);
    Testing::MouseDown(spin, 10, 20);
    timers.Advance(1000);
    Testing::MouseUp(spin, 10, 20);
    EXPECT_EQ(ups, 0);
    EXPECT_EQ(downs, 0);
}

TEST_F(SpinButtonTest, ClickingFocusesTheFocusControl) {
    auto* edit = Place<TEdit>(40, 10, 80, 21);
    auto* other = Place<TEdit>(40, 40, 80, 21);
    Testing::Click(other);
    spin->SetFocusControl(edit);
    Testing::Click(spin, 10, 4);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(ups, 1);
    edit->Free();  // the spin button forgets it
    EXPECT_EQ(spin->FocusControl(), nullptr);
}

TEST_F(SpinButtonTest, DefaultGlyphsArePaintedInBothHalves) {
    EXPECT_FALSE(spin->UpGlyph()->Empty());
    EXPECT_FALSE(spin->DownGlyph()->Empty());
    auto image = Render(spin);
    auto darkPixels = [&](Integer top, Integer bottom) {
        int count = 0;
        for (Integer y = top + 2; y < bottom - 2; ++y)
            for (Integer x = 2; x < 18; ++x)
                if (PixelOf(image.get(), x, y) != Rgb(clBtnFace) && PixelOf(image.get(), x, y) != Rgb(clBtnHighlight))
                    ++count;
        return count;
    };
    EXPECT_GT(darkPixels(0, 12), 0);
    EXPECT_GT(darkPixels(12, 24), 0);
}

}  // namespace
