#include "GridFixture.h"
#include "vcl/Clock.h"
#include "vcl/Grids.h"

namespace {

// Counts how often the grid is asked whether its editor may show, and which cells it draws.
class CountingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    int editShowAsked = 0;
    bool refuseEditor = false;
    std::vector<TGridCoord> drawn;

protected:
    bool CanEditShow() override {
        ++editShowAsked;
        return !refuseEditor && TStringGrid::CanEditShow();
    }
    void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override {
        drawn.push_back({ACol, ARow});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};

class InplaceEditTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<CountingGrid>(0, 0, 300, 150);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        grid->SetCells(1, 1, "old");
        after = Place<TEdit>(0, 200, 100, 21);
        Input::TabTo(grid);
    }
    bool EditorShows() const { return grid->InplaceEditor() && grid->InplaceEditor()->Visible(); }

    CountingGrid* grid = nullptr;
    TEdit* after = nullptr;
};

TEST_F(InplaceEditTest, TypingOpensTheEditorWithTheCharacterAndWritesTheCellAtEveryKeystroke) {
    std::vector<AnsiString> written;
    grid->OnSetEditText = [&](TObject*, Integer, Integer, const AnsiString& Value) { written.push_back(Value); };
    Input::Type(grid, "a");
    ASSERT_TRUE(EditorShows());
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(grid->InplaceEditor()->Focused());
    EXPECT_EQ(form->ActiveControl(), grid);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "a");
    Input::Type(grid->InplaceEditor(), "bc");
    EXPECT_EQ(grid->Cells(1, 1), "abc");
    EXPECT_EQ(written, (std::vector<AnsiString>{"a", "ab", "abc"}));
}

TEST_F(InplaceEditTest, EscapeBringsBackTheTextTheCellHadWhenTheEditorOpened) {
    Input::Type(grid, "xy");
    ASSERT_EQ(grid->Cells(1, 1), "xy");
    Input::Key(grid->InplaceEditor(), VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "old");
    EXPECT_FALSE(EditorShows());
    EXPECT_TRUE(grid->Focused());
}

TEST_F(InplaceEditTest, EnterSelectsTheCellsTextF2PutsTheCaretAfterItAndEnterCloses) {
    struct Case {
        Word Key;
        Integer SelStart, SelLength;
        const char* TypedGives;
    };
    const Case cases[] = {{VK_RETURN, 0, 3, "x"}, {VK_F2, 3, 0, "oldx"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Key);
        grid->SetCells(1, 1, "old");
        Input::Key(grid, c.Key);
        ASSERT_TRUE(EditorShows());
        EXPECT_EQ(grid->InplaceEditor()->Text(), "old");
        EXPECT_EQ(grid->InplaceEditor()->SelStart(), c.SelStart);
        EXPECT_EQ(grid->InplaceEditor()->SelLength(), c.SelLength);
        EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 1));
        Input::Type(grid->InplaceEditor(), "x");
        EXPECT_EQ(grid->Cells(1, 1), c.TypedGives);
        Input::Key(grid->InplaceEditor(), VK_RETURN);
        EXPECT_FALSE(EditorShows());
        EXPECT_TRUE(grid->Focused());
    }
    grid->SetEditorMode(true);  // as F2
    EXPECT_EQ(grid->InplaceEditor()->SelStart(), 4);
    EXPECT_EQ(grid->InplaceEditor()->SelLength(), 0);
}

TEST_F(InplaceEditTest, TheGridsKeyHandlersHearWhatIsTypedIntoTheEditor) {
    grid->OnKeyPress = [](TObject*, char& Key) {
        if (Key >= 'a' && Key <= 'z') Key = 0;
    };
    std::vector<TObject*> keyDownSenders;
    grid->OnKeyDown = [&](TObject* Sender, Word&, TShiftState) { keyDownSenders.push_back(Sender); };
    grid->SetCells(1, 1, "");
    Input::Type(grid, "a1b2");
    EXPECT_EQ(grid->Cells(1, 1), "12");
    ASSERT_TRUE(EditorShows());
    ASSERT_EQ(keyDownSenders.size(), 4u);
    for (TObject* sender : keyDownSenders) EXPECT_EQ(sender, grid);
    // A key-down handler that clears the key keeps it from the editor.
    grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
        if (Key == VK_DELETE) Key = 0;
    };
    grid->InplaceEditor()->SetSelStart(0);
    Input::Key(grid->InplaceEditor(), VK_DELETE);
    EXPECT_EQ(grid->Cells(1, 1), "12");
}

TEST_F(InplaceEditTest, SidewaysKeysLeaveTheEditorOnlyWhenItAlwaysShowsAndTheCaretIsAtThatEdge) {
    struct Case {
        bool AlwaysShown;
        Integer SelStart, SelLength;
        Word Key;
        TShiftState Shift;
        Integer Col;  // 2 before the key
    };
    const Case cases[] = {
        {false, 0, 0, VK_LEFT, {}, 2},      {false, 3, 0, VK_RIGHT, {}, 2},      {false, 0, 0, VK_HOME, {}, 2},
        {false, 3, 0, VK_END, {}, 2},       {false, 1, 0, VK_HOME, {ssCtrl}, 2}, {true, 0, 0, VK_LEFT, {}, 1},
        {true, 1, 0, VK_LEFT, {}, 2},       {true, 0, 3, VK_LEFT, {}, 1},        {true, 3, 0, VK_RIGHT, {}, 3},
        {true, 2, 0, VK_RIGHT, {}, 2},      {true, 0, 3, VK_RIGHT, {}, 3},       {true, 1, 2, VK_RIGHT, {}, 2},
        {true, 0, 0, VK_HOME, {}, 1},       {true, 3, 0, VK_END, {}, 9},         {true, 1, 0, VK_END, {}, 2},
        {true, 1, 0, VK_HOME, {ssCtrl}, 1},
    };
    grid->SetColCount(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AlwaysShown << " " << c.SelStart << "+" << c.SelLength << " key "
                                        << c.Key);
        grid->SetOptions(c.AlwaysShown ? grid->Options() + TGridOptions{goAlwaysShowEditor}
                                       : grid->Options() - TGridOptions{goAlwaysShowEditor});
        grid->SetCells(2, 1, "abc");
        grid->SetCol(2);
        grid->SetRow(1);
        grid->SetLeftCol(1);
        Input::Key(grid, VK_F2);
        ASSERT_TRUE(EditorShows());
        grid->InplaceEditor()->SetSelStart(c.SelStart);
        grid->InplaceEditor()->SetSelLength(c.SelLength);
        Input::Key(grid->InplaceEditor(), c.Key, c.Shift);
        EXPECT_EQ(grid->Col(), c.Col);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_TRUE(EditorShows());
        if (grid->Col() == 2) {
            EXPECT_TRUE(grid->InplaceEditor()->Focused());
        }
        Input::Key(grid->InplaceEditor(), VK_ESCAPE);
    }
}

TEST_F(InplaceEditTest, EnterTogglesTheSelectionOfAnEditorThatAlwaysShows) {
    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShows());
    TInplaceEdit* editor = grid->InplaceEditor();
    EXPECT_EQ(editor->SelLength(), 3);
    Input::Key(editor, VK_RETURN);
    EXPECT_TRUE(EditorShows());
    EXPECT_EQ(editor->SelStart(), 3);
    EXPECT_EQ(editor->SelLength(), 0);
    Input::Key(editor, VK_RETURN);
    EXPECT_TRUE(EditorShows());
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_EQ(editor->SelLength(), 3);
}

TEST_F(InplaceEditTest, BackspaceOpensTheEditorAndEmptiesTheCell) {
    Input::Key(grid, VK_BACK);
    ASSERT_TRUE(EditorShows());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "");
    EXPECT_EQ(grid->Cells(1, 1), "");
    Input::Key(grid->InplaceEditor(), VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "old");
}

TEST_F(InplaceEditTest, APressOnTheCurrentCellOpensTheEditorAndADragMovesNothing) {
    TTestClock clock;
    const TRect next = grid->CellRect(2, 2);
    Input::Click(grid, next.Left + 5, next.Top + 5);  // another cell: it becomes current, nothing opens
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(EditorShows());
    clock.Advance(GetDoubleClickTime() + 1);
    Testing::MouseDown(grid, next.Left + 5, next.Top + 5);
    EXPECT_TRUE(EditorShows());
    Testing::MouseUp(grid, next.Left + 5, next.Top + 5);
    Input::Key(grid->InplaceEditor(), VK_RETURN);

    const TRect first = grid->CellRect(1, 1), far = grid->CellRect(3, 3);
    Testing::MouseDown(grid, first.Left + 5, first.Top + 5);
    Testing::MouseMove(grid, far.Left + 5, far.Top + 5, {ssLeft});
    Testing::MouseUp(grid, far.Left + 5, far.Top + 5);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(InplaceEditTest, TheEditorFollowsItsCellWhenTheGridScrollsAndHidesWhileTheCellIsOutOfView) {
    grid->SetRowCount(50);
    Input::Type(grid, "ab");
    ASSERT_TRUE(EditorShows());
    grid->SetTopRow(1);
    grid->SetLeftCol(2);  // the column goes out of view
    EXPECT_FALSE(EditorShows());
    EXPECT_TRUE(grid->Focused());
    EXPECT_TRUE(grid->EditorMode());
    grid->SetLeftCol(1);
    ASSERT_TRUE(EditorShows());
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 1));
    EXPECT_TRUE(grid->InplaceEditor()->Focused());
    Input::Type(grid->InplaceEditor(), "c");
    EXPECT_EQ(grid->Cells(1, 1), "abc");

    grid->SetColCount(5);
    grid->SetRow(3);
    Input::Key(grid, VK_F2);
    grid->SetTopRow(2);  // a scroll that keeps the cell in view moves the editor with it
    ASSERT_TRUE(EditorShows());
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 3));
    grid->SetTopRow(10);
    EXPECT_FALSE(EditorShows());
    Input::Type(grid, "z");  // typing brings the cell back and goes on in its text
    EXPECT_TRUE(EditorShows());
    EXPECT_EQ(grid->Cells(1, 3), "z");
    EXPECT_EQ(grid->Cells(1, 10), "");
}

TEST_F(InplaceEditTest, ACodeWriteToTheCurrentCellShowsInTheOpenEditorAllSelected) {
    Input::Key(grid, VK_F2);
    grid->SetCells(1, 1, "from code");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "from code");
    EXPECT_EQ(grid->InplaceEditor()->SelStart(), 0);
    EXPECT_EQ(grid->InplaceEditor()->SelLength(), 9);
    grid->SetCells(2, 1, "elsewhere");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "from code");
}

TEST_F(InplaceEditTest, OnGetEditTextStartsFromTheCellsText) {
    std::vector<AnsiString> given;
    grid->OnGetEditText = [&](TObject*, Integer, Integer, AnsiString& Value) {
        given.push_back(Value);
        Value += "!";
    };
    Input::Key(grid, VK_F2);
    EXPECT_EQ(given, std::vector<AnsiString>{"old"});
    EXPECT_EQ(grid->InplaceEditor()->Text(), "old!");
}

TEST_F(InplaceEditTest, TheWheelOverTheOpenEditorMovesTheGridsRowAndClosesTheEditor) {
    Input::Key(grid, VK_F2);
    ASSERT_TRUE(EditorShows());
    Testing::Wheel(grid->InplaceEditor(), 5, 5, -WHEEL_DELTA);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(EditorShows());
    EXPECT_TRUE(grid->Focused());
}

TEST_F(InplaceEditTest, UpAndDownLeaveTheEditorAndMoveTheCurrentCell) {
    Input::Type(grid, "n");
    Input::Key(grid->InplaceEditor(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(EditorShows());
    EXPECT_EQ(grid->Cells(1, 1), "n");
    Input::Type(grid, "pq");
    Input::Key(grid->InplaceEditor(), VK_UP);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 2), "pq");
}

TEST_F(InplaceEditTest, LosingTheFocusWritesTheTextAndHidesTheEditor) {
    std::vector<AnsiString> written;
    Input::Type(grid, "z");
    grid->OnSetEditText = [&](TObject*, Integer, Integer, const AnsiString& Value) { written.push_back(Value); };
    Input::Click(after, 5, 5);
    EXPECT_TRUE(after->Focused());
    EXPECT_FALSE(EditorShows());
    EXPECT_EQ(written, std::vector<AnsiString>{"z"});
    EXPECT_EQ(grid->Cells(1, 1), "z");
}

TEST_F(InplaceEditTest, CanEditShowIsAskedTwiceWhenTheEditorShowsAndOnceWhenItMayNot) {
    grid->editShowAsked = 0;
    Input::Key(grid, VK_F2);
    EXPECT_EQ(grid->editShowAsked, 2);
    Input::Key(grid->InplaceEditor(), VK_RETURN);
    grid->refuseEditor = true;
    grid->editShowAsked = 0;
    Input::Key(grid, VK_F2);
    EXPECT_EQ(grid->editShowAsked, 1);
    EXPECT_FALSE(EditorShows());
}

TEST_F(InplaceEditTest, NoEditorWithoutEditingAndOptionsThatRemoveEditingHideIt) {
    grid->SetOptions(grid->Options() - TGridOptions{goEditing});
    Input::Type(grid, "a");
    Input::Key(grid, VK_F2);
    EXPECT_FALSE(EditorShows());
    EXPECT_EQ(grid->Cells(1, 1), "old");

    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    Input::Type(grid, "b");
    ASSERT_TRUE(EditorShows());
    grid->SetOptions(grid->Options() - TGridOptions{goEditing});
    EXPECT_FALSE(EditorShows());
    EXPECT_EQ(grid->Cells(1, 1), "b");
}

TEST_F(InplaceEditTest, TheEditorKeepsCoveringItsCellWhenSizesChange) {
    Input::Key(grid, VK_F2);
    grid->SetColWidths(0, 30);
    grid->SetColWidths(1, 100);
    grid->SetRowHeights(1, 40);
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 1));
}

TEST_F(InplaceEditTest, TheFocusedCellIsNotDrawnUnderTheOpenEditor) {
    Input::Key(grid, VK_F2);
    grid->drawn.clear();
    grid->Invalidate();
    Input::Settle();
    std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
    const auto focused = std::count(grid->drawn.begin(), grid->drawn.end(), TGridCoord{1, 1});
    const auto neighbour = std::count(grid->drawn.begin(), grid->drawn.end(), TGridCoord{2, 1});
    EXPECT_EQ(focused, 0);
    EXPECT_GE(neighbour, 1);
}

}  // namespace

namespace {

class AlwaysShownEditorTest : public InplaceEditTest {
protected:
    void SetUp() override {
        InplaceEditTest::SetUp();
        grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor, goTabs});
    }
};

TEST_F(AlwaysShownEditorTest, TheEditorFollowsTheCurrentCellAndTabLeavesItForTheNextCell) {
    ASSERT_TRUE(EditorShows());
    EXPECT_EQ(grid->InplaceEditor()->Text(), "old");
    Input::Key(grid->InplaceEditor(), VK_TAB);
    EXPECT_EQ(grid->Col(), 2);
    ASSERT_TRUE(EditorShows());
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(2, 1));
    EXPECT_EQ(grid->InplaceEditor()->Text(), "");
    Input::Key(grid->InplaceEditor(), VK_TAB, {ssShift});
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "old");
}

TEST_F(AlwaysShownEditorTest, APressOnTheEditorSoonAfterThePressThatBroughtItIsADoubleClick) {
    TTestClock clock;
    int doubleClicks = 0;
    grid->InplaceEditor()->OnDblClick = Counter(doubleClicks);
    const TRect next = grid->CellRect(2, 1);
    Input::Click(grid, next.Left + 5, next.Top + 5);
    ASSERT_EQ(grid->InplaceEditor()->BoundsRect(), next);
    clock.Advance(GetDoubleClickTime() - 1);
    Input::Click(grid->InplaceEditor(), 5, 5);
    EXPECT_EQ(doubleClicks, 1);

    const TRect back = grid->CellRect(1, 1);
    Input::Click(grid, back.Left + 5, back.Top + 5);
    clock.Advance(GetDoubleClickTime());
    Input::Click(grid->InplaceEditor(), 5, 5);
    EXPECT_EQ(doubleClicks, 1);
}

}  // namespace

namespace {

TEST_F(InplaceEditTest, TabbingIntoAGridWhoseEditorAlwaysShowsPutsTheFocusInTheEditor) {
    Input::TabTo(after);
    grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorShows());
    Input::Key(after, VK_TAB);
    EXPECT_TRUE(grid->InplaceEditor()->Focused());
    EXPECT_EQ(form->ActiveControl(), grid);
    Input::Type(grid, "new");
    EXPECT_EQ(grid->Cells(1, 1), "new");
    // Esc hands the focus back to the grid, which keeps it.
    Input::Key(grid->InplaceEditor(), VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "old");
}

// A press on a fixed cell moves nothing, whether the editor was open or not, shown always or not; the
// next character typed edits the current cell.
TEST_F(InplaceEditTest, ACharacterTypedAfterAPressOnAFixedCellEditsTheCurrentCell) {
    struct Case {
        const char* Name;
        Integer X, Y;
        bool AlwaysShown, EditorOpen;
        const char* Typed;  // the cell afterwards
        bool FocusedBefore = true;
    };
    const Case cases[] = {
        {"fixed column", 10, 30, false, false, "q"},
        {"fixed row, editor open", 100, 10, false, true, "xq"},
        {"fixed corner, editor always shown", 10, 10, true, false, "q"},
        {"fixed column, editor always shown and typed into", 10, 30, true, true, "xq"},
        {"fixed column of a grid without the focus", 10, 30, false, false, "q", false},
        {"fixed row of a grid without the focus, editor always shown", 100, 10, true, false, "q", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetOptions(c.AlwaysShown ? grid->Options() + TGridOptions{goAlwaysShowEditor}
                                       : grid->Options() - TGridOptions{goAlwaysShowEditor});
        grid->SetCells(1, 1, "old");
        Input::TabTo(after);
        if (c.FocusedBefore) Input::Key(after, VK_TAB);
        if (c.EditorOpen) Input::Type(grid, "x");
        Input::Click(grid, c.X, c.Y);
        EXPECT_EQ(grid->Col(), 1);
        EXPECT_EQ(grid->Row(), 1);
        Input::Type(grid, "q");
        ASSERT_TRUE(EditorShows());
        EXPECT_EQ(grid->Cells(1, 1), c.Typed);
        Input::Key(grid->InplaceEditor(), VK_ESCAPE);
    }
}

TEST_F(InplaceEditTest, EachTypedCharacterReachesTheGridsOnKeyPressOnce) {
    std::string heard;
    grid->OnKeyPress = [&heard](TObject*, char& Key) { heard += Key; };
    Input::Type(grid, "ab");
    EXPECT_EQ(heard, "ab");
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    Input::Key(grid->InplaceEditor(), VK_BACK);
    EXPECT_EQ(heard, "ab\b");
}

}  // namespace
