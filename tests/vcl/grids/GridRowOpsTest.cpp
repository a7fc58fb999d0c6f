#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GridFixture.h"
#include "vcl/Grids.h"

namespace {

// A derived grid's view of the batch changes, and the changes its hook receives.
class BatchGrid : public TStringGrid {
public:
    using TCustomGrid::DeleteColumn;
    using TCustomGrid::DeleteGridCols;
    using TCustomGrid::DeleteGridRows;
    using TCustomGrid::DeleteRow;
    using TCustomGrid::ExchangeGridRows;
    using TCustomGrid::InsertGridCols;
    using TCustomGrid::InsertGridRows;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveRow;
    using TCustomGrid::PermuteGridRows;
    using TCustomGrid::PutGridRows;
    using TCustomGrid::TakeGridRows;
    using TStringGrid::Store;
    using TStringGrid::TStringGrid;
    int Changes = 0;

protected:
    void LinesChanged(const TGridLineChange& Change) override {
        ++Changes;
        TStringGrid::LinesChanged(Change);
    }
};

class GridRowOpsTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = Place<BatchGrid>(0, 0, 300, 150);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(4);
        grid->SetRowCount(10);
        for (Integer r = 0; r < 10; ++r) grid->SetCells(1, r, Name(r));
    }
    static AnsiString Name(Integer Row) { return "row " + std::to_string(Row); }
    // The texts of column 1 from the top.
    std::vector<AnsiString> Column() const {
        std::vector<AnsiString> texts;
        for (Integer r = 0; r < grid->RowCount(); ++r) texts.push_back(grid->Cells(1, r));
        return texts;
    }
    static std::vector<AnsiString> Names(std::initializer_list<Integer> Rows) {
        std::vector<AnsiString> names;
        for (Integer r : Rows) names.push_back(r < 0 ? AnsiString() : Name(r));
        return names;
    }
    void Drag(Integer FromX, Integer FromY, Integer ToX, Integer ToY) {
        Testing::MouseDown(grid, FromX, FromY);
        Testing::MouseMove(grid, ToX, ToY, {ssLeft});
        Testing::MouseUp(grid, ToX, ToY);
    }
    BatchGrid* grid = nullptr;
};

TEST_F(GridRowOpsTest, BatchChangesMoveTextsAndHeightsAndCarryTheCurrentRowAndAnchorAlong) {
    struct Case {
        const char* Name;
        std::function<void(BatchGrid&)> Change;
        std::vector<AnsiString> Texts;    // column 1 afterwards, -1 for an empty row
        Integer Row, AnchorRow, TallRow;  // current row 5 and anchor row 7 before; row 5 is 40 high
        int Hooks = 1;                    // calls of LinesChanged
    };
    const Case cases[] = {
        {"insert above", [](BatchGrid& g) { g.InsertGridRows(2, 2); }, Names({0, 1, -1, -1, 2, 3, 4, 5, 6, 7, 8, 9}), 7,
         9, 7},
        {"insert below", [](BatchGrid& g) { g.InsertGridRows(10, 1); }, Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1}), 5, 7,
         5},
        {"delete above", [](BatchGrid& g) { g.DeleteGridRows(1, 3); }, Names({0, 4, 5, 6, 7, 8, 9}), 2, 4, 2},
        {"delete the current row", [](BatchGrid& g) { g.DeleteGridRows(4, 2); }, Names({0, 1, 2, 3, 6, 7, 8, 9}), 4, 5,
         -1},
        {"delete to the end", [](BatchGrid& g) { g.DeleteGridRows(3, 7); }, Names({0, 1, 2}), 2, 2, -1},
        {"one row deleted", [](BatchGrid& g) { g.DeleteRow(9); }, Names({0, 1, 2, 3, 4, 5, 6, 7, 8}), 5, 7, 5},
        {"exchange with the current row", [](BatchGrid& g) { g.ExchangeGridRows(5, 8); },
         Names({0, 1, 2, 3, 4, 8, 6, 7, 5, 9}), 8, 7, 8},
        {"permute",
         [](BatchGrid& g) {
             const std::vector<Integer> order{0, 9, 8, 7, 6, 5, 4, 3, 2, 1};
             g.PermuteGridRows(order);
         },
         Names({0, 9, 8, 7, 6, 5, 4, 3, 2, 1}), 5, 3, 5},
        {"take out around the current row",
         [](BatchGrid& g) {
             const std::vector<Integer> rows{2, 5, 6};
             TGridTakenRows taken = g.TakeGridRows(rows);
             EXPECT_EQ(taken.Heights, (std::vector<Integer>{24, 40, 24}));
             EXPECT_EQ(taken.Cells.Text(1, 1), "row 5");
         },
         Names({0, 1, 3, 4, 7, 8, 9}), 4, 4, -1},
        {"take out and put back elsewhere",
         [](BatchGrid& g) {
             const std::vector<Integer> rows{1, 5}, back{8, 9};
             g.PutGridRows(back, g.TakeGridRows(rows));
         },
         Names({0, 2, 3, 4, 6, 7, 8, 9, 1, 5}), 4, 5, 9, 2},
        {"take out and put back only the tall row",
         [](BatchGrid& g) {
             const std::vector<Integer> rows{2, 5, 6}, tall{1}, top{0};
             TGridTakenRows taken = g.TakeGridRows(rows);
             TGridTakenRows part = taken.Split(tall);
             EXPECT_EQ(part.Rows, (std::vector<Integer>{5}));
             EXPECT_EQ(taken.Rows, (std::vector<Integer>{2, 6}));
             EXPECT_EQ(taken.Heights, (std::vector<Integer>{24, 24}));
             EXPECT_EQ(taken.Cells.Text(1, 1), "row 6");
             g.PutGridRows(top, std::move(part));
         },
         Names({5, 0, 1, 3, 4, 7, 8, 9}), 5, 5, 0, 2},
        {"move the current row up", [](BatchGrid& g) { g.MoveRow(5, 2); }, Names({0, 1, 5, 2, 3, 4, 6, 7, 8, 9}), 2, 7,
         2},
        {"move a row across the current one", [](BatchGrid& g) { g.MoveRow(3, 8); },
         Names({0, 1, 2, 4, 5, 6, 7, 8, 3, 9}), 4, 6, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetRowHeights(5, 40);
        grid->SetSelection({1, 7, 1, 5});  // anchor (1, 7), current cell (1, 5)
        ASSERT_EQ(grid->Row(), 5);
        int moved = 0;
        grid->OnRowMoved = [&moved](TObject*, Integer, Integer) { ++moved; };
        c.Change(*grid);
        EXPECT_EQ(Column(), c.Texts);
        EXPECT_EQ(grid->Row(), c.Row);
        EXPECT_EQ(grid->Selection().Bottom, std::max(c.Row, c.AnchorRow));
        EXPECT_EQ(grid->Selection().Top, std::min(c.Row, c.AnchorRow));
        for (Integer r = 0; r < grid->RowCount(); ++r) EXPECT_EQ(grid->RowHeights(r), r == c.TallRow ? 40 : 24) << r;
        EXPECT_EQ(grid->Changes, c.Hooks);
        EXPECT_EQ(moved, std::string(c.Name).starts_with("move") ? 1 : 0);
        TearDown();
        SetUp();
    }
}

TEST_F(GridRowOpsTest, ColumnBatchChangesMoveTheCellsOfEveryRowAndTheCurrentColumn) {
    grid->SetCells(2, 3, "two");
    grid->SetCells(3, 3, "three");
    grid->SetCol(3);
    grid->InsertGridCols(2, 2);
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(grid->Cells(4, 3), "two");
    EXPECT_EQ(grid->Cells(1, 3), "row 3");
    EXPECT_EQ(grid->Col(), 5);
    grid->DeleteGridCols(1, 3);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->Cells(1, 3), "two");
    EXPECT_EQ(grid->Cells(2, 3), "three");
    EXPECT_EQ(grid->Col(), 2);
    grid->DeleteColumn(2);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Cells(2, 3), "");
}

TEST_F(GridRowOpsTest, ChangesOutOfRangeOrLeavingNoRowRaiseAndChangeNothing) {
    const std::vector<Integer> notAscending{3, 2}, tooShort{0, 1, 2}, twice{0, 1, 1, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<std::pair<const char*, std::function<void()>>> misuses = {
        {"insert past the end", [&] { grid->InsertGridRows(11, 1); }},
        {"insert a negative count", [&] { grid->InsertGridRows(0, -1); }},
        {"delete past the end", [&] { grid->DeleteGridRows(8, 3); }},
        {"delete every row", [&] { grid->DeleteGridRows(0, 10); }},
        {"exchange out of range", [&] { grid->ExchangeGridRows(0, 10); }},
        {"move out of range", [&] { grid->MoveRow(-1, 2); }},
        {"permute with too few rows", [&] { grid->PermuteGridRows(tooShort); }},
        {"permute with a row twice", [&] { grid->PermuteGridRows(twice); }},
        {"take rows out of order", [&] { grid->TakeGridRows(notAscending); }},
        {"delete every column", [&] { grid->DeleteGridCols(0, 4); }},
    };
    for (const auto& [name, misuse] : misuses) {
        SCOPED_TRACE(name);
        EXPECT_THROW(misuse(), EInvalidGridOperation);
        EXPECT_EQ(grid->RowCount(), 10);
        EXPECT_EQ(Column(), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
}

TEST_F(GridRowOpsTest, DraggedRowsAndColumnsTakeTheCurrentCellAlongAndShiftThoseBetween) {
    grid->SetOptions(grid->Options() + TGridOptions{goRowMoving, goColMoving});
    struct Case {
        const char* Name;
        TGridCoord Current;
        TPoint From, To;  // window points: rows start at 25 r, columns at 65 c
        TGridCoord Expected;
    };
    const Case cases[] = {
        {"the current row dragged down", {2, 2}, {10, 60}, {10, 110}, {2, 4}},
        {"a row dragged down across the current one", {2, 3}, {10, 35}, {10, 110}, {2, 2}},
        {"a row dragged up across the current one", {2, 3}, {10, 110}, {10, 35}, {2, 4}},
        {"a row dragged below the current one", {2, 1}, {10, 60}, {10, 110}, {2, 1}},
        {"the current column dragged right", {1, 2}, {80, 10}, {210, 10}, {3, 2}},
        {"a column dragged left across the current one", {2, 2}, {210, 10}, {80, 10}, {3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetSelection({c.Current.X, c.Current.Y, c.Current.X, c.Current.Y});
        const AnsiString text = grid->Cells(c.Current.X, c.Current.Y);
        Drag(c.From.X, c.From.Y, c.To.X, c.To.Y);
        EXPECT_EQ(grid->Col(), c.Expected.X);
        EXPECT_EQ(grid->Row(), c.Expected.Y);
        EXPECT_EQ(grid->Selection(), (TGridRect{c.Expected.X, c.Expected.Y, c.Expected.X, c.Expected.Y}));
        EXPECT_EQ(grid->Cells(c.Expected.X, c.Expected.Y), text);
    }
}

TEST_F(GridRowOpsTest, TheOpenEditorWritesIntoItsRowAfterTheRowWasDragged) {
    Input::TabTo(grid);
    grid->SetOptions(grid->Options() + TGridOptions{goRowMoving, goEditing, goAlwaysShowEditor});
    Input::Key(grid, VK_DOWN);  // to cell (1, 2)
    Input::Key(grid, VK_F2);    // the caret after the text
    Input::Type(grid, "x");
    ASSERT_EQ(grid->Cells(1, 2), "row 2x");
    Drag(10, 60, 10, 110);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(grid->InplaceEditor()->BoundsRect().Top, grid->CellRect(1, 4).Top);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "row 2x");
    Input::Key(grid, VK_F2);
    Input::Type(grid, "y");
    EXPECT_EQ(grid->Cells(1, 4), "row 2xy");
    EXPECT_EQ(grid->Cells(1, 2), "row 3");
}

TEST_F(GridRowOpsTest, EachRowAndColumnHasItsOwnKeptList) {
    TStrings* row3 = grid->Rows(3);
    TStrings* row4 = grid->Rows(4);
    EXPECT_NE(row3, row4);
    EXPECT_EQ(grid->Rows(3), row3);
    EXPECT_EQ(row3->Strings(1), "row 3");             // read through the kept list after another was asked
    for (Integer c = 0; c < 200; ++c) grid->Rows(c);  // far more lines than any cache of views would keep
    EXPECT_EQ(row3->Strings(1), "row 3");
    grid->SetRows(1, grid->Rows(2));
    EXPECT_EQ(grid->Cells(1, 1), "row 2");
    grid->SetCols(0, grid->Cols(1));
    EXPECT_EQ(grid->Cells(0, 7), "row 7");
    // A row swap through a list of its own, as a sort does it.
    TStringList scratch;
    scratch.Assign(grid->Rows(5));
    grid->SetRows(5, grid->Rows(6));
    grid->SetRows(6, &scratch);
    EXPECT_EQ(grid->Cells(1, 5), "row 6");
    EXPECT_EQ(grid->Cells(1, 6), "row 5");
}

TEST_F(GridRowOpsTest, AssigningAShorterOrLongerListFillsOnlyTheCellsItReaches) {
    TObject marker;
    grid->SetCells(2, 4, "kept");
    grid->SetCells(2, 8, "kept too");
    struct Case {
        const char* Name;
        bool Row;
        std::vector<AnsiString> Lines;
        std::vector<AnsiString> Expected;  // the row (column) afterwards
    };
    const Case cases[] = {
        {"shorter row", true, {"a", "b"}, {"a", "b", "kept", ""}},
        {"longer row", true, {"a", "b", "c", "d", "e"}, {"a", "b", "c", "d"}},
        {"shorter column", false, {"p"}, {"p", "", "", "", "c", "", "", "", "kept too", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TStringList list;
        for (const AnsiString& line : c.Lines) list.AddObject(line, &marker);
        if (c.Row) grid->SetRows(4, &list);
        else grid->SetCols(2, &list);
        TStrings* shown = c.Row ? grid->Rows(4) : grid->Cols(2);
        std::vector<AnsiString> texts;
        for (Integer i = 0; i < shown->Count(); ++i) texts.push_back(shown->Strings(i));
        EXPECT_EQ(texts, c.Expected);
        EXPECT_EQ(shown->Objects(0), &marker);
        EXPECT_EQ(shown->Objects(static_cast<Integer>(std::min(c.Lines.size(), c.Expected.size())) - 1), &marker);
        if (c.Lines.size() < c.Expected.size()) {
            EXPECT_EQ(shown->Objects(static_cast<Integer>(c.Lines.size())), nullptr);
        }
    }
}

}  // namespace
