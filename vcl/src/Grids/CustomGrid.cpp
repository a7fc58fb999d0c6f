// The grid base: sizes of columns and rows, the fixed headings, grid lines and the cells' texts.
#include "vcl/Grids.h"

#include <algorithm>

#include "vcl/ExtCtrls.h"

namespace {

constexpr TColor FixedLineColor = clBlack;
constexpr TColor LineColor = clSilver;

void PublishTCustomGrid(TPublisher& p) {
    TPublishOf<TCustomGrid> P(p);
    P.Int("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount);
    P.Int("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount);
    P.Int("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols);
    P.Int("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows);
    P.Int("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth);
    P.Int("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight);
    P.Int("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth);
    P.IntIdent("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor, &IdentToColor);
    P.Set<TGridOption>("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions,
                       {{"goFixedVertLine", goFixedVertLine},
                        {"goFixedHorzLine", goFixedHorzLine},
                        {"goVertLine", goVertLine},
                        {"goHorzLine", goHorzLine},
                        {"goRangeSelect", goRangeSelect},
                        {"goDrawFocusSelected", goDrawFocusSelected},
                        {"goRowSizing", goRowSizing},
                        {"goColSizing", goColSizing},
                        {"goRowMoving", goRowMoving},
                        {"goColMoving", goColMoving},
                        {"goEditing", goEditing},
                        {"goTabs", goTabs},
                        {"goRowSelect", goRowSelect},
                        {"goAlwaysShowEditor", goAlwaysShowEditor},
                        {"goThumbTracking", goThumbTracking}});
    P.Enum<TBorderStyle>("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle,
                         {{"bsNone", bsNone}, {"bsSingle", bsSingle}});
}

void PublishTDrawGrid(TPublisher& p) {
    TPublishOf<TDrawGrid> P(p);
    P.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TCustomGrid, nullptr, &PublishTCustomGrid)
VCL_IMPLEMENT_CLASS(TDrawGrid, VCL_CREATOR(TDrawGrid), &PublishTDrawGrid)
VCL_IMPLEMENT_CLASS(TStringGrid, VCL_CREATOR(TStringGrid), nullptr)

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csDoubleClicks} - TControlStyle{csSetCaption});
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    colWidths_.assign(5, defaultColWidth_);
    rowHeights_.assign(5, defaultRowHeight_);
}

void TCustomGrid::ResizeCells(Integer Cols, Integer Rows) {
    const Integer oldCols = ColCount(), oldRows = RowCount();
    if (Cols == oldCols && Rows == oldRows) return;
    colWidths_.resize(static_cast<std::size_t>(Cols), defaultColWidth_);
    rowHeights_.resize(static_cast<std::size_t>(Rows), defaultRowHeight_);
    fixedCols_ = std::min(fixedCols_, Cols - 1);
    fixedRows_ = std::min(fixedRows_, Rows - 1);
    SizeChanged(oldCols, oldRows);
    Invalidate();
}

void TCustomGrid::SizeChanged(Integer, Integer) {}

void TCustomGrid::SetColCount(Integer Value) { ResizeCells(std::max(Value, 1), RowCount()); }

void TCustomGrid::SetRowCount(Integer Value) { ResizeCells(ColCount(), std::max(Value, 1)); }

// The class library refuses as many fixed columns (rows) as there are: one must stay scrollable.
void TCustomGrid::SetFixedCols(Integer Value) {
    if (Value < 0 || Value >= ColCount())
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    fixedCols_ = Value;
    Invalidate();
}

void TCustomGrid::SetFixedRows(Integer Value) {
    if (Value < 0 || Value >= RowCount()) throw EInvalidGridOperation("Fixed row count must be less than row count");
    fixedRows_ = Value;
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
    defaultColWidth_ = std::max(Value, 0);
    std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
    defaultRowHeight_ = std::max(Value, 0);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    Invalidate();
}

void TCustomGrid::CheckCell(Integer ACol, Integer ARow) const {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
}

Integer TCustomGrid::ColWidths(Integer Index) const {
    CheckCell(Index, 0);
    return colWidths_[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
    CheckCell(Index, 0);
    colWidths_[static_cast<std::size_t>(Index)] = std::max(Value, 0);
    Invalidate();
}

Integer TCustomGrid::RowHeights(Integer Index) const {
    CheckCell(0, Index);
    return rowHeights_[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
    CheckCell(0, Index);
    rowHeights_[static_cast<std::size_t>(Index)] = std::max(Value, 0);
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
    gridLineWidth_ = std::max(Value, 0);
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    fixedColor_ = Value;
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
    options_ = Value;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
    if (Value != bsNone) Value = bsSingle;
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    Perform(CM_BORDERCHANGED, 0, 0);
    Invalidate();
}

TRect TCustomGrid::ClientInsets() const {
    TRect insets = TCustomControl::ClientInsets();
    if (borderStyle_ != bsSingle) return insets;
    const Integer edge = Ctl3D() ? 2 : 1;
    return {insets.Left + edge, insets.Top + edge, insets.Right + edge, insets.Bottom + edge};
}

Integer TCustomGrid::LineWidth(bool Fixed, bool Vertical) const {
    const TGridOption option =
        Fixed ? (Vertical ? goFixedVertLine : goFixedHorzLine) : (Vertical ? goVertLine : goHorzLine);
    return options_.Contains(option) ? gridLineWidth_ : 0;
}

// A column's line counts as fixed when the column is; a row's when the row is.
std::vector<Integer> TCustomGrid::ColEdges() const {
    std::vector<Integer> edges{0};
    for (Integer c = 0; c < ColCount(); ++c)
        edges.push_back(edges.back() + colWidths_[static_cast<std::size_t>(c)] + LineWidth(c < fixedCols_, true));
    return edges;
}

std::vector<Integer> TCustomGrid::RowEdges() const {
    std::vector<Integer> edges{0};
    for (Integer r = 0; r < RowCount(); ++r)
        edges.push_back(edges.back() + rowHeights_[static_cast<std::size_t>(r)] + LineWidth(r < fixedRows_, false));
    return edges;
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const {
    CheckCell(ACol, ARow);
    const auto col = static_cast<std::size_t>(ACol), row = static_cast<std::size_t>(ARow);
    const Integer left = ColEdges()[col], top = RowEdges()[row];
    return Rect(left, top, left + colWidths_[col], top + rowHeights_[row]);
}

void TCustomGrid::PaintFrame() {
    if (borderStyle_ != bsSingle) return;
    const TRect client = ClientRect();
    const TRect insets = ClientInsets();
    TRect frame{client.Left - insets.Left, client.Top - insets.Top, client.Right + insets.Right,
                client.Bottom + insets.Bottom};
    if (Ctl3D()) {
        Frame3D(Canvas(), frame, clBtnShadow, clBtnHighlight, 1);
        Frame3D(Canvas(), frame, cl3DDkShadow, cl3DLight, 1);
    } else {
        Frame3D(Canvas(), frame, clWindowFrame, clWindowFrame, 1);
    }
}

void TCustomGrid::PaintCell(Integer ACol, Integer ARow, const TRect& Cell) {
    TCanvas* canvas = Canvas();
    const bool fixed = IsFixed(ACol, ARow);
    // The lines right of and below the cell, in the heading or the body colour.
    const Integer right = LineWidth(ACol < fixedCols_, true);
    const Integer below = LineWidth(ARow < fixedRows_, false);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(fixed ? FixedLineColor : LineColor);
    if (right > 0) canvas->FillRect(Rect(Cell.Right, Cell.Top, Cell.Right + right, Cell.Bottom + below));
    if (below > 0) canvas->FillRect(Rect(Cell.Left, Cell.Bottom, Cell.Right + right, Cell.Bottom + below));
    canvas->Brush()->SetColor(fixed ? fixedColor_ : Color());
    canvas->FillRect(Cell);
    if (fixed && Ctl3D()) {
        TRect edge = Cell;
        Frame3D(canvas, edge, clBtnHighlight, clBtnShadow, 1);
    }
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(fixed ? fixedColor_ : Color());
    DrawCell(ACol, ARow, Cell, fixed ? TGridDrawState{gdFixed} : TGridDrawState{});
}

void TCustomGrid::Paint() {
    PaintFrame();
    const TRect client = ClientRect();
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(client);
    const std::vector<Integer> cols = ColEdges(), rows = RowEdges();
    for (Integer r = 0; r < RowCount() && rows[static_cast<std::size_t>(r)] < client.Bottom; ++r)
        for (Integer c = 0; c < ColCount() && cols[static_cast<std::size_t>(c)] < client.Right; ++c)
            PaintCell(c, r, CellRect(c, r));
}

// ---------------------------------------------------------------------------

void TDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) { SizeChanged(0, 0); }

void TStringGrid::SizeChanged(Integer, Integer) {
    cells_.resize(static_cast<std::size_t>(RowCount()));
    for (auto& row : cells_) row.resize(static_cast<std::size_t>(ColCount()));
}

AnsiString TStringGrid::Cells(Integer ACol, Integer ARow) const {
    CheckCell(ACol, ARow);
    return cells_[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)];
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const AnsiString& Value) {
    CheckCell(ACol, ARow);
    AnsiString& cell = cells_[static_cast<std::size_t>(ARow)][static_cast<std::size_t>(ACol)];
    if (cell == Value) return;
    cell = Value;
    Invalidate();
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void RegisterGrids() { RegisterClasses({TDrawGrid::ClassInfo(), TStringGrid::ClassInfo()}); }
