// Each editor type a cell can ask for, edited as a user does on a shown, active form: the control that
// opens, where it lies, the cell's colours, the value it opens with and the value Enter writes back, the
// keys that commit it and a refusing validation.
#include <algorithm>
#include <functional>
#include <vector>

#include "ProGrid.h"
#include "ProGrid_EditorClasses.h"
#include "support/ComposedPixels.h"
#include "vcl/Clock.h"
#include "vcl/ScopeGuard.h"
#include "SmallGridFixture.h"
#include "support/InputSimulator.h"

using namespace ProGrid;
using BaseGrid::TEditorType;

namespace {

// Cell (2, 2) lies at 128, 48.
class ProGridEditorTypesTest : public SmallGridFixture {
protected:
    void Configure() override {
        grid->SetOptions(grid->Options().Include(goEditing).Include(goTabs));
        grid->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& Editor) { Editor = type; };
        grid->OnEditingDone = [this](TObject*) { ++done; };
        grid->SpinEditor()->SetMaxValue(1000);
        grid->ComboEditor()->Items()->SetCommaText("apple,pear,plum");
        grid->UnitEditor()->Units()->SetCommaText("kg,g");
    }
    // Opens the editor of the given type on cell (2, 2) holding Text. An editor still open from an earlier
    // step is left with Esc first, as a user would: moving the cell under it would take the focus away.
    TWinControl* Open(TEditorType AType, const AnsiString& Text) {
        if (form->ActiveControl() != grid) Key(VK_ESCAPE);
        type = AType;
        grid->SetCells(2, 2, Text);
        GoTo(2, 2);
        done = 0;
        Key(VK_F2);
        return form->ActiveControl();
    }

    TEditorType type = BaseGrid::edNormal;
    int done = 0;
};

TEST_F(ProGridEditorTypesTest, EachTypeOpensItsControlOverTheCellAndEnterWritesItsValue) {
    grid->OnGetCellColor = [](TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ACol == 2 && ARow == 2) ABrush->SetColor(clYellow);
    };
    struct Case {
        TEditorType Type;
        std::function<TWinControl*()> Control;
        TRect Bounds;
        const char* Text;    // the cell's text
        const char* Opened;  // the control's text once open
        const char* Typed;   // typed over the selection ("" types nothing)
        const char* Stored;  // the cell after Enter
        bool Coloured;
    };
    const TRect cell{128, 48, 191, 71};
    const Case cases[] = {
        {BaseGrid::edSpinEdit, [&] { return grid->SpinEditor(); }, cell, "12 apples", "12", "", "12 apples", true},
        {BaseGrid::edSpinEdit, [&] { return grid->SpinEditor(); }, cell, "12", "12", "345", "345", true},
        {BaseGrid::edSpinEdit, [&] { return grid->SpinEditor(); }, cell, "99999999999", "0", "", "99999999999", true},
        {BaseGrid::edFloatSpinEdit, [&] { return grid->SpinEditor(); }, cell, "2.5", "2.5", "7.25", "7.25", true},
        {BaseGrid::edComboEdit, [&] { return grid->ComboEditor(); }, cell, "kiwi", "kiwi", "", "kiwi", true},
        {BaseGrid::edComboList, [&] { return grid->ComboEditor(); }, cell, "pear", "pear", "", "pear", true},
        {BaseGrid::edComboList, [&] { return grid->ComboEditor(); }, cell, "kiwi", "apple", "", "kiwi",
         true},  // unchanged
        {BaseGrid::edEditBtn, [&] { return grid->ButtonEditor(); }, cell, "abc", "abc", "xy", "xy", true},
        {BaseGrid::edNumericEditBtn, [&] { return grid->ButtonEditor(); }, cell, "1", "1", "-4a2", "-42", true},
        {BaseGrid::edUnitEditBtn, [&] { return grid->UnitEditor(); }, cell, "12.5kg", "12.5", "", "12.5kg", true},
        {BaseGrid::edUnitEditBtn, [&] { return grid->UnitEditor(); }, cell, "12 m2", "12", "7", "7 m2", true},
        {BaseGrid::edCheckBox, [&] { return grid->CheckBoxEditor(); }, cell, "tick", "tick", "", "tick", false},
        {BaseGrid::edUniEdit, [&] { return grid->UniEditor(); }, TRect{130, 50, 191, 71}, "wide", "wide", "r", "r",
         true},
    };
    for (const Case& c : cases) {
        TWinControl* active = Open(c.Type, c.Text);
        TWinControl* control = c.Control();
        ASSERT_EQ(active, control) << c.Type;
        EXPECT_TRUE(control->Visible() && control->Focused()) << c.Type;
        const TRect bounds = control->BoundsRect();
        EXPECT_EQ(Point(bounds.Left, bounds.Top), Point(c.Bounds.Left, c.Bounds.Top)) << c.Type;
        EXPECT_EQ(bounds.Width(), c.Bounds.Width()) << c.Type;
        if (c.Type != BaseGrid::edComboEdit && c.Type != BaseGrid::edComboList) {
            EXPECT_EQ(bounds.Height(), c.Bounds.Height()) << c.Type;
        } else {
            // The height holds the dropped list; the closed field covers the cell.
            auto* combo = grid->ComboEditor();
            EXPECT_EQ(combo->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) + 6, c.Bounds.Height()) << c.Type;
            EXPECT_EQ(bounds.Height(), combo->ItemHeight() * (combo->DropDownCount() + 1) + c.Bounds.Height());
        }
        if (c.Coloured) {
            EXPECT_EQ(control->Color(), clYellow) << c.Type;
        }
        const AnsiString opened =
            c.Type == BaseGrid::edUniEdit ? WideToAnsi(grid->UniEditor()->Text()) : control->Text();
        EXPECT_EQ(opened, c.Opened) << c.Type;
        if (*c.Typed) Input::Type(form, c.Typed);
        Key(VK_RETURN);
        const AnsiString stored = c.Type == BaseGrid::edUniEdit ? WideToAnsi(grid->WideCells(2, 2)) : grid->Cells(2, 2);
        EXPECT_EQ(stored, c.Stored) << c.Type << " " << c.Text;
        EXPECT_EQ(done, 1) << c.Type;
        EXPECT_FALSE(control->Visible()) << c.Type;
        EXPECT_TRUE(grid->Focused()) << c.Type;
    }
}

TEST_F(ProGridEditorTypesTest, TheSpinEditorShowsTheCellsColourAndTakesTheTypedStartCharacter) {
    grid->OnGetCellColor = [](TObject*, Integer, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
        ABrush->SetColor(clAqua);
    };
    type = BaseGrid::edSpinEdit;
    grid->SetCells(3, 3, "5");
    GoTo(3, 3);
    Input::Type(form, "7");
    Input::Settle();
    TGridSpin* spin = grid->SpinEditor();
    ASSERT_TRUE(spin->Focused());
    EXPECT_EQ(spin->Text(), "7");
    const std::vector<COLORREF> inside = ComposedPixels(form, grid, Rect(192 + 30, 72 + 10, 192 + 32, 72 + 12));
    EXPECT_EQ(inside, std::vector<COLORREF>(4, ColorToRGB(clAqua)));
    Key(VK_RETURN);
    EXPECT_EQ(grid->Cells(3, 3), "7");
}

// The combo's height counts its dropped list, yet closed it covers only its cell.
TEST_F(ProGridEditorTypesTest, AClosedComboEditorCoversOnlyItsCell) {
    grid->OnGetCellColor = [](TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ACol == 2 && ARow == 2) ABrush->SetColor(clAqua);
    };
    for (TEditorType editorType : {BaseGrid::edComboEdit, BaseGrid::edComboList}) {
        Open(editorType, "pear");
        Input::Settle();
        ASSERT_GT(grid->ComboEditor()->Height(), 48);
        const auto below = ComposedPixels(form, grid, Rect(150, 80, 152, 82));
        EXPECT_EQ(below, std::vector<COLORREF>(4, ColorToRGB(grid->Color()))) << editorType;
        Key(VK_ESCAPE);
    }
}

TEST_F(ProGridEditorTypesTest, EnterAndAClickElsewhereStoreTheSpinValueOnce) {
    grid->Navigation()->SetAdvanceOnEnter(true);
    struct Case {
        Word Key;
        Cell To;
    };
    const Case cases[] = {{VK_RETURN, {3, 2}}};
    for (const Case& c : cases) {
        int validated = 0;
        grid->OnCellValidate = [&](TObject*, Integer, Integer, AnsiString&, bool&) { ++validated; };
        Open(BaseGrid::edSpinEdit, "1");
        Input::Type(form, "8");
        Key(c.Key);
        EXPECT_EQ(grid->Cells(2, 2), "8") << c.Key;
        EXPECT_EQ(At(), c.To) << c.Key;
        EXPECT_EQ(validated, 1) << c.Key;
        EXPECT_EQ(done, 1) << c.Key;
        EXPECT_EQ(grid->SpinEditor()->BoundsRect().Left, 192) << "open again on the next cell";
    }
    // A click elsewhere stores the value too.
    Open(BaseGrid::edSpinEdit, "1");
    Input::Type(form, "9");
    Input::Click(grid, 64 + 10, 24 * 4 + 10);
    EXPECT_EQ(grid->Cells(2, 2), "9");
    EXPECT_EQ(done, 1);
}

TEST_F(ProGridEditorTypesTest, ARefusedValidationKeepsTheEditorOpenWithTheCellsText) {
    grid->OnCellValidate = [](TObject*, Integer, Integer, AnsiString&, bool& Valid) { Valid = false; };
    Open(BaseGrid::edSpinEdit, "3");
    Input::Type(form, "42");
    Key(VK_RETURN);
    TGridSpin* spin = grid->SpinEditor();
    EXPECT_TRUE(spin->Visible() && spin->Focused());
    EXPECT_EQ(spin->Text(), "3");
    EXPECT_EQ(grid->Cells(2, 2), "3");
    EXPECT_EQ(At(), Cell(2, 2));
    EXPECT_EQ(done, 0);
}

TEST_F(ProGridEditorTypesTest, VisitingACellWithAnEditorChangesNothing) {
    int written = 0;
    grid->OnSetEditText = [&](TObject*, Integer, Integer, const AnsiString&) { ++written; };
    struct Case {
        TEditorType Type;
        const char* Text;
    };
    const Case cases[] = {{BaseGrid::edSpinEdit, "<b>7</b>"},
                          {BaseGrid::edUnitEditBtn, "12 m2"},
                          {BaseGrid::edComboEdit, "<i>x</i>"},
                          {BaseGrid::edSpinEdit, "500"}};
    for (const Case& c : cases) {
        written = 0;
        Open(c.Type, c.Text);
        Input::Click(grid, 64 + 10, 24 * 4 + 10);
        EXPECT_EQ(grid->Cells(2, 2), c.Text) << c.Type;
        EXPECT_EQ(written, 0) << c.Type;
    }
}

TEST_F(ProGridEditorTypesTest, EscapeGivesTheCellItsTextBackAndTheGridTheFocus) {
    Open(BaseGrid::edEditBtn, "keep");
    Input::Type(form, "lost");
    Key(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(2, 2), "keep");
    EXPECT_FALSE(grid->ButtonEditor()->Visible());
    EXPECT_TRUE(grid->Focused());
}

TEST_F(ProGridEditorTypesTest, EscapeAndAnUntouchedEditorLeaveTheCellAsItWas) {
    struct Case {
        TEditorType Type;
        const char* Text;
        const char* Typed;
        Word Key;
        const char* Stored;
    };
    const Case cases[] = {
        {BaseGrid::edFloatSpinEdit, "12.5kg", "7", VK_ESCAPE, "12.5kg"},
        {BaseGrid::edFloatSpinEdit, "12:30:15", "", VK_RETURN, "12:30:15"},
        {BaseGrid::edSpinEdit, "12 apples", "3", VK_ESCAPE, "12 apples"},
        {BaseGrid::edComboEdit, "kiwi", "x", VK_ESCAPE, "kiwi"},
        {BaseGrid::edComboList, "kiwi", "p", VK_ESCAPE, "kiwi"},
        {BaseGrid::edUnitEditBtn, "12 m2", "9", VK_ESCAPE, "12 m2"},
        {BaseGrid::edButton, "push", "", VK_ESCAPE, "push"},
        {BaseGrid::edDateSpinEdit, "1/2/2003", "9", VK_RETURN, "9"},  // no date: kept as typed
    };
    for (const Case& c : cases) {
        Open(c.Type, c.Text);
        Input::Type(form, c.Typed);
        Key(c.Key);
        EXPECT_EQ(grid->Cells(2, 2), c.Stored) << c.Type << " " << c.Text;
        EXPECT_TRUE(grid->Focused()) << c.Type << " " << c.Text;
    }
}

TEST_F(ProGridEditorTypesTest, ACharacterThatOpenedNoEditorIsNotTypedIntoALaterOne) {
    struct Case {
        TEditorType Next;
        std::function<AnsiString()> Shown;
    };
    const Case cases[] = {
        {BaseGrid::edSpinEdit, [&] { return grid->SpinEditor()->Text(); }},
        {BaseGrid::edEditBtn, [&] { return grid->ButtonEditor()->Text(); }},
        {BaseGrid::edComboEdit, [&] { return grid->ComboEditor()->Text(); }},
    };
    for (const Case& c : cases) {
        if (form->ActiveControl() != grid) Key(VK_ESCAPE);
        type = BaseGrid::edNone;
        GoTo(1, 1);
        Input::Type(form, "3");
        EXPECT_EQ(form->ActiveControl(), grid) << c.Next;
        Open(c.Next, "12");
        EXPECT_EQ(c.Shown(), "12") << c.Next;
    }
}

TEST_F(ProGridEditorTypesTest, TheButtonEditorsButtonAndF4FireTheEllipsisEvent) {
    grid->OnEllipsClick = [](TObject*, Integer ACol, Integer, AnsiString& S) { S += "+" + IntToStr(ACol); };
    Open(BaseGrid::edEditBtn, "a");
    Key(VK_F4);
    EXPECT_EQ(grid->ButtonEditor()->Text(), "a+2");
    Key(VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 2), "a+2");
}

TEST_F(ProGridEditorTypesTest, TypingInAComboCompletesFromItsItemsThenFromTheLookupItems) {
    grid->LookupItems()->SetCommaText("Banana,Apricot");
    grid->UniComboEditor()->Items()->SetText(u"apple\npear\nplum");
    struct Case {
        TEditorType Type;
        bool Lookup, CaseSensitive;
        const char* Typed;
        Word Then;  // pressed after typing (0: none)
        const char* Text;
        Integer SelStart, SelLength, ItemIndex;
    };
    const TEditorType combo = BaseGrid::edComboEdit, uni = BaseGrid::edUniComboEdit;
    const Case cases[] = {
        {combo, true, false, "p", 0, "pear", 1, 3, 1},
        {combo, true, false, "pl", 0, "plum", 2, 2, 2},
        {combo, true, false, "PL", 0, "PLum", 2, 2, 2},  // the typed letters stay as typed
        {combo, true, true, "PL", 0, "PL", 2, 0, -1},
        {combo, true, false, "ap", 0, "apple", 2, 3, 0},  // its own items before Apricot
        {combo, true, false, "apr", 0, "apricot", 3, 4, -1},
        {combo, true, false, "b", 0, "banana", 1, 5, -1},
        {combo, true, false, "pe", VK_BACK, "pe", 2, 0, -1},
        {combo, true, false, "pe", VK_DELETE, "pe", 2, 0, -1},
        {combo, true, false, "x", 0, "x", 1, 0, -1},
        {combo, false, false, "p", 0, "p", 1, 0, -1},
        {uni, true, false, "P", 0, "Pear", 1, 3, 1},
        {uni, true, true, "P", 0, "P", 1, 0, -1},
        {uni, true, false, "b", 0, "b", 1, 0, -1},  // the grid's look-up items are the combo editor's only
    };
    for (const Case& c : cases) {
        grid->SetLookup(c.Lookup);
        grid->SetLookupCaseSensitive(c.CaseSensitive);
        auto* control = dynamic_cast<TCustomComboBox*>(Open(c.Type, ""));
        ASSERT_TRUE(control) << c.Typed;
        Input::Type(form, c.Typed);
        if (c.Then) Key(c.Then);
        const AnsiString text = c.Type == uni ? WideToAnsi(grid->UniComboEditor()->Text()) : control->Text();
        EXPECT_EQ(text, c.Text) << c.Type << " " << c.Typed;
        EXPECT_EQ(control->SelStart(), c.SelStart) << c.Type << " " << c.Typed;
        EXPECT_EQ(control->SelLength(), c.SelLength) << c.Type << " " << c.Typed;
        EXPECT_EQ(control->ItemIndex(), c.ItemIndex) << c.Type << " " << c.Typed;
        Key(VK_RETURN);
        const AnsiString stored = c.Type == uni ? WideToAnsi(grid->WideCells(2, 2)) : grid->Cells(2, 2);
        EXPECT_EQ(stored, c.Text) << c.Type << " " << c.Typed;
    }
}

TEST_F(ProGridEditorTypesTest, LookupHistoryKeepsEachNewTextACombosEditorIsLeftWith) {
    grid->SetLookupHistory(true);
    grid->UniComboEditor()->Items()->SetText(u"apple");
    struct Case {
        TEditorType Type;
        const char* Typed;
        bool ByClick;  // left by a click on another cell, else by Enter
        const char* Items;
    };
    const TEditorType combo = BaseGrid::edComboEdit, uni = BaseGrid::edUniComboEdit;
    const Case cases[] = {
        {combo, "kiwi", false, "apple,pear,plum,kiwi"},
        {combo, "fig", true, "apple,pear,plum,kiwi,fig"},
        {combo, "KIWI", false, "apple,pear,plum,kiwi,fig"},  // an item already, without case
        {combo, "", false, "apple,pear,plum,kiwi,fig"},
        {uni, "kiwi", false, "apple,kiwi"},
        {uni, "Apple", true, "apple,kiwi"},
    };
    for (const Case& c : cases) {
        Open(c.Type, "");
        Input::Type(form, c.Typed);
        if (c.ByClick) Input::Click(grid, 64 + 10, 24 * 4 + 10);
        else Key(VK_RETURN);
        const AnsiString items = c.Type == uni ? grid->UniComboEditor()->Items()->AnsiStrings()->CommaText()
                                               : grid->ComboEditor()->Items()->CommaText();
        EXPECT_EQ(items, c.Items) << c.Type << " " << c.Typed;
    }
}

TEST_F(ProGridEditorTypesTest, AClickThatOpensAComboPutsTheCaretUnderTheMouse) {
    grid->MouseActions()->SetDirectEdit(true);
    grid->MouseActions()->SetCaretPositioning(true);
    grid->UniComboEditor()->Items()->SetText(u"apple");
    struct Case {
        TEditorType Type;
        Integer X;  // from the cell's left
        Integer LowestStart, HighestStart;
    };
    const TEditorType combo = BaseGrid::edComboEdit, uni = BaseGrid::edUniComboEdit;
    const Case cases[] = {
        {combo, 5, 0, 1},   // before the first characters
        {combo, 40, 8, 8},  // right of the text: its end
        {combo, 18, 1, 7},  // within it
        {uni, 40, 8, 8},   {uni, 5, 0, 1},
    };
    for (const Case& c : cases) {
        if (form->ActiveControl() != grid) Key(VK_ESCAPE);
        type = c.Type;
        grid->SetCells(2, 2, "iiiiiiii");
        Input::Click(grid, 128 + c.X, 48 + 12);
        auto* control = dynamic_cast<TCustomComboBox*>(form->ActiveControl());
        ASSERT_TRUE(control) << c.Type << " " << c.X;
        EXPECT_GE(control->SelStart(), c.LowestStart) << c.Type << " " << c.X;
        EXPECT_LE(control->SelStart(), c.HighestStart) << c.Type << " " << c.X;
        EXPECT_EQ(control->SelLength(), 0) << c.Type << " " << c.X;
        EXPECT_FALSE(grid->CaretAtClick()) << c.Type << " " << c.X;
    }
}

TEST_F(ProGridEditorTypesTest, EnterInAComboTypesNothingAndTellsItsEnterEvent) {
    grid->OnCellValidate = [](TObject*, Integer, Integer, AnsiString&, bool& Valid) { Valid = false; };
    int entered = 0;
    std::vector<char> pressed;
    grid->ComboEditor()->OnEnter = [&](TObject*) { ++entered; };
    grid->ComboEditor()->OnKeyPress = [&](TObject*, char& Key) { pressed.push_back(Key); };
    Open(BaseGrid::edComboEdit, "pear");
    entered = 0;
    Input::Type(form, "s");
    Key(VK_RETURN);
    TGridCombo* combo = grid->ComboEditor();
    EXPECT_TRUE(combo->Visible() && combo->Focused());
    EXPECT_EQ(combo->Text(), "pear");
    EXPECT_EQ(std::count(pressed.begin(), pressed.end(), '\r'), 0);
    EXPECT_EQ(pressed.front(), 's');
    EXPECT_EQ(entered, 1);
}

TEST_F(ProGridEditorTypesTest, AnOwnerThatIsNoGridIsRefused) { EXPECT_THROW(TGridSpin spin(form), EProGridError); }

TEST_F(ProGridEditorTypesTest, TheDatePickerEditsDatesAndTimesAndANameOfNoneOpensAtNow) {
    const TTestClock clock(EncodeDate(2026, 12, 7) + EncodeTime(9, 30, 0, 0));
    TGridDatePicker* picker = grid->DateEditor();
    ASSERT_NE(picker, nullptr);
    struct Case {
        TEditorType Type;
        const char* Format;  // the picker's own
        const char* Text;    // the cell's text
        TDateTime Opened;    // the picker's date or time once open
        Word Key;            // pressed before Enter (0: none)
        const char* Stored;  // the cell after Enter
    };
    const TDateTime time = EncodeTime(13, 5, 0, 0);
    const Case cases[] = {
        {BaseGrid::edDateEdit, "", "3/4/2026", EncodeDate(2026, 3, 4), VK_UP, "4/4/2026"},
        {BaseGrid::edDateEditUpDown, "", "3/4/2026", EncodeDate(2026, 3, 4), VK_UP, "4/4/2026"},
        {BaseGrid::edDateEdit, "", "", EncodeDate(2026, 12, 7), 0, ""},                // unchanged
        {BaseGrid::edDateEdit, "", "no date", EncodeDate(2026, 12, 7), 0, "no date"},  // unchanged
        {BaseGrid::edTimeEdit, "", "1:05:00 PM", time, VK_UP, "2:05:00 PM"},
        {BaseGrid::edTimeEdit, "HH':'mm", "13:05", time, VK_UP, "14:05"},
        {BaseGrid::edTimeEdit, "", "later", EncodeTime(9, 30, 0, 0), 0, "later"},  // unchanged
    };
    for (const Case& c : cases) {
        picker->SetFormat(c.Format);
        ASSERT_EQ(Open(c.Type, c.Text), picker) << c.Text;
        EXPECT_EQ(picker->BoundsRect().TopLeft(), Point(128, 48));
        EXPECT_EQ(picker->Kind(), c.Type == BaseGrid::edTimeEdit ? dtkTime : dtkDate);
        EXPECT_EQ(picker->DateMode(), c.Type == BaseGrid::edDateEditUpDown ? dmUpDown : dmComboBox);
        EXPECT_NEAR(c.Type == BaseGrid::edTimeEdit ? picker->Time() : picker->Date(), c.Opened, 1e-8) << c.Text;
        if (c.Key) Key(c.Key);
        Key(VK_RETURN);
        EXPECT_EQ(grid->Cells(2, 2), c.Stored) << c.Text;
        EXPECT_EQ(done, 1) << c.Text;
        EXPECT_FALSE(picker->Visible());
        EXPECT_TRUE(grid->Focused());
    }
}

// A time cell takes the picker's own format: its letters are not FormatDateTime's ("mm" is minutes there,
// months here; ":" a literal, not the separator).
TEST(GridDatePickerFormat, APickersFormatWritesTheTimeItShows) {
    const TDateTime time = EncodeTime(13, 5, 9, 0);
    struct Case {
        const char* Picker;
        const char* Shown;
    };
    const Case cases[] = {{"h:mm:ss tt", "1:05:09 PM"}, {"hh:mm t", "01:05 P"}, {"HH'h'mm", "13h05"},
                          {"HH.mm.ss", "13.05.09"},     {"H:m:s", "13:5:9"},    {"'at' HH:mm", "at 13:05"}};
    const TValueGuard separator(TimeSeparator, '.');
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(PickerToDateTimeFormat(c.Picker), time), c.Shown) << c.Picker;
}

TEST_F(ProGridEditorTypesTest, TheDatePickerShowsAFlatFrameInTheWindowColour) {
    grid->SetColor(clYellow);
    Open(BaseGrid::edDateEdit, "3/4/2026");
    Input::Settle();
    TGridDatePicker* picker = grid->DateEditor();
    const TRect r = picker->BoundsRect();
    EXPECT_EQ(ComposedPixels(form, grid, Rect(r.Left, r.Top + 5, r.Left + 2, r.Top + 6)),
              std::vector<COLORREF>(2, ColorToRGB(clWindow)));
    EXPECT_EQ(ComposedPixels(form, grid, Rect(r.Left + 4, r.Top + 2, r.Left + 5, r.Top + 3)),
              std::vector<COLORREF>(1, ColorToRGB(clYellow)));
}

TEST_F(ProGridEditorTypesTest, ADatePickerWhoseCheckBoxIsClearedWritesAnEmptyCell) {
    grid->DateEditor()->SetShowCheckbox(true);
    Open(BaseGrid::edDateEdit, "3/4/2026");
    Key(VK_SPACE);
    EXPECT_FALSE(grid->DateEditor()->Checked());
    Key(VK_RETURN);
    EXPECT_EQ(grid->Cells(2, 2), "");
}

TEST_F(ProGridEditorTypesTest, ADirectDateDropOpensTheCalendarWhichKeepsItsKeys) {
    grid->MouseActions()->SetDirectDateDrop(true);
    TGridDatePicker* picker = grid->DateEditor();
    Open(BaseGrid::edDateEdit, "3/4/2026");
    Input::Settle();
    EXPECT_TRUE(picker->DroppedDown());
    Key(VK_ESCAPE);  // closes the calendar, not the editor
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_TRUE(picker->Visible());
    Key(VK_TAB);
    EXPECT_FALSE(picker->Visible());
    EXPECT_EQ(grid->Col(), 3);
}

// Without wrapping Down hands the edit back to the grid; with it Down stays in the text and a click on
// another cell ends the edit.
TEST_F(ProGridEditorTypesTest, TheRichTextEditorOpensOnTheCellAndLeavingItStoresRichText) {
    struct Case {
        bool WordWrap;
        Cell To;
    };
    const Case cases[] = {{false, {2, 3}}, {true, {1, 4}}};
    for (const Case& c : cases) {
        grid->SetWordWrap(c.WordWrap);
        Open(BaseGrid::edRichEdit, "zebra");
        TProRichEdit* rich = grid->InplaceRichEdit();
        ASSERT_EQ(form->ActiveControl(), rich);
        EXPECT_EQ(rich->BoundsRect(), (TRect{128, 48, 191, 71}));
        EXPECT_EQ(rich->SelLength(), 5);
        Input::Type(form, "rich");
        Key(VK_DOWN);
        EXPECT_EQ(rich->Visible(), c.WordWrap);
        if (c.WordWrap) Input::Click(grid, 64 + 10, 24 * 4 + 10);
        EXPECT_FALSE(rich->Visible());
        EXPECT_EQ(At(), c.To);
        const AnsiString stored = grid->Cells(2, 2);
        EXPECT_TRUE(stored.starts_with("{\\rtf")) << stored;
        EXPECT_NE(stored.find("rich"), AnsiString::npos) << stored;
        EXPECT_EQ(stored.find("zebra"), AnsiString::npos) << stored;
        EXPECT_EQ(done, 1);
    }
}

// The application sets the current cell's text, then the user opens a wide editor on it and leaves it
// unchanged: the text stays as the application stored it (not turned into wide storage).
TEST_F(ProGridEditorTypesTest, AWideEditorLeftUnchangedLeavesTheCellsTextAsStored) {
    for (TEditorType t : {BaseGrid::edUniEdit, BaseGrid::edUniComboEdit, BaseGrid::edUniComboList}) {
        for (const char* text : {"", "abc"}) {
            Open(t, text);
            Key(VK_RETURN);
            EXPECT_EQ(grid->Cells(2, 2), text) << t;
            EXPECT_EQ(done, 1) << t;
        }
    }
}

}  // namespace
