// Hidden rows: the hidden-row list and its items, and the mappings between real and display indices of
// rows and columns.
#include <algorithm>
#include <limits>

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

void THiddenRowList::Update(TCollectionItem* Item) {
    indicesValid_ = false;
    if (Item) ordered_ = false;
}

void THiddenRowList::Order() {
    if (ordered_) return;
    ordered_ = true;
    auto before = [](const TGridItem* a, const TGridItem* b) { return a->Idx() < b->Idx(); };
    bool ascending = true;
    for (Integer i = 1; i < Count() && ascending; ++i) ascending = !before(Items(i), Items(i - 1));
    if (ascending) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    std::vector<TGridItem*> items = Detach(0);
    std::stable_sort(items.begin(), items.end(), before);
    for (TGridItem* item : items) item->SetCollection(this);
}

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

void THiddenRowList::Merge(std::vector<std::unique_ptr<TGridItem>>&& Added) {
    if (Added.empty()) return;
    Order();
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    // Only the items after the first one added move; appending moves none.
    std::vector<TGridItem*> tail = Detach(CountBelow(Added.front()->Idx()));
    auto next = tail.begin();
    for (std::unique_ptr<TGridItem>& item : Added) {
        for (; next != tail.end() && (*next)->Idx() < item->Idx(); ++next) (*next)->SetCollection(this);
        item.release()->SetCollection(this);
    }
    for (; next != tail.end(); ++next) (*next)->SetCollection(this);
    Added.clear();
}

void THiddenRowList::Remove(std::span<const Integer> Positions) {
    if (Positions.empty()) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    const Integer first = Positions.front();
    std::vector<TGridItem*> tail = Detach(first);
    auto next = Positions.begin();
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (next != Positions.end() && *next == first + static_cast<Integer>(i)) {
            ++next;
            delete tail[i];
        } else {
            tail[i]->SetCollection(this);
        }
    }
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

// ---------------------------------------------------------------------------
// Hiding and unhiding

namespace {

// Where restored rows go: each at its wanted display row, after the one before it, and never past the
// room the grid of Shown rows grown by them has (those follow the last row, in order).
std::vector<Integer> RestoredPlaces(std::span<const Integer> Wanted, Integer Shown) {
    std::vector<Integer> places(Wanted.size());
    Integer last = -1;
    for (std::size_t i = 0; i < Wanted.size(); ++i) {
        last = std::min(std::max(Wanted[i], last + 1), Shown + static_cast<Integer>(i));
        places[i] = last;
    }
    return places;
}

}  // namespace

std::vector<Integer> RAdeRedeviDidi::RealRowIndices(std::span<const Integer> DisplayRows) const {
    const std::vector<Integer>& indices = hiddenRows_->Indices();
    std::vector<Integer> reals(DisplayRows.size());
    std::size_t hidden = 0;
    for (std::size_t i = 0; i < DisplayRows.size(); ++i) {
        while (hidden < indices.size() && indices[hidden] - static_cast<Integer>(hidden) <= DisplayRows[i]) ++hidden;
        reals[i] = DisplayRows[i] + static_cast<Integer>(hidden);
    }
    return reals;
}

void RAdeRedeviDidi::KeepHidden(std::span<const Integer> RealRows, TGridTakenRows&& Taken, Integer Columns) {
    std::vector<TGridRowCells> cells = Taken.Cells.Release();
    std::vector<std::unique_ptr<TGridItem>> items;
    items.reserve(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        auto& item = items.emplace_back(std::make_unique<TGridItem>(nullptr));
        item->idx_ = RealRows[i];
        item->height_ = Taken.Heights[i];
        item->columns_ = Columns;
        item->cells_ = std::move(cells[i]);
    }
    hiddenRows_->Merge(std::move(items));
}

TGridTakenRows RAdeRedeviDidi::TakeHidden(std::span<const Integer> Positions) {
    TGridTakenRows taken;
    std::vector<Integer> wanted;
    wanted.reserve(Positions.size());
    taken.Heights.reserve(Positions.size());
    for (std::size_t i = 0; i < Positions.size(); ++i) {
        TGridItem* item = hiddenRows_->Items(Positions[i]);
        // The items before it that stay hidden stand above it.
        wanted.push_back(item->Idx() - (Positions[i] - static_cast<Integer>(i)));
        taken.Heights.push_back(std::max(item->Height(), 0));
        taken.Cells.Append(item->TakeCells());
    }
    taken.Rows = RestoredPlaces(wanted, RowCount());
    hiddenRows_->Remove(Positions);
    return taken;
}

void RAdeRedeviDidi::RestoreHidden(TGridTakenRows&& Rows) {
    const std::vector<Integer> places = Rows.Rows;
    PutRowsBack(places, std::move(Rows));
    CellsChanged(Rect(0, places.front(), ColCount() - 1, places.back()));
}

void RAdeRedeviDidi::UnhideRealRows(std::span<const Integer> RealRows) {
    hiddenRows_->Order();
    std::vector<Integer> positions;
    positions.reserve(RealRows.size());
    for (const Integer row : RealRows)
        if (IsHiddenRow(row)) positions.push_back(hiddenRows_->CountBelow(row));
    if (positions.empty()) return;
    RestoreHidden(TakeHidden(positions));
    // The cell controls are placed anew here once the in-cell controls stand.
}

void RAdeRedeviDidi::HideRows(Integer AFromRow, Integer AToRow) {
    AFromRow = std::max(AFromRow, 0);
    AToRow = std::min(AToRow, RealRowIndex(RowCount() - 1));
    if (AFromRow > AToRow || IsHiddenRow(AFromRow)) return;
    // The shown rows of the range stand together.
    const Integer first = DisplayRowIndex(AFromRow);
    const Integer count = DisplayRowIndex(AToRow + 1) - first;
    const std::vector<Integer> reals = RealRowIndices(RowRange(first, count));
    TControl* control = CellControl(1, first);
    const Integer columns = ColCount() + HiddenColCount();
    TakeRowsOut(first, count, false, [&](TGridTakenRows&& Taken) {
        KeepHidden(reals, std::move(Taken), columns);
        if (control) control->SetVisible(false);
    });
    // The cell controls are placed anew here once the in-cell controls stand.
}

void RAdeRedeviDidi::HideRowList(ProObj::TIntList* AList) {
    if (!AList) return;
    std::vector<Integer> shown;
    shown.reserve(static_cast<std::size_t>(AList->Count()));
    for (Integer i = 0; i < AList->Count(); ++i)
        if (const Integer row = AList->Items(i); row >= 0 && row < RowCount()) shown.push_back(row);
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    if (shown.empty()) return;
    const std::vector<Integer> reals = RealRowIndices(shown);
    const Integer columns = ColCount() + HiddenColCount();
    KeepHidden(reals, TakeRowsAt(shown), columns);
    // The cell controls are placed anew here once the in-cell controls stand.
}

void RAdeRedeviDidi::UnhideRows(Integer AFromRow, Integer AToRow) {
    if (AToRow < AFromRow || !IsHiddenRow(AFromRow)) return;
    hiddenRows_->Order();
    const Integer first = hiddenRows_->CountBelow(AFromRow);
    const Integer count = AToRow == std::numeric_limits<Integer>::max() ? HiddenRowCount() - first
                                                                        : hiddenRows_->CountBelow(AToRow + 1) - first;
    TGridTakenRows rows = TakeHidden(RowRange(first, count));
    const Integer place = rows.Rows.front();
    RestoreHidden(std::move(rows));
    if (TControl* control = CellControl(1, place)) {
        control->SetBoundsRect(CellRect(1, place));
        control->SetVisible(true);
    }
    // The cell controls are placed anew here once the in-cell controls stand.
}

void RAdeRedeviDidi::UnhideAllRows() {
    if (HiddenRowCount() == 0) return;
    hiddenRows_->Order();
    TGridTakenRows rows = TakeHidden(RowRange(0, HiddenRowCount()));
    const std::vector<Integer> places = rows.Rows;
    PutRowsBack(places, std::move(rows));
    // The cell controls are placed anew here once the in-cell controls stand.
}

}  // namespace ProGrid
