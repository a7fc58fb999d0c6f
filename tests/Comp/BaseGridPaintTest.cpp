#include "BaseGridFixture.h"

using namespace BaseGrid;

namespace {

constexpr TColor LineGrey = static_cast<TColor>(0xC0C0C0);
constexpr TColor FixedGrey = static_cast<TColor>(0x808080);

class BaseGridPaintTest : public BaseGridFixture {};

TEST_F(BaseGridPaintTest, AMergedRangeIsPaintedOncePerPass) {
    grid->MergeCells(2, 2, 3, 3);
    grid->WriteCell(3, 3, "joined");
    for (int pass = 0; pass < 2; ++pass) {
        PaintPass();
        for (Integer r = 2; r <= 4; ++r)
            for (Integer c = 2; c <= 4; ++c) EXPECT_EQ(grid->DrawnAt(c, r), c == 2 && r == 2 ? 1 : 0) << c << "," << r;
        EXPECT_EQ(grid->DrawnAt(1, 1), 1);
    }
}

TEST_F(BaseGridPaintTest, ARangeWhoseBaseIsScrolledAwayStillPaintsAndStopsAtTheFixedRow) {
    grid->MergedColor = clRed;
    grid->MergeCells(1, 1, 1, 10);
    grid->SetTopRow(5);
    PaintPass();
    EXPECT_EQ(grid->DrawnAt(1, 1), 1);
    EXPECT_EQ(Shown(100, 30), clRed);
    EXPECT_EQ(Shown(100, 10), clWhite);  // the fixed row above
}

TEST_F(BaseGridPaintTest, ARangeUnderTheFixedColumnsIsClippedAtTheirRightEdge) {
    grid->MergedColor = clRed;
    grid->MergeCells(1, 1, 3, 1);
    grid->SetLeftCol(2);
    PaintPass();
    EXPECT_EQ(Shown(30, 30), clWhite);  // fixed column 0
    EXPECT_EQ(Shown(70, 30), clRed);    // columns 2 and 3 of the range
    EXPECT_EQ(Shown(150, 30), clRed);
    EXPECT_EQ(Shown(220, 30), clWhite);  // column 4: the brush is the grid's again
    EXPECT_EQ(Shown(30, 38), clWhite);
}

TEST_F(BaseGridPaintTest, RightToLeftARangeAndItsClipUnderTheFixedColumnsAreMirrored) {
    grid->SetBiDiMode(bdRightToLeft);
    grid->MergedColor = clRed;
    grid->MergeCells(1, 1, 3, 1);
    grid->SetLeftCol(2);
    PaintPass();
    const auto mirrored = [&](Integer X) { return Shown(299 - X, 30); };
    EXPECT_EQ(mirrored(30), clWhite);  // fixed column 0, at the right edge
    EXPECT_EQ(mirrored(70), clRed);
    EXPECT_EQ(mirrored(150), clRed);
    EXPECT_EQ(mirrored(220), clWhite);
    TRect range;
    grid->CellRectEx(1, 1, range);
    EXPECT_EQ(range, Rect(300 - 192, 24, 300, 48))
        << "columns 1..3 from left to right at 0..192, column 1 under the fixed one";
}

TEST_F(BaseGridPaintTest, ACellWithAnEndColourFadesAcrossItsWidth) {
    grid->EndColor = clBlack;
    PaintPass();
    // Body cell (2, 2) spans 128..191 x 48..71: white at its left edge, darker to the right.
    EXPECT_EQ(Shown(128, 60), clWhite);
    const auto grey = [&](Integer X) { return GetRValue(ColorToRGB(Shown(X, 60))); };
    EXPECT_LT(grey(160), 0xFF);
    EXPECT_GT(grey(160), 0x40);
    EXPECT_LT(grey(189), grey(160));
    EXPECT_LT(grey(189), 0x20);
    EXPECT_EQ(Shown(30, 60), clWhite);  // a fixed cell keeps the plain fill
}

TEST_F(BaseGridPaintTest, GridLinesLieInsideTheCellAtTheirWidth) {
    struct Case {
        Integer Width;
        std::vector<TPoint> Line, Blank;
    };
    // Body cell (2, 2) spans 128..191 x 48..71.
    const Case cases[] = {
        {1, {Point(150, 71), Point(191, 60), Point(128, 71)}, {Point(150, 70), Point(190, 60), Point(150, 60)}},
        {3,
         {Point(150, 69), Point(150, 71), Point(189, 60), Point(191, 60)},
         {Point(150, 67), Point(187, 60), Point(150, 60)}},
    };
    for (const Case& c : cases) {
        grid->SetGridLineWidth(c.Width);
        PaintPass();
        for (const TPoint p : c.Line) EXPECT_EQ(Shown(p.X, p.Y), LineGrey) << c.Width << ": " << p.X << "," << p.Y;
        for (const TPoint p : c.Blank) EXPECT_EQ(Shown(p.X, p.Y), clWhite) << c.Width << ": " << p.X << "," << p.Y;
        // A fixed cell keeps its own 1-pixel grey line: cell (0, 2) spans 0..63 x 48..71.
        EXPECT_EQ(Shown(30, 71), FixedGrey) << c.Width;
        EXPECT_EQ(Shown(63, 60), FixedGrey) << c.Width;
        EXPECT_EQ(Shown(30, 69), clWhite) << c.Width;
    }
}

TEST_F(BaseGridPaintTest, LinesFollowTheOptionsAndTheLineColour) {
    grid->SetGridLineColor(clBlue);
    grid->SetOptions(grid->Options().Exclude(goVertLine));
    PaintPass();
    EXPECT_EQ(Shown(150, 71), clBlue);
    EXPECT_EQ(Shown(191, 60), clWhite);
    grid->SetGridLineWidth(0);
    PaintPass();
    EXPECT_EQ(Shown(150, 71), clWhite);
    EXPECT_EQ(Shown(150, 72), clWhite);
}

TEST_F(BaseGridPaintTest, TheFloatingFooterRowIsLeftToTheFooter) {
    grid->SetRowCount(5);
    grid->SetCells(1, 4, "total");
    grid->SetFloatingFooterShown(true);
    PaintPass();
    EXPECT_EQ(grid->DrawnAt(1, 4), 0);
    EXPECT_EQ(grid->DrawnAt(1, 3), 1);
    EXPECT_EQ(Shown(100, 119), clWhite);  // no line either
}

// ---------------------------------------------------------------------------
// Keys and wheel

class BaseGridInputTest : public BaseGridFixture {
protected:
    // Clicks the cell's centre, with the grid scrolled back to its start.
    void ClickCell(Integer ACol, Integer ARow) {
        grid->SetLeftCol(1);
        grid->SetTopRow(1);
        Input::Click(grid, ACol * 64 + 32, ARow * 24 + 12);
    }
};

TEST_F(BaseGridInputTest, ArrowKeysLeaveAMergedRangeAndLandOnBaseCells) {
    grid->MergeCells(2, 2, 2, 2);  // columns 2..3, rows 2..3
    struct Case {
        TPoint Start;
        Word Key;
        TPoint Expected;
    };
    const Case cases[] = {
        {Point(2, 2), VK_RIGHT, Point(4, 2)}, {Point(2, 2), VK_DOWN, Point(2, 4)}, {Point(2, 2), VK_LEFT, Point(1, 2)},
        {Point(2, 2), VK_UP, Point(2, 1)},    {Point(4, 2), VK_LEFT, Point(2, 2)}, {Point(2, 4), VK_UP, Point(2, 2)},
        {Point(1, 3), VK_RIGHT, Point(2, 2)}, {Point(3, 1), VK_DOWN, Point(2, 2)},
    };
    for (const Case& c : cases) {
        ClickCell(c.Start.X, c.Start.Y);
        ASSERT_EQ(Point(grid->Col(), grid->Row()), c.Start);
        Input::Key(grid, c.Key);
        EXPECT_EQ(Point(grid->Col(), grid->Row()), c.Expected)
            << "from " << c.Start.X << "," << c.Start.Y << " key " << c.Key;
    }
}

TEST_F(BaseGridInputTest, TheWheelMovesDownThroughAVerticalRange) {
    grid->MergeCells(1, 2, 1, 3);  // rows 2..4
    ClickCell(1, 1);
    std::vector<Integer> rows;
    for (int turn = 0; turn < 3; ++turn) {
        Testing::Wheel(grid, 100, 60, -120);
        rows.push_back(grid->Row());
    }
    EXPECT_EQ(rows, (std::vector<Integer>{2, 5, 6}));
    Testing::Wheel(grid, 100, 60, 120);
    Testing::Wheel(grid, 100, 60, 120);
    EXPECT_EQ(grid->Row(), 2);  // up into the range lands on its base
}

}  // namespace
