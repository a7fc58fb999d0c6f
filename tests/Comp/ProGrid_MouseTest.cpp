// The grid under the user's mouse on a shown form: header cursors and selections, sizing with its hint,
// anchors, header sorts, row and column moves with their image, in-cell check boxes, hover and blink by
// the grid's timer, and the pixels of a pressed header, the moving header's image and the sizing line.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "ProGrid_HintWindow.h"
#include "support/ComposedPixels.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"

using namespace ProGrid;

namespace {

class ProGridMouseTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(clWhite);
        grid = Place<RAdeRedeviDidi>(0, 0, 380, 260);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(6);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(56);
        grid->SetDefaultRowHeight(24);
        for (Integer c = 1; c < 6; ++c) grid->SetCells(c, 0, AnsiString(1, static_cast<char>('@' + c)));
        Input::Settle();
    }
    void TearDown() override {
        ReleaseCapture();
        SetCursor(nullptr);
        Screen->SetCursor(crDefault);
        SetWinExecLauncherForTest({});
        Testing::RecordMessageBoxes(false);
        FormFixture::TearDown();
        timers.reset();
    }
    TPoint Centre(Integer ACol, Integer ARow) const {
        const TRect r = grid->CellRect(ACol, ARow);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickCell(Integer ACol, Integer ARow, TShiftState Shift = {}) {
        const TPoint at = Centre(ACol, ARow);
        Testing::Click(grid, at.X, at.Y, mbLeft, Shift);
    }
    // The window as the user sees it, in the grid's client coordinates.
    TColor Shown(TBitmap* Shot, Integer X, Integer Y) const {
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(Shot->Canvas()->Pixels(at.X, at.Y));
    }
    static HCURSOR Resource(Word Id) { return LoadCursor(HInstance, MAKEINTRESOURCE(Id)); }

    TTestClock clock;
    std::unique_ptr<TManualTimerService> timers = std::make_unique<TManualTimerService>(clock);
    TFixedMetricsScope metrics;
    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridMouseTest, HeadersShowTheirCursorsAndAPressSelectsWhatTheyStandFor) {
    struct TCase {
        const char* Name;
        bool ColSelect, RowSelect, AllSelect;
        TGridCoord Cell;
        Word Cursor;  // 0: the grid's own
        TGridRect Selected;
    };
    const TCase cases[] = {
        {"a column header", true, false, false, {3, 0}, 8011, {3, 1, 3, 7}},
        {"a row header", false, true, false, {0, 4}, 8010, {1, 4, 5, 4}},
        {"the top-left cell", false, false, true, {0, 0}, 8012, {1, 1, 5, 7}},
        {"a column header without ColSelect", false, true, true, {3, 0}, 0, {1, 1, 1, 1}},
        {"a data cell", true, true, true, {2, 5}, 0, {2, 5, 2, 5}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetSelection({1, 1, 1, 1});
        grid->MouseActions()->SetColSelect(c.ColSelect);
        grid->MouseActions()->SetRowSelect(c.RowSelect);
        grid->MouseActions()->SetAllSelect(c.AllSelect);
        const TPoint at = Centre(c.Cell.X, c.Cell.Y);
        // The cursor is picked before each move, from what the move before found.
        Testing::MouseMove(grid, at.X, at.Y);
        Testing::MouseMove(grid, at.X + 1, at.Y);
        EXPECT_EQ(Testing::ShownCursor(), c.Cursor ? Resource(c.Cursor) : Screen->Cursors(crDefault));
        Testing::Click(grid, at.X + 1, at.Y);
        EXPECT_EQ(grid->Selection(), c.Selected);
        Testing::MouseMove(grid, 300, 250);
    }
}

TEST_F(ProGridMouseTest, SizingAColumnShowsItsWidthAndTheReleaseSortsNothing) {
    int sorts = 0;
    grid->SetOptions(grid->Options().Include(goColSizing));
    grid->SetHintShowSizing(true);
    grid->SortSettings()->SetShow(true);
    grid->OnClickSort = [&](TObject*, Integer) { ++sorts; };
    const TRect cell = grid->CellRect(2, 0);
    Testing::MouseMove(grid, cell.Right, 10);
    Testing::MouseDown(grid, cell.Right, 10);
    Testing::MouseMove(grid, cell.Left + 80, 10, {ssLeft});
    EXPECT_TRUE(grid->HintWindow()->Visible());
    EXPECT_EQ(grid->HintWindow()->Caption(), "cw=<b>80</b>");
    Testing::MouseUp(grid, cell.Left + 80, 10);
    EXPECT_EQ(grid->ColWidths(2), 80);
    EXPECT_FALSE(grid->HintWindow()->Visible());
    EXPECT_EQ(sorts, 0);
}

// The release ends what the press began: a selection clicks once however the grid ended it, and a column
// sized on the headers is not reported as a release.
TEST_F(ProGridMouseTest, AReleaseClicksOnceAfterASelectionAndHidesAHeaderSizingFromOnMouseUp) {
    struct TCase {
        const char* Name;
        TPoint From, To;  // in cells: a press in the middle, or on a column's right edge with Edge
        bool Edge;
        Integer ToRow;
        int Clicks, MouseUps;
        TGridRect Selected;
        Integer Width2;  // column 2's width afterwards
    };
    const TCase cases[] = {
        {"a click on a data cell", {2, 3}, {2, 3}, false, 3, 1, 1, {2, 3, 2, 3}, 56},
        {"a drag over data cells", {2, 3}, {4, 5}, false, 5, 1, 1, {2, 3, 4, 5}, 56},
        {"a column sized on the headers", {2, 0}, {2, 0}, true, 0, 0, 0, {1, 1, 1, 1}, 76},
        {"a column sizing released over the data", {2, 0}, {2, 0}, true, 4, 0, 1, {1, 1, 1, 1}, 76},
        {"a click on a header", {3, 0}, {3, 0}, false, 0, 0, 1, {1, 1, 1, 1}, 56},
    };
    grid->SetOptions(grid->Options().Include(goColSizing));
    int clicks = 0, mouseUps = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++mouseUps; };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetColWidths(2, 56);
        grid->SetSelection({1, 1, 1, 1});
        Testing::MouseMove(grid, 300, 250);
        clicks = mouseUps = 0;
        const TRect from = grid->CellRect(c.From.X, c.From.Y);
        const TPoint press = c.Edge ? Point(from.Right, 10) : Centre(c.From.X, c.From.Y);
        const TPoint release = c.Edge ? Point(from.Right + 20, Centre(0, c.ToRow).Y) : Centre(c.To.X, c.ToRow);
        Testing::MouseMove(grid, press.X, press.Y);
        Testing::MouseDown(grid, press.X, press.Y);
        Testing::MouseMove(grid, release.X, release.Y, {ssLeft});
        Testing::MouseUp(grid, release.X, release.Y);
        EXPECT_EQ(clicks, c.Clicks);
        EXPECT_EQ(mouseUps, c.MouseUps);
        EXPECT_EQ(grid->Selection(), c.Selected);
        EXPECT_EQ(grid->ColWidths(2), c.Width2);
    }
    // A right click after them is no click of the grid's.
    clicks = 0;
    ClickCell(3, 3);
    const TPoint at = Centre(4, 4);
    Testing::Click(grid, at.X, at.Y, mbRight);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ProGridMouseTest, AnAllColumnSizeScalesTheOtherDataColumnsOnlyAndTheApplicationHasTheLastWord) {
    grid->SetOptions(grid->Options().Include(goColSizing));
    grid->MouseActions()->SetAllColumnSize(true);
    int ended = -1;
    grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended = ACol; };
    grid->OnUpdateColumnSize = [&](TObject*, Integer ACol, Integer& AWidth) {
        EXPECT_EQ(ended, ACol) << "after the end of the sizing";
        AWidth = AWidth / 50 * 50;
    };
    const TRect cell = grid->CellRect(1, 0);
    Testing::MouseMove(grid, cell.Right, 10);
    Testing::MouseDown(grid, cell.Right, 10);
    Testing::MouseMove(grid, cell.Left + 112, 10, {ssLeft});
    Testing::MouseUp(grid, cell.Left + 112, 10);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(grid->ColWidths(0), 56) << "fixed columns keep their widths";
    EXPECT_EQ(grid->ColWidths(1), 100) << "as the application rounded it";
    for (Integer c = 2; c < 6; ++c) EXPECT_EQ(grid->ColWidths(c), 112) << "column " << c;
}

TEST_F(ProGridMouseTest, AnchorsGoToTheirCellOrOpenWithTheDesktopUnlessTheyAreProgramsOrOutside) {
    struct TCase {
        const char* Name;
        AnsiString Href;
        TGridCoord Current;  // after the click
        bool Opened;
    };
    const TCase cases[] = {
        {"a cell reference", "CELL://R3C2", {2, 3}, false},
        {"a cell reference in lower case", "cell://r6c4", {4, 6}, false},
        {"a web address", "http://example.org/", {1, 1}, true},
        {"a desktop launcher", "tool.desktop", {1, 1}, false},
        {"a reference outside the grid", "CELL://R99C1", {1, 1}, false},
        {"a reference that does not read", "CELL://RxC", {1, 1}, false},
    };
    std::vector<AnsiString> opened;
    SetWinExecLauncherForTest([&](const std::vector<AnsiString>& Argv, UINT, TProgramExitEvent) -> UINT {
        opened.push_back(Argv.back());
        return 33;
    });
    Testing::RecordMessageBoxes(true);
    Testing::RecordedMessageBoxes().clear();
    grid->SetColWidths(1, 150);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        opened.clear();
        grid->SetCol(1);
        grid->SetRow(1);
        grid->SetCells(1, 2, "<a href=\"" + c.Href + "\">follow this link</a>");
        const TRect cell = grid->CellRect(1, 2);
        Testing::Click(grid, cell.Left + 12, cell.Top + 7);
        EXPECT_EQ(grid->Col(), c.Current.X);
        EXPECT_EQ(grid->Row(), c.Current.Y);
        EXPECT_EQ(opened.size(), c.Opened ? 1u : 0u);
        if (c.Opened && !opened.empty()) {
            EXPECT_EQ(opened.back(), c.Href);
        }
    }
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty()) << "no click raised";
}

TEST_F(ProGridMouseTest, HeaderClicksSortFlipAndWithUndoSortRestoreTheOrder) {
    grid->SetRowCount(4);
    const char* texts[] = {"b", "c", "a"};
    for (Integer r = 1; r <= 3; ++r) grid->SetCells(2, r, texts[r - 1]);
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetUndoSort(true);
    std::vector<Integer> clicked;
    grid->OnClickSort = [&](TObject*, Integer ACol) { clicked.push_back(ACol); };
    const struct {
        const char* Order;
        Integer Column;
    } after[] = {{"abc", 2}, {"cba", 2}, {"bca", -1}};
    for (const auto& step : after) {
        ClickCell(2, 0);
        const AnsiString order = grid->Cells(2, 1) + grid->Cells(2, 2) + grid->Cells(2, 3);
        EXPECT_EQ(order, step.Order);
        EXPECT_EQ(grid->SortSettings()->Column(), step.Column);
    }
    EXPECT_EQ(clicked, (std::vector<Integer>{2, 2, 2}));
}

TEST_F(ProGridMouseTest, AColumnMovedByItsHeaderTakesItsWidthAndTheSortColumnAlong) {
    grid->SetOptions(grid->Options().Include(goColMoving));
    grid->SetColWidths(1, 50);
    grid->SortSettings()->SetColumn(1);
    grid->SetLook(glZub);
    bool imageShown = false;
    TCursor screenCursor = crDefault;
    const TPoint from = Centre(1, 0), to = Centre(4, 0);
    Testing::MouseDown(grid, from.X, from.Y);
    for (Integer x = from.X; x <= to.X; x += 20) Testing::MouseMove(grid, x, from.Y, {ssLeft});
    Testing::MouseMove(grid, to.X, to.Y, {ssLeft});
    imageShown = grid->DragImage()->Visible();
    screenCursor = Screen->Cursor();
    EXPECT_EQ(grid->DragImage()->Caption(), "A");
    // The image: the header's size with the zub look's silver to white.
    {
        EXPECT_EQ(grid->DragImage()->Width(), 50);
        std::unique_ptr<TBitmap> image(Testing::GrabWindow(grid->DragImage()));
        const TColor top = ColorToRGB(image->Canvas()->Pixels(3, 2));
        const TColor bottom = ColorToRGB(image->Canvas()->Pixels(3, image->Height() - 3));
        EXPECT_LT(GetRValue(top), 0xD0);
        EXPECT_GT(GetRValue(bottom), GetRValue(top));
    }
    Testing::MouseUp(grid, to.X, to.Y);
    EXPECT_TRUE(imageShown);
    EXPECT_EQ(screenCursor, crDrag);
    EXPECT_FALSE(grid->DragImage()->Visible());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(grid->Cells(4, 0), "A");
    EXPECT_EQ(grid->Cells(1, 0), "B");
    EXPECT_EQ(grid->ColWidths(4), 50);
    EXPECT_EQ(grid->SortSettings()->Column(), 4);
}

// A row move that is refused (by OnRowMove, or onto the last row under a floating footer that is no grid
// row) moves nothing, and the inverted bar that marked where it would go is gone after the release.
TEST_F(ProGridMouseTest, ARefusedRowMoveLeavesTheGridAsItWas) {
    struct TCase {
        const char* Name;
        bool Enhanced, Refused, Footer;
        Integer ToRow;
    };
    const TCase cases[] = {
        {"refused by OnRowMove", false, true, false, 5},
        {"refused by OnRowMove, with the image", true, true, false, 5},
        {"onto the footer's row", false, false, true, 7},
        {"onto the footer's row, with the image", true, false, true, 7},
    };
    grid->SetOptions(grid->Options().Include(goRowMoving));
    for (Integer r = 1; r < 8; ++r) grid->SetCells(0, r, "r" + IntToStr(r));
    grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetEnhRowColMove(c.Enhanced);
        grid->OnRowMove = [&](TObject*, Integer, bool& Allow) { Allow = !c.Refused; };
        grid->FloatingFooter()->SetVisible(c.Footer);
        grid->SetFocus();
        const TRect client = grid->ClientRect();
        const std::vector<COLORREF> before = ComposedPixels(form, grid, client);
        const TPoint from = Centre(0, 2), to = Centre(0, c.ToRow);
        Testing::MouseDown(grid, from.X, from.Y);
        for (Integer y = from.Y; y < to.Y; y += 12) Testing::MouseMove(grid, from.X, y, {ssLeft});
        Testing::MouseMove(grid, to.X, to.Y, {ssLeft});
        Testing::MouseUp(grid, to.X, to.Y);
        EXPECT_EQ(grid->Cells(0, 2), "r2");
        EXPECT_EQ(grid->Cells(0, c.ToRow), "r" + IntToStr(c.ToRow));
        EXPECT_TRUE(ComposedPixels(form, grid, client) == before) << "nothing left on the grid";
    }
}

TEST_F(ProGridMouseTest, ACheckBoxClickTogglesItAndTheHeaderBoxSetsTheColumn) {
    grid->SetOptions(grid->Options().Include(goEditing));
    grid->MouseActions()->SetCheckAllCheck(true);
    for (Integer r = 0; r < 4; ++r) grid->CreateCellGraphic(3, r)->CellType = ctCheckBox;
    std::vector<std::pair<Integer, bool>> clicks;
    grid->OnCheckBoxClick = [&](TObject*, Integer, Integer ARow, bool State) { clicks.emplace_back(ARow, State); };
    const struct {
        Integer Row;
        std::vector<bool> States;  // rows 1 to 3 afterwards
    } steps[] = {{2, {false, true, false}}, {2, {false, false, false}}, {0, {true, true, true}}};
    for (const auto& step : steps) {
        ClickCell(3, step.Row);
        for (Integer r = 1; r < 4; ++r) {
            bool state = false;
            grid->GetCheckBoxState(3, r, state);
            EXPECT_EQ(state, step.States[r - 1]) << "row " << r;
        }
    }
    EXPECT_EQ(clicks, (std::vector<std::pair<Integer, bool>>{{2, true}, {2, false}, {0, true}}));
}

TEST_F(ProGridMouseTest, TheRightButtonSelectsAndOpensTheHeaderEditorItIsSetFor) {
    struct TCase {
        const char* Name;
        TGridFixedCellEdit Edit;
        TMouseButton Button;
        bool EditorShown;
    };
    const TCase cases[] = {{"right click with fceRightClick", fceRightClick, mbRight, true},
                           {"left click with fceRightClick", fceRightClick, mbLeft, false},
                           {"left click with fceLeftClick", fceLeftClick, mbLeft, true},
                           {"right click with fceLeftClick", fceLeftClick, mbRight, false}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->TransEdit()->SetVisible(false);
        grid->MouseActions()->SetFixedRowsEdit(c.Edit);
        const TPoint at = Centre(3, 0);
        Testing::Click(grid, at.X, at.Y, c.Button);
        EXPECT_EQ(grid->TransEdit()->Visible(), c.EditorShown);
        if (c.EditorShown) {
            EXPECT_EQ(grid->TransEdit()->Text(), "C");
        }
    }
    std::vector<TGridCoord> rightClicks;
    grid->MouseActions()->SetSelectOnRigthClick(true);
    grid->OnRightClickCell = [&](TObject*, Integer ARow, Integer ACol) { rightClicks.push_back({ACol, ARow}); };
    const TPoint at = Centre(4, 5);
    Testing::Click(grid, at.X, at.Y, mbRight);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(rightClicks, (std::vector<TGridCoord>{{4, 5}}));
}

TEST_F(ProGridMouseTest, HoveringTakesTheCellUnderTheMouseOnlyWhereTheGridCanTakeTheFocus) {
    grid->SetHovering(true);
    const TPoint at = Centre(3, 4);
    Testing::MouseMove(grid, at.X, at.Y);
    timers->Advance(500);
    Input::Settle();
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_TRUE(grid->Focused());

    Testing::RecordMessageBoxes(true);
    Testing::RecordedMessageBoxes().clear();
    grid->SetCol(1);
    grid->SetRow(1);
    grid->SetEnabled(false);
    timers->Advance(1500);
    Input::Settle();
    EXPECT_TRUE(Testing::RecordedMessageBoxes().empty()) << "a disabled grid raises nothing";
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(ProGridMouseTest, CellHintsShowInTheMarkupHintWindowWhereTheTextAsksForIt) {
    struct TCase {
        const char* Name;
        bool LargeTextOnly;
        AnsiString Text, Shown;
    };
    const TCase cases[] = {
        {"a cell's text", false, "short", "short"},
        {"a text that fits, large texts only", true, "short", "grid"},
        {"a text wider than its column", true, "a text far wider than its column", "a text far wider than its column"},
    };
    grid->SetShowHint(true);
    grid->SetHint("grid");
    grid->SetHintShowCells(true);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetHintShowLargeText(c.LargeTextOnly);
        grid->SetCells(2, 3, c.Text);
        const TPoint at = Centre(2, 3);
        Testing::MouseMove(grid, at.X, at.Y);
        Testing::ShowHintNow(grid);
        EXPECT_EQ(Testing::ShownHint().Text, c.Shown);
        EXPECT_NE(dynamic_cast<THTMLHintWindow*>(Testing::ShownHintWindow()), nullptr);
        Testing::MouseMove(grid, 300, 250);
    }
}

TEST_F(ProGridMouseTest, TheTimerFlipsTheBlinkPhaseEveryHalfSecond) {
    grid->SetEnableBlink(true);
    grid->SetCells(2, 2, "<BLINK>now</BLINK>");
    const struct {
        UInt64 Advance;
        bool Phase;
    } steps[] = {{499, false}, {1, true}, {500, false}, {500, true}};
    for (const auto& step : steps) {
        timers->Advance(step.Advance);
        EXPECT_EQ(grid->BlinkPhase(), step.Phase) << "at " << clock.TickCount();
    }
}

TEST_F(ProGridMouseTest, TheDisjunctCellListKeepsRowsBeyondSixteenBits) {
    grid->SetRowCount(70010);
    grid->MouseActions()->SetDisjunctCellSelect(true);
    grid->SetTopRow(70000);
    Input::Settle();
    ClickCell(2, 70001);
    ClickCell(3, 70002, {ssCtrl});
    EXPECT_EQ(grid->DisjunctCells(), (std::vector<TGridCoord>{{2, 70001}, {3, 70002}}));
    ClickCell(2, 70001, {ssCtrl});
    EXPECT_EQ(grid->DisjunctCells(), (std::vector<TGridCoord>{{3, 70002}}));
}

TEST_F(ProGridMouseTest, APressedHeaderShowsSunkenUntilTheRelease) {
    grid->SetFixedAsButtons(true);
    grid->SetLook(glStandard);
    const TRect cell = grid->CellRect(2, 0);
    const TPoint at = Centre(2, 0);
    Testing::MouseDown(grid, at.X, at.Y);
    std::unique_ptr<TBitmap> pressed(Testing::GrabWindow(form));
    Testing::MouseUp(grid, at.X, at.Y);
    std::unique_ptr<TBitmap> released(Testing::GrabWindow(form));
    EXPECT_EQ(Shown(pressed.get(), cell.Left, cell.Top + 5), ColorToRGB(clBtnShadow));
    EXPECT_NE(Shown(released.get(), cell.Left, cell.Top + 5), ColorToRGB(clBtnShadow));
}

TEST_F(ProGridMouseTest, AFixedColumnSizedAtItsBorderShowsTheInvertedLineAndTakesTheWidth) {
    grid->MouseActions()->SetSizeFixedCol(true);
    const Integer x = grid->ColWidths(0) - 1;  // on the fixed column's border
    Testing::MouseMove(grid, x, 60);
    Testing::MouseMove(grid, x, 61);
    EXPECT_EQ(Testing::ShownCursor(), Screen->Cursors(crHSplit));
    std::unique_ptr<TBitmap> before(Testing::GrabWindow(form));
    Testing::MouseDown(grid, x, 61);
    Testing::MouseMove(grid, x + 20, 61, {ssLeft});
    std::unique_ptr<TBitmap> during(Testing::GrabWindow(form));
    int inverted = 0;
    for (Integer y = 30; y < 200; ++y)
        if (Shown(during.get(), x + 20, y) != Shown(before.get(), x + 20, y)) ++inverted;
    EXPECT_GT(inverted, 40) << "the dotted line inverts every other pixel";
    Testing::MouseUp(grid, x + 20, 61);
    EXPECT_EQ(grid->ColWidths(0), x + 20);
}

}  // namespace
