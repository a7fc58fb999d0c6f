#include "GridFixture.h"
#include "vcl/Grids.h"
#include "vcl/Windows.h"

namespace {

// 300 x 150 with both bars of 17 pixels: four whole rows of 25 pixels below the fixed one.
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
    for (int metric : {SM_CXVSCROLL, SM_CYHSCROLL, SM_CYVSCROLL, SM_CXHSCROLL})
        EXPECT_EQ(GetSystemMetrics(metric), 17) << metric;
    const Integer bar = 17;
    EXPECT_EQ(grid->ClientWidth(), 283);
    EXPECT_EQ(grid->ClientHeight(), 133);
    // Whatever there is to scroll, the bars run 0..127.
    EXPECT_EQ(Bar(SB_VERT).nMax, 127);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 127);
    // The window shows the bar 17 pixels wide: from 283 on, not the cells' white.
    EXPECT_EQ(ShownPixel(form, grid, 282, 60), ColorToRGB(clWindow));
    EXPECT_NE(ShownPixel(form, grid, 283, 60), ColorToRGB(clWindow));
    grid->SetRowCount(4);
    EXPECT_EQ(grid->ClientHeight(), 150 - bar);  // the horizontal bar stays
    EXPECT_EQ(grid->ClientWidth(), 300);
    grid->SetColCount(4);
    EXPECT_EQ(grid->ClientHeight(), 150);
    grid->SetRowCount(100);
    grid->SetScrollBars(ssHorizontal);
    EXPECT_EQ(grid->ClientWidth(), 300);
}

TEST_F(GridScrollBarsTest, TheCornerBetweenTheBarsShowsTheButtonFaceNotTheGridsColour) {
    grid->SetColor(clYellow);
    Input::Settle();
    EXPECT_EQ(ShownPixel(form, grid, 282, 60), ColorToRGB(clYellow));
    for (const TPoint& corner : {Point(283, 133), Point(291, 141), Point(299, 149)})
        EXPECT_EQ(ShownPixel(form, grid, corner.X, corner.Y), ColorToRGB(clBtnFace)) << corner.X << "," << corner.Y;
}

TEST_F(GridScrollBarsTest, PressingTheArrowAndTheTroughScrollsWithoutMovingTheCurrentCell) {
    // Rows 1..96 can be the top row: the bar's 0..127 stand for 95 steps.
    Input::Click(grid, 291, 125);  // the down arrow
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 1);  // MulDiv(1, 127, 95)
    // The trough below the thumb: the last row shown whole (row 5 of 2..5) starts the next page.
    Input::Click(grid, 291, 105);
    EXPECT_EQ(grid->TopRow(), 5);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 5);
    Input::Click(grid, 291, 105);
    EXPECT_EQ(grid->TopRow(), 8);
    Input::Click(grid, 275, 141);  // the right arrow
    EXPECT_EQ(grid->LeftCol(), 2);
    Input::Key(grid, VK_END, {ssCtrl});  // the bar follows the keys
    EXPECT_EQ(grid->TopRow(), 96);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 127);
    // The trough above the thumb: the old top row ends the page.
    Input::Click(grid, 291, 30);
    EXPECT_EQ(grid->TopRow(), 93);
    EXPECT_EQ(grid->Row(), 99);
}

TEST_F(GridScrollBarsTest, APressOnABarFocusesTheGrid) {
    auto* before = Place<TEdit>(0, 200, 100, 21);
    Input::TabTo(before);
    Input::Click(grid, 291, 125);
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(form->ActiveControl(), grid);
}

TEST_F(GridScrollBarsTest, TheThumbsPositionMapsToTheTopRowThroughOneHundredTwentySevenSteps) {
    struct Case {
        Integer Thumb, TopRow;
    };
    // Top rows 1..96: a thumb at p gives 1 + MulDiv(p, 95, 127), and the bar then shows MulDiv(top - 1, 127, 95).
    const Case cases[] = {{0, 1}, {1, 2}, {64, 49}, {126, 95}, {127, 96}};
    for (const Case& c : cases) {
        grid->Perform(WM_VSCROLL, SB_THUMBPOSITION | (c.Thumb << 16), 0);
        EXPECT_EQ(grid->TopRow(), c.TopRow) << c.Thumb;
        EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), MulDiv(c.TopRow - 1, 127, 95)) << c.Thumb;
    }
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
    const Integer middle = 1 + MulDiv(64, last - 1, 127);  // 64/127 of the way
    EXPECT_EQ(grid->TopRow(), middle);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 64);
    grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (10 << 16), 0);  // no thumb tracking: nothing moves
    EXPECT_EQ(grid->TopRow(), middle);
    grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
    grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (127 << 16), 0);
    EXPECT_EQ(grid->TopRow(), last);
}

}  // namespace
