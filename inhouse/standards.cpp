#include "standards.h"

#include <vector>

#include <vcl/ExtCtrls.h>
#include <vcl/SysUtils.h>
#include <vcl/Windows.h>

#include "ComponentHandling.h"
#include "exposit.h"
#include "repl.h"
#include "valstr.h"

using namespace valstr;
using namespace exposit;
using namespace repl;
using namespace ComponentHandling;
using namespace Varpre;

namespace standards {

namespace {

AnsiString& VersionStore() {
    static AnsiString version = "1.0";
    return version;
}

AnsiString LowerName(const AnsiString& Name) {
    AnsiString lower;
    TableLowerCase(Name, lower);
    return lower;
}

// The owner form's published field named as the component; nil when the owner publishes none.
void* FieldAddressOf(TComponent* Component) {
    TComponent* owner = Component->Owner();
    if (owner == nullptr) return nullptr;
    const TFieldInfo* field = owner->ClassType()->FindField(Component->Name());
    return field ? field->Address(*owner) : nullptr;
}

void AddOwner(ComponentEntryT& Entry, Integer OwnerIndex) {
    if (Entry.OwnerCount >= MaxComponentOwners)
        throw ERangeError("The component " + Entry.Name + " names more than " + IntToStr(MaxComponentOwners) +
                          " owners");
    Entry.OwnerCount++;
    CheckedElement(Entry.Owners, Entry.OwnerCount, 1) = OwnerIndex;
}

// role__owner1__owner2: the parts after the role name the owners.
void ResolveOwners(ComponentListT& List) {
    for (Integer i = 1; i <= List.Count; i++) {
        ComponentEntryT& entry = ComponentEntryAt(List, i);
        if (Pos("__", entry.Name) == 0) continue;
        AnsiString rest = entry.Name;
        AnsiString part;
        CutToken(rest, "__", false, part);  // the role
        while (!rest.empty()) {
            CutToken(rest, "__", false, part);
            Integer index = IndexOfComponentName(List, part);
            if (index != NoValue) AddOwner(entry, index);
        }
    }
}

void AddControlsOf(ComponentListT& List, TWinControl* Host) {
    for (Integer i = 0; i < Host->ControlCount(); i++) {
        TControl* child = Host->Controls(i);
        AddComponentEntry(List, child);
        if (auto* panel = dynamic_cast<TPanel*>(child)) AddControlsOf(List, panel);
    }
}

}  // namespace

ComponentEntryT& ComponentEntryAt(ComponentListT& List, Integer Index) {
    return CheckedElement(List.Entries, Index, 1);
}
const ComponentEntryT& ComponentEntryAt(const ComponentListT& List, Integer Index) {
    return CheckedElement(List.Entries, Index, 1);
}
SpinEntryT& SpinEntryAt(EditWithSpinT& Store, Integer Index) { return CheckedElement(Store.Entries, Index, 1); }
const SpinEntryT& SpinEntryAt(const EditWithSpinT& Store, Integer Index) {
    return CheckedElement(Store.Entries, Index, 1);
}

// ---------------------------------------------------------------------------
// Process-wide values.

ComponentListT& ComponentList() {
    static ComponentListT list{};
    return list;
}

Byte& ComponentListFilled() {
    static Byte filled = 0;
    return filled;
}

EditWithSpinT& SpinStore() {
    static EditWithSpinT store{};
    return store;
}

superar::ArrayOfFiles& LineTable() {
    static superar::ArrayOfFiles table{};
    return table;
}

superar::ArrayOfFiles& OptionTable() {
    static superar::ArrayOfFiles table{};
    return table;
}

gauge::TFormGauge& ProgressRecord() {
    static gauge::TFormGauge record{};
    return record;
}

repl::ReplaceT& ReplaceRecord() {
    static repl::ReplaceT record{};
    return record;
}

Diskop::PathInputT& PathFieldTable() {
    static Diskop::PathInputT table{};
    return table;
}

const AnsiString& VersionText() { return VersionStore(); }

void SetVersionText(const AnsiString& Value) { VersionStore() = Value; }

TKeyEvent& SavedOnKeyDown() {
    static TKeyEvent saved;
    return saved;
}

TNotifyEvent& SavedOnDestroy() {
    static TNotifyEvent saved;
    return saved;
}

void FinalizeStandards() {
    ComponentList() = ComponentListT{};
    ComponentListFilled() = 0;
    SpinStore() = EditWithSpinT{};
    superar::ClearTable(LineTable());
    superar::ClearTable(OptionTable());
    ReplaceRecord() = repl::ReplaceT{};
    gauge::FormGaugeReset(ProgressRecord());  // its timer must not tick into a finalised record
    PathFieldTable() = Diskop::PathInputT{};
    VersionStore() = "1.0";
    SavedOnKeyDown() = nullptr;
    SavedOnDestroy() = nullptr;
}

// ---------------------------------------------------------------------------
// Component list.

void RefillComponentList(ComponentListT& List) {
    List.Count = 0;
    if (TForm* form = FindMainForm()) FillComponentList(List, form);
    ComponentListFilled() = 1;
}

void FillComponentList(ComponentListT& List, TWinControl* Host) {
    AddControlsOf(List, Host);
    ResolveOwners(List);
}

void AddComponentEntry(ComponentListT& List, TComponent* Component) {
    if (Component->Name().empty()) return;
    if (List.Count >= MaxComponentEntries)
        throw ERangeError("The component list holds at most " + IntToStr(MaxComponentEntries) + " components");
    List.Count++;
    ComponentEntryT& entry = ComponentEntryAt(List, List.Count);
    entry = ComponentEntryT{};
    entry.Name = Component->Name();
    entry.ClassType = Component->ClassType();
    entry.FieldAddr = FieldAddressOf(Component);
    if (entry.FieldAddr) entry.FieldOwner = Component->Owner();
    entry.Component = Component;
}

Integer IndexOfComponentName(ComponentListT& List, const AnsiString& Name) {
    const AnsiString wanted = LowerName(Name);
    for (Integer i = 1; i <= List.Count; i++)
        if (LowerName(ComponentEntryAt(List, i).Name) == wanted) return i;
    return NoValue;
}

// ---------------------------------------------------------------------------
// Path fields and the command line.

void RegisterPathEditsAll() {
    // Afresh for each set-up: an edit hooked by an earlier one keeps its own handlers as the saved ones.
    Diskop::InitPathInputs(PathFieldTable());
    for (Integer i = 0; i < Application->ComponentCount(); i++)
        if (auto* form = dynamic_cast<TForm*>(Application->Components(i))) RegisterPathEdits(form);
}

void RegisterPathEdits(TWinControl* Container) {
    for (Integer i = 0; i < Container->ControlCount(); i++) {
        TControl* child = Container->Controls(i);
        if (auto* edit = dynamic_cast<TEdit*>(child)) {
            const AnsiString name = LowerName(edit->Name());
            if (Pos("editfolder", name) == 1) Diskop::RegisterPathInput(PathFieldTable(), edit, 1);
            else if (Pos("editfile", name) == 1) Diskop::RegisterPathInput(PathFieldTable(), edit, 2);
        } else if (auto* container = dynamic_cast<TWinControl*>(child)) {
            RegisterPathEdits(container);
        }
    }
}

void LoadCommandLine(superar::ArrayOfFiles& Table) {
    superar::InitTable(Table, 0);
    // Cut by the platform's rules, not at every quote: an argument such as title="two words" arrives
    // escaped and must stay one option with its quotes.
    const std::vector<AnsiString> arguments = SplitCommandLine(CmdLine());
    for (std::size_t i = 1; i < arguments.size(); ++i) superar::LoadTableText(Table, arguments[i], false);
}

}  // namespace standards
