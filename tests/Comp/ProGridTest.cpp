// The grid class: what construction makes and sets, the per-cell queries and their events, bounds,
// window creation, loading from a form description, the owning form's resize chain and the unit's
// start-up and exit.
#include <memory>

#include <gmock/gmock.h>

#include "DedIDIZ.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "GridUnitFixture.h"
#include "support/InputSimulator.h"
#include "support/StartUpSetAside.h"
#include "vcl/ActiveX.h"
#include "vcl/Clock.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Resources.h"
#include "vcl/UxTheme.h"

extern const TResourceEntry ProGridFormResources[];

using namespace ProGrid;
using BaseGrid::TEditorType;

namespace {

// The grid with its hooks for what has no user path: the one-shot invalidate flag, and the timer messages
// and content paints it gets.
class TTestGrid : public RAdeRedeviDidi {
public:
    using RAdeRedeviDidi::Loaded;
    using RAdeRedeviDidi::RAdeRedeviDidi;
    using RAdeRedeviDidi::SuppressNextInvalidate;
    int HoverTicks = 0;
    int Painted = 0;

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_TIMER && Message.WParam == 111) ++HoverTicks;
        RAdeRedeviDidi::WndProc(Message);
    }
    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                      TGridDrawState AState) override {
        ++Painted;
        RAdeRedeviDidi::DrawCellText(ACanvas, ACol, ARow, ARect, AState);
    }
};

class ProGridTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TTestGrid>(0, 0, 300, 200);
    }

    TTestGrid* grid = nullptr;
};

TEST_F(ProGridTest, ConstructionSetsTheDefaultsOfTheTable) {
    struct Case {
        const char* name;
        bool holds;
    };
    const Case cases[] = {
        {"ActiveCellColor", grid->ActiveCellColor() == static_cast<TColor>(0x808080)},
        {"EnhRowColMove", grid->EnhRowColMove()},
        {"HintColor", grid->HintColor() == clInfoBk},
        {"SelectionColor", grid->SelectionColor() == static_cast<TColor>(0xEACAB6)},
        {"SelectionTextColor", grid->SelectionTextColor() == clBlack},
        {"ShowSelection", grid->ShowSelection()},
        {"flags off", !grid->HideFocusRect() && !grid->FixedAsButtons() && !grid->AutoSize()},
        {"flags on", grid->EnableHTML() && grid->EnableWheel() && grid->WordWrap() && grid->IntelliZoom()},
        {"VAlignment", grid->VAlignment() == BaseGrid::vtaTop},
        {"URLColor", grid->URLColor() == static_cast<TColor>(0xFF0000)},
        {"Look", grid->Look() == glXP},
        {"ScrollType", grid->ScrollType() == ssNormal && grid->ScrollColor() == clNone},
        {"ScrollWidth", grid->ScrollWidth() == GetSystemMetrics(SM_CXVSCROLL)},
        {"FloatFormat", grid->FloatFormat() == "%.2f"},
        {"check texts", grid->CheckTrue() == "Y" && grid->CheckFalse() == "N"},
        {"PasswordChar", grid->PasswordChar() == '*'},
        {"row heights", grid->DefaultRowHeight() == 21 && grid->FixedRowHeight() == 21},
        {"grid lines", grid->GridLineWidth() == 1 && grid->GridLineColor() == static_cast<TColor>(0xC0C0C0)},
        {"gradient", grid->GradientFrom() == clWhite && grid->GradientTo() == clBtnFace},
        {"columns visible", grid->ColumnVisible(0) && grid->ColumnVisible(512) && grid->ColumnVisible(600)},
        {"fixed act as normal", grid->FixedAsNormal()},
        {"FixedFont", grid->FixedFont()->Name() == "Tahoma" && grid->FixedFont()->Style() == TFontStyles{fsBold}},
        {"ActiveCellFont", grid->ActiveCellFont()->Style() == TFontStyles{fsBold}},
        {"footer panel", grid->FooterPanel() && grid->FooterPanel()->Align() == alBottom &&
                             grid->FooterPanel()->Height() == 0 && grid->FooterPanel()->Parent() == grid},
        {"run-time arrows", grid->ArrowWindow(0) && grid->ArrowWindow(3) && !grid->ArrowWindow(2)->Visible()},
        {"pop-up button", grid->PopupButton() && !grid->PopupButton()->Visible()},
        {"settings keep the grid", grid->Navigation()->Grid() == grid && grid->FloatingFooter()->Grid() == grid},
        {"filter's owner", grid->Filter()->Owner() == grid},
    };
    for (const Case& c : cases) EXPECT_TRUE(c.holds) << c.name;
}

TEST_F(ProGridTest, TheVersionIsTwoSevenNoughtFourOfMarch2004) {
    EXPECT_EQ(grid->GetVersionNr(), 0x02070004);
    EXPECT_EQ(grid->GetVersionString(), "2.7.0.4 March, 2004");
}

TEST_F(ProGridTest, IntegralHeightKeepsWholeDefaultRows) {
    struct Case {
        TBorderStyle border;
        Integer cols;  // 20 columns of 64 do not fit: the horizontal bar's 17 pixels are kept
        Integer asked;
        Integer given;
    };
    const Case cases[] = {
        {bsSingle, 2, 100, 88},                            // H = 98, 98 - 98 mod 21 = 84, plus 4
        {bsNone, 2, 100, 84},    {bsSingle, 2, 109, 109},  // 105 pixels of rows: exactly 5
        {bsNone, 20, 100, 80},                             // 17 + (83 - 83 mod 21)
        {bsSingle, 20, 100, 84},                           // 17 + (81 - 81 mod 21) + 4
    };
    grid->SetIntegralHeight(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked << " with " << c.cols << " columns");
        grid->SetBorderStyle(c.border);
        grid->SetColCount(c.cols);
        grid->SetBounds(0, 0, 300, c.asked);
        EXPECT_EQ(grid->Height(), c.given);
    }
    grid->SetIntegralHeight(false);
    grid->SetBounds(0, 0, 300, 100);
    EXPECT_EQ(grid->Height(), 100);
}

TEST_F(ProGridTest, IsFixedAsksTheEventOnlyForCellsItDoesNotKnowFixed) {
    struct Case {
        Integer col, row;
        bool handlerSays;
        bool fixed;
        int asked;
    };
    const Case cases[] = {
        {0, 3, false, true, 0},  // the fixed column: True without the event
        {2, 0, false, true, 0},  // the fixed row
        {2, 3, false, false, 1},
        {2, 3, true, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        int asked = 0;
        grid->OnIsFixedCell = [&](TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed) {
            EXPECT_EQ(Sender, grid);
            EXPECT_EQ(ACol, c.col);
            EXPECT_EQ(ARow, c.row);
            ++asked;
            IsFixed = c.handlerSays;
        };
        bool fixed = false;
        grid->IsFixed(c.col, c.row, fixed);
        EXPECT_EQ(fixed, c.fixed);
        EXPECT_EQ(asked, c.asked);
    }
    // An answer already True stays True unasked.
    int asked = 0;
    grid->OnIsFixedCell = [&](TObject*, Integer, Integer, bool&) { ++asked; };
    bool fixed = true;
    grid->IsFixed(3, 3, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 0);
}

TEST_F(ProGridTest, FixedRowAlwaysKeepsTheRequestedRowsFixedWhileTheyAreAllThereIs) {
    for (const bool always : {true, false}) {
        SCOPED_TRACE(always);
        grid->SetFixedRowAlways(always);
        grid->SetColCount(3);
        grid->SetFixedCols(0);
        grid->SetRowCount(2);
        grid->SetFixedRows(1);
        grid->Loaded();        // the requested fixed rows are taken at loading
        grid->SetRowCount(1);  // the fixed row goes with the rows; the requested count stays
        bool fixed = false;
        grid->IsFixed(1, 1, fixed);  // RowCount equals the requested count and the row is within it
        EXPECT_EQ(fixed, always);
    }
}

TEST_F(ProGridTest, CanEditFollowsTheBaseCellsPropertiesAndTellsTheEventTheBase) {
    struct Case {
        const char* name;
        bool readOnly, editing, rangeSelectAndEdit, entry;
        bool withProps;
        bool allowed;
    };
    const Case cases[] = {
        {"no properties keep the answer", false, false, false, true, false, true},
        {"no properties keep a refusal", false, true, false, false, false, false},
        {"editable", false, true, false, true, true, true},
        {"read-only", true, true, false, true, true, false},
        {"without goEditing", false, false, false, true, true, false},
        {"range select and edit", false, false, true, true, true, true},
        {"a refusal stays", false, true, false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->SplitCells(2, 2);
        grid->FreeCellProperties(1, 1, 3, 3);
        grid->SetOptions(c.editing ? grid->Options().Include(goEditing) : grid->Options().Exclude(goEditing));
        grid->MouseActions()->SetRangeSelectAndEdit(c.rangeSelectAndEdit);
        if (c.withProps) {
            grid->MergeCells(1, 1, 2, 2);
            grid->GetCellProperties(1, 1)->SetReadOnly(c.readOnly);
        }
        Integer toldCol = -1, toldRow = -1;
        grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool&) {
            toldCol = ACol;
            toldRow = ARow;
        };
        bool allowed = c.entry;
        grid->CanEdit(2, 2, allowed);
        EXPECT_EQ(allowed, c.allowed);
        EXPECT_EQ(toldCol, c.withProps ? 1 : 2);
        EXPECT_EQ(toldRow, c.withProps ? 1 : 2);
    }
}

TEST_F(ProGridTest, AnEmptyCheckBoxCellGivesTheCheckTextOfItsState) {
    struct Case {
        bool checked;
        const char* text;
        bool handled;
        const char* expected;
    };
    const Case cases[] = {
        {false, "", false, "N"}, {true, "", false, "Y"}, {true, "", true, "yes!"}, {true, "typed", false, "typed"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        auto* graphic = new TCellGraphic;
        graphic->CellType = ctCheckBox;
        graphic->CellBoolean = c.checked;
        grid->SetGraphicObject(2, 2, graphic);
        grid->WriteCell(2, 2, c.text);
        grid->OnGetCheckTrue = nullptr;
        if (c.handled) grid->OnGetCheckTrue = [](TObject*, Integer, Integer, AnsiString& Value) { Value = "yes!"; };
        AnsiString value;
        grid->GetEditorValue(2, 2, value);
        EXPECT_EQ(value, c.expected);
    }
    AnsiString plain = "x";
    grid->GetEditorValue(3, 3, plain);
    EXPECT_EQ(plain, "");
}

TEST_F(ProGridTest, CellColourTakesActiveHeadersThenPropertiesThenTheEvent) {
    grid->SetCol(2);
    grid->SetRow(3);
    grid->SetActiveCellShow(true);
    grid->SetActiveCellColor(clYellow);
    grid->ActiveCellFont()->SetColor(clMaroon);
    grid->GetCellProperties(1, 1)->SetBrushColor(clAqua);
    grid->GetCellProperties(1, 1)->SetFontSize(17);
    struct Case {
        Integer col, row;
        TColor brush;
        TColor font;
    };
    const Case cases[] = {
        {0, 3, clYellow, clMaroon}, {2, 0, clYellow, clMaroon}, {0, 2, clWhite, clBlack},
        {1, 1, clAqua, clBlack},    {2, 3, clWhite, clBlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        TBrush brush;
        brush.SetColor(clWhite);
        TFont font;
        font.SetColor(clBlack);
        grid->GetCellColor(c.col, c.row, &font, &brush, {});
        EXPECT_EQ(brush.Color(), c.brush);
        EXPECT_EQ(font.Color(), c.font);
    }
    TBrush brush;
    TFont font;
    grid->GetCellColor(1, 1, &font, &brush, {});
    EXPECT_EQ(font.Size(), 17);
    grid->OnGetCellColor = [](TObject*, Integer, Integer, TGridDrawState, TBrush* ABrush, TFont*) {
        ABrush->SetColor(clLime);
    };
    grid->GetCellColor(1, 1, &font, &brush, {});
    EXPECT_EQ(brush.Color(), clLime);
}

TEST_F(ProGridTest, QueriesWithoutADefaultPassTheirAnswerThroughTheEvent) {
    int fired = 0;
    grid->OnHasComboBox = [&](TObject*, Integer ACol, Integer ARow, bool& Has) {
        ++fired;
        Has = ACol == 2 && ARow == 5;
    };
    EXPECT_TRUE(grid->HasCombo(2, 5));
    EXPECT_FALSE(grid->HasCombo(1, 5));
    grid->OnGetEditorType = [&](TObject*, Integer, Integer, TEditorType& Editor) {
        ++fired;
        EXPECT_EQ(Editor, BaseGrid::edSpinEdit);
        Editor = BaseGrid::edComboList;
    };
    TEditorType editor = BaseGrid::edSpinEdit;
    grid->GetCellEditor(1, 1, editor);
    EXPECT_EQ(editor, BaseGrid::edComboList);
    grid->OnGridHint = [&](TObject*, Integer ARow, Integer ACol, AnsiString& Hint) {
        ++fired;
        Hint += IntToStr(ARow) + "/" + IntToStr(ACol);
    };
    AnsiString hint = "h";
    grid->GetCellHint(4, 1, hint);
    EXPECT_EQ(hint, "h4/1");
    TSortStyle style = ssAutomatic;
    AnsiString prefix, suffix;
    grid->OnGetFormat = [&](TObject*, Integer ACol, TSortStyle& AStyle, AnsiString& P, AnsiString& S) {
        ++fired;
        AStyle = ACol == 1 ? ssNumeric : ssDate;
        P = "$";
        S = "%";
    };
    grid->GetFormat(1, style, prefix, suffix);
    EXPECT_EQ(style, ssNumeric);
    EXPECT_EQ(prefix + suffix, "$%");
    EXPECT_EQ(fired, 5);
    EXPECT_FALSE(grid->ShowFilterGlyph());
}

TEST_F(ProGridTest, AutoRowsInsertAndDeleteThenTellTheApplication) {
    grid->SetRowCount(4);
    std::vector<std::pair<char, Integer>> told;
    grid->OnAutoInsertRow = [&](TObject*, Integer ARow) { told.push_back({'i', ARow}); };
    grid->OnAutoDeleteRow = [&](TObject*, Integer ARow) { told.push_back({'d', ARow}); };
    grid->WriteCell(1, 2, "two");
    grid->AutoInsertRow(2);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Cells(1, 3), "two");
    grid->AutoDeleteRow(2);
    grid->AutoDeleteRow(1);
    grid->AutoDeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 2);  // the last data row stays, emptied
    grid->WriteCell(1, 1, "last");
    grid->AutoDeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "");
    const std::vector<std::pair<char, Integer>> expected{{'i', 2}, {'d', 2}, {'d', 1}, {'d', 1}, {'d', 1}};
    EXPECT_EQ(told, expected);
}

TEST_F(ProGridTest, OneSuppressedInvalidateRepaintsNothingAndTheNextRepaints) {
    auto paintsPending = [&] {
        Input::Settle();
        grid->Painted = 0;
        grid->Invalidate();
        Input::Settle();
        std::unique_ptr<TBitmap>(Testing::GrabWindow(form));
        return grid->Painted > 0;
    };
    EXPECT_TRUE(paintsPending());
    grid->SuppressNextInvalidate();
    EXPECT_FALSE(paintsPending());
    EXPECT_TRUE(paintsPending());
}

// The window's timer runs on the installed timer service: the test's clock drives it, nothing waits.
TEST_F(ProGridTest, TheWindowRunsTheHoverTimerEveryHalfSecond) {
    TTestClock clock;
    TManualTimerService timers(clock);
    auto* timed = Place<TTestGrid>(0, 0, 100, 100);
    const struct {
        UInt64 advance;
        int ticks;
    } steps[] = {{0, 0}, {499, 0}, {1, 1}, {499, 1}, {1, 2}, {1000, 4}};
    for (const auto& step : steps) {
        timers.Advance(step.advance);
        EXPECT_EQ(timed->HoverTicks, step.ticks) << "at " << clock.TickCount();
    }
    timed->Free();
    EXPECT_EQ(timers.ActiveCount(), 0) << "the window's timer goes with it";
}

TEST_F(ProGridTest, TheGridFollowsTheFormAndAFreedGridLeavesTheResizeChainWhole) {
    int formHandler = 0;
    form->OnResize = Counter(formHandler);
    auto* first = Place<TTestGrid>(0, 0, 100, 100);
    auto* second = Place<TTestGrid>(100, 0, 100, 100);
    form->SetBounds(0, 0, 420, 310);
    EXPECT_EQ(formHandler, 1);
    EXPECT_EQ(first->Width(), 120);
    EXPECT_EQ(second->Height(), 110);
    first->Free();  // its handler is not at the head of the chain
    form->SetBounds(0, 0, 430, 310);
    EXPECT_EQ(formHandler, 2);
    EXPECT_EQ(second->Width(), 130);
    second->Free();  // the head of the chain: the handler before it comes back
    form->SetBounds(0, 0, 440, 320);
    EXPECT_EQ(formHandler, 3);
}

TEST_F(ProGridTest, OnResizeFiresOncePerSizeChange) {
    int resized = 0;
    grid->OnResize = Counter(resized);
    grid->SetBounds(0, 0, 250, 200);
    grid->SetBounds(0, 0, 250, 200);
    EXPECT_EQ(resized, 1);
}

TEST_F(ProGridTest, RunTimeFlagsFollowTheVersionsTheWheelAndTheTheme) {
    struct Case {
        const char* name;
        void (*arrange)();
        bool themed, controls6;
        UINT wheel;
        Integer lines;
    };
    const Case cases[] = {
        {"as shipped", [] {}, true, true, WM_MOUSEWHEEL, 3},
        {"no theme", [] { SetThemesActiveForTest(false); }, false, true, WM_MOUSEWHEEL, 3},
        {"old common controls", [] { SetFileVersionForTest("comctl32.dll", true, 5, 81); }, true, false, WM_MOUSEWHEEL,
         3},
        {"no version information", [] { SetFileVersionForTest("comctl32.dll", false); }, true, false, WM_MOUSEWHEEL, 3},
        {"Windows 2000", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 5, 0, 2195); }, false, true,
         WM_MOUSEWHEEL, 3},
        {"theme library not loaded", [] { DedIDIZ::FreeThemeLibrary(); }, false, true, WM_MOUSEWHEEL, 3},
        {"NT 3.51 without a wheel driver", [] { SetWindowsVersionForTest(VER_PLATFORM_WIN32_NT, 3, 51, 1057); }, false,
         true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        auto* made = Place<RAdeRedeviDidi>(0, 0, 50, 50);
        EXPECT_EQ(made->ThemedLook(), c.themed);
        EXPECT_EQ(made->CommonControls6(), c.controls6);
        EXPECT_EQ(made->WheelMessage(), c.wheel);
        EXPECT_EQ(made->WheelScrollLines(), c.lines);
        made->Free();
        SetThemesActiveForTest(true);
        DedIDIZ::InitThemeLibrary();
        ResetFileVersionsForTest();
        ResetWindowsVersion();
    }
}

// The wheel driver of old systems: a window "Magellan MSWHEEL" of class "MouseZ" answers the lines.
class MouseZ : public TForm {
    VCL_CLASS(MouseZ, TForm)
    explicit MouseZ(TComponent* AOwner) : TForm(AOwner) {}
    UINT LinesMessage = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == LinesMessage) Message.Result = 7;
        else TForm::WndProc(Message);
    }
};
VCL_IMPLEMENT_CLASS(MouseZ, nullptr, nullptr)

TEST_F(ProGridTest, OldSystemsAskTheWheelDriverWindowForTheLines) {
    TOwned<MouseZ> driver(new MouseZ(nullptr));
    driver->SetCaption("Magellan MSWHEEL");
    driver->HandleNeeded();
    SetWindowsVersionForTest(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950);
    auto* made = Place<RAdeRedeviDidi>(0, 0, 50, 50);
    ResetWindowsVersion();
    EXPECT_EQ(made->WheelMessage(), RegisterWindowMessageA("msh_scroll_lines_msg"));
    EXPECT_GE(made->WheelMessage(), 0xC000u);
    EXPECT_EQ(made->WheelScrollLines(), 7);
    made->Free();
}

TEST_F(ProGridTest, TheFloatingFooterShowsThePanelAndMirrorsTheLastRow) {
    TFloatingFooter* footer = grid->FloatingFooter();
    footer->SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 1);
    EXPECT_TRUE(grid->FooterPanel()->Visible());
    EXPECT_EQ(grid->FooterPanel()->Height(), grid->FooterHeight() - 1);
    footer->SetFooterStyle(fsColumnPreview);
    EXPECT_EQ(grid->FixedFooters(), 1);  // until the next Visible change
    footer->SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 0);
    footer->SetVisible(false);
    EXPECT_EQ(grid->FooterPanel()->Height(), 0);
    EXPECT_FALSE(grid->FooterPanel()->Visible());
}

// ---------------------------------------------------------------------------
// A form description

class ProGridFormTest : public ProGridTest {
protected:
    void SetUp() override {
        ProGridTest::SetUp();
        RegisterResources(ProGridFormResources);
        RegisterClass(grdcheck::RAdeRedeviDidiCheck::ClassInfo());
        window.reset(new TForm(nullptr));
        ReadComponentRes("TProGridForm", window.get());
        Testing::ShowAndActivate(window.get());
        loaded = dynamic_cast<RAdeRedeviDidi*>(window->FindComponent("Grid1"));
        ASSERT_NE(loaded, nullptr);
    }
    void TearDown() override {
        window.reset();
        ProGridTest::TearDown();
    }
    TOwned<TForm> window;
    RAdeRedeviDidi* loaded = nullptr;
};

TEST_F(ProGridFormTest, ADescriptionWithNestedSettingsAndWidthsLoads) {
    EXPECT_EQ(loaded->ColCount(), 4);
    EXPECT_EQ(loaded->RowCount(), 30);
    EXPECT_EQ(loaded->ColWidths(1), 120);
    EXPECT_EQ(loaded->ColWidths(2), 80);
    EXPECT_TRUE(loaded->ColumnSize()->Save());
    EXPECT_EQ(loaded->ColumnSize()->Key(), "grid.ini");
    EXPECT_EQ(loaded->ColumnSize()->StretchColumn(), 2);
    EXPECT_TRUE(loaded->Navigation()->AdvanceOnEnter());
    EXPECT_TRUE(loaded->SortSettings()->Show());
    EXPECT_EQ(loaded->Bands()->Period(), 4);
    EXPECT_EQ(loaded->FloatingFooter()->FooterStyle(), fsColumnPreview);
    EXPECT_EQ(loaded->FixedFont()->Name(), "Arial");
    EXPECT_EQ(loaded->ColumnHeaders()->Count(), 2);
    EXPECT_EQ(loaded->ActiveCellColor(), clRed);
    EXPECT_EQ(loaded->FloatFormat(), "%.3f");
}

TEST_F(ProGridFormTest, LoadingTakesTheAlwaysShownEditorIntoNavigationAndTheClassicGradient) {
    EXPECT_TRUE(loaded->Navigation()->AlwaysEdit());
    EXPECT_FALSE(loaded->Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(loaded->Options().Contains(goEditing));
    EXPECT_EQ(loaded->RequestedFixedRows(), 2);
    EXPECT_EQ(LinkCursor(), crHandPoint);
    EXPECT_EQ(loaded->GradientFrom(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(loaded->GradientTo(), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(loaded->PopupButton()->GradFrom(), static_cast<TColor>(0xC0C0C0));
}

TEST_F(ProGridFormTest, TheCellCheckerIsReferencedUntilItGoes) {
    auto* checker = dynamic_cast<grdcheck::RAdeRedeviDidiCheck*>(window->FindComponent("Checker1"));
    ASSERT_NE(checker, nullptr);
    EXPECT_TRUE(checker->AutoCorrect());
    EXPECT_FALSE(checker->AutoCheck());
    EXPECT_EQ(loaded->CellChecker(), checker);
    EXPECT_EQ(checker->Correct("as typed"), "as typed");
    EXPECT_EQ(checker->Check("as typed"), "as typed");
    checker->Free();
    EXPECT_EQ(loaded->CellChecker(), nullptr);
}

TEST_F(ProGridFormTest, TheLoadedGridTakesTypingIntoItsCells) {
    Input::Click(loaded, 30 + 10, 2 * 21 + 5);  // column 1, row 2
    EXPECT_EQ(loaded->Col(), 1);
    EXPECT_EQ(loaded->Row(), 2);
    Input::Type(loaded, "abc");
    Input::Key(loaded, VK_RETURN);
    EXPECT_EQ(loaded->Cells(1, 2), "abc");
    Input::Key(loaded, VK_DOWN);
    EXPECT_EQ(loaded->Row(), 3);
}

// ---------------------------------------------------------------------------
// The unit

TEST(ProGridUnit, StartUpRegistersTheClassTheFormatAndTheControlsFlagOnce) {
    const UnitStartSetAside started(InitProGridUnit, DoneProGridUnit);
    InitProGridUnit();
    EXPECT_NE(FindClass("RAdeRedeviDidi"), nullptr);
    EXPECT_TRUE(CommonControlsFlag());
    EXPECT_EQ(GridClipboardFormat(), RegisterClipboardFormat("raderedevididi cells"));
    InitProGridUnit();  // once: no second OLE start
    DoneProGridUnit();
    const HRESULT again = OleInitialize(nullptr);
    OleUninitialize();
    EXPECT_EQ(again, S_FALSE);  // the program's own start still holds OLE
    DoneProGridUnit();          // nothing to undo twice
}

TEST(ProGridUnit, OldCommonControlsLeaveTheFlagOff) {
    const UnitStartSetAside started(InitProGridUnit, DoneProGridUnit);
    struct Case {
        bool present;
        Word major, minor;
        bool flag;
    };
    const Case cases[] = {{true, 4, 70, true}, {true, 4, 71, true}, {true, 4, 0, false}, {false, 0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
        SetFileVersionForTest("comctl32.dll", c.present, c.major, c.minor);
        InitProGridUnit();
        EXPECT_EQ(CommonControlsFlag(), c.flag);
        DoneProGridUnit();
    }
    ResetFileVersionsForTest();
}

TEST(ProGridUnit, AFailedOleStartStopsTheStartWithItsCode) {
    const UnitStartSetAside started(InitProGridUnit, DoneProGridUnit);
    SetOleInitializeFailureForTest(E_UNEXPECTED);
    try {
        InitProGridUnit();
        ADD_FAILURE() << "no exception";
    } catch (const EAssertionFailed& e) {
        EXPECT_THAT(e.Message(), testing::StartsWith("OleInitialize failed ($8000FFFF)"));
    }
    SetOleInitializeFailureForTest(S_OK);
    InitProGridUnit();  // the failed start left the unit unstarted
    EXPECT_TRUE(CommonControlsFlag());
    DoneProGridUnit();
}

// ---------------------------------------------------------------------------
// The stand-in's answers the grid asks for

TEST(SystemInfo, VersionResourcesComeFromTheModuleMap) {
    struct Case {
        const char* file;
        Integer version;
    };
    const Case cases[] = {
        {"comctl32.dll", 0x00060000}, {"COMCTL32", 0x00060000}, {"uxtheme.dll", -1}, {"nosuch.dll", -1}};
    for (const Case& c : cases) EXPECT_EQ(GetFileVersion(c.file), c.version) << c.file;
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeA("comctl32.dll", &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<Byte> block(size);
    ASSERT_TRUE(GetFileVersionInfoA("comctl32.dll", 0, size, block.data()));
    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &fixed, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(fixed)->dwFileVersionLS, 2600u << 16);
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo", &fixed, &length));
    std::vector<Byte> other(size);
    EXPECT_FALSE(VerQueryValueA(other.data(), "\\", &fixed, &length));  // no version block
}

TEST(SystemInfo, SmallAnswers) {
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    EXPECT_FALSE(SystemParametersInfo(0x0001, 0, &lines, 0));
    EXPECT_EQ(RegisterWindowMessageA("A Message"), RegisterWindowMessageA("a message"));
    EXPECT_NE(RegisterWindowMessageA("A Message"), RegisterWindowMessageA("Another"));
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(FindWindowA("MouseZ", "Magellan MSWHEEL"), nullptr);
}

}  // namespace
