// The grid's keyboard, pressed as a user presses keys on a shown, active form: Enter and Tab through the
// direction tables over merged cells, the hand-over of Tab at the end, skipping fixed cells, Home and End,
// the short-cuts and their events, disjunct selection, incremental search, dialog characters and commit.
#include <memory>
#include <vector>

#include "ProGrid.h"
#include "support/EventCounter.h"
#include "SmallGridFixture.h"
#include "support/InputSimulator.h"
#include "vcl/Clipbrd.h"

using namespace ProGrid;

namespace {

class ProGridKeysTest : public SmallGridFixture {
protected:
    void TearDown() override {
        DecimalSeparator = '.';
        SmallGridFixture::TearDown();
    }

    void Options(std::initializer_list<TGridOption> Add) {
        TGridOptions options = grid->Options();
        for (TGridOption option : Add) options.Include(option);
        grid->SetOptions(options);
    }
};

TEST_F(ProGridKeysTest, EnterAndTabFollowTheirDirectionTablesOverMergedCells) {
    Options({goEditing, goTabs});
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->MergeCells(2, 1, 2, 2);  // columns 2..3, rows 1..2
    struct Case {
        bool Tab;
        TAdvanceDirection Direction;
        TShiftState Shift;
        Cell From, To;
    };
    const Case cases[] = {
        // Enter, left to right: over the range, to the next row, from the last cell back to the first.
        {false, adLeftRight, {}, {1, 1}, {2, 1}},
        {false, adLeftRight, {}, {2, 1}, {4, 1}},
        {false, adLeftRight, {}, {4, 1}, {1, 2}},
        {false, adLeftRight, {}, {1, 2}, {4, 2}},  // the range's lower part is no base cell: passed over
        {false, adLeftRight, {}, {4, 5}, {1, 1}},
        // Enter, top to bottom: down, then the next column from the top.
        {false, adTopBottom, {}, {1, 4}, {1, 5}},
        {false, adTopBottom, {}, {1, 5}, {2, 1}},
        {false, adTopBottom, {}, {2, 1}, {2, 3}},  // the range's lower part is passed over
        {false, adTopBottom, {}, {4, 5}, {1, 1}},
        // Tab and Shift+Tab.
        {true, adLeftRight, {}, {1, 1}, {2, 1}},
        {true, adLeftRight, {}, {2, 1}, {4, 1}},
        {true, adLeftRight, {}, {4, 1}, {1, 2}},
        {true, adLeftRight, {}, {4, 5}, {1, 1}},
        {true, adLeftRight, TShiftState{ssShift}, {4, 1}, {2, 1}},  // into the range: its base
        {true, adLeftRight, TShiftState{ssShift}, {1, 2}, {4, 1}},
        {true, adLeftRight, TShiftState{ssShift}, {1, 1}, {4, 5}},
        {true, adTopBottom, {}, {2, 1}, {2, 3}},  // the range's height in one step
        {true, adTopBottom, {}, {1, 5}, {2, 1}},
        {true, adTopBottom, {}, {4, 5}, {1, 1}},
        {true, adTopBottom, TShiftState{ssShift}, {1, 1}, {4, 5}},
        {true, adTopBottom, TShiftState{ssShift}, {3, 1}, {2, 5}},
    };
    for (const Case& c : cases) {
        grid->Navigation()->SetAdvanceDirection(c.Direction);
        grid->Navigation()->SetTabAdvanceDirection(c.Direction);
        GoTo(c.From.first, c.From.second);
        if (c.Tab) {
            Key(VK_TAB, c.Shift);
        } else {
            Key(VK_F2);  // the editor opens; Enter in it moves on
            ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Focused());
            Key(VK_RETURN);
        }
        EXPECT_EQ(At(), c.To) << (c.Tab ? "Tab" : "Enter") << " " << c.Direction << " from " << c.From.first << ","
                              << c.From.second;
    }
}

TEST_F(ProGridKeysTest, EnterMovesBackwardsAndFromTheEditorTheSameWay) {
    Options({goEditing});
    grid->Navigation()->SetAdvanceOnEnter(true);
    struct Case {
        TAdvanceDirection Direction;
        Cell From, To;
    };
    const Case cases[] = {{adLeftRight, {2, 3}, {1, 3}}, {adLeftRight, {1, 3}, {4, 2}}, {adLeftRight, {1, 1}, {4, 5}},
                          {adTopBottom, {2, 3}, {2, 2}}, {adTopBottom, {2, 1}, {1, 5}}, {adTopBottom, {1, 1}, {4, 5}}};
    for (const Case& c : cases) {
        grid->Navigation()->SetAdvanceDirection(c.Direction);
        GoTo(c.From.first, c.From.second);
        grid->AdvanceEdit(grid->Col(), grid->Row(), false, false, false);  // as an editor full of text does
        EXPECT_EQ(At(), c.To) << c.Direction << " from " << c.From.first << "," << c.From.second;
    }
}

TEST_F(ProGridKeysTest, EnterAtTheEndAddsARowOnlyWhenAllowed) {
    Options({goEditing});
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->Navigation()->SetAdvanceInsert(true);
    bool allow = false;
    std::vector<Integer> added;
    grid->OnCanAddRow = [&](TObject*, bool& CanAdd) { CanAdd = allow; };
    grid->OnAutoAddRow = [&](TObject*, Integer ARow) { added.push_back(ARow); };
    GoTo(4, 5);
    Key(VK_F2);
    Key(VK_RETURN);
    EXPECT_EQ(At(), Cell(1, 5));  // refused: the first column of the same row
    EXPECT_EQ(grid->RowCount(), 6);
    allow = true;
    GoTo(4, 5);
    Key(VK_F2);
    Key(VK_RETURN);
    EXPECT_EQ(At(), Cell(1, 6));
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(added, std::vector<Integer>{6});
}

TEST_F(ProGridKeysTest, EnterWithoutAnotherEditableCellStaysAndAddsNoMoreThanOneRow) {
    Options({goEditing});
    grid->Navigation()->SetAdvanceOnEnter(true);
    grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        CanEdit = ACol == 2 && ARow == 3;
    };
    GoTo(2, 3);
    Key(VK_F2);
    Key(VK_RETURN);
    EXPECT_EQ(At(), Cell(2, 3));  // the pass came back to the cell itself
    grid->OnCanEditCell = [](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = false; };
    grid->Navigation()->SetAdvanceInsert(true);
    grid->AdvanceEdit(2, 3, true, false, false);
    EXPECT_EQ(At(), Cell(2, 3));
    EXPECT_EQ(grid->RowCount(), 7);  // the one row Enter at the end adds, not one per pass
}

TEST_F(ProGridKeysTest, EnterAndSpaceActOnTheCellsControlWhenItMayBeEdited) {
    Options({goEditing});
    grid->CreateCellGraphic(1, 1)->CellType = ctCheckBox;
    TCellGraphic* radio = grid->CreateCellGraphic(2, 1);
    radio->CellType = ctRadio;
    auto* items = new TStringList;
    items->SetCommaText("a,b");
    radio->CellBitmap = items;
    radio->CellCreated = true;
    grid->CreateCellGraphic(3, 1)->CellType = ctButton;
    grid->CreateCellGraphic(4, 1)->CellType = ctBitButton;
    bool editable = true;
    grid->OnCanEditCell = [&](TObject*, Integer, Integer, bool& CanEdit) { CanEdit = editable; };
    std::vector<AnsiString> fired;
    grid->OnCheckBoxClick = [&](TObject*, Integer ACol, Integer, bool State) {
        fired.push_back("check " + IntToStr(ACol) + (State ? " on" : " off"));
    };
    grid->OnRadioClick = [&](TObject*, Integer ACol, Integer, Integer AIdx) {
        fired.push_back("radio " + IntToStr(ACol) + " " + IntToStr(AIdx));
    };
    grid->OnButtonClick = [&](TObject*, Integer ACol, Integer) { fired.push_back("button " + IntToStr(ACol)); };
    struct Case {
        Integer Col;
        Word Key;
        bool Editable;
        const char* Fired;  // nullptr: nothing
    };
    const Case cases[] = {
        {1, VK_SPACE, true, "check 1 on"}, {1, VK_SPACE, true, "check 1 off"}, {1, VK_SPACE, false, nullptr},
        {1, VK_RETURN, true, nullptr},     {2, VK_SPACE, true, "radio 2 1"},   {2, VK_SPACE, true, "radio 2 0"},
        {3, VK_SPACE, true, "button 3"},   {3, VK_RETURN, true, "button 3"},   {3, VK_RETURN, false, nullptr},
        {4, VK_SPACE, true, nullptr},  // a bit button is clicked by the mouse only
    };
    for (const Case& c : cases) {
        editable = true;
        GoTo(c.Col, 1);
        editable = c.Editable;
        fired.clear();
        Key(c.Key);
        EXPECT_EQ(fired, c.Fired ? std::vector<AnsiString>{c.Fired} : std::vector<AnsiString>{})
            << "col " << c.Col << " key " << c.Key;
        // A control cell takes no characters; a bit button's cell is edited as text.
        EXPECT_EQ(grid->InplaceEditor() && grid->InplaceEditor()->Visible(), c.Col == 4) << "col " << c.Col;
    }
}

TEST_F(ProGridKeysTest, TabInTheLastCellHandsTheFocusToTheNextControl) {
    Options({goEditing, goTabs});
    auto* next = Place<TEdit>(0, 220, 100, 24);
    auto* after = Place<TEdit>(120, 220, 100, 24);
    GoTo(4, 5);
    Key(VK_TAB);
    EXPECT_EQ(At(), Cell(1, 1));
    EXPECT_TRUE(grid->Focused());  // without TabToNextAtEnd the grid keeps it
    grid->Navigation()->SetTabToNextAtEnd(true);
    GoTo(4, 5);
    Key(VK_TAB);
    EXPECT_EQ(At(), Cell(1, 1));
    EXPECT_TRUE(next->Focused());  // one Tab handed to the parent: one control on
    EXPECT_FALSE(after->Focused());
}

TEST_F(ProGridKeysTest, TabStepAsksOnKeyDownFirstAndAChangedKeyEndsIt) {
    Options({goTabs});
    Word replaced = VK_TAB;
    std::vector<TShiftState> shifts;
    grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState Shift) {
        shifts.push_back(Shift);
        Key = replaced;
    };
    GoTo(2, 2);
    Key(VK_TAB);
    EXPECT_EQ(At(), Cell(3, 2));
    Key(VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(At(), Cell(2, 2));
    EXPECT_EQ(shifts, (std::vector<TShiftState>{TShiftState{}, TShiftState{ssShift}}));
    replaced = 0;
    Key(VK_TAB);
    EXPECT_EQ(At(), Cell(2, 2));
}

TEST_F(ProGridKeysTest, ArrowsJumpOverFixedCellsOrStay) {
    std::vector<Integer> fixedCols;
    grid->OnIsFixedCell = [&](TObject*, Integer, Integer ACol, bool& IsFixed) {
        IsFixed = std::find(fixedCols.begin(), fixedCols.end(), ACol) != fixedCols.end();
    };
    struct Case {
        std::vector<Integer> FixedCols;
        bool Skip;
        Word Key;
        Cell From, To;
    };
    const Case cases[] = {
        {{2}, true, VK_RIGHT, {1, 2}, {3, 2}},
        {{2, 3}, true, VK_RIGHT, {1, 2}, {4, 2}},
        {{2, 3, 4}, true, VK_RIGHT, {1, 2}, {1, 2}},
        {{3}, true, VK_LEFT, {4, 2}, {2, 2}},
        {{2}, false, VK_RIGHT, {1, 2}, {1, 2}},  // a fixed cell never becomes current      {{}, true, VK_UP, {2, 1},
                                                 // {2, 1}},
        {{}, true, VK_DOWN, {2, 4}, {2, 5}},
    };
    for (const Case& c : cases) {
        fixedCols = c.FixedCols;
        grid->Navigation()->SetSkipFixedCells(c.Skip);
        GoTo(c.From.first, c.From.second);
        Key(c.Key);
        EXPECT_EQ(At(), c.To) << "key " << c.Key << " from " << c.From.first << "," << c.From.second;
    }
    // The footer row is never entered.
    fixedCols.clear();
    grid->Navigation()->SetSkipFixedCells(true);
    grid->FloatingFooter()->SetVisible(true);
    GoTo(2, 4);
    Key(VK_DOWN);
    EXPECT_EQ(At(), Cell(2, 4));
}

TEST_F(ProGridKeysTest, HomeAndEndGoByTheirModeAndFireOnKeyDownOnce) {
    EventCounter keyDowns;
    keyDowns.Hook(grid->OnKeyDown);
    struct Case {
        THomeEndAction Mode;
        bool RowSelect, Footer;
        Word Key;
        Cell From, To;
        Integer LeftCol, KeyDowns;
    };
    const Case cases[] = {
        {heFirstLastRow, false, false, VK_HOME, {3, 4}, {3, 1}, 1, 1},
        {heFirstLastRow, false, false, VK_END, {3, 2}, {3, 5}, 1, 1},
        {heFirstLastRow, false, true, VK_END, {3, 2}, {3, 4}, 1, 1},  // above the footer row
        {heFirstLastColumn, false, false, VK_END, {2, 3}, {4, 3}, 1, 1},
        {heFirstLastColumn, false, false, VK_HOME, {3, 3}, {1, 3}, 1, 1},
        {heFirstLastColumn, true, false, VK_END, {1, 3}, {1, 3}, 3, 1},
        {heFirstLastColumn, true, false, VK_HOME, {1, 3}, {1, 3}, 1, 1},
    };
    for (const Case& c : cases) {
        grid->SetWidth(c.RowSelect ? 200 : 320);
        grid->Navigation()->SetHomeEndKey(c.Mode);
        grid->FloatingFooter()->SetVisible(c.Footer);
        TGridOptions options = grid->Options();
        grid->SetOptions(c.RowSelect ? options.Include(goRowSelect) : options.Exclude(goRowSelect));
        GoTo(c.From.first, c.From.second);
        keyDowns.Reset();
        Key(c.Key);
        EXPECT_EQ(At(), c.To) << "key " << c.Key << " mode " << c.Mode;
        EXPECT_EQ(grid->LeftCol(), c.LeftCol) << "key " << c.Key << " mode " << c.Mode;
        EXPECT_EQ(keyDowns.Count(), c.KeyDowns) << "key " << c.Key << " mode " << c.Mode;
    }
}

TEST_F(ProGridKeysTest, ClipboardShortCutsAskTheirEventsAndEndTheKey) {
    grid->Navigation()->SetAllowClipboardShortCuts(true);
    grid->Navigation()->SetAllowClipboardAlways(true);
    grid->SetCells(1, 1, "one");
    bool allow = true;
    std::vector<AnsiString> asked;
    grid->OnClipboardCopy = [&](TObject*, bool& Allow) { asked.push_back("copy"), Allow = allow; };
    grid->OnClipboardCut = [&](TObject*, bool& Allow) { asked.push_back("cut"), Allow = allow; };
    grid->OnClipboardPaste = [&](TObject*, bool& Allow) { asked.push_back("paste"), Allow = allow; };
    GoTo(1, 1);
    Clipboard()->SetAsText("old");
    allow = false;
    Key('C', TShiftState{ssCtrl});
    Key(VK_DELETE, TShiftState{ssShift});
    EXPECT_EQ(Clipboard()->AsText(), "old");
    EXPECT_EQ(grid->Cells(1, 1), "one");
    allow = true;
    Key(VK_INSERT, TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "one");
    Key('X', TShiftState{ssCtrl});
    EXPECT_EQ(grid->Cells(1, 1), "");
    GoTo(2, 2);
    Key(VK_INSERT, TShiftState{ssShift});
    EXPECT_EQ(grid->Cells(2, 2), "one");
    EXPECT_EQ(asked, (std::vector<AnsiString>{"copy", "cut", "copy", "cut", "paste"}));
    Options({goRangeSelect});
    Key('A', TShiftState{ssCtrl});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 5}));
}

TEST_F(ProGridKeysTest, InsertAndDeleteAddAndRemoveRowsWhenTheirEventsAllow) {
    grid->Navigation()->SetAllowInsertRow(true);
    grid->Navigation()->SetAllowDeleteRow(true);
    for (Integer row = 1; row < 6; ++row) grid->SetCells(1, row, IntToStr(row));
    bool allow = false;
    std::vector<Integer> asked;
    grid->OnCanInsertRow = [&](TObject*, Integer ARow, bool& CanInsert) { asked.push_back(ARow), CanInsert = allow; };
    grid->OnCanDeleteRow = [&](TObject*, Integer ARow, bool& CanDelete) { asked.push_back(-ARow), CanDelete = allow; };
    GoTo(1, 2);
    Key(VK_INSERT);
    Key(VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 6);
    allow = true;
    Key(VK_INSERT);  // before the current row, which it becomes
    EXPECT_EQ(grid->Cols(1)->CommaText(), ",1,,2,3,4,5");
    EXPECT_EQ(At(), Cell(1, 2));
    grid->Navigation()->SetInsertPosition(pInsertAfter);
    GoTo(1, 3);
    Key(VK_INSERT);
    EXPECT_EQ(grid->Cols(1)->CommaText(), ",1,,2,,3,4,5");
    EXPECT_EQ(At(), Cell(1, 4));
    Key(VK_DELETE);
    Key(VK_INSERT, TShiftState{ssCtrl});  // not a row key with Ctrl
    EXPECT_EQ(grid->Cols(1)->CommaText(), ",1,,2,3,4,5");
    EXPECT_EQ(asked, (std::vector<Integer>{2, -2, 2, 3, -4}));
    // The only data row is cleared, not removed.
    grid->SetRowCount(2);
    grid->SetCells(1, 1, "last");
    GoTo(1, 1);
    Key(VK_DELETE);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "");
}

TEST_F(ProGridKeysTest, DisjunctRowSelectionFollowsTheKeys) {
    grid->MouseActions()->SetDisjunctRowSelect(true);
    const auto flagged = [&] {
        std::vector<Integer> rows;
        for (Integer row = 0; row < grid->RowCount(); ++row)
            if (grid->RowSelect(row)) rows.push_back(row);
        return rows;
    };
    GoTo(1, 1);
    Key(VK_DOWN);
    EXPECT_EQ(flagged(), std::vector<Integer>{2});
    Key(VK_DOWN);
    EXPECT_EQ(flagged(), std::vector<Integer>{3});
    Key(VK_DOWN, TShiftState{ssShift});
    EXPECT_EQ(flagged(), (std::vector<Integer>{3, 4}));
    Key(VK_DOWN, TShiftState{ssCtrl});  // kept, the current row added
    Key(VK_SPACE);
    EXPECT_EQ(flagged(), (std::vector<Integer>{3}));
    Key(VK_SPACE);
    EXPECT_EQ(flagged(), (std::vector<Integer>{3, 4}));
    grid->Navigation()->SetHomeEndKey(heFirstLastRow);
    Key(VK_HOME);
    EXPECT_EQ(flagged(), std::vector<Integer>{1});
}

TEST_F(ProGridKeysTest, TypingFindsTheRowOfTheSortColumnThatStartsWithIt) {
    grid->Navigation()->SetAutoGotoWhenSorted(true);
    const char* fruit[] = {"Apple", "banana", "Cherry", "Citrus", "berry"};
    for (Integer row = 1; row < 6; ++row) grid->SetCells(2, row, fruit[row - 1]);
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetColumn(2);
    struct Case {
        bool Incremental;
        const char* Typed;
        Integer Row;
        AnsiString Search;
    };
    const Case cases[] = {
        {false, "c", 3, "c"},  {false, "ci", 3, "i"},  // not incremental: the last character alone; no match stays
        {true, "ci", 4, "ci"}, {true, "b", 2, "b"},    {true, "be", 5, "be"},
        {true, "bx", 2, "bx"}, {true, "bx\b", 2, "b"},
    };
    for (const Case& c : cases) {
        grid->Navigation()->SetAutoGotoIncremental(c.Incremental);
        GoTo(1, 1);
        Key(VK_LEFT);  // a key release clears what was typed
        Input::Type(grid, c.Typed);
        EXPECT_EQ(grid->Row(), c.Row) << c.Typed;
        EXPECT_EQ(grid->SearchText(), c.Search) << c.Typed;
    }
    EXPECT_EQ(grid->FindRowByPrefix("CH"), 3);
    EXPECT_EQ(grid->FindRowByPrefix("ZZ"), -1);
}

TEST_F(ProGridKeysTest, AcceleratorsWithoutAltDoNotTakeTheGridsCharacters) {
    auto* edit = Place<TEdit>(0, 220, 100, 24);
    auto* label = Place<TLabel>(120, 220, 100, 24);
    label->SetCaption("&Name");
    label->SetFocusControl(edit);
    Input::Type(grid, "n");
    EXPECT_TRUE(grid->Focused());
    Key('N', TShiftState{ssAlt});
    EXPECT_TRUE(edit->Focused());
}

TEST_F(ProGridKeysTest, TheKeypadPointTypesTheDecimalSeparatorWhenAsked) {
    Options({goEditing});
    DecimalSeparator = ',';
    struct Case {
        bool ExcelStyle;
        Word Key;
        AnsiString Typed;
    };
    const Case cases[] = {{true, VK_DECIMAL, ","}, {true, VK_OEM_PERIOD, "."}, {false, VK_DECIMAL, "."}};
    for (const Case& c : cases) {
        grid->SetExcelStyleDecimalSeparator(c.ExcelStyle);
        GoTo(1, 1);
        grid->SetCells(1, 1, "");
        Key(c.Key);
        EXPECT_EQ(grid->EditStartChar(), c.Typed[0]) << c.Key;  // until the editor closes
        Key(VK_RETURN);
        EXPECT_EQ(grid->Cells(1, 1), c.Typed) << c.Key;
    }
}

TEST_F(ProGridKeysTest, EnterCommitsThroughOnCellValidateOnlyWhatChanged) {
    Options({goEditing});
    grid->SetCells(1, 1, "old");
    bool valid = true;
    std::vector<AnsiString> validated;
    grid->OnCellValidate = [&](TObject*, Integer ACol, Integer ARow, AnsiString& Value, bool& Valid) {
        validated.push_back(IntToStr(ACol) + "," + IntToStr(ARow) + ":" + Value);
        Valid = valid;
    };
    EventCounter changes;
    changes.Hook(grid->OnCellsChanged);
    GoTo(1, 1);
    Key(VK_F2);
    Key(VK_RETURN);  // unchanged: no event
    EXPECT_TRUE(validated.empty());
    valid = false;
    Input::Type(grid, "x");
    Key(VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), "old");  // refused: the old text, the editor open again
    ASSERT_TRUE(grid->InplaceEditor()->Focused());
    valid = true;
    Input::Type(grid, "new");
    Key(VK_RETURN);
    EXPECT_EQ(grid->Cells(1, 1), "new");
    EXPECT_EQ(validated, (std::vector<AnsiString>{"1,1:x", "1,1:new"}));
    EXPECT_EQ(changes.Count(), 2);
}

}  // namespace
