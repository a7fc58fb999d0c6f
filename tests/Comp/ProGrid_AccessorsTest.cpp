// The grid's property accessors and view operations: which setters repaint, the fixed counts the grid
// answers against the real ones its base keeps, design-time-only sizes, scrolling a cell into view, and
// hiding and restoring the selection.
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "vcl/ImgList.h"

using namespace ProGrid;

namespace {

class TCountingGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    void Invalidate() override {
        ++Invalidates;
        RAdeRedeviDidi::Invalidate();
    }
    int Invalidates = 0;
};

class GridAccessors : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TCountingGrid>(0, 0, 300, 200);
        grid->SetColCount(5);
        grid->SetRowCount(5);
    }
    TCountingGrid* grid = nullptr;
};

TEST_F(GridAccessors, EachSetterStoresAndRepaintsAsItsPropertyAsks) {
    auto* images = new TImageList(nullptr);
    struct Case {
        const char* name;
        std::function<void()> set;
        int invalidates;
        std::function<bool()> stored;
    };
    const Case cases[] = {
        {"GridImages", [&] { grid->SetGridImages(images); }, 0, [&] { return grid->GridImages() == images; }},
        {"URLColor without URLShow", [&] { grid->SetURLColor(clRed); }, 0, [&] { return grid->URLColor() == clRed; }},
        {"URLFull without URLShow", [&] { grid->SetURLFull(true); }, 0, [&] { return grid->URLFull(); }},
        {"URLShow", [&] { grid->SetURLShow(true); }, 1, [&] { return grid->URLShow(); }},
        {"URLShow again", [&] { grid->SetURLShow(true); }, 1, [&] { return grid->URLShow(); }},
        {"URLColor with URLShow", [&] { grid->SetURLColor(clLime); }, 1, [&] { return grid->URLColor() == clLime; }},
        {"URLFull with URLShow", [&] { grid->SetURLFull(false); }, 1, [&] { return !grid->URLFull(); }},
        {"Look unchanged", [&] { grid->SetLook(glXP); }, 0, [&] { return grid->Look() == glXP; }},
        {"Look", [&] { grid->SetLook(glSoft); }, 1, [&] { return grid->Look() == glSoft; }},
        {"FixedFooters", [&] { grid->SetFixedFooters(1); }, 1, [&] { return grid->FixedFooters() == 1; }},
        {"FixedRightCols", [&] { grid->SetFixedRightCols(2); }, 1, [&] { return grid->FixedRightCols() == 2; }},
        {"WordWrap", [&] { grid->SetWordWrap(false); }, 1, [&] { return !grid->WordWrap(); }},
        {"SelectionColor", [&] { grid->SetSelectionColor(clAqua); }, 1,
         [&] { return grid->SelectionColor() == clAqua; }},
        {"SelectionTextColor", [&] { grid->SetSelectionTextColor(clRed); }, 1,
         [&] { return grid->SelectionTextColor() == clRed; }},
        {"SelectionRectangle", [&] { grid->SetSelectionRectangle(true); }, 1,
         [&] { return grid->SelectionRectangle(); }},
        {"SelectionResizer", [&] { grid->SetSelectionResizer(true); }, 1, [&] { return grid->SelectionResizer(); }},
        {"MaxEditLength", [&] { grid->SetMaxEditLength(8); }, 0, [&] { return grid->MaxEditLength() == 8; }},
        {"ShowSelection unchanged", [&] { grid->SetShowSelection(true); }, 0, [&] { return grid->ShowSelection(); }},
        {"ShowSelection", [&] { grid->SetShowSelection(false); }, 1, [&] { return !grid->ShowSelection(); }},
        {"VAlignment centre", [&] { grid->SetVAlignment(BaseGrid::vtaCenter); }, 1,
         [&] { return grid->VAlignment() == BaseGrid::vtaCenter && grid->VAlignmentFlag() == DT_VCENTER; }},
        {"VAlignment bottom", [&] { grid->SetVAlignment(BaseGrid::vtaBottom); }, 1,
         [&] { return grid->VAlignmentFlag() == DT_BOTTOM; }},
        {"VAlignment top", [&] { grid->SetVAlignment(BaseGrid::vtaTop); }, 1,
         [&] { return grid->VAlignmentFlag() == DT_TOP; }},
        {"Flat", [&] { grid->SetFlat(true); }, 1, [&] { return grid->Flat(); }},
        // Switched on, the columns take their content's widths: the grid repaints with them.
        {"AutoSize", [&] { grid->SetAutoSize(true); }, 2, [&] { return grid->AutoSize(); }},
    };
    for (const Case& c : cases) {
        grid->Invalidates = 0;
        c.set();
        EXPECT_EQ(grid->Invalidates, c.invalidates) << c.name;
        EXPECT_TRUE(c.stored()) << c.name;
    }
    grid->SetComponentStateItem(csLoading, true);
    grid->Invalidates = 0;
    grid->SetFlat(false);
    EXPECT_EQ(grid->Invalidates, 0) << "Flat while loading";
    grid->SetComponentStateItem(csLoading, false);
    grid->BeginUpdate();
    grid->Invalidates = 0;
    grid->SetWordWrap(true);
    grid->SetVAlignment(BaseGrid::vtaBottom);
    EXPECT_EQ(grid->Invalidates, 0) << "WordWrap and VAlignment during an update";
    grid->EndUpdate();
    images->Free();
}

TEST_F(GridAccessors, AFreedImageListIsNoLongerTheGridsImages) {
    auto* images = new TImageList(nullptr);
    grid->SetGridImages(images);
    images->Free();
    EXPECT_EQ(grid->GridImages(), nullptr);
}

TEST_F(GridAccessors, TheGridAnswersOneFixedRowWhileItsBaseKeepsTheRealNone) {
    grid->SetFixedRowAlways(true);
    grid->SetFixedColAlways(true);
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    BaseGrid::TBaseGrid* base = grid;
    EXPECT_EQ(base->FixedRows(), 0);
    EXPECT_EQ(base->FixedCols(), 0);
    // The base grid's own mouse handling sees row 0 and column 0 as cells to select.
    TRect cell = grid->CellRect(0, 0);
    Testing::Click(grid, cell.Left + 3, cell.Top + 3);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Col(), 0);
    grid->SetFixedRowAlways(false);
    EXPECT_EQ(grid->FixedRows(), 0);
}

TEST_F(GridAccessors, TheRequestedFixedRowsComeBackWhenTheRowCountGrowsAgain) {
    grid->SetFixedRowAlways(true);
    grid->SetFixedRows(1);
    grid->SetRowCount(1);
    BaseGrid::TBaseGrid* base = grid;
    EXPECT_EQ(base->FixedRows(), 0) << "no scrollable row would be left";
    EXPECT_EQ(grid->FixedRows(), 1);
    grid->SetRowCount(6);
    EXPECT_EQ(base->FixedRows(), 1);
    EXPECT_EQ(grid->RowCount(), 6);

    grid->SetFixedColAlways(true);
    grid->SetFixedCols(0);
    grid->SetColCount(1);
    grid->SetColCount(4);
    EXPECT_EQ(base->FixedCols(), 1) << "a second column brings the fixed one back";
}

TEST_F(GridAccessors, FixedSizesChangeTheGridOnlyWhileDesigning) {
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    const Integer width = grid->ColWidths(0), height = grid->RowHeights(0);
    grid->SetFixedColWidth(width + 30);
    grid->SetFixedRowHeight(height + 9);
    EXPECT_EQ(grid->ColWidths(0), width) << "run time";
    EXPECT_EQ(grid->FixedColWidth(), width);
    EXPECT_EQ(grid->RowHeights(0), height);
    EXPECT_EQ(grid->FixedRowHeight(), height + 9) << "kept all the same";

    grid->SetComponentStateItem(csDesigning, true);
    grid->SetFixedColWidth(width + 30);
    EXPECT_EQ(grid->ColWidths(0), width + 30);
    EXPECT_EQ(grid->ColWidths(1), grid->DefaultColWidth());
    grid->SetFixedRowHeight(height + 9);
    EXPECT_EQ(grid->RowHeights(0), height + 9);
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
    // The default height itself: the default changes and the fixed height follows it.
    grid->SetFixedRowHeight(grid->DefaultRowHeight());
    grid->SetDefaultRowHeight(30);
    EXPECT_EQ(grid->FixedRowHeight(), 30);
    EXPECT_EQ(grid->RowHeights(3), 30);
    grid->SetComponentStateItem(csDesigning, false);
}

TEST_F(GridAccessors, TheDefaultRowHeightIsTheFootersAndAColumnCountReappliesTheIntegralHeight) {
    grid->FloatingFooter()->SetVisible(true);
    grid->SetDefaultRowHeight(25);
    EXPECT_EQ(grid->FooterHeight(), 25);
    EXPECT_EQ(grid->FooterPanel()->Height(), 25);
    EXPECT_EQ(grid->FixedRowHeight(), 21) << "run time: the fixed-row height stays";
    grid->FloatingFooter()->SetVisible(false);

    grid->SetDefaultRowHeight(21);
    grid->SetColCount(2);
    grid->SetIntegralHeight(true);
    grid->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(grid->Height(), 193);  // 200 - 2 x 2 of border, 196 - 196 mod 21 = 189, plus 4
    // Columns past the width bring the horizontal bar: the rows above it are whole again.
    grid->SetColCount(40);
    EXPECT_EQ(grid->Height(), 17 + 168 + 4);  // 193 - 17 - 4 = 172, 172 - 172 mod 21 = 168
}

TEST_F(GridAccessors, ScrollInViewCentresACellOutOfViewAndNeverScrollsPastTheEnd) {
    grid->SetColCount(40);
    grid->SetRowCount(200);
    const Integer visibleCols = grid->VisibleColCount(), visibleRows = grid->VisibleRowCount();
    ASSERT_LT(visibleCols, 20);
    ASSERT_LT(visibleRows, 100);

    grid->ScrollInView(20, 100);
    EXPECT_EQ(grid->Col(), 20);
    EXPECT_EQ(grid->Row(), 100);
    EXPECT_EQ(grid->LeftCol(), 20 - visibleCols / 2);
    EXPECT_EQ(grid->TopRow(), 100 - visibleRows / 2);

    // A shown cell stays where it is and so do the current cell.
    grid->ScrollInView(grid->LeftCol() + 1, grid->TopRow() + 1);
    EXPECT_EQ(grid->Col(), 20);
    EXPECT_EQ(grid->Row(), 100);
    EXPECT_EQ(grid->LeftCol(), 20 - visibleCols / 2);

    // Near the end: the last column and row end the view, no blank ones after them.
    grid->ScrollInView(39, 199);
    EXPECT_EQ(grid->LeftCol() + grid->VisibleColCount(), 40);
    EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount(), 200);
    EXPECT_EQ(grid->Col(), 39);

    // Past the counts: nothing.
    grid->ScrollInView(40, 3);
    grid->ScrollInView(3, 200);
    EXPECT_EQ(grid->Col(), 39);
    EXPECT_EQ(grid->Row(), 199);
}

TEST_F(GridAccessors, AHiddenSelectionLeavesTheGridAndComesBackWhereItStillFits) {
    grid->SetSelection(TGridRect{2, 2, 3, 3});
    grid->HideSelection();
    EXPECT_TRUE(grid->SelectionHidden());
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 5, 5, 5}));
    // The grid still paints and takes keys with its selection outside.
    grid->SetFocus();
    std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
    Testing::KeyPress(grid, VK_RIGHT);
    grid->UnHideSelection();
    EXPECT_FALSE(grid->SelectionHidden());
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));

    struct Case {
        const char* name;
        bool rowAlways;
        Integer rows;
        TGridRect expected;
    };
    const Case cases[] = {
        {"smaller grid", false, 3, TGridRect{1, 1, 1, 1}},
        {"only the fixed row left", true, 1, TGridRect{1, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        grid->SetRowCount(5);
        grid->SetFixedRows(1);
        grid->SetSelection(TGridRect{2, 3, 4, 4});
        grid->HideSelection();
        grid->SetFixedRowAlways(c.rowAlways);
        grid->SetRowCount(c.rows);
        grid->UnHideSelection();
        EXPECT_EQ(grid->Selection(), c.expected) << c.name;
        grid->SetFixedRowAlways(false);
    }
}

TEST_F(GridAccessors, CellAndColumnQueriesAnswerFromTheCellsGraphicAndTheVisibleFlags) {
    auto* turned = new TCellGraphic;
    turned->CellType = ctRotated;
    turned->CellAngle = 45;
    grid->SetGraphicObject(1, 1, turned);
    auto* check = new TCellGraphic;
    check->CellType = ctCheckBox;
    check->CellAngle = 90;
    grid->SetGraphicObject(2, 1, check);
    struct Case {
        Integer col, row;
        bool rotated;
        Integer angle;
    };
    const Case cases[] = {{1, 1, true, 45}, {2, 1, false, -1}, {3, 3, false, -1}};
    for (const Case& c : cases) {
        Integer angle = -1;
        EXPECT_EQ(grid->IsRotated(c.col, c.row, angle), c.rotated) << c.col << "," << c.row;
        EXPECT_EQ(angle, c.angle) << c.col << "," << c.row;
    }
    for (Integer col : {0, 3, 511, 512, 600}) EXPECT_FALSE(grid->IsHiddenColumn(col)) << col;
    EXPECT_EQ(grid->HiddenColCount(), 0);
}

TEST_F(GridAccessors, TheMovedWrappersRunTheGridsMovedHandling) {
    std::vector<std::pair<Integer, Integer>> cols, rows;
    grid->OnColumnMoved = [&](TObject*, Integer From, Integer To) { cols.emplace_back(From, To); };
    grid->OnRowMoved = [&](TObject*, Integer From, Integer To) { rows.emplace_back(From, To); };
    grid->DoColumnMoved(1, 3);
    grid->DoRowMoved(4, 2);
    EXPECT_EQ(cols, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
    EXPECT_EQ(rows, (std::vector<std::pair<Integer, Integer>>{{4, 2}}));
}

}  // namespace
