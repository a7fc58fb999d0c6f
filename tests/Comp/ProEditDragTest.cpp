// Dragging text out of and into the typed edit as a user does: a press in the selection and a move start
// the drag (the headless drag follows a script of pointer steps), drops go in by the paste rules.
#include <algorithm>
#include <string>
#include <vector>

#include "ProEditFixture.h"
#include "vcl/ActiveX.h"
#include "vcl/Windows.h"

using namespace ProEdit;

namespace {

class ProEditDragTest : public ProEditFixture {
protected:
    void SetUp() override {
        ProEditFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    }
    void TearDown() override {
        ProEditFixture::TearDown();
        OleUninitialize();
    }

    // An edit holding Value that drags and takes drops, focused with Value selected from From on.
    TProEdit* DragEdit(const AnsiString& Value, Integer From = 0, TProEditType Type = etString) {
        TProEdit* edit = Edit(Type);
        edit->SetText(Value);
        edit->SetOleDropSource(true);
        edit->SetOleDropTarget(true);
        Focus(edit);
        edit->Perform(EM_SETSEL, static_cast<WPARAM>(From), static_cast<LPARAM>(Value.size()));
        return edit;
    }
    // The client point in the middle of character Index (at the end: just after the last one).
    static TPoint CharPoint(TProEdit* Edit, Integer Index) {
        const auto length = static_cast<Integer>(Edit->TCustomEdit::Text().size());
        const bool end = Index >= length;
        const LRESULT at = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(end ? length - 1 : Index), 0);
        const auto bits = static_cast<std::uintptr_t>(at);
        return Point(std::min(LoSmall(bits) + (end ? 12 : 2), Edit->ClientWidth() - 2), HiSmall(bits) + 4);
    }
    static TPoint Screen(TProEdit* Edit, TPoint Client) { return Edit->ClientToScreen(Client); }
    // The user presses at From, and the drag's script carries the pointer to the screen point To and
    // releases there with Keys.
    static void DragBy(TProEdit* Edit, TPoint From, TPoint To, DWORD Keys = 0) {
        const auto held = static_cast<DWORD>(MK_LBUTTON | Keys);
        SetDragScriptForTest({{Screen(Edit, From), held}, {To, held}, {To, Keys}});
        Testing::MouseDown(Edit, From.X, From.Y);
        Testing::MouseMove(Edit, From.X + 1, From.Y, TShiftState{ssLeft});
        Testing::MouseUp(Edit, To.X, To.Y);
    }
    static DWORD ForeignDrop(TProEdit* Edit, const std::vector<std::pair<AnsiString, std::string>>& Formats) {
        const TPoint at = Screen(Edit, CharPoint(Edit, 1000));
        return RunForeignDragForTest(Formats, DROPEFFECT_COPY | DROPEFFECT_MOVE, {{at}, {at, 0}});
    }
};

TEST_F(ProEditDragTest, APressInTheSelectionAndAReleasePlaceTheCaret) {
    for (bool dragging : {true, false}) {
        SCOPED_TRACE(dragging ? "dragging on" : "dragging off");
        TProEdit* edit = DragEdit("hello world");
        edit->SetOleDropSource(dragging);
        const TPoint at = CharPoint(edit, 4);
        Testing::MouseDown(edit, at.X, at.Y);
        Testing::MouseUp(edit, at.X, at.Y);
        EXPECT_EQ(edit->SelLength(), 0);
        EXPECT_EQ(edit->SelStart(), 4);
        EXPECT_EQ(Shown(edit), "hello world");
        edit->Free();
    }
}

TEST_F(ProEditDragTest, DraggingWithinTheEditMovesOrWithControlCopies) {
    struct Case {
        const char* what;
        DWORD keys;
        const char* after;
    };
    const std::vector<Case> cases{{"move", 0, "abc defghi"}, {"copy", MK_CONTROL, "ghiabc defghi"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* edit = DragEdit("ghiabc def");
        edit->Perform(EM_SETSEL, 0, 3);
        DragBy(edit, CharPoint(edit, 1), Screen(edit, CharPoint(edit, 1000)), c.keys);
        EXPECT_EQ(Shown(edit), c.after);
        edit->Free();
    }
}

TEST_F(ProEditDragTest, ADropOntoTheDraggedSelectionChangesNothing) {
    TProEdit* edit = DragEdit("abcdef", 1);
    edit->Perform(EM_SETSEL, 1, 4);
    DragBy(edit, CharPoint(edit, 2), Screen(edit, CharPoint(edit, 3)));
    EXPECT_EQ(Shown(edit), "abcdef");
    EXPECT_EQ(edit->DropCaret(), Point(-1, -1));
}

TEST_F(ProEditDragTest, ADropIntoAnotherEditMovesUnlessTheTargetCopiesOrIsReadOnly) {
    struct Case {
        const char* what;
        DWORD keys;
        bool targetReadOnly;
        bool sourceReadOnly;
        const char* source;
        const char* target;
    };
    const std::vector<Case> cases{
        {"move", 0, false, false, "", "xyzabc"},
        {"copy", MK_CONTROL, false, false, "abc", "xyzabc"},
        {"read-only target", 0, true, false, "abc", "xyz"},
        {"read-only source", 0, false, true, "abc", "xyzabc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* target = DragEdit("xyz");
        target->SetReadOnly(c.targetReadOnly);
        TProEdit* source = DragEdit("abc");
        source->SetReadOnly(c.sourceReadOnly);
        DragBy(source, CharPoint(source, 1), Screen(target, CharPoint(target, 1000)), c.keys);
        EXPECT_EQ(Shown(source), c.source);
        EXPECT_EQ(Shown(target), c.target);
        source->Free();
        target->Free();
    }
}

TEST_F(ProEditDragTest, ForeignDropsPassThePasteRulesAndReportWhatWentIn) {
    struct Case {
        const char* what;
        TProEditType type;
        std::vector<std::pair<AnsiString, std::string>> formats;
        const char* after;
        DWORD effect;
    };
    const std::vector<Case> cases{
        {"one line", etString, {{"text/plain", "new"}}, "oldnew", DROPEFFECT_MOVE},
        {"first of two lines", etString, {{"text/plain", "one\r\ntwo"}}, "oldone", DROPEFFECT_COPY},
        {"files only", etString, {{"text/uri-list", "file:///tmp/a.txt\r\n"}}, "old", DROPEFFECT_NONE},
        {"digits into a number", etNumeric, {{"text/plain", "34"}}, "1234", DROPEFFECT_MOVE},
        {"letters into a number", etNumeric, {{"text/plain", "3a"}}, "12", DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProEdit* edit = DragEdit(c.type == etNumeric ? "12" : "old", 0, c.type);
        EXPECT_EQ(ForeignDrop(edit, c.formats), c.effect);
        EXPECT_EQ(Shown(edit), c.after);
        EXPECT_EQ(edit->DropCaret(), Point(-1, -1));
        edit->Free();
    }
}

TEST_F(ProEditDragTest, APasswordIsNeverDraggedOut) {
    TProEdit* target = DragEdit("xyz");
    TProEdit* secret = DragEdit("secret", 0, etPassword);
    DragBy(secret, CharPoint(secret, 1), Screen(target, CharPoint(target, 1000)));
    EXPECT_EQ(Shown(target), "xyz");
    EXPECT_EQ(Shown(secret), "secret");
}

TEST_F(ProEditDragTest, DropsStillArriveAfterTheWindowIsMadeAgain) {
    TProEdit* edit = DragEdit("old");
    edit->SetEditAlign(eaRight);
    EXPECT_EQ(ForeignDrop(edit, {{"text/plain", "new"}}), DROPEFFECT_MOVE);
    EXPECT_EQ(Shown(edit), "oldnew");
    edit->SetOleDropTarget(false);
    EXPECT_EQ(ForeignDrop(edit, {{"text/plain", "more"}}), DROPEFFECT_NONE);
    EXPECT_EQ(Shown(edit), "oldnew");
}

TEST_F(ProEditDragTest, TheDropCaretGoesWhenTheDragLeaves) {
    TProEdit* edit = DragEdit("abc");
    const TPoint over = Screen(edit, CharPoint(edit, 1));
    const TPoint away = next->ClientToScreen(Point(5, 5));
    EXPECT_EQ(RunForeignDragForTest({{"text/plain", "x"}}, DROPEFFECT_COPY, {{over}, {away}, {away, 0}}),
              DROPEFFECT_NONE);
    EXPECT_EQ(edit->DropCaret(), Point(-1, -1));
    EXPECT_EQ(Shown(edit), "abc");
}

}  // namespace
