// Row and column operations: removal, insertion, exchange, clearing, column merging, and the cell queries
// and graphics they rely on.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "LabelledRowsFixture.h"
#include "ProGrid.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

// Counts the grid's paint passes.
class TCountingGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        RAdeRedeviDidi::Paint();
    }
};

class ProGridRowOpsTest : public LabelledRowsFixture<TCountingGrid> {
protected:
    // Row 0's texts: the columns by where each came from.
    std::vector<AnsiString> Columns() const {
        std::vector<AnsiString> cols;
        for (Integer c = 0; c < grid->ColCount(); ++c) cols.push_back(grid->Cells(c, 0));
        return cols;
    }
    static std::vector<AnsiString> Rows(std::initializer_list<const char*> Names) {
        return {Names.begin(), Names.end()};
    }
    std::vector<Integer> FlaggedRows() const {
        std::vector<Integer> rows;
        for (Integer r = 0; r < grid->RowCount() + grid->HiddenRowCount(); ++r)
            if (grid->RowSelect(r)) rows.push_back(r);
        return rows;
    }
    std::vector<Integer> Heights() const {
        std::vector<Integer> heights;
        for (Integer r = 0; r < grid->RowCount(); ++r) heights.push_back(grid->RowHeights(r));
        return heights;
    }
    void LogChanges() {
        auto log = std::make_shared<std::vector<std::string>>();
        grid->OnCellsChanged = [log](TObject*, const TRect& R) {
            log->push_back(std::to_string(R.Left) + "," + std::to_string(R.Top) + "-" + std::to_string(R.Right) + "," +
                           std::to_string(R.Bottom));
        };
        changes = log;
    }

    std::shared_ptr<std::vector<std::string>> changes;
};

TEST_F(ProGridRowOpsTest, RemovalsTakeRowsInsideTheGridAndClampTheCount) {
    struct Case {
        const char* name;
        Integer row, count;
        std::vector<AnsiString> shown;
    };
    const Case cases[] = {
        {"two rows", 2, 2, Rows({"r0", "r1", "r4", "r5", "r6", "r7"})},
        {"past the end, clamped", 6, 10, Rows({"r0", "r1", "r2", "r3", "r4", "r5"})},
        {"at RowCount", 8, 1, Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"negative row", -1, 2, Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"no rows", 3, 0, Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"every row: one stays, emptied", 0, 20, Rows({"-"})},
    };
    void (RAdeRedeviDidi::*removals[])(Integer, Integer) = {&RAdeRedeviDidi::RemoveRows, &RAdeRedeviDidi::RemoveRowsEx,
                                                            &RAdeRedeviDidi::ShiftRemoveRows};
    for (auto remove : removals)
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            SetUp();
            (grid->*remove)(c.row, c.count);
            EXPECT_EQ(Shown(), c.shown);
        }
}

TEST_F(ProGridRowOpsTest, RemovedRowsFreeTheirPropertiesAndLaterRowsKeepTheirHeightsAndProperties) {
    int freed = 0;
    grid->GetCellProperties(1, 3)->SetGraphicObject(new TFreedMarker(freed));
    grid->GetCellProperties(2, 5)->SetBrushColor(clRed);
    grid->RemoveRows(2, 2);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(Heights(), (std::vector<Integer>{20, 21, 24, 25, 26, 27}));
    EXPECT_EQ(grid->GetCellProperties(2, 3)->BrushColor(), clRed);
    EXPECT_FALSE(grid->HasCellProperties(1, 3) && grid->GetCellProperties(1, 3)->GraphicObject());
}

TEST_F(ProGridRowOpsTest, RemovingTheCurrentLastRowMakesTheNewLastRowCurrent) {
    grid->SetRow(7);
    grid->RemoveRows(7, 1);
    EXPECT_EQ(grid->Row(), 6);
}

TEST_F(ProGridRowOpsTest, HiddenRowsComeBackInPlaceAfterRemovalsAndInsertionsAroundThem) {
    struct Case {
        const char* name;
        std::function<void(RAdeRedeviDidi*)> change;
        std::vector<AnsiString> shown;  // after UnhideAllRows
    };
    // Real rows 3 and 5 hidden: display rows 2, 3, 4 are real rows 2, 4, 6.
    const Case cases[] = {
        {"removal over a hidden row", [](RAdeRedeviDidi* g) { g->RemoveRows(2, 2); },
         Rows({"r0", "r1", "r3", "r5", "r6", "r7"})},
        {"removal over both", [](RAdeRedeviDidi* g) { g->RemoveRows(2, 3); }, Rows({"r0", "r1", "r3", "r5", "r7"})},
        {"removal before them", [](RAdeRedeviDidi* g) { g->RemoveRows(1, 1); },
         Rows({"r0", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"insertion before them", [](RAdeRedeviDidi* g) { g->InsertRows(1, 2); },
         Rows({"r0", "-", "-", "r1", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"insertion between them", [](RAdeRedeviDidi* g) { g->InsertRows(3, 1); },
         Rows({"r0", "r1", "r2", "r3", "-", "r4", "r5", "r6", "r7"})},
        {"a row inserted by the key path", [](RAdeRedeviDidi* g) { g->AutoInsertRow(2); },
         Rows({"r0", "r1", "-", "r2", "r3", "r4", "r5", "r6", "r7"})},
        {"a row deleted by the key path", [](RAdeRedeviDidi* g) { g->AutoDeleteRow(2); },
         Rows({"r0", "r1", "r3", "r4", "r5", "r6", "r7"})},
        {"a row added at the end", [](RAdeRedeviDidi* g) { g->AddRow(); },
         Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "-"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->HideRows(3, 3);
        grid->HideRows(5, 5);
        c.change(grid);
        grid->UnhideAllRows();
        EXPECT_EQ(Shown(), c.shown);
    }
}

TEST_F(ProGridRowOpsTest, SelectionFlagsMoveWithTheirRows) {
    struct Case {
        const char* name;
        bool persistent;
        std::function<void(RAdeRedeviDidi*)> change;
        std::vector<Integer> flagged;
    };
    // Rows 2 and 5 flagged.
    const Case cases[] = {
        {"removal between", false, [](RAdeRedeviDidi* g) { g->RemoveRows(3, 1); }, {2, 4}},
        {"removal of a flagged row", false, [](RAdeRedeviDidi* g) { g->RemoveRows(2, 2); }, {3}},
        {"insertion before", false, [](RAdeRedeviDidi* g) { g->InsertRows(1, 2); }, {4, 7}},
        {"hidden, display flags", false, [](RAdeRedeviDidi* g) { g->HideRows(3, 3); }, {2, 4}},
        {"hidden, real flags", true, [](RAdeRedeviDidi* g) { g->HideRows(3, 3); }, {2, 5}},
        {"real flags, removal past a hidden row",
         true,
         [](RAdeRedeviDidi* g) {
             g->HideRows(3, 3);
             g->RemoveRows(1, 2);  // real rows 1 and 2
         },
         {3}},
        {"real flags, insertion", true, [](RAdeRedeviDidi* g) { g->InsertRows(3, 1); }, {2, 6}},
        {"unhidden rows open cleared flags",
         false,
         [](RAdeRedeviDidi* g) {
             g->HideRows(3, 4);
             g->UnhideAllRows();
         },
         {2, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->MouseActions()->SetRowSelectPersistent(c.persistent);
        grid->SetRowSelect(2, true);
        grid->SetRowSelect(5, true);
        c.change(grid);
        EXPECT_EQ(FlaggedRows(), c.flagged);
    }
}

TEST_F(ProGridRowOpsTest, RemoveSelectedRowsRemovesTheFlaggedDataRowsAndReportsEachRemovalInTurn) {
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetFixedFooters(1);
    for (Integer r : {0, 2, 4, 6, 7}) grid->SetRowSelect(r, true);
    LogChanges();
    grid->RemoveSelectedRows();
    // The fixed row and the footer row stay.
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r3", "r5", "r7"}));
    EXPECT_EQ(*changes, (std::vector<std::string>{"0,2-3,3", "0,3-3,4", "0,4-3,5"}));
    EXPECT_EQ(FlaggedRows(), (std::vector<Integer>{0, 4}));
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(ProGridRowOpsTest, RemoveSelectedRowsOfEveryRowLeavesOneEmptyRow) {
    grid->SetFixedRows(0);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    for (Integer r = 0; r < 8; ++r) grid->SetRowSelect(r, true);
    grid->RemoveSelectedRows();
    EXPECT_EQ(Shown(), Rows({"-"}));
    EXPECT_EQ(grid->Cells(3, 0), "");
    EXPECT_FALSE(grid->RowSelect(0));
}

TEST_F(ProGridRowOpsTest, WithoutDisjunctSelectionRemoveSelectedRowsRemovesTheSelectedRows) {
    grid->SetOptions(grid->Options().Include(goRangeSelect));
    grid->SetSelection(TGridRect{1, 3, 2, 5});
    grid->RemoveSelectedRows();
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r2", "r6", "r7"}));
}

TEST_F(ProGridRowOpsTest, RemoveSelectedRowsKeepsHiddenRowsInPlace) {
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->HideRows(3, 3);
    for (Integer r : {2, 3}) grid->SetRowSelect(r, true);  // display rows: real 2 and 4
    grid->RemoveSelectedRows();
    grid->UnhideAllRows();
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r3", "r5", "r6", "r7"}));
}

TEST_F(ProGridRowOpsTest, AShownGridRepaintsOnceForARemovalBatch) {
    grid->MouseActions()->SetDisjunctRowSelect(true);
    for (Integer r : {1, 3, 5}) grid->SetRowSelect(r, true);
    Input::Settle();
    grid->Paints = 0;
    grid->RemoveSelectedRows();
    Input::Settle();
    EXPECT_EQ(grid->Paints, 1);
}

TEST_F(ProGridRowOpsTest, ARaisingOnCellsChangedLeavesNoUpdateBracketOpen) {
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(3, true);
    grid->OnCellsChanged = [](TObject*, const TRect&) { throw Exception("handler failed"); };
    EXPECT_THROW(grid->RemoveSelectedRows(), Exception);
    EXPECT_EQ(grid->UpdateCount(), 0);
    EXPECT_THROW(grid->RemoveRows(1, 1), Exception);
    EXPECT_THROW(grid->RemoveCols(1, 1), Exception);
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(ProGridRowOpsTest, InsertedRowsAreEmptyAtTheDefaultHeightAndMovedRowsKeepTheirs) {
    grid->GetCellProperties(1, 2)->SetBrushColor(clRed);
    grid->InsertRows(2, 2);
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "-", "-", "r2", "r3", "r4", "r5", "r6", "r7"}));
    const Integer d = grid->DefaultRowHeight();
    EXPECT_EQ(Heights(), (std::vector<Integer>{20, 21, d, d, 22, 23, 24, 25, 26, 27}));
    EXPECT_FALSE(grid->HasCellProperties(1, 2));
    EXPECT_EQ(grid->GetCellProperties(1, 4)->BrushColor(), clRed);
    for (Integer row : {-1, 11}) grid->InsertRows(row, 1);
    EXPECT_EQ(grid->RowCount(), 10);
}

TEST_F(ProGridRowOpsTest, AddRowGoesAboveAVisibleFloatingFooter) {
    grid->AddRow();
    EXPECT_EQ(Shown().back(), "-");
    grid->SetCells(0, 8, "r8c0");
    grid->FloatingFooter()->SetVisible(true);
    grid->AddRow();
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->Cells(0, 8), "");
    EXPECT_EQ(grid->Cells(0, 9), "r8c0");
}

TEST_F(ProGridRowOpsTest, MergedRangesCutByAChangeAreSplitFirst) {
    struct Case {
        const char* name;
        std::function<void(RAdeRedeviDidi*)> change;
        bool merged;  // whether (1, 2) is still merged
    };
    // Column 1, rows 2 to 4 merged; (2, 5) to (3, 5) merged too.
    const Case cases[] = {
        {"insertion inside", [](RAdeRedeviDidi* g) { g->InsertRows(3, 1); }, false},
        {"insertion before", [](RAdeRedeviDidi* g) { g->InsertRows(2, 1); }, true},
        {"removal of a part", [](RAdeRedeviDidi* g) { g->RemoveRows(4, 1); }, false},
        {"exchange of a part", [](RAdeRedeviDidi* g) { g->ExchangeRows(3, 6); }, false},
        {"exchange of other rows", [](RAdeRedeviDidi* g) { g->ExchangeRows(1, 6); }, true},
        {"column insertion inside the other", [](RAdeRedeviDidi* g) { g->InsertCols(3, 1); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->MergeCells(1, 2, 1, 3);
        grid->MergeCells(2, 5, 2, 1);
        c.change(grid);
        const Integer row = std::string(c.name) == "insertion before" ? 3 : 2;
        EXPECT_EQ(grid->IsMergedCell(1, row), c.merged);
        // Every cell still merged lies in a range that ends inside the grid at its base's spans.
        for (Integer r = 0; r < grid->RowCount(); ++r)
            for (Integer col = 0; col < grid->ColCount(); ++col) {
                if (!grid->IsMergedCell(col, r)) continue;
                const TPoint base = grid->BaseCell(col, r);
                const TPoint span = grid->GetCellSpan(base.X, base.Y);
                EXPECT_TRUE(grid->IsBaseCell(base.X, base.Y));
                EXPECT_LE(r, base.Y + span.Y);
                EXPECT_LE(col, base.X + span.X);
            }
    }
    SetUp();
    grid->MergeCells(1, 2, 2, 1);
    grid->InsertCols(2, 1);
    EXPECT_FALSE(grid->IsMergedCell(1, 2));
}

TEST_F(ProGridRowOpsTest, ExchangeRowsTwiceRestoresRowsHeightsOrderAndFlags) {
    grid->RowOrderList()->Add(10);
    grid->RowOrderList()->Add(11);
    grid->RowOrderList()->Add(12);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->Navigation()->SetMoveRowOnSort(true);
    grid->SetRowSelect(1, true);
    grid->ExchangeRows(1, 2);
    EXPECT_EQ(Shown(), Rows({"r0", "r2", "r1", "r3", "r4", "r5", "r6", "r7"}));
    EXPECT_EQ(grid->RowHeights(1), 22);
    EXPECT_EQ(grid->RowOrderList()->Items(1), 12);
    EXPECT_EQ(FlaggedRows(), (std::vector<Integer>{2}));
    grid->ExchangeRows(1, 2);
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"}));
    EXPECT_EQ(Heights(), (std::vector<Integer>{20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(grid->RowOrderList()->Items(1), 11);
    EXPECT_EQ(FlaggedRows(), (std::vector<Integer>{1}));
    // Outside the rows nothing changes; past the order list only the rows change places.
    for (auto [a, b] : {std::pair{-1, 2}, std::pair{2, 8}}) grid->ExchangeRows(a, b);
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7"}));
    grid->ExchangeRows(1, 5);
    EXPECT_EQ(grid->RowOrderList()->Items(1), 11);
    EXPECT_EQ(grid->Cells(0, 1), "r5c0");
}

TEST_F(ProGridRowOpsTest, WithASingleSortColumnOnlyItsCellsChangePlaces) {
    grid->SortSettings()->SetSingleColumn(true);
    grid->SortSettings()->SetColumn(2);
    grid->GetCellProperties(2, 1)->SetBrushColor(clRed);
    grid->ExchangeRows(1, 3);
    EXPECT_EQ(grid->Cells(2, 1), "r3c2");
    EXPECT_EQ(grid->Cells(2, 3), "r1c2");
    EXPECT_EQ(grid->Cells(1, 1), "r1c1");
    EXPECT_EQ(grid->GetCellProperties(2, 3)->BrushColor(), clRed);
    EXPECT_FALSE(grid->HasCellProperties(2, 1));
}

TEST_F(ProGridRowOpsTest, ColumnChangesMoveTextsWidthsFlagsAndTheHiddenRowsCells) {
    struct Case {
        const char* name;
        std::function<void(RAdeRedeviDidi*)> change;
        std::vector<AnsiString> columns;  // row 0
        std::vector<AnsiString> hidden;   // row 3 once unhidden
        std::vector<Integer> widths;
        bool flag3;  // column 3's selection flag, set on column 2 before
    };
    const Integer d = grid->DefaultColWidth();
    const Case cases[] = {
        {"insertion",
         [](RAdeRedeviDidi* g) { g->InsertCols(1, 1); },
         {"r0c0", "", "r0c1", "r0c2", "r0c3"},
         {"r3c0", "", "r3c1", "r3c2", "r3c3"},
         {30, d, 31, 32, 33},
         true},
        {"insertion at the end",
         [](RAdeRedeviDidi* g) { g->InsertCols(4, 2); },
         {"r0c0", "r0c1", "r0c2", "r0c3", "", ""},
         {"r3c0", "r3c1", "r3c2", "r3c3", "", ""},
         {30, 31, 32, 33, d, d},
         false},
        {"removal",
         [](RAdeRedeviDidi* g) { g->RemoveCols(1, 1); },
         {"r0c0", "r0c2", "r0c3"},
         {"r3c0", "r3c2", "r3c3"},
         {30, 32, 33},
         false},
        {"removal clamped",
         [](RAdeRedeviDidi* g) { g->RemoveCols(2, 9); },
         {"r0c0", "r0c1"},
         {"r3c0", "r3c1"},
         {30, 31},
         false},
        {"removal of every column keeps one",
         [](RAdeRedeviDidi* g) { g->RemoveCols(0, 4); },
         {"r0c3"},
         {"r3c3"},
         {33},
         false},
        {"outside",
         [](RAdeRedeviDidi* g) { g->RemoveCols(4, 1); },
         {"r0c0", "r0c1", "r0c2", "r0c3"},
         {"r3c0", "r3c1", "r3c2", "r3c3"},
         {30, 31, 32, 33},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (Integer col = 0; col < 4; ++col) grid->SetColWidths(col, 30 + col);
        grid->SetColSelect(2, true);
        grid->HideRows(3, 3);
        c.change(grid);
        EXPECT_EQ(Columns(), c.columns);
        std::vector<Integer> widths;
        for (Integer col = 0; col < grid->ColCount(); ++col) widths.push_back(grid->ColWidths(col));
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(grid->ColCount() > 3 && grid->ColSelect(3), c.flag3);
        grid->UnhideAllRows();
        std::vector<AnsiString> hidden;
        for (Integer col = 0; col < grid->ColCount(); ++col) hidden.push_back(grid->Cells(col, 3));
        EXPECT_EQ(hidden, c.hidden);
        for (Integer col = 0; col < grid->ColCount(); ++col) EXPECT_TRUE(grid->ColumnVisible(col));
    }
}

TEST_F(ProGridRowOpsTest, RemovedColumnsFreeTheirPropertiesInShownAndHiddenRows) {
    int freed = 0;
    grid->GetCellProperties(1, 2)->SetGraphicObject(new TFreedMarker(freed));
    grid->GetCellProperties(1, 5)->SetGraphicObject(new TFreedMarker(freed));
    grid->GetCellProperties(2, 5)->SetBrushColor(clRed);
    grid->HideRows(5, 5);
    grid->HiddenRows()->Items(0)->Items();  // the hidden row's cells as a list
    grid->RemoveCols(1, 1);
    EXPECT_EQ(freed, 2);
    grid->UnhideAllRows();
    EXPECT_EQ(grid->GetCellProperties(1, 5)->BrushColor(), clRed);
}

TEST_F(ProGridRowOpsTest, ClearRectEmptiesTheCellsOfTheBlockInsideTheGridAndReportsIt) {
    int freed = 0;
    grid->GetCellProperties(2, 2)->SetGraphicObject(new TFreedMarker(freed));
    LogChanges();
    grid->ClearRect(2, 1, 9, 2);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(grid->Cells(2, 1), "");
    EXPECT_EQ(grid->Cells(3, 2), "");
    EXPECT_EQ(grid->Cells(1, 2), "r2c1");
    EXPECT_EQ(grid->Cells(2, 3), "r3c2");
    grid->ClearRows(5, 2);
    EXPECT_EQ(Shown(), Rows({"r0", "r1", "r2", "r3", "r4", "-", "-", "r7"}));
    grid->ClearCols(0, 1);
    grid->ClearRect(5, 0, 6, 3);  // outside: nothing
    EXPECT_EQ(*changes, (std::vector<std::string>{"2,1-3,2", "0,5-3,6", "0,0-0,7"}));
    grid->ClearAll();
    for (Integer c = 0; c < 4; ++c) EXPECT_EQ(grid->Cells(c, 7), "");
}

TEST_F(ProGridRowOpsTest, AClearedCellsControlIsHiddenAtOnceAndFreedOnceItsMessagesAreHandled) {
    auto* button = new TButton(form);
    button->SetParent(form);
    grid->GetCellProperties(1, 1)->SetControl(button);
    TComponentRef<TButton> held(button);
    grid->ClearRect(1, 1, 1, 1);
    ASSERT_TRUE(held);
    EXPECT_FALSE(button->Visible());
    Application->ProcessMessages();
    EXPECT_FALSE(held);
}

TEST_F(ProGridRowOpsTest, MergeColumnCellsJoinsRunsOfEqualTexts) {
    const char* texts[] = {"A", "A", "B", "B", "B", "C", "C"};
    for (Integer r = 1; r < 8; ++r) grid->SetCells(1, r, texts[r - 1]);
    // Column 2 runs across the blocks of column 1.
    const char* second[] = {"x", "x", "x", "x", "y", "y", "y"};
    for (Integer r = 1; r < 8; ++r) grid->SetCells(2, r, second[r - 1]);
    grid->MergeColumnList()->Add(1);
    grid->MergeColumnList()->Add(2);
    grid->AutoMergeColumns();
    EXPECT_EQ(grid->GetCellSpan(1, 1), Point(0, 1));
    EXPECT_EQ(grid->GetCellSpan(1, 3), Point(0, 2));
    EXPECT_EQ(grid->GetCellSpan(1, 6), Point(0, 1));
    // Column 2 keeps within column 1's blocks: x x | x x | y | y y.
    EXPECT_EQ(grid->GetCellSpan(2, 1), Point(0, 1));
    EXPECT_EQ(grid->BaseCell(2, 4), Point(2, 3));
    EXPECT_FALSE(grid->IsMergedCell(2, 5));
    EXPECT_EQ(grid->GetCellSpan(2, 6), Point(0, 1));
    grid->SplitColumnCells(1);
    EXPECT_FALSE(grid->IsMergedCell(1, 4));
    EXPECT_TRUE(grid->IsMergedCell(2, 4));
    grid->SplitAllCells();
    EXPECT_FALSE(grid->IsMergedCell(2, 4));
}

TEST_F(ProGridRowOpsTest, CellQueriesReadTheGraphicOfTheMergeBase) {
    struct Case {
        TCellType type;
        bool boolean;
        AnsiString text;
        bool hasCheck, checked, node, summary;
    };
    const Case cases[] = {
        {ctCheckBox, true, "", true, true, false, false},       {ctDataCheckBox, false, "Y", true, true, false, false},
        {ctVirtCheckBox, true, "N", true, false, false, false}, {ctNode, true, "", false, false, true, false},
        {ctSummary, false, "", false, false, false, true},      {ctRadio, true, "Y", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        SetUp();
        grid->MergeCells(0, 2, 2, 1);
        TCellGraphic* graphic = grid->CreateCellGraphic(0, 2);
        graphic->CellType = c.type;
        graphic->CellBoolean = c.boolean;
        graphic->CellIndex = 3;
        grid->GetCellProperties(0, 2)->SetNodeLevel(2);
        grid->SetCells(0, 2, c.text);
        bool state = true;
        EXPECT_EQ(grid->HasCheckBox(1, 2), c.hasCheck);
        EXPECT_EQ(grid->GetCheckBoxState(1, 2, state), c.hasCheck);
        EXPECT_EQ(state, c.checked);
        EXPECT_EQ(grid->IsNode(2), c.node);
        EXPECT_EQ(grid->IsSummaryRow(2), c.summary);
        EXPECT_EQ(grid->GetNodeState(2), c.node);
        EXPECT_EQ(grid->GetNodeLevel(2), c.node ? 2 : -1);
        EXPECT_EQ(grid->GetNodeSpan(2), c.node ? 3 : -1);
    }
    for (Integer row : {-1, 8, 3}) {
        EXPECT_FALSE(grid->IsNode(row));
        EXPECT_EQ(grid->GetNodeLevel(row), -1);
    }
}

TEST_F(ProGridRowOpsTest, CellGraphicsAreMadeAndRemovedAndASharedOneIsLetGo) {
    TCellGraphic* first = grid->CreateCellGraphic(1, 1);
    first->CellType = ctCheckBox;
    EXPECT_EQ(grid->GetCellGraphic(1, 1), first);
    EXPECT_EQ(grid->Cells(1, 1), "r1c1");
    EXPECT_FALSE(grid->RemoveCellGraphicOfType(1, 1, ctRadio));
    EXPECT_TRUE(grid->RemoveCellGraphicOfType(1, 1, ctCheckBox));
    EXPECT_FALSE(grid->RemoveCellGraphic(1, 1));
    EXPECT_EQ(grid->GetCellType(1, 1), ctEmpty);
    // A virtual check box's graphic outlives its removal from one cell.
    auto shared = std::make_unique<TCellGraphic>();
    shared->CellType = ctVirtCheckBox;
    grid->GetCellProperties(2, 1)->SetGraphicObject(shared.get());
    EXPECT_TRUE(grid->RemoveCellGraphic(2, 1));
    EXPECT_EQ(grid->GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(shared->CellType, ctVirtCheckBox);
    EXPECT_THROW(grid->CreateCellGraphic(4, 1), EProGridError);
}

}  // namespace
