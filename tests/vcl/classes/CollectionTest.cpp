// Collections: item identity and order, update notifications, assignment.
#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

class TNamedItem : public TCollectionItem {
    VCL_CLASS(TNamedItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    AnsiString Label;
    void Assign(TPersistent* Source) override {
        if (auto* other = dynamic_cast<TNamedItem*>(Source)) return (void)(Label = other->Label, Changed(false));
        inherited::Assign(Source);
    }
    void Touch() { Changed(false); }

protected:
    AnsiString GetDisplayName() const override { return Label.empty() ? inherited::GetDisplayName() : Label; }
};
VCL_IMPLEMENT_CLASS(TNamedItem, nullptr, nullptr)

class TWatchedCollection : public TCollection {
public:
    TWatchedCollection() : TCollection(CollectionItemClassOf<TNamedItem>()) {}
    std::vector<std::string> log;

protected:
    void Update(TCollectionItem* Item) override {
        log.push_back(Item ? "update " + static_cast<TNamedItem*>(Item)->Label : "update all");
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        const char* names[] = {"added", "extracting", "deleting"};
        log.push_back(std::string(names[Action]) + " " + std::to_string(Item->ID()));
    }
};

TNamedItem* ItemAt(TCollection& c, Integer i) { return static_cast<TNamedItem*>(c.Items(i)); }

TEST(Collection, ItemsKeepIdsWhileTheirIndexChanges) {
    TWatchedCollection c;
    for (const char* label : {"a", "b", "c"}) static_cast<TNamedItem*>(c.Add())->Label = label;
    auto* inserted = static_cast<TNamedItem*>(c.Insert(0));
    inserted->Label = "first";
    EXPECT_EQ(inserted->ID(), 3);
    EXPECT_EQ(inserted->Index(), 0);
    ItemAt(c, 3)->SetIndex(1);
    EXPECT_EQ(ItemAt(c, 1)->Label, "c");
    EXPECT_EQ(c.FindItemID(1)->Index(), 3);
    EXPECT_EQ(ItemAt(c, 2)->DisplayName(), "a");
    EXPECT_EQ(TNamedItem(nullptr).DisplayName(), "TNamedItem");
    c.Delete(0);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.FindItemID(3), nullptr);
    try {
        c.Items(3);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(ItemAt(c, 0)->SetIndex(5), EListError);
    EXPECT_THROW(c.Insert(9), EListError);
}

TEST(Collection, NotificationsWaitForTheOutermostEndUpdate) {
    struct Case {
        const char* what;
        std::function<void(TWatchedCollection&)> action;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"add", [](TWatchedCollection& c) { c.Add(); }, {"added 0", "update all"}},
        {"item change",
         [](TWatchedCollection& c) {
             auto* i = static_cast<TNamedItem*>(c.Add());
             i->Label = "x";
             c.log.clear();
             i->Touch();
         },
         {"update x"}},
        {"nested update",
         [](TWatchedCollection& c) {
             c.BeginUpdate();
             c.BeginUpdate();
             c.Add();
             c.EndUpdate();
             c.Add();
             c.EndUpdate();
         },
         {"added 0", "added 1", "update all"}},
        {"delete",
         [](TWatchedCollection& c) {
             c.Add();
             c.log.clear();
             c.Delete(0);
         },
         {"deleting 0", "extracting 0", "update all"}},
        {"clear",
         [](TWatchedCollection& c) {
             c.Add();
             c.Add();
             c.log.clear();
             c.Clear();
         },
         {"extracting 1", "extracting 0", "update all"}},
        {"free an item",
         [](TWatchedCollection& c) {
             c.Add();
             c.log.clear();
             delete c.Items(0);
         },
         {"extracting 0", "update all"}},
    };
    for (const Case& k : cases) {
        TWatchedCollection c;
        k.action(c);
        EXPECT_EQ(c.log, k.log) << k.what;
    }
}

TEST(Collection, AssignCopiesItemsAndOwnedCollectionsKnowTheirOwner) {
    TWatchedCollection a;
    for (const char* label : {"p", "q"}) static_cast<TNamedItem*>(a.Add())->Label = label;
    TPersistent holder;
    TOwnedCollection b(&holder, CollectionItemClassOf<TNamedItem>());
    b.Add();
    b.Add();
    b.Add();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(ItemAt(b, 1)->Label, "q");
    EXPECT_EQ(b.Owner(), &holder);
    EXPECT_EQ(a.Owner(), nullptr);
    auto* moved = ItemAt(b, 0);
    moved->SetCollection(&a);
    EXPECT_EQ(b.Count(), 1);
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(moved->Collection(), &a);
}

}  // namespace
