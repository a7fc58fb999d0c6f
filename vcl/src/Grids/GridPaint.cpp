// Painting the grid: the lines, then the cells row by row in four blocks (fixed corner, fixed rows, fixed
// columns, body), then the ground past the last cells. Only the cells in view are visited.
#include <algorithm>

#include "vcl/Grids.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace {

constexpr TColor FixedLineColor = clBlack;
constexpr TColor BodyLineColor = clSilver;

}  // namespace

// The lines after the cells from StartCol (StartRow) on within Area: in LineColor where the option shows
// them, else in the background.
void TCustomGrid::DrawLines(const TGridDrawInfo& Info, bool Vertical, bool Horizontal, Integer StartCol,
                            Integer StartRow, const TRect& Area, TColor LineColor, TColor Background) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    const Integer vw = Info.Horz.EffectiveLineWidth, hw = Info.Vert.EffectiveLineWidth;
    if (hw > 0) {
        canvas->Brush()->SetColor(Horizontal ? LineColor : Background);
        Integer y = Area.Top;
        for (Integer r = StartRow; r < RowCount() && y < Area.Bottom; ++r) {
            y += rows_.Size(r);
            canvas->FillRect(MirroredInClient(Rect(Area.Left, y, Area.Right, std::min(y + hw, Area.Bottom))));
            y += hw;
        }
    }
    if (vw > 0) {
        canvas->Brush()->SetColor(Vertical ? LineColor : Background);
        Integer x = Area.Left;
        for (Integer c = StartCol; c < ColCount() && x < Area.Right; ++c) {
            x += cols_.Size(c);
            canvas->FillRect(MirroredInClient(Rect(x, Area.Top, std::min(x + vw, Area.Right), Area.Bottom)));
            x += vw;
        }
    }
}

void TCustomGrid::DrawCells(const TGridDrawInfo& Info, Integer StartCol, Integer StartRow, Integer StartX,
                            Integer StartY, Integer StopX, Integer StopY, TColor CellColor, TGridDrawState Base) {
    TCanvas* canvas = Canvas();
    // Cells outside the area being painted keep their pixels; whole rows are passed over by the clip box.
    const HDC dc = canvas->Handle();
    TRect clip;
    if (GetClipBox(dc, &clip) == NULLREGION) return;
    clip = MirroredInClient(clip);  // the cells are walked in layout order
    const TGridRect sel = Selection();
    const bool active = IsActiveControl();
    // The open editor shows the current cell: it is not drawn beneath it.
    const bool editorShows = editor_ && editor_->Visible();
    const bool focusSelected = options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect);
    const bool focusRect =
        !(options_.Contains(goEditing) && options_.Contains(goAlwaysShowEditor)) && !options_.Contains(goRowSelect);
    Integer y = StartY;
    for (Integer r = StartRow; r < RowCount() && y < StopY; ++r) {
        const Integer height = rows_.Size(r);
        if (y >= clip.Bottom) break;
        if (y + height <= clip.Top) {
            y += height + Info.Vert.EffectiveLineWidth;
            continue;
        }
        Integer x = StartX;
        for (Integer c = StartCol; c < ColCount() && x < StopX && x < clip.Right; ++c) {
            const Integer width = cols_.Size(c);
            const TRect cell = Rect(x, y, x + width, y + height);
            x += width + Info.Horz.EffectiveLineWidth;
            if (cell.IsEmpty() || cell.Right <= clip.Left) continue;
            const TRect where = MirroredInClient(cell);
            if (!RectVisible(dc, &where)) continue;
            TGridDrawState state = Base;
            if (active && r == current_.Y && c == current_.X) state.Include(gdFocused);
            if (c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom) state.Include(gdSelected);
            if (defaultDrawing_) {
                canvas->Font()->Assign(Font());
                canvas->Brush()->SetStyle(bsSolid);
                if (state.Contains(gdSelected) && (!state.Contains(gdFocused) || focusSelected)) {
                    canvas->Brush()->SetColor(clHighlight);
                    canvas->Font()->SetColor(clHighlightText);
                } else {
                    canvas->Brush()->SetColor(CellColor);
                }
                canvas->FillRect(where);
            }
            if (editorShows && r == current_.Y && c == current_.X) continue;
            DrawCell(c, r, where, state);
            if (defaultDrawing_ && state.Contains(gdFixed) && Ctl3D()) {
                TRect edge = where;
                DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
            }
            if (defaultDrawing_ && state.Contains(gdFocused) && focusRect) canvas->DrawFocusRect(where);
        }
        y += height + Info.Vert.EffectiveLineWidth;
    }
}

void TCustomGrid::Paint() {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const TGridAxisDrawInfo& h = info.Horz;
    const TGridAxisDrawInfo& v = info.Vert;
    const bool fixedVert = options_.Contains(goFixedVertLine), fixedHorz = options_.Contains(goFixedHorzLine);
    DrawLines(info, fixedVert, fixedHorz, 0, 0, Rect(0, 0, h.FixedBoundary, v.FixedBoundary), FixedLineColor,
              fixedColor_);
    DrawLines(info, fixedVert, fixedHorz, LeftCol(), 0, Rect(h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary),
              FixedLineColor, fixedColor_);
    DrawLines(info, fixedVert, fixedHorz, 0, TopRow(), Rect(0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary),
              FixedLineColor, fixedColor_);
    // Silver lines would not show on a silver grid.
    const TColor bodyLines = Color() == clSilver ? clGray : BodyLineColor;
    DrawLines(info, options_.Contains(goVertLine), options_.Contains(goHorzLine), LeftCol(), TopRow(),
              Rect(h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary), bodyLines, Color());

    DrawCells(info, 0, 0, 0, 0, h.FixedBoundary, v.FixedBoundary, fixedColor_, {gdFixed});
    DrawCells(info, LeftCol(), 0, h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary, fixedColor_, {gdFixed});
    DrawCells(info, 0, TopRow(), 0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary, fixedColor_, {gdFixed});
    DrawCells(info, LeftCol(), TopRow(), h.FixedBoundary, v.FixedBoundary, h.GridBoundary, v.GridBoundary, Color(), {});

    // A selected row shows one focus rectangle around it.
    if (defaultDrawing_ && options_.Contains(goRowSelect) && IsActiveControl()) {
        const TRect row = CellRect(LeftCol(), Row());
        if (!row.IsEmpty())
            Canvas()->DrawFocusRect(MirroredInClient(Rect(h.FixedBoundary, row.Top, h.GridBoundary, row.Bottom)));
    }

    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    if (h.GridBoundary < h.GridExtent)
        Canvas()->FillRect(MirroredInClient(Rect(h.GridBoundary, 0, h.GridExtent, v.GridBoundary)));
    if (v.GridBoundary < v.GridExtent) Canvas()->FillRect(Rect(0, v.GridBoundary, h.GridExtent, v.GridExtent));
}

void TCustomGrid::ScrollShownCells(const TGridDrawInfo& Before) {
    if (!HandleAllocated()) return Invalidate();
    const TGridDrawInfo& after = DrawInfo();
    // The pixels the scrolled cells move by on one axis; false when the move is a page or more.
    const auto shift = [](const TGridAxisDrawInfo& From, const TGridAxisDrawInfo& To, const TGridAxis& Axis,
                          Integer& Pixels) {
        Pixels = 0;
        if (From.FirstGridCell == To.FirstGridCell) return true;
        if (From.FixedBoundary != To.FixedBoundary || From.GridExtent != To.GridExtent) return false;
        const std::int64_t span = Axis.Span(std::min(From.FirstGridCell, To.FirstGridCell),
                                            std::max(From.FirstGridCell, To.FirstGridCell), To.EffectiveLineWidth);
        if (span >= To.GridExtent - To.FixedBoundary) return false;
        Pixels = static_cast<Integer>(From.FirstGridCell < To.FirstGridCell ? -span : span);
        return true;
    };
    Integer dx = 0, dy = 0;
    if (!shift(Before.Horz, after.Horz, cols_, dx) || !shift(Before.Vert, after.Vert, rows_, dy)) return Invalidate();
    const TRect client = ClientRect();
    if (dx != 0) {
        const TRect area = MirroredInClient(Rect(after.Horz.FixedBoundary, 0, client.Right, client.Bottom));
        ScrollWindow(Handle(), UseRightToLeftAlignment() ? -dx : dx, 0, &area, &area);
    }
    if (dy != 0) {
        const TRect area = Rect(0, after.Vert.FixedBoundary, client.Right, client.Bottom);
        ScrollWindow(Handle(), 0, dy, &area, &area);
    }
}
