#pragma once
// Form set-up: turns a main window built from plain controls and the role__owner naming rule into the
// standard window in one call, and owns the process-wide tables the application uses.

#include <array>

#include <vcl/Controls.h>
#include <vcl/Forms.h>
#include <vcl/StdCtrls.h>
#include <vcl/System.h>

#include "Diskop.h"
#include "gauge.h"
#include "repl.h"
#include "superar.h"

namespace standards {

// ---------------------------------------------------------------------------
// Component list: every control of the main form, panels searched, with the owners its name names.

inline constexpr Integer MaxComponentEntries = 400;
inline constexpr Integer MaxComponentOwners = 5;

// The list outlives the form it was built from: its references read nil once their component is gone.
struct ComponentEntryT {
    AnsiString Name;
    TClass ClassType = nullptr;
    void* FieldAddr = nullptr;  // the owner form's published field of that name (a T**); nil when none
    std::array<Integer, MaxComponentOwners + 1> Owners{};  // 1..5; element 0 unused
    Integer OwnerCount = 0;
    TComponentRef<TComponent> Component;   // the listed component itself
    TComponentRef<TComponent> FieldOwner;  // the form FieldAddr lies in; FieldAddr is valid while it lives
};

struct ComponentListT {
    Integer Count = 0;
    std::array<ComponentEntryT, MaxComponentEntries + 1> Entries;  // 1..400; element 0 unused
};

// ---------------------------------------------------------------------------
// Spin store: one spin button of the form and the edit it steps, with numbered properties.

enum : Integer {
    SpinPropMaximum = 1,   // "" = none
    SpinPropMinimum = 2,   // "0"
    SpinPropUpStep = 3,    // "1"
    SpinPropDownStep = 4,  // "-1"
    // 5 .. SpinPropCount free for the application
    SpinPropCount = 20,
};

struct SpinEntryT {
    Integer SpinIndex = 0;
    Integer EditIndex = 0;                         // Varpre::NoValue: the spin button steps nothing
    std::array<Variant, SpinPropCount + 1> Props;  // 1..SpinPropCount; element 0 unused
};

inline constexpr Integer MaxSpinEntries = 200;

struct EditWithSpinT {
    Integer Count = 0;
    std::array<SpinEntryT, MaxSpinEntries + 1> Entries;  // 1..200; element 0 unused
};

// Checked accessors: ERangeError for an index outside the table's numbered elements.
ComponentEntryT& ComponentEntryAt(ComponentListT& List, Integer Index);
const ComponentEntryT& ComponentEntryAt(const ComponentListT& List, Integer Index);
SpinEntryT& SpinEntryAt(EditWithSpinT& Store, Integer Index);
const SpinEntryT& SpinEntryAt(const EditWithSpinT& Store, Integer Index);

// ---------------------------------------------------------------------------
// The process-wide values; zero or empty at program start, as the application finds them.

ComponentListT& ComponentList();
Byte& ComponentListFilled();
EditWithSpinT& SpinStore();
superar::ArrayOfFiles& LineTable();
superar::ArrayOfFiles& OptionTable();
gauge::TFormGauge& ProgressRecord();
repl::ReplaceT& ReplaceRecord();
Diskop::PathInputT& PathFieldTable();
const AnsiString& VersionText();  // "1.0" unless the application sets another
void SetVersionText(const AnsiString& Value);
TKeyEvent& SavedOnKeyDown();
TNotifyEvent& SavedOnDestroy();

// Unit exit, before the application goes: releases the strings and Variants of the process-wide values
// and the progress record's window and timer.
void FinalizeStandards();

// ---------------------------------------------------------------------------
// Set-up.

// Binds the panel managers when the anchor sits in a panel in a panel on a form; then StandardInit.
void SetupStandardForm(TControl*& AnchorField, bool Refresh);
TForm* BindPanelManagers(TControl* Anchor, bool Refresh);
void StandardInit();
void StandardCaption(bool KeepMinWidth);

// Ctrl+F3 toggles the form's client panel, Ctrl+F4 forces it, Ctrl+F5 forces the inner one.
void InstallKeyHook(TForm* Form);
void StandardKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

// The tables are emptied before the form's own OnDestroy runs.
void HookMainFormDestroy();
void HookFormDestroy(TNotifyEvent& Saved, TForm* Form);
void FormDestroying(TObject* Sender);

// ---------------------------------------------------------------------------
// Component list. Full lists and entries raise ERangeError.

void RefillComponentList(ComponentListT& List);
void FillComponentList(ComponentListT& List, TWinControl* Host);
void AddComponentEntry(ComponentListT& List, TComponent* Component);
Integer IndexOfComponentName(ComponentListT& List, const AnsiString& Name);

// ---------------------------------------------------------------------------
// Spin buttons.

void BuildSpinEntries(EditWithSpinT& Store);
Integer FindSpinEntry(EditWithSpinT& Store, const AnsiString& EditName);
Integer FindSpinEntryBySpin(EditWithSpinT& Store, const AnsiString& SpinName);
// The edit the spin button steps, read through the form's field; nil when there is none.
TCustomEdit* GetSpinEdit(EditWithSpinT& Store, TObject* SpinButton, Integer& Index);
bool SetEditProp(EditWithSpinT& Store, const AnsiString& EditName, Integer PropIndex, const Variant& Value);

// The edit's number: its text cleaned to digits, one leading '-' and the first '.', read leniently
// (0.0 when nothing is left). Store is passed along but not read.
Double GetEditNumber(EditWithSpinT& Store, TEdit* EditField);

// Handlers of the spin buttons (the store is their object).
void SpinUpClick(EditWithSpinT& Store, TObject* Sender);
void SpinDownClick(EditWithSpinT& Store, TObject* Sender);

// ---------------------------------------------------------------------------
// Path fields and the command line.

void RegisterPathEditsAll();
void RegisterPathEdits(TWinControl* Container);
// Every command-line token after the program path goes through LoadTableText: name=value sets an option.
void LoadCommandLine(superar::ArrayOfFiles& Table);

}  // namespace standards
