#include "StdCtrlsFixture.h"
#include "vcl/Windows.h"

using EditTest = StdCtrlsTest;

TEST_F(EditTest, SetTextFiresOnChangeOnlyWhenTheTextChanges) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    int changes = 0;
    edit->OnChange = Counter(changes);
    edit->SetText("30");
    EXPECT_EQ(changes, 1);
    edit->SetText("30");
    EXPECT_EQ(changes, 1);
    edit->Clear();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Testing::PeerText(edit), "");
}

TEST_F(EditTest, TypingFiresOnChangeOncePerKeystrokeAndMarksModified) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    int changes = 0;
    edit->OnChange = Counter(changes);
    Testing::TypeText(edit, "123");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit->Text(), "123");
    EXPECT_TRUE(edit->Modified());
    Testing::KeyPress(edit, VK_BACK);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(edit->Text(), "12");
}

TEST_F(EditTest, EveryWindows1252ByteSurvivesThePeer) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    AnsiString all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    edit->SetText(all);
    EXPECT_EQ(Testing::PeerText(edit), all);
    edit->SetText("");
    Testing::TypeText(edit, "\x80");
    EXPECT_EQ(edit->Text(), "\x80");  // the euro sign
}

TEST_F(EditTest, ReadOnlyAndDisabledEditsIgnoreTyping) {
    struct Case {
        const char* name;
        bool readOnly;
        bool enabled;
    };
    for (const Case& c : {Case{"read-only", true, true}, Case{"disabled", false, false}}) {
        SCOPED_TRACE(c.name);
        auto* edit = Place<TEdit>(10, 10, 120, 21);
        auto* other = Place<TEdit>(10, 40, 120, 21);
        edit->SetText("x");
        edit->SetReadOnly(c.readOnly);
        edit->SetEnabled(c.enabled);
        int changes = 0;
        edit->OnChange = Counter(changes);
        Testing::Focus(other);
        Testing::Click(edit);
        if (c.enabled) Testing::TypeText(edit, "yz");
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(edit->Text(), "x");
        EXPECT_EQ(Testing::PeerEnabled(edit), c.enabled);
        edit->Free();
        other->Free();
    }
}

TEST_F(EditTest, MaxLengthAndCharCaseApplyToTyping) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    edit->SetMaxLength(3);
    edit->SetCharCase(ecUpperCase);
    Testing::TypeText(edit, "abcd");
    EXPECT_EQ(edit->Text(), "ABC");
    EXPECT_EQ(Testing::PeerText(edit), "ABC");
}

TEST_F(EditTest, SelectionIsKeptByTheControlAndShownByThePeer) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    edit->SetText("hello world");
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelText(), "world");
    int changes = 0;
    edit->OnChange = Counter(changes);
    edit->SetSelText("there");
    EXPECT_EQ(edit->Text(), "hello there");
    EXPECT_EQ(changes, 1);
    edit->SelectAll();
    EXPECT_EQ(edit->SelLength(), 11);
    Testing::TypeText(edit, "x");
    EXPECT_EQ(edit->Text(), "x");
    EXPECT_EQ(edit->SelStart(), 1);
}
