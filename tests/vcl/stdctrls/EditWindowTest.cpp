// An edit's window as CreateParams makes it: ES_ alignment, ES_PASSWORD and ES_MULTILINE as the system's
// edit shows them, re-creation that keeps the text, the selection and the focus, and WM_DESTROY at every
// destruction of the window.

#include <memory>
#include <string>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

namespace {

class TStyledEdit : public TEdit {
public:
    explicit TStyledEdit(TComponent* AOwner) : TEdit(AOwner) {}
    DWORD ExtraStyle = 0;
    int Destroys = 0, RecreatingDestroys = 0, KillFocus = 0, SetFocus = 0, Creates = 0;
    bool RaiseOnDestroy = false;
    void Recreate() { RecreateWnd(); }

protected:
    void CreateParams(TCreateParams& Params) override {
        TEdit::CreateParams(Params);
        Params.Style |= ExtraStyle;
    }
    void CreateWnd() override {
        TEdit::CreateWnd();
        ++Creates;
    }
    void Dispatch(TMessage& Message) override {
        switch (Message.Msg) {
            case WM_DESTROY:
                ++Destroys;
                if (ControlState().Contains(csRecreating)) ++RecreatingDestroys;
                if (RaiseOnDestroy) throw Exception("destroy failed");
                break;
            case WM_KILLFOCUS: ++KillFocus; break;
            case WM_SETFOCUS: ++SetFocus; break;
            default: break;
        }
        TEdit::Dispatch(Message);
    }
};

class EditWindowTest : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Application->OnException = [this](TObject*, Exception* E) { reported.push_back(E->Message()); };
        edit = Place<TStyledEdit>(10, 10, 150, 24);
        other = Place<TEdit>(10, 50, 150, 24);
        edit->OnEnter = Counter(enters);
        edit->OnExit = Counter(exits);
    }
    void TearDown() override {
        Application->OnException = nullptr;
        StdCtrlsTest::TearDown();
    }
    // The columns of the edit's inside where the window shows dark ink (the text), as the user sees it.
    std::pair<Integer, Integer> InkColumns() {
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        Integer first = -1, last = -1;
        for (Integer x = 4; x < edit->Width() - 4; ++x)
            for (Integer y = 4; y < edit->Height() - 4; ++y) {
                TColor c = ColorToRGB(shown->Canvas()->Pixels(edit->Left() + x, edit->Top() + y));
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
            }
        return {first, last};
    }

    TStyledEdit* edit = nullptr;
    TEdit* other = nullptr;
    int enters = 0, exits = 0;
    std::vector<std::string> reported;
};

TEST_F(EditWindowTest, RecreatingKeepsTextSelectionModifiedAndFocus) {
    edit->SetText("1234");
    Input::Click(edit);
    Input::Key(edit, VK_END);
    Input::Type(edit, "5");
    edit->Perform(EM_SETSEL, 1, 3);
    const HWND before = edit->Handle();
    edit->KillFocus = edit->SetFocus = enters = 0;
    edit->ExtraStyle = ES_RIGHT;
    edit->Recreate();
    EXPECT_EQ(edit->Destroys, 1);
    EXPECT_EQ(edit->RecreatingDestroys, 1);
    EXPECT_EQ(edit->Creates, 2);
    EXPECT_FALSE(edit->ControlState().Contains(csRecreating));
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(GetWindowLong(edit->Handle(), GWL_STYLE) & ES_RIGHT, static_cast<LONG>(ES_RIGHT));
    EXPECT_EQ(edit->Text(), "12345");
    EXPECT_EQ(Testing::PeerText(edit), "12345");
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 2);
    EXPECT_TRUE(edit->Modified());
    EXPECT_EQ(edit->KillFocus, 1);
    EXPECT_EQ(edit->SetFocus, 1);
    EXPECT_EQ(enters + exits, 0);
    EXPECT_TRUE(edit->Focused());
    EXPECT_TRUE(Testing::PeerHasFocus(edit));
    // The new window takes the typing where the selection was.
    Input::Type(edit, "x");
    EXPECT_EQ(edit->Text(), "1x45");
}

// An edit that aligns its text differently while focused makes its window again in OnEnter and OnExit.
TEST_F(EditWindowTest, RecreatingInOnEnterAndOnExitCompletesTheFocusMoves) {
    edit->SetText("42");
    edit->OnEnter = [this](TObject*) {
        edit->ExtraStyle = ES_LEFT;
        edit->Recreate();
    };
    edit->OnExit = [this](TObject*) {
        edit->ExtraStyle = ES_RIGHT;
        edit->Recreate();
    };
    for (bool click : {false, true}) {
        SCOPED_TRACE(click ? "click" : "Tab");
        Input::Click(other);
        if (click) Input::Click(edit);
        else Input::TabTo(edit);
        EXPECT_TRUE(edit->Focused());
        EXPECT_TRUE(Testing::PeerHasFocus(edit));
        EXPECT_EQ(GetWindowLong(edit->Handle(), GWL_STYLE) & ES_RIGHT, 0);
        Input::Type(edit, "7");
        // Tab selected everything on entry, and the new window kept the selection.
        if (click) EXPECT_EQ(edit->Text().size(), 3u);
        else EXPECT_EQ(edit->Text(), "7");
        Input::Key(edit, VK_TAB);
        EXPECT_TRUE(other->Focused());
        EXPECT_TRUE(Testing::PeerHasFocus(other));
        EXPECT_NE(GetWindowLong(edit->Handle(), GWL_STYLE) & ES_RIGHT, 0);
        edit->SetText("42");
    }
    EXPECT_TRUE(reported.empty());
}

TEST_F(EditWindowTest, ARecreatedWindowKeepsItsPlaceInTheZOrder) {
    auto* above = Place<TEdit>(60, 10, 150, 24);  // overlaps the edit's right part
    edit->SetColor(clBlue);
    above->SetColor(clRed);
    auto shownAt = [this](Integer X) {
        Input::Settle();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        return ColorToRGB(shown->Canvas()->Pixels(X, 20));
    };
    ASSERT_EQ(shownAt(140), ColorToRGB(clRed));
    edit->Recreate();
    EXPECT_EQ(shownAt(140), ColorToRGB(clRed));
    EXPECT_EQ(shownAt(30), ColorToRGB(clBlue));
}

TEST_F(EditWindowTest, AnUnfocusedEditIsRecreatedWithoutFocusMessages) {
    Input::Click(other);
    edit->KillFocus = edit->SetFocus = 0;
    edit->Recreate();
    EXPECT_EQ(edit->Destroys, 1);
    EXPECT_EQ(edit->KillFocus + edit->SetFocus, 0);
    EXPECT_TRUE(other->Focused());
}

TEST_F(EditWindowTest, TheAlignmentStyleMovesTheTextTheUserSees) {
    edit->SetText("12");
    const struct {
        DWORD Style;
        bool Left, Right;  // the ink starts in the left third, ends in the right third
    } cases[] = {{ES_LEFT, true, false}, {ES_CENTER, false, false}, {ES_RIGHT, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Style);
        edit->ExtraStyle = c.Style;
        edit->Recreate();
        auto [first, last] = InkColumns();
        ASSERT_GE(first, 0);
        EXPECT_EQ(first < edit->Width() / 3, c.Left);
        EXPECT_EQ(last > edit->Width() * 2 / 3, c.Right);
    }
}

TEST_F(EditWindowTest, APasswordStyleHidesTheTextAndKeepsItFromTheClipboard) {
    edit->SetText("secret");
    const AnsiString plainShown = Testing::PeerProperty(other, "echoMode");
    edit->ExtraStyle = ES_PASSWORD;
    edit->Recreate();
    EXPECT_NE(Testing::PeerProperty(edit, "displayText"), "secret");
    Clipboard()->SetAsText("before");
    Input::Click(edit);
    edit->SelectAll();
    Input::Key(edit, 'C', {ssCtrl});
    Input::Key(edit, 'X', {ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "before");
    EXPECT_EQ(edit->Text(), "secret");
    EXPECT_NE(Testing::PeerProperty(edit, "echoMode"), plainShown);
}

TEST_F(EditWindowTest, AMultiLineStyleWantsAllKeysButTakesNoLineBreakTabOrAutoSelect) {
    auto* ok = Place<TButton>(200, 10, 75, 25);
    ok->SetDefault(true);
    int oks = 0;
    ok->OnClick = Counter(oks);
    edit->SetText("ab");
    edit->ExtraStyle = ES_MULTILINE | ES_PASSWORD;
    edit->Recreate();
    EXPECT_NE(edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    Input::Click(other);
    Input::TabTo(edit);
    EXPECT_EQ(edit->SelLength(), 0);  // no AutoSelect on entry
    Input::Key(edit, VK_END);
    Input::Key(edit, VK_RETURN);
    Clipboard()->SetAsText("c\r\nd");
    Input::Key(edit, 'V', {ssCtrl});
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(oks, 0);  // Return stayed with the edit
    EXPECT_NE(Testing::PeerProperty(edit, "displayText"), "abc");
    Input::Key(edit, VK_TAB);  // still the next control's
    EXPECT_TRUE(other->Focused());
}

TEST_F(EditWindowTest, EveryWindowDestructionSendsWMDestroyToTheWholeObject) {
    edit->HandleNeeded();
    edit->SetParent(nullptr);  // the window goes with the parent
    EXPECT_EQ(edit->Destroys, 1);
    edit->SetParent(form);
    edit->HandleNeeded();
    edit->RaiseOnDestroy = true;
    edit->Free();  // the subclass's handler still runs, and what it raises is reported
    EXPECT_EQ(reported, std::vector<std::string>{"destroy failed"});
}

TEST_F(EditWindowTest, ChildWindowsHearWMDestroyWhenTheirFormIsFreed) {
    auto* owned = new TForm(nullptr);
    auto* child = new TStyledEdit(owned);
    child->SetParent(owned);
    child->HandleNeeded();
    int destroys = 0;
    child->OnExit = nullptr;
    TWndMethod inherited = child->WindowProc;
    child->WindowProc = [&destroys, inherited](TMessage& M) {
        if (M.Msg == WM_DESTROY) ++destroys;
        inherited(M);
    };
    owned->Free();
    EXPECT_EQ(destroys, 1);
}

}  // namespace
