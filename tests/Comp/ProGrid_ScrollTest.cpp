// Scrolling as the user does it: thumbs dragged and bars clicked, the wheel turned with and without Ctrl,
// the flat scroll bars' calls to the common controls, and thumbs sized to the share in view.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

using namespace ProGrid;

namespace {

// What the flat scroll bar entry points were asked, in order.
std::vector<std::string>& FlatCalls() {
    static std::vector<std::string> calls;
    return calls;
}

BOOL RecordInit(HWND) {
    FlatCalls().push_back("init");
    return TRUE;
}
HRESULT RecordDone(HWND) {
    FlatCalls().push_back("done");
    return S_OK;
}
int RecordInfo(HWND, int Bar, SCROLLINFO* Info, BOOL) {
    FlatCalls().push_back("info " + std::to_string(Bar) + " " + std::to_string(Info->nMax) + " " +
                          std::to_string(Info->nPage) + " " + std::to_string(Info->nPos));
    return Info->nPos;
}
BOOL RecordProp(HWND, UINT Index, std::intptr_t Value, BOOL) {
    FlatCalls().push_back("prop " + std::to_string(Index) + " " + std::to_string(Value));
    return TRUE;
}
BOOL RecordShow(HWND, int Bar, BOOL Show) {
    FlatCalls().push_back("show " + std::to_string(Bar) + " " + std::to_string(Show));
    return TRUE;
}

class ProGridScrollTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 200);
        grid->SetColCount(10);
        grid->SetRowCount(100);
        grid->SetDefaultRowHeight(20);
        Input::Settle();
    }
    void TearDown() override {
        ResetModulesForTest();
        FlatCalls().clear();
        FormFixture::TearDown();
    }
    static void OfferFlatScrollBars() {
        SetExportForTest("comctl32.dll", "InitializeFlatSB", ExportAddress(&RecordInit));
        SetExportForTest("comctl32.dll", "UninitializeFlatSB", ExportAddress(&RecordDone));
        SetExportForTest("comctl32.dll", "FlatSB_SetScrollInfo", ExportAddress(&RecordInfo));
        SetExportForTest("comctl32.dll", "FlatSB_SetScrollProp", ExportAddress(&RecordProp));
        SetExportForTest("comctl32.dll", "FlatSB_ShowScrollBar", ExportAddress(&RecordShow));
    }
    template <typename F>
    static FARPROC ExportAddress(F Function) {
        return reinterpret_cast<FARPROC>(Function);
    }
    SCROLLINFO BarInfo(int Bar) const {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(grid->Handle(), Bar, &info);
        return info;
    }
    // The text of the grid's hint window as it shows on the screen; "" while it is hidden.
    AnsiString HintShown() const {
        THintWindow* hint = grid->HintWindow();
        return hint->HandleAllocated() && Testing::PeerVisible(hint) ? Testing::PeerText(hint) : AnsiString();
    }
    // The flat bar's call that copies the window bar's state.
    std::string Info(int Bar) const {
        const SCROLLINFO info = BarInfo(Bar);
        return "info " + std::to_string(Bar) + " " + std::to_string(info.nMax) + " " + std::to_string(info.nPage) +
               " " + std::to_string(info.nPos);
    }
    // The vertical bar's thumb, dragged by the user from its top to Y (grid client coordinates).
    void DragVerticalThumb(Integer Y, bool Release = true) {
        const Integer x = grid->ClientWidth() + 8;
        Testing::MouseDown(grid, x, ThumbTop + 4);
        Testing::MouseMove(grid, x, Y, TShiftState{ssLeft});
        if (Release) Testing::MouseUp(grid, x, Y);
    }
    // Below the bar's arrow button, where the thumb stands at the top.
    static constexpr Integer ThumbTop = 17;

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridScrollTest, WithoutFlatScrollBarsEveryLookKeepsTheWindowsBars) {
    for (TScrollType type : {ssEncarta, ssFlat, ssNormal}) {
        grid->SetScrollType(type);
        EXPECT_FALSE(grid->FlatScrollBarsActive());
        EXPECT_EQ(grid->ScrollType(), type);
    }
    EXPECT_GT(BarInfo(SB_VERT).nMax, 0);
}

TEST_F(ProGridScrollTest, FlatScrollBarsAreAskedForTheirLookColourWidthAndState) {
    OfferFlatScrollBars();
    grid->SetScrollColor(clRed);
    FlatCalls().clear();
    grid->SetScrollType(ssEncarta);
    ASSERT_TRUE(grid->FlatScrollBarsActive());
    const std::vector<std::string> expected = {"init",
                                               // The look, the colour and the width, then each bar that has something
                                               // to scroll, then the look once more.
                                               "prop 256 1", "prop 512 1", "prop 64 255", "prop 128 255", "prop 8 17",
                                               "prop 4 17", "show 1 1", Info(SB_VERT), "show 0 1", Info(SB_HORZ),
                                               "prop 256 1", "prop 512 1"};
    EXPECT_EQ(FlatCalls(), expected);

    // Another flat look starts the bars over in that look.
    FlatCalls().clear();
    grid->SetScrollType(ssFlat);
    ASSERT_EQ(FlatCalls().size(), expected.size());
    EXPECT_EQ(FlatCalls()[1], "prop 256 2");
    EXPECT_EQ(FlatCalls().back(), "prop 512 2");
    // A grid whose columns all show hides its flat bar.
    grid->SetColCount(2);
    FlatCalls().clear();
    grid->SetBounds(0, 0, 300, 201);
    EXPECT_EQ(std::count(FlatCalls().begin(), FlatCalls().end(), "show 0 0"), 1);
    FlatCalls().clear();
    grid->SetScrollType(ssNormal);
    EXPECT_FALSE(grid->FlatScrollBarsActive());
    EXPECT_EQ(FlatCalls(), (std::vector<std::string>{"done"}));
}

TEST_F(ProGridScrollTest, AScrolledGridSynchronisesItsFlatBar) {
    OfferFlatScrollBars();
    grid->SetScrollType(ssFlat);
    FlatCalls().clear();
    Input::Click(grid, grid->ClientWidth() + 8, grid->ClientHeight() - 8);  // the bar's down arrow
    EXPECT_EQ(grid->TopRow(), 2);
    ASSERT_FALSE(FlatCalls().empty());
    EXPECT_EQ(FlatCalls().back(), Info(SB_VERT));
    EXPECT_EQ(BarInfo(SB_VERT).nPos, MulDiv(1, 127, grid->RowCount() - grid->VisibleRowCount() - 1));
}

TEST_F(ProGridScrollTest, ProportionalThumbsShowTheShareInView) {
    grid->SetScrollProportional(true);
    grid->SetColCount(2);
    grid->SetBounds(0, 0, 300, 201);  // a size message sizes the thumbs
    // Height 201 against 1 + 99 rows of 21 pixels beside the fixed one: r = (201 - 22) / 2080.
    const double r = (201.0 - 22) / 2080;
    const SCROLLINFO vert = BarInfo(SB_VERT);
    EXPECT_EQ(vert.nMax, std::lrint((127 + r) / (1 - r)));
    EXPECT_EQ(vert.nPage, static_cast<UINT>(vert.nMax - 126));
    EXPECT_EQ(vert.nPos, 0);
    // The last thumb position is still the last of the 128 steps.
    EXPECT_EQ(vert.nMax - static_cast<int>(vert.nPage) + 1, 127);

    // Dragged to the end: the last rows show.
    DragVerticalThumb(grid->ClientHeight() + 40);
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());

    // Switched off: the plain thumb over the same steps.
    grid->SetScrollProportional(false);
    EXPECT_EQ(BarInfo(SB_VERT).nMax, 127);
    EXPECT_EQ(BarInfo(SB_VERT).nPage, 0u);
}

TEST_F(ProGridScrollTest, NoProportionalThumbWithoutRoomOrRowsToScroll) {
    grid->SetScrollProportional(true);
    struct Case {
        const char* Name;
        int Bar;
        Integer Fixed, Width, Height;
    };
    // Five fixed rows of 21 pixels in 60, three fixed columns of 64 in 150.
    const Case cases[] = {{"lower than the fixed rows", SB_VERT, 5, 300, 60},
                          {"narrower than the fixed columns", SB_HORZ, 3, 150, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Bar == SB_VERT) grid->SetFixedRows(c.Fixed);
        else grid->SetFixedCols(c.Fixed);
        const SCROLLINFO before = BarInfo(c.Bar);
        grid->SetBounds(0, 0, c.Width, c.Height);
        const SCROLLINFO after = BarInfo(c.Bar);
        EXPECT_EQ(after.nPage, before.nPage);
        EXPECT_EQ(after.nMax, before.nMax);
    }
}

TEST_F(ProGridScrollTest, DraggingTheThumbShowsTheRowItPointsAt) {
    grid->SetScrollHints(shBoth);
    std::vector<Integer> asked;
    grid->OnScrollHint = [&](TObject*, Integer ARow, AnsiString& Hint) {
        asked.push_back(ARow);
        if (ARow > 50) Hint = "far: " + Hint;
    };
    DragVerticalThumb(grid->ClientHeight() + 40, false);
    const Integer last = grid->RowCount() - grid->VisibleRowCount();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), last);
    EXPECT_EQ(HintShown(), "far: Row : " + std::to_string(last));
    // Without ScrollSynch the rows wait for the release.
    EXPECT_EQ(grid->TopRow(), 1);
    Testing::MouseUp(grid, grid->ClientWidth() + 8, grid->ClientHeight() + 40);
    EXPECT_EQ(HintShown(), "");
    EXPECT_EQ(grid->TopRow(), last);
}

TEST_F(ProGridScrollTest, WithScrollSynchTheRowsFollowTheThumbWhileDragged) {
    grid->SetScrollSynch(true);
    DragVerticalThumb(grid->ClientHeight() + 40, false);
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
    Testing::MouseUp(grid, grid->ClientWidth() + 8, grid->ClientHeight() + 40);
}

TEST_F(ProGridScrollTest, TheWheelMovesTheCurrentRowByTheWheelLines) {
    struct Case {
        const char* Name;
        bool EnableWheel;
        Integer StartRow;
        Integer Delta;
        Integer ExpectedRow;
    };
    const Case cases[] = {
        {"a notch down", true, 1, -120, 4},
        {"two notches in one turn", true, 1, -240, 7},
        {"up, stopping at the first row", true, 2, 120, 1},
        {"down, stopping at the last row", true, 98, -120, 99},
        {"half a notch waits for the other half", true, 10, -60, 10},
        {"without EnableWheel one row a notch", false, 10, -120, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetEnableWheel(c.EnableWheel);
        grid->SetRow(c.StartRow);
        Testing::Wheel(grid, 50, 50, c.Delta);
        EXPECT_EQ(grid->Row(), c.ExpectedRow);
        Testing::Wheel(grid, 50, 50, -c.Delta % 120);  // the half notch back
    }
}

TEST_F(ProGridScrollTest, AWheelNotchOnAGridOfOnlyItsAlwaysFixedRowDoesNothing) {
    grid->SetFixedRowAlways(true);
    grid->SetFixedRows(0);
    grid->SetRowCount(1);
    const Integer col = grid->Col();
    Testing::Wheel(grid, 50, 10, -120);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Col(), col);
}

TEST_F(ProGridScrollTest, CtrlWheelZoomsUpToTenStepsEachWay) {
    grid->SetRowCount(5);
    grid->SetColWidths(3, 2);
    struct Step {
        Integer Delta;
        Integer Zoom;
        Integer Width1;  // column 1, 64 at zoom 0
        Integer Width3;  // column 3, 2 at zoom 0: never shrinks to nothing
    };
    // Three lines a notch: the fourth notch one way would pass 10 and is refused.
    const Step steps[] = {{-120, 3, 67, 5}, {-120, 6, 70, 8}, {-120, 9, 73, 11}, {-120, 9, 73, 11},
                          {120, 6, 70, 8},  {120, 3, 67, 5},  {120, 0, 64, 2},   {120, -3, 61, 2},
                          {120, -6, 58, 2}, {120, -9, 55, 2}, {120, -9, 55, 2}};
    for (const Step& s : steps) {
        Testing::Wheel(grid, 50, 50, s.Delta, TShiftState{ssCtrl});
        EXPECT_EQ(grid->ZoomLevel(), s.Zoom);
        EXPECT_EQ(grid->ColWidths(1), s.Width1);
        EXPECT_EQ(grid->ColWidths(3), s.Width3);
    }
    EXPECT_EQ(grid->Row(), 1);
}

}  // namespace
