// The memo's view as a user drives it: keys, mouse, clipboard, limits, painting and very long texts.

#include "StdCtrlsFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Windows.h"

namespace {

class MemoViewTest : public StdCtrlsTest {
protected:
    TMemo* NewMemo(const AnsiString& Text = "") {
        auto* memo = Place<TMemo>(10, 10, 200, 100);
        memo->SetText(Text);
        memo->OnChange = Counter(changes);
        Input::TabTo(memo);
        return memo;
    }

    static void Key(TMemo* Memo, Word VirtualKey, TShiftState Shift = {}) {
        Testing::KeyPress(Memo, VirtualKey, Shift);
    }

    // The memo's lines of equal length: the number of the line under the view's top row, read by a click.
    static Integer TopLineByClick(TMemo* Memo, Integer LineBytes) {
        Testing::Click(Memo, 6, 4);
        return Memo->SelStart() / LineBytes;
    }

    int changes = 0;
};

TEST_F(MemoViewTest, KeysMoveTheCaretAndShiftSelects) {
    // "ab cd" / "efg" / "h": line starts 0, 7, 12; the text is 13 bytes.
    struct Step {
        const char* name;
        Integer from;
        std::vector<std::pair<Word, TShiftState>> keys;
        Integer selStart;
        Integer selLength;
    };
    const TShiftState none{}, shift{ssShift}, ctrl{ssCtrl}, ctrlShift{ssCtrl, ssShift};
    const Step steps[] = {
        {"Right", 0, {{VK_RIGHT, none}, {VK_RIGHT, none}}, 2, 0},
        {"Right over a line break", 5, {{VK_RIGHT, none}}, 7, 0},
        {"Left over a line break", 7, {{VK_LEFT, none}}, 5, 0},
        {"End", 1, {{VK_END, none}}, 5, 0},
        {"Home", 9, {{VK_HOME, none}}, 7, 0},
        {"Down keeps the column", 2, {{VK_DOWN, none}}, 9, 0},
        {"Down to a shorter line", 4, {{VK_DOWN, none}, {VK_DOWN, none}}, 13, 0},
        {"Up then down returns to the column",
         4,
         {{VK_DOWN, none}, {VK_DOWN, none}, {VK_UP, none}, {VK_UP, none}},
         4,
         0},
        {"Ctrl+End", 0, {{VK_END, ctrl}}, 13, 0},
        {"Ctrl+Home", 9, {{VK_HOME, ctrl}}, 0, 0},
        {"Ctrl+Right to the next word", 0, {{VK_RIGHT, ctrl}}, 3, 0},
        {"Ctrl+Right stops at the line end", 3, {{VK_RIGHT, ctrl}}, 5, 0},
        {"Ctrl+Right to the next line", 5, {{VK_RIGHT, ctrl}}, 7, 0},
        {"Ctrl+Left to the word start", 5, {{VK_LEFT, ctrl}}, 3, 0},
        {"Ctrl+Left to the previous line end", 7, {{VK_LEFT, ctrl}}, 5, 0},
        {"Shift+Right selects", 0, {{VK_RIGHT, shift}, {VK_RIGHT, shift}}, 0, 2},
        {"Shift+Home selects back", 10, {{VK_HOME, shift}}, 7, 3},
        {"Ctrl+Shift+End selects to the end", 7, {{VK_END, ctrlShift}}, 7, 6},
        {"Shift+Down selects the line break", 5, {{VK_DOWN, shift}}, 5, 5},
        {"Left collapses a selection to its start", 0, {{VK_RIGHT, shift}, {VK_RIGHT, shift}, {VK_LEFT, none}}, 0, 0},
        {"Ctrl+A selects all", 4, {{'A', ctrl}}, 0, 13},
        {"PageDown goes to the last line", 0, {{VK_NEXT, none}}, 12, 0},
        {"PageUp goes to the first line", 12, {{VK_PRIOR, none}}, 0, 0},
    };
    TMemo* memo = NewMemo("ab cd\r\nefg\r\nh");
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        memo->SetSelStart(s.from);
        for (const auto& [key, state] : s.keys) Key(memo, key, state);
        EXPECT_EQ(memo->SelStart(), s.selStart);
        EXPECT_EQ(memo->SelLength(), s.selLength);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(memo->Text(), "ab cd\r\nefg\r\nh");
}

TEST_F(MemoViewTest, TypingBackspaceDeleteAndReturnChangeTheTextOnceEach) {
    TMemo* memo = NewMemo();
    struct Step {
        const char* name;
        void (*act)(TMemo*);
        const char* text;
        Integer caret;
        int changes;
    };
    const Step steps[] = {
        {"type", [](TMemo* m) { Testing::TypeText(m, "ab"); }, "ab", 2, 2},
        {"Return", [](TMemo* m) { Key(m, VK_RETURN); }, "ab\r\n", 4, 1},
        {"type on the new line", [](TMemo* m) { Testing::TypeText(m, "c"); }, "ab\r\nc", 5, 1},
        {"Backspace", [](TMemo* m) { Key(m, VK_BACK); }, "ab\r\n", 4, 1},
        {"Backspace joins the lines", [](TMemo* m) { Key(m, VK_BACK); }, "ab", 2, 1},
        {"Delete before the end",
         [](TMemo* m) {
             m->SetSelStart(0);
             Key(m, VK_DELETE);
         },
         "b", 0, 1},
        {"typing replaces a selection",
         [](TMemo* m) {
             Key(m, 'A', {ssCtrl});
             Testing::TypeText(m, "z");
         },
         "z", 1, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        int before = changes;
        s.act(memo);
        EXPECT_EQ(memo->Text(), s.text);
        EXPECT_EQ(memo->SelStart(), s.caret);
        EXPECT_EQ(Testing::PeerText(memo), s.text);
        EXPECT_EQ(changes - before, s.changes);
    }
}

TEST_F(MemoViewTest, OnChangeSeesTheCaretAfterTheEdit) {
    TMemo* memo = NewMemo("abc");
    Integer seen = -1;
    memo->OnChange = [&](TObject*) { seen = memo->SelStart(); };
    memo->SetSelStart(3);
    Testing::TypeText(memo, "d");
    EXPECT_EQ(seen, 4);
}

// The view shows the memo's own text: what the memo stores after an edit is what the user sees, also
// when the memo changes the edit (letter case) or its OnChange replaces the whole text.
TEST_F(MemoViewTest, EditsTheMemoChangesAreWhatTheViewShows) {
    TMemo* memo = NewMemo("ab\r\ncd");
    memo->SetCharCase(ecUpperCase);
    memo->SetSelStart(2);
    Testing::TypeText(memo, "xy");
    EXPECT_EQ(memo->Text(), "ABXY\r\nCD");
    EXPECT_EQ(Testing::PeerText(memo), memo->Text());
    EXPECT_EQ(memo->SelStart(), 4);
    Key(memo, 'Z', {ssCtrl});
    EXPECT_EQ(memo->Text(), "AB\r\nCD");
    EXPECT_EQ(Testing::PeerText(memo), memo->Text());
    // A new text set while the edit is announced keeps the caret as far from the end, in the memo and the
    // view, so the typing goes on there.
    Testing::Click(memo);
    memo->OnChange = [memo](TObject*) {
        if (memo->Text().size() > 6) memo->SetText("R");
    };
    memo->SetSelStart(6);
    Testing::TypeText(memo, "q");
    EXPECT_EQ(memo->Text(), "R");
    EXPECT_EQ(Testing::PeerText(memo), "R");
    EXPECT_EQ(memo->SelStart(), 1);
    Testing::TypeText(memo, "s");
    EXPECT_EQ(memo->Text(), "RS");
    EXPECT_EQ(Testing::PeerText(memo), "RS");
    EXPECT_EQ(memo->SelStart(), 2);
}

TEST_F(MemoViewTest, BackspaceAndDeleteAtTheEndsChangeNothing) {
    TMemo* memo = NewMemo("x");
    memo->SetSelStart(0);
    Key(memo, VK_BACK);
    memo->SetSelStart(1);
    Key(memo, VK_DELETE);
    EXPECT_EQ(memo->Text(), "x");
    EXPECT_EQ(changes, 0);
}

TEST_F(MemoViewTest, CopiedLinesPasteAsCrLfText) {
    TMemo* source = NewMemo("one\r\ntwo\r\n");
    TMemo* target = Place<TMemo>(10, 120, 200, 100);
    target->SetText("[]");
    int targetChanges = 0;
    target->OnChange = Counter(targetChanges);
    Key(source, 'A', {ssCtrl});
    Key(source, 'C', {ssCtrl});
    Input::TabTo(target);
    target->SetSelStart(1);
    Key(target, 'V', {ssCtrl});
    EXPECT_EQ(target->Text(), "[one\r\ntwo\r\n]");
    EXPECT_EQ(target->SelStart(), 11);
    EXPECT_EQ(targetChanges, 1);
    ASSERT_EQ(target->Lines()->Count(), 3);
    EXPECT_EQ(target->Lines()->Strings(2), "]");
    // Shift+Insert pastes too, and Ctrl+X takes the selection away.
    target->SetSelStart(0);
    Key(target, VK_INSERT, {ssShift});
    EXPECT_EQ(target->Text(), "one\r\ntwo\r\n[one\r\ntwo\r\n]");
    target->SelectAll();
    Key(target, 'X', {ssCtrl});
    EXPECT_EQ(target->Text(), "");
    EXPECT_EQ(targetChanges, 3);
}

TEST_F(MemoViewTest, ReadOnlyRefusesEditsButNavigatesAndCopies) {
    TMemo* memo = NewMemo("12\r\n34");
    memo->SetReadOnly(true);
    memo->SetSelStart(2);
    Testing::TypeText(memo, "x");
    Key(memo, VK_BACK);
    Key(memo, VK_DELETE);
    Key(memo, VK_RETURN);
    Key(memo, 'V', {ssCtrl});
    Key(memo, VK_HOME, {ssShift});
    Key(memo, 'X', {ssCtrl});
    EXPECT_EQ(memo->Text(), "12\r\n34");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(memo->SelStart(), 0);
    EXPECT_EQ(memo->SelLength(), 2);
    Key(memo, 'C', {ssCtrl});
    TMemo* other = Place<TMemo>(10, 120, 200, 100);
    Input::TabTo(other);
    Key(other, 'V', {ssCtrl});
    EXPECT_EQ(other->Text(), "12");
}

TEST_F(MemoViewTest, MaxLengthLimitsTypingAndPastingButNotCode) {
    TMemo* memo = NewMemo();
    memo->SetMaxLength(5);
    Testing::TypeText(memo, "abcdef");
    EXPECT_EQ(memo->Text(), "abcde");
    EXPECT_EQ(changes, 5);
    // Pasting keeps what fits in the room the selection leaves.
    TMemo* source = Place<TMemo>(10, 120, 200, 100);
    source->SetText("123");
    Input::TabTo(source);
    source->SelectAll();
    Key(source, 'C', {ssCtrl});
    Input::TabTo(memo);
    memo->SetSelStart(4);
    memo->SetSelLength(1);
    Key(memo, 'V', {ssCtrl});
    EXPECT_EQ(memo->Text(), "abcd1");
    // A line break needs two characters of room.
    memo->SetSelStart(4);
    memo->SetSelLength(1);
    memo->SetMaxLength(5);
    Key(memo, VK_RETURN);
    EXPECT_EQ(memo->Text(), "abcd1");
    memo->SetText("longer than five");
    EXPECT_EQ(memo->Text(), "longer than five");
}

TEST_F(MemoViewTest, ReturnWithoutWantReturnsTypesNothing) {
    TMemo* memo = NewMemo("a");
    memo->SetWantReturns(false);
    memo->SetSelStart(1);
    Key(memo, VK_RETURN);
    EXPECT_EQ(memo->Text(), "a");
    EXPECT_EQ(changes, 0);
}

TEST_F(MemoViewTest, TabTypesATab) {
    TMemo* memo = NewMemo();
    memo->SetWantTabs(true);
    Key(memo, VK_TAB);
    EXPECT_EQ(memo->Text(), "\t");
}

TEST_F(MemoViewTest, UndoTakesBackTheLastEditAndUndoingAgainRedoes) {
    TMemo* memo = NewMemo("x");
    memo->SetSelStart(1);
    Testing::TypeText(memo, "yz");
    Key(memo, 'Z', {ssCtrl});
    EXPECT_EQ(memo->Text(), "x");
    Key(memo, 'Z', {ssCtrl});
    EXPECT_EQ(memo->Text(), "xyz");
    EXPECT_EQ(changes, 4);
}

TEST_F(MemoViewTest, MouseClicksDragsAndDoubleClicksSelect) {
    TMemo* memo = NewMemo("alpha beta\r\ngamma");
    Testing::Click(memo, 150, 4);
    EXPECT_EQ(memo->SelStart(), 10) << "a click right of a line puts the caret at its end";
    EXPECT_TRUE(memo->Focused());
    Testing::Click(memo, 1, 4);
    EXPECT_EQ(memo->SelStart(), 0);
    Testing::Click(memo, 150, 4, mbLeft, {ssShift});
    EXPECT_EQ(memo->SelStart(), 0);
    EXPECT_EQ(memo->SelLength(), 10);
    Testing::MouseDown(memo, 1, 4);
    Testing::MouseMove(memo, 150, 60, {ssLeft});
    Testing::MouseUp(memo, 150, 60);
    EXPECT_EQ(memo->SelStart(), 0);
    EXPECT_EQ(memo->SelLength(), 17) << "dragging below the last line selects to the end";
    Testing::DoubleClick(memo, 120, 4);
    EXPECT_EQ(memo->SelText(), "beta");
    EXPECT_EQ(changes, 0);
}

TEST_F(MemoViewTest, WrappedLinesMoveByRowsAndEndAtTheRow) {
    auto* memo = Place<TMemo>(10, 10, 80, 120);
    memo->SetWordWrap(true);
    AnsiString line;
    for (int i = 0; i < 20; ++i) line += "word ";
    memo->SetText(line + "\r\nlast");
    Input::TabTo(memo);
    memo->SetSelStart(0);
    Key(memo, VK_DOWN);
    EXPECT_GT(memo->SelStart(), 0);
    EXPECT_LT(memo->SelStart(), static_cast<Integer>(line.size())) << "the second row of the first line";
    memo->SetSelStart(0);
    Key(memo, VK_END);
    EXPECT_GT(memo->SelStart(), 0);
    EXPECT_LT(memo->SelStart(), static_cast<Integer>(line.size()));
}

TEST_F(MemoViewTest, LinesChangesKeepTheCaretWithItsText) {
    TMemo* memo = NewMemo("ab\r\ncd");
    memo->SetSelStart(5);
    memo->Lines()->Insert(0, "new");
    EXPECT_EQ(memo->SelStart(), 10);
    Testing::TypeText(memo, "!");
    EXPECT_EQ(memo->Text(), "new\r\nab\r\nc!d");
    memo->Lines()->Add("end");
    EXPECT_EQ(Testing::PeerText(memo), "new\r\nab\r\nc!d\r\nend");
    EXPECT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Lines()->Strings(3), "end");
}

TEST_F(MemoViewTest, AnUpdateBlockShowsItsTextAtOnceToTheCodeAndOnceToThePeer) {
    TMemo* memo = NewMemo("a");
    memo->Lines()->BeginUpdate();
    memo->Lines()->Add("b");
    EXPECT_EQ(memo->Text(), "a\r\nb");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(Testing::PeerText(memo), "a");
    memo->Lines()->Add("c");
    memo->Lines()->EndUpdate();
    EXPECT_EQ(Testing::PeerText(memo), "a\r\nb\r\nc");
    EXPECT_EQ(changes, 1);
}

TEST_F(MemoViewTest, PaintsTheLinesInViewInTheControlsColoursWithASunkenBorder) {
    TMemo* memo = NewMemo("");
    memo->SetColor(clYellow);
    memo->Font()->SetColor(clBlack);
    memo->SetText("\r\nWWWWWWWWWWWW\r\nWWWWWWWWWWWW");
    auto inkIn = [&](TBitmap* Shot, TColor Ink) {
        int count = 0;
        for (int y = 2; y < 60; ++y)
            for (int x = 2; x < 150; ++x)
                if (ColorToRGB(Shot->Canvas()->Pixels(x, y)) == ColorToRGB(Ink)) ++count;
        return count;
    };
    TBitmap* shot = Testing::RenderControl(memo);
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(0, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(1, 1)), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(199, 99)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(150, 80)), ColorToRGB(clYellow));
    EXPECT_GT(inkIn(shot, clBlack), 20);
    delete shot;
    // Disabled, the text turns grey on the same background.
    memo->SetEnabled(false);
    shot = Testing::RenderControl(memo);
    EXPECT_EQ(inkIn(shot, clBlack), 0);
    EXPECT_GT(inkIn(shot, clGrayText), 20);
    EXPECT_EQ(ColorToRGB(shot->Canvas()->Pixels(150, 80)), ColorToRGB(clYellow));
    delete shot;
}

TEST_F(MemoViewTest, AMillionLinesScrollToTheirLastLine) {
    auto* memo = Place<TMemo>(10, 10, 200, 100);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    constexpr int lines = 1000000;
    constexpr Integer lineBytes = 13;  // eleven digits and CR LF
    AnsiString text;
    text.reserve(static_cast<std::size_t>(lines) * lineBytes);
    for (int i = 0; i < lines; ++i) text += std::to_string(10000000000LL + i) + "\r\n";
    memo->SetText(text);
    EXPECT_EQ(memo->Lines()->Count(), lines);
    EXPECT_EQ(TopLineByClick(memo, lineBytes), 0);
    Testing::Wheel(memo, 50, 50, -120);
    EXPECT_EQ(TopLineByClick(memo, lineBytes), 3);
    Key(memo, VK_END, {ssCtrl});
    EXPECT_EQ(memo->SelStart(), static_cast<Integer>(text.size()));
    Integer top = TopLineByClick(memo, lineBytes);
    EXPECT_GT(top, lines - 10);
    EXPECT_LE(top, lines);
    // Typing at the end lands on the empty last line.
    Key(memo, VK_END, {ssCtrl});
    Testing::TypeText(memo, "7");
    EXPECT_EQ(memo->Text().size(), text.size() + 1);
    EXPECT_EQ(memo->Lines()->Strings(lines), "7");
}

}  // namespace

namespace {

// The line queries answer in the lines the memo shows: a wrapped line counts once per row, and the rows of
// one line follow each other without gaps or overlaps.
TEST_F(MemoViewTest, LineQueriesCountTheRowsAWrappedLineShows) {
    struct Case {
        const char* Name;
        bool WordWrap;
        Integer MinLines, MaxLines;
    };
    const Case cases[] = {{"wrapped", true, 4, 40}, {"not wrapped", false, 3, 3}};
    const AnsiString text = "one two three four five six seven eight nine ten eleven twelve\r\nshort\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TMemo* memo = NewMemo();
        memo->SetWordWrap(c.WordWrap);
        memo->SetText(text);
        const auto lines = static_cast<Integer>(memo->Perform(EM_GETLINECOUNT, 0, 0));
        EXPECT_GE(lines, c.MinLines);
        EXPECT_LE(lines, c.MaxLines);
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, 0, 0), 0);
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, lines, 0), -1);
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, lines - 2, 0), static_cast<LRESULT>(text.find("short")));
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, lines - 1, 0), static_cast<LRESULT>(text.size()));
        EXPECT_EQ(memo->Perform(EM_LINELENGTH, text.find("short") + 2, 0), 5);
        Integer covered = 0;
        for (Integer line = 0; line < lines; ++line) {
            const auto start = static_cast<Integer>(memo->Perform(EM_LINEINDEX, line, 0));
            EXPECT_EQ(memo->Perform(EM_LINEFROMCHAR, start, 0), line) << line;
            EXPECT_GE(start, covered) << line;
            covered = start + static_cast<Integer>(memo->Perform(EM_LINELENGTH, start, 0));
        }
        memo->SetSelStart(static_cast<Integer>(text.find("short")) + 1);
        EXPECT_EQ(memo->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), lines - 2);
        EXPECT_EQ(memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(-1), 0), static_cast<LRESULT>(text.find("short")));
        memo->Free();
    }
}

TEST_F(MemoViewTest, AOneLineEditAnswersTheLineQueriesWithItsOneLine) {
    auto* edit = Place<TEdit>(10, 150, 100, 21);
    edit->SetText("a one-line text");
    EXPECT_EQ(edit->Perform(EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(edit->Perform(EM_LINEFROMCHAR, 7, 0), 0);
    EXPECT_EQ(edit->Perform(EM_LINEINDEX, 0, 0), 0);
    EXPECT_EQ(edit->Perform(EM_LINEINDEX, 1, 0), -1);
    EXPECT_EQ(edit->Perform(EM_LINELENGTH, 3, 0), 15);
    edit->SetSelStart(2);
    edit->SetSelLength(4);
    EXPECT_EQ(edit->Perform(EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 11);
}

}  // namespace
