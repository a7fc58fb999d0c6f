#include "StdCtrlsFixture.h"
#include "vcl/Windows.h"

using MemoTest = StdCtrlsTest;

TEST_F(MemoTest, EachLinesChangeFiresOnChangeOnce) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    int changes = 0;
    memo->OnChange = Counter(changes);
    struct Step {
        const char* name;
        void (*act)(TStrings*);
        const char* text;
    };
    const Step steps[] = {
        {"Add to empty", [](TStrings* l) { l->Add("a"); }, "a\r\n"},
        {"Add", [](TStrings* l) { l->Add("b"); }, "a\r\nb\r\n"},
        {"Insert", [](TStrings* l) { l->Insert(0, "z"); }, "z\r\na\r\nb\r\n"},
        {"Put", [](TStrings* l) { l->SetStrings(1, "A"); }, "z\r\nA\r\nb\r\n"},
        {"Delete", [](TStrings* l) { l->Delete(0); }, "A\r\nb\r\n"},
        {"Text", [](TStrings* l) { l->SetText("1\n2"); }, "1\r\n2"},
        {"Clear", [](TStrings* l) { l->Clear(); }, ""},
    };
    int expected = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act(memo->Lines());
        EXPECT_EQ(changes, ++expected);
        EXPECT_EQ(memo->Text(), s.text);
    }
}

TEST_F(MemoTest, AnUpdateBlockFiresOnChangeOnce) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    int changes = 0;
    memo->OnChange = Counter(changes);
    memo->Lines()->BeginUpdate();
    for (int i = 0; i < 5; ++i) memo->Lines()->Add(IntToStr(i));
    memo->Lines()->Delete(0);
    EXPECT_EQ(changes, 0);
    memo->Lines()->EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(Testing::PeerText(memo), "1\r\n2\r\n3\r\n4\r\n");
}

TEST_F(MemoTest, TextBreaksLinesWithCrLfAndThePeerShowsTheSameText) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    memo->SetText("one\ntwo\r\nthree\rfour");
    EXPECT_EQ(memo->Text(), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(Testing::PeerText(memo), memo->Text());
    ASSERT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Lines()->Strings(2), "three");
    EXPECT_EQ(memo->Lines()->Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
}

TEST_F(MemoTest, TypedReturnBecomesCrLf) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    int changes = 0;
    memo->OnChange = Counter(changes);
    Testing::Click(memo);
    Testing::TypeText(memo, "12");
    Testing::KeyPress(memo, VK_RETURN);
    Testing::TypeText(memo, "3");
    EXPECT_EQ(memo->Text(), "12\r\n3");
    EXPECT_EQ(changes, 4);
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(1), "3");
}

TEST_F(MemoTest, LinesOutsideTheMemoRaise) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    memo->SetText("a");
    EXPECT_THROW(memo->Lines()->Strings(1), EListError);
    EXPECT_THROW(memo->Lines()->Delete(-1), EListError);
    EXPECT_THROW(memo->Lines()->Insert(3, "x"), EListError);
    EXPECT_EQ(memo->Text(), "a");
}

TEST_F(MemoTest, ALargeTextIsSetAndReadBackWhole) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    constexpr int lines = 200000;
    AnsiString text;
    for (int i = 0; i < lines; ++i) text += IntToStr(i) + "\r\n";
    int changes = 0;
    memo->OnChange = Counter(changes);
    memo->SetText(text);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo->Lines()->Count(), lines);
    EXPECT_EQ(memo->Lines()->Strings(lines - 1), IntToStr(lines - 1));
    EXPECT_EQ(Testing::PeerText(memo), text);
}
