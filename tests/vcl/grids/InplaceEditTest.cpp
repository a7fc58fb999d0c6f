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

TEST_F(InplaceEditTest, EnterAndF2OpenTheEditorOnTheCellsTextAndEnterClosesIt) {
    for (Word key : {Word(VK_RETURN), Word(VK_F2)}) {
        SCOPED_TRACE(key);
        Input::Key(grid, key);
        ASSERT_TRUE(EditorShows());
        EXPECT_EQ(grid->InplaceEditor()->Text(), "old");
        EXPECT_EQ(grid->InplaceEditor()->SelLength(), 3);
        const TRect cell = grid->CellRect(1, 1);
        EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), cell);
        Input::Key(grid->InplaceEditor(), VK_RETURN);
        EXPECT_FALSE(EditorShows());
        EXPECT_TRUE(grid->Focused());
    }
}

TEST_F(InplaceEditTest, ArrowsLeaveTheEditorAndMoveTheCurrentCell) {
    Input::Type(grid, "n");
    Input::Key(grid->InplaceEditor(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(EditorShows());
    EXPECT_EQ(grid->Cells(1, 1), "n");
    // Left and right move the caret within the text first, then the current cell.
    Input::Type(grid, "pq");
    Input::Key(grid->InplaceEditor(), VK_LEFT);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_TRUE(EditorShows());
    Input::Key(grid->InplaceEditor(), VK_RIGHT);
    Input::Key(grid->InplaceEditor(), VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2);
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

TEST_F(InplaceEditTest, ACodeWriteToTheCurrentCellShowsInTheOpenEditor) {
    Input::Key(grid, VK_F2);
    grid->SetCells(1, 1, "from code");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "from code");
    grid->SetCells(2, 1, "elsewhere");
    EXPECT_EQ(grid->InplaceEditor()->Text(), "from code");
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
