// Pop-up menus made by handle: the items as inserted, the choice posted to the owner as WM_COMMAND, and
// handles that stop working once destroyed.
#include <vector>

#include "ExtCtrlsFixture.h"
#include "vcl/Windows.h"

namespace {

struct TSeenItem {
    AnsiString Caption;
    bool Enabled;
    bool Checked;
    friend bool operator==(const TSeenItem&, const TSeenItem&) = default;
};

class RawPopupMenuTest : public ExtCtrlsTest {
protected:
    void SetUp() override {
        ExtCtrlsTest::SetUp();
        owner = Place<TPanel>(10, 10, 100, 50);
        owner->WindowProc = [this, inherited = owner->WindowProc](TMessage& Message) {
            if (Message.Msg == WM_COMMAND) commands.push_back(Message);
            inherited(Message);
        };
    }
    void TearDown() override {
        SetPopupMenuChooser(nullptr);
        ExtCtrlsTest::TearDown();
    }
    // Records what the next menu offers and picks the item with Caption.
    void Choose(const AnsiString& Caption) {
        SetPopupMenuChooser([this, Caption](TPopupMenu* Menu) -> TMenuItem* {
            seen.clear();
            TMenuItem* pick = nullptr;
            for (Integer i = 0; i < Menu->Items()->Count(); ++i) {
                TMenuItem* item = Menu->Items()->Items(i);
                seen.push_back({item->Caption(), item->Enabled(), item->Checked()});
                if (item->Caption() == Caption) pick = item;
            }
            return pick;
        });
    }
    TPanel* owner = nullptr;
    std::vector<TMessage> commands;
    std::vector<TSeenItem> seen;
};

TEST_F(RawPopupMenuTest, ItemsShowInTheirInsertedOrderAndThePickArrivesAsAPostedCommand) {
    HMENU menu = CreatePopupMenu();
    EXPECT_TRUE(AppendMenuA(menu, MF_STRING, 10, "b"));
    EXPECT_TRUE(InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 20, "a"));           // first
    EXPECT_TRUE(InsertMenuA(menu, 0xFFFFFFFF, MF_BYPOSITION | MF_STRING, 30, "d"));  // at the end
    EXPECT_TRUE(InsertMenuA(menu, 30, MF_BYCOMMAND | MF_GRAYED, 40, "c"));           // before id 30
    EXPECT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
    EXPECT_TRUE(AppendMenuA(menu, MF_CHECKED, 50, "e"));
    EXPECT_FALSE(InsertMenuA(menu, 99, MF_BYCOMMAND, 60, "x"));  // no item with id 99
    EXPECT_EQ(GetMenuItemCount(menu), 6);

    Choose("d");
    const TPoint at = owner->ClientToScreen(Point(5, 5));
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN, at.X, at.Y, 0, owner->Handle(), nullptr));
    EXPECT_EQ(seen, (std::vector<TSeenItem>{{"a", true, false},
                                            {"b", true, false},
                                            {"c", false, false},
                                            {"d", true, false},
                                            {"-", true, false},
                                            {"e", true, true}}));
    EXPECT_TRUE(commands.empty());  // posted, not sent
    Application->ProcessMessages();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].WParam, WPARAM{30});
    EXPECT_EQ(commands[0].LParam, 0);

    // A dismissed menu and a greyed item post nothing.
    for (const char* caption : {"none", "c"}) {
        SCOPED_TRACE(caption);
        Choose(caption);
        TrackPopupMenu(menu, TPM_LEFTALIGN, at.X, at.Y, 0, owner->Handle(), nullptr);
        Application->ProcessMessages();
        EXPECT_EQ(commands.size(), 1u);
    }
    EXPECT_TRUE(DestroyMenu(menu));
}

TEST_F(RawPopupMenuTest, UnknownAndDestroyedMenusAndOwnersAreRefused) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "a");
    Choose("a");
    EXPECT_FALSE(TrackPopupMenu(menu, TPM_LEFTALIGN, 0, 0, 0, nullptr, nullptr));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_FALSE(AppendMenuA(menu, MF_STRING, 2, "b"));
    EXPECT_FALSE(TrackPopupMenu(menu, TPM_LEFTALIGN, 0, 0, 0, owner->Handle(), nullptr));
    Application->ProcessMessages();
    EXPECT_TRUE(commands.empty());
}

}  // namespace
