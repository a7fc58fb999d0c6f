// Class references, published tables and component ownership.
#include <vector>

#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

std::vector<std::string>* gLog = nullptr;

class TProbe : public TComponent {
    VCL_CLASS(TProbe, TComponent)
    using TComponent::TComponent;
    ~TProbe() override {
        if (gLog) gLog->push_back("~" + Name());
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        inherited::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
    }
    TComponent* Watched = nullptr;
};
VCL_IMPLEMENT_CLASS(TProbe, VCL_CREATOR(TProbe), nullptr)

class THost : public TComponent {
    VCL_CLASS(THost, TComponent)
    using TComponent::TComponent;
    TProbe* Probe1 = nullptr;
    int Clicks = 0;
    void Clicked(TObject*) { ++Clicks; }
};
static void PublishTHost(TPublisher& p) {
    TPublishOf<THost> P(p);
    P.Field("Probe1", &THost::Probe1);
    P.Method("Clicked", &THost::Clicked);
}
VCL_IMPLEMENT_CLASS(THost, VCL_CREATOR(THost), PublishTHost)

TEST(ObjectModel, ClassReferencesKnowTheirAncestry) {
    const auto owned = MakeOwned<THost>(nullptr);
    THost& host = *owned;
    EXPECT_EQ(host.ClassName(), "THost");
    EXPECT_TRUE(host.InheritsFrom(TComponent::ClassInfo()));
    EXPECT_TRUE(host.InheritsFrom(TPersistent::ClassInfo()));
    EXPECT_FALSE(host.InheritsFrom(TProbe::ClassInfo()));
    EXPECT_NE(THost::ClassInfo()->FindProperty("tag"), nullptr);  // inherited, any letter case
}

TEST(ObjectModel, RegistryFindsClassesByName) {
    RegisterClass(TProbe::ClassInfo());
    EXPECT_EQ(FindClass("tprobe"), TProbe::ClassInfo());
    EXPECT_EQ(GetClass("TNothing"), nullptr);
    try {
        FindClass("TNothing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TNothing not found");
    }
}

TEST(ObjectModel, OwnerDestroysOwnedNewestFirstAndClearsFields) {
    std::vector<std::string> log;
    gLog = &log;
    auto* host = new THost(nullptr);
    auto* a = new TProbe(host);
    a->SetName("Probe1");
    auto* b = new TProbe(host);
    b->SetName("Probe2");
    host->ClassType()->FindField("Probe1")->Assign(*host, a);
    ASSERT_EQ(host->Probe1, a);
    b->Watched = a;
    b->FreeNotification(a);
    a->Free();
    EXPECT_EQ(host->Probe1, nullptr);  // the owner's field no longer dangles
    EXPECT_EQ(b->Watched, nullptr);    // free notification reached b
    EXPECT_EQ(host->ComponentCount(), 1);
    auto* c = new TProbe(host);
    c->SetName("Probe3");
    host->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"~Probe1", "~Probe3", "~Probe2"}));
    gLog = nullptr;
}

TEST(ObjectModel, NamesAreValidatedIdentifiersUniqueInTheOwner) {
    const auto owned = MakeOwned<THost>(nullptr);
    THost& host = *owned;
    auto* a = new TProbe(&host);
    a->SetName("Edit1");
    auto* b = new TProbe(&host);
    EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    b->SetName("Edit2");
    EXPECT_EQ(host.FindComponent("edit2"), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(host.Components(2), ERangeError);
}

TEST(ObjectModel, PublishedMethodBindsToTheInstance) {
    const auto owned = MakeOwned<THost>(nullptr);
    THost& host = *owned;
    std::any bound = THost::ClassInfo()->FindMethod("clicked")->Bind(host);
    auto* handler = std::any_cast<std::function<void(TObject*)>>(&bound);
    ASSERT_NE(handler, nullptr);
    (*handler)(nullptr);
    EXPECT_EQ(host.Clicks, 1);
}

}  // namespace
