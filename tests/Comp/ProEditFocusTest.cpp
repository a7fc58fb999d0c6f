// The typed edit's states as the user meets them: focus colours, formatting and validation on leaving,
// Esc undo, the modified, error and disabled colours.
#include <memory>
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditFocusTest : public ProEditFixture {
protected:
    // The background the window shows inside the edit, right of any text.
    TColor ShownBackground(TProEdit* Edit) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        return window->Canvas()->Pixels(Edit->Left() + Edit->Width() - 8, Edit->Top() + Edit->Height() / 2);
    }
    void Leave() { Input::Key(form, VK_TAB); }
};

TEST_F(ProEditFocusTest, FocusShowsTheFocusColoursAndLeavingTheNormalOnes) {
    TProEdit* edit = Edit();
    edit->SetColor(clYellow);
    edit->SetFocusColor(clAqua);
    edit->SetFocusFontColor(clNavy);
    Input::Settle();
    EXPECT_EQ(ShownBackground(edit), clYellow);
    Focus(edit);
    EXPECT_EQ(ShownBackground(edit), clAqua);
    EXPECT_EQ(edit->Font()->Color(), clNavy);
    Leave();
    EXPECT_EQ(ShownBackground(edit), clYellow);
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
}

TEST_F(ProEditFocusTest, LeavingFormatsNumbersByType) {
    struct Case {
        TProEditType type;
        SmallInt precision;
        const char* typed;
        const char* after;
    };
    const std::vector<Case> cases{
        {etFloat, 2, "1.5", "1.50"},      {etFloat, 2, "", "0.00"}, {etFloat, 0, "", "0"},
        {etMoney, 2, "1234", "1,234.00"}, {etNumeric, 0, "", "0"},  {etString, 0, "", ""},
        {etMoney, 2, "-", "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " as type " + std::to_string(c.type));
        TProEdit* edit = Edit(c.type);
        edit->SetSigned(true);
        edit->SetPrecision(c.precision);
        edit->SetText("");
        Focus(edit);
        Input::Type(edit, c.typed);
        Leave();
        EXPECT_EQ(Shown(edit), c.after);
        edit->Free();
    }
}

TEST_F(ProEditFocusTest, ValidationOnLeavingComesBeforeOnExitAndEntryWorkAfterOnEnter) {
    TProEdit* edit = Edit(etFloat);
    edit->SetPrecision(1);
    std::vector<std::string> order;
    edit->OnEnter = [&](TObject*) {
        order.push_back("enter " + std::string(edit->Font()->Color() == clNavy ? "focus" : "normal"));
    };
    edit->OnValueValidate = [&](TObject*, const AnsiString& Value, bool&) { order.push_back("validate " + Value); };
    edit->OnExit = [&](TObject*) { order.push_back("exit " + std::string(edit->Text())); };
    edit->SetFocusFontColor(clNavy);
    Focus(edit);
    Input::Type(edit, "2");
    Leave();
    // The formatting is a change, validated as every change is; then the value is validated on leaving.
    EXPECT_EQ(order,
              (std::vector<std::string>{"enter normal", "validate 2", "validate 2.0", "validate 2.0", "exit 2.0"}));
}

TEST_F(ProEditFocusTest, EscRestoresTheValueHeldAtFocusEntry) {
    TProEdit* edit = Edit();
    edit->SetText("before");
    Focus(edit);
    Input::Key(edit, VK_END);
    Input::Type(edit, " and after");
    EXPECT_EQ(edit->Text(), "before and after");
    Input::Key(edit, VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "before");
    EXPECT_EQ(edit->SelLength(), 6);
    EXPECT_FALSE(edit->Modified());
}

TEST_F(ProEditFocusTest, WithoutUndoEscLeavesTheValue) {
    TProEdit* edit = Edit();
    edit->SetCanUndo(false);
    Focus(edit);
    Input::Type(edit, "typed");
    Input::Key(edit, VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "typed");
}

TEST_F(ProEditFocusTest, TheModifiedColourShowsWhileTheValueIsModified) {
    TProEdit* edit = Edit();
    edit->SetShowModified(true);
    edit->SetModifiedColor(clPurple);
    Focus(edit);
    Input::Type(edit, "x");
    EXPECT_EQ(edit->Font()->Color(), clPurple);
    EXPECT_TRUE(edit->Modified());
    edit->SetText("y");
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
    EXPECT_FALSE(edit->Modified());
}

TEST_F(ProEditFocusTest, AnInvalidValueShowsTheErrorColoursUntilItIsValid) {
    TProEdit* edit = Edit(etNumeric);
    edit->SetShowError(true);
    edit->SetColor(clYellow);
    edit->OnValueValidate = [](TObject*, const AnsiString& Value, bool& IsValid) { IsValid = Value.size() < 3; };
    Focus(edit);
    Input::Type(edit, "123");
    EXPECT_TRUE(edit->IsError());
    EXPECT_EQ(ShownBackground(edit), clRed);
    EXPECT_EQ(edit->Font()->Color(), clWhite);
    Leave();
    EXPECT_EQ(ShownBackground(edit), clRed);
    Focus(edit);
    Input::Key(edit, VK_END);
    Input::Key(edit, VK_BACK);
    EXPECT_FALSE(edit->IsError());
    EXPECT_EQ(ShownBackground(edit), ColorToRGB(clWindow));
    Leave();
    EXPECT_EQ(ShownBackground(edit), clYellow);
}

TEST_F(ProEditFocusTest, DisablingShowsTheDisabledColourAndEnablingTheNormalOne) {
    TProEdit* edit = Edit();
    edit->SetColor(clYellow);
    edit->SetFocusColor(clAqua);
    Focus(edit);
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->Focused());
    EXPECT_EQ(ShownBackground(edit), clSilver);
    edit->SetEnabled(true);
    EXPECT_EQ(ShownBackground(edit), clYellow);
}

TEST_F(ProEditFocusTest, TheWidthGrowsWhileFocused) {
    TProEdit* edit = Edit();
    edit->SetFocusWidthInc(40);
    Focus(edit);
    EXPECT_EQ(edit->Width(), 190);
    Leave();
    EXPECT_EQ(edit->Width(), 150);
}

TEST_F(ProEditFocusTest, AutoSelectSelectsTheValueWithoutPrefixAndSuffix) {
    TProEdit* edit = Edit();
    edit->SetPrefix("<");
    edit->SetSuffix(">");
    edit->SetText("abc");
    Focus(edit);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 3);
    Leave();
    edit->SetShowURL(true);
    edit->SetText("http://host");
    Focus(edit);
    EXPECT_EQ(edit->SelStart(), 8);
    EXPECT_EQ(edit->SelLength(), 4);
}

TEST_F(ProEditFocusTest, WithoutAutoSelectAFloatPutsTheCaretBeforeItsDecimals) {
    TProEdit* edit = Edit(etFloat);
    edit->SetAutoSelect(false);
    edit->SetPrecision(2);
    edit->SetText("12.5");
    Focus(edit);
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(ProEditFocusTest, AValueThatLooksLikeAnAddressShowsTheURLLook) {
    TProEdit* edit = Edit();
    edit->SetShowURL(true);
    edit->SetText("me@host");
    EXPECT_TRUE(edit->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(edit->Font()->Color(), clBlue);
    EXPECT_EQ(edit->Cursor(), crHandPoint);
    edit->SetText("@host");
    EXPECT_FALSE(edit->Font()->Style().Contains(fsUnderline));
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
    EXPECT_EQ(edit->Cursor(), crDefault);
    Focus(edit);
    Input::Type(edit, "x://y");
    EXPECT_TRUE(edit->Font()->Style().Contains(fsUnderline));
}

TEST_F(ProEditFocusTest, AutoFocusTakesTheFocusWhenTheMouseEnters) {
    TProEdit* edit = Edit();
    edit->SetAutoFocus(true);
    TProEdit* other = Edit();
    Focus(other);
    Testing::MouseEnter(edit);
    EXPECT_TRUE(edit->Focused());
}

// A user tells the focused field by its selection: a field left behind shows none unless told to keep it.
TEST_F(ProEditFocusTest, ASelectionShowsOnlyWhileFocusedUnlessHideSelectionIsOff) {
    struct Case {
        const char* what;
        bool typed;  // a TProEdit, else a plain TEdit
        bool hideSelection;
        bool shownAfterLeaving;
    };
    const std::vector<Case> cases{
        {"typed edit", true, true, false},
        {"typed edit kept", true, false, true},
        {"plain edit", false, true, false},
        {"plain edit kept", false, false, true},
    };
    auto highlighted = [&](TCustomEdit* Edit) {
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TColor highlight = ColorToRGB(clHighlight);
        int count = 0;
        for (int y = Edit->Top(); y < Edit->Top() + Edit->Height(); ++y)
            for (int x = Edit->Left(); x < Edit->Left() + Edit->Width(); ++x)
                count += window->Canvas()->Pixels(x, y) == highlight;
        return count;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCustomEdit* edit = c.typed ? static_cast<TCustomEdit*>(Edit()) : Place<TEdit>(10, 100, 150, 24);
        if (!next) next = Place<TEdit>(200, 10, 150, 24);
        edit->SetHideSelection(c.hideSelection);
        edit->SetText("selected");
        Input::TabTo(edit);
        EXPECT_GT(highlighted(edit), 20);
        Leave();
        EXPECT_EQ(edit->SelLength(), 8);
        EXPECT_EQ(highlighted(edit) > 20, c.shownAfterLeaving);
        edit->Free();
    }
}

}  // namespace
