// The base grid's painting (each merged range once per pass, clipped under the fixed cells, with the grid's
// own lines) and its keys, wheel and selection, which keep the current cell on the base of its range.
#include <algorithm>
#include <optional>

#include "BaseGrid.h"
#include "ProUtil.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace BaseGrid {

namespace {

// A clip region added to a device context for one cell, taken away again when the cell is done.
class TCellClip {
public:
    TCellClip(HDC DC, const TRect& Area)
        : dc_(DC), region_(CreateRectRgn(Area.Left, Area.Top, Area.Right, Area.Bottom)) {
        SelectClipRgn(dc_, region_);
    }
    ~TCellClip() {
        SelectClipRgn(dc_, nullptr);
        DeleteObject(region_);
    }
    TCellClip(const TCellClip&) = delete;
    TCellClip& operator=(const TCellClip&) = delete;

private:
    HDC dc_;
    HRGN region_;
};

constexpr TColor FixedLineColor = static_cast<TColor>(0x808080);
// A cell with an end colour fades to it in this many bands.
constexpr Integer GradientSteps = 64;

}  // namespace

void TBaseGrid::Paint() {
    TStringGrid::Paint();
    ++paintCount_;
}

void TBaseGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (floatingFooter_ && ARow == RowCount() - 1) {
        // The footer panel shows this row.
        Canvas()->Pen()->SetColor(Color());
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ARect);
        return;
    }
    TCellProperties* props = FindProperties(ACol, ARow);
    if (props && props->InRange()) {
        // A range is painted once per pass, by whichever of its cells comes first.
        const TPoint base = BaseCell(ACol, ARow);
        TCellProperties* baseProps = props->IsBaseCell() ? props : FindProperties(base.X, base.Y);
        if (baseProps) {
            if (baseProps->paintStamp_ == paintCount_) return;
            baseProps->paintStamp_ = paintCount_;
        }
        return PaintCell(base.X, base.Y, AState);
    }
    PaintCell(ACol, ARow, AState);
}

void TBaseGrid::PaintCell(Integer ACol, Integer ARow, TGridDrawState AState) {
    const bool fixed = IsFixedCell(ACol, ARow);
    if (fixed) {
        AState.Exclude(gdSelected);
        AState.Include(gdFixed);
    }
    TRect rect;
    CellRectEx(ACol, ARow, rect);

    // A range partly scrolled under the fixed cells must not paint over them.
    const Integer x0 = ACol >= FixedCols() ? FixedColsWidth() : 0;
    const Integer y0 = ARow >= FixedRows() ? FixedRowsHeight() : 0;
    const bool underFixedCols = ACol >= FixedCols() && FixedCols() >= 1 && x0 > MirroredInClient(rect).Left;
    const bool underFixedRows = ARow >= FixedRows() && FixedRows() >= 1 && rect.Top < y0;
    std::optional<TCellClip> clip;
    if (underFixedCols || underFixedRows) {
        const TRect client = ClientRect();
        clip.emplace(Canvas()->Handle(), MirroredInClient(::Rect(x0, y0, client.Right, client.Bottom)));
    }

    TCanvas* canvas = Canvas();
    canvas->Pen()->SetWidth(1);
    canvas->Font()->Assign(Font());
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    TColor colorTo = clNone;
    GetCellDrawInfo(ACol, ARow, AState, hAlign, vAlign, canvas->Font(), colorTo, canvas->Brush(), true, true, false);
    canvas->Pen()->SetColor(canvas->Brush()->Color());
    // A range may reach far past the window: only what can show is filled and lined.
    const Integer margin = std::max(gridLineWidth_, 1) + 1;
    const TRect client = ClientRect();
    const TRect view = ::Rect(client.Left - margin, client.Top - margin, client.Right + margin, client.Bottom + margin);
    if (colorTo == clNone)
        canvas->FillRect(::Rect(std::max(rect.Left, view.Left), std::max(rect.Top, view.Top),
                                std::min(rect.Right, view.Right), std::min(rect.Bottom, view.Bottom)));
    else  // the bands span the whole range, so its colours do not shift as it scrolls
        ProUtil::DrawGradient(canvas, canvas->Brush()->Color(), colorTo, true, rect, GradientSteps);

    DrawGridLines(rect, view, fixed || AState.Contains(gdFixed), ACol, ARow);
    DrawCellText(canvas, ACol, ARow, rect, AState);
}

// Draws the cell's bottom and right lines inside Rect (the parts within View), then shrinks Rect to the
// content.
void TBaseGrid::DrawGridLines(TRect& Rect, const TRect& View, bool Fixed, Integer ACol, Integer ARow) {
    TCanvas* canvas = Canvas();
    Integer half = 0;
    const bool lines = Fixed || gridLineWidth_ > 0;
    if (Fixed) {
        canvas->Pen()->SetColor(FixedLineColor);
        canvas->Pen()->SetWidth(1);
        half = 1;
    } else if (lines) {
        canvas->Pen()->SetColor(gridLineColor_);
        canvas->Pen()->SetWidth(gridLineWidth_);
        half = (gridLineWidth_ + 1) / 2;
    }
    if (ACol == 0 && ARow >= FixedRows()) Rect.Left += RowIndent(ARow);
    if (lines && !(ACol == 0 && HasNodes())) {
        const TGridOptions options = Options();
        if ((options.Contains(goHorzLine) && !Fixed) || (options.Contains(goFixedHorzLine) && Fixed)) {
            const Integer y = Rect.Bottom - half;
            if (y >= View.Top && y < View.Bottom) {
                canvas->MoveTo(std::max(Rect.Left - half + 1, View.Left), y);
                canvas->LineTo(std::min(Rect.Right - half + 1, View.Right), y);
            }
        }
        if ((options.Contains(goVertLine) && !Fixed) || (options.Contains(goFixedVertLine) && Fixed)) {
            const Integer x = Rect.Right - half;
            if (x >= View.Left && x < View.Right) {
                canvas->MoveTo(x, std::min(Rect.Bottom - half, View.Bottom));
                canvas->LineTo(x, std::max(Rect.Top - half, View.Top));
            }
        }
    }
    const Integer inset = Fixed ? 1 : gridLineWidth_;
    Rect = ::Rect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
}

void TBaseGrid::DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState) {
    AnsiString text;
    ReadCell(ACol, ARow, text);
    RECT r = ARect;
    DrawText(ACanvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TBaseGrid::GetCellDrawInfo(Integer, Integer, TGridDrawState&, TAlignment&, TVAlignment&, TFont* AFont,
                                TColor& ColorTo, TBrush* ABrush, bool, bool, bool) {
    ABrush->SetColor(Color());
    AFont->Assign(Font());
    ColorTo = clNone;
}

bool TBaseGrid::IsFixedCell(Integer, Integer) { return false; }

Integer TBaseGrid::RowIndent(Integer) { return 0; }

bool TBaseGrid::HasNodes() { return false; }

// ---------------------------------------------------------------------------
// Selection, keys, wheel, scrolling

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow) {
    InvalidateCellEx(Col(), Row());
    const bool allowed = TStringGrid::SelectCell(ACol, ARow);
    InvalidateCellEx(ACol, ARow);
    return allowed;
}

// Moves the current cell within its range so that the move Key makes next leaves the range.
void TBaseGrid::PrepareRangeExit(Word Key) {
    if (!FindProperties(Col(), Row())) return;
    const TPoint base = BaseCell(Col(), Row());
    const TCellProperties* props = FindProperties(base.X, base.Y);
    const Integer spanX = props ? props->CellSpanX() : -1;
    const Integer spanY = props ? props->CellSpanY() : -1;
    switch (Key) {
        // Onwards from the range's far edge.
        case VK_RIGHT:
            if (base.X + spanX > Col() && Col() < ColCount() - 1 && base.X < ColCount() - 1) SetCol(base.X + spanX);
            break;
        case VK_DOWN:
            if (base.Y + spanY > Row() && Row() < RowCount() - 1 && base.Y < RowCount() - 1) SetRow(base.Y + spanY);
            break;
        // Back from its near edge: to the column before (row above) the range.
        case VK_LEFT:
            if (base.X < Col()) SetCol(base.X);
            break;
        case VK_UP:
            if (base.Y < Row()) SetRow(base.Y);
            break;
        default: break;
    }
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
    PrepareRangeExit(Key);
    if (Key == VK_NEXT && floatingFooter_ && RowCount() >= 2 &&
        VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1)
        SetRow(RowCount() - 2);
    TStringGrid::KeyDown(Key, Shift);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    // A notch moves a row like the Down key: it too must get out of a range, not back to its base.
    PrepareRangeExit(VK_DOWN);
    const bool handled = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    // The footer row hides the last grid row: the view goes one further.
    if (floatingFooter_ && Row() < RowCount() - 1 && VisibleRowCount() < Row() - TopRow()) SetTopRow(TopRow() + 1);
    SelectBaseCell();
    return handled;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const bool handled = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    SelectBaseCell();
    return handled;
}

void TBaseGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    // Merged fixed cells span into the scrolled part: their whole range is drawn again.
    const Integer lastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    for (Integer c = 0; c < FixedCols(); ++c)
        for (Integer r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r)) InvalidateCellEx(c, r);
    const Integer lastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (Integer r = 0; r < FixedRows(); ++r)
        for (Integer c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r)) InvalidateCellEx(c, r);
}

}  // namespace BaseGrid
