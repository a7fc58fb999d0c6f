// The cell decorations as the composed grid window shows them: borders, a transparent bitmap in a selected
// cell, check boxes and radio buttons, progress bars, comments and node glyphs.
#include "ProGrid_PaintFixture.h"

using namespace ProGrid;

namespace {

constexpr TColor Selected = static_cast<TColor>(0xEACAB6);
constexpr TColor XPMark = static_cast<TColor>(0x21A121);

// Cell (c, r) covers 64 c .. 64 c + 63 and 24 r .. 24 r + 23; its grid lines are its last column and row.
TPoint Inside(Integer ACol, Integer ARow) { return Point(64 * ACol + 30, 24 * ARow + 12); }

class DecorPaintTest : public ProGridPaintFixture {
protected:
    TCellGraphic* Attach(Integer ACol, Integer ARow, TCellType Type) {
        auto* graphic = new TCellGraphic;
        graphic->CellType = Type;
        grid->SetGraphicObject(ACol, ARow, graphic);
        return graphic;
    }
};

TEST_F(DecorPaintTest, BordersShowOneLineInsideTheCellOnEachSideAsked) {
    grid->OnGetCellBorder = [](TObject*, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders) {
        if (ACol != 2 || ARow != 2) return;
        APen->SetColor(clRed);
        APen->SetWidth(1);
        Borders = TCellBorders{cbLeft, cbTop, cbRight, cbBottom};
    };
    Repaint();
    EXPECT_EQ(Shown(128, 60), clRed);  // left
    EXPECT_EQ(Shown(150, 49), clRed);  // top
    EXPECT_EQ(Shown(190, 60), clRed);  // right, inside the grid line
    EXPECT_EQ(Shown(150, 70), clRed);  // bottom
    EXPECT_EQ(Shown(150, 60), clWhite);
    EXPECT_NE(Shown(192 + 1, 60), clRed) << "the next cell has none";
    EXPECT_NE(Shown(Inside(1, 1).X, 24), clRed);
}

TEST_F(DecorPaintTest, ATransparentBitmapInASelectedCellShowsTheSelectionColourThroughItsKey) {
    grid->SetOptions(grid->Options().Include(goRangeSelect));
    Testing::MouseDown(grid, Inside(1, 1).X, Inside(1, 1).Y);
    Testing::MouseMove(grid, Inside(2, 1).X, Inside(2, 1).Y, {ssLeft});
    Testing::MouseUp(grid, Inside(2, 1).X, Inside(2, 1).Y);
    TBitmap picture;
    picture.SetSize(10, 10);
    picture.Canvas()->Brush()->SetColor(clLime);
    picture.Canvas()->FillRect(Rect(0, 0, 10, 10));
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Rect(3, 3, 7, 7));
    for (bool transparent : {true, false}) {
        SCOPED_TRACE(transparent);
        TCellGraphic* graphic = Attach(1, 1, ctBitmap);
        graphic->CellBitmap = &picture;
        graphic->CellTransparent = transparent;
        Repaint();
        // At the cell's top left, one pixel in: 65 .. 74 x 25 .. 34.
        EXPECT_EQ(Shown(65, 25), transparent ? Selected : clLime);
        EXPECT_EQ(Shown(69, 29), clRed);
        EXPECT_EQ(Shown(100, 40), Selected);
    }
    grid->SetGraphicObject(1, 1, nullptr);
}

TEST_F(DecorPaintTest, CheckBoxesAndARadioGroupShowTheirStateInTheirCells) {
    grid->SetOptions(grid->Options().Include(goEditing));
    Attach(1, 1, ctCheckBox)->CellBoolean = true;
    grid->SetCells(2, 1, "N");
    Attach(2, 1, ctDataCheckBox);
    grid->SetCells(1, 3, "b");
    TCellGraphic* radio = Attach(1, 3, ctRadio);
    auto* texts = new TStringList;
    texts->SetCommaText("a,b");
    radio->CellBitmap = texts;
    radio->CellCreated = true;
    radio->CellIndex = -1;
    radio->CellBoolean = true;
    Repaint();
    // The XP glyphs at one pixel in: the tick's row 8 runs from its column 3.
    EXPECT_EQ(Shown(65 + 5, 25 + 8), XPMark);
    EXPECT_NE(Shown(129 + 5, 25 + 8), XPMark) << "N is unchecked";
    // Side by side from 2 in: the buttons at 66 and 66 + 13 + 2 + 6 + 4; the second holds the dot.
    EXPECT_EQ(Shown(91 + 6, 74 + 6), XPMark);
    EXPECT_NE(Shown(66 + 6, 74 + 6), XPMark);
}

TEST_F(DecorPaintTest, ACheckBoxPlacedAfterItsTextShowsBesideTheTextNotOverIt) {
    // Six pixels a character: "abc" is 18 wide, 20 with its gap.
    grid->SetOptions(grid->Options().Include(goEditing));
    grid->SetCells(1, 1, "abc");
    const struct {
        TCellHAlign place;
        TAlignment text;
        Integer left;
    } cases[] = {
        {haLeft, taLeftJustify, 65},
        {haBeforeText, taLeftJustify, 65},
        {haAfterText, taLeftJustify, 64 + 20},
        {haAfterText, taRightJustify, 128 - 15 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.place));
        SCOPED_TRACE(static_cast<int>(c.text));
        grid->GetCellProperties(1, 1)->SetAlignment(c.text);
        TCellGraphic* check = Attach(1, 1, ctCheckBox);
        check->CellBoolean = true;
        check->CellHAlign = c.place;
        Repaint();
        // The tick's row 8 runs from the glyph's column 3.
        Integer first = 64;
        while (first < 128 && Shown(first, 25 + 8) != XPMark) ++first;
        EXPECT_EQ(first, c.left + 3);
    }
}

TEST_F(DecorPaintTest, AProgressBarAndACommentShowInTheirCells) {
    grid->ControlLook()->SetProgressXP(false);
    grid->SetCells(2, 2, "50");
    Attach(2, 2, ctProgress)->CellIndex = clRed;
    Attach(3, 3, ctComment)->CellText = "note";
    Repaint();
    // The bar is 130 .. 189 across: its first half red.
    EXPECT_EQ(Shown(135, 52), clRed);
    EXPECT_EQ(Shown(158, 52), clRed);
    EXPECT_NE(Shown(162, 52), clRed);
    EXPECT_NE(Shown(185, 52), clRed);
    // The comment's corner: 249 .. 255 x 72 .. 78.
    EXPECT_EQ(Shown(254, 73), clRed);
    EXPECT_NE(Shown(250, 77), clRed);
}

TEST_F(DecorPaintTest, AnXPNodeShowsItsPlusOnlyWhileCollapsed) {
    grid->Indent = 12;
    for (bool collapsed : {true, false}) {
        SCOPED_TRACE(collapsed);
        Attach(0, 3, ctNode)->CellBoolean = collapsed;
        Repaint();
        // The 9-pixel glyph at (4, 72 + 6): the plus's bar passes its column 4.
        EXPECT_EQ(Shown(4 + 4, 78 + 2) == clBlack, collapsed);
        EXPECT_EQ(Shown(4 + 2, 78 + 4), clBlack) << "the minus";
    }
}

}  // namespace
