#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using ComboBoxTest = StdCtrlsTest;

TEST_F(ComboBoxTest, AUserSelectionFiresOnChangeOnce) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetText("one\ntwo\nthree");
    combo->SetItemIndex(0);
    int changes = 0, clicks = 0;
    combo->OnChange = Counter(changes);
    combo->OnClick = Counter(clicks);
    Input::TabTo(combo);
    Testing::KeyPress(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "two");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    // OnSelect, when assigned, takes the selection instead.
    int selects = 0;
    combo->OnSelect = Counter(selects);
    Testing::KeyPress(combo, VK_DOWN);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(ComboBoxTest, SettingItemIndexFromCodeFiresNothing) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->Items()->SetText("a\nb");
    int changes = 0;
    combo->OnChange = Counter(changes);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "b");
    EXPECT_EQ(Testing::PeerText(combo), "b");
    EXPECT_EQ(Testing::PeerProperty(combo, "currentIndex"), "1");
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(ComboBoxTest, TypingFiresOnChangePerKeystroke) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->Items()->SetText("a\nb");
    int changes = 0;
    combo->OnChange = Counter(changes);
    Input::TabTo(combo);
    Testing::TypeText(combo, "xy");
    EXPECT_EQ(combo->Text(), "xy");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, SortedItemsStayInOrderAndTheSelectionFollowsDeletes) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig"}) combo->Items()->Add(s);
    EXPECT_EQ(combo->Items()->CommaText(), "Apple,fig,pear");
    EXPECT_THROW(combo->Items()->Insert(0, "kiwi"), EStringListError);
    combo->SetItemIndex(2);
    combo->Items()->Delete(0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Testing::PeerProperty(combo, "count"), "2");
}

TEST_F(ComboBoxTest, TheListOpensAndClosesWithoutTakingTheFocus) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->Items()->SetText("a\nb");
    int drops = 0, closes = 0, exits = 0;
    combo->OnDropDown = Counter(drops);
    combo->OnCloseUp = Counter(closes);
    combo->OnExit = Counter(exits);
    Input::TabTo(combo);
    Testing::KeyPress(combo, VK_F4);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(drops, 1);
    Testing::KeyPress(combo, VK_ESCAPE);
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(combo->Focused());
}
