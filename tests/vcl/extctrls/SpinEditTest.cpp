#include "ExtCtrlsFixture.h"
#include "support/EventCounter.h"
#include "vcl/Clock.h"
#include "vcl/Windows.h"

namespace {

class SpinEditTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        spin = Place<TSpinEdit>(10, 10, 80, 24);
        changes.Hook(spin->OnChange);
    }
    // A click on the text, left of the button.
    void ClickText() { Testing::Click(spin, 5, spin->Height() / 2); }
    // The middle of the upper or lower half of the spin edit's button.
    void ClickHalf(bool Up) {
        TSpinButton* button = spin->Button();
        Testing::Click(button, button->Width() / 2, Up ? 3 : button->Height() - 4);
    }
    TTestClock clock;
    TManualTimerService timers{clock};
    TSpinEdit* spin = nullptr;
    EventCounter changes;
};

TEST_F(SpinEditTest, UpAndDownKeysStepByIncrementWithinTheLimits) {
    spin->SetMinValue(-2);
    spin->SetMaxValue(7);
    spin->SetIncrement(3);
    ClickText();
    struct Step {
        Word Key;
        Integer Expected;
        int Changes;
    };
    const Step steps[] = {{VK_UP, 3, 1},   {VK_UP, 6, 2},   {VK_UP, 7, 3},    {VK_UP, 7, 3},
                          {VK_DOWN, 4, 4}, {VK_DOWN, 1, 5}, {VK_DOWN, -2, 6}, {VK_DOWN, -2, 6}};
    for (const Step& step : steps) {
        Testing::KeyPress(spin, step.Key);
        EXPECT_EQ(spin->Value(), step.Expected);
        EXPECT_EQ(changes.Count(), step.Changes) << "after stepping to " << step.Expected;
    }
    EXPECT_EQ(Testing::PeerText(spin), "-2");
}

TEST_F(SpinEditTest, ClicksOnTheButtonHalvesStepAndFocusTheEdit) {
    spin->SetValue(10);
    changes.Reset();
    ClickHalf(true);
    ClickHalf(true);
    EXPECT_EQ(spin->Value(), 12);
    ClickHalf(false);
    EXPECT_EQ(spin->Value(), 11);
    EXPECT_EQ(changes.Count(), 3);
    EXPECT_TRUE(spin->Focused());
}

TEST_F(SpinEditTest, EqualLimitsMeanNoLimitsAndStepsStopAtTheIntegerRange) {
    spin->SetValue(-5000);
    EXPECT_EQ(spin->Value(), -5000);
    spin->SetText("2147483646");
    spin->SetIncrement(10);
    ClickText();
    Testing::KeyPress(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "2147483647");
}

TEST_F(SpinEditTest, TextThatIsNoNumberReadsAsMinValueAndStepsFromThere) {
    spin->SetMinValue(4);
    spin->SetMaxValue(9);
    for (const char* text : {"", "abc", "5.5", "99999999999"}) {
        spin->SetText(text);
        EXPECT_EQ(spin->Value(), 4) << text;
    }
    ClickText();
    Testing::KeyPress(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "5");
}

TEST_F(SpinEditTest, TypingTakesDigitsAndSignsOnly) {
    spin->SetText("");
    ClickText();
    Testing::ResetMessageBeepCount();
    Testing::TypeText(spin, "-1a2x");
    EXPECT_EQ(Testing::MessageBeepCount(), 2u);  // 'a' and 'x'
    EXPECT_EQ(spin->Text(), "-12");
    EXPECT_EQ(Testing::PeerText(spin), "-12");
    EXPECT_EQ(spin->Value(), -12);
    EXPECT_EQ(changes.Count(), 4);  // cleared, '-', '1', '2'
}

TEST_F(SpinEditTest, WithoutTheEditorTypingChangesNothingButStepsStillWork) {
    spin->SetEditorEnabled(false);
    spin->SetValue(3);
    changes.Reset();
    ClickText();
    Testing::TypeText(spin, "7");
    Testing::KeyPress(spin, VK_BACK);
    Testing::KeyPress(spin, VK_END);
    Testing::KeyPress(spin, VK_DELETE);
    EXPECT_EQ(spin->Text(), "3");
    EXPECT_EQ(changes.Count(), 0);
    Testing::KeyPress(spin, VK_UP);
    EXPECT_EQ(spin->Value(), 4);
}

TEST_F(SpinEditTest, AReadOnlySpinEditDoesNotStep) {
    spin->SetReadOnly(true);
    Testing::KeyPress(spin, VK_UP);
    Testing::ResetMessageBeepCount();
    ClickHalf(true);
    EXPECT_EQ(Testing::MessageBeepCount(), 1u);
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(changes.Count(), 0);
}

TEST_F(SpinEditTest, LeavingWithATypedValueBeyondTheLimitsClampsIt) {
    auto* other = Place<TEdit>(10, 60, 80, 24);
    spin->SetMaxValue(50);
    spin->SetText("");
    ClickText();
    Testing::TypeText(spin, "75");
    EXPECT_EQ(spin->Value(), 75);  // limits apply to stepping and setting, not to typing
    Testing::Click(other);
    EXPECT_EQ(spin->Text(), "50");
}

TEST_F(SpinEditTest, TheButtonSitsAtTheRightEdgeAndFollowsTheSize) {
    TSpinButton* button = spin->Button();
    EXPECT_EQ(button->Parent(), spin);
    EXPECT_EQ(button->Left() + button->Width(), spin->Width() - 2);
    spin->SetWidth(120);
    EXPECT_EQ(button->Left() + button->Width(), 118);
}

TEST_F(SpinEditTest, AFormDescriptionSetsTheLimitsBeforeTheValue) {
    ReadComponentFromText(R"(object Form1: TForm
  object SpinEdit1: TSpinEdit
    Left = 8
    Top = 8
    Width = 60
    Increment = 5
    MaxValue = 100
    MinValue = 10
    Value = 150
    Color = clBtnFace
    Ctl3D = False
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TSpinEdit*>(form->FindComponent("SpinEdit1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Value(), 100);
    EXPECT_EQ(loaded->Increment(), 5);
    EXPECT_EQ(loaded->Color(), clBtnFace);
    EXPECT_FALSE(loaded->Ctl3D());
}

}  // namespace
