#pragma once
// What a user does, delivered through the windowing system to the controls (thin names over vcl/Testing.h).

#include "vcl/Forms.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace Input {

inline void Show(TWinControl* Form) { Testing::ShowAndActivate(Form); }
// Presses Tab in the control's window until the control has the focus, as a user reaches it.
inline void TabTo(TWinControl* Control) {
    for (int presses = 0; !Control->Focused(); ++presses) {
        if (presses > 100) throw EInvalidOperation("Tab does not reach " + Control->Name());
        Testing::KeyPress(Control, VK_TAB);
    }
}
inline void Key(TWinControl* Control, Word VirtualKey, TShiftState Shift = {}) {
    Testing::KeyPress(Control, VirtualKey, Shift);
}
inline void Type(TWinControl* Control, const AnsiString& Text) { Testing::TypeText(Control, Text); }
inline void TypeWide(TWinControl* Control, const WideString& Text) { Testing::TypeWideText(Control, Text); }
inline void CommitInputMethod(TWinControl* Control, const WideString& Text) {
    Testing::CommitInputMethod(Control, Text);
}
inline void Click(TControl* Control) { Testing::Click(Control); }
inline void Click(TControl* Control, Integer X, Integer Y, TMouseButton Button = mbLeft) {
    Testing::Click(Control, X, Y, Button);
}
inline void DoubleClick(TControl* Control, Integer X, Integer Y) { Testing::DoubleClick(Control, X, Y); }
inline void Settle() { Application->ProcessMessages(); }

}  // namespace Input
