// Hidden rows: the hidden-row list and its items, and the mappings between real and display indices of
// rows and columns.
#include <algorithm>

#include "ProGrid.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

VCL_IMPLEMENT_CLASS(THiddenRowList, nullptr, nullptr)

// ---------------------------------------------------------------------------
// A hidden row

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItem::~TGridItem() = default;

void TGridItem::SetIdx(Integer Value) {
    idx_ = Value;
    Changed(false);
}

TStringList* TGridItem::Items() const {
    if (!items_) {
        items_ = std::make_unique<TStringList>();
        const Integer count = std::max(columns_, cells_.Count());
        for (Integer col = 0; col < count; ++col) items_->AddObject(cells_.TakeText(col), cells_.Object(col));
        cells_ = {};
    }
    return items_.get();
}

void TGridItem::SetItems(TStrings* Value) {
    cells_ = {};
    if (!items_) items_ = std::make_unique<TStringList>();
    items_->Assign(Value);
}

TGridRowCells TGridItem::TakeCells() {
    if (!items_) return std::move(cells_);
    TGridRowCells cells;
    for (Integer col = 0; col < items_->Count(); ++col) {
        cells.SetText(col, items_->Strings(col));
        cells.SetObject(col, items_->Objects(col));
    }
    items_->Clear();
    return cells;
}

// ---------------------------------------------------------------------------
// The hidden-row list

void THiddenRowList::Update(TCollectionItem*) { indicesValid_ = false; }

const std::vector<Integer>& THiddenRowList::Indices() const {
    if (!indicesValid_) {
        indices_.resize(static_cast<std::size_t>(Count()));
        for (Integer i = 0; i < Count(); ++i) indices_[static_cast<std::size_t>(i)] = Items(i)->Idx();
        // The grid keeps the items ascending; an application may have set an Idx out of order.
        if (!std::is_sorted(indices_.begin(), indices_.end())) std::sort(indices_.begin(), indices_.end());
        indicesValid_ = true;
    }
    return indices_;
}

Integer THiddenRowList::CountBelow(Integer ARealRow) const {
    const std::vector<Integer>& indices = Indices();
    return static_cast<Integer>(std::lower_bound(indices.begin(), indices.end(), ARealRow) - indices.begin());
}

std::vector<TGridItem*> THiddenRowList::Detach(Integer First) {
    std::vector<TGridItem*> tail;
    tail.reserve(static_cast<std::size_t>(std::max(Count() - First, 0)));
    while (Count() > First) {
        TGridItem* item = Items(Count() - 1);
        item->SetCollection(nullptr);
        tail.push_back(item);
    }
    std::reverse(tail.begin(), tail.end());
    return tail;
}

void THiddenRowList::Merge(std::vector<TGridItem*>&& Added) {
    if (Added.empty()) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    // Only the items after the first one added move; appending moves none.
    std::vector<TGridItem*> tail = Detach(CountBelow(Added.front()->Idx()));
    auto joinedFirst = [](const TGridItem* a, const TGridItem* b) { return a->Idx() < b->Idx(); };
    std::vector<TGridItem*> merged(tail.size() + Added.size());
    std::merge(tail.begin(), tail.end(), Added.begin(), Added.end(), merged.begin(), joinedFirst);
    Added.clear();
    for (TGridItem* item : merged) item->SetCollection(this);
}

void THiddenRowList::Remove(Integer First, Integer ACount) {
    if (ACount <= 0) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    std::vector<TGridItem*> tail = Detach(First + ACount);
    while (Count() > First) delete Items(Count() - 1);
    for (TGridItem* item : tail) item->SetCollection(this);
}

// ---------------------------------------------------------------------------
// Index mappings

Integer RAdeRedeviDidi::RealRowIndex(Integer ADisplayRow) const {
    if (ADisplayRow < 0) return -1;
    // The hidden rows at or before the real row are those whose Idx lies at most ADisplayRow rows past
    // the hidden rows before them: Idx[j] - j grows with j.
    const std::vector<Integer>& indices = hiddenRows_->Indices();
    std::size_t low = 0, high = indices.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (indices[mid] - static_cast<Integer>(mid) <= ADisplayRow) low = mid + 1;
        else high = mid;
    }
    return ADisplayRow + static_cast<Integer>(low);
}

Integer RAdeRedeviDidi::DisplayRowIndex(Integer ARealRow) const { return ARealRow - hiddenRows_->CountBelow(ARealRow); }

bool RAdeRedeviDidi::IsHiddenRow(Integer ARealRow) const {
    const std::vector<Integer>& indices = hiddenRows_->Indices();
    return std::binary_search(indices.begin(), indices.end(), ARealRow);
}

Integer RAdeRedeviDidi::RealColIndex(Integer ADisplayCol) const {
    if (ADisplayCol >= MaxVisibleFlagColumn || HiddenColCount() == 0) return ADisplayCol;
    Integer shown = 0;
    for (Integer col = 0; col < MaxVisibleFlagColumn; ++col) {
        if (!ColumnVisible(col)) continue;
        if (shown == ADisplayCol) return col;
        ++shown;
    }
    return 0;
}

Integer RAdeRedeviDidi::DisplayColIndex(Integer ARealCol) const {
    if (HiddenColCount() == 0) return ARealCol;
    Integer hidden = 0;
    for (Integer col = 0; col < std::min(ARealCol, MaxVisibleFlagColumn); ++col)
        if (!ColumnVisible(col)) ++hidden;
    return ARealCol - hidden;
}

}  // namespace ProGrid
