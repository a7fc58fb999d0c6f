#include <random>

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

// Breaks of every kind in every place, past eight-byte runs without one too, come out as CR LF.
TEST_F(MemoTest, AnyLineBreakBecomesCrLfWhereverItFalls) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    std::mt19937 random(9);
    const char pieces[] = {'a', 'b', '\r', '\n'};
    for (int i = 0; i < 400; ++i) {
        AnsiString text;
        const int length = static_cast<int>(random() % 40);
        for (int j = 0; j < length; ++j) text += pieces[random() % (random() % 5 == 0 ? 4 : 2)];
        AnsiString expected;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == '\r' || text[k] == '\n') {
                expected += "\r\n";
                if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
            } else {
                expected += text[k];
            }
        }
        memo->SetText(text);
        ASSERT_EQ(memo->Text(), expected) << i;
        ASSERT_EQ(Testing::PeerText(memo), expected) << i;
    }
}

// A text handed over whole reads back, reaches the view and fires OnChange as a copied one does, whatever
// the memo changes on the way (line breaks, letter case) or cuts off (at a NUL).
TEST_F(MemoTest, ATextHandedOverIsTheSameAsACopiedOne) {
    const AnsiString lines = AnsiString(40, 'x') + "\r\n" + AnsiString(40, 'y');
    const struct {
        const char* Name;
        AnsiString Text;
        TEditCharCase Case;
        AnsiString Expected;
    } cases[] = {
        {"short", "ab", ecNormal, "ab"},
        {"long", lines, ecNormal, lines},
        {"long with LF breaks", AnsiString(40, 'x') + "\n" + AnsiString(40, 'y'), ecNormal, lines},
        {"long in upper case", AnsiString(40, 'x'), ecUpperCase, AnsiString(40, 'X')},
        {"long with a NUL", AnsiString(40, 'x') + AnsiString(1, '\0') + "tail", ecNormal, AnsiString(40, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* memo = Place<TMemo>(10, 10, 200, 100);
        memo->SetCharCase(c.Case);
        int changes = 0;
        memo->OnChange = Counter(changes);
        AnsiString handed = c.Text;
        memo->HandOverText(std::move(handed));
        EXPECT_EQ(memo->Text(), c.Expected);
        EXPECT_EQ(Testing::PeerText(memo), c.Expected);
        EXPECT_EQ(changes, 1);
        AnsiString again = c.Text;
        memo->HandOverText(std::move(again));
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(memo->Text(), c.Expected);
    }
}

// ClearInto is Clear to everyone watching; a long text's memory goes to the storage given, emptied.
TEST_F(MemoTest, ClearIntoClearsAsClearDoesAndHandsOverALongTextsMemory) {
    const AnsiString lines = AnsiString(4000, 'x') + "\r\n" + AnsiString(4000, 'y');
    const struct {
        const char* Name;
        AnsiString Text;
        bool InUpdate;
        bool MemoryHandedOver;
    } cases[] = {
        {"empty", "", false, false},
        {"short", "ab", false, false},
        {"long", lines, false, true},
        {"long inside an update block", lines, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* memo = Place<TMemo>(10, 10, 200, 100);
        memo->SetText(c.Text);
        memo->SetSelStart(2);
        int changes = 0;
        AnsiString seenInOnChange = "none";
        memo->OnChange = [&](TObject*) {
            ++changes;
            seenInOnChange = memo->Text();
        };
        AnsiString storage = "left over";
        if (c.InUpdate) memo->Lines()->BeginUpdate();
        memo->ClearInto(storage);
        if (c.InUpdate) memo->Lines()->EndUpdate();
        EXPECT_EQ(memo->Text(), "");
        EXPECT_EQ(memo->Lines()->Count(), 0);
        EXPECT_EQ(Testing::PeerText(memo), "");
        EXPECT_EQ(memo->SelStart(), 0);
        EXPECT_EQ(changes, c.Text.empty() ? 0 : 1);
        EXPECT_EQ(seenInOnChange, c.Text.empty() ? "none" : "");
        EXPECT_EQ(storage, "");
        EXPECT_EQ(storage.capacity() >= lines.size(), c.MemoryHandedOver);
    }
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
