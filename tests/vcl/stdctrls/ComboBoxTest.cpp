#include <functional>
#include <utility>
#include <vector>

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

namespace {

// Records what reaches the combo's edit part and list as the user types.
class TPartsCombo : public TComboBox {
public:
    explicit TPartsCombo(TComponent* AOwner) : TComboBox(AOwner) {}
    std::vector<std::pair<HWND, UINT>> Seen;

protected:
    void ComboWndProc(TMessage& Message, HWND ComboWnd, const TWndMethod& ComboProc) override {
        if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_CHAR) Seen.push_back({ComboWnd, Message.Msg});
        TComboBox::ComboWndProc(Message, ComboWnd, ComboProc);
    }
};

}  // namespace

TEST_F(ComboBoxTest, OnlyTheUsersPickFiresTheSelectionEvents) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetText("a\nb\nc");
    int changes = 0, clicks = 0;
    combo->OnChange = Counter(changes);
    combo->OnClick = Counter(clicks);
    struct Step {
        const char* what;
        std::function<void()> act;
        int events;
    };
    const std::vector<Step> steps{
        {"ItemIndex from code", [&] { combo->SetItemIndex(2); }, 0},
        {"CB_SETCURSEL", [&] { SendMessage(combo->Handle(), CB_SETCURSEL, 0, 0); }, 0},
        {"the text from code", [&] { combo->SetText("b"); }, 0},
        {"items from code", [&] { combo->Items()->Add("d"); }, 0},
        {"the list from code",
         [&] {
             combo->SetDroppedDown(true);
             combo->SetDroppedDown(false);
         },
         0},
        {"a key",
         [&] {
             Input::TabTo(combo);
             Input::Key(combo, VK_DOWN);
         },
         1},
        {"the wheel", [&] { Testing::Wheel(combo, 20, 10, -WHEEL_DELTA); }, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        changes = clicks = 0;
        s.act();
        EXPECT_EQ(changes, s.events);
        EXPECT_EQ(clicks, s.events);
    }
}

TEST_F(ComboBoxTest, TheWheelStepsOneItemPerNotchUnlessTheControlHandlesIt) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetText("a\nb\nc\nd");
    Input::TabTo(combo);
    struct Case {
        Integer from, delta, to;
    };
    for (const Case& c : std::vector<Case>{{0, -WHEEL_DELTA, 1},
                                           {0, -2 * WHEEL_DELTA, 2},
                                           {2, WHEEL_DELTA, 1},
                                           {3, -WHEEL_DELTA, 3},
                                           {0, WHEEL_DELTA, 0},
                                           {-1, -WHEEL_DELTA, 0}}) {
        SCOPED_TRACE(c.from * 1000 + c.delta);
        combo->SetItemIndex(c.from);
        Testing::Wheel(combo, 20, 10, c.delta);
        EXPECT_EQ(combo->ItemIndex(), c.to);
    }
    // A wheel the control handles itself changes nothing more.
    combo->SetItemIndex(1);
    combo->OnMouseWheel = [](TObject*, TShiftState, Integer, TPoint, bool& Handled) { Handled = true; };
    Testing::Wheel(combo, 20, 10, -WHEEL_DELTA);
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, ReturnAndEscCloseTheDroppedListWithOrWithoutAPick) {
    struct Case {
        const char* what;
        TComboBoxStyle style;
        Word closing;
        bool pick;
        Integer index;
    };
    for (const Case& c : std::vector<Case>{{"list style, Return after a pick", csDropDownList, VK_RETURN, true, 2},
                                           {"list style, Esc without a pick", csDropDownList, VK_ESCAPE, false, 1},
                                           {"edit style, Return after a pick", csDropDown, VK_RETURN, true, 2},
                                           {"edit style, Esc without a pick", csDropDown, VK_ESCAPE, false, 1}}) {
        SCOPED_TRACE(c.what);
        auto* combo = Place<TPartsCombo>(10, 10, 120, 21);
        combo->SetStyle(c.style);
        combo->Items()->SetText("a\nb\nc");
        combo->SetItemIndex(1);
        int keys = 0, closes = 0, exits = 0;
        combo->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keys; };
        combo->OnCloseUp = Counter(closes);
        combo->OnExit = Counter(exits);
        Input::TabTo(combo);
        Input::Key(combo, VK_F4);
        ASSERT_TRUE(combo->DroppedDown());
        keys = 0;
        if (c.pick) Input::Key(combo, VK_DOWN);
        Input::Key(combo, c.closing);
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(Testing::PeerProperty(combo, "currentIndex"), IntToStr(c.index));
        EXPECT_EQ(combo->ItemIndex(), c.index);
        EXPECT_EQ(closes, 1);
        EXPECT_EQ(exits, 0);
        // The keys came as the combo's own while the list was down: through the edit part when it has one.
        EXPECT_EQ(keys, c.pick ? 2 : 1);
        const HWND edit = combo->EditHandle();
        EXPECT_EQ(edit != nullptr, c.style == csDropDown);
        if (edit) {
            ASSERT_GE(combo->Seen.size(), 2u);
            EXPECT_EQ(combo->Seen.back(), std::make_pair(edit, UINT(WM_CHAR)));
        } else {
            EXPECT_TRUE(combo->Seen.empty());
        }
        combo->Free();
    }
}

TEST_F(ComboBoxTest, TheEditSelectionFollowsCodeAndTheUser) {
    auto* combo = Place<TComboBox>(10, 10, 120, 21);
    combo->SetText("abcdef");
    struct Case {
        Integer start, end;  // CB_SETEDITSEL's words
        Integer selStart, selLength;
    };
    for (const Case& c : std::vector<Case>{{1, 3, 1, 2}, {2, -1, 2, 4}, {0, 99, 0, 6}, {-1, 0, 6, 0}, {4, 4, 4, 0}}) {
        SCOPED_TRACE(c.start * 100 + c.end);
        combo->SetSelStart(6);
        if (c.start == -1) SendMessage(combo->Handle(), CB_SETEDITSEL, 0, MakeLParam(0, 6));
        EXPECT_EQ(SendMessage(combo->Handle(), CB_SETEDITSEL, 0, MakeLParam(c.start, c.end)), TRUE);
        DWORD start = 0, end = 0;
        SendMessage(combo->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(combo->SelStart(), c.selStart);
        EXPECT_EQ(combo->SelLength(), c.selLength);
        EXPECT_EQ(static_cast<Integer>(start), c.selStart);
        EXPECT_EQ(static_cast<Integer>(end), c.selStart + c.selLength);
    }
    // The user's selection comes back.
    Input::TabTo(combo);
    Input::Key(combo, VK_HOME);
    Input::Key(combo, VK_RIGHT, {ssShift});
    Input::Key(combo, VK_RIGHT, {ssShift});
    EXPECT_EQ(combo->SelStart(), 0);
    EXPECT_EQ(combo->SelLength(), 2);
    // A list without an edit part has no selection to set.
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(SendMessage(combo->Handle(), CB_SETEDITSEL, 0, MakeLParam(0, 1)), CB_ERR);
}
