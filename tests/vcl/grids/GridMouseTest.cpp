#include <chrono>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "GridFixture.h"
#include "vcl/Clock.h"
#include "vcl/Windows.h"
#include "vcl/Grids.h"

namespace {

class GridMouseTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = PlaceGrid(ssNone);
    }
    void Drag(Integer FromX, Integer FromY, Integer ToX, Integer ToY) {
        Testing::MouseDown(grid, FromX, FromY);
        Testing::MouseMove(grid, ToX, ToY, {ssLeft});
        Testing::MouseUp(grid, ToX, ToY);
    }
    TStringGrid* grid = nullptr;
};

TEST_F(GridMouseTest, AClickFocusesTheGridAndMakesTheCellCurrent) {
    int clicks = 0;
    grid->OnClick = Counter(clicks);
    Input::Click(grid, 140, 85);
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_GE(clicks, 1);
    Input::Click(grid, 10, 85);  // a fixed cell selects nothing
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(GridMouseTest, DraggingSelectsFromThePressedCellWhichStaysCurrent) {
    Drag(70, 30, 200, 60);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridMouseTest, ShiftClickExtendsAndWithoutRangeSelectTheCurrentCellFollows) {
    Input::Click(grid, 70, 30);
    Testing::Click(grid, 140, 85, mbLeft, {ssShift});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    Drag(70, 30, 200, 60);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 2, 3, 2}));
}

// Window timers run on the real clock: the test waits for the ticks.
void WaitFor(const std::function<bool()>& Done, UInt64 Milliseconds) {
    const UInt64 until = ClockTickCount() + Milliseconds;
    while (!Done() && ClockTickCount() < until) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST_F(GridMouseTest, HoldingTheButtonBelowTheGridScrollsOnTheTimerAndTheSelectionFollows) {
    Testing::MouseDown(grid, 70, 30);
    Testing::MouseMove(grid, 70, 170, {ssLeft});
    WaitFor([this] { return grid->TopRow() >= 3; }, 3000);
    Testing::MouseUp(grid, 70, 170);
    const Integer top = grid->TopRow();
    EXPECT_GE(top, 3);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, top + 4}));  // down to the last row shown whole
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(grid->TopRow(), top);
}

TEST_F(GridMouseTest, DraggingALineInTheFixedRowSizesTheColumnWithAnInvertedLineWhileDragging) {
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
    Testing::MouseDown(grid, 129, 10);
    Testing::MouseMove(grid, 150, 10, {ssLeft});
    EXPECT_EQ(ShownPixel(form, grid, 150, 110), ColorToRGB(clBlack));  // clWindow inverted
    Testing::MouseUp(grid, 150, 10);
    EXPECT_EQ(grid->ColWidths(1), 85);
    EXPECT_EQ(ShownPixel(form, grid, 160, 110), ColorToRGB(clWindow));
    Drag(10, 49, 10, 60);  // the line below row 1 in the fixed column
    EXPECT_EQ(grid->RowHeights(1), 35);
    Drag(100, 10, 120, 10);  // no line there: nothing is sized
    EXPECT_EQ(grid->ColWidths(1), 85);
}

TEST_F(GridMouseTest, DraggingAFixedCellMovesItsRowWithOneEvent) {
    grid->SetOptions(grid->Options() + TGridOptions{goRowMoving});
    std::vector<std::pair<Integer, Integer>> moves;
    grid->OnRowMoved = [&](TObject*, Integer From, Integer To) { moves.push_back({From, To}); };
    grid->SetCells(1, 2, "two");
    Drag(10, 60, 10, 110);
    EXPECT_EQ(moves, (std::vector<std::pair<Integer, Integer>>{{2, 4}}));
    EXPECT_EQ(grid->Cells(1, 4), "two");
}

TEST_F(GridMouseTest, PaintsBlockByBlockAndRowByRowAndTheFocusedCellUnhighlighted) {
    grid->SetColCount(3);
    grid->SetRowCount(3);
    std::vector<std::pair<Integer, Integer>> order;
    grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, const TRect&, TGridDrawState) {
        order.push_back({ACol, ARow});
    };
    grid->Invalidate();
    std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
    EXPECT_EQ(order, (std::vector<std::pair<Integer, Integer>>{
                         {0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}, {1, 1}, {2, 1}, {1, 2}, {2, 2}}));
    Drag(70, 30, 140, 55);
    EXPECT_EQ(ShownPixel(form, grid, 100, 40), ColorToRGB(clWindow));  // focused: a focus rectangle only
    EXPECT_EQ(ShownPixel(form, grid, 160, 40), ColorToRGB(clHighlight));
    EXPECT_EQ(ShownPixel(form, grid, 100, 60), ColorToRGB(clHighlight));
    EXPECT_EQ(ShownPixel(form, grid, 250, 60), ColorToRGB(clWindow));  // past the last column
}

TEST_F(GridMouseTest, WideLinesShowInTheirColours) {
    grid->SetGridLineWidth(3);
    struct Probe {
        Integer X, Y;
        TColor Expected;
    };
    // Columns at 67 pixels, rows at 27.
    const Probe probes[] = {{65, 10, clBlack},   {66, 40, clBlack},   {70, 25, clBlack},  {131, 40, clSilver},
                            {133, 40, clSilver}, {150, 52, clSilver}, {150, 60, clWindow}};
    for (const Probe& p : probes)
        EXPECT_EQ(ShownPixel(form, grid, p.X, p.Y), ColorToRGB(p.Expected)) << p.X << "," << p.Y;
}

TEST_F(GridMouseTest, OnlyTheLinesFromTheFirstScrollableCellOnSize) {
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
    struct Case {
        Integer FromX, FromY, ToX, ToY;
        Integer Col0, Col1, Row0, Row1;
    };
    const Case cases[] = {
        {64, 10, 80, 10, 64, 64, 24, 24},    // the fixed column's own line
        {10, 24, 10, 40, 64, 64, 24, 24},    // the fixed row's own line
        {129, 10, 140, 10, 64, 75, 24, 24},  // the first scrollable column's line
        {10, 49, 10, 60, 64, 75, 24, 35},    // the first scrollable row's line
    };
    for (const Case& c : cases) {
        Drag(c.FromX, c.FromY, c.ToX, c.ToY);
        EXPECT_EQ(grid->ColWidths(0), c.Col0) << c.FromX << "," << c.FromY;
        EXPECT_EQ(grid->ColWidths(1), c.Col1) << c.FromX << "," << c.FromY;
        EXPECT_EQ(grid->RowHeights(0), c.Row0) << c.FromX << "," << c.FromY;
        EXPECT_EQ(grid->RowHeights(1), c.Row1) << c.FromX << "," << c.FromY;
    }
}

TEST_F(GridMouseTest, ASilverGridDrawsItsBodyLinesGray) {
    struct Case {
        TColor Color, Lines;
    };
    const Case cases[] = {{clWindow, clSilver}, {clSilver, clGray}, {clWhite, clSilver}};
    for (const Case& c : cases) {
        grid->SetColor(c.Color);
        EXPECT_EQ(ShownPixel(form, grid, 129, 60), ColorToRGB(c.Lines)) << c.Color;  // a body line
        EXPECT_EQ(ShownPixel(form, grid, 64, 60), ColorToRGB(clBlack)) << c.Color;   // a fixed line
    }
}

TEST_F(GridMouseTest, SwitchingCtl3DRepaintsTheFixedCellsEdgesAtOnce) {
    // The fixed cells' raised edge: highlight at their top left with Ctl3D, the fixed colour without.
    EXPECT_EQ(ShownPixel(form, grid, 0, 30), ColorToRGB(clBtnHighlight));
    grid->SetCtl3D(false);
    EXPECT_EQ(ShownPixel(form, grid, 0, 30), ColorToRGB(clBtnFace));
    grid->SetCtl3D(true);
    EXPECT_EQ(ShownPixel(form, grid, 0, 30), ColorToRGB(clBtnHighlight));
}

}  // namespace
