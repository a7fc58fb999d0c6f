// The grid's drag and drop through the platform's drags: what a drag offers, what drops write (text,
// rich text, columns, files), the answer each drop gives its source, scrolling while a drag rests, the
// arrows, and moves within one grid and between two.
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "ProObj.h"
#include "grddd.h"
#include "support/ComposedPixels.h"
#include "support/TempPath.h"
#include "vcl/ActiveX.h"

using namespace ProGrid;

namespace {

using TRows = std::vector<std::vector<AnsiString>>;
constexpr DWORD CopyOrMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

class ProGridDragDropTest : public GridUnitFixture {
protected:
    void SetUp() override {
        GridUnitFixture::SetUp();
        form->SetBounds(0, 0, 640, 300);
        grid = NewGrid(0);
        other = NewGrid(320);
    }
    void TearDown() override {
        grddd::SetDropRTF(false);  // the switch is the unit's, not the grid's
        GridUnitFixture::TearDown();
    }

    RAdeRedeviDidi* NewGrid(Integer Left) {
        auto* g = Place<RAdeRedeviDidi>(Left, 0, 300, 250);
        g->SetDefaultColWidth(50);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetOptions(g->Options().Include(goEditing));
        g->DragDropSettings()->SetOleDropTarget(true);
        g->DragDropSettings()->SetOleDropSource(true);
        return g;
    }

    // The middle of a cell, on the screen.
    static TPoint At(RAdeRedeviDidi* G, Integer ACol, Integer ARow) {
        const TRect r = G->CellRect(ACol, ARow);
        return G->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }

    // Another program's drag of Formats, released over Point with Keys held.
    static DWORD Drop(const std::vector<std::pair<AnsiString, std::string>>& Formats, TPoint Point, DWORD Keys = 0) {
        const DWORD held = Keys | MK_LBUTTON;
        return RunForeignDragForTest(Formats, CopyOrMove, {{Point, held}, {Point, Keys}});
    }

    static void Fill(RAdeRedeviDidi* G, const TRows& Rows, Integer ACol = 1, Integer ARow = 1) {
        for (std::size_t r = 0; r < Rows.size(); ++r)
            for (std::size_t c = 0; c < Rows[r].size(); ++c)
                G->SetCells(ACol + static_cast<Integer>(c), ARow + static_cast<Integer>(r), Rows[r][c]);
    }

    // Rows ARow.. of columns 1..: what the user sees in the data cells.
    static TRows Cells(RAdeRedeviDidi* G, Integer ARow = 1, Integer Rows = -1) {
        TRows rows;
        const Integer last = Rows < 0 ? G->RowCount() : ARow + Rows;
        for (Integer r = ARow; r < last; ++r) {
            std::vector<AnsiString> row;
            for (Integer c = 1; c < G->ColCount(); ++c) row.push_back(G->Cells(c, r));
            while (!row.empty() && row.back().empty()) row.pop_back();
            rows.push_back(row);
        }
        return rows;
    }

    // The grid's own drag of the selection, from the cell pressed to (ACol, ARow) of Target.
    static void DragTo(RAdeRedeviDidi* Source, TPoint From, RAdeRedeviDidi* Target, Integer ACol, Integer ARow,
                       DWORD Keys = 0) {
        const TPoint to = At(Target, ACol, ARow);
        const DWORD held = Keys | MK_LBUTTON;
        SetDragScriptForTest({{From, MK_LBUTTON}, {to, held}, {to, Keys}});
        const TPoint cell = Source->MouseToCellEx(From.X, From.Y);
        Source->StartOleDrag(cell.X, cell.Y);
    }

    static bool Shown(RAdeRedeviDidi* G, Integer Direction) { return G->ArrowWindow(Direction)->Visible(); }

    RAdeRedeviDidi* grid = nullptr;
    RAdeRedeviDidi* other = nullptr;
};

}  // namespace

TEST_F(ProGridDragDropTest, TheDragTextHoldsTheSelectedCellsByRowsAndColumns) {
    struct Case {
        const char* name;
        TGridRect selection;
        bool rowSelect = false;
        bool entireRows = false;
        std::vector<Integer> flaggedRows = {};
        bool multiLine = false;
        AnsiString text;
    };
    const Case cases[] = {
        {"2 x 2, no line end after the last row", {1, 1, 2, 2}, false, false, {}, false, "a\tb\r\nc\td"},
        {"one row", {1, 1, 3, 1}, false, false, {}, false, "a\tb\tx"},
        {"entire rows take every column", {1, 2, 4, 2}, true, true, {}, false, "0\tc\td\t\t"},
        {"row select alone keeps the selection's columns", {1, 2, 4, 2}, true, false, {}, false, "c\td\t\t"},
        {"the flagged rows", {1, 1, 2, 1}, false, false, {1, 3}, false, "a\tb\r\n\ty"},
        {"multi-line cells quoted", {3, 3, 3, 3}, false, false, {}, true, "\"one\ntwo\""},
        {"multi-line cells as they are otherwise", {3, 3, 3, 3}, false, false, {}, false, "one\r\ntwo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Fill(grid, {{"a", "b", "x"}, {"c", "d"}, {"", "y", "one\r\ntwo"}});
        grid->SetCells(0, 2, "0");
        if (c.rowSelect) grid->SetOptions(grid->Options().Include(goRowSelect).Exclude(goEditing));
        grid->DragDropSettings()->SetOleEntireRows(c.entireRows);
        grid->SetMultilinecells(c.multiLine);
        grid->SetSelection(c.selection);
        if (!c.flaggedRows.empty()) {
            grid->MouseActions()->SetDisjunctRowSelect(true);
            for (Integer r : c.flaggedRows) grid->SetRowSelect(r, true);
        }
        EXPECT_EQ(grid->GetDragText(), c.text);
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, SelectedCellsAreTheSelectionsOrTheFlaggedOnesNeverFixed) {
    grid->SetSelection({1, 1, 2, 2});
    EXPECT_TRUE(grid->IsSelectedCell(2, 2));
    EXPECT_FALSE(grid->IsSelectedCell(3, 2));
    EXPECT_FALSE(grid->IsSelectedCell(0, 1));
    grid->MouseActions()->SetDisjunctColSelect(true);
    grid->SetColSelect(4, true);
    EXPECT_TRUE(grid->IsSelectedCell(4, 5));
    EXPECT_FALSE(grid->IsSelectedCell(2, 2));
    EXPECT_FALSE(grid->IsSelectedCell(4, 0));
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(3, true);
    EXPECT_TRUE(grid->IsSelectedCell(1, 3));
    EXPECT_FALSE(grid->IsSelectedCell(4, 5));
}

TEST_F(ProGridDragDropTest, DroppedTextIsPastedAtTheCellAndSelected) {
    struct Case {
        const char* name;
        AnsiString text;
        Integer col, row;
        bool insertRows = false;
        bool entireRowSelect = false;
        DWORD keys = 0;
        DWORD effect;
        TRows rows;  // rows 1..5 afterwards
        TGridRect selection;
    };
    const Case cases[] = {
        {"written over",
         "a\tb\r\nc\td",
         1,
         3,
         false,
         false,
         0,
         DROPEFFECT_MOVE,
         {{"1"}, {"2"}, {"a", "b"}, {"c", "d"}, {"5"}},
         {1, 3, 2, 4}},
        {"rows inserted before the drop row, none written over",
         "a\tb\r\nc\td",
         1,
         3,
         true,
         false,
         0,
         DROPEFFECT_MOVE,
         {{"1"}, {"2"}, {"a", "b"}, {"c", "d"}, {"3"}, {"4"}, {"5"}},
         {1, 3, 2, 4}},
        {"copied with Control",
         "z",
         2,
         1,
         false,
         false,
         MK_CONTROL,
         DROPEFFECT_COPY,
         {{"1", "z"}, {"2"}, {"3"}, {"4"}, {"5"}},
         {2, 1, 2, 1}},
        {"whole rows from column 0",
         "r\ts\tt",
         3,
         2,
         false,
         true,
         0,
         DROPEFFECT_MOVE,
         {{"1"}, {"s", "t"}, {"3"}, {"4"}, {"5"}},
         {1, 2, 3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (Integer r = 1; r <= 5; ++r) grid->SetCells(1, r, std::to_string(r));
        grid->DragDropSettings()->SetOleInsertRows(c.insertRows);
        if (c.entireRowSelect) {
            grid->SetOptions(grid->Options().Include(goRowSelect));
            grid->DragDropSettings()->SetOleEntireRows(true);
        }
        std::vector<TGridRect> dropped;
        grid->OnOleDropped = [&](TObject*, const TGridRect& R) { dropped.push_back(R); };
        EXPECT_EQ(Drop({{"text/plain", c.text}}, At(grid, c.col, c.row), c.keys), c.effect);
        EXPECT_EQ(Cells(grid), c.rows);
        const TGridRect sel = grid->Selection();
        EXPECT_EQ(TRect(sel.Left, sel.Top, sel.Right, sel.Bottom),
                  TRect(c.selection.Left, c.selection.Top, c.selection.Right, c.selection.Bottom));
        ASSERT_EQ(dropped.size(), 1u);
        EXPECT_EQ(dropped[0].Top, c.selection.Top);
        if (c.entireRowSelect) {
            EXPECT_EQ(grid->Cells(0, 2), "r");
        }
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, ARefusedDropWritesNothingAndAnswersNone) {
    struct Case {
        const char* name;
        std::pair<AnsiString, std::string> format;
        bool refuseByEvent = false;
        bool editing = true;
        bool rtfDrops = false;
    };
    const Case cases[] = {
        {"text refused by OnOleDrop", {"text/plain", "x"}, true},
        {"text onto a grid that cannot be edited", {"text/plain", "x"}, false, false},
        {"rich text refused by OnOleDrop", {"text/rtf", "{\\rtf1 x}"}, true, true, true},
        {"rich text onto a cell that cannot be edited", {"text/rtf", "{\\rtf1 x}"}, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->DragDropSettings()->SetOleDropRTF(c.rtfDrops);
        if (!c.editing) grid->SetOptions(grid->Options().Exclude(goEditing));
        if (c.rtfDrops && !c.refuseByEvent)
            grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
        std::vector<AnsiString> offered;
        grid->OnOleDrop = [&](TObject*, Integer, Integer, const AnsiString& Data, bool& Allow) {
            offered.push_back(Data);
            if (c.refuseByEvent) Allow = false;
        };
        EXPECT_EQ(Drop({c.format}, At(grid, 2, 2)), DROPEFFECT_NONE);
        EXPECT_EQ(grid->Cells(2, 2), "");
        EXPECT_EQ(offered.size(), 1u);
        EXPECT_FALSE(Shown(grid, 2));
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, RichTextGoesIntoOneCellWhileTheSwitchIsOn) {
    grid->DragDropSettings()->SetOleDropRTF(true);
    EXPECT_EQ(Drop({{"text/rtf", "{\\rtf1 x}"}, {"text/plain", "x"}}, At(grid, 3, 2)), DROPEFFECT_MOVE);
    EXPECT_EQ(grid->Cells(3, 2), "{\\rtf1 x}");
    grid->DragDropSettings()->SetOleDropRTF(false);
    EXPECT_EQ(Drop({{"text/rtf", "{\\rtf1 y}"}, {"text/plain", "y"}}, At(grid, 3, 3)), DROPEFFECT_MOVE);
    EXPECT_EQ(grid->Cells(3, 3), "y");
}

TEST_F(ProGridDragDropTest, AHeaderOnlyGridGrowsItsFirstRowForADrop) {
    grid->SetFixedRowAlways(true);
    grid->SetRowCount(1);
    std::vector<TGridRect> dropped;
    grid->OnOleDropped = [&](TObject*, const TGridRect& R) { dropped.push_back(R); };
    EXPECT_EQ(Drop({{"text/plain", "p\tq"}}, At(grid, 1, 0)), DROPEFFECT_MOVE);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "p");
    EXPECT_EQ(grid->Cells(2, 1), "q");
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].Top, 1);
}

TEST_F(ProGridDragDropTest, AnOfferedFileIsLoadedByItsNameAndCopied) {
    const AnsiString csv = ProcessTempPath("DATA.CSV");
    std::ofstream(csv, std::ios::binary) << "f,g\nh,i\n";
    struct Case {
        const char* name;
        std::string uris;
        bool refuseFile = false;
        DWORD effect;
        std::vector<AnsiString> loaded;  // the names OnOleDrop offers with -1, -1
        AnsiString cell;                 // (1, 1) afterwards
    };
    const std::string uri = "file://" + csv;
    const Case cases[] = {
        {"one .CSV file loads", uri + "\r\n", false, DROPEFFECT_COPY, {csv}, "i"},
        {"two files do nothing", uri + "\r\n" + uri + "\r\n", false, DROPEFFECT_NONE, {}, "old"},
        {"refused by OnOleDropFile", uri + "\r\n", true, DROPEFFECT_NONE, {}, "old"},
        {"neither .CSV nor .XLS", "file:///tmp/notes.txt\r\n", false, DROPEFFECT_NONE, {}, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->SetCells(1, 1, "old");
        std::vector<AnsiString> loaded, files;
        grid->OnOleDropFile = [&](TObject*, Integer, Integer, const AnsiString& Name, bool& Allow) {
            files.push_back(Name);
            if (c.refuseFile) Allow = false;
        };
        grid->OnOleDrop = [&](TObject*, Integer ARow, Integer ACol, const AnsiString& Data, bool&) {
            EXPECT_EQ(TPoint(ACol, ARow), TPoint(-1, -1));
            loaded.push_back(Data);
        };
        // A file manager offers the names as text too: only the file is taken.
        EXPECT_EQ(Drop({{"text/uri-list", c.uris}, {"text/plain", csv}}, At(grid, 2, 2)), c.effect);
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(grid->Cells(1, 1), c.cell);
        // The names offered as text are not pasted where the drop was.
        EXPECT_EQ(grid->Cells(2, 2), "");
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, ANameWithBothEndingsOffersTheCSVThenTheSpreadsheet) {
    std::vector<AnsiString> offered;
    grid->OnOleDrop = [&](TObject*, Integer, Integer, const AnsiString& Data, bool& Allow) {
        offered.push_back(Data);
        Allow = false;  // neither is read: this checks the order alone
    };
    EXPECT_EQ(Drop({{"text/uri-list", "file:///tmp/a.csv.xls\r\n"}}, At(grid, 1, 1)), DROPEFFECT_NONE);
    EXPECT_EQ(offered, (std::vector<AnsiString>{"/tmp/a.csv.xls", "/tmp/a.csv.xls"}));
}

TEST_F(ProGridDragDropTest, AColumnIsHandedToOnOleDropColOverAHeader) {
    // Another program's registered format is known here once this program registered the name too.
    RegisterClipboardFormat("Grid Column");
    struct Case {
        const char* name;
        std::string block;
        Integer row;
        bool accepted;
    };
    const Case cases[] = {
        {"over the header", std::string("\x07\x00\x00\x00", 4), 0, true},
        {"over a data row", std::string("\x07\x00\x00\x00", 4), 2, false},
        {"a block short of an index is no column", std::string("\x07\x00", 2), 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->DragDropSettings()->SetOleColumnDragDrop(true);
        std::vector<TRect> calls;
        grid->OnOleDropCol = [&](TObject*, Integer ARow, Integer ACol, Integer DropCol) {
            calls.push_back(TRect(ACol, ARow, DropCol, 0));
        };
        const DWORD effect =
            Drop({{"application/x-qt-windows-mime;value=\"Grid Column\"", c.block}}, At(grid, 3, c.row));
        EXPECT_EQ(effect != DROPEFFECT_NONE, c.accepted);
        EXPECT_EQ(calls, c.accepted ? std::vector<TRect>{TRect(3, 0, 7, 0)} : std::vector<TRect>{});
        EXPECT_FALSE(Shown(grid, 0) || Shown(grid, 1));
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, TheArrowsMarkTheDropPositionWhileADragHovers) {
    RegisterClipboardFormat("Grid Column");
    struct Case {
        const char* name;
        std::pair<AnsiString, std::string> format;
        Integer col, row;
        std::vector<std::pair<Integer, TPoint>> arrows;  // direction, top-left relative to the cell's
    };
    const std::string column("\x02\x00\x00\x00", 4);
    const Case cases[] = {
        {"a text: right of the row's left edge", {"text/plain", "x"}, 2, 3, {{2, {-10, 0}}}},
        {"a column: above and below the header cell",
         {"application/x-qt-windows-mime;value=\"Grid Column\"", column},
         2,
         0,
         {{0, {0, 21}}, {1, {0, -8}}}},
        {"a text over the header: none", {"text/plain", "x"}, 2, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->DragDropSettings()->SetOleColumnDragDrop(true);
        std::vector<std::vector<std::pair<Integer, TPoint>>> seen;
        grid->OnOleDragOver = [&](TObject*, Integer, Integer, bool&) {
            std::vector<std::pair<Integer, TPoint>> shown;
            const TRect r = grid->CellRect(c.col, c.row);
            const TPoint cell = grid->ClientToScreen(Point(r.Left, r.Top));
            for (Integer d = 0; d < 4; ++d) {
                auto* arrow = grid->ArrowWindow(d);
                if (arrow->Visible()) shown.push_back({d, Point(arrow->Left() - cell.X, arrow->Top() - cell.Y)});
            }
            seen.push_back(shown);
        };
        const TPoint at = At(grid, c.col, c.row);
        // Rests twice at the point, then leaves with Escape: the second notification sees the first's arrows.
        RunForeignDragForTest({c.format}, CopyOrMove, {{at}, {at}, {at, MK_LBUTTON, true}});
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen.back(), c.arrows);
        for (Integer d = 0; d < 4; ++d) EXPECT_FALSE(Shown(grid, d)) << d;
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, ADragRestingAtAnEdgeScrollsOneRowPerRepeatedNotification) {
    TTestClock clock;
    TManualTimerService timers(clock);
    grid->SetRowCount(60);
    grid->SetTopRow(10);
    const Integer visible = grid->VisibleRowCount();
    struct Case {
        const char* name;
        Integer row;  // display row under the point, relative to the top row; -1: the header
        Integer rests;
        Integer top;  // TopRow afterwards
    };
    const Case cases[] = {
        {"just below the last visible row", visible, 3, 10 + 4},
        {"over the header", -1, 2, 10 - 3},
        {"inside: no scrolling", 2, 3, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SetTopRow(10);
        const TRect r = grid->CellRect(1, c.row < 0 ? 0 : grid->TopRow() + c.row);
        ASSERT_GT(r.Bottom, r.Top);
        const TPoint at = grid->ClientToScreen(Point(r.Left + 5, r.Top + 2));
        bool resting = false;
        grid->OnOleDragOver = [&](TObject*, Integer, Integer, bool&) {
            if (resting) return;
            resting = true;
            // The user holds still: the platform asks again every 50 ms.
            timers.Advance(50 * c.rests);
        };
        RunForeignDragForTest({{"text/plain", "x"}}, CopyOrMove, {{at}, {at, MK_LBUTTON, true}});
        EXPECT_EQ(grid->TopRow(), c.top);
        // The repeat ends with the drag.
        EXPECT_EQ(timers.ActiveCount(), 0);
    }
}

TEST_F(ProGridDragDropTest, MovedCellsLeaveTheSourceButKeepWhatTheDropWrote) {
    struct Case {
        const char* name;
        bool toOther;
        Integer col, row;  // the drop cell
        DWORD keys = 0;
        bool copyAlways = false;
        TRows source;  // rows 1..4 of the source grid afterwards
        TRows target;  // rows 1..4 of the other grid afterwards
        bool richTextDrops = false;
    };
    const TRows untouched{{"a", "b"}, {"c", "d"}, {}, {}};
    const TRows none{{}, {}, {}, {}};
    const Case cases[] = {
        {"one cell down and right", false, 2, 2, 0, false, {{}, {"", "a", "b"}, {"", "c", "d"}, {}}, none},
        {"into the other grid", true, 1, 1, 0, false, none, untouched},
        {"copied with Control", true, 1, 1, MK_CONTROL, false, untouched, untouched},
        {"a grid that always copies", true, 1, 1, 0, true, untouched, untouched},
        {"the text, not an empty rich text, with the switch on", true, 1, 1, 0, false, none, untouched, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Fill(grid, {{"a", "b"}, {"c", "d"}});
        grid->SetSelection({1, 1, 2, 2});
        grid->DragDropSettings()->SetOleCopyAlways(c.copyAlways);
        other->DragDropSettings()->SetOleDropRTF(c.richTextDrops);
        std::vector<Integer> stops;
        grid->OnOleDragStop = [&](TObject*, Integer Effect) { stops.push_back(Effect); };
        DragTo(grid, At(grid, 1, 1), c.toOther ? other : grid, c.col, c.row, c.keys);
        EXPECT_EQ(Cells(grid, 1, 4), c.source);
        EXPECT_EQ(Cells(other, 1, 4), c.target);
        EXPECT_EQ(stops.size(), 1u);
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, MovedWholeRowsAreRemovedBarTheRowsTheDropInserted) {
    struct Case {
        const char* name;
        Integer top, bottom, dropRow;
        TRows rows;
    };
    const Case cases[] = {
        {"rows 4 and 5 before row 2", 4, 5, 2, {{"1"}, {"4"}, {"5"}, {"2"}, {"3"}}},
        {"rows 1 and 2 before row 4", 1, 2, 4, {{"3"}, {"1"}, {"2"}, {"4"}, {"5"}}},
        {"rows 2 and 3 onto row 3, inside themselves", 2, 3, 3, {{"1"}, {"2"}, {"3"}, {"4"}, {"5"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (Integer r = 1; r <= 5; ++r) grid->SetCells(1, r, std::to_string(r));
        grid->SetOptions(grid->Options().Include(goRowSelect));
        grid->DragDropSettings()->SetOleEntireRows(true);
        grid->DragDropSettings()->SetOleInsertRows(true);
        grid->SetSelection({1, c.top, 4, c.bottom});
        DragTo(grid, At(grid, 1, c.top), grid, 1, c.dropRow);
        EXPECT_EQ(Cells(grid), c.rows);
        TearDown();
    }
    SetUp();
}

TEST_F(ProGridDragDropTest, ADropTheTargetRefusesLeavesTheSourceAsItWas) {
    Fill(grid, {{"a"}});
    grid->SetSelection({1, 1, 1, 1});
    other->OnOleDrop = [](TObject*, Integer, Integer, const AnsiString&, bool& Allow) { Allow = false; };
    bool stopped = false;
    grid->OnOleDragStop = [&](TObject*, Integer) { stopped = true; };
    DragTo(grid, At(grid, 1, 1), other, 1, 1);
    EXPECT_EQ(grid->Cells(1, 1), "a");
    EXPECT_EQ(other->Cells(1, 1), "");
    EXPECT_FALSE(stopped);
}

TEST_F(ProGridDragDropTest, ARefusedDragStartRunsNoDrag) {
    Fill(grid, {{"a"}});
    grid->SetSelection({1, 1, 1, 1});
    std::vector<AnsiString> asked;
    grid->OnOleDrag = [&](TObject*, Integer, Integer, const AnsiString& Data, bool& Allow) {
        asked.push_back(Data);
        Allow = false;
    };
    bool started = false;
    grid->OnOleDragStart = [&](TObject*, Integer, Integer) { started = true; };
    EXPECT_FALSE(grid->StartOleDrag(1, 1));
    EXPECT_EQ(asked, std::vector<AnsiString>{"a"});
    EXPECT_FALSE(started);
}

TEST_F(ProGridDragDropTest, AHeaderDragCarriesTheColumnToTheOtherGrid) {
    grid->DragDropSettings()->SetOleColumnDragDrop(true);
    other->DragDropSettings()->SetOleColumnDragDrop(true);
    std::vector<Integer> columns;
    other->OnOleDropCol = [&](TObject*, Integer, Integer, Integer DropCol) { columns.push_back(DropCol); };
    DragTo(grid, At(grid, 3, 0), other, 2, 0);
    EXPECT_EQ(columns, std::vector<Integer>{3});
}

TEST_F(ProGridDragDropTest, CellsThatRefuseTheirFieldsMakeTheMoveACopy) {
    Fill(grid, {{"a", "b"}, {"c", "d"}});
    grid->SetSelection({1, 1, 2, 2});
    other->OnCanEditCell = [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        if (ACol == 2 && ARow == 1) CanEdit = false;
    };
    std::vector<Integer> stops;
    grid->OnOleDragStop = [&](TObject*, Integer Effect) { stops.push_back(Effect); };
    DragTo(grid, At(grid, 1, 1), other, 1, 1);
    EXPECT_EQ(Cells(other, 1, 2), (TRows{{"a"}, {"c", "d"}}));
    EXPECT_EQ(Cells(grid, 1, 2), (TRows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(stops, std::vector<Integer>{DROPEFFECT_COPY});
}

// The user's own drag: a press on the selection and a move of more than 3 pixels with the button held
// start it; an editing grid, or a press beside the selection, selects as before.
TEST_F(ProGridDragDropTest, APressOnTheSelectionAndAMoveCarryTheCells) {
    struct Case {
        const char* name;
        bool editing;
        Integer col, row;  // the pressed cell
        Integer move;      // pixels moved right with the button held
        TRows target;      // rows 1..2 of the other grid afterwards
    };
    const TRows dragged{{"a", "b"}, {"c", "d"}};
    const TRows none{{}, {}};
    const Case cases[] = {
        {"a selected cell, moved", false, 1, 1, 10, dragged},
        {"moved only 3 pixels", false, 1, 1, 3, none},
        {"an editing grid", true, 1, 1, 10, none},
        {"a cell beside the selection", false, 3, 1, 10, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Fill(grid, {{"a", "b"}, {"c", "d"}});
        if (!c.editing) grid->SetOptions(grid->Options().Exclude(goEditing));
        grid->SetSelection({1, 1, 2, 2});
        grid->DragDropSettings()->SetOleCopyAlways(true);
        const TRect r = grid->CellRect(c.col, c.row);
        const Integer x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
        const TPoint to = At(other, 1, 1);
        SetDragScriptForTest({{grid->ClientToScreen(Point(x + c.move, y)), MK_LBUTTON}, {to, MK_LBUTTON}, {to, 0}});
        Testing::MouseDown(grid, x, y);
        Testing::MouseMove(grid, x + c.move, y, TShiftState{ssLeft});
        Testing::MouseUp(grid, x + c.move, y);
        SetDragScriptForTest({});
        EXPECT_EQ(Cells(other, 1, 2), c.target);
        TearDown();
    }
    SetUp();
}

// A press on the selection waits to see whether it becomes a drag; released in place it is a click on the
// cell, and nothing of it is left to start a drag later.
TEST_F(ProGridDragDropTest, APressOnTheSelectionReleasedInPlaceClicksTheCellAndStartsNoLaterDrag) {
    struct Case {
        const char* name;
        bool rowSelect, disjunctRows;
        TShiftState shift;
        TGridRect selected;
        std::vector<Integer> flagged;  // disjunct rows flagged afterwards
    };
    const Case cases[] = {
        {"a cell", false, false, {}, {2, 2, 2, 2}, {}},
        {"a row with goRowSelect", true, false, {}, {1, 2, 4, 2}, {}},
        {"a flagged row", false, true, {}, {2, 2, 2, 2}, {2}},
        {"a flagged row with Ctrl", false, true, {ssCtrl}, {2, 2, 2, 2}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->SetOptions(grid->Options().Exclude(goEditing));
        if (c.rowSelect) grid->SetOptions(grid->Options().Include(goRowSelect));
        grid->MouseActions()->SetDisjunctRowSelect(c.disjunctRows);
        grid->SetSelection({1, 1, 2, 2});
        grid->SetRowSelect(1, true);
        grid->SetRowSelect(2, true);
        int drags = 0;
        grid->OnOleDrag = [&](TObject*, Integer, Integer, const AnsiString&, bool& Allow) {
            ++drags;
            Allow = false;
        };
        const TRect r = grid->CellRect(2, 2);
        const Integer x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
        Testing::Click(grid, x, y, mbLeft, c.shift);
        Testing::MouseMove(grid, x + 20, y + 20);
        EXPECT_EQ(drags, 0);
        EXPECT_EQ(grid->Selection(), c.selected);
        EXPECT_EQ(grid->Col(), c.rowSelect ? grid->Col() : 2);
        EXPECT_EQ(grid->Row(), 2);
        if (c.disjunctRows) {
            std::vector<Integer> flagged;
            for (Integer row = 1; row < grid->RowCount(); ++row)
                if (grid->RowSelect(row)) flagged.push_back(row);
            EXPECT_EQ(flagged, c.flagged);
        }
        TearDown();
    }
    SetUp();
}

namespace {

// Within the gradient's banding.
bool Near(COLORREF A, COLORREF B) {
    const auto close = [](int X, int Y) { return std::abs(X - Y) <= 8; };
    return close(GetRValue(A), GetRValue(B)) && close(GetGValue(A), GetGValue(B)) && close(GetBValue(A), GetBValue(B));
}

}  // namespace

// A header dragged out as a column takes its image along below the cursor, in the look's colours, and the
// image goes when the drag ends.
TEST_F(ProGridDragDropTest, AColumnDraggedByItsHeaderShowsTheHeaderBelowTheCursorUntilTheDrop) {
    struct Case {
        const char* name;
        TGridLook look;
        COLORREF top, bottom;  // the image's first and last lines inside its frame
    };
    const COLORREF silver = 0xC0C0C0, white = 0xFFFFFF, face = ColorToRGB(clBtnFace);
    const Case cases[] = {
        {"zub: silver to white", glZub, silver, white},
        {"XP: white to the button face", glXP, white, face},
        {"standard: the plain face", glStandard, face, face},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        grid->SetOptions(grid->Options().Exclude(goEditing));
        grid->SetEnhRowColMove(false);
        grid->DragDropSettings()->SetOleColumnDragDrop(true);
        other->DragDropSettings()->SetOleColumnDragDrop(true);
        grid->SetLook(c.look);
        grid->SetCells(3, 0, "Qty");
        struct Seen {
            bool visible;
            TPoint cursor;
            TRect bounds;
            COLORREF top, bottom;
            int dark;  // pixels of the caption's text
        };
        std::vector<Seen> seen;
        other->OnOleDragOver = [&](TObject*, Integer, Integer, bool&) {
            ProObj::TPopupButton* image = grid->DragImage();
            std::unique_ptr<TBitmap> shot(Testing::GrabWindow(image));
            TCanvas& pixels = *shot->Canvas();
            int dark = 0;
            for (Integer y = 0; y < shot->Height(); ++y)
                for (Integer x = 2; x < shot->Width() - 2; ++x)
                    if (GetRValue(ColorToRGB(pixels.Pixels(x, y))) < 0x60) ++dark;
            POINT cursor{};
            GetCursorPos(&cursor);
            seen.push_back({image->Visible(), Point(cursor.X, cursor.Y), image->BoundsRect(),
                            ColorToRGB(pixels.Pixels(shot->Width() / 2, 2)),
                            ColorToRGB(pixels.Pixels(shot->Width() / 2, shot->Height() - 3)), dark});
        };
        Integer dropped = -1;
        other->OnOleDropCol = [&](TObject*, Integer, Integer, Integer DropCol) { dropped = DropCol; };
        const TPoint over = At(other, 2, 0), then = At(other, 3, 0);
        SetDragScriptForTest({{over, MK_LBUTTON}, {then, MK_LBUTTON}, {then, 0}});
        const TRect header = grid->CellRect(3, 0);
        const Integer x = (header.Left + header.Right) / 2, y = (header.Top + header.Bottom) / 2;
        // A header that acts as a button shows pressed while held; the drag's end lets it go, as the drag
        // takes the release.
        grid->SetFixedAsButtons(true);
        const std::vector<COLORREF> before = ComposedPixels(form, grid, header);
        Testing::MouseDown(grid, x, y);
        Testing::MouseMove(grid, x + 10, y, TShiftState{ssLeft});
        SetDragScriptForTest({});
        EXPECT_EQ(ComposedPixels(form, grid, header), before);

        EXPECT_EQ(dropped, 3);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front().cursor, over);
        EXPECT_EQ(seen.back().cursor, then);
        const Integer width = grid->ColWidths(3), height = grid->RowHeights(0);
        for (const Seen& s : seen) {
            EXPECT_TRUE(s.visible);
            EXPECT_EQ(s.bounds, Bounds(s.cursor.X - width / 2, s.cursor.Y + 20, width, height));
            EXPECT_PRED2(Near, s.top, c.top);
            EXPECT_PRED2(Near, s.bottom, c.bottom);
            EXPECT_GT(s.dark, 10) << "the header's text";
        }
        EXPECT_FALSE(grid->DragImage()->Visible());
        TearDown();
    }
    SetUp();
}

// A drag the application refuses at its start selects from the current cell instead, as any press that
// selects: the release clicks once.
TEST_F(ProGridDragDropTest, ARefusedDragSelectsFromThePressAndClicksOnce) {
    grid->SetOptions(grid->Options().Exclude(goEditing));
    grid->SetSelection({1, 1, 2, 2});
    grid->OnOleDrag = [](TObject*, Integer, Integer, const AnsiString&, bool& Allow) { Allow = false; };
    int clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    const TPoint from = grid->ScreenToClient(At(grid, 2, 2)), to = grid->ScreenToClient(At(grid, 3, 3));
    Testing::MouseDown(grid, from.X, from.Y);
    Testing::MouseMove(grid, from.X + 10, from.Y, TShiftState{ssLeft});
    Testing::MouseMove(grid, to.X, to.Y, TShiftState{ssLeft});
    Testing::MouseUp(grid, to.X, to.Y);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 3}));
    EXPECT_EQ(clicks, 1);
}
