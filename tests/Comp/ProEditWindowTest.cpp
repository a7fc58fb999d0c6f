// The typed edit among its form's windows: re-creation for alignment and undo, Esc and Return reaching
// the form's Cancel and Default buttons, and the clipboard keys.
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditWindowTest : public ProEditFixture {
protected:
    void TearDown() override {
        SetOpenClipboardFailsForTest(false);
        ProEditFixture::TearDown();
    }
    // Counts the window's WM_DESTROY messages.
    void CountDestroys(TProEdit* Edit) {
        TWndMethod inherited = Edit->WindowProc;
        Edit->WindowProc = [this, inherited](TMessage& Message) {
            if (Message.Msg == WM_DESTROY) ++destroys;
            inherited(Message);
        };
    }
    TButton* Button(const char* Caption, bool Default, bool Cancel, int& Clicks) {
        auto* button = Place<TButton>(200, 100 + 30 * buttons++, 80, 25);
        button->SetCaption(Caption);
        button->SetDefault(Default);
        button->SetCancel(Cancel);
        button->OnClick = Counter(Clicks);
        return button;
    }
    static AnsiString Alignment(TProEdit* Edit) { return Testing::PeerProperty(Edit, "alignment"); }

    int destroys = 0;
    int buttons = 0;
};

TEST_F(ProEditWindowTest, AlignmentAndUndoChangesMakeTheWindowAgainKeepingTheValue) {
    TProEdit* edit = Edit();
    edit->SetText("kept");
    Focus(edit);
    Input::Key(edit, VK_END);
    Input::Type(edit, "!");
    CountDestroys(edit);
    const AnsiString left = Alignment(edit);
    edit->SetEditAlign(eaRight);
    EXPECT_EQ(destroys, 1);
    EXPECT_NE(Alignment(edit), left);
    EXPECT_EQ(Shown(edit), "kept!");
    EXPECT_TRUE(edit->Modified());
    EXPECT_TRUE(edit->Focused());
    edit->SetCanUndo(false);
    EXPECT_EQ(destroys, 2);
    edit->SetEditAlign(eaLeft);
    EXPECT_EQ(Alignment(edit), left);
}

TEST_F(ProEditWindowTest, FocusAlignHoldsWhileFocusedWithoutTouchingTheWidth) {
    TProEdit* edit = Edit();
    edit->SetFocusAlign(eaRight);
    edit->SetFocusWidthInc(20);
    const AnsiString left = Alignment(edit);
    CountDestroys(edit);
    Focus(edit);
    EXPECT_EQ(edit->EditAlign(), eaRight);
    EXPECT_NE(Alignment(edit), left);
    EXPECT_EQ(edit->Width(), 170);
    EXPECT_EQ(destroys, 1);
    Input::Key(edit, VK_TAB);
    EXPECT_EQ(edit->EditAlign(), eaLeft);
    EXPECT_EQ(Alignment(edit), left);
    EXPECT_EQ(edit->Width(), 150);
    EXPECT_EQ(destroys, 2);
}

TEST_F(ProEditWindowTest, EscUndoesAndReachesTheCancelButton) {
    int cancels = 0;
    Button("Cancel", false, true, cancels);
    TProEdit* edit = Edit();
    edit->SetText("start");
    Focus(edit);
    Input::Type(edit, "typed");
    Input::Key(edit, VK_ESCAPE);
    Input::Settle();
    EXPECT_EQ(edit->Text(), "start");
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(ProEditWindowTest, ReturnFiresTheDefaultButtonAndWithReturnIsTabMovesOn) {
    int defaults = 0;
    Button("OK", true, false, defaults);
    TProEdit* edit = Edit();
    Focus(edit);
    Input::Key(edit, VK_RETURN);
    Input::Settle();
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(edit->Focused());
    edit->SetReturnIsTab(true);
    Input::Key(edit, VK_RETURN);
    Input::Settle();
    EXPECT_EQ(defaults, 2);
    EXPECT_TRUE(next->Focused());
}

TEST_F(ProEditWindowTest, ClipboardKeysPassEveryTypeAndMeetItsPasteRules) {
    struct Case {
        TProEditType type;
        const char* clipboard;
        Word key;
        TShiftState shift;
        const char* value;
    };
    const std::vector<Case> cases{
        {etFloat, "12", 'V', {ssCtrl}, "12"},
        {etMoney, "1234", VK_INSERT, {ssShift}, "1,234"},
        {etHex, "ff", 'V', {ssCtrl}, ""},
        {etAlphaNumeric, "a b", 'V', {ssCtrl}, ""},
        {etRange, "1-2", VK_INSERT, {ssShift}, ""},
        {etNumeric, "7", 'V', {ssCtrl}, "7"},
        {etMixedCase, "anne", 'V', {ssCtrl}, "Anne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard);
        TProEdit* edit = Edit(c.type);
        edit->SetText("");
        Focus(edit);
        Clipboard()->SetAsText(c.clipboard);
        Input::Key(edit, c.key, c.shift);
        EXPECT_EQ(edit->Text(), c.value);
        edit->Free();
    }
}

TEST_F(ProEditWindowTest, CopyAndCutKeysAskFirstAndAClosedClipboardPastesNothing) {
    TProEdit* edit = Edit();
    edit->SetText("secret");
    edit->OnClipboardCopy = [](TObject*, const AnsiString&, bool& Allow) { Allow = false; };
    Clipboard()->SetAsText("before");
    Focus(edit);
    Input::Key(edit, 'C', {ssCtrl});
    Input::Key(edit, VK_INSERT, {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "before");
    Input::Key(edit, 'X', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "secret");
    EXPECT_EQ(edit->Text(), "");
    SetOpenClipboardFailsForTest(true);
    Input::Key(edit, 'V', {ssCtrl});
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(ProEditWindowTest, ControlCharactersSentFromCodeNeverEnter) {
    for (TProEditType type : {etString, etNumeric, etMixedCase, etAlphaNumeric}) {
        SCOPED_TRACE(type);
        TProEdit* edit = Edit(type);
        edit->SetText("");
        Focus(edit);
        for (char c : {'\t', '\x01', '\x1b', '\x7f'}) edit->Perform(WM_CHAR, static_cast<Byte>(c), 1);
        edit->Perform(WM_CHAR, '5', 1);
        EXPECT_EQ(edit->Text(), "5");
        edit->Free();
    }
}

TEST_F(ProEditWindowTest, AFocusAlignEqualToEditAlignKeepsTheAlignmentOnEveryVisit) {
    TProEdit* edit = Edit();
    edit->SetEditAlign(eaRight);
    edit->SetFocusAlign(eaRight);
    const AnsiString right = Alignment(edit);
    CountDestroys(edit);
    for (int visit = 0; visit < 3; ++visit) {
        SCOPED_TRACE("visit " + std::to_string(visit));
        Focus(edit);
        Input::Key(edit, VK_TAB);
        EXPECT_EQ(edit->EditAlign(), eaRight);
        EXPECT_EQ(Alignment(edit), right);
    }
    EXPECT_EQ(destroys, 0);
}

TEST_F(ProEditWindowTest, AHiddenTextShowsThePasswordCharacterItHolds) {
    struct Case {
        const char* what;
        TProEditType type;
        char passwordChar;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"password type", etPassword, '*', "***"},
        {"own character", etString, '#', "###"},
        {"character over the password type", etPassword, 'x', "xxx"},
        {"none", etString, '\0', "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* edit = Edit(c.type);
        if (c.type != etPassword || c.passwordChar != '*') edit->SetPasswordChar(c.passwordChar);
        edit->SetText("abc");
        EXPECT_EQ(Testing::PeerProperty(edit, "displayText"), c.shown);
        edit->Free();
    }
}

}  // namespace
