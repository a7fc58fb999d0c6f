#include "GridFixture.h"
#include "vcl/Grids.h"
#include "vcl/Windows.h"

namespace {

// 300 x 150 with both bars of the system's width: four whole rows of 25 pixels below the fixed one.
class GridScrollBarsTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = PlaceGrid(ssBoth);
        Input::Settle();
    }
    SCROLLINFO Bar(int Which) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(grid->Handle(), Which, &info));
        return info;
    }
    TStringGrid* grid = nullptr;
};

TEST_F(GridScrollBarsTest, BarsShowWhereThereIsSomethingToScrollAndTakeTheirPlaceFromTheClient) {
    const Integer bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(grid->ClientWidth(), 300 - bar);
    EXPECT_EQ(grid->ClientHeight(), 150 - bar);
    EXPECT_EQ(Bar(SB_VERT).nMax, 95);  // the last page starts at row 96
    EXPECT_EQ(Bar(SB_HORZ).nMax, 6);
    grid->SetRowCount(4);
    EXPECT_EQ(grid->ClientHeight(), 150 - bar);  // the horizontal bar stays
    EXPECT_EQ(grid->ClientWidth(), 300);
    grid->SetColCount(4);
    EXPECT_EQ(grid->ClientHeight(), 150);
    grid->SetRowCount(100);
    grid->SetScrollBars(ssHorizontal);
    EXPECT_EQ(grid->ClientWidth(), 300);
}

TEST_F(GridScrollBarsTest, PressingTheArrowAndTheTroughScrollsWithoutMovingTheCurrentCell) {
    Input::Click(grid, 291, 125);  // the down arrow
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 1);
    Input::Click(grid, 291, 105);  // the trough below the thumb
    EXPECT_EQ(grid->TopRow(), 6);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 5);
    Input::Click(grid, 275, 141);  // the right arrow
    EXPECT_EQ(grid->LeftCol(), 2);
    Input::TabTo(grid);
    Input::Key(grid, VK_END, {ssCtrl});  // the bar follows the keys
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 95);
}

TEST_F(GridScrollBarsTest, LargeCountsScaleTheBarToHundredTwentySevenSteps) {
    grid->SetRowCount(1000000);
    EXPECT_EQ(Bar(SB_VERT).nMax, 127);
    Input::TabTo(grid);
    Input::Key(grid, VK_END, {ssCtrl});
    const Integer last = grid->TopRow();
    EXPECT_GT(last, 999990);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 127);
    // A thumb position the test style cannot place exactly: the message the bar sends at its release.
    grid->Perform(WM_VSCROLL, SB_THUMBPOSITION | (64 << 16), 0);
    const Integer middle = 1 + static_cast<Integer>((64LL * (last - 1) + 63) / 127);  // 64/127 of the way
    EXPECT_EQ(grid->TopRow(), middle);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 64);
    grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (10 << 16), 0);  // no thumb tracking: nothing moves
    EXPECT_EQ(grid->TopRow(), middle);
    grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
    grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (127 << 16), 0);
    EXPECT_EQ(grid->TopRow(), last);
}

}  // namespace
