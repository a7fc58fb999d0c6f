// TStringList: strings with objects, optionally sorted, with change events.
#include <numeric>

#include "Classes/MergeSort.h"
#include "vcl/Classes.h"

VCL_IMPLEMENT_CLASS(TStringList, nullptr, nullptr)

void TStringList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

template <typename F>
void TStringList::Change(F&& Mutate) {
    Changing();
    Mutate();
    Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating || !changedWhileUpdating_) return;
    changedWhileUpdating_ = false;
    Changing();
    Changed();
}

AnsiString TStringList::Get(Integer Index) const {
    CheckIndex(Index);
    return items_[static_cast<std::size_t>(Index)].String;
}

TObject* TStringList::GetObject(Integer Index) const {
    CheckIndex(Index);
    return items_[static_cast<std::size_t>(Index)].Object;
}

void TStringList::Put(Integer Index, const AnsiString& S) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(Index);
    Change([&] { items_[static_cast<std::size_t>(Index)].String = S; });
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
    CheckIndex(Index);
    Change([&] { items_[static_cast<std::size_t>(Index)].Object = AObject; });
}

Integer TStringList::Add(const AnsiString& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const AnsiString& S, TObject* AObject) {
    Integer index = GetCount();
    if (sorted_ && Find(S, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::InsertItem(Integer Index, const AnsiString& S, TObject* AObject) {
    Change([&] { items_.insert(items_.begin() + Index, TItem{S, AObject}); });
}

void TStringList::Insert(Integer Index, const AnsiString& S) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    if (Index < 0 || Index > GetCount())
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    InsertItem(Index, S, nullptr);
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Change([&] { items_.clear(); });
}

void TStringList::Delete(Integer Index) {
    CheckIndex(Index);
    Change([&] { items_.erase(items_.begin() + Index); });
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Change([&] { std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]); });
}

bool TStringList::Find(const AnsiString& S, Integer& Index) const {
    // Lower bound: the first line not before S.
    Integer low = 0;
    Integer high = GetCount();
    while (low < high) {
        Integer mid = low + (high - low) / 2;
        if (CompareStrings(items_[static_cast<std::size_t>(mid)].String, S) < 0) low = mid + 1;
        else high = mid;
    }
    Index = low;
    return low < GetCount() && CompareStrings(items_[static_cast<std::size_t>(low)].String, S) == 0;
}

Integer TStringList::IndexOf(const AnsiString& S) const {
    if (!sorted_) return TStrings::IndexOf(S);
    Integer index = 0;
    return Find(S, index) ? index : -1;
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
    return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Sort() {
    SortItems([](TStringList* list, Integer a, Integer b) {
        return list->CompareStrings(list->items_[static_cast<std::size_t>(a)].String,
                                    list->items_[static_cast<std::size_t>(b)].String);
    });
}

// A sorted list keeps its own order.
void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (!sorted_) SortItems(Compare);
}

void TStringList::SortItems(const TStringListSortCompare& Compare) {
    if (GetCount() < 2) return;
    // Compare sees the lines where they stand; only the order is computed, then applied at once.
    std::vector<Integer> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    MergeSort(order, [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(items_.size());
    for (Integer i : order) sorted.push_back(items_[static_cast<std::size_t>(i)]);
    Change([&] { items_.swap(sorted); });
}

void TStringList::SetSorted(bool Value) {
    if (Value == sorted_) return;
    if (Value) Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == caseSensitive_) return;
    caseSensitive_ = Value;
    if (sorted_) Sort();
}
