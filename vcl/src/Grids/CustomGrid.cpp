// The grid base: counts, sizes, the current cell and the selection, the shown top left, and the geometry
// of cells on the client area.
#include <algorithm>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/Windows.h"

namespace {

void ReadSizeList(TCustomGrid& Grid, const TFormValue& Value, void (TCustomGrid::*Set)(Integer, Integer)) {
    if (Value.Kind != TFormValue::vaList) RaiseInvalidPropertyValue(Value);
    for (std::size_t i = 0; i < Value.List.size(); ++i)
        (Grid.*Set)(static_cast<Integer>(i), CheckedCast<Integer>(Value.List[i].AsInteger()));
}

TFormValue SizeList(Integer Count, const std::function<Integer(Integer)>& Size) {
    TFormValue list;
    list.Kind = TFormValue::vaList;
    for (Integer i = 0; i < Count; ++i) list.List.push_back(FormInt(Size(i)));
    return list;
}

void PublishTCustomGrid(TPublisher& p) {
    TPublishOf<TCustomGrid> P(p);
    P.Int("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount);
    P.Int("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount);
    P.Int("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols);
    P.Int("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows);
    P.Int("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth);
    P.Int("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight);
    P.Int("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth);
    P.Bool("DefaultDrawing", &TCustomGrid::DefaultDrawing, &TCustomGrid::SetDefaultDrawing);
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
    P.Enum<TScrollStyle>(
        "ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars,
        {{"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}});
    P.Enum<TBorderStyle>("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle,
                         {{"bsNone", bsNone}, {"bsSingle", bsSingle}});
    // The sizes follow the counts in a description, as a list of integers for the columns (rows) from 0.
    p.Property({"ColWidths",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    ReadSizeList(static_cast<TCustomGrid&>(o), v, &TCustomGrid::SetColWidths);
                },
                [](TObject& o) {
                    auto& grid = static_cast<TCustomGrid&>(o);
                    return SizeList(grid.ColCount(), [&grid](Integer i) { return grid.ColWidths(i); });
                },
                {}});
    p.Property({"RowHeights",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    ReadSizeList(static_cast<TCustomGrid&>(o), v, &TCustomGrid::SetRowHeights);
                },
                [](TObject& o) {
                    auto& grid = static_cast<TCustomGrid&>(o);
                    return SizeList(grid.RowCount(), [&grid](Integer i) { return grid.RowHeights(i); });
                },
                {}});
}

Integer Clamp(Integer Value, Integer Low, Integer High) { return std::max(Low, std::min(Value, High)); }

}  // namespace

VCL_IMPLEMENT_CLASS(TCustomGrid, nullptr, &PublishTCustomGrid)

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), cols_(5, 64), rows_(5, 24) {
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
}

TCustomGrid::~TCustomGrid() = default;

// ---------------------------------------------------------------------------
// Counts and sizes

void TCustomGrid::ChangeSize(Integer NewColCount, Integer NewRowCount) {
    const Integer oldCols = ColCount(), oldRows = RowCount();
    if (NewColCount == oldCols && NewRowCount == oldRows) return;
    cols_.SetCount(NewColCount);
    rows_.SetCount(NewRowCount);
    LayoutChanged();
    auto inside = [this](TGridCoord c) {
        return TGridCoord{std::min(c.X, ColCount() - 1), std::min(c.Y, RowCount() - 1)};
    };
    // A current cell cut off moves as the user's moves do, asking SelectCell; when that refuses, it is
    // put inside all the same.
    if (!(inside(current_) == current_)) {
        const TGridCoord last = inside(current_);
        MoveCurrent(last.X, last.Y, true, true);
        current_ = inside(current_);
    }
    anchor_ = inside(anchor_);
    // Whole rows stay whole when columns come.
    if (options_.Contains(goRowSelect)) anchor_.X = ColCount() - 1;
    SizeChanged(oldCols, oldRows);
    ClampTopLeft();
    Invalidate();
}

void TCustomGrid::SizeChanged(Integer, Integer) {}

void TCustomGrid::SetColCount(Integer Value) {
    Value = std::max(Value, 1);
    if (Value <= fixedCols_) SetFixedCols(Value - 1);
    ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(Integer Value) {
    Value = std::max(Value, 1);
    if (Value <= fixedRows_) SetFixedRows(Value - 1);
    ChangeSize(ColCount(), Value);
}

// Changing the fixed count starts over at the first scrollable cell; the same count changes nothing.
void TCustomGrid::SetFixedCols(Integer Value) {
    if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
    if (Value >= ColCount()) throw EInvalidGridOperation("Fixed column count must be less than column count");
    if (fixedCols_ == Value) return;
    fixedCols_ = Value;
    LayoutChanged();
    StartOver();
}

void TCustomGrid::SetFixedRows(Integer Value) {
    if (Value < 0) throw EInvalidGridOperation("Grid index out of range");
    if (Value >= RowCount()) throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (fixedRows_ == Value) return;
    fixedRows_ = Value;
    LayoutChanged();
    StartOver();
}

void TCustomGrid::StartOver() {
    topLeft_ = current_ = anchor_ = {fixedCols_, fixedRows_};
    LayoutChanged();
    if (options_.Contains(goRowSelect)) anchor_.X = ColCount() - 1;
    ClampTopLeft();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
    cols_.Reset(std::max(Value, 0));
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
    rows_.Reset(std::max(Value, 0));
    RowHeightsChanged();
}

// Beyond the count a size reads as the default; writing there is a misuse.
Integer TCustomGrid::ColWidths(Integer Index) const {
    return Index >= 0 && Index < ColCount() ? cols_.Size(Index) : DefaultColWidth();
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
    if (Index < 0 || Index >= ColCount()) throw EInvalidGridOperation("Grid index out of range");
    Value = std::max(Value, 0);
    if (cols_.Size(Index) == Value) return;
    cols_.SetSize(Index, Value);
    ColWidthsChanged();
}

Integer TCustomGrid::RowHeights(Integer Index) const {
    return Index >= 0 && Index < RowCount() ? rows_.Size(Index) : DefaultRowHeight();
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
    if (Index < 0 || Index >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
    Value = std::max(Value, 0);
    if (rows_.Size(Index) == Value) return;
    rows_.SetSize(Index, Value);
    RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
    LayoutChanged();
    ClampTopLeft();
    Invalidate();
    if (editor_ && editor_->Visible()) UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
    LayoutChanged();
    ClampTopLeft();
    Invalidate();
    if (editor_ && editor_->Visible()) UpdateEdit();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
    gridLineWidth_ = std::max(Value, 0);
    LayoutChanged();
    ClampTopLeft();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
    fixedColor_ = Value;
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
    defaultDrawing_ = Value;
    Invalidate();
}

// Row selection never shows an editor, and widens the selection to whole rows at once.
void TCustomGrid::SetOptions(TGridOptions Value) {
    if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
    if (options_ == Value) return;
    options_ = Value;
    LayoutChanged();
    if (options_.Contains(goEditing) && options_.Contains(goAlwaysShowEditor)) ShowEditor();
    else if (editor_ && editor_->Visible() && !CanEditShow()) HideEditor();
    if (options_.Contains(goRowSelect)) MoveCurrent(Col(), Row(), true, false);
    ClampTopLeft();
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
    if (vertBar_) insets.Right += GetSystemMetrics(SM_CXVSCROLL);
    if (horzBar_) insets.Bottom += GetSystemMetrics(SM_CYHSCROLL);
    return insets;
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    AddFrameStyles(Params, borderStyle_);
}

void TCustomGrid::BoundsChanged() {
    TCustomControl::BoundsChanged();
    LayoutChanged();
    ClampTopLeft();
}

// ---------------------------------------------------------------------------
// Current cell and selection

bool TCustomGrid::SelectCell(Integer, Integer) { return true; }

AnsiString TCustomGrid::GetEditText(Integer, Integer) { return {}; }
void TCustomGrid::SetEditText(Integer, Integer, const AnsiString&) {}

TGridRect TCustomGrid::Selection() const {
    return {std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y), std::max(anchor_.X, current_.X),
            std::max(anchor_.Y, current_.Y)};
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
    const TGridRect old = Selection();
    anchor_ = Value.TopLeft();
    current_ = Value.BottomRight();
    SelectionMoved(old);
}

void TCustomGrid::SetCol(Integer Value) {
    if (Col() != Value) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(Integer Value) {
    if (Row() != Value) FocusCell(Col(), Value, true);
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) {
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    Click();
}

void TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
    if (!SelectCell(ACol, ARow)) return;
    const TGridRect old = Selection();
    const bool cellChanges = !(current_ == TGridCoord{ACol, ARow});
    if (cellChanges) {
        WriteEditText();
        if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
    }
    current_ = {ACol, ARow};
    if (MoveAnchor || !options_.Contains(goRangeSelect)) anchor_ = current_;
    if (options_.Contains(goRowSelect)) {
        current_.X = fixedCols_;
        anchor_.X = ColCount() - 1;
    }
    if (Show) ClampInView(current_);
    SelectionMoved(old);
    if (cellChanges && editorMode_) UpdateEdit();
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
    InvalidateRect(OldSel);
    InvalidateRect(Selection());
}

bool TCustomGrid::IsActiveControl() const {
    TCustomForm* form = GetParentForm(const_cast<TCustomGrid*>(this));
    if (form) return form->ActiveControl() == this && form->Active();
    return Focused();
}

// ---------------------------------------------------------------------------
// The shown top left

Integer TCustomGrid::VisibleColCount() const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Horz.LastFullVisibleCell - LeftCol() + 1;
}

Integer TCustomGrid::VisibleRowCount() const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    return info.Vert.LastFullVisibleCell - TopRow() + 1;
}

void TCustomGrid::SetLeftCol(Integer Value) { MoveTopLeft(Value, TopRow()); }

void TCustomGrid::SetTopRow(Integer Value) { MoveTopLeft(LeftCol(), Value); }

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
    const TGridCoord most = CalcMaxTopLeft();
    const TGridCoord wanted{Clamp(ALeft, fixedCols_, most.X), Clamp(ATop, fixedRows_, most.Y)};
    if (wanted == topLeft_) return;
    const TGridDrawInfo before = DrawInfo();
    topLeft_ = wanted;
    LayoutChanged();
    ScrollShownCells(before);
    // The editor follows its cell, out of view and back.
    if (editorMode_ || (editor_ && editor_->Visible())) UpdateEdit();
    UpdateScrollPos();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {}

void TCustomGrid::ClampTopLeft() {
    MoveTopLeft(topLeft_.X, topLeft_.Y);
    UpdateScrollRange();
}

namespace {

// The first cell from which First..Last fits into Avail pixels (each followed by LineWidth, the last line
// may stick out): Last itself when even it alone does not fit.
Integer FirstToShow(const TGridAxis& Axis, Integer Fixed, Integer LineWidth, Integer Avail, Integer Last) {
    const std::int64_t end = Axis.Span(0, Last + 1, LineWidth);
    const std::int64_t needed = end - (static_cast<std::int64_t>(Avail) + LineWidth);
    if (needed <= Axis.Span(0, Fixed, LineWidth)) return Fixed;
    const Integer first = Axis.CellAt(0, needed - 1, LineWidth) + 1;
    return std::max(Fixed, std::min(first, Last));
}

}  // namespace

Integer TCustomGrid::FirstShowingLast(bool Vertical, Integer Last) const {
    const TGridDrawInfo& info = DrawInfo();
    const TGridAxisDrawInfo& a = Vertical ? info.Vert : info.Horz;
    return FirstToShow(Vertical ? rows_ : cols_, a.FixedCellCount, a.EffectiveLineWidth, a.GridExtent - a.FixedBoundary,
                       Last);
}

TGridCoord TCustomGrid::CalcMaxTopLeft() const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    auto most = [](const TGridAxisDrawInfo& a, const TGridAxis& axis) {
        if (a.FixedCellCount >= a.GridCellCount) return a.FixedCellCount;
        return FirstToShow(axis, a.FixedCellCount, a.EffectiveLineWidth, a.GridExtent - a.FixedBoundary,
                           a.GridCellCount - 1);
    };
    return {most(info.Horz, cols_), most(info.Vert, rows_)};
}

void TCustomGrid::ClampInView(TGridCoord Coord) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    auto axis = [](const TGridAxisDrawInfo& a, const TGridAxis& sizes, Integer Index) {
        if (Index < a.FixedCellCount) return a.FirstGridCell;
        if (Index < a.FirstGridCell) return Index;
        if (Index <= a.LastFullVisibleCell) return a.FirstGridCell;
        return FirstToShow(sizes, a.FixedCellCount, a.EffectiveLineWidth, a.GridExtent - a.FixedBoundary, Index);
    };
    // Whole rows are selected: the sideways scroll stays where the user put it.
    const Integer left = options_.Contains(goRowSelect) ? LeftCol() : axis(info.Horz, cols_, Coord.X);
    MoveTopLeft(left, axis(info.Vert, rows_, Coord.Y));
}

// ---------------------------------------------------------------------------
// Geometry

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) const {
    auto fixed = [this](TGridAxisDrawInfo& a, const TGridAxis& axis, bool Lines, Integer Fixed, Integer First) {
        a.EffectiveLineWidth = Lines ? gridLineWidth_ : 0;
        a.FixedCellCount = Fixed;
        a.FirstGridCell = First;
        a.GridCellCount = axis.Count();
        a.FixedBoundary = static_cast<Integer>(axis.Span(0, Fixed, a.EffectiveLineWidth));
    };
    fixed(DrawInfo.Horz, cols_, options_.Contains(goFixedVertLine) || options_.Contains(goVertLine), fixedCols_,
          topLeft_.X);
    fixed(DrawInfo.Vert, rows_, options_.Contains(goFixedHorzLine) || options_.Contains(goHorzLine), fixedRows_,
          topLeft_.Y);
}

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer Extent) const {
    const Integer lw = Info.EffectiveLineWidth;
    Info.GridExtent = Extent;
    const std::int64_t all = Info.FixedBoundary + Axis.Span(Info.FirstGridCell, Axis.Count(), lw);
    Info.GridBoundary = static_cast<Integer>(std::min<std::int64_t>(all, Extent));
    const Integer avail = Extent - Info.FixedBoundary;
    Integer last = avail < 0 ? Info.FirstGridCell - 1 : Axis.CellAt(Info.FirstGridCell, avail + lw, lw) - 1;
    last = std::min(last, Axis.Count() - 1);
    Info.LastFullVisibleCell = last;
    Info.FullVisBoundary = Info.FixedBoundary + static_cast<Integer>(Axis.Span(Info.FirstGridCell, last + 1, lw));
}

const TGridDrawInfo& TCustomGrid::DrawInfo() const {
    TDrawInfoCache& c = drawCache_;
    if (!c.Valid || c.Version != layoutVersion_) {
        const TRect client = ClientRect();
        c.Valid = true;
        c.Version = layoutVersion_;
        CalcFixedInfo(c.Info);
        CalcAxis(c.Info.Horz, cols_, client.Width());
        CalcAxis(c.Info.Vert, rows_, client.Height());
    }
    return c.Info;
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) const { DrawInfo = this->DrawInfo(); }

// The start of a cell on the client: -1 when it is scrolled out or starts past the client's end.
Integer TCustomGrid::LinePos(const TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer Index) const {
    std::int64_t pos;
    if (Index < Info.FixedCellCount) pos = Axis.Span(0, Index, Info.EffectiveLineWidth);
    else if (Index < Info.FirstGridCell) return -1;
    else pos = Info.FixedBoundary + Axis.Span(Info.FirstGridCell, Index, Info.EffectiveLineWidth);
    return pos < Info.GridExtent ? static_cast<Integer>(pos) : -1;
}

bool TCustomGrid::AxisSpan(const TGridAxisDrawInfo& Info, const TGridAxis& Axis, Integer First, Integer Last,
                           Integer& From, Integer& To) const {
    Last = std::min(Last, Axis.Count() - 1);
    if (First < 0 || Last < First) return false;
    if (First >= Info.FixedCellCount && First < Info.FirstGridCell) {
        if (Last < Info.FirstGridCell) return false;
        First = Info.FirstGridCell;
    }
    From = LinePos(Info, Axis, First);
    if (From < 0) return false;
    const Integer lw = Info.EffectiveLineWidth;
    std::int64_t end;
    if (Last < Info.FixedCellCount) end = Axis.Span(0, Last + 1, lw) - lw;
    else if (Last < Info.FirstGridCell) end = Info.FixedBoundary - lw;
    else end = Info.FixedBoundary + Axis.Span(Info.FirstGridCell, Last + 1, lw) - lw;
    To = static_cast<Integer>(std::min<std::int64_t>(end, Info.GridExtent));
    return true;
}

TRect TCustomGrid::MirroredInClient(const TRect& Rect) const {
    if (!UseRightToLeftAlignment()) return Rect;
    const Integer width = ClientRect().Width();
    return ::Rect(width - Rect.Right, Rect.Top, width - Rect.Left, Rect.Bottom);
}

Integer TCustomGrid::LayoutX(Integer X) const { return UseRightToLeftAlignment() ? ClientRect().Width() - 1 - X : X; }

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const {
    const TRect r = LayoutCellRect(ACol, ARow);
    return r.IsEmpty() ? r : MirroredInClient(r);
}

TRect TCustomGrid::LayoutCellRect(Integer ACol, Integer ARow) const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    TRect r;
    if (!AxisSpan(info.Horz, cols_, ACol, ACol, r.Left, r.Right) ||
        !AxisSpan(info.Vert, rows_, ARow, ARow, r.Top, r.Bottom))
        return {};
    return r;
}

TRect TCustomGrid::BoxRect(const TGridRect& Cells) const {
    const TGridDrawInfo& info = DrawInfo();
    TRect r;
    if (!AxisSpan(info.Vert, rows_, std::min(Cells.Top, Cells.Bottom), std::max(Cells.Top, Cells.Bottom), r.Top,
                  r.Bottom) ||
        !AxisSpan(info.Horz, cols_, std::min(Cells.Left, Cells.Right), std::max(Cells.Left, Cells.Right), r.Left,
                  r.Right))
        return {};
    r.Right += info.Horz.EffectiveLineWidth;
    r.Bottom += info.Vert.EffectiveLineWidth;
    return r.IsEmpty() ? r : MirroredInClient(r);
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const { return LayoutCoord(LayoutX(X), Y); }

TGridCoord TCustomGrid::LayoutCoord(Integer X, Integer Y) const {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    // Past the client's right (bottom) edge lie the cells that would show there.
    auto coord = [](const TGridAxisDrawInfo& a, const TGridAxis& axis, Integer Pos) {
        if (Pos < 0) return -1;
        Integer cell;
        if (Pos < a.FixedBoundary) cell = axis.CellAt(0, Pos, a.EffectiveLineWidth);
        else cell = axis.CellAt(a.FirstGridCell, Pos - a.FixedBoundary, a.EffectiveLineWidth);
        return cell < axis.Count() ? cell : -1;
    };
    const TGridCoord cell{coord(info.Horz, cols_, X), coord(info.Vert, rows_, Y)};
    if (cell.X < 0 || cell.Y < 0) return {-1, -1};
    return cell;
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const {
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

// ---------------------------------------------------------------------------
// Invalidation

namespace {

// Whether any of the cells First..Last can show: the fixed ones, or those from the first scrolled one to
// the one past the last shown whole (it may show in part).
bool MayShow(const TGridAxisDrawInfo& Info, Integer First, Integer Last) {
    if (First > Last) std::swap(First, Last);
    return First < Info.FixedCellCount || (Last >= Info.FirstGridCell && First <= Info.LastFullVisibleCell + 1);
}

}  // namespace

void TCustomGrid::InvalidateRect(const TGridRect& ARect) {
    if (!HandleAllocated()) return;
    // Cells out of view are turned away by their indices, before any pixel work.
    const TGridDrawInfo& info = DrawInfo();
    if (!MayShow(info.Horz, ARect.Left, ARect.Right) || !MayShow(info.Vert, ARect.Top, ARect.Bottom)) return;
    const TRect r = BoxRect(ARect);
    if (r.IsEmpty()) return;
    ::InvalidateRect(Handle(), &r, FALSE);
}

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) { InvalidateRect({ACol, ARow, ACol, ARow}); }

void TCustomGrid::InvalidateCol(Integer ACol) { InvalidateRect({ACol, 0, ACol, RowCount() - 1}); }

void TCustomGrid::InvalidateRow(Integer ARow) { InvalidateRect({0, ARow, ColCount() - 1, ARow}); }
