// A grid paints what was invalidated: a changed cell draws alone, and a scroll of less than a page moves
// the pixels and draws only the cells coming into view; the window then shows what a full repaint shows.
#include <functional>
#include <memory>
#include <set>
#include <utility>

#include "GridFixture.h"

namespace {

using TCells = std::set<std::pair<Integer, Integer>>;

// Every column (row) of the 300 x 150 fixture grid that shows: columns 0-4, rows 0-5 and their lines.
TCells Block(Integer FromCol, Integer ToCol, std::initializer_list<Integer> Rows) {
    TCells cells;
    for (Integer r : Rows)
        for (Integer c = FromCol; c <= ToCol; ++c) cells.insert({c, r});
    return cells;
}

class GridPaintTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        grid = PlaceGrid(ssNone);
        for (Integer r = 0; r < grid->RowCount(); ++r)
            for (Integer c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
        Shown();
        grid->OnDrawCell = [this](TObject*, Integer ACol, Integer ARow, const TRect&, TGridDrawState) {
            drawn.insert({ACol, ARow});
        };
    }
    // The grid's pixels as the window shows them, once every update has reached the screen.
    std::vector<TColor> Shown() {
        Input::Settle();
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        std::vector<TColor> pixels;
        for (Integer y = 0; y < 150; y += 1)
            for (Integer x = 0; x < 300; x += 1) pixels.push_back(picture->Canvas()->Pixels(x, y));
        return pixels;
    }
    TStringGrid* grid = nullptr;
    TCells drawn;
};

TEST_F(GridPaintTest, OnlyTheCellsThatChangedOrCameIntoViewAreDrawn) {
    const struct {
        const char* Name;
        std::function<void(TStringGrid*)> Change;
        TCells Drawn;
    } cases[] = {
        {"a written cell draws alone", [](TStringGrid* g) { g->SetCells(3, 2, "new"); }, {{3, 2}}},
        {"a written cell out of view draws nothing", [](TStringGrid* g) { g->SetCells(3, 50, "new"); }, {}},
        {"a one-row scroll draws the row coming in", [](TStringGrid* g) { g->SetTopRow(2); }, Block(0, 4, {6})},
        {"a one-row scroll back draws the row coming in",
         [](TStringGrid* g) {
             g->SetTopRow(2);
             g->Update();
             g->SetTopRow(1);
         },
         Block(0, 4, {6, 1})},
        {"a one-column scroll draws the columns coming in and the one cut before",
         [](TStringGrid* g) { g->SetLeftCol(2); }, Block(4, 5, {0, 1, 2, 3, 4, 5})},
        {"a scroll by a page or more draws everything", [](TStringGrid* g) { g->SetTopRow(50); },
         Block(0, 4, {0, 50, 51, 52, 53, 54})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetTopRow(1);
        grid->SetLeftCol(1);
        grid->Repaint();
        drawn.clear();
        c.Change(grid);
        const std::vector<TColor> shown = Shown();
        EXPECT_EQ(drawn, c.Drawn);
        grid->Repaint();
        EXPECT_EQ(Shown(), shown) << "the window differs from a full repaint";
    }
}

}  // namespace
