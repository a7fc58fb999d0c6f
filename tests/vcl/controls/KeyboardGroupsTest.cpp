// The keyboard among radio buttons and check boxes: only the checked radio of a group is a tab stop, the
// arrows keep to the group and click the radio they reach, and keyboard focus shows a focus rectangle.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class KeyboardGroups : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        before = Place<TEdit>(10, 10, 100, 21);
    }
    TRadioButton* Radio(Integer Top, TWinControl* Parent = nullptr) {
        return Place<TRadioButton>(10, Top, 120, 17, Parent);
    }
    // Pixels of the window inside the control's bounds that differ between two grabs.
    static int DifferingPixels(TBitmap* A, TBitmap* B, TControl* Control) {
        int count = 0;
        for (Integer y = Control->Top(); y < Control->Top() + Control->Height(); ++y)
            for (Integer x = Control->Left(); x < Control->Left() + Control->Width(); ++x)
                if (A->Canvas()->Pixels(x, y) != B->Canvas()->Pixels(x, y)) ++count;
        return count;
    }
    TEdit* before = nullptr;
};

TEST_F(KeyboardGroups, TabStopsAtTheCheckedRadioOfAGroupOnly) {
    TRadioButton* first = Radio(40);
    TRadioButton* second = Radio(60);
    TRadioButton* third = Radio(80);
    auto* after = Place<TEdit>(10, 110, 100, 21);
    EXPECT_FALSE(first->TabStop()) << "an unchecked radio button is no tab stop";
    second->SetChecked(true);
    Input::Click(before);
    Input::Key(form, VK_TAB);
    EXPECT_TRUE(second->Focused());
    Input::Key(form, VK_TAB);
    EXPECT_TRUE(after->Focused());
    Input::Key(form, VK_TAB, {ssShift});
    EXPECT_TRUE(second->Focused());
    third->SetChecked(true);
    Input::Key(form, VK_TAB, {ssShift});
    Input::Key(form, VK_TAB);
    EXPECT_TRUE(third->Focused()) << "the tab stop follows the check";
    EXPECT_FALSE(second->TabStop());
}

TEST_F(KeyboardGroups, ArrowsKeepToTheRadiosOfTheGroupAndClickTheOneTheyReach) {
    auto* panel = Place<TPanel>(150, 10, 200, 200);
    TRadioButton* first = Radio(10, panel);
    Place<TEdit>(10, 30, 100, 21, panel);
    TRadioButton* second = Radio(60, panel);
    Place<TCheckBox>(10, 80, 100, 17, panel);
    TRadioButton* third = Radio(100, panel);
    TRadioButton* elsewhere = Radio(60);
    first->SetChecked(true);
    std::vector<std::string> clicks;
    for (TRadioButton* r : {first, second, third, elsewhere}) {
        std::string name = r == first ? "first" : r == second ? "second" : r == third ? "third" : "elsewhere";
        r->OnClick = [&clicks, name](TObject*) { clicks.push_back(name); };
    }
    Input::TabTo(first);
    struct Step {
        Word Key;
        TRadioButton* Reached;
    };
    for (Step s : {Step{VK_DOWN, second}, Step{VK_RIGHT, third}, Step{VK_DOWN, first}, Step{VK_UP, third},
                   Step{VK_LEFT, second}}) {
        Input::Key(form, s.Key);
        EXPECT_TRUE(s.Reached->Focused());
        for (TRadioButton* r : {first, second, third}) EXPECT_EQ(r->Checked(), r == s.Reached);
    }
    EXPECT_EQ(clicks, (std::vector<std::string>{"second", "third", "first", "third", "second"}));
    // A disabled radio is passed over.
    third->SetEnabled(false);
    Input::Key(form, VK_DOWN);
    EXPECT_TRUE(first->Focused());
    EXPECT_TRUE(first->Checked());
    EXPECT_FALSE(elsewhere->Checked());
}

TEST_F(KeyboardGroups, RadioButtonsAndCheckBoxesFocusedFromTheKeyboardShowAFocusRectangle) {
    for (const char* kind : {"radio button", "check box"}) {
        SCOPED_TRACE(kind);
        TWinControl* control = std::string(kind) == "check box"
                                   ? static_cast<TWinControl*>(Place<TCheckBox>(10, 50, 120, 17))
                                   : static_cast<TWinControl*>(Radio(50));
        control->SetTabStop(true);
        control->SetCaption("Caption");
        Input::Click(before);
        std::unique_ptr<TBitmap> unfocused(Testing::GrabWindow(form));
        Input::Key(form, VK_TAB);
        ASSERT_TRUE(control->Focused());
        std::unique_ptr<TBitmap> focused(Testing::GrabWindow(form));
        EXPECT_GT(DifferingPixels(unfocused.get(), focused.get(), control), 20);
        control->Free();
    }
}

}  // namespace
