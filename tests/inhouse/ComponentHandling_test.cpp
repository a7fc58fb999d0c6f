// The control helpers over real controls on a shown form: enabled state and look, fitting a window to its
// monitor, panel styles and frames, quiet resizing, resize hooks, children and the modifier keys.
#include <gtest/gtest.h>

#include "ComponentHandling.h"
#include "GradBtn.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "valstr.h"

using namespace ComponentHandling;

namespace {

using EnabledLook = FormFixture;

TEST_F(EnabledLook, OnlyACheckedEnabledChoiceCounts) {
    auto* radio = Place<TRadioButton>(8, 8, 100, 17);
    auto* check = Place<TCheckBox>(8, 30, 100, 17);
    auto* edit = Place<TEdit>(8, 60, 100, 21);
    struct Case {
        bool Checked, Enabled, Counts;
    };
    for (Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
        radio->SetChecked(c.Checked);
        radio->SetEnabled(c.Enabled);
        check->SetChecked(c.Checked);
        check->SetEnabled(c.Enabled);
        EXPECT_EQ(IsCheckedAndEnabled(radio), c.Counts);
        EXPECT_EQ(IsCheckedAndEnabled(check), c.Counts);
        EnableByCheck(edit, radio);
        EXPECT_EQ(edit->Enabled(), c.Counts);
    }
    EXPECT_TRUE(IsCheckedAndEnabled(edit) == edit->Enabled());
}

TEST_F(EnabledLook, SetEnabledGetOldReportsThePreviousStateAndIgnoresNil) {
    auto* edit = Place<TEdit>(8, 8, 100, 21);
    struct Case {
        bool Before, Requested;
    };
    for (Case c : {Case{true, false}, Case{false, true}, Case{true, true}, Case{false, false}}) {
        edit->SetEnabled(c.Before);
        bool was = !c.Before;
        SetEnabledGetOld(edit, c.Requested, was);
        EXPECT_EQ(was, c.Before);
        EXPECT_EQ(edit->Enabled(), c.Requested);
    }
    bool untouched = true;
    SetEnabledGetOld(nullptr, false, untouched);
    EXPECT_TRUE(untouched);
    SetControlEnabled(nullptr, false);
    SetControlEnabled(edit, true);
    EXPECT_TRUE(edit->Enabled());
}

TEST_F(EnabledLook, DisabledControlsTakeTheFormColourTwoShadesDarker) {
    auto* panel = Place<TPanel>(0, 0, 200, 200);
    auto* plain = Place<TEdit>(8, 8, 100, 21, panel);
    auto* folder = Place<TEdit>(8, 40, 100, 21, panel);
    folder->SetName("EditFolder1");
    auto* spin = Place<TSpinButton>(120, 8, 17, 20, panel);
    folder->SetColor(clYellow);  // the colour a folder field's validation gave it
    spin->SetEnabled(false);
    ApplyEnabledLookForm(form);
    EXPECT_EQ(plain->Color(), clWindow);
    EXPECT_EQ(folder->Color(), clYellow);  // an enabled folder field keeps its colour
    EXPECT_FALSE(spin->Visible());

    plain->SetEnabled(false);
    folder->SetEnabled(false);
    ApplyEnabledLookForm(form);
    const TColor disabled = valstr::DarkerColor(valstr::DarkerColor(panel->Color(), 1.0), 1.0);
    EXPECT_EQ(plain->Color(), disabled);
    EXPECT_EQ(folder->Color(), disabled);
    EXPECT_EQ(plain->BorderStyle(), bsSingle);
}

TEST_F(EnabledLook, EachControlClassShowsItsState) {
    auto* spinEdit = Place<TSpinEdit>(8, 8, 80, 21);
    auto* mask = Place<TMaskEdit>(8, 40, 80, 21);
    auto* track = Place<TTrackBar>(8, 70, 150, 30);
    auto* grid = Place<TStringGrid>(8, 110, 150, 80);
    auto* combo = Place<TComboBox>(200, 8, 100, 21);
    auto* check = Place<TCheckBox>(200, 40, 100, 17);
    auto* button = Place<GradBtn::TGradBtn>(200, 70, 75, 25);
    mask->SetBorderStyle(bsNone);
    const TColor disabledColor = 0x123456;
    for (bool enabled : {false, true}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        for (TControl* c : std::initializer_list<TControl*>{spinEdit, mask, track, grid, combo, check, button}) {
            c->SetEnabled(enabled);
            ApplyEnabledLook(c, disabledColor);
        }
        const TColor expected = enabled ? clWindow : disabledColor;
        EXPECT_EQ(spinEdit->Color(), expected);
        EXPECT_EQ(spinEdit->Ctl3D(), enabled);
        EXPECT_EQ(mask->Color(), expected);
        EXPECT_EQ(mask->BorderStyle(), bsSingle);
        EXPECT_EQ(mask->Ctl3D(), enabled);
        EXPECT_EQ(track->SliderVisible(), enabled);
        EXPECT_EQ(grid->Color(), expected);
        EXPECT_EQ(combo->Color(), expected);
        EXPECT_EQ(combo->Ctl3D(), enabled);
        EXPECT_EQ(check->Ctl3D(), enabled);
        if (enabled) {
            EXPECT_TRUE(check->ParentColor());
            EXPECT_EQ(check->Color(), form->Color());
            EXPECT_EQ(button->BeginColor(), disabledColor);
            EXPECT_EQ(button->EndColor(), TColor(0xFFFFFF));
            EXPECT_EQ(button->Font()->Style(), TFontStyles{fsBold});
        } else {
            EXPECT_EQ(check->Color(), disabledColor);
            EXPECT_EQ(button->BeginColor(), TColor(0xC0C0C0));
            EXPECT_EQ(button->EndColor(), TColor(0x808080));
            EXPECT_EQ(button->Font()->Style(), TFontStyles{});
        }
    }
}

// --- Windows on their monitor

class FitToMonitor : public FormFixture {
protected:
    void TearDown() override {
        Screen->ResetMonitors();
        Application->SetHintHidePause(hintHidePause);
        FormFixture::TearDown();
    }
    Integer hintHidePause = Application->HintHidePause();
};

TMonitorSpec Monitor(Integer Left, Integer Width, Integer Height, bool Primary = false) {
    return {Rect(Left, 0, Left + Width, Height), {}, Primary};
}

TEST_F(FitToMonitor, TheFormTakesTheChosenMonitorLessMarginsAndIsCentredOnTheScreen) {
    struct Case {
        const char* Name;
        std::vector<TMonitorSpec> Monitors;
        Integer Width, Height, Left, Top;
    };
    const Case cases[] = {
        {"a four-to-one single screen counts as three", {Monitor(0, 5760, 1440, true)}, 1880, 1360, 1940, 20},
        {"one ordinary screen", {Monitor(0, 1920, 1080, true)}, 1880, 1000, 20, 20},
        {"two: the primary one", {Monitor(0, 1280, 1024), Monitor(1280, 1600, 1200, true)}, 1560, 1120, 20, 20},
        {"two wide ones are not divided", {Monitor(0, 5760, 1440, true), Monitor(5760, 800, 600)}, 5720, 1360, 20, 20},
        {"three: the middle one",
         {Monitor(0, 1024, 768, true), Monitor(1024, 1600, 900), Monitor(2624, 1920, 1080)},
         1560,
         820,
         (1024 - 1560) / 2,
         (768 - 40 - 820) / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Screen->SetMonitorsForTest(c.Monitors);
        form->SetPosition(poScreenCenter);
        SizeFormToMonitor(form, false);
        EXPECT_EQ(form->Width(), c.Width);
        EXPECT_EQ(form->Height(), c.Height);
        EXPECT_EQ(form->Left(), c.Left);
        EXPECT_EQ(form->Top(), c.Top);
        EXPECT_EQ(form->Position(), poDesigned);
    }
}

TEST_F(FitToMonitor, KeepMinWidthTakesTheMinimumOrKeepsTheWidthWithoutOne) {
    Screen->SetMonitorsForTest({Monitor(0, 1920, 1080, true)});
    form->SetWidth(500);
    SizeFormToMonitor(form, true);
    EXPECT_EQ(form->Width(), 500);
    EXPECT_EQ(form->Height(), 1000);
    form->Constraints()->SetMinWidth(700);
    SizeFormToMonitor(form, true);
    EXPECT_EQ(form->Width(), 700);
}

TEST_F(FitToMonitor, FitFormToScreenFiresOnResizeOnceAndSetsTheWindowUp) {
    Screen->SetMonitorsForTest({Monitor(0, 1920, 1080, true)});
    EventCounter resized;
    resized.Hook(form->OnResize);
    form->SetDoubleBuffered(true);
    form->SetAutoScroll(true);
    FitFormToScreen(form, false);
    EXPECT_EQ(resized.Count(), 1);
    EXPECT_EQ(resized.LastSender(), nullptr);
    EXPECT_EQ(Application->HintHidePause(), 1000000);
    EXPECT_FALSE(form->DoubleBuffered());
    EXPECT_FALSE(form->AutoScroll());
    EXPECT_EQ(form->Width(), 1880);
}

// --- Panels and frames

using PanelsAndFrames = FormFixture;

TEST_F(PanelsAndFrames, PanelStylesSetBevelsBorderAndCtl3D) {
    struct Case {
        Integer Style;
        TPanelBevel Inner, Outer;
        TBorderStyle Border;
        bool Ctl3D;
    };
    const Case cases[] = {
        {0, bvNone, bvNone, bsSingle, false},    {1, bvNone, bvRaised, bsNone, true},
        {2, bvLowered, bvRaised, bsNone, true},  {3, bvNone, bvLowered, bsNone, true},
        {4, bvNone, bvRaised, bsSingle, false},  {5, bvNone, bvRaised, bsSingle, false},  // unknown: unchanged
        {-1, bvNone, bvRaised, bsSingle, false},
    };
    auto* panel = Place<TPanel>(0, 0, 100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Style);
        SetPanelStyle(panel, c.Style);
        EXPECT_EQ(panel->BevelInner(), c.Inner);
        EXPECT_EQ(panel->BevelOuter(), c.Outer);
        EXPECT_EQ(panel->BorderStyle(), c.Border);
        EXPECT_EQ(panel->Ctl3D(), c.Ctl3D);
    }
}

TEST_F(PanelsAndFrames, PanelFrameCountsBevelsBorderAndBorderWidth) {
    struct Case {
        Integer Style;
        bool IncludeBorder;
        Integer Frame;
    };
    // BevelWidth 2 and BorderWidth 3 throughout.
    const Case cases[] = {
        {0, true, 10}, {0, false, 6}, {1, true, 10}, {2, true, 14}, {3, false, 10}, {4, true, 14}, {4, false, 10},
    };
    auto* panel = Place<TPanel>(0, 0, 120, 80);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.Style << " border " << c.IncludeBorder);
        SetPanelStyle(panel, c.Style);
        EXPECT_EQ(GetFrameWidth(panel, c.IncludeBorder), c.Frame);
        EXPECT_EQ(GetFrameHeight(panel, c.IncludeBorder), c.Frame);
    }
}

// A window whose frame is thicker at the top and bottom than at the sides.
class TTallFrame : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    TRect ClientInsets() const override { return {1, 10, 1, 10}; }
};

TEST_F(PanelsAndFrames, FormAndOtherControlFramesComeFromTheirClientArea) {
    auto* tall = Place<TTallFrame>(0, 0, 100, 100);
    EXPECT_EQ(GetFrameWidth(tall, true), 2);
    EXPECT_EQ(GetFrameHeight(tall, true), 20);

    form->SetBorderStyle(bsNone);
    form->SetBorderWidth(3);
    EXPECT_EQ(GetFrameWidth(form, false), 12);
    EXPECT_EQ(GetFrameHeight(form, false), 12);
    form->SetBorderStyle(bsSizeable);
    EXPECT_GT(GetFrameHeight(form, false), GetFrameWidth(form, false));  // the caption counts in the height
}

// --- Quiet resizing

class QuietResize : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        panel = Place<TPanel>(10, 10, 100, 80);
        resized.Hook(panel->OnResize);
    }
    TPanel* panel = nullptr;
    EventCounter resized;
};

TEST_F(QuietResize, OnResizeFiresOnceOnlyWhenAskedAndTheSizeChanged) {
    struct Case {
        const char* Name;
        Integer Width, Height, Top, Left;
        bool Fire;
        bool Changed;
        Integer ExpectWidth, ExpectHeight, Firings;
    };
    const Case cases[] = {
        {"new size, event asked", 150, 90, 10, 10, true, true, 150, 90, 1},
        {"new size, no event", 120, 70, 10, 10, false, true, 120, 70, 0},
        {"moved in both directions only", 100, 80, 30, 40, true, false, 100, 80, 0},
        {"width below the minimum stays", 50, 80, 10, 10, true, false, 100, 80, 0},
        {"height below the minimum stays, width changes", 140, 20, 10, 10, true, true, 140, 80, 1},
    };
    panel->Constraints()->SetMinWidth(60);
    panel->Constraints()->SetMinHeight(40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        panel->SetBounds(10, 10, 100, 80);
        resized.Reset();
        EXPECT_EQ(SetBoundsQuiet(panel, c.Width, c.Height, c.Top, c.Left, c.Fire), c.Changed);
        EXPECT_EQ(panel->Width(), c.ExpectWidth);
        EXPECT_EQ(panel->Height(), c.ExpectHeight);
        EXPECT_EQ(panel->Top(), c.Top);
        EXPECT_EQ(panel->Left(), c.Left);
        EXPECT_TRUE(panel->Visible());
        EXPECT_EQ(resized.Count(), c.Firings);
        if (c.Firings) {
            EXPECT_EQ(resized.LastSender(), nullptr);
        }
    }
    resized.Reset();
    panel->SetWidth(200);  // the handler is back in place
    EXPECT_EQ(resized.Count(), 1);
}

TEST_F(QuietResize, AResizeHandlerThatFreesItsControlEndsTheQuietResizeCleanly) {
    panel->OnResize = [this](TObject*) { FreeAndNil(panel); };
    EXPECT_TRUE(SetSizeQuiet(panel, 150, 90, true));
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(QuietResize, AHiddenControlStaysHiddenAfterAMove) {
    panel->SetVisible(false);
    SetBoundsQuiet(panel, 100, 80, 50, 60, true);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(panel->Left(), 60);
}

TEST_F(QuietResize, StretchReachesTheParentEdgesLessTheMargin) {
    auto* inner = Place<TPanel>(5, 7, 20, 20, panel);
    EventCounter innerResized;
    innerResized.Hook(inner->OnResize);
    EXPECT_TRUE(StretchToParent(inner, 8, true));
    EXPECT_EQ(inner->Left() + inner->Width(), panel->ClientWidth() - 8);
    EXPECT_EQ(inner->Top() + inner->Height(), panel->ClientHeight() - 8);
    EXPECT_EQ(innerResized.Count(), 1);
    EXPECT_FALSE(StretchToParent(inner, 8, true));
    EXPECT_EQ(innerResized.Count(), 1);
    auto* orphan = new TPanel(form);
    EXPECT_FALSE(StretchToParent(orphan, 0, true));
}

TEST_F(QuietResize, RaisingTheMinimumGrowsTheControlQuietly) {
    struct Case {
        bool Height;
        Integer Value;
        bool Fire;
        Integer Size, Firings;
    };
    const Case cases[] = {
        {false, 150, true, 150, 1}, {false, 160, false, 160, 0}, {false, 50, true, 160, 0},
        {true, 120, true, 120, 1},  {true, 30, true, 120, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.Height ? "height " : "width ") << c.Value);
        resized.Reset();
        if (c.Height) {
            SetMinHeightQuiet(panel, c.Value, c.Fire);
            EXPECT_EQ(panel->Constraints()->MinHeight(), c.Value);
            EXPECT_EQ(panel->Height(), c.Size);
        } else {
            SetMinWidthQuiet(panel, c.Value, c.Fire);
            EXPECT_EQ(panel->Constraints()->MinWidth(), c.Value);
            EXPECT_EQ(panel->Width(), c.Size);
        }
        EXPECT_EQ(resized.Count(), c.Firings);
    }
}

TEST_F(QuietResize, HooksReplaceTheHandlerOfFormsAndPanelsOnly) {
    int hooked = 0;
    TNotifyEvent saved;
    form->SetAutoSize(true);
    form->SetAutoScroll(true);
    HookFormOnResize(form, saved, Counter(hooked));
    EXPECT_FALSE(saved);
    EXPECT_FALSE(form->AutoSize());
    EXPECT_FALSE(form->AutoScroll());

    HookPanelOnResize(panel, saved, Counter(hooked));
    ASSERT_TRUE(saved);
    panel->SetWidth(130);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(resized.Count(), 0);
    saved(panel);  // the saved handler is the old one
    EXPECT_EQ(resized.Count(), 1);

    auto* edit = Place<TEdit>(8, 8, 100, 21);
    int editResized = 0;
    edit->OnResize = Counter(editResized);
    HookOnResize(edit, saved, Counter(hooked));
    EXPECT_FALSE(saved);
    TNotifyEvent current;
    GetOnResize(edit, current);
    EXPECT_FALSE(current);
    edit->SetWidth(120);
    EXPECT_EQ(editResized, 1);
}

// --- Children

using Children = FormFixture;

TEST_F(Children, IndexOfChildByPrefixIgnoresCaseAndRefusesAnEmptyPrefix) {
    auto* panel = Place<TPanel>(0, 0, 300, 200);
    Place<TLabel>(0, 0, 50, 13, panel)->SetName("Label1");
    Place<TEdit>(0, 20, 50, 21, panel)->SetName("EditFolder1");
    Place<TEdit>(0, 50, 50, 21, panel)->SetName("EditFile2");
    struct Case {
        const char* Prefix;
        Integer Index;
    };
    for (Case c : {Case{"", -1}, Case{"edit", 1}, Case{"EDITFILE", 2}, Case{"Label1", 0}, Case{"Label10", -1},
                   Case{"Memo", -1}}) {
        SCOPED_TRACE(c.Prefix);
        EXPECT_EQ(IndexOfChildByPrefix(panel, c.Prefix), c.Index);
    }
}

TEST_F(Children, FindsTheFirstStatusBarAndCoolBar) {
    EXPECT_EQ(FindStatusBar(form), nullptr);
    EXPECT_EQ(FindCoolBar(form), nullptr);
    Place<TPanel>(0, 0, 50, 50);
    auto* firstBar = Place<TStatusBar>(0, 250, 400, 20);
    Place<TStatusBar>(0, 270, 400, 20);
    auto* cool = Place<TCoolBar>(0, 0, 400, 30);
    EXPECT_EQ(FindStatusBar(form), firstBar);
    EXPECT_EQ(FindCoolBar(form), cool);
}

TEST_F(Children, OffsetAndMoveKeepOrderAndMakeLabelsTransparent) {
    auto* source = Place<TPanel>(0, 0, 200, 200);
    auto* target = Place<TPanel>(200, 0, 200, 200);
    auto* label = Place<TLabel>(10, 20, 50, 13, source);
    auto* edit = Place<TEdit>(30, 40, 50, 21, source);
    OffsetChildren(5, -3, source);
    EXPECT_EQ(label->BoundsRect(), Bounds(7, 25, 50, 13));
    EXPECT_EQ(edit->BoundsRect(), Bounds(27, 45, 50, 21));

    MoveChildrenTo(source, target);
    EXPECT_EQ(source->ControlCount(), 0);
    ASSERT_EQ(target->ControlCount(), 2);
    EXPECT_EQ(target->Controls(0), label);
    EXPECT_EQ(target->Controls(1), edit);
    EXPECT_TRUE(label->Transparent());
}

TEST_F(Children, DoubleBufferingReachesEveryWindowedDescendant) {
    auto* panel = Place<TPanel>(0, 0, 200, 200);
    auto* edit = Place<TEdit>(8, 8, 100, 21, panel);
    SetDoubleBufferedDeep(form);
    EXPECT_TRUE(form->DoubleBuffered());
    EXPECT_TRUE(panel->DoubleBuffered());
    EXPECT_TRUE(edit->DoubleBuffered());

    auto* owned = new TForm(Application);
    auto* ownedPanel = new TPanel(owned);
    ownedPanel->SetParent(owned);
    EXPECT_EQ(FindMainForm(), owned);
    SetDoubleBufferedAllForms();
    EXPECT_TRUE(owned->DoubleBuffered());
    EXPECT_TRUE(ownedPanel->DoubleBuffered());
    owned->Free();
    EXPECT_EQ(FindMainForm(), nullptr);
}

// --- Keyboard

TEST(ShiftKeys, KeepOnlyShiftAltAndCtrl) {
    struct Case {
        TShiftState Pressed, Expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{ssShift, ssLeft}, {ssShift}},
        {{ssAlt, ssCtrl, ssRight, ssMiddle}, {ssAlt, ssCtrl}},
        {{ssShift, ssAlt, ssCtrl}, {ssShift, ssAlt, ssCtrl}},
    };
    for (const Case& c : cases) {
        Testing::SetKeyboardShiftState(c.Pressed);
        EXPECT_EQ(GetShiftKeys(), c.Expected);
    }
    Testing::SetKeyboardShiftState({});
}

}  // namespace
