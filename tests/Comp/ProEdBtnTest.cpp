// The edits with a button as a user meets them: the button's place beside the text, its click and F4, the
// editor switch, the folder dialog from the directory button, and the button's glyph on the screen.
#include <memory>
#include <string>
#include <vector>

#include "ProDirectoryEdit.h"
#include "ProEditFixture.h"
#include "vcl/Clipbrd.h"
#include "vcl/ShlObj.h"
#include "vcl/Windows.h"

using namespace ProEdBtn;
using namespace ProDirectoryEdit;

namespace {

class ProEdBtnTest : public ProEditFixture {
protected:
    void SetUp() override {
        ProEditFixture::SetUp();
        Testing::RecordBrowseDialogs(true);
        Testing::RecordedBrowseDialogs().clear();
    }
    void TearDown() override {
        Testing::RecordBrowseDialogs(false);
        ResetWindowsVersion();
        ProEditFixture::TearDown();
    }
    template <typename T = TProEditBtn>
    T* ButtonEdit(Integer Top = 10) {
        auto* edit = Place<T>(10, Top, 150, 24);
        edit->SetAutoSize(false);
        edit->SetHeight(24);
        if (!next) next = Place<TEdit>(200, 10, 150, 24);
        return edit;
    }
    static TRect FormatRect(TCustomEdit* Edit) {
        TRect r{};
        Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
};

TEST_F(ProEdBtnTest, TheButtonSitsAtTheRightEdgeAndTheTextStopsShortOfIt) {
    struct Case {
        const char* what;
        bool flat;
        bool ctl3D;
        TBorderStyle border;
        TRect button;  // in the edit's client coordinates
        Integer formatLeft, formatTop;
    };
    const std::vector<Case> cases{
        {"sunken border", false, true, bsSingle, Rect(130, 0, 146, 19), 1, 1},
        {"no border", false, true, bsNone, Rect(132, 0, 148, 21), 2, 4},
        {"flat", true, true, bsSingle, Rect(131, 2, 147, 22), 2, 4},
        {"classic", false, false, bsSingle, Rect(134, 1, 150, 22), 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEditBtn* edit = ButtonEdit();
        edit->SetCtl3D(c.ctl3D);
        edit->SetBorderStyle(c.border);
        edit->SetFlat(c.flat);
        Input::Settle();
        EXPECT_EQ(edit->EditButton()->BoundsRect(), c.button);
        const TRect format = FormatRect(edit);
        EXPECT_EQ(format.Left, c.formatLeft);
        EXPECT_EQ(format.Top, c.formatTop);
        EXPECT_EQ(format.Right, edit->ClientWidth() - 16 - 4);
        edit->Free();
    }
}

TEST_F(ProEdBtnTest, TheHeightNeverFallsBelowTheFontsNeeds) {
    TProEditBtn* edit = ButtonEdit();
    edit->SetHeight(6);
    EXPECT_GT(edit->Height(), 6);
    const Integer minimum = edit->Height();
    edit->SetHeight(minimum + 10);
    EXPECT_EQ(edit->Height(), minimum + 10);
    EXPECT_EQ(edit->EditButton()->Height(), minimum + 10 - 5);
}

TEST_F(ProEdBtnTest, ButtonWidthReadsSixteenOnceTheButtonIsGone) {
    TProEditBtn* edit = ButtonEdit();
    edit->SetButtonWidth(22);
    EXPECT_EQ(edit->ButtonWidth(), 22);
    EXPECT_EQ(edit->EditButton()->Width(), 22);
    edit->EditButton()->Free();
    EXPECT_EQ(edit->ButtonWidth(), 16);
    edit->SetButtonWidth(30);
    EXPECT_EQ(edit->ButtonWidth(), 16);
}

TEST_F(ProEdBtnTest, AClickOnTheButtonFiresOnClickBtnAndFocusesTheEdit) {
    TProEditBtn* edit = ButtonEdit();
    int clicks = 0;
    edit->OnClickBtn = Counter(clicks);
    Input::TabTo(next);
    Input::Click(edit->EditButton()->Button());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(edit->Focused());
    // A right click is no click.
    Input::Click(edit->EditButton()->Button(), 4, 4, mbRight);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ProEdBtnTest, F4FiresOnClickBtnUnlessControlOrAltIsHeld) {
    TProEditBtn* edit = ButtonEdit();
    int clicks = 0;
    edit->OnClickBtn = Counter(clicks);
    Focus(edit);
    Input::Key(edit, VK_F4);
    EXPECT_EQ(clicks, 1);
    Input::Key(edit, VK_F4, TShiftState{ssCtrl});
    Input::Key(edit, VK_F4, TShiftState{ssAlt});
    EXPECT_EQ(clicks, 1);
    // The directory edit's F4 does not go through its dialog.
    auto* folder = ButtonEdit<TProDirectoryEdit>(50);
    Focus(folder);
    Input::Key(folder, VK_F4);
    EXPECT_TRUE(Testing::RecordedBrowseDialogs().empty());
}

TEST_F(ProEdBtnTest, WithTheEditorOffTypingWorksButCutAndPasteAreRefused) {
    TProEditBtn* edit = ButtonEdit();
    edit->SetEditorEnabled(false);
    edit->SetText("abc");
    Focus(edit);
    Clipboard()->SetAsText("pasted");
    Input::Key(edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(edit->Text(), "abc");
    Input::Key(edit, 'X', TShiftState{ssCtrl});
    EXPECT_EQ(edit->Text(), "abc");
    Input::Key(edit, VK_END);
    Input::Type(edit, "d");
    EXPECT_EQ(edit->Text(), "abcd");
    edit->SetEditorEnabled(true);
    Input::Key(edit, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(edit->Text(), "abcdpasted");
}

TEST_F(ProEdBtnTest, APasswordInAButtonEditStaysHidden) {
    TProEditBtn* edit = ButtonEdit();
    edit->SetEditType(ProEdit::etPassword);
    edit->SetText("secret");
    EXPECT_EQ(Testing::PeerProperty(edit, "displayText"), "******");
}

TEST_F(ProEdBtnTest, TheFolderDialogOpensAtTheValueAndItsChoiceBecomesTheValue) {
    TProDirectoryEdit* edit = ButtonEdit<TProDirectoryEdit>(40);
    edit->SetBrowseDialogText("Pick");
    int changes = 0;
    edit->OnChange = Counter(changes);
    struct Case {
        const char* what;
        const char* value;
        std::string answer;
        const char* selection;
        const char* after;
        int changes;
    };
    const std::vector<Case> cases{
        {"trailing delimiter", "/tmp/", "/usr", "/tmp", "/usr", 1},
        {"same folder", "/usr", "/usr", "/usr", "/usr", 0},
        {"cancel", "/usr", "", "/usr", "/usr", 0},
        {"root", "/", "/tmp", "/", "/tmp", 1},
        {"too long", "/usr", "/" + std::string(MAX_PATH, 'a'), "/usr", "/usr", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        edit->SetText(c.value);
        changes = 0;
        Testing::RecordedBrowseDialogs().clear();
        Testing::PrepareBrowseAnswer(c.answer);
        Input::Click(edit->EditButton()->Button());
        ASSERT_EQ(Testing::RecordedBrowseDialogs().size(), 1u);
        const Testing::TRecordedBrowseDialog& dialog = Testing::RecordedBrowseDialogs()[0];
        EXPECT_EQ(dialog.Title, "Pick");
        EXPECT_EQ(dialog.Flags, BIF_RETURNONLYFSDIRS);
        EXPECT_EQ(dialog.Selection, c.selection);
        EXPECT_EQ(edit->Text(), c.after);
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(edit->Modified(), c.changes > 0);
    }
    // An empty value opens the current folder.
    edit->SetText("");
    Testing::RecordedBrowseDialogs().clear();
    Input::Click(edit->EditButton()->Button());
    EXPECT_EQ(Testing::RecordedBrowseDialogs().at(0).Selection, GetCurrentDir());
}

TEST_F(ProEdBtnTest, TheFolderDialogSitsBelowTheEditOrFlipsAtTheScreenEdges) {
    const Integer dialogWidth = Testing::BrowseDialogBounds.Width();
    const Integer dialogHeight = Testing::BrowseDialogBounds.Height();
    struct Case {
        const char* what;
        Integer left, top;  // of the form on the screen
        bool flippedLeft, flippedUp;
    };
    const std::vector<Case> cases{
        {"room below", 0, 0, false, false},
        {"right edge", Screen->Width() - 200, 0, true, false},
        {"bottom edge", 0, Screen->Height() - 150, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->SetBounds(c.left, c.top, form->Width(), form->Height());
        Input::Settle();
        TProDirectoryEdit* edit = ButtonEdit<TProDirectoryEdit>(40);
        Testing::RecordedBrowseDialogs().clear();
        Input::Click(edit->EditButton()->Button());
        ASSERT_EQ(Testing::RecordedBrowseDialogs().size(), 1u);
        const TPoint at = Testing::RecordedBrowseDialogs()[0].Position;
        EXPECT_TRUE(Testing::RecordedBrowseDialogs()[0].Moved);
        const TPoint screenBottomLeft = form->ClientToScreen(Point(edit->Left(), edit->Top() + edit->Height()));
        const TPoint screenTopLeft = form->ClientToScreen(Point(edit->Left(), edit->Top()));
        EXPECT_EQ(at.X, screenBottomLeft.X - (c.flippedLeft ? dialogWidth : 0));
        EXPECT_EQ(at.Y, c.flippedUp ? screenTopLeft.Y - dialogHeight : screenBottomLeft.Y);
        edit->Free();
    }
}

TEST_F(ProEdBtnTest, TheDirectoryValueIsValidOnlyWhileTheFolderExists) {
    TProDirectoryEdit* edit = ButtonEdit<TProDirectoryEdit>(40);
    edit->SetShowError(true);
    edit->SetText("/tmp");
    EXPECT_FALSE(edit->IsError());
    edit->SetText("/no/such/folder");
    EXPECT_TRUE(edit->IsError());
}

// The glyph's background lies in both left corners: every paint, themed, flat or classic, shows the
// button face there and never the glyph's own background colour.
TEST_F(ProEdBtnTest, TheFolderGlyphShowsOnTheButtonFaceInEveryLook) {
    struct Case {
        const char* what;
        DWORD minor;  // 5.1 paints themed, 5.0 classic
        bool flat;
    };
    const std::vector<Case> cases{{"themed", 1, false}, {"classic", 0, false}, {"flat", 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 5, c.minor, 2195);
        TProDirectoryEdit* edit = ButtonEdit<TProDirectoryEdit>(40);
        edit->SetFlat(c.flat);
        Input::Settle();
        std::unique_ptr<TBitmap> window(Testing::GrabWindow(form));
        const TRect button = edit->EditButton()->BoundsRect();
        const TPoint origin = form->ScreenToClient(edit->ClientToScreen(Point(button.Left, button.Top)));
        int outline = 0, background = 0;
        for (Integer y = 0; y < button.Height(); ++y)
            for (Integer x = 0; x < button.Width(); ++x) {
                const TColor pixel = window->Canvas()->Pixels(origin.X + x, origin.Y + y);
                outline += pixel == clBlack;
                background += pixel == clFuchsia;
            }
        EXPECT_GT(outline, 20);
        EXPECT_EQ(background, 0);
        edit->Free();
    }
}

}  // namespace
