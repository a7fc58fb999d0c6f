#include "GridFixture.h"
#include "vcl/Grids.h"

namespace {

class GridKeysTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = PlaceGrid(ssNone);
        after = Place<TEdit>(0, 200, 100, 21);
        Input::TabTo(grid);
    }
    TStringGrid* grid = nullptr;
    TEdit* after = nullptr;
};

struct KeyStep {
    Word Key;
    TShiftState Shift;
    TGridRect Selection;  // Left, Top, Right, Bottom
    Integer Col, Row, LeftCol, TopRow;
};

void Walk(TStringGrid* Grid, const std::vector<KeyStep>& Steps) {
    int step = 0;
    for (const KeyStep& s : Steps) {
        SCOPED_TRACE(testing::Message() << "step " << step++);
        Input::Key(Grid, s.Key, s.Shift);
        EXPECT_EQ(Grid->Col(), s.Col);
        EXPECT_EQ(Grid->Row(), s.Row);
        EXPECT_EQ(Grid->Selection(), s.Selection);
        EXPECT_EQ(Grid->LeftCol(), s.LeftCol);
        EXPECT_EQ(Grid->TopRow(), s.TopRow);
    }
}

TEST_F(GridKeysTest, ArrowsPagesHomeAndEndMoveTheCurrentCellAndScrollItIntoView) {
    // Five rows and three and a half columns show beside the fixed ones; the row (column) shown last
    // starts the next page.
    Walk(grid, {
                   {VK_DOWN, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_RIGHT, {}, {2, 2, 2, 2}, 2, 2, 1, 1},
                   {VK_END, {}, {9, 2, 9, 2}, 9, 2, 7, 1},
                   {VK_HOME, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_NEXT, {}, {1, 6, 1, 6}, 1, 6, 1, 5},
                   {VK_NEXT, {}, {1, 10, 1, 10}, 1, 10, 1, 9},
                   {VK_PRIOR, {}, {1, 6, 1, 6}, 1, 6, 1, 5},
                   {VK_PRIOR, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_RIGHT, {ssCtrl}, {3, 2, 3, 2}, 3, 2, 3, 1},
                   {VK_LEFT, {ssCtrl}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_UP, {}, {1, 1, 1, 1}, 1, 1, 1, 1},
                   {VK_UP, {}, {1, 1, 1, 1}, 1, 1, 1, 1},
                   {VK_END, {ssCtrl}, {9, 99, 9, 99}, 9, 99, 7, 95},
                   {VK_PRIOR, {ssCtrl}, {9, 95, 9, 95}, 9, 95, 7, 95},
                   {VK_HOME, {ssCtrl}, {1, 1, 1, 1}, 1, 1, 1, 1},
                   {VK_DOWN, {ssCtrl}, {1, 1, 1, 1}, 1, 1, 1, 2},
               });
}

TEST_F(GridKeysTest, ShiftExtendsFromTheAnchorOnlyWithRangeSelect) {
    Walk(grid, {
                   {VK_DOWN, {ssShift}, {1, 1, 1, 2}, 1, 2, 1, 1},
                   {VK_RIGHT, {ssShift}, {1, 1, 2, 2}, 2, 2, 1, 1},
                   {VK_LEFT, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
               });
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    Walk(grid, {{VK_DOWN, {ssShift}, {1, 3, 1, 3}, 1, 3, 1, 1}});
}

TEST_F(GridKeysTest, TabMovesThroughTheCellsWithGoTabsAndLeavesTheGridWithout) {
    grid->SetColCount(3);
    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    Walk(grid, {
                   {VK_TAB, {}, {2, 1, 2, 1}, 2, 1, 1, 1},
                   {VK_TAB, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_TAB, {ssShift}, {2, 1, 2, 1}, 2, 1, 1, 1},
               });
    EXPECT_TRUE(grid->Focused());
    grid->SetOptions(grid->Options() - TGridOptions{goTabs});
    Input::Key(grid, VK_TAB);
    EXPECT_TRUE(after->Focused());
}

TEST_F(GridKeysTest, RowSelectScrollsSidewaysAndUpAndDownBringTheRowsStartBack) {
    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
    Walk(grid, {
                   {VK_RIGHT, {}, {1, 1, 9, 1}, 1, 1, 2, 1},
                   {VK_DOWN, {}, {1, 2, 9, 2}, 1, 2, 1, 1},
                   {VK_RIGHT, {}, {1, 2, 9, 2}, 1, 2, 2, 1},
                   {VK_END, {}, {1, 99, 9, 99}, 1, 99, 2, 95},
                   {VK_UP, {}, {1, 98, 9, 98}, 1, 98, 1, 95},
               });
    grid->SetColCount(12);  // the selection takes in the new columns
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 98, 11, 98}));
}

TEST_F(GridKeysTest, SettingTheFixedCountsItHasKeepsTheCurrentCellSelectionAndScroll) {
    Input::Key(grid, VK_NEXT);
    Input::Key(grid, VK_RIGHT, {ssShift});
    const TGridRect selection = grid->Selection();
    const Integer top = grid->TopRow();
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    EXPECT_EQ(grid->Selection(), selection);
    EXPECT_EQ(grid->TopRow(), top);
    grid->SetFixedRows(2);  // another count starts over
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 1, 2}));
}

TEST_F(GridKeysTest, LoweringTheCountsBelowTheCurrentCellAsksOnSelectCell) {
    std::vector<TGridCoord> asked;
    grid->OnSelectCell = [&](TObject*, Integer ACol, Integer ARow, bool&) { asked.push_back({ACol, ARow}); };
    Input::Key(grid, VK_END, {ssCtrl});
    asked.clear();
    grid->SetRowCount(50);
    grid->SetColCount(5);
    EXPECT_EQ(asked, (std::vector<TGridCoord>{{9, 49}, {4, 49}}));
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 49);
    // A refusal cannot keep the cell outside the grid.
    grid->OnSelectCell = [](TObject*, Integer, Integer, bool& CanSelect) { CanSelect = false; };
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Row(), 9);
}

TEST_F(GridKeysTest, AKeyDownHandlerThatClearsTheKeyStopsTheMove) {
    grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
    Input::Key(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridKeysTest, TheWheelMovesTheCurrentRowOnePerNotchAndPartsOfNotchesAddUp) {
    struct Step {
        std::vector<Integer> Deltas;
        Integer Row;
    };
    const Step steps[] = {
        {{-120, -120}, 3}, {{120}, 2}, {{-360}, 5}, {{-40, -40}, 5}, {{-40}, 6}, {{60, 30}, 6}, {{30, 240}, 3},
    };
    for (const Step& s : steps) {
        for (Integer delta : s.Deltas) Testing::Wheel(grid, 100, 60, delta);
        EXPECT_EQ(grid->Row(), s.Row);
    }
}

TEST_F(GridKeysTest, EveryControlStepsItsWheelByWholeNotches) {
    auto* panel = Place<TPanel>(0, 160, 100, 40);
    int down = 0, up = 0;
    panel->OnMouseWheelDown = [&](TObject* Sender, TShiftState, TPoint, bool& Handled) {
        EXPECT_EQ(Sender, panel);
        ++down;
        Handled = true;
    };
    panel->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++up;
        Handled = true;
    };
    Testing::Wheel(panel, 10, 10, -360);
    EXPECT_EQ(down, 3);
    for (int i = 0; i < 3; ++i) Testing::Wheel(panel, 10, 10, -40);
    EXPECT_EQ(down, 4);
    Testing::Wheel(panel, 10, 10, 250);
    EXPECT_EQ(up, 2);
}

}  // namespace
