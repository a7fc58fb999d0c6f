// TCollection and TCollectionItem, and collection values of form descriptions.
#include <algorithm>
#include <iterator>

#include "Classes/FormReaderProperties.h"
#include "vcl/Classes.h"
#include "vcl/ScopeGuard.h"

VCL_IMPLEMENT_CLASS(TCollectionItem, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TCollection, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TOwnedCollection, nullptr, nullptr)

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

Integer TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    return static_cast<Integer>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(Integer Value) {
    Integer current = Index();
    if (current < 0 || current == Value) return;
    collection_->MoveItem(current, Value);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const AnsiString&) { Changed(false); }

void TCollectionItem::Changed(bool AllItems) {
    if (collection_) collection_->ItemChanged(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------------------

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
    updateCount_ = 1;  // no notifications while dying
    Clear();
}

TCollectionItem* TCollection::Add() { return itemClass_->Create(this); }

TCollectionItem* TCollection::Insert(Integer Index) {
    if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(Integer Index) {
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(Integer Index) const {
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return items_[static_cast<std::size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(Integer ID) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == ID) return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TCollection*>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return;
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::ItemChanged(TCollectionItem* Item) {
    if (updateCount_ == 0) Update(Item);
}

void TCollection::InsertItem(TCollectionItem* Item) {
    items_.push_back(Item);
    Item->collection_ = this;
    Item->id_ = nextID_++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    // Searched from the back: Clear, and taking late items out, cost a step per item.
    const auto found = std::find(items_.rbegin(), items_.rend(), Item);
    if (found != items_.rend()) items_.erase(std::next(found).base());
    Item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(Integer CurIndex, Integer NewIndex) {
    if (NewIndex < 0 || NewIndex >= Count()) RaiseListIndexError(NewIndex);
    TCollectionItem* item = items_[static_cast<std::size_t>(CurIndex)];
    items_.erase(items_.begin() + CurIndex);
    items_.insert(items_.begin() + NewIndex, item);
}

// ---------------------------------------------------------------------------

void ReadCollectionValue(TCollection* Collection, const TFormValue& Value, TReadContext& Context) {
    if (Value.Kind != TFormValue::vaCollection || !Collection) RaiseInvalidPropertyValue(Value);
    Collection->BeginUpdate();
    const TScopeExit endUpdate([Collection] { Collection->EndUpdate(); });
    Collection->Clear();
    for (std::size_t i = 0; i < Value.Items.size(); ++i) {
        TCollectionItem* item = Collection->Add();
        std::string where = "[" + std::to_string(i) + "].";
        for (const auto& [name, value] : Value.Items[i]) {
            try {
                SetPublishedProperty(*item, name, value, Context);
            } catch (const EPropertyPathError& e) {
                throw EPropertyPathError(where + name + e.Path, e.Reason, e.Line);
            } catch (const Exception& e) {
                throw EPropertyPathError(where + name, e.Message(), value.Line);
            }
        }
    }
}

TFormValue CollectionValueOf(TCollection* Collection) {
    TFormValue value;
    value.Kind = TFormValue::vaCollection;
    if (!Collection) return value;
    for (Integer i = 0; i < Collection->Count(); ++i) value.Items.push_back(PublishedValues(*Collection->Items(i)));
    return value;
}
