// A press on a native control gives it the focus first, through the messages Tab sends; controls that paint
// themselves decide for themselves, and graphic controls never take the focus.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

namespace {

class ClickFocus : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        start = Place<TEdit>(10, 10, 100, 21);
        Input::Click(start);
    }

    // A native control of the kind, placed below the starting edit.
    TWinControl* PlaceNative(const std::string& Kind) {
        if (Kind == "edit") return Place<TEdit>(10, 50, 120, 21);
        if (Kind == "memo") return Place<TMemo>(10, 50, 120, 60);
        if (Kind == "button") return Place<TButton>(10, 50, 75, 25);
        if (Kind == "check box") return Place<TCheckBox>(10, 50, 120, 17);
        if (Kind == "radio button") return Place<TRadioButton>(10, 50, 120, 17);
        if (Kind == "drop-down list") {
            auto* combo = Place<TComboBox>(10, 50, 120, 21);
            combo->SetStyle(csDropDownList);
            return combo;
        }
        if (Kind == "spin edit") return Place<TSpinEdit>(10, 50, 80, 24);
        if (Kind == "track bar") return Place<TTrackBar>(10, 50, 150, 45);
        throw EInvalidOperation("no such kind " + Kind);
    }

    TEdit* start = nullptr;
};

TEST_F(ClickFocus, APressOnANativeControlMovesTheFocusThereBeforeThePressIsHandled) {
    for (const char* kind :
         {"edit", "memo", "button", "check box", "radio button", "drop-down list", "spin edit", "track bar"}) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(start->Focused());
        TWinControl* target = PlaceNative(kind);
        std::vector<std::string> order;
        start->OnExit = [&](TObject*) { order.push_back("exit start"); };
        target->OnEnter = [&](TObject*) { order.push_back("enter target"); };
        target->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) {
            order.push_back(target->Focused() ? "press on the focused target" : "press on the target");
        };
        Testing::MouseDown(target, 5, target->Height() / 2);
        EXPECT_EQ(order, (std::vector<std::string>{"exit start", "enter target", "press on the focused target"}));
        EXPECT_TRUE(target->Focused());
        EXPECT_EQ(form->ActiveControl(), target);
        EXPECT_TRUE(Testing::PeerHasFocus(target));
        Testing::MouseUp(target, 5, target->Height() / 2);
        if (auto* combo = dynamic_cast<TComboBox*>(target); combo && combo->DroppedDown()) Input::Key(combo, VK_ESCAPE);
        start->OnExit = nullptr;
        target->Free();
        Input::Click(start);
    }
}

TEST_F(ClickFocus, TypingAfterAClickGoesWhereTheClickWas) {
    auto* memo = Place<TMemo>(10, 50, 200, 60);
    Input::Click(memo);
    Input::Type(memo, "1000");
    Input::Click(start);
    Input::Key(start, 'A', {ssCtrl});
    Input::Type(start, "50");
    EXPECT_EQ(memo->Text(), "1000");
    EXPECT_EQ(start->Text(), "50");
}

// Qt gives the edit part of a combo box its own widget; a press there focuses the combo all the same.
TEST_F(ClickFocus, APressInTheEditPartOfAComboBoxFocusesTheComboBox) {
    auto* combo = Place<TComboBox>(10, 50, 120, 21);
    std::vector<std::string> order;
    start->OnExit = [&](TObject*) { order.push_back("exit start"); };
    combo->OnEnter = [&](TObject*) { order.push_back("enter combo"); };
    Input::Click(combo, 10, 10);
    EXPECT_EQ(order, (std::vector<std::string>{"exit start", "enter combo"}));
    EXPECT_TRUE(combo->Focused());
    Input::Type(combo, "12");
    EXPECT_EQ(combo->Text(), "12");
    EXPECT_EQ(start->Text(), "");
}

TEST_F(ClickFocus, GraphicControlsAndPanelsLeaveTheFocusWhereItWas) {
    auto* block = new TBlock(form);
    block->SetParent(form);
    block->SetBounds(10, 50, 40, 40);
    auto* panel = Place<TPanel>(60, 50, 80, 40);
    EventCounter blockClicks, panelClicks;
    blockClicks.Hook(block->OnClick);
    panelClicks.Hook(panel->OnClick);
    Input::Click(block);
    Input::Click(panel);
    EXPECT_EQ(blockClicks.Count(), 1);
    EXPECT_EQ(panelClicks.Count(), 1);
    EXPECT_TRUE(start->Focused());
}

// A handler that keeps the focus where it is (a check on leaving) also keeps the press from the control.
TEST_F(ClickFocus, APressThatCannotTakeTheFocusDoesNotReachTheNativeControl) {
    auto* box = Place<TCheckBox>(10, 50, 120, 17);
    start->OnExit = [&](TObject*) { start->SetFocus(); };
    Input::Click(box, 5, 8);
    EXPECT_TRUE(start->Focused());
    EXPECT_FALSE(box->Checked());
}

}  // namespace
