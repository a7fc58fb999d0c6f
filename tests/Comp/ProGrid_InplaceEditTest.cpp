// The grid's in-place edit as a user meets it on a shown, active form: characters filtered per editor type
// (the keypad's point, separators, beeps, the bytes 0x80-0x9F), MaxLength, look-up and its history, the
// caret walking into the next cell, line breaks, the clipboard with its events, password cells, the commit
// keys, and the row and column growing with the text.
#include <cstdint>
#include <memory>
#include <vector>

#include "ProGrid.h"
#include "support/ComposedPixels.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"

using namespace ProGrid;
using namespace BaseGrid;

namespace {

// A borderless editing grid of 5 x 6 cells of 64 x 24 (one fixed row and column) without scroll bars,
// with the focus; every cell gets the editor type the test sets in type.
class ProGridInplaceEditTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        MakeGrid();
    }
    // A new grid in place of the one there was: its editor's window is made with the settings in force.
    void MakeGrid() {
        if (grid) grid->Free();
        grid = Place<RAdeRedeviDidi>(0, 0, 330, 200);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options().Include(goEditing));
        grid->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& AEditor) { AEditor = type; };
        Input::Settle();
        Input::Click(grid, 4 * 65 + 10, 5 * 25 + 10);  // the user brings the focus to the grid
        Testing::ResetMessageBeepCount();
    }
    void TearDown() override {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        FormFixture::TearDown();
    }

    // Cell (1, 1) emptied and current, the editor opened with F2.
    void Open(const AnsiString& Text = "") {
        grid->SetCells(1, 1, Text);
        grid->SetCol(1);
        grid->SetRow(1);
        Key(VK_F2);
    }
    TInplaceEdit* Editor() const { return grid->InplaceEditor(); }
    AnsiString EditText() const { return Editor() ? Editor()->Text() : AnsiString("<none>"); }
    void Key(Word VirtualKey, TShiftState Shift = {}) { Input::Key(grid, VirtualKey, Shift); }
    void Type(const AnsiString& Text) { Input::Type(grid, Text); }

    RAdeRedeviDidi* grid = nullptr;
    TEditorType type = edNormal;
};

TEST_F(ProGridInplaceEditTest, EachEditorTypeFiltersWhatIsTyped) {
    struct Case {
        TEditorType Type;
        char Decimal, Thousand;
        AnsiString Typed, Text;
        unsigned Beeps;
    };
    const Case cases[] = {
        {edNormal, '.', ',', "a-1.\x80\x9f", "a-1.\x80\x9f", 0},
        {edNumeric, '.', ',', "-12-3a", "-123", 2},  // "-" once and only first
        {edNumeric, '.', ',', "1-2\x80", "12", 2},
        {edPositiveNumeric, '.', ',', "-5x7\x9f", "57", 3},
        {edFloat, '.', ',', "-1.2.3,4", "-1.234", 0},  // a second point and the thousand separator go silently
        {edFloat, ',', '.', "1,2,3.4", "1,234", 0},
        {edFloat, '.', ',', "a--1x\x80", "-1", 1},  // letters silently, a refused "-" with a beep
        {edUpperCase, '.', ',', "ab\x9a\xe9", "AB\x8a\xc9", 0},
        {edCapital, '.', ',', "x", "X", 0},
        {edLowerCase, '.', ',', "AB\x8a\xc9", "ab\x9a\xe9", 0},
        {edMixedCase, '.', ',', "john smith", "John Smith", 0},
        {edPassword, '.', ',', "s3cr\x80t", "s3cr\x80t", 0},
    };
    for (const Case& c : cases) {
        type = c.Type;
        DecimalSeparator = c.Decimal;
        ThousandSeparator = c.Thousand;
        Open();
        Testing::ResetMessageBeepCount();
        Type(c.Typed);
        EXPECT_EQ(EditText(), c.Text) << c.Typed;
        EXPECT_EQ(grid->Cells(1, 1), c.Text) << c.Typed;
        EXPECT_EQ(Testing::MessageBeepCount(), c.Beeps) << c.Typed;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, TheKeypadPointTypesTheDecimalSeparatorWhenAsked) {
    struct Case {
        bool ExcelStyle;
        char Decimal;
        Word Key;
        AnsiString Text;
    };
    const Case cases[] = {
        {true, ',', VK_DECIMAL, "1,"},
        {false, ',', VK_DECIMAL, "1"},  // "." is the thousand separator then
        {true, ',', VK_OEM_PERIOD, "1"},
        {true, '.', VK_DECIMAL, "1."},
    };
    type = edFloat;
    for (const Case& c : cases) {
        grid->SetExcelStyleDecimalSeparator(c.ExcelStyle);
        DecimalSeparator = c.Decimal;
        ThousandSeparator = c.Decimal == ',' ? '.' : ',';
        Open();
        Type("1");
        Key(c.Key);
        EXPECT_EQ(EditText(), c.Text) << c.ExcelStyle << " " << c.Key;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, AtMaxLengthOnlyBackspaceEscAndEnterGetThrough) {
    grid->SetMaxEditLength(3);
    struct Case {
        AnsiString Cell, Typed;
        Word Then;
        AnsiString Text;
    };
    const Case cases[] = {
        {"", "abcd", 0, "abc"},
        {"", "abcd", VK_BACK, "ab"},
        {"abcdef", "z", 0, "abcdef"},  // longer from code: opens whole and only gets shorter
        {"abcdef", "z", VK_BACK, "abcde"},
    };
    for (const Case& c : cases) {
        Open(c.Cell);
        Editor()->SetSelStart(static_cast<Integer>(Editor()->Text().size()));
        Editor()->SetSelLength(0);
        Type(c.Typed);
        if (c.Then) Key(c.Then);
        EXPECT_EQ(EditText(), c.Text) << c.Cell << "+" << c.Typed;
        Key(VK_RETURN);
        EXPECT_EQ(grid->Cells(1, 1), c.Text);
    }
}

TEST_F(ProGridInplaceEditTest, LookUpCompletesFromTheFirstItemThatStartsWithTheTypedText) {
    grid->SetLookup(true);
    grid->LookupItems()->SetCommaText("Banana,Apple,apricot");
    struct Case {
        bool CaseSensitive;
        AnsiString Typed;
        Word Then;
        AnsiString Text;
        Integer SelStart, SelLength;
    };
    const Case cases[] = {
        {false, "ap", 0, "apple", 2, 3},
        {true, "ap", 0, "apricot", 2, 5},
        {false, "B", 0, "Banana", 1, 5},
        {false, "apx", 0, "apx", 3, 0},
        {false, "ap", VK_BACK, "ap", 2, 0},  // Backspace takes the completion away and
                                             // completes nothing
        {false, "", VK_SHIFT, "", 0, 0},     // nothing typed completes nothing
    };
    for (const Case& c : cases) {
        grid->SetLookupCaseSensitive(c.CaseSensitive);
        Open();
        Type(c.Typed);
        if (c.Then) Key(c.Then);
        EXPECT_EQ(EditText(), c.Text) << c.Typed;
        EXPECT_EQ(Editor()->SelStart(), c.SelStart) << c.Typed;
        EXPECT_EQ(Editor()->SelLength(), c.SelLength) << c.Typed;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, LookupHistoryKeepsEveryTextLeftBehindOnce) {
    auto* other = Place<TEdit>(0, 220, 100, 24);
    grid->SetLookupHistory(true);
    for (const char* text : {"Cherry", "Cherry", "Plum"}) {
        Open();
        Type(text);
        Input::Click(other);
        Input::Click(grid, 4 * 65 + 10, 5 * 25 + 10);
    }
    EXPECT_EQ(grid->LookupItems()->CommaText(), "Cherry,Plum");
}

TEST_F(ProGridInplaceEditTest, TheCaretWalksOutOfTheTextIntoTheNeighbourCell) {
    grid->Navigation()->SetCursorWalkEditor(true);
    grid->Navigation()->SetAdvanceDirection(adTopBottom);  // the walk goes sideways all the same
    struct Case {
        Integer FromCol, Caret;
        Word Key;
        Integer ToCol;
    };
    const Case cases[] = {
        {1, 2, VK_RIGHT, 2}, {2, 0, VK_LEFT, 1},
        {1, 1, VK_RIGHT, 1}, {2, 1, VK_LEFT, 2},  // inside the text the caret moves
        {1, 0, VK_LEFT, 1},                       // no column before the first scrollable one
        {4, 2, VK_RIGHT, 4},                      // nor after the last
    };
    for (const Case& c : cases) {
        grid->SetCells(c.FromCol, 1, "ab");
        grid->SetCells(c.ToCol == c.FromCol ? 3 : c.ToCol, 1, "cd");
        grid->SetCol(c.FromCol);
        grid->SetRow(1);
        Key(VK_F2);
        Editor()->SetSelStart(c.Caret);
        Editor()->SetSelLength(0);
        Key(c.Key);
        EXPECT_EQ(grid->Col(), c.ToCol) << c.FromCol << " " << c.Key;
        EXPECT_EQ(grid->Row(), 1);
        if (c.ToCol != c.FromCol) {
            EXPECT_EQ(grid->Cells(c.ToCol, 1), "cd");  // the key types no line break
        }
        EXPECT_EQ(grid->Navigation()->AdvanceDirection(), adTopBottom);
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, EnterBreaksTheLineOrCommitsByTheNavigationSettings) {
    struct Case {
        bool LineFeedOnEnter, AllowCtrlEnter;
        TShiftState Shift;
        AnsiString Text;
        Integer Row;
    };
    const Case cases[] = {
        {false, true, {}, "ab", 2},                                                 // commits and moves on
        {true, true, {}, "a\r\nb", 1},        {true, true, {ssCtrl}, "a\r\nb", 1},  // one line break for one key
        {false, true, {ssCtrl}, "a\r\nb", 1}, {false, false, {ssCtrl}, "ab", 1},  // a one-line edit takes no line break
    };
    for (const Case& c : cases) {
        MakeGrid();
        grid->Navigation()->SetAdvanceOnEnter(true);
        grid->Navigation()->SetAdvanceDirection(adTopBottom);
        grid->Navigation()->SetLineFeedOnEnter(c.LineFeedOnEnter);
        grid->Navigation()->SetAllowCtrlEnter(c.AllowCtrlEnter);
        Open();
        Type("a");
        Key(VK_RETURN, c.Shift);
        if (grid->Row() == 1) Type("b");
        EXPECT_EQ(grid->Cells(1, 1) + (grid->Row() == 2 ? "b" : ""), c.Text) << c.LineFeedOnEnter << c.AllowCtrlEnter;
        EXPECT_EQ(grid->Row(), c.Row);
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, UpAndDownMoveTheCaretInsideTheTextAndLeaveAtItsEdges) {
    grid->SetCells(1, 2, "x");
    struct Case {
        Integer Caret;
        Word Key;
        Integer Row;
    };
    const Case cases[] = {{0, VK_DOWN, 2}, {7, VK_DOWN, 3}, {7, VK_UP, 2}, {0, VK_UP, 1}};
    for (const Case& c : cases) {
        grid->SetCells(1, 2, "one\r\ntwo");
        grid->SetCol(1);
        grid->SetRow(2);
        Key(VK_F2);
        Editor()->SetSelStart(c.Caret);
        Editor()->SetSelLength(0);
        Key(c.Key);
        EXPECT_EQ(grid->Row(), c.Row) << c.Caret << " " << c.Key;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, ClipboardEventsMayRefuseAndPastesKeepToTheEditorType) {
    struct Case {
        TEditorType Type;
        AnsiString Before, Clip;
        bool AllowBefore, AllowPaste;
        AnsiString Replace, Text;
    };
    const Case cases[] = {
        {edNormal, "ab", "XY", true, true, "", "abXY"},
        {edNormal, "ab", "XY", false, true, "", "ab"},
        {edNormal, "ab", "XY", true, false, "", "ab"},
        {edNormal, "ab", "XY", true, true, "Z", "abZ"},  // the event changes what is pasted
        {edNumeric, "1", "-2", true, true, "", "1"},
        {edNumeric, "", "-2", true, true, "", "-2"},
        {edPositiveNumeric, "", "-5", true, true, "", ""},  // refused as typing it is
        {edPositiveNumeric, "", "15", true, true, "", "15"},
        {edFloat, "1", ".5", true, true, "", "1.5"},
        {edFloat, "1", "x", true, true, "", "1"},
        {edUpperCase, "A", "bc", true, true, "", "ABC"},
        {edLowerCase, "a", "BC", true, true, "", "abc"},
        {edMixedCase, "", "ann lee", true, true, "", "Ann Lee"},
        {edNormal, "abc", "toolong", true, true, "", "abc"},  // would pass MaxLength
    };
    grid->SetMaxEditLength(8);
    for (const Case& c : cases) {
        type = c.Type;
        grid->OnClipboardBeforePasteCell = [&](TObject*, Integer, Integer, AnsiString& Value, bool& Allow) {
            Allow = c.AllowBefore;
            if (!c.Replace.empty()) Value = c.Replace;
        };
        grid->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = c.AllowPaste; };
        Clipboard()->SetAsText(c.Clip);
        Open(c.Before);
        Editor()->SetSelStart(static_cast<Integer>(c.Before.size()));
        Editor()->SetSelLength(0);
        Key(VK_INSERT, TShiftState{ssShift});
        EXPECT_EQ(EditText(), c.Text) << c.Before << "+" << c.Clip;
        Key(VK_ESCAPE);
    }
    type = edNormal;
    bool allow = false;
    EventCounter copies, cuts;
    grid->OnClipboardCopy = [&](TObject*, bool& Allow) { Allow = allow; };
    grid->OnClipboardCut = [&](TObject*, bool& Allow) { Allow = allow; };
    copies.Hook(grid->OnClipboardCopy);
    cuts.Hook(grid->OnClipboardCut);
    for (bool allowed : {false, true}) {
        allow = allowed;
        Clipboard()->SetAsText("none");
        Open("cut");
        Editor()->SelectAll();
        Key(VK_INSERT, TShiftState{ssCtrl});
        EXPECT_EQ(Clipboard()->AsText(), allowed ? "cut" : "none");
        Key(VK_DELETE, TShiftState{ssShift});
        EXPECT_EQ(EditText(), allowed ? "" : "cut");
        EXPECT_EQ(copies.LastSender(), Editor());
        Key(VK_ESCAPE);
    }
    EXPECT_EQ(copies.Count(), 2);
    EXPECT_EQ(cuts.Count(), 2);
}

TEST_F(ProGridInplaceEditTest, APasswordCellHidesItsTextAndTheNextCellDoesNot) {
    grid->SetPasswordChar('#');
    type = edPassword;
    Open();
    Type("pw");
    EXPECT_EQ(grid->Cells(1, 1), "pw");
    EXPECT_EQ(Editor()->PasswordChar(), '#');
    EXPECT_FALSE(GetWindowLong(Editor()->Handle(), GWL_STYLE) & ES_MULTILINE);
    Key(VK_RETURN);
    type = edNormal;
    grid->SetCol(2);
    Key(VK_F2);
    EXPECT_EQ(Editor()->PasswordChar(), '\0');
    EXPECT_EQ(Testing::PeerText(Editor()), Editor()->Text());
}

TEST_F(ProGridInplaceEditTest, ARightAlignedCellIsEditedRightAligned) {
    grid->OnGetAlignment = [](TObject*, Integer, Integer ACol, TAlignment& HAlign, TVAlignment&) {
        if (ACol == 2) HAlign = taRightJustify;
    };
    for (Integer col : {2, 1, 2}) {
        grid->SetCol(col);
        grid->SetRow(1);
        Key(VK_F2);
        const auto style = static_cast<DWORD>(GetWindowLong(Editor()->Handle(), GWL_STYLE));
        EXPECT_EQ((style & ES_RIGHT) != 0, col == 2) << col;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, TheEditorCoversTheCellOnePixelInsideInTheCellsColours) {
    grid->MergeCells(2, 2, 2, 2);
    grid->OnGetCellColor = [](TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ACol == 2 && ARow == 2) ABrush->SetColor(clYellow);
    };
    struct Case {
        Integer Col, Row;
        COLORREF Colour;
    };
    const Case cases[] = {{1, 1, RGB(255, 255, 255)}, {2, 2, RGB(255, 255, 0)}};
    for (const Case& c : cases) {
        grid->SetCol(c.Col);
        grid->SetRow(c.Row);
        Key(VK_F2);
        TRect cell;
        grid->CellRectEx(c.Col, c.Row, cell);
        EXPECT_EQ(Editor()->BoundsRect(), Rect(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1)) << c.Col;
        const std::vector<COLORREF> inside =
            ComposedPixels(form, grid, Rect(cell.Right - 4, cell.Bottom - 4, cell.Right - 3, cell.Bottom - 3));
        EXPECT_EQ(inside.at(0), c.Colour) << c.Col;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, ChangesAndDoubleClicksReachTheGridsEvents) {
    std::vector<AnsiString> changes;
    grid->OnEditChange = [&](TObject* Sender, Integer ACol, Integer ARow, const AnsiString& Value) {
        EXPECT_EQ(Sender, grid);
        changes.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + ":" + Value);
    };
    std::vector<AnsiString> clicks;
    grid->OnDblClickCell = [&](TObject*, Integer ARow, Integer ACol) {
        clicks.push_back(IntToStr(ACol) + "," + IntToStr(ARow));
    };
    Open();
    Type("ab");
    EXPECT_EQ(changes, (std::vector<AnsiString>{"1,1:a", "1,1:ab"}));
    Input::DoubleClick(Editor(), 5, 5);
    EXPECT_EQ(clicks.back(), "1,1");
}

TEST_F(ProGridInplaceEditTest, LeavingForAnotherControlCommitsAndEndsTheEditOnce) {
    auto* other = Place<TEdit>(0, 220, 100, 24);
    struct Case {
        bool Valid;
        AnsiString Cell;
    };
    for (const Case& c : {Case{true, "oldtyped"}, Case{false, "old"}}) {
        std::vector<AnsiString> validated;
        grid->OnCellValidate = [&](TObject*, Integer, Integer, AnsiString& Value, bool& Valid) {
            validated.push_back(Value);
            Valid = c.Valid;
        };
        EventCounter done;
        grid->OnEditingDone = nullptr;
        done.Hook(grid->OnEditingDone);
        Open("old");
        Type("typed");
        Input::Click(other);
        EXPECT_TRUE(other->Focused());
        EXPECT_EQ(grid->Cells(1, 1), c.Cell) << c.Valid;
        EXPECT_EQ(validated, std::vector<AnsiString>{"oldtyped"}) << c.Valid;
        EXPECT_EQ(done.Count(), 1) << c.Valid;
        Input::Click(grid, 4 * 65 + 10, 5 * 25 + 10);
    }
}

TEST_F(ProGridInplaceEditTest, EscBringsBackTheTextTheEditStartedWith) {
    Open("start");
    Type("more");
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "start");
}

TEST_F(ProGridInplaceEditTest, TheCaretGoesWhereTheClickWasOrAfterTheText) {
    // Where the edit shows its fourth character, in the grid's coordinates.
    Open("abcdef");
    const auto fourth = static_cast<std::uintptr_t>(Editor()->Perform(EM_POSFROMCHAR, 3, 0));
    const TPoint at = Point(Editor()->Left() + LOWORD(fourth) + 1, Editor()->Top() + HIWORD(fourth) + 4);
    Key(VK_ESCAPE);
    struct Case {
        bool AtClick, SelectAll;
        Integer SelStart, SelLength;
    };
    const Case cases[] = {
        {true, true, 3, 0},    // the character under the mouse
        {false, false, 6, 0},  // after the text
        {false, true, 0, 6},
    };
    for (const Case& c : cases) {
        grid->Navigation()->SetEditSelectAll(c.SelectAll);
        Testing::MouseMove(grid, at.X, at.Y);
        grid->SetCaretAtClick(c.AtClick);
        grid->ShowInplaceEditor();
        ASSERT_TRUE(Editor()->Focused());
        EXPECT_EQ(Editor()->SelStart(), c.SelStart) << c.AtClick << c.SelectAll;
        EXPECT_EQ(Editor()->SelLength(), c.SelLength) << c.AtClick << c.SelectAll;
        EXPECT_FALSE(grid->CaretAtClick());
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridInplaceEditTest, TabCommitsAndStepsFromTheEditor) {
    grid->SetOptions(grid->Options().Include(goTabs));
    std::vector<AnsiString> validated;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, AnsiString& Value, bool& Valid) {
        validated.push_back(Value);
        Valid = Value != "bad";
    };
    Open();
    Type("bad");
    Key(VK_TAB);
    EXPECT_EQ(grid->Cells(1, 1), "");  // refused: the cell keeps its text, the step happens all the same
    Key(VK_TAB, TShiftState{ssShift});
    Open();
    Type("ok");
    Key(VK_TAB);
    EXPECT_EQ(grid->Cells(1, 1), "ok");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(validated, (std::vector<AnsiString>{"bad", "ok"}));
}

TEST_F(ProGridInplaceEditTest, SizeWhileTypingGrowsTheColumnAndRow) {
    const TFixedMetricsScope metrics;
    grid->SizeWhileTyping()->SetWidth(true);
    Open();
    Type("abcdefghijklmn");  // 14 characters of 6 pixels
    const Integer width = grid->ColWidths(1);
    EXPECT_GT(width, 14 * 6);
    Key(VK_BACK);
    EXPECT_EQ(grid->ColWidths(1), width);  // only grows
    grid->SizeWhileTyping()->SetHeight(true);
    grid->SetMultilinecells(true);
    EventCounter rowSizes;
    rowSizes.Hook(grid->OnEndRowSize);
    Key(VK_RETURN, TShiftState{ssCtrl});
    EXPECT_EQ(EditText(), "abcdefghijklm\r\n");
    // Two lines of 13 with the painter's 2 pixels above and below, the lines and the edit margin.
    EXPECT_EQ(grid->RowHeights(1), grid->GridLineWidth() * 2 + 2 * 13 + 4 + grid->EditMarginY());
    EXPECT_GE(rowSizes.Count(), 1);
}

}  // namespace
