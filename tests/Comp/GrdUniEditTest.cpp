// The Unicode edit on a shown form: wide characters typed or committed by the input method reach the
// window whole while the class library's key handling sees 255, a key handler can still stop them,
// the same text again changes nothing, and a new window keeps the wide text.
#include <memory>
#include <vector>

#include "GrdUni.h"
#include "GridUnitFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

using namespace GrdUni;

namespace {

// Re-creation has no user path: a style change on the platform, RecreateWnd here.
class TRecreatableUniEdit : public TGrdUniEdit {
public:
    using TGrdUniEdit::RecreateWnd;
    using TGrdUniEdit::TGrdUniEdit;
};

class GrdUniEditTest : public GridUnitFixture {
protected:
    void TearDown() override {
        GridUnitFixture::TearDown();
        ResetWindowsVersion();
    }

    // The keys OnKeyPress saw, as bytes.
    static TKeyPressEvent KeyRecorder(std::vector<Byte>& Keys) {
        return [&Keys](TObject*, char& Key) { Keys.push_back(static_cast<Byte>(Key)); };
    }
};

enum TInput { inTyped, inCommitted };

void Enter(TWinControl* Edit, TInput How, const WideString& Text) {
    if (How == inTyped) Input::TypeWide(Edit, Text);
    else Input::CommitInputMethod(Edit, Text);
}

TEST_F(GrdUniEditTest, WideCharactersReachTheWindowWholeWhileKeyPressSees255) {
    struct Case {
        const char* Name;
        bool Unicode;
        TInput How;
        WideString Shown;
        std::vector<Byte> Keys;
    };
    const Case cases[] = {
        {"typed into the Unicode edit", true, inTyped, u"a\u65E5\u20AC\u00E9", {'a', 255, 255, 0xE9}},
        {"committed into the Unicode edit", true, inCommitted, u"a\u65E5\u20AC\u00E9", {'a', 255, 255, 0xE9}},
        {"typed into a single-byte edit", false, inTyped, u"a?\u20AC\u00E9", {'a', '?', 0x80, 0xE9}},
        {"committed into a single-byte edit", false, inCommitted, u"a?\u20AC\u00E9", {'a', '?', 0x80, 0xE9}},
    };
    for (const Case& c : cases) {
        TCustomEdit* edit =
            c.Unicode ? static_cast<TCustomEdit*>(Place<TGrdUniEdit>(10, 10, 200, 24)) : Place<TEdit>(10, 10, 200, 24);
        std::vector<Byte> keys;
        edit->OnKeyPress = KeyRecorder(keys);
        int changes = 0;
        edit->OnChange = Counter(changes);
        Input::Settle();
        Input::TabTo(edit);
        Enter(edit, c.How, u"a\u65E5\u20AC\u00E9");
        EXPECT_EQ(keys, c.Keys) << c.Name;
        EXPECT_EQ(Testing::PeerWideText(edit), c.Shown) << c.Name;
        EXPECT_EQ(GetWideText(edit), c.Shown) << c.Name;
        EXPECT_EQ(edit->Text(), WideToAnsi(c.Shown)) << c.Name;
        EXPECT_EQ(changes, 4) << c.Name;
        edit->Free();
    }
}

TEST_F(GrdUniEditTest, AKeyPressThatClearsACharacterStopsItsInsertion) {
    for (TInput how : {inTyped, inCommitted}) {
        auto* edit = Place<TGrdUniEdit>(10, 10, 200, 24);
        edit->OnKeyPress = [](TObject*, char& Key) {
            if (static_cast<Byte>(Key) == 255) Key = 0;
        };
        Input::Settle();
        Input::TabTo(edit);
        Enter(edit, how, u"x\u65E5y\u00FFz");
        EXPECT_EQ(edit->Text(), u"xyz") << how;
        EXPECT_EQ(Testing::PeerWideText(edit), u"xyz") << how;
        edit->Free();
    }
}

TEST_F(GrdUniEditTest, SettingTheWideTextFiresChangesOnlyWhenItDiffers) {
    auto* edit = Place<TGrdUniEdit>(10, 10, 200, 24);
    int changes = 0;
    edit->OnChange = Counter(changes);
    Input::Settle();
    struct Step {
        WideString Text;
        int Changes;
    };
    // The third differs only where the code page shows '?' for both.
    const Step steps[] = {{u"\u65E5\u672C", 1}, {u"\u65E5\u672C", 1}, {u"\u4E2D\u672C", 2}, {u"", 3}, {u"", 3}};
    for (const Step& s : steps) {
        edit->SetText(s.Text);
        EXPECT_EQ(changes, s.Changes) << (&s - steps);
        EXPECT_EQ(edit->Text(), s.Text) << (&s - steps);
        EXPECT_EQ(Testing::PeerWideText(edit), s.Text) << (&s - steps);
    }
}

TEST_F(GrdUniEditTest, ANewWindowKeepsTheWideTextAndItsTrap) {
    auto* edit = new TRecreatableUniEdit(form);
    int changes = 0;
    edit->OnChange = Counter(changes);
    edit->SetText(u"\u65E5\u20AC");  // before the window exists: the holder keeps it
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(edit->Text(), u"\u65E5\u20AC");
    edit->SetParent(form);
    Input::Settle();
    EXPECT_TRUE(IsWindowUnicode(edit->Handle()));
    EXPECT_EQ(edit->Text(), u"\u65E5\u20AC");
    EXPECT_NE(TWinControlTrap::Of(edit->Handle()), nullptr);
    edit->RecreateWnd();
    Input::Settle();
    EXPECT_EQ(edit->Text(), u"\u65E5\u20AC");
    EXPECT_EQ(Testing::PeerWideText(edit), u"\u65E5\u20AC");
    EXPECT_NE(TWinControlTrap::Of(edit->Handle()), nullptr);
    EXPECT_EQ(changes, 1) << "the text set before the window; the windows took it without a change";
}

TEST_F(GrdUniEditTest, OnlyTheNTVersionAnswerMakesUnicodeWindows) {
    struct Case {
        DWORD Platform;
        bool Unicode;
        WideString Kept;
    };
    const Case cases[] = {{VER_PLATFORM_WIN32_NT, true, u"\u65E5"}, {VER_PLATFORM_WIN32_WINDOWS, false, u"?"}};
    for (const Case& c : cases) {
        SetWindowsVersionForTest(c.Platform, c.Platform == VER_PLATFORM_WIN32_NT ? 5 : 4, 1, 2600);
        auto* edit = Place<TGrdUniEdit>(10, 10, 200, 24);
        Input::Settle();
        EXPECT_EQ(IsWindowUnicode(edit->Handle()) != FALSE, c.Unicode) << c.Platform;
        edit->SetText(u"\u65E5");
        EXPECT_EQ(edit->Text(), c.Kept) << c.Platform;
        EXPECT_EQ(edit->Font()->Charset(), 255);
        edit->Free();
        ResetWindowsVersion();
    }
}

}  // namespace
