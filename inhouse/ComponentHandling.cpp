#include "ComponentHandling.h"

#include <vector>

#include <vcl/Grids.h>
#include <vcl/Mask.h>
#include <vcl/Spin.h>
#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

#include "GPanel.h"
#include "exposit.h"
#include "valstr.h"

using namespace exposit;
using namespace valstr;
using namespace GradBtn;

namespace ComponentHandling {

namespace {

// The disabled colour of a container's children: its own colour, two shades darker.
TColor DisabledColorOf(TColor ContainerColor) { return DarkerColor(DarkerColor(ContainerColor, 1.0), 1.0); }

void ApplyEnabledLookToChildren(TWinControl* Container) {
    TColor disabled = DisabledColorOf(Container->Color());
    for (Integer i = 0; i < Container->ControlCount(); ++i) {
        TControl* child = Container->Controls(i);
        if (auto* panel = dynamic_cast<TPanel*>(child)) ApplyEnabledLookPanel(panel);
        ApplyEnabledLook(child, disabled);
    }
}

template <typename T>
T* FirstChildOf(TWinControl* Container) {
    for (Integer i = 0; i < Container->ControlCount(); ++i)
        if (auto* found = dynamic_cast<T*>(Container->Controls(i))) return found;
    return nullptr;
}

}  // namespace

void SetEnabledGetOld(TControl* Control, bool Enabled, bool& WasEnabled) {
    if (!Control) return;
    WasEnabled = Control->Enabled();
    Control->SetEnabled(Enabled);
}

void SetControlEnabled(TControl* Control, bool Enabled) {
    bool wasEnabled = false;
    SetEnabledGetOld(Control, Enabled, wasEnabled);
}

bool IsCheckedAndEnabled(TControl* Control) {
    if (auto* check = dynamic_cast<TCheckBox*>(Control)) return check->Checked() && check->Enabled();
    if (auto* radio = dynamic_cast<TRadioButton*>(Control)) return radio->Checked() && radio->Enabled();
    return Control->Enabled();
}

void EnableByCheck(TControl* Target, TControl* Source) { Target->SetEnabled(IsCheckedAndEnabled(Source)); }

TColor EnabledColor(bool Enabled, TColor DisabledColor) { return Enabled ? clWindow : DisabledColor; }

void ApplyEnabledLook(TControl* Control, TColor DisabledColor) {
    bool enabled = Control->Enabled();
    TColor color = EnabledColor(enabled, DisabledColor);
    if (auto* edit = dynamic_cast<TEdit*>(Control)) {
        // An enabled folder field keeps the colour its validation gave it.
        bool folderField = LowerCase(edit->Name()).rfind("editfolder", 0) == 0;
        if (!folderField || !enabled) edit->SetColor(color);
        edit->SetBorderStyle(bsSingle);
    }
    if (dynamic_cast<TComboBox*>(Control) || dynamic_cast<TSpinEdit*>(Control)) {
        Control->SetColor(color);
        static_cast<TWinControl*>(Control)->SetCtl3D(enabled);
    }
    if (auto* mask = dynamic_cast<TMaskEdit*>(Control)) {
        mask->SetColor(color);
        mask->SetBorderStyle(bsSingle);
        mask->SetCtl3D(enabled);
    }
    if (auto* check = dynamic_cast<TCheckBox*>(Control)) {
        if (enabled) check->SetParentColor(true);
        else check->SetColor(DisabledColor);
        check->SetCtl3D(enabled);
    }
    if (auto* spin = dynamic_cast<TSpinButton*>(Control)) spin->SetVisible(enabled);
    if (auto* track = dynamic_cast<TTrackBar*>(Control)) track->SetSliderVisible(enabled);
    if (auto* button = dynamic_cast<TGradBtn*>(Control)) SetGradBtnColors(button, DisabledColor);
    if (auto* grid = dynamic_cast<TStringGrid*>(Control)) grid->SetColor(color);
}

void SetGradBtnColors(TGradBtn* Button, TColor Color) {
    if (Button->Enabled()) {
        Button->SetBeginColor(Color);
        Button->SetEndColor(0xFFFFFF);
        Button->Font()->SetStyle(TFontStyles{fsBold});
    } else {
        Button->SetBeginColor(0xC0C0C0);
        Button->SetEndColor(0x808080);
        Button->Font()->SetStyle(TFontStyles{});
    }
}

void ApplyEnabledLookPanel(TPanel* Panel) { ApplyEnabledLookToChildren(Panel); }

void ApplyEnabledLookForm(TForm* Form) { ApplyEnabledLookToChildren(Form); }

void ApplyEnabledLookMainForm() {
    if (TForm* form = FindMainForm()) ApplyEnabledLookForm(form);
}

TForm* FindMainForm() {
    for (Integer i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm*>(Application->Components(i))) return form;
    return nullptr;
}

TStatusBar* FindStatusBar(TWinControl* Container) { return FirstChildOf<TStatusBar>(Container); }

TCoolBar* FindCoolBar(TWinControl* Container) { return FirstChildOf<TCoolBar>(Container); }

Integer IndexOfChildByPrefix(TWinControl* Container, const AnsiString& Prefix) {
    if (Prefix.empty()) return -1;
    for (Integer i = 0; i < Container->ControlCount(); ++i)
        if (StartsWith(Prefix, Container->Controls(i)->Name(), false)) return i;
    return -1;
}

void SetDoubleBufferedDeep(TWinControl* WinControl) {
    WinControl->SetDoubleBuffered(true);
    for (Integer i = 0; i < WinControl->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(WinControl->Controls(i))) SetDoubleBufferedDeep(child);
}

void SetDoubleBufferedAllForms() {
    for (Integer i = 0; i < Application->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TWinControl*>(Application->Components(i))) SetDoubleBufferedDeep(control);
}

void OffsetChildren(Integer DeltaTop, Integer DeltaLeft, TWinControl* Container) {
    for (Integer i = 0; i < Container->ControlCount(); ++i) {
        TControl* child = Container->Controls(i);
        child->SetBounds(child->Left() + DeltaLeft, child->Top() + DeltaTop, child->Width(), child->Height());
    }
}

void MoveChildrenTo(TWinControl* Source, TWinControl* NewParent) {
    // Re-parenting shrinks Source's list, so walk a copy.
    std::vector<TControl*> children;
    for (Integer i = 0; i < Source->ControlCount(); ++i) children.push_back(Source->Controls(i));
    for (TControl* child : children) {
        if (dynamic_cast<GPanel::TGPanel*>(child)) continue;  // gradient companions stay with their panel
        child->SetParent(NewParent);
        if (auto* label = dynamic_cast<TLabel*>(child)) label->SetTransparent(true);
    }
}

TShiftState GetShiftKeys() { return KeyboardStateToShiftState() * TShiftState{ssShift, ssAlt, ssCtrl}; }

}  // namespace ComponentHandling
