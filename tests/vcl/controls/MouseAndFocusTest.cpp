// The mouse and the focus as a user moves them, and exceptions thrown by handlers that Qt reached.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class MouseAndFocus : public TwoSwatchForm {
protected:
    void SetUp() override {
        TwoSwatchForm::SetUp();
        Testing::RecordedMessageBoxes().clear();
    }
    void TearDown() override {
        TwoSwatchForm::TearDown();
        Application->OnException = nullptr;
        Testing::RecordedMessageBoxes().clear();
    }
};

TEST_F(MouseAndFocus, APressAndReleaseInsideIsOneClickAndMouseEventsCarryClientCoordinates) {
    EventCounter clicks;
    clicks.Hook(first->OnClick);
    std::vector<std::string> seen;
    first->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, Integer x, Integer y) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                       (s.Contains(ssLeft) ? " L" : ""));
    };
    first->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, Integer x, Integer y) {
        seen.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    Input::Click(first, 5, 6);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(clicks.LastSender(), first);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 0 5,6 L", "up 0 5,6"}));
}

TEST_F(MouseAndFocus, ReleasingOutsideOrWithAnotherButtonIsNoClick) {
    EventCounter clicks;
    clicks.Hook(first->OnClick);
    Testing::MouseDown(first, 5, 5);
    Testing::MouseUp(first, 500, 5);
    Input::Click(first, 5, 5, mbRight);
    EXPECT_EQ(clicks.Count(), 0);
}

TEST_F(MouseAndFocus, ADoubleClickIsOneClickAndOneDoubleClick) {
    EventCounter clicks, doubles;
    clicks.Hook(first->OnClick);
    doubles.Hook(first->OnDblClick);
    Input::DoubleClick(first, 4, 4);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(doubles.Count(), 1);
}

TEST_F(MouseAndFocus, AGraphicControlGetsItsMouseFromTheParentInItsOwnCoordinates) {
    auto* block = new TBlock(form);
    block->SetParent(form);
    block->SetBounds(150, 100, 20, 20);
    EventCounter clicks, enters;
    clicks.Hook(block->OnClick);
    enters.Hook(block->OnMouseEnter);
    TPoint at{};
    block->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer x, Integer y) { at = {x, y}; };
    Testing::MouseMove(form, 155, 103);
    Input::Click(block, 5, 3);
    EXPECT_EQ(clicks.Count(), 1);
    EXPECT_EQ(enters.Count(), 1);
    EXPECT_EQ(at, (TPoint{5, 3}));
}

TEST_F(MouseAndFocus, TheMouseEnteringAndLeavingAWindowedControlFiresEnterAndLeave) {
    EventCounter enters, leaves;
    enters.Hook(first->OnMouseEnter);
    leaves.Hook(first->OnMouseLeave);
    Testing::MouseEnter(first);
    Testing::MouseLeave(first);
    EXPECT_EQ(enters.Count(), 1);
    EXPECT_EQ(leaves.Count(), 1);
}

TEST_F(MouseAndFocus, MovingTheFocusExitsTheOldControlThenEntersTheNew) {
    EXPECT_TRUE(first->Focused()) << "showing the form focuses the first control in the tab order";
    std::vector<std::string> order;
    for (TSwatch* s : {first, second}) {
        std::string name = s == first ? "first" : "second";
        s->OnEnter = [&order, name](TObject*) { order.push_back("enter " + name); };
        s->OnExit = [&order, name](TObject*) { order.push_back("exit " + name); };
    }
    Input::Key(form, VK_TAB);
    first->SetFocus();
    second->SetFocus();
    EXPECT_EQ(order, (std::vector<std::string>{"exit first", "enter second", "exit second", "enter first", "exit first",
                                               "enter second"}));
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_EQ(Screen->ActiveControl(), second);
    EXPECT_EQ(GetFocus(), second->Handle());
}

TEST_F(MouseAndFocus, FocusingAHiddenOrDisabledControlRaisesTheClassLibrarysError) {
    second->Hide();
    first->SetEnabled(false);
    for (TSwatch* s : {first, second}) {
        try {
            s->SetFocus();
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
        }
    }
}

TEST_F(MouseAndFocus, HidingTheFocusedControlGivesTheFocusToItsForm) {
    ASSERT_TRUE(first->Focused());
    first->Hide();
    EXPECT_FALSE(first->Focused());
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(GetFocus(), form->Handle());
}

TEST_F(MouseAndFocus, AnExceptionFromAHandlerReachedThroughQtIsShownAndTheLoopGoesOn) {
    int clicks = 0;
    first->OnClick = [&](TObject*) {
        ++clicks;
        throw EConvertError("'x' is not a valid integer value");
    };
    Input::Click(first);
    Input::Click(first);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(Testing::RecordedMessageBoxes().size(), 2u);
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Text, "'x' is not a valid integer value.");
    EXPECT_EQ(Testing::RecordedMessageBoxes()[0].Flags, MB_OK | MB_ICONSTOP);
}

TEST_F(MouseAndFocus, AbortIsSilentAndOnExceptionReplacesTheMessageBox) {
    first->OnClick = [](TObject*) { Abort(); };
    Input::Click(first);
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
    std::vector<std::string> handled;
    Application->OnException = [&](TObject* Sender, Exception* E) {
        handled.push_back((Sender == second ? "second: " : "?: ") + E->Message());
    };
    second->OnClick = [](TObject*) { throw std::runtime_error("plain"); };
    Input::Click(second);
    EXPECT_EQ(handled, std::vector<std::string>{"second: plain"});
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty());
}

}  // namespace
