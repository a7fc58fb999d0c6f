// Spin buttons named SpinButton__edit step the edit they name, within the entry's Minimum and Maximum.

#include <vcl/Spin.h>
#include <vcl/SysUtils.h>

#include "repl.h"
#include "standards.h"
#include "valstr.h"

using namespace valstr;
using namespace Varpre;

namespace standards {

namespace {

AnsiString LowerName(const AnsiString& Name) {
    AnsiString lower;
    repl::TableLowerCase(Name, lower);
    return lower;
}

// The entry whose component (spin button or edit, by ComponentIndex) carries Name; NoValue when none.
Integer FindEntryByComponentName(EditWithSpinT& Store, const AnsiString& Name, Integer SpinEntryT::*ComponentIndex) {
    const ComponentListT& list = ComponentList();
    const AnsiString wanted = LowerName(Name);
    for (Integer i = 1; i <= Store.Count; i++) {
        const Integer index = SpinEntryAt(Store, i).*ComponentIndex;
        if (index >= 1 && index <= list.Count && LowerName(ComponentEntryAt(list, index).Name) == wanted) return i;
    }
    return NoValue;
}

void PlaceBeside(TControl* Spin, const TControl* Edit) {
    Spin->SetBounds(Edit->Left() + Edit->Width(), Edit->Top() + 1, Spin->Width(), Edit->Height() - 1);
}

void Step(EditWithSpinT& Store, TObject* Sender, Integer StepProp) {
    Integer index = 0;
    TCustomEdit* edit = GetSpinEdit(Store, Sender, index);
    if (edit == nullptr) return;
    const SpinEntryT& entry = SpinEntryAt(Store, index);
    AnsiString cleaned;
    CleanNumber(edit->Text(), cleaned);
    AnsiString stepped;
    AddNumberStrings(cleaned, VarToStr(CheckedElement(entry.Props, StepProp, 1)), stepped);
    const AnsiString maximum = VarToStr(entry.Props[SpinPropMaximum]);
    const AnsiString minimum = VarToStr(entry.Props[SpinPropMinimum]);
    if (!maximum.empty() && CompareWithOperator(stepped, ">", maximum)) stepped = maximum;
    if (!minimum.empty() && CompareWithOperator(stepped, "<", minimum)) stepped = minimum;
    AnsiString grouped;
    GroupDigits(stepped, 0, grouped);
    edit->SetText(grouped);
}

}  // namespace

void BuildSpinEntries(EditWithSpinT& Store) {
    if (!ComponentListFilled()) RefillComponentList(ComponentList());
    ComponentListT& list = ComponentList();
    Store.Count = 0;
    for (Integer i = 1; i <= list.Count; i++) {
        const ComponentEntryT& component = ComponentEntryAt(list, i);
        // A spin button of a form that is gone has nothing left to step.
        if (component.ClassType != TSpinButton::ClassInfo() || !component.Component) continue;
        auto* spin = static_cast<TSpinButton*>(component.Component.Get());
        if (Store.Count >= MaxSpinEntries)
            throw ERangeError("The spin store holds at most " + IntToStr(MaxSpinEntries) + " spin buttons");
        Store.Count++;
        SpinEntryT& entry = SpinEntryAt(Store, Store.Count);
        entry = SpinEntryT{};
        entry.SpinIndex = i;
        entry.Props[SpinPropMaximum] = Variant();
        entry.Props[SpinPropMinimum] = "0";
        entry.Props[SpinPropUpStep] = "1";
        entry.Props[SpinPropDownStep] = "-1";
        if (component.OwnerCount > 0) {
            entry.EditIndex = CheckedElement(component.Owners, 1, 1);
            if (auto* edit = dynamic_cast<TControl*>(ComponentEntryAt(list, entry.EditIndex).Component.Get()))
                PlaceBeside(spin, edit);
        } else {
            entry.EditIndex = NoValue;
        }
        spin->OnDownClick = [&Store](TObject* Sender) { SpinDownClick(Store, Sender); };
        spin->OnUpClick = [&Store](TObject* Sender) { SpinUpClick(Store, Sender); };
        spin->SetShowHint(true);
        spin->SetParentShowHint(false);
    }
}

Integer FindSpinEntry(EditWithSpinT& Store, const AnsiString& EditName) {
    return FindEntryByComponentName(Store, EditName, &SpinEntryT::EditIndex);
}

Integer FindSpinEntryBySpin(EditWithSpinT& Store, const AnsiString& SpinName) {
    return FindEntryByComponentName(Store, SpinName, &SpinEntryT::SpinIndex);
}

TCustomEdit* GetSpinEdit(EditWithSpinT& Store, TObject* SpinButton, Integer& Index) {
    auto* spin = dynamic_cast<TComponent*>(SpinButton);
    Index = spin ? FindSpinEntryBySpin(Store, spin->Name()) : NoValue;
    if (Index == NoValue) return nullptr;
    const ComponentListT& list = ComponentList();
    const Integer editIndex = SpinEntryAt(Store, Index).EditIndex;
    if (editIndex < 1 || editIndex > list.Count) return nullptr;
    // Read through the form's field: an edit the form does not publish is not stepped, nor one of a form
    // that is gone.
    const ComponentEntryT& edit = ComponentEntryAt(list, editIndex);
    auto* field = static_cast<TComponent**>(edit.FieldAddr);
    return field && edit.FieldOwner ? dynamic_cast<TCustomEdit*>(*field) : nullptr;
}

bool SetEditProp(EditWithSpinT& Store, const AnsiString& EditName, Integer PropIndex, const Variant& Value) {
    const Integer index = FindSpinEntry(Store, EditName);
    if (index == NoValue) return false;
    CheckedElement(SpinEntryAt(Store, index).Props, PropIndex, 1) = Value;
    return true;
}

Double GetEditNumber(EditWithSpinT&, TEdit* EditField) {
    AnsiString cleaned;
    CleanNumber(EditField->Text(), cleaned);
    return StrToFloatLenient(cleaned, 0.0);
}

void SpinUpClick(EditWithSpinT& Store, TObject* Sender) { Step(Store, Sender, SpinPropUpStep); }

void SpinDownClick(EditWithSpinT& Store, TObject* Sender) { Step(Store, Sender, SpinPropDownStep); }

}  // namespace standards
