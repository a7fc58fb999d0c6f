#pragma once
// Control helpers: stateless routines over the class library's controls: the enabled state and its look,
// fitting a window to its monitor, frame sizes, resizing without resize events, hooking resize handlers,
// moving children, finding special children and reading the modifier keys.

#include <vcl/ComCtrls.h>
#include <vcl/Controls.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Forms.h>
#include <vcl/Graphics.h>

#include "GradBtn.h"

namespace ComponentHandling {

// --- Enabled state and its look

// WasEnabled := Control.Enabled, then Control.Enabled := Enabled; a nil Control does nothing.
void SetEnabledGetOld(TControl* Control, bool Enabled, bool& WasEnabled);
void SetControlEnabled(TControl* Control, bool Enabled);
// A check box or radio button counts only when checked and enabled; any other control by its Enabled.
bool IsCheckedAndEnabled(TControl* Control);
// Target.Enabled := IsCheckedAndEnabled(Source).
void EnableByCheck(TControl* Target, TControl* Source);
// clWindow when enabled, else DisabledColor.
TColor EnabledColor(bool Enabled, TColor DisabledColor);
// Gives Control the look of its Enabled state, per class.
void ApplyEnabledLook(TControl* Control, TColor DisabledColor);
// The gradient button's colours and caption weight for its Enabled state.
void SetGradBtnColors(GradBtn::TGradBtn* Button, TColor Color);
void ApplyEnabledLookPanel(TPanel* Panel);
void ApplyEnabledLookForm(TForm* Form);
// Recolours every control of the main window by its Enabled state.
void ApplyEnabledLookMainForm();
// The first component owned by the Application that is a TForm; nullptr when none.
TForm* FindMainForm();

// --- Windows and panels

// Sizes the form to its monitor, centres it, and sets the hint pause, DoubleBuffered and AutoScroll off.
void FitFormToScreen(TForm* Form, bool KeepMinWidth);
void FitMainFormToScreen(bool KeepMinWidth);
// The middle monitor of an odd count, the primary one of an even count; a four-to-one single screen
// counts as three.
void SizeFormToMonitor(TForm* Form, bool KeepMinWidth);
// Centres the form on the whole screen, leaving 40 pixels at the bottom for a task bar.
void CenterFormOnScreen(TForm* Form);
void SetPanelBevels(TPanelBevel BevelInner, TPanelBevel BevelOuter, TBorderStyle BorderStyle, bool Ctl3D,
                    TPanel* Panel);
// 0 flat, 1 raised, 2 lowered and raised, 3 lowered, 4 raised with a single border; other values do nothing.
void SetPanelStyle(TPanel* Panel, Integer Style);
// What the frame takes from the control's width and height.
Integer GetFrameWidth(TControl* Control, bool IncludeBorder);
Integer GetFrameHeight(TControl* Control, bool IncludeBorder);
// The first child control of that class; nullptr when none.
TStatusBar* FindStatusBar(TWinControl* Container);
TCoolBar* FindCoolBar(TWinControl* Container);
// 0-based index of the first child whose Name starts with Prefix in any letter case; -1 when none or
// Prefix is empty.
Integer IndexOfChildByPrefix(TWinControl* Container, const AnsiString& Prefix);
void SetDoubleBufferedDeep(TWinControl* WinControl);
void SetDoubleBufferedAllForms();

// --- Sizes and resize events

void GetControlBounds(TControl* Control, Integer& Width, Integer& Height, Integer& Top, Integer& Left);
Int64 GetControlSize(TControl* Control, Integer& Width, Integer& Height);
bool SizeDiffers(TControl* Control, Integer Width, Integer Height);
// The OnResize of a TForm or TPanel; nil for other classes.
void GetOnResize(TControl* Control, TNotifyEvent& Handler);
// Saves the OnResize of a TForm or TPanel and installs NewHandler (nil silences resizing).
void SwapOnResize(TControl* Control, TNotifyEvent& Saved, TNotifyEvent NewHandler);
// Sets the bounds with OnResize silenced; a size below the constraints' minimum is left alone. When
// FireResize and the size changed, the saved OnResize runs once with a nil Sender. True when the size changed.
bool SetBoundsQuiet(TControl* Control, Integer Width, Integer Height, Integer Top, Integer Left, bool FireResize);
bool SetSizeQuiet(TControl* Control, Integer Width, Integer Height, bool FireResize);
// Reaches the parent's right and bottom client edges less Margin, keeping Left and Top.
bool StretchToParent(TControl* Control, Integer Margin, bool FireResize);
// Sets the minimum and grows the control to it, with OnResize silenced.
void SetMinWidthQuiet(TControl* Control, Integer Value, bool FireResize);
void SetMinHeightQuiet(TControl* Control, Integer Value, bool FireResize);
// Installs NewHandler as the OnResize of a form (AutoSize and AutoScroll off) or a panel, saving the old one.
void HookOnResize(TWinControl* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler);
void HookFormOnResize(TForm* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler);
void HookPanelOnResize(TPanel* Host, TNotifyEvent& Saved, TNotifyEvent NewHandler);
void OffsetChildren(Integer DeltaTop, Integer DeltaLeft, TWinControl* Container);
// Re-parents Source's children onto NewParent, except gradient panels; labels among them become transparent.
void MoveChildrenTo(TWinControl* Source, TWinControl* NewParent);

// --- Keyboard

// Shift, Alt and Ctrl as the keyboard state reports them now.
TShiftState GetShiftKeys();

}  // namespace ComponentHandling
