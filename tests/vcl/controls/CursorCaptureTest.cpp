// The cursor a window picks before each move the mouse makes over it, the system's cursors by number, and
// a capture that holds the mouse past the release until it is let go.

#include <algorithm>

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class CursorCapture : public TwoSwatchForm {
protected:
    void SetUp() override {
        TwoSwatchForm::SetUp();
        for (TSwatch* swatch : {first, second})
            swatch->Watched = {WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, CM_UIACTIVATE};
    }
    void TearDown() override {
        ReleaseCapture();
        SetCursor(nullptr);
        TwoSwatchForm::TearDown();
    }
    static int Seen(const TSwatch* Swatch, UINT Msg) {
        return static_cast<int>(std::count(Swatch->Log.begin(), Swatch->Log.end(), Msg));
    }
    void ClearLogs() {
        first->Log.clear();
        second->Log.clear();
    }
};

TEST_F(CursorCapture, AMovePicksTheCursorFirstUnlessAWindowHoldsTheMouse) {
    Testing::MouseMove(second, 5, 5);
    ASSERT_GE(second->Log.size(), 2u);
    EXPECT_EQ(second->Log[second->Log.size() - 2], static_cast<UINT>(WM_SETCURSOR));
    EXPECT_EQ(second->Log.back(), static_cast<UINT>(WM_MOUSEMOVE));

    ClearLogs();
    SetCapture(first->Handle());
    Testing::MouseMove(second, 6, 6);
    EXPECT_EQ(Seen(second, WM_MOUSEMOVE), 0);
    EXPECT_EQ(Seen(first, WM_MOUSEMOVE), 1);
    EXPECT_EQ(Seen(first, WM_SETCURSOR) + Seen(second, WM_SETCURSOR), 0);
}

TEST_F(CursorCapture, TheCaptureHoldsPastTheReleaseUntilItIsLetGo) {
    struct TStep {
        const char* Name;
        bool Captured;
        int FirstMoves, SecondMoves;  // a move over the second swatch reaches
    };
    const TStep steps[] = {{"held: the holder gets it", true, 1, 0}, {"let go: the window under it", false, 0, 1}};
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        if (step.Captured) SetCapture(first->Handle());
        else ReleaseCapture();
        // A middle press and release over another window end no capture the program made itself.
        Testing::MouseDown(second, 4, 4, mbMiddle);
        Testing::MouseUp(second, 4, 4, mbMiddle);
        ClearLogs();
        Testing::MouseMove(second, 8, 9);
        EXPECT_EQ(Seen(first, WM_MOUSEMOVE), step.FirstMoves);
        EXPECT_EQ(Seen(second, WM_MOUSEMOVE), step.SecondMoves);
    }
}

TEST_F(CursorCapture, TheHolderGetsThePointInItsOwnClientCoordinates) {
    TPoint seen{-1, -1};
    first->OnMouseMove = [&](TObject*, TShiftState, Integer X, Integer Y) { seen = Point(X, Y); };
    SetCapture(first->Handle());
    Testing::MouseMove(second, 7, 3);
    EXPECT_EQ(seen, first->ScreenToClient(second->ClientToScreen(Point(7, 3))));
}

TEST_F(CursorCapture, TheSystemCursorsHaveHandlesAndTheProgramAddsItsOwn) {
    const HCURSOR split = Screen->Cursors(crHSplit);
    EXPECT_NE(split, nullptr);
    EXPECT_NE(split, Screen->Cursors(crDefault));
    EXPECT_EQ(Screen->Cursors(4711), Screen->Cursors(crDefault)) << "a number never added";
    Screen->SetCursors(4711, split);
    EXPECT_EQ(Screen->Cursors(4711), split);
    Screen->SetCursors(4711, nullptr);
    EXPECT_EQ(Screen->Cursors(4711), Screen->Cursors(crDefault));
}

TEST_F(CursorCapture, ASetCursorShowsUntilTheNextMoveOverAWindowGivesItsOwnBack) {
    second->SetCursor(crHandPoint);
    Testing::MouseMove(second, 5, 5);
    EXPECT_EQ(Testing::ShownCursor(), Screen->Cursors(crHandPoint));
    EXPECT_EQ(SetCursor(Screen->Cursors(crHSplit)), nullptr);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHSplit));
    EXPECT_EQ(Testing::ShownCursor(), Screen->Cursors(crHSplit));
    Testing::MouseMove(second, 6, 5);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(Testing::ShownCursor(), Screen->Cursors(crHandPoint));
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Testing::ShownCursor(), Screen->Cursors(crHourGlass));
    Screen->SetCursor(crDefault);
}

TEST_F(CursorCapture, TheControlThatTakesTheFocusHearsItBecameActive) {
    second->SetFocus();
    ASSERT_TRUE(second->Focused());
    EXPECT_EQ(Seen(second, CM_UIACTIVATE), 1);
    EXPECT_EQ(Seen(first, CM_UIACTIVATE), 0);
}

}  // namespace
