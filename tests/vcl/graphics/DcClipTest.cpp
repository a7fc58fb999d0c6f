// A device context has two clips: the system's (the area being painted within the client area, or the
// whole window) and the application's (SelectClipRgn & co.), both in the DC's own coordinates. Region
// calls change only the application's; drawing and the visibility queries use both.
#include <functional>
#include <memory>
#include <vector>

#include "support/FormFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

// A shown bordered string grid (2-pixel 3-D border) without scroll bars: cells of 64 x 24 with 1-pixel
// lines, so cell (2, 2) covers 130,50 to 194,74 of the client area.
class DcClipTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TStringGrid>(10, 10, 300, 150);
        grid->SetScrollBars(ssNone);
        Input::Settle();
    }
    bool ShownRed(Integer X, Integer Y) {
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y)) == ColorToRGB(clRed);
    }
    TStringGrid* grid = nullptr;
};

struct TClipCase {
    const char* Name;
    // Runs on the canvas of cell (2, 2) while only that cell repaints; returns what it wants checked.
    std::function<std::vector<int>(HDC Dc)> Draw;
    std::vector<int> Answers;
    TRect ClipBoxAfter;
    std::vector<TPoint> Red, NotRed;  // client coordinates
};

// Fills all of the client area and around it in red, as far as the clips let it.
void FillEverything(HDC dc) {
    const TRect everything = Rect(-20, -20, 400, 300);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &everything, red);
    DeleteObject(red);
}

const TPoint cellCentre{160, 60}, otherCell{230, 90}, border{-1, -1}, neighbour{120, 60};

TEST_F(DcClipTest, RegionCallsChangeOnlyTheApplicationsClipInClientCoordinates) {
    const TClipCase cases[] = {
        {"SelectClipRgn then NULL leaves the repaint to its cell",
         [](HDC dc) {
             HRGN region = CreateRectRgn(0, 0, 5, 5);
             SelectClipRgn(dc, region);
             DeleteObject(region);
             int kind = SelectClipRgn(dc, nullptr);
             FillEverything(dc);
             return std::vector<int>{kind};
         },
         {SIMPLEREGION},
         Rect(130, 50, 195, 75),
         {cellCentre},
         {otherCell, border, neighbour}},
        {"a selected region lands where the client's coordinates say",
         [](HDC dc) {
             HRGN region = CreateRectRgn(130, 50, 140, 60);
             SelectClipRgn(dc, region);
             DeleteObject(region);
             FillEverything(dc);
             return std::vector<int>{};
         },
         {},
         Rect(130, 50, 140, 60),
         {{131, 51}, {139, 59}},
         {{141, 61}, cellCentre, border}},
        {"a region reaching past the painted cell is cut to it",
         [](HDC dc) {
             HRGN region = CreateRectRgn(-10, -10, 400, 300);
             SelectClipRgn(dc, region);
             DeleteObject(region);
             FillEverything(dc);
             return std::vector<int>{};
         },
         {},
         Rect(130, 50, 195, 75),
         {cellCentre},
         {otherCell, border}},
        {"visibility queries see both clips",
         [](HDC dc) {
             const TRect cell = Rect(130, 50, 194, 74), other = Rect(195, 75, 259, 99);
             ExcludeClipRect(dc, 130, 50, 150, 60);
             return std::vector<int>{RectVisible(dc, &cell), RectVisible(dc, &other), PtVisible(dc, 160, 60),
                                     PtVisible(dc, 135, 55), PtVisible(dc, -1, -1)};
         },
         {TRUE, FALSE, TRUE, FALSE, FALSE},
         Rect(130, 50, 195, 75),
         {},
         {cellCentre}},
    };
    for (const TClipCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<int> answers;
        TRect clipBox;
        bool drawn = false;
        grid->OnDrawCell = [&](TObject*, Integer ACol, Integer ARow, const TRect&, TGridDrawState) {
            if (ACol != 2 || ARow != 2 || drawn) return;
            drawn = true;
            HDC dc = grid->Canvas()->Handle();
            answers = c.Draw(dc);
            GetClipBox(dc, &clipBox);
        };
        grid->SetCells(2, 2, c.Name);  // repaints that cell alone
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        ASSERT_TRUE(drawn);
        EXPECT_EQ(answers, c.Answers);
        EXPECT_EQ(clipBox, c.ClipBoxAfter);
        for (TPoint p : c.Red) EXPECT_TRUE(ShownRed(p.X, p.Y)) << p.X << "," << p.Y;
        for (TPoint p : c.NotRed) EXPECT_FALSE(ShownRed(p.X, p.Y)) << p.X << "," << p.Y;
        grid->OnDrawCell = nullptr;
        grid->Invalidate();
        Input::Settle();
    }
}

TEST_F(DcClipTest, AWindowDcOutsidePaintingIsClippedToTheClientArea) {
    HDC dc = GetDC(grid->Handle());
    TRect box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box, Rect(0, 0, 296, 146));
    HRGN region = CreateRectRgn(-5, -5, 10, 10);
    SelectClipRgn(dc, region);
    DeleteObject(region);
    GetClipBox(dc, &box);
    EXPECT_EQ(box, Rect(0, 0, 10, 10));
    SelectClipRgn(dc, nullptr);
    GetClipBox(dc, &box);
    EXPECT_EQ(box, Rect(0, 0, 296, 146));
    EXPECT_FALSE(PtVisible(dc, 296, 10));
    ReleaseDC(grid->Handle(), dc);
}

}  // namespace
