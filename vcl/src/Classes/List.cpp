// TList: the pointer list.
#include <algorithm>

#include "Classes/MergeSort.h"
#include "vcl/Classes.h"

VCL_IMPLEMENT_CLASS(TList, nullptr, nullptr)

void RaiseListIndexError(Integer Index) {
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
}

void* TList::Items(Integer Index) const {
    CheckIndex(Index);
    return items_[static_cast<std::size_t>(Index)];
}

void TList::SetItems(Integer Index, void* Item) {
    CheckIndex(Index);
    items_[static_cast<std::size_t>(Index)] = Item;
}

Integer TList::Add(void* Item) {
    items_.push_back(Item);
    return Count() - 1;
}

void TList::Insert(Integer Index, void* Item) {
    if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
    items_.insert(items_.begin() + Index, Item);
}

void TList::Delete(Integer Index) {
    CheckIndex(Index);
    items_.erase(items_.begin() + Index);
}

Integer TList::Remove(void* Item) {
    Integer index = IndexOf(Item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* Item) { return Remove(Item) >= 0 ? Item : nullptr; }

Integer TList::IndexOf(void* Item) const {
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<Integer>(it - items_.begin());
}

void TList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]);
}

void TList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    CheckIndex(NewIndex);
    void* item = Items(CurIndex);
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, item);
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Sort(const TListSortCompare& Compare) {
    MergeSort(items_, [&](void* a, void* b) { return Compare(a, b) < 0; });
}
