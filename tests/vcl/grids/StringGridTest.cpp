#include <memory>

#include "GridFixture.h"
#include "vcl/Grids.h"

namespace {

class StringGridTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TStringGrid>(0, 0, 300, 150);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetCtl3D(false);
    }
    COLORREF Pixel(Integer X, Integer Y) {
        std::unique_ptr<TBitmap> image(Testing::RenderControl(grid));
        return ColorToRGB(image->Canvas()->Pixels(X, Y));
    }
    // Pixels in Area of the grid's rendering that are not the colour Background.
    int InkIn(const TRect& Area, TColor Background) {
        std::unique_ptr<TBitmap> image(Testing::RenderControl(grid));
        int count = 0;
        for (Integer y = Area.Top; y < Area.Bottom; ++y)
            for (Integer x = Area.Left; x < Area.Right; ++x)
                if (ColorToRGB(image->Canvas()->Pixels(x, y)) != ColorToRGB(Background)) ++count;
        return count;
    }
    TStringGrid* grid = nullptr;
};

TEST_F(StringGridTest, CellsKeepTheirTextsThroughResizingAndRaiseAtNegativeIndices) {
    grid->SetCells(0, 0, "head");
    grid->SetCells(4, 4, "corner");
    EXPECT_EQ(grid->Cells(0, 0), "head");
    grid->SetColCount(8);
    grid->SetRowCount(9);
    EXPECT_EQ(grid->Cells(4, 4), "corner");
    EXPECT_EQ(grid->Cells(7, 8), "");
    grid->SetColCount(3);
    EXPECT_EQ(grid->Cells(0, 0), "head");
    grid->SetColCount(5);
    EXPECT_EQ(grid->Cells(4, 4), "");  // shrinking dropped it
    EXPECT_EQ(grid->Cells(5, 0), "");
    EXPECT_THROW(grid->Cells(-1, 0), EInvalidGridOperation);
    EXPECT_THROW(grid->SetCells(0, -1, "x"), EInvalidGridOperation);
    EXPECT_THROW(grid->SetFixedCols(5), EInvalidGridOperation);
}

TEST_F(StringGridTest, CellRectsFollowTheSizesAndTheLines) {
    grid->SetColWidths(1, 30);
    grid->SetRowHeights(0, 10);
    EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 10));
    EXPECT_EQ(grid->CellRect(1, 1), Rect(65, 11, 95, 35));
    EXPECT_EQ(grid->CellRect(2, 1), Rect(96, 11, 160, 35));
    grid->SetOptions({});
    EXPECT_EQ(grid->CellRect(2, 1), Rect(94, 10, 158, 34));
    grid->SetDefaultColWidth(20);
    EXPECT_EQ(grid->ColWidths(1), 20);
}

TEST_F(StringGridTest, PaintsHeadingsBodyLinesAndTexts) {
    struct Probe {
        Integer X, Y;
        TColor Expected;
        const char* What;
    };
    const Probe probes[] = {
        {10, 10, clBtnFace, "fixed cell"},
        {64, 10, clBlack, "line right of the fixed column"},
        {100, 40, clHighlight, "the current cell of a grid without the focus"},
        {200, 40, clWindow, "body cell"},
        {129, 40, clSilver, "line right of a body cell"},
        {100, 49, clSilver, "line below a body cell"},
        {290, 140, clWindow, "beyond the last cell"},
    };
    for (const Probe& probe : probes) EXPECT_EQ(Pixel(probe.X, probe.Y), ColorToRGB(probe.Expected)) << probe.What;
    const TRect text = Rect(132, 27, 175, 45);
    EXPECT_EQ(InkIn(text, clWindow), 0);
    grid->SetCells(2, 1, "WWW");
    EXPECT_GT(InkIn(text, clWindow), 10);
}

TEST_F(StringGridTest, ColorPaintsTheBodyAndOnDrawCellSeesEveryVisibleCell) {
    grid->SetColor(clYellow);
    int drawn = 0, fixed = 0;
    grid->OnDrawCell = [&](TObject*, Integer, Integer, const TRect&, TGridDrawState State) {
        ++drawn;
        if (State.Contains(gdFixed)) ++fixed;
    };
    EXPECT_EQ(Pixel(200, 40), ColorToRGB(clYellow));
    EXPECT_GE(drawn, 25);
    EXPECT_EQ(drawn % 25, 0);
    EXPECT_EQ(fixed * 25, drawn * 9);
}

TEST_F(StringGridTest, AFormDescriptionWithAStringGridLoads) {
    ReadComponentFromText(R"(object Form1: TForm
  object StringGrid1: TStringGrid
    Left = 8
    Top = 8
    ColCount = 3
    DefaultColWidth = 40
    FixedCols = 0
    RowCount = 2
    Options = [goFixedHorzLine, goHorzLine, goEditing]
    Color = clBtnFace
  end
end
)",
                          form);
    auto* loaded = dynamic_cast<TStringGrid*>(form->FindComponent("StringGrid1"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ColCount(), 3);
    EXPECT_EQ(loaded->RowCount(), 2);
    EXPECT_EQ(loaded->FixedCols(), 0);
    EXPECT_EQ(loaded->DefaultColWidth(), 40);
    EXPECT_EQ(loaded->Options(), (TGridOptions{goFixedHorzLine, goHorzLine, goEditing}));
    EXPECT_EQ(loaded->Color(), clBtnFace);
    loaded->SetCells(2, 1, "x");
    EXPECT_EQ(loaded->Cells(2, 1), "x");
}

}  // namespace
