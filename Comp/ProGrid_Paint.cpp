// The grid's painting: the whole-grid pass, the per-cell painter in its fixed order of steps (looks of
// the fixed cells, content, borders, edges, graphic, events, focus), the flat window border and the
// size line of a column being sized.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_Paint.h"
#include "ProUtil.h"
#include "vcl/UxTheme.h"
#include "vcl/WinGdi.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// The fixed cells' gradient of the XP looks.
constexpr Integer FixedGradientSteps = 10;
// A node row's content starts this far right of the indent.
constexpr Integer NodeContentGap = 4;
// The drop-down hint's width at the right of a cell.
constexpr Integer DropDownWidth = 16;
// The header item of the themed list-view look.
constexpr int HeaderItemPart = 1;
constexpr int HeaderNormal = 1, HeaderHot = 2, HeaderPressed = 3;
constexpr TColor ThemedBorderColor = static_cast<TColor>(0xB99D7F);
constexpr TColor ClassicBorderColor = static_cast<TColor>(0x808080);

// A pen made for a device context and selected into it, put back and deleted on every exit.
class TSelectedPen {
public:
    TSelectedPen(HDC DC, int Style, TColor Color) : dc_(DC), pen_(CreatePen(Style, 1, ColorToRGB(Color))) {
        old_ = SelectObject(dc_, pen_);
    }
    ~TSelectedPen() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    TSelectedPen(const TSelectedPen&) = delete;
    TSelectedPen& operator=(const TSelectedPen&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void DrawPolyline(HDC DC, std::initializer_list<POINT> Points) {
    Polyline(DC, Points.begin(), static_cast<int>(Points.size()));
}

}  // namespace

TCanvasKeeper::TCanvasKeeper(TCanvas* Canvas) : canvas_(Canvas) {
    font_.Assign(Canvas->Font());
    brush_.Assign(Canvas->Brush());
    pen_.Assign(Canvas->Pen());
}

TCanvasKeeper::~TCanvasKeeper() {
    canvas_->Font()->Assign(&font_);
    canvas_->Brush()->Assign(&brush_);
    canvas_->Pen()->Assign(&pen_);
}

TLine::TLine(TCanvas* Canvas, TColor Color) : keeper_(Canvas), canvas_(Canvas) {
    canvas_->Pen()->SetColor(Color);
    canvas_->Pen()->SetWidth(1);
    canvas_->Pen()->SetStyle(psSolid);
    canvas_->Pen()->SetMode(pmCopy);
}

void TLine::Draw(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    canvas_->MoveTo(X1, Y1);
    canvas_->LineTo(X2, Y2);
}

// ---------------------------------------------------------------------------
// The whole grid

void RAdeRedeviDidi::Paint() {
    Canvas()->Pen()->SetStyle(psSolid);
    TBaseGrid::Paint();
    // The outline of the current cell while an editor opened on it is not yet committed comes with the
    // in-place editing, which keeps that flag.
}

// ---------------------------------------------------------------------------
// One cell

void RAdeRedeviDidi::DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                                  TGridDrawState AState) {
    const TCanvasKeeper entry(ACanvas);
    TCellPaint cell;
    cell.Canvas = ACanvas;
    cell.Col = ACol;
    cell.Row = ARow;
    cell.RealCol = RealColIndex(ACol);
    cell.State = AState;
    TColor colorTo = clNone;
    GetCellDrawInfo(ACol, ARow, cell.State, cell.HAlign, cell.VAlign, ACanvas->Font(), colorTo, ACanvas->Brush(), true,
                    true, false);
    cell.Graphic = GetCellGraphicInfo(ACol, ARow, cell.GraphicHAlign, cell.GraphicVAlign, cell.TextBeside,
                                      cell.GraphicWidth, cell.GraphicHeight);
    cell.Fixed = cell.State.Contains(gdFixed);
    cell.Gradient = colorTo != clNone || paintingFooter_;
    TRect rect = ARect;

    // A row indicator keeps its width at the left while the content is drawn.
    Integer indicatorWidth = 0;
    if (cell.RealCol == 0 && ARow == Row() && FixedCols() > 0 && !RowIndicator()->Empty()) {
        const Integer top = rect.Top + std::max(0, (rect.Height() - RowIndicator()->Height()) / 2);
        ProUtil::DrawBitmapTransparent(ACanvas, RowIndicator(), ACanvas->Brush()->Color(),
                                       ::Rect(rect.Left, top, rect.Right, rect.Bottom));
        indicatorWidth = RowIndicator()->Width();
        rect.Left += indicatorWidth;
    }
    if (RowIndent(ARow) > 0 && cell.RealCol == 0) rect.Left += NodeContentGap;

    if (cell.Fixed && !Flat()) PaintFixedLook(cell, rect);

    if (!cell.Fixed && ControlLook()->DropDownAlwaysVisible() && HasCombo(ACol, ARow)) {
        const TRect button = ::Rect(rect.Right - DropDownWidth, rect.Top, rect.Right, rect.Bottom);
        ProUtil::DrawComboButton(Handle(), ACanvas, false, button, ThemedLook() && CommonControls6());
        rect.Right -= DropDownWidth;
    }

    {
        const TCanvasKeeper content(ACanvas);
        DrawCellContent(cell, rect);
    }
    rect.Left -= indicatorWidth;

    rect = ::Rect(rect.Left - 1, rect.Top - 1, rect.Right + 1, rect.Bottom + 1);
    DrawCellBorders(ACol, ARow, rect);

    if (cell.Fixed && !Flat()) PaintFixedEdges(cell, rect);
    if (HasNodes() && cell.RealCol == 0 && ARow >= FixedRows() && CellNode()->ShowTree())
        DrawTreeLines(ACanvas, ARow, rect);
    if (cell.Graphic)
        DrawCellGraphic(ACanvas, ACol, ARow, cell.Graphic, rect, cell.GraphicWidth, cell.GraphicHeight, cell.HAlign,
                        cell.VAlign);

    if (OnDrawCell) {
        const TRect inner =
            ::Rect(rect.Left + 1, rect.Top + 1, rect.Right - GridLineWidth(), rect.Bottom - GridLineWidth());
        OnDrawCell(this, ACol, ARow, inner, cell.State);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, ACol, ARow, cell.State, rect, false);

    if (!paintingFooter_ && !HideFocusRect() && Focused() && !Options().Contains(goRowSelect)) {
        const TPoint base = BaseCell(ACol, ARow);
        if (base.X == Col() && base.Y == Row())
            ACanvas->DrawFocusRect(::Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1));
    }
}

// The fill of a fixed cell by the look: a gradient, or the header item of the themed list view.
void RAdeRedeviDidi::PaintFixedLook(TCellPaint& Cell, const TRect& Rect) {
    TCanvas* canvas = Cell.Canvas;
    switch (Look()) {
        case glZub:
        case glXP:
            ProUtil::DrawGradient(canvas, GradientFrom(), GradientTo(), false, Rect, FixedGradientSteps);
            Cell.Gradient = true;
            break;
        case glListView: {
            canvas->FillRect(Rect);
            const bool hot = hotCell_.X == Cell.Col && hotCell_.Y == Cell.Row;
            const int state = hot ? (mousePressed_ ? HeaderPressed : HeaderHot) : HeaderNormal;
            const TRect item{Rect.Left - 1, Rect.Top - 1, Rect.Right + 1, Rect.Bottom + 1};
            if (!DrawThemed(canvas, u"header", HeaderItemPart, state, item)) break;
            Cell.Gradient = true;
            if (FixedColor() == clNone) break;
            TLine line(canvas, ProUtil::DarkenColor(FixedColor()));
            line.Draw(Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
            line.Draw(Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
            break;
        }
        default: break;
    }
}

// The edges and lines of a fixed cell by the look, over the cell's whole rectangle.
void RAdeRedeviDidi::PaintFixedEdges(const TCellPaint& Cell, const TRect& Rect) {
    TCanvas* canvas = Cell.Canvas;
    // A fixed cell acting as a button shows pressed while the mouse holds it.
    if (Cell.Col == pressedFixedCell_.X && Cell.Row == pressedFixedCell_.Y) {
        RECT r = Rect;
        DrawEdge(canvas->Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    const bool rightFixed = Cell.Col >= ColCount() - FixedRightCols();
    switch (Look()) {
        case glClassic: {
            RECT r = Rect;
            DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
            r = Rect;
            DrawEdge(canvas->Handle(), &r, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
            return;
        }
        case glZub:
        case glXP: {
            if (FixedColor() == clNone) return;
            const TRect r = ::Rect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 1);
            TLine line(canvas, ProUtil::DarkenColor(FixedColor()));
            line.Draw(r.Left, r.Bottom, r.Right, r.Bottom);
            line.Draw(r.Right - 1, r.Top, r.Right - 1, r.Bottom);
            return;
        }
        case glSoft:
            if (!FixedAsButtons() || rightFixed) PaintFixedLines(Cell, Rect);
            return;
        default:
            if (rightFixed) PaintFixedLines(Cell, Rect);
            return;
    }
}

// The fixed lines the options choose, in the grid's line colour.
void RAdeRedeviDidi::PaintFixedLines(const TCellPaint& Cell, const TRect& Rect) {
    if (GridLineColor() == clNone) return;
    TLine line(Cell.Canvas, GridLineColor());
    if (Options().Contains(goFixedHorzLine)) line.Draw(Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom - 1);
    if (Options().Contains(goFixedVertLine)) line.Draw(Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
}

// ---------------------------------------------------------------------------
// Border, size line and the mouse over the header

void RAdeRedeviDidi::DrawFlatBorder() {
    const TGridLook look = Look();
    if (look != glSoft && look != glZub && look != glXP && look != glListView) return;
    if (BorderStyle() != bsSingle || Flat() || !HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    const int w = Width(), h = Height();
    {
        const TSelectedPen pen(dc, PS_SOLID, ThemedLook() ? ThemedBorderColor : ClassicBorderColor);
        DrawPolyline(dc, {{1, h}, {1, 1}, {w - 2, 1}, {w - 2, h - 2}, {1, h - 2}});
    }
    if (Parent() && Parent()->Color() != clNone) {
        const TSelectedPen pen(dc, PS_SOLID, Parent()->Color());
        DrawPolyline(dc, {{0, h}, {0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}});
    }
    ReleaseDC(Handle(), dc);
}

// Drawn inverted (not XOR with black, which would leave every pixel as it was): a second draw restores.
void RAdeRedeviDidi::DrawSizeLine(Integer X) {
    TCanvas* canvas = Canvas();
    const TCanvasKeeper keeper(canvas);
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psDot);
    canvas->Pen()->SetMode(pmNotXor);
    canvas->Pen()->SetWidth(1);
    const std::int64_t rowsBottom = FixedRowsHeight() + RowHeightsSum(TopRow(), RowCount());
    const auto bottom = static_cast<Integer>(std::min<std::int64_t>(ClientHeight(), rowsBottom));
    canvas->MoveTo(X, 0);
    canvas->LineTo(X, bottom);
}

// The themed list-view header shows the cell under the mouse hot, and pressed while the button is down.
void RAdeRedeviDidi::TrackHeaderMouse(const TMessage& Message) {
    const auto invalidateHot = [this] {
        if (hotCell_.X >= 0 && hotCell_.Y >= 0) InvalidateCellEx(hotCell_.X, hotCell_.Y);
    };
    switch (Message.Msg) {
        case WM_MOUSEMOVE: {
            TGridCoord cell = MouseCoord(static_cast<SmallInt>(LOWORD(Message.LParam)),
                                         static_cast<SmallInt>(HIWORD(Message.LParam)));
            const bool themedHeader = Look() == glListView && ThemedLook() && !Flat();
            if (!themedHeader || cell.X < 0 || cell.Y < 0 || !(cell.X < FixedCols() || cell.Y < FixedRows()))
                cell = {-1, -1};
            if (cell == hotCell_) return;
            invalidateHot();
            hotCell_ = cell;
            invalidateHot();
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            mousePressed_ = Message.Msg == WM_LBUTTONDOWN;
            invalidateHot();
            return;
        case CM_MOUSELEAVE:
            invalidateHot();
            hotCell_ = {-1, -1};
            return;
        default: return;
    }
}

}  // namespace ProGrid
