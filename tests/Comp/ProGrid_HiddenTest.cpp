// Hidden rows: the hidden-row list, the real and display index mappings, hiding and unhiding rows.
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "ProGrid.h"
#include "LabelledRowsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

// The grid with its protected whole-row changes, which the row operations build on.
class THiddenTestGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::InsertRowsInternal;
    using RAdeRedeviDidi::RAdeRedeviDidi;
    using RAdeRedeviDidi::RemoveRowsInternal;
};

class ProGridHiddenTest : public LabelledRowsFixture<THiddenTestGrid> {
protected:
    // Items for the real rows given, as an application may add them.
    void AddHidden(std::initializer_list<Integer> Rows) {
        for (Integer row : Rows) grid->HiddenRows()->Add()->SetIdx(row);
    }

    static std::vector<AnsiString> Rows(std::initializer_list<Integer> Indices) {
        std::vector<AnsiString> rows;
        for (Integer row : Indices) rows.push_back("r" + std::to_string(row));
        return rows;
    }
    static std::vector<AnsiString> AllRows(Integer Count) {
        std::vector<AnsiString> rows;
        for (Integer row = 0; row < Count; ++row) rows.push_back("r" + std::to_string(row));
        return rows;
    }

    using LabelledRowsFixture::Shown;
    // The colour the window shows at a point of the grid's client area.
    TColor Shown(Integer X, Integer Y) {
        Input::Settle();
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y));
    }
};

TEST_F(ProGridHiddenTest, TheRowMappingsSkipTheHiddenRowsAndAreInverse) {
    AddHidden({0, 3, 4, 8});
    EXPECT_EQ(grid->HiddenRowCount(), 4);
    struct Case {
        Integer display;
        Integer real;
    };
    // Real rows 1, 2, 5, 6, 7, 9, 10 ... show at display rows 0, 1, 2 ...
    const Case cases[] = {{0, 1}, {1, 2}, {2, 5}, {3, 6}, {4, 7}, {5, 9}, {6, 10}, {20, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(grid->RealRowIndex(c.display), c.real);
        EXPECT_EQ(grid->DisplayRowIndex(c.real), c.display);
        EXPECT_FALSE(grid->IsHiddenRow(c.real));
    }
    EXPECT_EQ(grid->RealRowIndex(-1), -1);
    // A hidden row counts the hidden rows before it only.
    EXPECT_EQ(grid->DisplayRowIndex(4), 2);
    for (Integer row : {0, 3, 4, 8}) EXPECT_TRUE(grid->IsHiddenRow(row)) << row;
}

TEST_F(ProGridHiddenTest, TheMappingsFollowAnIdxAnApplicationChanges) {
    AddHidden({2});
    EXPECT_EQ(grid->RealRowIndex(2), 3);
    grid->HiddenRows()->Items(0)->SetIdx(5);
    EXPECT_FALSE(grid->IsHiddenRow(2));
    EXPECT_TRUE(grid->IsHiddenRow(5));
    EXPECT_EQ(grid->RealRowIndex(2), 2);
    EXPECT_EQ(grid->RealRowIndex(5), 6);
    grid->HiddenRows()->Delete(0);
    EXPECT_EQ(grid->HiddenRowCount(), 0);
    EXPECT_EQ(grid->RealRowIndex(5), 5);
}

TEST_F(ProGridHiddenTest, WithoutHiddenColumnsColumnIndicesMapToThemselves) {
    grid->SetColCount(6);
    grid->SetCol(4);
    EXPECT_EQ(grid->HiddenColCount(), 0);
    EXPECT_EQ(grid->RealCol(), 4);
    for (Integer col : {0, 3, 511, 512, 700}) {
        EXPECT_EQ(grid->RealColIndex(col), col);
        EXPECT_EQ(grid->DisplayColIndex(col), col);
    }
}

TEST_F(ProGridHiddenTest, HidingRowsThreeAndFourThenUnhidingAllRestoresOrderTextsPropertiesAndHeights) {
    grid->GetCellProperties(2, 3)->SetBrushColor(clRed);
    grid->GetCellProperties(1, 5)->SetBrushColor(clBlue);
    TObject* onThree = grid->Objects(2, 3);
    grid->HideRows(3, 4);
    EXPECT_EQ(Shown(), Rows({0, 1, 2, 5, 6, 7}));
    EXPECT_EQ(HiddenIdx(), (std::vector<Integer>{3, 4}));
    EXPECT_EQ(grid->RowHeights(3), 25);
    TGridItem* three = grid->HiddenRows()->Items(0);
    EXPECT_EQ(three->Height(), 23);
    // Asking for one item's list makes it of the row's cells; the other keeps them as they were.
    ASSERT_EQ(three->Items()->Count(), 4);
    EXPECT_EQ(three->Items()->Strings(3), "r3c3");
    EXPECT_EQ(three->Items()->Objects(2), onThree);
    grid->UnhideAllRows();
    EXPECT_EQ(grid->HiddenRowCount(), 0);
    EXPECT_EQ(grid->RowCount(), 8);
    for (Integer r = 0; r < 8; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid->RowHeights(r), 20 + r);
        for (Integer c = 0; c < 4; ++c) EXPECT_EQ(grid->Cells(c, r), Text(c, r));
    }
    EXPECT_EQ(grid->Objects(2, 3), onThree);
    EXPECT_EQ(grid->GetCellProperties(2, 3)->BrushColor(), clRed);
    EXPECT_EQ(grid->GetCellProperties(1, 5)->BrushColor(), clBlue);
}

TEST_F(ProGridHiddenTest, HideRowsSkipsHiddenRowsAndHidesOnlyTheRealRowsThere) {
    struct Case {
        const char* name;
        Integer first, from, to;  // first hide first..first (-1: none), then from..to
        std::vector<Integer> hidden;
        std::vector<AnsiString> shown;
    };
    const Case cases[] = {
        {"a range holding a hidden row", 3, 2, 5, {2, 3, 4, 5}, Rows({0, 1, 6, 7})},
        {"a range past the end", -1, 6, 100, {6, 7}, Rows({0, 1, 2, 3, 4, 5})},
        {"a range from before the start", -1, -5, 1, {0, 1}, Rows({2, 3, 4, 5, 6, 7})},
        {"a range starting on a hidden row", 3, 3, 5, {3}, Rows({0, 1, 2, 4, 5, 6, 7})},
        {"an empty range", -1, 5, 4, {}, AllRows(8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.first >= 0) grid->HideRows(c.first, c.first);
        grid->HideRows(c.from, c.to);
        EXPECT_EQ(HiddenIdx(), c.hidden);
        EXPECT_EQ(Shown(), c.shown);
        for (Integer i = 0; i < grid->HiddenRowCount(); ++i) {
            TGridItem* item = grid->HiddenRows()->Items(i);
            EXPECT_EQ(item->Items()->Strings(1), Text(1, item->Idx()));
        }
        grid->UnhideAllRows();
        EXPECT_EQ(Shown(), AllRows(8));
    }
}

TEST_F(ProGridHiddenTest, HideRowListHidesTheListedDisplayRowsOnceEach) {
    grid->HideRows(2, 2);
    auto list = std::make_unique<ProObj::TIntList>(0, 0);
    for (Integer row : {3, 3, 1, -1, 99}) list->Add(row);
    grid->HideRowList(list.get());
    // Display rows 1 and 3 are real rows 1 and 4.
    EXPECT_EQ(HiddenIdx(), (std::vector<Integer>{1, 2, 4}));
    EXPECT_EQ(Shown(), Rows({0, 3, 5, 6, 7}));
    EXPECT_EQ(grid->HiddenRows()->Items(2)->Items()->Strings(0), "r4c0");
    grid->UnhideAllRows();
    EXPECT_EQ(Shown(), AllRows(8));
}

TEST_F(ProGridHiddenTest, UnhideRowsPutsEachHiddenRowOfTheRangeBackAtItsIdx) {
    struct Case {
        const char* name;
        Integer from, to;
        std::vector<Integer> hidden;
        std::vector<AnsiString> shown;
    };
    // Rows 2, 4 and 6 hidden.
    const Case cases[] = {
        {"a mixed range", 2, 5, {6}, Rows({0, 1, 2, 3, 4, 5, 7})},
        {"one row", 4, 4, {2, 6}, Rows({0, 1, 3, 4, 5, 7})},
        {"a range past the end", 4, 1000, {2}, Rows({0, 1, 3, 4, 5, 6, 7})},
        {"a range not starting on a hidden row", 3, 6, {2, 4, 6}, Rows({0, 1, 3, 5, 7})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (Integer row : {2, 4, 6}) grid->HideRows(row, row);
        grid->UnhideRows(c.from, c.to);
        EXPECT_EQ(HiddenIdx(), c.hidden);
        EXPECT_EQ(Shown(), c.shown);
        grid->UnhideAllRows();
        EXPECT_EQ(Shown(), AllRows(8));
        for (Integer r = 0; r < 8; ++r) EXPECT_EQ(grid->RowHeights(r), 20 + r);
    }
}

TEST_F(ProGridHiddenTest, UnhideAllRowsAfterALoweredRowCountPutsLateRowsAfterTheLast) {
    struct Case {
        const char* name;
        std::vector<Integer> hide;
        Integer count;
        std::vector<AnsiString> shown;
    };
    const Case cases[] = {
        {"hidden rows within the new count", {2, 3}, 3, Rows({0, 1, 2, 3, 4})},
        {"hidden rows past it", {6, 7}, 2, Rows({0, 1, 6, 7})},
        {"both", {1, 6}, 2, Rows({0, 1, 2, 6})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (Integer row : c.hide) grid->HideRows(row, row);
        grid->SetRowCount(c.count);
        grid->UnhideAllRows();
        EXPECT_EQ(Shown(), c.shown);
    }
}

TEST_F(ProGridHiddenTest, ARestoredRowHasNoCellsBeyondItsOwn) {
    grid->HideRows(2, 3);
    grid->HiddenRows()->Items(0)->Items();  // held as a list from here on
    grid->SetColCount(6);
    for (Integer r = 0; r < grid->RowCount(); ++r) grid->SetCells(5, r, "new");
    grid->UnhideAllRows();
    for (Integer r : {2, 3}) {
        EXPECT_EQ(grid->Cells(3, r), Text(3, r));
        EXPECT_EQ(grid->Cells(4, r), "");
        EXPECT_EQ(grid->Cells(5, r), "");
    }
    EXPECT_EQ(grid->Cells(5, 4), "new");
}

TEST_F(ProGridHiddenTest, RestoredRowsAtTheEndShowTheirDisplayText) {
    grid->OnGetDisplText = [](TObject*, Integer, Integer, AnsiString& Value) { Value = "<" + Value + ">"; };
    grid->HideRows(6, 7);
    grid->UnhideAllRows();
    AnsiString text;
    grid->ReadCell(1, 7, text);
    EXPECT_EQ(text, "<r7c1>");
}

TEST_F(ProGridHiddenTest, AnOnCellsChangedThatRaisesLosesNoRowAndLeavesTheGridPainting) {
    grid->SetBorderStyle(bsNone);
    grid->OnCellsChanged = [](TObject*, const TRect&) { throw Exception("handler failed"); };
    EXPECT_THROW(grid->HideRows(3, 3), Exception);
    EXPECT_EQ(HiddenIdx(), (std::vector<Integer>{3}));
    EXPECT_EQ(grid->UpdateCount(), 0);
    const TRect cell = grid->CellRect(2, 2);
    grid->SetColor(clRed);
    EXPECT_EQ(Shown(cell.Left + 3, cell.Top + 3), ColorToRGB(clRed));
    EXPECT_THROW(grid->UnhideRows(3, 3), Exception);
    EXPECT_EQ(Shown(), AllRows(8));
}

TEST_F(ProGridHiddenTest, TheGridPaintsNothingUntilTheLastEndUpdate) {
    grid->SetBorderStyle(bsNone);
    const TRect cell = grid->CellRect(2, 3);
    const TColor before = Shown(cell.Left + 3, cell.Top + 3);
    grid->BeginUpdate();
    grid->BeginUpdate();
    grid->SetColor(clLime);
    EXPECT_EQ(Shown(cell.Left + 3, cell.Top + 3), before);
    grid->EndUpdate();
    EXPECT_EQ(Shown(cell.Left + 3, cell.Top + 3), before);
    grid->EndUpdate();
    grid->EndUpdate();  // one too many changes nothing
    EXPECT_EQ(grid->UpdateCount(), 0);
    EXPECT_EQ(Shown(cell.Left + 3, cell.Top + 3), ColorToRGB(clLime));
}

// A notifier that records what it is told, in a log shared with the grid's event.
class TLogNotifier : public TGridChangeNotifier {
public:
    TLogNotifier(TComponent* AOwner, std::vector<std::string>& Log, std::string Name)
        : TGridChangeNotifier(AOwner), log_(Log), name_(std::move(Name)) {}
    void CellsChanged(RAdeRedeviDidi*, const TRect& R) override {
        log_.push_back(name_ + " " + std::to_string(R.Top) + ".." + std::to_string(R.Bottom));
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST_F(ProGridHiddenTest, ChangedRowsAreReportedToTheEventThenToEachRegisteredNotifierOnce) {
    std::vector<std::string> log;
    grid->OnCellsChanged = [&log](TObject*, const TRect& R) {
        log.push_back("event " + std::to_string(R.Top) + ".." + std::to_string(R.Bottom));
    };
    auto* first = new TLogNotifier(form, log, "first");
    auto* second = new TLogNotifier(form, log, "second");
    grid->RegisterNotifier(first);
    grid->RegisterNotifier(second);
    grid->RegisterNotifier(first);
    grid->HideRows(2, 3);
    EXPECT_THAT(log, testing::ElementsAre("event 2..4", "first 2..4", "second 2..4"));
    log.clear();
    first->Free();
    grid->UnRegisterNotifier(second);
    grid->RemoveRowsInternal(1, 1, false);
    EXPECT_THAT(log, testing::ElementsAre("event 1..2"));
}

TEST_F(ProGridHiddenTest, TheInternalRemovalClampsAndMovesTheHiddenRowsBehindIt) {
    struct Case {
        const char* name;
        Integer row, count;
        bool adjust;
        std::vector<AnsiString> shown;  // after UnhideAllRows
    };
    // Real row 3 hidden: display rows 2, 3 and 4 are real rows 2, 4 and 5.
    const Case cases[] = {
        {"around the hidden row", 2, 2, true, Rows({0, 1, 3, 5, 6, 7})},
        {"before it", 1, 1, true, Rows({0, 2, 3, 4, 5, 6, 7})},
        {"after it", 4, 1, true, Rows({0, 1, 2, 3, 4, 6, 7})},
        {"past the end, clamped", 5, 10, true, Rows({0, 1, 2, 3, 4, 5})},
        {"a row outside", 7, 1, true, AllRows(8)},
        {"without adjusting", 1, 1, false, Rows({0, 2, 4, 3, 5, 6, 7})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->HideRows(3, 3);
        grid->RemoveRowsInternal(c.row, c.count, c.adjust);
        grid->UnhideAllRows();
        EXPECT_EQ(Shown(), c.shown);
    }
}

TEST_F(ProGridHiddenTest, RemovingTheCurrentLastRowMakesTheNewLastRowCurrentOrHidesTheSelection) {
    grid->SetRow(7);
    grid->RemoveRowsInternal(7, 1, true);
    EXPECT_EQ(grid->Row(), 6);
    grid->SetRow(3);
    grid->RemoveRowsInternal(1, 2, true);
    EXPECT_EQ(grid->Row(), 3);  // the current row stays where it was
    grid->HideRows(2, 100);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_FALSE(grid->SelectionHidden());
    // With the fixed row kept always, removing the last data row leaves no row to make current.
    grid->SetFixedRowAlways(true);
    grid->HideRows(1, 1);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_TRUE(grid->SelectionHidden());
}

TEST_F(ProGridHiddenTest, TheInternalInsertionLeavesTheHiddenIdxAsTheyAre) {
    grid->HideRows(5, 5);
    grid->InsertRowsInternal(1, 2);
    EXPECT_EQ(HiddenIdx(), (std::vector<Integer>{5}));
    EXPECT_EQ(grid->Cells(0, 1), "");
    EXPECT_EQ(grid->RowHeights(1), grid->DefaultRowHeight());
    EXPECT_EQ(grid->Cells(0, 3), "r1c0");
}

TEST_F(ProGridHiddenTest, AGridFreedWithHiddenRowsFreesTheirCellProperties) {
    int freed = 0;
    grid->GetCellProperties(1, 4)->SetGraphicObject(new TFreedMarker(freed));
    grid->GetCellProperties(2, 5)->SetGraphicObject(new TFreedMarker(freed));
    grid->HideRows(4, 5);
    grid->HiddenRows()->Items(1)->Items();
    grid->Free();
    grid = nullptr;
    EXPECT_EQ(freed, 2);
}

}  // namespace
