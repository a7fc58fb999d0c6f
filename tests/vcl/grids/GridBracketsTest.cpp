#include <functional>
#include <stdexcept>
#include <vector>

#include "GridFixture.h"
#include "vcl/Grids.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

TEST(ScopeGuardTest, TheValueComesBackAndTheStepRunsOnEveryWayOut) {
    for (bool raise : {false, true}) {
        int value = 1, steps = 0;
        auto body = [&] {
            const TValueGuard guard(value, 2);
            const TScopeExit step([&steps] { ++steps; });
            EXPECT_EQ(value, 2);
            if (raise) throw std::runtime_error("raised");
        };
        if (raise) EXPECT_THROW(body(), std::runtime_error);
        else body();
        EXPECT_EQ(value, 1) << raise;
        EXPECT_EQ(steps, 1) << raise;
    }
}

TEST(ScopeGuardTest, AStepThatRaisesReachesTheCallerUnlessAnotherExceptionIsOnItsWay) {
    auto failingStep = [] { throw std::logic_error("step"); };
    EXPECT_THROW([&] { const TScopeExit step(failingStep); }(), std::logic_error);
    EXPECT_THROW(
        [&] {
            const TScopeExit step(failingStep);
            throw std::runtime_error("body");
        }(),
        std::runtime_error);
}

class GridBracketsTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = PlaceGrid(ssBoth);
        grid->SetOptions(grid->Options() + TGridOptions{goEditing});
        Input::TabTo(grid);
        Testing::RecordedMessageBoxes().clear();
    }
    void TearDown() override {
        Testing::RecordedMessageBoxes().clear();
        GridFixture::TearDown();
    }
    bool BarShown(int Which) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        return GetScrollInfo(grid->Handle(), Which, &info) && info.nMax > info.nMin;
    }
    TStringGrid* grid = nullptr;
};

// A handler that raises the first time it runs, and does nothing after.
struct RaiseOnce {
    std::shared_ptr<int> Calls = std::make_shared<int>(0);
    void operator()() const {
        if ((*Calls)++ == 0) throw Exception("handler failed");
    }
};

TEST_F(GridBracketsTest, AnOnTopLeftChangedThatRaisesWhileABarGoesAwayLeavesTheBarsWorking) {
    grid->SetTopRow(50);
    RaiseOnce raise;
    grid->OnTopLeftChanged = [raise](TObject*) { raise(); };
    EXPECT_THROW(grid->SetRowCount(3), Exception);
    grid->SetRowCount(1000);
    EXPECT_TRUE(BarShown(SB_VERT));
    Input::Key(grid, VK_END, {ssCtrl});
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 127);
}

TEST_F(GridBracketsTest, AfterAnyGridEventRaisesOnceTheGridStillScrollsEditsAndPaints) {
    struct Case {
        const char* Event;
        std::function<void(TStringGrid*, RaiseOnce)> Install;
        std::function<void(TStringGrid*)> Trigger;
    };
    auto down = [](TStringGrid* g) { Input::Key(g, VK_DOWN); };
    auto typed = [](TStringGrid* g) {
        Input::Type(g, "a");
        Input::Key(g, VK_ESCAPE);
    };
    const Case cases[] = {
        {"OnTopLeftChanged", [](TStringGrid* g, RaiseOnce r) { g->OnTopLeftChanged = [r](TObject*) { r(); }; },
         [](TStringGrid* g) { Input::Key(g, VK_NEXT); }},
        {"OnSelectCell",
         [](TStringGrid* g, RaiseOnce r) { g->OnSelectCell = [r](TObject*, Integer, Integer, bool&) { r(); }; }, down},
        {"OnKeyDown", [](TStringGrid* g, RaiseOnce r) { g->OnKeyDown = [r](TObject*, Word&, TShiftState) { r(); }; },
         down},
        {"OnKeyPress", [](TStringGrid* g, RaiseOnce r) { g->OnKeyPress = [r](TObject*, char&) { r(); }; }, typed},
        {"OnGetEditText",
         [](TStringGrid* g, RaiseOnce r) { g->OnGetEditText = [r](TObject*, Integer, Integer, AnsiString&) { r(); }; },
         [](TStringGrid* g) { Input::Key(g, VK_F2); }},
        {"OnSetEditText",
         [](TStringGrid* g, RaiseOnce r) {
             g->OnSetEditText = [r](TObject*, Integer, Integer, const AnsiString&) { r(); };
         },
         typed},
        {"OnDrawCell",
         [](TStringGrid* g, RaiseOnce r) {
             g->OnDrawCell = [r](TObject*, Integer, Integer, const TRect&, TGridDrawState) { r(); };
         },
         [](TStringGrid* g) {
             g->Invalidate();
             Input::Settle();
         }},
        {"OnMouseWheelDown",
         [](TStringGrid* g, RaiseOnce r) { g->OnMouseWheelDown = [r](TObject*, TShiftState, TPoint, bool&) { r(); }; },
         [](TStringGrid* g) { Testing::Wheel(g, 100, 60, -WHEEL_DELTA); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Event);
        TearDown();
        SetUp();
        RaiseOnce raise;
        c.Install(grid, raise);
        c.Trigger(grid);
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        EXPECT_GE(*raise.Calls, 1);
        EXPECT_EQ(Testing::RecordedMessageBoxes().size(), 1u);
        if (!grid->Focused()) Input::TabTo(grid);
        if (grid->EditorMode()) Input::Key(grid->InplaceEditor(), VK_RETURN);

        const Integer top = grid->TopRow();
        Input::Click(grid, 291, 125);  // the down arrow
        EXPECT_EQ(grid->TopRow(), top + 1);

        Input::Type(grid, "q");
        EXPECT_EQ(grid->Cells(grid->Col(), grid->Row()), "q");
        Input::Key(grid->InplaceEditor(), VK_RETURN);

        grid->SetColor(clYellow);
        const TRect beside = grid->CellRect(grid->Col() + 1, grid->Row());
        EXPECT_EQ(ShownPixel(form, grid, beside.Left + 5, beside.Top + 5), ColorToRGB(clYellow));
    }
}

TEST_F(GridBracketsTest, NoInvalidationReachesTheScreenWhileRedrawIsOff) {
    const TRect cell = grid->CellRect(2, 2);
    const TColor before = ShownPixel(form, grid, cell.Left + 5, cell.Top + 5);
    SendMessage(grid->Handle(), WM_SETREDRAW, FALSE, 0);
    grid->SetColor(clYellow);
    grid->Invalidate();
    EXPECT_EQ(ShownPixel(form, grid, cell.Left + 5, cell.Top + 5), before);
    SendMessage(grid->Handle(), WM_SETREDRAW, TRUE, 0);
    grid->Invalidate();
    EXPECT_EQ(ShownPixel(form, grid, cell.Left + 5, cell.Top + 5), ColorToRGB(clYellow));
}

}  // namespace
