// Column operations, clearing blocks of cells, and merging equal neighbours down chosen columns.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_RowOpsChange.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

// ---------------------------------------------------------------------------
// Columns

void RAdeRedeviDidi::RemoveCols(Integer ACol, Integer ACount) {
    if (ACol < 0 || ACol >= ColCount()) return;
    // The grid keeps one column at least.
    ACount = std::min({ACount, ColCount() - ACol, ColCount() - 1});
    if (ACount <= 0) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    ClearCols(ACol, ACount);
    const TGridLineChange change{.Columns = true, .Kind = lcDelete, .Index = ACol, .Count = ACount};
    HiddenRowsColumnsChanged(change);
    ColumnFlagsChanged(change);
    DeleteGridCols(ACol, ACount);
    CellsChanged(Rect(ACol, 0, ACol + ACount, RowCount() - 1));
}

void RAdeRedeviDidi::InsertCols(Integer ACol, Integer ACount) {
    if (ACol < 0 || ACol > ColCount() || ACount <= 0) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    SplitRangesAtCol(ACol);
    const TGridLineChange change{.Columns = true, .Kind = lcInsert, .Index = ACol, .Count = ACount};
    HiddenRowsColumnsChanged(change);
    ColumnFlagsChanged(change);
    InsertGridCols(ACol, ACount);
}

void RAdeRedeviDidi::SplitRangesAtCol(Integer ACol) {
    if (ACol <= 0 || ACol >= ColCount()) return;
    for (Integer r = 0; r < RowCount(); ++r) {
        if (GetCellSpan(ACol, r).X <= 0) continue;
        if (const TPoint base = BaseCell(ACol, r); base.X < ACol) SplitCells(base.X, base.Y);
    }
}

void RAdeRedeviDidi::HiddenRowsColumnsChanged(const TGridLineChange& Change) {
    const auto at = static_cast<std::size_t>(Change.Index);
    const auto count = static_cast<std::size_t>(Change.Count);
    for (Integer i = 0; i < HiddenRowCount(); ++i) {
        TGridItem* item = hiddenRows_->Items(i);
        TStringList* cells = item->Items();
        if (Change.Kind == lcDelete) {
            for (std::size_t c = std::min(at + count, static_cast<std::size_t>(cells->Count())); c-- > at;) {
                delete dynamic_cast<TCellProperties*>(cells->Objects(static_cast<Integer>(c)));
                cells->Delete(static_cast<Integer>(c));
            }
            item->columns_ = std::max(item->columns_ - Change.Count, 0);
        } else if (Change.Kind == lcInsert) {
            for (std::size_t c = 0; c < count && at <= static_cast<std::size_t>(cells->Count()); ++c)
                cells->Insert(Change.Index, AnsiString());
            item->columns_ += Change.Count;
        }
    }
}

void RAdeRedeviDidi::ColumnFlagsChanged(const TGridLineChange& Change) {
    const Integer count = Change.Count;
    const Integer last = MaxVisibleFlagColumn;
    // Columns without an entry of their own read visible.
    auto visibleAt = [this, last](Integer ACol) {
        return ACol > last || columnVisible_[static_cast<std::size_t>(ACol)];
    };
    if (Change.Kind == lcDelete) {
        for (Integer c = Change.Index; c <= last; ++c)
            columnVisible_[static_cast<std::size_t>(c)] = visibleAt(c + count);
    } else if (Change.Kind == lcInsert) {
        for (Integer c = last; c >= Change.Index + count; --c)
            columnVisible_[static_cast<std::size_t>(c)] = visibleAt(c - count);
        for (Integer c = Change.Index; c < std::min(Change.Index + count, last + 1); ++c)
            columnVisible_[static_cast<std::size_t>(c)] = true;
    }
    hiddenColCount_ = static_cast<Integer>(std::count(columnVisible_.begin(), columnVisible_.end(), false));

    const auto at = static_cast<std::size_t>(Change.Index);
    if (at >= colSelect_.size()) return;
    const auto size = static_cast<std::size_t>(count);
    if (Change.Kind == lcDelete) {
        colSelect_.erase(colSelect_.begin() + static_cast<std::ptrdiff_t>(at),
                         colSelect_.begin() + static_cast<std::ptrdiff_t>(std::min(at + size, colSelect_.size())));
    } else if (Change.Kind == lcInsert) {
        colSelect_.insert(colSelect_.begin() + static_cast<std::ptrdiff_t>(at), size, false);
    }
}

// ---------------------------------------------------------------------------
// Clearing

void RAdeRedeviDidi::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
    ACol1 = std::max(ACol1, 0);
    ARow1 = std::max(ARow1, 0);
    ACol2 = std::min(ACol2, AllColCount() - 1);
    ARow2 = std::min(ARow2, RowCount() - 1);
    if (ACol1 > ACol2 || ARow1 > ARow2) return;
    const bool destroying = ComponentState().Contains(csDestroying);
    {
        TWholeRowChange change(*this);
        for (Integer r = ARow1; r <= ARow2; ++r)
            for (Integer c = ACol1; c <= ACol2; ++c)
                if (TControl* control = CellControl(c, r)) {
                    control->SetVisible(false);
                    releasedControls_.Controls.emplace_back(control);
                }
        FreeCellProperties(ACol1, ARow1, ACol2, ARow2);
        if (!destroying)
            for (Integer r = ARow1; r <= ARow2; ++r)
                for (Integer c = ACol1; c <= ACol2; ++c)
                    if (!Cells(c, r).empty()) SetCells(c, r, AnsiString());
    }
    // A control may be clearing its own cell from its event: it goes once that has returned.
    if (!releasedControls_.Controls.empty()) {
        if (HandleAllocated() && !destroying) PostMessage(Handle(), WM_FREECELLCONTROLS, 0, 0);
        else FreeReleasedControls();
    }
    if (!destroying) CellsChanged(Rect(ACol1, ARow1, ACol2, ARow2));
}

void RAdeRedeviDidi::ClearRows(Integer ARow, Integer ACount) {
    if (RowCount() >= 1 && ColCount() >= 1 && ACount >= 1) ClearRect(0, ARow, AllColCount() - 1, ARow + ACount - 1);
}

void RAdeRedeviDidi::ClearCols(Integer ACol, Integer ACount) {
    if (RowCount() >= 1 && ColCount() >= 1 && ACount >= 1) ClearRect(ACol, 0, ACol + ACount - 1, RowCount() - 1);
}

void RAdeRedeviDidi::ClearAll() {
    if (RowCount() > 0 && ColCount() > 0) ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
}

void RAdeRedeviDidi::FreeReleasedControls() { releasedControls_.Free(); }

void RAdeRedeviDidi::TReleasedControls::Free() {
    std::vector<TComponentRef<TControl>> controls;
    controls.swap(Controls);
    for (TControl* control : controls)
        if (control) control->Free();
}

// ---------------------------------------------------------------------------
// Merging equal neighbours

void RAdeRedeviDidi::SplitColumnCells(Integer ACol) {
    if (ACol < 0 || ACol >= ColCount()) return;
    for (Integer r = 0; r < RowCount() - FixedFooters();) {
        if (!IsMergedCell(ACol, r)) {
            ++r;
            continue;
        }
        const TPoint base = BaseCell(ACol, r);
        const TPoint span = GetCellSpan(ACol, r);
        SplitCells(base.X, base.Y);
        r = std::max(r + 1, base.Y + span.Y + 1);
    }
}

void RAdeRedeviDidi::MergeColumnCells(Integer ACol, bool MainColumn) {
    if (ACol < 0 || ACol >= ColCount()) return;
    const Integer last = RowCount() - 1 - FixedFooters();
    auto mergeRun = [this, ACol](Integer First, Integer Last) {
        if (Last > First) MergeCells(ACol, First, 1, Last - First + 1);
    };
    Integer start = FixedRows();
    for (Integer r = start + 1; r <= last; ++r) {
        if (Cells(ACol, r) == Cells(ACol, r - 1) && (MainColumn || RowsInSameMerge(r - 1, r))) continue;
        mergeRun(start, r - 1);
        start = r;
    }
    mergeRun(start, last);
}

void RAdeRedeviDidi::SplitAllCells() {
    for (Integer c = 0; c < ColCount(); ++c) SplitColumnCells(c);
}

void RAdeRedeviDidi::MergeListedColumns() {
    for (Integer i = 0; i < mergeColumnList_->Count(); ++i) MergeColumnCells(mergeColumnList_->Items(i), i == 0);
}

void RAdeRedeviDidi::AutoMergeColumns() {
    SplitAllCells();
    MergeListedColumns();
}

}  // namespace ProGrid
