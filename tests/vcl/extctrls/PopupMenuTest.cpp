#include "ExtCtrlsFixture.h"

namespace {

class PopupMenuTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        menu = new TPopupMenu(form);
        for (const char* caption : {"&Copy", "-", "&Paste"}) {
            auto* item = new TMenuItem(form);
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        menu->Items()->Items(0)->OnClick = Counter(copies);
        menu->Items()->Items(2)->OnClick = Counter(pastes);
        menu->OnPopup = Counter(popups);
        edit = Place<TEdit>(10, 10, 100, 21);
        edit->SetPopupMenu(menu);
        edit->OnExit = Counter(exits);
        Testing::Click(edit);
    }
    void TearDown() override {
        SetPopupMenuChooser(nullptr);
        ExtCtrlsTest::TearDown();
    }
    TPopupMenu* menu = nullptr;
    TEdit* edit = nullptr;
    int copies = 0, pastes = 0, popups = 0, exits = 0;
};

TEST_F(PopupMenuTest, ARightClickPopsTheMenuAndTheChosenItemClicksAfterItCloses) {
    bool menuOpenWhenChosen = false;
    SetPopupMenuChooser([&](TPopupMenu* Menu) {
        menuOpenWhenChosen = popups == 1 && pastes == 0;
        return Menu->Items()->Items(2);
    });
    Testing::Click(edit, 20, 10, mbRight);
    EXPECT_TRUE(menuOpenWhenChosen);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(menu->PopupComponent(), edit);
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PopupMenuTest, TheShownMenuDeliversTheChoiceWithoutTakingTheFocus) {
    SetPopupMenuChooser([](TPopupMenu* Menu) { return Menu->Items()->Items(0); }, true);
    Testing::Click(edit, 20, 10, mbRight);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(pastes, 0);
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PopupMenuTest, DismissingOrADisabledItemClicksNothing) {
    SetPopupMenuChooser([](TPopupMenu*) { return nullptr; });
    Testing::Click(edit, 20, 10, mbRight);
    menu->Items()->Items(0)->SetEnabled(false);
    SetPopupMenuChooser([](TPopupMenu* Menu) { return Menu->Items()->Items(0); });
    Testing::Click(edit, 20, 10, mbRight);
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(copies + pastes, 0);
}

TEST_F(PopupMenuTest, AutoPopupOffKeepsTheMenuClosed) {
    menu->SetAutoPopup(false);
    SetPopupMenuChooser([](TPopupMenu* Menu) { return Menu->Items()->Items(0); });
    Testing::Click(edit, 20, 10, mbRight);
    EXPECT_EQ(popups, 0);
    EXPECT_EQ(copies, 0);
}

TEST_F(PopupMenuTest, AFreedMenuLeavesItsControlsWithoutAMenu) {
    auto* panel = Place<TPanel>(10, 50, 100, 50);
    panel->SetPopupMenu(menu);
    menu->Free();
    menu = nullptr;
    EXPECT_EQ(edit->PopupMenu(), nullptr);
    EXPECT_EQ(panel->PopupMenu(), nullptr);
    bool asked = false;
    SetPopupMenuChooser([&](TPopupMenu*) {
        asked = true;
        return nullptr;
    });
    Testing::Click(panel, 20, 20, mbRight);
    EXPECT_FALSE(asked);
    EXPECT_EQ(popups, 0);
}

TEST(MenuItemTest, ItemListsAndRadioGroups) {
    const auto owned = MakeOwned<TMenuItem>(nullptr);
    TMenuItem& root = *owned;
    TMenuItem* a = NewItem("A", 0, false, true, nullptr, 0, "ItemA");
    TMenuItem* b = NewItem("B", ShortCut('B', {ssCtrl}), false, true, nullptr, 0, "ItemB");
    TMenuItem* c = NewLine();
    root.Add(a);
    root.Add(b);
    root.Insert(1, c);
    EXPECT_EQ(root.Count(), 3);
    EXPECT_EQ(root.IndexOf(c), 1);
    EXPECT_EQ(b->MenuIndex(), 2);
    EXPECT_EQ(b->ShortCut(), scCtrl | 'B');
    EXPECT_TRUE(c->IsLine());
    EXPECT_THROW(root.Add(a), EMenuError);
    EXPECT_THROW(root.Items(3), EMenuError);
    EXPECT_THROW(a->Add(&root), EMenuError);

    a->SetRadioItem(true);
    b->SetRadioItem(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    b->SetGroupIndex(1);
    a->SetChecked(true);
    EXPECT_TRUE(b->Checked());

    root.Remove(c);
    EXPECT_EQ(c->Parent(), nullptr);
    c->Free();
    root.Clear();
    EXPECT_EQ(root.Count(), 0);
}

}  // namespace
