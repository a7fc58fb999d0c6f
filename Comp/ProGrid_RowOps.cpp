// Row operations: removing, inserting and exchanging rows, with the hidden rows, the row selection flags
// and the merged ranges kept consistent.
#include <algorithm>
#include <numeric>

#include "ProGrid.h"
#include "ProGrid_RowOpsChange.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

std::vector<Integer> RAdeRedeviDidi::RowRange(Integer ARow, Integer ACount) {
    std::vector<Integer> rows(static_cast<std::size_t>(std::max(ACount, 0)));
    std::iota(rows.begin(), rows.end(), ARow);
    return rows;
}

// ---------------------------------------------------------------------------
// Removal

void RAdeRedeviDidi::RemoveRows(Integer ARow, Integer ACount) {
    if (ARow < 0 || ARow >= RowCount() || ACount <= 0) return;
    ACount = std::min(ACount, RowCount() - ARow);
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    if (ACount == RowCount()) {
        // A grid keeps one row: the first is emptied instead.
        KeepEmptyRow(0);
        if (--ACount == 0) return;
        ++ARow;
    }
    {
        TWholeRowChange change(*this);
        FreeCellProperties(0, ARow, ColCount() - 1, ARow + ACount - 1);
    }
    RemoveRowsInternal(ARow, ACount, true);
}

void RAdeRedeviDidi::ShiftRemoveRows(Integer ARow, Integer ACount) { RemoveRows(ARow, ACount); }

// The footer is kept through the removal as by RemoveRows; the heights go with their rows.
void RAdeRedeviDidi::RemoveRowsEx(Integer ARow, Integer ACount) { RemoveRows(ARow, ACount); }

void RAdeRedeviDidi::RemoveSelectedRows() {
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    if (!MouseActions()->DisjunctRowSelect()) SelectToRowSelect(true);
    std::vector<Integer> rows;
    for (Integer r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
        if (RowSelect(RowFlagIndex(r))) rows.push_back(r);
    if (!rows.empty() && static_cast<Integer>(rows.size()) == RowCount()) {
        KeepEmptyRow(rows.front());
        rows.erase(rows.begin());
    }
    if (rows.empty()) return;
    const Integer keptTop = TopRow(), keptRow = Row();
    {
        TWholeRowChange change(*this);
        for (Integer row : rows) FreeCellProperties(0, row, ColCount() - 1, row);
        const std::vector<Integer> flags = MouseActions()->RowSelectPersistent() ? RealRowIndices(rows) : rows;
        HiddenRowsRemovedAt(rows);
        TakeGridRows(rows);
        RowFlagsRemoved(flags);
        RestoreCurrentRow(keptRow, keptTop);
    }
    // Reported as removing them one by one reports them: each where it stood once those before it went.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Integer at = rows[i] - static_cast<Integer>(i);
        CellsChanged(Rect(0, at, ColCount() - 1, at + 1));
    }
    if (RowCount() - 1 <= TopRow()) SetTopRow(RowCount() - 1);
}

void RAdeRedeviDidi::KeepEmptyRow(Integer ARow) {
    ClearRows(ARow, 1);
    const auto flag = static_cast<std::size_t>(RowFlagIndex(ARow));
    if (flag < rowSelect_.size()) rowSelect_[flag] = false;
}

Integer RAdeRedeviDidi::RowFlagIndex(Integer ARow) const {
    return MouseActions()->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
}

void RAdeRedeviDidi::RestoreCurrentRow(Integer KeptRow, Integer KeptTop) {
    const Integer lastRow = RowCount() - FixedFooters();
    if (lastRow <= KeptRow) {
        if (lastRow > FixedRows()) SetRow(lastRow - 1);
        else HideSelection();
    } else {
        if (Row() != KeptRow) SetRow(KeptRow);
        if (TopRow() != KeptTop) SetTopRow(KeptTop);
    }
}

std::vector<Integer> RAdeRedeviDidi::RemovedRowFlags(Integer ARow, Integer ACount, bool RealRows) const {
    if (rowSelect_.empty()) return {};
    // Persistent flags belong to real rows: a row only hidden keeps its flag and its real index.
    if (!MouseActions()->RowSelectPersistent()) return RowRange(ARow, ACount);
    return RealRows ? RealRowIndices(RowRange(ARow, ACount)) : std::vector<Integer>{};
}

void RAdeRedeviDidi::RowFlagsRemoved(std::span<const Integer> Flags) {
    if (Flags.empty() || rowSelect_.empty()) return;
    std::size_t kept = static_cast<std::size_t>(Flags.front());
    auto next = Flags.begin();
    for (std::size_t at = kept; at < rowSelect_.size(); ++at) {
        while (next != Flags.end() && static_cast<std::size_t>(*next) < at) ++next;
        if (next != Flags.end() && static_cast<std::size_t>(*next) == at) continue;
        rowSelect_[kept++] = rowSelect_[at];
    }
    rowSelect_.resize(std::min(kept, rowSelect_.size()));
}

void RAdeRedeviDidi::HiddenRowsRemovedAt(std::span<const Integer> Rows) {
    const Integer count = HiddenRowCount();
    if (count == 0 || Rows.empty()) return;
    std::vector<Integer> moved(static_cast<std::size_t>(count));
    for (Integer i = 0; i < count; ++i) {
        const Integer idx = hiddenRows_->Items(i)->Idx();
        const auto before = std::lower_bound(Rows.begin(), Rows.end(), DisplayRowIndex(idx)) - Rows.begin();
        moved[static_cast<std::size_t>(i)] = idx - static_cast<Integer>(before);
    }
    hiddenRows_->BeginUpdate();
    const TScopeExit endUpdate([this] { hiddenRows_->EndUpdate(); });
    for (Integer i = 0; i < count; ++i) hiddenRows_->Items(i)->SetIdx(moved[static_cast<std::size_t>(i)]);
}

// ---------------------------------------------------------------------------
// Insertion

void RAdeRedeviDidi::InsertRows(Integer ARow, Integer ACount) {
    if (ARow < 0 || ARow > RowCount() || ACount <= 0) return;
    SplitRangesAtRow(ARow);
    // The hidden rows behind the new ones keep their places among the rows around them.
    const Integer real = RealRowIndex(ARow);
    if (HiddenRowCount() > 0) {
        hiddenRows_->BeginUpdate();
        const TScopeExit endUpdate([this] { hiddenRows_->EndUpdate(); });
        for (Integer i = 0; i < HiddenRowCount(); ++i)
            if (TGridItem* item = hiddenRows_->Items(i); item->Idx() >= real) item->SetIdx(item->Idx() + ACount);
    }
    if (MouseActions()->RowSelectPersistent()) RowFlagsInserted(RowRange(real, ACount));
    InsertRowsInternal(ARow, ACount);
}

void RAdeRedeviDidi::AddRow() {
    if (FloatingFooter()->Visible()) InsertRows(RowCount() - 1, 1);
    else InsertRows(RowCount(), 1);
}

void RAdeRedeviDidi::RowFlagsInserted(std::span<const Integer> Places) {
    if (Places.empty() || rowSelect_.empty() || static_cast<std::size_t>(Places.front()) >= rowSelect_.size()) return;
    std::vector<bool> flags(rowSelect_.size() + Places.size());
    std::size_t from = 0;
    auto next = Places.begin();
    for (std::size_t at = 0; at < flags.size(); ++at) {
        if (next != Places.end() && static_cast<std::size_t>(*next) == at) {
            ++next;
            continue;
        }
        if (from < rowSelect_.size()) flags[at] = rowSelect_[from++];
    }
    rowSelect_.swap(flags);
}

void RAdeRedeviDidi::SplitRangesAtRow(Integer ARow) {
    if (ARow <= 0 || ARow >= RowCount()) return;
    for (Integer c = 0; c < ColCount(); ++c) {
        if (GetCellSpan(c, ARow).Y <= 0) continue;
        if (const TPoint base = BaseCell(c, ARow); base.Y < ARow) SplitCells(base.X, base.Y);
    }
}

// ---------------------------------------------------------------------------
// Exchange

void RAdeRedeviDidi::ExchangeRows(Integer ARow1, Integer ARow2) {
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) return;
    ProObj::TIntList* order = RowOrderList();
    if (ARow1 < order->Count() && ARow2 < order->Count()) {
        const Integer first = order->Items(ARow1);
        order->SetItems(ARow1, order->Items(ARow2));
        order->SetItems(ARow2, first);
    }
    if (ARow1 == ARow2) return;
    if (SortSettings()->SingleColumn()) {
        const Integer col = SortSettings()->Column();
        if (col < 0 || col >= ColCount()) return;
        SplitRangesCut(col, ARow1, col, ARow1);
        SplitRangesCut(col, ARow2, col, ARow2);
        const AnsiString text = Cells(col, ARow1);
        TObject* object = Objects(col, ARow1);
        SetObjects(col, ARow1, Objects(col, ARow2));
        SetCells(col, ARow1, Cells(col, ARow2));
        SetObjects(col, ARow2, object);
        SetCells(col, ARow2, text);
        return;
    }
    {
        TWholeRowChange change(*this);
        SplitRangesCut(0, ARow1, ColCount() - 1, ARow1);
        SplitRangesCut(0, ARow2, ColCount() - 1, ARow2);
        ExchangeGridRows(ARow1, ARow2);
    }
    if (MouseActions()->DisjunctRowSelect() && Navigation()->MoveRowOnSort()) {
        const auto flag1 = static_cast<std::size_t>(RowFlagIndex(ARow1));
        const auto flag2 = static_cast<std::size_t>(RowFlagIndex(ARow2));
        const std::size_t needed = std::max(flag1, flag2) + 1;
        if (rowSelect_.size() < needed) rowSelect_.resize(needed);
        std::vector<bool>::swap(rowSelect_[flag1], rowSelect_[flag2]);
    }
}

}  // namespace ProGrid
