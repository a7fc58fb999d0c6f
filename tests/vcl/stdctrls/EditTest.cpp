#include <vector>

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
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
    // The window text message itself: a text that is a prefix or an extension of the stored one is a change.
    const struct {
        const char* Text;
        TEditCharCase Case;
        bool Changes;
    } steps[] = {{"30", ecNormal, true},     {"30", ecNormal, false},   {"3", ecNormal, true},
                 {"30", ecNormal, true},     {"300", ecNormal, true},   {"", ecNormal, true},
                 {"", ecNormal, false},      {"ab", ecUpperCase, true}, {"AB", ecUpperCase, false},
                 {"aB", ecUpperCase, false}, {"abc", ecUpperCase, true}};
    for (const auto& step : steps) {
        edit->SetCharCase(step.Case);
        const int before = changes;
        edit->SetTextBuf(step.Text);
        EXPECT_EQ(changes - before, step.Changes ? 1 : 0) << step.Text;
    }
    EXPECT_EQ(edit->Text(), "ABC");
}

TEST_F(EditTest, TypingFiresOnChangeOncePerKeystrokeAndMarksModified) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    int changes = 0;
    edit->OnChange = Counter(changes);
    Testing::Click(edit);
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
    Testing::Click(edit);
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
        Testing::Click(other);
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
    Testing::Click(edit);
    Testing::TypeText(edit, "abcd");
    EXPECT_EQ(edit->Text(), "ABC");
    EXPECT_EQ(Testing::PeerText(edit), "ABC");
}

TEST_F(EditTest, SelectionIsKeptByTheControlAndShownByThePeer) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    Testing::Click(edit);
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

TEST_F(EditTest, ATextFromCodeShowsFromItsFirstCharacterWithTheCaretAtZero) {
    auto* edit = Place<TEdit>(10, 10, 80, 21);
    auto* other = Place<TEdit>(10, 40, 80, 21);
    const AnsiString start = "2'400'";
    const AnsiString whole = start + "000'000'000'000'000'000'000";
    for (bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "not focused");
        Input::TabTo(focused ? edit : other);
        edit->SetText(start);
        Input::Settle();
        const std::vector<TColor> startShown = ShownPixels(form, edit, 24);
        edit->SetText(whole);
        Input::Settle();
        EXPECT_EQ(edit->SelStart(), 0);
        EXPECT_EQ(Testing::PeerProperty(edit, "cursorPosition"), "0");
        // The frame and the first characters look as with the short text alone: the start shows.
        EXPECT_EQ(ShownPixels(form, edit, 24), startShown);
    }
}

TEST_F(EditTest, AHandlerRewritingTheFocusedEditKeepsTheCaretWithTheTyping) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    // Groups the digits as they are typed: 1234 shows as 1'234.
    edit->OnChange = [edit](TObject*) {
        AnsiString digits;
        for (char c : edit->Text())
            if (c != '\'') digits += c;
        AnsiString grouped;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '\'';
            grouped += digits[i];
        }
        edit->SetText(grouped);
    };
    Input::TabTo(edit);
    Input::Type(edit, "1234567");
    EXPECT_EQ(edit->Text(), "1'234'567");
    EXPECT_EQ(edit->SelStart(), 9);
    // Typing inside the number: the caret stays after the typed digit.
    Input::Key(edit, VK_HOME);
    for (int i = 0; i < 3; ++i) Input::Key(edit, VK_RIGHT);  // after "1'2"
    Input::Type(edit, "0");
    EXPECT_EQ(edit->Text(), "12'034'567");
    EXPECT_EQ(edit->SelStart(), 4);
    EXPECT_EQ(Testing::PeerProperty(edit, "cursorPosition"), "4");
    Input::Type(edit, "9");
    EXPECT_EQ(edit->Text(), "120'934'567");
}

TEST_F(EditTest, OnChangeSeesTheCaretAfterTheKeystroke) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    std::vector<Integer> carets;
    edit->OnChange = [&](TObject*) { carets.push_back(edit->SelStart()); };
    Input::Click(edit);
    Input::Type(edit, "ab");
    Input::Key(edit, VK_BACK);
    EXPECT_EQ(carets, (std::vector<Integer>{1, 2, 1}));
}

TEST_F(EditTest, AssigningTextClearsModifiedAndTheUsersEditsSetIt) {
    auto* edit = Place<TEdit>(10, 10, 120, 21);
    Input::Click(edit);
    Input::Type(edit, "7");
    EXPECT_TRUE(edit->Modified());
    edit->SetText("30");
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(edit->Perform(EM_GETMODIFY, 0, 0), FALSE);
    edit->SetSelStart(2);
    edit->SetSelText("0");  // as EM_REPLACESEL: an edit, not a new text
    EXPECT_TRUE(edit->Modified());
    edit->SetText("300");  // the same text: nothing is sent, nothing changes
    EXPECT_TRUE(edit->Modified());
    edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    EXPECT_FALSE(edit->Modified());
}
