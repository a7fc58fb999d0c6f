// The stores of pictures: the cache by URL, the container's named items, and the download thread.
#include "PictureContainer.h"

namespace PictureContainer {

VCL_IMPLEMENT_CLASS(THTMLPictureCache, nullptr, nullptr)

THTMLPicture* THTMLPictureCache::AddPicture() {
    auto picture = MakeOwned<THTMLPicture>();
    Add(picture.get());
    return picture.release();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& URL) const {
    for (Integer i = 0; i < Count(); ++i)
        if (Pictures(i)->URL() == URL) return Pictures(i);
    return nullptr;
}

// ---------------------------------------------------------------------------

namespace {

void PublishTPictureItem(TPublisher& p) {
    TPublishOf<TPictureItem> P(p);
    P.Object("Picture", &TPictureItem::Picture);
    P.Str("Name", &TPictureItem::Name, &TPictureItem::SetName);
    P.Int("Tag", &TPictureItem::Tag, &TPictureItem::SetTag);
}

void PublishTPictureContainer(TPublisher& p) {
    TPublishOf<TPictureContainer> P(p);
    P.Collection("Items", &TPictureContainer::Items);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TPictureItem, nullptr, PublishTPictureItem)

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), picture_(MakeOwned<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TPictureItem*>(Source);
    if (!source) return inherited::Assign(Source);
    name_ = source->name_;
    tag_ = source->tag_;
    picture_->Assign(source->Picture());
}

VCL_IMPLEMENT_CLASS(TPictureCollection, nullptr, nullptr)

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClassOf<TPictureItem>()) {}

VCL_IMPLEMENT_CLASS(TPictureContainer, VCL_CREATOR(TPictureContainer), PublishTPictureContainer)

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), items_(MakeOwned<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) const {
    for (Integer i = 0; i < items_->Count(); ++i)
        if (AnsiSameText(items_->Items(i)->Name(), Name)) return items_->Items(i)->Picture();
    return nullptr;
}

// ---------------------------------------------------------------------------

VCL_IMPLEMENT_CLASS(TDownLoadThread, nullptr, nullptr)

TDownLoadThread::TDownLoadThread(THTMLPicture* Picture) : picture_(Picture) { SetFreeOnTerminate(true); }

void RegisterPictureContainer() { RegisterClass(TPictureContainer::ClassInfo()); }

}  // namespace PictureContainer
