#include <functional>
#include <vector>

#include "GridFixture.h"
#include "vcl/Grids.h"

namespace {

// Opens the grid's protected operations to the tests.
class TTestGrid : public TStringGrid {
public:
    using TCustomGrid::CalcMaxTopLeft;
    using TCustomGrid::DeleteRow;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveRow;
    using TStringGrid::TStringGrid;
};

class GridGeometryTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TTestGrid>(0, 0, 300, 150);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(10);
        grid->SetRowCount(100);
    }
    TTestGrid* grid = nullptr;
};

TEST_F(GridGeometryTest, CellRectIsCutAtTheClientAndEmptyOutOfView) {
    struct Case {
        Integer TopRow, Col, Row;
        TRect Expected;
        const char* What;
    };
    const Case cases[] = {
        {1, 0, 0, Rect(0, 0, 64, 24), "fixed corner"},
        {1, 1, 1, Rect(65, 25, 129, 49), "first body cell"},
        {1, 4, 1, Rect(260, 25, 300, 49), "cut at the right edge"},
        {1, 5, 1, TRect{}, "starts past the right edge"},
        {1, 1, 6, TRect{}, "starts past the bottom"},
        {1, 1, 5, Rect(65, 125, 129, 149), "last row shown"},
        {10, 1, 9, TRect{}, "scrolled out above"},
        {10, 0, 10, Rect(0, 25, 64, 49), "fixed column of the top row"},
        {10, 1, 0, Rect(65, 0, 129, 24), "fixed row stays"},
    };
    for (const Case& c : cases) {
        grid->SetTopRow(c.TopRow);
        EXPECT_EQ(grid->CellRect(c.Col, c.Row), c.Expected) << c.What;
    }
}

TEST_F(GridGeometryTest, MouseCoordGivesTheLineToTheCellBeforeItAndBothMinusOneWhenEitherMisses) {
    grid->SetColCount(3);
    struct Case {
        Integer X, Y;
        TGridCoord Expected;
    };
    const Case cases[] = {
        {0, 0, {0, 0}},
        {63, 23, {0, 0}},
        {64, 24, {0, 0}},
        {65, 25, {1, 1}},
        {194, 30, {2, 1}},
        {195, 30, {-1, -1}},
        {299, 149, {-1, -1}},
        {-1, 10, {-1, -1}},
        {10, -1, {-1, -1}},
        // Past the client's right and bottom edges lie the cells that would show there.
        {10, 150, {0, 6}},
        {194, 300, {2, 12}},
        {10, 2500, {-1, -1}},
    };
    for (const Case& c : cases) EXPECT_EQ(grid->MouseCoord(c.X, c.Y), c.Expected) << c.X << "," << c.Y;
    grid->SetTopRow(50);
    EXPECT_EQ(grid->MouseCoord(10, 30).Y, 50);
}

TEST_F(GridGeometryTest, TopLeftIsClampedSoTheLastPageStaysFull) {
    // 150 pixels: the fixed row and five rows of 25 fit; rows 95..99 fill the last page.
    EXPECT_EQ(grid->CalcMaxTopLeft(), (TGridCoord{7, 95}));
    int moved = 0;
    grid->OnTopLeftChanged = Counter(moved);
    grid->SetTopRow(1000);
    EXPECT_EQ(grid->TopRow(), 95);
    grid->SetTopRow(0);
    EXPECT_EQ(grid->TopRow(), 1);
    grid->SetLeftCol(9);
    EXPECT_EQ(grid->LeftCol(), 7);
    EXPECT_EQ(moved, 3);
    grid->SetTopRow(95);
    grid->SetRowCount(50);  // a lower count pulls the page back
    EXPECT_EQ(grid->TopRow(), 45);
    grid->SetHeight(400);  // a taller grid shows more from the same end
    EXPECT_EQ(grid->TopRow(), 35);
}

TEST_F(GridGeometryTest, SelectionSetterChecksNothingAndCellsReadEmptyWhereItPoints) {
    grid->SetSelection({grid->ColCount(), grid->RowCount(), grid->ColCount(), grid->RowCount()});
    EXPECT_EQ(grid->Col(), 10);
    EXPECT_EQ(grid->Row(), 100);
    EXPECT_EQ(grid->Cells(grid->Col(), grid->Row()), "");
    EXPECT_EQ(grid->Objects(grid->Col(), grid->Row()), nullptr);
    std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));  // paints without touching the hidden cell
    grid->SetSelection({2, 3, 4, 5});
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 5}));
}

TEST_F(GridGeometryTest, ColAndRowGoThroughSelectCellAndScrollIntoView) {
    std::vector<TGridCoord> asked;
    bool allow = true;
    grid->OnSelectCell = [&](TObject*, Integer ACol, Integer ARow, bool& CanSelect) {
        asked.push_back({ACol, ARow});
        CanSelect = allow;
    };
    int clicks = 0;
    grid->OnClick = Counter(clicks);
    grid->SetRow(40);
    EXPECT_EQ(grid->Row(), 40);
    EXPECT_EQ(grid->TopRow(), 36);  // shown as the last row of the page
    allow = false;
    grid->SetCol(3);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(asked, (std::vector<TGridCoord>{{1, 40}, {3, 40}}));
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(grid->SetRow(100), EInvalidGridOperation);
}

TEST_F(GridGeometryTest, FixedCountsRestartAtTheFirstScrollableCellAndCountsPullThemDown) {
    grid->SetSelection({3, 30, 3, 30});
    grid->SetFixedRows(2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 1, 2}));
    EXPECT_THROW(grid->SetFixedCols(10), EInvalidGridOperation);
    grid->SetColCount(1);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->ColCount(), 1);
}

TEST_F(GridGeometryTest, RowSelectWidensTheSelectionToWholeRows) {
    grid->SetRow(4);
    grid->SetOptions(grid->Options() + TGridOptions{goRowSelect, goAlwaysShowEditor});
    EXPECT_FALSE(grid->Options().Contains(goAlwaysShowEditor));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 9, 4}));
}

TEST_F(GridGeometryTest, MovingAndDeletingCarryTextsSizesAndEvents) {
    std::vector<std::pair<Integer, Integer>> moves;
    grid->OnRowMoved = [&](TObject*, Integer From, Integer To) { moves.push_back({From, To}); };
    grid->SetCells(1, 2, "two");
    grid->SetCells(1, 3, "three");
    grid->SetRowHeights(2, 40);
    grid->MoveRow(2, 5);
    EXPECT_EQ(grid->Cells(1, 5), "two");
    EXPECT_EQ(grid->Cells(1, 2), "three");
    EXPECT_EQ(grid->RowHeights(5), 40);
    EXPECT_EQ(grid->RowHeights(2), 24);
    grid->DeleteRow(2);
    EXPECT_EQ(grid->RowCount(), 99);
    EXPECT_EQ(grid->Cells(1, 4), "two");
    EXPECT_EQ(grid->Cells(1, 99), "");
    EXPECT_EQ(moves, (std::vector<std::pair<Integer, Integer>>{{2, 5}}));  // a deleted row is not moved
    grid->SetColWidths(3, 10);
    grid->MoveColumn(3, 1);
    EXPECT_EQ(grid->ColWidths(1), 10);
    EXPECT_EQ(grid->Cells(2, 4), "two");
}

TEST_F(GridGeometryTest, WritesBeyondTheCountsShowWhenTheCountsReachThem) {
    grid->SetCells(12, 150, "later");
    EXPECT_EQ(grid->Cells(12, 150), "later");
    grid->SetColCount(13);
    grid->SetRowCount(151);
    EXPECT_EQ(grid->Cells(12, 150), "later");
    grid->SetRowCount(150);
    grid->SetRowCount(151);
    EXPECT_EQ(grid->Cells(12, 150), "");
}

TEST_F(GridGeometryTest, RowsAndColsAreStringListViewsOfTheCells) {
    grid->SetColCount(3);
    TStringList source;
    source.SetText("a\r\nb\r\nc\r\nd");
    grid->SetRows(2, &source);
    EXPECT_EQ(grid->Cells(0, 2), "a");
    EXPECT_EQ(grid->Cells(2, 2), "c");
    EXPECT_EQ(grid->Rows(2)->Count(), 3);
    EXPECT_EQ(grid->Cols(1)->Count(), 100);
    EXPECT_EQ(grid->Cols(1)->Strings(2), "b");
    grid->Cols(1)->SetStrings(7, "seven");
    EXPECT_EQ(grid->Cells(1, 7), "seven");
    EXPECT_THROW(grid->Rows(2)->Delete(0), EInvalidGridOperation);
}

TEST_F(GridGeometryTest, SizeListsInADescriptionSetTheSizes) {
    ReadComponentFromText(R"(object Form1: TForm
  object StringGrid1: TStringGrid
    ColCount = 3
    RowCount = 2
    DefaultDrawing = False
    ColWidths = (
      20
      30
      40)
    RowHeights = (
      18
      19)
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TStringGrid*>(form->FindComponent("StringGrid1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ColWidths(2), 40);
    EXPECT_EQ(loaded->RowHeights(1), 19);
    EXPECT_FALSE(loaded->DefaultDrawing());
}

}  // namespace

namespace {

// The layout is kept between changes: after each change the grid must show and hit its cells as it does
// once its layout is made anew (a resize back and forth).
TEST_F(GridGeometryTest, TheKeptLayoutFollowsEveryChangeOfWhatItIsComputedFrom) {
    struct Case {
        const char* Name;
        std::function<void(TTestGrid&)> Change;
    };
    const Case cases[] = {
        {"resize", [](TTestGrid& g) { g.SetBounds(0, 0, 200, 100); }},
        {"scroll", [](TTestGrid& g) { g.SetTopRow(7); }},
        {"scroll sideways", [](TTestGrid& g) { g.SetLeftCol(3); }},
        {"column width", [](TTestGrid& g) { g.SetColWidths(1, 20); }},
        {"row height", [](TTestGrid& g) { g.SetRowHeights(2, 50); }},
        {"default row height", [](TTestGrid& g) { g.SetDefaultRowHeight(30); }},
        {"fixed columns", [](TTestGrid& g) { g.SetFixedCols(2); }},
        {"line width", [](TTestGrid& g) { g.SetGridLineWidth(3); }},
        {"no vertical lines",
         [](TTestGrid& g) {
             g.SetOptions({goFixedHorzLine, goHorzLine});
         }},
        {"border", [](TTestGrid& g) { g.SetBorderStyle(bsSingle); }},
        {"flat border",
         [](TTestGrid& g) {
             g.SetBorderStyle(bsSingle);
             g.SetCtl3D(false);
         }},
        {"scroll bars", [](TTestGrid& g) { g.SetScrollBars(ssBoth); }},
        {"bars go with the rows",
         [](TTestGrid& g) {
             g.SetScrollBars(ssBoth);
             g.SetRowCount(3);
         }},
        {"row deleted", [](TTestGrid& g) { g.DeleteRow(1); }},
        {"column moved", [](TTestGrid& g) { g.MoveColumn(1, 4); }},
    };
    auto layout = [](TTestGrid& g) {
        std::vector<TRect> rects;
        for (Integer r : {0, 1, 2, 3, 7, 8})
            for (Integer c : {0, 1, 2, 3, 4}) rects.push_back(g.CellRect(c, r));
        for (Integer y : {10, 60, 99})
            for (Integer x : {10, 70, 150}) {
                const TGridCoord cell = g.MouseCoord(x, y);
                rects.push_back(Rect(x, y, cell.X, cell.Y));
            }
        return rects;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestGrid* g = Place<TTestGrid>(0, 0, 300, 150);
        g->SetBorderStyle(bsNone);
        g->SetScrollBars(ssNone);
        g->SetColCount(10);
        g->SetRowCount(100);
        layout(*g);  // laid out before the change
        c.Change(*g);
        const std::vector<TRect> kept = layout(*g);
        const TRect bounds = g->BoundsRect();
        g->SetBounds(bounds.Left, bounds.Top, bounds.Width() + 1, bounds.Height());
        g->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        EXPECT_EQ(kept, layout(*g));
        g->Free();
    }
}

}  // namespace
