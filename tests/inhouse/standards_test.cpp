// The form set-up over a real main window: spin buttons clicked on their halves, the layout keys pressed
// through the form, path fields, the caption, the component list's limits, the command line and the
// destroy hook.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "easypanel.h"
#include "standards.h"
#include "support/EventCounter.h"
#include "support/InputSimulator.h"
#include "valstr.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

using namespace standards;
using namespace Varpre;

namespace {

// A main window as the application designs it: named controls, published fields, the result memo in a
// panel in a panel.
class TSetupTestForm : public TForm {
    VCL_CLASS(TSetupTestForm, TForm)
    explicit TSetupTestForm(TComponent* AOwner) : TForm(AOwner) {
        SetBounds(0, 0, 640, 480);
        SetCaption("Calculator");
        // Right of where the panel manager puts MainPanel, so that clicks reach them.
        Edit1 = Make<TEdit>("Edit1", this, 450, 10, 80, 21);
        SpinButton__edit1 = Make<TSpinButton>("SpinButton__edit1", this, 500, 300, 16, 30);
        SpinButton__nowhere = Make<TSpinButton>("SpinButton__nowhere", this, 450, 150, 16, 24);
        MainPanel = Make<TPanel>("MainPanel", this, 0, 200, 400, 200);
        Panel1 = Make<TPanel>("Panel1", MainPanel, 0, 0, 300, 150);
        Memo2 = Make<TMemo>("Memo2", Panel1, 0, 0, 200, 100);
        EditFolderOutput = Make<TEdit>("EditFolderOutput", MainPanel, 10, 160, 80, 21);
        editfiles = Make<TEdit>("editfiles", MainPanel, 100, 160, 80, 21);
        EditPlain = Make<TEdit>("EditPlain", MainPanel, 200, 160, 80, 21);
    }

    TEdit* Edit1 = nullptr;
    TSpinButton* SpinButton__edit1 = nullptr;
    TSpinButton* SpinButton__nowhere = nullptr;
    TPanel* MainPanel = nullptr;
    TPanel* Panel1 = nullptr;
    TMemo* Memo2 = nullptr;
    TEdit* EditFolderOutput = nullptr;
    TEdit* editfiles = nullptr;
    TEdit* EditPlain = nullptr;

private:
    template <typename T>
    T* Make(const char* Name, TWinControl* Parent, Integer Left, Integer Top, Integer Width, Integer Height) {
        T* control = new T(this);
        control->SetName(Name);
        control->SetParent(Parent);
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }
};

void PublishTSetupTestForm(TPublisher& p) {
    TPublishOf<TSetupTestForm> P(p);
    P.Field("Edit1", &TSetupTestForm::Edit1);
    P.Field("SpinButton__edit1", &TSetupTestForm::SpinButton__edit1);
    P.Field("SpinButton__nowhere", &TSetupTestForm::SpinButton__nowhere);
    P.Field("MainPanel", &TSetupTestForm::MainPanel);
    P.Field("Panel1", &TSetupTestForm::Panel1);
    P.Field("Memo2", &TSetupTestForm::Memo2);
    P.Field("EditFolderOutput", &TSetupTestForm::EditFolderOutput);
    P.Field("editfiles", &TSetupTestForm::editfiles);
    P.Field("EditPlain", &TSetupTestForm::EditPlain);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TSetupTestForm, nullptr, PublishTSetupTestForm)

namespace {

class StandardForm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterVclClasses(); }

    void SetUp() override {
        form = new TSetupTestForm(Application);
        Input::Show(form);
    }

    void TearDown() override {
        valstr::SetDigitGroupSeparator("");
        FreeAndNil(form);
        easypanel::ResetPanelManager(easypanel::InnerPanelManager());
        easypanel::ResetPanelManager(easypanel::FormManager());
        FinalizeStandards();
    }

    void SetUpWholeForm() {
        TControl* anchor = form->Memo2;
        SetupStandardForm(anchor, false);
        Input::Settle();
    }

    // A real click on the upper or lower half of the spin button.
    static void ClickHalf(TSpinButton* Spin, bool Up) {
        Input::Click(Spin, Spin->Width() / 2, Up ? 3 : Spin->Height() - 4);
        Input::Settle();
    }

    TSetupTestForm* form = nullptr;
};

TEST_F(StandardForm, CaptionGetsTheVersionUnlessItAlreadyEndsWithItInAnyCase) {
    struct Case {
        const char* Before;
        const char* After;
    };
    for (Case c : {Case{"Calculator", "Calculator 1.0"}, Case{"Calculator 1.0", "Calculator 1.0"},
                   Case{"Calculator V1.0", "Calculator V1.0"}, Case{"Calc 1.01", "Calc 1.01 1.0"}}) {
        form->SetCaption(c.Before);
        StandardCaption(false);
        EXPECT_EQ(form->Caption(), c.After) << c.Before;
    }
    SetVersionText("2.5b");
    form->SetCaption("Calc 2.5B");
    StandardCaption(false);
    EXPECT_EQ(form->Caption(), "Calc 2.5B");
}

TEST_F(StandardForm, SetUpBindsTheManagersOnlyForAnAnchorInAPanelInAPanelOnTheForm) {
    EventCounter destroys;
    destroys.Hook(form->OnDestroy);
    EventCounter keys;
    keys.Hook(form->OnKeyDown);
    struct Case {
        bool NestedAnchor;
    };
    // Set up three times, as a second call must leave every hook single.
    for (Case c : {Case{false}, Case{true}, Case{true}}) {
        TControl* anchor = c.NestedAnchor ? static_cast<TControl*>(form->Memo2) : form->Edit1;
        form->SetCaption("Calculator");
        SetupStandardForm(anchor, false);
        Input::Settle();
        EXPECT_EQ(form->Caption(), "Calculator 1.0");
        EXPECT_EQ(ProgressRecord().CloseAt100, 1);
        EXPECT_EQ(form->KeyPreview(), c.NestedAnchor);
        EXPECT_EQ(easypanel::InnerPanelManager().Host == form->MainPanel, c.NestedAnchor);
        EXPECT_EQ(easypanel::FormManager().Host == form, c.NestedAnchor);
        EXPECT_EQ(form->MainPanel->BevelOuter() == bvNone, c.NestedAnchor);
    }
    EXPECT_EQ(LineTable().BoundControl, easypanel::ClientPanelOf(easypanel::FormManager()));
    Input::Click(form->EditFolderOutput);
    Input::Type(form->EditFolderOutput, "/tmp");
    keys.Reset();
    Input::Key(form->EditFolderOutput, VK_F3);
    Input::Settle();
    EXPECT_EQ(keys.Count(), 1);
    FreeAndNil(form);
    EXPECT_EQ(destroys.Count(), 1);
}

TEST_F(StandardForm, TheLineTableLetsGoOfTheClientPanelWhenTheWindowIsFreed) {
    form->MainPanel->SetCaption(" ");  // a single blank marks the client panel
    SetUpWholeForm();
    ASSERT_NE(LineTable().BoundControl, nullptr);
    FreeAndNil(form);
    EXPECT_EQ(LineTable().BoundControl, nullptr);
    // A sort disables and re-enables the bound control: it must find none.
    superar::ArrayOfFiles& lines = LineTable();
    superar::AddRowWithText(lines, "b", 0);
    superar::AddRowWithText(lines, "a", 0);
    lines.KeySeparator = ",";
    superar::SortTableBy(lines, "item00");  // field 0 by its default name
    AnsiString first;
    superar::GetFieldText(lines, 1, 0, first, false);
    EXPECT_EQ(first, "a");
    lines.KeySeparator.clear();
    lines.SortSpec.clear();
    superar::ClearTable(lines);
}

TEST_F(StandardForm, SpinButtonSitsBesideItsEditAndStepsItOnRealClicks) {
    SetUpWholeForm();
    TSpinButton* spin = form->SpinButton__edit1;
    EXPECT_EQ(spin->Left(), form->Edit1->Left() + form->Edit1->Width());
    EXPECT_EQ(spin->Top(), form->Edit1->Top() + 1);
    EXPECT_EQ(spin->Height(), form->Edit1->Height() - 1);
    EXPECT_TRUE(spin->ShowHint());
    EXPECT_FALSE(spin->ParentShowHint());

    EventCounter changes;
    changes.Hook(form->Edit1->OnChange);
    form->Edit1->SetText("5");
    changes.Reset();
    ClickHalf(spin, true);
    EXPECT_EQ(form->Edit1->Text(), "6");
    ClickHalf(spin, false);
    ClickHalf(spin, false);
    EXPECT_EQ(form->Edit1->Text(), "4");
    EXPECT_EQ(changes.Count(), 3);
    EXPECT_EQ(changes.LastSender(), form->Edit1);
}

TEST_F(StandardForm, SpinButtonWithoutAnOwnerStaysAndDoesNothing) {
    SetUpWholeForm();
    TSpinButton* spin = form->SpinButton__nowhere;
    EXPECT_EQ(spin->Left(), 450);
    EXPECT_EQ(spin->Top(), 150);
    EXPECT_EQ(spin->Height(), 24);
    form->Edit1->SetText("7");
    EventCounter changes;
    changes.Hook(form->Edit1->OnChange);
    ClickHalf(spin, true);
    ClickHalf(spin, false);
    EXPECT_EQ(changes.Count(), 0);
    EXPECT_EQ(form->Edit1->Text(), "7");
    Integer index = 0;
    EXPECT_EQ(GetSpinEdit(SpinStore(), spin, index), nullptr);
    EXPECT_EQ(SpinStore().Entries[index].EditIndex, NoValue);
}

TEST_F(StandardForm, SteppingKeepsWithinMinimumAndMaximumAndGroupsDigits) {
    SetUpWholeForm();
    struct Case {
        const char* Maximum;  // nullptr: leave the default
        const char* Minimum;
        const char* Separator;
        const char* Start;
        bool Up;
        int Clicks;
        const char* Expected;
    };
    const Case cases[] = {
        {nullptr, "1", "", "1", false, 1, "1"},
        {nullptr, nullptr, "", "0", false, 3, "0"},
        {nullptr, nullptr, "", "999999998", true, 3, "1000000001"},
        {"10", nullptr, "", "9", true, 3, "10"},
        {nullptr, nullptr, "'", "1'234", true, 1, "1'235"},
        {nullptr, "-5", "'", "-4", false, 4, "-5"},
        {nullptr, nullptr, "", "abc12", true, 1, "13"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetEditProp(SpinStore(), "edit1", SpinPropMaximum, c.Maximum ? Variant(c.Maximum) : Variant()));
        ASSERT_TRUE(SetEditProp(SpinStore(), "EDIT1", SpinPropMinimum, c.Minimum ? c.Minimum : "0"));
        valstr::SetDigitGroupSeparator(c.Separator);
        form->Edit1->SetText(c.Start);
        for (int i = 0; i < c.Clicks; i++) ClickHalf(form->SpinButton__edit1, c.Up);
        EXPECT_EQ(form->Edit1->Text(), c.Expected) << c.Start;
    }
    EXPECT_FALSE(SetEditProp(SpinStore(), "Memo2", SpinPropMaximum, "5"));
}

TEST_F(StandardForm, SpinEntriesAreFoundByEditAndSpinNameInAnyCase) {
    SetUpWholeForm();
    ASSERT_EQ(SpinStore().Count, 2);
    const Integer byEdit = FindSpinEntry(SpinStore(), "EDIT1");
    ASSERT_NE(byEdit, NoValue);
    EXPECT_EQ(FindSpinEntryBySpin(SpinStore(), "spinbutton__EDIT1"), byEdit);
    EXPECT_EQ(FindSpinEntry(SpinStore(), "EditPlain"), NoValue);
    EXPECT_EQ(FindSpinEntryBySpin(SpinStore(), "Edit1"), NoValue);
    Integer index = 0;
    EXPECT_EQ(GetSpinEdit(SpinStore(), form->SpinButton__edit1, index), form->Edit1);
    EXPECT_EQ(index, byEdit);
}

TEST_F(StandardForm, CtrlLayoutKeysToggleTheClientPanelWhateverElseIsHeld) {
    SetUpWholeForm();
    EventCounter keys;
    TKeyEvent previous = [](TObject*, Word&, TShiftState) {};
    form->OnKeyDown = previous;
    InstallKeyHook(form);  // the earlier handler keeps running first
    keys.Hook(SavedOnKeyDown());
    Input::Click(form->Edit1);
    easypanel::TeasyPanel& outer = easypanel::FormManager();
    struct Case {
        TShiftState Shift;
        bool Toggles;
    };
    for (Case c : {Case{TShiftState{ssCtrl, ssShift}, true}, Case{TShiftState{ssCtrl}, true},
                   Case{TShiftState{}, false}, Case{TShiftState{ssShift}, false}}) {
        const Byte before = outer.ClientVisible;
        keys.Reset();
        Input::Key(form->Edit1, VK_F3, c.Shift);
        Input::Settle();
        EXPECT_EQ(outer.ClientVisible, c.Toggles ? Byte(!before) : before);
        EXPECT_EQ(keys.Count(), 1);
    }
}

TEST_F(StandardForm, PathEditsAreRegisteredByTheirNames) {
    SetUpWholeForm();
    Diskop::PathInputT& fields = PathFieldTable();
    const Integer folder = Diskop::FindPathInput(fields, form->EditFolderOutput);
    const Integer file = Diskop::FindPathInput(fields, form->editfiles);
    ASSERT_GT(folder, 0);
    ASSERT_GT(file, 0);
    EXPECT_EQ(fields.Entries[folder].Kind, 1);
    EXPECT_EQ(fields.Entries[file].Kind, 2);
    EXPECT_LE(Diskop::FindPathInput(fields, form->EditPlain), 0);
    EXPECT_LE(Diskop::FindPathInput(fields, form->Edit1), 0);
}

TEST_F(StandardForm, EachSetUpStartsThePathFieldsAfreshAndKeepsTheEditsOwnHandlers) {
    int ownChanges = 0;
    form->editfiles->OnChange = [&ownChanges](TObject*) { ++ownChanges; };
    SetUpWholeForm();
    Diskop::PathInputT& fields = PathFieldTable();
    fields.Entries[Diskop::FindPathInput(fields, form->editfiles)].BasePath = "/nowhere";
    SetUpWholeForm();
    const Integer file = Diskop::FindPathInput(fields, form->editfiles);
    ASSERT_NE(file, Varpre::NoValue);
    EXPECT_EQ(fields.Entries[file].BasePath, "");
    ownChanges = 0;
    Input::Click(form->editfiles);
    Input::Type(form->editfiles, "a");
    EXPECT_EQ(ownChanges, 1);
}

// A window made after a freed one may take the freed edits' addresses: its set-up starts the path-field
// table afresh, and typing runs its own handlers only.
TEST_F(StandardForm, AWindowSetUpAfterAFreedOneRunsNothingOfTheFreedOnesPathFields) {
    std::vector<int> changes;
    for (int window = 0; window < 4; ++window) {
        if (window > 0) {
            FreeAndNil(form);
            form = new TSetupTestForm(Application);
            Input::Show(form);
        }
        changes.push_back(0);
        form->EditFolderOutput->OnChange = [&changes, window](TObject*) { ++changes[window]; };
        SetUpWholeForm();
        EXPECT_EQ(PathFieldTable().Count, 2) << window;
        std::fill(changes.begin(), changes.end(), 0);
        Input::Click(form->EditFolderOutput);
        Input::Type(form->EditFolderOutput, "/tmp");
        std::vector<int> expected(changes.size(), 0);
        expected.back() = 4;
        EXPECT_EQ(changes, expected) << window;
    }
}

TEST_F(StandardForm, AFreedPathFieldIsDroppedAndNothingOfItRunsWhenItsBaseChanges) {
    auto* extra = new TEdit(form);
    extra->SetName("EditFolderExtra");
    extra->SetParent(form->MainPanel);
    int fileChanges = 0, extraChanges = 0;
    form->editfiles->OnChange = [&fileChanges](TObject*) { ++fileChanges; };
    extra->OnChange = [&extraChanges](TObject*) { ++extraChanges; };
    SetUpWholeForm();
    Diskop::PathInputT& fields = PathFieldTable();
    ASSERT_EQ(fields.Count, 3);
    const Integer folder = Diskop::FindPathInput(fields, form->EditFolderOutput);
    const Integer file = Diskop::FindPathInput(fields, form->editfiles);
    const Integer extraEntry = Diskop::FindPathInput(fields, extra);
    ASSERT_EQ(extraEntry, 3);
    fields.Entries[file].Parent = folder;  // the file field is taken against the folder field
    fields.Entries[extraEntry].Parent = file;
    Input::Click(form->EditFolderOutput);
    fileChanges = extraChanges = 0;
    Input::Type(form->EditFolderOutput, "/");
    EXPECT_EQ(fileChanges, 1);  // both follow the field their path is taken against
    EXPECT_EQ(extraChanges, 1);

    FreeAndNil(form->editfiles);
    Input::Type(form->EditFolderOutput, "tmp");
    EXPECT_EQ(fileChanges, 1);
    EXPECT_EQ(extraChanges, 1);  // its link went with the entry it pointed at
    EXPECT_EQ(fields.Count, 2);
    ASSERT_EQ(Diskop::FindPathInput(fields, extra), 2);
    EXPECT_EQ(fields.Entries[2].Parent, -1);
    Input::Click(extra);
    Input::Type(extra, "x");
    EXPECT_EQ(extraChanges, 2);
}

// The tables still hold the freed window's entries, found by the same names; they reach nothing of it.
TEST_F(StandardForm, SpinEntriesAndListedComponentsOfAFreedWindowReachNothing) {
    SetUpWholeForm();
    FreeAndNil(form);
    form = new TSetupTestForm(Application);
    Input::Show(form);
    const ComponentListT& list = ComponentList();
    ASSERT_GT(list.Count, 0);
    for (Integer i = 1; i <= list.Count; i++) EXPECT_EQ(list.Entries[i].Component.Get(), nullptr) << i;
    Integer index = 0;
    EXPECT_EQ(GetSpinEdit(SpinStore(), form->SpinButton__edit1, index), nullptr);
    EXPECT_NE(index, NoValue);
    BuildSpinEntries(SpinStore());
    EXPECT_EQ(SpinStore().Count, 0);
    SetUpWholeForm();
    EXPECT_EQ(GetSpinEdit(SpinStore(), form->SpinButton__edit1, index), form->Edit1);
}

TEST_F(StandardForm, ComponentListNamesOwnersAndSearchesPanels) {
    auto* twoOwners = new TEdit(form);
    twoOwners->SetName("Hint__edit1__MEMO2__missing");
    twoOwners->SetParent(form->Panel1);
    RefillComponentList(ComponentList());
    ComponentListT& list = ComponentList();
    const Integer entry = IndexOfComponentName(list, "hint__EDIT1__memo2__missing");
    ASSERT_NE(entry, NoValue);
    ASSERT_EQ(list.Entries[entry].OwnerCount, 2);
    EXPECT_EQ(list.Entries[entry].Owners[1], IndexOfComponentName(list, "Edit1"));
    EXPECT_EQ(list.Entries[entry].Owners[2], IndexOfComponentName(list, "Memo2"));
    EXPECT_EQ(list.Entries[entry].FieldAddr, nullptr);  // the form publishes no such field
    const Integer memo = IndexOfComponentName(list, "memo2");
    ASSERT_NE(memo, NoValue);
    EXPECT_EQ(*static_cast<TMemo**>(list.Entries[memo].FieldAddr), form->Memo2);
    EXPECT_EQ(list.Entries[memo].ClassType, TMemo::ClassInfo());
    EXPECT_EQ(IndexOfComponentName(list, "Nothing"), NoValue);
    EXPECT_EQ(ComponentListFilled(), 1);
}

TEST_F(StandardForm, FullTablesRaiseInsteadOfWritingPastTheirEnd) {
    auto list = std::make_unique<ComponentListT>();
    std::vector<TOwned<TComponent>> components;
    for (Integer i = 1; i <= MaxComponentEntries + 1; i++) {
        components.push_back(MakeOwned<TComponent>(nullptr));
        components.back()->SetName("C" + IntToStr(i));
    }
    for (Integer i = 0; i < MaxComponentEntries; i++) AddComponentEntry(*list, components[i].get());
    EXPECT_THROW(AddComponentEntry(*list, components.back().get()), ERangeError);
    EXPECT_EQ(list->Count, MaxComponentEntries);

    auto* crowded = new TEdit(form);
    crowded->SetName("X__a__a__a__a__a__a");
    crowded->SetParent(form);
    auto* a = new TEdit(form);
    a->SetName("A");
    a->SetParent(form);
    list->Count = 0;
    EXPECT_THROW(FillComponentList(*list, form), ERangeError);
}

struct OptionCase {
    const char* Name;
    const char* Value;
};

// Loads the option table from a command line of the program and Arguments, then puts the program's own
// command line back for the tests after.
void LoadCommandLineOf(std::vector<std::string> Arguments) {
    const AnsiString program = ParamStr(0);
    Arguments.insert(Arguments.begin(), program);
    std::vector<char*> argv;
    for (auto& a : Arguments) argv.push_back(a.data());
    InitCommandLine(static_cast<int>(argv.size()), argv.data());
    LoadCommandLine(OptionTable());
    std::string original = program;
    char* originalArgv[] = {original.data()};
    InitCommandLine(1, originalArgv);
}

// Each option of Cases is a row whose field Field reads its value.
void ExpectOptions(std::initializer_list<OptionCase> Cases, Integer Field) {
    superar::ArrayOfFiles& options = OptionTable();
    for (OptionCase c : Cases) {
        const Integer row = superar::FindSettingRow(options, c.Name, "");
        ASSERT_GT(row, 0) << c.Name;
        AnsiString value;
        superar::GetFieldText(options, row, Field, value, false);
        EXPECT_EQ(value, c.Value) << c.Name;
    }
}

TEST_F(StandardForm, CommandLineTokensAfterTheProgramBecomeOptions) {
    LoadCommandLineOf({"width=12", "name=a b", "plain"});
    ExpectOptions({{"width", "12"}, {"name", "a b"}, {"plain", ""}}, 52);
    EXPECT_EQ(superar::FindSettingRow(OptionTable(), ParamStr(0), ""), 0);
}

// An argument holding both a blank and quotes stays one option; its quoted value loses the quotes as in
// any settings line.
TEST_F(StandardForm, CommandLineArgumentsWithQuotesAndBackslashesStayWhole) {
    LoadCommandLineOf({"title=\"two words\"", "path=C:\\my dir\\", "q=\\\"", "last"});
    EXPECT_EQ(superar::FindSettingRow(OptionTable(), "words\"", ""), 0);
    // Field 53: the value as written.
    ExpectOptions({{"title", "two words"}, {"path", "C:\\my dir\\"}, {"q", "\\\""}, {"last", ""}}, 53);
}

TEST_F(StandardForm, DestroyingTheMainFormEmptiesTheTablesBeforeItsOwnHandler) {
    superar::LoadTableText(LineTable(), "a=1\nb=2", false);
    superar::LoadTableText(OptionTable(), "c=3", false);
    std::size_t rowsSeen = 99;
    int destroyed = 0;
    form->OnDestroy = [&](TObject*) {
        ++destroyed;
        rowsSeen = LineTable().Rows.size() + OptionTable().Rows.size();
    };
    HookMainFormDestroy();
    FreeAndNil(form);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(rowsSeen, 0u);
}

}  // namespace
