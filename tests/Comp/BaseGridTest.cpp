#include <vector>

#include "BaseGridFixture.h"

using namespace BaseGrid;

namespace {

// A graphic that counts its destructions.
class TCountedGraphic : public TPersistent {
public:
    explicit TCountedGraphic(int& Freed) : freed_(Freed) {}
    ~TCountedGraphic() override { ++freed_; }

private:
    int& freed_;
};

class BaseGridTest : public BaseGridFixture {};

TEST_F(BaseGridTest, MergedRangeAnswersEveryQueryFromItsBase) {
    grid->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(grid->BaseCell(3, 2), Point(1, 1));
    EXPECT_EQ(grid->GetCellSpan(2, 2), Point(2, 1));
    EXPECT_TRUE(grid->IsMergedCell(1, 1));
    EXPECT_TRUE(grid->IsXMergedCell(3, 1));
    EXPECT_TRUE(grid->IsYMergedCell(3, 2));
    EXPECT_FALSE(grid->IsBaseCell(2, 1));
    bool isBase = true;
    EXPECT_EQ(grid->BaseCell(2, 2, isBase), Point(1, 1));
    EXPECT_FALSE(isBase);
    EXPECT_FALSE(grid->IsMergedCell(4, 1));
    EXPECT_EQ(grid->GetCellSpan(4, 1), Point(0, 0));
}

TEST_F(BaseGridTest, AOneByOneMergeIsNotMerged) {
    grid->MergeCells(2, 2, 1, 1);
    EXPECT_EQ(grid->GetCellProperties(2, 2)->CellSpanX(), 0);
    EXPECT_EQ(grid->GetCellProperties(2, 2)->CellSpanY(), 0);
    EXPECT_FALSE(grid->IsMergedCell(2, 2));
    EXPECT_EQ(grid->GetCellSpan(2, 2), Point(0, 0));
}

TEST_F(BaseGridTest, EveryCellOfARangeReadsAndWritesItsBaseText) {
    grid->MergeCells(1, 1, 2, 2);
    grid->WriteCell(2, 2, "joined");
    EXPECT_EQ(grid->Cells(1, 1), "joined");
    EXPECT_EQ(grid->Cells(2, 2), "");
    for (const TPoint cell : {Point(1, 1), Point(2, 1), Point(1, 2), Point(2, 2)}) {
        AnsiString text;
        grid->ReadCell(cell.X, cell.Y, text);
        EXPECT_EQ(text, "joined") << cell.X << "," << cell.Y;
    }
}

TEST_F(BaseGridTest, QueriesNeverCreateProperties) {
    AnsiString text;
    TRect rect;
    grid->BaseCell(3, 3);
    grid->IsBaseCell(3, 3);
    grid->IsMergedCell(3, 3);
    grid->IsXMergedCell(3, 3);
    grid->GetCellSpan(3, 3);
    grid->GetGraphicObject(3, 3);
    grid->CellRectEx(3, 3, rect);
    grid->ReadCell(3, 3, text);
    grid->WriteCell(3, 3, "x");
    grid->RowsInSameMerge(3, 4);
    EXPECT_FALSE(grid->HasCellProperties(3, 3));

    struct Case {
        const char* What;
        std::function<void()> Make;
    };
    const Case makers[] = {
        {"GetCellProperties", [&] { grid->GetCellProperties(3, 3); }},
        {"SplitCells", [&] { grid->SplitCells(3, 3); }},
        {"SetGraphicObject", [&] { grid->SetGraphicObject(3, 3, nullptr); }},
    };
    for (const Case& c : makers) {
        grid->FreeCellProperties(3, 3, 3, 3);
        ASSERT_FALSE(grid->HasCellProperties(3, 3));
        c.Make();
        EXPECT_TRUE(grid->HasCellProperties(3, 3)) << c.What;
    }
}

TEST_F(BaseGridTest, MergeIsClippedToTheGridAndSplitsTheRangesItOverlaps) {
    grid->MergeCells(8, 98, 5, 5);
    EXPECT_EQ(grid->GetCellSpan(9, 99), Point(1, 1));
    EXPECT_EQ(grid->BaseCell(9, 99), Point(8, 98));

    grid->MergeCells(1, 1, 3, 3);
    grid->MergeCells(2, 2, 3, 3);
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_FALSE(grid->IsMergedCell(3, 1));
    EXPECT_EQ(grid->BaseCell(4, 4), Point(2, 2));
    EXPECT_EQ(grid->GetCellSpan(3, 3), Point(2, 2));

    grid->MergeCells(-1, 0, 2, 2);
    grid->MergeCells(0, 0, 0, 3);
    EXPECT_FALSE(grid->HasCellProperties(0, 0));
}

TEST_F(BaseGridTest, SplitCellsUnmergesTheWholeRangeFromAnyOfItsCells) {
    grid->MergeCells(1, 1, 3, 2);
    grid->SplitCells(3, 2);
    for (Integer r = 1; r <= 2; ++r)
        for (Integer c = 1; c <= 3; ++c) {
            EXPECT_FALSE(grid->IsMergedCell(c, r));
            EXPECT_TRUE(grid->IsBaseCell(c, r));
            EXPECT_EQ(grid->GetCellProperties(c, r)->CellSpanX(), -1);
        }
}

TEST_F(BaseGridTest, FreeingOrClearingPartOfARangeSplitsItFirst) {
    struct Case {
        const char* What;
        std::function<void()> Cut;
    };
    const Case cases[] = {
        {"FreeCellProperties of the base column", [&] { grid->FreeCellProperties(1, 1, 1, 3); }},
        {"FreeCellProperties of one inner cell", [&] { grid->FreeCellProperties(2, 2, 2, 2); }},
        {"SetCellProperties nil on the base", [&] { grid->SetCellProperties(1, 1, nullptr); }},
        {"SetCellProperties nil on an inner cell", [&] { grid->SetCellProperties(3, 3, nullptr); }},
    };
    for (const Case& c : cases) {
        grid->FreeCellProperties(0, 0, 9, 9);
        grid->MergeCells(1, 1, 3, 3);
        grid->WriteCell(1, 1, "base");
        c.Cut();
        for (Integer r = 1; r <= 3; ++r)
            for (Integer col = 1; col <= 3; ++col) {
                EXPECT_FALSE(grid->IsMergedCell(col, r)) << c.What << " at " << col << "," << r;
                EXPECT_EQ(grid->BaseCell(col, r), Point(col, r)) << c.What;
            }
        PaintPass();  // paints every cell without a dangling base
    }
}

TEST_F(BaseGridTest, FreeingAWholeRangeLeavesNoPropertiesBehind) {
    grid->MergeCells(1, 1, 2, 2);
    grid->FreeCellProperties(0, 0, 5, 5);
    for (Integer r = 1; r <= 2; ++r)
        for (Integer c = 1; c <= 2; ++c) EXPECT_FALSE(grid->HasCellProperties(c, r));
}

TEST_F(BaseGridTest, StoringTheHeldPropertiesAgainChangesNothing) {
    TCellProperties* props = grid->GetCellProperties(2, 2);
    props->SetFontSize(11);
    grid->SetCellProperties(2, 2, props);
    EXPECT_EQ(grid->GetCellProperties(2, 2), props);
    EXPECT_EQ(props->FontSize(), 11);
}

TEST_F(BaseGridTest, StoredPropertiesReplaceAndFreeTheHeldOnes) {
    int freed = 0;
    grid->GetCellProperties(2, 2)->SetGraphicObject(new TCountedGraphic(freed));
    auto* fresh = new TCellProperties(nullptr, 2, 2);
    grid->SetCellProperties(2, 2, fresh);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(grid->GetCellProperties(2, 2), fresh);
    EXPECT_EQ(fresh->Grid(), grid);
}

TEST_F(BaseGridTest, APropertiesObjectWithoutAGridOnlyStores) {
    TCellProperties props(nullptr, 1, 1);
    props.SetBrushColor(clRed);
    props.SetWordWrap(true);
    props.SetVAlignment(vtaBottom);
    EXPECT_EQ(props.BrushColor(), clRed);
    EXPECT_TRUE(props.WordWrap());
    EXPECT_EQ(props.VAlignment(), vtaBottom);
}

TEST_F(BaseGridTest, NewPropertiesTakeTheDefaults) {
    const TCellProperties* p = grid->GetCellProperties(4, 7);
    EXPECT_EQ(p->OwnerCol(), 4);
    EXPECT_EQ(p->OwnerRow(), 7);
    EXPECT_EQ(p->BrushStyle(), bsSolid);
    EXPECT_EQ(p->BrushColor(), clNone);
    EXPECT_EQ(p->BrushColorTo(), clNone);
    EXPECT_EQ(p->FontColor(), clNone);
    EXPECT_EQ(p->CellSpanX(), -1);
    EXPECT_EQ(p->CellSpanY(), -1);
    EXPECT_EQ(p->BorderColor(), clBlack);
    EXPECT_EQ(p->Alignment(), taLeftJustify);
    EXPECT_EQ(p->VAlignment(), vtaTop);
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(p->Editor(), edNormal);
    EXPECT_EQ(p->CellObject(), nullptr);
}

TEST_F(BaseGridTest, AssignCopiesAllButTheEndColourTheObjectAndTheGraphic) {
    TCellProperties source(nullptr, 3, 4), target(nullptr, 0, 0);
    TObject object;
    int freed = 0;
    source.SetBrushColor(clRed);
    source.SetBrushColorTo(clBlue);
    source.SetCellObject(&object);
    source.SetGraphicObject(new TCountedGraphic(freed));
    source.SetFontName("Arial");
    source.SetFontStyle({fsBold});
    source.SetCellSpanX(2);
    source.SetIsBaseCell(false);
    source.SetWordWrap(true);
    source.SetEditor(edFloat);
    source.SetReadOnly(true);
    target.SetBrushColorTo(clLime);
    target.Assign(&source);
    EXPECT_EQ(target.BrushColor(), clRed);
    EXPECT_EQ(target.BrushColorTo(), clLime);
    EXPECT_EQ(target.CellObject(), nullptr);
    EXPECT_EQ(target.GraphicObject(), nullptr);
    EXPECT_EQ(target.OwnerCol(), 3);
    EXPECT_EQ(target.OwnerRow(), 4);
    EXPECT_EQ(target.FontName(), "Arial");
    EXPECT_EQ(target.FontStyle(), TFontStyles{fsBold});
    EXPECT_EQ(target.CellSpanX(), 2);
    EXPECT_FALSE(target.IsBaseCell());
    EXPECT_TRUE(target.WordWrap());
    EXPECT_EQ(target.Editor(), edFloat);
    EXPECT_TRUE(target.ReadOnly());
}

TEST_F(BaseGridTest, AGraphicGivenToAnEmptyCellLeavesItsTextEmpty) {
    int freed = 0;
    auto* graphic = new TCountedGraphic(freed);
    grid->SetGraphicObject(5, 5, graphic);
    EXPECT_EQ(grid->GetGraphicObject(5, 5), graphic);
    EXPECT_EQ(grid->Cells(5, 5), "");
    grid->SetGraphicObject(5, 5, nullptr);
    EXPECT_EQ(freed, 1);
}

TEST_F(BaseGridTest, ClearingCellsDropsThePropertiesUnfreedAndEmptiesTheText) {
    TCellProperties* moved = grid->GetCellProperties(1, 3);
    grid->SetCells(1, 3, "x");
    grid->GetCellProperties(4, 2);
    grid->SetCells(4, 2, "y");
    grid->ClearColumnCells(1);
    grid->ClearRowCells(2);
    EXPECT_FALSE(grid->HasCellProperties(1, 3));
    EXPECT_FALSE(grid->HasCellProperties(4, 2));
    EXPECT_EQ(grid->Cells(1, 3), "");
    EXPECT_EQ(grid->Cells(4, 2), "");
    // The object is still whole: its new cell takes it.
    grid->SetRawObject(6, 6, moved);
    EXPECT_EQ(grid->GetCellProperties(6, 6), moved);
}

TEST_F(BaseGridTest, DestructionFreesEveryPropertiesObjectAndGraphicOnce) {
    int freed = 0;
    grid->GetCellProperties(1, 1)->SetGraphicObject(new TCountedGraphic(freed));
    grid->MergeCells(2, 2, 2, 2);
    grid->GetCellProperties(2, 2)->SetGraphicObject(new TCountedGraphic(freed));
    // Moved out of the cells, as a hidden row keeps it.
    grid->GetCellProperties(3, 5)->SetGraphicObject(new TCountedGraphic(freed));
    grid->ClearCellData(3, 5);
    // Left beyond the counts.
    grid->GetCellProperties(8, 90)->SetGraphicObject(new TCountedGraphic(freed));
    grid->SetRowCount(50);
    EXPECT_EQ(freed, 1);
    FreeAndNil(grid);
    EXPECT_EQ(freed, 4);
}

TEST_F(BaseGridTest, LoweringTheCountsClipsTheRangesThatReachPastThem) {
    grid->MergeCells(2, 1, 4, 2);   // columns 2..5
    grid->MergeCells(6, 4, 3, 1);   // its base goes with the columns
    grid->MergeCells(1, 95, 2, 4);  // rows 95..98
    grid->SetColCount(4);
    EXPECT_EQ(grid->GetCellSpan(3, 2), Point(1, 1));
    EXPECT_EQ(grid->BaseCell(3, 2), Point(2, 1));
    grid->SetRowCount(97);
    EXPECT_EQ(grid->GetCellSpan(2, 96), Point(1, 1));
    grid->SetColCount(10);
    grid->SetRowCount(100);
    for (Integer c = 4; c < 10; ++c) EXPECT_FALSE(grid->HasCellProperties(c, 4)) << c;
    EXPECT_FALSE(grid->HasCellProperties(1, 97));
    EXPECT_EQ(grid->GetCellSpan(3, 1), Point(1, 1));
    PaintPass();
    EXPECT_EQ(grid->DrawnAt(4, 1), 1);  // no longer part of the range
}

TEST_F(BaseGridTest, RowsInSameMergeNeedsOneSharedVerticalRangeAndNoDifferingOne) {
    grid->MergeCells(1, 2, 1, 3);  // rows 2..4 in column 1
    grid->MergeCells(3, 3, 1, 3);  // rows 3..5 in column 3
    struct Case {
        Integer Row1, Row2;
        bool Expected;
    };
    const Case cases[] = {
        {2, 4, true},   // only column 1 holds both
        {3, 4, true},   // both columns, same base in each
        {4, 5, true},   // only column 3 holds both
        {2, 5, false},  // no column holds both
        {6, 7, false},  // no range at all
    };
    for (const Case& c : cases) EXPECT_EQ(grid->RowsInSameMerge(c.Row1, c.Row2), c.Expected) << c.Row1 << "," << c.Row2;
    grid->MergeCells(5, 1, 1, 3);               // rows 1..3 in column 5
    grid->MergeCells(5, 4, 1, 2);               // rows 4..5 in column 5
    EXPECT_FALSE(grid->RowsInSameMerge(3, 4));  // column 5 separates them
}

TEST_F(BaseGridTest, CalcCellRectPlacesCellsAlsoOutOfView) {
    grid->SetTopRow(10);
    grid->SetLeftCol(2);
    struct Case {
        Integer Col, Row;
        TRect Expected;
    };
    const Case cases[] = {
        {0, 0, Rect(0, 0, 64, 24)},         // fixed corner
        {0, 12, Rect(0, 72, 64, 96)},       // fixed column, scrolled rows
        {3, 0, Rect(128, 0, 192, 24)},      // fixed row, scrolled columns
        {1, 5, Rect(0, -96, 64, -72)},      // scrolled away above and left
        {9, 30, Rect(512, 504, 576, 528)},  // past the right and bottom edges
        {2, 10, Rect(64, 24, 128, 48)},     // the top-left scrollable cell
    };
    for (const Case& c : cases) {
        TRect r;
        grid->CalcCellRect(c.Col, c.Row, r);
        EXPECT_EQ(r, c.Expected) << c.Col << "," << c.Row;
    }
    EXPECT_EQ(grid->FixedColsWidth(), 64);
    EXPECT_EQ(grid->FixedRowsHeight(), 24);
    grid->SetFixedCols(0);
    EXPECT_EQ(grid->FixedColsWidth(), 0);
}

TEST_F(BaseGridTest, CellRectExCoversAMergedRangeEvenWhereItIsScrolledAway) {
    grid->MergeCells(1, 1, 2, 3);
    grid->SetTopRow(2);
    TRect r;
    grid->CellRectEx(2, 3, r);
    EXPECT_EQ(r, Rect(64, 0, 192, 72));
    EXPECT_EQ(grid->CellSizeEx(1, 2), Point(128, 72));
    grid->CellRectEx(3, 5, r);  // unmerged: the cell's own rectangle
    EXPECT_EQ(r, Rect(192, 96, 256, 120));
}

TEST_F(BaseGridTest, DisplayTextIsAskedForRowsBelowTheLogicalRowCountOnly) {
    std::vector<Integer> asked;
    grid->OnGetDisplText = [&](TObject* Sender, Integer, Integer ARow, AnsiString& Value) {
        EXPECT_EQ(Sender, grid);
        asked.push_back(ARow);
        Value += "!";
    };
    grid->SetCells(1, 3, "a");
    grid->SetCells(1, 120, "far");  // kept beyond the count
    AnsiString text;
    grid->ReadCell(1, 3, text);
    EXPECT_EQ(text, "a!");
    grid->ReadCell(1, 120, text);
    EXPECT_EQ(text, "far");
    grid->SetRowCount(150);
    grid->ReadCell(1, 120, text);
    EXPECT_EQ(text, "far!");
    EXPECT_EQ(asked, (std::vector<Integer>{3, 120}));
}

TEST_F(BaseGridTest, ADefaultGridPassesItsCellsThroughTheDisplayText) {
    auto* fresh = Place<TBaseGrid>(0, 160, 200, 100);
    int asked = 0;
    fresh->OnGetDisplText = [&](TObject*, Integer, Integer, AnsiString&) { ++asked; };
    AnsiString text;
    fresh->ReadCell(1, 1, text);
    EXPECT_EQ(asked, 1);
}

TEST_F(BaseGridTest, WritingTheLastRowUpdatesTheFloatingFooter) {
    grid->WriteCell(1, 99, "sum");
    EXPECT_EQ(grid->FooterUpdates, 0);
    grid->SetFloatingFooterShown(true);
    grid->WriteCell(1, 99, "sum");
    grid->WriteCell(1, 98, "no");
    EXPECT_EQ(grid->FooterUpdates, 1);
}

TEST_F(BaseGridTest, ConstructionSetsTheOwnLinesAndKeepsTheClassLibrarysOff) {
    EXPECT_EQ(grid->GridLineWidth(), 1);
    EXPECT_EQ(grid->GridLineColor(), static_cast<TColor>(0xC0C0C0));
    EXPECT_FALSE(grid->DefaultDrawing());
    EXPECT_TRUE(grid->Options().Contains(goDrawFocusSelected));
    grid->SetGridLineWidth(3);
    grid->SetDefaultDrawing(true);
    const TStringGrid* base = grid;
    EXPECT_EQ(base->GridLineWidth(), 0);
    EXPECT_FALSE(base->DefaultDrawing());
    EXPECT_EQ(grid->GridLineWidth(), 3);
    EXPECT_TRUE(grid->DefaultDrawing());
}

// ---------------------------------------------------------------------------
// The undo recorder

TEST_F(BaseGridTest, CellPropertiesReadEveryBrushAndAlignmentNameByName) {
    TCellProperties* props = grid->GetCellProperties(2, 2);
    TReadContext ctx;
    const TClass info = props->ClassType();
    info->FindProperty("BrushStyle")->Write(*props, FormIdent("bsDiagCross"), ctx);
    info->FindProperty("Alignment")->Write(*props, FormIdent("taCenter"), ctx);
    EXPECT_EQ(props->BrushStyle(), bsDiagCross);
    EXPECT_EQ(props->Alignment(), taCenter);
}

TEST_F(BaseGridTest, UndoRecorderKeepsTheNewestItemsUpToMaxLevel) {
    struct Case {
        Integer MaxLevel, Adds;
        std::vector<Integer> Kept;  // the Col of each kept item
    };
    const Case cases[] = {
        {2, 3, {2, 3}},
        {0, 3, {1, 2, 3}},
        {1, 2, {2}},
    };
    for (const Case& c : cases) {
        TOwned<TProGridUndoRedo> undo(new TProGridUndoRedo(nullptr));
        undo->SetMaxLevel(c.MaxLevel);
        for (Integer i = 1; i <= c.Adds; ++i) undo->AddUndo(i, 10 + i, "new", "old");
        std::vector<Integer> kept;
        for (Integer i = 0; i < undo->Items()->Count(); ++i) kept.push_back(undo->Items()->Items(i)->Col);
        EXPECT_EQ(kept, c.Kept) << c.MaxLevel;
        EXPECT_EQ(undo->Level(), static_cast<Integer>(c.Kept.size()));
        EXPECT_EQ(undo->Items()->Items(0)->Row, 10 + c.Kept.front());
        EXPECT_EQ(undo->Items()->Items(0)->OrigValue, "old");
    }
}

TEST_F(BaseGridTest, GridAndUndoRecorderForgetEachOtherWhenEitherGoes) {
    auto* undo = new TProGridUndoRedo(form);
    grid->SetUndoRedo(undo);
    EXPECT_EQ(undo->Grid(), grid);
    FreeAndNil(undo);
    EXPECT_EQ(grid->UndoRedo(), nullptr);

    undo = new TProGridUndoRedo(form);
    grid->SetUndoRedo(undo);
    FreeAndNil(grid);
    EXPECT_EQ(undo->Grid(), nullptr);
}

}  // namespace
