#pragma once
// A base grid on the shown test form, with the descendant's hooks counting what the grid asks of them.

#include <map>
#include <memory>
#include <utility>

#include "BaseGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

class TTestBaseGrid : public BaseGrid::TBaseGrid {
public:
    using TBaseGrid::SetFloatingFooterShown;
    using TBaseGrid::TBaseGrid;

    // Content paints per cell since the last Reset.
    std::map<std::pair<Integer, Integer>, int> Drawn;
    int DrawnAt(Integer ACol, Integer ARow) const {
        const auto found = Drawn.find({ACol, ARow});
        return found == Drawn.end() ? 0 : found->second;
    }
    int FooterUpdates = 0;
    // Merged cells fill in this colour (clNone: the grid's).
    TColor MergedColor = clNone;
    // Body cells fade to this colour (clNone: plain fill).
    TColor EndColor = clNone;

    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                      TGridDrawState AState) override {
        ++Drawn[{ACol, ARow}];
        TBaseGrid::DrawCellText(ACanvas, ACol, ARow, ARect, AState);
    }
    void GetCellDrawInfo(Integer ACol, Integer ARow, TGridDrawState& AState, TAlignment& HAlign,
                         BaseGrid::TVAlignment& VAlign, TFont* AFont, TColor& ColorTo, TBrush* ABrush, bool RealColumn,
                         bool Selectable, bool Printing) override {
        TBaseGrid::GetCellDrawInfo(ACol, ARow, AState, HAlign, VAlign, AFont, ColorTo, ABrush, RealColumn, Selectable,
                                   Printing);
        if (MergedColor != clNone && IsMergedCell(ACol, ARow)) ABrush->SetColor(MergedColor);
        if (ACol >= FixedCols() && ARow >= FixedRows()) ColorTo = EndColor;
    }
    void UpdateFooter() override { ++FooterUpdates; }
};

// The shown form with a borderless 300 x 150 base grid of 10 columns and 100 rows at its top left, white,
// without scroll bars: cells of 64 x 24 that abut, so column c starts at 64 c and row r at 24 r.
class BaseGridFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TTestBaseGrid>(0, 0, 300, 150);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColor(clWhite);
        grid->SetColCount(10);
        grid->SetRowCount(100);
    }

    // Paints the grid once, after forgetting what was painted before.
    void PaintPass() {
        Input::Settle();
        grid->Drawn.clear();
        grid->Invalidate();
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
    }

    // The colour the window shows at a point of the grid's client area.
    TColor Shown(Integer X, Integer Y) {
        std::unique_ptr<TBitmap> picture(Testing::GrabWindow(form));
        const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(X, Y)));
        return ColorToRGB(picture->Canvas()->Pixels(at.X, at.Y));
    }

    TTestBaseGrid* grid = nullptr;
};
