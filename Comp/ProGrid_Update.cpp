// The update lock, the report of changed cells and its notifiers, and the whole-row changes beneath row
// removal, insertion and hiding.
#include <algorithm>

#include "ProGrid.h"
#include "ProGrid_RowOpsChange.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

VCL_IMPLEMENT_CLASS(TGridChangeNotifier, nullptr, nullptr)

// ---------------------------------------------------------------------------
// Update lock

void RAdeRedeviDidi::BeginUpdate() {
    ++footerHold_;
    if (!HandleAllocated()) return;
    ++updateCount_;
    Perform(WM_SETREDRAW, FALSE, 0);
}

void RAdeRedeviDidi::EndUpdate() {
    if (footerHold_ > 0) --footerHold_;
    if (HandleAllocated()) {
        if (updateCount_ > 0) --updateCount_;
        if (updateCount_ == 0) {
            Perform(WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(Handle(), nullptr, FALSE);
            DrawFlatBorder();
        }
    }
    RecalcHeldFooters();
}

bool RAdeRedeviDidi::HoldsPaintMessage(TMessage& Message) {
    if (Message.Msg != WM_ERASEBKGND && !(Message.Msg == WM_PAINT && updateCount_ > 0)) return false;
    Message.Result = 0;
    return true;
}

// ---------------------------------------------------------------------------
// Changed cells

void RAdeRedeviDidi::CellsChanged(const TRect& R) {
    if (OnCellsChanged) OnCellsChanged(this, R);
    // A notifier may register or unregister others, or go, while it is told.
    const std::vector<TComponentRef<TGridChangeNotifier>> notifiers = notifiers_;
    for (TGridChangeNotifier* notifier : notifiers)
        if (notifier) notifier->CellsChanged(this, R);
    if (footerHold_ > 0) footerPending_ = true;
    else UpdateFooterAll();
}

void RAdeRedeviDidi::RegisterNotifier(TGridChangeNotifier* ANotifier) {
    std::erase_if(notifiers_, [](const TComponentRef<TGridChangeNotifier>& held) { return !held; });
    if (ANotifier && std::find(notifiers_.begin(), notifiers_.end(), ANotifier) == notifiers_.end())
        notifiers_.emplace_back(ANotifier);
}

void RAdeRedeviDidi::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
    std::erase_if(notifiers_,
                  [ANotifier](const TComponentRef<TGridChangeNotifier>& held) { return !held || held == ANotifier; });
}

// ---------------------------------------------------------------------------
// Whole-row changes

void RAdeRedeviDidi::RemoveRowsInternal(Integer ARow, Integer ACount, bool AdjustHidden) {
    TakeRowsOut(ARow, ACount, AdjustHidden, {});
}

void RAdeRedeviDidi::TakeRowsOut(Integer ARow, Integer ACount, bool AdjustHidden,
                                 const std::function<void(TGridTakenRows&&)>& Keep) {
    if (ARow < 0 || ARow >= RowCount()) return;
    ACount = std::min(ACount, RowCount() - ARow);
    if (ACount <= 0) return;
    // A visible floating footer is hidden for the removal, and shown again at its end, with the footer.
    {
        TWholeRowChange change(*this);
        const Integer keptTop = TopRow(), keptRow = Row();
        // Taken before the rows go, dropped once they went: a refused change leaves them.
        const std::vector<Integer> flags = RemovedRowFlags(ARow, ACount, AdjustHidden);
        if (Keep) {
            Keep(TakeGridRows(RowRange(ARow, ACount)));
        } else {
            DeleteGridRows(ARow, ACount);
        }
        RowFlagsRemoved(flags);
        if (AdjustHidden) HiddenRowsRemoved(ARow, ACount);
        RestoreCurrentRow(keptRow, keptTop);
    }
    CellsChanged(Rect(0, ARow, ColCount() - 1, ARow + ACount));
    if (RowCount() - 1 <= TopRow()) SetTopRow(RowCount() - 1);
}

void RAdeRedeviDidi::InsertRowsInternal(Integer ARow, Integer ACount) {
    if (ACount <= 0) return;
    {
        TWholeRowChange change(*this);
        InsertGridRows(ARow, ACount);
        if (!MouseActions()->RowSelectPersistent()) RowFlagsInserted(RowRange(ARow, ACount));
    }
    CellsChanged(Rect(0, ARow, ColCount() - 1, ARow + ACount));
}

TGridTakenRows RAdeRedeviDidi::TakeRowsAt(std::span<const Integer> Rows) {
    TWholeRowChange change(*this);
    return TakeGridRows(Rows);
}

void RAdeRedeviDidi::PutRowsBack(std::span<const Integer> Places, TGridTakenRows&& Rows) {
    TWholeRowChange change(*this);
    PutGridRows(Places, std::move(Rows));
    if (!MouseActions()->RowSelectPersistent()) RowFlagsInserted(Places);
}

void RAdeRedeviDidi::HiddenRowsRemoved(Integer ARow, Integer ACount) {
    const Integer count = HiddenRowCount();
    if (count == 0 || ACount <= 0) return;
    // Each hidden row moves up by the removed rows that stood before it: all of them for the rows behind
    // the removed ones, fewer for one that lay between them.
    std::vector<Integer> moved(static_cast<std::size_t>(count));
    for (Integer i = 0; i < count; ++i) {
        const Integer idx = hiddenRows_->Items(i)->Idx();
        moved[static_cast<std::size_t>(i)] = idx - std::clamp(DisplayRowIndex(idx) - ARow, 0, ACount);
    }
    hiddenRows_->BeginUpdate();
    const TScopeExit endUpdate([this] { hiddenRows_->EndUpdate(); });
    for (Integer i = 0; i < count; ++i) hiddenRows_->Items(i)->SetIdx(moved[static_cast<std::size_t>(i)]);
}

}  // namespace ProGrid
