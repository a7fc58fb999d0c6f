// Who destroys whom: forms, parents and children, and the references that must not dangle.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/InputSimulator.h"

namespace {

class Ownership : public ::testing::Test {
protected:
    void TearDown() override { FreeAllForms(); }
};

// Counts destructions, whoever triggers them.
class TCountedBlock : public TBlock {
public:
    explicit TCountedBlock(TComponent* AOwner, int& Destroyed) : TBlock(AOwner), destroyed_(Destroyed) {}
    ~TCountedBlock() override { ++destroyed_; }

private:
    int& destroyed_;
};

TEST_F(Ownership, AFormOfFiftyControlsIsBuiltShownAndFreedCleanly) {
    auto* form = new TForm(Application);
    int formsBefore = Screen->FormCount() - 1;
    TWinControl* parent = form;
    for (int i = 0; i < 50; ++i) {
        TControl* c = (i % 5 == 4) ? static_cast<TControl*>(new TBlock(form)) : new TSwatch(form);
        c->SetName("Control" + std::to_string(i));
        c->SetParent(parent);
        c->SetBounds(i, i, 20, 20);
        if (i % 10 == 0) parent = static_cast<TSwatch*>(c);
    }
    Input::Show(form);
    Input::TabTo(static_cast<TWinControl*>(form->FindComponent("Control41")));
    form->Free();
    EXPECT_EQ(Screen->FormCount(), formsBefore);
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
    Application->ProcessMessages();
}

TEST_F(Ownership, FreeingOneChildLeavesItsParentAndFormConsistent) {
    auto* form = new TForm(Application);
    auto* a = new TSwatch(form);
    auto* b = new TSwatch(form);
    a->SetName("A");
    b->SetName("B");
    a->SetParent(form);
    b->SetParent(form);
    Input::Show(form);
    Input::TabTo(b);
    b->Free();
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0), a);
    EXPECT_EQ(form->FindChildControl("B"), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
    EXPECT_EQ(form->ComponentCount(), 1);
    Input::TabTo(a);
    EXPECT_EQ(form->ActiveControl(), a);
}

TEST_F(Ownership, AWindowedControlDestroysItsChildrenFirstOwnedOrNot) {
    auto* form = new TForm(Application);
    int destroyed = 0;
    auto* container = new TSwatch(nullptr);
    container->SetParent(form);
    for (int i = 0; i < 3; ++i) (new TCountedBlock(nullptr, destroyed))->SetParent(container);
    auto* nested = new TSwatch(nullptr);
    nested->SetParent(container);
    (new TCountedBlock(form, destroyed))->SetParent(nested);
    container->Free();
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0) << "the owned grandchild left its owner too";
}

TEST_F(Ownership, MovingAControlToAnotherParentKeepsItWholeAndLeavesTheOldParentClean) {
    auto* form = new TForm(Application);
    auto* left = new TSwatch(form);
    auto* right = new TSwatch(form);
    auto* moving = new TSwatch(form);
    for (TSwatch* s : {left, right}) s->SetParent(form);
    moving->SetParent(left);
    form->Show();
    HWND before = moving->Handle();
    moving->SetParent(right);
    EXPECT_EQ(left->ControlCount(), 0);
    EXPECT_EQ(right->Controls(0), moving);
    EXPECT_FALSE(IsWindow(before)) << "the window is made again under its new parent";
    EXPECT_TRUE(Testing::PeerVisible(moving));
    EXPECT_THROW(left->SetParent(left), EInvalidOperation);
    EXPECT_THROW(form->SetParent(moving), EInvalidOperation);
}

}  // namespace
