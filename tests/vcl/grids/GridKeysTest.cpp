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
    // Five rows and three and a half columns show beside the fixed ones.
    Walk(grid, {
                   {VK_DOWN, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_RIGHT, {}, {2, 2, 2, 2}, 2, 2, 1, 1},
                   {VK_END, {}, {9, 2, 9, 2}, 9, 2, 7, 1},
                   {VK_HOME, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
                   {VK_NEXT, {}, {1, 7, 1, 7}, 1, 7, 1, 6},
                   {VK_PRIOR, {}, {1, 2, 1, 2}, 1, 2, 1, 1},
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

TEST_F(GridKeysTest, RowSelectScrollsSidewaysAndMovesWholeRows) {
    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
    Walk(grid, {
                   {VK_RIGHT, {}, {1, 1, 9, 1}, 1, 1, 2, 1},
                   {VK_DOWN, {}, {1, 2, 9, 2}, 1, 2, 2, 1},
                   {VK_END, {}, {1, 99, 9, 99}, 1, 99, 2, 95},
               });
}

TEST_F(GridKeysTest, AKeyDownHandlerThatClearsTheKeyStopsTheMove) {
    grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) { Key = 0; };
    Input::Key(grid, VK_DOWN);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridKeysTest, TheWheelMovesTheCurrentRow) {
    Testing::Wheel(grid, 100, 60, -120);
    Testing::Wheel(grid, 100, 60, -120);
    EXPECT_EQ(grid->Row(), 3);
    Testing::Wheel(grid, 100, 60, 120);
    EXPECT_EQ(grid->Row(), 2);
}

}  // namespace
