// A right-to-left grid lays its columns out from the right edge: what the user sees, clicks and drags
// is the left-to-right grid mirrored, while the text inside each cell keeps its direction.
#include "GridFixture.h"

namespace {

class GridRightToLeftTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        form->SetBiDiMode(bdRightToLeft);  // the grid follows its parent
        grid = PlaceGrid(ssNone);
    }
    // The client x at which a left-to-right grid would show what lies at X.
    static Integer Mirrored(Integer X) { return 299 - X; }
    TStringGrid* grid = nullptr;
};

TEST_F(GridRightToLeftTest, TheFixedColumnShowsAtTheRightAndTheCellsFollowLeftwards) {
    ASSERT_TRUE(grid->UseRightToLeftAlignment());
    grid->SetColor(clWhite);
    grid->SetFixedColor(clBtnFace);
    struct Case {
        Integer X;
        TColor Expected;
    };
    for (const Case& c : {Case{10, clBtnFace}, {40, clBtnFace}, {64, clBlack}, {100, clWhite}, {129, clSilver}}) {
        SCOPED_TRACE(c.X);
        EXPECT_EQ(ShownPixel(form, grid, Mirrored(c.X), 85), ColorToRGB(c.Expected));
    }
    EXPECT_EQ(grid->CellRect(1, 1), Rect(300 - 129, 25, 300 - 65, 49));
}

TEST_F(GridRightToLeftTest, AClickPicksTheCellUnderTheMouseCountedFromTheRight) {
    Input::Click(grid, Mirrored(140), 85);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->MouseCoord(Mirrored(70), 30), (TGridCoord{1, 1}));
}

TEST_F(GridRightToLeftTest, DraggingAColumnLineLeftwardsWidensTheColumn) {
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    Testing::MouseDown(grid, Mirrored(129), 10);
    Testing::MouseMove(grid, Mirrored(149), 10, {ssLeft});
    Testing::MouseUp(grid, Mirrored(149), 10);
    EXPECT_EQ(grid->ColWidths(1), 84);
}

TEST_F(GridRightToLeftTest, TheEditorOpensOverTheMirroredCell) {
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    Input::Click(grid, Mirrored(70), 30);
    Input::Type(grid, "x");
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), Rect(300 - 129, 25, 300 - 65, 49));
}

}  // namespace
