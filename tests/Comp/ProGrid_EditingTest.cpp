// The grid's editing cycle as a user meets it on a shown, active form: which editor a cell gets and when
// the application is asked, moves the application refuses, editing following read-only cells, an
// application's own editor, the column-sizing veto and the integral height.
#include <memory>
#include <vector>

#include "ProGrid.h"
#include "SmallGridFixture.h"

using namespace ProGrid;
using BaseGrid::TEditorType;

namespace {

class ProGridEditingTest : public SmallGridFixture {
protected:
    void Configure() override { grid->SetOptions(grid->Options().Include(goEditing)); }
    bool InplaceShown() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }
};

// The editor shows a mark-up cell's text without its tags: handing that text back must not strip them.
TEST_F(ProGridEditingTest, VisitingAMarkUpCellWithTheInPlaceEditKeepsItsTags) {
    struct Case {
        const char* How;
        bool AlwaysEdit;
        std::vector<Word> Keys;  // pressed from cell (1, 2)
        Cell To;
    };
    const Case cases[] = {{"F2 and Enter", false, {VK_RIGHT, VK_F2, VK_RETURN}, {2, 2}},
                          {"F2 and Esc", false, {VK_RIGHT, VK_F2, VK_ESCAPE}, {2, 2}},
                          {"walking through it", true, {VK_RIGHT, VK_DOWN}, {2, 3}}};
    for (const Case& c : cases) {
        grid->Navigation()->SetAlwaysEdit(c.AlwaysEdit);
        grid->SetCells(2, 2, "<b>7</b>");
        int validated = 0;
        grid->OnCellValidate = [&](TObject*, Integer, Integer, AnsiString&, bool&) { ++validated; };
        GoTo(1, 2);
        for (Word key : c.Keys) Key(key);
        EXPECT_EQ(At(), c.To) << c.How;
        EXPECT_EQ(grid->Cells(2, 2), "<b>7</b>") << c.How;
        EXPECT_EQ(validated, 0) << c.How;
        if (InplaceShown()) Key(VK_ESCAPE);
    }
}

TEST_F(ProGridEditingTest, TheEditorTypeIsAskedOncePerOpeningAndNoneOpensNothing) {
    struct Case {
        TEditorType Type;
        bool Opens;
    };
    const Case cases[] = {{BaseGrid::edNormal, true}, {BaseGrid::edNumeric, true}, {BaseGrid::edNone, false}};
    for (const Case& c : cases) {
        int asked = 0;
        grid->OnGetEditorType = [&](TObject*, Integer, Integer, TEditorType& Editor) {
            ++asked;
            Editor = c.Type;
        };
        GoTo(2, 2);
        Key(VK_F2);
        Input::Type(form, "ab");
        EXPECT_EQ(asked, c.Opens ? 1 : 3) << c.Type << ": refused, every attempt asks again";
        EXPECT_EQ(InplaceShown(), c.Opens) << c.Type;
        Key(VK_ESCAPE);
        GoTo(1, 1);
    }
}

TEST_F(ProGridEditingTest, ARefusedRowColumnOrCellChangeKeepsTheCurrentCell) {
    struct Case {
        int Refuser;  // 0 row, 1 column, 2 cell, -1 none
        Word Key;
        Cell To;
    };
    const Case cases[] = {{-1, VK_DOWN, {2, 3}}, {0, VK_DOWN, {2, 2}}, {0, VK_RIGHT, {3, 2}},
                          {1, VK_RIGHT, {2, 2}}, {1, VK_DOWN, {2, 3}}, {2, VK_DOWN, {2, 2}}};
    for (const Case& c : cases) {
        GoTo(2, 2);
        std::vector<int> fired;
        grid->OnRowChanging = [&](TObject*, Integer OldRow, Integer NewRow, bool& Allow) {
            EXPECT_EQ(OldRow, 2);
            EXPECT_NE(NewRow, 2);
            fired.push_back(0);
            if (c.Refuser == 0) Allow = false;
        };
        grid->OnColChanging = [&](TObject*, Integer, Integer, bool& Allow) {
            fired.push_back(1);
            if (c.Refuser == 1) Allow = false;
        };
        grid->OnCellChanging = [&](TObject*, Integer, Integer, Integer, Integer, bool& Allow) {
            fired.push_back(2);
            if (c.Refuser == 2) Allow = false;
        };
        Key(c.Key);
        EXPECT_EQ(At(), c.To) << c.Refuser << " key " << c.Key;
        EXPECT_EQ(fired.size(), 2u) << "one axis and the cell";
        grid->OnRowChanging = nullptr;
        grid->OnColChanging = nullptr;
        grid->OnCellChanging = nullptr;
    }
}

TEST_F(ProGridEditingTest, MovingOntoReadOnlyCellsTakesEditingOutAndAnEditableCellPutsItBack) {
    grid->OnCanEditCell = [](TObject*, Integer, Integer ACol, bool& CanEdit) { CanEdit = ACol != 2; };
    struct Case {
        bool Editing;  // the grid starts with goEditing
        Word Key;
        Integer Col;
        bool EditingAfter;
    };
    const Case cases[] = {
        {true, VK_RIGHT, 2, false}, {true, VK_RIGHT, 3, true},   {true, VK_LEFT, 2, false},
        {true, VK_LEFT, 1, true},   {false, VK_RIGHT, 2, false}, {false, VK_RIGHT, 3, false},
    };
    GoTo(1, 1);
    for (const Case& c : cases) {
        if (c.Editing != grid->Options().Contains(goEditing) && (c.Col == 2 || !c.Editing)) {
            GoTo(c.Key == VK_RIGHT ? c.Col - 1 : c.Col + 1, 1);
            grid->SetOptions(c.Editing ? grid->Options().Include(goEditing) : grid->Options().Exclude(goEditing));
        }
        Key(c.Key);
        EXPECT_EQ(grid->Col(), c.Col);
        EXPECT_EQ(grid->Options().Contains(goEditing), c.EditingAfter) << "into column " << c.Col;
    }
    GoTo(2, 3);
    Input::Type(form, "x");
    EXPECT_FALSE(InplaceShown()) << "a read-only cell is not typed into";
    EXPECT_EQ(grid->Cells(2, 3), "");
}

// An application's editor: a plain edit the link places on the grid (inline) or on the grid's pop-up form.
class TTestEditLink : public TEditLink {
public:
    explicit TTestEditLink(TComponent* AOwner) : TEditLink(AOwner) {}
    TWinControl* GetEditControl() override { return edit; }
    void CreateEditor(TWinControl* AParent) override {
        calls.push_back("create");
        if (!edit) edit = new TEdit(AParent);
        edit->SetParent(AParent);
    }
    void SetFocus(bool Value) override {
        if (Value) edit->SetFocus();
    }
    void SetRect(TRect R) override {
        rect = R;
        edit->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    }
    void SetVisible(bool Value) override {
        calls.push_back(Value ? "show" : "hide");
        edit->SetVisible(Value);
    }
    void SetProperties() override { calls.push_back("properties"); }
    void SetCellProps(TColor AColor, TFont*) override { color = AColor; }
    void GetEditValue(AnsiString& S) override { S = edit->Text(); }
    void SetEditValue(const AnsiString& S) override {
        calls.push_back("value " + S);
        edit->SetText(S);
    }
    TEdit* edit = nullptr;
    std::vector<AnsiString> calls;
    TRect rect;
    TColor color = clNone;
};

TEST_F(ProGridEditingTest, AnApplicationsEditorEditsACustomCellAndWritesOnlyAChangedValue) {
    auto* link = new TTestEditLink(form);
    grid->SetEditLink(link);
    grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& Editor) { Editor = BaseGrid::edCustom; };
    grid->OnGetCellColor = [](TObject*, Integer, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
        ABrush->SetColor(clYellow);
    };
    int done = 0, written = 0;
    grid->OnEditingDone = [&](TObject*) { ++done; };
    grid->OnSetEditText = [&](TObject*, Integer, Integer, const AnsiString&) { ++written; };
    struct Case {
        const char* Typed;  // nullptr: left as opened
        const char* Stored;
        int Written;
    };
    const Case cases[] = {{nullptr, "<b>bold</b>", 0}, {"z", "z", 1}};
    for (const Case& c : cases) {
        grid->SetCells(2, 2, "<b>bold</b>");
        GoTo(2, 2);
        done = written = 0;
        link->calls.clear();
        Key(VK_F2);
        ASSERT_TRUE(link->edit && link->edit->Focused());
        EXPECT_EQ(link->calls, (std::vector<AnsiString>{"create", "show", "properties", "value bold"}));
        EXPECT_EQ(link->rect, Rect(128, 48, 192, 72));
        EXPECT_EQ(link->color, clYellow);
        EXPECT_EQ(link->EditCell(), Point(2, 2));
        if (c.Typed) {
            link->edit->SelectAll();
            Input::Type(form, c.Typed);
        }
        Input::Click(grid, 64 + 10, 24 * 4 + 10);  // another cell
        EXPECT_EQ(At(), Cell(1, 4));
        EXPECT_EQ(grid->Cells(2, 2), c.Stored);
        EXPECT_EQ(written, c.Written);
        EXPECT_EQ(done, 1);
        EXPECT_FALSE(link->edit->Visible());
    }
}

TEST_F(ProGridEditingTest, APopupEditorLivesOnTheGridsOwnFormAtTheCell) {
    auto* link = new TTestEditLink(form);
    link->SetEditStyle(esPopup);
    link->SetAutoPopupWidth(true);
    link->SetPopupHeight(50);
    grid->SetEditLink(link);
    grid->OnGetEditorType = [](TObject*, Integer, Integer, TEditorType& Editor) { Editor = BaseGrid::edCustom; };
    GoTo(3, 1);
    Testing::KeyDown(form, VK_F2);  // the pop-up takes the activation: the release goes to it
    TForm* popup = link->PopupForm();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->Owner(), grid);
    EXPECT_TRUE(popup->Visible());
    const TPoint at = grid->ClientToScreen(Point(192, 24));
    EXPECT_EQ(popup->BoundsRect(), Rect(at.X, at.Y, at.X + 64, at.Y + 50));
    EXPECT_EQ(link->rect, Rect(0, 0, 64, 50));
    link->edit->SetText("q");
    grid->SetCol(1);
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(grid->Cells(3, 1), "q");
}

TEST_F(ProGridEditingTest, TheColumnSizingEventCanRefuseADrag) {
    grid->SetOptions(grid->Options().Include(goColSizing));
    for (bool allow : {false, true}) {
        std::vector<Integer> asked;
        grid->OnColumnSize = [&](TObject*, Integer ACol, bool& Allow) {
            asked.push_back(ACol);
            Allow = allow;
        };
        grid->SetColWidths(1, 64);
        Testing::MouseDown(grid, 128, 10);
        Testing::MouseMove(grid, 150, 10, TShiftState{ssLeft});
        Testing::MouseUp(grid, 150, 10);
        ASSERT_FALSE(asked.empty());
        EXPECT_EQ(asked.back(), 1);
        EXPECT_EQ(grid->ColWidths(1), allow ? 86 : 64);
    }
}

TEST_F(ProGridEditingTest, SwitchingIntegralHeightOnFitsTheHeightToWholeRows) {
    grid->SetColCount(3);  // no horizontal scroll bar
    grid->SetBorderStyle(bsSingle);
    grid->SetDefaultRowHeight(21);
    grid->SetHeight(100);
    EXPECT_EQ(grid->Height(), 100);
    grid->SetIntegralHeight(true);
    EXPECT_EQ(grid->Height(), 88);
}

}  // namespace
