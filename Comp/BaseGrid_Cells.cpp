// The base grid's cells: properties objects, merged ranges, geometry of a cell and its range, cell text.
#include <algorithm>
#include <vector>

#include "BaseGrid.h"
#include "vcl/Windows.h"

namespace BaseGrid {

TCellProperties* TBaseGrid::FindProperties(Integer ACol, Integer ARow) const {
    return dynamic_cast<TCellProperties*>(Objects(ACol, ARow));
}

// The properties of the base of the range holding the cell; nil when the cell has none.
TCellProperties* TBaseGrid::BaseProperties(Integer ACol, Integer ARow) const {
    TCellProperties* props = FindProperties(ACol, ARow);
    if (!props || props->IsBaseCell()) return props;
    const TPoint base = BaseCell(ACol, ARow);
    return FindProperties(base.X, base.Y);
}

void TBaseGrid::Adopt(TCellProperties* Props) {
    if (Props->grid_ && Props->grid_ != this) Props->grid_->Release(Props);
    Props->grid_ = this;
    owned_.insert(Props);
    if (Props->graphic_) GraphicHeld(Props->graphic_, true);
}

void TBaseGrid::FreeProperties(Integer ACol, Integer ARow, TCellProperties* Props) {
    SetObjects(ACol, ARow, nullptr);
    delete Props;
}

TCellProperties* TBaseGrid::GetCellProperties(Integer ACol, Integer ARow) {
    if (TCellProperties* props = FindProperties(ACol, ARow)) return props;
    auto* props = new TCellProperties(this, ACol, ARow);
    owned_.insert(props);
    SetObjects(ACol, ARow, props);
    return props;
}

void TBaseGrid::SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Props) {
    TCellProperties* held = FindProperties(ACol, ARow);
    if (held == Props) return;
    if (held) {
        // Unless the new object takes the cell's place in its range, the range goes: else its other cells
        // would point at a base that no longer knows them.
        const bool keepsRange = Props && Props->IsBaseCell() == held->IsBaseCell() &&
                                Props->CellSpanX() == held->CellSpanX() && Props->CellSpanY() == held->CellSpanY();
        if (held->InRange() && !keepsRange) SplitCells(ACol, ARow);
        delete held;
    }
    if (Props) Adopt(Props);
    SetObjects(ACol, ARow, Props);
}

TPersistent* TBaseGrid::GetGraphicObject(Integer ACol, Integer ARow) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    return props ? props->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObject(Integer ACol, Integer ARow, TPersistent* Graphic) {
    GetCellProperties(ACol, ARow)->SetGraphicObject(Graphic);
    // A write that changes the text repaints the cell and refreshes an editor over it.
    if (Cells(ACol, ARow).empty()) {
        SetCells(ACol, ARow, " ");
        SetCells(ACol, ARow, AnsiString());
    }
}

void TBaseGrid::SplitRangesCut(Integer Col1, Integer Row1, Integer Col2, Integer Row2) {
    for (Integer r = Row1; r <= Row2; ++r)
        for (Integer c = Col1; c <= Col2; ++c) {
            const TCellProperties* props = FindProperties(c, r);
            if (!props || !props->InRange()) continue;
            const TPoint base = BaseCell(c, r);
            const TPoint span = GetCellSpan(c, r);
            if (base.X < Col1 || base.Y < Row1 || base.X + span.X > Col2 || base.Y + span.Y > Row2)
                SplitCells(base.X, base.Y);
        }
}

void TBaseGrid::FreeCellProperties(Integer Col1, Integer Row1, Integer Col2, Integer Row2) {
    Col1 = std::max(Col1, 0);
    Row1 = std::max(Row1, 0);
    Col2 = std::min(Col2, ColCount() - 1);
    Row2 = std::min(Row2, RowCount() - 1);
    SplitRangesCut(Col1, Row1, Col2, Row2);
    for (Integer r = Row1; r <= Row2; ++r)
        for (Integer c = Col1; c <= Col2; ++c)
            if (TCellProperties* props = FindProperties(c, r)) FreeProperties(c, r, props);
}

void TBaseGrid::ClearCellData(Integer ACol, Integer ARow) {
    SetObjects(ACol, ARow, nullptr);
    SetCells(ACol, ARow, AnsiString());
}

void TBaseGrid::ClearColumnCells(Integer ACol) {
    for (Integer r = 0; r < RowCount(); ++r) ClearCellData(ACol, r);
}

void TBaseGrid::ClearRowCells(Integer ARow) {
    for (Integer c = 0; c < ColCount(); ++c) ClearCellData(c, ARow);
}

// ---------------------------------------------------------------------------
// Merging

void TBaseGrid::MergeCells(Integer ACol, Integer ARow, Integer NumCols, Integer NumRows) {
    if (NumCols < 1 || NumRows < 1 || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    // A range never reaches past the grid, nor shares a cell with another.
    NumCols = std::min(NumCols, ColCount() - ACol);
    NumRows = std::min(NumRows, RowCount() - ARow);
    const Integer lastCol = ACol + NumCols - 1, lastRow = ARow + NumRows - 1;
    for (Integer r = ARow; r <= lastRow; ++r)
        for (Integer c = ACol; c <= lastCol; ++c) {
            const TCellProperties* props = FindProperties(c, r);
            if (props && props->InRange()) {
                const TPoint base = BaseCell(c, r);
                SplitCells(base.X, base.Y);
            }
        }
    for (Integer r = ARow; r <= lastRow; ++r)
        for (Integer c = ACol; c <= lastCol; ++c) {
            TCellProperties* props = GetCellProperties(c, r);
            const bool isBase = c == ACol && r == ARow;
            props->SetIsBaseCell(isBase);
            props->SetCellSpanX(isBase ? NumCols - 1 : c - ACol);
            props->SetCellSpanY(isBase ? NumRows - 1 : r - ARow);
        }
    for (Integer r = ARow; r <= lastRow; ++r)
        for (Integer c = ACol; c <= lastCol; ++c) InvalidateCellEx(c, r);
}

void TBaseGrid::SplitCells(Integer ACol, Integer ARow) {
    const TPoint base = BaseCell(ACol, ARow);
    const TCellProperties* baseProps = GetCellProperties(base.X, base.Y);
    const Integer lastCol = base.X + std::max(baseProps->CellSpanX(), 0);
    const Integer lastRow = base.Y + std::max(baseProps->CellSpanY(), 0);
    for (Integer r = base.Y; r <= lastRow; ++r)
        for (Integer c = base.X; c <= lastCol; ++c) {
            TCellProperties* props = GetCellProperties(c, r);
            props->SetIsBaseCell(true);
            props->SetCellSpanX(-1);
            props->SetCellSpanY(-1);
        }
    for (Integer r = base.Y; r <= lastRow; ++r)
        for (Integer c = base.X; c <= lastCol; ++c) InvalidateCellEx(c, r);
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) const {
    bool isBase;
    return BaseCell(ACol, ARow, isBase);
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow, bool& IsBase) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    IsBase = !props || props->IsBaseCell();
    return BaseOf(ACol, ARow, props);
}

TPoint TBaseGrid::BaseOf(Integer ACol, Integer ARow, const TCellProperties* Props) {
    if (Props && !Props->IsBaseCell() && Props->CellSpanX() != -1 && Props->CellSpanY() != -1)
        return Point(ACol - Props->CellSpanX(), ARow - Props->CellSpanY());
    return Point(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    return !props || props->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    return props && props->InRange();
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) const { return GetCellSpan(ACol, ARow).X > 0; }

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) const { return GetCellSpan(ACol, ARow).Y > 0; }

TPoint TBaseGrid::GetCellSpan(Integer ACol, Integer ARow) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    if (!props || (props->CellSpanX() == -1 && props->CellSpanY() == -1)) return Point(0, 0);
    const TCellProperties* base = BaseProperties(ACol, ARow);
    if (!base) return Point(0, 0);
    return Point(std::max(base->CellSpanX(), 0), std::max(base->CellSpanY(), 0));
}

bool TBaseGrid::RowsInSameMerge(Integer ARow1, Integer ARow2) const {
    bool found = false;
    for (Integer c = 0; c < ColCount(); ++c) {
        if (GetCellSpan(c, ARow1).Y <= 0 || GetCellSpan(c, ARow2).Y <= 0) continue;
        if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        found = true;
    }
    return found;
}

void TBaseGrid::SelectBaseCell() {
    if (!FindProperties(Col(), Row())) return;
    const TPoint base = BaseCell(Col(), Row());
    if (base.X != Col() || base.Y != Row()) FocusCell(base.X, base.Y, true);
}

void TBaseGrid::ClipRanges(Integer OldColCount, Integer OldRowCount) {
    const Integer cols = ColCount(), rows = RowCount();
    // Properties left beyond the counts cannot be reached again.
    std::vector<TCellProperties*> beyond;
    for (TCellProperties* props : owned_) {
        const Integer c = props->OwnerCol(), r = props->OwnerRow();
        if ((c >= cols || r >= rows) && c >= 0 && r >= 0 && Objects(c, r) == props) beyond.push_back(props);
    }
    for (TCellProperties* props : beyond) FreeProperties(props->OwnerCol(), props->OwnerRow(), props);
    // A range that crosses the new last column (row) ends there.
    if (cols < OldColCount)
        for (Integer r = 0; r < std::min(rows, OldRowCount); ++r) {
            if (!IsMergedCell(cols - 1, r)) continue;
            const TPoint base = BaseCell(cols - 1, r);
            TCellProperties* props = FindProperties(base.X, base.Y);
            if (props && base.X + props->CellSpanX() >= cols) props->SetCellSpanX(cols - 1 - base.X);
        }
    if (rows < OldRowCount)
        for (Integer c = 0; c < cols; ++c) {
            if (!IsMergedCell(c, rows - 1)) continue;
            const TPoint base = BaseCell(c, rows - 1);
            TCellProperties* props = FindProperties(base.X, base.Y);
            if (props && base.Y + props->CellSpanY() >= rows) props->SetCellSpanY(rows - 1 - base.Y);
        }
}

void TBaseGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    if (ColCount() < OldColCount || RowCount() < OldRowCount) ClipRanges(OldColCount, OldRowCount);
    logicalRowCount_ = RowCount();
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
}

void TBaseGrid::LinesChanged(const TGridLineChange& Change) {
    TStringGrid::LinesChanged(Change);
    if (!Change.Columns) logicalRowCount_ = RowCount();
}

// ---------------------------------------------------------------------------
// Geometry

Integer TBaseGrid::FixedColsWidth() const { return static_cast<Integer>(ColWidthsSum(0, FixedCols())); }

Integer TBaseGrid::FixedRowsHeight() const { return static_cast<Integer>(RowHeightsSum(0, FixedRows())); }

void TBaseGrid::CalcCellRect(Integer ACol, Integer ARow, TRect& Rect) const {
    std::int64_t left = ColWidthsSum(0, ACol), top = RowHeightsSum(0, ARow);
    if (ACol >= FixedCols()) left += FixedColsWidth() - ColWidthsSum(0, LeftCol());
    if (ARow >= FixedRows()) top += FixedRowsHeight() - RowHeightsSum(0, TopRow());
    Rect.Left = static_cast<Integer>(left);
    Rect.Top = static_cast<Integer>(top);
    Rect.Right = Rect.Left + ColWidths(ACol);
    Rect.Bottom = Rect.Top + RowHeights(ARow);
    Rect = MirroredInClient(Rect);
}

void TBaseGrid::CellRectEx(Integer ACol, Integer ARow, TRect& Rect) const {
    const TCellProperties* props = FindProperties(ACol, ARow);
    if (props && props->InRange()) {
        const TPoint base = BaseCell(ACol, ARow);
        const TPoint span = GetCellSpan(ACol, ARow);
        TRect last;
        CalcCellRect(base.X, base.Y, Rect);
        CalcCellRect(base.X + span.X, base.Y + span.Y, last);
        // Right to left the range's last column lies at its left.
        Rect = ::Rect(std::min(Rect.Left, last.Left), Rect.Top, std::max(Rect.Right, last.Right), last.Bottom);
        return;
    }
    if (props && props->Control()) return CalcCellRect(ACol, ARow, Rect);
    // A cell cut at the client's far edge keeps its whole width, past that edge.
    const TRect shown = CellRect(ACol, ARow);
    const Integer width = ColWidths(ACol), height = RowHeights(ARow);
    if (UseRightToLeftAlignment()) Rect = ::Rect(shown.Right - width, shown.Top, shown.Right, shown.Top + height);
    else Rect = ::Rect(shown.Left, shown.Top, shown.Left + width, shown.Top + height);
}

TPoint TBaseGrid::CellSizeEx(Integer ACol, Integer ARow) const {
    TRect r;
    CellRectEx(ACol, ARow, r);
    return Point(r.Right - r.Left, r.Bottom - r.Top);
}

void TBaseGrid::InvalidateCellEx(Integer ACol, Integer ARow) {
    if (!HandleAllocated()) return;
    TRect r;
    CellRectEx(ACol, ARow, r);
    ::InvalidateRect(Handle(), &r, TRUE);
}

// ---------------------------------------------------------------------------
// Text

// Sorting reads cells by the million: a cell outside any range costs one look-up.
void TBaseGrid::ReadCell(Integer ACol, Integer ARow, AnsiString& Text) {
    TObject* object = nullptr;
    const AnsiString& stored = CellAndObject(ACol, ARow, object);
    const TPoint base = object ? BaseOf(ACol, ARow, dynamic_cast<const TCellProperties*>(object)) : Point(ACol, ARow);
    Text = base.X == ACol && base.Y == ARow ? stored : Cells(base.X, base.Y);
    if (base.Y < logicalRowCount_) GetDisplText(ACol, ARow, Text);
}

void TBaseGrid::WriteCell(Integer ACol, Integer ARow, const AnsiString& Text) {
    const TPoint base = BaseCell(ACol, ARow);
    SetCells(base.X, base.Y, Text);
    if (FindProperties(ACol, ARow) && Parent()) InvalidateCellEx(ACol, ARow);
    if (floatingFooter_ && ARow == RowCount() - 1) UpdateFooter();
}

void TBaseGrid::GetDisplText(Integer ACol, Integer ARow, AnsiString& Value) {
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::UpdateFooter() {}

}  // namespace BaseGrid
