// The footer panel's painting by the footer's style: the grid's last row, a preview of one column of the
// current row, or the custom template filled from the current row. Cells are drawn by the grid's painter.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "vcl/ExtCtrls.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

constexpr TColor HighlightEdge = static_cast<TColor>(0xFFFFFF);
constexpr TColor ShadowEdge = static_cast<TColor>(0x808080);

void FillWith(TCanvas* Canvas, TColor Color, const TRect& Rect) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

}  // namespace

void TFooterPanel::Paint() {
    const TCanvasKeeper keeper(Canvas());
    FillWith(Canvas(), grid_->FloatingFooter()->Color(), ClientRect());
    switch (grid_->FloatingFooter()->FooterStyle()) {
        case fsFixedLastRow: PaintLastRow(); break;
        case fsColumnPreview: PaintColumnPreview(); break;
        case fsCustomPreview: PaintCustomPreview(); break;
    }
}

void TFooterPanel::PaintLastRow() {
    RAdeRedeviDidi& grid = *grid_;
    if (grid.RowCount() < 1) return;
    TCanvas* canvas = Canvas();
    const Integer row = grid.RowCount() - 1;
    const Integer height = ClientHeight();
    const bool vertLines = grid.Options().Contains(goFixedVertLine);
    const bool horzLines = grid.Options().Contains(goFixedHorzLine);
    const TValueGuard painting(grid.paintingFooter_, true);
    Integer x = 0;
    // Columns ACol .. ALast (a merged cell's width) as one cell.
    const auto paintCell = [&](Integer ACol, Integer ALast) {
        const auto width = static_cast<Integer>(grid.ColWidthsSum(ACol, ALast + 1));
        const TRect cell = Rect(x, 0, x + width, height);
        if (grid.HasCellProperties(ACol, row)) {
            const TColor color = grid.GetCellProperties(ACol, row)->BrushColor();
            if (color != clNone) FillWith(canvas, color, cell);
        }
        grid.DrawCellText(canvas, ACol, row, Rect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1), {});
        if (vertLines) {
            TLine(canvas, HighlightEdge).Draw(cell.Left, cell.Top, cell.Left, cell.Bottom);
            TLine(canvas, ShadowEdge).Draw(cell.Right - 1, cell.Top, cell.Right - 1, cell.Bottom);
        }
        if (horzLines) {
            TLine(canvas, HighlightEdge).Draw(cell.Left, cell.Top, cell.Right, cell.Top);
            TLine(canvas, ShadowEdge).Draw(cell.Left, cell.Bottom - 1, cell.Right, cell.Bottom - 1);
        }
        x += width;
    };
    // A merged cell runs to its range's last column, within the part (fixed or scrolled) it starts in.
    const auto paintColumns = [&](Integer First, Integer Limit) {
        for (Integer c = First; c < Limit && x < ClientWidth();) {
            const Integer last = std::clamp(grid.BaseCell(c, row).X + grid.GetCellSpan(c, row).X, c, Limit - 1);
            paintCell(c, last);
            c = last + 1;
        }
    };
    paintColumns(0, std::min(grid.FixedCols(), grid.ColCount()));
    paintColumns(std::max(grid.LeftCol(), grid.FixedCols()), grid.ColCount());
}

TRect TFooterPanel::PaintPreviewFrame() {
    const RAdeRedeviDidi& grid = *grid_;
    const Integer lastVisible = std::min(grid.LeftCol() + grid.VisibleColCount(), grid.ColCount());
    const auto columns =
        grid.FixedColsWidth() + grid.ColWidthsSum(grid.LeftCol(), std::max(grid.LeftCol(), lastVisible));
    const auto width = static_cast<Integer>(std::min<std::int64_t>(columns, ClientWidth()));
    TRect frame = Rect(0, 0, width, ClientHeight());
    Frame3D(Canvas(), frame, ShadowEdge, HighlightEdge, 1);
    return frame;
}

void TFooterPanel::PaintColumnPreview() {
    RAdeRedeviDidi& grid = *grid_;
    const TRect inside = PaintPreviewFrame();
    const Integer col = grid.FloatingFooter()->Column();
    if (col < 0 || col >= grid.ColCount() || grid.Row() < 0 || grid.Row() >= grid.RowCount()) return;
    const TValueGuard painting(grid.paintingFooter_, true);
    grid.DrawCellText(Canvas(), col, grid.Row(), inside, {});
}

void TFooterPanel::PaintCustomPreview() {
    RAdeRedeviDidi& grid = *grid_;
    const TRect inside = PaintPreviewFrame();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(grid.Font());
    canvas->Brush()->SetStyle(bsClear);
    const AnsiString& text = grid.FloatingFooter()->CustomTemplate();
    if (grid.ComponentState().Contains(csDesigning)) {
        RECT r = inside;
        DrawText(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_NOPREFIX | DT_SINGLELINE);
        return;
    }
    // No cell of the grid: nothing of a header, a sort column or a selection applies.
    TCellPaint cell;
    cell.Canvas = canvas;
    cell.Col = cell.Row = cell.RealCol = -1;
    grid.DrawHTMLText(cell, inside, grid.ExpandFooterTemplate(text));
}

}  // namespace ProGrid
