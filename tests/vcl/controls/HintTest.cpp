// Hints as a user meets them: the mouse rests on a control, its short hint shows below the cursor in a
// pop-up window of the hint colour, and input or leaving the control hides it again.

#include <functional>

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

constexpr Integer CursorHeight = 32;

// A hint window of its own size, as a control may ask for through HintWindowClass.
class TWideHintWindow : public THintWindow {
    VCL_CLASS(TWideHintWindow, THintWindow)
    explicit TWideHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
    TRect CalcHintRect(Integer, const AnsiString&, void*) override { return Rect(0, 0, 123, 21); }
};
VCL_IMPLEMENT_CLASS(TWideHintWindow, VCL_CREATOR(TWideHintWindow), nullptr)

// A hint window that asks for a drop shadow and counts what reaches its virtuals and its text message.
class TCountingHintWindow : public THintWindow {
    VCL_CLASS(TCountingHintWindow, THintWindow)
    explicit TCountingHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
    TRect CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void* AData) override {
        ++calcs;
        return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
    }
    void ActivateHint(TRect Rect, const AnsiString& AHint) override {
        ++activations;
        THintWindow::ActivateHint(Rect, AHint);
    }
    static inline int calcs = 0, activations = 0, textChanges = 0, paints = 0;

protected:
    void CreateParams(TCreateParams& Params) override {
        THintWindow::CreateParams(Params);
        Params.WindowClass.style |= CS_DROPSHADOW;
    }
    void Paint() override {
        ++paints;
        THintWindow::Paint();
    }
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CM_TEXTCHANGED) ++textChanges;
        THintWindow::Dispatch(Message);
    }
};
VCL_IMPLEMENT_CLASS(TCountingHintWindow, VCL_CREATOR(TCountingHintWindow), nullptr)

class Hints : public TwoSwatchForm {
protected:
    void SetUp() override {
        TwoSwatchForm::SetUp();
        first->SetHint("Short|Long");
        first->SetShowHint(true);
    }
    void TearDown() override {
        Application->OnShowHint = nullptr;
        TwoSwatchForm::TearDown();
    }
    // The mouse comes to rest at (x, y) of the first swatch.
    void RestOnFirst(Integer x, Integer y) {
        Testing::MouseMove(first, x, y);
        timers.Advance(static_cast<UInt64>(Application->HintPause()));
    }
    TRect ExpectedBounds(Integer x, Integer y) const {
        TRect shown = Testing::ShownHint().Bounds;
        TPoint cursor = first->ClientToScreen(Point(x, y));
        return Bounds(cursor.X, cursor.Y + CursorHeight, shown.Width(), shown.Height());
    }

    TTestClock clock;
    TManualTimerService timers{clock};
};

TEST_F(Hints, TheMouseRestingOnAControlShowsItsShortHintBelowTheCursorAndItHidesLater) {
    Testing::MouseMove(first, 5, 6);
    timers.Advance(static_cast<UInt64>(Application->HintPause() - 1));
    EXPECT_EQ(Testing::ShownHint().Text, "") << "not before the pause";
    timers.Advance(1);
    Testing::TShownHint shown = Testing::ShownHint();
    EXPECT_EQ(shown.Text, "Short");
    EXPECT_EQ(shown.Bounds, ExpectedBounds(5, 6));
    EXPECT_GT(shown.Bounds.Width(), 0);
    EXPECT_GT(shown.Bounds.Height(), 0);
    timers.Advance(static_cast<UInt64>(Application->HintHidePause()));
    EXPECT_EQ(Testing::ShownHint().Text, "") << "gone after the hide pause";
}

TEST_F(Hints, AHintShowHandlerChangesTheTextOrPlaceOrRefuses) {
    struct Case {
        const char* name;
        std::function<void(THintInfo&, TMessage&)> handler;
        AnsiString text;
        TPoint pos;  // (-1, -1): below the cursor
    };
    const Case cases[] = {
        {"text", [](THintInfo& i, TMessage&) { i.HintStr = "Other"; }, "Other", {-1, -1}},
        {"place", [](THintInfo& i, TMessage&) { i.HintPos = Point(400, 300); }, "Short", {400, 300}},
        {"refused", [](THintInfo&, TMessage& m) { m.Result = 1; }, "", {}},
        {"emptied", [](THintInfo& i, TMessage&) { i.HintStr = ""; }, "", {}},
    };
    TWndMethod original = first->WindowProc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TControl* seen = nullptr;
        first->WindowProc = [&](TMessage& m) {
            original(m);
            if (m.Msg != CM_HINTSHOW) return;
            auto& info = *reinterpret_cast<THintInfo*>(m.LParam);
            seen = info.HintControl;
            EXPECT_EQ(info.HintStr, "Short");
            EXPECT_EQ(info.CursorPos, Point(7, 8));
            c.handler(info, m);
        };
        Testing::MouseMove(first, 7, 8);
        Testing::ShowHintNow(first);
        EXPECT_EQ(seen, first);
        Testing::TShownHint shown = Testing::ShownHint();
        EXPECT_EQ(shown.Text, c.text);
        if (c.text.empty()) continue;
        if (c.pos.X < 0) EXPECT_EQ(shown.Bounds, ExpectedBounds(7, 8));
        else EXPECT_EQ(shown.Bounds.TopLeft(), c.pos);
    }
    first->WindowProc = original;
}

TEST_F(Hints, TheApplicationsHandlerAndTheHintWindowClassAreHonoured) {
    Application->OnShowHint = [](AnsiString& text, bool&, THintInfo& info) {
        text = "From the application";
        info.HintWindowClass = TWideHintWindow::ClassInfo();
    };
    Testing::MouseMove(first, 5, 6);
    Testing::ShowHintNow(first);
    Testing::TShownHint shown = Testing::ShownHint();
    EXPECT_EQ(shown.Text, "From the application");
    EXPECT_EQ(shown.Bounds, ExpectedBounds(5, 6));
    EXPECT_EQ(shown.Bounds.Width(), 123);
    EXPECT_NE(dynamic_cast<TWideHintWindow*>(Testing::ShownHintWindow()), nullptr);
    Application->OnShowHint = [](AnsiString&, bool& canShow, THintInfo&) { canShow = false; };
    Testing::ShowHintNow(first);
    EXPECT_EQ(Testing::ShownHint().Text, "");
}

TEST_F(Hints, ShowHintComesFromTheParentAndAnEmptyHintShowsNothing) {
    struct Case {
        const char* name;
        bool parentShowHint;
        AnsiString hint;
        AnsiString shown;
    };
    const Case cases[] = {
        {"parent shows hints", true, "Parent's|Long", "Parent's"},
        {"parent shows none", false, "Parent's", ""},
        {"empty hint", true, "", ""},
        {"empty short part", true, "|Long only", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->SetShowHint(c.parentShowHint);
        second->SetParentShowHint(true);
        second->SetHint(c.hint);
        Testing::MouseMove(second, 3, 3);
        Testing::ShowHintNow(second);
        EXPECT_EQ(Testing::ShownHint().Text, c.shown);
        Testing::MouseMove(form, 200, 150);
    }
}

TEST_F(Hints, AKeyAPressOrLeavingTheControlHidesTheHint) {
    struct Case {
        const char* name;
        std::function<void()> action;
    };
    const Case cases[] = {
        {"key", [&] { Testing::KeyPress(form, VK_SHIFT); }},
        {"press",
         [&] {
             Testing::MouseDown(first, 5, 6);
             Testing::MouseUp(first, 5, 6);
         }},
        {"leaving for another control", [&] { Testing::MouseMove(second, 5, 6); }},
        {"leaving for the form", [&] { Testing::MouseMove(form, 200, 150); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Testing::MouseMove(form, 200, 150);
        RestOnFirst(5, 6);
        ASSERT_EQ(Testing::ShownHint().Text, "Short");
        c.action();
        EXPECT_EQ(Testing::ShownHint().Text, "");
    }
}

// A control with a hint per 10 x 10 cell, as a grid gives one per cell through CursorRect.
TEST_F(Hints, EachCellOfAControlShowsItsOwnHintAfterTheShortPauseWhileOneIsUp) {
    TWndMethod original = first->WindowProc;
    first->WindowProc = [&](TMessage& m) {
        original(m);
        if (m.Msg != CM_HINTSHOW) return;
        auto& info = *reinterpret_cast<THintInfo*>(m.LParam);
        const Integer column = info.CursorPos.X / 10, row = info.CursorPos.Y / 10;
        info.CursorRect = Bounds(column * 10, row * 10, 10, 10);
        info.HintStr = "cell " + IntToStr(column) + "," + IntToStr(row);
    };
    const auto pause = static_cast<UInt64>(Application->HintPause());
    const auto shortPause = static_cast<UInt64>(Application->HintShortPause());
    ASSERT_LT(shortPause, pause);
    struct Step {
        const char* name;
        std::function<void()> action;
        UInt64 wait;
        AnsiString shown;
    };
    const Step steps[] = {
        {"rests on a cell", [&] { Testing::MouseMove(first, 5, 5); }, pause, "cell 0,0"},
        {"moves within it", [&] { Testing::MouseMove(first, 7, 8); }, pause, "cell 0,0"},
        {"leaves it", [&] { Testing::MouseMove(first, 15, 5); }, 0, ""},
        {"rests on the next", [] {}, shortPause, "cell 1,0"},
        {"waits it out", [] {}, static_cast<UInt64>(Application->HintHidePause()), ""},
        {"leaves with none up", [&] { Testing::MouseMove(first, 25, 5); }, shortPause, ""},
        {"rests the whole pause", [] {}, pause - shortPause, "cell 2,0"},
        {"the hint is cancelled", [] { Application->CancelHint(); }, pause, ""},
        {"moves again", [&] { Testing::MouseMove(first, 26, 6); }, shortPause, ""},
        {"rests again", [] {}, pause - shortPause, "cell 2,0"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.action();
        timers.Advance(s.wait);
        EXPECT_EQ(Testing::ShownHint().Text, s.shown);
    }
    first->WindowProc = original;
}

TEST_F(Hints, TheHintWindowShowsItsTextOnTheHintColourOnScreen) {
    Application->SetHintColor(clYellow);
    first->SetHint("WWWW");
    RestOnFirst(5, 6);
    THintWindow* window = Testing::ShownHintWindow();
    ASSERT_NE(window, nullptr);
    std::unique_ptr<TBitmap> shot(Testing::GrabWindow(window));
    Application->SetHintColor(clInfoBk);
    ASSERT_GT(shot->Width(), 4);
    TCanvas& c = *shot->Canvas();
    EXPECT_EQ(c.Pixels(shot->Width() - 2, shot->Height() - 2), clYellow) << "the background inside the frame";
    EXPECT_EQ(ColorToRGB(c.Pixels(0, 0)), ColorToRGB(clWindowFrame)) << "the frame";
    int text = 0;
    for (Integer y = 1; y < shot->Height() - 1; ++y)
        for (Integer x = 1; x < shot->Width() - 1; ++x)
            if (ColorToRGB(c.Pixels(x, y)) == ColorToRGB(clInfoText)) ++text;
    EXPECT_GT(text, 10) << "the text in the hint's text colour";
}

TEST_F(Hints, ADescendantsHintWindowIsATopMostPopUpWithItsClassStylesThatLeavesTheFocus) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(150, 10, 100, 24);
    edit->SetFocus();
    Application->OnShowHint = [](AnsiString&, bool&, THintInfo& info) {
        info.HintWindowClass = TCountingHintWindow::ClassInfo();
    };
    TCountingHintWindow::calcs = TCountingHintWindow::activations = TCountingHintWindow::textChanges = 0;
    TCountingHintWindow::paints = 0;
    Screen->HintFont()->SetHeight(-15);
    const char* hints[] = {"First", "Second", "Second"};
    for (const char* hint : hints) {
        SCOPED_TRACE(hint);
        first->SetHint(hint);
        Testing::MouseMove(first, 5, 6);
        Testing::ShowHintNow(first);
        auto* window = dynamic_cast<TCountingHintWindow*>(Testing::ShownHintWindow());
        ASSERT_NE(window, nullptr);
        std::unique_ptr<TBitmap> shot(Testing::GrabWindow(window));
        EXPECT_EQ(Testing::ShownHint().Text, hint);
        const HWND handle = window->Handle();
        EXPECT_TRUE(GetWindowLong(handle, GWL_STYLE) & WS_POPUP);
        EXPECT_TRUE(GetWindowLong(handle, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetClassLong(handle, GCL_STYLE) & CS_DROPSHADOW);
        EXPECT_EQ(window->Font()->Height(), -15);
        EXPECT_EQ(window->Font()->Name(), Screen->HintFont()->Name());
        EXPECT_EQ(Screen->ActiveForm(), form);
        EXPECT_TRUE(edit->Focused());
        Testing::MouseMove(second, 5, 6);
    }
    Screen->HintFont()->SetHeight(-11);
    EXPECT_EQ(TCountingHintWindow::calcs, 3);
    EXPECT_EQ(TCountingHintWindow::activations, 3);
    EXPECT_GE(TCountingHintWindow::paints, 3);
    // The caption changes twice: a hint shown again with the same text sends nothing.
    EXPECT_EQ(TCountingHintWindow::textChanges, 2);
}

}  // namespace
