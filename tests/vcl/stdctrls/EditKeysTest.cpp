// An edit's keys as the system's edit control takes them: the clipboard keys become WM_COPY, WM_CUT,
// WM_PASTE and WM_UNDO through WindowProc, control characters never enter, key messages from code act as
// keys, posted keys go through the dialog keys first, and key data carries the scan code.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"
#include "vcl/Windows.h"

namespace {

class EditKeysTest : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        edit = Place<TEdit>(10, 10, 150, 24);
        next = Place<TEdit>(10, 50, 150, 24);
        inherited = edit->WindowProc;
        edit->WindowProc = [this](TMessage& M) {
            seen.push_back(M.Msg);
            if (M.Msg == WM_KEYDOWN) keyData.push_back(M.LParam);
            if (!(vetoPaste && M.Msg == WM_PASTE)) inherited(M);
        };
        Clipboard()->SetAsText("XY");
    }

    // The edit holds Text with [Start, End) selected and the focus, as the user left it.
    void Prepare(const AnsiString& Text, Integer Start, Integer End) {
        edit->SetText(Text);
        Input::Click(edit);
        edit->Perform(EM_SETSEL, static_cast<WPARAM>(Start), End);
        seen.clear();
    }
    int Count(UINT Msg) const { return static_cast<int>(std::count(seen.begin(), seen.end(), Msg)); }

public:
    TEdit* edit = nullptr;
    TEdit* next = nullptr;
    TWndMethod inherited;
    std::vector<UINT> seen;
    std::vector<LPARAM> keyData;
    bool vetoPaste = false;
};

TEST_F(EditKeysTest, ClipboardKeysSendTheirMessagesAndReachTheClipboard) {
    const struct {
        const char* Name;
        Word Key;
        TShiftState Shift;
        bool ReadOnly;
        UINT Msg;
        const char* Text;
        const char* Clip;
    } cases[] = {
        {"Ctrl+C", 'C', {ssCtrl}, false, WM_COPY, "abcd", "bc"},
        {"Ctrl+Ins", VK_INSERT, {ssCtrl}, false, WM_COPY, "abcd", "bc"},
        {"Ctrl+X", 'X', {ssCtrl}, false, WM_CUT, "ad", "bc"},
        {"Shift+Del", VK_DELETE, {ssShift}, false, WM_CUT, "ad", "bc"},
        {"Ctrl+V", 'V', {ssCtrl}, false, WM_PASTE, "aXYd", "XY"},
        {"Shift+Ins", VK_INSERT, {ssShift}, false, WM_PASTE, "aXYd", "XY"},
        {"read-only Ctrl+C", 'C', {ssCtrl}, true, WM_COPY, "abcd", "bc"},
        {"read-only Ctrl+X", 'X', {ssCtrl}, true, WM_CUT, "abcd", "XY"},
        {"read-only Shift+Del", VK_DELETE, {ssShift}, true, WM_CUT, "abcd", "XY"},
        {"read-only Ctrl+V", 'V', {ssCtrl}, true, WM_PASTE, "abcd", "XY"},
        {"read-only Shift+Ins", VK_INSERT, {ssShift}, true, WM_PASTE, "abcd", "XY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Clipboard()->SetAsText("XY");
        edit->SetReadOnly(c.ReadOnly);
        Prepare("abcd", 1, 3);
        Input::Key(edit, c.Key, c.Shift);
        EXPECT_EQ(Count(c.Msg), 1);
        EXPECT_EQ(edit->Text(), c.Text);
        EXPECT_EQ(Testing::PeerText(edit), c.Text);
        EXPECT_EQ(Clipboard()->AsText(), c.Clip);
        EXPECT_EQ(edit->Modified(), std::string(c.Text) != "abcd");
    }
}

TEST_F(EditKeysTest, CtrlZUndoesAPasteAndTypingUnlessReadOnly) {
    Prepare("", 0, 0);
    Input::Type(edit, "ab");
    Input::Key(edit, 'V', {ssCtrl});
    EXPECT_EQ(edit->Text(), "abXY");
    EXPECT_TRUE(edit->CanUndo());
    Input::Key(edit, 'Z', {ssCtrl});
    EXPECT_EQ(Count(WM_UNDO), 1);
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(Testing::PeerText(edit), "ab");
    edit->SetReadOnly(true);
    Input::Key(edit, 'Z', {ssCtrl});
    EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditKeysTest, AReplacedWindowProcVetoesThePasteOfEveryPath) {
    vetoPaste = true;
    SetPopupMenuChooser([](TPopupMenu* Menu) {
        for (Integer i = 0; i < Menu->Items()->Count(); ++i)
            if (Menu->Items()->Items(i)->Caption() == "&Paste") return Menu->Items()->Items(i);
        return static_cast<TMenuItem*>(nullptr);
    });
    Prepare("abcd", 4, 4);
    Input::Key(edit, 'V', {ssCtrl});
    Input::Key(edit, VK_INSERT, {ssShift});
    Input::Click(edit, 20, 10, mbRight);
    edit->PasteFromClipboard();
    SetPopupMenuChooser(nullptr);
    EXPECT_EQ(Count(WM_PASTE), 4);
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_EQ(Testing::PeerText(edit), "abcd");
}

TEST_F(EditKeysTest, TheEditsOwnContextMenuSendsTheEditMessages) {
    std::vector<std::string> captions;
    const char* pick = "Cu&t";
    SetPopupMenuChooser([&](TPopupMenu* Menu) {
        TMenuItem* chosen = nullptr;
        captions.clear();
        for (Integer i = 0; i < Menu->Items()->Count(); ++i) {
            TMenuItem* item = Menu->Items()->Items(i);
            captions.push_back(item->Caption() + (item->Enabled() ? "" : " (off)"));
            if (item->Caption() == pick) chosen = item;
        }
        return chosen;
    });
    Prepare("abcd", 1, 3);
    Input::Click(edit, 20, 10, mbRight);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&Undo (off)", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
    EXPECT_EQ(Count(WM_CUT), 1);
    EXPECT_EQ(edit->Text(), "ad");
    EXPECT_EQ(Clipboard()->AsText(), "bc");
    pick = "Select &All";
    Input::Click(edit, 20, 10, mbRight);
    EXPECT_EQ(edit->SelLength(), 2);
    SetPopupMenuChooser(nullptr);
}

TEST_F(EditKeysTest, NoControlCharacterEntersAnEdit) {
    Prepare("ab", 2, 2);
    for (Byte c : {Byte{'\t'}, Byte{'\r'}, Byte{'\n'}, Byte{0x0B}, Byte{0x1B}, Byte{0x02}})
        edit->Perform(WM_CHAR, c, 0);
    EXPECT_EQ(edit->Text(), "ab");
    for (Word letter : {'B', 'K', 'U', 'Y'}) Input::Key(edit, letter, {ssCtrl});
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(Testing::PeerText(edit), "ab");
    EXPECT_FALSE(edit->Modified());
}

TEST_F(EditKeysTest, KeyMessagesFromCodeActAsTheKeys) {
    Prepare("ac", 1, 1);
    edit->Perform(WM_CHAR, 'b', 0);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_TRUE(edit->Modified());
    edit->Perform(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(edit->SelStart(), 1);
    edit->Perform(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(edit->Text(), "ac");
    edit->Perform(WM_CHAR, '\b', 0);
    EXPECT_EQ(edit->Text(), "c");
    EXPECT_EQ(Testing::PeerText(edit), "c");
}

TEST_F(EditKeysTest, ACharacterSentWhileAKeyTravelsIsTypedBesideIt) {
    Prepare("", 0, 0);
    edit->OnKeyPress = [this](TObject*, char& Key) {
        if (Key == 'a') edit->Perform(WM_CHAR, 'x', 0);
    };
    Input::Type(edit, "ab");
    EXPECT_EQ(edit->Text(), "xab");
}

TEST_F(EditKeysTest, KeyDataCarriesTheScanCodeAndTheExtendedKeyFlag) {
    const struct {
        Word Key;
        Byte Scan;
        bool Extended;
    } cases[] = {{VK_DECIMAL, 0x53, false}, {VK_OEM_PERIOD, 0x34, false}, {VK_DELETE, 0x53, true},
                 {VK_LEFT, 0x4B, true},     {'A', 0x1E, false},           {VK_NUMPAD7, 0x47, false},
                 {VK_RETURN, 0x1C, false},  {VK_ESCAPE, 0x01, false}};
    Prepare("", 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        keyData.clear();
        Input::Key(edit, c.Key);
        Input::Click(edit);
        ASSERT_FALSE(keyData.empty());
        EXPECT_EQ((keyData[0] >> 16) & 0xFF, c.Scan);
        EXPECT_EQ((keyData[0] & KF_EXTENDED_BIT) != 0, c.Extended);
    }
    // The keypad's point sets bit 22 with its scan code; both points type a point.
    keyData.clear();
    edit->SetText("");
    Input::Key(edit, VK_DECIMAL);
    Input::Key(edit, VK_OEM_PERIOD);
    ASSERT_EQ(keyData.size(), 2u);
    EXPECT_NE(keyData[0] & (LPARAM{1} << 22), 0);
    EXPECT_EQ(keyData[1] & (LPARAM{1} << 22), 0);
    EXPECT_EQ(edit->Text(), "..");
}

class DialogKeysTest : public EditKeysTest {
protected:
    void SetUp() override {
        EditKeysTest::SetUp();
        ok = Place<TButton>(200, 10, 75, 25);
        ok->SetDefault(true);
        ok->OnClick = Counter(oks);
        cancel = Place<TButton>(200, 50, 75, 25);
        cancel->SetCancel(true);
        cancel->OnClick = Counter(cancels);
    }

public:
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    int oks = 0, cancels = 0;
};

// A key the form uses as a dialog key makes no character; pressed or posted, Tab reads Shift when it arrives.
TEST_F(DialogKeysTest, DialogKeysMakeNoCharacterPressedOrPosted) {
    const struct {
        const char* Name;
        Word Key;
        TShiftState Shift;
        TWinControl* (*Focus)(DialogKeysTest&);
        int Oks, Cancels;
    } cases[] = {
        {"Tab", VK_TAB, {}, [](DialogKeysTest& t) -> TWinControl* { return t.next; }, 0, 0},
        {"Shift+Tab", VK_TAB, {ssShift}, [](DialogKeysTest& t) -> TWinControl* { return t.cancel; }, 0, 0},
        {"Return", VK_RETURN, {}, [](DialogKeysTest& t) -> TWinControl* { return t.edit; }, 1, 0},
        {"Escape", VK_ESCAPE, {}, [](DialogKeysTest& t) -> TWinControl* { return t.edit; }, 0, 1},
    };
    for (bool posted : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (posted ? " posted" : " pressed"));
            Prepare("ab", 2, 2);
            oks = cancels = 0;
            if (posted) {
                PostMessage(edit->Handle(), WM_KEYDOWN, c.Key, 1);
                Testing::SetKeyboardShiftState(c.Shift);
                Input::Settle();
                Testing::SetKeyboardShiftState({});
            } else {
                Input::Key(edit, c.Key, c.Shift);
            }
            EXPECT_EQ(Count(WM_CHAR), 0);
            EXPECT_EQ(Count(WM_KEYDOWN), 0);
            EXPECT_EQ(edit->Text(), "ab");
            EXPECT_TRUE(c.Focus(*this)->Focused());
            EXPECT_EQ(oks, c.Oks);
            EXPECT_EQ(cancels, c.Cancels);
        }
}

TEST_F(DialogKeysTest, APostedKeyTheEditTakesBringsItsCharacter) {
    Prepare("ab", 2, 2);
    PostMessage(edit->Handle(), WM_KEYDOWN, 'C', 1);
    Testing::SetKeyboardShiftState({ssShift});
    Input::Settle();
    Testing::SetKeyboardShiftState({});
    EXPECT_EQ(Count(CN_KEYDOWN), 1);
    EXPECT_EQ(Count(WM_KEYDOWN), 1);
    EXPECT_EQ(Count(WM_CHAR), 1);
    EXPECT_EQ(edit->Text(), "abC");
    PostMessage(edit->Handle(), WM_KEYDOWN, VK_LEFT, 1);
    Input::Settle();
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_TRUE(edit->Focused());
}

}  // namespace

namespace {

TEST_F(EditKeysTest, TheSelectionSurvivesTheFocusLeaving) {
    edit->SetText("hello world");
    Input::Click(edit);
    Input::Key(edit, VK_END);
    for (int i = 0; i < 5; ++i) Input::Key(edit, VK_LEFT, {ssShift});
    ASSERT_EQ(edit->SelLength(), 5);
    Input::Click(next);
    ASSERT_TRUE(next->Focused());
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(edit->SelText(), "world");
    // What the peer holds comes back too: a WM_CHAR from code replaces the kept selection.
    edit->Perform(WM_CHAR, 'X', 0);
    EXPECT_EQ(edit->Text(), "hello X");
}

}  // namespace
