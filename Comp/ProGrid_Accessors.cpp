// The grid's property accessors and its view operations: scrolling a cell into view, hiding and
// restoring the selection, and the cell and column queries that go with them.
#include "ProGrid.h"

namespace ProGrid {

using namespace BaseGrid;

// ---------------------------------------------------------------------------
// Stored values that repaint

void RAdeRedeviDidi::SetURLColor(TColor Value) {
    urlColor_ = Value;
    if (urlShow_) Invalidate();
}

void RAdeRedeviDidi::SetURLShow(bool Value) {
    urlShow_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetURLFull(bool Value) {
    urlFull_ = Value;
    if (urlShow_) Invalidate();
}

void RAdeRedeviDidi::SetLook(TGridLook Value) {
    if (Value == look_) return;
    look_ = Value;
    Invalidate();
    if (!ComponentState().Contains(csLoading) && footerPanel_) footerPanel_->Invalidate();
}

void RAdeRedeviDidi::SetFixedFooters(Integer Value) {
    fixedFooters_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetFixedRightCols(Integer Value) {
    fixedRightCols_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    // The grid's own in-place editor takes the setting here once it exists.
    if (UpdateCount() == 0) Invalidate();
}

void RAdeRedeviDidi::SetSelectionColor(TColor Value) {
    selectionColor_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetSelectionTextColor(TColor Value) {
    selectionTextColor_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetSelectionRectangle(bool Value) {
    selectionRectangle_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetSelectionResizer(bool Value) {
    selectionResizer_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetMaxEditLength(Integer Value) {
    maxEditLength_ = Value;
    if (TInplaceEdit* editor = InplaceEditor()) editor->SetMaxLength(Value);
}

void RAdeRedeviDidi::SetShowSelection(bool Value) {
    if (Value == showSelection_) return;
    showSelection_ = Value;
    Invalidate();
}

void RAdeRedeviDidi::SetVAlignment(TVAlignment Value) {
    vAlignment_ = Value;
    vAlignmentFlag_ = Value == vtaTop ? DT_TOP : Value == vtaBottom ? DT_BOTTOM : DT_VCENTER;
    if (UpdateCount() == 0) Invalidate();
}

void RAdeRedeviDidi::SetAutoSize(bool Value) {
    autoSize_ = Value;
    if (Value) AutoSizeColumns(false, 10);
}

void RAdeRedeviDidi::SetFlat(bool Value) {
    flat_ = Value;
    if (!ComponentState().Contains(csLoading)) Invalidate();
}

// ---------------------------------------------------------------------------
// Counts and sizes

void RAdeRedeviDidi::SetDefaultRowHeight(Integer Value) {
    TBaseGrid::SetDefaultRowHeight(Value);
    if (ComponentState().Contains(csDesigning)) fixedRowHeight_ = Value;
    footerHeight_ = Value;
    if (floatingFooter_->Visible() && footerPanel_) footerPanel_->SetHeight(Value);
}

void RAdeRedeviDidi::SetRowCount(Integer Value) {
    // Only the fixed row left: the selection hidden then comes back first.
    if (RowCount() == FixedRows() && FixedRowAlways()) UnHideSelection();
    // The base grid takes the new count as its logical row count too.
    TBaseGrid::SetRowCount(Value);
    if (Value > requestedFixedRows_ && FixedRowAlways()) SetFixedRows(requestedFixedRows_);
    if (footerPanel_) footerPanel_->Invalidate();
    // The flat and proportional scroll bars follow the new count here once the grid has them.
}

void RAdeRedeviDidi::SetColCount(Integer Value) {
    TBaseGrid::SetColCount(Value);
    if (Value >= 2 && FixedColAlways()) SetFixedCols(1);
    if (footerPanel_) footerPanel_->Invalidate();
    // The integral height follows the new scroll bar.
    SetBounds(Left(), Top(), Width(), Height());
    // The flat and proportional scroll bars follow here too once the grid has them.
}

Integer RAdeRedeviDidi::FixedRows() const {
    const Integer rows = TBaseGrid::FixedRows();
    return rows == 0 && FixedRowAlways() ? 1 : rows;
}

void RAdeRedeviDidi::SetFixedRows(Integer Value) {
    TBaseGrid::SetFixedRows(Value);
    if (!ComponentState().Contains(csLoading)) requestedFixedRows_ = Value;
}

Integer RAdeRedeviDidi::FixedCols() const {
    const Integer cols = TBaseGrid::FixedCols();
    return cols == 0 && FixedColAlways() ? 1 : cols;
}

void RAdeRedeviDidi::SetFixedCols(Integer Value) { TBaseGrid::SetFixedCols(Value); }

void RAdeRedeviDidi::SetFixedColWidth(Integer Value) {
    if (!ComponentState().Contains(csDesigning) || Value == DefaultColWidth()) return;
    for (Integer c = 0; c < TBaseGrid::FixedCols(); ++c) SetColWidths(c, Value);
}

void RAdeRedeviDidi::SetFixedRowHeight(Integer Value) {
    fixedRowHeight_ = Value;
    if (!ComponentState().Contains(csDesigning)) return;
    if (Value != DefaultRowHeight()) {
        for (Integer r = 0; r < TBaseGrid::FixedRows(); ++r) SetRowHeights(r, Value);
    } else {
        SetDefaultRowHeight(Value);
    }
}

// ---------------------------------------------------------------------------
// View operations

void RAdeRedeviDidi::ScrollInView(Integer ACol, Integer ARow) {
    if (ACol >= ColCount() || ARow >= RowCount()) return;
    const Integer visibleCols = VisibleColCount(), visibleRows = VisibleRowCount();
    Integer left = LeftCol(), top = TopRow();
    if (ACol < LeftCol() || ACol > LeftCol() + visibleCols - 1) {
        SetCol(ACol);
        left = std::max(ACol - visibleCols / 2, FixedCols());
    }
    if (ARow < TopRow() || ARow > TopRow() + visibleRows - 1) {
        SetRow(ARow);
        top = std::max(ARow - visibleRows / 2, FixedRows());
    }
    left = std::min(left, ColCount() - visibleCols + FixedCols());
    top = std::min(top, RowCount() - visibleRows + FixedRows());
    SetLeftCol(left);
    SetTopRow(top);
}

void RAdeRedeviDidi::HideSelection() {
    savedSelection_ = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
    selectionHidden_ = true;
}

void RAdeRedeviDidi::UnHideSelection() {
    selectionHidden_ = false;
    if (RowCount() > savedSelection_.Bottom && ColCount() > savedSelection_.Right) {
        SetSelection(savedSelection_);
        return;
    }
    const Integer col = FixedColAlways() && FixedCols() == ColCount() ? 0 : FixedCols();
    const Integer row = FixedRowAlways() && FixedRows() == RowCount() ? 0 : FixedRows();
    SetSelection(TGridRect{col, row, col, row});
}

bool RAdeRedeviDidi::IsRotated(Integer ACol, Integer ARow, Integer& Angle) const {
    const auto* graphic = dynamic_cast<const TCellGraphic*>(GetGraphicObject(ACol, ARow));
    if (!graphic || graphic->CellType != ctRotated) return false;
    Angle = graphic->CellAngle;
    return true;
}

bool RAdeRedeviDidi::IsHiddenColumn(Integer ACol) const { return ACol < MaxVisibleFlagColumn && !ColumnVisible(ACol); }

}  // namespace ProGrid
