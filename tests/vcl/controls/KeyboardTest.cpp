// Keys as a user presses them: CN_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP; the form's preview; dialog keys.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "vcl/StdCtrls.h"

namespace {

using Keyboard = TwoSwatchForm;

TEST_F(Keyboard, ACharacterKeyArrivesAsKeyDownThenCharThenKeyUp) {
    Input::Key(first, 'A');
    EXPECT_EQ(first->Keys, (std::vector<std::string>{"down:65", "char:a", "up:65"}));
    first->Keys.clear();
    Input::Key(first, 'A', {ssShift});
    EXPECT_EQ(first->Keys, (std::vector<std::string>{"down:65", "char:A", "up:65"}));
}

TEST_F(Keyboard, AKeyWithoutCharacterSendsNoChar) {
    Input::Key(first, VK_F2);
    EXPECT_EQ(first->Keys, (std::vector<std::string>{"down:113", "up:113"}));
}

TEST_F(Keyboard, AKeyClearedInOnKeyDownStillBringsItsCharacter) {
    first->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
    EventCounter presses;
    presses.Hook(first->OnKeyPress);
    Input::Key(first, 'B');
    EXPECT_EQ(first->Keys, (std::vector<std::string>{"down:66", "char:b", "up:66"}));
    EXPECT_EQ(presses.Count(), 1);
}

TEST_F(Keyboard, KeyPreviewGivesTheFormEveryKeyEventFirst) {
    std::vector<std::string> order;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, Word&, TShiftState) { order.push_back("form down"); };
    form->OnKeyPress = [&](TObject*, char&) { order.push_back("form press"); };
    form->OnKeyUp = [&](TObject*, Word&, TShiftState) { order.push_back("form up"); };
    first->OnKeyDown = [&](TObject*, Word&, TShiftState) { order.push_back("control down"); };
    first->OnKeyPress = [&](TObject*, char&) { order.push_back("control press"); };
    first->OnKeyUp = [&](TObject*, Word&, TShiftState) { order.push_back("control up"); };
    Input::Key(first, 'C');
    EXPECT_EQ(order, (std::vector<std::string>{"form down", "control down", "form press", "control press", "form up",
                                               "control up"}));
}

TEST_F(Keyboard, AKeyTheFormClearsInPreviewNeverReachesTheControl) {
    form->SetKeyPreview(true);
    form->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
    form->OnKeyPress = [](TObject*, char& Key) { Key = 0; };
    EventCounter downs, presses;
    downs.Hook(first->OnKeyDown);
    presses.Hook(first->OnKeyPress);
    Input::Key(first, 'D');
    EXPECT_EQ(downs.Count(), 0);
    EXPECT_EQ(presses.Count(), 0);
}

TEST_F(Keyboard, ModifiersReachOnKeyDownAndGetKeyboardState) {
    TShiftState seen;
    Byte state[256] = {};
    first->OnKeyDown = [&](TObject*, Word&, TShiftState Shift) {
        seen = Shift;
        GetKeyboardState(state);
    };
    Input::Key(first, VK_F3, {ssCtrl, ssShift});
    EXPECT_TRUE(seen.Contains(ssCtrl));
    EXPECT_TRUE(seen.Contains(ssShift));
    EXPECT_FALSE(seen.Contains(ssAlt));
    EXPECT_TRUE(state[VK_CONTROL] & 0x80);
    EXPECT_TRUE(state[VK_SHIFT] & 0x80);
    EXPECT_FALSE(state[VK_MENU] & 0x80);
}

TEST_F(Keyboard, TabAndShiftTabFollowTheTabOrder) {
    TSwatch* third = Add(110);
    third->SetTabOrder(0);  // third, first, second
    Input::TabTo(third);
    Input::Key(third, VK_TAB);
    EXPECT_TRUE(first->Focused());
    Input::Key(first, VK_TAB);
    EXPECT_TRUE(second->Focused());
    Input::Key(second, VK_TAB);
    EXPECT_TRUE(third->Focused());
    Input::Key(third, VK_TAB, {ssShift});
    EXPECT_TRUE(second->Focused());
    for (TSwatch* s : {first, second, third}) {
        for (const std::string& k : s->Keys)
            EXPECT_NE(k.substr(0, 5), "down:") << "a dialog key never reaches the control";
    }
}

TEST_F(Keyboard, NativeInsertionHappensOnceAtTheCharAsTheHandlersLeftIt) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(100);
    Input::Click(edit);
    Input::Type(edit, "ab");
    EXPECT_EQ(edit->Text(), "ab");
    edit->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'x') Key = 'y';
        if (Key == 'q') Key = 0;
    };
    Input::Type(edit, "xq");
    EXPECT_EQ(edit->Text(), "aby");
    EXPECT_EQ(Testing::PeerText(edit), "aby");
}

}  // namespace
