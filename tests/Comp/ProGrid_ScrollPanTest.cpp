// Middle-button panning as the user does it: the press shows the origin mark and the pan cursor, the
// mouse moved away from the origin moves the current cell a step per tick of the pan timer with the
// cursor of that direction, and the next press or key ends it.
#include <memory>

#include <gtest/gtest.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "support/InputSimulator.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"

using namespace ProGrid;

namespace {

// The grid unit registers the marks and cursors with the grid's other resources.
class ProGridScrollPanTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 380, 280);
        grid->SetColCount(30);
        grid->SetRowCount(200);
        grid->SetFixedCols(1);
        Input::TabTo(grid);
    }
    void TearDown() override {
        FormFixture::TearDown();
        timers.reset();
    }
    static HCURSOR Cursor(Word Id) { return LoadCursor(HInstance, MAKEINTRESOURCE(Id)); }
    // Ticks of the pan timer (10 ms each).
    void Ticks(int Count) {
        timers->Advance(10 * static_cast<UInt64>(Count));
        Input::Settle();
    }
    // The colour the window shows at a point of the grid's client area.
    TColor Shown(Integer X, Integer Y) const {
        std::unique_ptr<TBitmap> shot(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(shot->Canvas()->Pixels(at.X, at.Y));
    }

    TTestClock clock;
    std::unique_ptr<TManualTimerService> timers = std::make_unique<TManualTimerService>(clock);
    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridScrollPanTest, TheMiddlePressShowsTheMarkAndThePanCursorUntilTheNextPress) {
    ASSERT_NE(Cursor(8000), nullptr);
    Testing::MouseDown(grid, 100, 80, mbMiddle);
    Testing::MouseUp(grid, 100, 80, mbMiddle);
    EXPECT_TRUE(grid->Panning());
    EXPECT_EQ(GetCursor(), Cursor(8000));
    // The mark's dot in the middle of its square, on white; the square's corner white too.
    EXPECT_EQ(Shown(100 + 16, 80 + 16), ColorToRGB(clBlack));
    EXPECT_EQ(Shown(100 + 1, 80 + 1), ColorToRGB(clWhite));
    const TColor cellColour = Shown(200, 200);

    Testing::MouseDown(grid, 200, 150);
    EXPECT_FALSE(grid->Panning());
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(Shown(100 + 16, 80 + 16), cellColour);
    // The press went on to the grid: it chose the cell under it.
    TPoint cell = grid->MouseToCellEx(grid->ClientToScreen(Point(200, 150)).X, grid->ClientToScreen(Point(200, 150)).Y);
    EXPECT_EQ(grid->Row(), cell.Y);
    Testing::MouseUp(grid, 200, 150);
}

TEST_F(ProGridScrollPanTest, EachTickStepsTowardsTheMouseWithTheCursorOfItsDirection) {
    struct Case {
        const char* Name;
        TIntelliPan Pan;
        Integer DX, DY;  // where the mouse rests, from the origin
        Word Cursor;
        Integer ColSteps, RowSteps;  // per tick
    };
    const Case cases[] = {
        {"resting near the origin", ipBoth, 4, -5, 8000, 0, 0},
        {"below", ipBoth, 0, 40, 8001, 0, 1},
        {"left", ipBoth, -40, 2, 8002, -1, 0},
        {"right", ipBoth, 40, 0, 8003, 1, 0},
        {"above", ipBoth, 0, -40, 8004, 0, -1},
        {"above right", ipBoth, 40, -40, 8005, 1, -1},
        {"above left", ipBoth, -40, -40, 8006, -1, -1},
        {"below right", ipBoth, 40, 40, 8007, 1, 1},
        {"below left", ipBoth, -40, 40, 8008, -1, 1},
        {"below left, rows only", ipVertical, -40, 40, 8001, 0, 1},
        {"below left, columns only", ipHorizontal, -40, 40, 8002, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetIntelliPan(c.Pan);
        grid->SetCol(10);
        grid->SetRow(50);
        Testing::MouseDown(grid, 150, 120, mbMiddle);
        Testing::MouseUp(grid, 150, 120, mbMiddle);
        Testing::MouseMove(grid, 150 + c.DX, 120 + c.DY);
        Ticks(3);
        EXPECT_EQ(GetCursor(), Cursor(c.Cursor));
        EXPECT_EQ(grid->Col(), 10 + 3 * c.ColSteps);
        EXPECT_EQ(grid->Row(), 50 + 3 * c.RowSteps);
        Testing::KeyPress(grid, VK_SHIFT);  // any key ends it
        EXPECT_FALSE(grid->Panning());
    }
}

TEST_F(ProGridScrollPanTest, PanningStopsAtTheScrollableEdgesAndScrollsTheView) {
    grid->SetIntelliPan(ipBoth);
    grid->SetFixedRightCols(1);
    grid->SetCol(27);
    grid->SetRow(197);
    Testing::MouseDown(grid, 150, 120, mbMiddle);
    Testing::MouseMove(grid, 300, 250);
    Ticks(5);
    EXPECT_EQ(grid->Col(), 28);   // the fixed right column is never entered
    EXPECT_EQ(grid->Row(), 199);  // the last row
    Testing::MouseMove(grid, 10, 10);
    Ticks(200);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    // The mark stays drawn over the scrolled cells: a tick draws it again after they are painted.
    Ticks(1);
    EXPECT_EQ(Shown(150 + 16, 120 + 16), ColorToRGB(clBlack));
    Testing::MouseDown(grid, 150, 120, mbMiddle);
    EXPECT_FALSE(grid->Panning());
    Testing::MouseUp(grid, 150, 120, mbMiddle);
}

TEST_F(ProGridScrollPanTest, NoPanningWithoutIntelliPan) {
    grid->SetIntelliPan(ipNone);
    Testing::MouseDown(grid, 100, 80, mbMiddle);
    EXPECT_FALSE(grid->Panning());
    Testing::MouseUp(grid, 100, 80, mbMiddle);
    EXPECT_EQ(GetCursor(), nullptr);
}

}  // namespace
