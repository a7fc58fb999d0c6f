// Component references read nil once their component is destroyed; owning pointers destroy through Free.
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "vcl/Classes.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"

namespace {

// Takes hold of whatever it hears leave, as a careless observer would.
class TGrabber : public TComponent {
    VCL_CLASS(TGrabber, TComponent)
    using TComponent::TComponent;
    TComponentRef<TComponent> Grabbed;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        inherited::Notification(AComponent, Operation);
        if (Operation == opRemove) Grabbed = AComponent;
    }
};
VCL_IMPLEMENT_CLASS(TGrabber, nullptr, nullptr)

class TFailing : public TComponent {
    VCL_CLASS(TFailing, TComponent)
    explicit TFailing(TComponent* AOwner) : TComponent(AOwner) { throw Exception("cannot be made"); }
};
VCL_IMPLEMENT_CLASS(TFailing, nullptr, nullptr)

TEST(ComponentRef, ReadsTheComponentUntilItIsDestroyedAndNilFromThen) {
    struct Case {
        const char* How;
        std::function<void(TOwned<TComponent>& Owner, TComponent*& Doomed)> Destroy;
        bool Destroyed;
    };
    const Case cases[] = {
        {"Free", [](TOwned<TComponent>&, TComponent*& c) { c->Free(); }, true},
        {"FreeAndNil", [](TOwned<TComponent>&, TComponent*& c) { FreeAndNil(c); }, true},
        {"its owner freed", [](TOwned<TComponent>& o, TComponent*&) { o.reset(); }, true},
        {"its owned pointer reset", [](TOwned<TComponent>&, TComponent*& c) { TOwned<TComponent> held(c); }, true},
        {"removed from its owner", [](TOwned<TComponent>& o, TComponent*& c) { o->RemoveComponent(c); }, false},
    };
    for (const Case& c : cases) {
        TOwned<TComponent> owner = MakeOwned<TComponent>(nullptr);
        TComponent* component = new TComponent(owner.get());
        TComponent* kept = component;
        TComponentRef<TComponent> ref(component);
        TComponentRef<TComponent> assigned;
        assigned = component;
        const TComponentRef<TComponent> copy(ref);
        EXPECT_EQ(ref.Get(), component) << c.How;
        EXPECT_EQ(copy, component) << c.How;
        c.Destroy(owner, component);
        for (TComponent* read : {ref.Get(), assigned.Get(), copy.Get()})
            EXPECT_EQ(read, c.Destroyed ? nullptr : kept) << c.How;
        if (!c.Destroyed) kept->Free();
        EXPECT_EQ(ref.Get(), nullptr) << c.How;
    }
}

TEST(ComponentRef, CopiesMovesAndReassignmentsEachKeepTheirOwnRegistration) {
    TOwned<TComponent> first = MakeOwned<TComponent>(nullptr);
    TOwned<TComponent> second = MakeOwned<TComponent>(nullptr);
    TComponentRef<TComponent> source(first.get());
    TComponentRef<TComponent> moved(std::move(source));
    EXPECT_EQ(source.Get(), nullptr);
    EXPECT_EQ(moved.Get(), first.get());
    TComponentRef<TComponent> moveAssigned(second.get());
    moveAssigned = std::move(moved);
    EXPECT_EQ(moved.Get(), nullptr);
    EXPECT_EQ(moveAssigned.Get(), first.get());
    TComponentRef<TComponent> reassigned(first.get());
    reassigned = second.get();
    const TComponentRef<TComponent>& self = reassigned;
    reassigned = self;  // self-assignment keeps the reference
    EXPECT_EQ(reassigned.Get(), second.get());
    // Refs in a growing vector move as it reallocates.
    std::vector<TComponentRef<TComponent>> many;
    for (int i = 0; i < 50; ++i) many.emplace_back(i % 2 ? first.get() : second.get());

    first.reset();
    EXPECT_EQ(moveAssigned.Get(), nullptr);
    EXPECT_EQ(reassigned.Get(), second.get());  // no longer registered with the first
    for (std::size_t i = 0; i < many.size(); ++i) EXPECT_EQ(many[i].Get(), i % 2 ? nullptr : second.get()) << i;
    second.reset();
    EXPECT_EQ(reassigned.Get(), nullptr);
    EXPECT_EQ(many[0].Get(), nullptr);
}

// Under the address sanitizer a registration left behind would be written to after its reference is gone.
TEST(ComponentRef, AReferenceThatGoesFirstLeavesNoRegistrationBehind) {
    TOwned<TComponent> component = MakeOwned<TComponent>(nullptr);
    auto outer = std::make_unique<TComponentRef<TComponent>>(component.get());
    {
        auto middle = std::make_unique<TComponentRef<TComponent>>(component.get());
        auto inner = std::make_unique<TComponentRef<TComponent>>(*middle);
        outer.reset();
        inner.reset();
    }
    TComponentRef<TComponent> last(component.get());
    component.reset();
    EXPECT_EQ(last.Get(), nullptr);
}

TEST(ComponentRef, AComponentAlreadyBeingDestroyedIsNotTaken) {
    TOwned<TGrabber> grabber = MakeOwned<TGrabber>(nullptr);
    auto* doomed = new TComponent(nullptr);
    doomed->FreeNotification(grabber.get());
    doomed->Free();
    EXPECT_EQ(grabber->Grabbed.Get(), nullptr);
}

// The class library's own references to other controls forget them the same way.
TEST(ComponentRef, ControlReferencesOfTheClassLibraryReadNilOnceTheControlIsGone) {
    struct Case {
        const char* What;
        std::function<TComponent*(TForm* Form, TWinControl* Target)> Refer;  // returns the referring component
        std::function<TComponent*(TComponent* Referrer)> Read;
    };
    const Case cases[] = {
        {"label's FocusControl",
         [](TForm* f, TWinControl* t) {
             auto* l = new TLabel(f);
             l->SetFocusControl(t);
             return l;
         },
         [](TComponent* l) -> TComponent* { return static_cast<TLabel*>(l)->FocusControl(); }},
        {"spin button's FocusControl",
         [](TForm* f, TWinControl* t) {
             auto* s = new TSpinButton(f);
             s->SetFocusControl(t);
             return s;
         },
         [](TComponent* s) -> TComponent* { return static_cast<TSpinButton*>(s)->FocusControl(); }},
        {"pop-up menu's PopupComponent",
         [](TForm* f, TWinControl* t) {
             auto* m = new TPopupMenu(f);
             m->SetPopupComponent(t);
             return m;
         },
         [](TComponent* m) { return static_cast<TPopupMenu*>(m)->PopupComponent(); }},
    };
    for (const Case& c : cases) {
        TOwned<TForm> form = MakeOwned<TForm>(nullptr);
        auto* target = new TEdit(nullptr);  // owned elsewhere: no owner's notification reaches the referrer
        target->SetParent(form.get());
        TComponent* referrer = c.Refer(form.get(), target);
        EXPECT_EQ(c.Read(referrer), target) << c.What;
        target->Free();
        EXPECT_EQ(c.Read(referrer), nullptr) << c.What;
    }
}

TEST(OwnedObject, ReleasesThroughFreeSoAFormHearsItsOnDestroyWhole) {
    std::vector<AnsiString> seen;
    {
        TOwned<TForm> form = MakeOwned<TForm>(nullptr);
        form->SetCaption("Whole");
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        form->OnDestroy = [&seen, edit](TObject* Sender) {
            seen.push_back(static_cast<TForm*>(Sender)->Caption());
            seen.push_back(IntToStr(edit->Owner() == Sender));
        };
    }
    EXPECT_EQ(seen, (std::vector<AnsiString>{"Whole", "1"}));
    TOwned<TStringList> list = MakeOwned<TStringList>();  // any object, not only components
    list->Add("x");
    EXPECT_EQ(list->Count(), 1);
}

TEST(OwnedObject, AConstructorThatRaisesLeavesNeitherAComponentNorAStop) {
    TOwned<TComponent> owner = MakeOwned<TComponent>(nullptr);
    EXPECT_THROW(new TFailing(owner.get()), Exception);
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST(OwnedObject, ACheckedBuildStopsAtAComponentDestroyedWithoutFree) {
#ifdef VCL_CHECK_FREE
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* plain = new TComponent(nullptr);
            plain->SetName("Plain");
            delete plain;
        },
        "\"Plain\" was destroyed without Free");
#else
    GTEST_SKIP() << "only debug and sanitizer builds check";
#endif
}

}  // namespace
