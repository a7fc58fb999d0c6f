#pragma once
// Control helpers: enabled state and its look over the class library's controls.

#include <vcl/Controls.h>
#include <vcl/Forms.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Graphics.h>

namespace ComponentHandling {

// A check box or radio button counts only when checked and enabled; any other control by its Enabled.
bool IsCheckedAndEnabled(TControl* Control);
// Target.Enabled := IsCheckedAndEnabled(Source).
void EnableByCheck(TControl* Target, TControl* Source);
// clWindow when enabled, else DisabledColor.
TColor EnabledColor(bool Enabled, TColor DisabledColor);
// Gives Control the look of its Enabled state, per class.
void ApplyEnabledLook(TControl* Control, TColor DisabledColor);
void ApplyEnabledLookPanel(TPanel* Panel);
void ApplyEnabledLookForm(TForm* Form);
// Recolours every control of the main window by its Enabled state.
void ApplyEnabledLookMainForm();
// The first component owned by the Application that is a TForm; nullptr when none.
TForm* FindMainForm();

}  // namespace ComponentHandling
