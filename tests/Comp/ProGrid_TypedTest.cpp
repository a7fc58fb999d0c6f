// The grid's typed cell access, cell-property queries, header lists, selection flags, repaint operations,
// fixed-area and mouse queries and the row-update report.
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

using namespace ProGrid;

namespace {

// Counts the cells whose content paints.
class TTypedGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::RAdeRedeviDidi;
    std::set<std::pair<Integer, Integer>> Drawn;

protected:
    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                      TGridDrawState AState) override {
        Drawn.insert({ACol, ARow});
        RAdeRedeviDidi::DrawCellText(ACanvas, ACol, ARow, ARect, AState);
    }
};

// A borderless grid of 5 x 20 cells of 64 x 24 without scroll bars at the form's top left: column c
// starts at 64 c and row r at 24 r.
class ProGridTypedTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TTypedGrid>(0, 0, 320, 240);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(5);
        grid->SetRowCount(20);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        grid->SetGridLineWidth(0);
    }
    void TearDown() override {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        DateSeparator = '/';
        FormFixture::TearDown();
    }

    // The cells painted after what happens in Action.
    std::set<std::pair<Integer, Integer>> PaintedBy(const std::function<void()>& Action) {
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        grid->Drawn.clear();
        Action();
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        return grid->Drawn;
    }

    static AnsiString ErrorOf(const std::function<void()>& Action) {
        try {
            Action();
        } catch (const EProGridError& error) {
            return error.Message();
        }
        return "no error";
    }

    TTypedGrid* grid = nullptr;
};

TEST_F(ProGridTypedTest, IntsReadWholeSigned32BitDecimalsAndRaiseOnAnythingElse) {
    const std::pair<const char*, Integer> numbers[] = {{"", 0},
                                                       {"42", 42},
                                                       {"-7", -7},
                                                       {"+5", 5},
                                                       {"  12", 12},
                                                       {"2147483647", 2147483647},
                                                       {"-2147483648", std::numeric_limits<Integer>::min()}};
    for (const auto& [text, value] : numbers) {
        grid->SetCells(1, 1, text);
        EXPECT_EQ(grid->Ints(1, 1), value) << text;
    }
    for (const char* text : {"2147483648", "-2147483649", "abc", "1.5", "12 ", "$10", "0x10", "-", "+-1", " "}) {
        grid->SetCells(1, 1, text);
        EXPECT_EQ(ErrorOf([&] { grid->Ints(1, 1); }), "Cell does not contain integer value") << text;
        EXPECT_EQ(grid->Cells(1, 1), text);
    }
}

TEST_F(ProGridTypedTest, FloatsReadTheNumberInsideTheTextWithAPointWhateverTheSeparator) {
    struct Case {
        const char* text;
        double value;
        char decimal = '.', thousand = ',';
    };
    const Case cases[] = {{"", 0.0},       {"abc", 0.0},     {"(1,234.50)", -1234.5},       {"3.25 kg", 3.25},
                          {"$12.5", 12.5}, {"-4e2", -400.0}, {"1.234,5", 1234.5, ',', '.'}, {"1,5", 1.5, ',', '.'}};
    for (const Case& c : cases) {
        DecimalSeparator = c.decimal;
        ThousandSeparator = c.thousand;
        grid->SetCells(2, 3, c.text);
        EXPECT_DOUBLE_EQ(grid->Floats(2, 3), c.value) << c.text;
    }
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    for (const char* text : {"Hello", "1.2.3", "12e", "1-2", "-", ".", "(.)"}) {
        grid->SetCells(2, 3, text);
        EXPECT_EQ(ErrorOf([&] { grid->Floats(2, 3); }), "Cell does not contain a float value") << text;
        EXPECT_EQ(grid->Cells(2, 3), text);
    }
}

TEST_F(ProGridTypedTest, FloatsWriteThroughFloatFormatAndABadFormatLeavesTheCell) {
    const std::tuple<const char*, double, const char*> cases[] = {{"%.2f", 3.14159, "3.14"},
                                                                  {"%.2f", -0.5, "-0.50"},
                                                                  {"%.1n", 1234.56, "1,234.6"},
                                                                  {"Total %.0f EUR", 99.6, "Total 100 EUR"},
                                                                  {"%8.3f", 2.0, "   2.000"}};
    for (const auto& [format, value, text] : cases) {
        grid->SetFloatFormat(format);
        grid->SetFloats(1, 2, value);
        EXPECT_EQ(grid->Cells(1, 2), text) << format;
    }
    for (const char* bad : {"%d", "%s %s", "%.2"}) {
        grid->SetCells(1, 2, "kept");
        grid->SetFloatFormat(bad);
        EXPECT_THROW(grid->SetFloats(1, 2, 1.0), EConvertError) << bad;
        EXPECT_EQ(grid->Cells(1, 2), "kept");
    }
}

TEST_F(ProGridTypedTest, DatesWriteTheShortDateAndDaysUpToZeroOnlyWithShowZeroDates) {
    grid->SetDates(1, 1, 0);
    EXPECT_EQ(grid->Cells(1, 1), "12/30/1899");
    grid->SetDates(1, 1, 36526.75);
    EXPECT_EQ(grid->Cells(1, 1), "1/1/2000");
    DateSeparator = '-';
    grid->SetDates(1, 1, 44000);
    EXPECT_EQ(grid->Cells(1, 1), "6-18-2020");
    DateSeparator = '/';
    grid->SetShowZeroDates(false);
    for (double day : {0.0, -1.0}) {
        grid->SetCells(1, 1, "x");
        grid->SetDates(1, 1, day);
        EXPECT_EQ(grid->Cells(1, 1), "") << day;
    }
    grid->SetDates(1, 1, 2);
    EXPECT_EQ(grid->Cells(1, 1), "1/1/1900");
}

TEST_F(ProGridTypedTest, ADateThatNamesNoDayRaisesAndLeavesTheCell) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (bool showZero : {true, false}) {
        grid->SetShowZeroDates(showZero);
        for (double value : {nan, inf, -inf, 2958466.0, 1e300, -693594.0, -1e300}) {
            grid->SetCells(3, 4, "kept");
            EXPECT_THROW(grid->SetDates(3, 4, value), EConvertError) << value;
            EXPECT_EQ(grid->Cells(3, 4), "kept");
        }
    }
    grid->SetShowZeroDates(true);
    grid->SetDates(3, 4, 2958465.5);
    EXPECT_EQ(grid->Cells(3, 4), "12/31/9999");
    grid->SetDates(3, 4, -693593.0);
    EXPECT_EQ(grid->Cells(3, 4), "1/1/0001");
}

TEST_F(ProGridTypedTest, EveryTypedAccessInsideAMergedBlockReadsAndWritesItsBase) {
    grid->MergeCells(1, 1, 2, 2);
    grid->SetFloats(2, 2, 1.5);
    EXPECT_EQ(grid->Cells(1, 1), "1.50");
    EXPECT_DOUBLE_EQ(grid->Floats(2, 1), 1.5);
    grid->SetCells(1, 1, "17");
    EXPECT_EQ(grid->Ints(1, 2), 17);
    grid->SetDates(2, 1, 2);
    EXPECT_EQ(grid->Cells(1, 1), "1/1/1900");
    grid->SetWideCells(2, 2, u"\u03b1");
    EXPECT_EQ(grid->WideCells(1, 2), u"\u03b1");
    EXPECT_TRUE(grid->IsUnicodeCell(2, 1));
    EXPECT_EQ(grid->Cells(2, 2), "");
}

TEST_F(ProGridTypedTest, WideCellsKeepASurrogatePairAndMarkTheCellUnicode) {
    const WideString text = u"A\U0001F600\u00e9";
    grid->SetWideCells(3, 1, text);
    EXPECT_EQ(grid->WideCells(3, 1), text);
    EXPECT_TRUE(grid->Cells(3, 1).starts_with("|\\"));
    EXPECT_EQ(grid->Cells(3, 1).size(), 2 + 2 * text.size());
    EXPECT_TRUE(grid->IsUnicodeCell(3, 1));
    grid->SetCells(3, 1, "caf\xe9");
    EXPECT_FALSE(grid->IsUnicodeCell(3, 1));
    EXPECT_EQ(grid->WideCells(3, 1), u"caf\u00e9");
}

TEST_F(ProGridTypedTest, CellQueriesAnswerFromTheCellsOwnPropertiesOrTheirDefaults) {
    EXPECT_EQ(grid->CellControl(1, 1), nullptr);
    EXPECT_EQ(grid->CellBrushColorTo(1, 1), clNone);
    EXPECT_FALSE(grid->CellReadOnlyFlag(1, 1));
    EXPECT_FALSE(grid->HasCellProperties(1, 1));
    auto* props = grid->GetCellProperties(1, 1);
    auto* button = Place<TButton>(0, 0, 10, 10);
    props->SetControl(button);
    props->SetBrushColorTo(clRed);
    props->SetReadOnly(true);
    EXPECT_EQ(grid->CellControl(1, 1), button);
    EXPECT_EQ(grid->CellBrushColorTo(1, 1), clRed);
    EXPECT_TRUE(grid->CellReadOnlyFlag(1, 1));
}

TEST_F(ProGridTypedTest, ColumnHeadersFillRowZeroWithLineEscapesAsCarriageReturns) {
    for (Integer col = 0; col < 5; ++col) grid->SetCells(col, 0, "old");
    auto headers = std::make_unique<TStringList>();
    headers->SetText("A\\nB\nSecond\nx\ny\nz\npast the columns");
    grid->SetColumnHeaders(headers.get());
    EXPECT_EQ(grid->Cells(0, 0), "A\rB");
    EXPECT_EQ(grid->Cells(1, 0), "Second");
    EXPECT_EQ(grid->Cells(4, 0), "z");

    // A shorter list empties row 0 past its end; a change to the list writes its entries again.
    headers->SetText("only");
    grid->SetColumnHeaders(headers.get());
    EXPECT_EQ(grid->Cells(0, 0), "only");
    EXPECT_EQ(grid->Cells(1, 0), "");
    grid->ColumnHeaders()->Add("added");
    EXPECT_EQ(grid->Cells(1, 0), "added");

    // Without fixed rows nothing is emptied first.
    grid->SetFixedRows(0);
    grid->SetCells(3, 0, "stays");
    grid->SetColumnHeaders(headers.get());
    EXPECT_EQ(grid->Cells(3, 0), "stays");
}

TEST_F(ProGridTypedTest, RowHeadersFillColumnZeroAndEmptyItOnlyWhenDesigning) {
    for (Integer row = 0; row < 20; ++row) grid->SetCells(0, row, "old");
    auto headers = std::make_unique<TStringList>();
    headers->SetText("Top\nOne\\nline");
    grid->SetRowHeaders(headers.get());
    EXPECT_EQ(grid->Cells(0, 0), "Top");
    EXPECT_EQ(grid->Cells(0, 1), "One\rline");
    EXPECT_EQ(grid->Cells(0, 2), "old");
    grid->RowHeaders()->Add("Third");
    EXPECT_EQ(grid->Cells(0, 2), "Third");

    grid->SetComponentStateItem(csDesigning, true);
    grid->SetRowHeaders(headers.get());
    grid->SetComponentStateItem(csDesigning, false);
    EXPECT_EQ(grid->Cells(0, 1), "One\rline");
    EXPECT_EQ(grid->Cells(0, 2), "");
}

TEST_F(ProGridTypedTest, TheFixedFontRepaintsWhenSetAndWhenItChanges) {
    auto font = std::make_unique<TFont>();
    font->SetSize(14);
    EXPECT_FALSE(PaintedBy([&] { grid->SetFixedFont(font.get()); }).empty());
    EXPECT_EQ(grid->FixedFont()->Size(), 14);
    EXPECT_FALSE(PaintedBy([&] { grid->FixedFont()->SetColor(clRed); }).empty());
}

TEST_F(ProGridTypedTest, LookupItemsTakeAListAndIgnoreNil) {
    auto items = std::make_unique<TStringList>();
    items->SetText("Apple\nPear");
    grid->SetLookupItems(items.get());
    grid->SetLookupItems(nullptr);
    EXPECT_EQ(grid->LookupItems()->Count(), 2);
    EXPECT_EQ(grid->LookupItems()->Strings(1), "Pear");
}

TEST_F(ProGridTypedTest, SettingTheCursorMakesItTheNormalOne) {
    grid->SetCursor(crHandPoint);
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    EXPECT_EQ(grid->NormalCursor(), crHandPoint);
}

TEST_F(ProGridTypedTest, SelectionFlagsHoldOneBitPerRowAndColumnWithinTheirBounds) {
    grid->SetRowCount(100000);
    EXPECT_FALSE(grid->RowSelect(99999));
    grid->SetRowSelect(99999, true);
    grid->SetRowSelect(7, true);
    EXPECT_TRUE(grid->RowSelect(99999));
    EXPECT_TRUE(grid->RowSelect(7));
    EXPECT_FALSE(grid->RowSelect(8));
    grid->SetColSelect(4, true);
    EXPECT_TRUE(grid->ColSelect(4));
    EXPECT_FALSE(grid->ColSelect(0));

    const std::pair<Integer, bool> rows[] = {{-1, false}, {100000, false}, {0, true}, {99999, true}};
    for (const auto& [row, valid] : rows) {
        const AnsiString expected = valid ? "no error" : "Invalid row accessed";
        EXPECT_EQ(ErrorOf([&] { grid->RowSelect(row); }), expected) << row;
        EXPECT_EQ(ErrorOf([&] { grid->SetRowSelect(row, true); }), expected) << row;
    }
    const std::pair<Integer, bool> cols[] = {{-1, false}, {5, false}, {0, true}, {4, true}};
    for (const auto& [col, valid] : cols) {
        const AnsiString expected = valid ? "no error" : "Invalid column accessed";
        EXPECT_EQ(ErrorOf([&] { grid->ColSelect(col); }), expected) << col;
        EXPECT_EQ(ErrorOf([&] { grid->SetColSelect(col, false); }), expected) << col;
    }
}

TEST_F(ProGridTypedTest, AChangedFlagRepaintsItsRowOrColumnAndAnUnchangedOneNothing) {
    auto row3 = PaintedBy([&] { grid->SetRowSelect(3, true); });
    EXPECT_EQ(row3.size(), 5u);
    for (const auto& [col, row] : row3) EXPECT_EQ(row, 3);
    EXPECT_TRUE(PaintedBy([&] { grid->SetRowSelect(3, true); }).empty());
    auto col2 = PaintedBy([&] { grid->SetColSelect(2, true); });
    EXPECT_EQ(col2.size(), 10u);  // the rows in view
    for (const auto& [col, row] : col2) EXPECT_EQ(col, 2);
    auto cleared = PaintedBy([&] { grid->ClearColSelect(); });
    EXPECT_EQ(cleared, col2);
    EXPECT_FALSE(grid->ColSelect(2));
}

TEST_F(ProGridTypedTest, RowFlagsReachTheHiddenRowsToo) {
    for (Integer row : {3, 7}) grid->HiddenRows()->Add()->SetIdx(row);
    EXPECT_EQ(ErrorOf([&] { grid->SetRowSelect(21, true); }), "no error");
    EXPECT_TRUE(grid->RowSelect(21));
    EXPECT_EQ(ErrorOf([&] { grid->RowSelect(22); }), "Invalid row accessed");
}

TEST_F(ProGridTypedTest, ClearingRowFlagsRepaintsEachFlaggedRowWhereItShows) {
    grid->HiddenRows()->Add()->SetIdx(1);  // real row 5 shows as row 4
    grid->SetRowSelect(5, true);
    grid->SetRowSelect(8, true);
    std::set<Integer> rows;
    for (const auto& [col, row] : PaintedBy([&] { grid->ClearRowSelect(); })) rows.insert(row);
    EXPECT_EQ(rows, (std::set<Integer>{4, 7}));
    EXPECT_FALSE(grid->RowSelect(5));
    EXPECT_FALSE(grid->RowSelect(8));
    EXPECT_TRUE(PaintedBy([&] { grid->ClearRowSelect(); }).empty());
}

TEST_F(ProGridTypedTest, SelectionToRowFlagsMarksTheSelectedRowsByDisplayOrRealIndex) {
    grid->SetRowSelect(1, true);
    grid->SetSelection({1, 2, 3, 4});
    grid->SelectToRowSelect(false);
    EXPECT_TRUE(grid->RowSelect(1));  // outside the selection: untouched
    for (Integer row : {2, 3, 4}) EXPECT_TRUE(grid->RowSelect(row)) << row;
    grid->SelectToRowSelect(true);
    EXPECT_FALSE(grid->RowSelect(1));
    EXPECT_TRUE(grid->RowSelect(3));
    EXPECT_FALSE(grid->RowSelect(19));

    grid->ClearRowSelect();
    grid->HiddenRows()->Add()->SetIdx(0);  // display row r is real row r + 1
    grid->MouseActions()->SetRowSelectPersistent(true);
    grid->SelectToRowSelect(false);
    EXPECT_FALSE(grid->RowSelect(2));
    for (Integer row : {3, 4, 5}) EXPECT_TRUE(grid->RowSelect(row)) << row;
}

TEST_F(ProGridTypedTest, SelectionToColumnFlagsMarksTheSelectedColumns) {
    grid->SetColSelect(1, true);
    grid->SetSelection({2, 1, 3, 4});
    grid->SelectToColSelect(false);
    EXPECT_TRUE(grid->ColSelect(1));  // outside the selection: untouched
    EXPECT_TRUE(grid->ColSelect(2));
    EXPECT_TRUE(grid->ColSelect(3));
    grid->SelectToColSelect(true);
    EXPECT_FALSE(grid->ColSelect(1));
    EXPECT_TRUE(grid->ColSelect(2));
    EXPECT_FALSE(grid->ColSelect(4));
}

TEST_F(ProGridTypedTest, RepaintOperationsPaintTheirCellsOrTheWholeGrid) {
    using Cells = std::set<std::pair<Integer, Integer>>;
    EXPECT_EQ(PaintedBy([&] { grid->RepaintCell(2, 3); }), (Cells{{2, 3}}));
    EXPECT_EQ(PaintedBy([&] { grid->RepaintRect(TRect{1, 2, 2, 3}); }), (Cells{{1, 2}, {2, 2}, {1, 3}, {2, 3}}));
    // A corner out of view: all of it.
    EXPECT_EQ(PaintedBy([&] { grid->RepaintRect(TRect{1, 2, 2, 19}); }).size(), 50u);
    EXPECT_TRUE(PaintedBy([&] { grid->RepaintRect(TRect{-1, 2, 2, 3}); }).empty());
    EXPECT_EQ(PaintedBy([&] { grid->RepaintRow(4); }).size(), 5u);
    EXPECT_EQ(PaintedBy([&] { grid->RepaintCol(4); }).size(), 10u);
}

TEST_F(ProGridTypedTest, FixedCellsActAsNormalOnesForTheScrollableArea) {
    grid->SetFixedFooters(2);
    grid->SetFixedRightCols(1);
    EXPECT_EQ(grid->VisibleFixedCols(), 0);
    EXPECT_EQ(grid->VisibleFixedRows(), 0);
    EXPECT_EQ(grid->LastScrollCol(), 4);
    EXPECT_EQ(grid->LastScrollRow(), 19);
    EXPECT_EQ(grid->AllColCount(), 5);
}

TEST_F(ProGridTypedTest, TheCurrentRawTextIsTheCellItselfAndTheCurrentTextWritesItsBase) {
    grid->MergeCells(1, 1, 2, 2);
    grid->SetCells(1, 1, "base");
    grid->SetCol(2);
    grid->SetRow(2);
    EXPECT_EQ(grid->GetCurrentRaw(), "");
    grid->SetCurrentText("written");
    EXPECT_EQ(grid->Cells(1, 1), "written");
    EXPECT_EQ(grid->Cells(2, 2), "");
    grid->SetCol(3);
    grid->SetCurrentText("plain");
    EXPECT_EQ(grid->GetCurrentRaw(), "plain");
}

TEST_F(ProGridTypedTest, MouseQueriesFindTheCellAndTheFixedSizingBorders) {
    const TPoint screen = grid->ClientToScreen(Point(64 * 2 + 10, 24 * 3 + 5));
    EXPECT_EQ(grid->MouseToCellEx(screen.X, screen.Y), Point(2, 3));
    const TPoint outside = grid->ClientToScreen(Point(-5, 5));
    EXPECT_EQ(grid->MouseToCellEx(outside.X, outside.Y).X, -1);

    grid->SetOptions(grid->Options().Include(goColSizing).Include(goRowSizing));
    struct Case {
        Integer x, y;
        bool on;
    };
    const Case cases[] = {
        {64 + 2, 10, true},        // fixed row, near a column's left edge
        {128 - 3, 10, true},       // near its right edge
        {64 + 30, 10, false},      // the middle of a header
        {64 + 2, 24 + 10, false},  // a body cell
        {30, 24 * 2 + 1, true},    // fixed column, near a row's top
        {30, 24 * 3 - 2, true},    // near its bottom
        {30, 24 * 2 + 12, false},  // the middle
        {400, 10, false},          // no cell
    };
    for (const Case& c : cases) EXPECT_EQ(grid->IsOnSizingBorder(c.x, c.y), c.on) << c.x << "," << c.y;
    grid->SetOptions(grid->Options().Exclude(goColSizing).Exclude(goRowSizing));
    EXPECT_FALSE(grid->IsOnSizingBorder(64 + 2, 10));
    EXPECT_FALSE(grid->IsOnSizingBorder(30, 24 * 2 + 1));
}

TEST_F(ProGridTypedTest, RowUpdateFiresOnlyWhenTheCurrentRowReallyChanges) {
    std::vector<std::pair<Integer, Integer>> updates;
    grid->OnRowUpdate = [&](TObject* Sender, Integer OldRow, Integer NewRow) {
        EXPECT_EQ(Sender, grid);
        updates.push_back({OldRow, NewRow});
    };
    Input::Click(grid, 64 + 10, 24 + 10);
    EXPECT_TRUE(updates.empty());  // the row it had
    Input::Key(form, VK_DOWN);
    Input::Key(form, VK_DOWN);
    Input::Key(form, VK_RIGHT);
    Input::Key(form, VK_UP);
    EXPECT_EQ(updates, (std::vector<std::pair<Integer, Integer>>{{1, 2}, {2, 3}, {3, 2}}));
    updates.clear();
    grid->SetRow(19);
    Input::Key(form, VK_DOWN);  // already the last row
    grid->SetCol(1);
    EXPECT_EQ(updates, (std::vector<std::pair<Integer, Integer>>{{2, 19}}));

    // Moves under the update lock are the grid's own.
    updates.clear();
    grid->BeginUpdate();
    Input::Key(form, VK_UP);
    grid->EndUpdate();
    EXPECT_TRUE(updates.empty());
    Input::Key(form, VK_UP);
    EXPECT_EQ(updates, (std::vector<std::pair<Integer, Integer>>{{18, 17}}));
}

}  // namespace
