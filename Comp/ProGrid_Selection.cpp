// The grid's row and column selection flags: one bit per real row and per column, grown on demand.
#include <algorithm>

#include "ProGrid.h"

namespace ProGrid {

namespace {

bool FlagAt(const std::vector<bool>& Flags, Integer Index) {
    return static_cast<std::size_t>(Index) < Flags.size() && Flags[static_cast<std::size_t>(Index)];
}

// True when the flag changed.
bool StoreFlag(std::vector<bool>& Flags, Integer Index, bool Value) {
    const auto at = static_cast<std::size_t>(Index);
    if (FlagAt(Flags, Index) == Value) return false;
    if (at >= Flags.size()) Flags.resize(at + 1);
    Flags[at] = Value;
    return true;
}

}  // namespace

void RAdeRedeviDidi::CheckSelectRow(Integer ARow) const {
    if (ARow < 0 || ARow >= RowCount() + HiddenRowCount()) throw EProGridError("Invalid row accessed");
}

void RAdeRedeviDidi::CheckSelectCol(Integer ACol) const {
    if (ACol < 0 || ACol >= ColCount()) throw EProGridError("Invalid column accessed");
}

bool RAdeRedeviDidi::RowSelect(Integer ARow) const {
    CheckSelectRow(ARow);
    return FlagAt(rowSelect_, ARow);
}

void RAdeRedeviDidi::SetRowSelect(Integer ARow, bool Value) {
    CheckSelectRow(ARow);
    if (StoreFlag(rowSelect_, ARow, Value)) RepaintRow(ARow);
}

bool RAdeRedeviDidi::ColSelect(Integer ACol) const {
    CheckSelectCol(ACol);
    return FlagAt(colSelect_, ACol);
}

void RAdeRedeviDidi::SetColSelect(Integer ACol, bool Value) {
    CheckSelectCol(ACol);
    if (StoreFlag(colSelect_, ACol, Value)) RepaintCol(ACol);
}

void RAdeRedeviDidi::ClearRowSelect() {
    for (std::size_t row = 0; row < rowSelect_.size(); ++row) {
        if (!rowSelect_[row]) continue;
        rowSelect_[row] = false;
        RepaintRow(DisplayRowIndex(static_cast<Integer>(row)));
    }
}

void RAdeRedeviDidi::ClearColSelect() {
    for (std::size_t col = 0; col < colSelect_.size(); ++col) {
        if (!colSelect_[col]) continue;
        colSelect_[col] = false;
        if (static_cast<Integer>(col) < ColCount()) RepaintCol(static_cast<Integer>(col));
    }
}

void RAdeRedeviDidi::SelectToRowSelect(bool AllRows) {
    const TGridRect selection = Selection();
    const Integer first = AllRows ? FixedRows() : std::max(FixedRows(), selection.Top);
    const Integer last = AllRows ? RowCount() - 1 : std::min(RowCount() - 1, selection.Bottom);
    for (Integer row = first; row <= last; ++row)
        SetRowSelect(RowFlagIndex(row), row >= selection.Top && row <= selection.Bottom);
}

void RAdeRedeviDidi::SelectToColSelect(bool AllCols) {
    const TGridRect selection = Selection();
    const Integer first = AllCols ? FixedCols() : std::max(FixedCols(), selection.Left);
    const Integer last = AllCols ? ColCount() - 1 : std::min(ColCount() - 1, selection.Right);
    for (Integer col = first; col <= last; ++col) SetColSelect(col, col >= selection.Left && col <= selection.Right);
}

}  // namespace ProGrid
