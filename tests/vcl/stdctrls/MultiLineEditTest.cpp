// An edit made with ES_MULTILINE shows its text in lines as a memo does: it wraps without ES_AUTOHSCROLL,
// answers the line and position queries in the lines it shows, keeps its formatting rectangle, and takes
// a line break only with ES_WANTRETURN. The grid's editor is such an edit.

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"
#include "vcl/Grids.h"
#include "vcl/Windows.h"

namespace {

class TLinesEdit : public TEdit {
public:
    explicit TLinesEdit(TComponent* AOwner) : TEdit(AOwner) {}
    DWORD Added = ES_MULTILINE;
    DWORD Removed = 0;
    void Recreate() { RecreateWnd(); }

protected:
    void CreateParams(TCreateParams& Params) override {
        TEdit::CreateParams(Params);
        Params.Style = (Params.Style | Added) & ~Removed;
    }
};

// The rows and columns of Control's inside where the composed window shows dark ink (the text).
struct TInk {
    std::vector<Integer> Rows;  // ascending
    Integer FirstColumn = -1;
    // Runs of inked rows, apart by at least one blank row: the lines of text the user sees.
    int Bands() const {
        int bands = 0;
        for (std::size_t i = 0; i < Rows.size(); ++i)
            if (i == 0 || Rows[i] > Rows[i - 1] + 1) ++bands;
        return bands;
    }
};

TInk ShownInk(TForm* Form, TWinControl* Control) {
    Input::Settle();
    std::unique_ptr<TBitmap> shown(Testing::GrabWindow(Form));
    const TPoint origin = Form->ScreenToClient(Control->ClientToScreen(Point(0, 0)));
    TInk ink;
    std::set<Integer> rows;
    for (Integer x = 0; x < Control->ClientWidth(); ++x)
        for (Integer y = 0; y < Control->ClientHeight(); ++y) {
            const TColor c = ColorToRGB(shown->Canvas()->Pixels(origin.X + x, origin.Y + y));
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 300) continue;
            rows.insert(y);
            if (ink.FirstColumn < 0) ink.FirstColumn = x;
        }
    ink.Rows.assign(rows.begin(), rows.end());
    return ink;
}

class MultiLineEditTest : public StdCtrlsTest {
protected:
    // A multi-line edit 60 pixels tall whose width takes about two thirds of Text's.
    TLinesEdit* WrappingEdit(const AnsiString& Text, DWORD Removed) {
        auto* edit = Place<TLinesEdit>(10, 10, 100, 60);
        edit->Removed = Removed;
        edit->SetText(Text);
        TBitmap measure;
        measure.Canvas()->Font()->Assign(edit->Font());
        edit->SetWidth(measure.Canvas()->TextWidth(Text) * 2 / 3 + 10);
        edit->Recreate();
        return edit;
    }
};

TEST_F(MultiLineEditTest, AnEditWithoutAutoScrollWrapsItsWordsOntoASecondLine) {
    // Letters without ascenders or descenders, so the lines' ink stays apart.
    const AnsiString words = "acme nova zero sun crow vase mars ounce";
    const struct {
        const char* Name;
        DWORD Removed;
        int Lines;
    } cases[] = {{"without ES_AUTOHSCROLL", ES_AUTOHSCROLL, 2}, {"with ES_AUTOHSCROLL", 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TLinesEdit* edit = WrappingEdit(words, c.Removed);
        EXPECT_EQ(edit->Perform(EM_GETLINECOUNT, 0, 0), c.Lines);
        EXPECT_EQ(ShownInk(form, edit).Bands(), c.Lines);
        if (c.Lines == 2) {
            const auto second = static_cast<Integer>(edit->Perform(EM_LINEINDEX, 1, 0));
            EXPECT_GT(second, 0);
            EXPECT_EQ(edit->Perform(EM_LINEFROMCHAR, second, 0), 1);
            EXPECT_EQ(edit->Perform(EM_LINELENGTH, second, 0), static_cast<LRESULT>(words.size()) - second);
            // The second line's characters show below the first's, and the point gives the character back.
            const auto first = static_cast<std::uintptr_t>(edit->Perform(EM_POSFROMCHAR, 0, 0));
            const auto below = static_cast<std::uintptr_t>(edit->Perform(EM_POSFROMCHAR, second, 0));
            EXPECT_GT(HiSmall(below), HiSmall(first));
            const auto back = static_cast<std::uintptr_t>(edit->Perform(EM_CHARFROMPOS, 0, static_cast<LPARAM>(below)));
            EXPECT_EQ(static_cast<Integer>(LOWORD(back)), second);
            EXPECT_EQ(HIWORD(back), 1);
            char line[64] = {};
            const Word size = sizeof line;
            std::memcpy(line, &size, sizeof size);
            const auto copied = edit->Perform(EM_GETLINE, 1, reinterpret_cast<LPARAM>(line));
            EXPECT_EQ(AnsiString(line, static_cast<std::size_t>(copied)),
                      words.substr(static_cast<std::size_t>(second)));
        }
        edit->Free();
    }
}

TEST_F(MultiLineEditTest, EnterTypesALineBreakOnlyWithWantReturn) {
    const struct {
        const char* Name;
        DWORD Added;
        const char* Typed;
        int Lines;
    } cases[] = {{"ES_MULTILINE", ES_MULTILINE, "abc", 1},
                 {"ES_MULTILINE | ES_WANTRETURN", ES_MULTILINE | ES_WANTRETURN, "ab\r\nc", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* edit = Place<TLinesEdit>(10, 10, 150, 60);
        edit->Added = c.Added;
        edit->Recreate();
        Input::Click(edit);
        Input::Type(edit, "ab");
        Input::Key(edit, VK_RETURN);
        Input::Type(edit, "c");
        EXPECT_EQ(edit->Text(), c.Typed);
        EXPECT_EQ(edit->Perform(EM_GETLINECOUNT, 0, 0), c.Lines);
        EXPECT_EQ(ShownInk(form, edit).Bands(), c.Lines);
        edit->Free();
    }
}

TEST_F(MultiLineEditTest, TheFormattingRectangleMovesTheTextAndFollowsResizes) {
    auto* edit = Place<TLinesEdit>(10, 10, 150, 60);
    edit->SetText("Text");
    const TInk plain = ShownInk(form, edit);
    ASSERT_FALSE(plain.Rows.empty());
    TRect rect = Rect(30, 20, edit->ClientWidth() - 5, edit->ClientHeight());
    edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const TInk moved = ShownInk(form, edit);
    ASSERT_FALSE(moved.Rows.empty());
    EXPECT_EQ(moved.FirstColumn - plain.FirstColumn, 30);
    EXPECT_EQ(moved.Rows.front() - plain.Rows.front(), 20);
    // The rectangle keeps its distances from the sides when the edit grows.
    edit->SetBounds(10, 10, 200, 80);
    TRect now{};
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&now));
    EXPECT_EQ(now.Left, 30);
    EXPECT_EQ(now.Top, 20);
    EXPECT_EQ(edit->ClientWidth() - now.Right, 5);
    EXPECT_EQ(ShownInk(form, edit).FirstColumn, moved.FirstColumn);
}

TEST_F(MultiLineEditTest, TheEditMessagesWorkOnTheLinesPeerAsOnTheOneLinePeer) {
    auto* edit = Place<TLinesEdit>(10, 10, 150, 60);
    edit->Added = ES_MULTILINE | ES_WANTRETURN;
    edit->Recreate();
    Input::Click(edit);
    Input::Type(edit, "one");
    EXPECT_NE(edit->Perform(EM_CANUNDO, 0, 0), 0);
    EXPECT_NE(edit->Perform(EM_UNDO, 0, 0), 0);
    EXPECT_EQ(edit->Text(), "");
    // A pasted text keeps its line breaks where Return types them, and undo takes the paste back alone.
    Input::Type(edit, "ab");
    Clipboard()->SetAsText("c\r\nd");
    Input::Key(edit, 'V', {ssCtrl});
    EXPECT_EQ(edit->Text(), "abc\r\nd");
    EXPECT_EQ(edit->Perform(EM_GETLINECOUNT, 0, 0), 2);
    Input::Key(edit, 'Z', {ssCtrl});
    EXPECT_EQ(edit->Text(), "ab");
    // The selection both ways, then the limit and read-only state the user meets.
    edit->Perform(EM_SETSEL, 1, 2);
    DWORD start = 0, end = 0;
    edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 2u);
    Input::Type(edit, "xyz");
    EXPECT_EQ(edit->Text(), "axyz");
    edit->Perform(EM_LIMITTEXT, 5, 0);
    Input::Type(edit, "123");
    EXPECT_EQ(edit->Text(), "axyz1");
    edit->Perform(EM_SETREADONLY, TRUE, 0);
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(edit->Text(), "axyz1");
    // A password character hides what the edit shows.
    edit->Perform(EM_SETPASSWORDCHAR, '#', 0);
    EXPECT_EQ(Testing::PeerProperty(edit, "displayText"), "#####");
}

// A grid that wraps its cells' text makes its editor without ES_AUTOHSCROLL.
class TWrappingEditor : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;

protected:
    void CreateParams(TCreateParams& Params) override {
        TInplaceEdit::CreateParams(Params);
        Params.Style &= ~ES_AUTOHSCROLL;
    }
};

class TWrappingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    TInplaceEdit* CreateEditor() override { return new TWrappingEditor(this); }
};

TEST_F(MultiLineEditTest, TheGridsEditorWrapsWhatIsTypedAndEnterStillWritesTheCell) {
    auto* grid = Place<TWrappingGrid>(0, 0, 300, 150);
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetDefaultRowHeight(50);
    grid->SetColWidths(1, 90);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    Input::TabTo(grid);
    Input::Type(grid, "acme nova zero sun crow");
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_GE(editor->Perform(EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_GE(ShownInk(form, editor).Bands(), 2);
    Input::Key(editor, VK_RETURN);
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(grid->Cells(1, 1), "acme nova zero sun crow");
}

}  // namespace
