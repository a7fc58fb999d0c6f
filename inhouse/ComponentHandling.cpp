#include "ComponentHandling.h"

#include <vcl/Spin.h>
#include <vcl/StdCtrls.h>
#include <vcl/SysUtils.h>

#include "valstr.h"

using namespace valstr;

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

}  // namespace

bool IsCheckedAndEnabled(TControl* Control) {
    if (auto* check = dynamic_cast<TCheckBox*>(Control)) return check->Checked() && check->Enabled();
    if (auto* radio = dynamic_cast<TRadioButton*>(Control)) return radio->Checked() && radio->Enabled();
    return Control->Enabled();
}

void EnableByCheck(TControl* Target, TControl* Source) { Target->SetEnabled(IsCheckedAndEnabled(Source)); }

TColor EnabledColor(bool Enabled, TColor DisabledColor) { return Enabled ? clWindow : DisabledColor; }

void ApplyEnabledLook(TControl* Control, TColor DisabledColor) {
    bool enabled = Control->Enabled();
    if (auto* edit = dynamic_cast<TEdit*>(Control)) {
        // An enabled folder field keeps the colour its validation gave it.
        bool folderField = LowerCase(edit->Name()).rfind("editfolder", 0) == 0;
        if (!folderField || !enabled) edit->SetColor(EnabledColor(enabled, DisabledColor));
        edit->SetBorderStyle(bsSingle);
    }
    if (auto* combo = dynamic_cast<TComboBox*>(Control)) {
        combo->SetColor(EnabledColor(enabled, DisabledColor));
        combo->SetCtl3D(enabled);
    }
    if (auto* check = dynamic_cast<TCheckBox*>(Control)) {
        if (enabled)
            check->SetParentColor(true);
        else
            check->SetColor(DisabledColor);
        check->SetCtl3D(enabled);
    }
    if (auto* spin = dynamic_cast<TSpinButton*>(Control)) spin->SetVisible(enabled);
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

}  // namespace ComponentHandling
