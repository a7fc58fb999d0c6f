// Sizing the grid's columns and rows to their content with fixed font metrics (every character 6 pixels
// wide, every line 13 high): the widest text, merged ranges left out, growing only, the limits, the last
// word of OnUpdateColumnSize, rows of so many lines, and AutoSize's padding.
#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/GraphicsTestSupport.h"

using namespace ProGrid;

namespace {

constexpr Integer CharWidth = 6, LineHeight = 13;
// The painter's text room: 2 pixels each side.
constexpr Integer TextMargin = 2;

class ProGridAutoSizeTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 330, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(50);
        grid->SetDefaultRowHeight(20);
    }
    // The width AutoSizeCol gives a column whose widest text has Chars characters.
    Integer WidthFor(Integer Chars) const {
        return (grid->GridLineWidth() + 1) * 2 + Chars * CharWidth + 2 * TextMargin + grid->EditMarginX();
    }
    Integer HeightFor(Integer Lines) const {
        return grid->GridLineWidth() * 2 + Lines * LineHeight + 2 * TextMargin + grid->EditMarginY();
    }

    const TFixedMetricsScope metrics;
    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridAutoSizeTest, AColumnTakesItsWidestTextWithinItsLimitsAndTheEventsWord) {
    struct Case {
        bool OnlyGrow, Merge;
        Integer Start, Max, Extra, Width;
    };
    const Case cases[] = {
        {false, false, 50, 0, 0, WidthFor(7)},
        {false, false, 200, 0, 0, WidthFor(7)},  // shrinks too
        {true, false, 200, 0, 0, 200},           // unless it may only grow
        {true, false, 10, 0, 0, WidthFor(7)},
        {false, false, 50, 40, 0, 40},
        {false, false, 50, 0, 5, WidthFor(7) + 5},  // OnUpdateColumnSize has the last word
        {false, true, 50, 0, 0, WidthFor(5)},       // a range over two columns sizes neither
    };
    for (const Case& c : cases) {
        grid->SplitAllCells();
        grid->SetCells(1, 0, "head");
        grid->SetCells(1, 1, "abcde");
        grid->SetCells(1, 2, "1234567");
        if (c.Merge) grid->MergeCells(1, 2, 2, 1);
        grid->SetColWidths(1, c.Start);
        grid->SetMaxColWidth(c.Max);
        grid->OnUpdateColumnSize = [&](TObject* Sender, Integer ACol, Integer& AWidth) {
            EXPECT_EQ(Sender, grid);
            EXPECT_EQ(ACol, 1);
            AWidth += c.Extra;
        };
        grid->AutoSizeCol(1, c.OnlyGrow);
        EXPECT_EQ(grid->ColWidths(1), c.Width) << c.OnlyGrow << c.Merge << " " << c.Start << " " << c.Max;
    }
}

TEST_F(ProGridAutoSizeTest, ARowTakesItsHighestCellAndLinesSizeItDirectly) {
    grid->SetCells(1, 1, "one");
    grid->SetCells(2, 1, "a\r\nb\r\nc");
    grid->AutoSizeRow(1);
    EXPECT_EQ(grid->RowHeights(1), HeightFor(3));
    grid->SetMaxRowHeight(30);
    grid->AutoSizeRow(1);
    EXPECT_EQ(grid->RowHeights(1), 30);
    grid->SetMaxRowHeight(0);
    grid->SetMinRowHeight(60);
    grid->SizeRowToLines(2, 2, 4);
    EXPECT_EQ(grid->RowHeights(2), 60);
    grid->SetMinRowHeight(0);
    grid->SizeRowToLines(2, 2, 4);
    EXPECT_EQ(grid->RowHeights(2), (LineHeight + LineHeight / 8) * 2 + 4);
}

TEST_F(ProGridAutoSizeTest, TheMostLinesOfARowCountOnlyForMultiLineCells) {
    grid->SetCells(1, 1, "a\r\nb\r\nc");
    grid->SetCells(2, 1, "a\r\nb");
    EXPECT_EQ(grid->GetMaxLinesInRow(1), 1);
    grid->SetMultilinecells(true);
    EXPECT_EQ(grid->GetMaxLinesInRow(1), 3);
    EXPECT_EQ(grid->GetMaxLinesInRow(2), 1);
}

TEST_F(ProGridAutoSizeTest, AutoSizeSizesTheScrollableColumnsWithTenPixelsToSpare) {
    for (Integer col = 0; col < 4; ++col) grid->SetCells(col, 1, AnsiString(static_cast<std::size_t>(col + 1), 'x'));
    struct Case {
        bool DoFixed;
        Integer Padding;
    };
    for (const Case& c : {Case{false, 10}, Case{true, 0}, Case{true, 3}}) {
        for (Integer col = 0; col < 4; ++col) grid->SetColWidths(col, 50);
        if (c.DoFixed || c.Padding != 10) grid->AutoSizeColumns(c.DoFixed, c.Padding);
        else grid->SetAutoSize(true);
        EXPECT_EQ(grid->ColWidths(0), c.DoFixed ? WidthFor(1) + c.Padding : 50);
        for (Integer col = 1; col < 4; ++col)
            EXPECT_EQ(grid->ColWidths(col), WidthFor(col + 1) + c.Padding) << c.DoFixed << " " << col;
    }
}

}  // namespace
